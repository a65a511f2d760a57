// The fast cycle removal against the literal one: the same lines
// printed, the same graph left behind (edges, weights, counts, states), and
// the same topological order afterwards.

#include "engine/CycleRemoval.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Edge.h"
#include "Graph.h"
#include "Read.h"
#include "TopologicalOrdering.h"
#include "Vertex.h"
#include "literal_cycle_removal.h"
#include "random_graphs.h"
#include "test_util.h"

namespace {

using Builder = std::function<void(Graph*)>;

// What one removal leaves: its console text, the graph, and the ordering
// of every second sentence afterwards with every vertex's two numbers.
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

// Builds the graph twice and removes its cycles both ways.
void expectSameRemoval(const Builder& build, const std::string& name) {
  Graph literalGraph, fastGraph;
  build(&literalGraph);
  build(&fastGraph);
  const std::string expected = removeAndOrder(&literalGraph, false);
  EXPECT_EQ(removeAndOrder(&fastGraph, true), expected) << name;
}

std::string readFile(const std::string& relative) {
  return readWholeFile(std::string(SENTRALIGN_SOURCE_DIR) + "/" + relative);
}

}  // namespace

TEST(CycleRemovalTest, MatchesTheLiteralRemovalOnRandomGraphs) {
  struct Shape {
    int texts, maxSentences, edges, seeds;
  } shapes[] = {
      {1, 6, 4, 60},  {2, 5, 6, 80},  {3, 4, 8, 80},  {2, 7, 10, 60},
      {4, 3, 12, 60}, {3, 6, 14, 40}, {4, 6, 18, 20},
  };
  for (const Shape& shape : shapes) {
    for (int seed = 1; seed <= shape.seeds; ++seed) {
      const unsigned s = static_cast<unsigned>(seed * 7919 + shape.edges);
      expectSameRemoval(
          [&](Graph* G) {
            buildRandomGraph(G, s, shape.texts, shape.maxSentences, shape.edges);
          },
          "texts " + std::to_string(shape.texts) + " sentences " +
              std::to_string(shape.maxSentences) + " edges " +
              std::to_string(shape.edges) + " seed " + std::to_string(s));
    }
  }
}

TEST(CycleRemovalTest, MatchesTheLiteralRemovalOnGeneratedClusters) {
  const std::string description = readFile("data/FILE_DESCRIPTION_RELATIONS_CST.txt");
  struct Shape {
    int texts, sentences, relations, seeds;
  } shapes[] = {{2, 6, 8, 40}, {3, 5, 12, 40}, {3, 8, 18, 20}, {2, 10, 22, 10}};
  for (const Shape& shape : shapes) {
    for (int seed = 1; seed <= shape.seeds; ++seed) {
      const unsigned s = static_cast<unsigned>(seed);
      expectSameRemoval(
          [&](Graph* G) {
            buildRandomCluster(G, s, shape.texts, shape.sentences, shape.relations,
                               description);
          },
          "cluster " + std::to_string(shape.texts) + "x" +
              std::to_string(shape.sentences) + " relations " +
              std::to_string(shape.relations) + " seed " + std::to_string(s));
    }
  }
}

TEST(CycleRemovalTest, MatchesTheLiteralRemovalOnTheExampleCluster) {
  Builder build = [&](Graph* G) {
    ASSERT_TRUE(G->createStopList(std::string(SENTRALIGN_SOURCE_DIR) +
                                  "/data/stoplist_portugues.txt"));
    ASSERT_TRUE(Read::readDescriptionOfRelationsCSTFromFile(
        G,
        std::string(SENTRALIGN_SOURCE_DIR) + "/data/FILE_DESCRIPTION_RELATIONS_CST.txt"));
    Read reader;
    ASSERT_TRUE(reader.readSentencesFromFiles(G, exampleTexts()));
    ASSERT_TRUE(reader.readRelationsCSTFromFiles(G, exampleRelations()));
  };
  Graph G;
  build(&G);
  testing::internal::CaptureStdout();
  TopologicalOrdering::removeAllCycles(&G);
  EXPECT_NE(testing::internal::GetCapturedStdout(), "") << "the cluster has cycles";
  expectSameRemoval(build, "example cluster");
}

