// Fuzzes both summary readers on a graph made of fuzzed texts: each entry is
// a vertex of the graph, and every line is either matched or reported.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Graph.h"
#include "Read.h"
#include "Vertex.h"
#include "well_formed.h"

using well_formed::inGraph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Graph G;
  Read::readSentencesFromBytes(&G, in.ConsumeRandomLengthString(), 1);
  Read::readSentencesFromBytes(&G, in.ConsumeRandomLengthString(), 2);
  const std::string plain = in.ConsumeRandomLengthString();
  const std::string marked = in.ConsumeRemainingBytesAsString();

  std::vector<UnmatchedLine> unmatched;
  Read::readClearSummFromBytes(plain, &G, G.summ, &unmatched);
  const size_t lines = static_cast<size_t>(std::count(plain.begin(), plain.end(), '\n')) +
                       (!plain.empty() && plain.back() != '\n' ? 1 : 0);
  if (G.summ.size() + unmatched.size() != lines) __builtin_trap();
  for (const Vertex* V : G.summ) {
    if (!inGraph(G, V)) __builtin_trap();
  }

  unmatched.clear();
  Read::readSummFromBytes(marked, &G, G.humanOrderedSumm, &unmatched);
  for (const Vertex* V : G.humanOrderedSumm) {
    if (!inGraph(G, V)) __builtin_trap();
  }
  Read::setAllPosHummanOrderedSumm(&G);
  return 0;
}
