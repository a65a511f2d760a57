#include "eval/EvalDriver.h"

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
#include <string>
#include <thread>
#include <vector>

#include "eval/ClusterEvaluation.h"
#include "eval/CorpusLayout.h"
#include "eval/EvaluationReport.h"
#include "io/Console.h"
#include "io/OutputFile.h"

#ifndef SENTRALIGN_VERSION
#define SENTRALIGN_VERSION "unknown"
#endif

namespace {

constexpr char kProgram[] = "sentralign-eval";
constexpr int kMaxJobs = 256;

constexpr char kUsage[] =
    "sentralign-eval: uso: sentralign-eval [OPCOES] DIRETORIO (veja sentralign-eval "
    "--help)\n";

constexpr char kHelp[] =
    "Uso: sentralign-eval [OPCOES] DIRETORIO\n"
    "\n"
    "Pontua os seis metodos de ordenacao, o sumario como foi dado e ordenacoes\n"
    "aleatorias contra as ordenacoes humanas de um cluster ou de um corpus (um\n"
    "diretorio de clusters). Um cluster tem \"Textos-fonte segmentados/\" (ou\n"
    "\"Textos-fonte/\"), \"CST/\" e \"Sumarios/\", ou textos *.seg e relacoes *.cst\n"
    "no proprio diretorio.\n"
    "\n"
    "Opcoes:\n"
    "  --texts PADRAO    nome dos textos-fonte (*.seg; *.txt em \"Textos-fonte/\")\n"
    "  --summary PADRAO  nome do sumario (*_sumario_automatico_CSTSumm.txt)\n"
    "  --human PADRAO    nome das ordenacoes humanas\n"
    "                    (*_sumario_automatico_CSTSumm_ordenado_*.txt)\n"
    "  --segmented       textos ja segmentados: uma sentenca por linha\n"
    "  --seed N          semente das ordenacoes aleatorias (1)\n"
    "  --jobs N          pontua N clusters ao mesmo tempo (1)\n"
    "  --csv             relatorio em CSV\n"
    "  --json            relatorio em JSON\n"
    "  --svg ARQUIVO     grafico das medias por metodo em SVG\n"
    "  --dot ARQUIVO     grafo de sentencas do cluster para o Graphviz\n"
    "  --help            mostra esta ajuda\n"
    "  --version         mostra a versao\n";

// What the command line asks for.
struct EvalOptions {
  std::string directory;
  NamePatterns patterns;
  EvaluationOptions evaluation;
  int jobs = 1;
  bool csv = false;
  bool json = false;
  bool help = false;
  bool version = false;
  std::string svgPath;
  std::string dotPath;
};

bool parseNumber(const std::string& text, unsigned long long low, unsigned long long high,
                 unsigned long long* value) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long v = std::strtoull(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < low || v > high) return false;
  *value = v;
  return true;
}

