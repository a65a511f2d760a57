// Peak memory of whole sentralign runs on growing inputs: generated clusters
// of three texts, a summary of one sentence in a hundred and relations
// between the texts. Each run is a child process; the table shows the input
// size, the child's peak resident memory and the time, per method.
//
// A second table gives the memory per sentence: one text of tiny sentences
// (". ." each: 4 bytes, no content word, the least a sentence can hold) or
// of normal ones (as in the clusters: 4 to 20 words, about 90 bytes), less
// the peak of a run on a one-sentence text, divided by the sentences.
//
//   memory_bench [MAX_SENTENCES]      (default 1000000)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

std::string scratch;

std::string path(const std::string& name) { return scratch + "/" + name; }

// A generated sentence of text t, place i: "S<t>x<i>" and 4 to 20 words of
// thirteen, four of them stop words, and a full stop.
std::string normalSentence(std::mt19937& random, int t, int i) {
  static const char* const words[] = {
      "ponte",   "rio",    "cidade", "chuva", "prefeito", "moradores", "estrutura",
      "governo", "bairro", "de",     "a",     "o",        "que"};
  std::uniform_int_distribution<int> word(0, 12);
  std::uniform_int_distribution<int> length(4, 20);
  std::string s = "S" + std::to_string(t) + "x" + std::to_string(i);
  for (int k = length(random); k > 0; --k) s += std::string(" ") + words[word(random)];
  return s + ".";
}

// Writes a cluster of `sentences` sentences over three texts; returns its
// size in bytes.
long long writeCluster(int sentences, unsigned seed) {
  std::mt19937 random(seed);
  long long bytes = 0;
  std::ofstream summary(path("s.txt"));
  const int perText = sentences / 3;
  for (int t = 1; t <= 3; ++t) {
    std::ofstream text(path("t" + std::to_string(t) + ".txt"));
    for (int i = 1; i <= perText; ++i) {
      const std::string s = normalSentence(random, t, i);
      text << s << '\n';
      bytes += static_cast<long long>(s.size()) + 1;
      if (random() % 100 == 0) summary << s << '\n';
    }
  }
  // Relations from earlier to later texts only: no cycles through them.
  std::ofstream relations(path("r.cst"));
  std::uniform_int_distribution<int> place(1, std::min(perText, 99));
  for (int r = 0; r < sentences / 10; ++r) {
    const std::string record =
        "<R SDID=\"D1_a\" SSENT=\"" + std::to_string(place(random)) +
        "\" TDID=\"D2_b\" TSENT=\"" + std::to_string(place(random)) +
        "\">\n<RELATION TYPE=\"Summary\" JUDGE=\"x\"/>\n</R>\n";
    relations << record;
    bytes += static_cast<long long>(record.size());
  }
  return bytes;
}

// Writes one text t1.txt of `sentences` sentences, tiny or normal, and a
// summary of its first sentence; returns the text's size in bytes.
long long writeText(int sentences, bool tiny, unsigned seed) {
  std::mt19937 random(seed);
  std::string text;
  std::string first;
  for (int i = 1; i <= sentences; ++i) {
    // ". " ends a sentence after its "."; so ". . " is one sentence ". ."
    const std::string s = tiny ? ". ." : normalSentence(random, 1, i);
    if (i == 1) first = s;
    text += s + (tiny ? " " : "\n");
  }
  std::ofstream(path("t1.txt")) << text;
  std::ofstream(path("s.txt")) << first << '\n';
  return static_cast<long long>(text.size());
}

// A run that has not ended after this long is stopped: method 4 on a
// cluster whose huge topics have means near 0.3 can take very long.
constexpr unsigned kRunLimitSeconds = 600;

