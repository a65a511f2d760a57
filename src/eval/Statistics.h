// Figures over a corpus that a paper can defend: the confidence interval of
// a mean by the bootstrap, and a paired test of two orderings by flipping
// the signs of their differences. Both draw from a generator of this
// module, fixed to the bit, so that one seed gives the same figures with
// every compiler and library.

#ifndef SENTRALIGN_EVAL_STATISTICS_H_
#define SENTRALIGN_EVAL_STATISTICS_H_

#include <cstdint>
#include <limits>
#include <vector>

namespace sentralign::eval {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// Resamples of the bootstrap and random sign patterns of the paired test.
constexpr int kBootstrapResamples = 10000;
constexpr int kSignFlipResamples = 10000;

// A stream of pseudo-random numbers, SplitMix64: the state steps by
// 0x9E3779B97F4A7C15 and each output is the state mixed. A value type; its
// outputs depend on nothing but the seed.
class RandomStream {
 public:
  explicit RandomStream(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next();

  // A draw from 0 to bound - 1, every value equally likely (bound >= 1):
  // the high half of a 32-bit output times bound, an output redrawn while
  // the low half falls below 2^32 mod bound (Lemire's method). Each draw
  // takes one 64-bit output's high 32 bits.
  std::uint32_t below(std::uint32_t bound);

 private:
  std::uint64_t state_;
};

// A confidence interval; undefined bounds are not a number.
struct Interval {
  double lower = kNotANumber;
  double upper = kNotANumber;
};

// The 95% percentile bootstrap interval of the mean of each column (values
// that are not a number are left out): `resamples` (B) times, as many
// values as the column holds are drawn with replacement, by index, and
// their mean taken (their sum in draw order over their count); the bounds
// are the means of rank k and B - 1 - k in ascending order (from 0), k
// being B / 40 rounded down. The draws of a column come from
// RandomStream(seed) and depend on nothing but the seed and the number of
// its values. A column without values gets undefined bounds; B below 1
// leaves every interval undefined.
std::vector<Interval> bootstrapMeanIntervals(
    const std::vector<std::vector<double>>& columns, std::uint64_t seed,
    int resamples = kBootstrapResamples);

// Two orderings compared row by row.
struct PairedComparison {
  int n = 0;                            // rows that both score
  double meanDifference = kNotANumber;  // of a - b over those rows
  double p = kNotANumber;               // two-sided
  bool exact = false;                   // every sign pattern was counted
};

// The sign-flip (paired randomisation) test of the differences a[i] - b[i]
// over the rows where both are numbers: if neither ordering is better,
// each difference is as likely to have the other sign. A pattern of signs
// hits when the sum of the signed differences is at least as far from 0
// as the observed sum (less one part in 10^9 of the sum of their sizes,
// for rounding). When 2^n <= resamples every pattern is counted and p is
// the share that hit; otherwise p = (1 + hits) / (1 + resamples) over
// random patterns from RandomStream(seed), whose 64-bit outputs give the
// signs of 64 rows each, bit 0 first (a set bit flips). Differences that
// are all 0 give p = 1; no common row leaves the mean and p undefined.
PairedComparison signFlipTest(const std::vector<double>& a, const std::vector<double>& b,
                              std::uint64_t seed, int resamples = kSignFlipResamples);

}  // namespace sentralign::eval

#endif  // SENTRALIGN_EVAL_STATISTICS_H_
