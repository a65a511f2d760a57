// The report of an evaluation: the scores of every row and method, and
// their mean, standard deviation, minimum and maximum over the corpus, as
// an aligned table, CSV, JSON or an SVG chart.

#ifndef SENTRALIGN_EVAL_EVALUATIONREPORT_H_
#define SENTRALIGN_EVAL_EVALUATIONREPORT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "eval/ClusterEvaluation.h"

// One measure of one method over the corpus.
struct Statistic {
  int count = 0;  // rows taken
  double mean = AgreementScores::kUndefined;
  double sd = AgreementScores::kUndefined;  // sample deviation; 0 for one row
  double min = AgreementScores::kUndefined;
  double max = AgreementScores::kUndefined;
};

// The five measures of one method over the corpus.
struct MethodStatistics {
  std::string label;
  Statistic TS, TK, tauB, perfectMatch, inPlace;
};

// The report of one run. Holds a reference to the results, which must
// outlive it.
class EvaluationReport {
 public:
  // `results` in corpus order; `seed` and `shuffles` as the random
  // orderings were drawn. The corpus statistics take every row of two or
  // more sentences; the others are listed in the notes.
  EvaluationReport(const std::vector<ClusterResult>& results, std::uint64_t seed,
                   int shuffles);
  EvaluationReport(const EvaluationReport&) = delete;
  EvaluationReport& operator=(const EvaluationReport&) = delete;
  virtual ~EvaluationReport();

  // Per method, in ClusterEvaluation::labels() order.
  const std::vector<MethodStatistics>& getStatistics() const { return statistics_; }

  // The rows as an aligned table, one line per row and method, then the
  // corpus statistics, then the notes: rows scored on part of the summary,
  // rows left out of the statistics, clusters that failed.
  std::string table() const;
  // One record per row and method ("valor"), then four per method over the
  // corpus ("media", "desvio", "min", "max"); undefined scores are "nan".
  std::string csv() const;
  // The same as one JSON object; undefined scores are null.
  std::string json() const;
  // A bar chart of the mean of each measure per method over the corpus,
  // with the standard deviation as a whisker and the minimum and maximum
  // as ticks.
  std::string svg() const;

  // The statistic of `values`, leaving out those that are not numbers.
  static Statistic statistic(const std::vector<double>& values);

 private:
  const std::vector<ClusterResult>& results_;
  std::uint64_t seed_ = 1;
  int shuffles_ = 0;
  int rowsTaken_ = 0;  // rows of two or more sentences
  std::vector<MethodStatistics> statistics_;
};

#endif  // SENTRALIGN_EVAL_EVALUATIONREPORT_H_
