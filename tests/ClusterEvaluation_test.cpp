#include "eval/ClusterEvaluation.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>

#include "Graph.h"
#include "Read.h"
#include "eval/CorpusLayout.h"
#include "test_util.h"

namespace {

// A cluster written to a scratch directory file by file, and the start-up
// data of a tiny stop list and two relation types.
class ClusterEvaluationTest : public testing::Test {
 protected:
  ClusterEvaluationTest() {
    startup.stopList = {"a", "o"};
    Graph types;
    Read::readDescriptionOfRelationsCSTFromBytes(&types,
                                                 "Overlap 0.1 t\nElaboration 1.5 f\n");
    startup.cstList = types.cstList;
    files.name = "C";
    files.dir = dir.path();
  }

  void addText(int number, const std::string& name, const std::string& bytes) {
    files.texts.push_back({dir.write(name, bytes), name, number});
  }

  ClusterResult evaluate(const EvaluationOptions& options = EvaluationOptions()) {
    ClusterResult result;
    ClusterEvaluation::evaluate(files, startup, options, &result);
    return result;
  }

  // The scores of the row under `label`.
  static const AgreementScores& scores(const EvaluationRow& row,
                                       const std::string& label) {
    const std::vector<std::string>& labels = ClusterEvaluation::labels();
    const size_t m = static_cast<size_t>(std::find(labels.begin(), labels.end(), label) -
                                         labels.begin());
    return row.scores.at(m);
  }

  ScopedTempDir dir;
  StartupData startup;
  ClusterFiles files;
};

}  // namespace

TEST_F(ClusterEvaluationTest, EachHumanOrderingIsARowScoredOnTheSharedSentences) {
  addText(1, "D1_a.seg", "Aa um.\nBb dois tres.\nCc quatro cinco seis.\n");
  addText(2, "D2_b.seg", "Dd sete.\n");
  files.summary = dir.write("resumo.txt", "Cc quatro cinco seis.\nAa um.\nDd sete.\n");
  files.humans = {dir.write("h1.txt", "Aa um.\nCc quatro cinco seis.\nDd sete.\n"),
                  dir.write("h2.txt", "Dd sete.\nAa um.\nOutra.\n")};
  const ClusterResult result = evaluate();
  ASSERT_TRUE(result.ok) << result.error;
  ASSERT_EQ(result.rows.size(), 2u);
  for (const EvaluationRow& row : result.rows) {
    EXPECT_EQ(row.scores.size(), ClusterEvaluation::labels().size());
  }

  const EvaluationRow& full = result.rows[0];
  EXPECT_EQ(full.human, "h1.txt");
  EXPECT_EQ(scores(full, "sumario").n, 3);
  EXPECT_EQ(scores(full, "sumario").TS, 0.5);  // the first two swapped
  // By position: 1.1 and 2.1 (place 1, equal lengths, summary order), 1.3.
  EXPECT_EQ(scores(full, "1-posicao").TS, 0.5);
  EXPECT_EQ(scores(full, "1-posicao").inPlace, 1.0 / 3);
  EXPECT_EQ(scores(full, "3-decrescente").perfectMatch, 0.0);

  const EvaluationRow& part = result.rows[1];
  EXPECT_EQ(part.summarySentences, 3);
  EXPECT_EQ(part.humanSentences, 2);
  EXPECT_EQ(scores(part, "sumario").n, 2);
  EXPECT_EQ(scores(part, "sumario").TS, -1.0);
  EXPECT_EQ(scores(part, "1-posicao").TS, -1.0);
  EXPECT_EQ(scores(part, "aleatorio").n, 2);
  EXPECT_EQ(result.notes, (std::vector<std::string>{
                              "C/h2.txt: pontuado nas 2 sentencas em comum (sumario 3, "
                              "ordenacao humana 2)"}));
  EXPECT_EQ(result.messages,
            (std::vector<std::string>{
                dir.file("h2.txt") +
                ":3: linha sem sentenca correspondente, descartada: Outra.; nenhuma "
                "sentenca tem palavra em comum"}));
}

