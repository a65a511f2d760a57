#include "engine/TopicIndex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/SentenceWords.h"
#include "literal_topics.h"

namespace {

// The word array of a sentence, kept alive for the table that points into it.
struct Sentence {
  explicit Sentence(const std::vector<std::pair<std::string, int>>& counts) {
    for (const auto& wc : counts) {
      for (int k = 0; k < wc.second; ++k) store.push_back(wc.first);
    }
    for (std::string& w : store) pointers.push_back(&w[0]);
  }
  char** words() { return pointers.data(); }
  int size() const { return static_cast<int>(pointers.size()); }

  std::vector<std::string> store;
  std::vector<char*> pointers;
};

}  // namespace

// With a topic of hundreds of thousands of members, the single-precision
// sum of their cosines drifts from the real sum by far more than near the
// threshold matters. The members below all hold only "a", so every one has
// the cosine c of the sentence with them; summed in float over the topic,
// the mean lands on the other side of 0.3 from c itself in the first two
// rows. The index must decide as the float sum does (and must still decide
// a mean far from 0.3 at once, whatever the size).
TEST(TopicIndexTest, LargeTopicsDecideAsTheSingleFloatSumDoes) {
  struct Case {
    const char* name;
    int members;
    std::vector<std::pair<std::string, int>> sentence;
    bool crosses;  // the float mean and the cosine lie on two sides of 0.3
  } cases[] = {
      {"cosine 0.30075 that sums below 0.3",
       1 << 19,
       {{"a", 6}, {"b", 19}, {"c", 1}},
       true},
      {"cosine 0.29938 that sums above 0.3",
       1 << 20,
       {{"a", 11}, {"b", 35}, {"c", 2}},
       true},
      {"cosine 1", 1 << 19, {{"a", 1}}, false},
      {"cosine 0.196", 1 << 19, {{"a", 1}, {"b", 5}}, false},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    Sentence member({{"a", 1}});
    Sentence query(c.sentence);
    const double cosine = LiteralTopics::cosineSimilarity(query.words(), member.words(),
                                                          query.size(), member.size());
    float sum = 0.0f;
    for (int k = 0; k < c.members; ++k) {
      sum = static_cast<float>(static_cast<double>(sum) + cosine);
    }
    const bool joins = static_cast<double>(sum / static_cast<float>(c.members)) > 0.3;
    ASSERT_EQ(joins != (cosine > 0.3), c.crosses);

    SentenceWords words;
    for (int k = 0; k < c.members; ++k) words.add(member.words(), member.size());
    const int s = words.add(query.words(), query.size());
    TopicIndex index(&words);
    const int t = index.addTopic(0);
    for (int k = 1; k < c.members; ++k) index.join(t, k);
    EXPECT_EQ(index.firstQualifyingTopic(s), joins ? t : -1);
  }
}
