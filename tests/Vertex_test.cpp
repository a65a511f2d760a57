#include "Vertex.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// "w1|w2|w3": the word array of V.
std::string words(const Vertex& V) {
  std::string s;
  for (int i = 0; i < V.getSizeCharSentence(); ++i) {
    if (i > 0) s += '|';
    s += V.getCharSentence()[i];
  }
  return s;
}

}  // namespace

TEST(VertexTest, NewVertexHasIdentityAndNothingElse) {
  Vertex V(3, 7);
  EXPECT_EQ(V.getIdText(), 3);
  EXPECT_EQ(V.getPosText(), 7);
  EXPECT_EQ(V.getNumWordsSentence(), 0);
  EXPECT_EQ(V.getNumWordsAfter(), 0);
  EXPECT_EQ(V.getStringSentence(), "");
  EXPECT_TRUE(V.edgeInList.empty());
  EXPECT_TRUE(V.edgeOutList.empty());
  EXPECT_EQ(V.getCharSentence(), nullptr);
  EXPECT_EQ(V.getSizeCharSentence(), 0);
}

TEST(VertexTest, ComparatorsBreakNoTies) {
  using Less = bool (*)(const Vertex*, const Vertex*);
  const Less orders[] = {
      Vertex::comparePerNumPosText,
      Vertex::comparePerNumWordsSentence_Crescente,
      Vertex::comparePerNumWordsSentence_Decrescente,
      Vertex::comparePerNumWordsAfter,
      Vertex::comparePerPosTopic,
      Vertex::comparePerPosTopologicalList,
  };
  Vertex a(1, 4);
  Vertex b(2, 4);
  for (Vertex* V : {&a, &b}) {
    V->setNumWordsSentence(5);
    V->setNumWordsAfter(9);
    V->setPosTopic(2);
    V->setPosTopologialList(6);
  }
  for (size_t i = 0; i < sizeof orders / sizeof orders[0]; ++i) {
    EXPECT_FALSE(orders[i](&a, &b)) << "comparator " << i;
    EXPECT_FALSE(orders[i](&b, &a)) << "comparator " << i;
  }
}

TEST(VertexTest, ComparatorsOrderByTheirField) {
  Vertex low(1, 1);
  Vertex high(1, 2);
  low.setNumWordsSentence(3);
  high.setNumWordsSentence(8);
  low.setNumWordsAfter(10);
  high.setNumWordsAfter(20);
  low.setPosTopic(0);
  high.setPosTopic(1);
  low.setPosTopologialList(0);
  high.setPosTopologialList(1);
  EXPECT_TRUE(Vertex::comparePerNumPosText(&low, &high));
  EXPECT_TRUE(Vertex::comparePerNumWordsSentence_Crescente(&low, &high));
  EXPECT_TRUE(Vertex::comparePerNumWordsSentence_Decrescente(&high, &low));
  EXPECT_TRUE(Vertex::comparePerNumWordsAfter(&high, &low));  // more after first
  EXPECT_TRUE(Vertex::comparePerPosTopic(&low, &high));
  EXPECT_TRUE(Vertex::comparePerPosTopologicalList(&high, &low));
}

TEST(VertexTest, CompareVertexesIsIdentityEquality) {
  Vertex a(2, 5);
  Vertex sameSentence(2, 5);
  Vertex otherText(3, 5);
  Vertex otherPlace(2, 6);
  EXPECT_TRUE(Vertex::compareVertexes(&a, &sameSentence));
  EXPECT_FALSE(Vertex::compareVertexes(&a, &otherText));
  EXPECT_FALSE(Vertex::compareVertexes(&a, &otherPlace));
}

TEST(VertexTest, PrintsWriteIdentityAndSentence) {
  Vertex V(2, 5);
  V.setStringSentence("Ola.");
  testing::internal::CaptureStdout();
  V.print();
  Vertex::printVectorVertex({&V});
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "V(2,5):Ola.\nV(5,2) Ola. \n");
}

TEST(VertexTest, CreateCharSentenceKeepsLoweredContentWords) {
  const std::vector<std::string> stops = {"de", "a", "o"};
  const std::string longWord(1000, 'x');
  struct Case {
    const char* name;
    std::string sentence;
    std::vector<std::string> stopList;
    std::string words;
  } cases[] = {
      {"empty", "", stops, ""},
      {"stop words and punctuation only", "De a, o.", stops, ""},
      {"comma and full stop", "Casa, Rua.", {}, "casa|rua"},
      {"two spaces after the comma", "Casa,  Rua.", {}, "casa|rua"},
      {"apostrophe splits", "d'agua", {}, "d|agua"},
      {"hyphen joins", "guarda-chuva", {}, "guarda-chuva"},
      {"tab joins", "casa\trua", {}, "casa\trua"},
      {"stop word lowered first", "Casa DE Pedra", stops, "casa|pedra"},
      {"accented capital kept", "\xC3\x81gua agua", {}, "\xC3\x81gua|agua"},
      {"repeated words kept", "rio casa rio", {}, "rio|casa|rio"},
      {"every bracket and mark", "a[b]c(d)e/f\"g?h!i;j:k", {}, "a|b|c|d|e|f|g|h|i|j|k"},
      {"more words than spaces", "a,b,c,d,e,f,g", {}, "a|b|c|d|e|f|g"},
      {"word of 99 bytes", std::string(99, 'y'), {}, std::string(99, 'y')},
      {"word of 1000 bytes", longWord + " fim", {}, longWord + "|fim"},
  };
  for (const Case& c : cases) {
    Vertex V(1, 1);
    V.createCharSentence(c.sentence, c.stopList);
    EXPECT_EQ(words(V), c.words) << c.name;
    EXPECT_EQ(V.getCharSentence()[V.getSizeCharSentence()], nullptr) << c.name;
  }
}

TEST(VertexTest, CreateCharSentenceTwiceReplacesTheArray) {
  Vertex V(1, 1);
  V.createCharSentence("um dois tres", {});
  V.createCharSentence("quatro", {});
  EXPECT_EQ(words(V), "quatro");
}

// Word arrays come three ways (one block from createCharSentence, the array
// shared by every sentence without words, an array handed in); each is
// released the way it was made, whatever replaces it (the sanitizer build
// checks every release).
TEST(VertexTest, WordArraysChangeHandsSafely) {
  Vertex V(1, 1);
  V.createCharSentence("um dois", {});
  V.createCharSentence("", {});
  Vertex other(1, 2);
  other.createCharSentence("e", {"e"});
  EXPECT_EQ(other.getCharSentence()[0], nullptr);
  char** handed = new char*[2];
  handed[0] = new char[5];
  std::memcpy(handed[0], "tres", 5);
  handed[1] = nullptr;
  V.setCharSentence(handed);
  V.setSizeCharSentence(1);
  EXPECT_EQ(words(V), "tres");
  V.createCharSentence("quatro cinco", {});
  EXPECT_EQ(words(V), "quatro|cinco");
  V.setCharSentence(nullptr);
  EXPECT_EQ(V.getCharSentence(), nullptr);
  V.createCharSentence("", {});
  EXPECT_EQ(words(V), "");
}
