// The six ordering methods by number, as the drivers run them.

#ifndef SENTRALIGN_METHODS_H_
#define SENTRALIGN_METHODS_H_

#include "TopologicalOrdering.h"

class CycleRemovalProgress;
class Graph;

// Runs ordering method `Method` (1 to 6) on G and copies its ordered list
// into G's orderedSumm; any other number leaves orderedSumm empty and
// returns false. Method 6 prints the source of each edge it removes, or
// hands the edge to `onRemoved` when one is given; `progress` (may be null,
// not owned) hears how far its cycle removal is. Each method expects a
// graph that no other method has run on.
bool runOrderingMethod(Graph* G, int Method, CycleRemovalProgress* progress = nullptr,
                       const RemovedEdgeHandler& onRemoved = nullptr);

#endif  // SENTRALIGN_METHODS_H_
