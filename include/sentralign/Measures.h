// The agreement of an ordering with a human ordering of the same
// sentences: the measures sentralign-eval reports, on lists of sentence
// identities.

#ifndef SENTRALIGN_PUBLIC_MEASURES_H_
#define SENTRALIGN_PUBLIC_MEASURES_H_

#include <vector>

#include "sentralign/Cluster.h"
#include "sentralign/Export.h"

namespace sentralign {

// Each measure takes `ordered` and `human`, two orders of the same
// sentences, each sentence once in each; it throws Error (kInvalidInput)
// otherwise. Below two sentences the coefficients are not a number.

// Spearman's coefficient in single precision, as the tool computes it:
// 1 - 6 * sum of squared place differences / (n^3 - n).
SENTRALIGN_EXPORT float spearmanTS(const std::vector<SentenceId>& ordered,
                                   const std::vector<SentenceId>& human);

// Kendall's coefficient in single precision, as the tool computes it:
// (concordant - discordant pairs) / (n (n - 1) / 2).
SENTRALIGN_EXPORT float kendallTK(const std::vector<SentenceId>& ordered,
                                  const std::vector<SentenceId>& human);

// Kendall's tau-b in double precision (equal to tau-a here: two orders of
// the same sentences have no ties).
SENTRALIGN_EXPORT double kendallTauB(const std::vector<SentenceId>& ordered,
                                     const std::vector<SentenceId>& human);

}  // namespace sentralign

#endif  // SENTRALIGN_PUBLIC_MEASURES_H_
