#include "engine/PairCounts.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

namespace {

using sentralign::engine::countAscendingPairs;
using sentralign::engine::countJointlyAscendingPairs;
using sentralign::engine::countTiedPairs;

// The three counts, pair by pair.
struct Counts {
  long long ascendingA = 0, ascendingBoth = 0, tiedA = 0;
};

Counts countEveryPair(const std::vector<int>& a, const std::vector<int>& b) {
  Counts c;
  for (size_t i = 0; i < a.size(); ++i) {
    for (size_t j = i + 1; j < a.size(); ++j) {
      c.ascendingA += a[i] < a[j];
      c.ascendingBoth += a[i] < a[j] && b[i] < b[j];
      c.tiedA += a[i] == a[j];
    }
  }
  return c;
}

}  // namespace

// Values in a narrow span (places) and in a wide one (anything an int
// holds), with and without ties, each counted against every pair.
TEST(PairCountsTest, CountsAgreeWithEveryPairOnGeneratedLists) {
  std::mt19937 random(3);
  struct Range {
    const char* name;
    int low, high;
  } ranges[] = {{"places", 0, 40},
                {"few values", -2, 2},
                {"wide", INT_MIN, INT_MAX},
                {"sparse", 0, 1000}};
  for (const Range& range : ranges) {
    std::uniform_int_distribution<int> value(range.low, range.high);
    for (int draw = 0; draw < 200; ++draw) {
      const size_t n = static_cast<size_t>(draw % 40);
      std::vector<int> a(n), b(n);
      for (size_t i = 0; i < n; ++i) {
        a[i] = value(random);
        b[i] = value(random);
      }
      if (n > 1 && draw % 3 == 0) a[n - 1] = a[0];  // a tie at least
      const Counts expected = countEveryPair(a, b);
      SCOPED_TRACE(std::string(range.name) + ", draw " + std::to_string(draw));
      EXPECT_EQ(countAscendingPairs(a), expected.ascendingA);
      EXPECT_EQ(countJointlyAscendingPairs(a, b), expected.ascendingBoth);
      EXPECT_EQ(countTiedPairs(a), expected.tiedA);
    }
  }
}

TEST(PairCountsTest, JointCountReadsTheShorterLength) {
  EXPECT_EQ(countJointlyAscendingPairs({0, 1, 2}, {0, 1}), 1);
  EXPECT_EQ(countJointlyAscendingPairs({}, {3, 4}), 0);
}
