#include "eval/EvalDriver.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "eval/CorpusLayout.h"
#include "eval/Evaluation.h"
#include "eval/EvaluationReport.h"
#include "io/Console.h"
#include "io/Encoding.h"
#include "io/Files.h"
#include "io/OutputFile.h"

#ifndef SENTRALIGN_VERSION
#define SENTRALIGN_VERSION "unknown"
#endif

namespace {

using sentralign::eval::EvaluationProgress;
using sentralign::eval::EvaluationRequest;
using sentralign::eval::EvaluationRun;
using sentralign::eval::kMaxJobs;

constexpr char kProgram[] = "sentralign-eval";
// The longest time limit taken, in seconds: about 30 years.
constexpr double kMaxTimeLimit = 1e9;

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
    "  --seed N          semente das ordenacoes aleatorias, do bootstrap e do\n"
    "                    teste pareado (1)\n"
    "  --jobs N          pontua N clusters ao mesmo tempo (1)\n"
    "  --time-limit S    segundos do metodo 6 em cada cluster; 0: sem limite (60)\n"
    "  --compare         compara cada dois metodos (teste pareado de troca de sinais)\n"
    "  --measure MEDIDA  medida da comparacao: TS, TK, tau-b, PMR ou no-lugar (TK)\n"
    "  --write-orderings DIRETORIO\n"
    "                    grava o sumario ordenado por cada metodo (.txt e .json)\n"
    "  --csv             relatorio em CSV\n"
    "  --json            relatorio em JSON\n"
    "  --svg ARQUIVO     grafico das medias por metodo em SVG\n"
    "  --dot ARQUIVO     grafo de sentencas do cluster para o Graphviz\n"
    "  -h, --help        mostra esta ajuda\n"
    "  --version         mostra a versao\n";

// What the command line asks for.
struct EvalOptions {
  EvaluationRequest request;
  bool csv = false;
  bool json = false;
  bool help = false;
  bool version = false;
  bool measureGiven = false;
  std::string svgPath;
  std::string dotPath;
  std::vector<std::string> positional;
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

// A number of seconds: digits, at most one full stop among them.
bool parseSeconds(const std::string& text, double* value) {
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
    return false;
  }
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(v) || v > kMaxTimeLimit) return false;
  *value = v;
  return true;
}

// One option: its name, whether it takes a value, and what it sets. False,
// with the reason in *err, for a value it cannot take.
struct OptionDefinition {
  const char* name;
  bool takesValue;
  bool (*apply)(const std::string& value, EvalOptions* options, std::string* err);
};

bool setPattern(const char* name, const std::string& value, std::string* pattern,
                std::string* err) {
  if (value.empty()) {
    *err = std::string(name) + ": padrao vazio";
    return false;
  }
  *pattern = value;
  return true;
}

bool setPath(const char* name, const std::string& value, const char* what,
             std::string* path, std::string* err) {
  if (value.empty()) {
    *err = std::string(name) + ": nome de " + what + " vazio";
    return false;
  }
  *path = value;
  return true;
}

