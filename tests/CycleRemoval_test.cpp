// The fast cycle removal against the literal transcription: the same lines
// printed, the same graph left behind, the same order afterwards.

#include "CycleRemoval.h"

#include <gtest/gtest.h>

#include <string>

#include "Graph.h"
#include "TopologicalOrdering.h"
#include "Vertex.h"
#include "literal_cycle_removal.h"
#include "random_graphs.h"
#include "test_util.h"

namespace {

// What one removal leaves: its console text, the graph, and the ordering
// of every second sentence afterwards.
std::string removeAndOrder(Graph* G, bool fast) {
  testing::internal::CaptureStdout();
  if (fast) {
    TopologicalOrdering::removeAllCycles(G);
  } else {
    literal::removeAllCycles(G);
  }
  std::string result = testing::internal::GetCapturedStdout();
  result += "\n" + cycleSnapshot(*G) + "\n";
  for (std::size_t i = 0; i < G->vertexList.size(); i += 2) {
    G->summ.push_back(G->vertexList[i]);
  }
  TopologicalOrdering::topologicalOrdering(G);
  result += ids(G->topologicalOrderedSumm) + " |";
  for (const Vertex* V : G->vertexList) {
    result += " " + std::to_string(V->getPosTopologicalList()) + "/" +
              std::to_string(V->getPosTopologicalOrderedSumm());
  }
  return result;
}

}  // namespace

TEST(CycleRemovalTest, MatchesTheLiteralRemovalOnRandomGraphs) {
  struct Shape {
    int texts, maxSentences, edges, seeds;
  } shapes[] = {
      {1, 6, 4, 60}, {2, 5, 6, 80}, {3, 4, 8, 80}, {2, 7, 10, 60}, {4, 3, 12, 60},
      {3, 6, 14, 40},
  };
  for (const Shape& shape : shapes) {
    for (int seed = 1; seed <= shape.seeds; ++seed) {
      const unsigned s = static_cast<unsigned>(seed * 7919 + shape.edges);
      Graph literalGraph, fastGraph;
      buildRandomGraph(&literalGraph, s, shape.texts, shape.maxSentences, shape.edges);
      buildRandomGraph(&fastGraph, s, shape.texts, shape.maxSentences, shape.edges);
      ASSERT_EQ(removeAndOrder(&fastGraph, true), removeAndOrder(&literalGraph, false))
          << "texts " << shape.texts << " sentences " << shape.maxSentences
          << " edges " << shape.edges << " seed " << s;
    }
  }
}
