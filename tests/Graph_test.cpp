#include "Graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "Edge.h"
#include "Read.h"
#include "Vertex.h"
#include "literal_agreement.h"
#include "test_util.h"

namespace {

// "len@pos" of each vertex: enough to see both keys of method 1.
std::string lengths(const std::vector<Vertex*>& list) {
  std::string s;
  for (const Vertex* V : list) {
    if (!s.empty()) s += ' ';
    s += std::to_string(V->getNumWordsSentence());
  }
  return s;
}

}  // namespace

TEST(GraphTest, NewGraphIsEmpty) {
  Graph G;
  EXPECT_EQ(G.getNumCycles(), 0);
  EXPECT_TRUE(G.stopList.empty() && G.vertexList.empty() && G.topics.empty() &&
              G.topicalOrderingList.empty() && G.topologicalOrderingList.empty() &&
              G.positionOrderingList.empty() && G.cstList.empty() && G.summ.empty() &&
              G.humanOrderedSumm.empty() && G.topicalOrderedSumm.empty() &&
              G.positionOrderedSumm.empty() && G.topologicalOrderedSumm.empty() &&
              G.orderedSumm.empty());
}

TEST(GraphTest, AddVertexTwiceListsItTwice) {
  Graph G;
  Vertex* V = addTestVertex(&G, 1, 1);
  G.addVertex(V);  // owned once all the same: the sanitizer build checks it
  EXPECT_EQ(ids(G.vertexList), "1.1 1.1");
}

TEST(GraphTest, ResetEmptiesPerClusterListsAndKeepsTheRest) {
  Graph G;
  Vertex* a = addTestVertex(&G, 1, 1, 4, "A.");
  Vertex* b = addTestVertex(&G, 1, 2, 3, "B.");
  a->edgeOutList.push_back(new Edge(b));
  G.stopList = {"de"};
  G.cstList.push_back(CST());
  G.topics = {{a}, {b}};
  for (auto* list :
       {&G.topicalOrderingList, &G.topologicalOrderingList, &G.positionOrderingList,
        &G.summ, &G.humanOrderedSumm, &G.topicalOrderedSumm, &G.positionOrderedSumm,
        &G.topologicalOrderedSumm, &G.orderedSumm}) {
    *list = {a, b};
  }
  G.setNumCycles(3);

  G.reset();

  EXPECT_TRUE(G.vertexList.empty() && G.topics.empty() && G.topicalOrderingList.empty() &&
              G.summ.empty() && G.humanOrderedSumm.empty() &&
              G.topicalOrderedSumm.empty());
  EXPECT_EQ(G.stopList.size(), 1u);
  EXPECT_EQ(G.cstList.size(), 1u);
  EXPECT_EQ(G.getNumCycles(), 3);
  for (auto* list : {&G.topologicalOrderingList, &G.positionOrderingList,
                     &G.positionOrderedSumm, &G.topologicalOrderedSumm, &G.orderedSumm}) {
    EXPECT_EQ(ids(*list), "1.1 1.2");
  }
  // The vertices live on with their fields and edges.
  EXPECT_EQ(a->getStringSentence(), "A.");
  ASSERT_EQ(a->edgeOutList.size(), 1u);
  EXPECT_EQ(a->edgeOutList[0]->getVertex(), b);
}

TEST(GraphTest, PrintShowsVerticesWithTheirEdges) {
  Graph G;
  testing::internal::CaptureStdout();
  G.print();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "IMPRESSAO DO GRAFO:\n");

  Vertex* a = addTestVertex(&G, 1, 1, 1, "Um.");
  Vertex* b = addTestVertex(&G, 2, 1, 1, "Dois.");
  Edge* out = new Edge(b);
  out->setRelationName("Overlap");
  a->edgeOutList.push_back(out);
  Edge* in = new Edge(a);
  in->setRelationName("Overlap");
  b->edgeInList.push_back(in);
  testing::internal::CaptureStdout();
  G.print();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "IMPRESSAO DO GRAFO:\n"
            "V(1,1): Um.\nARESTAS OUT:\n-----> V(2,1): Overlap\nARESTAS IN:\n\n"
            "V(2,1): Dois.\nARESTAS OUT:\nARESTAS IN:\n-----> V(1,1): Overlap\n\n");
}

