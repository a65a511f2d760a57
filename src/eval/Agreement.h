// The scores of an ordered summary against a human ordering of the same
// sentences, and the scores of random orderings of them for comparison.

#ifndef SENTRALIGN_EVAL_AGREEMENT_H_
#define SENTRALIGN_EVAL_AGREEMENT_H_

#include <cstdint>
#include <limits>
#include <vector>

class Graph;
class Vertex;

// The scores of one ordering. A score that is not defined for n sentences
// (TS, TK and tau-b below two, the others for none) is not a number.
struct AgreementScores {
  static constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

  int n = 0;                         // sentences scored
  double TS = kUndefined;            // Spearman, Graph::spearmanTS
  double TK = kUndefined;            // Kendall, Graph::kendallTK
  double tauB = kUndefined;          // Kendall's tau-b, in double precision
  double perfectMatch = kUndefined;  // 1 when the orders are equal, else 0
  double inPlace = kUndefined;       // share of sentences in their human place
};

// Groups the scoring operations; holds no data, every operation is static.
class Agreement {
 public:
  Agreement() = default;
  virtual ~Agreement();

  // Scores `ordered` against G's humanOrderedSumm, whose vertices must
  // have been numbered by Read::setAllPosHummanOrderedSumm; both lists hold
  // the same vertices, each once. TS and TK are the graph's own measures;
  // tau-b counts a pair that either list ties as neither concordant nor
  // discordant.
  static AgreementScores score(const Graph& G, const std::vector<Vertex*>& ordered);

  // The mean scores of `shuffles` random orderings of G's humanOrderedSumm
  // (numbered as for score), drawn from a Mersenne Twister seeded with
  // `seed` and `stream`: the same arguments give the same figures on every
  // platform. perfectMatch is then the share of orderings equal to the
  // human one. With no shuffle every score is undefined.
  static AgreementScores randomOrdering(const Graph& G, int shuffles, std::uint64_t seed,
                                        std::uint32_t stream);
};

#endif  // SENTRALIGN_EVAL_AGREEMENT_H_
