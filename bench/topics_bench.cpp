// Times the topic clustering of method 4 on generated clusters: the program's
// clustering against the direct one of the test suite, side by side. Two
// series: sentences of a Zipf-like vocabulary, and sentences that are all
// the same one word ("ab. ab. ab. ..."), which make one topic as large as
// the text, whose mean stays 1.0 however large it grows.
//
//   topics_bench [--fast-only] [SENTENCES ...]
//     (default: 100 1000 10000 100000, and 1000 to 1000000 alike)
//
// Each size runs in a child process of its own, so that the peak resident
// memory it prints belongs to that size alone. The direct clustering runs
// only while the previous size predicts (it grows with the square of the
// sentences) that it ends within a minute. Both must give the same topics;
// a difference is reported and makes the status 1.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "Graph.h"
#include "Read.h"
#include "TopicalOrdering.h"
#include "Vertex.h"
#include "bench_util.h"
#include "literal_topics.h"

namespace {

using sentralign::bench::secondsOf;

// The generated cluster: texts of kSentencesPerText sentences of kMinWords
// to kMaxWords content words each. Words are drawn from a vocabulary of
// kVocabulary words with P(rank r) proportional to 1 / (r + kZipfOffset);
// the offset flattens the head the way leaving out the stop words does. A
// share kRestated of the sentences restates a recent one (one of the last
// kRestateWindow) with about a third of its words drawn anew, as texts on
// one story restate each other's facts.
constexpr int kVocabulary = 50000;
constexpr double kZipfOffset = 10.0;
constexpr int kMinWords = 6;
constexpr int kMaxWords = 20;
constexpr int kSentencesPerText = 30;
constexpr double kRestated = 0.3;
constexpr int kRestateWindow = 2000;
constexpr double kLiteralBudgetSeconds = 60.0;

std::string wordName(int rank) {
  std::string w;
  for (int r = rank;; r /= 26) {
    w.push_back(static_cast<char>('a' + r % 26));
    if (r < 26) break;
  }
  return w;
}

class ClusterGenerator {
 public:
  explicit ClusterGenerator(unsigned seed) : random_(seed) {
    cumulative_.resize(kVocabulary);
    double total = 0.0;
    for (int r = 0; r < kVocabulary; ++r) {
      total += 1.0 / (r + 1 + kZipfOffset);
      cumulative_[static_cast<size_t>(r)] = total;
    }
    for (double& c : cumulative_) c /= total;
  }

  // Fills G with `sentences` sentences, text after text.
  void fill(Graph* G, int sentences) {
    std::vector<std::vector<int>> made;
    std::uniform_int_distribution<int> length(kMinWords, kMaxWords);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::string text;
    int idText = 1;
    for (int s = 0; s < sentences; ++s) {
      std::vector<int> sentence;
      if (!made.empty() && unit(random_) < kRestated) {
        const size_t window = std::min(made.size(), static_cast<size_t>(kRestateWindow));
        std::uniform_int_distribution<size_t> pick(made.size() - window, made.size() - 1);
        sentence = made[pick(random_)];
        for (int& w : sentence) {
          if (unit(random_) < 1.0 / 3.0) w = drawWord();
        }
      } else {
        sentence.resize(static_cast<size_t>(length(random_)));
        for (int& w : sentence) w = drawWord();
      }
      for (size_t k = 0; k < sentence.size(); ++k) {
        if (k > 0) text += ' ';
        text += wordName(sentence[k]);
      }
      text += ".\n";
      made.push_back(sentence);
      if ((s + 1) % kSentencesPerText == 0 || s + 1 == sentences) {
        Read::readSentencesFromBytes(G, text, idText++);
        text.clear();
      }
    }
  }

 private:
  int drawWord() {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto at =
        std::lower_bound(cumulative_.begin(), cumulative_.end(), unit(random_));
    return static_cast<int>(
        std::min<std::ptrdiff_t>(at - cumulative_.begin(), kVocabulary - 1));
  }

