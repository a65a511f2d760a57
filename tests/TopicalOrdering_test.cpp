#include "TopicalOrdering.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Edge.h"
#include "Graph.h"
#include "Read.h"
#include "Vertex.h"
#include "literal_topics.h"
#include "test_util.h"

namespace {

// "1.1 1.2 | 2.1": the topics of G, members by identity.
std::string topics(const Graph& G) {
  std::string s;
  for (const std::vector<Vertex*>& T : G.topics) {
    if (!s.empty()) s += " | ";
    s += ids(T);
  }
  return s;
}

// The sentences of `text` as text 1 of a new graph with `stopList`.
void readText(Graph* G, const std::string& text,
              const std::vector<std::string>& stopList = {}) {
  G->stopList = stopList;
  Read::readSentencesFromBytes(G, text, 1);
}

// A word array of its own for the cosine tests.
class Words {
 public:
  explicit Words(const std::vector<std::string>& words) : store_(words) {
    for (std::string& w : store_) pointers_.push_back(&w[0]);
    pointers_.push_back(nullptr);
  }
  char** get() { return pointers_.data(); }
  int size() const { return static_cast<int>(store_.size()); }

 private:
  std::vector<std::string> store_;
  std::vector<char*> pointers_;
};

// "w0 w1 ... w(n-1)" from word `from` on.
std::string run(int from, int n) {
  std::string s;
  for (int i = from; i < from + n; ++i) {
    if (!s.empty()) s += ' ';
    s += "w" + std::to_string(i);
  }
  return s;
}

std::string repeatLines(const std::string& line, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += line;
  return s;
}

}  // namespace

TEST(TopicalOrderingTest, CosineCountsRepeatedWords) {
  struct Case {
    const char* name;
    std::vector<std::string> a, b;
    double expected;
  } cases[] = {
      // Vectors (2, 1) and (1, 0): dot 2, magnitudes sqrt(5) and 1.
      {"repeated words",
       {"casa", "casa", "rio"},
       {"casa"},
       2.0 / static_cast<double>(std::sqrt(5.0f))},
      {"identical single words", {"casa"}, {"casa"}, 1.0},
      // 1 up to the rounding of the two magnitudes sqrtf(2).
      {"identical",
       {"casa", "rio"},
       {"rio", "casa"},
       2.0 /
           (static_cast<double>(std::sqrt(2.0f)) * static_cast<double>(std::sqrt(2.0f)))},
      {"no shared word", {"casa"}, {"rio"}, 0.0},
      {"empty first", {}, {"rio"}, 0.0},
      {"both empty", {}, {}, 0.0},
      // 50000 * 50000 overflows 32 bits; the cosine is still 1.
      {"counts beyond 32-bit products", repeated("x", 50000), repeated("x", 50000), 1.0},
  };
  for (Case& c : cases) {
    Words a(c.a), b(c.b);
    EXPECT_EQ(TopicalOrdering::cosineSimilarity(a.get(), b.get(), a.size(), b.size()),
              c.expected)
        << c.name;
  }
  Words a({"casa", "casa", "rio"}), b({"casa"});
  EXPECT_NEAR(TopicalOrdering::cosineSimilarity(a.get(), b.get(), 3, 1), 0.894, 0.001);
}

// Beyond 2^24 the single-precision sum of squares depends on its order: B's
// magnitude is summed over a vocabulary that lists A's words first.
TEST(TopicalOrderingTest, CosineSumsTheSecondMagnitudeInVocabularyOrder) {
  const std::vector<std::string> ys = numbered("y", 20);
  Words b(concat(repeated("x", 4097), ys));
  for (const std::vector<std::string>& first :
       {ys, concat(ys, {"x"}), concat({"x"}, ys)}) {
    Words a(first);
    EXPECT_EQ(TopicalOrdering::cosineSimilarity(a.get(), b.get(), a.size(), b.size()),
              LiteralTopics::cosineSimilarity(a.get(), b.get(), a.size(), b.size()))
        << first.front() << " first, " << first.size() << " words";
  }
  // 4097^2 + 20 ones: 16785428 when the ones come first, 16785408 when each
  // one is rounded away after the large square.
  Words a(ys);
  EXPECT_EQ(TopicalOrdering::cosineSimilarity(a.get(), b.get(), a.size(), b.size()),
            20.0 / (static_cast<double>(std::sqrt(20.0f)) *
                    static_cast<double>(std::sqrt(16785428.0f))));
}

