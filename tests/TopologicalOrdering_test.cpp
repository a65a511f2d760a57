// Methods 5 and 6 on small graphs whose outcome is known: the depth-first
// order with its tie-breaks, and the cycle removal's counts, weights and
// removed edges.

#include "TopologicalOrdering.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "Edge.h"
#include "Graph.h"
#include "Read.h"
#include "Vertex.h"
#include "test_util.h"

namespace {

// "1.1=4 1.2=3": each vertex's finishing number, in vertexList order.
std::string finishing(const Graph& G) {
  std::string s;
  for (const Vertex* V : G.vertexList) {
    if (!s.empty()) s += ' ';
    s += id(V) + "=" + std::to_string(V->getPosTopologicalList());
  }
  return s;
}

// "1.1>1.2 w2 c0; ...": every out-edge with its weight and count.
std::string weights(const Graph& G) {
  std::string s;
  char weight[32];
  for (const Vertex* V : G.vertexList) {
    for (const Edge* e : V->edgeOutList) {
      std::snprintf(weight, sizeof weight, "%g", static_cast<double>(e->getWeight()));
      s += std::string(s.empty() ? "" : "; ") + id(V) + ">" + id(e->getVertex()) + " w" +
           weight + " c" + std::to_string(e->getNumCycles());
    }
  }
  return s;
}

std::string states(const Graph& G) {
  std::string s;
  for (const Vertex* V : G.vertexList) s += V->getState();
  return s;
}

// Runs method 6's cycle removal and returns what it printed.
std::string removeCycles(Graph* G) {
  testing::internal::CaptureStdout();
  TopologicalOrdering::removeAllCycles(G);
  return testing::internal::GetCapturedStdout();
}

// One detection pass, as removeAllCycles runs its first.
void detectionPass(Graph* G) {
  TopologicalOrdering ordering;
  TopologicalOrdering::setAllVertexState(G, Vertex::kStateUnvisited);
  for (Vertex* V = ordering.getVertexStartDFS(G); V != nullptr;
       V = ordering.getVertexStartDFS(G)) {
    TopologicalOrdering::detectCycles(G, {}, V);
  }
}

}  // namespace

TEST(TopologicalOrderingTest, OrdersTheWorkedExample) {
  Graph G;
  addTestTexts(&G, {3, 2});
  linkTestVertices(at(G, 1, 2), at(G, 2, 1), "Elaboration", 1.5f);
  G.summ = {at(G, 2, 2), at(G, 1, 3), at(G, 1, 1)};

  TopologicalOrdering::topologicalOrdering(&G);

  EXPECT_EQ(finishing(G), "1.1=4 1.2=3 1.3=2 2.1=1 2.2=0");
  EXPECT_EQ(ids(G.topologicalOrderingList), "2.2 2.1 1.3 1.2 1.1");
  EXPECT_EQ(ids(G.topologicalOrderedSumm), "1.1 1.3 2.2");
  EXPECT_EQ(at(G, 1, 1)->getPosTopologicalOrderedSumm(), 0);
  EXPECT_EQ(at(G, 1, 3)->getPosTopologicalOrderedSumm(), 1);
  EXPECT_EQ(at(G, 2, 2)->getPosTopologicalOrderedSumm(), 2);
  EXPECT_EQ(states(G), "ppppp");
}

TEST(TopologicalOrderingTest, TiesAndCyclesFollowTheSearchOrder) {
  struct Case {
    const char* name;
    std::vector<int> texts;
    std::vector<std::pair<std::pair<int, int>, std::pair<int, int>>> edges;
    std::string summary;  // identities, in summ order
    std::string ordered;
  } cases[] = {
      // Each text is searched in turn, the first text first: the last text
      // comes first, each in reading order.
      {"chains only",
       {2, 3, 1},
       {},
       "1.1 1.2 2.1 2.2 2.3 3.1",
       "3.1 2.1 2.2 2.3 1.1 1.2"},
      // Of two unvisited neighbours with the same posText the later edge is
      // followed first; it finishes first and comes last.
      {"equal posText neighbours",
       {1, 2, 2},
       {{{1, 1}, {2, 2}}, {{1, 1}, {3, 2}}},
       "3.2 2.2",
       "2.2 3.2"},
      // The sentence that closes a cycle finishes first.
      {"two-sentence cycle", {2}, {{{1, 2}, {1, 1}}}, "1.2 1.1", "1.1 1.2"},
      // A relation parallel to the Text-Sequence edge changes nothing.
      {"parallel edges", {2}, {{{1, 1}, {1, 2}}}, "1.2 1.1", "1.1 1.2"},
      {"empty summary", {2}, {}, "", ""},
  };
  for (const Case& c : cases) {
    Graph G;
    addTestTexts(&G, c.texts);
    for (const auto& [from, to] : c.edges) {
      linkTestVertices(at(G, from.first, from.second), at(G, to.first, to.second),
                       "Elaboration", 1.0f);
    }
    for (std::size_t i = 0; i < c.summary.size(); i += 4) {
      G.summ.push_back(at(G, c.summary[i] - '0', c.summary[i + 2] - '0'));
    }
    TopologicalOrdering::topologicalOrdering(&G);
    EXPECT_EQ(ids(G.topologicalOrderedSumm), c.ordered) << c.name;
    EXPECT_EQ(G.topologicalOrderingList.size(), G.vertexList.size()) << c.name;
  }
}

