#include "eval/EvaluationReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "io/Encoding.h"

namespace {

using sentralign::io::printable;

// The measures of a report, in column order, with their names in the
// table, in CSV and JSON, and their colour in the chart.
struct Measure {
  ReportMeasure id;
  const char* tableName;
  const char* key;
  const char* colour;
  double AgreementScores::*score;
  Statistic MethodStatistics::*statistic;
};

constexpr Measure kMeasures[] = {
    {ReportMeasure::kTS, "TS", "TS", "#4e79a7", &AgreementScores::TS,
     &MethodStatistics::TS},
    {ReportMeasure::kTK, "TK", "TK", "#f28e2b", &AgreementScores::TK,
     &MethodStatistics::TK},
    {ReportMeasure::kTauB, "tau-b", "tau_b", "#e15759", &AgreementScores::tauB,
     &MethodStatistics::tauB},
    {ReportMeasure::kPMR, "PMR", "PMR", "#76b7b2", &AgreementScores::perfectMatch,
     &MethodStatistics::perfectMatch},
    {ReportMeasure::kInPlace, "no-lugar", "no_lugar", "#59a14f",
     &AgreementScores::inPlace, &MethodStatistics::inPlace},
};
constexpr size_t kMeasureCount = sizeof kMeasures / sizeof *kMeasures;

const Measure& measureOf(ReportMeasure id) { return kMeasures[static_cast<size_t>(id)]; }

// The figures of a statistic, in report order, with their names.
struct Figure {
  const char* name;
  double Statistic::*value;
};
constexpr Figure kFigures[] = {
    {"media", &Statistic::mean},     {"ic95_inf", &Statistic::lower},
    {"ic95_sup", &Statistic::upper}, {"desvio", &Statistic::sd},
    {"min", &Statistic::min},        {"max", &Statistic::max},
};

// The first figure of an ordering opens its block of lines.
bool opensBlock(const Figure& figure) { return &figure == &kFigures[0]; }

// The columns of the CSV before the measures', and the one after them
// that comparisons add.
constexpr const char* kLeadingColumns[] = {
    "cluster",           "humano",          "metodo", "estatistica", "n",
    "sentencas_sumario", "sentencas_humano"};
constexpr char kComparedColumn[] = "comparado_com";

// Why a cluster failed; a failure without a reason ran out of memory.
std::string failure(const ClusterResult& result) {
  return result.error.empty() ? "memoria esgotada" : result.error;
}

bool taken(const EvaluationRow& row) {
  return !row.scores.empty() && row.scores[0].n >= 2;
}

std::string format(const char* pattern, double value) {
  if (std::isnan(value)) return "nan";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, pattern, value);
  return buffer;
}

// Full precision: a float score prints as the float it is.
std::string exact(double value) { return format("%.9g", value); }
std::string fixed(double value) { return format("%.4f", value); }
// A whole number as one; anything else at full precision.
std::string csvNumber(double value) {
  if (!std::isnan(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
    return format("%.0f", value);
  }
  return exact(value);
}

// The number of characters of UTF-8 text, for the alignment of columns.
size_t displayWidth(const std::string& s) {
  size_t width = 0;
  for (const char c : s) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;
  }
  return width;
}

// An aligned table: columns as wide as their widest cell, text to the left,
// numbers (every column from `firstNumber` on) to the right.
class TextTable {
 public:
  explicit TextTable(size_t firstNumber) : firstNumber_(firstNumber) {}

  void addRow(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }

  std::string render() const {
    std::vector<size_t> widths;
    for (const auto& row : rows_) {
      widths.resize(std::max(widths.size(), row.size()));
      for (size_t c = 0; c < row.size(); ++c) {
        widths[c] = std::max(widths[c], displayWidth(row[c]));
      }
    }
    std::string out;
    for (const auto& row : rows_) {
      std::string line;
      for (size_t c = 0; c < row.size(); ++c) {
        const std::string pad(widths[c] - displayWidth(row[c]), ' ');
        if (c > 0) line += "  ";
        line += c >= firstNumber_ ? pad + row[c] : row[c] + pad;
      }
      while (!line.empty() && line.back() == ' ') line.pop_back();
      out += line + "\n";
    }
    return out;
  }

