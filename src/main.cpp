// sentralign: orders the sentences of an extractive multi-document summary.
//
//   sentralign METHOD SUMMARY OUTPUT NTEXTS TEXT_1 ... TEXT_n NCST CST_1 ... CST_m
//
// Loads the stop list and the relation types, reads the texts, the summary
// and the relation files into one graph, runs the ordering METHOD names and
// writes the ordered summary to OUTPUT, one sentence a line.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "DataDir.h"
#include "Graph.h"
#include "Methods.h"
#include "Read.h"
#include "Vertex.h"
#include "engine/CycleRemovalProgress.h"
#include "io/Console.h"
#include "io/OutputFile.h"

#ifndef SENTRALIGN_VERSION
#define SENTRALIGN_VERSION "unknown"
#endif

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;

constexpr char kUsage[] =
    "METODO SUMARIO SAIDA NTEXTOS TEXTO_1 ... TEXTO_n NCST CST_1 ... CST_m";

constexpr char kHelp[] =
    "Uso: sentralign METODO SUMARIO SAIDA NTEXTOS TEXTO_1 ... TEXTO_n NCST "
    "CST_1 ... CST_m\n"
    "\n"
    "Ordena as sentencas do sumario SUMARIO (uma sentenca por linha, copiada\n"
    "dos textos-fonte) e grava o sumario ordenado em SAIDA.\n"
    "\n"
    "METODO:\n"
    "  1  posicao da sentenca no seu texto (a mais curta primeiro entre iguais)\n"
    "  2  tamanho da sentenca, crescente\n"
    "  3  tamanho da sentenca, decrescente\n"
    "  4  topicos (similaridade do cosseno das palavras de conteudo)\n"
    "  5  ordem topologica do grafo de relacoes\n"
    "  6  como 5, depois de remover os ciclos do grafo\n"
    "\n"
    "NTEXTOS textos-fonte seguem SAIDA; NCST arquivos de relacoes CST seguem\n"
    "os textos. Os arquivos stoplist_portugues.txt e\n"
    "FILE_DESCRIPTION_RELATIONS_CST.txt sao lidos do diretorio de trabalho ou,\n"
    "na falta deles, do diretorio de dados do programa.\n"
    "\n"
    "  sentralign --help     mostra esta ajuda\n"
    "  sentralign --version  mostra a versao\n";

constexpr char kProgram[] = "sentralign";

void writeError(const std::string& message) {
  sentralign::io::writeError(kProgram, message);
}

// Takes the arguments one at a time from the program name on. A step takes
// the argument under the cursor when one remains and no step failed before;
// otherwise it takes nothing and writes its step code into Error.
class ArgumentWalk {
 public:
  ArgumentWalk(int argc, char** argv) : remaining_(argc), cursor_(argv) {}

  bool take(int stepCode, std::string* value) {
    if (remaining_ <= 0 || Error != 0) {
      Error = stepCode;
      return false;
    }
    *value = *cursor_;
    ++cursor_;
    --remaining_;
    return true;
  }

  int Error = 0;

 private:
  int remaining_;
  char** cursor_;
};

// Writes every sentence of orderedSumm and a line feed to `path`, whole or
// not at all: what stood at `path` stays when the write fails.
bool writeOrderedSummary(const Graph& G, const std::string& path, std::string* err) {
  sentralign::io::OutputFile FileOrderedSumm;
  if (!FileOrderedSumm.open(path, err)) return false;
  for (const Vertex* V : G.orderedSumm) {
    FileOrderedSumm.write(V->stringSentenceRef());
    FileOrderedSumm.write("\n", 1);
  }
  return FileOrderedSumm.commit(err);
}

bool loadStartupFiles(Graph* G, std::string* err) {
  const std::string filenameDescriptionCST = "FILE_DESCRIPTION_RELATIONS_CST.txt";
  return G->createStopList(startupFilePath("stoplist_portugues.txt"), err) &&
         Read::readDescriptionOfRelationsCSTFromFile(
             G, startupFilePath(filenameDescriptionCST), err);
}

void printBanner() {
  std::printf("\n======================================\n");
  std::printf("========== SENTRALIGNOVATOR ==========\n");
  std::printf("======================================\n\n");
}

