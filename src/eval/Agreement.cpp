#include "eval/Agreement.h"

#include <cmath>
#include <random>

#include "Graph.h"
#include "Vertex.h"
#include "engine/PairCounts.h"

namespace {

// Kendall's tau-b of the places of the first n = human.size() entries of
// `ordered` against their human places; not a number when `ordered` is
// shorter. A pair of places (i, j), i < j, is ordered i before j in
// `ordered` unless both places hold the same vertex (a tie there), and in
// the human list as their human places are (a tie when these are equal).
// A pair tied in neither list is concordant when the human places ascend
// from i to j and discordant when they descend; the same vertex twice has
// equal human places, so every ascending pair counts, and the counts come
// in O(n log n).
double tauB(const std::vector<Vertex*>& human, const std::vector<Vertex*>& ordered) {
  const size_t n = human.size();
  if (ordered.size() < n) return AgreementScores::kUndefined;
  std::vector<int> places(n);
  std::vector<const Vertex*> vertices(n);
  for (size_t i = 0; i < n; ++i) {
    places[i] = ordered[i]->getPosHumanOrderedSumm();
    vertices[i] = ordered[i];
  }
  const long long pairs = static_cast<long long>(n) * (static_cast<long long>(n) - 1) / 2;
  const long long concordant = sentralign::engine::countAscendingPairs(places);
  const long long tiedHuman = sentralign::engine::countTiedPairs(places);
  const long long tiedOrdered = sentralign::engine::countTiedPairs(vertices);
  const long long discordant = pairs - concordant - tiedHuman;
  const double denominator = std::sqrt(static_cast<double>(pairs - tiedHuman) *
                                       static_cast<double>(pairs - tiedOrdered));
  return static_cast<double>(concordant - discordant) / denominator;
}

// A draw from 0 to bound - 1, every value equally likely.
std::uint64_t uniformBelow(std::mt19937_64& rng, std::uint64_t bound) {
  const std::uint64_t threshold = (0 - bound) % bound;  // 2^64 mod bound
  for (;;) {
    const std::uint64_t r = rng();
    if (r >= threshold) return r % bound;
  }
}

}  // namespace

Agreement::~Agreement() = default;

AgreementScores Agreement::score(const Graph& G, const std::vector<Vertex*>& ordered) {
  const std::vector<Vertex*>& human = G.humanOrderedSumm;
  AgreementScores s;
  s.n = static_cast<int>(human.size());
  if (human.size() >= 2) {
    s.TS = static_cast<double>(Graph::spearmanTS(human, ordered));
    s.TK = static_cast<double>(Graph::kendallTK(human, ordered));
    s.tauB = tauB(human, ordered);
  }
  if (human.empty()) return s;
  size_t inPlace = 0;
  for (size_t i = 0; i < human.size(); ++i) {
    if (i < ordered.size() && ordered[i] == human[i]) ++inPlace;
  }
  s.perfectMatch = inPlace == human.size() ? 1.0 : 0.0;
  s.inPlace = static_cast<double>(inPlace) / static_cast<double>(human.size());
  return s;
}

AgreementScores Agreement::randomOrdering(const Graph& G, int shuffles,
                                          std::uint64_t seed, std::uint32_t stream) {
  AgreementScores mean;
  mean.n = static_cast<int>(G.humanOrderedSumm.size());
  if (shuffles <= 0) return mean;
  std::seed_seq sequence{static_cast<std::uint32_t>(seed),
                         static_cast<std::uint32_t>(seed >> 32), stream};
  std::mt19937_64 rng(sequence);
  std::vector<Vertex*> order = G.humanOrderedSumm;
  AgreementScores sum;
  sum.TS = sum.TK = sum.tauB = sum.perfectMatch = sum.inPlace = 0.0;
  for (int k = 0; k < shuffles; ++k) {
    for (size_t i = order.size(); i > 1; --i) {  // Fisher and Yates
      std::swap(order[i - 1], order[uniformBelow(rng, i)]);
    }
    const AgreementScores s = score(G, order);
    sum.TS += s.TS;
    sum.TK += s.TK;
    sum.tauB += s.tauB;
    sum.perfectMatch += s.perfectMatch;
    sum.inPlace += s.inPlace;
  }
  const double count = static_cast<double>(shuffles);
  mean.TS = sum.TS / count;
  mean.TK = sum.TK / count;
  mean.tauB = sum.tauB / count;
  mean.perfectMatch = sum.perfectMatch / count;
  mean.inPlace = sum.inPlace / count;
  return mean;
}