 private:
  size_t firstNumber_;
  std::vector<std::vector<std::string>> rows_;
};

std::vector<std::string> measureHeader(std::vector<std::string> leading) {
  for (const Measure& measure : kMeasures) leading.push_back(measure.tableName);
  return leading;
}

std::string csvField(const std::string& s) {
  if (s.find_first_of(",\"\n\r") == std::string::npos) return s;
  std::string q = "\"";
  for (const char c : s) {
    if (c == '"') q.push_back('"');
    q.push_back(c);
  }
  return q + "\"";
}

// `s`, printable, as a JSON string.
std::string jsonString(const std::string& s) { return sentralign::io::jsonQuoted(s); }

// JSON has no infinities either: whatever is no finite number is null.
std::string jsonNumber(double value) {
  return std::isfinite(value) ? exact(value) : "null";
}

// The JSON list of `items`, written already, one a line after `indent`;
// the closing bracket two spaces less indented.
std::string jsonList(const std::vector<std::string>& items, const std::string& indent) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) {
    out += (i == 0 ? "\n" : ",\n") + indent + items[i];
  }
  if (items.empty()) return out + "]";
  return out + "\n" + indent.substr(0, indent.size() - 2) + "]";
}

ReportValue text(const std::string& s) {
  ReportValue v;
  v.kind = ReportValue::kText;
  v.text = s;
  return v;
}

ReportValue number(double x) {
  ReportValue v;
  v.kind = ReportValue::kNumber;
  v.number = x;
  return v;
}

ReportValue empty() { return ReportValue(); }

// The largest n whose 2^n sign patterns the test counts all of.
int exactUpTo(int patterns) {
  int n = 0;
  while (n < 62 && (std::int64_t{1} << (n + 1)) <= patterns) ++n;
  return n;
}

std::string svgNumber(double value) { return format("%.1f", value); }

}  // namespace

namespace sentralign::eval {

bool parseReportMeasure(const std::string& name, ReportMeasure* measure) {
  for (const Measure& m : kMeasures) {
    if (name == m.tableName || name == m.key) {
      *measure = m.id;
      return true;
    }
  }
  return false;
}

const char* reportMeasureName(ReportMeasure measure) {
  return measureOf(measure).tableName;
}

}  // namespace sentralign::eval

using sentralign::eval::reportMeasureName;

EvaluationReport::EvaluationReport(const std::vector<ClusterResult>& results,
                                   const ReportSettings& settings)
    : results_(results), settings_(settings) {
  for (const ClusterResult& result : results) {
    if (!result.ok) continue;
    ++clustersScored_;
    for (const EvaluationRow& row : result.rows) {
      ++rows_;
      rowsTaken_ += taken(row) ? 1 : 0;
    }
  }
  computeStatistics();
  computeComparisons();
  gatherNotes();
}

EvaluationReport::~EvaluationReport() = default;

// The scores of ordering `label` by measure `measure` over the rows taken,
// in corpus order; not a number where a row has none.
std::vector<double> EvaluationReport::column(size_t label, size_t measure) const {
  std::vector<double> values;
  for (const ClusterResult& result : results_) {
    for (const EvaluationRow& row : result.rows) {
      if (!taken(row)) continue;
      values.push_back(label < row.scores.size()
                           ? row.scores[label].*kMeasures[measure].score
                           : AgreementScores::kUndefined);
    }
  }
  return values;
}

void EvaluationReport::computeStatistics() {
  const std::vector<std::string>& labels = ClusterEvaluation::labels();
  std::vector<std::vector<double>> columns;
  for (size_t m = 0; m < labels.size(); ++m) {
    MethodStatistics method;
    method.label = labels[m];
    for (size_t k = 0; k < kMeasureCount; ++k) {
      columns.push_back(column(m, k));
      method.*kMeasures[k].statistic = statistic(columns.back());
    }
    statistics_.push_back(method);
  }
  const std::vector<sentralign::eval::Interval> intervals =
      sentralign::eval::bootstrapMeanIntervals(columns, settings_.seed,
                                               settings_.resamples);
  for (size_t m = 0; m < statistics_.size(); ++m) {
    for (size_t k = 0; k < kMeasureCount; ++k) {
      Statistic& s = statistics_[m].*kMeasures[k].statistic;
      s.lower = intervals[m * kMeasureCount + k].lower;
      s.upper = intervals[m * kMeasureCount + k].upper;
    }
  }
}