TEST(TopicalOrderingTest, VectorHelpers) {
  const int a[] = {2, 1, 0};
  const int b[] = {1, 0, 5};
  EXPECT_EQ(TopicalOrdering::dotProduct(a, b, 3), 2);
  EXPECT_EQ(TopicalOrdering::dotProduct(a, b, 0), 0);
  const int big[] = {50000};
  EXPECT_EQ(TopicalOrdering::dotProduct(big, big, 1), 2500000000LL);
  EXPECT_EQ(TopicalOrdering::magnitude(a, 3), std::sqrt(5.0f));
  EXPECT_EQ(TopicalOrdering::magnitude(a, 0), 0.0f);
  // 16785409 rounds to 16785408 in float, and adding 1 rounds back to it.
  const int rounding[] = {4097, 1};
  EXPECT_EQ(TopicalOrdering::magnitude(rounding, 2), std::sqrt(16785408.0f));

  Words words({"casa", "rio", "casa", "Casa"});
  EXPECT_EQ(TopicalOrdering::frequencia("casa", words.get(), 4), 2);
  EXPECT_EQ(TopicalOrdering::frequencia("casa", words.get(), 1), 1);
  EXPECT_EQ(TopicalOrdering::frequencia("cas", words.get(), 4), 0);
  EXPECT_TRUE(TopicalOrdering::jahTem("rio", words.get(), 2));
  EXPECT_FALSE(TopicalOrdering::jahTem("rio", words.get(), 1));
  EXPECT_FALSE(TopicalOrdering::jahTem("casa", words.get(), 0));
}

TEST(TopicalOrderingTest, SentencesJoinTheFirstTopicWhoseMeanExceedsTheThreshold) {
  struct Case {
    const char* name;
    std::string text;
    std::string topics;
    std::vector<std::string> stopList = {};
  } cases[] = {
      {"one sentence", "casa rio.\n", "1.1"},
      {"identical sentences", "casa rio.\ncasa rio.\n", "1.1 1.2"},
      {"no shared word", "casa rio.\nmar sol.\n", "1.1 | 1.2"},
      {"the first qualifying topic, not the most similar", "a b.\nc d.\ne f.\na e f.\n",
       "1.1 1.4 | 1.2 | 1.3"},
      // 1.3 has cosine 0.41 with 1.1, 0 with 1.2: the mean is 0.20.
      {"the mean over all members", "a b.\nb c.\na d e.\n", "1.1 1.2 | 1.3"},
      {"lowered words are one word", "Casa RIO.\ncasa rio.\n", "1.1 1.2"},
      // Bytes from 0x80 up are not lowered.
      {"accented capitals stay apart", "\xC1gua.\n\xE1gua.\n", "1.1 | 1.2"},
      {"empty word array opens its own topic", "casa.\n..\ncasa.\n", "1.1 1.3 | 1.2"},
      {"an empty first sentence still makes topic 0", ";\ncasa.\n;\n", "1.1 | 1.2 | 1.3"},
      {"stop words only",
       "De casa.\na o de.\ncasa.\n",
       "1.1 1.3 | 1.2",
       {"a", "o", "de"}},
      // The mean 0.3f (0.300000011920928955078125) is greater than the
      // double 0.3 ...
      {"cosine 3 / (2 * 5) gives the mean 0.3f", run(0, 25) + ".\n" + run(0, 3) + " x.\n",
       "1.1 1.2"},
      // So does a cosine below 0.3 that rounds to 0.3f: 0.2999999976.
      {"cosine 30 / (sqrtf(125) * sqrtf(80)) rounds up to 0.3f",
       run(0, 80) + ".\n" + run(0, 30) + " " + run(1000, 95) + ".\n", "1.1 1.2"},
      // And a mean of exactly 3 / 10 in real numbers: six members with
      // cosine 0.5 (casa a b c), four with 0 (a b c d).
      {"mean 3 / 10 in float is 0.3f",
       repeatLines("casa a b c.\n", 6) + repeatLines("a b c d.\n", 4) + "casa.\n",
       "1.1 1.2 1.3 1.4 1.5 1.6 1.7 1.8 1.9 1.10 1.11"},
      // ... the float below it is not. In double the product of the two
      // magnitudes sqrtf(10) is 10.0000004, in float it would be 10.
      {"cosine 3 / (sqrtf(10) * sqrtf(10)) gives the float below",
       run(0, 10) + ".\n" + run(0, 3) + " " + run(100, 7) + ".\n", "1.1 | 1.2"},
  };
  for (const Case& c : cases) {
    Graph G;
    readText(&G, c.text, c.stopList);
    TopicalOrdering::createTopics(&G);
    EXPECT_EQ(topics(G), c.topics) << c.name;
    for (size_t t = 0; t < G.topics.size(); ++t) {
      for (const Vertex* V : G.topics[t]) {
        EXPECT_EQ(V->getNumTopic(), static_cast<int>(t)) << c.name;
      }
    }
  }
}

