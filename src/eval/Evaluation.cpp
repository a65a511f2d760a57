#include "eval/Evaluation.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

#include "eval/OrderingFiles.h"
#include "io/Encoding.h"
#include "io/Files.h"

namespace sentralign::eval {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kOutOfMemory[] = "memoria esgotada";
// How often the progress is told while clusters run.
constexpr std::chrono::milliseconds kProgressInterval(500);

bool checkRequest(const EvaluationRequest& request, std::string* err) {
  if (request.jobs < 1 || request.jobs > kMaxJobs) {
    *err = "jobs: numero invalido (de 1 a " + std::to_string(kMaxJobs) +
           "): " + std::to_string(request.jobs);
    return false;
  }
  if (!std::isfinite(request.timeLimit) || request.timeLimit < 0) {
    *err = "limite de tempo invalido";
    return false;
  }
  return true;
}

// Whether `path` is a directory; false, with "PATH: reason" in *err, when
// it cannot be looked at or is something else.
bool checkDirectory(const std::string& path, std::string* err) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    *err = io::describeError(path, errno);
    return false;
  }
  if (!S_ISDIR(st.st_mode)) {
    *err = io::describeError(path, ENOTDIR);
    return false;
  }
  return true;
}

// The cluster directories of the request: the directory itself, or its
// clusters.
bool findClusters(const EvaluationRequest& request, EvaluationRun* run,
                  std::vector<std::string>* dirs, std::string* err) {
  if (!checkDirectory(request.directory, err)) return false;
  run->oneCluster = CorpusLayout::isCluster(request.directory, request.patterns);
  if (run->oneCluster) {
    dirs->push_back(request.directory);
  } else if (!CorpusLayout::listClusters(request.directory, dirs, err)) {
    return false;
  }
  if (dirs->empty()) {
    *err = request.directory + ": nenhum cluster (nem textos " +
           request.patterns.textsIn(false) + ")";
    return false;
  }
  return true;
}

// Fails *result with `why`, dropping what it had scored. Allocates nothing
// that it cannot do without: it runs when memory has run out.
void fail(ClusterResult* result, const std::string& dir, const char* why) noexcept {
  result->ok = false;
  std::vector<EvaluationRow>().swap(result->rows);
  std::vector<MethodOrdering>().swap(result->orderings);
  std::string().swap(result->dot);
  try {
    if (result->name.empty()) result->name = io::baseName(dir);
    result->error = dir + ": " + why;
  } catch (...) {
    // The report says kOutOfMemory for a failure without a reason.
  }
}

// Finds the files of the cluster `dir` and evaluates it into *result.
// Whatever goes wrong, running out of memory included, fails this cluster
// alone.
void evaluateCluster(const std::string& dir, const NamePatterns& patterns,
                     const StartupData& startup, const EvaluationOptions& options,
                     ClusterResult* result) noexcept {
  try {
    ClusterFiles files;
    std::string err;
    if (!CorpusLayout::findClusterFiles(dir, patterns, &files, &err, &result->messages)) {
      result->name = files.name;
      result->error = err;
      return;
    }
    ClusterEvaluation::evaluate(files, startup, options, result);
  } catch (const std::bad_alloc&) {
    fail(result, dir, kOutOfMemory);
  } catch (const std::exception& e) {
    fail(result, dir, e.what());
  } catch (...) {
    fail(result, dir, "erro inesperado");
  }
}

// Runs the clusters of a corpus on worker threads and tells the calling
// thread, in corpus order, as each one is done.
class ClusterRunner {
 public:
  ClusterRunner(const std::vector<std::string>& dirs, const EvaluationRequest& request,
                const StartupData& startup, const EvaluationOptions& options,
                std::vector<ClusterResult>* results)
      : dirs_(dirs),
        request_(request),
        startup_(startup),
        options_(options),
        results_(results),
        state_(dirs.size(), kWaiting),
        started_(dirs.size()) {
    results_->assign(dirs.size(), ClusterResult());
  }

  // Evaluates every cluster, calling report(i) for each in order, on this
  // thread, as soon as it and those before it are done. When report or
  // the progress callback throws, the workers finish the clusters they
  // hold, start no other, and are joined before the exception goes on.
  void run(const std::function<void(size_t)>& report) {
    startWorkers();
    try {
      reportInOrder(report);
    } catch (...) {
      next_ = dirs_.size();
      joinWorkers();
      throw;
    }
    joinWorkers();
  }

 private:
  enum State { kWaiting, kRunning, kDone };

