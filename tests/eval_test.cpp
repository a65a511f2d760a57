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
#include "io/Encoding.h"
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
  EXPECT_EQ(lines.size(), 1 + 4 * labels + 6 * labels);  // rows, then the corpus
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
      {{"--texts=", kC1}, "--texts: padrao vazio"},
      {{"--measure", "TK", kC1}, "--measure pede --compare"},
      {{"--compare", "--measure=kendall", kC1},
       "--measure: medida desconhecida (TS, TK, tau-b, PMR ou no-lugar): kendall"},
      {{"--time-limit", "-1", kC1}, "--time-limit: numero de segundos invalido: -1"},
      {{"--time-limit=1e3", kC1}, "--time-limit: numero de segundos invalido: 1e3"},
      {{"--write-orderings=", kC1}, "--write-orderings: nome de diretorio vazio"},
      {{"--frob\nnicate", kC1}, "opcao desconhecida: --frob\\nnicate"},
  };
  for (const Case& c : cases) {
    const RunResult r = runEval(c.args, cwd.path());
    EXPECT_EQ(r.status, kEvalExitUsage) << c.message;
    EXPECT_EQ(r.err, "sentralign-eval: " + c.message + "\n" + kUsageLine);
    EXPECT_EQ(r.out, "") << c.message;
  }
  EXPECT_FALSE(fileExists(cwd.file("g.dot")));

  const RunResult help = runEval({"--help"}, cwd.path());
  EXPECT_EQ(help.status, kEvalExitSuccess);
  EXPECT_EQ(help.out.rfind("Uso: sentralign-eval [OPCOES] DIRETORIO\n", 0), 0u);
  const RunResult h = runEval({"-h"}, cwd.path());
  EXPECT_EQ(h.status, help.status);
  EXPECT_EQ(h.out, help.out);
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

TEST(EvalTest, AFailedClusterIsReportedAndTheCorpusGoesOn) {
  ScopedTempDir corpus;
  writeExampleCorpus(corpus);
  ScopedTempDir cwd;
  const RunResult r = runEval({"--segmented", corpus.path()}, cwd.path());
  EXPECT_EQ(r.status, kEvalExitFailure);
  const std::string failure =
      corpus.file("C0_vazio") + ": nenhum sumario (*_sumario_automatico_CSTSumm.txt)";
  EXPECT_EQ(r.err.rfind("sentralign-eval: " + failure + "\n", 0), 0u) << r.err;
  EXPECT_NE(
      r.out.find("\ncorpus: 4 de 4 ordenacoes humanas de 3 clusters nas estatisticas; "
                 "1 clusters falharam\n"),
      std::string::npos);
  EXPECT_NE(r.out.find("\n  C0_vazio: falhou: " + failure + "\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nC3_greve "), std::string::npos);
}

TEST(EvalTest, ThreadsDoNotChangeTheReport) {
  ScopedTempDir corpus;
  writeExampleCorpus(corpus);
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

TEST(EvalTest, ACorpusWhoseOnlyClusterFailedPrintsNoTable) {
  ScopedTempDir corpus;
  ::mkdir(corpus.file("C0_vazio").c_str(), 0755);
  corpus.write("C0_vazio/D1_a.seg", "Um.\n");
  ScopedTempDir cwd;
  const RunResult r = runEval({corpus.path()}, cwd.path());
  EXPECT_EQ(r.status, kEvalExitFailure);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "sentralign-eval: " + corpus.file("C0_vazio") +
                       ": nenhum sumario (*_sumario_automatico_CSTSumm.txt)\n");
}

TEST(EvalTest, ComparisonsAndIntervalsSayWhatTheyAre) {
  ScopedTempDir cwd;
  const RunResult table =
      runEval({"--segmented", "--compare", "--measure", "tau-b", kCorpus}, cwd.path());
  EXPECT_EQ(table.status, kEvalExitSuccess) << table.err;
  EXPECT_NE(table.out.find("\nic95: intervalo de 95% da media, bootstrap de 10000 "
                           "reamostragens das linhas (semente 1)\n"),
            std::string::npos);
  EXPECT_NE(table.out.find("\ncomparacao pareada por tau-b: "), std::string::npos);
  // The summary as given against itself: no difference, p = 1.
  const RunResult csv =
      runEval({"--segmented", "--csv", "--compare", kCorpus}, cwd.path());
  EXPECT_NE(csv.out.find("\n,,1-posicao,p,4,,,,1,,,,4-topicos\n"), std::string::npos)
      << csv.out;
  EXPECT_NE(csv.out.find("\n,,1-posicao,diferenca_media,4,,,,0,,,,4-topicos\n"),
            std::string::npos);
}

TEST(EvalTest, EachMethodsOrderingIsWrittenAsTheOrderingToolWritesIt) {
  ScopedTempDir cwd;
  const RunResult eval = runEval({"--write-orderings", "ordenacoes", kC1}, cwd.path());
  ASSERT_EQ(eval.status, kEvalExitSuccess) << eval.err;
  for (const std::string& label : ClusterEvaluation::labels()) {
    const int method = std::atoi(label.c_str());
    const std::string written = cwd.file("ordenacoes/C1_ponte/" + label);
    if (method == 0) {  // a baseline
      EXPECT_FALSE(fileExists(written + ".txt")) << label;
      continue;
    }
    const std::string output = cwd.file("sentralign_" + label + ".txt");
    ASSERT_EQ(runOrderingTool(method, output, cwd.path()).status, 0) << label;
    EXPECT_EQ(readWholeFile(written + ".txt"), readWholeFile(output)) << label;
    const std::string json = readWholeFile(written + ".json");
    EXPECT_EQ(json.rfind("{\"cluster\": \"C1_ponte\", \"metodo\": \"" + label +
                             "\", \"sentencas\": [\n  {\"texto\": ",
                         0),
              0u)
        << json;
    EXPECT_EQ(countOf(json, "\"posicao\": "), 7) << label;
  }

  const RunResult blocked =
      runEval({"--write-orderings", cwd.file("nada/ordenacoes"), kC1}, cwd.path());
  EXPECT_EQ(blocked.status, kEvalExitFailure);
  EXPECT_NE(blocked.err.find("sentralign-eval: " + cwd.file("nada/ordenacoes") +
                             ": No such file or directory\n"),
            std::string::npos);
  EXPECT_EQ(blocked.out.rfind("cluster ", 0), 0u);  // the report all the same
}

