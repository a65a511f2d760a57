// The whole evaluation of a directory as one call that prints nothing and
// never exits: what sentralign-eval's command line runs, and what a
// library or another front-end can run. With the call, the report's CSV
// records as data.

#ifndef SENTRALIGN_EVAL_EVALUATION_H_
#define SENTRALIGN_EVAL_EVALUATION_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "eval/ClusterEvaluation.h"
#include "eval/CorpusLayout.h"
#include "eval/EvaluationReport.h"

namespace sentralign::eval {

// The most clusters scored at a time.
constexpr int kMaxJobs = 256;
// The default time that method 6 may take in one cluster, in seconds.
constexpr double kDefaultTimeLimit = 60;

// How far an evaluation is, for a progress line.
struct EvaluationProgress {
  size_t done = 0;   // clusters finished
  size_t total = 0;  // clusters in all
  // The printable name of the cluster that has been running longest, and
  // for how long; empty when none is running.
  std::string longestRunning;
  double longestSeconds = 0;
};

// Everything an evaluation can be asked for; the command line of
// sentralign-eval sets each field.
struct EvaluationRequest {
  std::string directory;   // a cluster, or a corpus of clusters
  NamePatterns patterns;   // of the texts, the summary, the human orderings
  bool segmented = false;  // texts hold one sentence a line
  std::uint64_t seed = 1;  // of the random orderings, bootstrap and test
  int jobs = 1;            // clusters scored at a time, 1 to kMaxJobs
  // Seconds that method 6 may take in each cluster; 0: no limit. A
  // cluster whose method 6 runs out is scored without it.
  double timeLimit = kDefaultTimeLimit;
  bool compare = false;  // compare every two orderings, by `measure`
  ReportMeasure measure = ReportMeasure::kTK;
  bool wantDot = false;  // every cluster's graph in ClusterResult::dot
  // Not empty: each method's ordered summary written under it, as
  // writeOrderings() writes them, as each cluster is reported.
  std::string orderingsDirectory;
  // Called on the calling thread when a cluster finishes and about twice
  // a second meanwhile; may be empty.
  std::function<void(const EvaluationProgress&)> onProgress;
};

// What an evaluation gave.
struct EvaluationRun {
  bool oneCluster = false;              // the directory was a cluster
  std::vector<ClusterResult> clusters;  // in corpus order
  ReportSettings settings;              // for the report of `clusters`
  std::vector<std::string> messages;    // every message line, in order
  bool writeFailed = false;             // an orderings file was not written

  // Whether everything was scored and written: no cluster failed, no
  // method 6 ran out of time, every file was written.
  bool complete() const;
};

// Evaluates every cluster of request.directory (one cluster when it is
// one, see CorpusLayout::isCluster; else its clusters, in the order of
// their names) on request.jobs threads, into *run. Every message, one
// printable line each without the program's name, goes to `onMessage` (may
// be empty) as soon as its cluster and those before it are done, on the
// calling thread, and into run->messages: a cluster's warnings and
// matching notes, its notes for the report, then why it failed. A cluster
// that fails, std::bad_alloc included ("DIR: memoria esgotada"), fails
// alone.
// False, with the printable reason in *err and *run empty, when the
// evaluation cannot start: the request is malformed (jobs or time limit
// out of range), the directory is no directory or cannot be listed, it
// holds no cluster, or the start-up files cannot be read.
bool runEvaluation(const EvaluationRequest& request, EvaluationRun* run, std::string* err,
                   const std::function<void(const std::string&)>& onMessage = {});

// The CSV records of the report of `run` (EvaluationReport::records()):
// one per CSV line without the header, each the (column name, value)
// pairs of that line, in column order; a value is text, a number (not a
// number where the CSV says "nan") or an empty cell.
std::vector<ReportRecord> reportRecords(const EvaluationRun& run);

}  // namespace sentralign::eval

#endif  // SENTRALIGN_EVAL_EVALUATION_H_
