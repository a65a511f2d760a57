#include "eval/ClusterEvaluation.h"

#include <map>
#include <set>
#include <utility>

#include "DataDir.h"
#include "Edge.h"
#include "Graph.h"
#include "Methods.h"
#include "Read.h"
#include "Vertex.h"
#include "engine/SentenceKey.h"
#include "eval/CorpusLayout.h"
#include "eval/DotWriter.h"
#include "eval/SentenceMatcher.h"
#include "io/Encoding.h"
#include "io/Files.h"

namespace {

constexpr char kConverted[] = "nao e UTF-8; lido como Latin-1 e convertido para UTF-8";

// A sentence by its identity: text number and position.
using SentenceId = sentralign::engine::SentenceKey;

// A file of the cluster, read and brought to UTF-8.
struct InputFile {
  std::string path;
  std::string bytes;
};

// Every file of one cluster, read once for all its graphs.
struct ClusterInput {
  std::vector<std::pair<int, InputFile>> texts;  // with their text numbers
  std::vector<InputFile> relations;
  InputFile summary;
  std::vector<InputFile> humans;
};

// Reads `path` into *file and brings it to UTF-8, saying so in *messages.
bool readInput(const std::string& path, InputFile* file,
               std::vector<std::string>* messages, std::string* err) {
  file->path = path;
  if (!sentralign::io::readFile(path, &file->bytes, err)) return false;
  if (Encoding::toUtf8(&file->bytes)) messages->push_back(path + ": " + kConverted);
  return true;
}

bool readClusterInput(const ClusterFiles& files, ClusterInput* input,
                      std::vector<std::string>* messages, std::string* err) {
  for (const ClusterText& text : files.texts) {
    input->texts.emplace_back(text.number, InputFile());
    if (!readInput(text.path, &input->texts.back().second, messages, err)) return false;
  }
  for (const std::string& path : files.relations) {
    input->relations.emplace_back();
    if (!readInput(path, &input->relations.back(), messages, err)) return false;
  }
  if (!readInput(files.summary, &input->summary, messages, err)) return false;
  for (const std::string& path : files.humans) {
    input->humans.emplace_back();
    if (!readInput(path, &input->humans.back(), messages, err)) return false;
  }
  return true;
}

// Loads the cluster into the empty graph G: start-up data, texts in the
// order of `input`, relations. With `messages`, says which relations named
// no sentence.
void buildGraph(const ClusterInput& input, const StartupData& startup, bool segmented,
                Graph* G, std::vector<std::string>* messages) {
  G->stopList = startup.stopList;
  G->cstList = startup.cstList;
  for (const auto& text : input.texts) {
    if (segmented) {
      Read::readSegmentedSentencesFromBytes(G, text.second.bytes, text.first);
    } else {
      Read::readSentencesFromBytes(G, text.second.bytes, text.first);
    }
  }
  for (const InputFile& file : input.relations) {
    const SkippedRelations s = Read::readRelationsCSTFromBytes(G, file.bytes);
    if (messages == nullptr || s.count == 0) continue;
    messages->push_back(file.path + ": " + Read::describeSkipped(s));
  }
}

// The vertices of one graph by identity: the first vertex of vertexList
// with each identity. Non-owning.
class VertexIndex {
 public:
  explicit VertexIndex(const Graph& G) {
    for (Vertex* V : G.vertexList) byId_.emplace(sentralign::engine::sentenceKey(*V), V);
  }

  // The vertices of `ids`, in order; every identity must be in the graph.
  std::vector<Vertex*> resolve(const std::vector<SentenceId>& ids) const {
    std::vector<Vertex*> list;
    list.reserve(ids.size());
    for (const SentenceId& id : ids) list.push_back(byId_.at(id));
    return list;
  }

