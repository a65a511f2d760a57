#include "eval/CorpusLayout.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_util.h"

namespace {

void makeDir(const std::string& path) { ::mkdir(path.c_str(), 0755); }

// "1:D1_a.txt.seg 10:D10_b.txt.seg": number and name of every text.
std::string texts(const ClusterFiles& files) {
  std::string s;
  for (const ClusterText& t : files.texts) {
    if (!s.empty()) s += ' ';
    s += std::to_string(t.number) + ":" + t.name;
  }
  return s;
}

// A cluster in the news corpus layout, with the given files.
void newsCluster(const ScopedTempDir& root, const std::string& name,
                 const std::vector<std::string>& texts,
                 const std::vector<std::string>& summaries) {
  makeDir(root.file(name));
  makeDir(root.file(name + "/" + CorpusLayout::kTextsDir));
  makeDir(root.file(name + "/" + CorpusLayout::kRelationsDir));
  makeDir(root.file(name + "/" + CorpusLayout::kSummariesDir));
  for (const std::string& t : texts) {
    root.write(name + "/" + CorpusLayout::kTextsDir + "/" + t, "S.\n");
  }
  for (const std::string& s : summaries) {
    root.write(name + "/" + CorpusLayout::kSummariesDir + "/" + s, "S.\n");
  }
}

}  // namespace

TEST(CorpusLayoutTest, NewsLayoutFilesAreFoundByDirectoryAndName) {
  ScopedTempDir root;
  newsCluster(root, "C1",
              {"D10_C1_b.txt.seg", "D2_C1_a.txt.seg", "notas.txt", ".oculto.seg"},
              {"C1_sumario_automatico_CSTSumm.txt",
               "C1_sumario_automatico_CSTSumm_ordenado_2.txt",
               "C1_sumario_automatico_CSTSumm_ordenado_1.txt", "C1_sumario_humano.txt"});
  root.write("C1/CST/D2_D10.cst", "");
  root.write("C1/CST/leia.txt", "");
  makeDir(root.file("C1/CST/velho.cst"));

  ClusterFiles files;
  std::string err;
  std::vector<std::string> warnings;
  ASSERT_TRUE(CorpusLayout::findClusterFiles(root.file("C1"), NamePatterns(), &files,
                                             &err, &warnings))
      << err;
  EXPECT_EQ(files.name, "C1");
  EXPECT_EQ(texts(files), "2:D2_C1_a.txt.seg 10:D10_C1_b.txt.seg");
  EXPECT_EQ(files.texts[0].path,
            root.file("C1/Textos-fonte segmentados/D2_C1_a.txt.seg"));
  EXPECT_EQ(files.relations, (std::vector<std::string>{root.file("C1/CST/D2_D10.cst")}));
  EXPECT_EQ(files.summary, root.file("C1/Sumarios/C1_sumario_automatico_CSTSumm.txt"));
  EXPECT_EQ(files.humans,
            (std::vector<std::string>{
                root.file("C1/Sumarios/C1_sumario_automatico_CSTSumm_ordenado_1.txt"),
                root.file("C1/Sumarios/C1_sumario_automatico_CSTSumm_ordenado_2.txt")}));
  EXPECT_EQ(warnings,
            (std::vector<std::string>{root.file("C1/Textos-fonte segmentados/notas.txt") +
                                      ": nao casa com *.seg; nao e lido como texto"}));
}

