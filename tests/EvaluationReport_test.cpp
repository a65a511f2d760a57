#include "eval/EvaluationReport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kNan = AgreementScores::kUndefined;

// A row whose every method scores `value` on every measure.
EvaluationRow uniformRow(const std::string& cluster, const std::string& human, int n,
                         double value) {
  EvaluationRow row;
  row.cluster = cluster;
  row.human = human;
  row.summarySentences = n;
  row.humanSentences = n;
  for (size_t m = 0; m < ClusterEvaluation::labels().size(); ++m) {
    AgreementScores s;
    s.n = n;
    s.TS = s.TK = s.tauB = s.perfectMatch = s.inPlace = value;
    row.scores.push_back(s);
  }
  return row;
}

// Two clusters scored (one with a row of a single sentence) and one failed.
std::vector<ClusterResult> sampleResults() {
  std::vector<ClusterResult> results(3);
  results[0].name = "C1";
  results[0].ok = true;
  results[0].rows = {uniformRow("C1", "h1.txt", 4, 0.5),
                     uniformRow("C1", "h2.txt", 4, -0.25)};
  results[1].name = "C2";
  results[1].ok = true;
  results[1].rows = {uniformRow("C2", "h,1.txt", 1, kNan)};
  results[1].rows[0].scores[0].perfectMatch = 1.0;
  results[1].notes = {
      "C2/h,1.txt: pontuado nas 1 sentencas em comum (sumario 2, ordenacao humana 1)"};
  results[2].name = "C3";
  results[2].error = "C3/Sumarios: nenhum sumario (*.txt)";
  return results;
}

}  // namespace

TEST(EvaluationReportTest, StatisticsLeaveOutWhatIsNoNumber) {
  struct Case {
    const char* name;
    std::vector<double> values;
    int count;
    double mean, sd, min, max;
  } cases[] = {
      {"several", {1.0, 2.0, 4.0, kNan}, 3, 7.0 / 3, std::sqrt(7.0 / 3), 1.0, 4.0},
      {"one value has no spread", {-0.5}, 1, -0.5, 0.0, -0.5, -0.5},
      {"none", {kNan}, 0, kNan, kNan, kNan, kNan},
  };
  for (const Case& c : cases) {
    const Statistic s = EvaluationReport::statistic(c.values);
    EXPECT_EQ(s.count, c.count) << c.name;
    auto same = [](double a, double b) {
      return (std::isnan(a) && std::isnan(b)) || std::fabs(a - b) < 1e-12;
    };
    EXPECT_TRUE(same(s.mean, c.mean)) << c.name << " mean " << s.mean;
    EXPECT_TRUE(same(s.sd, c.sd)) << c.name << " sd " << s.sd;
    EXPECT_TRUE(same(s.min, c.min)) << c.name;
    EXPECT_TRUE(same(s.max, c.max)) << c.name;
  }
}

TEST(EvaluationReportTest, CorpusStatisticsTakeRowsOfTwoOrMoreSentences) {
  const std::vector<ClusterResult> results = sampleResults();
  const EvaluationReport report(results, 1, 100);
  ASSERT_EQ(report.getStatistics().size(), ClusterEvaluation::labels().size());
  const MethodStatistics& given = report.getStatistics()[0];
  EXPECT_EQ(given.label, "sumario");
  EXPECT_EQ(given.perfectMatch.count, 2);  // not the row of C2, whose PMR is 1
  EXPECT_DOUBLE_EQ(given.perfectMatch.mean, 0.125);
  EXPECT_DOUBLE_EQ(given.TS.min, -0.25);
  EXPECT_DOUBLE_EQ(given.TS.max, 0.5);
}

