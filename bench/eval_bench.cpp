// Speed of sentralign-eval on a generated corpus of real-size clusters in
// the news corpus layout: every method and both baselines, once on one
// thread and once on two, and with the paired comparisons; what the
// corpus figures (the bootstrap intervals, the comparisons) add to the
// report; then each cluster alone to find the slowest (the cycle removal
// of method 6 makes most of the time). Prints its figures; checks nothing.
// The defaults are a real-size cluster: 3 texts of 30 sentences, 70
// relations.
//
//   sentralign_eval_bench [--clusters N] [--texts N] [--sentences N]
//                         [--relations N] [--summary N] [--keep DIR]
//
// With --keep the corpus is left in DIR (which must not exist), for timed
// runs of the tool itself.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "eval/EvalDriver.h"
#include "eval/Evaluation.h"
#include "eval/EvaluationReport.h"

namespace {

struct BenchOptions {
  int clusters = 50;
  int texts = 3;
  int sentences = 30;  // per text
  int relations = 70;  // per cluster
  int summary = 10;    // sentences
  std::string keep;
};

const char* const kRelationTypes[] = {
    "Overlap",   "Subsumption", "Summary",         "Elaboration", "Historical-background",
    "Follow-up", "Attribution", "Indirect-speech", "Modality",    "Citation",
    "Identity",  "Equivalence", "Contradiction"};

const char* const kSyllables[] = {"ca", "mo", "ri",  "ta",  "pe",  "lu",  "so",  "ve",
                                  "na", "do", "gri", "bar", "tel", "ção", "nho", "ra"};

bool parse(int argc, char** argv, BenchOptions* o) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const int value = std::atoi(argv[i + 1]);
    if (name == "--clusters")
      o->clusters = value;
    else if (name == "--texts")
      o->texts = value;
    else if (name == "--sentences")
      o->sentences = value;
    else if (name == "--relations")
      o->relations = value;
    else if (name == "--summary")
      o->summary = value;
    else if (name == "--keep")
      o->keep = argv[i + 1];
    else
      return false;
  }
  return (argc % 2) == 1 && o->clusters > 0 && o->texts > 1 && o->sentences > 0 &&
         o->summary > 1 && o->summary <= o->texts * o->sentences;
}

