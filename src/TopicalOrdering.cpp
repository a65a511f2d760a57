#include "TopicalOrdering.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"
#include "engine/IntIndex.h"
#include "engine/SentenceKey.h"
#include "engine/SentenceWords.h"
#include "engine/TopicIndex.h"

namespace {

using sentralign::engine::idx;
using sentralign::engine::SentenceKey;
using sentralign::engine::sentenceKey;

using Topic = std::vector<Vertex*>;

constexpr float kTopicalWeight = 2.0f;
constexpr char kTopicalRelation[] = "Relacao-Topical";

int addWords(SentenceWords* words, const Vertex* V) {
  return words->add(V->getCharSentence(), V->getSizeCharSentence());
}

float topicWeight(const Topic& T) { return T[0]->getWeightTopic(); }

// The order in which topics are picked when the lightest remaining one is
// taken each time, the earliest among equally light ones: ascending weight,
// ties in their present order.
std::vector<size_t> lightestFirst(const std::vector<Topic>& topics) {
  std::vector<size_t> order(topics.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return topicWeight(topics[a]) < topicWeight(topics[b]);
  });
  return order;
}

// An out-edge as createTopicalRelation looks for it: its source vertex and
// the sentence its target denotes.
struct EdgeKey {
  const Vertex* source;
  SentenceKey target;
  bool operator==(const EdgeKey& o) const {
    return source == o.source && target == o.target;
  }
};

struct EdgeKeyHash {
  size_t operator()(const EdgeKey& k) const {
    const size_t h = std::hash<const Vertex*>()(k.source);
    return h ^ (std::hash<SentenceKey>()(k.target) + 0x9e3779b97f4a7c15ULL + (h << 6) +
                (h >> 2));
  }
};

EdgeKey keyOf(const Vertex* source, const Vertex* target) {
  return {source, sentenceKey(*target)};
}

}  // namespace

TopicalOrdering::~TopicalOrdering() = default;

int TopicalOrdering::frequencia(const char* X, char* const* C, int sizeC) {
  int n = 0;
  for (int i = 0; i < sizeC; ++i) {
    if (std::strcmp(X, C[i]) == 0) ++n;
  }
  return n;
}

bool TopicalOrdering::jahTem(const char* X, char* const* C, int count) {
  return frequencia(X, C, count) != 0;
}

long long TopicalOrdering::dotProduct(const int* vetA, const int* vetB, int size) {
  long long dot = 0;
  for (int i = 0; i < size; ++i) {
    dot += static_cast<long long>(vetA[i]) * vetB[i];
  }
  return dot;
}

float TopicalOrdering::magnitude(const int* vet, int size) {
  float sum = 0.0f;
  for (int i = 0; i < size; ++i) {
    sum += static_cast<float>(static_cast<long long>(vet[i]) * vet[i]);
  }
  return std::sqrt(sum);
}

double TopicalOrdering::cosineSimilarity(char** A, char** B, int sizeA, int sizeB) {
  // The vocabulary: A's distinct words, then B's words A lacks, each in
  // order of first occurrence; a word's place there is its entry in both
  // count vectors.
  std::unordered_map<std::string_view, int> place;
  std::vector<int> vetA;
  std::vector<int> vetB;
  auto count = [&](char** words, int size, std::vector<int>* vet) {
    for (int i = 0; i < size; ++i) {
      const auto found = place.try_emplace(words[i], static_cast<int>(vetA.size()));
      if (found.second) {
        vetA.push_back(0);
        vetB.push_back(0);
      }
      ++(*vet)[idx(found.first->second)];
    }
  };
  count(A, sizeA, &vetA);
  count(B, sizeB, &vetB);
  const int size = static_cast<int>(vetA.size());
  const long long dot = dotProduct(vetA.data(), vetB.data(), size);
  if (dot == 0) return 0.0;
  const float magA = magnitude(vetA.data(), size);
  const float magB = magnitude(vetB.data(), size);
  return static_cast<double>(dot) /
         (static_cast<double>(magA) * static_cast<double>(magB));
}