const OptionDefinition kOptions[] = {
    {"--texts", true,
     [](const std::string& v, EvalOptions* o, std::string* err) {
       return setPattern("--texts", v, &o->request.patterns.texts, err);
     }},
    {"--summary", true,
     [](const std::string& v, EvalOptions* o, std::string* err) {
       return setPattern("--summary", v, &o->request.patterns.summary, err);
     }},
    {"--human", true,
     [](const std::string& v, EvalOptions* o, std::string* err) {
       return setPattern("--human", v, &o->request.patterns.human, err);
     }},
    {"--seed", true,
     [](const std::string& v, EvalOptions* o, std::string* err) {
       unsigned long long n = 0;
       if (!parseNumber(v, 0, ~0ULL, &n)) {
         *err = "--seed: numero invalido: " + v;
         return false;
       }
       o->request.seed = n;
       return true;
     }},
    {"--jobs", true,
     [](const std::string& v, EvalOptions* o, std::string* err) {
       unsigned long long n = 0;
       if (!parseNumber(v, 1, kMaxJobs, &n)) {
         *err = "--jobs: numero invalido (de 1 a " + std::to_string(kMaxJobs) + "): " + v;
         return false;
       }
       o->request.jobs = static_cast<int>(n);
       return true;
     }},
    {"--time-limit", true,
     [](const std::string& v, EvalOptions* o, std::string* err) {
       if (!parseSeconds(v, &o->request.timeLimit)) {
         *err = "--time-limit: numero de segundos invalido: " + v;
         return false;
       }
       return true;
     }},
    {"--measure", true,
     [](const std::string& v, EvalOptions* o, std::string* err) {
       if (!sentralign::eval::parseReportMeasure(v, &o->request.measure)) {
         *err = "--measure: medida desconhecida (TS, TK, tau-b, PMR ou no-lugar): " + v;
         return false;
       }
       o->measureGiven = true;
       return true;
     }},
    {"--write-orderings", true,
     [](const std::string& v, EvalOptions* o, std::string* err) {
       return setPath("--write-orderings", v, "diretorio", &o->request.orderingsDirectory,
                      err);
     }},
    {"--svg", true,
     [](const std::string& v, EvalOptions* o, std::string* err) {
       return setPath("--svg", v, "arquivo", &o->svgPath, err);
     }},
    {"--dot", true,
     [](const std::string& v, EvalOptions* o, std::string* err) {
       return setPath("--dot", v, "arquivo", &o->dotPath, err);
     }},
    {"--segmented", false,
     [](const std::string&, EvalOptions* o, std::string*) {
       o->request.segmented = true;
       return true;
     }},
    {"--compare", false,
     [](const std::string&, EvalOptions* o, std::string*) {
       o->request.compare = true;
       return true;
     }},
    {"--csv", false,
     [](const std::string&, EvalOptions* o, std::string*) {
       o->csv = true;
       return true;
     }},
    {"--json", false,
     [](const std::string&, EvalOptions* o, std::string*) {
       o->json = true;
       return true;
     }},
    {"--help", false,
     [](const std::string&, EvalOptions* o, std::string*) {
       o->help = true;
       return true;
     }},
    {"--version", false,
     [](const std::string&, EvalOptions* o, std::string*) {
       o->version = true;
       return true;
     }},
};

const OptionDefinition* findOption(const std::string& name) {
  for (const OptionDefinition& definition : kOptions) {
    if (name == definition.name) return &definition;
  }
  return nullptr;
}

// Takes the option argv[*i] (and its value, which follows it or an "="),
// moving *i past what it took.
bool takeOption(int argc, char** argv, int* i, EvalOptions* options, std::string* err) {
  const std::string arg = argv[*i];
  const size_t equals = arg.find('=');
  const std::string name = arg.substr(0, equals);
  const OptionDefinition* definition = findOption(name);
  if (definition == nullptr) {
    *err = "opcao desconhecida: " + arg;
    return false;
  }
  std::string value;
  if (equals != std::string::npos) {
    if (!definition->takesValue) {
      *err = "a opcao " + name + " nao leva valor";
      return false;
    }
    value = arg.substr(equals + 1);
  } else if (definition->takesValue) {
    if (*i + 1 >= argc) {
      *err = "a opcao " + name + " pede um valor";
      return false;
    }
    value = argv[++*i];
  }
  return definition->apply(value, options, err);
}

// What the options ask for together, and the one directory.
bool checkOptions(EvalOptions* options, std::string* err) {
  if (options->help || options->version) return true;
  if (options->csv && options->json) {
    *err = "--csv e --json nao combinam";
    return false;
  }
  if (options->measureGiven && !options->request.compare) {
    *err = "--measure pede --compare";
    return false;
  }
  if (options->positional.empty()) {
    *err = "falta o DIRETORIO (um cluster ou um corpus)";
    return false;
  }
  if (options->positional.size() > 1) {
    *err = "argumento a mais: " + options->positional[1];
    return false;
  }
  options->request.directory = options->positional[0];
  options->request.wantDot = !options->dotPath.empty();
  return true;
}

