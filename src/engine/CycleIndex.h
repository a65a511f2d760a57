// The sentence graph as the fast cycle search walks it: vertices by number,
// neighbour lists in search order, and the strongly connected components,
// kept up to date while the cycle removal takes edges out.

#ifndef SENTRALIGN_ENGINE_CYCLEINDEX_H_
#define SENTRALIGN_ENGINE_CYCLEINDEX_H_

#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

class Graph;
class Vertex;

namespace sentralign::engine {

// A run of elements of a vector, for a range-for; owns nothing, and holds
// only while the vector is not changed.
template <class T>
class Range {
 public:
  Range(const T* first, const T* last) : first_(first), last_(last) {}
  const T* begin() const { return first_; }
  const T* end() const { return last_; }
  std::size_t size() const { return static_cast<std::size_t>(last_ - first_); }
  const T& operator[](std::size_t i) const { return first_[i]; }

 private:
  const T* first_;
  const T* last_;
};

// One graph by index: vertex v is the v-th of G's vertexList. For each
// vertex it holds its neighbours in the order the searches take them, and
// one source per edge that reaches it; and it groups the vertices into
// strongly connected components. A component that loses an edge inside it
// is split into new components under new numbers; its old number then has
// no members. Points into G, which it does not own and which must outlive
// it.
class CycleIndex {
 public:
  // One place of a vertex's neighbour list, in search order.
  struct Entry {
    int target;     // index of the target vertex
    int firstEdge;  // place in the source's out-list of its first edge to
                    // the target, the edge a cycle through this step counts
  };

  CycleIndex() = default;
  CycleIndex(const CycleIndex&) = delete;
  CycleIndex& operator=(const CycleIndex&) = delete;

  // Indexes G. False, and the index is not to be used, when a vertex of
  // vertexList is null or listed twice, two vertices denote one sentence,
  // or an edge leads to a vertex outside vertexList: the search by index
  // could not tell such a graph's paths apart as the plain search does.
  bool build(const Graph& G);

  // Takes note that one edge from `source` to `target` has left source's
  // out-list (the rest of the graph unchanged since the last call). Returns
  // the number of source's component, the only one whose searches this can
  // change; when the edge lay inside it, that number is retired.
  int removeEdge(const Vertex* source, const Vertex* target);

  int size() const { return static_cast<int>(vertex_.size()); }
  // The vertices, by index; non-owning.
  const std::vector<Vertex*>& vertices() const { return vertex_; }
  // The indices in the order in which the searches take start vertices.
  const std::vector<int>& startOrder() const { return startOrder_; }
  Range<Entry> neighbours(int v) const;
  // The source of each edge that reaches v, in no particular order.
  Range<int> sources(int v) const;

  // Components are numbered from 0; retired numbers stay counted.
  int numComponents() const { return static_cast<int>(componentBegin_.size()); }
  int componentOf(int v) const;
  Range<int> members(int component) const;
  // Whether the component can hold a cycle: more than one vertex, or a loop.
  bool hasCycleEdge(int component) const;

 private:
  bool numberVertices(const Graph& G);
  bool edgesStayInside() const;
  void buildNeighbourLists();
  void setNeighbours(int v);
  void buildSourceLists();
  void splitComponent(int component);
  void enterTarjan(int v);
  void closeComponent(int v, int* write);

  std::vector<Vertex*> vertex_;
  std::unordered_map<const Vertex*, int> indexOf_;
  std::vector<int> startOrder_;
  std::vector<int> neighbourBegin_, neighbourEnd_;  // into neighbours_
  std::vector<Entry> neighbours_;
  std::vector<int> sourceBegin_, sourceEnd_;  // into sources_
  std::vector<int> sources_;
  std::vector<std::size_t> positions_;                 // scratch of
  std::unordered_map<const Vertex*, int> firstPlace_;  // setNeighbours

  // Component c has the vertices members_[componentBegin_[c],
  // componentEnd_[c]).
  std::vector<int> componentOf_;
  std::vector<int> members_;
  std::vector<int> componentBegin_, componentEnd_;
  std::vector<char> hasCycleEdge_;

  // Scratch of splitComponent: Tarjan's numbers, stack and call stack
  // (vertex, next place in its neighbour list).
  std::vector<int> tarjanIndex_, tarjanLow_;
  std::vector<char> onStack_;
  std::vector<int> stack_;
  std::vector<std::pair<int, int>> calls_;
  int counter_ = 0;
};

}  // namespace sentralign::engine

#endif  // SENTRALIGN_ENGINE_CYCLEINDEX_H_