 private:
  std::map<SentenceId, Vertex*> byId_;
};

std::vector<SentenceId> idsOf(const std::vector<Vertex*>& list) {
  std::vector<SentenceId> ids;
  ids.reserve(list.size());
  for (const Vertex* V : list) ids.push_back(sentralign::engine::sentenceKey(*V));
  return ids;
}

// The first occurrence of each identity of `ids` that `keep` holds, in
// the order of `ids`.
std::vector<SentenceId> firstOccurrences(const std::vector<SentenceId>& ids,
                                         const std::set<SentenceId>& keep) {
  std::vector<SentenceId> out;
  std::set<SentenceId> seen;
  for (const SentenceId& id : ids) {
    if (keep.count(id) != 0 && seen.insert(id).second) out.push_back(id);
  }
  return out;
}

// What a row scores: the sentences that the summary and one human ordering
// share, and the human order of them.
struct RowPlan {
  std::string humanName;
  std::set<SentenceId> shared;
  std::vector<SentenceId> human;  // the shared sentences in human order
  int summarySentences = 0;
  int humanSentences = 0;
};

std::string describeNote(const std::string& path, const MatchNote& note) {
  std::string what;
  switch (note.kind) {
    case MatchNote::kNormalised:
      what = "casada apos normalizar brancos, aspas e caixa";
      break;
    case MatchNote::kUnmatched:
      what = "linha sem sentenca correspondente, descartada";
      break;
    case MatchNote::kAmbiguous:
      what = "linha igual a mais de uma sentenca apos normalizar, descartada";
      break;
    case MatchNote::kRepeated:
      what = "repete a sentenca da linha " + std::to_string(note.firstLine) +
             ", contada uma vez";
      break;
  }
  return path + ":" + std::to_string(note.lineNumber) + ": " + what + ": " + note.text;
}

// The identities of the sentences that the lines of `file` name, noting in
// *messages every line that did not simply name its sentence.
std::vector<SentenceId> matchFile(const SentenceMatcher& matcher, const InputFile& file,
                                  std::vector<std::string>* messages) {
  std::vector<Vertex*> list;
  std::vector<MatchNote> notes;
  matcher.matchLines(file.bytes, &list, &notes);
  for (const MatchNote& note : notes) messages->push_back(describeNote(file.path, note));
  return idsOf(list);
}

AgreementScores scoreOrdering(Graph* G, const VertexIndex& index, const RowPlan& row,
                              const std::vector<SentenceId>& ordered) {
  G->humanOrderedSumm = index.resolve(row.human);
  Read::setAllPosHummanOrderedSumm(G);
  return Agreement::score(*G, index.resolve(firstOccurrences(ordered, row.shared)));
}

// A 32-bit FNV-1a hash: the stream of a row's random orderings.
std::uint32_t streamOf(const std::string& s) {
  std::uint32_t h = 2166136261u;
  for (const char c : s) {
    h ^= static_cast<unsigned char>(c);
    h *= 16777619u;
  }
  return h;
}

// The ordering methods by label, run as the ordering tool runs them.
struct Method {
  const char* label;
  int number;
};

constexpr Method kMethods[] = {
    {"1-posicao", 1}, {"2-crescente", 2},  {"3-decrescente", 3},
    {"4-topicos", 4}, {"5-topologica", 5}, {"6-sem-ciclos", 6},
};

constexpr char kGivenLabel[] = "sumario";
constexpr char kRandomLabel[] = "aleatorio";

// Matches the summary and every human ordering on the graph G0 and plans
// the rows. False, with the reason in *err, when the summary names nothing.
bool planRows(const ClusterInput& input, const Graph& G0,
              std::vector<SentenceId>* summary, std::vector<RowPlan>* rows,
              ClusterResult* result, std::string* err) {
  const SentenceMatcher matcher(G0);
  *summary = matchFile(matcher, input.summary, &result->messages);
  const std::set<SentenceId> inSummary(summary->begin(), summary->end());
  if (inSummary.empty()) {
    *err = input.summary.path + ": o sumario nao nomeia nenhuma sentenca dos textos";
    return false;
  }
  for (const InputFile& human : input.humans) {
    const std::vector<SentenceId> ids = matchFile(matcher, human, &result->messages);
    RowPlan row;
    row.humanName = sentralign::io::baseName(human.path);
    const std::set<SentenceId> inHuman(ids.begin(), ids.end());
    for (const SentenceId& id : inHuman) {
      if (inSummary.count(id) != 0) row.shared.insert(id);
    }
    row.human = firstOccurrences(ids, row.shared);
    row.summarySentences = static_cast<int>(inSummary.size());
    row.humanSentences = static_cast<int>(inHuman.size());
    if (row.shared.size() != inSummary.size() || row.shared.size() != inHuman.size()) {
      result->notes.push_back(
          result->name + "/" + row.humanName + ": pontuado nas " +
          std::to_string(row.shared.size()) + " sentencas em comum (sumario " +
          std::to_string(row.summarySentences) + ", ordenacao humana " +
          std::to_string(row.humanSentences) + ")");
    }
    rows->push_back(std::move(row));
  }
  return true;
}

}  // namespace

