// Fuzzes the line reader of the stop list: the lines put back together with
// line feeds give the bytes again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Read.h"
#include "io/Files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  sentralign::io::splitLines(bytes, &lines);
  std::string joined;
  for (const std::string& line : lines) joined += line + "\n";
  if (joined != bytes && joined != bytes + "\n") __builtin_trap();
  return 0;
}
