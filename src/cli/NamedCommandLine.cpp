#include "cli/NamedCommandLine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "DataDir.h"
#include "Read.h"
#include "cli/Diagnostics.h"
#include "engine/CycleRemovalProgress.h"
#include "eval/CorpusLayout.h"
#include "io/Console.h"
#include "io/Encoding.h"
#include "io/Files.h"
#include "io/OutputFile.h"
#include "sentralign/sentralign.h"

namespace sentralign::cli {

namespace {

constexpr char kProgram[] = "sentralign";

// What the named command line asks for.
struct NamedOptions {
  std::optional<std::string> method;
  std::optional<std::string> summary;  // a path, or "-" for stdin
  std::vector<std::string> texts;
  std::vector<std::string> relations;
  std::optional<std::string> output;  // a path, or "-" for stdout
  std::optional<std::string> stopList;
  std::optional<std::string> relationTypes;
  std::optional<std::string> corpus;
  std::optional<std::string> outputDir;
  bool json = false;
  bool segmented = false;
  bool allowUnmatched = false;
  bool listSentences = false;  // list the texts' sentences, order nothing
  double timeLimit = 0;        // seconds; 0: none
  int jobs = 1;
};

// A malformed command line: what is wrong with it.
struct UsageError {
  std::string message;
};

// The options that take one value, and where it goes.
std::optional<std::string>* singleValue(NamedOptions* o, const std::string& name) {
  if (name == "--method") return &o->method;
  if (name == "--summary") return &o->summary;
  if (name == "--output") return &o->output;
  if (name == "--stoplist") return &o->stopList;
  if (name == "--relation-types") return &o->relationTypes;
  if (name == "--corpus") return &o->corpus;
  if (name == "--output-dir") return &o->outputDir;
  return nullptr;
}

// The options that take one value or more, up to the next option.
std::vector<std::string>* listValue(NamedOptions* o, const std::string& name) {
  if (name == "--texts") return &o->texts;
  if (name == "--relations") return &o->relations;
  return nullptr;
}

// The options that take no value.
bool* flag(NamedOptions* o, const std::string& name) {
  if (name == "--json") return &o->json;
  if (name == "--segmented") return &o->segmented;
  if (name == "--allow-unmatched") return &o->allowUnmatched;
  if (name == "--list-sentences") return &o->listSentences;
  return nullptr;
}

bool isOption(const std::string& arg) {
  return arg.size() > 2 && arg.compare(0, 2, "--") == 0;
}

double parseSeconds(const std::string& text) {
  char* end = nullptr;
  errno = 0;
  const double seconds = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno != 0 || !(seconds > 0) || seconds > 1e9) {
    throw UsageError{"--time-limit: numero de segundos invalido: " + text};
  }
  return seconds;
}

int parseJobs(const std::string& text) {
  char* end = nullptr;
  const long jobs = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || jobs < 1 || jobs > 256) {
    throw UsageError{"--jobs: numero invalido (de 1 a 256): " + text};
  }
  return static_cast<int>(jobs);
}

// Walks argv once: "--name value", "--name=value", a list option's values
// up to the next option, and after "--" every argument a value of the last
// list option.
NamedOptions parseOptions(int argc, char** argv) {
  NamedOptions o;
  std::vector<std::string>* list = nullptr;  // the list option being filled
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (optionsEnded || !isOption(arg)) {
      if (list == nullptr) {
        throw UsageError{"argumento fora de uma opcao: " + arg +
                         (optionsEnded
                              ? " (depois de --, so valores de --texts ou --relations)"
                              : "")};
      }
      list->push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const std::optional<std::string> inlineValue =
        equals == std::string::npos ? std::nullopt
                                    : std::optional<std::string>(arg.substr(equals + 1));
    list = nullptr;
    if (std::optional<std::string>* single = singleValue(&o, name)) {
      if (inlineValue) {
        *single = *inlineValue;
      } else if (i + 1 < argc) {
        *single = argv[++i];
      } else {
        throw UsageError{"a opcao " + name + " pede um valor"};
      }
      continue;
    }
    if (std::vector<std::string>* values = listValue(&o, name)) {
      if (inlineValue) values->push_back(*inlineValue);
      list = values;
      continue;
    }
    if (bool* on = flag(&o, name)) {
      if (inlineValue) throw UsageError{"a opcao " + name + " nao leva valor"};
      *on = true;
      continue;
    }
    if (name == "--time-limit" || name == "--jobs") {
      std::string value;
      if (inlineValue) {
        value = *inlineValue;
      } else if (i + 1 < argc) {
        value = argv[++i];
      } else {
        throw UsageError{"a opcao " + name + " pede um valor"};
      }
      if (name == "--time-limit") {
        o.timeLimit = parseSeconds(value);
      } else {
        o.jobs = parseJobs(value);
      }
      continue;
    }
    throw UsageError{"opcao desconhecida: " + arg};
  }
  return o;
}

