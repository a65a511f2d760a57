#include "eval/EvaluationReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "io/Encoding.h"

namespace {

// The measures of a report, in column order, with their names in the
// table, in CSV and JSON, and their colour in the chart.
struct Measure {
  const char* tableName;
  const char* key;
  const char* colour;
  double AgreementScores::*score;
  Statistic MethodStatistics::*statistic;
};

constexpr Measure kMeasures[] = {
    {"TS", "TS", "#4e79a7", &AgreementScores::TS, &MethodStatistics::TS},
    {"TK", "TK", "#f28e2b", &AgreementScores::TK, &MethodStatistics::TK},
    {"tau-b", "tau_b", "#e15759", &AgreementScores::tauB, &MethodStatistics::tauB},
    {"PMR", "PMR", "#76b7b2", &AgreementScores::perfectMatch,
     &MethodStatistics::perfectMatch},
    {"no-lugar", "no_lugar", "#59a14f", &AgreementScores::inPlace,
     &MethodStatistics::inPlace},
};

// The four figures of a statistic, in report order, with their names.
struct Figure {
  const char* name;
  double Statistic::*value;
};
constexpr Figure kFigures[] = {
    {"media", &Statistic::mean},
    {"desvio", &Statistic::sd},
    {"min", &Statistic::min},
    {"max", &Statistic::max},
};

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

std::string csvField(const std::string& s) {
  if (s.find_first_of(",\"\n\r") == std::string::npos) return s;
  std::string q = "\"";
  for (const char c : s) {
    if (c == '"') q.push_back('"');
    q.push_back(c);
  }
  return q + "\"";
}

std::string jsonString(const std::string& s) {
  std::string q = "\"";
  for (const char c : s) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      q.push_back('\\');
      q.push_back(c);
    } else if (u < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
      q += buffer;
    } else {
      q.push_back(c);
    }
  }
  return q + "\"";
}

std::string jsonNumber(double value) { return std::isnan(value) ? "null" : exact(value); }

std::string svgNumber(double value) { return format("%.1f", value); }

}  // namespace

EvaluationReport::EvaluationReport(const std::vector<ClusterResult>& results,
                                   std::uint64_t seed, int shuffles)
    : results_(results), seed_(seed), shuffles_(shuffles) {
  const std::vector<std::string>& labels = ClusterEvaluation::labels();
  for (size_t m = 0; m < labels.size(); ++m) {
    MethodStatistics method;
    method.label = labels[m];
    for (const Measure& measure : kMeasures) {
      std::vector<double> values;
      for (const ClusterResult& result : results) {
        for (const EvaluationRow& row : result.rows) {
          if (taken(row) && m < row.scores.size()) {
            values.push_back(row.scores[m].*measure.score);
          }
        }
      }
      method.*measure.statistic = statistic(values);
    }
    statistics_.push_back(method);
  }
  for (const ClusterResult& result : results) {
    for (const EvaluationRow& row : result.rows) rowsTaken_ += taken(row) ? 1 : 0;
  }
}

EvaluationReport::~EvaluationReport() = default;

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

