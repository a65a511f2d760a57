// Counts over all pairs of places of a list, in O(n log n) time in place of
// a loop over the n(n-1)/2 pairs: what rank correlations such as Kendall's
// are made of.

#ifndef SENTRALIGN_ENGINE_PAIRCOUNTS_H_
#define SENTRALIGN_ENGINE_PAIRCOUNTS_H_

#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>

namespace sentralign {
namespace engine {

// The number of pairs of places i < j with v[i] < v[j]. 0 for fewer than
// two values.
long long countAscendingPairs(const std::vector<int>& v);

// The number of pairs of places i < j with both a[i] < a[j] and
// b[i] < b[j]. Reads the first min(a.size(), b.size()) places.
long long countJointlyAscendingPairs(const std::vector<int>& a,
                                     const std::vector<int>& b);

// The number of pairs of places i < j with values[i] == values[j]
// (pointers included: they are sorted with std::less).
template <typename T>
long long countTiedPairs(std::vector<T> values) {
  std::sort(values.begin(), values.end(), std::less<T>());
  long long tied = 0;
  std::size_t runStart = 0;
  for (std::size_t i = 1; i <= values.size(); ++i) {
    if (i < values.size() && values[i] == values[runStart]) continue;
    const long long run = static_cast<long long>(i - runStart);
    tied += run * (run - 1) / 2;
    runStart = i;
  }
  return tied;
}

}  // namespace engine
}  // namespace sentralign

#endif  // SENTRALIGN_ENGINE_PAIRCOUNTS_H_
