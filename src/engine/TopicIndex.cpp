#include "engine/TopicIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/IntIndex.h"
#include "engine/SentenceWords.h"

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
//
// Every term of these sums is non-negative, and each rounding multiplies
// what it rounds by some 1 + e with |e| <= u (the unit roundoff of single
// precision). So the float mean is the real value times a product of at
// most |T| + 2 such factors (its |T| additions, its division, |T| as a
// float), the float score of the index the real value times at most
// |T| + d + 4 of them (d: distinct words of V), and the magnitude of M in a
// pair differs from its own one by at most M's orderSlack. The ratio of the
// two therefore lies between exp(-E) and exp(E) with
//   E = u * (2|T| + d + 6) * (1 + u) + (a few double roundings) + slack
// for any size of topic: a product of k factors 1 + e lies between
// (1 - u)^k >= exp(-k * u * (1 + u)) and (1 + u)^k <= exp(k * u). The bound
// used, kErrorFactor * (2|T| + d + 8) + kSlackFactor * slack, is twice that:
// an estimate above 0.3 * exp(bound) or below 0.3 * exp(-bound) decides
// like the exact sum; a nearer one is summed exactly. Unlike a bound of the
// form 1 +- E, this one never stops deciding far from the threshold however
// large a topic grows (at a million members a mean estimated outside
// 0.24 .. 0.38 decides at once).
//
// Topics are found through the posting lists of V's words. The words held
// by many sentences (dense words) have no lists: a topic that shares only
// dense words with V is looked at when a bound on what they can add lets it
// pass: the sum of countV(w) * (largest W_T(w) / |T| of any topic), or by
// Cauchy-Schwarz the norm of V's dense counts times the norm of the topic's
// dense weights, which is what the topics are bucketed by.

namespace {

constexpr double kThreshold = 0.3;
constexpr double kUnitRoundoff = 1.0 / (1 << 24);
constexpr double kErrorFactor = 2.0 * kUnitRoundoff;
// A topic's largest orderSlack widens the bound by kSlackFactor times it.
// From kWidestSlack on (magnitudes of sentences with millions of distinct
// words) nothing bounds the ratio, and such a topic is summed exactly.
constexpr double kSlackFactor = 4.0;
constexpr double kWidestSlack = 0.5;
// A word that at least one sentence in kDenseShare holds, and at least
// kMinDense sentences, is kept as a column over all topics.
constexpr int kDenseShare = 16;
constexpr int kMinDense = 16;
// Topics are bucketed by the norm of their dense weights over their size in
// steps of 1 / kDenseLevels; the norms are stored a little high so that
// their rounding keeps them upper bounds.
constexpr int kDenseLevels = 64;
constexpr double kNormInflation = 1.0 + 1e-6;
// Looking at more than one topic in kScanShare one by one costs more than
// scoring all of them in one pass.
constexpr std::size_t kScanShare = 4;
constexpr std::uint64_t kFreeKey = ~std::uint64_t{0};

using sentralign::engine::idx;

// The topic's share of the bound on the log of exact mean / estimate.
double topicError(double size, float slack) {
  if (slack >= kWidestSlack) return std::numeric_limits<double>::infinity();
  return kErrorFactor * (2.0 * size + 4.0) + kSlackFactor * slack;
}

// The sentence's share, for d distinct words.
double sentenceError(int d) { return kErrorFactor * (d + 4.0); }

std::uint64_t postingKey(int t, int w) {
  return static_cast<std::uint64_t>(t) << 32 | static_cast<std::uint32_t>(w);
}

// The 64-bit finalizer of splitmix64: every key bit reaches the low bits.
size_t slotOf(std::uint64_t key, size_t mask) {
  key = (key ^ (key >> 30)) * 0xBF58476D1CE4E5B9ULL;
  key = (key ^ (key >> 27)) * 0x94D049BB133111EBULL;
  return static_cast<size_t>(key ^ (key >> 31)) & mask;
}

}  // namespace

TopicIndex::TopicIndex(SentenceWords* words)
    : words_(words),
      topicsByDenseLevel_(kDenseLevels),
      placeKey_(1024, kFreeKey),
      placeValue_(1024, 0) {
  const int denseFrom = std::max(kMinDense, words->numSentences() / kDenseShare);
  denseSlot_.assign(idx(words->numWords()), -1);
  postings_.resize(idx(words->numWords()));
  for (int w = 0; w < words->numWords(); ++w) {
    if (words->sentencesWith(w) < denseFrom) continue;
    denseSlot_[idx(w)] = static_cast<int>(denseWeight_.size());
    denseWeight_.emplace_back();
    denseLargest_.push_back(0.0f);
  }
}

int TopicIndex::addTopic(int s) {
  const int t = numTopics();
  members_.emplace_back(1, s);
  slack_.push_back(words_->orderSlack(s));
  sizeBound_.push_back(0.0f);
  score_.emplace_back();
  for (std::vector<float>& column : denseWeight_) column.push_back(0.0f);
  denseSquares_.push_back(0.0);
  denseNorm_.push_back(0.0f);
  denseLevel_.push_back(-1);
  placeInLevel_.push_back(0);
  addWeights(t, s);
  updateBounds(t);
  return t;
}