TEST(GraphTest, SearchVertexBySentencePrintsEachComparison) {
  Graph G;
  addTestVertex(&G, 1, 1, 1, "Um.");
  addTestVertex(&G, 1, 2, 1, "Dois.");
  testing::internal::CaptureStdout();
  G.searchVertexBySentence("Nada.", nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "comparando:\nUm.\nNada.\ncomparando:\nDois.\nNada.\n");

  testing::internal::CaptureStdout();
  G.searchVertexBySentence("Um.", nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "comparando:\nUm.\nUm.\n\n\n\n\n\nOKKKK\n"
            "TEXTO: 1, POS: 1\nTEXTO: 1, POS: 1\n");
}

TEST(GraphTest, PositionAndLengthOrderings) {
  struct Member {
    int idText, posText, words;
  };
  struct Case {
    const char* name;
    std::vector<Member> summ;
    std::string byPosition, byLengthUp, byLengthDown;
  } cases[] = {
      {"empty", {}, "", "", ""},
      {"one sentence", {{1, 4, 7}}, "1.4", "1.4", "1.4"},
      {"three texts",
       {{1, 3, 10}, {2, 1, 20}, {3, 1, 5}},
       "3.1 2.1 1.3",
       "3.1 1.3 2.1",
       "2.1 1.3 3.1"},
      {"equal places at the end",
       {{1, 1, 9}, {2, 2, 30}, {3, 2, 4}},
       "1.1 3.2 2.2",
       "3.2 1.1 2.2",
       "2.2 1.1 3.2"},
      {"run of three in the middle",
       {{1, 5, 1}, {2, 3, 8}, {1, 1, 2}, {3, 3, 2}, {4, 3, 5}},
       "1.1 3.3 4.3 2.3 1.5",
       "1.5 1.1 3.3 4.3 2.3",
       "2.3 4.3 1.1 3.3 1.5"},
      // Up to 16 entries the sort keeps tied entries in summary order.
      {"ties keep summary order",
       {{1, 2, 5}, {2, 2, 5}, {3, 1, 3}},
       "3.1 1.2 2.2",
       "3.1 1.2 2.2",
       "1.2 2.2 3.1"},
  };
  for (const Case& c : cases) {
    Graph G;
    for (const Member& m : c.summ) {
      G.summ.push_back(addTestVertex(&G, m.idText, m.posText, m.words));
    }
    const std::string before = ids(G.summ);
    G.positionOrdering();
    EXPECT_EQ(ids(G.positionOrderedSumm), c.byPosition) << c.name;
    G.sizeSentenceOrdering_Crescente();
    EXPECT_EQ(ids(G.positionOrderedSumm), c.byLengthUp) << c.name;
    G.sizeSentenceOrdering_Decrescente();
    EXPECT_EQ(ids(G.positionOrderedSumm), c.byLengthDown) << c.name;
    for (size_t i = 0; i < G.positionOrderedSumm.size(); ++i) {
      EXPECT_EQ(G.positionOrderedSumm[i]->getPosPositionOrderedSumm(),
                static_cast<int>(i))
          << c.name;
    }
    EXPECT_EQ(ids(G.summ), before) << c.name << ": summ changed";
  }
}

TEST(GraphTest, RepeatedSummarySentenceTakesItsLaterPlace) {
  Graph G;
  Vertex* twice = addTestVertex(&G, 1, 2, 3);
  Vertex* once = addTestVertex(&G, 2, 1, 3);
  G.summ = {twice, once, twice};
  G.positionOrdering();
  EXPECT_EQ(ids(G.positionOrderedSumm), "2.1 1.2 1.2");
  EXPECT_EQ(twice->getPosPositionOrderedSumm(), 2);
}

TEST(GraphTest, PositionOrderingSortsLongRunsByLength) {
  // A run longer than the sort's insertion threshold, in reverse length
  // order, between two singletons.
  Graph G;
  G.summ.push_back(addTestVertex(&G, 1, 1, 50));
  for (int i = 0; i < 40; ++i) {
    G.summ.push_back(addTestVertex(&G, i + 2, 2, 40 - i));
  }
  G.summ.push_back(addTestVertex(&G, 1, 3, 1));
  G.positionOrdering();
  std::string expected = "50";
  for (int w = 1; w <= 40; ++w) expected += " " + std::to_string(w);
  expected += " 1";
  EXPECT_EQ(lengths(G.positionOrderedSumm), expected);
}