TEST(TopologicalOrderingTest, ASecondOrderingAppendsAndNumbersOn) {
  Graph G;
  addTestTexts(&G, {2});
  G.summ = {at(G, 1, 2), at(G, 1, 1)};
  TopologicalOrdering::topologicalOrdering(&G);
  TopologicalOrdering::topologicalOrdering(&G);
  EXPECT_EQ(ids(G.topologicalOrderingList), "1.2 1.1 1.2 1.1");
  EXPECT_EQ(finishing(G), "1.1=3 1.2=2");
  EXPECT_EQ(ids(G.topologicalOrderedSumm), "1.1 1.2");

  Graph empty;
  TopologicalOrdering::topologicalOrdering(&empty);
  EXPECT_TRUE(empty.topologicalOrderingList.empty());
}

TEST(TopologicalOrderingTest, StartVertexHasTheSmallestPosTextFirstInList) {
  struct Case {
    const char* name;
    std::string unvisited;  // state per vertex of 1.1 1.2 2.1 2.2
    const char* start;
  } cases[] = {
      {"none left", "pppp", ""},
      {"smallest posText", "pbbp", "2.1"},
      {"first among equals", "bpbp", "1.1"},
      {"only a later one", "pppb", "2.2"},
  };
  for (const Case& c : cases) {
    Graph G;
    addTestTexts(&G, {2, 2});
    for (std::size_t i = 0; i < 4; ++i) G.vertexList[i]->setState(c.unvisited[i]);
    TopologicalOrdering ordering;
    Vertex* start = ordering.getVertexStartDFS(&G);
    EXPECT_EQ(start == nullptr ? "" : ids({start}), c.start) << c.name;
  }
}

TEST(TopologicalOrderingTest, AMillionSentenceTextOrdersWithoutRecursion) {
  // A search that recursed once per sentence would overflow the stack here.
  constexpr int kSentences = 1000000;
  for (bool removeCyclesFirst : {false, true}) {
    Graph G;
    addTestTexts(&G, {kSentences});
    G.summ = {G.vertexList.back(), G.vertexList.front()};
    if (removeCyclesFirst) {
      EXPECT_EQ(removeCycles(&G), "");
    }
    TopologicalOrdering::topologicalOrdering(&G);
    EXPECT_EQ(G.vertexList.front()->getPosTopologicalList(), kSentences - 1);
    EXPECT_EQ(G.vertexList.back()->getPosTopologicalList(), 0);
    EXPECT_EQ(G.topologicalOrderedSumm.front(), G.vertexList.front());
  }
}

TEST(CycleRemovalTest, AGraphWithoutCyclesIsLeftAlone) {
  Graph G;
  addTestTexts(&G, {3, 2});
  const std::string before = weights(G);
  EXPECT_EQ(removeCycles(&G), "");
  EXPECT_EQ(weights(G), before);
  EXPECT_EQ(states(G), "aaaaa");
}

TEST(CycleRemovalTest, OneCycleLosesItsLightestEdge) {
  struct Case {
    const char* name;
    float into21, into11;  // weights of 1.2>2.1 and 2.2>1.1
    const char* printed;
    const char* left;
  } cases[] = {
      {"lightest relation", 1.5f, 0.5f, "V(2,2):S2.2\n",
       "1.1>1.2 w2 c0; 1.2>2.1 w1.5 c0; 2.1>2.2 w2 c0"},
      {"first in scan order among equals", 2.0f, 2.0f, "V(1,1):S1.1\n",
       "1.2>2.1 w2 c0; 2.1>2.2 w2 c0; 2.2>1.1 w2 c0"},
  };
  for (const Case& c : cases) {
    Graph G;
    addTestTexts(&G, {2, 2});
    linkTestVertices(at(G, 1, 2), at(G, 2, 1), "Elaboration", c.into21);
    linkTestVertices(at(G, 2, 2), at(G, 1, 1), "Follow-up", c.into11);
    EXPECT_EQ(removeCycles(&G), c.printed) << c.name;
    EXPECT_EQ(weights(G), c.left) << c.name;
    EXPECT_EQ(G.getNumCycles(), 0) << c.name;
    EXPECT_EQ(states(G), "aaaa") << c.name;
  }
}

