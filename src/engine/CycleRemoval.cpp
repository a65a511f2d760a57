#include "engine/CycleRemoval.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <unordered_set>
#include <utility>

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"
#include "engine/CycleRemovalProgress.h"
#include "engine/IntIndex.h"
#include "engine/SearchSteps.h"
#include "engine/SentenceKey.h"

namespace {

namespace engine = sentralign::engine;
using engine::at;
using engine::SentenceKey;
using engine::sentenceKey;

// Searches between two progress reports and time checks.
constexpr std::uint64_t kReportInterval = std::uint64_t{1} << 14;

// Out-lists up to this length find an edge's first parallel by a scan.
constexpr std::size_t kShortOutList = 32;

// Marks of a vertex in a component search that is not on the path.
constexpr int kFree = -1;
constexpr int kBlocked = -2;  // its search would count and enter nothing

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

bool isAnalysed(const Vertex* V) { return V->getState() == Vertex::kStateAnalysed; }

}  // namespace

CycleRemoval::CycleRemoval(Graph* G, CycleRemovalProgress* progress,
                           RemovedEdgeHandler onRemoved, TimeLimit limit)
    : G_(G), progress_(progress), onRemoved_(std::move(onRemoved)), limit_(limit) {}

CycleRemoval::~CycleRemoval() = default;

void CycleRemoval::run() {
  engine::setAllStates(G_, Vertex::kStateUnvisited);
  // Two vertices that denote one sentence, or an edge to a vertex outside
  // vertexList, leave the graph to the plain search.
  const bool fast = buildIndex();
  if (fast) {
    fastPass();
  } else {
    plainPass();
  }
  while (G_->getNumCycles() > 0) {
    if (!hasCountedEdge()) {
      // Only a cycle through two vertices that denote one sentence counts
      // nothing on the edges; no removal can break it.
      engine::resetCycleCounts(G_);
      break;
    }
    ++step_;
    engine::divideWeightsByCounts(G_);
    if (progress_ != nullptr) progress_->clear();
    Vertex* source = nullptr;
    Vertex* target = nullptr;
    removeLightestEdge(G_, &source, &target, onRemoved_);
    ++removed_;
    if (progress_ != nullptr) progress_->update(step_, removed_, paths_);
    limit_.check();
    engine::setAllStates(G_, Vertex::kStateUnvisited);
    engine::resetCycleCounts(G_);
    if (fast) {
      noteRemoval(source, target);
      fastPass();
    } else {
      plainPass();
    }
  }
  if (progress_ != nullptr) progress_->clear();
}

