#include "TopicIndex.h"

#include <algorithm>

#include "SentenceWords.h"

// Why the estimate decides exactly. For sentence V and topic T let m be the
// mean the clustering computes: per member M the double cosine
// dot / (magV * magM), added to a float sum rounded after each addition,
// the sum divided by |T| in float. A member sharing no word with V adds
// exactly +0.0, which leaves the (non-negative) sum unchanged, so a topic
// sharing no word with V has mean +0.0 and never qualifies; only topics
// found through V's words are looked at. For those, the real value
//   sum over M of dot / (magV * magM) / |T|
//     = sum over words w of V of countV(w) * W_T(w) / (magV * |T|),
// where W_T(w) = sum over M of countM(w) / magM, is what the index stores.
// The float mean differs from that real value by at most about
// (|T| + 2) unit roundoffs (its |T| additions and its division), the float
// score of the index by (|T| + d + 4) (d: distinct words of V), and the
// magnitude of M in a pair from its own one by M's orderSlack. The bound
// used, kErrorFactor times the sum, is twice that: an estimate farther from
// 0.3 than the bound decides like the exact sum; a nearer one is summed
// exactly.

namespace {

constexpr double kThreshold = 0.3;
constexpr double kUnitRoundoff = 1.0 / (1 << 24);
constexpr double kErrorFactor = 4.0 * kUnitRoundoff;
// Beyond this relative error the estimate decides nothing.
constexpr double kWidestError = 0.125;
// A word that at least one sentence in kDenseShare holds, and at least
// kMinDense sentences, is kept as a column over all topics.
constexpr int kDenseShare = 16;
constexpr int kMinDense = 16;

size_t idx(int i) { return static_cast<size_t>(i); }

std::uint64_t postingKey(int t, int w) {
  return static_cast<std::uint64_t>(t) << 32 | static_cast<std::uint32_t>(w);
}

}  // namespace

TopicIndex::TopicIndex(SentenceWords* words) : words_(words) {
  const int denseFrom = std::max(kMinDense, words->numSentences() / kDenseShare);
  denseSlot_.assign(idx(words->numWords()), -1);
  postings_.resize(idx(words->numWords()));
  for (int w = 0; w < words->numWords(); ++w) {
    if (words->sentencesWith(w) < denseFrom) continue;
    denseSlot_[idx(w)] = static_cast<int>(denseWeight_.size());
    denseWeight_.emplace_back();
    denseMax_.push_back(0.0f);
  }
}

int TopicIndex::addTopic(int s) {
  const int t = numTopics();
  members_.emplace_back(1, s);
  slack_.push_back(words_->orderSlack(s));
  sizeBound_.push_back(0.0f);
  score_.push_back(0.0f);
  stamp_.push_back(0);
  for (std::vector<float>& column : denseWeight_) column.push_back(0.0f);
  updateSizeBound(t);
  addWeights(t, s);
  return t;
}

void TopicIndex::join(int t, int s) {
  members_[idx(t)].push_back(s);
  slack_[idx(t)] = std::max(slack_[idx(t)], words_->orderSlack(s));
  updateSizeBound(t);
  addWeights(t, s);
}

void TopicIndex::updateSizeBound(int t) {
  const double size = static_cast<double>(members_[idx(t)].size());
  const double error = kErrorFactor * (2.0 * size + 4.0) + 4.0 * slack_[idx(t)];
  largestTopicError_ = std::max(largestTopicError_, error);
  sizeBound_[idx(t)] =
      error >= kWidestError / 2 ? 0.0f : static_cast<float>(size / (1.0 + error));
}

void TopicIndex::addWeights(int t, int s) {
  const int* ids = words_->wordIds(s);
  const int* counts = words_->wordCounts(s);
  const float magnitude = words_->magnitude(s);
  const float size = static_cast<float>(members_[idx(t)].size());
  for (int k = 0; k < words_->numDistinct(s); ++k) {
    const int w = ids[k];
    const float weight = static_cast<float>(counts[k]) / magnitude;
    if (isDense(w)) {
      const size_t slot = idx(denseSlot_[idx(w)]);
      float& column = denseWeight_[slot][idx(t)];
      column += weight;
      denseMax_[slot] = std::max(denseMax_[slot], column / size);
      continue;
    }
    std::vector<Posting>& list = postings_[idx(w)];
    const auto found =
        postingOf_.try_emplace(postingKey(t, w), static_cast<std::uint32_t>(list.size()));
    if (found.second) {
      list.push_back({t, weight});
      continue;
    }
    list[found.first->second].weight += weight;
  }
}