// Walks argv once. An option's value is the next argument, or follows "="
// in the same one; "--" ends the options; "-h" is "--help". False, with the
// reason in *err, on anything malformed.
bool parseOptions(int argc, char** argv, EvalOptions* options, std::string* err) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!optionsEnded && arg == "-h") {
      options->help = true;
    } else if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      options->positional.push_back(arg);
    } else if (!takeOption(argc, argv, &i, options, err)) {
      return false;
    }
  }
  return checkOptions(options, err);
}

// Writes messages to stderr, one line each, and on a terminal the progress
// line, which the next message or the end clears.
class Console {
 public:
  explicit Console(bool terminal) : terminal_(terminal) {}

  void message(const std::string& text) {
    clearProgress();
    sentralign::io::writeError(kProgram, text);
  }

  // "3/50 clusters; C25 ha 12 s": clusters done, and the one running
  // longest.
  void progress(const EvaluationProgress& p) {
    if (!terminal_) return;
    std::string line =
        std::to_string(p.done) + "/" + std::to_string(p.total) + " clusters";
    if (!p.longestRunning.empty()) {
      line += "; " + p.longestRunning + " ha " +
              std::to_string(static_cast<long long>(p.longestSeconds)) + " s";
    }
    std::fprintf(stderr, "\r\033[K%s: %s", kProgram, line.c_str());
    std::fflush(stderr);
    shown_ = true;
  }

  void clearProgress() {
    if (!shown_) return;
    std::fputs("\r\033[K", stderr);
    shown_ = false;
  }

 private:
  bool terminal_;
  bool shown_ = false;
};

int usageError(const std::string& err) {
  sentralign::io::writeError(kProgram, sentralign::io::printable(err));
  std::fputs(kUsage, stderr);
  return kEvalExitUsage;
}

// Whether --dot, which draws one cluster, was given a corpus.
bool dotOnACorpus(const EvalOptions& options) {
  const std::string& dir = options.request.directory;
  return !options.dotPath.empty() && sentralign::io::isDirectory(dir) &&
         !CorpusLayout::isCluster(dir, options.request.patterns);
}

// Writes the report on stdout, then the chart and the graph, and returns
// the exit status.
int writeReport(const EvalOptions& options, const EvaluationRun& run, Console* console) {
  int status = run.complete() ? kEvalExitSuccess : kEvalExitFailure;
  const EvaluationReport report(run.clusters, run.settings);
  const std::string text = options.csv    ? report.csv()
                           : options.json ? report.json()
                                          : report.table();
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::string err;
  if (!options.svgPath.empty() &&
      !sentralign::io::writeFile(options.svgPath, report.svg(), &err)) {
    console->message(sentralign::io::printable(err));
    status = kEvalExitFailure;
  }
  if (!options.dotPath.empty() && run.clusters[0].ok &&
      !sentralign::io::writeFile(options.dotPath, run.clusters[0].dot, &err)) {
    console->message(sentralign::io::printable(err));
    status = kEvalExitFailure;
  }
  return status;
}

int run(int argc, char** argv) {
  EvalOptions options;
  std::string err;
  if (!parseOptions(argc, argv, &options, &err)) return usageError(err);
  if (options.help) {
    std::fputs(kHelp, stdout);
    return kEvalExitSuccess;
  }
  if (options.version) {
    std::printf("sentralign-eval %s\n", SENTRALIGN_VERSION);
    return kEvalExitSuccess;
  }
  if (dotOnACorpus(options)) {
    return usageError("--dot pede um so cluster, e " + options.request.directory +
                      " e um corpus");
  }
  Console console(::isatty(STDERR_FILENO) == 1);
  options.request.onProgress = [&console](const EvaluationProgress& p) {
    console.progress(p);
  };
  EvaluationRun run;
  const bool started = sentralign::eval::runEvaluation(
      options.request, &run, &err,
      [&console](const std::string& m) { console.message(m); });
  console.clearProgress();
  if (!started) {
    console.message(err);
    return kEvalExitFailure;
  }
  return writeReport(options, run, &console);
}

}  // namespace

int evalMain(int argc, char** argv) {
  return sentralign::io::finishStandardOutput(kProgram, run(argc, argv));
}
