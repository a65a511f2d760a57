#include "Read.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"
#include "test_util.h"

namespace {

// "1.1[Um.] 1.2[Dois.]": identity and sentence of every vertex of G.
std::string sentences(const Graph& G) {
  std::string s;
  for (const Vertex* V : G.vertexList) {
    if (!s.empty()) s += ' ';
    s += id(V) + "[" + V->getStringSentence() + "]";
  }
  return s;
}

// "2/4 1/3 3/0": numWordsSentence/numWordsAfter of every vertex of G.
std::string wordCounts(const Graph& G) {
  std::string s;
  for (const Vertex* V : G.vertexList) {
    if (!s.empty()) s += ' ';
    s += std::to_string(V->getNumWordsSentence()) + "/" +
         std::to_string(V->getNumWordsAfter());
  }
  return s;
}

// "Overlap/2/t Summary/0.5/f": every relation type; a NUL direction is "-".
std::string relationTypes(const Graph& G) {
  std::string s;
  for (const CST& c : G.cstList) {
    if (!s.empty()) s += ' ';
    char weight[32];
    std::snprintf(weight, sizeof weight, "%g", static_cast<double>(c.getWeight()));
    s += c.getName() + "/" + weight + "/" +
         (c.getDirection() == '\0' ? std::string("-") : std::string(1, c.getDirection()));
  }
  return s;
}

std::string unmatchedLines(const std::vector<UnmatchedLine>& lines) {
  std::string s;
  for (const UnmatchedLine& line : lines) {
    if (!s.empty()) s += ' ';
    s += std::to_string(line.lineNumber) + "[" + line.text + "]";
  }
  return s;
}

}  // namespace

TEST(ReadTest, SentencesAreCutAtLineFeedsAndFullStopSpace) {
  struct Case {
    const char* name;
    std::string text;
    std::string sentences;
  } cases[] = {
      {"one sentence a line", "Um.\nDois.\nTres.\n", "1.1[Um.] 1.2[Dois.] 1.3[Tres.]"},
      {"two on one line", "Um dois. Tres quatro.\n", "1.1[Um dois.] 1.2[Tres quatro.]"},
      {"two spaces keep the second", "Um.  Dois.\n", "1.1[Um.] 1.2[ Dois.]"},
      {"full stop space at line end", "Um. \nDois.\n", "1.1[Um.] 1.2[Dois.]"},
      {"full stop at line end stays", "Fim.\n", "1.1[Fim.]"},
      {"two stops inside do not end, three do", "Um.. dois. Tres... quatro\n",
       "1.1[Um.. dois.] 1.2[Tres...] 1.3[quatro]"},
      {"two stops at the start end", ".. abc\n", "1.1[..] 1.2[abc]"},
      {"one stop at the start does not end", ". abc\n", "1.1[. abc]"},
      {"stop before other bytes", "a.b a.\tb\n", "1.1[a.b a.\tb]"},
      {"empty lines make nothing", "\n\nUm.\n\n\nDois.", "1.1[Um.] 1.2[Dois.]"},
      {"blanks at the start stay", "  Um.\n", "1.1[  Um.]"},
      {"lone CR is a byte", "Um.\rDois.\n", "1.1[Um.\rDois.]"},
      {"empty text", "", ""},
      {"only line feeds", "\n\n\n", ""},
  };
  for (const Case& c : cases) {
    Graph G;
    Read::readSentencesFromBytes(&G, c.text, 1);
    EXPECT_EQ(sentences(G), c.sentences) << c.name;
  }
}

TEST(ReadTest, SentencesKeepEveryByte) {
  Graph G;
  const std::string text("a\xFF\0b. c\n", 8);
  Read::readSentencesFromBytes(&G, text, 1);
  ASSERT_EQ(G.vertexList.size(), 2u);
  EXPECT_EQ(G.vertexList[0]->getStringSentence(), std::string("a\xFF\0b.", 5));
}

TEST(ReadTest, SentencesAreChainedByTextSequenceEdges) {
  Graph G;
  Read::readSentencesFromBytes(&G, "Um.\nDois.\nTres.\n", 1);
  Read::readSentencesFromBytes(&G, "So.\n", 2);
  EXPECT_EQ(outEdges(G), "1.1>1.2:Text-Sequence; 1.2>1.3:Text-Sequence");
  for (const Vertex* V : G.vertexList) EXPECT_TRUE(V->edgeInList.empty());
  const Edge* e = G.vertexList[0]->edgeOutList[0];
  EXPECT_EQ(e->getWeight(), 2.0f);
  EXPECT_EQ(e->getNumCycles(), 0);
}