int TopicIndex::firstQualifyingTopic(int s) {
  const int d = words_->numDistinct(s);
  if (d == 0 || members_.empty()) return -1;
  ++query_;
  // The sentence's share of the error bound goes into the cut, the topic's
  // into sizeBound_: a topic is looked at when score >= cut * sizeBound_.
  const double error = kErrorFactor * (d + 4.0);
  const float cut =
      error >= kWidestError / 2
          ? 0.0f
          : static_cast<float>(kThreshold * words_->magnitude(s) / (1.0 + error) *
                               (1.0 - 8.0 * kUnitRoundoff));
  if (mayMissSharedTopics(s, cut)) return scanAllTopics(s, cut);
  return scanSharedTopics(s, cut);
}

// Whether a topic that holds none of the sparse words of s might still pass
// the filter on its dense words alone. Its score is at most its size times
// the sum of count * denseMax_ over the dense words of s, up to rounding.
bool TopicIndex::mayMissSharedTopics(int s, float cut) const {
  const int* ids = words_->wordIds(s);
  const int* counts = words_->wordCounts(s);
  double bound = 0.0;
  bool dense = false;
  for (int k = 0; k < words_->numDistinct(s); ++k) {
    if (!isDense(ids[k])) continue;
    dense = true;
    bound += static_cast<double>(counts[k]) * denseMax_[idx(denseSlot_[idx(ids[k])])];
  }
  if (!dense) return false;
  if (largestTopicError_ >= kWidestError / 2) return true;
  const double rounding = kErrorFactor * (words_->numDistinct(s) + 16.0);
  return bound * (1.0 + largestTopicError_ + rounding) >=
         static_cast<double>(cut) * (1.0 - 4.0 * kUnitRoundoff);
}

int TopicIndex::scanAllTopics(int s, float cut) {
  const size_t n = members_.size();
  std::fill(score_.begin(), score_.begin() + static_cast<std::ptrdiff_t>(n), 0.0f);
  const int* ids = words_->wordIds(s);
  const int* counts = words_->wordCounts(s);
  for (int k = 0; k < words_->numDistinct(s); ++k) {
    const float count = static_cast<float>(counts[k]);
    if (isDense(ids[k])) {
      const float* column = denseWeight_[idx(denseSlot_[idx(ids[k])])].data();
      float* score = score_.data();
      for (size_t t = 0; t < n; ++t) score[t] += count * column[t];
      continue;
    }
    for (const Posting& p : postings_[idx(ids[k])]) {
      score_[idx(p.topic)] += count * p.weight;
    }
  }
  for (size_t t = 0; t < n; ++t) {
    if (score_[t] <= 0.0f || score_[t] < cut * sizeBound_[t]) continue;
    if (qualifies(s, static_cast<int>(t), score_[t])) return static_cast<int>(t);
  }
  return -1;
}

int TopicIndex::scanSharedTopics(int s, float cut) {
  touched_.clear();
  const int* ids = words_->wordIds(s);
  const int* counts = words_->wordCounts(s);
  for (int k = 0; k < words_->numDistinct(s); ++k) {
    if (isDense(ids[k])) continue;
    const float count = static_cast<float>(counts[k]);
    for (const Posting& p : postings_[idx(ids[k])]) {
      const size_t t = idx(p.topic);
      if (stamp_[t] != query_) {
        stamp_[t] = query_;
        score_[t] = 0.0f;
        touched_.push_back(p.topic);
      }
      score_[t] += count * p.weight;
    }
  }
  for (int k = 0; k < words_->numDistinct(s); ++k) {
    if (!isDense(ids[k])) continue;
    const float count = static_cast<float>(counts[k]);
    const std::vector<float>& column = denseWeight_[idx(denseSlot_[idx(ids[k])])];
    for (int t : touched_) score_[idx(t)] += count * column[idx(t)];
  }
  candidates_.clear();
  for (int t : touched_) {
    if (score_[idx(t)] >= cut * sizeBound_[idx(t)]) candidates_.push_back(t);
  }
  std::sort(candidates_.begin(), candidates_.end());
  for (int t : candidates_) {
    if (qualifies(s, t, score_[idx(t)])) return t;
  }
  return -1;
}

bool TopicIndex::qualifies(int s, int t, float score) {
  const double size = static_cast<double>(members_[idx(t)].size());
  const double error =
      kErrorFactor * (2.0 * size + words_->numDistinct(s) + 8.0) + 4.0 * slack_[idx(t)];
  if (error < kWidestError) {
    const double estimate =
        static_cast<double>(score) / (static_cast<double>(words_->magnitude(s)) * size);
    if (estimate * (1.0 - error) > kThreshold) return true;
    if (estimate * (1.0 + error) < kThreshold) return false;
  }
  return exactMean(s, t) > kThreshold;
}

double TopicIndex::exactMean(int s, int t) {
  if (markedSentence_ != s) {
    words_->mark(s);
    markedSentence_ = s;
  }
  const std::vector<int>& members = members_[idx(t)];
  float sum = 0.0f;
  for (int M : members) {
    sum = static_cast<float>(static_cast<double>(sum) + words_->cosineWithMarked(M));
  }
  const float mean = sum / static_cast<float>(members.size());
  return static_cast<double>(mean);
}
