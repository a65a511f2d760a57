#include "engine/CycleRemoval.h"

#include <cassert>
#include <climits>
#include <utility>

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"
#include "engine/CycleRemovalProgress.h"
#include "engine/IntIndex.h"
#include "engine/PlainCycleSearch.h"
#include "engine/SearchSteps.h"

namespace {

namespace engine = sentralign::engine;
using engine::at;

// Counts are ints on the graph and the edges; a sum beyond their range
// stays at its end instead of wrapping round.
int saturate(std::int64_t value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
  if (b > 0 && a > INT64_MAX - b) return INT64_MAX;
  if (b < 0 && a < INT64_MIN - b) return INT64_MIN;
  return a + b;
}

}  // namespace

CycleRemoval::CycleRemoval(Graph* G, CycleRemovalProgress* progress,
                           RemovedEdgeHandler onRemoved, TimeLimit limit)
    : G_(G),
      progress_(progress),
      onRemoved_(std::move(onRemoved)),
      limit_(limit),
      paths_([this](std::uint64_t paths) { report(paths); }) {}

CycleRemoval::~CycleRemoval() = default;

void CycleRemoval::run() {
  engine::setAllStates(G_, Vertex::kStateUnvisited);
  // Two vertices that denote one sentence, or an edge to a vertex outside
  // vertexList, leave the graph to the plain search.
  fast_ = index_.build(*G_);
  detectionPass();
  while (G_->getNumCycles() > 0) {
    if (!hasCountedEdge()) {
      // Only a cycle through two vertices that denote one sentence counts
      // nothing on the edges; no removal can break it.
      engine::resetCycleCounts(G_);
      break;
    }
    removalStep();
    detectionPass();
  }
  if (progress_ != nullptr) progress_->clear();
}

void CycleRemoval::detectionPass() {
  if (fast_) {
    fastPass();
  } else {
    engine::plainDetectionPass(G_, &paths_);
  }
}

void CycleRemoval::removalStep() {
  // The lightest edge by weight per cycle goes, then the next pass starts
  // from fresh states and counts.
  ++step_;
  engine::divideWeightsByCounts(G_);
  if (progress_ != nullptr) progress_->clear();
  Vertex* source = nullptr;
  Vertex* target = nullptr;
  removeLightestEdge(G_, &source, &target, onRemoved_);
  ++removed_;
  if (progress_ != nullptr) progress_->update(step_, removed_, paths_.paths());
  limit_.check();
  engine::setAllStates(G_, Vertex::kStateUnvisited);
  engine::resetCycleCounts(G_);
  if (!fast_) return;
  // Only the source's component can change: its outcomes go.
  const int component = index_.removeEdge(source, target);
  outcomes_.erase(outcomes_.lower_bound({component, INT_MIN}),
                  outcomes_.lower_bound({component + 1, INT_MIN}));
}

void CycleRemoval::report(std::uint64_t paths) {
  if (progress_ != nullptr) progress_->update(step_, removed_, paths);
  limit_.check();
}

void CycleRemoval::detectCycles(Graph* G, std::vector<Vertex*> path, Vertex* V) {
  engine::PathCounter paths;
  engine::searchPlain(G, std::move(path), V, &paths);
}

bool CycleRemoval::removeLightestEdge(Graph* G, Vertex** source, Vertex** target,
                                      const RemovedEdgeHandler& onRemoved) {
  std::size_t vertexPlace = 0;
  std::size_t edgePlace = 0;
  bool found = false;
  for (std::size_t i = 0; i < G->vertexList.size() && !found; ++i) {
    const std::vector<Edge*>& out = G->vertexList[i]->edgeOutList;
    for (std::size_t k = 0; k < out.size(); ++k) {
      if (out[k]->getNumCycles() <= 0) continue;
      vertexPlace = i;
      edgePlace = k;
      found = true;
      break;
    }
  }
  if (!found) return false;
  float lightest = G->vertexList[vertexPlace]->edgeOutList[edgePlace]->getWeight();
  for (std::size_t i = 0; i < G->vertexList.size(); ++i) {
    const std::vector<Edge*>& out = G->vertexList[i]->edgeOutList;
    for (std::size_t k = 0; k < out.size(); ++k) {
      const float weight = out[k]->getWeight();
      if (weight > 0.0f && weight < lightest) {
        vertexPlace = i;
        edgePlace = k;
        lightest = weight;
      }
    }
  }
  Vertex* from = G->vertexList[vertexPlace];
  Edge* edge = from->edgeOutList[edgePlace];
  if (onRemoved) {
    onRemoved(*from, *edge);
  } else {
    from->print();
  }
  if (source != nullptr) *source = from;
  if (target != nullptr) *target = edge->getVertex();
  from->edgeOutList.erase(from->edgeOutList.begin() +
                          static_cast<std::ptrdiff_t>(edgePlace));
  delete edge;
  return true;
}

