// End-to-end runs of the sentralign-eval executable on the example corpus
// and on scratch corpora: report, messages, files and exit status.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>

#include "Graph.h"
#include "Read.h"
#include "eval/ClusterEvaluation.h"
#include "eval/EvalDriver.h"
#include "test_util.h"

namespace {

const std::string kCorpus = std::string(SENTRALIGN_SOURCE_DIR) + "/examples/noticias";
const std::string kC1 = kCorpus + "/C1_ponte";
const char kUsageLine[] =
    "sentralign-eval: uso: sentralign-eval [OPCOES] DIRETORIO (veja sentralign-eval "
    "--help)\n";
const char kConverted[] = ": nao e UTF-8; lido como Latin-1 e convertido para UTF-8\n";

RunResult runEval(const std::vector<std::string>& args, const std::string& cwd) {
  return runProgram(SENTRALIGN_EVAL_BIN, args, cwd);
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> splitFields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t comma = line.find(','); comma != std::string::npos;
       comma = line.find(',', start)) {
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

// The CSV records of the rows, by "cluster/human/method".
std::map<std::string, std::vector<std::string>> csvRows(const std::string& csv) {
  std::map<std::string, std::vector<std::string>> rows;
  for (const std::string& line : splitLines(csv)) {
    const std::vector<std::string> f = splitFields(line);
    if (f.size() > 3 && f[3] == "valor") rows[f[0] + "/" + f[1] + "/" + f[2]] = f;
  }
  return rows;
}

std::string textsDir(const std::string& cluster) {
  return cluster + "/Textos-fonte segmentados/";
}

// The texts of the example cluster C1 in the order of their numbers.
const std::vector<std::string> kC1Texts = {
    textsDir(kC1) + "D1_C1_JornalDaManha_12-03-2024_07h10.txt.seg",
    textsDir(kC1) + "D2_C1_GazetaDoVale_12-03-2024_09h35.txt.seg",
    textsDir(kC1) + "D3_C1_DiarioSerrano_13-03-2024_08h02.txt.seg"};
const std::string kC1Summary = kC1 + "/Sumarios/C1_sumario_automatico_CSTSumm.txt";

// Runs sentralign on C1 with `method`, writing the ordered summary to
// `output`: texts in the order of their numbers, so that its text k is the
// evaluation's text k.
RunResult runOrderingTool(int method, const std::string& output, const std::string& cwd) {
  std::vector<std::string> args = {std::to_string(method), kC1Summary, output, "3"};
  args.insert(args.end(), kC1Texts.begin(), kC1Texts.end());
  args.push_back("3");
  for (const char* cst : {"D1_D2.cst", "D1_D3.cst", "D2_D3.cst"}) {
    args.push_back(kC1 + "/CST/" + cst);
  }
  return runProgram(SENTRALIGN_BIN, args, cwd);
}

int countOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

}  // namespace

TEST(EvalTest, ExampleCorpusReport) {
  ScopedTempDir cwd;
  const RunResult r = runEval({"--segmented", "--csv", kCorpus}, cwd.path());
  EXPECT_EQ(r.status, kEvalExitSuccess);
  const std::string c1 = kCorpus + "/C1_ponte/Sumarios/C1_sumario_automatico_CSTSumm_";
  const std::string c2 = kCorpus + "/C2_festival/";
  const std::string c3 = kCorpus + "/C3_greve/Sumarios/C3_sumario_automatico_CSTSumm_";
  EXPECT_EQ(
      r.err,
      "sentralign-eval: " + c1 +
          "ordenado_2.txt:3: casada apos normalizar brancos, aspas e caixa: "
          "ningu\xC3\xA9m ficou ferido, segundo a Defesa Civil do munic\xC3\xADpio. \n"
          "sentralign-eval: " +
          c2 + "Textos-fonte segmentados/D1_C2_FolhaSerrana_21-07-2023_22h40.txt.seg" +
          kConverted + "sentralign-eval: " + c2 +
          "Textos-fonte segmentados/D2_C2_CorreioDoPlanalto_22-07-2023_06h15.txt.seg" +
          kConverted + "sentralign-eval: " + c2 +
          "Sumarios/C2_sumario_automatico_CSTSumm_ordenado_1.txt" + kConverted +
          "sentralign-eval: C2_festival/C2_sumario_automatico_CSTSumm_ordenado_1.txt: "
          "pontuado nas 4 sentencas em comum (sumario 5, ordenacao humana 4)\n"
          "sentralign-eval: " +
          c3 +
          "ordenado_1.txt:4: casada apos normalizar brancos, aspas e caixa: A prefeitura "
          "afirma que \xE2\x80\x9Cn\xC3\xA3o h\xC3\xA1 recursos\xE2\x80\x9D para o "
          "aumento "
          "pedido.\n");
  const size_t labels = ClusterEvaluation::labels().size();
  const std::vector<std::string> lines = splitLines(r.out);
  EXPECT_EQ(lines.size(), 1 + 4 * labels + 4 * labels);
  const auto rows = csvRows(r.out);
  const auto& c2Given =
      rows.at("C2_festival/C2_sumario_automatico_CSTSumm_ordenado_1.txt/sumario");
  EXPECT_EQ(std::vector<std::string>(c2Given.begin() + 4, c2Given.begin() + 7),
            (std::vector<std::string>{"4", "5", "4"}));
  // The summary as the summarizer gave it is the human order but for one pair.
  const auto& c3Given =
      rows.at("C3_greve/C3_sumario_automatico_CSTSumm_ordenado_1.txt/sumario");
  EXPECT_EQ(c3Given[7], "0.942857146");
}

TEST(EvalTest, ScoresEqualThoseOfTheOrderingToolsOwnOutput) {
  // Each method's TS and TK, computed here from the file sentralign writes
  // for the same cluster, must be the report's. The texts go to sentralign
  // in the order of their numbers, so its text k is the report's text k.
  ScopedTempDir cwd;
  const RunResult eval = runEval({"--csv", kC1}, cwd.path());
  ASSERT_EQ(eval.status, kEvalExitSuccess) << eval.err;
  const auto rows = csvRows(eval.out);

  const std::string humanName = "C1_sumario_automatico_CSTSumm_ordenado_1.txt";
  Graph G;
  ASSERT_TRUE(Read().readSentencesFromFiles(&G, kC1Texts));
  ASSERT_TRUE(
      Read::readClearSumm(kC1 + "/Sumarios/" + humanName, &G, G.humanOrderedSumm));
  ASSERT_EQ(G.humanOrderedSumm.size(), 7u);
  Read::setAllPosHummanOrderedSumm(&G);

  int methods = 0;
  for (const std::string& label : ClusterEvaluation::labels()) {
    const int method = std::atoi(label.c_str());
    if (method == 0) continue;  // a baseline
    ++methods;
    const std::string output = cwd.file("ordenado_" + label + ".txt");
    const RunResult tool = runOrderingTool(method, output, cwd.path());
    ASSERT_EQ(tool.status, 0) << label << tool.err;
    std::vector<Vertex*> ordered;
    ASSERT_TRUE(Read::readClearSumm(output, &G, ordered));
    ASSERT_EQ(ordered.size(), 7u) << label;

    const auto& row = rows.at("C1_ponte/" + humanName + "/" + label);
    EXPECT_EQ(std::strtof(row[7].c_str(), nullptr),
              Graph::spearmanTS(G.humanOrderedSumm, ordered))
        << label;
    EXPECT_EQ(std::strtof(row[8].c_str(), nullptr),
              Graph::kendallTK(G.humanOrderedSumm, ordered))
        << label;
  }
  EXPECT_EQ(methods, 6);
}

TEST(EvalTest, MalformedCommandLinesAreUsageErrors) {
  ScopedTempDir cwd;
  struct Case {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{}, "falta o DIRETORIO (um cluster ou um corpus)"},
      {{"--frobnicate", kC1}, "opcao desconhecida: --frobnicate"},
      {{kC1, "--seed"}, "a opcao --seed pede um valor"},
      {{"--jobs", "0", kC1}, "--jobs: numero invalido (de 1 a 256): 0"},
      {{"--jobs=dois", kC1}, "--jobs: numero invalido (de 1 a 256): dois"},
      {{"--seed", "-3", kC1}, "--seed: numero invalido: -3"},
      {{"--csv=sim", kC1}, "a opcao --csv nao leva valor"},
      {{"--csv", "--json", kC1}, "--csv e --json nao combinam"},
      {{"--summary=", kC1}, "--summary: padrao vazio"},
      {{kC1, kCorpus}, "argumento a mais: " + kCorpus},
      {{"--dot", "g.dot", kCorpus},
       "--dot pede um so cluster, e " + kCorpus + " e um corpus"},
  };
  for (const Case& c : cases) {
    const RunResult r = runEval(c.args, cwd.path());
    EXPECT_EQ(r.status, kEvalExitUsage) << c.message;
    EXPECT_EQ(r.err, "sentralign-eval: " + c.message + "\n" + kUsageLine);
    EXPECT_EQ(r.out, "") << c.message;
  }
  EXPECT_FALSE(fileExists(cwd.file("g.dot")));
}

