#include "engine/TimeLimit.h"

TimeLimit TimeLimit::after(std::chrono::duration<double> seconds) {
  TimeLimit limit;
  limit.set_ = true;
  const auto now = Clock::now();
  // A budget beyond what the clock can hold never passes in practice.
  const auto room = std::chrono::duration<double>(Clock::time_point::max() - now);
  if (seconds >= room) {
    limit.deadline_ = Clock::time_point::max();
  } else if (seconds.count() <= 0) {
    limit.deadline_ = now;
  } else {
    limit.deadline_ = now + std::chrono::duration_cast<Clock::duration>(seconds);
  }
  return limit;
}
