#include "random_graphs.h"

#include <cstdio>
#include <random>
#include <vector>

#include "Edge.h"
#include "Graph.h"
#include "Read.h"
#include "Vertex.h"
#include "test_util.h"

namespace {

int pick(std::mt19937* random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(*random);
}

}  // namespace

void buildRandomGraph(Graph* G, unsigned seed, int texts, int maxSentences, int edges) {
  std::mt19937 random(seed);
  for (int t = 1; t <= texts; ++t) {
    const int sentences = pick(&random, 1, maxSentences);
    Vertex* previous = nullptr;
    for (int p = 1; p <= sentences; ++p) {
      Vertex* V = new Vertex(t, p);
      V->setStringSentence("Frase " + std::to_string(p) + " do texto " +
                           std::to_string(t) + ".");
      G->addVertex(V);
      if (previous != nullptr) linkTestVertices(previous, V, "Text-Sequence", 2.0f);
      previous = V;
    }
  }
  static const float kWeights[] = {0.0f, 0.1f, 0.5f, 1.0f, 1.5f, 2.0f, 3.0f};
  static const char* const kNames[] = {"Elaboration", "Follow-up", "Overlap",
                                       "Subsumption"};
  const int n = static_cast<int>(G->vertexList.size());
  for (int k = 0; k < edges; ++k) {
    Vertex* from = G->vertexList[static_cast<std::size_t>(pick(&random, 0, n - 1))];
    Vertex* to = G->vertexList[static_cast<std::size_t>(pick(&random, 0, n - 1))];
    const int shape = pick(&random, 0, 9);
    if (shape == 0) to = from;
    if (shape == 1 && !from->edgeOutList.empty()) {
      to = from
               ->edgeOutList[static_cast<std::size_t>(
                   pick(&random, 0, static_cast<int>(from->edgeOutList.size()) - 1))]
               ->getVertex();
    }
    linkTestVertices(from, to, kNames[pick(&random, 0, 3)],
                     kWeights[pick(&random, 0, 6)]);
  }
}

void buildRandomCluster(Graph* G, unsigned seed, int texts, int sentences, int relations,
                        const std::string& description) {
  std::mt19937 random(seed);
  Read::readDescriptionOfRelationsCSTFromBytes(G, description);
  for (int t = 1; t <= texts; ++t) {
    std::string text;
    for (int p = 1; p <= sentences; ++p) {
      text += "Frase " + std::to_string(p) + " do texto " + std::to_string(t) + ".\n";
    }
    Read::readSentencesFromBytes(G, text, t);
  }
  std::vector<std::string> types;
  for (const CST& type : G->cstList) types.push_back(type.getName());
  std::string file;
  for (int k = 0; k < relations && texts > 1; ++k) {
    const int from = pick(&random, 1, texts);
    int to = pick(&random, 1, texts - 1);
    if (to >= from) ++to;
    file += "<R SDID=\"D" + std::to_string(from) + "_C1_A.txt\" SSENT=\"" +
            std::to_string(pick(&random, 1, sentences)) + "\" TDID=\"D" +
            std::to_string(to) + "_C1_B.txt\" TSENT=\"" +
            std::to_string(pick(&random, 1, sentences)) + "\">\n<RELATION TYPE=\"" +
            types[static_cast<std::size_t>(
                pick(&random, 0, static_cast<int>(types.size()) - 1))] +
            "\" JUDGE=\"gerador\"/>\n</R>\n";
  }
  Read::readRelationsCSTFromBytes(G, file);
}

std::string cycleSnapshot(const Graph& G) {
  std::string s;
  char weight[32];
  for (const Vertex* V : G.vertexList) {
    s += id(V) + V->getState() + "[";
    for (const Edge* e : V->edgeOutList) {
      std::snprintf(weight, sizeof weight, "%a", static_cast<double>(e->getWeight()));
      s += " " + id(e->getVertex()) + "/" + e->getRelationName() + "/" + weight + "/" +
           std::to_string(e->getNumCycles());
    }
    s += " ] ";
  }
  return s + "cycles=" + std::to_string(G.getNumCycles());
}