void TopicIndex::join(int t, int s) {
  members_[idx(t)].push_back(s);
  slack_[idx(t)] = std::max(slack_[idx(t)], words_->orderSlack(s));
  addWeights(t, s);
  updateBounds(t);
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
      const double before = column;
      column += weight;
      denseSquares_[idx(t)] += static_cast<double>(column) * column - before * before;
      denseLargest_[slot] = std::max(denseLargest_[slot], column / size);
      continue;
    }
    std::vector<Posting>& list = postings_[idx(w)];
    bool isNew = false;
    const std::uint32_t* place =
        postingPlace(t, w, static_cast<std::uint32_t>(list.size()), &isNew);
    if (isNew) {
      list.push_back({t, weight});
      continue;
    }
    list[*place].weight += weight;
  }
}

void TopicIndex::updateBounds(int t) {
  const double size = static_cast<double>(members_[idx(t)].size());
  const double error = topicError(size, slack_[idx(t)]);
  largestTopicError_ = std::max(largestTopicError_, error);
  sizeBound_[idx(t)] = static_cast<float>(size * std::exp(-error));

  int level = -1;
  denseNorm_[idx(t)] =
      static_cast<float>(std::sqrt(denseSquares_[idx(t)]) * kNormInflation);
  if (denseSquares_[idx(t)] > 0.0) {
    const double norm = denseNorm_[idx(t)] / size;
    level = static_cast<int>(std::min(norm * kDenseLevels, kDenseLevels - 1.0));
  }
  placeByDenseNorm(t, level);
}

void TopicIndex::placeByDenseNorm(int t, int level) {
  const int before = denseLevel_[idx(t)];
  if (before == level) return;
  if (before >= 0) {
    std::vector<int>& bucket = topicsByDenseLevel_[idx(before)];
    const int moved = bucket.back();
    bucket[idx(placeInLevel_[idx(t)])] = moved;
    placeInLevel_[idx(moved)] = placeInLevel_[idx(t)];
    bucket.pop_back();
  }
  denseLevel_[idx(t)] = level;
  if (level < 0) return;
  std::vector<int>& bucket = topicsByDenseLevel_[idx(level)];
  placeInLevel_[idx(t)] = static_cast<int>(bucket.size());
  bucket.push_back(t);
}

std::uint32_t* TopicIndex::postingPlace(int t, int w, std::uint32_t ifNew, bool* isNew) {
  if ((placesUsed_ + 1) * 2 > placeKey_.size()) growPostingPlaces();
  const std::uint64_t key = postingKey(t, w);
  const size_t mask = placeKey_.size() - 1;
  for (size_t i = slotOf(key, mask);; i = (i + 1) & mask) {
    if (placeKey_[i] == key) {
      *isNew = false;
      return &placeValue_[i];
    }
    if (placeKey_[i] != kFreeKey) continue;
    placeKey_[i] = key;
    placeValue_[i] = ifNew;
    ++placesUsed_;
    *isNew = true;
    return &placeValue_[i];
  }
}

void TopicIndex::growPostingPlaces() {
  std::vector<std::uint64_t> keys(placeKey_.size() * 2, kFreeKey);
  std::vector<std::uint32_t> values(keys.size(), 0);
  const size_t mask = keys.size() - 1;
  for (size_t j = 0; j < placeKey_.size(); ++j) {
    if (placeKey_[j] == kFreeKey) continue;
    size_t i = slotOf(placeKey_[j], mask);
    while (keys[i] != kFreeKey) i = (i + 1) & mask;
    keys[i] = placeKey_[j];
    values[i] = placeValue_[j];
  }
  placeKey_.swap(keys);
  placeValue_.swap(values);
}

int TopicIndex::firstQualifyingTopic(int s) {
  const int d = words_->numDistinct(s);
  if (d == 0 || members_.empty()) return -1;
  ++query_;
  // The sentence's share of the error bound goes into the cut, the topic's
  // into sizeBound_: a topic is looked at when score >= cut * sizeBound_.
  const float cut =
      static_cast<float>(kThreshold * words_->magnitude(s) * std::exp(-sentenceError(d)) *
                         (1.0 - 8.0 * kUnitRoundoff));
  const DenseReach reach = denseReach(s);
  if (!reach.any) return scanSharedTopics(s, cut, reach, kDenseLevels);

  // A topic holding none of the sparse words of s scores at most its size
  // times reach.byLargest, and (Cauchy-Schwarz) its size times reach.norm
  // times the norm of its dense weights over its size. To pass the filter
  // it needs at least its size times `needed`, up to rounding.
  const double needed = static_cast<double>(cut) * (1.0 - 4.0 * kUnitRoundoff) *
                        std::exp(-largestTopicError_ - kErrorFactor * (d + 16.0));
  if (reach.byLargest < needed) return scanSharedTopics(s, cut, reach, kDenseLevels);
  const double level = std::floor(needed / reach.norm * kDenseLevels) - 1.0;
  const int from = static_cast<int>(std::max(0.0, std::min(level, double{kDenseLevels})));
  size_t count = 0;
  for (int l = from; l < kDenseLevels; ++l) count += topicsByDenseLevel_[idx(l)].size();
  if (count * kScanShare > members_.size()) return scanAllTopics(s, cut);
  return scanSharedTopics(s, cut, reach, from);
}

