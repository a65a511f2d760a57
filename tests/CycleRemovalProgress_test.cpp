// The status line of a long cycle removal: drawn on a terminal only, after
// its delay, and erased before other output.

#include "engine/CycleRemovalProgress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Everything written to `file` so far.
std::string contents(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string s;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
    s += static_cast<char>(c);
  return s;
}

}  // namespace

TEST(CycleRemovalProgressTest, DrawsTheLineInPlaceAndErasesIt) {
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  {
    CycleRemovalProgress progress(out, true, std::chrono::milliseconds(0));
    progress.update(3, 2, 40000);
    progress.clear();
  }
  const std::string line =
      "sentralign: removendo ciclos: passo 3, 2 arestas removidas, 40000 caminhos "
      "seguidos";
  EXPECT_EQ(contents(out), "\r" + line + "\r" + std::string(line.size(), ' ') + "\r");
  std::fclose(out);
}

TEST(CycleRemovalProgressTest, StaysSilentOffATerminalAndDuringTheDelay) {
  struct Case {
    const char* name;
    bool enabled;
    std::chrono::milliseconds delay;
  } cases[] = {
      {"not a terminal", false, std::chrono::milliseconds(0)},
      {"within the first second", true, CycleRemovalProgress::kDefaultDelay},
  };
  for (const Case& c : cases) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    {
      CycleRemovalProgress progress(out, c.enabled, c.delay);
      progress.update(1, 1, 1);
      progress.clear();
    }
    EXPECT_EQ(contents(out), "") << c.name;
    std::fclose(out);
  }
}
