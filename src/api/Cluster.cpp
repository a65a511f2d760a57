#include "sentralign/Cluster.h"

#include <cerrno>
#include <new>
#include <set>
#include <unordered_map>
#include <utility>

#include "CST.h"
#include "Graph.h"
#include "Methods.h"
#include "Read.h"
#include "Vertex.h"
#include "api/ClusterGraph.h"
#include "api/ShippedData.h"
#include "engine/CycleRemovalProgress.h"
#include "engine/SentenceKey.h"
#include "engine/TimeLimit.h"
#include "eval/SentenceMatcher.h"
#include "io/Files.h"

namespace sentralign {

namespace {

struct MethodName {
  Method method;
  const char* name;
};

constexpr MethodName kMethodNames[] = {
    {Method::kPosition, "position"},       {Method::kLengthUp, "length-up"},
    {Method::kLengthDown, "length-down"},  {Method::kTopics, "topics"},
    {Method::kTopological, "topological"}, {Method::kAcyclic, "acyclic"},
};

std::string identity(const SentenceId& id) {
  return std::to_string(id.text) + "." + std::to_string(id.place);
}

// The bytes of `path`, or an Error that says why they cannot be read.
std::string readOrThrow(const std::string& path) {
  std::string bytes;
  std::string err;
  int error = 0;
  if (!io::readFile(path, &bytes, &err, &error)) {
    throw Error(Error::Kind::kFile, err, error, path);
  }
  return bytes;
}

// Checks what the readers cannot: each text number once and in range.
void checkTexts(const std::vector<Text>& texts) {
  std::set<int> seen;
  for (const Text& text : texts) {
    if (text.number < 0) {
      throw Error(Error::Kind::kInvalidInput,
                  "numero de texto negativo: " + std::to_string(text.number));
    }
    if (!seen.insert(text.number).second) {
      throw Error(Error::Kind::kInvalidInput,
                  "dois textos com o numero " + std::to_string(text.number));
    }
  }
}

// Checks that every Relation names two sentences and a known type, on the
// graph built from the cluster.
void checkRelations(const ClusterSource& source, const Graph& G) {
  std::set<engine::SentenceKey> sentences;
  for (const Vertex* V : G.vertexList) sentences.insert(engine::sentenceKey(*V));
  std::set<std::string> types;
  for (const CST& type : G.cstList) types.insert(type.nameRef());
  for (const auto& item : source.relations) {
    const Relation* r = std::get_if<Relation>(&item);
    if (r == nullptr) continue;
    for (const SentenceId& end : {r->source, r->target}) {
      if (sentences.count(engine::sentenceKey(end.text, end.place)) == 0) {
        throw Error(Error::Kind::kInvalidInput, "relacao de " + identity(r->source) +
                                                    " para " + identity(r->target) +
                                                    ": nao ha sentenca " + identity(end));
      }
    }
    if (types.count(r->type) == 0) {
      throw Error(Error::Kind::kInvalidInput,
                  "relacao de " + identity(r->source) + " para " + identity(r->target) +
                      ": tipo desconhecido na descricao de relacoes: " + r->type);
    }
  }
}

// `line` without one line end at its end (LF or CR LF).
std::string_view withoutLineEnd(std::string_view line) {
  if (line.empty() || line.back() != '\n') return line;
  line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// `bytes` without the CR of each CR LF pair, as a file would be read.
void dropCarriageReturns(std::string* bytes) {
  if (bytes->find('\r') == std::string::npos) return;
  std::string text;
  io::appendWithoutCarriageReturns(*bytes, &text);
  *bytes = std::move(text);
}

void withoutCarriageReturns(ClusterSource* source) {
  for (Text& text : source->texts) dropCarriageReturns(&text.bytes);
  for (auto& item : source->relations) {
    if (RelationFile* file = std::get_if<RelationFile>(&item)) {
      dropCarriageReturns(&file->bytes);
    }
  }
  if (source->stopList) dropCarriageReturns(&*source->stopList);
  if (source->relationTypes) dropCarriageReturns(&*source->relationTypes);
}

// Matches `lines` as sentralign-eval matches summary lines, into G's summ
// and the result's notes.
void matchLeniently(const std::vector<std::string_view>& lines, Graph* G,
                    Ordering* result) {
  std::string bytes;
  for (const std::string_view line : lines) {
    bytes.append(line);
    bytes.push_back('\n');
  }
  const SentenceMatcher matcher(*G);
  std::vector<MatchNote> notes;
  matcher.matchLines(bytes, &G->summ, &notes);
  for (const MatchNote& note : notes) {
    switch (note.kind) {
      case MatchNote::kMatched:
        result->lenient.push_back(
            {note.lineNumber, note.text, eval::describeMatch(note)});
        break;
      case MatchNote::kUnmatched:
      case MatchNote::kAmbiguous:
        result->unmatched.push_back(
            {note.lineNumber, note.text, eval::describeMatch(note)});
        break;
      case MatchNote::kRepeated:
        break;
    }
  }
}

}  // namespace

Method parseMethod(std::string_view name) {
  if (name.size() == 1 && name[0] >= '1' && name[0] <= '6') {
    return static_cast<Method>(name[0] - '0');
  }
  for (const MethodName& m : kMethodNames) {
    if (name == m.name) return m.method;
  }
  throw Error(Error::Kind::kInvalidInput,
              "metodo desconhecido: " + std::string(name) +
                  " (de 1 a 6, ou position, length-up, length-down, topics, "
                  "topological, acyclic)");
}

const char* methodName(Method method) {
  for (const MethodName& m : kMethodNames) {
    if (m.method == method) return m.name;
  }
  return "?";
}

Cluster::Cluster(std::shared_ptr<const Data> data) : data_(std::move(data)) {}

Cluster::Cluster(ClusterSource source) {
  checkTexts(source.texts);
  withoutCarriageReturns(&source);
  auto data = std::make_shared<Data>();
  const std::string stopList =
      source.stopList ? *source.stopList : std::string(shippedStopList());
  const std::string relationTypes =
      source.relationTypes ? *source.relationTypes : std::string(shippedRelationTypes());
  io::splitLines(stopList, &data->stopList);
  Read::readDescriptionOfRelationsCSTFromBytes(relationTypes, &data->cstList);

  Graph G;
  try {
    data->source = std::move(source);
    buildClusterGraph(*data, &G);
    checkRelations(data->source, G);
  } catch (const std::bad_alloc&) {
    throw Error(Error::Kind::kOutOfMemory, "memoria esgotada");
  }
  for (const Vertex* V : G.vertexList) {
    data->sentences.push_back(
        {{V->getIdText(), V->getPosText()}, V->getStringSentence()});
  }
  data_ = std::move(data);
}

Cluster Cluster::fromFiles(const std::vector<std::string>& texts,
                           const std::vector<std::string>& relationFiles,
                           const std::optional<std::string>& stopList,
                           const std::optional<std::string>& relationTypes,
                           Segmentation segmentation) {
  ClusterSource source;
  source.segmentation = segmentation;
  for (std::size_t k = 0; k < texts.size(); ++k) {
    source.texts.push_back({static_cast<int>(k) + 1, readOrThrow(texts[k]), texts[k]});
  }
  for (const std::string& path : relationFiles) {
    source.relations.emplace_back(RelationFile{readOrThrow(path), path});
  }
  if (stopList) source.stopList = readOrThrow(*stopList);
  if (relationTypes) source.relationTypes = readOrThrow(*relationTypes);
  return Cluster(std::move(source));
}

const std::vector<Sentence>& Cluster::sentences() const { return data_->sentences; }

Ordering Cluster::order(const std::vector<std::string>& lines, Method method,
                        const OrderOptions& options) const {
  const int number = static_cast<int>(method);
  if (number < 1 || number > 6) {
    throw Error(Error::Kind::kInvalidInput,
                "metodo desconhecido: " + std::to_string(number) + " (de 1 a 6)");
  }
  Ordering result;
  try {
    Graph G;
    buildClusterGraph(*data_, &G);
    std::vector<std::string_view> summary;
    summary.reserve(lines.size());
    for (const std::string& line : lines) summary.push_back(withoutLineEnd(line));
    if (options.matching == Matching::kLenient) {
      matchLeniently(summary, &G, &result);
    } else {
      std::vector<::UnmatchedLine> unmatched;
      Read::readClearSummFromLines(summary, &G, G.summ, &unmatched);
      for (const ::UnmatchedLine& u : unmatched) {
        result.unmatched.push_back({u.lineNumber, u.text, ""});
      }
    }

    std::unique_ptr<CycleRemovalProgress> progress;
    MethodRun run;
    if (options.progress) {
      progress = std::make_unique<CycleRemovalProgress>(options.progress);
      run.progress = progress.get();
    }
    run.onRemoved = [&result](const Vertex& source, const Edge& edge) {
      result.removed.push_back(removedEdge(source, edge));
    };
    if (options.timeLimitSeconds > 0) {
      run.timeLimit =
          TimeLimit::after(std::chrono::duration<double>(options.timeLimitSeconds));
    }
    runOrderingMethod(&G, number, run);
    result.sentences.reserve(G.orderedSumm.size());
    for (const Vertex* V : G.orderedSumm) {
      result.sentences.push_back(
          {{V->getIdText(), V->getPosText()}, V->getStringSentence()});
    }
  } catch (const TimeLimitExceeded&) {
    throw Error(Error::Kind::kTimeLimit, timeLimitMessage(options.timeLimitSeconds));
  } catch (const std::bad_alloc&) {
    throw Error(Error::Kind::kOutOfMemory, "memoria esgotada");
  }
  return result;
}

Ordering Cluster::orderFile(const std::string& path, Method method,
                            const OrderOptions& options) const {
  std::vector<std::string> lines;
  io::splitLines(readOrThrow(path), &lines);
  return order(lines, method, options);
}

}  // namespace sentralign
