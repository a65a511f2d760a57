// The evaluation of one cluster: its files are read (and brought to
// UTF-8), the summary and each human ordering are matched to the sentences,
// and every ordering method, on a graph of its own, orders the summary and
// is scored against each human ordering, beside two baselines.

#ifndef SENTRALIGN_EVAL_CLUSTEREVALUATION_H_
#define SENTRALIGN_EVAL_CLUSTEREVALUATION_H_

#include <cstdint>
#include <string>
#include <vector>

#include "CST.h"
#include "eval/Agreement.h"

struct ClusterFiles;

// The start-up files, in UTF-8, copied into every graph.
struct StartupData {
  std::vector<std::string> stopList;
  std::vector<CST> cstList;
};

// How clusters are evaluated.
struct EvaluationOptions {
  bool segmented = false;      // texts hold one sentence a line
  std::uint64_t seed = 1;      // of the random orderings
  int shuffles = 100;          // random orderings per row
  bool wantDot = false;        // make ClusterResult::dot
  bool wantOrderings = false;  // fill ClusterResult::orderings
  double timeLimit = 0;        // seconds that method 6 may take; 0: no limit
};

// The summary of one cluster scored against one of its human orderings.
struct EvaluationRow {
  std::string cluster;       // the cluster's name
  std::string human;         // the human ordering's file name
  int summarySentences = 0;  // distinct sentences the summary names
  int humanSentences = 0;    // distinct sentences the human ordering names
  // One entry per label of ClusterEvaluation::labels(), in that order. The
  // n of each is the number of sentences both name, the ones scored.
  std::vector<AgreementScores> scores;
};

// A sentence of an ordered summary, by identity and text.
struct OrderedSentence {
  int text = 0;
  int position = 0;
  std::string sentence;
};

// One method's ordering of a cluster's summary.
struct MethodOrdering {
  std::string label;  // as ClusterEvaluation::labels() names the method
  bool ran = true;    // false: method 6 ran out of time, no sentences
  std::vector<OrderedSentence> sentences;
};

// What the evaluation of one cluster gave.
struct ClusterResult {
  std::string name;  // the cluster's name
  bool ok = false;   // false: `error` says why, no rows
  std::string error;
  std::vector<std::string> messages;  // warnings, one line each, in order
  std::vector<EvaluationRow> rows;    // one per human ordering, by file name
  // For the report: rows not scored on the whole summary, lines that
  // joined sentences, a method 6 that ran out of time.
  std::vector<std::string> notes;
  bool timedOut = false;  // method 6 ran out of time: its scores are no numbers
  std::string dot;        // with EvaluationOptions::wantDot
  std::vector<MethodOrdering> orderings;  // with wantOrderings: methods 1 to 6
};

// Groups the evaluation; holds no data, every operation is static. The
// operations share nothing but their arguments: clusters can be evaluated
// on several threads at once.
class ClusterEvaluation {
 public:
  ClusterEvaluation() = default;
  virtual ~ClusterEvaluation();

  // The row labels, baselines first: "sumario" (the summary as given),
  // "aleatorio" (random orderings), then the methods 1 to 6.
  static const std::vector<std::string>& labels();

  // Reads the stop list and the relation description as the ordering tool
  // finds them (the working directory first, else the shipped copies) and
  // brings both to UTF-8, saying so in *messages, as well as a broken link
  // passed over in the working directory. False, with the reason in *err,
  // when one cannot be read.
  static bool loadStartupData(StartupData* startup, std::vector<std::string>* messages,
                              std::string* err);

  // Evaluates the cluster `files` into *result. The texts become texts by
  // their numbers, in ascending order; relation files and human orderings
  // are taken by name. A file that cannot be read, or a summary that names
  // no sentence, fails the cluster. A method 6 that runs past
  // options.timeLimit is given up: its scores are not a number, and a note
  // says why. Throws std::bad_alloc when memory runs out.
  static void evaluate(const ClusterFiles& files, const StartupData& startup,
                       const EvaluationOptions& options, ClusterResult* result);
};

#endif  // SENTRALIGN_EVAL_CLUSTEREVALUATION_H_