TopicIndex::DenseReach TopicIndex::denseReach(int s) const {
  const int* ids = words_->wordIds(s);
  const int* counts = words_->wordCounts(s);
  DenseReach reach;
  for (int k = 0; k < words_->numDistinct(s); ++k) {
    if (!isDense(ids[k])) continue;
    const double count = counts[k];
    reach.any = true;
    reach.byLargest += count * denseLargest_[idx(denseSlot_[idx(ids[k])])];
    reach.norm += count * count;
  }
  reach.norm = std::sqrt(reach.norm);
  return reach;
}

int TopicIndex::scanAllTopics(int s, float cut) {
  const size_t n = members_.size();
  for (size_t t = 0; t < n; ++t) score_[t].score = 0.0f;
  const int* ids = words_->wordIds(s);
  const int* counts = words_->wordCounts(s);
  for (int k = 0; k < words_->numDistinct(s); ++k) {
    const float count = static_cast<float>(counts[k]);
    if (isDense(ids[k])) {
      const float* column = denseWeight_[idx(denseSlot_[idx(ids[k])])].data();
      for (size_t t = 0; t < n; ++t) score_[t].score += count * column[t];
      continue;
    }
    for (const Posting& p : postings_[idx(ids[k])]) {
      score_[idx(p.topic)].score += count * p.weight;
    }
  }
  for (size_t t = 0; t < n; ++t) {
    const float score = score_[t].score;
    if (score <= 0.0f || score < cut * sizeBound_[t]) continue;
    if (qualifies(s, static_cast<int>(t), score)) return static_cast<int>(t);
  }
  return -1;
}

int TopicIndex::scanSharedTopics(int s, float cut, const DenseReach& reach,
                                 int fromDenseLevel) {
  touched_.clear();
  auto touch = [&](int t) {
    Score& entry = score_[idx(t)];
    if (entry.stamp == query_) return;
    entry.stamp = query_;
    entry.score = 0.0f;
    touched_.push_back(t);
  };
  const int* ids = words_->wordIds(s);
  const int* counts = words_->wordCounts(s);
  for (int k = 0; k < words_->numDistinct(s); ++k) {
    if (isDense(ids[k])) continue;
    const float count = static_cast<float>(counts[k]);
    for (const Posting& p : postings_[idx(ids[k])]) {
      touch(p.topic);
      score_[idx(p.topic)].score += count * p.weight;
    }
  }
  for (int l = fromDenseLevel; l < kDenseLevels; ++l) {
    for (int t : topicsByDenseLevel_[idx(l)]) touch(t);
  }
  if (reach.any) keepPromisingTopics(s, cut, reach);
  for (int k = 0; k < words_->numDistinct(s); ++k) {
    if (!isDense(ids[k])) continue;
    const float count = static_cast<float>(counts[k]);
    const std::vector<float>& column = denseWeight_[idx(denseSlot_[idx(ids[k])])];
    for (int t : touched_) score_[idx(t)].score += count * column[idx(t)];
  }
  candidates_.clear();
  for (int t : touched_) {
    const float score = score_[idx(t)].score;
    if (score > 0.0f && score >= cut * sizeBound_[idx(t)]) candidates_.push_back(t);
  }
  std::sort(candidates_.begin(), candidates_.end());
  for (int t : candidates_) {
    if (qualifies(s, t, score_[idx(t)].score)) return t;
  }
  return -1;
}

// Drops the topics that cannot pass even if the dense words of s add all
// they can: by Cauchy-Schwarz at most reach.norm times the norm of the
// topic's dense weights.
void TopicIndex::keepPromisingTopics(int s, float cut, const DenseReach& reach) {
  const double slop = std::exp(kErrorFactor * (words_->numDistinct(s) + 16.0));
  size_t kept = 0;
  for (int t : touched_) {
    const double bound = (score_[idx(t)].score + reach.norm * denseNorm_[idx(t)]) * slop;
    if (bound <
        static_cast<double>(cut) * sizeBound_[idx(t)] * (1.0 - 4.0 * kUnitRoundoff)) {
      continue;
    }
    touched_[kept++] = t;
  }
  touched_.resize(kept);
}

bool TopicIndex::qualifies(int s, int t, float score) {
  const double size = static_cast<double>(members_[idx(t)].size());
  const double error =
      topicError(size, slack_[idx(t)]) + sentenceError(words_->numDistinct(s));
  const double estimate =
      static_cast<double>(score) / (static_cast<double>(words_->magnitude(s)) * size);
  if (estimate * std::exp(-error) > kThreshold) return true;
  if (estimate * std::exp(error) < kThreshold) return false;
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