TEST(TopicalOrderingTest, EmptyVertexListGivesNoTopicsAndAnEmptySummary) {
  Graph G;
  TopicalOrdering::topicalOrdering(&G);
  EXPECT_TRUE(G.topics.empty());
  EXPECT_TRUE(G.topicalOrderingList.empty());
  EXPECT_TRUE(G.topicalOrderedSumm.empty());
}

namespace {

// How a generated cluster looks.
struct ClusterShape {
  const char* name = "";
  int maxSentences = 1;
  int vocabulary = 1;
  std::vector<int> lengths;  // words a sentence: one of these, or...
  int minWords = 0;          // ... from minWords
  int maxWords = 0;          // to maxWords
  bool zipf = false;         // rank r drawn with weight 1/(r+1), else uniform
  double repeatWord = 0.0;   // chance that a word repeats the one before
  double stopOnly = 0.0;     // chance of a sentence of stop words only
  double restate = 0.0;      // chance of an earlier sentence with words changed
  int bigCount = 0;          // > 0: a few sentences repeat a word this often
  bool extras = false;       // repeated vertices, CST edges, summary repeats
};

// The shape `name`: the defaults above, then the fields that `set` gives,
// so that a table of shapes names every value it sets.
ClusterShape makeShape(const char* name, void (*set)(ClusterShape*)) {
  ClusterShape s;
  s.name = name;
  set(&s);
  return s;
}

// Texts, summary and extra edges of one cluster, to build two equal graphs.
struct GeneratedCluster {
  std::vector<std::string> texts;
  std::vector<size_t> summary;                      // indices into vertexList
  std::vector<size_t> repeatedVertices;             // appended to vertexList again
  std::vector<std::pair<size_t, size_t>> cstEdges;  // source, target
};

const std::vector<std::string> kStopList = {"a", "o", "de"};

GeneratedCluster generate(const ClusterShape& shape, unsigned seed) {
  std::mt19937 random(seed);
  auto chance = [&](double p) {
    return std::uniform_real_distribution<double>(0, 1)(random) < p;
  };
  auto below = [&](size_t n) {
    return std::uniform_int_distribution<size_t>(0, n - 1)(random);
  };
  std::vector<double> weights;
  for (int r = 0; r < shape.vocabulary; ++r)
    weights.push_back(shape.zipf ? 1.0 / (r + 1) : 1.0);
  std::discrete_distribution<int> word(weights.begin(), weights.end());

  GeneratedCluster c;
  const int sentences =
      1 + static_cast<int>(below(static_cast<size_t>(shape.maxSentences)));
  const int texts = 1 + static_cast<int>(below(4));
  c.texts.resize(static_cast<size_t>(texts));
  std::vector<std::vector<std::string>> made;
  for (int s = 0; s < sentences; ++s) {
    std::vector<std::string> words;
    if (chance(shape.stopOnly)) {
      for (size_t k = 1 + below(3); k > 0; --k) words.push_back(kStopList[below(3)]);
    } else if (!made.empty() && chance(shape.restate)) {
      words = made[below(made.size())];
      for (std::string& w : words) {
        if (chance(0.3)) w = "w" + std::to_string(word(random));
      }
    } else {
      const int n = shape.lengths.empty()
                        ? shape.minWords + static_cast<int>(below(static_cast<size_t>(
                                               shape.maxWords - shape.minWords + 1)))
                        : shape.lengths[below(shape.lengths.size())];
      for (int k = 0; k < n; ++k) {
        if (!words.empty() && chance(shape.repeatWord)) {
          words.push_back(words.back());
          continue;
        }
        words.push_back("w" + std::to_string(word(random)));
        if (chance(0.05)) words.back()[0] = 'W';  // lowered to the same word
        if (chance(0.05)) words.push_back(kStopList[below(3)]);
      }
      if (shape.bigCount > 0 && chance(0.05)) {
        for (int k = 0; k < shape.bigCount; ++k) words.push_back("w0");
      }
    }
    made.push_back(words);
    std::string line;
    for (const std::string& w : words) line += (line.empty() ? "" : " ") + w;
    c.texts[below(c.texts.size())] += line + (chance(0.5) ? ".\n" : ". ");
  }
  // Sentences of only stop words still count; sentences of no bytes do not,
  // so the vertex count is known only after reading: indices are taken
  // modulo it.
  for (size_t k = below(12); k > 0; --k) c.summary.push_back(below(1000));
  if (shape.extras) {
    for (size_t k = below(4); k > 0; --k) c.repeatedVertices.push_back(below(1000));
    for (size_t k = below(20); k > 0; --k)
      c.cstEdges.emplace_back(below(1000), below(1000));
  }
  return c;
}

void build(Graph* G, const GeneratedCluster& c) {
  G->stopList = kStopList;
  for (size_t t = 0; t < c.texts.size(); ++t) {
    Read::readSentencesFromBytes(G, c.texts[t], static_cast<int>(t) + 1);
  }
  const size_t n = G->vertexList.size();
  if (n == 0) return;
  for (size_t i : c.repeatedVertices) G->addVertex(G->vertexList[i % n]);
  for (const auto& e : c.cstEdges) {
    Vertex* S = G->vertexList[e.first % n];
    Vertex* T = G->vertexList[e.second % n];
    Edge* out = new Edge(T);
    out->setRelationName("Elaboration");
    out->setWeight(1.5f);
    S->edgeOutList.push_back(out);
    Edge* in = new Edge(S);
    in->setRelationName("Elaboration");
    in->setWeight(1.5f);
    T->edgeInList.push_back(in);
  }
  for (size_t i : c.summary) G->summ.push_back(G->vertexList[i % n]);
}

std::string hex(float f) {
  std::ostringstream out;
  out << std::hexfloat << f;
  return out.str();
}

// Everything method 4 writes into G, bit for bit.
std::string methodFourState(const Graph& G) {
  std::ostringstream out;
  out << "topics: " << topics(G) << "\nlist: " << ids(G.topicalOrderingList)
      << "\nsumm: " << ids(G.topicalOrderedSumm) << "\n";
  for (const Vertex* V : G.vertexList) {
    out << id(V) << " topic " << V->getNumTopic() << " pos " << V->getPosTopic()
        << " weight " << hex(V->getWeightTopic()) << " summ "
        << V->getPosTopicalOrderedSumm() << " out";
    for (const Edge* e : V->edgeOutList) {
      out << " " << id(e->getVertex()) << ":" << e->getRelationName() << ":"
          << hex(e->getWeight()) << ":" << e->getNumCycles();
    }
    out << " in " << V->edgeInList.size() << "\n";
  }
  return out.str();
}

// "" when a and b are equal, else their first differing lines.
std::string firstDifference(const std::string& a, const std::string& b) {
  std::istringstream inA(a), inB(b);
  std::string lineA, lineB;
  for (int line = 1;; ++line) {
    const bool moreA = static_cast<bool>(std::getline(inA, lineA));
    const bool moreB = static_cast<bool>(std::getline(inB, lineB));
    if (!moreA && !moreB) return "";
    if (moreA && moreB && lineA == lineB) continue;
    return "line " + std::to_string(line) + ":\n  " + (moreA ? lineA : "<end>") + "\n  " +
           (moreB ? lineB : "<end>");
  }
}

// Runs method 4 (or only the clustering) on two graphs built alike from c,
// once by the program and once literally; "" when they agree.
std::string compareWithLiteral(const GeneratedCluster& c, bool wholeMethod) {
  Graph fast, literal;
  build(&fast, c);
  build(&literal, c);
  if (wholeMethod) {
    TopicalOrdering::topicalOrdering(&fast);
    LiteralTopics::topicalOrdering(&literal);
  } else {
    TopicalOrdering::createTopics(&fast);
    LiteralTopics::createTopics(&literal);
  }
  return firstDifference(methodFourState(fast), methodFourState(literal));
}

}  // namespace

