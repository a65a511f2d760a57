#include "engine/PathCounter.h"

namespace sentralign::engine {

void PathCounter::followed() {
  if (++paths_ >= nextReport_) reportNow();
}

void PathCounter::reportNow() {
  nextReport_ = paths_ + kReportInterval;
  if (report_) report_(paths_);
}

}  // namespace sentralign::engine
