// What the benchmark programs share: timing a piece of work, and their
// command line of sizes.

#ifndef SENTRALIGN_BENCH_UTIL_H_
#define SENTRALIGN_BENCH_UTIL_H_

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

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

// The command line [--fast-only] [SIZE ...]: the sizes in their order, and
// whether the direct computation runs beside the program's.
struct SizeArguments {
  std::vector<int> sizes;
  bool literalOn = true;
};

inline SizeArguments parseSizeArguments(int argc, char** argv) {
  SizeArguments a;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--fast-only") {
      a.literalOn = false;
      continue;
    }
    a.sizes.push_back(std::atoi(argv[i]));
  }
  return a;
}

}  // namespace bench
}  // namespace sentralign

#endif  // SENTRALIGN_BENCH_UTIL_H_
