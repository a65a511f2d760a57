// A budget of wall-clock time for a search that may run long: the cycle
// removal of method 6 grows with the number of cycles of the graph, and a
// caller that must answer in time gives it a limit.

#ifndef SENTRALIGN_ENGINE_TIMELIMIT_H_
#define SENTRALIGN_ENGINE_TIMELIMIT_H_

#include <chrono>
#include <stdexcept>

// What a search throws when its time limit has passed. The graph it ran on
// is then half changed and good for nothing but to be destroyed.
class TimeLimitExceeded : public std::runtime_error {
 public:
  TimeLimitExceeded() : std::runtime_error("time limit exceeded") {}
};

// A point in time after which a search gives up; a default TimeLimit never
// passes. A value type, cheap to copy; reading it is thread-safe.
class TimeLimit {
 public:
  using Clock = std::chrono::steady_clock;

  TimeLimit() = default;
  // Passes `seconds` from now; a budget that is not positive has passed.
  static TimeLimit after(std::chrono::duration<double> seconds);

  bool isSet() const { return set_; }
  bool hasPassed() const { return set_ && Clock::now() >= deadline_; }
  // Throws TimeLimitExceeded when the limit has passed.
  void check() const {
    if (hasPassed()) throw TimeLimitExceeded();
  }

 private:
  bool set_ = false;
  Clock::time_point deadline_{};
};

#endif  // SENTRALIGN_ENGINE_TIMELIMIT_H_