void EvaluationReport::computeComparisons() {
  if (!settings_.compare) return;
  const std::vector<std::string>& labels = ClusterEvaluation::labels();
  const size_t k = static_cast<size_t>(settings_.measure);
  std::vector<std::vector<double>> columns;
  for (size_t m = 0; m < labels.size(); ++m) columns.push_back(column(m, k));
  for (size_t a = 0; a < labels.size(); ++a) {
    for (size_t b = a + 1; b < labels.size(); ++b) {
      comparisons_.push_back(
          {labels[a], labels[b],
           sentralign::eval::signFlipTest(columns[a], columns[b], settings_.seed,
                                          settings_.patterns)});
    }
  }
}

void EvaluationReport::gatherNotes() {
  for (const ClusterResult& result : results_) {
    if (!result.ok) {
      notes_.push_back(
          {Note::kFailure, printable(result.name + ": falhou: " + failure(result))});
      continue;
    }
    for (const std::string& note : result.notes) {
      notes_.push_back({Note::kCluster, printable(note)});
    }
    for (const EvaluationRow& row : result.rows) {
      if (taken(row)) continue;
      notes_.push_back(
          {Note::kLeftOut, printable(row.cluster + "/" + row.human +
                                     ": menos de duas sentencas em comum, fora das "
                                     "estatisticas")});
    }
  }
}

Statistic EvaluationReport::statistic(const std::vector<double>& values) {
  Statistic s;
  double sum = 0.0;
  for (const double v : values) {
    if (std::isnan(v)) continue;
    if (s.count == 0 || v < s.min) s.min = v;
    if (s.count == 0 || v > s.max) s.max = v;
    sum += v;
    ++s.count;
  }
  if (s.count == 0) return s;
  s.mean = sum / s.count;
  double squares = 0.0;
  for (const double v : values) {
    if (!std::isnan(v)) squares += (v - s.mean) * (v - s.mean);
  }
  s.sd = s.count > 1 ? std::sqrt(squares / (s.count - 1)) : 0.0;
  return s;
}

std::vector<ReportRecord> EvaluationReport::records() const {
  const std::vector<std::string>& labels = ClusterEvaluation::labels();
  std::vector<ReportRecord> records;
  // One record: the leading columns' values, then the measures'.
  auto add = [&](std::vector<ReportValue> leading, std::vector<ReportValue> measures,
                 ReportValue compared) {
    ReportRecord record;
    for (size_t c = 0; c < leading.size(); ++c) {
      record.emplace_back(kLeadingColumns[c], std::move(leading[c]));
    }
    for (size_t k = 0; k < kMeasureCount; ++k) {
      record.emplace_back(kMeasures[k].key, std::move(measures[k]));
    }
    if (settings_.compare) record.emplace_back(kComparedColumn, std::move(compared));
    records.push_back(std::move(record));
  };

  for (const ClusterResult& result : results_) {
    for (const EvaluationRow& row : result.rows) {
      for (size_t m = 0; m < row.scores.size() && m < labels.size(); ++m) {
        std::vector<ReportValue> scores;
        for (const Measure& measure : kMeasures) {
          scores.push_back(number(row.scores[m].*measure.score));
        }
        add({text(printable(row.cluster)), text(printable(row.human)), text(labels[m]),
             text("valor"), number(row.scores[m].n), number(row.summarySentences),
             number(row.humanSentences)},
            scores, empty());
      }
    }
  }
  if (rowsTaken_ > 0) {
    for (const MethodStatistics& method : statistics_) {
      for (const Figure& figure : kFigures) {
        std::vector<ReportValue> figures;
        for (const Measure& measure : kMeasures) {
          figures.push_back(number((method.*measure.statistic).*figure.value));
        }
        add({empty(), empty(), text(method.label), text(figure.name),
             number(method.TS.count), empty(), empty()},
            figures, empty());
      }
    }
  }
  for (const OrderingComparison& c : comparisons_) {
    for (const bool isP : {false, true}) {
      std::vector<ReportValue> values(kMeasureCount);
      values[static_cast<size_t>(settings_.measure)] =
          number(isP ? c.test.p : c.test.meanDifference);
      add({empty(), empty(), text(c.label), text(isP ? "p" : "diferenca_media"),
           number(c.test.n), empty(), empty()},
          values, text(c.other));
    }
  }
  return records;
}

