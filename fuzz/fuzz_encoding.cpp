// Fuzzes the decision of a file's encoding and its conversion, and the
// printable form of names: what comes out is always well-formed UTF-8, a
// printable name holds no control character, and as a JSON string it
// parses.

#include <cstddef>
#include <cstdint>
#include <string>

#include "io/Encoding.h"
#include "well_formed.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  std::string bytes = input;
  const sentralign::io::TextDecoding d = sentralign::io::decodeText(&bytes);
  if (!Encoding::isValidUtf8(bytes)) __builtin_trap();
  if (Encoding::isValidUtf8(input) != (d.kind == sentralign::io::TextDecoding::kUtf8)) {
    __builtin_trap();
  }
  if (d.kind == sentralign::io::TextDecoding::kUtf8 && bytes != input) __builtin_trap();
  if (d.kind == sentralign::io::TextDecoding::kLatin1 &&
      bytes != Encoding::latin1ToUtf8(input)) {
    __builtin_trap();
  }
  if ((d.kind == sentralign::io::TextDecoding::kMostlyUtf8) != (d.strayBytes > 0)) {
    __builtin_trap();
  }
  for (size_t i = 1; i < d.strayLines.size(); ++i) {
    if (d.strayLines[i] <= d.strayLines[i - 1]) __builtin_trap();
  }

  const std::string name = sentralign::io::printable(input);
  if (!Encoding::isValidUtf8(name)) __builtin_trap();
  for (const char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) __builtin_trap();
  }
  if (name.find("\xC2\x80") != std::string::npos) __builtin_trap();  // C1 escaped
  if (Encoding::isValidUtf8(input) && input.find_first_of("\\") == std::string::npos) {
    bool controls = false;
    for (const char c : input)
      controls |= static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    if (!controls && input.find("\xC2") == std::string::npos && name != input) {
      __builtin_trap();
    }
  }
  if (!well_formed::json(sentralign::io::jsonQuoted(name))) __builtin_trap();
  if (Encoding::isValidUtf8(input) &&
      !well_formed::json(sentralign::io::jsonQuoted(input))) {
    __builtin_trap();
  }
  return 0;
}
