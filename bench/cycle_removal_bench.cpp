// Times the cycle removal of method 6 on generated clusters: the literal
// version (path copied at every call, linear scans, every pass from
// scratch) beside the fast removal the program uses, with their ratio, the
// peak memory of each, and whether both printed the same lines and left
// the same graph. Each removal runs in a child process that is stopped
// after a time limit; once one run of a kind passes it, denser clusters
// are not tried with that kind. Quick removals are repeated on fresh
// copies and timed by their mean.
//
//   cycle_removal_bench [LIMIT_SECONDS [SEEDS]]     (defaults: 60 and 3)

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Graph.h"
#include "TopologicalOrdering.h"
#include "literal_cycle_removal.h"
#include "random_graphs.h"

namespace {

// What one removal run reports to the parent.
struct Report {
  double seconds = 0.0;
  long peakKb = 0;           // ru_maxrss of the child
  std::uint64_t digest = 0;  // of the printed lines and the graph left
  int removed = 0;           // lines printed
};

struct Run {
  bool finished = false;
  Report report;
};

struct Shape {
  int texts, sentences, relations;
  unsigned seed;
};

std::string description;

std::uint64_t fnv1a(const std::string& bytes, std::uint64_t h = 14695981039346656037ull) {
  for (char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

// In the child: builds the cluster and removes its cycles with stdout going
// to a scratch file, again on fresh copies while the runs together take
// less than kRepeatSeconds, and fills *report with the mean time.
void removeInChild(const Shape& shape, bool fast, Report* report) {
  constexpr double kRepeatSeconds = 0.2;
  std::FILE* printed = std::tmpfile();
  if (printed == nullptr) std::_Exit(2);
  std::fflush(stdout);
  if (::dup2(::fileno(printed), STDOUT_FILENO) < 0) std::_Exit(2);
  double spent = 0.0;
  int runs = 0;
  std::string graph;
  while (runs == 0 || spent < kRepeatSeconds) {
    Graph G;
    buildRandomCluster(&G, shape.seed, shape.texts, shape.sentences, shape.relations,
                       description);
    const auto begin = std::chrono::steady_clock::now();
    if (fast) {
      TopologicalOrdering::removeAllCycles(&G);
    } else {
      literal::removeAllCycles(&G);
    }
    spent +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (runs++ == 0) {
      std::fflush(stdout);
      graph = cycleSnapshot(G);
      if (std::freopen("/dev/null", "w", stdout) == nullptr) std::_Exit(2);
    }
  }
  report->seconds = spent / runs;
  std::string lines;
  std::rewind(printed);
  for (int c = std::fgetc(printed); c != EOF; c = std::fgetc(printed)) {
    lines += static_cast<char>(c);
    if (c == '\n') ++report->removed;
  }
  report->digest = fnv1a(graph, fnv1a(lines));
  struct rusage usage;
  ::getrusage(RUSAGE_SELF, &usage);
  report->peakKb = usage.ru_maxrss;
}

// Runs one removal in a child process, waiting at most `limit` seconds.
Run runLimited(const Shape& shape, bool fast, int limit) {
  Run run;
  int channel[2];
  if (::pipe(channel) != 0) return run;
  std::fflush(stdout);
  const pid_t child = ::fork();
  if (child < 0) return run;
  if (child == 0) {
    ::close(channel[0]);
    Report report;
    removeInChild(shape, fast, &report);
    const ssize_t written = ::write(channel[1], &report, sizeof report);
    std::_Exit(written == static_cast<ssize_t>(sizeof report) ? 0 : 1);
  }
  ::close(channel[1]);
  struct pollfd ready = {channel[0], POLLIN, 0};
  if (::poll(&ready, 1, limit * 1000) == 1 &&
      ::read(channel[0], &run.report, sizeof run.report) ==
          static_cast<ssize_t>(sizeof run.report)) {
    run.finished = true;
  } else {
    ::kill(child, SIGKILL);
  }
  ::close(channel[0]);
  ::waitpid(child, nullptr, 0);
  return run;
}

std::string seconds(const Run& run, int limit) {
  if (!run.finished) return "> " + std::to_string(limit) + " s";
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", run.report.seconds);
  return text;
}

void densityTable(int limit, int seeds) {
  std::printf(
      "Cycle removal on generated clusters: 3 texts of 30 sentences, relations\n"
      "between sentences of different texts, in both directions.\n\n");
  std::printf("%9s %4s %13s %13s %9s %7s %4s %12s %12s\n", "relations", "seed",
              "literal (s)", "fast (s)", "ratio", "removed", "same", "literal KB",
              "fast KB");
  bool literalOn = true;
  bool fastOn = true;
  for (int relations = 20; relations <= 200 && (literalOn || fastOn); relations += 10) {
    bool literalOver = false;
    bool fastOver = false;
    for (int seed = 1; seed <= seeds; ++seed) {
      const Shape shape{3, 30, relations, static_cast<unsigned>(seed)};
      const Run literal = literalOn ? runLimited(shape, false, limit) : Run{};
      const Run fast = fastOn ? runLimited(shape, true, limit) : Run{};
      literalOver = literalOver || (literalOn && !literal.finished);
      fastOver = fastOver || (fastOn && !fast.finished);
      char ratio[32] = "-";
      if (literal.finished && fast.finished && fast.report.seconds > 0.0) {
        std::snprintf(ratio, sizeof ratio, "%.1fx",
                      literal.report.seconds / fast.report.seconds);
      }
      const char* same =
          literal.finished && fast.finished
              ? (literal.report.digest == fast.report.digest ? "yes" : "NO")
              : "-";
      const Run& any = fast.finished ? fast : literal;
      std::printf("%9d %4d %13s %13s %9s %7s %4s %12s %12s\n", relations, seed,
                  literalOn ? seconds(literal, limit).c_str() : "skipped",
                  fastOn ? seconds(fast, limit).c_str() : "skipped", ratio,
                  any.finished ? std::to_string(any.report.removed).c_str() : "-", same,
                  literal.finished ? std::to_string(literal.report.peakKb).c_str() : "-",
                  fast.finished ? std::to_string(fast.report.peakKb).c_str() : "-");
      std::fflush(stdout);
    }
    if (literalOver) literalOn = false;
    if (fastOver) fastOn = false;
  }
}

void realSizeTable(int limit) {
  std::printf(
      "\nFast removal on clusters of real size (10 seeds each): the slowest run.\n\n");
  std::printf("%5s %9s %9s %13s %12s\n", "texts", "sentences", "relations", "slowest (s)",
              "fast KB");
  double slowest = 0.0;
  for (int texts = 2; texts <= 3; ++texts) {
    for (int sentences : {10, 30, 60, 90}) {
      for (int relations : {7, 35, 70}) {
        Run worst;
        worst.finished = true;
        for (unsigned seed = 1; seed <= 10; ++seed) {
          const Run run = runLimited({texts, sentences, relations, seed}, true, limit);
          if (!run.finished) {
            worst.finished = false;
            break;
          }
          if (run.report.seconds >= worst.report.seconds) worst = run;
        }
        if (worst.finished && worst.report.seconds > slowest)
          slowest = worst.report.seconds;
        std::printf("%5d %9d %9d %13s %12ld\n", texts, sentences, relations,
                    seconds(worst, limit).c_str(), worst.report.peakKb);
        std::fflush(stdout);
      }
    }
  }
  std::printf("\nslowest cluster of real size: %.6f s\n", slowest);
}

}  // namespace

int main(int argc, char** argv) {
  const int limit = argc > 1 ? std::atoi(argv[1]) : 60;
  const int seeds = argc > 2 ? std::atoi(argv[2]) : 3;
  if (limit <= 0 || seeds <= 0) {
    std::fprintf(stderr, "usage: cycle_removal_bench [LIMIT_SECONDS [SEEDS]]\n");
    return 2;
  }
  const std::string path =
      std::string(SENTRALIGN_SOURCE_DIR) + "/data/FILE_DESCRIPTION_RELATIONS_CST.txt";
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) {
    std::perror(path.c_str());
    return 1;
  }
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    description += static_cast<char>(c);
  }
  std::fclose(file);
  densityTable(limit, seeds);
  realSizeTable(limit);
  return 0;
}
