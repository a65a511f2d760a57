// Time of scoring orderings of a summary against its human ordering, as the
// evaluation tool does for one cluster: eight orderings (the methods and
// the leading baseline) and a random baseline of 100 shuffles, 108 scores
// in all, each with Spearman's, Kendall's and tau-b. Summaries of growing
// length; beside them, the same 108 scores of Kendall's coefficients
// summed pair by pair (the direct computation of the test suite) while
// the previous length predicts that they end within a minute.
//
//   scoring_bench [--fast-only] [SENTENCES ...]
//     (default: 100 300 1000 3000 6000 12000)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "Graph.h"
#include "Read.h"
#include "Vertex.h"
#include "bench_util.h"
#include "eval/Agreement.h"
#include "literal_agreement.h"

namespace {

using sentralign::bench::secondsOf;

constexpr int kOrderings = 8;
constexpr int kShuffles = 100;
constexpr double kLiteralBudgetSeconds = 60.0;

// A graph whose summary of n sentences is in its human order, and
// kOrderings orderings of it: the human order, its reverse, and shuffles.
struct Scene {
  explicit Scene(int n) {
    for (int i = 1; i <= n; ++i) G.addVertex(new Vertex(1, i));
    G.humanOrderedSumm = G.vertexList;
    Read::setAllPosHummanOrderedSumm(&G);
    std::mt19937 random(static_cast<unsigned>(n));
    orderings.push_back(G.humanOrderedSumm);
    orderings.emplace_back(G.humanOrderedSumm.rbegin(), G.humanOrderedSumm.rend());
    while (orderings.size() < kOrderings) {
      orderings.push_back(G.humanOrderedSumm);
      std::shuffle(orderings.back().begin(), orderings.back().end(), random);
    }
  }

  Graph G;
  std::vector<std::vector<Vertex*>> orderings;
};

}  // namespace

int main(int argc, char** argv) {
  auto [sizes, literalOn] = sentralign::bench::parseSizeArguments(argc, argv);
  if (sizes.empty()) sizes = {100, 300, 1000, 3000, 6000, 12000};

  std::printf("scoring %d orderings and %d shuffles of a summary of n sentences\n",
              kOrderings, kShuffles);
  std::printf("%10s %12s %16s %10s\n", "sentences", "seconds", "pair by pair s", "ratio");
  double lastLiteral = 0.0;
  int lastSize = 0;
  double checksum = 0.0;  // keeps the scores from being optimized away
  for (const int n : sizes) {
    Scene scene(n);
    const double fast = secondsOf([&] {
      for (const auto& ordering : scene.orderings) {
        checksum += Agreement::score(scene.G, ordering).TK;
      }
      checksum += Agreement::randomOrdering(scene.G, kShuffles, 1, 0).TK;
    });
    if (lastSize > 0) {
      const double scale = static_cast<double>(n) / lastSize;
      literalOn = literalOn && lastLiteral * scale * scale <= kLiteralBudgetSeconds;
    }
    char literal[32] = "skipped";
    char ratio[32] = "-";
    if (literalOn) {
      const double seconds = secondsOf([&] {
        for (int k = 0; k < kOrderings + kShuffles; ++k) {
          const auto& ordering = scene.orderings[static_cast<size_t>(k % kOrderings)];
          checksum +=
              static_cast<double>(literalKendallTK(scene.G.humanOrderedSumm, ordering));
          checksum += literalTauB(scene.G.humanOrderedSumm, ordering);
        }
      });
      std::snprintf(literal, sizeof literal, "%.3f", seconds);
      std::snprintf(ratio, sizeof ratio, "%.0fx", seconds / fast);
      lastLiteral = seconds;
      lastSize = n;
    }
    std::printf("%10d %12.4f %16s %10s\n", n, fast, literal, ratio);
    std::fflush(stdout);
  }
  return checksum == 12345.678 ? 1 : 0;
}
