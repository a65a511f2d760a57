#include "eval/EvaluationReport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "test_util.h"

namespace {

const double kNan = AgreementScores::kUndefined;

// A row whose every ordering scores `value` on every measure.
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

// `format` once per ordering label, its "%s" standing for the label, the
// copies joined by `separator`.
std::string eachLabel(const char* format, const char* separator = "") {
  std::string out;
  for (const std::string& label : ClusterEvaluation::labels()) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, format, label.c_str());
    out += (out.empty() ? "" : separator) + std::string(buffer);
  }
  return out;
}

}  // namespace

TEST(EvaluationReportTest, WholeReportsOfTinyCorpora) {
  std::vector<ClusterResult> failed(1);
  failed[0].name = "C0";
  failed[0].error = "C0: nenhum sumario (*.txt)";
  // One row whose orderings all score TS 0.5, TK 0.25, tau-b -0.5, PMR 0
  // and no-lugar 1/3.
  std::vector<ClusterResult> one(1);
  one[0].name = "C1";
  one[0].ok = true;
  one[0].rows = {uniformRow("C1", "h1.txt", 3, 0)};
  for (AgreementScores& s : one[0].rows[0].scores) {
    s.TS = 0.5;
    s.TK = 0.25;
    s.tauB = -0.5;
    s.inPlace = 1.0 / 3;
  }
  const std::string header =
      "cluster,humano,metodo,estatistica,n,sentencas_sumario,sentencas_humano,TS,TK,"
      "tau_b,PMR,no_lugar\n";
  const std::string jsonHead =
      "{\n  \"semente\": 1,\n  \"ordenacoes_aleatorias\": 100,\n  \"reamostragens\": "
      "10000,\n";

  struct Case {
    const char* name;
    std::vector<ClusterResult> results;
    std::string table, csv, json;
  } cases[] = {
      {"no cluster",
       {},
       "",
       header,
       jsonHead + "  \"linhas\": [],\n  \"corpus\": {\"linhas\": 0, \"metodos\": []},\n"
                  "  \"falhas\": [],\n  \"observacoes\": []\n}\n"},
      {"every cluster failed: no table of nan", failed, "", header,
       jsonHead +
           "  \"linhas\": [],\n  \"corpus\": {\"linhas\": 0, \"metodos\": []},\n"
           "  \"falhas\": [\n    {\"cluster\": \"C0\", \"erro\": \"C0: nenhum sumario "
           "(*.txt)\"}\n  ],\n  \"observacoes\": []\n}\n"},
      {"one row", one,
       "cluster  humano  metodo         n      TS      TK    tau-b     PMR  no-lugar\n" +
           eachLabel("C1       h1.txt  %-13s  3  0.5000  0.2500  -0.5000  0.0000    "
                     "0.3333\n") +
           "\ncorpus: 1 de 1 ordenacoes humanas de 1 clusters nas estatisticas\n"
           "ic95: intervalo de 95% da media, bootstrap de 10000 reamostragens das "
           "linhas (semente 1)\n"
           "metodo         estatistica      TS      TK    tau-b     PMR  no-lugar\n" +
           eachLabel("%-13s  media        0.5000  0.2500  -0.5000  0.0000    0.3333\n"
                     "               ic95_inf     0.5000  0.2500  -0.5000  0.0000    "
                     "0.3333\n"
                     "               ic95_sup     0.5000  0.2500  -0.5000  0.0000    "
                     "0.3333\n"
                     "               desvio       0.0000  0.0000   0.0000  0.0000    "
                     "0.0000\n"
                     "               min          0.5000  0.2500  -0.5000  0.0000    "
                     "0.3333\n"
                     "               max          0.5000  0.2500  -0.5000  0.0000    "
                     "0.3333\n"),
       header + eachLabel("C1,h1.txt,%s,valor,3,3,3,0.5,0.25,-0.5,0,0.333333333\n") +
           eachLabel(",,%1$s,media,1,,,0.5,0.25,-0.5,0,0.333333333\n"
                     ",,%1$s,ic95_inf,1,,,0.5,0.25,-0.5,0,0.333333333\n"
                     ",,%1$s,ic95_sup,1,,,0.5,0.25,-0.5,0,0.333333333\n"
                     ",,%1$s,desvio,1,,,0,0,0,0,0\n"
                     ",,%1$s,min,1,,,0.5,0.25,-0.5,0,0.333333333\n"
                     ",,%1$s,max,1,,,0.5,0.25,-0.5,0,0.333333333\n"),
       jsonHead +
           "  \"linhas\": [\n    {\"cluster\": \"C1\", \"humano\": \"h1.txt\", "
           "\"sentencas_sumario\": 3, \"sentencas_humano\": 3, \"n\": 3, "
           "\"nas_estatisticas\": true,\n     \"metodos\": [\n" +
           eachLabel("       {\"metodo\": \"%s\", \"TS\": 0.5, \"TK\": 0.25, \"tau_b\": "
                     "-0.5, \"PMR\": 0, \"no_lugar\": 0.333333333}",
                     ",\n") +
           "\n     ]}\n  ],\n  \"corpus\": {\"linhas\": 1, \"metodos\": [\n" +
           eachLabel(
               "    {\"metodo\": \"%s\",\n"
               "     \"TS\": {\"media\": 0.5, \"ic95_inf\": 0.5, \"ic95_sup\": 0.5, "
               "\"desvio\": 0, \"min\": 0.5, \"max\": 0.5},\n"
               "     \"TK\": {\"media\": 0.25, \"ic95_inf\": 0.25, \"ic95_sup\": 0.25, "
               "\"desvio\": 0, \"min\": 0.25, \"max\": 0.25},\n"
               "     \"tau_b\": {\"media\": -0.5, \"ic95_inf\": -0.5, \"ic95_sup\": "
               "-0.5, "
               "\"desvio\": 0, \"min\": -0.5, \"max\": -0.5},\n"
               "     \"PMR\": {\"media\": 0, \"ic95_inf\": 0, \"ic95_sup\": 0, "
               "\"desvio\": 0, \"min\": 0, \"max\": 0},\n"
               "     \"no_lugar\": {\"media\": 0.333333333, \"ic95_inf\": 0.333333333, "
               "\"ic95_sup\": 0.333333333, \"desvio\": 0, \"min\": 0.333333333, "
               "\"max\": 0.333333333}}",
               ",\n") +
           "\n  ]},\n  \"falhas\": [],\n  \"observacoes\": []\n}\n"},
  };
  for (const Case& c : cases) {
    const EvaluationReport report(c.results, ReportSettings());
    EXPECT_EQ(report.table(), c.table) << c.name;
    EXPECT_EQ(report.csv(), c.csv) << c.name;
    EXPECT_EQ(report.json(), c.json) << c.name;
  }
}

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
  const EvaluationReport report(results, ReportSettings());
  ASSERT_EQ(report.getStatistics().size(), ClusterEvaluation::labels().size());
  const MethodStatistics& given = report.getStatistics()[0];
  EXPECT_EQ(given.label, "sumario");
  EXPECT_EQ(given.perfectMatch.count, 2);  // not the row of C2, whose PMR is 1
  EXPECT_DOUBLE_EQ(given.perfectMatch.mean, 0.125);
  EXPECT_DOUBLE_EQ(given.TS.min, -0.25);
  EXPECT_DOUBLE_EQ(given.TS.max, 0.5);
  // Two rows: a quarter of the resamples draw the lower one twice, a
  // quarter the upper one.
  EXPECT_EQ(given.TS.lower, -0.25);
  EXPECT_EQ(given.TS.upper, 0.5);
}

