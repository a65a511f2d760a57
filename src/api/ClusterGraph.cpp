#include "api/ClusterGraph.h"

#include <cstdio>
#include <memory>
#include <unordered_map>

#include "Edge.h"
#include "Graph.h"
#include "Read.h"
#include "Vertex.h"
#include "engine/SentenceKey.h"

namespace sentralign {

namespace {

// The first vertex of G with each identity, for linking Relations.
class SentenceIndex {
 public:
  explicit SentenceIndex(const Graph& G) {
    for (Vertex* V : G.vertexList) byId_.emplace(engine::sentenceKey(*V), V);
  }
  Vertex* find(const SentenceId& id) const {
    const auto found = byId_.find(engine::sentenceKey(id.text, id.place));
    return found == byId_.end() ? nullptr : found->second;
  }

 private:
  std::unordered_map<engine::SentenceKey, Vertex*> byId_;
};

// Links the relation `r` into G when both its sentences and its type are
// there; the first type of the name counts.
void linkRecord(const Relation& r, const SentenceIndex& index, Graph* G) {
  Vertex* source = index.find(r.source);
  Vertex* target = index.find(r.target);
  if (source == nullptr || target == nullptr) return;
  for (const CST& type : G->cstList) {
    if (type.nameRef() != r.type) continue;
    Read::linkRelation(source, target, type);
    return;
  }
}

}  // namespace

void buildClusterGraph(const Cluster::Data& data, Graph* G) {
  G->stopList = data.stopList;
  G->cstList = data.cstList;
  for (const Text& text : data.source.texts) {
    if (data.source.segmentation == Segmentation::kLines) {
      Read::readSegmentedSentencesFromBytes(G, text.bytes, text.number);
    } else {
      Read::readSentencesFromBytes(G, text.bytes, text.number);
    }
  }
  std::unique_ptr<SentenceIndex> index;  // made at the first Relation
  for (const auto& item : data.source.relations) {
    if (const RelationFile* file = std::get_if<RelationFile>(&item)) {
      Read::readRelationsCSTFromBytes(G, file->bytes);
      continue;
    }
    if (index == nullptr) index = std::make_unique<SentenceIndex>(*G);
    linkRecord(std::get<Relation>(item), *index, G);
  }
}

RemovedEdge removedEdge(const Vertex& source, const Edge& edge) {
  const Vertex* target = edge.getVertex();
  return {{source.getIdText(), source.getPosText()},
          {target->getIdText(), target->getPosText()},
          edge.getRelationName()};
}

std::string timeLimitMessage(double seconds) {
  char text[160];
  std::snprintf(text, sizeof text,
                "metodo 6: a remocao de ciclos passou do limite de %g s (o grafo de "
                "relacoes tem ciclos demais)",
                seconds);
  return text;
}

}  // namespace sentralign
