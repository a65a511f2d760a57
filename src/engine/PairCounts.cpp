#include "engine/PairCounts.h"

namespace sentralign {
namespace engine {

namespace {

// Ranks of the first n values of v, from 0, that keep their order and
// their ties, and *size: one more than the largest rank. Values within a
// span of 2n (human places are) are ranked by their distance from the
// smallest; others by their place among the distinct values.
std::vector<int> ranksOf(const std::vector<int>& v, std::size_t n, std::size_t* size) {
  std::vector<int> ranks(n);
  *size = 0;
  if (n == 0) return ranks;
  const auto bounds =
      std::minmax_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n));
  const long long span = static_cast<long long>(*bounds.second) - *bounds.first;
  if (span < 2 * static_cast<long long>(n)) {
    for (std::size_t i = 0; i < n; ++i) ranks[i] = v[i] - *bounds.first;
    *size = static_cast<std::size_t>(span) + 1;
    return ranks;
  }
  std::vector<int> sorted(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n));
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  for (std::size_t i = 0; i < n; ++i) {
    ranks[i] = static_cast<int>(std::lower_bound(sorted.begin(), sorted.end(), v[i]) -
                                sorted.begin());
  }
  *size = sorted.size();
  return ranks;
}

// A Fenwick tree of counts over ranks 0 .. size-1.
class RankCounts {
 public:
  explicit RankCounts(std::size_t size) : tree_(size + 1, 0) {}

  void add(int rank, long long amount) {
    for (std::size_t i = static_cast<std::size_t>(rank) + 1; i < tree_.size();
         i += i & (~i + 1))
      tree_[i] += amount;
  }
  // The count of ranks below `rank`.
  long long below(int rank) const {
    long long sum = 0;
    for (std::size_t i = static_cast<std::size_t>(rank); i > 0; i -= i & (~i + 1))
      sum += tree_[i];
    return sum;
  }

 private:
  std::vector<long long> tree_;
};

// One place: its rank in a, its rank in b.
struct Place {
  int a;
  int b;
};

// Counts the jointly ascending pairs within places[lo, hi), which are in
// place order, and leaves them sorted by a. Divide and conquer on the
// places: the pairs within each half, then the pairs of a place i of the
// first half and j of the second (i < j holds for all of them), counted by
// walking both halves in ascending a with the b ranks of the first half's
// places of smaller a in `counts`.
long long countSpan(std::vector<Place>& places, std::vector<Place>& scratch,
                    RankCounts& counts, std::size_t lo, std::size_t hi) {
  if (hi - lo < 2) return 0;
  const std::size_t mid = lo + (hi - lo) / 2;
  long long pairs = countSpan(places, scratch, counts, lo, mid) +
                    countSpan(places, scratch, counts, mid, hi);
  std::size_t i = lo;
  for (std::size_t j = mid; j < hi; ++j) {
    for (; i < mid && places[i].a < places[j].a; ++i) counts.add(places[i].b, 1);
    pairs += counts.below(places[j].b);
  }
  for (std::size_t k = lo; k < i; ++k) counts.add(places[k].b, -1);
  std::merge(places.begin() + static_cast<std::ptrdiff_t>(lo),
             places.begin() + static_cast<std::ptrdiff_t>(mid),
             places.begin() + static_cast<std::ptrdiff_t>(mid),
             places.begin() + static_cast<std::ptrdiff_t>(hi),
             scratch.begin() + static_cast<std::ptrdiff_t>(lo),
             [](const Place& x, const Place& y) { return x.a < y.a; });
  std::copy(scratch.begin() + static_cast<std::ptrdiff_t>(lo),
            scratch.begin() + static_cast<std::ptrdiff_t>(hi),
            places.begin() + static_cast<std::ptrdiff_t>(lo));
  return pairs;
}

}  // namespace

long long countAscendingPairs(const std::vector<int>& v) {
  std::size_t size = 0;
  const std::vector<int> ranks = ranksOf(v, v.size(), &size);
  RankCounts counts(size);
  long long pairs = 0;
  for (const int r : ranks) {
    pairs += counts.below(r);
    counts.add(r, 1);
  }
  return pairs;
}

long long countJointlyAscendingPairs(const std::vector<int>& a,
                                     const std::vector<int>& b) {
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t sizeA = 0;
  std::size_t sizeB = 0;
  const std::vector<int> rankA = ranksOf(a, n, &sizeA);
  const std::vector<int> rankB = ranksOf(b, n, &sizeB);
  std::vector<Place> places(n);
  for (std::size_t i = 0; i < n; ++i) places[i] = {rankA[i], rankB[i]};
  std::vector<Place> scratch(n);
  RankCounts counts(sizeB);
  return countSpan(places, scratch, counts, 0, n);
}

}  // namespace engine
}  // namespace sentralign