std::string EvaluationReport::table() const {
  const std::vector<std::string>& labels = ClusterEvaluation::labels();
  TextTable rows(3);
  std::vector<std::string> header = {"cluster", "humano", "metodo", "n"};
  for (const Measure& measure : kMeasures) header.push_back(measure.tableName);
  rows.addRow(header);
  size_t clusters = 0;
  size_t rowCount = 0;
  for (const ClusterResult& result : results_) {
    if (!result.ok) continue;
    ++clusters;
    for (const EvaluationRow& row : result.rows) {
      ++rowCount;
      for (size_t m = 0; m < row.scores.size() && m < labels.size(); ++m) {
        std::vector<std::string> cells = {row.cluster, row.human, labels[m],
                                          std::to_string(row.scores[m].n)};
        for (const Measure& measure : kMeasures) {
          cells.push_back(fixed(row.scores[m].*measure.score));
        }
        rows.addRow(cells);
      }
    }
  }
  std::string out = rows.render();

  size_t failed = results_.size() - clusters;
  out += "\ncorpus: " + std::to_string(rowsTaken_) + " de " + std::to_string(rowCount) +
         " ordenacoes humanas de " + std::to_string(clusters) +
         " clusters nas estatisticas";
  out += failed == 0 ? "\n" : "; " + std::to_string(failed) + " clusters falharam\n";
  TextTable corpus(2);
  header = {"metodo", "estatistica"};
  for (const Measure& measure : kMeasures) header.push_back(measure.tableName);
  corpus.addRow(header);
  for (const MethodStatistics& method : statistics_) {
    for (const Figure& figure : kFigures) {
      std::vector<std::string> cells = {&figure == kFigures ? method.label : "",
                                        figure.name};
      for (const Measure& measure : kMeasures) {
        cells.push_back(fixed((method.*measure.statistic).*figure.value));
      }
      corpus.addRow(cells);
    }
  }
  out += corpus.render();

  std::vector<std::string> notes;
  for (const ClusterResult& result : results_) {
    if (!result.ok) {
      notes.push_back(result.name + ": falhou: " + result.error);
      continue;
    }
    notes.insert(notes.end(), result.notes.begin(), result.notes.end());
    for (const EvaluationRow& row : result.rows) {
      if (taken(row)) continue;
      notes.push_back(row.cluster + "/" + row.human +
                      ": menos de duas sentencas em comum, fora das estatisticas");
    }
  }
  if (notes.empty()) return out;
  out += "\nobservacoes:\n";
  for (const std::string& note : notes) out += "  " + note + "\n";
  return out;
}

std::string EvaluationReport::csv() const {
  const std::vector<std::string>& labels = ClusterEvaluation::labels();
  std::string out =
      "cluster,humano,metodo,estatistica,n,sentencas_sumario,sentencas_humano";
  for (const Measure& measure : kMeasures) out += std::string(",") + measure.key;
  out += "\n";
  for (const ClusterResult& result : results_) {
    for (const EvaluationRow& row : result.rows) {
      for (size_t m = 0; m < row.scores.size() && m < labels.size(); ++m) {
        out += csvField(row.cluster) + "," + csvField(row.human) + "," + labels[m] +
               ",valor," + std::to_string(row.scores[m].n) + "," +
               std::to_string(row.summarySentences) + "," +
               std::to_string(row.humanSentences);
        for (const Measure& measure : kMeasures) {
          out += "," + exact(row.scores[m].*measure.score);
        }
        out += "\n";
      }
    }
  }
  for (const MethodStatistics& method : statistics_) {
    for (const Figure& figure : kFigures) {
      out += ",," + method.label + "," + figure.name + "," +
             std::to_string(method.TS.count) + ",,";
      for (const Measure& measure : kMeasures) {
        out += "," + exact((method.*measure.statistic).*figure.value);
      }
      out += "\n";
    }
  }
  return out;
}