  // Starts request.jobs workers, or as many as the system gives; with none,
  // does all the work on this thread.
  void startWorkers() {
    const size_t wanted = std::min(dirs_.size(), static_cast<size_t>(request_.jobs));
    workers_.reserve(wanted);  // so that adding a started thread cannot throw
    for (size_t t = 0; t < wanted; ++t) {
      try {
        workers_.emplace_back([this] { work(); });
      } catch (const std::system_error&) {
        break;  // the system gives no more threads
      }
    }
    if (workers_.empty()) work();
  }

  void reportInOrder(const std::function<void(size_t)>& report) {
    for (size_t reported = 0; reported < dirs_.size();) {
      std::vector<size_t> ready;
      EvaluationProgress progress;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        finished_.wait_for(lock, kProgressInterval,
                           [&] { return state_[reported] == kDone; });
        while (reported < dirs_.size() && state_[reported] == kDone) {
          ready.push_back(reported++);
        }
        progress = progressLocked(reported);
      }
      for (const size_t i : ready) report(i);
      if (request_.onProgress) request_.onProgress(progress);
    }
  }

  void joinWorkers() {
    for (std::thread& worker : workers_) worker.join();
    workers_.clear();
  }

  void work() {
    for (size_t i = next_++; i < dirs_.size(); i = next_++) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        state_[i] = kRunning;
        started_[i] = Clock::now();
      }
      evaluateCluster(dirs_[i], request_.patterns, startup_, options_, &(*results_)[i]);
      std::lock_guard<std::mutex> lock(mutex_);
      state_[i] = kDone;
      finished_.notify_one();
    }
  }

  EvaluationProgress progressLocked(size_t reported) const {
    EvaluationProgress progress;
    progress.done = reported;
    progress.total = dirs_.size();
    const Clock::time_point now = Clock::now();
    for (size_t i = 0; i < dirs_.size(); ++i) {
      if (state_[i] != kRunning) continue;
      const double seconds = std::chrono::duration<double>(now - started_[i]).count();
      if (progress.longestRunning.empty() || seconds > progress.longestSeconds) {
        progress.longestRunning = io::printable(io::baseName(dirs_[i]));
        progress.longestSeconds = seconds;
      }
    }
    return progress;
  }

  const std::vector<std::string>& dirs_;
  const EvaluationRequest& request_;
  const StartupData& startup_;
  const EvaluationOptions& options_;
  std::vector<ClusterResult>* results_;
  std::mutex mutex_;
  std::condition_variable finished_;
  std::vector<State> state_;                // guarded by mutex_
  std::vector<Clock::time_point> started_;  // guarded by mutex_
  std::atomic<size_t> next_{0};
  std::vector<std::thread> workers_;
};

}  // namespace

bool EvaluationRun::complete() const {
  if (writeFailed) return false;
  return std::all_of(clusters.begin(), clusters.end(),
                     [](const ClusterResult& c) { return c.ok && !c.timedOut; });
}

bool runEvaluation(const EvaluationRequest& request, EvaluationRun* run, std::string* err,
                   const std::function<void(const std::string&)>& onMessage) {
  *run = EvaluationRun();
  auto say = [&](const std::string& message) {
    run->messages.push_back(io::printable(message));
    if (onMessage) onMessage(run->messages.back());
  };
  std::vector<std::string> dirs;
  if (!checkRequest(request, err) || !findClusters(request, run, &dirs, err)) {
    *err = io::printable(*err);
    *run = EvaluationRun();
    return false;
  }
  StartupData startup;
  std::vector<std::string> startupMessages;
  const bool loaded = ClusterEvaluation::loadStartupData(&startup, &startupMessages, err);
  for (const std::string& m : startupMessages) say(m);
  if (!loaded) {
    *err = io::printable(*err);
    *run = EvaluationRun();
    return false;
  }

  run->settings.seed = request.seed;
  run->settings.compare = request.compare;
  run->settings.measure = request.measure;
  EvaluationOptions options;
  options.segmented = request.segmented;
  options.seed = request.seed;
  options.wantDot = request.wantDot;
  options.wantOrderings = !request.orderingsDirectory.empty();
  options.timeLimit = request.timeLimit;
  run->settings.shuffles = options.shuffles;

  ClusterRunner runner(dirs, request, startup, options, &run->clusters);
  runner.run([&](size_t i) {
    const ClusterResult& result = run->clusters[i];
    for (const std::string& m : result.messages) say(m);
    for (const std::string& n : result.notes) say(n);
    if (!result.ok) say(result.error.empty() ? kOutOfMemory : result.error);
    if (!result.ok || !options.wantOrderings || run->writeFailed) return;
    std::string writeErr;
    if (!writeOrderings(request.orderingsDirectory, result, &writeErr)) {
      say(writeErr);
      run->writeFailed = true;
    }
  });
  return true;
}

std::vector<ReportRecord> reportRecords(const EvaluationRun& run) {
  return EvaluationReport(run.clusters, run.settings).records();
}

}  // namespace sentralign::eval
