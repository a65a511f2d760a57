#include "engine/SentenceWords.h"

#include <cmath>

namespace {

// Every integer up to 2^24 is a float, so a sum of squares that stays within
// it is exact in single precision whatever the order of its terms.
constexpr long long kExactFloatSum = 1LL << 24;
constexpr double kUnitRoundoff = 1.0 / (1 << 24);  // of single precision

long long square(int c) { return static_cast<long long>(c) * static_cast<long long>(c); }

}  // namespace

int SentenceWords::add(char* const* words, int size) {
  const int s = numSentences();
  const size_t first = ids_.size();
  for (int i = 0; i < size; ++i) {
    const auto found = idOf_.try_emplace(std::string_view(words[i]), numWords());
    const size_t w = idx(found.first->second);
    if (found.second) {
      sentencesWith_.push_back(0);
      lastSentence_.push_back(-1);
      slotInLast_.push_back(0);
    }
    if (lastSentence_[w] == s) {
      ++counts_[first + slotInLast_[w]];
      continue;
    }
    lastSentence_[w] = s;
    slotInLast_[w] = ids_.size() - first;
    ids_.push_back(found.first->second);
    counts_.push_back(1);
    ++sentencesWith_[w];
  }
  begin_.push_back(ids_.size());

  // Summed as the clustering sums it: squares rounded to float, then added
  // in first-occurrence order with rounding after each addition.
  float sum = 0.0f;
  long long exact = 0;
  for (size_t k = first; k < ids_.size(); ++k) {
    sum += static_cast<float>(square(counts_[k]));
    exact += square(counts_[k]);
  }
  magnitude_.push_back(std::sqrt(sum));
  // Beyond 2^24 another order of the same terms may round differently: each
  // of the d additions, the squares and the root add at most one unit
  // roundoff of relative error.
  float slack = 0.0f;
  if (exact > kExactFloatSum) {
    const double d = static_cast<double>(ids_.size() - first);
    slack = static_cast<float>(std::fmin(1.0, 1.1 * (d + 4.0) * kUnitRoundoff));
  }
  orderSlack_.push_back(slack);
  return s;
}

void SentenceWords::mark(int a) {
  if (markedStamp_.size() != sentencesWith_.size()) {
    markedStamp_.assign(sentencesWith_.size(), 0);
    markedCount_.assign(sentencesWith_.size(), 0);
    otherStampOf_.assign(sentencesWith_.size(), 0);
    otherCount_.assign(sentencesWith_.size(), 0);
  }
  marked_ = a;
  ++markStamp_;
  const int* ids = wordIds(a);
  const int* counts = wordCounts(a);
  for (int k = 0; k < numDistinct(a); ++k) {
    markedStamp_[idx(ids[k])] = markStamp_;
    markedCount_[idx(ids[k])] = counts[k];
  }
}

double SentenceWords::cosineWithMarked(int b) {
  const int* ids = wordIds(b);
  const int* counts = wordCounts(b);
  long long dot = 0;
  for (int k = 0; k < numDistinct(b); ++k) {
    const size_t w = idx(ids[k]);
    if (markedStamp_[w] != markStamp_) continue;
    dot += static_cast<long long>(markedCount_[w]) * counts[k];
  }
  if (dot == 0) return 0.0;
  const float magB = orderSlack_[idx(b)] == 0.0f ? magnitude_[idx(b)] : pairMagnitude(b);
  return static_cast<double>(dot) /
         (static_cast<double>(magnitude_[idx(marked_)]) * static_cast<double>(magB));
}

float SentenceWords::pairMagnitude(int b) {
  ++otherStamp_;
  const int* ids = wordIds(b);
  const int* counts = wordCounts(b);
  for (int k = 0; k < numDistinct(b); ++k) {
    otherStampOf_[idx(ids[k])] = otherStamp_;
    otherCount_[idx(ids[k])] = counts[k];
  }
  // The vocabulary lists the marked sentence's words first, in its order,
  // then the words only b has, in b's order; absent words add 0.
  float sum = 0.0f;
  const int* markedIds = wordIds(marked_);
  for (int k = 0; k < numDistinct(marked_); ++k) {
    const size_t w = idx(markedIds[k]);
    if (otherStampOf_[w] == otherStamp_)
      sum += static_cast<float>(square(otherCount_[w]));
  }
  for (int k = 0; k < numDistinct(b); ++k) {
    if (markedStamp_[idx(ids[k])] == markStamp_) continue;
    sum += static_cast<float>(square(counts[k]));
  }
  return std::sqrt(sum);
}