TEST_F(ClusterEvaluationTest, MethodsOrderTheSummaryNotTheHumanOrdering) {
  // Both sentences tie on every key of methods 1 to 3, so they keep the
  // order of the list they sort: the summary's, the reverse of the human's.
  addText(1, "D1_a.seg", "Um dois.\n");
  addText(2, "D2_b.seg", "Tres quatro.\n");
  files.summary = dir.write("resumo.txt", "Tres quatro.\nUm dois.\n");
  files.humans = {dir.write("h.txt", "Um dois.\nTres quatro.\n")};
  const ClusterResult result = evaluate();
  ASSERT_TRUE(result.ok) << result.error;
  for (const char* label : {"sumario", "1-posicao", "2-crescente", "3-decrescente"}) {
    EXPECT_EQ(scores(result.rows[0], label).TS, -1.0) << label;
  }
}

TEST_F(ClusterEvaluationTest, FilesInLatin1AreConvertedAndSaidSo) {
  addText(1, "D1_a.seg", "Ol\xE1 mundo.\nCora\xE7\xE3o.\n");
  files.summary = dir.write("resumo.txt", "Cora\xC3\xA7\xC3\xA3o.\nOl\xC3\xA1 mundo.\n");
  files.humans = {dir.write("h.txt", "Ol\xE1 mundo.\nCora\xE7\xE3o.\n")};
  const ClusterResult result = evaluate();
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(scores(result.rows[0], "sumario").n, 2);
  const std::string converted =
      ": nao e UTF-8; lido como Latin-1 e convertido para UTF-8";
  EXPECT_EQ(result.messages, (std::vector<std::string>{dir.file("D1_a.seg") + converted,
                                                       dir.file("h.txt") + converted}));
}

TEST_F(ClusterEvaluationTest, AStrayByteLeavesTheRestOfAFileUtf8) {
  // One Latin-1 byte in a UTF-8 summary: the accented lines still match.
  addText(1, "D1_a.seg", "Ol\xC3\xA1 mundo.\nCora\xC3\xA7\xC3\xA3o.\nCaf\xC3\xA9.\n");
  files.summary =
      dir.write("resumo.txt", "Cora\xC3\xA7\xC3\xA3o.\nCaf\xE9.\nOl\xC3\xA1 mundo.\n");
  files.humans = {
      dir.write("h.txt", "Ol\xC3\xA1 mundo.\nCora\xC3\xA7\xC3\xA3o.\nCaf\xC3\xA9.\n")};
  const ClusterResult result = evaluate();
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(scores(result.rows[0], "sumario").n, 3);
  EXPECT_EQ(result.messages,
            (std::vector<std::string>{
                dir.file("resumo.txt") +
                ": UTF-8 com 1 bytes que nao sao UTF-8, lidos como Latin-1 (linhas 2)"}));
}

TEST_F(ClusterEvaluationTest, SegmentedTextsKeepFullStopsInsideSentences) {
  addText(1, "D1_a.seg", "Na Av. Central houve festa.\nChoveu.\n");
  files.summary = dir.write("resumo.txt", "Choveu.\nNa Av. Central houve festa.\n");
  files.humans = {dir.write("h.txt", "Na Av. Central houve festa.\nChoveu.\n")};
  EvaluationOptions segmented;
  segmented.segmented = true;
  ClusterResult result = evaluate(segmented);
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(scores(result.rows[0], "sumario").n, 2);
  EXPECT_TRUE(result.messages.empty());

  // Cut at ". ", the long line joins two sentences and names the first;
  // the messages and the report say so.
  result = evaluate();
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(scores(result.rows[0], "sumario").n, 2);
  const std::string joined = ": junta as sentencas seguidas 1.1 a 1.2, contada como 1.1";
  EXPECT_EQ(result.messages,
            (std::vector<std::string>{
                dir.file("resumo.txt") + ":2" + joined + ": Na Av. Central houve festa.",
                dir.file("h.txt") + ":1" + joined + ": Na Av. Central houve festa."}));
  EXPECT_EQ(result.notes,
            (std::vector<std::string>{"C/resumo.txt:2" + joined, "C/h.txt:1" + joined}));

  // Texts as written (not segmented) are cut even when the others are read
  // one sentence a line, and the cluster says so.
  files.unsegmentedTexts = true;
  const ClusterResult raw = evaluate(segmented);
  ASSERT_TRUE(raw.ok) << raw.error;
  EXPECT_EQ(raw.notes, result.notes);
  ASSERT_EQ(raw.messages.size(), 3u);
  EXPECT_EQ(raw.messages[0], dir.path() +
                                 ": sem \"Textos-fonte segmentados\"; os textos de "
                                 "\"Textos-fonte\" sao cortados em sentencas como o "
                                 "sentralign os corta");
}