std::string EvaluationReport::csv() const {
  std::string out;
  for (const char* column : kLeadingColumns)
    out += std::string(out.empty() ? "" : ",") + column;
  for (const Measure& measure : kMeasures) out += std::string(",") + measure.key;
  if (settings_.compare) out += std::string(",") + kComparedColumn;
  out += "\n";
  for (const ReportRecord& record : records()) {
    for (size_t c = 0; c < record.size(); ++c) {
      if (c > 0) out += ",";
      const ReportValue& value = record[c].second;
      if (value.kind == ReportValue::kText) out += csvField(value.text);
      if (value.kind == ReportValue::kNumber) out += csvNumber(value.number);
    }
    out += "\n";
  }
  return out;
}

std::string EvaluationReport::table() const {
  if (clustersScored_ == 0) return "";
  return rowsTable() + statisticsTable() + comparisonTable() + notesList();
}

std::string EvaluationReport::rowsTable() const {
  const std::vector<std::string>& labels = ClusterEvaluation::labels();
  TextTable rows(3);
  rows.addRow(measureHeader({"cluster", "humano", "metodo", "n"}));
  for (const ClusterResult& result : results_) {
    if (!result.ok) continue;
    for (const EvaluationRow& row : result.rows) {
      for (size_t m = 0; m < row.scores.size() && m < labels.size(); ++m) {
        std::vector<std::string> cells = {printable(row.cluster), printable(row.human),
                                          labels[m], std::to_string(row.scores[m].n)};
        for (const Measure& measure : kMeasures) {
          cells.push_back(fixed(row.scores[m].*measure.score));
        }
        rows.addRow(cells);
      }
    }
  }
  return rows.render();
}

std::string EvaluationReport::statisticsTable() const {
  const size_t failed = results_.size() - clustersScored_;
  std::string out = "\ncorpus: " + std::to_string(rowsTaken_) + " de " +
                    std::to_string(rows_) + " ordenacoes humanas de " +
                    std::to_string(clustersScored_) + " clusters nas estatisticas";
  out += failed == 0 ? "\n" : "; " + std::to_string(failed) + " clusters falharam\n";
  if (rowsTaken_ == 0) return out;
  out += "ic95: intervalo de 95% da media, bootstrap de " +
         std::to_string(settings_.resamples) + " reamostragens das linhas (semente " +
         std::to_string(settings_.seed) + ")\n";
  TextTable corpus(2);
  corpus.addRow(measureHeader({"metodo", "estatistica"}));
  for (const MethodStatistics& method : statistics_) {
    for (const Figure& figure : kFigures) {
      std::vector<std::string> cells = {opensBlock(figure) ? method.label : "",
                                        figure.name};
      for (const Measure& measure : kMeasures) {
        cells.push_back(fixed((method.*measure.statistic).*figure.value));
      }
      corpus.addRow(cells);
    }
  }
  return out + corpus.render();
}

