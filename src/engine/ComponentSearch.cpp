#include "engine/ComponentSearch.h"

#include <algorithm>
#include <cstddef>

#include "Vertex.h"
#include "engine/IntIndex.h"

namespace sentralign::engine {

namespace {

// Marks of a vertex in a component search that is not on the path.
constexpr int kFree = -1;
constexpr int kBlocked = -2;  // its search would count and enter nothing

}  // namespace

void ComponentSearch::search(int component, int entry, PathCounter* paths,
                             ComponentOutcome* outcome) {
  prepare(component);
  outcome->cycles += walk(at(localOf_, entry), paths, outcome);
  collectCounts(outcome);
}

void ComponentSearch::prepare(int component) {
  if (localOf_.size() != idx(index_->size())) {
    localOf_.assign(idx(index_->size()), 0);
    exitSeen_.assign(idx(index_->size()), 0);
  }
  if (++searchStamp_ == 0) {
    std::fill(exitSeen_.begin(), exitSeen_.end(), 0u);
    searchStamp_ = 1;
  }
  placeMembers(component);
  buildSteps(component);
  buildSources(component);
  const std::size_t size = local_.size();
  analysed_.assign(size, 0);
  place_.assign(size, kFree);
  blockedCount_ = 0;
  unblockStack_.assign(size, 0);
  // A simple path inside the component holds each vertex at most once.
  frames_.assign(size, Frame{});
}

void ComponentSearch::placeMembers(int component) {
  const Range<int> members = index_->members(component);
  local_.assign(members.begin(), members.end());
  for (int i = 0; i < static_cast<int>(local_.size()); ++i)
    at(localOf_, at(local_, i)) = i;
}

void ComponentSearch::buildSteps(int component) {
  // Each vertex gets its steps in search order twice: all of them for its
  // first search, and only those that stay in the component for the later
  // ones. Each out-list has a count slot per edge.
  const int size = static_cast<int>(local_.size());
  steps_.clear();
  allBegin_.resize(local_.size());
  innerBegin_.resize(local_.size());
  innerEnd_.resize(local_.size());
  slotBase_.resize(local_.size());
  int slots = 0;
  for (int i = 0; i < size; ++i) {
    const int u = at(local_, i);
    at(slotBase_, i) = slots;
    slots += static_cast<int>(at(index_->vertices(), u)->edgeOutList.size());
    at(allBegin_, i) = static_cast<int>(steps_.size());
    for (const CycleIndex::Entry& e : index_->neighbours(u)) {
      if (index_->componentOf(e.target) != component) {
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
  slotCount_.assign(idx(slots), 0);
}

void ComponentSearch::buildSources(int component) {
  // The sources of a vertex are the vertices of the component with an edge
  // to it, one per edge.
  const int size = static_cast<int>(local_.size());
  sourceOf_.clear();
  localSourceBegin_.resize(local_.size() + 1);
  for (int i = 0; i < size; ++i) {
    at(localSourceBegin_, i) = static_cast<int>(sourceOf_.size());
    for (int w : index_->sources(at(local_, i))) {
      if (index_->componentOf(w) == component) sourceOf_.push_back(at(localOf_, w));
    }
  }
  at(localSourceBegin_, size) = static_cast<int>(sourceOf_.size());
}

std::int64_t ComponentSearch::walk(int entry, PathCounter* paths,
                                   ComponentOutcome* outcome) {
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
    paths->followed();
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

  push(entry, -1);
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
  return cycles;
}

void ComponentSearch::unblockSourcesOf(int v) {
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

void ComponentSearch::collectCounts(ComponentOutcome* outcome) const {
  for (std::size_t i = 0; i < local_.size(); ++i) {
    const std::vector<Edge*>& out = index_->vertices()[idx(local_[i])]->edgeOutList;
    const std::size_t base = idx(slotBase_[i]);
    for (std::size_t k = 0; k < out.size(); ++k) {
      const std::int64_t count = slotCount_[base + k];
      if (count != 0) outcome->counts.emplace_back(out[k], count);
    }
  }
}

}  // namespace sentralign::engine
