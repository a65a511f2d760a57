// The library's agreement measures on lists of sentence identities.

#include "sentralign/Measures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using sentralign::SentenceId;

TEST(MeasuresTest, KnownAgreements) {
  const std::vector<SentenceId> h = {{1, 1}, {1, 2}, {2, 1}, {3, 4}};
  struct Case {
    const char* name;
    std::vector<SentenceId> ordered, human;
    float TS, TK;
  } cases[] = {
      {"same order", h, h, 1.0f, 1.0f},
      {"reversed", {{3, 4}, {2, 1}, {1, 2}, {1, 1}}, h, -1.0f, -1.0f},
      {"first two swapped",
       {{1, 2}, {1, 1}, {2, 1}},
       {{1, 1}, {1, 2}, {2, 1}},
       0.5f,
       1.0f / 3.0f},
      {"two swapped", {{1, 2}, {1, 1}}, {{1, 1}, {1, 2}}, -1.0f, -1.0f},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sentralign::spearmanTS(c.ordered, c.human), c.TS) << c.name;
    EXPECT_EQ(sentralign::kendallTK(c.ordered, c.human), c.TK) << c.name;
    EXPECT_NEAR(sentralign::kendallTauB(c.ordered, c.human), c.TK, 1e-7) << c.name;
  }
  EXPECT_TRUE(std::isnan(sentralign::kendallTK({{1, 1}}, {{1, 1}})));
  EXPECT_TRUE(std::isnan(sentralign::spearmanTS({}, {})));
}

TEST(MeasuresTest, ListsOfOtherSentencesAreRefused) {
  struct Case {
    std::vector<SentenceId> ordered, human;
    std::string why;
  } cases[] = {
      {{{1, 1}}, {{1, 1}, {1, 2}}, "1 sentencas contra 2"},
      {{{1, 1}, {1, 1}}, {{1, 1}, {1, 2}}, "1.1 repetida"},
      {{{1, 1}, {2, 2}}, {{1, 1}, {1, 2}}, "2.2 falta na ordenacao humana"},
      {{{1, 1}, {1, 2}}, {{1, 2}, {1, 2}}, "1.2 repetida"},
  };
  for (const Case& c : cases) {
    try {
      sentralign::kendallTK(c.ordered, c.human);
      ADD_FAILURE() << c.why;
    } catch (const sentralign::Error& e) {
      EXPECT_EQ(e.kind(), sentralign::Error::Kind::kInvalidInput);
      EXPECT_EQ(
          std::string(e.what()),
          "as duas ordenacoes devem ter as mesmas sentencas, cada uma uma vez: " + c.why);
    }
  }
}

}  // namespace