TEST(EvaluationReportTest, NotesNamesAndFailuresInEveryFormat) {
  std::vector<ClusterResult> results = sampleResults();
  // A name with a newline and a byte that is not UTF-8 stays on its line,
  // escaped, and the JSON stays JSON.
  results[0].name = results[0].rows[0].cluster = results[0].rows[1].cluster =
      "C1\xC3_greve\nx";
  const EvaluationReport report(results, ReportSettings());
  const std::string table = report.table();
  EXPECT_NE(table.find("\nC1\\xC3_greve\\nx  h1.txt   sumario        4   0.5000"),
            std::string::npos);
  const std::string notes =
      "\nobservacoes:\n"
      "  C2/h,1.txt: pontuado nas 1 sentencas em comum (sumario 2, ordenacao humana 1)\n"
      "  C2/h,1.txt: menos de duas sentencas em comum, fora das estatisticas\n"
      "  C3: falhou: C3/Sumarios: nenhum sumario (*.txt)\n";
  EXPECT_EQ(table.substr(table.size() - notes.size()), notes);
  EXPECT_NE(table.find("\ncorpus: 2 de 3 ordenacoes humanas de 2 clusters nas "
                       "estatisticas; 1 clusters falharam\n"),
            std::string::npos);

  const std::string csv = report.csv();
  EXPECT_NE(
      csv.find("\nC1\\xC3_greve\\nx,h1.txt,sumario,valor,4,4,4,0.5,0.5,0.5,0.5,0.5\n"),
      std::string::npos);
  EXPECT_NE(csv.find("\nC2,\"h,1.txt\",sumario,valor,1,1,1,nan,nan,nan,1,nan\n"),
            std::string::npos);

  const std::string json = report.json();
  EXPECT_NE(json.find("{\"cluster\": \"C1\\\\xC3_greve\\\\nx\", \"humano\": \"h1.txt\""),
            std::string::npos);
  EXPECT_NE(json.find("  \"falhas\": [\n    {\"cluster\": \"C3\", \"erro\": "
                      "\"C3/Sumarios: nenhum sumario (*.txt)\"}\n  ],\n"
                      "  \"observacoes\": [\n    \"C2/h,1.txt: pontuado nas 1 "
                      "sentencas em comum (sumario 2, ordenacao humana 1)\"\n  ]\n}\n"),
            std::string::npos);
}

