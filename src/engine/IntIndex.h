// Vectors indexed by int. The engines number vertices, words, topics and
// slots with ints (so that -1 can mean "none"); these turn such a number
// into a vector index, and check in debug builds that it is one.

#ifndef SENTRALIGN_ENGINE_INTINDEX_H_
#define SENTRALIGN_ENGINE_INTINDEX_H_

#include <cassert>
#include <cstddef>
#include <vector>

namespace sentralign::engine {

// The index i as a size_t; i must not be negative.
inline std::size_t idx(int i) {
  assert(i >= 0);
  return static_cast<std::size_t>(i);
}

// Element i of v; i must not be negative (nor past the end, as for v[i]).
template <class T>
T& at(std::vector<T>& v, int i) {
  return v[idx(i)];
}
template <class T>
const T& at(const std::vector<T>& v, int i) {
  return v[idx(i)];
}

}  // namespace sentralign::engine

#endif  // SENTRALIGN_ENGINE_INTINDEX_H_
