// The cycle removal of method 6, done fast and exactly: it removes the same
// edges in the same order, prints the same lines and leaves the same counts,
// weights and states as a search that follows every simple path afresh
// after each removal, without following the paths that cannot change the
// outcome.

#ifndef SENTRALIGN_ENGINE_CYCLEREMOVAL_H_
#define SENTRALIGN_ENGINE_CYCLEREMOVAL_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "engine/ComponentSearch.h"
#include "engine/CycleIndex.h"
#include "engine/PathCounter.h"
#include "engine/SearchSteps.h"
#include "engine/TimeLimit.h"

class CycleRemovalProgress;
class Edge;
class Graph;
class Vertex;

// One run of the cycle removal on one graph. The graph stays owned by the
// caller; the removal deletes the out-edges it takes out of the graph.
//
// Each detection pass walks the graph by index (CycleIndex) component by
// component, and searches inside a component with ComponentSearch. Why
// that changes nothing (a "search" is one call of the cycle search on a
// path and a vertex):
//  - A cycle lies inside one strongly connected component, and the path's
//    vertices in one component form a suffix of the path. A search that
//    enters a component from another one never meets the earlier part of
//    the path again: it behaves as a search from an empty path. Once it has
//    ended, everything it can reach is "a", so a later search entering from
//    outside counts nothing and changes nothing, and is skipped.
//  - Inside a component only the first entry searches, and its outcome (the
//    counts on the component's edges, and the order in which its edges first
//    leave it) depends only on the component and the entry vertex; it is
//    kept from one removal step to the next until the component changes.
//    Only the component of the removed edge's source changes; it splits
//    when the edge lay inside it.
//  - An edge out of the component is met first by the first search of its
//    source; later searches of that vertex pass over such edges.
// A graph the index cannot hold is searched plainly (PlainCycleSearch).
class CycleRemoval {
 public:
  // Does not take ownership of G or progress (which may be null). Each
  // removed edge's source is printed, or handed to onRemoved when given.
  // Once `limit` has passed, run() throws TimeLimitExceeded.
  CycleRemoval(Graph* G, CycleRemovalProgress* progress,
               RemovedEdgeHandler onRemoved = nullptr, TimeLimit limit = TimeLimit());
  CycleRemoval(const CycleRemoval&) = delete;
  CycleRemoval& operator=(const CycleRemoval&) = delete;
  ~CycleRemoval();

  // Runs TopologicalOrdering::removeAllCycles on the graph. Throws
  // TimeLimitExceeded, leaving the graph half changed, when the limit passes
  // (it is looked at every few thousand paths and at every removal).
  void run();

  // TopologicalOrdering::detectCycles: follows every simple path that
  // extends `path` with V, on one path pushed and popped.
  static void detectCycles(Graph* G, std::vector<Vertex*> path, Vertex* V);

  // TopologicalOrdering::removeLightestEdge. Returns false, and removes and
  // prints nothing, when no out-edge has a positive count; otherwise stores
  // the removed edge's source and target where asked (either may be null).
  static bool removeLightestEdge(Graph* G, Vertex** source, Vertex** target,
                                 const RemovedEdgeHandler& onRemoved = nullptr);

 private:
  // A component being searched in a pass.
  struct Task {
    int component;
    int entry;
    // Null for one vertex without a loop: its own neighbours are the exits.
    const sentralign::engine::ComponentOutcome* outcome;
    std::size_t next;  // next exit to look at
  };

  void detectionPass();
  void removalStep();
  bool hasCountedEdge() const;
  void report(std::uint64_t paths);

  void fastPass();
  std::int64_t searchFrom(int start);
  void pushTask(int entry, std::vector<Task>* tasks);
  const sentralign::engine::ComponentOutcome& outcomeFor(int component, int entry);
  void applyCounts(const sentralign::engine::ComponentOutcome& outcome);

  Graph* G_;
  CycleRemovalProgress* progress_;
  RemovedEdgeHandler onRemoved_;  // empty: print the source
  TimeLimit limit_;
  int step_ = 0;
  int removed_ = 0;
  sentralign::engine::PathCounter paths_;

  bool fast_ = false;  // the graph is searched by index
  sentralign::engine::CycleIndex index_;
  sentralign::engine::ComponentSearch search_{&index_};
  // Outcomes by (component, entry), kept while the component is unchanged.
  std::map<std::pair<int, int>, sentralign::engine::ComponentOutcome> outcomes_;

  // One pass.
  std::vector<char> done_;     // per component: searched to its end
  std::vector<char> reached_;  // per vertex
};

#endif  // SENTRALIGN_ENGINE_CYCLEREMOVAL_H_
