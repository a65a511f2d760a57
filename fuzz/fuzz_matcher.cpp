// Fuzzes the sentence matcher on a graph of fuzzed texts: every line that
// is not empty names a sentence of the graph or is noted as naming none,
// the notes come in line order, and the compared forms are stable.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Graph.h"
#include "Read.h"
#include "Vertex.h"
#include "eval/SentenceMatcher.h"
#include "well_formed.h"

using well_formed::inGraph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Graph G;
  const bool segmented = in.ConsumeBool();
  for (int text = 1; text <= 2; ++text) {
    const std::string bytes = in.ConsumeRandomLengthString();
    if (segmented) {
      Read::readSegmentedSentencesFromBytes(&G, bytes, text);
    } else {
      Read::readSentencesFromBytes(&G, bytes, text);
    }
  }
  const std::string lines = in.ConsumeRemainingBytesAsString();

  const SentenceMatcher matcher(G);
  std::vector<Vertex*> list;
  std::vector<MatchNote> notes;
  matcher.matchLines(lines, &list, &notes);

  size_t nonEmpty = 0;
  for (size_t start = 0; start < lines.size();) {
    size_t stop = lines.find('\n', start);
    if (stop == std::string::npos) stop = lines.size();
    if (stop > start) ++nonEmpty;
    start = stop + 1;
  }
  size_t dropped = 0;
  int lastLine = 0;
  for (const MatchNote& note : notes) {
    if (note.lineNumber < lastLine) __builtin_trap();
    lastLine = note.lineNumber;
    if (note.kind == MatchNote::kUnmatched || note.kind == MatchNote::kAmbiguous) {
      ++dropped;
    }
    if (note.sentence != nullptr && !inGraph(G, note.sentence)) __builtin_trap();
    if (note.kind == MatchNote::kMatched && note.rule == MatchRule::kRun &&
        note.runLength < 2) {
      __builtin_trap();
    }
  }
  if (list.size() + dropped != nonEmpty) __builtin_trap();
  for (const Vertex* V : list) {
    if (!inGraph(G, V)) __builtin_trap();
  }

  const std::string key = SentenceMatcher::unquoted(lines);
  if (SentenceMatcher::unquoted(key) != key) __builtin_trap();
  if (SentenceMatcher::datelineLength(lines) > lines.size()) __builtin_trap();
  return 0;
}
