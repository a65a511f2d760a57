#include "engine/PlainCycleSearch.h"

#include <cstddef>
#include <unordered_map>
#include <utility>

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"
#include "engine/SearchSteps.h"
#include "engine/SentenceKey.h"

namespace sentralign::engine {

namespace {

bool isAnalysed(const Vertex* V) { return V->getState() == Vertex::kStateAnalysed; }

// One vertex on the path.
struct PlainFrame {
  Vertex* vertex;
  std::size_t begin, end, next;  // its neighbours, in `neighbours`
  int lastNotAnalysed;           // deepest place up to here whose vertex is
                                 // not "a"; -1: none
};

}  // namespace

void searchPlain(Graph* G, std::vector<Vertex*> path, Vertex* V, PathCounter* paths) {
  // A vertex is on the path when the sentence it denotes is; the first
  // place wins, as a walk from the front of the path would find it.
  std::unordered_map<SentenceKey, int> place;
  int given = -1;  // deepest place of the given path whose vertex is not "a"
  for (std::size_t j = 0; j < path.size(); ++j) {
    place.emplace(sentenceKey(*path[j]), static_cast<int>(j));
    if (!isAnalysed(path[j])) given = static_cast<int>(j);
  }
  std::vector<PlainFrame> frames;
  std::vector<Vertex*> neighbours;
  std::vector<std::size_t> positions;
  auto enter = [&](Vertex* W) {
    paths->followed();
    const int below = frames.empty() ? given : frames.back().lastNotAnalysed;
    const auto found = place.find(sentenceKey(*W));
    if (found != place.end()) {
      const int i = found->second;
      if (below < i) return;  // every vertex of the cycle is "a": a repeat
      G->incNumCycles();
      countCycleOnEdges(path.data() + i, path.size() - static_cast<std::size_t>(i));
      return;
    }
    const int here = static_cast<int>(path.size());
    path.push_back(W);
    place.emplace(sentenceKey(*W), here);
    neighbourOrder(W, &positions);
    const std::size_t begin = neighbours.size();
    for (std::size_t k : positions) neighbours.push_back(W->edgeOutList[k]->getVertex());
    frames.push_back(
        PlainFrame{W, begin, neighbours.size(), begin, isAnalysed(W) ? below : here});
  };
  enter(V);
  while (!frames.empty()) {
    PlainFrame& top = frames.back();
    if (top.next < top.end) {
      enter(neighbours[top.next++]);
      continue;
    }
    top.vertex->setState(Vertex::kStateAnalysed);
    place.erase(sentenceKey(*top.vertex));
    path.pop_back();
    neighbours.resize(top.begin);
    frames.pop_back();
  }
}

void plainDetectionPass(Graph* G, PathCounter* paths) {
  // States only leave "b" during a pass, so the start vertices come in
  // start order, each taken while it is still "b".
  for (Vertex* start : startOrder(*G)) {
    if (start->getState() == Vertex::kStateUnvisited) searchPlain(G, {}, start, paths);
  }
}

}  // namespace sentralign::engine