// Checks what the options say together.
void checkOptions(const NamedOptions& o) {
  if (o.listSentences) {
    if (o.texts.empty()) throw UsageError{"--list-sentences pede --texts"};
    if (o.method || o.summary || o.corpus) {
      throw UsageError{
          "--list-sentences nao combina com --method, --summary nem --corpus"};
    }
    return;
  }
  if (!o.method) throw UsageError{"falta --method (de 1 a 6, ou o nome do metodo)"};
  try {
    parseMethod(*o.method);
  } catch (const Error& e) {
    throw UsageError{std::string("--method: ") + e.what()};
  }
  if (o.corpus) {
    if (!o.outputDir) throw UsageError{"--corpus pede --output-dir"};
    if (o.summary || !o.texts.empty() || !o.relations.empty() || o.output) {
      throw UsageError{
          "--corpus nao combina com --summary, --texts, --relations nem --output"};
    }
    return;
  }
  if (o.outputDir) throw UsageError{"--output-dir vai com --corpus"};
  if (o.jobs != 1) throw UsageError{"--jobs vai com --corpus"};
  if (!o.summary)
    throw UsageError{"falta --summary (o sumario, ou - para a entrada padrao)"};
  if (o.texts.empty()) throw UsageError{"falta --texts (os textos-fonte)"};
  for (const std::string& text : o.texts) {
    if (text == "-") throw UsageError{"--texts: um texto nao pode vir da entrada padrao"};
  }
}

// The messages of one run, in order, for stderr.
// Written at once on stderr, or kept to be written later (a cluster of a
// corpus ordered on another thread keeps its messages).
class Messages {
 public:
  explicit Messages(bool keep = false) : keep_(keep) {}

  void add(const std::string& message) {
    if (keep_) {
      kept_.push_back(message);
    } else {
      io::writeError(kProgram, message);
    }
  }
  const std::vector<std::string>& kept() const { return kept_; }

 private:
  bool keep_;
  std::vector<std::string> kept_;
};

// Reads `path` ("-": standard input) as sentralign reads files, then brings
// it to UTF-8, saying so.
std::string readInput(const std::string& path, Messages* messages) {
  std::string bytes;
  std::string err;
  int error = 0;
  const std::string source = path == "-" ? "/dev/stdin" : path;
  if (!io::readFile(source, &bytes, &err, &error)) {
    throw Error(
        Error::Kind::kFile,
        path == "-" ? "entrada padrao: " + std::string(std::strerror(error)) : err, error,
        path);
  }
  const std::string said =
      io::describeDecoding(path == "-" ? "entrada padrao" : path, io::decodeText(&bytes));
  if (!said.empty()) messages->add(said);
  return bytes;
}

// Text numbers: from the file names when every name carries one and no two
// share it, else the order given (with a word for each name whose number
// is not its place).
std::vector<int> textNumbers(const std::vector<std::string>& paths, Messages* messages) {
  std::vector<int> fromNames;
  std::set<int> seen;
  bool usable = true;
  for (const std::string& path : paths) {
    const int n = textNumberInName(path);
    if (n <= 0 || !seen.insert(n).second) usable = false;
    fromNames.push_back(n);
  }
  if (usable) return fromNames;
  std::vector<int> given;
  for (std::size_t k = 0; k < paths.size(); ++k) {
    given.push_back(static_cast<int>(k) + 1);
    if (fromNames[k] > 0 && fromNames[k] != given.back()) {
      messages->add(
          paths[k] + ": o nome diz texto " + std::to_string(fromNames[k]) +
          ", mas e o texto " + std::to_string(given.back()) +
          " pela ordem de --texts (os nomes nao trazem todos numeros distintos)");
    }
  }
  return given;
}

// The start-up files of a run, read once for every cluster.
struct StartupBytes {
  std::string stopList;
  std::string relationTypes;
};

