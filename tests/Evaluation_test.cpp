// The evaluation as a library call: what it gives, what it refuses, and
// that its threads change nothing. Also built alone under the thread
// sanitizer (make test-thread).

#include "eval/Evaluation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "test_util.h"

using sentralign::eval::EvaluationProgress;
using sentralign::eval::EvaluationRequest;
using sentralign::eval::EvaluationRun;
using sentralign::eval::reportRecords;
using sentralign::eval::runEvaluation;

namespace {

const std::string kCorpus = std::string(SENTRALIGN_SOURCE_DIR) + "/examples/noticias";

}  // namespace

TEST(EvaluationTest, TheCallGivesWhatTheCommandLinePrints) {
  ScopedTempDir corpus;
  writeExampleCorpus(corpus);
  ScopedTempDir cwd;
  EvaluationRequest request;
  request.directory = corpus.path();
  request.segmented = true;
  std::vector<std::string> heard;
  EvaluationRun run;
  std::string err;
  ASSERT_TRUE(runEvaluation(request, &run, &err, [&heard](const std::string& m) {
    heard.push_back(m);
  })) << err;
  EXPECT_FALSE(run.oneCluster);
  EXPECT_FALSE(run.complete());  // C0_vazio failed
  ASSERT_EQ(run.clusters.size(), 4u);
  EXPECT_EQ(run.messages, heard);

  const RunResult tool = runProgram(SENTRALIGN_EVAL_BIN,
                                    {"--segmented", "--csv", corpus.path()}, cwd.path());
  std::string printed;
  for (const std::string& m : heard) printed += "sentralign-eval: " + m + "\n";
  EXPECT_EQ(printed, tool.err);
  EXPECT_EQ(EvaluationReport(run.clusters, run.settings).csv(), tool.out);

  const std::vector<ReportRecord> records = reportRecords(run);
  EXPECT_EQ(records.size(), 4 * ClusterEvaluation::labels().size() +
                                6 * ClusterEvaluation::labels().size());
  EXPECT_EQ(renderRecords({records.front()}),
            "cluster=C1_ponte;humano=C1_sumario_automatico_CSTSumm_ordenado_1.txt;"
            "metodo=sumario;estatistica=valor;n=7.000000;sentencas_sumario=7.000000;"
            "sentencas_humano=7.000000;TS=0.285714;TK=0.142857;tau_b=0.142857;"
            "PMR=0.000000;no_lugar=0.428571;\n");
}

TEST(EvaluationTest, RequestsThatCannotStartSayWhy) {
  ScopedTempDir dir;
  ::mkdir(dir.file("vazio").c_str(), 0755);
  struct Case {
    const char* name;
    std::string directory;
    int jobs;
    double timeLimit;
    std::string err;
  } cases[] = {
      {"no thread", kCorpus, 0, 1, "jobs: numero invalido (de 1 a 256): 0"},
      {"too many threads", kCorpus, 257, 1, "jobs: numero invalido (de 1 a 256): 257"},
      {"a negative time", kCorpus, 1, -1, "limite de tempo invalido"},
      {"no directory", dir.file("nada"), 1, 1,
       dir.file("nada") + ": No such file or directory"},
      {"no cluster", dir.file("vazio"), 1, 1,
       dir.file("vazio") + ": nenhum cluster (nem textos *.seg)"},
  };
  for (const Case& c : cases) {
    EvaluationRequest request;
    request.directory = c.directory;
    request.jobs = c.jobs;
    request.timeLimit = c.timeLimit;
    EvaluationRun run;
    std::string err;
    EXPECT_FALSE(runEvaluation(request, &run, &err)) << c.name;
    EXPECT_EQ(err, c.err) << c.name;
    EXPECT_TRUE(run.clusters.empty() && run.messages.empty()) << c.name;
  }
}

TEST(EvaluationTest, ThreadsChangeNothing) {
  ScopedTempDir corpus;
  writeExampleCorpus(corpus);
  auto evaluate = [&](int jobs) {
    EvaluationRequest request;
    request.directory = corpus.path();
    request.jobs = jobs;
    request.compare = true;
    EvaluationRun run;
    std::string err;
    EXPECT_TRUE(runEvaluation(request, &run, &err)) << err;
    return std::make_pair(run.messages, renderRecords(reportRecords(run)));
  };
  const auto one = evaluate(1);
  for (const int jobs : {2, 4}) EXPECT_EQ(evaluate(jobs), one) << jobs;
}

TEST(EvaluationTest, ProgressNamesTheClusterRunningLongest) {
  ScopedTempDir corpus;
  writeDenseCluster(corpus, "C9_denso");
  ASSERT_EQ(::symlink((kCorpus + "/C1_ponte").c_str(), corpus.file("C1_ponte").c_str()),
            0);
  EvaluationRequest request;
  request.directory = corpus.path();
  request.segmented = true;
  request.jobs = 2;
  request.timeLimit = 1;
  std::vector<EvaluationProgress> heard;
  request.onProgress = [&heard](const EvaluationProgress& p) { heard.push_back(p); };
  EvaluationRun run;
  std::string err;
  ASSERT_TRUE(runEvaluation(request, &run, &err)) << err;
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back().done, 2u);
  EXPECT_EQ(heard.back().total, 2u);
  EXPECT_TRUE(heard.back().longestRunning.empty());
  bool denseSeenRunning = false;
  for (const EvaluationProgress& p : heard) {
    denseSeenRunning |= p.longestRunning == "C9_denso" && p.longestSeconds > 0;
  }
  EXPECT_TRUE(denseSeenRunning);
  EXPECT_TRUE(run.clusters[1].timedOut);
  EXPECT_TRUE(run.clusters[1].ok);
}
