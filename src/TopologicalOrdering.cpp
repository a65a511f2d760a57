#include "TopologicalOrdering.h"

#include <algorithm>

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"
#include "engine/CycleRemoval.h"
#include "engine/SearchSteps.h"

namespace {

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
                 std::vector<Vertex*>* neighbours, std::vector<std::size_t>* positions) {
  V->setState(Vertex::kStateOnPath);
  sentralign::engine::neighbourOrder(V, positions);
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
  for (Vertex* V : sentralign::engine::startOrder(*G)) {
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
  sentralign::engine::setAllStates(G, state);
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

void TopologicalOrdering::detectCycles(Graph* G, std::vector<Vertex*> cycle, Vertex* V) {
  CycleRemoval::detectCycles(G, std::move(cycle), V);
}

void TopologicalOrdering::addNumCyclesToEdge(Graph* G, std::vector<Vertex*> cycle) {
  (void)G;
  sentralign::engine::countCycleOnEdges(cycle.data(), cycle.size());
}

void TopologicalOrdering::setAllEdgeWeights(Graph* G) {
  sentralign::engine::divideWeightsByCounts(G);
}

void TopologicalOrdering::removeLightestEdge(Graph* G) {
  CycleRemoval::removeLightestEdge(G, nullptr, nullptr);
}

void TopologicalOrdering::resetAllNumClycles(Graph* G) {
  sentralign::engine::resetCycleCounts(G);
}

void TopologicalOrdering::searchOrder(const Vertex* V,
                                      std::vector<std::size_t>* positions) {
  sentralign::engine::neighbourOrder(V, positions);
}
