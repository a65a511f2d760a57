#include "test_util.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"

namespace {

std::string quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'') {
      q += "'\\''";
    } else {
      q += c;
    }
  }
  return q + "'";
}

}  // namespace

const char kBanner[] =
    "\n======================================\n"
    "========== SENTRALIGNOVATOR ==========\n"
    "======================================\n\n";

ScopedTempDir::ScopedTempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr ? base : "/tmp") + "/sentralign_test_XXXXXX";
  if (::mkdtemp(&pattern[0]) == nullptr) throw std::runtime_error("mkdtemp");
  path_ = pattern;
}

ScopedTempDir::~ScopedTempDir() {
  const std::string command = "rm -rf " + quote(path_);
  if (std::system(command.c_str()) != 0) std::perror("rm");
}

std::string ScopedTempDir::file(const std::string& name) const {
  return path_ + "/" + name;
}

std::string ScopedTempDir::write(const std::string& name,
                                 const std::string& bytes) const {
  const std::string path = file(name);
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return path;
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool fileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& cwd) {
  ScopedTempDir capture;
  std::string command = "cd " + quote(cwd) + " && " + quote(program);
  for (const std::string& arg : args) command += " " + quote(arg);
  command +=
      " </dev/null >" + quote(capture.file("out")) + " 2>" + quote(capture.file("err"));
  RunResult result;
  const int raw = std::system(command.c_str());
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = readWholeFile(capture.file("out"));
  result.err = readWholeFile(capture.file("err"));
  return result;
}

std::string id(const Vertex* V) {
  if (V == nullptr) return "-";
  return std::to_string(V->getIdText()) + "." + std::to_string(V->getPosText());
}

std::string ids(const std::vector<Vertex*>& list) {
  std::string s;
  for (const Vertex* V : list) {
    if (!s.empty()) s += ' ';
    s += id(V);
  }
  return s;
}

namespace {

std::string edgeLists(const Graph& G, bool out) {
  std::string s;
  for (const Vertex* V : G.vertexList) {
    const std::vector<Edge*>& list = out ? V->edgeOutList : V->edgeInList;
    if (list.empty()) continue;
    if (!s.empty()) s += "; ";
    s += id(V) + (out ? ">" : "<");
    bool first = true;
    for (const Edge* e : list) {
      if (!first) s += ',';
      first = false;
      s += id(e->getVertex()) + ":" + e->getRelationName();
    }
  }
  return s;
}

}  // namespace

std::string outEdges(const Graph& G) { return edgeLists(G, true); }
std::string inEdges(const Graph& G) { return edgeLists(G, false); }

std::vector<std::string> repeated(const std::string& word, int n) {
  return std::vector<std::string>(static_cast<size_t>(n), word);
}

std::vector<std::string> numbered(const std::string& stem, int n) {
  std::vector<std::string> words;
  for (int i = 0; i < n; ++i) words.push_back(stem + std::to_string(i));
  return words;
}

