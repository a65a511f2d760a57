// Ordering methods 5 and 6: a depth-first topological order of the sentence
// graph, and the cycle removal that method 6 runs before it.

#ifndef SENTRALIGN_TOPOLOGICALORDERING_H_
#define SENTRALIGN_TOPOLOGICALORDERING_H_

#include <cstddef>
#include <vector>

#include "engine/SearchSteps.h"

class CycleRemovalProgress;
class Edge;
class Graph;
class Vertex;

// Groups the operations of the topological ordering and of the cycle
// removal; holds no data. Callers create a short-lived instance around a
// call. None of the searches recurses: a text of any length is ordered
// without exhausting the stack.
class TopologicalOrdering {
 public:
  TopologicalOrdering() = default;
  virtual ~TopologicalOrdering();

  // Method 5. Sets every vertex of G's vertexList to "b", runs one
  // depth-first search from each start vertex getVertexStartDFS yields,
  // appending each vertex to topologicalOrderingList as it is finished and
  // numbering it with posTopologicalList, then replaces
  // topologicalOrderedSumm by G's summ sorted by descending finishing number
  // and numbers posTopologicalOrderedSumm. An empty graph appends nothing
  // and leaves a copy of summ. Edges are not changed.
  static void topologicalOrdering(Graph* G);

  // Sets the state of every vertex of G's vertexList to `state`.
  static void setAllVertexState(Graph* G, char state);

  // The vertex of G's vertexList at which the next search starts: the one
  // in state "b" with the smallest posText, the first in vertexList among
  // equals. Null when no vertex is in state "b". Reads nothing of *this.
  Vertex* getVertexStartDFS(Graph* G);

  // Visits V (in state "b") and everything in state "b" reachable from it:
  // a vertex is "c" while it is being visited and "p" once finished, when it
  // is appended to G's topologicalOrderingList. Unvisited neighbours are
  // taken by ascending posText, the one later in the out-list among equals.
  static void DFS(Graph* G, Vertex* V);

  // Method 6's first half. Counts the cycles of G (following out-edges
  // only) and, while a detection pass counts one, removes the edge with the
  // least weight per cycle, printing its source vertex with Vertex::print.
  // Ends with every vertex of vertexList in state "a", every count at 0 and
  // the remaining edges' weights as the last removal step left them. When a
  // pass counts cycles that no edge carries (only two vertices denoting one
  // sentence, or counts left over before the call, can give that), the
  // counts are reset and nothing more is removed. `progress`, when given,
  // hears how far the removal is; it is not owned.
  static void removeAllCycles(Graph* G, CycleRemovalProgress* progress);
  static void removeAllCycles(Graph* G) { removeAllCycles(G, nullptr); }
  // The same removal, telling `onRemoved` of each removed edge instead of
  // printing its source: for callers that keep stdout for themselves.
  static void removeAllCycles(Graph* G, CycleRemovalProgress* progress,
                              const RemovedEdgeHandler& onRemoved);

  // Spearman's and Kendall's agreement of topologicalOrderedSumm with
  // humanOrderedSumm, as Graph::spearmanTS and Graph::kendallTK.
  static float TS(Graph* G);
  static float TK(Graph* G);

  // Follows every simple path that extends `cycle` (the path so far, a
  // vertex being recognised on it by its idText and posText) with V. Each
  // time a path reaches a vertex already on it, the cycle it closes is
  // counted on G and, through addNumCyclesToEdge, on its edges when one of
  // its vertices is not yet in state "a"; each vertex searched is set to "a"
  // when its search ends. Neighbours are searched by ascending posText, the
  // one later in the out-list among equals, whatever their state.
  static void detectCycles(Graph* G, std::vector<Vertex*> cycle, Vertex* V);

  // Adds 1 to the count of one edge per step of `cycle` (c0, ..., ck and
  // back to c0): the first edge of c(j)'s out-list that leads to c(j+1).
  // A step without such an edge counts nothing; an empty cycle nothing.
  static void addNumCyclesToEdge(Graph* G, std::vector<Vertex*> cycle);

  // Replaces the weight of every out-edge of G's vertices by its weight
  // divided by its count, or by 0.0 when its count is not positive.
  static void setAllEdgeWeights(Graph* G);

  // Removes from its source's out-list, and deletes, the first counted edge
  // in scan order (vertexList, then each out-list) unless a later edge of
  // positive weight is strictly lighter; prints that source with
  // Vertex::print. The target's in-list keeps its own edge. Removes and
  // prints nothing when no edge has a positive count.
  static void removeLightestEdge(Graph* G);

  // Sets the count of every out-edge of G's vertices, and G's count, to 0.
  static void resetAllNumClycles(Graph* G);

  // Fills *positions with the places in V's out-list in the order in which
  // both searches take the edges' targets: by ascending posText, the later
  // place first among equals.
  static void searchOrder(const Vertex* V, std::vector<std::size_t>* positions);
};

#endif  // SENTRALIGN_TOPOLOGICALORDERING_H_