// Walks argv once. An option's value is the next argument, or follows "="
// in the same one; "--" ends the options. False, with the reason in *err,
// on anything malformed.
bool parseOptions(int argc, char** argv, EvalOptions* options, std::string* err) {
  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const bool hasInlineValue = equals != std::string::npos;
    auto takeValue = [&](std::string* value) {
      if (hasInlineValue) {
        *value = arg.substr(equals + 1);
        return true;
      }
      if (i + 1 >= argc) {
        *err = "a opcao " + name + " pede um valor";
        return false;
      }
      *value = argv[++i];
      return true;
    };
    auto noValue = [&]() {
      if (hasInlineValue) *err = "a opcao " + name + " nao leva valor";
      return !hasInlineValue;
    };

    std::string value;
    unsigned long long number = 0;
    if (name == "--summary" || name == "--human" || name == "--texts") {
      if (!takeValue(&value)) return false;
      if (value.empty()) {
        *err = name + ": padrao vazio";
        return false;
      }
      (name == "--summary" ? options->patterns.summary
       : name == "--human" ? options->patterns.human
                           : options->patterns.texts) = value;
    } else if (name == "--seed") {
      if (!takeValue(&value)) return false;
      if (!parseNumber(value, 0, ~0ULL, &number)) {
        *err = "--seed: numero invalido: " + value;
        return false;
      }
      options->evaluation.seed = number;
    } else if (name == "--jobs") {
      if (!takeValue(&value)) return false;
      if (!parseNumber(value, 1, kMaxJobs, &number)) {
        *err =
            "--jobs: numero invalido (de 1 a " + std::to_string(kMaxJobs) + "): " + value;
        return false;
      }
      options->jobs = static_cast<int>(number);
    } else if (name == "--svg" || name == "--dot") {
      if (!takeValue(&value)) return false;
      if (value.empty()) {
        *err = name + ": nome de arquivo vazio";
        return false;
      }
      (name == "--svg" ? options->svgPath : options->dotPath) = value;
    } else if (name == "--segmented" || name == "--csv" || name == "--json" ||
               name == "--help" || name == "--version") {
      if (!noValue()) return false;
      if (name == "--segmented") options->evaluation.segmented = true;
      if (name == "--csv") options->csv = true;
      if (name == "--json") options->json = true;
      if (name == "--help") options->help = true;
      if (name == "--version") options->version = true;
    } else {
      *err = "opcao desconhecida: " + arg;
      return false;
    }
  }
  if (options->help || options->version) return true;
  if (options->csv && options->json) {
    *err = "--csv e --json nao combinam";
    return false;
  }
  if (positional.empty()) {
    *err = "falta o DIRETORIO (um cluster ou um corpus)";
    return false;
  }
  if (positional.size() > 1) {
    *err = "argumento a mais: " + positional[1];
    return false;
  }
  options->directory = positional[0];
  options->evaluation.wantDot = !options->dotPath.empty();
  return true;
}

// Writes messages to stderr, one line each, and the progress line, which
// the next message or the end clears.
class Console {
 public:
  explicit Console(bool progress) : progress_(progress) {}

  void message(const std::string& text) {
    clearProgress();
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s\n", kProgram, text.c_str());
  }

  void progress(size_t done, size_t total, const std::string& name) {
    if (!progress_) return;
    std::fprintf(stderr, "\r\033[K%s: %zu/%zu clusters (%s)", kProgram, done, total,
                 name.c_str());
    std::fflush(stderr);
    shown_ = true;
  }

  void clearProgress() {
    if (!shown_) return;
    std::fputs("\r\033[K", stderr);
    shown_ = false;
  }

 private:
  bool progress_;
  bool shown_ = false;
};

// Finds the files of the cluster `dir` and evaluates it.
void evaluateCluster(const std::string& dir, const EvalOptions& options,
                     const StartupData& startup, ClusterResult* result) {
  ClusterFiles files;
  std::string err;
  if (!CorpusLayout::findClusterFiles(dir, options.patterns, &files, &err,
                                      &result->messages)) {
    result->name = files.name;
    result->error = err;
    return;
  }
  ClusterEvaluation::evaluate(files, startup, options.evaluation, result);
}