bool CycleRemoval::hasCountedEdge() const {
  for (const Vertex* V : G_->vertexList) {
    for (const Edge* e : V->edgeOutList) {
      if (e->getNumCycles() > 0) return true;
    }
  }
  return false;
}

void CycleRemoval::fastPass() {
  // The components in the order the search that follows every path enters
  // them, each searched once (or its outcome reused) and its counts applied.
  reached_.assign(index_.vertices().size(), 0);
  done_.assign(static_cast<std::size_t>(index_.numComponents()), 0);
  std::int64_t total = 0;
  for (int start : index_.startOrder()) {
    if (at(reached_, start)) continue;
    total = saturatingAdd(total, searchFrom(start));
  }
  G_->setNumCycles(saturate(saturatingAdd(G_->getNumCycles(), total)));
  for (Vertex* V : index_.vertices()) V->setState(Vertex::kStateAnalysed);
}

std::int64_t CycleRemoval::searchFrom(int start) {
  // Each component is searched once, from the vertex by which the search
  // first enters it; the components it leads to are entered in the order
  // in which its edges first reach them, each searched to its end before
  // the next, as the search that follows every path enters them.
  std::int64_t total = 0;
  std::vector<Task> tasks;
  pushTask(start, &tasks);
  while (!tasks.empty()) {
    Task& task = tasks.back();
    int target = -1;
    if (task.outcome != nullptr) {
      if (task.next < task.outcome->exits.size())
        target = task.outcome->exits[task.next++];
    } else {
      const engine::Range<engine::CycleIndex::Entry> neighbours =
          index_.neighbours(task.entry);
      if (task.next < neighbours.size()) target = neighbours[task.next++].target;
    }
    if (target >= 0) {
      if (at(done_, index_.componentOf(target))) continue;
      // A component below this one never lies on the way to it.
      assert(!at(reached_, target));
      pushTask(target, &tasks);
      continue;
    }
    at(done_, task.component) = 1;
    if (task.outcome != nullptr) {
      applyCounts(*task.outcome);
      total = saturatingAdd(total, task.outcome->cycles);
    }
    tasks.pop_back();
  }
  return total;
}

void CycleRemoval::pushTask(int entry, std::vector<Task>* tasks) {
  const int component = index_.componentOf(entry);
  for (int v : index_.members(component)) at(reached_, v) = 1;
  const engine::ComponentOutcome* outcome = nullptr;
  if (index_.hasCycleEdge(component)) {
    outcome = &outcomeFor(component, entry);
  } else {
    paths_.followed();
  }
  tasks->push_back(Task{component, entry, outcome, 0});
}

const engine::ComponentOutcome& CycleRemoval::outcomeFor(int component, int entry) {
  const auto found = outcomes_.find({component, entry});
  if (found != outcomes_.end()) return found->second;
  engine::ComponentOutcome& outcome = outcomes_[{component, entry}];
  search_.search(component, entry, &paths_, &outcome);
  return outcome;
}

void CycleRemoval::applyCounts(const engine::ComponentOutcome& outcome) {
  for (const auto& [edge, count] : outcome.counts) {
    edge->setNumCycles(saturate(saturatingAdd(edge->getNumCycles(), count)));
  }
}
