#include "literal_topics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"

LiteralTopics::~LiteralTopics() = default;

int LiteralTopics::frequencia(const char* X, char** C, int sizeC) {
  int n = 0;
  for (int i = 0; i < sizeC; ++i) {
    if (std::strcmp(X, C[i]) == 0) ++n;
  }
  return n;
}

bool LiteralTopics::jahTem(const char* X, char** C, int count) {
  return frequencia(X, C, count) != 0;
}

long long LiteralTopics::dotProduct(const int* vetA, const int* vetB, int size) {
  long long dot = 0;
  for (int i = 0; i < size; ++i) {
    dot += static_cast<long long>(vetA[i]) * static_cast<long long>(vetB[i]);
  }
  return dot;
}

float LiteralTopics::magnitude(const int* vet, int size) {
  float sum = 0.0f;
  for (int i = 0; i < size; ++i) {
    sum += static_cast<float>(static_cast<long long>(vet[i]) *
                              static_cast<long long>(vet[i]));
  }
  return std::sqrt(sum);
}

double LiteralTopics::cosineSimilarity(char** A, char** B, int sizeA, int sizeB) {
  std::vector<char*> vocabulary;
  int repeated = 0;
  auto collect = [&](char** words, int size) {
    for (int i = 0; i < size; ++i) {
      if (jahTem(words[i], vocabulary.data(), static_cast<int>(vocabulary.size()))) {
        ++repeated;
        continue;
      }
      char* copy = new char[std::strlen(words[i]) + 1];
      std::strcpy(copy, words[i]);
      vocabulary.push_back(copy);
    }
  };
  collect(A, sizeA);
  collect(B, sizeB);
  const int size = sizeA + sizeB - repeated;

  std::vector<int> vetA(static_cast<size_t>(size), 0);
  std::vector<int> vetB(static_cast<size_t>(size), 0);
  for (int i = 0; i < size; ++i) {
    vetA[static_cast<size_t>(i)] =
        frequencia(vocabulary[static_cast<size_t>(i)], A, sizeA);
    vetB[static_cast<size_t>(i)] =
        frequencia(vocabulary[static_cast<size_t>(i)], B, sizeB);
  }
  const long long dot = dotProduct(vetA.data(), vetB.data(), size);
  double result = 0.0;
  if (dot != 0) {
    const float magA = magnitude(vetA.data(), size);
    const float magB = magnitude(vetB.data(), size);
    result = static_cast<double>(dot) /
             (static_cast<double>(magA) * static_cast<double>(magB));
  }
  for (char* word : vocabulary) delete[] word;
  return result;
}

void LiteralTopics::createTopics(Graph* G) {
  if (G->vertexList.empty()) return;
  G->topics.push_back({G->vertexList[0]});
  for (size_t v = 1; v < G->vertexList.size(); ++v) {
    Vertex* V = G->vertexList[v];
    bool joined = false;
    for (std::vector<Vertex*>& T : G->topics) {
      float sum = 0.0f;
      for (Vertex* M : T) {
        sum = static_cast<float>(
            static_cast<double>(sum) +
            cosineSimilarity(V->getCharSentence(), M->getCharSentence(),
                             V->getSizeCharSentence(), M->getSizeCharSentence()));
      }
      const float mean = sum / static_cast<float>(T.size());
      if (static_cast<double>(mean) > 0.3) {
        T.push_back(V);
        joined = true;
        break;
      }
    }
    if (!joined) G->topics.push_back({V});
  }
  for (size_t t = 0; t < G->topics.size(); ++t) {
    for (Vertex* M : G->topics[t]) M->setNumTopic(static_cast<int>(t));
  }
}

void LiteralTopics::setTopicsWeight(Graph* G) {
  for (std::vector<Vertex*>& T : G->topics) {
    int weight = T[0]->getPosText();
    for (Vertex* M : T) {
      if (weight > M->getPosText()) weight = M->getPosText();
    }
    for (Vertex* M : T) M->setWeightTopic(static_cast<float>(weight));
  }
}

namespace {

// Index of the lightest topic of `topics`, the earliest among equals.
size_t lightest(const std::vector<std::vector<Vertex*>>& topics) {
  size_t candidate = 0;
  for (size_t i = 1; i < topics.size(); ++i) {
    if (topics[candidate][0]->getWeightTopic() > topics[i][0]->getWeightTopic()) {
      candidate = i;
    }
  }
  return candidate;
}

}  // namespace

void LiteralTopics::orderTopicsListByWeight(Graph* G) {
  std::vector<std::vector<Vertex*>> work = G->topics;
  std::vector<std::vector<Vertex*>> result;
  int counter = 0;
  while (!work.empty()) {
    const size_t chosen = lightest(work);
    for (Vertex* M : work[chosen]) M->setNumTopic(counter);
    ++counter;
    result.push_back(work[chosen]);
    work.erase(work.begin() + static_cast<std::ptrdiff_t>(chosen));
  }
  G->topics = result;
}

void LiteralTopics::createTopicalOrderingList(Graph* G) {
  std::vector<std::vector<Vertex*>> work = G->topics;
  while (!work.empty()) {
    const size_t chosen = lightest(work);
    std::vector<Vertex*> sorted = work[chosen];
    std::sort(sorted.begin(), sorted.end(), Vertex::comparePerNumWordsAfter);
    for (Vertex* M : sorted) G->topicalOrderingList.push_back(M);
    for (size_t i = 0; i < G->topicalOrderingList.size(); ++i) {
      G->topicalOrderingList[i]->setPosTopic(static_cast<int>(i));
    }
    work.erase(work.begin() + static_cast<std::ptrdiff_t>(chosen));
  }
}

void LiteralTopics::setAllPosTopicalOrderedSumm(Graph* G) {
  for (size_t i = 0; i < G->topicalOrderedSumm.size(); ++i) {
    G->topicalOrderedSumm[i]->setPosTopicalOrderedSumm(static_cast<int>(i));
  }
}

void LiteralTopics::createTopicalRelation(Graph* G) {
  for (size_t i = 0; i + 1 < G->topics.size(); ++i) {
    for (Vertex* S : G->topics[i]) {
      for (Vertex* T : G->topics[i + 1]) {
        bool linked = false;
        for (Edge* e : S->edgeOutList) {
          if (Vertex::compareVertexes(e->getVertex(), T)) linked = true;
        }
        if (linked) continue;
        Edge* e = new Edge(T);
        e->setRelationName("Relacao-Topical");
        e->setWeight(2.0f);
        S->edgeOutList.push_back(e);
      }
    }
  }
}

void LiteralTopics::topicalOrdering(Graph* G) {
  createTopics(G);
  setTopicsWeight(G);
  orderTopicsListByWeight(G);
  createTopicalOrderingList(G);
  G->topicalOrderedSumm = G->summ;
  std::sort(G->topicalOrderedSumm.begin(), G->topicalOrderedSumm.end(),
            Vertex::comparePerPosTopic);
  setAllPosTopicalOrderedSumm(G);
  createTopicalRelation(G);
}