namespace {

// Five rows in which 6-sem-ciclos always scores a TK 0.2 above every
// other ordering, which all score alike.
std::vector<ClusterResult> oneOrderingWins() {
  std::vector<ClusterResult> results(1);
  results[0].name = "C";
  results[0].ok = true;
  for (int r = 0; r < 5; ++r) {
    results[0].rows.push_back(uniformRow("C", "h" + std::to_string(r), 4, 0.1 * r));
    results[0].rows.back().scores.back().TK += 0.2;
  }
  return results;
}

}  // namespace

TEST(EvaluationReportTest, ComparisonsOfEveryTwoOrderings) {
  const std::vector<ClusterResult> results = oneOrderingWins();
  ReportSettings settings;
  settings.compare = true;
  const EvaluationReport report(results, settings);
  const std::vector<OrderingComparison>& comparisons = report.getComparisons();
  const size_t labels = ClusterEvaluation::labels().size();
  ASSERT_EQ(comparisons.size(), labels * (labels - 1) / 2);
  for (const OrderingComparison& c : comparisons) {
    const bool six = c.other == "6-sem-ciclos";
    EXPECT_EQ(c.test.n, 5);
    EXPECT_NEAR(c.test.meanDifference, six ? -0.2 : 0.0, 1e-12) << c.label << c.other;
    // Five rows: every one of the 32 sign patterns counted; only "all as
    // observed" and "all flipped" are as far from 0.
    EXPECT_EQ(c.test.p, six ? 2.0 / 32 : 1.0) << c.label << c.other;
    EXPECT_TRUE(c.test.exact);
  }

  const std::string table = report.table();
  EXPECT_NE(table.find("\ncomparacao pareada por TK: diferenca media da linha menos a "
                       "coluna (p bilateral); troca de sinais nas linhas em comum, "
                       "exata ate 13 linhas, senao 10000 padroes aleatorios (semente "
                       "1)\nmetodo"),
            std::string::npos);
  EXPECT_NE(table.find("\n6-sem-ciclos   +0.2000 (0.0625)  +0.2000 (0.0625)"),
            std::string::npos)
      << table;

  const std::vector<ReportRecord> records = report.records();
  // The last: 5-topologica against 6-sem-ciclos.
  EXPECT_EQ(renderRecords({records.back()}),
            "cluster=;humano=;metodo=5-topologica;estatistica=p;n=5.000000;"
            "sentencas_sumario=;sentencas_humano=;TS=;TK=0.062500;tau_b=;PMR=;no_lugar=;"
            "comparado_com=6-sem-ciclos;\n");
  const std::string csv = report.csv();
  EXPECT_EQ(
      csv.substr(0, csv.find('\n')),
      "cluster,humano,metodo,estatistica,n,sentencas_sumario,sentencas_humano,TS,TK,"
      "tau_b,PMR,no_lugar,comparado_com");
  EXPECT_NE(csv.find("\n,,5-topologica,diferenca_media,5,,,,-0.2,,,,6-sem-ciclos\n,,5-"
                     "topologica,p,5,,,,0.0625,,,,6-sem-ciclos\n"),
            std::string::npos);
  EXPECT_NE(report.json().find("{\"metodo\": \"5-topologica\", \"comparado_com\": "
                               "\"6-sem-ciclos\", \"n\": 5, \"diferenca_media\": -0.2, "
                               "\"p\": 0.0625, \"exato\": true}\n  ]}"),
            std::string::npos);
}

TEST(EvaluationReportTest, ChartDrawsOneBarPerMeasureAndMethod) {
  const std::vector<ClusterResult> results = sampleResults();
  const std::string svg = EvaluationReport(results, ReportSettings()).svg();
  EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
  size_t bars = 0;
  for (size_t at = svg.find("<title>"); at != std::string::npos;
       at = svg.find("<title>", at + 1)) {
    ++bars;
  }
  EXPECT_EQ(bars, 5 * ClusterEvaluation::labels().size());
  EXPECT_NE(svg.find("<title>sumario TS: media 0.1250, ic95 -0.2500 a 0.5000, desvio "
                     "0.5303, min -0.2500, max 0.5000"),
            std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}
