// Scoring a cluster or a corpus as sentralign-eval does: every method, the
// summary as given and random orderings against each human ordering, with
// the report's records as data.

#ifndef SENTRALIGN_PUBLIC_EVALUATION_H_
#define SENTRALIGN_PUBLIC_EVALUATION_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sentralign/Export.h"

namespace sentralign {

// What evaluate() is asked for; the defaults are sentralign-eval's.
struct EvaluationOptions {
  bool segmented = false;        // texts hold one sentence a line
  std::string summary;           // the summary's name pattern; "": the default
  std::string human;             // the human orderings' name pattern; "": default
  std::string texts;             // the texts' name pattern; "": the default
  std::uint64_t seed = 1;        // of the random orderings, intervals and tests
  int jobs = 1;                  // clusters scored at a time, 1 to 256
  double timeLimitSeconds = 60;  // method 6 in one cluster; 0: no limit
};

// One cell of a report record.
struct ReportCell {
  enum class Kind {
    kEmpty,   // an empty cell
    kText,    // `text`
    kNumber,  // `number`; not a number where the CSV says "nan"
  };
  Kind kind = Kind::kEmpty;
  std::string text;
  double number = 0;
};

// One line of sentralign-eval's CSV report: each column's name and cell,
// in column order.
using ReportRow = std::vector<std::pair<std::string, ReportCell>>;

// What evaluate() gave.
struct Evaluation {
  std::vector<ReportRow> rows;        // the CSV's lines, header left out
  std::vector<std::string> messages;  // what sentralign-eval says on stderr,
                                      // one line each, without its name
  bool complete = false;              // every cluster scored whole, none failed
};

// Scores the cluster or corpus at `path`. A cluster that fails is left out
// of the rows and said in the messages. Throws Error (kFile) when `path`
// cannot be read as a cluster or a corpus, (kInvalidInput) for options out
// of range.
SENTRALIGN_EXPORT Evaluation
evaluate(const std::string& path, const EvaluationOptions& options = EvaluationOptions());

}  // namespace sentralign

#endif  // SENTRALIGN_PUBLIC_EVALUATION_H_