ClusterEvaluation::~ClusterEvaluation() = default;

const std::vector<std::string>& ClusterEvaluation::labels() {
  static const std::vector<std::string> all = [] {
    std::vector<std::string> l = {kGivenLabel, kRandomLabel};
    for (const Method& m : kMethods) l.push_back(m.label);
    return l;
  }();
  return all;
}

bool ClusterEvaluation::loadStartupData(StartupData* startup,
                                        std::vector<std::string>* messages,
                                        std::string* err) {
  InputFile stopList;
  InputFile description;
  const StartupFilePaths paths = findStartupFiles();
  messages->insert(messages->end(), paths.findings.begin(), paths.findings.end());
  if (!readInput(paths.stopList, &stopList, messages, err) ||
      !readInput(paths.description, &description, messages, err)) {
    return false;
  }
  sentralign::io::splitLines(stopList.bytes, &startup->stopList);
  Read::readDescriptionOfRelationsCSTFromBytes(description.bytes, &startup->cstList);
  return true;
}

void ClusterEvaluation::evaluate(const ClusterFiles& files, const StartupData& startup,
                                 const EvaluationOptions& options,
                                 ClusterResult* result) {
  result->name = files.name;
  ClusterInput input;
  std::string err;
  if (!readClusterInput(files, &input, &result->messages, &err)) {
    result->error = err;
    return;
  }

  // The graph of the baselines, of the matching and of the picture; no
  // method runs on it.
  Graph G0;
  buildGraph(input, startup, options.segmented, &G0, &result->messages);
  std::vector<SentenceId> summary;
  std::vector<RowPlan> plans;
  if (!planRows(input, G0, &summary, &plans, result, &err)) {
    result->error = err;
    return;
  }

  const VertexIndex index0(G0);
  for (const RowPlan& plan : plans) {
    EvaluationRow row;
    row.cluster = files.name;
    row.human = plan.humanName;
    row.summarySentences = plan.summarySentences;
    row.humanSentences = plan.humanSentences;
    row.scores.push_back(scoreOrdering(&G0, index0, plan, summary));
    row.scores.push_back(Agreement::randomOrdering(
        G0, options.shuffles, options.seed, streamOf(files.name + "/" + plan.humanName)));
    result->rows.push_back(std::move(row));
  }

  std::vector<RemovedEdge> removed;
  for (const Method& method : kMethods) {
    Graph G;  // each method on a graph of its own: some add or remove edges
    buildGraph(input, startup, options.segmented, &G, nullptr);
    const VertexIndex index(G);
    G.summ = index.resolve(summary);
    // Method 6 names the edges its cycle removal takes out, for the picture,
    // instead of printing them.
    runOrderingMethod(
        &G, method.number, nullptr, [&removed](const Vertex& source, const Edge& edge) {
          const Vertex* target = edge.getVertex();
          removed.push_back({source.getIdText(), source.getPosText(), target->getIdText(),
                             target->getPosText(), edge.getRelationName()});
        });
    const std::vector<SentenceId> ordered = idsOf(G.orderedSumm);
    for (size_t r = 0; r < plans.size(); ++r) {
      result->rows[r].scores.push_back(scoreOrdering(&G, index, plans[r], ordered));
    }
  }

  if (options.wantDot) {
    std::map<int, std::string> textNames;
    for (const ClusterText& text : files.texts) textNames[text.number] = text.name;
    result->dot = DotWriter::graphToDot(G0, index0.resolve(summary), removed, textNames);
  }
  result->ok = true;
}