TEST(EvaluationReportTest, CsvHasOneRecordPerRowAndMethodThenTheCorpus) {
  const std::vector<ClusterResult> results = sampleResults();
  const std::string csv = EvaluationReport(results, 1, 100).csv();
  const size_t labels = ClusterEvaluation::labels().size();
  std::vector<std::string> lines;
  for (size_t start = 0; start < csv.size();) {
    const size_t end = csv.find('\n', start);
    lines.push_back(csv.substr(start, end - start));
    start = end + 1;
  }
  ASSERT_EQ(lines.size(), 1 + 3 * labels + 4 * labels);
  EXPECT_EQ(
      lines[0],
      "cluster,humano,metodo,estatistica,n,sentencas_sumario,sentencas_humano,TS,TK,"
      "tau_b,PMR,no_lugar");
  EXPECT_EQ(lines[1], "C1,h1.txt,sumario,valor,4,4,4,0.5,0.5,0.5,0.5,0.5");
  EXPECT_EQ(lines[1 + 2 * labels],
            "C2,\"h,1.txt\",sumario,valor,1,1,1,nan,nan,nan,1,nan");
  EXPECT_EQ(lines[1 + 3 * labels], ",,sumario,media,2,,,0.125,0.125,0.125,0.125,0.125");
  EXPECT_EQ(lines[2 + 3 * labels],
            ",,sumario,desvio,2,,,0.530330086,0.530330086,"
            "0.530330086,0.530330086,0.530330086");
}

TEST(EvaluationReportTest, JsonWritesUndefinedScoresAsNull) {
  const std::vector<ClusterResult> results = sampleResults();
  const std::string json = EvaluationReport(results, 9, 100).json();
  EXPECT_EQ(json.rfind("{\n  \"semente\": 9,\n  \"ordenacoes_aleatorias\": 100,\n", 0),
            0u);
  EXPECT_NE(
      json.find(
          "{\"cluster\": \"C2\", \"humano\": \"h,1.txt\", \"sentencas_sumario\": 1, "
          "\"sentencas_humano\": 1, \"n\": 1, \"nas_estatisticas\": false,"),
      std::string::npos);
  EXPECT_NE(
      json.find("{\"metodo\": \"sumario\", \"TS\": null, \"TK\": null, \"tau_b\": null, "
                "\"PMR\": 1, \"no_lugar\": null}"),
      std::string::npos);
  EXPECT_NE(json.find("\"falhas\": [\n    {\"cluster\": \"C3\", \"erro\": "
                      "\"C3/Sumarios: nenhum sumario (*.txt)\"}\n  ]"),
            std::string::npos);
  EXPECT_NE(json.find("\"corpus\": {\"linhas\": 2,"), std::string::npos);
}

TEST(EvaluationReportTest, TableListsRowsCorpusAndNotes) {
  const std::vector<ClusterResult> results = sampleResults();
  const std::string table = EvaluationReport(results, 1, 100).table();
  EXPECT_EQ(table.rfind("cluster  humano   metodo", 0), 0u);
  EXPECT_NE(
      table.find("\nC1       h1.txt   sumario        4   0.5000   0.5000   0.5000   "
                 "0.5000    0.5000\n"),
      std::string::npos);
  EXPECT_NE(
      table.find("\ncorpus: 2 de 3 ordenacoes humanas de 2 clusters nas estatisticas; "
                 "1 clusters falharam\n"),
      std::string::npos);
  EXPECT_NE(table.find("\nsumario        media         0.1250"), std::string::npos);
  EXPECT_NE(
      table.find("\nobservacoes:\n"
                 "  C2/h,1.txt: pontuado nas 1 sentencas em comum (sumario 2, ordenacao "
                 "humana 1)\n"
                 "  C2/h,1.txt: menos de duas sentencas em comum, fora das estatisticas\n"
                 "  C3: falhou: C3/Sumarios: nenhum sumario (*.txt)\n"),
      std::string::npos);
}

TEST(EvaluationReportTest, ChartDrawsOneBarPerMeasureAndMethod) {
  const std::vector<ClusterResult> results = sampleResults();
  const std::string svg = EvaluationReport(results, 1, 100).svg();
  EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
  size_t bars = 0;
  for (size_t at = svg.find("<title>"); at != std::string::npos;
       at = svg.find("<title>", at + 1)) {
    ++bars;
  }
  EXPECT_EQ(bars, 5 * ClusterEvaluation::labels().size());
  EXPECT_NE(
      svg.find("<title>sumario TS: media 0.1250, desvio 0.5303, min -0.2500, max 0.5000"),
      std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}
