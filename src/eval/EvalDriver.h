// The evaluation driver: scores every ordering method against the human
// orderings of one cluster or of every cluster of a corpus, and reports the
// scores.

#ifndef SENTRALIGN_EVAL_EVALDRIVER_H_
#define SENTRALIGN_EVAL_EVALDRIVER_H_

// Exit statuses of sentralign-eval.
constexpr int kEvalExitSuccess = 0;  // every cluster scored
constexpr int kEvalExitFailure = 1;  // a file or a cluster failed
constexpr int kEvalExitUsage = 2;    // a malformed command line

// Runs sentralign-eval on argv (options and one directory, a cluster or a
// corpus; see the manual page) and returns its exit status. The report goes
// to stdout, messages to stderr, one line each.
int evalMain(int argc, char** argv);

#endif  // SENTRALIGN_EVAL_EVALDRIVER_H_