std::vector<std::string> concat(std::vector<std::string> a,
                                const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string exampleCluster() {
  return std::string(SENTRALIGN_SOURCE_DIR) + "/examples/cluster/";
}

std::vector<std::string> exampleTexts() {
  const std::string dir = exampleCluster();
  return {dir + "D1_C1_JornalDaManha.txt", dir + "D2_C1_GazetaDoVale.txt",
          dir + "D3_C1_DiarioSerrano.txt"};
}

std::vector<std::string> exampleRelations() {
  const std::string dir = exampleCluster();
  return {dir + "D1_D2.cst", dir + "D1_D3.cst", dir + "D2_D3.cst"};
}

Vertex* addTestVertex(Graph* G, int idText, int posText, int words,
                      const std::string& sentence) {
  Vertex* V = new Vertex(idText, posText);
  V->setNumWordsSentence(words);
  V->setStringSentence(sentence);
  G->addVertex(V);
  return V;
}

void linkTestVertices(Vertex* from, Vertex* to, const std::string& name, float weight) {
  Edge* out = new Edge(to);
  out->setRelationName(name);
  out->setWeight(weight);
  from->edgeOutList.push_back(out);
  Edge* in = new Edge(from);
  in->setRelationName(name);
  in->setWeight(weight);
  to->edgeInList.push_back(in);
}

void addTestTexts(Graph* G, const std::vector<int>& lengths) {
  for (std::size_t t = 0; t < lengths.size(); ++t) {
    const int idText = static_cast<int>(t) + 1;
    Vertex* previous = nullptr;
    for (int p = 1; p <= lengths[t]; ++p) {
      Vertex* V = addTestVertex(G, idText, p, 1,
                                "S" + std::to_string(idText) + "." + std::to_string(p));
      if (previous != nullptr) linkTestVertices(previous, V, "Text-Sequence", 2.0f);
      previous = V;
    }
  }
}

Vertex* at(const Graph& G, int idText, int posText) {
  for (Vertex* V : G.vertexList) {
    if (V->getIdText() == idText && V->getPosText() == posText) return V;
  }
  return nullptr;
}

void writeDenseCluster(const ScopedTempDir& dir, const std::string& name) {
  const std::string root = name + "/";
  for (const char* sub : {"", "Textos-fonte segmentados", "CST", "Sumarios"}) {
    ::mkdir(dir.file(root + sub).c_str(), 0755);
  }
  std::string summary;
  for (int t = 1; t <= 3; ++t) {
    std::string text;
    for (int p = 1; p <= 40; ++p) {
      const std::string s =
          "Frase " + std::to_string(t) + " " + std::to_string(p) + " do texto.";
      text += s + "\n";
      if (p % 12 == 1) summary += s + "\n";
    }
    dir.write(root + "Textos-fonte segmentados/D" + std::to_string(t) + "_C9.txt.seg",
              text);
  }
  unsigned long x = 12345;
  auto next = [&x] {
    x = (x * 1103515245 + 12345) % 2147483648ul;
    return x;
  };
  std::string cst;
  for (int r = 0; r < 250; ++r) {
    const unsigned long s = 1 + next() % 3;
    unsigned long t = 1 + next() % 2;
    if (t >= s) ++t;
    cst += "<R SDID=\"D" + std::to_string(s) + "_C9.txt.seg\" SSENT=\"" +
           std::to_string(1 + next() % 40) + "\" TDID=\"D" + std::to_string(t) +
           "_C9.txt.seg\" TSENT=\"" + std::to_string(1 + next() % 40) +
           "\">\n<RELATION TYPE=\"Subsumption\" JUDGE=\"x\"/>\n</R>\n";
  }
  dir.write(root + "CST/relacoes.cst", cst);
  dir.write(root + "Sumarios/C9_sumario_automatico_CSTSumm.txt", summary);
  dir.write(root + "Sumarios/C9_sumario_automatico_CSTSumm_ordenado_1.txt", summary);
}

void writeExampleCorpus(const ScopedTempDir& dir) {
  const std::string corpus = std::string(SENTRALIGN_SOURCE_DIR) + "/examples/noticias/";
  for (const char* name : {"C1_ponte", "C2_festival", "C3_greve"}) {
    if (::symlink((corpus + name).c_str(), dir.file(name).c_str()) != 0) {
      throw std::runtime_error("symlink");
    }
  }
  ::mkdir(dir.file("C0_vazio").c_str(), 0755);
  dir.write("C0_vazio/D1_a.seg", "Um.\n");
  dir.write("LEIAME", "");
}

std::string renderRecords(const std::vector<ReportRecord>& records) {
  std::string s;
  for (const ReportRecord& record : records) {
    for (const auto& cell : record) {
      s += cell.first + "=";
      if (cell.second.kind == ReportValue::kText) s += cell.second.text;
      if (cell.second.kind == ReportValue::kNumber) {
        s += std::to_string(cell.second.number);
      }
      s += ";";
    }
    s += "\n";
  }
  return s;
}