TEST(EvalTest, MissingOrEmptyInputsFail) {
  ScopedTempDir cwd;
  ::mkdir(cwd.file("vazio").c_str(), 0755);
  struct Case {
    std::string dir;
    std::string err;
  } cases[] = {
      {cwd.file("nada"), cwd.file("nada") + ": No such file or directory"},
      {kC1 + "/Sumarios/C1_sumario_automatico_CSTSumm.txt",
       kC1 + "/Sumarios/C1_sumario_automatico_CSTSumm.txt: Not a directory"},
      {cwd.file("vazio"), cwd.file("vazio") + ": nenhum cluster (nem textos *.seg)"},
  };
  for (const Case& c : cases) {
    const RunResult r = runEval({c.dir}, cwd.path());
    EXPECT_EQ(r.status, kEvalExitFailure) << c.dir;
    EXPECT_EQ(r.err, "sentralign-eval: " + c.err + "\n");
    EXPECT_EQ(r.out, "");
  }
}

namespace {

// A corpus of the three example clusters (by symbolic links), a cluster
// without a summary and a plain file, which is no cluster.
class ScratchCorpus {
 public:
  ScratchCorpus() {
    for (const char* name : {"C1_ponte", "C2_festival", "C3_greve"}) {
      EXPECT_EQ(::symlink((kCorpus + "/" + name).c_str(), dir.file(name).c_str()), 0);
    }
    ::mkdir(dir.file("C0_vazio").c_str(), 0755);
    dir.write("C0_vazio/D1_a.seg", "Um.\n");
    dir.write("LEIAME", "");
  }
  std::string path() const { return dir.path(); }

