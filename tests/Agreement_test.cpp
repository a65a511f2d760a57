#include "eval/Agreement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "Graph.h"
#include "Read.h"
#include "Vertex.h"
#include "literal_agreement.h"
#include "test_util.h"

namespace {

// A graph of n sentences 1.1 ... 1.n whose human order is their own.
class AgreementTest : public testing::Test {
 protected:
  void setHuman(int n) {
    for (int i = 1; i <= n; ++i) G.humanOrderedSumm.push_back(addTestVertex(&G, 1, i));
    Read::setAllPosHummanOrderedSumm(&G);
  }
  // The human vertices in the order of `places`, 0-based.
  std::vector<Vertex*> order(const std::vector<int>& places) const {
    std::vector<Vertex*> list;
    for (const int p : places) list.push_back(G.humanOrderedSumm[static_cast<size_t>(p)]);
    return list;
  }

  Graph G;
};

}  // namespace

TEST_F(AgreementTest, ScoresOfKnownOrderings) {
  setHuman(3);
  struct Case {
    const char* name;
    std::vector<int> places;
    double TS, TK, tauB, perfectMatch, inPlace;
  } cases[] = {
      {"same order", {0, 1, 2}, 1.0, 1.0, 1.0, 1.0, 1.0},
      {"reverse", {2, 1, 0}, -1.0, -1.0, -1.0, 0.0, 1.0 / 3},
      {"first two swapped",
       {1, 0, 2},
       0.5,
       static_cast<double>(1.0f / 3.0f),
       1.0 / 3,
       0.0,
       1.0 / 3},
      {"rotated", {1, 2, 0}, -0.5, static_cast<double>(-1.0f / 3.0f), -1.0 / 3, 0.0, 0.0},
  };
  for (const Case& c : cases) {
    const AgreementScores s = Agreement::score(G, order(c.places));
    EXPECT_EQ(s.n, 3) << c.name;
    EXPECT_EQ(s.TS, c.TS) << c.name;
    EXPECT_EQ(s.TK, c.TK) << c.name;
    EXPECT_DOUBLE_EQ(s.tauB, c.tauB) << c.name;
    EXPECT_EQ(s.perfectMatch, c.perfectMatch) << c.name;
    EXPECT_DOUBLE_EQ(s.inPlace, c.inPlace) << c.name;
  }
}

TEST_F(AgreementTest, FewSentencesLeaveScoresUndefined) {
  setHuman(1);
  AgreementScores s = Agreement::score(G, G.humanOrderedSumm);
  EXPECT_EQ(s.n, 1);
  EXPECT_TRUE(std::isnan(s.TS) && std::isnan(s.TK) && std::isnan(s.tauB));
  EXPECT_EQ(s.perfectMatch, 1.0);
  EXPECT_EQ(s.inPlace, 1.0);

  Graph empty;
  s = Agreement::score(empty, {});
  EXPECT_EQ(s.n, 0);
  EXPECT_TRUE(std::isnan(s.perfectMatch) && std::isnan(s.inPlace));
}

TEST_F(AgreementTest, RandomOrderingsAreSeededAndAveraged) {
  setHuman(2);
  // Two sentences: each shuffle is either the human order (every score 1,
  // TS and TK) or its reverse (-1, no sentence in place).
  const AgreementScores s = Agreement::randomOrdering(G, 100, 1, 7);
  EXPECT_EQ(s.n, 2);
  EXPECT_GT(s.perfectMatch, 0.0);
  EXPECT_LT(s.perfectMatch, 1.0);
  EXPECT_DOUBLE_EQ(s.TS, 2 * s.perfectMatch - 1);
  EXPECT_DOUBLE_EQ(s.TK, s.TS);
  EXPECT_DOUBLE_EQ(s.inPlace, s.perfectMatch);

  const AgreementScores again = Agreement::randomOrdering(G, 100, 1, 7);
  EXPECT_EQ(again.TS, s.TS);
  bool anotherSeedDiffers = false;
  for (std::uint64_t seed = 2; seed < 10; ++seed) {
    anotherSeedDiffers |= Agreement::randomOrdering(G, 100, seed, 7).TS != s.TS;
  }
  EXPECT_TRUE(anotherSeedDiffers);
  EXPECT_TRUE(std::isnan(Agreement::randomOrdering(G, 0, 1, 7).TS));
}

TEST_F(AgreementTest, RandomOrderingsAreTheSameOnEveryPlatform) {
  // Pinned: the generator, the seeding and the draw are all fully
  // specified, so these figures hold for every compiler and library.
  setHuman(5);
  const AgreementScores s = Agreement::randomOrdering(G, 100, 1, 0);
  EXPECT_DOUBLE_EQ(s.TS, -0.045000000596046447);
  EXPECT_DOUBLE_EQ(s.inPlace, 0.19);
}

// Tau-b counts its pairs in O(n log n); on every ordering, repeated
// sentences included, it must give the pair-by-pair figure exactly.
TEST_F(AgreementTest, TauBMatchesThePairByPairCount) {
  setHuman(60);
  const std::vector<Vertex*> all = G.humanOrderedSumm;
  std::mt19937 random(5);
  auto below = [&](size_t k) {
    return std::uniform_int_distribution<size_t>(0, k - 1)(random);
  };
  for (int draw = 0; draw < 300; ++draw) {
    const size_t n = 2 + below(59);
    G.humanOrderedSumm.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(n));
    Read::setAllPosHummanOrderedSumm(&G);
    std::vector<Vertex*> ordered = G.humanOrderedSumm;
    std::shuffle(ordered.begin(), ordered.end(), random);
    for (size_t k = below(3) == 0 ? below(n) : 0; k > 0; --k) {
      ordered[below(n)] = ordered[below(n)];
    }
    const AgreementScores s = Agreement::score(G, ordered);
    ASSERT_EQ(s.tauB, literalTauB(G.humanOrderedSumm, ordered)) << "draw " << draw;
  }
}

TEST_F(AgreementTest, ShortOrderingLeavesKendallScoresUndefined) {
  setHuman(4);
  const AgreementScores s = Agreement::score(G, order({0, 1, 2}));
  EXPECT_TRUE(std::isnan(s.TS) && std::isnan(s.TK) && std::isnan(s.tauB));
}
