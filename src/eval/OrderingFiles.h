// The summaries as each method ordered them, written to files so that a
// person can read what each method did: one directory per cluster, two
// files per method.

#ifndef SENTRALIGN_EVAL_ORDERINGFILES_H_
#define SENTRALIGN_EVAL_ORDERINGFILES_H_

#include <string>

#include "eval/ClusterEvaluation.h"

namespace sentralign::eval {

// The directory of `cluster` (a cluster's name) under `dir`: the name as it
// is, "/" made "_"; "cluster" for a name that is empty, "." or "..".
std::string orderingsDirectory(const std::string& dir, const std::string& cluster);

// Writes, for each method of result.orderings that ran, LABEL.txt (the
// ordered summary, one sentence a line) and LABEL.json (an object with the
// cluster's printable name, the label and the sentences, each with its text
// number and position) in orderingsDirectory(dir, result.name), making
// that directory and `dir` when missing (not the parents of `dir`); each
// file is written whole or not at all
// (io/OutputFile.h). False, with "PATH: reason" in *err, at the first file
// or directory that cannot be written.
bool writeOrderings(const std::string& dir, const ClusterResult& result,
                    std::string* err);

}  // namespace sentralign::eval

#endif  // SENTRALIGN_EVAL_ORDERINGFILES_H_
