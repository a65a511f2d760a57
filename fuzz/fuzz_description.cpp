// Fuzzes the relation description reader.

#include <cstddef>
#include <cstdint>
#include <string>

#include "Graph.h"
#include "Read.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Graph G;
  Read::readDescriptionOfRelationsCSTFromBytes(&G, bytes);
  if (G.cstList.size() > bytes.size()) __builtin_trap();
  return 0;
}
