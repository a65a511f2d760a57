// The corpus batch driver: directory walks and whole runs of
// sentralign-batch.

#include "main2.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_util.h"

TEST(Main2Test, ExtensionIsWhatFollowsTheLastDot) {
  struct Case {
    const char* name;
    bool isText;
  } cases[] = {
      {"D1_x.seg", true},  {"a.b.seg", true},       {"seg", true},    {"text.SEG", false},
      {"text.Seg", false}, {"text.seg.txt", false}, {"text.", false}, {".seg", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(extensionTest(c.name, "seg"), c.isText) << c.name;
  }
}

TEST(Main2Test, ClustersAreTheEntriesThatDoNotBeginWithADot) {
  ScopedTempDir corpus;
  ::mkdir(corpus.file("C1").c_str(), 0755);
  ::mkdir(corpus.file(".cache").c_str(), 0755);
  corpus.write("plain", "");
  std::vector<std::string> directories;
  ASSERT_TRUE(createDirectories(corpus.path() + "/", &directories));
  std::sort(directories.begin(), directories.end());
  EXPECT_EQ(directories,
            (std::vector<std::string>{corpus.file("C1"), corpus.file("plain")}));
}

TEST(Main2Test, FileKindsAreTakenFromNames) {
  ScopedTempDir cluster;
  for (const char* name : {"D1_a.seg", "a.b.seg", "seg", "text.SEG", "D1_D2.cst",
                           "resCluster_a", "resCluster_b", "resClust", "x.txt"}) {
    cluster.write(name, "");
  }
  std::vector<std::string> texts, relations;
  std::string summary = "unchanged";
  ASSERT_TRUE(
      createFileNames(cluster.path(), &texts, &relations, "resCluster", &summary));
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::string>{"D1_a.seg", "a.b.seg", "seg"}));
  EXPECT_EQ(relations, (std::vector<std::string>{"D1_D2.cst"}));

  // The summary is the last "resCluster" entry in listing order.
  std::string last;
  DIR* listing = ::opendir(cluster.path().c_str());
  while (const dirent* e = ::readdir(listing)) {
    if (std::string(e->d_name).rfind("resCluster", 0) == 0) last = e->d_name;
  }
  ::closedir(listing);
  EXPECT_EQ(summary, cluster.file(last));
}

TEST(Main2Test, UnlistableDirectoryFails) {
  std::vector<std::string> directories;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(createDirectories("/nonexistent/", &directories));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Nao foi possivel abrir diretorio.\n"
            "sentralign-batch: /nonexistent/: No such file or directory\n");
}

class BatchTest : public testing::Test {
 protected:
  RunResult run(const std::vector<std::string>& args) {
    return runProgram(SENTRALIGN_BATCH_BIN, args, scratch.path());
  }
  const std::string corpus = std::string(SENTRALIGN_SOURCE_DIR) + "/examples/corpus/";
  ScopedTempDir scratch;
};

TEST_F(BatchTest, ReadsTheExampleCorpus) {
  const RunResult r = run({"4", corpus});
  EXPECT_EQ(r.out, "melthod: 4\n" + corpus + "\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

TEST_F(BatchTest, WithoutCorpusWalksTheInstalledOne) {
  const RunResult r = run({"x"});
  EXPECT_EQ(r.out, "melthod: 0\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

TEST_F(BatchTest, ClusterWithoutSummaryIsReportedAndSkipped) {
  ::mkdir(scratch.file("corpus").c_str(), 0755);
  ::mkdir(scratch.file("corpus/C9").c_str(), 0755);
  scratch.write("corpus/C9/D1_a.seg", "Um.\n");
  const RunResult r = run({"1", "corpus/"});
  EXPECT_EQ(r.out, "melthod: 1\ncorpus/\n");
  EXPECT_EQ(r.err,
            "sentralign-batch: corpus/C9: nenhum sumario (arquivo resCluster*) no "
            "cluster\n");
  EXPECT_EQ(r.status, 0);
}

TEST_F(BatchTest, MarkersWithoutSentencesAreReported) {
  // A cluster without texts: its summary matches nothing.
  ::mkdir(scratch.file("corpus").c_str(), 0755);
  ::mkdir(scratch.file("corpus/C1").c_str(), 0755);
  scratch.write("corpus/C1/resCluster_1", "<s1_t1:> Um.\n<s2_t1:> Dois.\n");
  const RunResult r = run({"1", "corpus/"});
  EXPECT_EQ(r.err,
            "sentralign-batch: corpus/C1/resCluster_1:1: marcador do sumario sem "
            "sentenca correspondente, descartado: <s1_t1:\n"
            "sentralign-batch: corpus/C1/resCluster_1:2: marcador do sumario sem "
            "sentenca correspondente, descartado: <s2_t1:\n");
  EXPECT_EQ(r.status, 0);
}

TEST_F(BatchTest, UnopenableDirectoriesEndTheRun) {
  ::mkdir(scratch.file("corpus").c_str(), 0755);
  scratch.write("corpus/plain", "");
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string out, err;
  } cases[] = {
      {"no such corpus",
       {"1", "none/"},
       "melthod: 1\nnone/\n",
       "Nao foi possivel abrir diretorio.\n"
       "sentralign-batch: none/: No such file or directory\n"},
      {"corpus without trailing slash",
       {"1", "corpus"},
       "melthod: 1\ncorpus\n",
       "Nao foi possivel abrir diretorio.\n"
       "sentralign-batch: corpusplain: No such file or directory\n"
       "sentralign-batch: o caminho do corpus deve terminar com '/': corpus/\n"},
      {"missing corpus without trailing slash",
       {"1", "none"},
       "melthod: 1\nnone\n",
       "Nao foi possivel abrir diretorio.\n"
       "sentralign-batch: none: No such file or directory\n"
       "sentralign-batch: o caminho do corpus deve terminar com '/': none/\n"},
      {"plain file as cluster",
       {"1", "corpus/"},
       "melthod: 1\ncorpus/\n",
       "Nao foi possivel abrir diretorio.\n"
       "sentralign-batch: corpus/plain: Not a directory\n"},
      {"no method", {}, "", "sentralign-batch: uso: sentralign-batch METODO [CORPUS/]\n"},
  };
  for (const Case& c : cases) {
    const RunResult r = run(c.args);
    EXPECT_EQ(r.out, c.out) << c.name;
    EXPECT_EQ(r.err, c.err) << c.name;
    EXPECT_EQ(r.status, 1) << c.name;
  }
}

TEST_F(BatchTest, HelpAndVersionAreTheOnlyArgument) {
  const RunResult help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Uso: sentralign-batch METODO [CORPUS/]\n", 0), 0u);
  EXPECT_EQ(help.err, "");
  const RunResult version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("sentralign-batch ", 0), 0u);
  // With a corpus after it, "--help" is a method number like any other word.
  const RunResult walk = run({"--help", corpus});
  EXPECT_EQ(walk.out, "melthod: 0\n" + corpus + "\n");
  EXPECT_EQ(walk.status, 0);
}
