#include "eval/ClusterEvaluation.h"

#include <chrono>
#include <cstdio>
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
  const std::string said =
      sentralign::io::describeDecoding(path, sentralign::io::decodeText(&file->bytes));
  if (!said.empty()) messages->push_back(said);
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

// The identities of the sentences that the lines of `file` name, noting in
// result->messages every line that did not simply name its sentence, and
// in result->notes, for the report, every line that joins several.
std::vector<SentenceId> matchFile(const SentenceMatcher& matcher, const InputFile& file,
                                  ClusterResult* result) {
  std::vector<Vertex*> list;
  std::vector<MatchNote> notes;
  matcher.matchLines(file.bytes, &list, &notes);
  for (const MatchNote& note : notes) {
    result->messages.push_back(sentralign::eval::matchMessage(file.path, note));
    if (note.kind == MatchNote::kMatched && note.rule == MatchRule::kRun) {
      result->notes.push_back(result->name + "/" + sentralign::io::baseName(file.path) +
                              ":" + std::to_string(note.lineNumber) + ": " +
                              sentralign::eval::describeMatch(note));
    }
  }
  return idsOf(list);
}

AgreementScores scoreOrdering(Graph* G, const VertexIndex& index, const RowPlan& row,
                              const std::vector<SentenceId>& ordered) {
  G->humanOrderedSumm = index.resolve(row.human);
  Read::setAllPosHummanOrderedSumm(G);
  return Agreement::score(*G, index.resolve(firstOccurrences(ordered, row.shared)));
}

// The stream of a row's random orderings: a 32-bit FNV-1a hash of its
// sentences in human order, each followed by a line feed. It depends on
// nothing else, so that renaming a cluster or a file changes no figure.
std::uint32_t streamOf(const std::vector<Vertex*>& human) {
  std::uint32_t h = 2166136261u;
  auto add = [&h](unsigned char c) {
    h ^= c;
    h *= 16777619u;
  };
  for (const Vertex* V : human) {
    for (const char c : V->stringSentenceRef()) add(static_cast<unsigned char>(c));
    add('\n');
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
  *summary = matchFile(matcher, input.summary, result);
  const std::set<SentenceId> inSummary(summary->begin(), summary->end());
  if (inSummary.empty()) {
    *err = input.summary.path + ": o sumario nao nomeia nenhuma sentenca dos textos";
    return false;
  }
  for (const InputFile& human : input.humans) {
    const std::vector<SentenceId> ids = matchFile(matcher, human, result);
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

// "3.5" for 3.5 seconds, "60" for 60.
std::string seconds(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  return buffer;
}

// Runs `method` on a graph of its own and scores its ordering in every row
// of *result; the edges that method 6 removes go to *removed. A method 6
// that runs out of time scores nothing (not a number), and a note says so.
void scoreMethod(const Method& method, const ClusterInput& input,
                 const StartupData& startup, bool segmented,
                 const EvaluationOptions& options, const std::vector<SentenceId>& summary,
                 const std::vector<RowPlan>& plans, std::vector<RemovedEdge>* removed,
                 ClusterResult* result) {
  Graph G;  // each method on a graph of its own: some add or remove edges
  buildGraph(input, startup, segmented, &G, nullptr);
  const VertexIndex index(G);
  G.summ = index.resolve(summary);
  // Method 6 names the edges its cycle removal takes out, for the picture,
  // instead of printing them.
  MethodRun run;
  run.onRemoved = [removed](const Vertex& source, const Edge& edge) {
    const Vertex* target = edge.getVertex();
    removed->push_back({source.getIdText(), source.getPosText(), target->getIdText(),
                        target->getPosText(), edge.getRelationName()});
  };
  if (options.timeLimit > 0) {
    run.timeLimit = TimeLimit::after(std::chrono::duration<double>(options.timeLimit));
  }
  MethodOrdering ordering;
  ordering.label = method.label;
  try {
    runOrderingMethod(&G, method.number, run);
  } catch (const TimeLimitExceeded&) {
    removed->clear();
    for (size_t r = 0; r < plans.size(); ++r) {
      AgreementScores none;
      none.n = static_cast<int>(plans[r].shared.size());
      result->rows[r].scores.push_back(none);
    }
    result->notes.push_back(result->name + ": " + method.label +
                            " passou do limite de tempo (" + seconds(options.timeLimit) +
                            " s) e fica sem pontuacao (nan)");
    ordering.ran = false;
    result->timedOut = true;
    if (options.wantOrderings) result->orderings.push_back(std::move(ordering));
    return;
  }
  const std::vector<SentenceId> ordered = idsOf(G.orderedSumm);
  for (size_t r = 0; r < plans.size(); ++r) {
    result->rows[r].scores.push_back(scoreOrdering(&G, index, plans[r], ordered));
  }
  if (!options.wantOrderings) return;
  for (const Vertex* V : G.orderedSumm) {
    ordering.sentences.push_back(
        {V->getIdText(), V->getPosText(), V->stringSentenceRef()});
  }
  result->orderings.push_back(std::move(ordering));
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

  const bool segmented = options.segmented && !files.unsegmentedTexts;
  if (options.segmented && files.unsegmentedTexts) {
    result->messages.push_back(files.dir + ": sem \"" + CorpusLayout::kTextsDir +
                               "\"; os textos de \"" + CorpusLayout::kRawTextsDir +
                               "\" sao cortados em sentencas como o sentralign os corta");
  }
  // The graph of the baselines, of the matching and of the picture; no
  // method runs on it.
  Graph G0;
  buildGraph(input, startup, segmented, &G0, &result->messages);
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
    row.scores.push_back(Agreement::randomOrdering(G0, options.shuffles, options.seed,
                                                   streamOf(G0.humanOrderedSumm)));
    result->rows.push_back(std::move(row));
  }

  std::vector<RemovedEdge> removed;
  for (const Method& method : kMethods) {
    scoreMethod(method, input, startup, segmented, options, summary, plans, &removed,
                result);
  }

  if (options.wantDot) {
    std::map<int, std::string> textNames;
    for (const ClusterText& text : files.texts) textNames[text.number] = text.name;
    result->dot = DotWriter::graphToDot(G0, index0.resolve(summary), removed, textNames);
  }
  result->ok = true;
}
