// sentralign-batch: loads every cluster of a corpus directory.
//
//   sentralign-batch METHOD [CORPUS/]

#include <cstdio>
#include <cstring>
#include <new>

#include "main2.h"

#ifndef SENTRALIGN_VERSION
#define SENTRALIGN_VERSION "unknown"
#endif

namespace {

constexpr char kHelp[] =
    "Uso: sentralign-batch METODO [CORPUS/]\n"
    "\n"
    "Carrega, um a um, os clusters do corpus CORPUS/ (em cada subdiretorio, os\n"
    "textos *.seg, os arquivos de relacoes *.cst e o sumario marcado\n"
    "resCluster*) e diz em que ficou algo sem par. METODO so e repetido na\n"
    "saida. O caminho do corpus deve terminar com '/'; sem CORPUS/, carrega o\n"
    "corpus de exemplo instalado. A lista de stop words e a descricao de\n"
    "relacoes sao lidas do diretorio de dados do programa.\n"
    "\n"
    "  sentralign-batch --help     mostra esta ajuda\n"
    "  sentralign-batch --version  mostra a versao\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("sentralign-batch %s\n", SENTRALIGN_VERSION);
    return 0;
  }
  try {
    return main2(argc, argv);
  } catch (const std::bad_alloc&) {
    std::printf("\nERROR! Memory Overflow\n\n");
    return 1;
  }
}
