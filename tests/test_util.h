// Helpers shared by the tests and the benchmarks: a scratch directory,
// files, running the built tools, one-line renderings of vertices, lists
// and graphs, word lists, and small graphs built by hand.

#ifndef SENTRALIGN_TEST_UTIL_H_
#define SENTRALIGN_TEST_UTIL_H_

#include <string>
#include <vector>

#include "eval/EvaluationReport.h"

class Graph;
class Vertex;

// A fresh directory under the system's temp dir, removed with its contents.
class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(const std::string& name) const;
  // Writes `bytes` to file(name) and returns that path.
  std::string write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

// The whole content of a file; "<missing>" when it cannot be read.
std::string readWholeFile(const std::string& path);
bool fileExists(const std::string& path);

// What a run of a built tool gave.
struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `args` in the directory `cwd`, stdin from /dev/null.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& cwd);

// The stdout of a sentralign run up to the argument walk.
extern const char kBanner[];

// "1.2": the identity (idText.posText) of a vertex; "-" for none.
std::string id(const Vertex* V);
// "1.2 2.1": the identity of each vertex of the list.
std::string ids(const std::vector<Vertex*>& list);
// "1.1>1.2:Text-Sequence,2.1:Elaboration; 1.2>..." every out-edge of every
// vertex of G, in vertexList order; vertices without out-edges are left out.
std::string outEdges(const Graph& G);
// The same for in-edges: "2.5<1.2:Elaboration".
std::string inEdges(const Graph& G);

// Word lists: `word` n times; "stem0" to "stem(n-1)"; a followed by b.
std::vector<std::string> repeated(const std::string& word, int n);
std::vector<std::string> numbered(const std::string& stem, int n);
std::vector<std::string> concat(std::vector<std::string> a,
                                const std::vector<std::string>& b);

// The example cluster of the source tree: its directory (ending with "/"),
// its texts in the order of their numbers, and its relation files.
std::string exampleCluster();
std::vector<std::string> exampleTexts();
std::vector<std::string> exampleRelations();

// A vertex owned by G with the given identity, word count and sentence.
Vertex* addTestVertex(Graph* G, int idText, int posText, int words = 1,
                      const std::string& sentence = "");

// Links `from` to `to` as the relation reader does: an out-edge of `from`
// and its in-edge twin on `to`, both named `name` and weighing `weight`.
void linkTestVertices(Vertex* from, Vertex* to, const std::string& name, float weight);

// Texts of the given lengths (text 1 first), each sentence "S<text>.<pos>"
// and chained to the next by a "Text-Sequence" edge of weight 2.
void addTestTexts(Graph* G, const std::vector<int>& lengths);

// The first vertex of G's vertexList with that identity; null when there
// is none.
Vertex* at(const Graph& G, int idText, int posText);

// Makes dir a corpus of the three example news clusters (symbolic links to
// examples/noticias), a cluster C0_vazio without a summary, and a plain
// file LEIAME, which is no cluster.
void writeExampleCorpus(const ScopedTempDir& dir);

// "name=value;..." of every cell of every record (a number as
// std::to_string writes it, an empty cell as nothing), one record a line.
std::string renderRecords(const std::vector<ReportRecord>& records);

// Writes under dir.file(name) a cluster in the news corpus layout whose
// method 6 takes far longer than a test may wait: 3 texts of 40 sentences,
// 250 relations of a type that runs from source to target between
// sentences drawn by a fixed generator, a summary of 12 sentences and one
// human ordering equal to it.
void writeDenseCluster(const ScopedTempDir& dir, const std::string& name);

#endif  // SENTRALIGN_TEST_UTIL_H_
