#include "engine/SentenceWords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TopicalOrdering.h"
#include "test_util.h"

namespace {

// Word arrays that outlive the table built on them.
class Arrays {
 public:
  char* const* add(const std::vector<std::string>& words) {
    store_.emplace_back(words);
    pointers_.emplace_back();
    for (std::string& w : store_.back()) pointers_.back().push_back(&w[0]);
    pointers_.back().push_back(nullptr);
    return pointers_.back().data();
  }

 private:
  std::vector<std::vector<std::string>> store_;
  std::vector<std::vector<char*>> pointers_;
};

}  // namespace

TEST(SentenceWordsTest, KeepsDistinctWordsInFirstOccurrenceOrder) {
  Arrays arrays;
  SentenceWords table;
  const std::vector<std::string> words = {"b", "a", "b", "c", "a", "b"};
  EXPECT_EQ(table.add(arrays.add(words), 6), 0);
  EXPECT_EQ(table.add(arrays.add({"c"}), 1), 1);
  EXPECT_EQ(table.add(nullptr, 0), 2);

  ASSERT_EQ(table.numDistinct(0), 3);
  std::string order;
  for (int k = 0; k < 3; ++k) {
    order += std::to_string(table.wordIds(0)[k]) + "x" +
             std::to_string(table.wordCounts(0)[k]) + " ";
  }
  EXPECT_EQ(order, "0x3 1x2 2x1 ");
  EXPECT_EQ(table.wordIds(1)[0], 2);
  EXPECT_EQ(table.numDistinct(2), 0);
  EXPECT_EQ(table.numWords(), 3);
  EXPECT_EQ(table.sentencesWith(2), 2);
  EXPECT_EQ(table.magnitude(0), std::sqrt(14.0f));
  EXPECT_EQ(table.magnitude(2), 0.0f);
}

TEST(SentenceWordsTest, OrderMattersOnlyBeyondTwoToTheTwentyFourth) {
  Arrays arrays;
  SentenceWords table;
  // 4096^2 = 2^24 still sums exactly; 4096^2 + 1 may not.
  table.add(arrays.add(repeated("x", 4096)), 4096);
  table.add(arrays.add(concat(repeated("x", 4096), {"y"})), 4097);
  table.add(arrays.add(concat(repeated("x", 4097), {"y"})), 4098);
  EXPECT_EQ(table.orderSlack(0), 0.0f);
  EXPECT_GT(table.orderSlack(1), 0.0f);
  // 16785409 rounds to 16785408, and adding 1 rounds back to it.
  EXPECT_EQ(table.magnitude(2), std::sqrt(16785408.0f));
}

// The cosine of the table is the one createTopics sums: it must equal
// cosineSimilarity of the same two arrays, bit for bit, also where the
// second magnitude depends on the first array's order.
TEST(SentenceWordsTest, CosineIsTheClusteringCosine) {
  const std::vector<std::string> ys = numbered("y", 20);
  struct Case {
    const char* name;
    std::vector<std::string> a, b;
  } cases[] = {
      {"repeated words", {"casa", "casa", "rio"}, {"casa"}},
      {"shared words in another order",
       {"rio", "mar", "casa"},
       {"casa", "sol", "rio", "rio"}},
      {"no shared word", {"casa"}, {"rio"}},
      {"empty first array", {}, {"rio"}},
      {"products beyond 32 bits", repeated("x", 50000),
       concat(repeated("x", 50000), {"y"})},
      // B = 4097 x and 20 y: the y's first give 16785428, x first 16785408.
      {"second magnitude in the first array's order", ys,
       concat(repeated("x", 4097), ys)},
      {"x first in both", concat({"x"}, ys), concat(repeated("x", 4097), ys)},
      {"x last in the first array", concat(ys, {"x"}), concat(repeated("x", 4097), ys)},
  };
  for (const Case& c : cases) {
    Arrays arrays;
    SentenceWords table;
    char* const* a = arrays.add(c.a);
    char* const* b = arrays.add(c.b);
    const int sizeA = static_cast<int>(c.a.size());
    const int sizeB = static_cast<int>(c.b.size());
    table.add(a, sizeA);
    table.add(b, sizeB);
    table.mark(0);
    EXPECT_EQ(table.cosineWithMarked(1),
              TopicalOrdering::cosineSimilarity(const_cast<char**>(a),
                                                const_cast<char**>(b), sizeA, sizeB))
        << c.name;
  }
}