TEST_F(ClusterEvaluationTest, RelationsThatNameNoSentenceAreSaidOnce) {
  addText(1, "D1_a.seg", "Um.\nDois.\n");
  addText(2, "D2_b.seg", "Tres.\n");
  files.relations = {dir.write("D1_D2.cst",
                               "<R SDID=\"D1_a\" SSENT=\"9\" TDID=\"D2_b\" "
                               "TSENT=\"1\"><RELATION TYPE=\"Overlap\" J=\"\"/>\n"
                               "<R SDID=\"D1_a\" SSENT=\"1\" TDID=\"D2_b\" "
                               "TSENT=\"1\"><RELATION TYPE=\"Overlap\" J=\"\"/>\n")};
  files.summary = dir.write("resumo.txt", "Tres.\nUm.\n");
  files.humans = {dir.write("h.txt", "Um.\nTres.\n")};
  EvaluationOptions options;
  options.wantDot = true;
  const ClusterResult result = evaluate(options);
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(
      result.messages,
      (std::vector<std::string>{dir.file("D1_D2.cst") +
                                ": 1 relacoes ignoradas por nomear sentenca inexistente "
                                "(a primeira: de 1.9 para 2.1)"}));
  EXPECT_NE(result.dot.find("t1s1 -> t2s1 [color=\"#1f77b4\", tooltip=\"Overlap\"]"),
            std::string::npos);
  EXPECT_NE(result.dot.find("label=\"D2_b.seg\""), std::string::npos);
}

TEST_F(ClusterEvaluationTest, ClustersThatCannotBeScoredFail) {
  addText(1, "D1_a.seg", "Um.\n");
  files.humans = {dir.write("h.txt", "Um.\n")};

  files.summary = dir.write("resumo.txt", "Outra.\n");
  ClusterResult result = evaluate();
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, dir.file("resumo.txt") +
                              ": o sumario nao nomeia nenhuma sentenca dos textos");
  EXPECT_TRUE(result.rows.empty());

  files.summary = dir.file("sumiu.txt");
  result = evaluate();
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, dir.file("sumiu.txt") + ": No such file or directory");
}

TEST_F(ClusterEvaluationTest, RandomOrderingsDependOnTheSeedAndTheSentencesOnly) {
  addText(1, "D1_a.seg", "Um.\nDois.\nTres.\nQuatro.\n");
  files.summary = dir.write("resumo.txt", "Um.\nDois.\nTres.\nQuatro.\n");
  const std::string human = "Dois.\nUm.\nQuatro.\nTres.\n";
  files.humans = {dir.write("h1.txt", human), dir.write("outro nome.txt", human)};
  const ClusterResult result = evaluate();
  ASSERT_TRUE(result.ok) << result.error;
  files.name = "renomeado";
  const ClusterResult renamed = evaluate();
  ASSERT_TRUE(renamed.ok) << renamed.error;
  EvaluationOptions seven;
  seven.seed = 7;
  const ClusterResult reseeded = evaluate(seven);
  ASSERT_TRUE(reseeded.ok) << reseeded.error;

  const double TS = scores(result.rows[0], "aleatorio").TS;
  EXPECT_EQ(scores(result.rows[1], "aleatorio").TS, TS);  // another file name
  EXPECT_EQ(scores(renamed.rows[0], "aleatorio").TS, TS);
  EXPECT_NE(scores(reseeded.rows[0], "aleatorio").TS, TS);
}
