// Counts the paths that a cycle search follows, and calls back every few
// thousand of them: there the cycle removal shows its progress and looks at
// its time limit, at a cost that does not depend on how fast paths come.

#ifndef SENTRALIGN_ENGINE_PATHCOUNTER_H_
#define SENTRALIGN_ENGINE_PATHCOUNTER_H_

#include <cstdint>
#include <functional>
#include <utility>

namespace sentralign::engine {

// The paths followed so far in one cycle removal.
class PathCounter {
 public:
  // Paths between two calls of the report.
  static constexpr std::uint64_t kReportInterval = std::uint64_t{1} << 14;

  // `report` hears the number of paths followed; empty, nobody hears it.
  explicit PathCounter(std::function<void(std::uint64_t paths)> report = nullptr)
      : report_(std::move(report)) {}

  // Counts one more path, and calls the report at the first path and every
  // kReportInterval paths after it. What the report throws passes through.
  // Out of line on purpose: inlined into the search loops, it made them
  // slower.
  void followed();

  std::uint64_t paths() const { return paths_; }

 private:
  void reportNow();

  std::function<void(std::uint64_t)> report_;
  std::uint64_t paths_ = 0;
  std::uint64_t nextReport_ = 0;  // paths_ at the next report
};

}  // namespace sentralign::engine

#endif  // SENTRALIGN_ENGINE_PATHCOUNTER_H_
