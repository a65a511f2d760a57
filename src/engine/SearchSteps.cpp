#include "engine/SearchSteps.h"

#include <algorithm>

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"

namespace sentralign::engine {

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

void neighbourOrder(const Vertex* V, std::vector<std::size_t>* positions) {
  // The searches choose, among the entries left, the one with the smallest
  // posText and the last in the list among equals; sorting by posText and
  // then by descending place lists the same choices one after the other.
  const std::vector<Edge*>& out = V->edgeOutList;
  positions->resize(out.size());
  for (std::size_t k = 0; k < out.size(); ++k) (*positions)[k] = k;
  std::sort(positions->begin(), positions->end(), [&out](std::size_t a, std::size_t b) {
    const int pa = out[a]->getVertex()->getPosText();
    const int pb = out[b]->getVertex()->getPosText();
    return pa != pb ? pa < pb : a > b;
  });
}

void setAllStates(Graph* G, char state) {
  for (Vertex* V : G->vertexList) V->setState(state);
}

void resetCycleCounts(Graph* G) {
  for (Vertex* V : G->vertexList) {
    for (Edge* e : V->edgeOutList) e->setNumCycles(0);
  }
  G->setNumCycles(0);
}

void divideWeightsByCounts(Graph* G) {
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

void countCycleOnEdges(const Vertex* const* cycle, std::size_t size) {
  for (std::size_t j = 0; j < size; ++j) {
    const Vertex* to = cycle[j + 1 < size ? j + 1 : 0];
    for (Edge* e : cycle[j]->edgeOutList) {
      if (e->getVertex() != to) continue;
      e->incNumCycles();
      break;
    }
  }
}

}  // namespace sentralign::engine
