// Fuzzes a whole run: a stop list, a relation description, two texts, a
// summary and a relation file, all fuzzed, then one of the six methods. The
// ordered summary holds exactly the summary's sentences.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Graph.h"
#include "Methods.h"
#include "Read.h"
#include "Vertex.h"
#include "io/Files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int method = in.ConsumeIntegralInRange(0, 7);
  Graph G;
  sentralign::io::splitLines(in.ConsumeRandomLengthString(64), &G.stopList);
  Read::readDescriptionOfRelationsCSTFromBytes(&G, in.ConsumeRandomLengthString(128));
  Read::readSentencesFromBytes(&G, in.ConsumeRandomLengthString(512), 1);
  Read::readSentencesFromBytes(&G, in.ConsumeRandomLengthString(512), 2);
  Read::readClearSummFromBytes(in.ConsumeRandomLengthString(256), &G, G.summ, nullptr);
  // Few relations keep the cycle removal, whose cost grows with the number
  // of cycles, within the fuzzer's time limit.
  Read::readRelationsCSTFromBytes(&G, in.ConsumeRandomLengthString(400));

  const bool known =
      runOrderingMethod(&G, method, nullptr, [](const Vertex&, const Edge&) {});
  if (!known) {
    if (!G.orderedSumm.empty()) __builtin_trap();
    return 0;
  }
  std::vector<Vertex*> summ = G.summ;
  std::vector<Vertex*> ordered = G.orderedSumm;
  std::sort(summ.begin(), summ.end());
  std::sort(ordered.begin(), ordered.end());
  if (summ != ordered) __builtin_trap();
  return 0;
}