TEST(CycleRemovalTest, ACycleClosedAgainByAnalysedVerticesIsARepeat) {
  // S, A and B with posText 1, 2 and 3; S>A, S>B, A>B, B>A.
  auto build = [](Graph* G, float back) {
    Vertex* S = addTestVertex(G, 1, 1, 1, "S");
    Vertex* A = addTestVertex(G, 1, 2, 1, "A");
    Vertex* B = addTestVertex(G, 1, 3, 1, "B");
    linkTestVertices(S, A, "Elaboration", 1.0f);
    linkTestVertices(S, B, "Elaboration", 1.0f);
    linkTestVertices(A, B, "Elaboration", 1.0f);
    linkTestVertices(B, A, "Elaboration", back);
  };
  struct Case {
    float back;
    const char* counts;
    const char* printed;
    const char* left;
  } cases[] = {
      {1.0f, "1.1>1.2 w1 c0; 1.1>1.3 w1 c0; 1.2>1.3 w1 c1; 1.3>1.2 w1 c1", "V(1,2):A\n",
       "1.1>1.2 w0 c0; 1.1>1.3 w0 c0; 1.3>1.2 w1 c0"},
      {0.5f, "1.1>1.2 w1 c0; 1.1>1.3 w1 c0; 1.2>1.3 w1 c1; 1.3>1.2 w0.5 c1", "V(1,3):B\n",
       "1.1>1.2 w0 c0; 1.1>1.3 w0 c0; 1.2>1.3 w1 c0"},
  };
  for (const Case& c : cases) {
    Graph first;
    build(&first, c.back);
    detectionPass(&first);
    EXPECT_EQ(first.getNumCycles(), 1);
    EXPECT_EQ(weights(first), c.counts);

    Graph G;
    build(&G, c.back);
    EXPECT_EQ(removeCycles(&G), c.printed);
    EXPECT_EQ(weights(G), c.left);
    // The target keeps the in-edge of the removed edge.
    EXPECT_EQ(inEdges(G),
              "1.2<1.1:Elaboration,1.3:Elaboration; "
              "1.3<1.1:Elaboration,1.2:Elaboration");
  }
}

TEST(CycleRemovalTest, ParallelEdgesCountTheirCycleTwiceOnTheFirst) {
  // A (posText 1) has e1 and e2 to B (posText 2); B has one edge to A.
  struct Case {
    float edges, back;
    const char* counts;
    const char* printed;
    const char* left;
  } cases[] = {
      {2.0f, 2.0f, "1.1>1.2 w2 c2; 1.1>1.2 w2 c0; 1.2>1.1 w2 c2",
       // e1 goes, then e2, which kept weight 0 from the first step.
       "V(1,1):A\nV(1,1):A\n", "1.2>1.1 w1 c0"},
      {2.0f, 1.0f, "1.1>1.2 w2 c2; 1.1>1.2 w2 c0; 1.2>1.1 w1 c2", "V(1,2):B\n",
       "1.1>1.2 w1 c0; 1.1>1.2 w0 c0"},
  };
  for (const Case& c : cases) {
    for (bool whole : {false, true}) {
      Graph G;
      Vertex* A = addTestVertex(&G, 1, 1, 1, "A");
      Vertex* B = addTestVertex(&G, 1, 2, 1, "B");
      linkTestVertices(A, B, "Elaboration", c.edges);
      linkTestVertices(A, B, "Summary", c.edges);
      linkTestVertices(B, A, "Follow-up", c.back);
      if (!whole) {
        detectionPass(&G);
        EXPECT_EQ(G.getNumCycles(), 2);
        EXPECT_EQ(weights(G), c.counts);
        continue;
      }
      EXPECT_EQ(removeCycles(&G), c.printed);
      EXPECT_EQ(weights(G), c.left);
    }
  }
}

TEST(CycleRemovalTest, ALoopIsACycleOfOneSentence) {
  auto build = [](Graph* G) {
    addTestTexts(G, {2});
    linkTestVertices(at(*G, 1, 2), at(*G, 1, 2), "Identity", 1.0f);
  };
  Graph first;
  build(&first);
  detectionPass(&first);
  EXPECT_EQ(weights(first), "1.1>1.2 w2 c0; 1.2>1.2 w1 c1");
  Graph G;
  build(&G);
  EXPECT_EQ(removeCycles(&G), "V(1,2):S1.2\n");
  EXPECT_EQ(weights(G), "1.1>1.2 w0 c0");
}

