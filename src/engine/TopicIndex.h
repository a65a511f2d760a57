// The topics of the clustering while they grow, indexed by word, so that a
// new sentence is weighed only against the topics it can join.

#ifndef SENTRALIGN_ENGINE_TOPICINDEX_H_
#define SENTRALIGN_ENGINE_TOPICINDEX_H_

#include <cstddef>
#include <cstdint>
#include <vector>

class SentenceWords;

// Topics as lists of sentence numbers of a SentenceWords table (not owned;
// it must outlive the index), in the order the sentences joined. For every
// topic and word the index keeps the sum over the topic's members of
// count / magnitude, the topic's share of the word in the cosine; with it a
// sentence's mean cosine with a topic is estimated from the words they
// share, to within a proven factor exp(+-E), E growing with the topic's
// size. Only topics whose estimate lies within that factor of the threshold
// are summed member by member, the exact way. Words most sentences hold are kept as
// columns over all topics, the others as lists of the topics that hold them.
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
  // Per topic, for one query: its score, valid where stamp is the query.
  struct Score {
    int stamp = 0;
    float score = 0.0f;
  };
  // What the dense words of a sentence can add to a score.
  struct DenseReach {
    bool any = false;
    double byLargest = 0.0;  // sum of count * denseLargest_
    double norm = 0.0;       // square root of the sum of count^2
  };

  bool isDense(int w) const { return denseSlot_[static_cast<std::size_t>(w)] >= 0; }
  void addWeights(int t, int s);
  void updateBounds(int t);
  void placeByDenseNorm(int t, int level);
  std::uint32_t* postingPlace(int t, int w, std::uint32_t ifNew, bool* isNew);
  void growPostingPlaces();

  DenseReach denseReach(int s) const;
  int scanAllTopics(int s, float cut);
  int scanSharedTopics(int s, float cut, const DenseReach& reach, int fromDenseLevel);
  void keepPromisingTopics(int s, float cut, const DenseReach& reach);
  bool qualifies(int s, int t, float score);
  double exactMean(int s, int t);

  SentenceWords* words_;
  std::vector<std::vector<int>> members_;
  // Per topic: the largest orderSlack of a member, and its size times
  // exp(-(the topic's share of the error bound)), 0 when nothing bounds it.
  std::vector<float> slack_;
  std::vector<float> sizeBound_;
  // The largest share of the error bound of any topic.
  double largestTopicError_ = 0.0;

  // Words many sentences hold keep a column of weights over all topics
  // (denseSlot_ >= 0); the others a list of the topics that hold them.
  std::vector<int> denseSlot_;
  std::vector<std::vector<float>> denseWeight_;
  // Per dense word: at least the largest weight / size of any topic.
  std::vector<float> denseLargest_;
  // Per topic: the sum of the squares of its dense weights, and the bucket
  // (-1: none) and place there of the topic by the norm of its dense
  // weights divided by its size, a number from 0 to 1.
  std::vector<double> denseSquares_;
  std::vector<float> denseNorm_;  // square root of denseSquares_, rounded up
  std::vector<int> denseLevel_;
  std::vector<int> placeInLevel_;
  std::vector<std::vector<int>> topicsByDenseLevel_;

  std::vector<std::vector<Posting>> postings_;
  // Open addressing from (topic << 32 | word) to the place of the topic in
  // postings_[word]; a key of all ones marks a free slot.
  std::vector<std::uint64_t> placeKey_;
  std::vector<std::uint32_t> placeValue_;
  std::size_t placesUsed_ = 0;

  // Scratch of firstQualifyingTopic.
  int query_ = 0;
  int markedSentence_ = -1;
  std::vector<Score> score_;
  std::vector<int> touched_;
  std::vector<int> candidates_;
};

#endif  // SENTRALIGN_ENGINE_TOPICINDEX_H_