TEST(GraphTest, AgreementMeasures) {
  struct Case {
    const char* name;
    std::vector<int> order;  // human places of the ordered list, in order
    float TS, TK;
  } cases[] = {
      {"identity", {0, 1, 2, 3, 4}, 1.0f, 1.0f},
      {"reverse of four", {3, 2, 1, 0}, -1.0f, -1.0f},
      {"reverse of five", {4, 3, 2, 1, 0}, -1.0f, -1.0f},
      {"first pair swapped", {1, 0, 2}, 0.5f, 1.0f / 3.0f},
      {"two swapped", {1, 0}, -1.0f, -1.0f},
      {"one sentence twice", {0, 0, 2}, 1.0f - 6.0f * 1.0f / 24.0f, 1.0f / 3.0f},
  };
  for (const Case& c : cases) {
    Graph G;
    for (size_t i = 0; i < c.order.size(); ++i) {
      G.humanOrderedSumm.push_back(addTestVertex(&G, 1, static_cast<int>(i) + 1));
    }
    Read::setAllPosHummanOrderedSumm(&G);
    for (int place : c.order) {
      G.positionOrderedSumm.push_back(G.humanOrderedSumm[static_cast<size_t>(place)]);
    }
    EXPECT_EQ(Graph::TS_positionOrdering(&G), c.TS) << c.name;
    EXPECT_EQ(Graph::TK_positionOrdering(&G), c.TK) << c.name;
  }
}

TEST(GraphTest, AgreementIsNotANumberBelowTwoSentences) {
  Graph G;
  EXPECT_TRUE(std::isnan(Graph::TS_positionOrdering(&G)));
  EXPECT_TRUE(std::isnan(Graph::TK_positionOrdering(&G)));
  Vertex* V = addTestVertex(&G, 1, 1);
  G.humanOrderedSumm = {V};
  G.positionOrderedSumm = {V};
  Read::setAllPosHummanOrderedSumm(&G);
  EXPECT_TRUE(std::isnan(Graph::TS_positionOrdering(&G)));
  EXPECT_TRUE(std::isnan(Graph::TK_positionOrdering(&G)));
}

TEST(GraphTest, AgreementNeverReadsPastTheOrderedList) {
  Graph G;
  for (int i = 1; i <= 3; ++i) G.humanOrderedSumm.push_back(addTestVertex(&G, 1, i));
  Read::setAllPosHummanOrderedSumm(&G);
  G.positionOrderedSumm = {G.humanOrderedSumm[0], G.humanOrderedSumm[1]};
  EXPECT_TRUE(std::isnan(Graph::TS_positionOrdering(&G)));
  EXPECT_TRUE(std::isnan(Graph::TK_positionOrdering(&G)));
  // A longer ordered list is read for its first n entries only.
  G.positionOrderedSumm.push_back(G.humanOrderedSumm[2]);
  G.positionOrderedSumm.push_back(G.humanOrderedSumm[0]);
  EXPECT_EQ(Graph::TS_positionOrdering(&G), 1.0f);
  EXPECT_EQ(Graph::TK_positionOrdering(&G), 1.0f);
}