TEST(CorpusLayoutTest, BatchLayoutFilesAreInTheClusterItself) {
  ScopedTempDir root;
  makeDir(root.file("C2"));
  for (const char* name : {"D1_a.seg", "D3_b.seg", "D1_D3.cst", "resumo.txt",
                           "humano_1.txt", "humano_2.txt", "resCluster_C2.txt"}) {
    root.write(std::string("C2/") + name, "S.\n");
  }
  NamePatterns patterns;
  patterns.summary = "resumo*";
  patterns.human = "humano_*";
  ClusterFiles files;
  std::string err;
  std::vector<std::string> warnings;
  ASSERT_TRUE(
      CorpusLayout::findClusterFiles(root.file("C2"), patterns, &files, &err, &warnings))
      << err;
  EXPECT_EQ(texts(files), "1:D1_a.seg 3:D3_b.seg");
  EXPECT_EQ(files.relations, (std::vector<std::string>{root.file("C2/D1_D3.cst")}));
  EXPECT_EQ(files.summary, root.file("C2/resumo.txt"));
  EXPECT_EQ(files.humans.size(), 2u);
  EXPECT_TRUE(warnings.empty());
}

TEST(CorpusLayoutTest, ClustersThatCannotBeScoredAreErrors) {
  const std::string S = "C_sumario_automatico_CSTSumm.txt";
  const std::string H = "C_sumario_automatico_CSTSumm_ordenado_1.txt";
  struct Case {
    const char* name;
    std::vector<std::string> texts;
    std::vector<std::string> summaries;
    std::string error;  // after the cluster's path
  } cases[] = {
      {"no text",
       {"leia.txt"},
       {S, H},
       "/Textos-fonte segmentados: nenhum texto-fonte (*.seg)"},
      {"no summary",
       {"D1_a.txt.seg"},
       {H},
       "/Sumarios: nenhum sumario (*_sumario_automatico_CSTSumm.txt)"},
      {"two summaries",
       {"D1_a.txt.seg"},
       {"A" + S, "B" + S, H},
       "/Sumarios: mais de um sumario (*_sumario_automatico_CSTSumm.txt): AC_sumario_"
       "automatico_CSTSumm.txt e BC_sumario_automatico_CSTSumm.txt"},
      {"no human ordering",
       {"D1_a.txt.seg"},
       {S},
       "/Sumarios: nenhuma ordenacao humana "
       "(*_sumario_automatico_CSTSumm_ordenado_*.txt)"},
      {"two texts with one number",
       {"D1_a.txt.seg", "D1_b.txt.seg"},
       {S, H},
       ": dois textos com o numero 1: D1_a.txt.seg e D1_b.txt.seg"},
  };
  for (const Case& c : cases) {
    ScopedTempDir root;
    newsCluster(root, "C", c.texts, c.summaries);
    ClusterFiles files;
    std::string err;
    std::vector<std::string> warnings;
    EXPECT_FALSE(CorpusLayout::findClusterFiles(root.file("C"), NamePatterns(), &files,
                                                &err, &warnings))
        << c.name;
    EXPECT_EQ(err, root.file("C") + c.error) << c.name;
  }
}

TEST(CorpusLayoutTest, ClustersAreTheSubdirectoriesByName) {
  ScopedTempDir corpus;
  for (const char* name : {"C10", "C2", ".git"}) makeDir(corpus.file(name));
  corpus.write("LEIAME", "");
  std::vector<std::string> clusters;
  std::string err;
  ASSERT_TRUE(CorpusLayout::listClusters(corpus.path(), &clusters, &err));
  EXPECT_EQ(clusters, (std::vector<std::string>{corpus.file("C10"), corpus.file("C2")}));

  EXPECT_FALSE(CorpusLayout::listClusters(corpus.file("nada"), &clusters, &err));
  EXPECT_EQ(err, corpus.file("nada") + ": No such file or directory");
}

TEST(CorpusLayoutTest, AClusterIsToldFromACorpus) {
  ScopedTempDir root;
  newsCluster(root, "news", {"D1_a.txt.seg"}, {});
  makeDir(root.file("batch"));
  root.write("batch/D1_a.seg", "");
  makeDir(root.file("corpus"));
  makeDir(root.file("corpus/C1"));
  root.write("corpus/C1/D1_a.seg", "");
  makeDir(root.file("raw"));
  makeDir(root.file("raw/Textos-fonte"));
  makeDir(root.file("texts"));
  root.write("texts/D1_a.txt", "");
  const NamePatterns byDefault;
  EXPECT_TRUE(CorpusLayout::isCluster(root.file("news"), byDefault));
  EXPECT_TRUE(CorpusLayout::isCluster(root.file("batch"), byDefault));
  EXPECT_TRUE(CorpusLayout::isCluster(root.file("raw"), byDefault));
  EXPECT_FALSE(CorpusLayout::isCluster(root.file("corpus"), byDefault));
  EXPECT_FALSE(CorpusLayout::isCluster(root.file("texts"), byDefault));
  NamePatterns txt;
  txt.texts = "D*.txt";
  EXPECT_TRUE(CorpusLayout::isCluster(root.file("texts"), txt));
}

