// The cycle search of method 6 on the graph itself: every simple path, on
// one path pushed and popped. The cycle removal uses it for graphs it
// cannot index (two vertices that denote one sentence, an edge that leaves
// vertexList), and it is the search behind
// TopologicalOrdering::detectCycles.

#ifndef SENTRALIGN_ENGINE_PLAINCYCLESEARCH_H_
#define SENTRALIGN_ENGINE_PLAINCYCLESEARCH_H_

#include <vector>

#include "engine/PathCounter.h"

class Graph;
class Vertex;

namespace sentralign::engine {

// Follows every simple path that extends `path` with V. A vertex is on the
// path when the sentence it denotes is. A cycle is new, and counted on G and
// on its edges (countCycleOnEdges), when one of its vertices is not "a"
// yet; every vertex the search leaves is set to "a". Counts each vertex it
// enters on *paths; what the counter's report throws passes through.
void searchPlain(Graph* G, std::vector<Vertex*> path, Vertex* V, PathCounter* paths);

// One detection pass: searchPlain from each vertex of G's vertexList still
// "b", taken in start order.
void plainDetectionPass(Graph* G, PathCounter* paths);

}  // namespace sentralign::engine

#endif  // SENTRALIGN_ENGINE_PLAINCYCLESEARCH_H_
