#include "literal_cycle_removal.h"

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"

namespace literal {
namespace {

void setAllVertexState(Graph* G, char state) {
  for (Vertex* V : G->vertexList) V->setState(state);
}

Vertex* getVertexStartDFS(Graph* G) {
  Vertex* candidate = nullptr;
  for (Vertex* V : G->vertexList) {
    if (V->getState() == Vertex::kStateUnvisited) {
      candidate = V;
      break;
    }
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

void addNumCyclesToEdge(Graph* G, std::vector<Vertex*> cycle) {
  (void)G;
  for (std::size_t j = 0; j + 1 < cycle.size(); ++j) {
    for (Edge* e : cycle[j]->edgeOutList) {
      if (e->getVertex() == cycle[j + 1]) {
        e->incNumCycles();
        break;
      }
    }
  }
  if (cycle.empty()) return;
  for (Edge* e : cycle.back()->edgeOutList) {
    if (e->getVertex() == cycle.front()) {
      e->incNumCycles();
      break;
    }
  }
}

void setAllEdgeWeights(Graph* G) {
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

// Returns false when no edge is counted (there is no candidate then).
bool removeLightestEdge(Graph* G) {
  bool found = false;
  std::size_t iv = 0, ie = 0;
  for (std::size_t i = 0; i < G->vertexList.size() && !found; ++i) {
    for (std::size_t k = 0; k < G->vertexList[i]->edgeOutList.size(); ++k) {
      if (G->vertexList[i]->edgeOutList[k]->getNumCycles() > 0) {
        iv = i;
        ie = k;
        found = true;
        break;
      }
    }
  }
  if (!found) return false;
  for (std::size_t i = 0; i < G->vertexList.size(); ++i) {
    for (std::size_t k = 0; k < G->vertexList[i]->edgeOutList.size(); ++k) {
      Edge* e = G->vertexList[i]->edgeOutList[k];
      if (e->getWeight() > 0 &&
          e->getWeight() < G->vertexList[iv]->edgeOutList[ie]->getWeight()) {
        iv = i;
        ie = k;
      }
    }
  }
  Vertex* V = G->vertexList[iv];
  V->print();
  Edge* e = V->edgeOutList[ie];
  V->edgeOutList.erase(V->edgeOutList.begin() + static_cast<std::ptrdiff_t>(ie));
  delete e;
  return true;
}

void resetAllNumClycles(Graph* G) {
  for (Vertex* V : G->vertexList) {
    for (Edge* e : V->edgeOutList) e->setNumCycles(0);
  }
  G->setNumCycles(0);
}

void detectionPass(Graph* G) {
  for (Vertex* V = getVertexStartDFS(G); V != nullptr; V = getVertexStartDFS(G)) {
    detectCycles(G, std::vector<Vertex*>(), V);
  }
}

bool anyCountedEdge(Graph* G) {
  for (Vertex* V : G->vertexList) {
    for (Edge* e : V->edgeOutList) {
      if (e->getNumCycles() > 0) return true;
    }
  }
  return false;
}

}  // namespace

void detectCycles(Graph* G, std::vector<Vertex*> cycle, Vertex* V) {
  std::size_t i = 0;
  bool found = false;
  for (; i < cycle.size(); ++i) {
    if (cycle[i]->getIdText() == V->getIdText() &&
        cycle[i]->getPosText() == V->getPosText()) {
      found = true;
      break;
    }
  }
  if (found) {
    bool isNew = false;
    for (std::size_t j = i; j < cycle.size(); ++j) {
      if (cycle[j]->getState() != Vertex::kStateAnalysed) isNew = true;
    }
    if (isNew) {
      G->incNumCycles();
      addNumCyclesToEdge(
          G, std::vector<Vertex*>(cycle.begin() + static_cast<std::ptrdiff_t>(i),
                                  cycle.end()));
    }
    return;
  }
  cycle.push_back(V);
  std::vector<Vertex*> adjacency;
  for (Edge* e : V->edgeOutList) adjacency.push_back(e->getVertex());
  while (!adjacency.empty()) {
    std::size_t choice = 0;
    for (std::size_t k = 0; k < adjacency.size(); ++k) {
      if (adjacency[k]->getPosText() <= adjacency[choice]->getPosText()) choice = k;
    }
    Vertex* W = adjacency[choice];
    adjacency.erase(adjacency.begin() + static_cast<std::ptrdiff_t>(choice));
    detectCycles(G, cycle, W);
  }
  V->setState(Vertex::kStateAnalysed);
}

void removeAllCycles(Graph* G) {
  setAllVertexState(G, Vertex::kStateUnvisited);
  detectionPass(G);
  while (G->getNumCycles() > 0) {
    if (!anyCountedEdge(G)) {
      resetAllNumClycles(G);
      break;
    }
    setAllEdgeWeights(G);
    removeLightestEdge(G);
    setAllVertexState(G, Vertex::kStateUnvisited);
    resetAllNumClycles(G);
    detectionPass(G);
  }
}

}  // namespace literal
