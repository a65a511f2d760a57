// The sentralign library: orders the sentences of an extractive
// multi-document summary by one of six methods, and scores orderings
// against human ones. This header brings in the whole public API:
//
//   Cluster.h      a cluster of texts and relations; ordering a summary
//   Measures.h     Spearman's and Kendall's agreement of two orderings
//   Evaluation.h   scoring a cluster or a corpus as sentralign-eval does
//   Error.h        the one exception every call throws
//
// Link with sentralign::sentralign (CMake) or `pkg-config --libs sentralign`.

#ifndef SENTRALIGN_PUBLIC_SENTRALIGN_H_
#define SENTRALIGN_PUBLIC_SENTRALIGN_H_

#include "sentralign/Cluster.h"
#include "sentralign/Error.h"
#include "sentralign/Evaluation.h"
#include "sentralign/Export.h"
#include "sentralign/Measures.h"

namespace sentralign {

// The library's version, as "1.0.0"; the tools' --version prints the same.
SENTRALIGN_EXPORT const char* version();

}  // namespace sentralign

#endif  // SENTRALIGN_PUBLIC_SENTRALIGN_H_
