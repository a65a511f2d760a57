// The word arrays of a list of sentences with every word interned as a
// number, and the cosine of two of them computed the way the topic
// clustering defines it, to the last bit.

#ifndef SENTRALIGN_ENGINE_SENTENCEWORDS_H_
#define SENTRALIGN_ENGINE_SENTENCEWORDS_H_

#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/IntIndex.h"

// The content words of sentences 0, 1, 2, ... in the order they were added.
// Each sentence keeps its distinct words in the order of their first
// occurrence, with their counts, and the single-precision magnitude of its
// count vector. The words themselves are not copied: the arrays handed to
// add() must outlive this object.
class SentenceWords {
 public:
  SentenceWords() = default;
  SentenceWords(const SentenceWords&) = delete;
  SentenceWords& operator=(const SentenceWords&) = delete;

  // Appends the sentence of the `size` words of `words` (none when size is 0
  // or less) and returns its number.
  int add(char* const* words, int size);

  int numSentences() const { return static_cast<int>(begin_.size()) - 1; }
  int numWords() const { return static_cast<int>(sentencesWith_.size()); }

  // The distinct words of sentence s, first occurrence first: ids and counts,
  // numDistinct(s) of each.
  // (data() + offset: a sentence without words may stand at the end.)
  const int* wordIds(int s) const { return ids_.data() + begin_[idx(s)]; }
  const int* wordCounts(int s) const { return counts_.data() + begin_[idx(s)]; }
  int numDistinct(int s) const {
    return static_cast<int>(begin_[idx(s) + 1] - begin_[idx(s)]);
  }
  // The square root of the sum of the squared counts, in single precision,
  // summed in first-occurrence order; 0 for a sentence without words.
  float magnitude(int s) const { return magnitude_[idx(s)]; }
  // 0 when the magnitude of s comes out the same whatever the order of its
  // words; otherwise a bound on the relative difference between two orders.
  float orderSlack(int s) const { return orderSlack_[idx(s)]; }
  // How many sentences hold word w.
  int sentencesWith(int w) const { return sentencesWith_[idx(w)]; }

  // Makes sentence a the one compared by cosineWithMarked.
  void mark(int a);
  // The cosine of the marked sentence (as the first array) and sentence b
  // (as the second), exactly as the topic clustering computes it: 0 when no
  // word is shared, else dot / (magA * magB) in double precision.
  double cosineWithMarked(int b);

 private:
  static size_t idx(int i) { return sentralign::engine::idx(i); }
  // The magnitude of b as a vocabulary that starts with the words of the
  // marked sentence sums it.
  float pairMagnitude(int b);

  std::unordered_map<std::string_view, int> idOf_;
  std::vector<int> ids_;
  std::vector<int> counts_;
  std::vector<size_t> begin_ = {0};  // sentence s owns [begin_[s], begin_[s+1])
  std::vector<float> magnitude_;
  std::vector<float> orderSlack_;
  std::vector<int> sentencesWith_;
  std::vector<int> lastSentence_;   // per word: the last sentence that held it
  std::vector<size_t> slotInLast_;  // per word: its place in that sentence

  // The marked sentence: per word its count there, valid where the stamp
  // equals markStamp_.
  int marked_ = -1;
  int markStamp_ = 0;
  std::vector<int> markedStamp_;
  std::vector<int> markedCount_;
  // Scratch for pairMagnitude: the counts of b.
  int otherStamp_ = 0;
  std::vector<int> otherStampOf_;
  std::vector<int> otherCount_;
};

#endif  // SENTRALIGN_ENGINE_SENTENCEWORDS_H_
