// End-to-end runs of sentralign's named command line: the same order as
// the positional form, standard input and output, text numbers from file
// names, encodings, dropped lines, time limits and malformed command lines.

#include "cli/NamedCommandLine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "test_util.h"

namespace {

const std::string kExample = exampleCluster();
const std::vector<std::string> kTexts = exampleTexts();
const std::vector<std::string> kRelations = exampleRelations();

std::vector<std::string> join(std::vector<std::string> a,
                              const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class NamedCommandLineTest : public testing::Test {
 protected:
  RunResult run(const std::vector<std::string>& args) {
    return runProgram(SENTRALIGN_BIN, args, dir.path());
  }

  // What the positional form writes for `method` on the example cluster.
  std::string positional(int method, const std::vector<std::string>& texts = kTexts) {
    std::vector<std::string> args = {std::to_string(method), kExample + "resumo.txt",
                                     dir.file("positional.txt"),
                                     std::to_string(texts.size())};
    args = join(join(args, texts), join({"3"}, kRelations));
    EXPECT_EQ(run(args).status, 0);
    return readWholeFile(dir.file("positional.txt"));
  }

  ScopedTempDir dir;
};

TEST_F(NamedCommandLineTest, OrdersAsThePositionalFormDoes) {
  const char* names[] = {"position", "length-up",   "length-down",
                         "topics",   "topological", "acyclic"};
  for (int method = 1; method <= 6; ++method) {
    const std::string expected = positional(method);
    const std::vector<std::string> common =
        join(join({"--summary", kExample + "resumo.txt", "--texts"}, kTexts),
             join({"--relations"}, kRelations));
    RunResult r = run(join({"--method", names[method - 1]}, common));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, expected) << names[method - 1];
    EXPECT_EQ(r.err, "") << names[method - 1];

    r = run(join({"--method=" + std::to_string(method), "--output", dir.file("o.txt")},
                 common));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readWholeFile(dir.file("o.txt")), expected);
  }
}

// Text numbers come from the names (D3_ is text 3) whatever their order;
// the summary can come from standard input.
TEST_F(NamedCommandLineTest, TextNumbersFromNamesAndTheSummaryFromStdin) {
  const std::string expected = positional(5);
  const std::vector<std::string> shuffled = {kTexts[2], kTexts[0], kTexts[1]};
  std::string command = std::string("\"$0\" --method 5 --summary - --texts");
  for (const std::string& t : shuffled) command += " '" + t + "'";
  command += " --relations";
  for (const std::string& r : kRelations) command += " '" + r + "'";
  command += " < '" + kExample + "resumo.txt'";
  const RunResult r = runProgram("/bin/sh", {"-c", command, SENTRALIGN_BIN}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, expected);
}