namespace {

// A human list of n sentences and an ordering of them, drawn in one of a
// few shapes; `repeats` puts some sentences twice into either list.
struct OrderingPair {
  std::vector<Vertex*> human, ordered;
};

OrderingPair drawOrdering(Graph* G, std::mt19937* random, size_t n, int shape,
                          bool repeats) {
  auto below = [&](size_t k) {
    return std::uniform_int_distribution<size_t>(0, k - 1)(*random);
  };
  OrderingPair p;
  for (size_t i = 0; i < n; ++i) {
    p.human.push_back(addTestVertex(G, 1, static_cast<int>(i) + 1));
  }
  p.ordered = p.human;
  if (shape == 0) std::shuffle(p.ordered.begin(), p.ordered.end(), *random);
  if (shape == 1) std::reverse(p.ordered.begin(), p.ordered.end());
  if (shape == 2 && n > 1) {  // nearly the human order
    for (size_t k = below(4); k > 0; --k)
      std::swap(p.ordered[below(n)], p.ordered[below(n)]);
  }
  if (repeats && n > 1) {
    for (size_t k = 1 + below(n / 4 + 1); k > 0; --k)
      p.human[below(n)] = p.human[below(n)];
    for (size_t k = 1 + below(n / 4 + 1); k > 0; --k) {
      p.ordered[below(n)] = p.ordered[below(n)];
    }
  }
  if (n > 0 && below(4) == 0) p.ordered.push_back(p.human[0]);  // read up to n only
  return p;
}

}  // namespace

// Kendall's coefficient counts the pairs in O(n log n); it must give the
// float sum of the pairs, bit for bit, wherever that sum is exact: up to
// n = 5793, where n(n-1)/2 still fits in 2^24. Human lists that repeat a
// sentence (so that its human position is not its place) take the general
// count.
TEST(GraphTest, KendallMatchesThePairByPairSumOnGeneratedOrderings) {
  std::mt19937 random(11);
  struct Size {
    size_t n;
    int draws;
    int shapes;  // the first 1 to 3 of: shuffled, reversed, nearly in order
  } sizes[] = {{0, 2, 3},   {1, 2, 3},    {2, 20, 3},   {3, 40, 3},
               {7, 200, 3}, {40, 200, 3}, {300, 30, 3}, {5793, 1, 1}};
  for (const Size& size : sizes) {
    for (int draw = 0; draw < size.draws; ++draw) {
      for (int shape = 0; shape < size.shapes; ++shape) {
        for (bool repeats : {false, true}) {
          Graph G;
          OrderingPair p = drawOrdering(&G, &random, size.n, shape, repeats);
          G.humanOrderedSumm = p.human;
          Read::setAllPosHummanOrderedSumm(&G);
          const float expected = literalKendallTK(p.human, p.ordered);
          const float actual = Graph::kendallTK(p.human, p.ordered);
          ASSERT_TRUE(std::isnan(expected) ? std::isnan(actual) : actual == expected)
              << "n " << size.n << ", draw " << draw << ", shape " << shape
              << (repeats ? ", repeats" : "") << ": " << actual << " against "
              << expected;
        }
      }
    }
  }
}

// Beyond n = 5793 a float accumulator of +-1.0 stops growing at 2^24
// (2^24 + 1 rounds back to it): identical orderings of 12,000 sentences
// would score 2^24 / 71,994,000, about 0.23. Kendall's coefficient divides
// the exact count instead. Spearman's divisor n(n+1)(n-1) passes 2^32 from
// n = 1626 on and must not wrap round (the reverse order scored -42.9 at
// n = 3000).
TEST(GraphTest, AgreementStaysRightForLongSummaries) {
  for (const int n : {3000, 12000}) {
    SCOPED_TRACE(n);
    Graph G;
    for (int i = 1; i <= n; ++i) G.humanOrderedSumm.push_back(addTestVertex(&G, 1, i));
    Read::setAllPosHummanOrderedSumm(&G);
    std::vector<Vertex*> ordered = G.humanOrderedSumm;
    EXPECT_EQ(Graph::spearmanTS(G.humanOrderedSumm, ordered), 1.0f);
    EXPECT_EQ(Graph::kendallTK(G.humanOrderedSumm, ordered), 1.0f);
    std::swap(ordered[0], ordered[1]);
    const float pairs = static_cast<float>(n) * static_cast<float>(n - 1) / 2;  // exact
    EXPECT_EQ(Graph::kendallTK(G.humanOrderedSumm, ordered), (pairs - 2.0f) / pairs);
    ordered.assign(G.humanOrderedSumm.rbegin(), G.humanOrderedSumm.rend());
    EXPECT_NEAR(Graph::spearmanTS(G.humanOrderedSumm, ordered), -1.0f, 1e-3);
    EXPECT_EQ(Graph::kendallTK(G.humanOrderedSumm, ordered), -1.0f);
  }
}
