#include "sentralign/Measures.h"

#include <map>
#include <memory>

#include "Graph.h"
#include "Vertex.h"
#include "engine/SentenceKey.h"
#include "eval/Agreement.h"

namespace sentralign {

namespace {

// The scores of `ordered` against `human`, on vertices made for them.
AgreementScores scoreOf(const std::vector<SentenceId>& ordered,
                        const std::vector<SentenceId>& human) {
  auto invalid = [](const std::string& why) {
    return Error(
        Error::Kind::kInvalidInput,
        "as duas ordenacoes devem ter as mesmas sentencas, cada uma uma vez: " + why);
  };
  if (ordered.size() != human.size()) {
    throw invalid(std::to_string(ordered.size()) + " sentencas contra " +
                  std::to_string(human.size()));
  }
  std::vector<std::unique_ptr<Vertex>> vertices;
  std::map<engine::SentenceKey, Vertex*> byId;
  Graph G;
  for (const SentenceId& id : human) {
    vertices.push_back(std::make_unique<Vertex>(id.text, id.place));
    if (!byId.emplace(engine::sentenceKey(id.text, id.place), vertices.back().get())
             .second) {
      throw invalid(std::to_string(id.text) + "." + std::to_string(id.place) +
                    " repetida");
    }
    G.humanOrderedSumm.push_back(vertices.back().get());
  }
  for (std::size_t i = 0; i < G.humanOrderedSumm.size(); ++i) {
    G.humanOrderedSumm[i]->setPosHumanOrderedSumm(static_cast<int>(i));
  }
  std::vector<Vertex*> list;
  std::map<engine::SentenceKey, bool> seen;
  for (const SentenceId& id : ordered) {
    const engine::SentenceKey key = engine::sentenceKey(id.text, id.place);
    const auto found = byId.find(key);
    const std::string name = std::to_string(id.text) + "." + std::to_string(id.place);
    if (found == byId.end()) throw invalid(name + " falta na ordenacao humana");
    if (seen[key]) throw invalid(name + " repetida");
    seen[key] = true;
    list.push_back(found->second);
  }
  return Agreement::score(G, list);
}

}  // namespace

float spearmanTS(const std::vector<SentenceId>& ordered,
                 const std::vector<SentenceId>& human) {
  return static_cast<float>(scoreOf(ordered, human).TS);
}

float kendallTK(const std::vector<SentenceId>& ordered,
                const std::vector<SentenceId>& human) {
  return static_cast<float>(scoreOf(ordered, human).TK);
}

double kendallTauB(const std::vector<SentenceId>& ordered,
                   const std::vector<SentenceId>& human) {
  return scoreOf(ordered, human).tauB;
}

}  // namespace sentralign