// Latin-1 texts and a UTF-8 summary with a trailing blank and curly quotes
// meet once each file is brought to UTF-8 and the line is normalised; a
// line that names nothing fails the run unless it may be dropped.
TEST_F(NamedCommandLineTest, EncodingsLenientLinesAndUnmatchedLines) {
  dir.write("t1.txt", "S\xE3o Paulo cresce.\nO \"trem\" chegou.\n");
  dir.write("s.txt",
            "O \xE2\x80\x9Ctrem\xE2\x80\x9D chegou. \nS\xC3\xA3o Paulo cresce.\n");
  RunResult r = run({"--method", "1", "--summary", "s.txt", "--texts", "t1.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "S\xC3\xA3o Paulo cresce.\nO \"trem\" chegou.\n");
  EXPECT_NE(r.err.find("t1.txt: nao e UTF-8"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("s.txt:1: casada apos normalizar"), std::string::npos) << r.err;

  dir.write("s2.txt", "O \"trem\" chegou.\nNada disso.\n");
  dir.write("kept.txt", "kept\n");
  r = run({"--method", "1", "--summary", "s2.txt", "--texts", "t1.txt", "--output",
           "kept.txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("s2.txt:2: linha sem sentenca correspondente (nenhuma sentenca "
                       "tem palavra em comum): Nada disso."),
            std::string::npos)
      << r.err;
  EXPECT_EQ(readWholeFile(dir.file("kept.txt")), "kept\n");

  r = run({"--method", "1", "--summary", "s2.txt", "--texts", "t1.txt", "--output",
           "kept.txt", "--allow-unmatched"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readWholeFile(dir.file("kept.txt")), "O \"trem\" chegou.\n");
}

// A dense cluster: method 6 gives up after its time limit, names the
// cluster and writes nothing.
TEST_F(NamedCommandLineTest, MethodSixGivesUpAfterItsTimeLimit) {
  std::vector<std::string> args = {"--method",  "acyclic",  "--time-limit",
                                   "0.05",      "--output", "o.txt",
                                   "--summary", "s.txt",    "--texts"};
  for (int t = 1; t <= 3; ++t) {
    std::string text;
    for (int k = 1; k <= 40; ++k) text += "Frase " + std::to_string(k) + ".\n";
    args.push_back(dir.write("D" + std::to_string(t) + "_denso.txt", text));
  }
  std::mt19937 rng(3);
  std::string records;
  for (int r = 0; r < 150; ++r) {
    const auto a = 1 + rng() % 3;
    const auto b = 1 + (a + rng() % 2) % 3;
    records += "<R SDID=\"D" + std::to_string(a) + "_\" SSENT=\"" +
               std::to_string(1 + rng() % 40) + "\" TDID=\"D" + std::to_string(b) +
               "_\" TSENT=\"" + std::to_string(1 + rng() % 40) +
               "\"><RELATION TYPE=\"Overlap\" JUDGE=\"t\"/></R>\n";
  }
  args.push_back("--relations");
  args.push_back(dir.write("r.cst", records));
  dir.write("s.txt", "Frase 1.\n");
  const RunResult r = run(args);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "sentralign: s.txt: metodo 6: a remocao de ciclos passou do limite de 0.05 s "
            "(o grafo de relacoes tem ciclos demais)\n");
  EXPECT_FALSE(fileExists(dir.file("o.txt")));
}

TEST_F(NamedCommandLineTest, MalformedCommandLinesEndWithStatusTwo) {
  dir.write("s.txt", "Um.\n");
  dir.write("t.txt", "Um.\n");
  struct Case {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{"--method", "posicao", "--summary", "s.txt", "--texts", "t.txt"},
       "--method: metodo desconhecido: posicao (de 1 a 6, ou position, length-up, "
       "length-down, topics, topological, acyclic)"},
      {{"--method", "7", "--summary", "s.txt", "--texts", "t.txt"},
       "--method: metodo desconhecido: 7 (de 1 a 6, ou position, length-up, length-down, "
       "topics, topological, acyclic)"},
      {{"--summary", "s.txt", "--texts", "t.txt"},
       "falta --method (de 1 a 6, ou o nome do metodo)"},
      {{"--method", "1", "--texts", "t.txt"},
       "falta --summary (o sumario, ou - para a entrada padrao)"},
      {{"--method", "1", "--summary", "s.txt"}, "falta --texts (os textos-fonte)"},
      {{"--method", "1", "--summary", "s.txt", "--texts", "t.txt", "--colour"},
       "opcao desconhecida: --colour"},
      {{"--method", "1", "--summary", "s.txt", "--texts", "t.txt", "--json=yes"},
       "a opcao --json nao leva valor"},
      {{"--method", "1", "--summary", "s.txt", "--texts", "t.txt", "--time-limit", "-1"},
       "--time-limit: numero de segundos invalido: -1"},
      {{"--method", "1", "--summary"}, "a opcao --summary pede um valor"},
      {{"--method", "1", "extra"}, "argumento fora de uma opcao: extra"},
      // The positional arguments after a named option.
      {{"--method=1", "one.txt", "o.txt", "1", "t1.txt", "0"},
       "argumento fora de uma opcao: one.txt"},
      {{"--method", "1", "--corpus", "c"}, "--corpus pede --output-dir"},
  };
  for (const Case& c : cases) {
    const RunResult r = run(c.args);
    EXPECT_EQ(r.status, 2) << c.error;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "sentralign: " + c.error);
  }
}

TEST_F(NamedCommandLineTest, FilesThatCannotBeReadEndWithStatusOne) {
  dir.write("s.txt", "Um.\n");
  const RunResult r =
      run({"--method", "1", "--summary", "s.txt", "--texts", "nenhum.txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "sentralign: nenhum.txt: No such file or directory\n");
}

}  // namespace

namespace {

// The sentences as the reader cuts them, so that a summarizer can copy
// them: text numbers from the names, one "text.place<TAB>sentence" a line.
TEST_F(NamedCommandLineTest, ListsTheSentencesOfTheTexts) {
  dir.write("D2_b.txt", "Tres. Quatro.\n");
  dir.write("D1_a.txt", "Um.\r\n\r\nDois.");
  const RunResult r = run({"--list-sentences", "--texts", "D2_b.txt", "D1_a.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1.1\tUm.\n1.2\tDois.\n2.1\tTres.\n2.2\tQuatro.\n");
}

}  // namespace

namespace {

// A corpus: one ordered summary per cluster, each what the cluster alone
// gives; a cluster that fails is named and the others are still written.
TEST_F(NamedCommandLineTest, OrdersEveryClusterOfACorpus) {
  const std::string corpus = std::string(SENTRALIGN_SOURCE_DIR) + "/examples/noticias";
  RunResult r = run({"--method", "topological", "--corpus", corpus, "--output-dir", "out",
                     "--segmented", "--jobs", "2", "--json"});
  EXPECT_EQ(r.status, 0) << r.err;
  for (const char* name : {"C1_ponte", "C2_festival", "C3_greve"}) {
    EXPECT_TRUE(fileExists(dir.file("out/" + std::string(name) + ".json"))) << name;
  }

  const std::string c1 = corpus + "/C1_ponte/";
  const std::string seg = c1 + "Textos-fonte segmentados/";
  std::vector<std::string> single = {"--method",
                                     "5",
                                     "--segmented",
                                     "--summary",
                                     c1 + "Sumarios/C1_sumario_automatico_CSTSumm.txt",
                                     "--texts",
                                     seg + "D1_C1_JornalDaManha_12-03-2024_07h10.txt.seg",
                                     seg + "D2_C1_GazetaDoVale_12-03-2024_09h35.txt.seg",
                                     seg + "D3_C1_DiarioSerrano_13-03-2024_08h02.txt.seg",
                                     "--relations",
                                     c1 + "CST/D1_D2.cst",
                                     c1 + "CST/D1_D3.cst",
                                     c1 + "CST/D2_D3.cst",
                                     "--json"};
  r = run(single);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readWholeFile(dir.file("out/C1_ponte.json")), r.out);

  // A corpus of the example news clusters and an empty one.
  ::mkdir(dir.file("corpus").c_str(), 0755);
  ::mkdir(dir.file("corpus/C0_vazio").c_str(), 0755);
  ASSERT_EQ(
      ::symlink((corpus + "/C1_ponte").c_str(), dir.file("corpus/C1_ponte").c_str()), 0);
  r = run({"--method", "1", "--corpus", "corpus", "--output-dir", "out2", "--segmented"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("corpus/C0_vazio"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("1 de 2 clusters falharam"), std::string::npos) << r.err;
  EXPECT_TRUE(fileExists(dir.file("out2/C1_ponte.txt")));
  EXPECT_FALSE(fileExists(dir.file("out2/C0_vazio.txt")));
}

}  // namespace