std::string EvaluationReport::comparisonTable() const {
  if (comparisons_.empty() || rowsTaken_ == 0) return "";
  const std::vector<std::string>& labels = ClusterEvaluation::labels();
  std::string out = std::string("\ncomparacao pareada por ") +
                    reportMeasureName(settings_.measure) +
                    ": diferenca media da linha menos a coluna (p bilateral); troca de "
                    "sinais nas linhas em comum, exata ate " +
                    std::to_string(exactUpTo(settings_.patterns)) + " linhas, senao " +
                    std::to_string(settings_.patterns) + " padroes aleatorios (semente " +
                    std::to_string(settings_.seed) + ")\n";
  TextTable matrix(1);
  std::vector<std::string> header = {"metodo"};
  header.insert(header.end(), labels.begin(), labels.end());
  matrix.addRow(header);
  for (size_t a = 0; a < labels.size(); ++a) {
    std::vector<std::string> cells = {labels[a]};
    for (size_t b = 0; b < labels.size(); ++b) {
      if (a == b) {
        cells.push_back("-");
        continue;
      }
      const auto found = std::find_if(
          comparisons_.begin(), comparisons_.end(), [&](const OrderingComparison& c) {
            return (c.label == labels[a] && c.other == labels[b]) ||
                   (c.label == labels[b] && c.other == labels[a]);
          });
      const sentralign::eval::PairedComparison& t = found->test;
      const double difference = found->label == labels[a]
                                    ? t.meanDifference
                                    : 0.0 - t.meanDifference;  // never -0
      cells.push_back(format("%+.4f", difference) + " (" + fixed(t.p) + ")");
    }
    matrix.addRow(cells);
  }
  return out + matrix.render();
}

std::string EvaluationReport::notesList() const {
  if (notes_.empty()) return "";
  std::string out = "\nobservacoes:\n";
  for (const Note& note : notes_) out += "  " + note.text + "\n";
  return out;
}

std::string EvaluationReport::json() const {
  std::string out =
      "{\n  \"semente\": " + std::to_string(settings_.seed) +
      ",\n  \"ordenacoes_aleatorias\": " + std::to_string(settings_.shuffles) +
      ",\n  \"reamostragens\": " + std::to_string(settings_.resamples) +
      ",\n  \"linhas\": " + jsonRows() + ",\n  \"corpus\": " + jsonCorpus() + ",\n";
  if (settings_.compare) out += "  \"comparacoes\": " + jsonComparisons() + ",\n";
  return out + jsonNotes() + "}\n";
}

std::string EvaluationReport::jsonRows() const {
  const std::vector<std::string>& labels = ClusterEvaluation::labels();
  std::vector<std::string> rows;
  for (const ClusterResult& result : results_) {
    if (!result.ok) continue;
    for (const EvaluationRow& row : result.rows) {
      std::vector<std::string> methods;
      for (size_t m = 0; m < row.scores.size() && m < labels.size(); ++m) {
        std::string method = "{\"metodo\": " + jsonString(labels[m]);
        for (const Measure& measure : kMeasures) {
          method += ", " + jsonString(measure.key) + ": " +
                    jsonNumber(row.scores[m].*measure.score);
        }
        methods.push_back(method + "}");
      }
      rows.push_back(
          "{\"cluster\": " + jsonString(printable(row.cluster)) +
          ", \"humano\": " + jsonString(printable(row.human)) +
          ", \"sentencas_sumario\": " + std::to_string(row.summarySentences) +
          ", \"sentencas_humano\": " + std::to_string(row.humanSentences) +
          ", \"n\": " + std::to_string(row.scores.empty() ? 0 : row.scores[0].n) +
          ", \"nas_estatisticas\": " + (taken(row) ? "true" : "false") +
          ",\n     \"metodos\": " + jsonList(methods, "       ") + "}");
    }
  }
  return jsonList(rows, "    ");
}

std::string EvaluationReport::jsonCorpus() const {
  std::vector<std::string> methods;
  for (const MethodStatistics& method : statistics_) {
    if (rowsTaken_ == 0) break;
    std::string item = "{\"metodo\": " + jsonString(method.label);
    for (const Measure& measure : kMeasures) {
      const Statistic& s = method.*measure.statistic;
      item += ",\n     " + jsonString(measure.key) + ": {";
      for (const Figure& figure : kFigures) {
        item += std::string(opensBlock(figure) ? "" : ", ") + jsonString(figure.name) +
                ": " + jsonNumber(s.*figure.value);
      }
      item += "}";
    }
    methods.push_back(item + "}");
  }
  return "{\"linhas\": " + std::to_string(rowsTaken_) +
         ", \"metodos\": " + jsonList(methods, "    ") + "}";
}