// Runs sentralign with `method` on the three texts and the relation file of
// a cluster (texts == 3) or on the one text t1.txt; returns "" when it
// succeeds, else a note for the table.
std::string runTool(const std::string& tool, int method, int texts, long* peakKb,
                    double* seconds) {
  std::fflush(stdout);  // the child must not write what is buffered again
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(scratch.c_str()) != 0) std::_Exit(127);
    std::freopen("/dev/null", "w", stdout);
    ::alarm(kRunLimitSeconds);  // outlives the exec
    const std::string m = std::to_string(method);
    if (texts == 3) {
      ::execl(tool.c_str(), tool.c_str(), m.c_str(), "s.txt", "o.txt", "3", "t1.txt",
              "t2.txt", "t3.txt", "1", "r.cst", static_cast<char*>(nullptr));
    } else {
      ::execl(tool.c_str(), tool.c_str(), m.c_str(), "s.txt", "o.txt", "1", "t1.txt", "0",
              static_cast<char*>(nullptr));
    }
    std::_Exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  *seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  *peakKb = usage.ru_maxrss;
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) {
    return "  (stopped after " + std::to_string(kRunLimitSeconds) + " s)";
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "" : "  (failed)";
}

}  // namespace

int main(int argc, char** argv) {
  const int maxSentences = argc > 1 ? std::atoi(argv[1]) : 1000000;
  char pattern[] = "/tmp/sentralign_memory_XXXXXX";
  if (::mkdtemp(pattern) == nullptr) return 1;
  scratch = pattern;
  const std::string tool = SENTRALIGN_BIN;
  // The start-up files: a small stop list and one relation type.
  std::ofstream(path("stoplist_portugues.txt")) << "de\na\no\nque\n";
  std::ofstream(path("FILE_DESCRIPTION_RELATIONS_CST.txt")) << "Summary 1.5 t\n";

  std::printf("%10s %12s %8s %12s %10s %12s\n", "sentences", "input MB", "method",
              "peak MB", "seconds", "peak/input");
  for (int sentences = 1000; sentences <= maxSentences; sentences *= 10) {
    const long long bytes = writeCluster(sentences, 7);
    for (int method : {1, 4, 5, 6}) {
      long peakKb = 0;
      double seconds = 0;
      const std::string note = runTool(tool, method, 3, &peakKb, &seconds);
      std::printf("%10d %12.1f %8d %12.1f %10.2f %12.1f%s\n", sentences,
                  static_cast<double>(bytes) / 1e6, method,
                  static_cast<double>(peakKb) / 1024.0, seconds,
                  static_cast<double>(peakKb) * 1024.0 / static_cast<double>(bytes),
                  note.c_str());
      std::fflush(stdout);
    }
  }

  std::printf("\nmemory per sentence: one text, peak less that of a one-sentence run\n");
  std::printf("%10s %8s %12s %8s %12s %14s %12s\n", "sentences", "kind", "input MB",
              "method", "peak MB", "bytes/sentence", "peak/input");
  for (const bool tiny : {true, false}) {
    for (int sentences = 100000; sentences <= maxSentences; sentences *= 10) {
      for (int method : {1, 4, 5, 6}) {
        long baseKb = 0;
        long peakKb = 0;
        double seconds = 0;
        writeText(1, tiny, 7);
        const std::string baseNote = runTool(tool, method, 1, &baseKb, &seconds);
        const long long bytes = writeText(sentences, tiny, 7);
        const std::string note = runTool(tool, method, 1, &peakKb, &seconds);
        std::printf("%10d %8s %12.1f %8d %12.1f %14.0f %12.1f%s\n", sentences,
                    tiny ? "tiny" : "normal", static_cast<double>(bytes) / 1e6, method,
                    static_cast<double>(peakKb) / 1024.0,
                    static_cast<double>(peakKb - baseKb) * 1024.0 / sentences,
                    static_cast<double>(peakKb) * 1024.0 / static_cast<double>(bytes),
                    (note.empty() ? baseNote : note).c_str());
        std::fflush(stdout);
      }
    }
  }
  const std::string cleanup = "rm -rf '" + scratch + "'";
  return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