// The literal computation compares every sentence with every member of
// every topic; the program's clustering must give the same result on every
// input, bit for bit.
TEST(TopicalOrderingTest, MatchesTheLiteralComputationOnGeneratedClusters) {
  const ClusterShape shapes[] = {
      makeShape("zipf vocabulary",
                [](ClusterShape* s) {
                  s->maxSentences = 120;
                  s->vocabulary = 300;
                  s->minWords = 3;
                  s->maxWords = 15;
                  s->zipf = true;
                  s->repeatWord = 0.05;
                  s->stopOnly = 0.03;
                  s->restate = 0.3;
                  s->extras = true;
                }),
      makeShape("tiny vocabulary, many ties",
                [](ClusterShape* s) {
                  s->maxSentences = 80;
                  s->vocabulary = 6;
                  s->minWords = 1;
                  s->maxWords = 6;
                  s->repeatWord = 0.2;
                  s->stopOnly = 0.1;
                  s->restate = 0.2;
                  s->extras = true;
                }),
      makeShape("cosines k / sqrt(ab) near 0.3",
                [](ClusterShape* s) {
                  s->maxSentences = 80;
                  s->vocabulary = 30;
                  s->lengths = {4, 10, 25};
                  s->restate = 0.4;
                }),
      makeShape("repeated words",
                [](ClusterShape* s) {
                  s->maxSentences = 80;
                  s->vocabulary = 20;
                  s->minWords = 1;
                  s->maxWords = 12;
                  s->zipf = true;
                  s->repeatWord = 0.5;
                  s->stopOnly = 0.05;
                  s->restate = 0.2;
                  s->extras = true;
                }),
      makeShape("stop words and empty arrays",
                [](ClusterShape* s) {
                  s->maxSentences = 60;
                  s->vocabulary = 40;
                  s->minWords = 0;
                  s->maxWords = 4;
                  s->repeatWord = 0.1;
                  s->stopOnly = 0.4;
                  s->restate = 0.1;
                  s->extras = true;
                }),
      makeShape("counts beyond 2^24 squared",
                [](ClusterShape* s) {
                  s->maxSentences = 40;
                  s->vocabulary = 15;
                  s->minWords = 1;
                  s->maxWords = 8;
                  s->repeatWord = 0.2;
                  s->restate = 0.3;
                  s->bigCount = 4200;
                }),
      makeShape("long sentences",
                [](ClusterShape* s) {
                  s->maxSentences = 60;
                  s->vocabulary = 500;
                  s->minWords = 30;
                  s->maxWords = 80;
                  s->zipf = true;
                  s->repeatWord = 0.1;
                  s->restate = 0.5;
                }),
  };
  for (const ClusterShape& shape : shapes) {
    for (unsigned seed = 1; seed <= 25; ++seed) {
      ASSERT_EQ(compareWithLiteral(generate(shape, seed), true), "")
          << shape.name << ", seed " << seed;
    }
  }
}

