// Fuzzes the report writers on results built from the input: names of any
// bytes, scores of any value (not a number and infinities among them),
// failures, notes, comparisons; and the graph writer on a graph of fuzzed
// texts, relations and names. Every output is well-formed: the table and
// the CSV keep one record a line and the CSV reads back as records() says,
// the JSON parses, the chart is XML, the graph is dot.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "Graph.h"
#include "Read.h"
#include "Vertex.h"
#include "eval/DotWriter.h"
#include "eval/EvaluationReport.h"
#include "well_formed.h"

namespace {

double score(FuzzedDataProvider* in) {
  switch (in->ConsumeIntegralInRange(0, 5)) {
    case 0:
      return AgreementScores::kUndefined;
    case 1:
      return INFINITY;
    case 2:
      return in->ConsumeFloatingPoint<double>();
    default:
      return in->ConsumeFloatingPointInRange(-1.0, 1.0);
  }
}

std::vector<ClusterResult> results(FuzzedDataProvider* in) {
  std::vector<ClusterResult> all(in->ConsumeIntegralInRange<size_t>(0, 4));
  for (ClusterResult& r : all) {
    r.name = in->ConsumeRandomLengthString(16);
    r.ok = in->ConsumeBool();
    if (!r.ok) {
      r.error = in->ConsumeRandomLengthString(32);
      continue;
    }
    for (int n = in->ConsumeIntegralInRange(0, 3); n > 0; --n) {
      r.notes.push_back(in->ConsumeRandomLengthString(32));
    }
    for (int rows = in->ConsumeIntegralInRange(1, 4); rows > 0; --rows) {
      EvaluationRow row;
      row.cluster = r.name;
      row.human = in->ConsumeRandomLengthString(16);
      row.summarySentences = in->ConsumeIntegral<int>();
      row.humanSentences = in->ConsumeIntegral<int>();
      const int n = in->ConsumeIntegralInRange(-1, 12);
      for (size_t m = 0; m < ClusterEvaluation::labels().size(); ++m) {
        AgreementScores s;
        s.n = n;
        s.TS = score(in);
        s.TK = score(in);
        s.tauB = score(in);
        s.perfectMatch = score(in);
        s.inPlace = score(in);
        row.scores.push_back(s);
      }
      r.rows.push_back(row);
    }
  }
  return all;
}

// Whether the CSV reads back as the records and the header say.
bool csvReadsBack(const EvaluationReport& report) {
  std::vector<std::vector<std::string>> lines;
  if (!well_formed::utf8(report.csv()) || !well_formed::csv(report.csv(), &lines)) {
    return false;
  }
  const std::vector<ReportRecord> records = report.records();
  if (lines.size() != records.size() + 1) return false;
  for (size_t r = 0; r < records.size(); ++r) {
    const std::vector<std::string>& fields = lines[r + 1];
    if (fields.size() != records[r].size() || fields.size() != lines[0].size()) {
      return false;
    }
    for (size_t c = 0; c < fields.size(); ++c) {
      const ReportValue& v = records[r][c].second;
      if (lines[0][c] != records[r][c].first) return false;
      if (v.kind == ReportValue::kEmpty && !fields[c].empty()) return false;
      if (v.kind == ReportValue::kText && fields[c] != v.text) return false;
      if (v.kind == ReportValue::kNumber) {
        char* end = nullptr;
        const double x = std::strtod(fields[c].c_str(), &end);
        if (fields[c].empty() || *end != '\0') return false;
        if (std::isnan(v.number) != std::isnan(x)) return false;
      }
    }
  }
  return true;
}

// Whether every line of the table is UTF-8 without control characters.
bool tableIsLines(const std::string& table) {
  if (!well_formed::utf8(table)) return false;
  for (const char c : table) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\n') || u == 0x7F) return false;
  }
  return table.empty() || table.back() == '\n';
}

void checkGraph(FuzzedDataProvider* in) {
  Graph G;
  Read::readDescriptionOfRelationsCSTFromBytes(&G, "Overlap 1 t\nElaboration 1 f\n");
  std::map<int, std::string> names;
  for (int text = 1; text <= 2; ++text) {
    Read::readSegmentedSentencesFromBytes(&G, in->ConsumeRandomLengthString(64), text);
    if (in->ConsumeBool()) names[text] = in->ConsumeRandomLengthString(16);
  }
  Read::readRelationsCSTFromBytes(&G, in->ConsumeRandomLengthString(256));
  std::vector<Vertex*> summary;
  for (Vertex* V : G.vertexList) {
    if (in->ConsumeBool()) summary.push_back(V);
  }
  std::vector<RemovedEdge> removed;
  if (!G.vertexList.empty() && in->ConsumeBool()) {
    const Vertex* V = G.vertexList[0];
    removed.push_back({V->getIdText(), V->getPosText(), V->getIdText(),
                       V->getPosText() + 1, in->ConsumeRandomLengthString(8)});
  }
  // The sentences come from files decoded to UTF-8; so do they here.
  for (Vertex* V : G.vertexList) {
    if (!Encoding::isValidUtf8(V->stringSentenceRef())) return;
  }
  if (!well_formed::dot(DotWriter::graphToDot(G, summary, removed, names))) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::vector<ClusterResult> all = results(&in);
  ReportSettings settings;
  settings.seed = in.ConsumeIntegral<std::uint64_t>();
  settings.resamples = in.ConsumeIntegralInRange(0, 50);
  settings.patterns = in.ConsumeIntegralInRange(0, 50);
  settings.compare = in.ConsumeBool();
  settings.measure = static_cast<ReportMeasure>(in.ConsumeIntegralInRange(0, 4));
  const EvaluationReport report(all, settings);
  if (!tableIsLines(report.table())) __builtin_trap();
  if (!csvReadsBack(report)) __builtin_trap();
  if (!well_formed::json(report.json())) __builtin_trap();
  if (!well_formed::xml(report.svg())) __builtin_trap();
  checkGraph(&in);
  return 0;
}