// What the argument walk gathered and what the readers dropped on the way.
struct WalkResult {
  int Method = 0;
  int Error = 0;  // 0 when every expected argument was there
  std::string SummaryDir;
  std::string OrderedSummaryDir;
  std::vector<UnmatchedLine> unmatched;
  std::vector<SkippedRelations> skipped;
};

// Takes the arguments in order, echoing each value, and reads the texts,
// the summary and the relation files into G at their turn, with whatever
// was gathered by then. False, with the reason in *err, when a named file
// cannot be read.
bool walkArguments(int argc, char** argv, Graph* G, WalkResult* w, std::string* err) {
  int NumTexts = 0;
  int NumCSTFiles = 0;
  std::string TextFile;
  std::string CSTFile;
  std::vector<std::string> VectorTextFiles;
  std::vector<std::string> VectorCSTFiles;
  std::string value;

  ArgumentWalk walk(argc, argv);
  walk.take(1, &value);  // the program name
  if (walk.take(2, &value)) {
    w->Method = std::atoi(value.c_str());
    std::printf("Method: %d\n", w->Method);
  }
  if (walk.take(3, &w->SummaryDir)) {
    std::printf("Diretorio do Sumario: %s\n", w->SummaryDir.c_str());
  }
  if (walk.take(8, &w->OrderedSummaryDir)) {
    std::printf("Diretorio do Sumario Ordenado: %s\n", w->OrderedSummaryDir.c_str());
  }
  if (walk.take(4, &value)) {
    NumTexts = std::atoi(value.c_str());
    std::printf("Numero de TextFiles: %d\n", NumTexts);
  }
  for (int k = 0; k < NumTexts && walk.take(5, &TextFile); ++k) {
    VectorTextFiles.push_back(TextFile);
  }
  if (!Read().readSentencesFromFiles(G, VectorTextFiles, err)) return false;
  if (!Read::readClearSumm(w->SummaryDir, G, G->summ, err, &w->unmatched)) {
    return false;
  }
  if (walk.take(6, &value)) {
    NumCSTFiles = std::atoi(value.c_str());
    std::printf("Numero de CSTFiles: %d\n", NumCSTFiles);
  }
  for (int k = 0; k < NumCSTFiles && walk.take(7, &CSTFile); ++k) {
    VectorCSTFiles.push_back(CSTFile);
  }
  if (!Read().readRelationsCSTFromFiles(G, VectorCSTFiles, err, &w->skipped)) {
    return false;
  }
  w->Error = walk.Error;
  return true;
}

int run(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kHelp, stdout);
    return kExitSuccess;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("sentralign %s\n", SENTRALIGN_VERSION);
    return kExitSuccess;
  }

  Graph graph;  // lives until the run ends, then releases everything
  Graph* G = &graph;
  std::string err;
  if (!loadStartupFiles(G, &err)) {
    writeError(err);
    return kExitFailure;
  }
  printBanner();
  WalkResult walk;
  if (!walkArguments(argc, argv, G, &walk, &err)) {
    writeError(err);
    return kExitFailure;
  }
  if (walk.Error != 0) {
    std::printf("ERRO NA LEITURA DOS PARAMETROS\n");
    std::fflush(stdout);
    std::fprintf(stderr, "sentralign: uso: sentralign %s (veja sentralign --help)\n",
                 kUsage);
    return kExitSuccess;
  }

  // Only a run that goes on to order the summary says what it dropped.
  Read::printUnmatched(kProgram, walk.SummaryDir, walk.unmatched, false);
  Read::printSkipped(kProgram, walk.skipped);
  // The removed edges' lines go to stdout; a person at a terminal also sees
  // on stderr how far a long cycle removal has come.
  CycleRemovalProgress progress(stderr, ::isatty(STDERR_FILENO) != 0);
  runOrderingMethod(G, walk.Method, &progress);
  if (!writeOrderedSummary(*G, walk.OrderedSummaryDir, &err)) {
    writeError(err);
    return kExitFailure;
  }
  std::printf("\nORDENACAO CONCLUIDA\n\n");
  return kExitSuccess;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return sentralign::io::finishStandardOutput(kProgram, run(argc, argv));
  } catch (const std::bad_alloc&) {
    std::printf("\nERROR! Memory Overflow\n\n");
    return kExitFailure;
  }
}
