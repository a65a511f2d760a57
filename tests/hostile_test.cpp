// Hostile and huge inputs: every byte sequence gives a defined result,
// never a crash, a read out of bounds or a hang.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "Graph.h"
#include "Read.h"
#include "Vertex.h"
#include "test_util.h"

namespace {

// The bytes of a literal, NUL bytes included.
template <size_t N>
std::string bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

class HostileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir.write("stoplist_portugues.txt", "de\n");
    dir.write("FILE_DESCRIPTION_RELATIONS_CST.txt", "Elaboration 1 t\n");
    dir.write("empty", "");
  }
  RunResult run(const std::vector<std::string>& args) {
    return runProgram(SENTRALIGN_BIN, args, dir.path());
  }
  ScopedTempDir dir;
};

}  // namespace

TEST_F(HostileTest, NulAndFfBytesPassThroughWhole) {
  dir.write("t", bytes("um\0dois. tr\xFF"
                       "es\n\xFF\xFF\n"));
  dir.write("s", bytes("\xFF\xFF\ntr\xFF"
                       "es\num\0dois.\n"));
  const RunResult r = run({"1", "s", "o", "1", "t", "0"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(readWholeFile(dir.file("o")), bytes("um\0dois.\ntr\xFF"
                                                "es\n\xFF\xFF\n"));
}

TEST_F(HostileTest, TenMegabyteLineAndMegabyteWord) {
  std::string line(10 << 20, 'x');
  for (size_t i = 1000; i < line.size(); i += 1000) line[i] = ' ';
  const std::string word(1 << 20, 'p');
  dir.write("t", line + "\n" + word + "\n");
  dir.write("s", word + "\n" + line + "\n");
  const RunResult r = run({"2", "s", "o", "1", "t", "0"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(readWholeFile(dir.file("o")), word + "\n" + line + "\n");

  Graph G;
  Read::readSentencesFromBytes(&G, word + " " + word, 1);
  ASSERT_EQ(G.vertexList[0]->getSizeCharSentence(), 2);
  EXPECT_EQ(std::string(G.vertexList[0]->getCharSentence()[1]), word);
}

TEST_F(HostileTest, RelationFilesOfOnlyEqualsSignsOrCutRecords) {
  dir.write("t", "Um.\nDois.\n");
  dir.write("s", "Dois.\nUm.\n");
  dir.write("equals", std::string(1 << 20, '='));
  dir.write(
      "cut",
      "<R SDID=\"D1_x\" SSENT=\"1\" TDID=\"D1_x\" TSENT=\"2\">\n<RELATION TYPE=\"Elab");
  dir.write("digits",
            "<R SDID=\"D100_x\" SSENT=\"999\" TDID=\"D-1_x\" TSENT=\"-5\">"
            "<RELATION TYPE=\"Elaboration\" JUDGE=\"\"/></R>");
  const RunResult r = run({"1", "s", "o", "1", "t", "3", "equals", "cut", "digits"});
  EXPECT_EQ(r.status, 0);
  // Every record of equals signs names text 0, which no text has.
  EXPECT_EQ(r.err,
            "sentralign: equals: 65536 relacoes ignoradas por nomear sentenca "
            "inexistente (a primeira: de 0.0 para 0.0)\n"
            "sentralign: digits: 1 relacoes ignoradas por nomear sentenca inexistente "
            "(a primeira: de 10.99 para -1.-5)\n");
  EXPECT_EQ(readWholeFile(dir.file("o")), "Um.\nDois.\n");
}

TEST_F(HostileTest, HugeAndNegativeCountsOnTheCommandLine) {
  dir.write("t", "Um.\n");
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string echoedTexts;
    bool walkFails;
  } cases[] = {
      {"largest int", {"1", "empty", "o", "2147483647", "empty"}, "2147483647", true},
      {"beyond int wraps like atoi",
       {"1", "empty", "o", "4294967297", "t", "0"},
       "1",
       false},
      {"far below zero", {"1", "empty", "o", "-99999999999", "0"}, "-1215752191", false},
      {"leading blanks and sign", {"1", "empty", "o", "  +1x", "t", "0"}, "1", false},
  };
  for (const Case& c : cases) {
    const RunResult r = run(c.args);
    EXPECT_NE(r.out.find("Numero de TextFiles: " + c.echoedTexts + "\n"),
              std::string::npos)
        << c.name << ": " << r.out;
    EXPECT_EQ(r.out.find("ERRO NA LEITURA") != std::string::npos, c.walkFails) << c.name;
    EXPECT_EQ(r.status, c.walkFails ? 2 : 0) << c.name;
  }
}

TEST_F(HostileTest, MillionOneWordSentencesNamedTwiceEach) {
  std::string text;
  std::string summary;
  for (int i = 0; i < 1000000; ++i) text += "s" + std::to_string(i) + "\n";
  summary = text + text;
  dir.write("t", text);
  dir.write("s", summary);
  const RunResult r = run({"1", "s", "o", "1", "t", "0"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  // By place: each sentence's two copies stand together.
  const std::string out = readWholeFile(dir.file("o"));
  EXPECT_EQ(out.size(), summary.size());
  EXPECT_EQ(out.substr(0, 12), "s0\ns0\ns1\ns1\n");
}

TEST_F(HostileTest, DirectoriesFifosAndDevicesAsPaths) {
  dir.write("t", "Um.\n");
  dir.write("s", "Um.\n");
  ::mkdir(dir.file("d").c_str(), 0755);
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {"directory as summary",
       {"1", "d", "o", "1", "t", "0"},
       1,
       "sentralign: d: Is a directory\n"},
      {"directory as relation file",
       {"1", "s", "o", "1", "t", "1", "d"},
       1,
       "sentralign: d: Is a directory\n"},
      {"directory as output",
       {"1", "s", "d", "1", "t", "0"},
       1,
       "sentralign: d: Is a directory\n"},
      {"FIFO without writer as text", {"1", "empty", "o", "1", "fifo", "0"}, 0, ""},
      {"FIFO without reader as output",
       {"1", "s", "fifo", "1", "t", "0"},
       1,
       "sentralign: fifo: No such device or address\n"},
      {"/dev/null as text and output",
       {"1", "empty", "/dev/null", "1", "/dev/null", "0"},
       0,
       ""},
  };
  for (const Case& c : cases) {
    const RunResult r = run(c.args);
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.err, c.err) << c.name;
  }
}

// Two neighbouring topics of 3000 sentences each: the topical edges between
// them (nine million) are not made by a run that only writes the ordered
// summary, so it fits in 200 MB.
TEST_F(HostileTest, LargeNeighbouringTopicsStayInLinearMemory) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#else
  std::string casas, rios;
  for (int i = 0; i < 3000; ++i) {
    casas += "casa.\n";
    rios += "rio.\n";
  }
  dir.write("casas", casas);
  dir.write("rios", rios);
  dir.write("s", "rio.\ncasa.\n");
  const RunResult r =
      runProgram("/bin/sh",
                 {"-c", "ulimit -v 200000 && exec \"$0\" \"$@\"", SENTRALIGN_BIN, "4",
                  "s", "o", "2", "casas", "rios", "0"},
                 dir.path());
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(readWholeFile(dir.file("o")), "casa.\nrio.\n");
#endif
}
