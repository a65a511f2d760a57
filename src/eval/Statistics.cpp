#include "eval/Statistics.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace sentralign::eval {

std::uint64_t RandomStream::next() {
  state_ += 0x9E3779B97F4A7C15ull;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint32_t RandomStream::below(std::uint32_t bound) {
  std::uint64_t product = (next() >> 32) * bound;
  std::uint32_t low = static_cast<std::uint32_t>(product);
  if (low < bound) {
    const std::uint32_t threshold = (0u - bound) % bound;  // 2^32 mod bound
    while (low < threshold) {
      product = (next() >> 32) * bound;
      low = static_cast<std::uint32_t>(product);
    }
  }
  return static_cast<std::uint32_t>(product >> 32);
}

namespace {

std::vector<double> numbersOf(const std::vector<double>& values) {
  std::vector<double> numbers;
  numbers.reserve(values.size());
  for (const double v : values) {
    if (!std::isnan(v)) numbers.push_back(v);
  }
  return numbers;
}

// Fills the intervals of the columns `members` of `numbers`, which all
// hold `count` values: one stream of draws serves them all.
void bootstrapGroup(const std::vector<std::vector<double>>& numbers,
                    const std::vector<size_t>& members, size_t count, std::uint64_t seed,
                    int resamples, std::vector<Interval>* intervals) {
  const size_t B = static_cast<size_t>(resamples);
  std::vector<double> means(members.size() * B);
  std::vector<std::uint32_t> drawn(count);
  RandomStream stream(seed);
  for (size_t r = 0; r < B; ++r) {
    for (std::uint32_t& index : drawn) {
      index = stream.below(static_cast<std::uint32_t>(count));
    }
    for (size_t m = 0; m < members.size(); ++m) {
      const std::vector<double>& column = numbers[members[m]];
      double sum = 0.0;
      for (const std::uint32_t index : drawn) sum += column[index];
      means[m * B + r] = sum / static_cast<double>(count);
    }
  }
  const size_t k = B / 40;
  for (size_t m = 0; m < members.size(); ++m) {
    const auto first = means.begin() + static_cast<std::ptrdiff_t>(m * B);
    const auto last = first + static_cast<std::ptrdiff_t>(B);
    std::nth_element(first, first + static_cast<std::ptrdiff_t>(k), last);
    const double lower = first[static_cast<std::ptrdiff_t>(k)];
    std::nth_element(first, first + static_cast<std::ptrdiff_t>(B - 1 - k), last);
    const double upper = first[static_cast<std::ptrdiff_t>(B - 1 - k)];
    (*intervals)[members[m]] = {lower, upper};
  }
}

}  // namespace

std::vector<Interval> bootstrapMeanIntervals(
    const std::vector<std::vector<double>>& columns, std::uint64_t seed, int resamples) {
  std::vector<Interval> intervals(columns.size());
  if (resamples < 1) return intervals;
  std::vector<std::vector<double>> numbers;
  numbers.reserve(columns.size());
  // Columns of one size share their draws; they would draw the same anyway.
  std::map<size_t, std::vector<size_t>> bySize;
  for (size_t c = 0; c < columns.size(); ++c) {
    numbers.push_back(numbersOf(columns[c]));
    if (!numbers.back().empty()) bySize[numbers.back().size()].push_back(c);
  }
  for (const auto& group : bySize) {
    bootstrapGroup(numbers, group.second, group.first, seed, resamples, &intervals);
  }
  return intervals;
}

PairedComparison signFlipTest(const std::vector<double>& a, const std::vector<double>& b,
                              std::uint64_t seed, int resamples) {
  std::vector<double> differences;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (!std::isnan(a[i]) && !std::isnan(b[i])) differences.push_back(a[i] - b[i]);
  }
  PairedComparison result;
  result.n = static_cast<int>(differences.size());
  if (differences.empty()) return result;
  double observed = 0.0;
  double sizes = 0.0;
  for (const double d : differences) {
    observed += d;
    sizes += std::fabs(d);
  }
  result.meanDifference = observed / static_cast<double>(differences.size());
  const double bar = std::fabs(observed) - 1e-9 * sizes;
  // Whether the pattern of signs that nextWord() gives, 64 differences a
  // word, hits.
  auto hits = [&](auto nextWord) {
    std::uint64_t word = 0;
    double sum = 0.0;
    for (size_t i = 0; i < differences.size(); ++i) {
      if (i % 64 == 0) word = nextWord();
      sum += (word >> (i % 64)) & 1u ? -differences[i] : differences[i];
    }
    return std::fabs(sum) >= bar;
  };

  const size_t n = differences.size();
  if (n < 63 &&
      (std::uint64_t{1} << n) <= static_cast<std::uint64_t>(std::max(resamples, 0))) {
    const std::uint64_t patterns = std::uint64_t{1} << n;
    std::uint64_t count = 0;
    for (std::uint64_t pattern = 0; pattern < patterns; ++pattern) {
      if (hits([pattern] { return pattern; })) ++count;
    }
    result.p = static_cast<double>(count) / static_cast<double>(patterns);
    result.exact = true;
    return result;
  }
  RandomStream stream(seed);
  std::uint64_t count = 0;
  for (int r = 0; r < resamples; ++r) {
    if (hits([&stream] { return stream.next(); })) ++count;
  }
  result.p = static_cast<double>(1 + count) / static_cast<double>(1 + resamples);
  return result;
}

}  // namespace sentralign::eval
