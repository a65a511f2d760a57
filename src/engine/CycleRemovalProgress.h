// What a person watching a long cycle removal sees: one status line on a
// terminal, rewritten in place.

#ifndef SENTRALIGN_ENGINE_CYCLEREMOVALPROGRESS_H_
#define SENTRALIGN_ENGINE_CYCLEREMOVALPROGRESS_H_

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>

// The status line of one cycle removal. It stays silent unless it was
// enabled, and until the removal has run for `delay`; after that it shows
// the removal step, the edges removed so far and the paths followed, at
// most ten times a second. Does not own `out`.
class CycleRemovalProgress {
 public:
  static constexpr std::chrono::milliseconds kDefaultDelay{1000};

  CycleRemovalProgress(std::FILE* out, bool enabled,
                       std::chrono::milliseconds delay = kDefaultDelay);
  // Hears how far a removal is: the removal step, the edges removed so far,
  // the paths followed.
  using Listener = std::function<void(int step, int removed, std::uint64_t paths)>;
  // Hands every update to `listener` at once, and draws nothing.
  explicit CycleRemovalProgress(Listener listener);
  CycleRemovalProgress(const CycleRemovalProgress&) = delete;
  CycleRemovalProgress& operator=(const CycleRemovalProgress&) = delete;
  // Erases the line if one is shown.
  ~CycleRemovalProgress();

  // Called every few thousand paths and at every removal step; cheap when
  // nothing is to be drawn. `step` is the removal step whose detection pass
  // runs (0 for the first pass).
  void update(int step, int removed, std::uint64_t paths);

  // Erases the line, if one is shown, so that other output starts at the
  // beginning of a line. The next update draws it again.
  void clear();

 private:
  using Clock = std::chrono::steady_clock;

  std::FILE* out_ = nullptr;
  bool enabled_ = false;
  Listener listener_;           // set: updates go to it, nothing is drawn
  Clock::time_point showFrom_;  // nothing is drawn before this
  Clock::time_point nextDraw_;  // the earliest time of the next redraw
  int shownLength_ = 0;         // characters of the line on screen, 0: none
};

#endif  // SENTRALIGN_ENGINE_CYCLEREMOVALPROGRESS_H_