TEST(CycleRemovalTest, AnEdgeOnTwoCyclesWeighsHalf) {
  // A>B lies on A-B-A and A-B-C-A: 5 / 2 is lighter than B>A's 3.
  Graph G;
  Vertex* A = addTestVertex(&G, 1, 1, 1, "A");
  Vertex* B = addTestVertex(&G, 1, 2, 1, "B");
  Vertex* C = addTestVertex(&G, 1, 3, 1, "C");
  linkTestVertices(A, B, "Elaboration", 5.0f);
  linkTestVertices(B, A, "Elaboration", 3.0f);
  linkTestVertices(B, C, "Elaboration", 5.0f);
  linkTestVertices(C, A, "Elaboration", 4.0f);
  EXPECT_EQ(removeCycles(&G), "V(1,1):A\n");
  EXPECT_EQ(weights(G), "1.2>1.1 w3 c0; 1.2>1.3 w5 c0; 1.3>1.1 w4 c0");
}

TEST(CycleRemovalTest, TheRemovalStepsWorkOnTheGraphAsTheyFindIt) {
  Graph G;
  addTestTexts(&G, {3});
  Vertex* first = at(G, 1, 1);
  linkTestVertices(first, at(G, 1, 2), "Summary", 3.0f);  // parallel, second
  first->edgeOutList[0]->setNumCycles(2);
  first->edgeOutList[1]->setNumCycles(2);
  at(G, 1, 2)->edgeOutList[0]->setWeight(-1.0f);  // counted, weight below 0
  at(G, 1, 2)->edgeOutList[0]->setNumCycles(1);

  TopologicalOrdering::setAllEdgeWeights(&G);
  EXPECT_EQ(weights(G), "1.1>1.2 w1 c2; 1.1>1.2 w1.5 c2; 1.2>1.3 w-1 c1");

  // The first counted edge is the candidate; only positive weights can beat
  // it, and an edge's first parallel counts a cycle step.
  testing::internal::CaptureStdout();
  TopologicalOrdering::removeLightestEdge(&G);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "V(1,1):S1.1\n");
  EXPECT_EQ(weights(G), "1.1>1.2 w1.5 c2; 1.2>1.3 w-1 c1");
  EXPECT_EQ(inEdges(G), "1.2<1.1:Text-Sequence,1.1:Summary; 1.3<1.2:Text-Sequence");

  TopologicalOrdering::addNumCyclesToEdge(&G, {first, at(G, 1, 2), at(G, 1, 3)});
  EXPECT_EQ(weights(G), "1.1>1.2 w1.5 c3; 1.2>1.3 w-1 c2");

  TopologicalOrdering::resetAllNumClycles(&G);
  testing::internal::CaptureStdout();
  TopologicalOrdering::removeLightestEdge(&G);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(weights(G), "1.1>1.2 w1.5 c0; 1.2>1.3 w-1 c0");
}

TEST(CycleRemovalTest, AHandlerHearsOfRemovedEdgesInPlaceOfThePrint) {
  Graph printed;
  Graph heard;
  for (Graph* G : {&printed, &heard}) {
    addTestTexts(G, {2, 2});
    linkTestVertices(at(*G, 1, 2), at(*G, 2, 1), "Elaboration", 1.5f);
    linkTestVertices(at(*G, 2, 2), at(*G, 1, 1), "Follow-up", 0.5f);
    linkTestVertices(at(*G, 2, 1), at(*G, 1, 2), "Overlap", 0.1f);
  }
  const std::string lines = removeCycles(&printed);

  std::string removed;
  testing::internal::CaptureStdout();
  TopologicalOrdering::removeAllCycles(
      &heard, nullptr, [&](const Vertex& source, const Edge& edge) {
        removed += "V(" + std::to_string(source.getIdText()) + "," +
                   std::to_string(source.getPosText()) +
                   "):" + source.getStringSentence() + " to " + id(edge.getVertex()) +
                   " " + edge.getRelationName() + "\n";
      });
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(lines, "V(2,1):S2.1\nV(2,2):S2.2\n");
  EXPECT_EQ(removed, "V(2,1):S2.1 to 1.2 Overlap\nV(2,2):S2.2 to 1.1 Follow-up\n");
  EXPECT_EQ(weights(heard), weights(printed));
}

TEST(TopologicalOrderingTest, AgreementWithTheHumanOrder) {
  Graph G;
  addTestTexts(&G, {3, 2});
  linkTestVertices(at(G, 1, 2), at(G, 2, 1), "Elaboration", 1.5f);
  G.summ = {at(G, 2, 2), at(G, 1, 3), at(G, 1, 1)};
  G.humanOrderedSumm = G.summ;  // ordered 1.1 1.3 2.2: the reverse
  Read::setAllPosHummanOrderedSumm(&G);
  TopologicalOrdering::topologicalOrdering(&G);
  EXPECT_EQ(TopologicalOrdering::TS(&G), -1.0f);
  EXPECT_EQ(TopologicalOrdering::TK(&G), -1.0f);
}
