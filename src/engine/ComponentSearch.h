// The heart of the fast cycle search: every simple path inside one strongly
// connected component, from the vertex by which the search enters it,
// without following the paths that cannot change the counts.

#ifndef SENTRALIGN_ENGINE_COMPONENTSEARCH_H_
#define SENTRALIGN_ENGINE_COMPONENTSEARCH_H_

#include <cstdint>
#include <utility>
#include <vector>

#include "engine/CycleIndex.h"
#include "engine/PathCounter.h"

class Edge;

namespace sentralign::engine {

// What the first search of a component from one entry vertex gives.
struct ComponentOutcome {
  std::int64_t cycles = 0;                             // cycles counted
  std::vector<std::pair<Edge*, std::int64_t>> counts;  // per counted edge
  std::vector<int> exits;  // targets outside the component, first
                           // occurrences in the order edges reach them
};

// The search inside one component, as the search that follows every simple
// path of the graph does it when it enters the component by `entry` from an
// empty path (see CycleRemoval on why that is all it needs), with the
// scratch it reuses from one component to the next.
//
// Why the short cuts change nothing:
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
class ComponentSearch {
 public:
  // Searches the components of `index`, which it does not own and which
  // must outlive it.
  explicit ComponentSearch(const CycleIndex* index) : index_(index) {}
  ComponentSearch(const ComponentSearch&) = delete;
  ComponentSearch& operator=(const ComponentSearch&) = delete;

  // Follows every simple path inside `component` from the vertex `entry`
  // (an index), all vertices "b" at the start, and adds what it finds to
  // *outcome. Counts each vertex it enters on *paths; what the counter's
  // report throws passes through. The graph is not changed.
  void search(int component, int entry, PathCounter* paths, ComponentOutcome* outcome);

 private:
  // One step of a vertex's search in the component, in search order.
  struct Step {
    int target;  // place in the component; -1 - index for an edge leaving it
    int slot;    // count slot of the edge a cycle through the step counts
  };
  // One vertex on the path.
  struct Frame {
    int vertex;           // place in the component
    int next, end;        // its steps left, in steps_
    int lastNotAnalysed;  // deepest place up to here whose vertex is not
                          // "a"; -1: none
    int inSlot;           // count slot of the edge that led here, -1: none
    std::int64_t carry;   // cycle counts to hand down the path when popped
    bool effect;          // the search from here counted or entered something
  };

  void prepare(int component);
  void placeMembers(int component);
  void buildSteps(int component);
  void buildSources(int component);
  std::int64_t walk(int entry, PathCounter* paths, ComponentOutcome* outcome);
  void unblockSourcesOf(int v);
  void collectCounts(ComponentOutcome* outcome) const;

  const CycleIndex* index_;

  // By place in the component being searched.
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
  std::vector<Frame> frames_;
  std::vector<int> unblockStack_;  // scratch of unblockSourcesOf

  // Per index: the stamp of the last search that met an edge to it from
  // inside its component.
  std::vector<unsigned> exitSeen_;
  unsigned searchStamp_ = 0;
};

}  // namespace sentralign::engine

#endif  // SENTRALIGN_ENGINE_COMPONENTSEARCH_H_