TEST(ReadTest, WordCountsCountWordsAfterInTheText) {
  struct Case {
    const char* name;
    std::string text;
    std::string counts;
  } cases[] = {
      {"split by full stop and space", "Um dois. Tres.\nQuatro cinco seis.\n",
       "2/4 1/3 3/0"},
      {"full stop and space before the line feed adds one", "Um dois. \nTres.\n",
       "2/2 1/1"},
      {"spaces count as words", "Um  dois.\n", "3/0"},
  };
  for (const Case& c : cases) {
    Graph G;
    Read::readSentencesFromBytes(&G, c.text, 1);
    EXPECT_EQ(wordCounts(G), c.counts) << c.name;
  }
}

TEST(ReadTest, WordArraysLeaveStopWordsOut) {
  Graph G;
  G.stopList = {"a", "de"};
  Read::readSentencesFromBytes(&G, "A casa de Pedro.\n", 1);
  const Vertex* V = G.vertexList[0];
  ASSERT_EQ(V->getSizeCharSentence(), 2);
  EXPECT_STREQ(V->getCharSentence()[0], "casa");
  EXPECT_STREQ(V->getCharSentence()[1], "pedro");
}

TEST(ReadTest, GetNumWordsFromFileRewindsTheFile) {
  ScopedTempDir dir;
  std::FILE* file = std::fopen(dir.write("t.txt", "um dois\r\n\ntres\n").c_str(), "r");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(Read::getNumWordsFromFile(file), 3);
  EXPECT_EQ(std::fgetc(file), 'u');
  std::fclose(file);
}

TEST(ReadTest, TextFilesAreNumberedInListOrder) {
  ScopedTempDir dir;
  const std::string t = dir.write("t.txt", "Um.\nDois.\n");
  Graph G;
  Read reader;
  ASSERT_TRUE(reader.readSentencesFromFiles(&G, {t, "", t}));
  EXPECT_EQ(sentences(G), "1.1[Um.] 1.2[Dois.] 3.1[Um.] 3.2[Dois.]");
}

TEST(ReadTest, CrLfFilesReadLikeLfFiles) {
  const std::string lf = "Casa azul. Rua.\nOutra linha, aqui.\n\nFim. \n";
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ScopedTempDir dir;
  Graph withLf;
  Graph withCrLf;
  Read reader;
  ASSERT_TRUE(reader.readSentencesFromFiles(&withLf, {dir.write("lf", lf)}));
  ASSERT_TRUE(reader.readSentencesFromFiles(&withCrLf, {dir.write("crlf", crlf)}));
  EXPECT_EQ(sentences(withCrLf), sentences(withLf));
  EXPECT_EQ(wordCounts(withCrLf), wordCounts(withLf));
}

TEST(ReadTest, BatchTextNumbersComeFromFileNames) {
  ScopedTempDir dir;
  for (const char* name : {"D3_a.seg", "D12_b.seg", "x"}) dir.write(name, "S.\n");
  Graph G;
  ASSERT_TRUE(
      Read::readSentencesFromAllFiles(&G, dir.path(), {"D3_a.seg", "D12_b.seg", "x"}));
  EXPECT_EQ(ids(G.vertexList), "3.1 12.1 0.1");
}