void CycleRemoval::detectCycles(Graph* G, std::vector<Vertex*> path, Vertex* V) {
  CycleRemoval removal(G, nullptr);
  removal.searchPlain(std::move(path), V);
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

void CycleRemoval::followed() {
  ++paths_;
  if (paths_ < nextReport_) return;
  nextReport_ = paths_ + kReportInterval;
  if (progress_ != nullptr) progress_->update(step_, removed_, paths_);
  limit_.check();
}

// ---------------------------------------------------------------------------
// The plain search: every simple path, on one path pushed and popped.

void CycleRemoval::plainPass() {
  // States only leave "b" during a pass, so the start vertices come in
  // start order, each taken while it is still "b".
  for (Vertex* start : engine::startOrder(*G_)) {
    if (start->getState() == Vertex::kStateUnvisited) searchPlain({}, start);
  }
}

void CycleRemoval::searchPlain(std::vector<Vertex*> path, Vertex* V) {
  // A vertex is on the path when the sentence it denotes is; the first
  // place wins, as a walk from the front of the path would find it.
  std::unordered_map<SentenceKey, int> place;
  int given = -1;  // deepest place of the given path whose vertex is not "a"
  for (std::size_t j = 0; j < path.size(); ++j) {
    place.emplace(sentenceKey(*path[j]), static_cast<int>(j));
    if (!isAnalysed(path[j])) given = static_cast<int>(j);
  }
  struct PlainFrame {
    Vertex* vertex;
    std::size_t begin, end, next;  // its neighbours, in `neighbours`
    int lastNotAnalysed;
  };
  std::vector<PlainFrame> frames;
  std::vector<Vertex*> neighbours;
  std::vector<std::size_t> positions;
  auto enter = [&](Vertex* W) {
    followed();
    const int below = frames.empty() ? given : frames.back().lastNotAnalysed;
    const auto found = place.find(sentenceKey(*W));
    if (found != place.end()) {
      const int i = found->second;
      if (below < i) return;  // every vertex of the cycle is "a": a repeat
      G_->incNumCycles();
      engine::countCycleOnEdges(path.data() + i,
                                path.size() - static_cast<std::size_t>(i));
      return;
    }
    const int here = static_cast<int>(path.size());
    path.push_back(W);
    place.emplace(sentenceKey(*W), here);
    engine::neighbourOrder(W, &positions);
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

// ---------------------------------------------------------------------------
// The graph by index, and its strongly connected components.

bool CycleRemoval::buildIndex() {
  vertex_ = G_->vertexList;
  const int n = static_cast<int>(vertex_.size());
  indexOf_.reserve(vertex_.size());
  std::unordered_set<SentenceKey> sentences;
  for (int i = 0; i < n; ++i) {
    const Vertex* V = at(vertex_, i);
    if (V == nullptr || !indexOf_.emplace(V, i).second ||
        !sentences.insert(sentenceKey(*V)).second) {
      return false;
    }
  }
  int edges = 0;
  for (const Vertex* V : vertex_) {
    for (const Edge* e : V->edgeOutList) {
      if (indexOf_.count(e->getVertex()) == 0) return false;
    }
    edges += static_cast<int>(V->edgeOutList.size());
  }

  const std::size_t size = vertex_.size();
  neighbourBegin_.assign(size, 0);
  neighbourEnd_.assign(size, 0);
  neighbours_.assign(static_cast<std::size_t>(edges), Entry{0, 0});
  for (int u = 0, offset = 0; u < n; ++u) {
    at(neighbourBegin_, u) = offset;
    offset += static_cast<int>(at(vertex_, u)->edgeOutList.size());
    setNeighbours(u);
  }
  std::vector<int> inDegree(size, 0);
  for (const Entry& e : neighbours_) ++at(inDegree, e.target);
  sourceBegin_.assign(size, 0);
  sourceEnd_.assign(size, 0);
  sources_.assign(static_cast<std::size_t>(edges), 0);
  for (int v = 0, offset = 0; v < n; ++v) {
    at(sourceBegin_, v) = at(sourceEnd_, v) = offset;
    offset += at(inDegree, v);
  }
  for (int u = 0; u < n; ++u) {
    for (int p = at(neighbourBegin_, u); p < at(neighbourEnd_, u); ++p) {
      at(sources_, at(sourceEnd_, at(neighbours_, p).target)++) = u;
    }
  }

  startOrder_.clear();
  startOrder_.reserve(size);
  for (const Vertex* V : engine::startOrder(*G_)) startOrder_.push_back(indexOf_.at(V));

  exitSeen_.assign(size, 0);
  localOf_.assign(size, 0);
  reached_.assign(size, 0);
  tarjanIndex_.assign(size, -1);
  tarjanLow_.assign(size, 0);
  onStack_.assign(size, 0);

  // One component holding every vertex, split into the real ones.
  componentOf_.assign(size, 0);
  members_.resize(size);
  for (int i = 0; i < n; ++i) at(members_, i) = i;
  componentBegin_.assign(1, 0);
  componentEnd_.assign(1, n);
  hasCycleEdge_.assign(1, 0);
  splitComponent(0);
  return true;
}

void CycleRemoval::setNeighbours(int u) {
  const Vertex* V = at(vertex_, u);
  const std::vector<Edge*>& out = V->edgeOutList;
  engine::neighbourOrder(V, &positions_);
  const bool longList = out.size() > kShortOutList;
  firstPlace_.clear();
  if (longList) {
    for (std::size_t k = out.size(); k-- > 0;) {
      firstPlace_[out[k]->getVertex()] = static_cast<int>(k);
    }
  }
  int p = at(neighbourBegin_, u);
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
  at(neighbourEnd_, u) = p;
}

void CycleRemoval::splitComponent(int component) {
  // Tarjan's algorithm on the edges inside `component`, with its call stack
  // on the heap. The new components take the old one's range of members_.
  const std::vector<int> roots(members_.begin() + at(componentBegin_, component),
                               members_.begin() + at(componentEnd_, component));
  for (int v : roots) at(tarjanIndex_, v) = -1;
  int write = at(componentBegin_, component);
  at(componentBegin_, component) = at(componentEnd_, component) = 0;
  int counter = 0;
  std::vector<int> stack;
  std::vector<std::pair<int, int>> calls;  // vertex, next neighbour place
  auto visit = [&](int v) {
    at(tarjanIndex_, v) = at(tarjanLow_, v) = counter++;
    stack.push_back(v);
    at(onStack_, v) = 1;
    calls.emplace_back(v, at(neighbourBegin_, v));
  };
  for (int root : roots) {
    if (at(tarjanIndex_, root) != -1) continue;
    visit(root);
    while (!calls.empty()) {
      const int v = calls.back().first;
      const int p = calls.back().second;
      if (p < at(neighbourEnd_, v)) {
        ++calls.back().second;
        const int w = at(neighbours_, p).target;
        if (at(componentOf_, w) != component) continue;
        if (at(tarjanIndex_, w) == -1) {
          visit(w);
        } else if (at(onStack_, w)) {
          at(tarjanLow_, v) = std::min(at(tarjanLow_, v), at(tarjanIndex_, w));
        }
        continue;
      }
      calls.pop_back();
      if (!calls.empty()) {
        const int parent = calls.back().first;
        at(tarjanLow_, parent) = std::min(at(tarjanLow_, parent), at(tarjanLow_, v));
      }
      if (at(tarjanLow_, v) != at(tarjanIndex_, v)) continue;
      const int created = static_cast<int>(componentBegin_.size());
      const int begin = write;
      for (int w = -1; w != v;) {
        w = stack.back();
        stack.pop_back();
        at(onStack_, w) = 0;
        at(members_, write++) = w;
        at(componentOf_, w) = created;
      }
      bool loop = false;
      for (int q = at(neighbourBegin_, v); q < at(neighbourEnd_, v); ++q) {
        if (at(neighbours_, q).target == v) loop = true;
      }
      componentBegin_.push_back(begin);
      componentEnd_.push_back(write);
      hasCycleEdge_.push_back(write - begin > 1 || loop ? 1 : 0);
    }
  }
}

void CycleRemoval::noteRemoval(Vertex* source, Vertex* target) {
  const int u = indexOf_.at(source);
  const int w = indexOf_.at(target);
  setNeighbours(u);
  for (int p = at(sourceBegin_, w); p < at(sourceEnd_, w); ++p) {
    if (at(sources_, p) != u) continue;
    at(sources_, p) = at(sources_, --at(sourceEnd_, w));
    break;
  }
  // Only the source's component can change: its outcomes go, and it is
  // split when the edge lay inside it.
  const int component = at(componentOf_, u);
  outcomes_.erase(outcomes_.lower_bound({component, INT_MIN}),
                  outcomes_.lower_bound({component + 1, INT_MIN}));
  if (at(componentOf_, w) == component) splitComponent(component);
}

// ---------------------------------------------------------------------------
// The fast detection pass, component by component.

void CycleRemoval::fastPass() {
  reached_.assign(vertex_.size(), 0);
  done_.assign(componentBegin_.size(), 0);
  std::int64_t total = 0;
  for (int start : startOrder_) {
    if (at(reached_, start)) continue;
    total = saturatingAdd(total, searchFrom(start));
  }
  G_->setNumCycles(saturate(saturatingAdd(G_->getNumCycles(), total)));
  for (Vertex* V : vertex_) V->setState(Vertex::kStateAnalysed);
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
      const std::size_t p =
          static_cast<std::size_t>(at(neighbourBegin_, task.entry)) + task.next;
      if (p < static_cast<std::size_t>(at(neighbourEnd_, task.entry))) {
        target = neighbours_[p].target;
        ++task.next;
      }
    }
    if (target >= 0) {
      if (at(done_, at(componentOf_, target))) continue;
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
  const int component = at(componentOf_, entry);
  for (int i = at(componentBegin_, component); i < at(componentEnd_, component); ++i) {
    at(reached_, at(members_, i)) = 1;
  }
  const Outcome* outcome = nullptr;
  if (at(hasCycleEdge_, component)) {
    outcome = &outcomeFor(component, entry);
  } else {
    followed();
  }
  tasks->push_back(Task{component, entry, outcome, 0});
}

const CycleRemoval::Outcome& CycleRemoval::outcomeFor(int component, int entry) {
  const auto found = outcomes_.find({component, entry});
  if (found != outcomes_.end()) return found->second;
  Outcome& outcome = outcomes_[{component, entry}];
  searchComponent(component, entry, &outcome);
  return outcome;
}

void CycleRemoval::applyCounts(const Outcome& outcome) {
  for (const auto& [edge, count] : outcome.counts) {
    edge->setNumCycles(saturate(saturatingAdd(edge->getNumCycles(), count)));
  }
}

// ---------------------------------------------------------------------------
// The search inside one component.

void CycleRemoval::searchComponent(int component, int entry, Outcome* outcome) {
  if (++searchStamp_ == 0) {
    std::fill(exitSeen_.begin(), exitSeen_.end(), 0u);
    searchStamp_ = 1;
  }
  buildLocalLists(component);
  const std::size_t size = local_.size();
  analysed_.assign(size, 0);
  place_.assign(size, kFree);
  blockedCount_ = 0;
  unblockStack_.assign(size, 0);
  // A simple path inside the component holds each vertex at most once.
  frames_.assign(size, Frame{});

  // The loop works on raw pointers held in locals, so that the stores into
  // the frames and counts need not reload the vectors' storage.
  Frame* const frames = frames_.data();
  int* const place = place_.data();
  char* const analysed = analysed_.data();
  const Step* const steps = steps_.data();
  std::int64_t* const slotCount = slotCount_.data();
  const int* const allBegin = allBegin_.data();
  const int* const innerBegin = innerBegin_.data();
  const int* const innerEnd = innerEnd_.data();
  int depth = -1;  // place of the top frame on the path
  std::int64_t cycles = 0;

  const auto push = [&](int v, int inSlot) {
    followed();
    const int below = depth < 0 ? -1 : frames[depth].lastNotAnalysed;
    Frame& frame = frames[++depth];
    place[v] = depth;
    frame.vertex = v;
    frame.inSlot = inSlot;
    frame.carry = 0;
    frame.effect = false;
    if (analysed[v]) {
      frame.next = innerBegin[v];
      frame.end = innerEnd[v];
      frame.lastNotAnalysed = below;
      return;
    }
    frame.next = allBegin[v];
    frame.end = innerBegin[v];
    frame.lastNotAnalysed = depth;
    // A cycle closed at any place from below + 1 to here counts from now
    // on: whatever can reach those places may be useful again.
    if (blockedCount_ == 0) return;
    for (int j = below + 1; j <= depth; ++j) unblockSourcesOf(frames[j].vertex);
  };

  const auto pop = [&]() {
    const Frame& top = frames[depth];
    analysed[top.vertex] = 1;
    const bool effect = top.effect || top.lastNotAnalysed == depth;
    if (!effect) {
      place[top.vertex] = kBlocked;
      ++blockedCount_;
    } else {
      place[top.vertex] = kFree;
      if (blockedCount_ > 0) unblockSourcesOf(top.vertex);
    }
    if (depth-- == 0) return;
    slotCount[top.inSlot] += top.carry;
    Frame& below = frames[depth];
    below.carry += top.carry;
    if (effect) below.effect = true;
  };

  push(at(localOf_, entry), -1);
  while (depth >= 0) {
    Frame& top = frames[depth];
    if (top.next == top.end) {
      pop();
      continue;
    }
    const Step step = steps[top.next++];
    if (step.target < 0) {
      // An edge out of the component; only first searches meet them.
      const int exit = -1 - step.target;
      if (at(exitSeen_, exit) == searchStamp_) continue;
      at(exitSeen_, exit) = searchStamp_;
      outcome->exits.push_back(exit);
      continue;
    }
    const int mark = place[step.target];
    if (mark >= 0) {
      // A cycle closes; it is new when a vertex from `mark` on is not "a".
      if (top.lastNotAnalysed < mark) continue;
      // Counts grow by one cycle at a time: 64 bits never run out.
      ++cycles;
      ++slotCount[step.slot];
      top.effect = true;
      ++top.carry;
      --frames[mark].carry;
      continue;
    }
    if (mark == kBlocked) continue;
    push(step.target, step.slot);
  }
  outcome->cycles += cycles;

  for (std::size_t i = 0; i < size; ++i) {
    const std::vector<Edge*>& out = at(vertex_, local_[i])->edgeOutList;
    for (std::size_t k = 0; k < out.size(); ++k) {
      const std::int64_t count = slotCount_[static_cast<std::size_t>(slotBase_[i]) + k];
      if (count != 0) outcome->counts.emplace_back(out[k], count);
    }
  }
}

void CycleRemoval::buildLocalLists(int component) {
  // The component's vertices by their place in it. Each gets its steps in
  // search order twice: all of them for its first search, and only those
  // that stay in the component for the later ones. Sources are the
  // vertices of the component with an edge to it, one per edge.
  local_.assign(members_.begin() + at(componentBegin_, component),
                members_.begin() + at(componentEnd_, component));
  const int size = static_cast<int>(local_.size());
  for (int i = 0; i < size; ++i) at(localOf_, at(local_, i)) = i;
  steps_.clear();
  allBegin_.resize(local_.size());
  innerBegin_.resize(local_.size());
  innerEnd_.resize(local_.size());
  slotBase_.resize(local_.size());
  int slots = 0;
  for (int i = 0; i < size; ++i) {
    const int u = at(local_, i);
    at(slotBase_, i) = slots;
    slots += static_cast<int>(at(vertex_, u)->edgeOutList.size());
    at(allBegin_, i) = static_cast<int>(steps_.size());
    for (int p = at(neighbourBegin_, u); p < at(neighbourEnd_, u); ++p) {
      const Entry& e = at(neighbours_, p);
      if (at(componentOf_, e.target) != component) {
        steps_.push_back(Step{-1 - e.target, -1});
      } else {
        steps_.push_back(Step{at(localOf_, e.target), at(slotBase_, i) + e.firstEdge});
      }
    }
    at(innerBegin_, i) = static_cast<int>(steps_.size());
    for (int q = at(allBegin_, i); q < at(innerBegin_, i); ++q) {
      const Step step = at(steps_, q);
      if (step.target >= 0) steps_.push_back(step);
    }
    at(innerEnd_, i) = static_cast<int>(steps_.size());
  }
  slotCount_.assign(static_cast<std::size_t>(slots), 0);
  sourceOf_.clear();
  localSourceBegin_.resize(local_.size() + 1);
  for (int i = 0; i < size; ++i) {
    at(localSourceBegin_, i) = static_cast<int>(sourceOf_.size());
    const int y = at(local_, i);
    for (int p = at(sourceBegin_, y); p < at(sourceEnd_, y); ++p) {
      const int w = at(sources_, p);
      if (at(componentOf_, w) == component) sourceOf_.push_back(at(localOf_, w));
    }
  }
  at(localSourceBegin_, size) = static_cast<int>(sourceOf_.size());
}

void CycleRemoval::unblockSourcesOf(int v) {
  // A blocked vertex keeps every successor blocked or on the path; once v
  // may be useful again, so may whatever leads to it. The stack holds
  // vertices just unblocked whose sources are still to be looked at.
  int* stack = unblockStack_.data();
  int size = 0;
  int y = v;
  for (;;) {
    const int* p = sourceOf_.data() + at(localSourceBegin_, y);
    const int* end = sourceOf_.data() + at(localSourceBegin_, y + 1);
    for (; p != end; ++p) {
      const int w = *p;
      if (at(place_, w) != kBlocked) continue;
      at(place_, w) = kFree;
      --blockedCount_;
      stack[size++] = w;
    }
    if (size == 0) return;
    y = stack[--size];
  }
}
