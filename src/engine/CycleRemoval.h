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
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/SearchSteps.h"
#include "engine/TimeLimit.h"

class CycleRemovalProgress;
class Edge;
class Graph;
class Vertex;

// One run of the cycle removal on one graph. The graph stays owned by the
// caller; the removal deletes the out-edges it takes out of the graph.
//
// Why the short cuts change nothing (a "search" is one call of the cycle
// search on a path and a vertex):
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
//  - A vertex is blocked when its search counted and entered nothing; while
//    it is blocked its successors are blocked or on the path, and none of
//    them is "b" or has an edge to a path vertex at or before the deepest
//    one not "a", so its search would count and enter nothing again. It is
//    unblocked as soon as a vertex it can reach leaves the path after a
//    search that did something, or joins those path vertices.
//  - The path is one list, pushed and popped, with each vertex's place on it
//    and, per place, the deepest place up to it whose vertex is not "a", so
//    that membership and the "new cycle" test take constant time; the counts
//    of the path's edges are handed down the path as it is popped.
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
  // One place of a vertex's neighbour list, in search order.
  struct Entry {
    int target;     // index of the target vertex
    int firstEdge;  // place in the source's out-list of its first edge to
                    // the target, the edge a cycle through this step counts
  };
  // What the first search of a component from one entry vertex gives.
  struct Outcome {
    std::int64_t cycles = 0;                             // cycles counted
    std::vector<std::pair<Edge*, std::int64_t>> counts;  // per counted edge
    std::vector<int> exits;  // targets outside the component, first
                             // occurrences in the order edges reach them
  };
  // A component being searched in a pass.
  struct Task {
    int component;
    int entry;
    const Outcome* outcome;  // null: one vertex and no loop; its own
                             // neighbours are the exits
    std::size_t next;        // next exit to look at
  };
  // One step of a vertex's search in a component, in search order.
  struct Step {
    int target;  // place in the component; -1 - index for an edge leaving it
    int slot;    // count slot of the edge a cycle through the step counts
  };
  // One vertex on the path inside a component.
  struct Frame {
    int vertex;           // place in the component
    int next, end;        // its steps left, in steps_
    int lastNotAnalysed;  // deepest place up to here whose vertex is not
                          // "a"; -1: none
    int inSlot;           // count slot of the edge that led here, -1: none
    std::int64_t carry;   // cycle counts to hand down the path when popped
    bool effect;          // the search from here counted or entered something
  };

  bool buildIndex();
  void setNeighbours(int u);
  void splitComponent(int component);
  void noteRemoval(Vertex* source, Vertex* target);
  bool hasCountedEdge() const;

  void plainPass();
  void searchPlain(std::vector<Vertex*> path, Vertex* V);

  void fastPass();
  std::int64_t searchFrom(int start);
  void pushTask(int entry, std::vector<Task>* tasks);
  const Outcome& outcomeFor(int component, int entry);
  void searchComponent(int component, int entry, Outcome* outcome);
  void buildLocalLists(int component);
  void unblockSourcesOf(int v);
  void applyCounts(const Outcome& outcome);

  void followed();

  Graph* G_;
  CycleRemovalProgress* progress_;
  RemovedEdgeHandler onRemoved_;  // empty: print the source
  TimeLimit limit_;
  int step_ = 0;
  int removed_ = 0;
  std::uint64_t paths_ = 0;       // searches so far
  std::uint64_t nextReport_ = 0;  // paths_ at the next report and time check

  // The graph by index (place in vertexList).
  std::vector<Vertex*> vertex_;
  std::unordered_map<const Vertex*, int> indexOf_;
  std::vector<int> startOrder_;
  std::vector<int> neighbourBegin_, neighbourEnd_;  // into neighbours_
  std::vector<Entry> neighbours_;
  std::vector<int> sourceBegin_, sourceEnd_;  // into sources_
  std::vector<int> sources_;                  // per vertex, the source of each edge to it
  std::vector<std::size_t> positions_;        // scratch of
  std::unordered_map<const Vertex*, int> firstPlace_;  // setNeighbours

  // Strongly connected components: members_[componentBegin_[c],
  // componentEnd_[c]) are the vertices of component c.
  std::vector<int> componentOf_;
  std::vector<int> members_;
  std::vector<int> componentBegin_, componentEnd_;
  std::vector<char> hasCycleEdge_;                   // more than one vertex, or a loop
  std::map<std::pair<int, int>, Outcome> outcomes_;  // (component, entry)

  // One pass.
  std::vector<char> done_;     // per component: searched to its end
  std::vector<char> reached_;  // per vertex

  // One component search, by place in the component.
  std::vector<int> local_;    // index of each vertex
  std::vector<int> localOf_;  // per index: place in its component
  std::vector<Step> steps_;
  std::vector<int> allBegin_, innerBegin_, innerEnd_;  // into steps_
  std::vector<int> sourceOf_, localSourceBegin_;
  std::vector<int> slotBase_;  // first count slot of each out-list
  std::vector<std::int64_t> slotCount_;
  std::vector<char> analysed_;
  std::vector<int> place_;  // on the path: its place; otherwise kFree or
                            // kBlocked

  int blockedCount_ = 0;
  std::vector<unsigned> exitSeen_;  // per index
  unsigned searchStamp_ = 0;
  std::vector<Frame> frames_;
  std::vector<int> unblockStack_;  // scratch of unblockSourcesOf

  // Scratch of splitComponent.
  std::vector<int> tarjanIndex_, tarjanLow_;
  std::vector<char> onStack_;
};

#endif  // SENTRALIGN_ENGINE_CYCLEREMOVAL_H_