TEST(CycleRemovalTest, MatchesTheLiteralRemovalOnTheWorkedExamples) {
  struct Case {
    const char* name;
    Builder build;
  } cases[] = {
      {"ordering example",
       [](Graph* G) {
         addTestTexts(G, {3, 2});
         linkTestVertices(at(*G, 1, 2), at(*G, 2, 1), "Elaboration", 1.5f);
       }},
      {"four-sentence cycle",
       [](Graph* G) {
         addTestTexts(G, {2, 2});
         linkTestVertices(at(*G, 1, 2), at(*G, 2, 1), "Elaboration", 2.0f);
         linkTestVertices(at(*G, 2, 2), at(*G, 1, 1), "Follow-up", 2.0f);
       }},
      {"repeated cycle",
       [](Graph* G) {
         Vertex* S = addTestVertex(G, 1, 1, 1, "S");
         Vertex* A = addTestVertex(G, 1, 2, 1, "A");
         Vertex* B = addTestVertex(G, 1, 3, 1, "B");
         linkTestVertices(S, A, "Elaboration", 1.0f);
         linkTestVertices(S, B, "Elaboration", 1.0f);
         linkTestVertices(A, B, "Elaboration", 1.0f);
         linkTestVertices(B, A, "Elaboration", 1.0f);
       }},
      {"parallel edges",
       [](Graph* G) {
         Vertex* A = addTestVertex(G, 1, 1, 1, "A");
         Vertex* B = addTestVertex(G, 1, 2, 1, "B");
         linkTestVertices(A, B, "Elaboration", 2.0f);
         linkTestVertices(A, B, "Summary", 2.0f);
         linkTestVertices(B, A, "Follow-up", 2.0f);
       }},
      {"loop",
       [](Graph* G) {
         addTestTexts(G, {2});
         linkTestVertices(at(*G, 1, 2), at(*G, 1, 2), "Identity", 1.0f);
       }},
  };
  for (const Case& c : cases) expectSameRemoval(c.build, c.name);
}

TEST(CycleRemovalTest, MatchesTheLiteralRemovalOnGraphsItCannotIndex) {
  struct Case {
    const char* name;
    Builder build;
  } cases[] = {
      // Two texts numbered 1: sentences recognised as one on the path. The
      // cycle 1.1 > 1.2 > (the other) 1.1 closes through a sentence whose
      // own vertex has no edge back, and counts on no edge at all.
      {"two vertices per sentence",
       [](Graph* G) {
         addTestTexts(G, {2, 2});
         for (int p = 1; p <= 2; ++p) at(*G, 2, p)->setIdText(1);
         linkTestVertices(G->vertexList[1], G->vertexList[2], "Elaboration", 1.0f);
         linkTestVertices(G->vertexList[3], G->vertexList[1], "Elaboration", 0.5f);
       }},
      // 1.2 > (the other) 1.2 closes a cycle of one sentence that has no
      // loop: the pass counts it, no edge carries it, and removal stops.
      {"a cycle on no edge",
       [](Graph* G) {
         addTestTexts(G, {2, 2});
         for (int p = 1; p <= 2; ++p) at(*G, 2, p)->setIdText(1);
         linkTestVertices(G->vertexList[1], G->vertexList[3], "Elaboration", 1.0f);
         linkTestVertices(G->vertexList[3], G->vertexList[0], "Elaboration", 1.0f);
       }},
      {"an edge to a vertex outside the graph",
       [](Graph* G) {
         addTestTexts(G, {3});
         auto* outside = new Vertex(9, 1);
         G->addVertex(outside);
         G->vertexList.pop_back();  // still owned, no longer listed
         linkTestVertices(at(*G, 1, 3), outside, "Elaboration", 1.0f);
         linkTestVertices(outside, at(*G, 1, 1), "Elaboration", 1.0f);
       }},
  };
  for (const Case& c : cases) expectSameRemoval(c.build, c.name);
}

TEST(CycleRemovalTest, TheFirstPassAddsToTheCountsItFinds) {
  // Left-over counts make a removal step run even without a cycle.
  expectSameRemoval(
      [](Graph* G) {
        addTestTexts(G, {3});
        G->setNumCycles(2);
        G->vertexList[1]->edgeOutList[0]->setNumCycles(1);
      },
      "counts left over");
  expectSameRemoval(
      [](Graph* G) {
        addTestTexts(G, {2, 2});
        linkTestVertices(at(*G, 1, 2), at(*G, 2, 1), "Elaboration", 2.0f);
        linkTestVertices(at(*G, 2, 2), at(*G, 1, 1), "Follow-up", 2.0f);
        G->vertexList[2]->edgeOutList[0]->setNumCycles(3);
      },
      "counts left over on a cycle");
}

namespace {

// A removal gives up once its time limit has passed; within its limit, it
// ends as always.
TEST(CycleRemovalTest, GivesUpOnceItsTimeLimitHasPassed) {
  Graph dense;
  buildRandomGraph(&dense, 7, 3, 12, 60);
  CycleRemoval late(
      &dense, nullptr, [](const Vertex&, const Edge&) {},
      TimeLimit::after(std::chrono::seconds(0)));
  EXPECT_THROW(late.run(), TimeLimitExceeded);

  Graph again;
  buildRandomGraph(&again, 7, 3, 12, 60);
  CycleRemoval inTime(
      &again, nullptr, [](const Vertex&, const Edge&) {},
      TimeLimit::after(std::chrono::hours(1)));
  EXPECT_NO_THROW(inTime.run());
  EXPECT_EQ(again.getNumCycles(), 0);
}

}  // namespace
