#include "TopologicalOrdering.h"

#include <algorithm>

#include "CycleRemoval.h"
#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"

namespace {

// The vertices of vertexList in the order in which getVertexStartDFS yields
// them while states only leave "b": by ascending posText, the earlier place
// in vertexList first among equals.
std::vector<Vertex*> startOrder(const Graph& G) {
  std::vector<std::size_t> places(G.vertexList.size());
  for (std::size_t i = 0; i < places.size(); ++i) places[i] = i;
  std::sort(places.begin(), places.end(), [&G](std::size_t a, std::size_t b) {
    const int pa = G.vertexList[a]->getPosText();
    const int pb = G.vertexList[b]->getPosText();
    return pa != pb ? pa < pb : a < b;
  });
  std::vector<Vertex*> order;
  order.reserve(places.size());
  for (std::size_t i : places) order.push_back(G.vertexList[i]);
  return order;
}

// One vertex being visited by DFS: its neighbours in search order are
// neighbours[begin, end), and `next` is the first not yet looked at.
struct VisitFrame {
  Vertex* vertex;
  std::size_t begin;
  std::size_t end;
  std::size_t next;
};

// Marks V "c" and pushes its frame, its neighbours appended to *neighbours.
void enterVertex(Vertex* V, std::vector<VisitFrame>* frames,
                 std::vector<Vertex*>* neighbours,
                 std::vector<std::size_t>* positions) {
  V->setState(Vertex::kStateOnPath);
  TopologicalOrdering::searchOrder(V, positions);
  const std::size_t begin = neighbours->size();
  for (std::size_t k : *positions) {
    neighbours->push_back(V->edgeOutList[k]->getVertex());
  }
  frames->push_back(VisitFrame{V, begin, neighbours->size(), begin});
}

}  // namespace

TopologicalOrdering::~TopologicalOrdering() = default;

void TopologicalOrdering::topologicalOrdering(Graph* G) {
  setAllVertexState(G, Vertex::kStateUnvisited);
  // Searches never set a vertex back to "b", so taking the vertices in
  // start order and skipping those already visited yields the same start
  // vertices as asking getVertexStartDFS each time.
  for (Vertex* V : startOrder(*G)) {
    if (V->getState() != Vertex::kStateUnvisited) continue;
    DFS(G, V);
  }
  G->topologicalOrderedSumm = G->summ;
  std::sort(G->topologicalOrderedSumm.begin(), G->topologicalOrderedSumm.end(),
            Vertex::comparePerPosTopologicalList);
  for (std::size_t i = 0; i < G->topologicalOrderedSumm.size(); ++i) {
    G->topologicalOrderedSumm[i]->setPosTopologicalOrderedSumm(static_cast<int>(i));
  }
}

void TopologicalOrdering::setAllVertexState(Graph* G, char state) {
  for (Vertex* V : G->vertexList) V->setState(state);
}

Vertex* TopologicalOrdering::getVertexStartDFS(Graph* G) {
  Vertex* candidate = nullptr;
  for (Vertex* V : G->vertexList) {
    if (V->getState() != Vertex::kStateUnvisited) continue;
    candidate = V;
    break;
  }
  if (candidate == nullptr) return nullptr;
  for (Vertex* V : G->vertexList) {
    if (V->getState() == Vertex::kStateUnvisited &&
        V->getPosText() < candidate->getPosText()) {
      candidate = V;
    }
  }
  return candidate;
}

void TopologicalOrdering::DFS(Graph* G, Vertex* V) {
  // The search path is kept on the heap: frames hold the vertices being
  // visited, neighbours their neighbour lists one after the other. A
  // neighbour that has left "b" by the time its turn comes is passed over;
  // states never return to "b", so this takes the same neighbours in the
  // same order as choosing afresh among the unvisited ones each time.
  std::vector<VisitFrame> frames;
  std::vector<Vertex*> neighbours;
  std::vector<std::size_t> positions;
  enterVertex(V, &frames, &neighbours, &positions);
  while (!frames.empty()) {
    VisitFrame& top = frames.back();
    Vertex* next = nullptr;
    while (top.next < top.end && next == nullptr) {
      Vertex* W = neighbours[top.next++];
      if (W->getState() == Vertex::kStateUnvisited) next = W;
    }
    if (next != nullptr) {
      enterVertex(next, &frames, &neighbours, &positions);
      continue;
    }
    Vertex* finished = top.vertex;
    neighbours.resize(top.begin);
    frames.pop_back();
    finished->setPosTopologialList(static_cast<int>(G->topologicalOrderingList.size()));
    finished->setState(Vertex::kStateFinished);
    G->topologicalOrderingList.push_back(finished);
  }
}

void TopologicalOrdering::removeAllCycles(Graph* G, CycleRemovalProgress* progress) {
  CycleRemoval removal(G, progress);
  removal.run();
}

void TopologicalOrdering::removeAllCycles(Graph* G, CycleRemovalProgress* progress,
                                          const RemovedEdgeHandler& onRemoved) {
  CycleRemoval removal(G, progress, onRemoved);
  removal.run();
}

float TopologicalOrdering::TS(Graph* G) {
  return Graph::spearmanTS(G->humanOrderedSumm, G->topologicalOrderedSumm);
}

float TopologicalOrdering::TK(Graph* G) {
  return Graph::kendallTK(G->humanOrderedSumm, G->topologicalOrderedSumm);
}

void TopologicalOrdering::detectCycles(Graph* G, std::vector<Vertex*> cycle,
                                       Vertex* V) {
  CycleRemoval::detectCycles(G, std::move(cycle), V);
}

void TopologicalOrdering::addNumCyclesToEdge(Graph* G, std::vector<Vertex*> cycle) {
  (void)G;
  const std::size_t n = cycle.size();
  for (std::size_t j = 0; j < n; ++j) {
    const Vertex* to = cycle[j + 1 < n ? j + 1 : 0];
    for (Edge* e : cycle[j]->edgeOutList) {
      if (e->getVertex() != to) continue;
      e->incNumCycles();
      break;
    }
  }
}

void TopologicalOrdering::setAllEdgeWeights(Graph* G) {
  for (Vertex* V : G->vertexList) {
    for (Edge* e : V->edgeOutList) {
      if (e->getNumCycles() > 0) {
        e->setWeight(e->getWeight() / static_cast<float>(e->getNumCycles()));
      } else {
        e->setWeight(0.0f);
      }
    }
  }
}

void TopologicalOrdering::removeLightestEdge(Graph* G) {
  CycleRemoval::removeLightestEdge(G, nullptr, nullptr);
}

void TopologicalOrdering::resetAllNumClycles(Graph* G) {
  for (Vertex* V : G->vertexList) {
    for (Edge* e : V->edgeOutList) e->setNumCycles(0);
  }
  G->setNumCycles(0);
}

void TopologicalOrdering::searchOrder(const Vertex* V,
                                      std::vector<std::size_t>* positions) {
  // The searches choose, among the entries left, the one with the smallest
  // posText and the last in the list among equals; sorting by posText and
  // then by descending place lists the same choices one after the other.
  const std::vector<Edge*>& out = V->edgeOutList;
  positions->resize(out.size());
  for (std::size_t k = 0; k < out.size(); ++k) (*positions)[k] = k;
  std::sort(positions->begin(), positions->end(),
            [&out](std::size_t a, std::size_t b) {
              const int pa = out[a]->getVertex()->getPosText();
              const int pb = out[b]->getVertex()->getPosText();
              return pa != pb ? pa < pb : a > b;
            });
}