  ScopedTempDir dir;
};

}  // namespace

TEST(EvalTest, AFailedClusterIsReportedAndTheCorpusGoesOn) {
  ScratchCorpus corpus;
  ScopedTempDir cwd;
  const RunResult r = runEval({"--segmented", corpus.path()}, cwd.path());
  EXPECT_EQ(r.status, kEvalExitFailure);
  const std::string failure =
      corpus.dir.file("C0_vazio") + ": nenhum sumario (*_sumario_automatico_CSTSumm.txt)";
  EXPECT_EQ(r.err.rfind("sentralign-eval: " + failure + "\n", 0), 0u) << r.err;
  EXPECT_NE(
      r.out.find("\ncorpus: 4 de 4 ordenacoes humanas de 3 clusters nas estatisticas; "
                 "1 clusters falharam\n"),
      std::string::npos);
  EXPECT_NE(r.out.find("\n  C0_vazio: falhou: " + failure + "\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nC3_greve "), std::string::npos);
}

TEST(EvalTest, ThreadsDoNotChangeTheReport) {
  ScratchCorpus corpus;
  ScopedTempDir cwd;
  const RunResult one = runEval({"--segmented", "--json", corpus.path()}, cwd.path());
  for (const char* jobs : {"2", "4"}) {
    const RunResult many =
        runEval({"--segmented", "--json", "--jobs", jobs, corpus.path()}, cwd.path());
    EXPECT_EQ(many.status, one.status) << jobs;
    EXPECT_EQ(many.out, one.out) << jobs;
    EXPECT_EQ(many.err, one.err) << jobs;
  }
}