// Large enough for the words most sentences hold to be indexed as columns
// over all topics.
TEST(TopicalOrderingTest, MatchesTheLiteralComputationOnLargerClusters) {
  const ClusterShape shapes[] = {
      makeShape("zipf vocabulary",
                [](ClusterShape* s) {
                  s->maxSentences = 600;
                  s->vocabulary = 400;
                  s->minWords = 3;
                  s->maxWords = 15;
                  s->zipf = true;
                  s->repeatWord = 0.05;
                  s->stopOnly = 0.02;
                  s->restate = 0.3;
                }),
      makeShape("small vocabulary",
                [](ClusterShape* s) {
                  s->maxSentences = 600;
                  s->vocabulary = 40;
                  s->minWords = 2;
                  s->maxWords = 8;
                  s->zipf = true;
                  s->repeatWord = 0.1;
                  s->stopOnly = 0.02;
                  s->restate = 0.2;
                }),
  };
  for (const ClusterShape& shape : shapes) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
      ASSERT_EQ(compareWithLiteral(generate(shape, seed), false), "")
          << shape.name << ", seed " << seed;
    }
  }
}

namespace {

// A graph whose topics are given by hand: each vertex of a topic is
// (idText, posText, numWordsAfter).
struct Member {
  int idText, posText, wordsAfter;
};

void makeTopics(Graph* G, const std::vector<std::vector<Member>>& topicList) {
  for (const std::vector<Member>& members : topicList) {
    std::vector<Vertex*> T;
    for (const Member& m : members) {
      Vertex* V = addTestVertex(G, m.idText, m.posText);
      V->setNumWordsAfter(m.wordsAfter);
      T.push_back(V);
    }
    G->topics.push_back(T);
  }
}

// "1.3=3 2.5=3": identity and weight of each vertex of topicalOrderingList,
// with numTopic and posTopic checked on the way.
std::string orderedWithWeights(const Graph& G) {
  std::string s;
  for (size_t i = 0; i < G.topicalOrderingList.size(); ++i) {
    const Vertex* V = G.topicalOrderingList[i];
    if (!s.empty()) s += ' ';
    s += id(V) + "=" + std::to_string(static_cast<int>(V->getWeightTopic()));
    EXPECT_EQ(V->getPosTopic(), static_cast<int>(i)) << s;
  }
  for (size_t t = 0; t < G.topics.size(); ++t) {
    for (const Vertex* V : G.topics[t])
      EXPECT_EQ(V->getNumTopic(), static_cast<int>(t)) << s;
  }
  return s;
}

}  // namespace

