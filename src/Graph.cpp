#include "Graph.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "Edge.h"
#include "Vertex.h"
#include "engine/PairCounts.h"
#include "io/Files.h"

namespace {

using VertexLess = bool (*)(const Vertex*, const Vertex*);

void writeBytes(const std::string& s) { std::fwrite(s.data(), 1, s.size(), stdout); }

void printEdgeLines(const std::vector<Edge*>& edges) {
  for (const Edge* e : edges) {
    std::printf("-----> V(%d,%d): ", e->getVertex()->getIdText(),
                e->getVertex()->getPosText());
    writeBytes(e->relationNameRef());
    std::fputc('\n', stdout);
  }
}

// Sorts every run of neighbours with equal posText with `less`. The run
// bounds are beginSort and endSort; mesmaPosicao tells whether the walk is
// inside a run of two or more.
void sortEqualPosTextRuns(std::vector<Vertex*>& list, VertexLess less) {
  if (list.size() < 2) return;
  size_t beginSort = 0;
  size_t endSort = 0;
  bool mesmaPosicao = false;
  auto closeRun = [&]() {
    if (mesmaPosicao) {
      std::sort(list.begin() + static_cast<std::ptrdiff_t>(beginSort),
                list.begin() + static_cast<std::ptrdiff_t>(endSort) + 1, less);
    }
  };
  for (size_t i = 1; i < list.size(); ++i) {
    if (list[i]->getPosText() == list[i - 1]->getPosText()) {
      endSort = i;
      mesmaPosicao = true;
      continue;
    }
    closeRun();
    beginSort = endSort = i;
    mesmaPosicao = false;
  }
  closeRun();
}

void numberPositions(const std::vector<Vertex*>& list) {
  for (size_t j = 0; j < list.size(); ++j) {
    list[j]->setPosPositionOrderedSumm(static_cast<int>(j));
  }
}

// sum / q in IEEE arithmetic, a zero divisor included.
float divide(float sum, unsigned long long q) {
  if (q != 0) return sum / static_cast<float>(q);
  if (sum == 0.0f) return std::numeric_limits<float>::quiet_NaN();
  return sum > 0.0f ? std::numeric_limits<float>::infinity()
                    : -std::numeric_limits<float>::infinity();
}

// The human positions of the first n entries of `list`.
std::vector<int> humanPositions(const std::vector<Vertex*>& list, size_t n) {
  std::vector<int> positions(n);
  for (size_t i = 0; i < n; ++i) positions[i] = list[i]->getPosHumanOrderedSumm();
  return positions;
}

bool isStrictlyAscending(const std::vector<int>& v) {
  return std::adjacent_find(v.begin(), v.end(), [](int x, int y) { return x >= y; }) ==
         v.end();
}

}  // namespace

float Graph::spearmanTS(const std::vector<Vertex*>& human,
                        const std::vector<Vertex*>& ordered) {
  const unsigned n = static_cast<unsigned>(human.size());
  if (ordered.size() < human.size()) return std::numeric_limits<float>::quiet_NaN();
  float TS = 0.0f;
  for (unsigned i = 0; i < n; ++i) {
    const std::int64_t d =
        static_cast<std::int64_t>(ordered[i]->getPosHumanOrderedSumm()) - i;
    TS = TS + static_cast<float>(d * d);
  }
  TS = static_cast<float>(static_cast<double>(TS) * 6.0);
  // n(n+1)(n-1) passes 2^32 from n = 1626 on: formed in 64 bits.
  const unsigned long long m = n;
  const unsigned long long q = m * (m + 1) * (m - 1);
  return static_cast<float>(1.0 - static_cast<double>(divide(TS, q)));
}

// Each pair of places i < j adds sgn1 * sgn2, where sgn1 is +1 when the
// human list ascends from i to j and -1 otherwise, and sgn2 the same for the
// ordered list. With P pairs, A of them ascending in the human list, B in
// the ordered one and C in both, the sum is
//   C + (P - A - B + C) - (A - C) - (B - C) = 4C - 2A - 2B + P,
// and when the human list ascends everywhere (A = P, C = B, the case of a
// list numbered by its own places) simply 2B - P. The pairs are counted
// exactly in O(n log n). A float accumulator adding +-1.0 pair by pair holds
// the same integer while every partial sum stays within 2^24, which all of
// them do for n <= 5793; beyond that it would stop growing at 2^24 (and
// identical lists of 12,000 sentences would score 0.23), so the exact count
// is what is divided.
float Graph::kendallTK(const std::vector<Vertex*>& human,
                       const std::vector<Vertex*>& ordered) {
  const size_t n = human.size();
  if (ordered.size() < n) return std::numeric_limits<float>::quiet_NaN();
  const std::vector<int> a = humanPositions(human, n);
  const std::vector<int> b = humanPositions(ordered, n);
  const long long pairs = static_cast<long long>(n) * (static_cast<long long>(n) - 1) / 2;
  const long long ascendingB = sentralign::engine::countAscendingPairs(b);
  long long TK = 2 * ascendingB - pairs;
  if (!isStrictlyAscending(a)) {
    const long long ascendingA = sentralign::engine::countAscendingPairs(a);
    const long long ascendingBoth = sentralign::engine::countJointlyAscendingPairs(a, b);
    TK = 4 * ascendingBoth - 2 * ascendingA - 2 * ascendingB + pairs;
  }
  return divide(static_cast<float>(TK), static_cast<unsigned long long>(pairs));
}