TEST(EvalTest, TheSeedMovesOnlyTheRandomOrderings) {
  ScopedTempDir cwd;
  const auto byDefault = csvRows(runEval({"--csv", kC1}, cwd.path()).out);
  const auto seedOne = csvRows(runEval({"--csv", "--seed", "1", kC1}, cwd.path()).out);
  const auto seedSeven = csvRows(runEval({"--csv", "--seed=7", kC1}, cwd.path()).out);
  EXPECT_EQ(seedOne, byDefault);
  ASSERT_EQ(seedSeven.size(), byDefault.size());
  for (const auto& row : byDefault) {
    const bool random = row.first.find("/aleatorio") != std::string::npos;
    EXPECT_EQ(seedSeven.at(row.first) != row.second, random) << row.first;
  }
}

TEST(EvalTest, ChartAndGraphAreWrittenToFiles) {
  ScopedTempDir cwd;
  RunResult r = runEval({"--svg", "media.svg", "--dot=grafo.dot", kC1}, cwd.path());
  EXPECT_EQ(r.status, kEvalExitSuccess) << r.err;
  EXPECT_EQ(readWholeFile(cwd.file("media.svg")).rfind("<svg ", 0), 0u);
  const std::string dot = readWholeFile(cwd.file("grafo.dot"));
  EXPECT_EQ(dot.rfind("digraph sentencas {\n", 0), 0u);
  EXPECT_NE(dot.find("label=\"D3_C1_DiarioSerrano_13-03-2024_08h02.txt.seg\""),
            std::string::npos);
  EXPECT_NE(dot.find("t3s1 [label=\"3.1\""), std::string::npos);
  // One dashed edge per edge that method 6 of sentralign removes (and names
  // by its source on a line of its own).
  const RunResult tool = runOrderingTool(6, cwd.file("ordenado.txt"), cwd.path());
  ASSERT_EQ(tool.status, 0) << tool.err;
  EXPECT_GT(countOf(tool.out, "\nV("), 0);
  EXPECT_EQ(countOf(dot, "style=dashed"), countOf(tool.out, "\nV("));

  r = runEval({"--svg", cwd.file("nada/media.svg"), kC1}, cwd.path());
  EXPECT_EQ(r.status, kEvalExitFailure);
  const std::string failure =
      "sentralign-eval: " + cwd.file("nada/media.svg") + ": No such file or directory\n";
  ASSERT_GE(r.err.size(), failure.size());
  EXPECT_EQ(r.err.substr(r.err.size() - failure.size()), failure);
  EXPECT_EQ(r.out.rfind("cluster ", 0), 0u);  // the report is written all the same
}

TEST(EvalTest, AStopListInLatin1IsConverted) {
  ScopedTempDir cwd;
  cwd.write("stoplist_portugues.txt", "a\no\nn\xE3o\n");
  const RunResult r = runEval({"--csv", kC1}, cwd.path());
  EXPECT_EQ(r.status, kEvalExitSuccess);
  EXPECT_EQ(
      r.err.rfind(std::string("sentralign-eval: stoplist_portugues.txt") + kConverted, 0),
      0u)
      << r.err;
}

TEST(EvalTest, ABrokenStartupLinkIsSaidAndPassedOver) {
  ScopedTempDir cwd;
  ASSERT_EQ(::symlink("nowhere.txt", cwd.file("stoplist_portugues.txt").c_str()), 0);
  const RunResult r = runEval({"--csv", kC1}, cwd.path());
  EXPECT_EQ(r.status, kEvalExitSuccess);
  EXPECT_EQ(r.err.rfind(
                "sentralign-eval: stoplist_portugues.txt: link simbolico quebrado "
                "(-> nowhere.txt) no diretorio de trabalho; lido " +
                    std::string(SENTRALIGN_SOURCE_DIR) + "/data/stoplist_portugues.txt\n",
                0),
            0u)
      << r.err;
}
