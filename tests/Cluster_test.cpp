// The library's Cluster against the sentralign executable: the same order,
// byte for byte, for every method, from files and from memory; the edges
// method 6 removes; the errors; several orderings at once.

#include "sentralign/Cluster.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>
#include <thread>

#include "sentralign/sentralign.h"
#include "test_util.h"

namespace {

using sentralign::Cluster;
using sentralign::ClusterSource;
using sentralign::Error;
using sentralign::Method;

const std::string kExample = exampleCluster();
const std::vector<std::string> kTexts = exampleTexts();
const std::vector<std::string> kRelations = exampleRelations();

// The sentences of an ordering, one a line, as sentralign writes them.
std::string written(const sentralign::Ordering& o) {
  std::string s;
  for (const sentralign::Sentence& sentence : o.sentences) s += sentence.bytes + "\n";
  return s;
}

// What sentralign writes and prints for `method` on the given files, run
// in an empty directory so that it takes the shipped start-up files.
struct ToolRun {
  std::string output;   // the ordered summary
  std::string console;  // its stdout
};
ToolRun runTool(int method, const std::string& summary,
                const std::vector<std::string>& texts,
                const std::vector<std::string>& relations) {
  ScopedTempDir dir;
  std::vector<std::string> args = {std::to_string(method), summary, dir.file("out.txt"),
                                   std::to_string(texts.size())};
  args.insert(args.end(), texts.begin(), texts.end());
  args.push_back(std::to_string(relations.size()));
  args.insert(args.end(), relations.begin(), relations.end());
  const RunResult r = runProgram(SENTRALIGN_BIN, args, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  return {readWholeFile(dir.file("out.txt")), r.out};
}

// The lines "V(text,place):sentence" that sentralign prints for the
// sources of the edges method 6 removes.
std::string removedLines(const Cluster& cluster, const sentralign::Ordering& o) {
  std::string s;
  for (const sentralign::RemovedEdge& e : o.removed) {
    for (const sentralign::Sentence& sentence : cluster.sentences()) {
      if (!(sentence.id == e.source)) continue;
      s += "V(" + std::to_string(e.source.text) + "," + std::to_string(e.source.place) +
           "):" + sentence.bytes + "\n";
      break;
    }
  }
  return s;
}

std::vector<std::string> linesOf(const std::string& path) {
  std::vector<std::string> lines;
  std::string text = readWholeFile(path);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

TEST(ClusterTest, OrdersTheExampleClusterAsTheToolDoes) {
  const Cluster fromFiles = Cluster::fromFiles(kTexts, kRelations);
  ClusterSource source;
  for (std::size_t k = 0; k < kTexts.size(); ++k) {
    source.texts.push_back(
        {static_cast<int>(k) + 1, readWholeFile(kTexts[k]), kTexts[k]});
  }
  for (const std::string& path : kRelations) {
    source.relations.emplace_back(sentralign::RelationFile{readWholeFile(path), path});
  }
  const Cluster fromMemory(source);
  for (int method = 1; method <= 6; ++method) {
    const ToolRun tool = runTool(method, kExample + "resumo.txt", kTexts, kRelations);
    for (const Cluster* cluster : {&fromFiles, &fromMemory}) {
      const sentralign::Ordering o =
          cluster->orderFile(kExample + "resumo.txt", static_cast<Method>(method));
      EXPECT_EQ(written(o), tool.output) << "method " << method;
      EXPECT_TRUE(o.unmatched.empty());
      // The tool prints the removed edges' sources between its echo lines
      // and its last line.
      const std::string removed = removedLines(*cluster, o);
      EXPECT_NE(tool.console.find("Numero de CSTFiles: 3\n" + removed + "\nORDENACAO"),
                std::string::npos)
          << "method " << method << ":\n"
          << removed;
      EXPECT_EQ(o.removed.empty(), method != 6);
    }
  }
}

// Generated clusters: texts of random sentences, relation records of
// random types both ways between texts, a summary of random sentences
// (some twice, one that names nothing), in files for the tool.
TEST(ClusterTest, OrdersGeneratedClustersAsTheToolDoes) {
  const char* kTypes[] = {"Overlap",     "Elaboration",           "Follow-up",
                          "Subsumption", "Historical-background", "Identity",
                          "Attribution"};
  const char* kWords[] = {"ponte", "rio",    "chuva",   "a",
                          "de",    "cidade", "Governo", "obra"};
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed);
    auto pick = [&rng](int n) {
      return static_cast<int>(rng() % static_cast<unsigned>(n));
    };
    ScopedTempDir dir;
    std::vector<std::string> texts;
    std::vector<std::vector<std::string>> sentences;
    const int textCount = 2 + pick(2);
    for (int t = 1; t <= textCount; ++t) {
      std::string text;
      sentences.emplace_back();
      const int count = 3 + pick(8);
      for (int k = 0; k < count; ++k) {
        std::string sentence;
        const int words = 1 + pick(6);
        for (int w = 0; w < words; ++w)
          sentence += std::string(w ? " " : "") + kWords[pick(8)];
        sentence += ".";
        sentences.back().push_back(sentence);
        text += sentence + (pick(3) == 0 ? " " : "\n");
      }
      texts.push_back(dir.write("D" + std::to_string(t) + "_x.txt", text));
    }
    std::string records;
    for (int r = 0; r < 25; ++r) {
      const int a = 1 + pick(textCount);
      const int b = 1 + pick(textCount);
      records += "<R SDID=\"D" + std::to_string(a) + "_x\" SSENT=\"" +
                 std::to_string(1 + pick(12)) + "\" TDID=\"D" + std::to_string(b) +
                 "_x\" TSENT=\"" + std::to_string(1 + pick(12)) +
                 "\">\n<RELATION TYPE=\"" + kTypes[pick(7)] + "\" JUDGE=\"t\"/>\n</R>\n";
    }
    const std::vector<std::string> relations = {dir.write("r.cst", records)};
    std::string summary;
    for (int k = 0; k < 6; ++k) {
      const auto& text = sentences[static_cast<std::size_t>(pick(textCount))];
      summary +=
          text[static_cast<std::size_t>(pick(static_cast<int>(text.size())))] + "\n";
    }
    summary += "Nada disso.\n";
    const std::string summaryPath = dir.write("s.txt", summary);

    const Cluster cluster = Cluster::fromFiles(texts, relations);
    for (int method = 1; method <= 6; ++method) {
      const ToolRun tool = runTool(method, summaryPath, texts, relations);
      const sentralign::Ordering o = cluster.order(linesOf(summaryPath), Method(method));
      EXPECT_EQ(written(o), tool.output) << "seed " << seed << ", method " << method;
      ASSERT_EQ(o.unmatched.size(), 1u);
      EXPECT_EQ(o.unmatched[0].line, 7);
    }
  }
}

// A Relation links as a relation file's record does, and the segmentation
// of one sentence a line keeps every byte of a line.
TEST(ClusterTest, RelationsAndSegmentations) {
  ClusterSource withFile;
  withFile.texts = {{1, "Um. Dois.\nTres.\n", "a"}, {2, "Quatro.\n", "b"}};
  withFile.relationTypes = "Elaboration 1.5 f\nOverlap 0.1 t\n";
  ClusterSource withRecords = withFile;
  withFile.relations.emplace_back(sentralign::RelationFile{
      "<R SDID=\"D1_\" SSENT=\"3\" TDID=\"D2_\" TSENT=\"1\">\n<RELATION "
      "TYPE=\"Overlap\" JUDGE=\"t\"/></R>\n",
      "r.cst"});
  withRecords.relations.emplace_back(sentralign::Relation{{1, 3}, {2, 1}, "Overlap"});
  const std::vector<std::string> summary = {"Um.\n", "Quatro.\r\n", "Tres."};
  // Without the edge from 1.3 to 2.1, "Quatro." would come first.
  for (const ClusterSource* source : {&withFile, &withRecords}) {
    const sentralign::Ordering o = Cluster(*source).order(summary, Method::kTopological);
    EXPECT_EQ(written(o), "Um.\nTres.\nQuatro.\n");
  }

  ClusterSource lines = withFile;
  lines.segmentation = sentralign::Segmentation::kLines;
  const Cluster cluster(lines);
  ASSERT_EQ(cluster.sentences().size(), 3u);
  EXPECT_EQ(cluster.sentences()[0].bytes, "Um. Dois.");
  EXPECT_TRUE(cluster.sentences()[2].id == (sentralign::SentenceId{2, 1}));
}

TEST(ClusterTest, FailuresComeBackAsErrors) {
  auto kindOf = [](const std::function<void()>& call, std::string* message) {
    try {
      call();
    } catch (const Error& e) {
      *message = e.what();
      return e.kind();
    }
    ADD_FAILURE() << "no error";
    return Error::Kind::kOutOfMemory;
  };
  ClusterSource two;
  two.texts = {{1, "Um.\n", ""}, {2, "Dois.\n", ""}};
  struct Case {
    const char* name;
    std::function<void()> call;
    Error::Kind kind;
    std::string message;
  } cases[] = {
      {"missing text", [] { Cluster::fromFiles({"/no/such.txt"}); }, Error::Kind::kFile,
       "/no/such.txt: No such file or directory"},
      {"missing summary", [&] { Cluster(two).orderFile("/no/s.txt", Method::kPosition); },
       Error::Kind::kFile, "/no/s.txt: No such file or directory"},
      {"method name", [] { sentralign::parseMethod("posicao"); },
       Error::Kind::kInvalidInput,
       "metodo desconhecido: posicao (de 1 a 6, ou position, length-up, length-down, "
       "topics, topological, acyclic)"},
      {"method number", [&] { Cluster(two).order({}, static_cast<Method>(7)); },
       Error::Kind::kInvalidInput, "metodo desconhecido: 7 (de 1 a 6)"},
      {"relation to no sentence",
       [&] {
         ClusterSource s = two;
         s.relations.emplace_back(sentralign::Relation{{1, 1}, {2, 9}, "Overlap"});
         Cluster c(s);
       },
       Error::Kind::kInvalidInput, "relacao de 1.1 para 2.9: nao ha sentenca 2.9"},
      {"unknown type",
       [&] {
         ClusterSource s = two;
         s.relations.emplace_back(sentralign::Relation{{1, 1}, {2, 1}, "elaboration"});
         Cluster c(s);
       },
       Error::Kind::kInvalidInput,
       "relacao de 1.1 para 2.1: tipo desconhecido na descricao de relacoes: "
       "elaboration"},
      {"text number twice",
       [] {
         ClusterSource s;
         s.texts = {{1, "Um.\n", ""}, {1, "Dois.\n", ""}};
         Cluster c(s);
       },
       Error::Kind::kInvalidInput, "dois textos com o numero 1"},
  };
  for (const Case& c : cases) {
    std::string message;
    EXPECT_EQ(kindOf(c.call, &message), c.kind) << c.name;
    EXPECT_EQ(message, c.message) << c.name;
  }
  try {
    Cluster::fromFiles({"/no/such.txt"});
  } catch (const Error& e) {
    EXPECT_EQ(e.systemError(), ENOENT);
    EXPECT_EQ(e.path(), "/no/such.txt");
  }
}

// A dense cluster, all its relations running both ways: method 6 gives up
// once its time limit has passed, the other methods do not look at it.
TEST(ClusterTest, MethodSixGivesUpAfterItsTimeLimit) {
  ClusterSource source;
  for (int t = 1; t <= 3; ++t) {
    std::string text;
    for (int k = 1; k <= 40; ++k) text += "Frase " + std::to_string(k) + ".\n";
    source.texts.push_back({t, text, ""});
  }
  std::mt19937 rng(3);
  for (int r = 0; r < 150; ++r) {
    const int a = 1 + static_cast<int>(rng() % 3);
    const int b = 1 + (a + static_cast<int>(rng() % 2)) % 3;
    source.relations.emplace_back(
        sentralign::Relation{{a, 1 + static_cast<int>(rng() % 40)},
                             {b, 1 + static_cast<int>(rng() % 40)},
                             "Overlap"});
  }
  const Cluster cluster(source);
  sentralign::OrderOptions soon;
  soon.timeLimitSeconds = 0.05;
  try {
    cluster.order({"Frase 1."}, Method::kAcyclic, soon);
    ADD_FAILURE() << "no time limit";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), Error::Kind::kTimeLimit);
    EXPECT_EQ(std::string(e.what()),
              "metodo 6: a remocao de ciclos passou do limite de 0.05 s (o grafo de "
              "relacoes tem ciclos demais)");
  }
  EXPECT_EQ(cluster.order({"Frase 1."}, Method::kTopological, soon).sentences.size(), 1u);
}

TEST(ClusterTest, OrdersOnSeveralThreadsAtOnce) {
  const Cluster cluster = Cluster::fromFiles(kTexts, kRelations);
  const std::vector<std::string> summary = linesOf(kExample + "resumo.txt");
  std::vector<std::string> expected;
  for (int method = 1; method <= 6; ++method) {
    expected.push_back(written(cluster.order(summary, Method(method))));
  }
  std::vector<std::string> got(24);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < got.size(); ++i) {
    threads.emplace_back([&, i] {
      got[i] = written(cluster.order(summary, Method(static_cast<int>(i % 6) + 1)));
    });
  }
  for (std::thread& t : threads) t.join();
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], expected[i % 6]) << i;
}

TEST(ClusterTest, MethodsByName) {
  const char* names[] = {"position", "length-up",   "length-down",
                         "topics",   "topological", "acyclic"};
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(sentralign::parseMethod(names[k - 1]), Method(k));
    EXPECT_EQ(sentralign::parseMethod(std::to_string(k)), Method(k));
    EXPECT_STREQ(sentralign::methodName(Method(k)), names[k - 1]);
  }
  EXPECT_STREQ(sentralign::version(), SENTRALIGN_VERSION);
}

}  // namespace
