// The report of an evaluation: the scores of every row and ordering, and
// over the corpus their mean with a 95% bootstrap interval, standard
// deviation, minimum and maximum, and on request the paired comparison of
// every two orderings; as an aligned table, CSV (also as records, for
// callers that want the values), JSON or an SVG chart. Names in the report
// are printable (sentralign::io::printable): valid UTF-8 whatever bytes
// the file system gave, control characters escaped.

#ifndef SENTRALIGN_EVAL_EVALUATIONREPORT_H_
#define SENTRALIGN_EVAL_EVALUATIONREPORT_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "eval/ClusterEvaluation.h"
#include "eval/Statistics.h"

// The measures of a report, in column order.
enum class ReportMeasure { kTS, kTK, kTauB, kPMR, kInPlace };

namespace sentralign::eval {

// The measure that `name` names, as the table ("TS", "TK", "tau-b", "PMR",
// "no-lugar") or the CSV ("tau_b", "no_lugar") writes it; false for any
// other name.
bool parseReportMeasure(const std::string& name, ReportMeasure* measure);
// The measure's name in the table.
const char* reportMeasureName(ReportMeasure measure);

}  // namespace sentralign::eval

// One measure of one ordering over the corpus.
struct Statistic {
  int count = 0;  // rows taken
  double mean = AgreementScores::kUndefined;
  double sd = AgreementScores::kUndefined;  // sample deviation; 0 for one row
  double min = AgreementScores::kUndefined;
  double max = AgreementScores::kUndefined;
  // The 95% bootstrap interval of the mean (sentralign::eval::
  // bootstrapMeanIntervals).
  double lower = AgreementScores::kUndefined;
  double upper = AgreementScores::kUndefined;
};

// The five measures of one ordering over the corpus.
struct MethodStatistics {
  std::string label;
  Statistic TS, TK, tauB, perfectMatch, inPlace;
};

// Two orderings compared on the rows they share: label minus other.
struct OrderingComparison {
  std::string label;
  std::string other;
  sentralign::eval::PairedComparison test;
};

// How the figures of a report were and are drawn.
struct ReportSettings {
  std::uint64_t seed = 1;  // of the random orderings, the bootstrap and the test
  int shuffles = 100;      // random orderings per row
  int resamples = sentralign::eval::kBootstrapResamples;  // of the bootstrap
  bool compare = false;                                   // compare every two orderings
  ReportMeasure measure = ReportMeasure::kTK;             // ... by this measure
  int patterns = sentralign::eval::kSignFlipResamples;    // of the sign-flip test
};

// One cell of a CSV record.
struct ReportValue {
  enum Kind {
    kEmpty,   // an empty cell
    kText,    // `text`
    kNumber,  // `number`; not a number where the CSV says "nan"
  };
  Kind kind = kEmpty;
  std::string text;
  double number = AgreementScores::kUndefined;
};

// One line of the CSV: every column's name and value, in column order.
using ReportRecord = std::vector<std::pair<std::string, ReportValue>>;

// The report of one run. Holds a reference to the results, which must
// outlive it.
class EvaluationReport {
 public:
  // `results` in corpus order. The corpus statistics and comparisons take
  // every row of two or more sentences; the others are listed in the notes.
  EvaluationReport(const std::vector<ClusterResult>& results,
                   const ReportSettings& settings);
  EvaluationReport(const EvaluationReport&) = delete;
  EvaluationReport& operator=(const EvaluationReport&) = delete;
  virtual ~EvaluationReport();

  // Per ordering, in ClusterEvaluation::labels() order.
  const std::vector<MethodStatistics>& getStatistics() const { return statistics_; }
  // With settings.compare, every two orderings in labels() order (the
  // earlier one first); else none.
  const std::vector<OrderingComparison>& getComparisons() const { return comparisons_; }

  // The CSV's records, the header's line left out: one per row and
  // ordering ("valor"), then, when some row was taken, six per ordering
  // over the corpus ("media", "ic95_inf", "ic95_sup", "desvio", "min",
  // "max"), then, with settings.compare, two per pair of orderings
  // ("diferenca_media" and "p", the chosen measure's column alone filled,
  // the other ordering in the column "comparado_com" that only then
  // exists). csv() writes exactly these.
  std::vector<ReportRecord> records() const;

  // The rows as an aligned table, one line per row and ordering, then the
  // corpus statistics, the comparisons, and the notes: clusters that
  // failed, rows scored on part of the summary or left out of the
  // statistics, lines that joined sentences, methods that ran out of time.
  // Empty when no cluster was scored; without statistics when no row was
  // taken.
  std::string table() const;
  // The header and records(); undefined scores are "nan".
  std::string csv() const;
  // The same as one JSON object; undefined scores are null.
  std::string json() const;
  // A bar chart of the mean of each measure per ordering over the corpus,
  // with its 95% interval as a whisker and the minimum and maximum as
  // ticks.
  std::string svg() const;

  // The statistic of `values`, leaving out those that are not numbers; no
  // interval.
  static Statistic statistic(const std::vector<double>& values);

 private:
  // The report's notes, gathered once.
  struct Note {
    enum Kind { kFailure, kCluster, kLeftOut };
    Kind kind;
    std::string text;  // printable
  };

  void computeStatistics();
  void computeComparisons();
  void gatherNotes();
  std::vector<double> column(size_t label, size_t measure) const;

  std::string rowsTable() const;
  std::string statisticsTable() const;
  std::string comparisonTable() const;
  std::string notesList() const;

  std::string jsonRows() const;
  std::string jsonCorpus() const;
  std::string jsonComparisons() const;
  std::string jsonNotes() const;

  const std::vector<ClusterResult>& results_;
  ReportSettings settings_;
  size_t clustersScored_ = 0;
  int rows_ = 0;       // rows of the clusters scored
  int rowsTaken_ = 0;  // rows of two or more sentences
  std::vector<MethodStatistics> statistics_;
  std::vector<OrderingComparison> comparisons_;
  std::vector<Note> notes_;
};

#endif  // SENTRALIGN_EVAL_EVALUATIONREPORT_H_