  std::mt19937_64 random_;
  std::vector<double> cumulative_;
};

// Fills G with `sentences` sentences "ab." in one text.
void fillAlike(Graph* G, int sentences) {
  std::string text;
  text.reserve(static_cast<size_t>(sentences) * 4);
  for (int s = 0; s < sentences; ++s) text += "ab. ";
  Read::readSentencesFromBytes(G, text, 1);
}

enum class Series { kZipf, kAlike };

double peakMegabytes() {
  struct rusage usage;
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// What one size gave, sent from the child to the parent.
struct Figures {
  int sentences = 0;
  long long words = 0;
  int topics = 0;
  double graphMegabytes = 0.0;
  double peakMegabytes = 0.0;
  double fastSeconds = 0.0;
  double literalSeconds = -1.0;  // not run
  int same = 1;
};

Figures measure(Series series, int sentences, bool runLiteral) {
  Figures f;
  Graph G;
  if (series == Series::kZipf) {
    ClusterGenerator(20240611u).fill(&G, sentences);
  } else {
    fillAlike(&G, sentences);
  }
  f.sentences = static_cast<int>(G.vertexList.size());
  for (const Vertex* V : G.vertexList) f.words += V->getSizeCharSentence();
  f.graphMegabytes = peakMegabytes();

  f.fastSeconds = secondsOf([&] { TopicalOrdering::createTopics(&G); });
  f.peakMegabytes = peakMegabytes();
  f.topics = static_cast<int>(G.topics.size());
  if (!runLiteral) return f;

  const std::vector<std::vector<Vertex*>> fast = G.topics;
  G.topics.clear();
  f.literalSeconds = secondsOf([&] { LiteralTopics::createTopics(&G); });
  f.same = G.topics == fast ? 1 : 0;
  return f;
}

bool measureInChild(Series series, int sentences, bool runLiteral, Figures* f) {
  int fd[2];
  if (::pipe(fd) != 0) return false;
  std::fflush(stdout);  // the child must not write the parent's buffer again
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::close(fd[0]);
    const Figures mine = measure(series, sentences, runLiteral);
    const bool sent =
        ::write(fd[1], &mine, sizeof mine) == static_cast<ssize_t>(sizeof mine);
    ::_exit(sent ? 0 : 1);
  }
  ::close(fd[1]);
  const bool got = ::read(fd[0], f, sizeof *f) == static_cast<ssize_t>(sizeof *f);
  ::close(fd[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return got && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Prints one series; returns false when a run failed or the topics differ.
bool runSeries(Series series, const std::vector<int>& sizes, bool literalOn) {
  std::printf("%10s %10s %8s %12s %12s %10s %10s %10s\n", "sentences", "words", "topics",
              "literal s", "fast s", "ratio", "graph MB", "peak MB");
  bool ok = true;
  double lastLiteral = 0.0;
  int lastSize = 0;
  for (int n : sizes) {
    if (literalOn && lastSize > 0) {
      const double scale = static_cast<double>(n) / lastSize;
      literalOn = lastLiteral * scale * scale <= kLiteralBudgetSeconds;
    }
    const bool runLiteral = literalOn;
    Figures f;
    if (!measureInChild(series, n, runLiteral, &f)) {
      std::fprintf(stderr, "topics_bench: the run of %d sentences failed\n", n);
      return false;
    }
    char literal[32] = "skipped";
    char ratio[32] = "-";
    if (f.literalSeconds >= 0.0) {
      std::snprintf(literal, sizeof literal, "%.3f", f.literalSeconds);
      std::snprintf(ratio, sizeof ratio, "%.0fx", f.literalSeconds / f.fastSeconds);
      lastLiteral = f.literalSeconds;
      lastSize = n;
    }
    std::printf("%10d %10lld %8d %12s %12.3f %10s %10.1f %10.1f%s\n", f.sentences,
                f.words, f.topics, literal, f.fastSeconds, ratio, f.graphMegabytes,
                f.peakMegabytes, f.same ? "" : "  TOPICS DIFFER");
    std::fflush(stdout);
    if (!f.same) ok = false;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  auto [sizes, literalOn] = sentralign::bench::parseSizeArguments(argc, argv);
  std::vector<int> alikeSizes = sizes;
  if (sizes.empty()) {
    sizes = {100, 1000, 10000, 100000};
    alikeSizes = {1000, 10000, 100000, 1000000};
  }

  std::printf(
      "topic clustering: vocabulary %d, P(rank r) ~ 1/(r+%g), %d-%d words a "
      "sentence, %.0f%% restated\n",
      kVocabulary, kZipfOffset, kMinWords, kMaxWords, kRestated * 100);
  bool ok = runSeries(Series::kZipf, sizes, literalOn);
  std::printf("\ntopic clustering: every sentence \"ab.\" (one topic of them all)\n");
  ok = runSeries(Series::kAlike, alikeSizes, literalOn) && ok;
  return ok ? 0 : 1;
}