float Graph::TS_positionOrdering(Graph* G) {
  return spearmanTS(G->humanOrderedSumm, G->positionOrderedSumm);
}

float Graph::TK_positionOrdering(Graph* G) {
  return kendallTK(G->humanOrderedSumm, G->positionOrderedSumm);
}

Graph::~Graph() {
  std::sort(ownedVertices.begin(), ownedVertices.end());
  ownedVertices.erase(std::unique(ownedVertices.begin(), ownedVertices.end()),
                      ownedVertices.end());
  for (Vertex* V : ownedVertices) delete V;
}

bool Graph::createStopList(const std::string& filename, std::string* err) {
  std::string bytes;
  if (!sentralign::io::readFile(filename, &bytes, err)) return false;
  sentralign::io::splitLines(bytes, &stopList);
  return true;
}

void Graph::addVertex(Vertex* V) {
  vertexList.push_back(V);
  ownedVertices.push_back(V);
}

void Graph::searchVertexBySentence(const std::string& sentence, Vertex* V) const {
  for (Vertex* candidate : vertexList) {
    std::fputs("comparando:\n", stdout);
    writeBytes(candidate->stringSentenceRef());
    std::fputc('\n', stdout);
    writeBytes(sentence);
    std::fputc('\n', stdout);
    if (candidate->stringSentenceRef() != sentence) continue;
    std::printf("\n\n\n\n\nOKKKK\n");
    std::printf("TEXTO: %d, POS: %d\n", candidate->getIdText(), candidate->getPosText());
    V = candidate;  // the caller's pointer is a copy: it learns nothing
    std::printf("TEXTO: %d, POS: %d\n", V->getIdText(), V->getPosText());
    return;
  }
}

void Graph::print() const {
  std::printf("IMPRESSAO DO GRAFO:\n");
  for (const Vertex* V : vertexList) {
    std::printf("V(%d,%d): ", V->getIdText(), V->getPosText());
    writeBytes(V->stringSentenceRef());
    std::fputc('\n', stdout);
    std::printf("ARESTAS OUT:\n");
    printEdgeLines(V->edgeOutList);
    std::printf("ARESTAS IN:\n");
    printEdgeLines(V->edgeInList);
    std::printf("\n");
  }
}

void Graph::reset() {
  auto emptyFromBack = [](auto& list) {
    while (!list.empty()) list.pop_back();
  };
  emptyFromBack(vertexList);
  emptyFromBack(topics);
  emptyFromBack(topicalOrderingList);
  emptyFromBack(summ);
  emptyFromBack(humanOrderedSumm);
  emptyFromBack(topicalOrderedSumm);
}

void Graph::positionOrdering() {
  positionOrderedSumm = summ;
  std::sort(positionOrderedSumm.begin(), positionOrderedSumm.end(),
            Vertex::comparePerNumPosText);
  sortEqualPosTextRuns(positionOrderedSumm, Vertex::comparePerNumWordsSentence_Crescente);
  numberPositions(positionOrderedSumm);
}

void Graph::sizeSentenceOrdering_Crescente() {
  positionOrderedSumm = summ;
  std::sort(positionOrderedSumm.begin(), positionOrderedSumm.end(),
            Vertex::comparePerNumWordsSentence_Crescente);
  sortEqualPosTextRuns(positionOrderedSumm, Vertex::comparePerNumWordsSentence_Crescente);
  numberPositions(positionOrderedSumm);
}

void Graph::sizeSentenceOrdering_Decrescente() {
  positionOrderedSumm = summ;
  std::sort(positionOrderedSumm.begin(), positionOrderedSumm.end(),
            Vertex::comparePerNumWordsSentence_Decrescente);
  sortEqualPosTextRuns(positionOrderedSumm,
                       Vertex::comparePerNumWordsSentence_Decrescente);
  numberPositions(positionOrderedSumm);
}