TEST(CorpusLayoutTest, TextsAreFoundByTheirPattern) {
  struct Case {
    const char* name;
    std::string pattern;               // --texts; empty: the default
    std::vector<std::string> entries;  // under C/; a name ending in "/" is a directory
    std::string texts;
    bool unsegmented;
    std::vector<std::string> warnings;  // after C/
  } cases[] = {
      {"segmented texts come first",
       "",
       {"Textos-fonte segmentados/D1_a.txt.seg", "Textos-fonte/D1_a.txt"},
       "1:D1_a.txt.seg",
       false,
       {}},
      {"else the texts as written, *.txt",
       "",
       {"Textos-fonte/D2_b.txt", "Textos-fonte/D1_a.txt", "Textos-fonte/leia.md"},
       "1:D1_a.txt 2:D2_b.txt",
       true,
       {"Textos-fonte/leia.md: nao casa com *.txt; nao e lido como texto"}},
      {"a pattern of one's own",
       "D*",
       {"Textos-fonte/D1_a", "Textos-fonte/D2_b.txt"},
       "1:D1_a 2:D2_b.txt",
       true,
       {}},
      {"a directory that matches is named",
       "",
       {"Textos-fonte segmentados/D1_a.seg", "Textos-fonte segmentados/D2_b.seg/"},
       "1:D1_a.seg",
       false,
       {"Textos-fonte segmentados/D2_b.seg: e um diretorio; nao e lido como texto"}},
      {"in the batch layout too",
       "",
       {"D1_a.seg", "D2_b.seg/", "notas.txt"},
       "1:D1_a.seg",
       false,
       {"D2_b.seg: e um diretorio; nao e lido como texto"}},
  };
  for (const Case& c : cases) {
    ScopedTempDir root;
    makeDir(root.file("C"));
    makeDir(root.file("C/Sumarios"));
    for (const std::string& entry : c.entries) {
      const size_t slash = entry.find('/');
      if (slash != std::string::npos) makeDir(root.file("C/" + entry.substr(0, slash)));
      if (entry.back() == '/') {
        makeDir(root.file("C/" + entry));
      } else {
        root.write("C/" + entry, "S.\n");
      }
    }
    for (const char* dir : {"C/Sumarios/", "C/"}) {
      root.write(std::string(dir) + "C_sumario_automatico_CSTSumm.txt", "S.\n");
      root.write(std::string(dir) + "C_sumario_automatico_CSTSumm_ordenado_1.txt",
                 "S.\n");
    }
    NamePatterns patterns;
    patterns.texts = c.pattern;
    ClusterFiles files;
    std::string err;
    std::vector<std::string> warnings;
    ASSERT_TRUE(
        CorpusLayout::findClusterFiles(root.file("C"), patterns, &files, &err, &warnings))
        << c.name << ": " << err;
    EXPECT_EQ(texts(files), c.texts) << c.name;
    EXPECT_EQ(files.unsegmentedTexts, c.unsegmented) << c.name;
    std::vector<std::string> expected;
    for (const std::string& w : c.warnings) expected.push_back(root.file("C/" + w));
    if (c.entries[0].find('/') != std::string::npos) {
      expected.push_back(root.file("C/CST") +
                         ": nao existe; o cluster fica sem relacoes");
    }
    EXPECT_EQ(warnings, expected) << c.name;
  }
}