// Evaluates every cluster of `dirs` on options.jobs threads into *results,
// in the order of `dirs`, writing each cluster's messages in that order as
// soon as it and those before it are done.
void evaluateAll(const std::vector<std::string>& dirs, const EvalOptions& options,
                 const StartupData& startup, Console* console,
                 std::vector<ClusterResult>* results) {
  results->assign(dirs.size(), ClusterResult());
  std::vector<char> done(dirs.size(), 0);
  std::mutex mutex;
  std::condition_variable finished;
  std::atomic<size_t> next{0};
  auto work = [&]() {
    for (size_t i = next++; i < dirs.size(); i = next++) {
      evaluateCluster(dirs[i], options, startup, &(*results)[i]);
      std::lock_guard<std::mutex> lock(mutex);
      done[i] = 1;
      finished.notify_one();
    }
  };
  const size_t threads = std::min(dirs.size(), static_cast<size_t>(options.jobs));
  std::vector<std::thread> workers;
  for (size_t t = 0; t < threads; ++t) workers.emplace_back(work);

  for (size_t i = 0; i < dirs.size(); ++i) {
    {
      std::unique_lock<std::mutex> lock(mutex);
      finished.wait(lock, [&] { return done[i] != 0; });
    }
    const ClusterResult& result = (*results)[i];
    for (const std::string& m : result.messages) console->message(m);
    for (const std::string& n : result.notes) console->message(n);
    if (!result.ok) console->message(result.error);
    console->progress(i + 1, dirs.size(), result.name);
  }
  for (std::thread& worker : workers) worker.join();
  console->clearProgress();
}

bool isDirectory(const std::string& path, std::string* err) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    *err = path + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISDIR(st.st_mode)) {
    *err = path + ": " + std::strerror(ENOTDIR);
    return false;
  }
  return true;
}

int run(int argc, char** argv) {
  EvalOptions options;
  std::string err;
  Console console(false);
  if (!parseOptions(argc, argv, &options, &err)) {
    console.message(err);
    std::fputs(kUsage, stderr);
    return kEvalExitUsage;
  }
  if (options.help) {
    std::fputs(kHelp, stdout);
    return kEvalExitSuccess;
  }
  if (options.version) {
    std::printf("sentralign-eval %s\n", SENTRALIGN_VERSION);
    return kEvalExitSuccess;
  }
  if (!isDirectory(options.directory, &err)) {
    console.message(err);
    return kEvalExitFailure;
  }

  std::vector<std::string> dirs;
  const bool oneCluster = CorpusLayout::isCluster(options.directory, options.patterns);
  if (oneCluster) {
    dirs.push_back(options.directory);
  } else if (!CorpusLayout::listClusters(options.directory, &dirs, &err)) {
    console.message(err);
    return kEvalExitFailure;
  }
  if (!oneCluster && !options.dotPath.empty()) {
    console.message("--dot pede um so cluster, e " + options.directory + " e um corpus");
    std::fputs(kUsage, stderr);
    return kEvalExitUsage;
  }
  if (dirs.empty()) {
    console.message(options.directory + ": nenhum cluster (nem textos " +
                    options.patterns.textsIn(false) + ")");
    return kEvalExitFailure;
  }

  StartupData startup;
  std::vector<std::string> messages;
  const bool loaded = ClusterEvaluation::loadStartupData(&startup, &messages, &err);
  for (const std::string& m : messages) console.message(m);
  if (!loaded) {
    console.message(err);
    return kEvalExitFailure;
  }

  Console progressConsole(!oneCluster && ::isatty(STDERR_FILENO) == 1);
  std::vector<ClusterResult> results;
  evaluateAll(dirs, options, startup, &progressConsole, &results);

  int status = kEvalExitSuccess;
  for (const ClusterResult& result : results) {
    if (!result.ok) status = kEvalExitFailure;
  }
  const EvaluationReport report(results, options.evaluation.seed,
                                options.evaluation.shuffles);
  const std::string text = options.csv    ? report.csv()
                           : options.json ? report.json()
                                          : report.table();
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (!options.svgPath.empty() &&
      !sentralign::io::writeFile(options.svgPath, report.svg(), &err)) {
    console.message(err);
    status = kEvalExitFailure;
  }
  if (!options.dotPath.empty() && results[0].ok &&
      !sentralign::io::writeFile(options.dotPath, results[0].dot, &err)) {
    console.message(err);
    status = kEvalExitFailure;
  }
  return status;
}

}  // namespace

int evalMain(int argc, char** argv) {
  return sentralign::io::finishStandardOutput(kProgram, run(argc, argv));
}
