#include "engine/CycleIndex.h"

#include <algorithm>
#include <unordered_set>

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"
#include "engine/IntIndex.h"
#include "engine/SearchSteps.h"
#include "engine/SentenceKey.h"

namespace sentralign::engine {

namespace {

// Out-lists up to this length find an edge's first parallel by a scan.
constexpr std::size_t kShortOutList = 32;

}  // namespace

bool CycleIndex::build(const Graph& G) {
  if (!numberVertices(G) || !edgesStayInside()) return false;
  buildNeighbourLists();
  buildSourceLists();

  startOrder_.clear();
  startOrder_.reserve(vertex_.size());
  for (const Vertex* V : engine::startOrder(G)) startOrder_.push_back(indexOf_.at(V));

  // One component holding every vertex, split into the real ones.
  tarjanIndex_.assign(vertex_.size(), -1);
  tarjanLow_.assign(vertex_.size(), 0);
  onStack_.assign(vertex_.size(), 0);
  componentOf_.assign(vertex_.size(), 0);
  members_.resize(vertex_.size());
  for (int v = 0; v < size(); ++v) at(members_, v) = v;
  componentBegin_.assign(1, 0);
  componentEnd_.assign(1, size());
  hasCycleEdge_.assign(1, 0);
  splitComponent(0);
  return true;
}

bool CycleIndex::numberVertices(const Graph& G) {
  vertex_ = G.vertexList;
  indexOf_.clear();
  indexOf_.reserve(vertex_.size());
  std::unordered_set<SentenceKey> sentences;
  for (int v = 0; v < size(); ++v) {
    const Vertex* V = at(vertex_, v);
    if (V == nullptr || !indexOf_.emplace(V, v).second ||
        !sentences.insert(sentenceKey(*V)).second) {
      return false;
    }
  }
  return true;
}

bool CycleIndex::edgesStayInside() const {
  for (const Vertex* V : vertex_) {
    for (const Edge* e : V->edgeOutList) {
      if (indexOf_.count(e->getVertex()) == 0) return false;
    }
  }
  return true;
}

void CycleIndex::buildNeighbourLists() {
  int edges = 0;
  for (const Vertex* V : vertex_) edges += static_cast<int>(V->edgeOutList.size());
  neighbourBegin_.assign(vertex_.size(), 0);
  neighbourEnd_.assign(vertex_.size(), 0);
  neighbours_.assign(idx(edges), Entry{0, 0});
  for (int v = 0, offset = 0; v < size(); ++v) {
    at(neighbourBegin_, v) = offset;
    offset += static_cast<int>(at(vertex_, v)->edgeOutList.size());
    setNeighbours(v);
  }
}

void CycleIndex::setNeighbours(int v) {
  const Vertex* V = at(vertex_, v);
  const std::vector<Edge*>& out = V->edgeOutList;
  engine::neighbourOrder(V, &positions_);
  const bool longList = out.size() > kShortOutList;
  firstPlace_.clear();
  if (longList) {
    for (std::size_t k = out.size(); k-- > 0;) {
      firstPlace_[out[k]->getVertex()] = static_cast<int>(k);
    }
  }
  int p = at(neighbourBegin_, v);
  for (std::size_t k : positions_) {
    const Vertex* to = out[k]->getVertex();
    int first = 0;
    if (longList) {
      first = firstPlace_[to];
    } else {
      while (at(out, first)->getVertex() != to) ++first;
    }
    at(neighbours_, p++) = Entry{indexOf_.at(to), first};
  }
  at(neighbourEnd_, v) = p;
}

void CycleIndex::buildSourceLists() {
  std::vector<int> inDegree(vertex_.size(), 0);
  for (const Entry& e : neighbours_) ++at(inDegree, e.target);
  sourceBegin_.assign(vertex_.size(), 0);
  sourceEnd_.assign(vertex_.size(), 0);
  sources_.assign(neighbours_.size(), 0);
  for (int v = 0, offset = 0; v < size(); ++v) {
    at(sourceBegin_, v) = at(sourceEnd_, v) = offset;
    offset += at(inDegree, v);
  }
  for (int u = 0; u < size(); ++u) {
    for (const Entry& e : neighbours(u)) at(sources_, at(sourceEnd_, e.target)++) = u;
  }
}

int CycleIndex::removeEdge(const Vertex* source, const Vertex* target) {
  const int u = indexOf_.at(source);
  const int w = indexOf_.at(target);
  setNeighbours(u);
  for (int p = at(sourceBegin_, w); p < at(sourceEnd_, w); ++p) {
    if (at(sources_, p) != u) continue;
    at(sources_, p) = at(sources_, --at(sourceEnd_, w));
    break;
  }
  const int component = at(componentOf_, u);
  if (at(componentOf_, w) == component) splitComponent(component);
  return component;
}

Range<CycleIndex::Entry> CycleIndex::neighbours(int v) const {
  return {neighbours_.data() + at(neighbourBegin_, v),
          neighbours_.data() + at(neighbourEnd_, v)};
}

Range<int> CycleIndex::sources(int v) const {
  return {sources_.data() + at(sourceBegin_, v), sources_.data() + at(sourceEnd_, v)};
}

int CycleIndex::componentOf(int v) const { return at(componentOf_, v); }

Range<int> CycleIndex::members(int component) const {
  return {members_.data() + at(componentBegin_, component),
          members_.data() + at(componentEnd_, component)};
}

bool CycleIndex::hasCycleEdge(int component) const {
  return at(hasCycleEdge_, component) != 0;
}

void CycleIndex::splitComponent(int component) {
  // Tarjan's algorithm on the edges inside `component`, with its call stack
  // on the heap. The new components take the old one's range of members_.
  const Range<int> old = members(component);
  const std::vector<int> roots(old.begin(), old.end());
  for (int v : roots) at(tarjanIndex_, v) = -1;
  int write = at(componentBegin_, component);
  at(componentBegin_, component) = at(componentEnd_, component) = 0;
  counter_ = 0;
  for (int root : roots) {
    if (at(tarjanIndex_, root) != -1) continue;
    enterTarjan(root);
    while (!calls_.empty()) {
      const int v = calls_.back().first;
      const int p = calls_.back().second;
      if (p < at(neighbourEnd_, v)) {
        ++calls_.back().second;
        const int w = at(neighbours_, p).target;
        if (at(componentOf_, w) != component) continue;
        if (at(tarjanIndex_, w) == -1) {
          enterTarjan(w);
        } else if (at(onStack_, w)) {
          at(tarjanLow_, v) = std::min(at(tarjanLow_, v), at(tarjanIndex_, w));
        }
        continue;
      }
      calls_.pop_back();
      if (!calls_.empty()) {
        const int parent = calls_.back().first;
        at(tarjanLow_, parent) = std::min(at(tarjanLow_, parent), at(tarjanLow_, v));
      }
      if (at(tarjanLow_, v) == at(tarjanIndex_, v)) closeComponent(v, &write);
    }
  }
}

void CycleIndex::enterTarjan(int v) {
  at(tarjanIndex_, v) = at(tarjanLow_, v) = counter_++;
  stack_.push_back(v);
  at(onStack_, v) = 1;
  calls_.emplace_back(v, at(neighbourBegin_, v));
}

void CycleIndex::closeComponent(int v, int* write) {
  // v is the root of a component: it and everything above it on the stack.
  const int created = numComponents();
  const int begin = *write;
  for (int w = -1; w != v;) {
    w = stack_.back();
    stack_.pop_back();
    at(onStack_, w) = 0;
    at(members_, (*write)++) = w;
    at(componentOf_, w) = created;
  }
  bool loop = false;
  for (const Entry& e : neighbours(v)) loop = loop || e.target == v;
  componentBegin_.push_back(begin);
  componentEnd_.push_back(*write);
  hasCycleEdge_.push_back(*write - begin > 1 || loop ? 1 : 0);
}

}  // namespace sentralign::engine
