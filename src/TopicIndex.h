// The topics of the clustering while they grow, indexed by word, so that a
// new sentence is weighed only against the topics it shares a word with.

#ifndef SENTRALIGN_TOPICINDEX_H_
#define SENTRALIGN_TOPICINDEX_H_

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class SentenceWords;

// Topics as lists of sentence numbers of a SentenceWords table (not owned;
// it must outlive the index), in the order the sentences joined. For every
// topic and word the index keeps the sum over the topic's members of
// count / magnitude, the topic's share of the word in the cosine; with it a
// sentence's mean cosine with a topic is estimated from the words they
// share, to within a proven relative error. Only topics whose estimate lies
// within that error of the threshold are summed member by member, the exact
// way.
class TopicIndex {
 public:
  explicit TopicIndex(SentenceWords* words);
  TopicIndex(const TopicIndex&) = delete;
  TopicIndex& operator=(const TopicIndex&) = delete;

  int numTopics() const { return static_cast<int>(members_.size()); }

  // Opens a new last topic holding only sentence s; returns its number.
  int addTopic(int s);
  // Appends sentence s to topic t.
  void join(int t, int s);

  // The first topic, in the order they were opened, that sentence s joins:
  // the single-precision mean over the topic's members of the cosine with
  // s, summed in member order, is greater than the double 0.3. -1 when no
  // topic qualifies, which is always so for a sentence without words.
  int firstQualifyingTopic(int s);

 private:
  struct Posting {
    int topic;
    float weight;  // sum over the topic's members of count / magnitude
  };

  bool isDense(int w) const { return denseSlot_[static_cast<std::size_t>(w)] >= 0; }
  void addWeights(int t, int s);
  void updateSizeBound(int t);
  bool mayMissSharedTopics(int s, float cut) const;
  int scanAllTopics(int s, float cut);
  int scanSharedTopics(int s, float cut);
  bool qualifies(int s, int t, float score);
  double exactMean(int s, int t);

  SentenceWords* words_;
  std::vector<std::vector<int>> members_;
  // Per topic: the largest orderSlack of a member, and its size divided by
  // the topic's share of the error bound (0 when that bound is too wide to
  // filter with).
  std::vector<float> slack_;
  std::vector<float> sizeBound_;

  // Words most sentences hold keep a column of weights over all topics
  // (denseSlot_ >= 0); the others a list of the topics that hold them.
  std::vector<int> denseSlot_;
  std::vector<std::vector<float>> denseWeight_;
  // Per dense word: at least the largest weight / size of any topic.
  std::vector<float> denseMax_;
  // The largest share of the error bound of any topic.
  double largestTopicError_ = 0.0;
  std::vector<std::vector<Posting>> postings_;
  // (topic << 32 | word) -> place of the topic in postings_[word].
  std::unordered_map<std::uint64_t, std::uint32_t> postingOf_;

  // Scratch of firstQualifyingTopic: scores per topic, valid where the
  // stamp equals query_.
  int query_ = 0;
  int markedSentence_ = -1;
  std::vector<float> score_;
  std::vector<int> stamp_;
  std::vector<int> touched_;
  std::vector<int> candidates_;
};

#endif  // SENTRALIGN_TOPICINDEX_H_
