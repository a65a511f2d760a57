// sentralign: orders the sentences of an extractive multi-document summary.
//
//   sentralign METHOD SUMMARY OUTPUT NTEXTS TEXT_1 ... TEXT_n NCST CST_1 ... CST_m
//
// Loads the stop list and the relation types, reads the texts, the summary
// and the relation files into one graph, runs the ordering METHOD names and
// writes the ordered summary to OUTPUT, one sentence a line.

#include <unistd.h>

#include <algorithm>
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
#include "cli/Diagnostics.h"
#include "cli/NamedCommandLine.h"
#include "engine/CycleRemovalProgress.h"
#include "io/Console.h"
#include "io/OutputFile.h"

#ifndef SENTRALIGN_VERSION
#define SENTRALIGN_VERSION "unknown"
#endif

namespace {

namespace cli = sentralign::cli;

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;  // an argument was missing

constexpr char kHelp[] =
    "Uso: sentralign --method METODO --summary SUMARIO --texts TEXTO... [OPCOES]\n"
    "     sentralign --method METODO --corpus CORPUS --output-dir SAIDAS [OPCOES]\n"
    "     sentralign METODO SUMARIO SAIDA NTEXTOS TEXTO_1 ... TEXTO_n NCST CST_1 ... "
    "CST_m\n"
    "\n"
    "Ordena as sentencas do sumario SUMARIO (uma sentenca por linha, copiada\n"
    "dos textos-fonte) pelo METODO, de 1 a 6 (com opcoes, tambem pelo nome):\n"
    "  1  position     posicao da sentenca no seu texto (a mais curta primeiro\n"
    "                  entre iguais)\n"
    "  2  length-up    tamanho da sentenca, crescente\n"
    "  3  length-down  tamanho da sentenca, decrescente\n"
    "  4  topics       topicos (similaridade do cosseno das palavras de conteudo)\n"
    "  5  topological  ordem topologica do grafo de relacoes\n"
    "  6  acyclic      como 5, depois de remover os ciclos do grafo\n"
    "\n"
    "Com opcoes (o k-esimo texto e o texto k, a menos que os nomes tragam numeros\n"
    "distintos, D3_... e o texto 3; - e a entrada ou a saida padrao):\n"
    "  --summary ARQUIVO        o sumario\n"
    "  --texts ARQUIVO...       os textos-fonte\n"
    "  --relations ARQUIVO...   os arquivos de relacoes CST\n"
    "  --output ARQUIVO         o sumario ordenado (- ou nada: saida padrao)\n"
    "  --json                   o sumario ordenado em JSON, com as identidades\n"
    "  --corpus DIRETORIO       ordena cada cluster de um corpus, gravando um\n"
    "  --output-dir DIRETORIO   sumario ordenado por cluster em --output-dir\n"
    "  --jobs N                 N clusters ao mesmo tempo (1)\n"
    "  --segmented              textos ja segmentados: uma sentenca por linha\n"
    "  --stoplist ARQUIVO       outra lista de palavras vazias\n"
    "  --relation-types ARQUIVO outra descricao de relacoes\n"
    "  --time-limit SEGUNDOS    tempo maximo da remocao de ciclos (metodo 6)\n"
    "  --allow-unmatched        descarta as linhas sem sentenca em vez de falhar\n"
    "  --list-sentences         so lista as sentencas dos textos, como sao cortadas\n"
    "Cada arquivo e lido como UTF-8 ou, se nao for, como Latin-1; uma linha do\n"
    "sumario que nao e igual a uma sentenca e casada como no sentralign-eval,\n"
    "e dita na saida de erro. Status: 0 concluido; 1 arquivo, cluster ou linha\n"
    "sem sentenca; 2 linha de comando malformada.\n"
    "\n"
    "Sem opcoes, os argumentos sao posicionais (o protocolo da ferramenta):\n"
    "NTEXTOS textos-fonte seguem SAIDA; NCST arquivos de relacoes CST seguem\n"
    "os textos; as contagens decidem o que e cada caminho. O k-esimo texto e o\n"
    "texto k dos arquivos de relacoes. Os arquivos stoplist_portugues.txt e\n"
    "FILE_DESCRIPTION_RELATIONS_CST.txt sao lidos do diretorio de trabalho ou,\n"
    "na falta deles, do diretorio de dados do programa. Avisos e erros vao\n"
    "para a saida de erro. Status: 0 concluido; 1 arquivo que nao pode ser\n"
    "lido ou gravado, ou memoria esgotada; 2 argumento ausente.\n"
    "\n"
    "  sentralign --help     mostra esta ajuda\n"
    "  sentralign --version  mostra a versao\n";

constexpr char kProgram[] = "sentralign";

void writeError(const std::string& message) {
  sentralign::io::writeError(kProgram, message);
}

// Writes each non-empty message as one line on stderr.
void writeMessages(const std::vector<std::string>& messages) {
  for (const std::string& message : messages) {
    if (!message.empty()) writeError(message);
  }
}

// Takes the arguments one at a time from the program name on. A step takes
// the argument under the cursor when one remains and no step failed before;
// otherwise it takes nothing and writes its step code into Error.
class ArgumentWalk {
 public:
  ArgumentWalk(int argc, char** argv) : remaining_(argc), cursor_(argv) {}

  bool take(int stepCode, std::string* value) {
    if (remaining_ <= 0 || Error != 0) {
      if (firstMissing_ == 0) firstMissing_ = stepCode;
      Error = stepCode;
      return false;
    }
    *value = *cursor_;
    ++cursor_;
    --remaining_;
    return true;
  }

