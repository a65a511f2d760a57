// The six ordering methods by number, as the drivers run them.

#ifndef SENTRALIGN_METHODS_H_
#define SENTRALIGN_METHODS_H_

#include "engine/SearchSteps.h"
#include "engine/TimeLimit.h"

class CycleRemovalProgress;
class Graph;

// What a method hears and may spend besides the graph. Only method 6 uses
// any of it.
struct MethodRun {
  CycleRemovalProgress* progress = nullptr;  // hears how far the cycle
                                             // removal is; not owned
  RemovedEdgeHandler onRemoved;              // hears each removed edge; empty: its
                                             // source is printed on stdout
  TimeLimit timeLimit;                       // the cycle removal gives up after it
};

// Runs ordering method `Method` (1 to 6) on G and copies its ordered list
// into G's orderedSumm; any other number leaves orderedSumm empty and
// returns false. Method 6 prints the source of each edge it removes, or
// hands the edge to `onRemoved` when one is given; `progress` (may be null,
// not owned) hears how far its cycle removal is. Each method expects a
// graph that no other method has run on.
bool runOrderingMethod(Graph* G, int Method, CycleRemovalProgress* progress = nullptr,
                       const RemovedEdgeHandler& onRemoved = nullptr);
// The same with everything `run` gives. Throws TimeLimitExceeded, with G
// half changed, when method 6's time limit passes.
bool runOrderingMethod(Graph* G, int Method, const MethodRun& run);

#endif  // SENTRALIGN_METHODS_H_