std::string EvaluationReport::json() const {
  const std::vector<std::string>& labels = ClusterEvaluation::labels();
  std::string out = "{\n  \"semente\": " + std::to_string(seed_) +
                    ",\n  \"ordenacoes_aleatorias\": " + std::to_string(shuffles_) +
                    ",\n  \"linhas\": [";
  bool firstRow = true;
  std::vector<std::string> failures;
  std::vector<std::string> notes;
  for (const ClusterResult& result : results_) {
    if (!result.ok) {
      failures.push_back("{\"cluster\": " + jsonString(result.name) +
                         ", \"erro\": " + jsonString(result.error) + "}");
      continue;
    }
    notes.insert(notes.end(), result.notes.begin(), result.notes.end());
    for (const EvaluationRow& row : result.rows) {
      out += firstRow ? "\n" : ",\n";
      firstRow = false;
      out += "    {\"cluster\": " + jsonString(row.cluster) +
             ", \"humano\": " + jsonString(row.human) +
             ", \"sentencas_sumario\": " + std::to_string(row.summarySentences) +
             ", \"sentencas_humano\": " + std::to_string(row.humanSentences) +
             ", \"n\": " + std::to_string(row.scores.empty() ? 0 : row.scores[0].n) +
             ", \"nas_estatisticas\": " + (taken(row) ? "true" : "false") +
             ",\n     \"metodos\": [";
      for (size_t m = 0; m < row.scores.size() && m < labels.size(); ++m) {
        out += m == 0 ? "\n" : ",\n";
        out += "       {\"metodo\": " + jsonString(labels[m]);
        for (const Measure& measure : kMeasures) {
          out += ", " + jsonString(measure.key) + ": " +
                 jsonNumber(row.scores[m].*measure.score);
        }
        out += "}";
      }
      out += "]}";
    }
  }
  out += firstRow ? "],\n" : "\n  ],\n";
  out += "  \"corpus\": {\"linhas\": " + std::to_string(rowsTaken_) + ", \"metodos\": [";
  for (size_t m = 0; m < statistics_.size(); ++m) {
    const MethodStatistics& method = statistics_[m];
    out += m == 0 ? "\n" : ",\n";
    out += "    {\"metodo\": " + jsonString(method.label);
    for (const Measure& measure : kMeasures) {
      const Statistic& s = method.*measure.statistic;
      out += ",\n     " + jsonString(measure.key) + ": {";
      for (const Figure& figure : kFigures) {
        out += std::string(&figure == kFigures ? "" : ", ") + jsonString(figure.name) +
               ": " + jsonNumber(s.*figure.value);
      }
      out += "}";
    }
    out += "}";
  }
  out += statistics_.empty() ? "]},\n" : "\n  ]},\n";
  out += "  \"falhas\": [";
  for (size_t i = 0; i < failures.size(); ++i) {
    out += (i == 0 ? "\n    " : ",\n    ") + failures[i];
  }
  out += failures.empty() ? "],\n" : "\n  ],\n";
  out += "  \"observacoes\": [";
  for (size_t i = 0; i < notes.size(); ++i) {
    out += (i == 0 ? "\n    " : ",\n    ") + jsonString(notes[i]);
  }
  out += notes.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

std::string EvaluationReport::svg() const {
  constexpr double kBarWidth = 14;
  constexpr double kGroupGap = 26;
  constexpr double kLeft = 60;
  constexpr double kTop = 85;
  constexpr double kPlotHeight = 300;
  constexpr double kBottom = 90;
  const size_t measures = sizeof kMeasures / sizeof *kMeasures;
  const double groupWidth = static_cast<double>(measures) * kBarWidth + kGroupGap;
  const double width =
      std::max(520.0, kLeft + static_cast<double>(statistics_.size()) * groupWidth + 20);
  const double height = kTop + kPlotHeight + kBottom;
  // Scores lie between -1 and 1.
  auto y = [&](double value) {
    const double clamped = std::max(-1.0, std::min(1.0, value));
    return kTop + (1.0 - clamped) / 2.0 * kPlotHeight;
  };

  std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                  svgNumber(width) + "\" height=\"" + svgNumber(height) +
                  "\" viewBox=\"0 0 " + svgNumber(width) + " " + svgNumber(height) +
                  "\" font-family=\"Helvetica, Arial, sans-serif\" font-size=\"12\">\n";
  s += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  s += "<text x=\"" + svgNumber(kLeft) + "\" y=\"22\" font-size=\"14\">" +
       Encoding::markupEscaped("Concordancia com a ordenacao humana em " +
                               std::to_string(rowsTaken_) + " ordenacoes") +
       "</text>\n";
  s += "<text x=\"" + svgNumber(kLeft) +
       "\" y=\"40\" font-size=\"11\" fill=\"#555555\">" +
       "barra: media; traco: desvio padrao; marcas: minimo e maximo</text>\n";
  // The legend of the measures.
  for (size_t k = 0; k < measures; ++k) {
    const double x = kLeft + static_cast<double>(k) * 90;
    s += "<rect x=\"" + svgNumber(x) + "\" y=\"50\" width=\"12\" height=\"12\" fill=\"" +
         kMeasures[k].colour + "\"/>\n";
    s += "<text x=\"" + svgNumber(x + 16) + "\" y=\"61\">" + kMeasures[k].tableName +
         "</text>\n";
  }
  // The axis, with lines at -1, -0.5, 0, 0.5 and 1.
  for (int tick = -2; tick <= 2; ++tick) {
    const double value = tick / 2.0;
    const std::string ty = svgNumber(y(value));
    s += "<line x1=\"" + svgNumber(kLeft) + "\" y1=\"" + ty + "\" x2=\"" +
         svgNumber(width - 20) + "\" y2=\"" + ty + "\" stroke=\"" +
         (tick == 0 ? "#555555" : "#dddddd") + "\"/>\n";
    s += "<text x=\"" + svgNumber(kLeft - 6) + "\" y=\"" + svgNumber(y(value) + 4) +
         "\" text-anchor=\"end\">" + format("%.1f", value) + "</text>\n";
  }
  for (size_t m = 0; m < statistics_.size(); ++m) {
    const double groupX = kLeft + kGroupGap / 2 + static_cast<double>(m) * groupWidth;
    for (size_t k = 0; k < measures; ++k) {
      const Statistic& st = statistics_[m].*kMeasures[k].statistic;
      if (st.count == 0) continue;
      const double x = groupX + static_cast<double>(k) * kBarWidth;
      const double top = std::min(y(st.mean), y(0));
      const double barHeight = std::fabs(y(st.mean) - y(0));
      const std::string cx = svgNumber(x + kBarWidth / 2);
      s += "<rect x=\"" + svgNumber(x + 1) + "\" y=\"" + svgNumber(top) + "\" width=\"" +
           svgNumber(kBarWidth - 2) + "\" height=\"" + svgNumber(barHeight) +
           "\" fill=\"" + kMeasures[k].colour + "\"><title>" +
           Encoding::markupEscaped(statistics_[m].label + " " + kMeasures[k].tableName +
                                   ": media " + fixed(st.mean) + ", desvio " +
                                   fixed(st.sd) + ", min " + fixed(st.min) + ", max " +
                                   fixed(st.max)) +
           "</title></rect>\n";
      s += "<line x1=\"" + cx + "\" y1=\"" + svgNumber(y(st.mean - st.sd)) + "\" x2=\"" +
           cx + "\" y2=\"" + svgNumber(y(st.mean + st.sd)) +
           "\" stroke=\"#222222\" stroke-width=\"1.5\"/>\n";
      for (const double extreme : {st.min, st.max}) {
        s += "<line x1=\"" + svgNumber(x + 3) + "\" y1=\"" + svgNumber(y(extreme)) +
             "\" x2=\"" + svgNumber(x + kBarWidth - 3) + "\" y2=\"" +
             svgNumber(y(extreme)) + "\" stroke=\"#222222\"/>\n";
      }
    }
    const double labelX = groupX + static_cast<double>(measures) * kBarWidth / 2;
    const double labelY = kTop + kPlotHeight + 18;
    s += "<text x=\"" + svgNumber(labelX) + "\" y=\"" + svgNumber(labelY) +
         "\" text-anchor=\"end\" transform=\"rotate(-30 " + svgNumber(labelX) + " " +
         svgNumber(labelY) + ")\">" + Encoding::markupEscaped(statistics_[m].label) +
         "</text>\n";
  }
  return s + "</svg>\n";
}
