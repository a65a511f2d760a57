// Fuzzes the relation file reader on a graph made of fuzzed texts and a
// fuzzed relation description: every edge it makes links two vertices of
// the graph, and every out-edge has its in-edge.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "Edge.h"
#include "Graph.h"
#include "Read.h"
#include "Vertex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Graph G;
  Read::readSentencesFromBytes(&G, in.ConsumeRandomLengthString(), 1);
  Read::readSentencesFromBytes(&G, in.ConsumeRandomLengthString(), 2);
  Read::readDescriptionOfRelationsCSTFromBytes(&G, in.ConsumeRandomLengthString());
  Read::readRelationsCSTFromBytes(&G, in.ConsumeRemainingBytesAsString());
  size_t out = 0, inEdges = 0;
  for (const Vertex* V : G.vertexList) {
    for (const Edge* e : V->edgeOutList) {
      if (e->getVertex() == nullptr) __builtin_trap();
      if (e->getRelationName() != "Text-Sequence") ++out;
    }
    inEdges += V->edgeInList.size();
  }
  if (out != inEdges) __builtin_trap();
  return 0;
}