  // The step code of the first step that found no argument; 0 when none.
  int firstMissing() const { return firstMissing_; }

  // The arguments no step has taken.
  std::vector<std::string> rest() const {
    return std::vector<std::string>(cursor_, cursor_ + std::max(remaining_, 0));
  }

  int Error = 0;

 private:
  int remaining_;
  char** cursor_;
  int firstMissing_ = 0;
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

// Loads the stop list and the relation types, saying on stderr when the
// working directory held a broken link in place of one, or when one holds
// nothing usable.
bool loadStartupFiles(Graph* G, std::string* err) {
  const StartupFilePaths paths = findStartupFiles();
  const std::string& stopListPath = paths.stopList;
  const std::string& filenameDescriptionCST = paths.description;
  writeMessages(paths.findings);
  if (!G->createStopList(stopListPath, err) ||
      !Read::readDescriptionOfRelationsCSTFromFile(G, filenameDescriptionCST, err)) {
    return false;
  }
  writeMessages({cli::stopListWarning(stopListPath, G->stopList),
                 cli::relationTypesWarning(filenameDescriptionCST, G->cstList)});
  return true;
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
  cli::PositionalArguments taken;  // the arguments as given, for the messages
  std::vector<UnmatchedLine> unmatched;
  std::vector<SkippedRelations> skipped;
};

// Takes the arguments in order, echoing each value, and reads the texts,
// the summary and the relation files into G at their turn, with whatever
// was gathered by then. False, with the reason in *err, when a named file
// cannot be read.
bool walkArguments(int argc, char** argv, Graph* G, WalkResult* w, std::string* err) {
  cli::PositionalArguments& taken = w->taken;
  int& NumTexts = taken.NumTexts;
  int& NumCSTFiles = taken.NumCSTFiles;
  std::string TextFile;
  std::string CSTFile;
  std::vector<std::string>& VectorTextFiles = taken.texts;
  std::vector<std::string>& VectorCSTFiles = taken.relations;
  std::string value;

  ArgumentWalk walk(argc, argv);
  walk.take(cli::kStepProgram, &value);
  if (walk.take(cli::kStepMethod, &value)) {
    taken.method = value;
    w->Method = std::atoi(value.c_str());
    std::printf("Method: %d\n", w->Method);
  }
  if (walk.take(cli::kStepSummary, &w->SummaryDir)) {
    std::printf("Diretorio do Sumario: %s\n", w->SummaryDir.c_str());
  }
  if (walk.take(cli::kStepOutput, &w->OrderedSummaryDir)) {
    std::printf("Diretorio do Sumario Ordenado: %s\n", w->OrderedSummaryDir.c_str());
  }
  if (walk.take(cli::kStepTextCount, &value)) {
    taken.textCount = value;
    NumTexts = std::atoi(value.c_str());
    std::printf("Numero de TextFiles: %d\n", NumTexts);
  }
  for (int k = 0; k < NumTexts && walk.take(cli::kStepText, &TextFile); ++k) {
    VectorTextFiles.push_back(TextFile);
  }
  if (!Read().readSentencesFromFiles(G, VectorTextFiles, err)) return false;
  if (!Read::readClearSumm(w->SummaryDir, G, G->summ, err, &w->unmatched)) {
    return false;
  }
  if (walk.take(cli::kStepRelationCount, &value)) {
    taken.relationCount = value;
    NumCSTFiles = std::atoi(value.c_str());
    std::printf("Numero de CSTFiles: %d\n", NumCSTFiles);
  }
  for (int k = 0; k < NumCSTFiles && walk.take(cli::kStepRelationFile, &CSTFile); ++k) {
    VectorCSTFiles.push_back(CSTFile);
  }
  if (!Read().readRelationsCSTFromFiles(G, VectorCSTFiles, err, &w->skipped)) {
    return false;
  }
  w->Error = walk.Error;
  taken.missingStep = walk.firstMissing();
  if (walk.Error == 0) taken.ignored = walk.rest();
  return true;
}

// Says on stderr, one line each, what the run took oddly and what the
// readers dropped: the arguments, the texts' names, the summary lines that
// matched nothing, the relations skipped.
void reportInputs(const Graph& G, const WalkResult& walk) {
  writeMessages({cli::methodWarning(walk.taken)});
  writeMessages(cli::argumentWarnings(walk.taken));
  writeMessages(cli::textNumberWarnings(walk.taken.texts));
  writeMessages(
      cli::unmatchedLineMessages(walk.SummaryDir, walk.unmatched, G, walk.taken.texts));
  for (const SkippedRelations& skipped : walk.skipped) {
    writeMessages(cli::relationFileMessages(skipped, G.cstList));
  }
}

int run(int argc, char** argv) {
  if (cli::wantsNamedOptions(argc, argv)) return cli::runNamedCommandLine(argc, argv);
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
    writeMessages({cli::swallowedArgumentHint(walk.taken, err)});
    writeMessages(cli::argumentWarnings(walk.taken));
    return kExitFailure;
  }
  if (walk.Error != 0) {
    std::printf("ERRO NA LEITURA DOS PARAMETROS\n");
    writeMessages(cli::argumentWarnings(walk.taken));
    writeError(cli::describeMissingArgument(walk.taken));
    writeError(std::string("uso: sentralign ") + cli::kPositionalUsage +
               " (veja sentralign --help)");
    return kExitUsage;
  }

  // Only a run that goes on to order the summary says what it dropped.
  reportInputs(*G, walk);
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