TEST(TopicalOrderingTest, TopicsOrderByLightestSentenceThenByWordsAfter) {
  struct Case {
    const char* name;
    std::vector<std::vector<Member>> topics;
    std::string ordered;
  } cases[] = {
      // Y (sentence 2 of text B) weighs 2, X (3 of A, 5 of B) weighs 3.
      {"weight ignores the text",
       {{{1, 3, 0}, {2, 5, 0}}, {{2, 2, 0}}},
       "2.2=2 1.3=3 2.5=3"},
      {"equal weights keep creation order",
       {{{1, 4, 0}}, {{2, 4, 0}}, {{3, 1, 0}}},
       "3.1=1 1.4=4 2.4=4"},
      {"within a topic by words after, descending",
       {{{1, 1, 800}, {1, 4, 300}, {2, 2, 500}}},
       "1.1=1 2.2=1 1.4=1"},
  };
  for (const Case& c : cases) {
    Graph G;
    makeTopics(&G, c.topics);
    TopicalOrdering::setTopicsWeight(&G);
    TopicalOrdering::orderTopicsListByWeight(&G);
    TopicalOrdering::createTopicalOrderingList(&G);
    EXPECT_EQ(orderedWithWeights(G), c.ordered) << c.name;
  }
}

TEST(TopicalOrderingTest, SummaryFollowsTheTopicalOrder) {
  Graph G;
  // Two texts; 1.1 and 2.1 share a topic, so do 1.2 and 2.2.
  G.stopList = {"o", "a"};
  Read::readSentencesFromBytes(&G, "O sol nasce cedo. A chuva cai forte na serra.\n", 1);
  Read::readSentencesFromBytes(&G, "O sol nasce. Chuva forte na serra.\n", 2);
  G.summ = {G.vertexList[3], G.vertexList[2], G.vertexList[1]};
  TopicalOrdering::topicalOrdering(&G);
  EXPECT_EQ(topics(G), "1.1 2.1 | 1.2 2.2");
  // 1.1 (6 words after it) comes before 2.1 (4); 1.2 and 2.2 have none
  // after them and keep their order.
  EXPECT_EQ(ids(G.topicalOrderedSumm), "2.1 1.2 2.2");
  for (size_t i = 0; i < G.topicalOrderedSumm.size(); ++i) {
    EXPECT_EQ(G.topicalOrderedSumm[i]->getPosTopicalOrderedSumm(), static_cast<int>(i));
  }

  // Scored against the summary's own order (2.2 2.1 1.2 at places 0 1 2),
  // the topical order has places 1 2 0: squared differences 1 + 1 + 4, and
  // one pair of three kept.
  G.humanOrderedSumm = G.summ;
  Read::setAllPosHummanOrderedSumm(&G);
  EXPECT_EQ(TopicalOrdering::TS(&G), -0.5f);
  EXPECT_EQ(TopicalOrdering::TK(&G), -1.0f / 3.0f);
}

