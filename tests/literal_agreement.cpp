#include "literal_agreement.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "Vertex.h"

namespace {

float orderSign(const Vertex* earlier, const Vertex* later) {
  const std::int64_t difference =
      static_cast<std::int64_t>(later->getPosHumanOrderedSumm()) -
      earlier->getPosHumanOrderedSumm();
  return difference > 0 ? 1.0f : -1.0f;
}

int sign(long long x) { return (x > 0) - (x < 0); }

}  // namespace

float literalKendallTK(const std::vector<Vertex*>& human,
                       const std::vector<Vertex*>& ordered) {
  const size_t n = human.size();
  if (ordered.size() < n) return std::numeric_limits<float>::quiet_NaN();
  float TK = 0.0f;
  for (size_t i = 0; i + 1 < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      const float sgn1 = orderSign(human[i], human[j]);
      const float sgn2 = orderSign(ordered[i], ordered[j]);
      const float sgn = sgn1 * sgn2;
      TK = TK + sgn;
    }
  }
  const unsigned m = static_cast<unsigned>(n);
  const unsigned q = m * (m - 1) / 2;
  if (q == 0) return std::numeric_limits<float>::quiet_NaN();  // 0 / 0
  return TK / static_cast<float>(q);
}

double literalTauB(const std::vector<Vertex*>& human,
                   const std::vector<Vertex*>& ordered) {
  const size_t n = human.size();
  if (ordered.size() < n) return std::numeric_limits<double>::quiet_NaN();
  long long concordant = 0;
  long long discordant = 0;
  long long tiedHuman = 0;
  long long tiedOrdered = 0;
  for (size_t i = 0; i + 1 < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      const int humanOrder =
          sign(static_cast<long long>(ordered[j]->getPosHumanOrderedSumm()) -
               ordered[i]->getPosHumanOrderedSumm());
      const int orderedOrder = ordered[i] == ordered[j] ? 0 : 1;
      if (humanOrder == 0) ++tiedHuman;
      if (orderedOrder == 0) ++tiedOrdered;
      if (humanOrder == 0 || orderedOrder == 0) continue;
      if (humanOrder == orderedOrder) {
        ++concordant;
      } else {
        ++discordant;
      }
    }
  }
  const long long pairs = static_cast<long long>(n) * (static_cast<long long>(n) - 1) / 2;
  const double denominator = std::sqrt(static_cast<double>(pairs - tiedHuman) *
                                       static_cast<double>(pairs - tiedOrdered));
  return static_cast<double>(concordant - discordant) / denominator;
}
