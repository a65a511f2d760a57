// What the benchmark programs share: timing a piece of work.

#ifndef SENTRALIGN_BENCH_TIMING_H_
#define SENTRALIGN_BENCH_TIMING_H_

#include <chrono>

namespace sentralign {
namespace bench {

// The wall-clock seconds that run() takes.
template <typename Run>
double secondsOf(Run run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  const std::chrono::duration<double> d = std::chrono::steady_clock::now() - start;
  return d.count();
}

}  // namespace bench
}  // namespace sentralign

#endif  // SENTRALIGN_BENCH_TIMING_H_