std::string EvaluationReport::jsonComparisons() const {
  std::vector<std::string> pairs;
  for (const OrderingComparison& c : comparisons_) {
    pairs.push_back("{\"metodo\": " + jsonString(c.label) + ", \"comparado_com\": " +
                    jsonString(c.other) + ", \"n\": " + std::to_string(c.test.n) +
                    ", \"diferenca_media\": " + jsonNumber(c.test.meanDifference) +
                    ", \"p\": " + jsonNumber(c.test.p) +
                    ", \"exato\": " + (c.test.exact ? "true" : "false") + "}");
  }
  return std::string("{\"medida\": ") + jsonString(reportMeasureName(settings_.measure)) +
         ", \"padroes\": " + std::to_string(settings_.patterns) +
         ", \"pares\": " + jsonList(pairs, "    ") + "}";
}

std::string EvaluationReport::jsonNotes() const {
  std::vector<std::string> failures;
  std::vector<std::string> notes;
  for (const ClusterResult& result : results_) {
    if (result.ok) continue;
    failures.push_back("{\"cluster\": " + jsonString(printable(result.name)) +
                       ", \"erro\": " + jsonString(printable(failure(result))) + "}");
  }
  for (const Note& note : notes_) {
    if (note.kind == Note::kCluster) notes.push_back(jsonString(note.text));
  }
  return "  \"falhas\": " + jsonList(failures, "    ") +
         ",\n  \"observacoes\": " + jsonList(notes, "    ") + "\n";
}

namespace {

// The geometry of the chart: one group of bars per ordering, one bar per
// measure; scores lie between -1 and 1.
struct Chart {
  static constexpr double kBarWidth = 14;
  static constexpr double kGroupGap = 26;
  static constexpr double kLeft = 60;
  static constexpr double kTop = 85;
  static constexpr double kPlotHeight = 300;
  static constexpr double kBottom = 90;

  explicit Chart(size_t groups)
      : groupWidth(static_cast<double>(kMeasureCount) * kBarWidth + kGroupGap),
        width(std::max(520.0, kLeft + static_cast<double>(groups) * groupWidth + 20)),
        height(kTop + kPlotHeight + kBottom) {}

  double y(double value) const {
    const double clamped = std::max(-1.0, std::min(1.0, value));
    return kTop + (1.0 - clamped) / 2.0 * kPlotHeight;
  }
  double groupX(size_t group) const {
    return kLeft + kGroupGap / 2 + static_cast<double>(group) * groupWidth;
  }

