#include "main2.h"

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "DataDir.h"
#include "Graph.h"
#include "Read.h"
#include "io/Console.h"
#include "io/Files.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;

constexpr char kSummaryPrefix[] = "resCluster";

constexpr char kProgram[] = "sentralign-batch";

void writeError(const std::string& message) {
  sentralign::io::writeError(kProgram, message);
}

// Calls visit with every entry name of `directory`, in listing order. On a
// directory that cannot be opened, writes the driver's message (and the
// path with the reason) to stderr and returns false.
bool listDirectory(const std::string& directory,
                   const std::function<void(const std::string&)>& visit) {
  std::vector<std::string> names;
  std::string err;
  if (!sentralign::io::listDirectory(directory, &names, &err)) {
    std::fflush(stdout);
    std::fprintf(stderr, "Nao foi possivel abrir diretorio.\n");
    writeError(err);
    return false;
  }
  for (const std::string& name : names) visit(name);
  return true;
}

// After a directory error: names are glued to the corpus path as they
// are, so without its final '/' no cluster path names a cluster.
void hintTrailingSlash(const std::string& corpus) {
  if (!corpus.empty() && corpus.back() == '/') return;
  writeError("o caminho do corpus deve terminar com '/': " + corpus + "/");
}

// Loads one cluster directory of `corpus` into G, then empties G's
// per-cluster lists.
bool readCluster(Graph* G, const std::string& corpus, const std::string& D) {
  std::vector<std::string> filenameTexts;
  std::vector<std::string> filenameRelationsCST;
  std::string filenameSummary;
  if (!createFileNames(D, &filenameTexts, &filenameRelationsCST, kSummaryPrefix,
                       &filenameSummary)) {
    hintTrailingSlash(corpus);
    return false;
  }
  std::string err;
  std::vector<SkippedRelations> skipped;
  std::vector<UnmatchedLine> unmatched;
  if (!Read::readSentencesFromAllFiles(G, D, filenameTexts, &err) ||
      !Read::readRelationsCSTFromAllFiles(G, D, filenameRelationsCST, &err, &skipped)) {
    writeError(err);
    return false;
  }
  Read::printSkipped(kProgram, skipped);
  if (filenameSummary.empty()) {
    writeError(D + ": nenhum sumario (arquivo " + kSummaryPrefix + "*) no cluster");
  } else if (!Read::readSumm(filenameSummary, G, G->summ, &err, &unmatched)) {
    writeError(err);
    return false;
  }
  Read::printUnmatched(kProgram, filenameSummary, unmatched, true);
  G->reset();
  return true;
}

}  // namespace

bool extensionTest(const std::string& line, const std::string& extension) {
  return sentralign::io::hasExtension(line, extension);
}

bool createDirectories(const std::string& mainDir,
                       std::vector<std::string>* directories) {
  return listDirectory(mainDir, [&](const std::string& name) {
    if (name[0] != '.') directories->push_back(mainDir + name);
  });
}

bool createFileNames(const std::string& directory,
                     std::vector<std::string>* filenameTexts,
                     std::vector<std::string>* filenameRelationsCST,
                     const std::string& prefixoFilenameSummary,
                     std::string* filenameSummary) {
  return listDirectory(directory, [&](const std::string& name) {
    if (extensionTest(name, "seg")) filenameTexts->push_back(name);
    if (extensionTest(name, "cst")) filenameRelationsCST->push_back(name);
    if (name.compare(0, prefixoFilenameSummary.size(), prefixoFilenameSummary) == 0) {
      *filenameSummary = directory + "/" + name;
    }
  });
}

int main2(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "sentralign-batch: uso: sentralign-batch METODO [CORPUS/]\n");
    return kExitFailure;
  }
  Graph graph;  // one graph for the whole corpus
  Graph* G = &graph;
  const std::string home = installationDirectory();
  std::string err;
  if (!G->createStopList(home + "stoplist_portugues.txt", &err) ||
      !Read::readDescriptionOfRelationsCSTFromFile(
          G, home + "FILE_DESCRIPTION_RELATIONS_CST.txt", &err)) {
    writeError(err);
    return kExitFailure;
  }

  std::printf("melthod: %d\n", std::atoi(argv[1]));
  std::string corpus = home + "corpus/";
  if (argc >= 3) {
    corpus = argv[2];
    std::printf("%s\n", corpus.c_str());
  }

  std::vector<std::string> directories;
  if (!createDirectories(corpus, &directories)) {
    hintTrailingSlash(corpus);
    return kExitFailure;
  }
  for (const std::string& D : directories) {
    if (!readCluster(G, corpus, D)) return kExitFailure;
  }
  return kExitSuccess;
}
