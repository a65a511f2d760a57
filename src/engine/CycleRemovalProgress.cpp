#include "engine/CycleRemovalProgress.h"

#include <utility>

namespace {

constexpr std::chrono::milliseconds kRedrawInterval{100};

}  // namespace

CycleRemovalProgress::CycleRemovalProgress(std::FILE* out, bool enabled,
                                           std::chrono::milliseconds delay)
    : out_(out), enabled_(enabled) {
  showFrom_ = Clock::now() + delay;
  nextDraw_ = showFrom_;
}

CycleRemovalProgress::CycleRemovalProgress(Listener listener)
    : listener_(std::move(listener)) {}

CycleRemovalProgress::~CycleRemovalProgress() { clear(); }

void CycleRemovalProgress::update(int step, int removed, std::uint64_t paths) {
  if (listener_) {
    listener_(step, removed, paths);
    return;
  }
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (now < nextDraw_) return;
  nextDraw_ = now + kRedrawInterval;
  char line[160];
  const int length =
      std::snprintf(line, sizeof line,
                    "sentralign: removendo ciclos: passo %d, %d arestas removidas, "
                    "%llu caminhos seguidos",
                    step, removed, static_cast<unsigned long long>(paths));
  if (length <= 0) return;
  const int padding = shownLength_ > length ? shownLength_ - length : 0;
  std::fprintf(out_, "\r%s%*s", line, padding, "");
  std::fflush(out_);
  shownLength_ = length;
}

void CycleRemovalProgress::clear() {
  if (shownLength_ == 0) return;
  std::fprintf(out_, "\r%*s\r", shownLength_, "");
  std::fflush(out_);
  shownLength_ = 0;
  nextDraw_ = Clock::now();
}