TEST(EvalTest, AMethodSixThatRunsOutOfTimeIsReportedNotAwaited) {
  // Issue 15: one dense cluster used to hold a whole corpus, even on two
  // threads. Its method 6 now gives up at the limit; the rest is scored.
  ScopedTempDir corpus;
  writeDenseCluster(corpus, "C9_denso");
  ASSERT_EQ(::symlink(kC1.c_str(), corpus.file("C1_ponte").c_str()), 0);
  ScopedTempDir cwd;
  const RunResult r = runEval(
      {"--segmented", "--jobs", "2", "--time-limit", "0.5", corpus.path()}, cwd.path());
  EXPECT_EQ(r.status, kEvalExitFailure);  // not every ordering was scored
  const std::string note =
      "C9_denso: 6-sem-ciclos passou do limite de tempo (0.5 s) e fica sem pontuacao "
      "(nan)";
  EXPECT_NE(r.err.find("sentralign-eval: " + note + "\n"), std::string::npos) << r.err;
  EXPECT_NE(
      r.out.find("  6-sem-ciclos   12      nan      nan      nan     nan       nan\n"),
      std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\nobservacoes:\n  " + note + "\n"), std::string::npos);
  const auto rows = csvRows(
      runEval({"--segmented", "--csv", "--time-limit", "0.5", corpus.path()}, cwd.path())
          .out);
  EXPECT_NE(
      rows.at("C9_denso/C9_sumario_automatico_CSTSumm_ordenado_1.txt/5-topologica")[8],
      "nan");
  EXPECT_NE(
      rows.at("C1_ponte/C1_sumario_automatico_CSTSumm_ordenado_1.txt/6-sem-ciclos")[8],
      "nan");
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define SENTRALIGN_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define SENTRALIGN_TEST_SANITIZED 1
#endif
#endif

TEST(EvalTest, RunningOutOfMemoryFailsOneClusterAlone) {
#ifdef SENTRALIGN_TEST_SANITIZED
  GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
#endif
  // Issue 15: a text that never ends under a memory limit aborted the
  // whole run from a worker thread.
  ScopedTempDir corpus;
  ASSERT_EQ(::symlink(kC1.c_str(), corpus.file("C1_ponte").c_str()), 0);
  ::mkdir(corpus.file("C2_zero").c_str(), 0755);
  ASSERT_EQ(::symlink("/dev/zero", corpus.file("C2_zero/D1_a.seg").c_str()), 0);
  corpus.write("C2_zero/C2_sumario_automatico_CSTSumm.txt", "Um.\n");
  corpus.write("C2_zero/C2_sumario_automatico_CSTSumm_ordenado_1.txt", "Um.\n");
  ScopedTempDir cwd;
  for (const char* jobs : {"1", "2"}) {
    const RunResult r = runProgram(
        "/bin/sh",
        {"-c", std::string("ulimit -v 300000; exec \"$0\" --jobs ") + jobs + " \"$1\"",
         SENTRALIGN_EVAL_BIN, corpus.path()},
        cwd.path());
    EXPECT_EQ(r.status, kEvalExitFailure) << jobs << r.err;
    EXPECT_NE(
        r.err.find("sentralign-eval: " + corpus.file("C2_zero") + ": memoria esgotada\n"),
        std::string::npos)
        << jobs << r.err;
    EXPECT_NE(r.out.find("\nC1_ponte  "), std::string::npos) << jobs;
    EXPECT_NE(r.out.find("  C2_zero: falhou: " + corpus.file("C2_zero") +
                         ": memoria esgotada\n"),
              std::string::npos)
        << jobs << r.out;
  }
}

TEST(EvalTest, OddNamesStayOnTheirLinesAndTheJsonParses) {
  // Issue 15: a byte that is not UTF-8, or a line feed, in a cluster's name.
  ScopedTempDir corpus;
  const std::string odd = "C3\xC3_gre\nve";
  ASSERT_EQ(::symlink(kC1.c_str(), corpus.file(odd).c_str()), 0);
  ScopedTempDir cwd;
  const RunResult json = runEval({"--json", corpus.path()}, cwd.path());
  EXPECT_EQ(json.status, kEvalExitSuccess) << json.err;
  EXPECT_NE(json.out.find("{\"cluster\": \"C3\\\\xC3_gre\\\\nve\", \"humano\": "),
            std::string::npos)
      << json.out;
  EXPECT_TRUE(Encoding::isValidUtf8(json.out));
  const RunResult table = runEval({corpus.path()}, cwd.path());
  EXPECT_NE(table.out.find("\nC3\\xC3_gre\\nve  C1_sumario"), std::string::npos);
  EXPECT_EQ(countOf(table.out, "C1_sumario_automatico_CSTSumm_ordenado_1.txt  sumario"),
            1);
}
