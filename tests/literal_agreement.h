// Kendall's coefficients written the slow, direct way, pair by pair: the
// tests compare the program's counts with these, and the benchmark times
// them.

#ifndef SENTRALIGN_LITERAL_AGREEMENT_H_
#define SENTRALIGN_LITERAL_AGREEMENT_H_

#include <vector>

class Vertex;

// TK of the first n = human.size() entries of `ordered` against `human`,
// from their posHumanOrderedSumm: a float accumulator to which each pair
// (i, j), i < j in that order, adds sgn1 * sgn2 (+1.0 when the later human
// position is greater, else -1.0), divided as a float by the unsigned
// 32-bit n(n-1)/2. Not a number when `ordered` is shorter.
float literalKendallTK(const std::vector<Vertex*>& human,
                       const std::vector<Vertex*>& ordered);

// Kendall's tau-b of the first n = human.size() entries of `ordered`
// against their human places, counting every pair one by one.
double literalTauB(const std::vector<Vertex*>& human,
                   const std::vector<Vertex*>& ordered);

#endif  // SENTRALIGN_LITERAL_AGREEMENT_H_