// The start-up files: those named by --stoplist and --relation-types, else
// the ones sentralign finds (saying what it found on the way), read and
// brought to UTF-8.
StartupBytes readStartupFiles(const NamedOptions& o, Messages* messages) {
  const StartupFilePaths found = findStartupFiles();
  if (!o.stopList || !o.relationTypes) {
    for (const std::string& finding : found.findings) messages->add(finding);
  }
  return {readInput(o.stopList.value_or(found.stopList), messages),
          readInput(o.relationTypes.value_or(found.description), messages)};
}

// Everything the cluster is made of, read and brought to UTF-8.
ClusterSource loadCluster(const NamedOptions& o, Messages* messages) {
  ClusterSource source;
  source.segmentation = o.segmented ? Segmentation::kLines : Segmentation::kSentences;
  StartupBytes startup = readStartupFiles(o, messages);
  source.stopList = std::move(startup.stopList);
  source.relationTypes = std::move(startup.relationTypes);
  // The texts go into the graph by ascending number, whatever their order
  // on the command line, so that the order given changes nothing.
  const std::vector<int> numbers = textNumbers(o.texts, messages);
  std::vector<std::size_t> order(o.texts.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  std::sort(order.begin(), order.end(),
            [&numbers](std::size_t a, std::size_t b) { return numbers[a] < numbers[b]; });
  for (const std::size_t k : order) {
    source.texts.push_back({numbers[k], readInput(o.texts[k], messages), o.texts[k]});
  }
  for (const std::string& path : o.relations) {
    source.relations.emplace_back(RelationFile{readInput(path, messages), path});
  }
  return source;
}

// `bytes` (UTF-8: every input was brought to it) as a JSON string.
std::string jsonString(const std::string& bytes) { return io::jsonQuoted(bytes); }

std::string jsonId(const SentenceId& id) {
  return "{\"text\": " + std::to_string(id.text) +
         ", \"place\": " + std::to_string(id.place) + "}";
}

// The ordered summary as JSON: the method, each sentence with its
// identity, the removed edges and the dropped lines.
std::string asJson(const Ordering& o, Method method) {
  std::string out = "{\"method\": " + jsonString(methodName(method)) +
                    ", \"method_number\": " + std::to_string(static_cast<int>(method)) +
                    ",\n \"sentences\": [";
  for (std::size_t i = 0; i < o.sentences.size(); ++i) {
    const Sentence& s = o.sentences[i];
    out += std::string(i ? ",\n  " : "\n  ") + "{\"text\": " + std::to_string(s.id.text) +
           ", \"place\": " + std::to_string(s.id.place) +
           ", \"sentence\": " + jsonString(s.bytes) + "}";
  }
  out += "],\n \"removed\": [";
  for (std::size_t i = 0; i < o.removed.size(); ++i) {
    const RemovedEdge& e = o.removed[i];
    out += std::string(i ? ",\n  " : "\n  ") + "{\"source\": " + jsonId(e.source) +
           ", \"target\": " + jsonId(e.target) +
           ", \"relation\": " + jsonString(e.relation) + "}";
  }
  out += "],\n \"unmatched\": [";
  for (std::size_t i = 0; i < o.unmatched.size(); ++i) {
    out += std::string(i ? ",\n  " : "\n  ") +
           "{\"line\": " + std::to_string(o.unmatched[i].line) +
           ", \"text\": " + jsonString(o.unmatched[i].bytes) + "}";
  }
  return out + "]}\n";
}

std::string asPlainText(const Ordering& o) {
  std::string out;
  for (const Sentence& s : o.sentences) out += s.bytes + "\n";
  return out;
}

// Writes `text` to `path` ("-": stdout), whole or not at all.
void writeOutput(const std::string& path, const std::string& text) {
  if (path == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return;
  }
  std::string err;
  if (!io::writeFile(path, text, &err)) throw Error(Error::Kind::kFile, err);
}

// Orders the summary of `o` and says, in *messages, how its lines matched.
// Throws Error on a failure, and when a line named nothing unless that is
// allowed.
Ordering orderCluster(const NamedOptions& o, const std::string& summaryName,
                      const ClusterSource& source, const std::string& summaryBytes,
                      Messages* messages, bool showProgress) {
  const Cluster cluster(source);
  std::vector<std::string> lines;
  io::splitLines(summaryBytes, &lines);
  OrderOptions options;
  options.matching = Matching::kLenient;
  options.timeLimitSeconds = o.timeLimit;
  // The person at a terminal sees how far a long cycle removal has come.
  CycleRemovalProgress progress(stderr, showProgress && ::isatty(STDERR_FILENO) != 0);
  options.progress = [&progress](int step, int removed, std::uint64_t paths) {
    progress.update(step, removed, paths);
  };
  const Method method = parseMethod(*o.method);
  Ordering ordering;
  try {
    ordering = cluster.order(lines, method, options);
  } catch (const Error& e) {
    progress.clear();
    if (e.kind() == Error::Kind::kTimeLimit) {
      throw Error(e.kind(), summaryName + ": " + e.what());
    }
    throw;
  }
  progress.clear();
  for (const MatchedLine& m : ordering.lenient) {
    messages->add(summaryName + ":" + std::to_string(m.line) + ": " + m.rule + ": " +
                  m.bytes);
  }
  for (const UnmatchedLine& u : ordering.unmatched) {
    messages->add(summaryName + ":" + std::to_string(u.line) +
                  ": linha sem sentenca correspondente" +
                  (u.reason.empty() ? "" : " (" + u.reason + ")") +
                  (o.allowUnmatched ? ", descartada: " : ": ") + u.bytes);
  }
  if (!ordering.unmatched.empty() && !o.allowUnmatched) {
    throw Error(Error::Kind::kInvalidInput,
                summaryName + ": " + std::to_string(ordering.unmatched.size()) +
                    " linha(s) sem sentenca correspondente; nada foi gravado "
                    "(--allow-unmatched as descarta)");
  }
  return ordering;
}

// Every sentence of the texts as the reader cuts them: "text.place", a tab
// and the sentence a line, or JSON.
int listSentences(const NamedOptions& o) {
  Messages messages;
  const Cluster cluster(loadCluster(o, &messages));
  std::string out;
  if (o.json) {
    out = "[";
    for (const Sentence& s : cluster.sentences()) {
      out += std::string(out.size() > 1 ? ",\n " : "\n ") +
             "{\"text\": " + std::to_string(s.id.text) +
             ", \"place\": " + std::to_string(s.id.place) +
             ", \"sentence\": " + jsonString(s.bytes) + "}";
    }
    out += "]\n";
  } else {
    for (const Sentence& s : cluster.sentences()) {
      out += std::to_string(s.id.text) + "." + std::to_string(s.id.place) + "\t" +
             s.bytes + "\n";
    }
  }
  writeOutput(o.output.value_or("-"), out);
  return kNamedSuccess;
}

int runCluster(const NamedOptions& o) {
  Messages messages;
  const ClusterSource source = loadCluster(o, &messages);
  const std::string summaryName = *o.summary == "-" ? "entrada padrao" : *o.summary;
  const std::string summary = readInput(*o.summary, &messages);
  const Ordering ordering =
      orderCluster(o, summaryName, source, summary, &messages, /*showProgress=*/true);
  const Method method = parseMethod(*o.method);
  writeOutput(o.output.value_or("-"),
              o.json ? asJson(ordering, method) : asPlainText(ordering));
  return kNamedSuccess;
}

// What ordering one cluster of a corpus gave.
struct CorpusCluster {
  std::string name;
  bool ok = false;
  std::vector<std::string> messages;  // in order, the failure last
};

// Orders the summary of the cluster `dir` and writes it into the output
// directory, as OUT/NAME.txt (or .json).
void orderCorpusCluster(const NamedOptions& o, const std::string& dir,
                        const StartupBytes& startup, CorpusCluster* result) {
  Messages messages(/*keep=*/true);
  try {
    NamePatterns patterns;
    ClusterFiles files;
    std::string err;
    std::vector<std::string> warnings;
    const bool found =
        CorpusLayout::findClusterFiles(dir, patterns, &files, &err, &warnings,
                                       /*humansNeeded=*/false);
    result->name = found ? files.name : io::baseName(dir);
    for (const std::string& w : warnings) messages.add(w);
    if (!found) throw Error(Error::Kind::kFile, err);
    ClusterSource source;
    source.segmentation = o.segmented && !files.unsegmentedTexts
                              ? Segmentation::kLines
                              : Segmentation::kSentences;
    source.stopList = startup.stopList;
    source.relationTypes = startup.relationTypes;
    for (const ClusterText& text : files.texts) {
      source.texts.push_back({text.number, readInput(text.path, &messages), text.path});
    }
    for (const std::string& path : files.relations) {
      source.relations.emplace_back(RelationFile{readInput(path, &messages), path});
    }
    const std::string summary = readInput(files.summary, &messages);
    const Ordering ordering = orderCluster(o, files.summary, source, summary, &messages,
                                           /*showProgress=*/false);
    const std::string path =
        io::joinPath(*o.outputDir, result->name + (o.json ? ".json" : ".txt"));
    writeOutput(
        path, o.json ? asJson(ordering, parseMethod(*o.method)) : asPlainText(ordering));
    result->ok = true;
  } catch (const Error& e) {
    messages.add(e.what());
  } catch (const std::bad_alloc&) {
    messages.add(dir + ": memoria esgotada");
  }
  result->messages = messages.kept();
}

// Orders every cluster of the corpus on o.jobs threads, writing each
// cluster's messages in corpus order as soon as it and those before it
// are done, with a progress line on a terminal.
int runCorpus(const NamedOptions& o) {
  Messages messages;
  const StartupBytes startup = readStartupFiles(o, &messages);
  std::vector<std::string> dirs;
  std::string err;
  if (CorpusLayout::isCluster(*o.corpus, NamePatterns())) {
    dirs.push_back(*o.corpus);
  } else if (!CorpusLayout::listClusters(*o.corpus, &dirs, &err)) {
    throw Error(Error::Kind::kFile, err);
  }
  if (dirs.empty()) throw Error(Error::Kind::kFile, *o.corpus + ": nenhum cluster");
  if (!io::isDirectory(*o.outputDir) && ::mkdir(o.outputDir->c_str(), 0777) != 0) {
    throw Error(Error::Kind::kFile, io::describeError(*o.outputDir, errno));
  }

  std::vector<CorpusCluster> results(dirs.size());
  std::vector<char> done(dirs.size(), 0);
  std::mutex mutex;
  std::condition_variable finished;
  std::atomic<std::size_t> next{0};
  auto work = [&]() {
    for (std::size_t i = next++; i < dirs.size(); i = next++) {
      orderCorpusCluster(o, dirs[i], startup, &results[i]);
      std::lock_guard<std::mutex> lock(mutex);
      done[i] = 1;
      finished.notify_all();
    }
  };
  std::vector<std::thread> workers;
  const std::size_t threads = std::min(dirs.size(), static_cast<std::size_t>(o.jobs));
  // The workers order; the calling thread reports.
  for (std::size_t t = 0; t < threads; ++t) workers.emplace_back(work);

  const bool terminal = ::isatty(STDERR_FILENO) != 0;
  int failed = 0;
  for (std::size_t i = 0; i < dirs.size(); ++i) {
    {
      std::unique_lock<std::mutex> lock(mutex);
      finished.wait(lock, [&] { return done[i] != 0; });
    }
    if (terminal) std::fputs("\r\033[K", stderr);
    for (const std::string& m : results[i].messages) messages.add(m);
    if (!results[i].ok) ++failed;
    if (terminal) {
      std::fprintf(stderr, "%s: %zu/%zu clusters (%s)", kProgram, i + 1, dirs.size(),
                   io::baseName(dirs[i]).c_str());
      std::fflush(stderr);
    }
  }
  for (std::thread& worker : workers) worker.join();
  if (terminal) std::fputs("\r\033[K", stderr);
  if (failed > 0) {
    messages.add(std::to_string(failed) + " de " + std::to_string(dirs.size()) +
                 " clusters falharam; os outros foram ordenados em " + *o.outputDir);
    return kNamedFailure;
  }
  return kNamedSuccess;
}

}  // namespace

bool wantsNamedOptions(int argc, char** argv) {
  if (argc < 2) return false;
  const std::string first = argv[1];
  return isOption(first) && first != "--help" && first != "--version";
}

int runNamedCommandLine(int argc, char** argv) {
  NamedOptions options;
  try {
    options = parseOptions(argc, argv);
    checkOptions(options);
  } catch (const UsageError& e) {
    io::writeError(kProgram, e.message);
    io::writeError(
        kProgram,
        "uso: sentralign --method M --summary S --texts T... [--relations R...] "
        "[--output O] (veja sentralign --help)");
    return kNamedUsage;
  }
  try {
    if (options.listSentences) return listSentences(options);
    return options.corpus ? runCorpus(options) : runCluster(options);
  } catch (const Error& e) {
    io::writeError(kProgram, e.what());
    return kNamedFailure;
  }
}

}  // namespace sentralign::cli
