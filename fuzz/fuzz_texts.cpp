// Fuzzes the source text reader: any bytes give sentences, never a crash.

#include <cstddef>
#include <cstdint>
#include <string>

#include "Edge.h"
#include "Graph.h"
#include "Read.h"
#include "Vertex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Graph G;
  G.stopList = {"a", "de", "o", ""};
  Read::readSentencesFromBytes(&G, bytes, 1);
  for (size_t i = 0; i < G.vertexList.size(); ++i) {
    const Vertex* V = G.vertexList[i];
    const std::string& s = V->stringSentenceRef();
    if (s.empty() || s.find('\n') != std::string::npos) __builtin_trap();
    if (V->getPosText() != static_cast<int>(i) + 1) __builtin_trap();
    if (V->getNumWordsAfter() < 0) __builtin_trap();
    if (V->getCharSentence()[V->getSizeCharSentence()] != nullptr) __builtin_trap();
    const size_t edges = i + 1 < G.vertexList.size() ? 1 : 0;
    if (V->edgeOutList.size() != edges) __builtin_trap();
  }
  return 0;
}