TEST(ReadTest, TextNumbersOfNewsCorpusFileNames) {
  struct Case {
    const char* name;
    int number;
  } cases[] = {
      {"D1_C1_Folha_04-08-2006_07h42.txt.seg", 1},
      {"D10_C3_Estadao.txt.seg", 10},
      {"Folha.txt.seg", 0},
      {"D", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Read::textNumberOfFileName(c.name), c.number) << c.name;
}

TEST(ReadTest, SegmentedTextsHoldOneSentenceALine) {
  struct Case {
    const char* name;
    std::string text;
    std::string sentences;
  } cases[] = {
      {"a full stop and a space do not cut", "Na Av. Central. Hoje.\nFim.\n",
       "1.1[Na Av. Central. Hoje.] 1.2[Fim.]"},
      {"blanks at the ends stay", "  Um. \t\nDois.\n", "1.1[  Um. \t] 1.2[Dois.]"},
      {"empty lines make nothing and take no place", "\nUm.\n\n\nDois.",
       "1.1[Um.] 1.2[Dois.]"},
      {"a line of blanks is a sentence", "Um.\n \nDois.\n", "1.1[Um.] 1.2[ ] 1.3[Dois.]"},
      {"empty text", "", ""},
  };
  for (const Case& c : cases) {
    Graph G;
    Read::readSegmentedSentencesFromBytes(&G, c.text, 1);
    EXPECT_EQ(sentences(G), c.sentences) << c.name;
  }
}

TEST(ReadTest, SegmentedTextsGetWordCountsAndEdgesAsCutTexts) {
  Graph G;
  Read::readSegmentedSentencesFromBytes(&G, "Um dois. Tres.\nQuatro cinco seis.\n", 4);
  EXPECT_EQ(ids(G.vertexList), "4.1 4.2");
  EXPECT_EQ(wordCounts(G), "3/3 3/0");
  EXPECT_EQ(outEdges(G), "4.1>4.2:Text-Sequence");
}

TEST(ReadTest, UnreadableFilesFailBeforeAnyChange) {
  ScopedTempDir dir;
  const std::string good = dir.write("t.txt", "Um.\n");
  ::mkdir(dir.file("sub").c_str(), 0755);
  struct Case {
    const char* name;
    std::string path;
    std::string reason;
  } cases[] = {
      {"missing", dir.file("none.txt"), "No such file or directory"},
      {"directory", dir.file("sub"), "Is a directory"},
  };
  for (const Case& c : cases) {
    Graph G;
    Read reader;
    std::string err;
    EXPECT_FALSE(reader.readSentencesFromFiles(&G, {good, c.path}, &err)) << c.name;
    EXPECT_EQ(err, c.path + ": " + c.reason) << c.name;
    EXPECT_TRUE(G.vertexList.empty()) << c.name;
    err.clear();
    EXPECT_FALSE(G.createStopList(c.path, &err)) << c.name;
    EXPECT_EQ(err, c.path + ": " + c.reason) << c.name;
  }
}

TEST(ReadTest, StopListHasOneEntryPerLine) {
  struct Case {
    const char* name;
    std::string file;
    std::vector<std::string> entries;
  } cases[] = {
      {"empty file", "", {}},
      {"two words", "de\na\n", {"de", "a"}},
      {"empty line is an entry", "de\n\na\n", {"de", "", "a"}},
      {"no final line feed", "de\na", {"de", "a"}},
      {"CR LF", "de\r\na\r\n", {"de", "a"}},
      {"blanks and case kept", " De\t\n", {" De\t"}},
      {"lone CR kept", "de\r", {"de\r"}},
  };
  for (const Case& c : cases) {
    ScopedTempDir dir;
    Graph G;
    ASSERT_TRUE(G.createStopList(dir.write("stop", c.file))) << c.name;
    EXPECT_EQ(G.stopList, c.entries) << c.name;
  }
}

TEST(ReadTest, LoadingAgainAppends) {
  ScopedTempDir dir;
  Graph G;
  ASSERT_TRUE(G.createStopList(dir.write("stop", "de\n")));
  ASSERT_TRUE(G.createStopList(dir.file("stop")));
  EXPECT_EQ(G.stopList, (std::vector<std::string>{"de", "de"}));
  ASSERT_TRUE(
      Read::readDescriptionOfRelationsCSTFromFile(&G, dir.write("rel", "A 1 t\n")));
  ASSERT_TRUE(Read::readDescriptionOfRelationsCSTFromFile(&G, dir.file("rel")));
  EXPECT_EQ(relationTypes(G), "A/1/t A/1/t");
  EXPECT_TRUE(G.createStopList(""));  // an empty name reads as an empty file
  EXPECT_EQ(G.stopList.size(), 2u);
}

TEST(ReadTest, RelationDescriptionRecords) {
  struct Case {
    const char* name;
    std::string file;
    std::string types;
  } cases[] = {
      {"two records", "Overlap 2 t\nSummary 0.5 f\n", "Overlap/2/t Summary/0.5/f"},
      {"no final line feed", "Overlap 2 t\nSummary 0.5 f", "Overlap/2/t Summary/0.5/f"},
      {"CR LF", "Overlap 2 t\r\nSummary 0.5 f\r\n", "Overlap/2/t Summary/0.5/f"},
      {"weight that is a word", "Rel palavra t\n", "Rel/0/t"},
      {"weight with leading number", "Rel 1.5x t\n", "Rel/1.5/t"},
      {"direction of two bytes", "Rel 1 tf\n", "Rel/1/f"},
      {"empty line at the end", "A 1 t\n\n", "A/1/t /0/t"},
      {"empty line between", "A 1 t\n\nB 2 f\nC 3 t\n", "A/1/t /0/2 f/0/3 t/0/3"},
      {"space after direction", "A 1 t \nB 2 f\n", "A/1/t /0/2 f/0/2"},
      {"last line only a name", "A 1 t\nB", "A/1/t B/0/t"},
      {"first direction empty", "A 1\n", "A/1/-"},
      {"duplicates stay", "A 1 t\nA 2 f\n", "A/1/t A/2/f"},
      {"huge weight", "A 1e999 t\n", "A/inf/t"},
      {"empty file", "", ""},
  };
  for (const Case& c : cases) {
    ScopedTempDir dir;
    Graph G;
    ASSERT_TRUE(Read::readDescriptionOfRelationsCSTFromFile(&G, dir.write("rel", c.file)))
        << c.name;
    EXPECT_EQ(relationTypes(G), c.types) << c.name;
  }
}

class SummaryTest : public testing::Test {
 protected:
  void SetUp() override {
    Read::readSentencesFromBytes(&G, "Um.\nDois tres.\nComum.\n", 1);
    Read::readSentencesFromBytes(&G, "Comum.\nQuatro.\n", 2);
  }

  // The summary read from `file` as "ids | unmatched lines".
  std::string readPlain(const std::string& file) {
    std::vector<UnmatchedLine> unmatched;
    Read::readClearSummFromBytes(file, &G, G.summ, &unmatched);
    return ids(G.summ) + " | " + unmatchedLines(unmatched);
  }
  std::string readMarked(const std::string& file) {
    std::vector<UnmatchedLine> unmatched;
    Read::readSummFromBytes(file, &G, G.summ, &unmatched);
    return ids(G.summ) + " | " + unmatchedLines(unmatched);
  }

  Graph G;
};

TEST_F(SummaryTest, PlainLinesMatchWholeSentences) {
  struct Case {
    const char* name;
    std::string file;
    std::string result;
  } cases[] = {
      {"in file order", "Quatro.\nUm.\n", "2.2 1.1 | "},
      {"last line without line feed", "Um.\nQuatro.", "1.1 2.2 | "},
      {"empty line in the middle", "Um.\n\nQuatro.\n", "1.1 2.2 | 2[]"},
      {"trailing blank and other case", "Um. \num.\n", " | 1[Um. ] 2[um.]"},
      {"same sentence twice", "Um.\nUm.\n", "1.1 1.1 | "},
      {"first text wins", "Comum.\n", "1.3 | "},
      {"empty file", "", " | "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readPlain(c.file), c.result) << c.name;
  }
}

TEST_F(SummaryTest, MarkersNamePositionThenText) {
  struct Case {
    const char* name;
    std::string file;
    std::string result;
  } cases[] = {
      {"position first", "<x2_y1: Dois tres.\n<x1_y2: Comum.\n", "1.2 2.1 | "},
      {"two digits", "<x12_y10:\n<x01_y02:", "2.1 | 1[<x12_y10:]"},
      {"no sentence", "<x9_y1: nada\n<x1_y0:", " | 1[<x9_y1:] 2[<x1_y0:]"},
      {"'<' in the text starts a marker", "<x1_y1: a<b\n<x2_y2:", "1.1 | 1[<b\n<x2_y2]"},
      {"cut at the end", "<x2_y1", "1.2 | "},
      {"only '<'", "<", " | 1[<]"},
      {"empty file", "", " | "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readMarked(c.file), c.result) << c.name;
  }
}

TEST_F(SummaryTest, ReadersEmptyTheListFirst) {
  G.summ = {G.vertexList[0]};
  ScopedTempDir dir;
  ASSERT_TRUE(Read::readClearSumm(dir.write("s", "Quatro.\n"), &G, G.summ));
  EXPECT_EQ(ids(G.summ), "2.2");
  ASSERT_TRUE(Read::readSumm(dir.write("m", ""), &G, G.humanOrderedSumm));
  EXPECT_EQ(ids(G.summ), "2.2");  // only the list passed in changes
}

TEST_F(SummaryTest, HumanOrderPositionsCountFromZero) {
  Read::setAllPosHummanOrderedSumm(&G);  // empty: nothing to do
  G.humanOrderedSumm = {G.vertexList[3], G.vertexList[0], G.vertexList[4]};
  Read::setAllPosHummanOrderedSumm(&G);
  EXPECT_EQ(G.vertexList[3]->getPosHumanOrderedSumm(), 0);
  EXPECT_EQ(G.vertexList[0]->getPosHumanOrderedSumm(), 1);
  EXPECT_EQ(G.vertexList[4]->getPosHumanOrderedSumm(), 2);
}