void writeFile(const std::string& path, const std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (f == nullptr) {
    std::perror(path.c_str());
    std::exit(1);
  }
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

void makeDir(const std::string& path) {
  if (::mkdir(path.c_str(), 0755) != 0) {
    std::perror(path.c_str());
    std::exit(1);
  }
}

std::string word(std::mt19937& rng) {
  std::string w;
  const int syllables = 1 + static_cast<int>(rng() % 3);
  for (int s = 0; s < syllables; ++s) w += kSyllables[rng() % 16];
  return w;
}

// A sentence of 10 to 30 words without ". " inside, ending with a full stop.
std::string sentence(std::mt19937& rng, int text, int position) {
  std::string s = "Na nota " + std::to_string(text) + "-" + std::to_string(position);
  const int words = 10 + static_cast<int>(rng() % 21);
  for (int k = 0; k < words; ++k) s += " " + word(rng);
  return s + ".";
}

void writeCluster(const std::string& dir, int c, const BenchOptions& o,
                  std::mt19937& rng) {
  const std::string name = "C" + std::to_string(c);
  const std::string root = dir + "/" + name;
  makeDir(root);
  makeDir(root + "/Textos-fonte segmentados");
  makeDir(root + "/CST");
  makeDir(root + "/Sumarios");
  std::vector<std::string> all;
  for (int t = 1; t <= o.texts; ++t) {
    std::string text;
    for (int p = 1; p <= o.sentences; ++p) {
      all.push_back(sentence(rng, t, p));
      text += all.back() + "\n";
    }
    writeFile(root + "/Textos-fonte segmentados/D" + std::to_string(t) + "_" + name +
                  "_Jornal" + std::to_string(t) + ".txt.seg",
              text);
  }
  std::string cst;
  for (int r = 0; r < o.relations; ++r) {
    const int s = 1 + static_cast<int>(rng() % static_cast<unsigned>(o.texts));
    int t = 1 + static_cast<int>(rng() % static_cast<unsigned>(o.texts - 1));
    if (t >= s) ++t;
    cst += "<R SDID=\"D" + std::to_string(s) + "_" + name + ".txt.seg\" SSENT=\"" +
           std::to_string(1 + rng() % static_cast<unsigned>(o.sentences)) +
           "\" TDID=\"D" + std::to_string(t) + "_" + name + ".txt.seg\" TSENT=\"" +
           std::to_string(1 + rng() % static_cast<unsigned>(o.sentences)) +
           "\">\n<RELATION TYPE=\"" + kRelationTypes[rng() % 13] +
           "\" JUDGE=\"x\"/>\n</R>\n";
  }
  writeFile(root + "/CST/relacoes.cst", cst);
  std::shuffle(all.begin(), all.end(), rng);
  std::vector<std::string> chosen(all.begin(), all.begin() + o.summary);
  std::string summary;
  for (const std::string& s : chosen) summary += s + "\n";
  writeFile(root + "/Sumarios/" + name + "_sumario_automatico_CSTSumm.txt", summary);
  for (int h = 1; h <= 2; ++h) {
    std::shuffle(chosen.begin(), chosen.end(), rng);
    std::string human;
    for (const std::string& s : chosen) human += s + "\n";
    writeFile(root + "/Sumarios/" + name + "_sumario_automatico_CSTSumm_ordenado_" +
                  std::to_string(h) + ".txt",
              human);
  }
}

// Seconds that one run of the tool on `dir` takes, its report thrown away.
double timeRun(const std::string& dir, int jobs, bool compare = false) {
  std::fflush(stdout);
  const int saved = ::dup(STDOUT_FILENO);
  const int null = ::open("/dev/null", O_WRONLY);
  ::dup2(null, STDOUT_FILENO);
  ::close(null);
  std::string jobsText = std::to_string(jobs);
  std::string dirText = dir;
  char program[] = "sentralign-eval";
  char segmented[] = "--segmented";
  char jobsOption[] = "--jobs";
  char compareOption[] = "--compare";
  std::vector<char*> argv = {program, segmented, jobsOption, &jobsText[0]};
  if (compare) argv.push_back(compareOption);
  argv.push_back(&dirText[0]);
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const int status = evalMain(static_cast<int>(argv.size() - 1), argv.data());
  const auto stop = std::chrono::steady_clock::now();
  std::fflush(stdout);
  ::dup2(saved, STDOUT_FILENO);
  ::close(saved);
  if (status != kEvalExitSuccess) std::fprintf(stderr, "bench: status %d\n", status);
  return std::chrono::duration<double>(stop - start).count();
}

// Milliseconds that the report's figures over the corpus take with
// `settings`, the best of three.
double timeReport(const sentralign::eval::EvaluationRun& run,
                  const ReportSettings& settings) {
  double best = 0;
  for (int k = 0; k < 3; ++k) {
    const auto start = std::chrono::steady_clock::now();
    const EvaluationReport report(run.clusters, settings);
    const double ms = std::chrono::duration<double, std::milli>(
                          std::chrono::steady_clock::now() - start)
                          .count();
    if (k == 0 || ms < best) best = ms;
  }
  return best;
}

// What the bootstrap intervals and the paired comparisons add to a report
// of the corpus `dir`.
void timeCorpusFigures(const std::string& dir) {
  sentralign::eval::EvaluationRequest request;
  request.directory = dir;
  request.segmented = true;
  request.jobs = 2;
  sentralign::eval::EvaluationRun run;
  std::string err;
  if (!sentralign::eval::runEvaluation(request, &run, &err)) {
    std::fprintf(stderr, "bench: %s\n", err.c_str());
    return;
  }
  size_t rows = 0;
  for (const ClusterResult& c : run.clusters) rows += c.rows.size();
  ReportSettings bare = run.settings;
  bare.resamples = 0;
  ReportSettings compare = run.settings;
  compare.compare = true;
  const double none = timeReport(run, bare);
  const double intervals = timeReport(run, run.settings);
  const double both = timeReport(run, compare);
  std::printf(
      "figuras do corpus (%zu linhas): sem intervalos %.1f ms; intervalos (%d "
      "reamostragens) +%.1f ms; comparacao de 28 pares (%d padroes) +%.1f ms\n",
      rows, none, run.settings.resamples, intervals - none, compare.patterns,
      both - intervals);
}

}  // namespace

int main(int argc, char** argv) {
  BenchOptions o;
  if (!parse(argc, argv, &o)) {
    std::fprintf(stderr,
                 "uso: sentralign_eval_bench [--clusters N] [--texts N] [--sentences N] "
                 "[--relations N] [--summary N] [--keep DIR]\n");
    return 2;
  }
  std::string dir = o.keep;
  if (dir.empty()) {
    char pattern[] = "/tmp/sentralign_bench_XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return 1;
    dir = pattern;
  } else {
    makeDir(dir);
  }
  std::mt19937 rng(20240312);
  for (int c = 1; c <= o.clusters; ++c) writeCluster(dir, c, o, rng);

  std::printf(
      "corpus: %d clusters, %d textos de %d sentencas, %d relacoes, sumario de %d "
      "sentencas, 2 ordenacoes humanas\n",
      o.clusters, o.texts, o.sentences, o.relations, o.summary);
  for (const int jobs : {1, 2}) {
    const double seconds = timeRun(dir, jobs);
    std::printf("--jobs %d: %.3f s (%.1f ms por cluster)\n", jobs, seconds,
                1000.0 * seconds / o.clusters);
  }
  std::printf("--jobs 2 --compare: %.3f s\n", timeRun(dir, 2, true));
  timeCorpusFigures(dir);
  // One cluster at a time: a slow one bounds what threads can gain.
  double slowest = 0.0;
  int slowestCluster = 0;
  for (int c = 1; c <= o.clusters; ++c) {
    const double seconds = timeRun(dir + "/C" + std::to_string(c), 1);
    if (seconds > slowest) {
      slowest = seconds;
      slowestCluster = c;
    }
  }
  std::printf("cluster mais lento sozinho: C%d, %.3f s\n", slowestCluster, slowest);
  if (o.keep.empty()) {
    const std::string command = "rm -rf '" + dir + "'";
    if (std::system(command.c_str()) != 0) return 1;
  } else {
    std::printf("corpus em %s\n", dir.c_str());
  }
  return 0;
}