TEST(TopicalOrderingTest, TopicalRelationsLinkEachTopicToTheNextOnly) {
  Graph G;
  makeTopics(&G, {{{1, 1, 0}, {1, 2, 0}}, {{2, 1, 0}}, {{3, 1, 0}, {3, 2, 0}}});
  // An edge of any name suppresses a new one. Targets are compared by
  // identity: an edge to another vertex object holding sentence 2.1 counts.
  Vertex* twin = addTestVertex(&G, 2, 1);
  G.vertexList.pop_back();  // still owned by G
  Edge* existing = new Edge(twin);
  existing->setRelationName("Elaboration");
  G.topics[0][0]->edgeOutList.push_back(existing);

  TopicalOrdering::createTopicalRelation(&G);
  EXPECT_EQ(outEdges(G),
            "1.1>2.1:Elaboration; 1.2>2.1:Relacao-Topical; "
            "2.1>3.1:Relacao-Topical,3.2:Relacao-Topical");
  EXPECT_EQ(inEdges(G), "");
  for (const Vertex* V : G.vertexList) {
    for (const Edge* e : V->edgeOutList) {
      if (e->getRelationName() != "Relacao-Topical") continue;
      EXPECT_EQ(e->getWeight(), 2.0f);
      EXPECT_EQ(e->getNumCycles(), 0);
    }
  }

  Graph single;
  makeTopics(&single, {{{1, 1, 0}, {1, 2, 0}}});
  TopicalOrdering::createTopicalRelation(&single);
  EXPECT_EQ(outEdges(single), "");
}

TEST(TopicalOrderingTest, PrintTopicsWritesEachTopicWithItsWeights) {
  Graph G;
  makeTopics(&G, {{{1, 2, 0}, {2, 3, 0}}, {{1, 1, 0}}});
  G.topics[0][0]->setStringSentence("Ola.");
  TopicalOrdering::setTopicsWeight(&G);
  testing::internal::CaptureStdout();
  TopicalOrdering::printTopics(&G);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "\n\n\n\nIMPRESSAO DOS TOPICOS\n"
            "======= TOPICO 0 =======\n"
            "V(1,2):Ola.\nPESO: 2.000000\n"
            "V(2,3):\nPESO: 2.000000\n"
            "======= TOPICO 1 =======\n"
            "V(1,1):\nPESO: 1.000000\n");
}

// Found by fuzzing: the words of a sentence without content words that
// stands last in the word table were looked up past the table's end.
TEST(TopicalOrderingTest, SentencesWithoutContentWordsLast) {
  Graph G;
  G.stopList = {"de"};
  Read::readSentencesFromBytes(&G, "casa.\n.\nde\n, ;\n", 1);
  G.summ = {G.vertexList[3], G.vertexList[0]};
  TopicalOrdering::topicalOrdering(&G);
  EXPECT_EQ(topics(G), "1.1 | 1.2 | 1.3 | 1.4");
  EXPECT_EQ(ids(G.topicalOrderedSumm), "1.1 1.4");
}