  double groupWidth;
  double width;
  double height;
};

std::string svgLine(double x1, double y1, double x2, double y2,
                    const std::string& style) {
  return "<line x1=\"" + svgNumber(x1) + "\" y1=\"" + svgNumber(y1) + "\" x2=\"" +
         svgNumber(x2) + "\" y2=\"" + svgNumber(y2) + "\" " + style + "/>\n";
}

std::string svgHeading(const Chart& chart, int rows) {
  std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                  svgNumber(chart.width) + "\" height=\"" + svgNumber(chart.height) +
                  "\" viewBox=\"0 0 " + svgNumber(chart.width) + " " +
                  svgNumber(chart.height) +
                  "\" font-family=\"Helvetica, Arial, sans-serif\" font-size=\"12\">\n";
  s += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  s += "<text x=\"" + svgNumber(Chart::kLeft) + "\" y=\"22\" font-size=\"14\">" +
       Encoding::markupEscaped("Concordancia com a ordenacao humana em " +
                               std::to_string(rows) + " ordenacoes") +
       "</text>\n";
  s += "<text x=\"" + svgNumber(Chart::kLeft) +
       "\" y=\"40\" font-size=\"11\" fill=\"#555555\">" +
       "barra: media; traco: intervalo de 95% (bootstrap); marcas: minimo e "
       "maximo</text>\n";
  return s;
}

std::string svgLegend() {
  std::string s;
  for (size_t k = 0; k < kMeasureCount; ++k) {
    const double x = Chart::kLeft + static_cast<double>(k) * 90;
    s += "<rect x=\"" + svgNumber(x) + "\" y=\"50\" width=\"12\" height=\"12\" fill=\"" +
         kMeasures[k].colour + "\"/>\n";
    s += "<text x=\"" + svgNumber(x + 16) + "\" y=\"61\">" + kMeasures[k].tableName +
         "</text>\n";
  }
  return s;
}

// The axis, with lines at -1, -0.5, 0, 0.5 and 1.
std::string svgAxis(const Chart& chart) {
  std::string s;
  for (int tick = -2; tick <= 2; ++tick) {
    const double value = tick / 2.0;
    s += svgLine(Chart::kLeft, chart.y(value), chart.width - 20, chart.y(value),
                 std::string("stroke=\"") + (tick == 0 ? "#555555" : "#dddddd") + "\"");
    s += "<text x=\"" + svgNumber(Chart::kLeft - 6) + "\" y=\"" +
         svgNumber(chart.y(value) + 4) + "\" text-anchor=\"end\">" +
         format("%.1f", value) + "</text>\n";
  }
  return s;
}

// The bar of one measure of one ordering, with its whisker and ticks.
std::string svgBar(const Chart& chart, double x, const std::string& label,
                   const Measure& measure, const Statistic& st) {
  const double top = std::min(chart.y(st.mean), chart.y(0));
  const double barHeight = std::fabs(chart.y(st.mean) - chart.y(0));
  const double cx = x + Chart::kBarWidth / 2;
  std::string s =
      "<rect x=\"" + svgNumber(x + 1) + "\" y=\"" + svgNumber(top) + "\" width=\"" +
      svgNumber(Chart::kBarWidth - 2) + "\" height=\"" + svgNumber(barHeight) +
      "\" fill=\"" + measure.colour + "\"><title>" +
      Encoding::markupEscaped(label + " " + measure.tableName + ": media " +
                              fixed(st.mean) + ", ic95 " + fixed(st.lower) + " a " +
                              fixed(st.upper) + ", desvio " + fixed(st.sd) + ", min " +
                              fixed(st.min) + ", max " + fixed(st.max)) +
      "</title></rect>\n";
  if (!std::isnan(st.lower)) {
    s += svgLine(cx, chart.y(st.lower), cx, chart.y(st.upper),
                 "stroke=\"#222222\" stroke-width=\"1.5\"");
  }
  for (const double extreme : {st.min, st.max}) {
    s += svgLine(x + 3, chart.y(extreme), x + Chart::kBarWidth - 3, chart.y(extreme),
                 "stroke=\"#222222\"");
  }
  return s;
}

std::string svgGroupLabel(const Chart& chart, size_t group, const std::string& label) {
  const double x =
      chart.groupX(group) + static_cast<double>(kMeasureCount) * Chart::kBarWidth / 2;
  const double y = Chart::kTop + Chart::kPlotHeight + 18;
  return "<text x=\"" + svgNumber(x) + "\" y=\"" + svgNumber(y) +
         "\" text-anchor=\"end\" transform=\"rotate(-30 " + svgNumber(x) + " " +
         svgNumber(y) + ")\">" + Encoding::markupEscaped(label) + "</text>\n";
}

}  // namespace

std::string EvaluationReport::svg() const {
  const Chart chart(statistics_.size());
  std::string s = svgHeading(chart, rowsTaken_) + svgLegend() + svgAxis(chart);
  for (size_t m = 0; m < statistics_.size(); ++m) {
    for (size_t k = 0; k < kMeasureCount; ++k) {
      const Statistic& st = statistics_[m].*kMeasures[k].statistic;
      if (st.count == 0) continue;
      s += svgBar(chart, chart.groupX(m) + static_cast<double>(k) * Chart::kBarWidth,
                  statistics_[m].label, kMeasures[k], st);
    }
    s += svgGroupLabel(chart, m, statistics_[m].label);
  }
  return s + "</svg>\n";
}