void TopicalOrdering::createTopics(Graph* G) {
  if (G->vertexList.empty()) return;
  // Topics already in the list take part like those made here: their
  // members come first in the table, then vertexList.
  SentenceWords words;
  for (const Topic& T : G->topics) {
    for (const Vertex* M : T) addWords(&words, M);
  }
  for (const Vertex* V : G->vertexList) addWords(&words, V);

  // A topic opened by a sentence without content words has mean 0 for
  // every sentence, whose cosine with it is 0: none ever joins it, and the
  // index does not keep it. topicOf maps the index's topics to G's.
  TopicIndex index(&words);
  std::vector<size_t> topicOf;
  int s = 0;
  for (const Topic& T : G->topics) {
    const int t = index.addTopic(s++);
    for (size_t k = 1; k < T.size(); ++k) index.join(t, s++);
    topicOf.push_back(topicOf.size());
  }
  auto open = [&](Vertex* V, int sentence) {
    if (words.numDistinct(sentence) > 0) {
      index.addTopic(sentence);
      topicOf.push_back(G->topics.size());
    }
    G->topics.push_back({V});
  };
  open(G->vertexList[0], s++);
  for (size_t v = 1; v < G->vertexList.size(); ++v, ++s) {
    Vertex* V = G->vertexList[v];
    const int t = index.firstQualifyingTopic(s);
    if (t < 0) {
      open(V, s);
      continue;
    }
    index.join(t, s);
    G->topics[topicOf[idx(t)]].push_back(V);
  }

  for (size_t t = 0; t < G->topics.size(); ++t) {
    for (Vertex* M : G->topics[t]) M->setNumTopic(static_cast<int>(t));
  }
}

void TopicalOrdering::setTopicsWeight(Graph* G) {
  for (const Topic& T : G->topics) {
    int weight = T[0]->getPosText();
    for (const Vertex* M : T) weight = std::min(weight, M->getPosText());
    for (Vertex* M : T) M->setWeightTopic(static_cast<float>(weight));
  }
}

void TopicalOrdering::orderTopicsListByWeight(Graph* G) {
  const std::vector<size_t> order = lightestFirst(G->topics);
  std::vector<Topic> result;
  result.reserve(order.size());
  for (size_t i = 0; i < order.size(); ++i) {
    for (Vertex* M : G->topics[order[i]]) M->setNumTopic(static_cast<int>(i));
    result.push_back(std::move(G->topics[order[i]]));
  }
  G->topics = std::move(result);
}

void TopicalOrdering::createTopicalOrderingList(Graph* G) {
  if (G->topics.empty()) return;
  for (size_t t : lightestFirst(G->topics)) {
    Topic sorted = G->topics[t];
    std::sort(sorted.begin(), sorted.end(), Vertex::comparePerNumWordsAfter);
    G->topicalOrderingList.insert(G->topicalOrderingList.end(), sorted.begin(),
                                  sorted.end());
  }
  for (size_t i = 0; i < G->topicalOrderingList.size(); ++i) {
    G->topicalOrderingList[i]->setPosTopic(static_cast<int>(i));
  }
}

void TopicalOrdering::setAllPosTopicalOrderedSumm(Graph* G) {
  for (size_t i = 0; i < G->topicalOrderedSumm.size(); ++i) {
    G->topicalOrderedSumm[i]->setPosTopicalOrderedSumm(static_cast<int>(i));
  }
}

void TopicalOrdering::createTopicalRelation(Graph* G) {
  // Every out-edge of every source, by target identity, as it is added.
  std::unordered_set<EdgeKey, EdgeKeyHash> linked;
  std::unordered_set<const Vertex*> sourcesSeen;
  for (size_t i = 0; i + 1 < G->topics.size(); ++i) {
    for (Vertex* S : G->topics[i]) {
      if (sourcesSeen.insert(S).second) {
        for (const Edge* e : S->edgeOutList) linked.insert(keyOf(S, e->getVertex()));
      }
      for (Vertex* T : G->topics[i + 1]) {
        if (!linked.insert(keyOf(S, T)).second) continue;
        auto e = std::make_unique<Edge>(T);
        e->setRelationName(kTopicalRelation);
        e->setWeight(kTopicalWeight);
        S->edgeOutList.push_back(e.get());
        e.release();  // owned by S now
      }
    }
  }
}

void TopicalOrdering::printTopics(Graph* G) {
  std::printf("\n\n\n\nIMPRESSAO DOS TOPICOS\n");
  for (size_t i = 0; i < G->topics.size(); ++i) {
    std::printf("======= TOPICO %d =======\n", static_cast<int>(i));
    for (const Vertex* V : G->topics[i]) {
      V->print();
      std::printf("PESO: %f\n", static_cast<double>(V->getWeightTopic()));
    }
  }
}

void TopicalOrdering::topicalOrdering(Graph* G) {
  orderSummaryByTopics(G);
  createTopicalRelation(G);
}

void TopicalOrdering::orderSummaryByTopics(Graph* G) {
  createTopics(G);
  setTopicsWeight(G);
  orderTopicsListByWeight(G);
  createTopicalOrderingList(G);
  G->topicalOrderedSumm = G->summ;
  std::sort(G->topicalOrderedSumm.begin(), G->topicalOrderedSumm.end(),
            Vertex::comparePerPosTopic);
  setAllPosTopicalOrderedSumm(G);
}

float TopicalOrdering::TS(Graph* G) {
  return Graph::spearmanTS(G->humanOrderedSumm, G->topicalOrderedSumm);
}

float TopicalOrdering::TK(Graph* G) {
  return Graph::kendallTK(G->humanOrderedSumm, G->topicalOrderedSumm);
}
