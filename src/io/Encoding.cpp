#include "io/Encoding.h"

#include <cstdint>

namespace {

// The Windows-1252 characters of the bytes 0x80 to 0x9F; 0 where the byte
// stands for no character.
constexpr std::uint16_t kWindows1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void appendUtf8(std::uint32_t code, std::string* out) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

Encoding::~Encoding() = default;

bool Encoding::isValidUtf8(const std::string& bytes) {
  const size_t size = bytes.size();
  size_t i = 0;
  while (i < size) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t length = 0;
    std::uint32_t code = 0;
    std::uint32_t least = 0;  // the smallest code of that length
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
      code = c & 0x1Fu;
      least = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      length = 3;
      code = c & 0x0Fu;
      least = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      code = c & 0x07u;
      least = 0x10000;
    } else {
      return false;  // a continuation byte, C0, C1 or F5 to FF
    }
    if (size - i < length) return false;
    for (size_t k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if (!isContinuation(next)) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    if (code < least || code > 0x10FFFF) return false;
    if (code >= 0xD800 && code <= 0xDFFF) return false;
    i += length;
  }
  return true;
}

std::string Encoding::latin1ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char byte : bytes) {
    const unsigned char c = static_cast<unsigned char>(byte);
    std::uint32_t code = c;
    if (c >= 0x80 && c <= 0x9F && kWindows1252[c - 0x80] != 0) {
      code = kWindows1252[c - 0x80];
    }
    appendUtf8(code, &out);
  }
  return out;
}

bool Encoding::toUtf8(std::string* bytes) {
  if (isValidUtf8(*bytes)) return false;
  *bytes = latin1ToUtf8(*bytes);
  return true;
}

std::string Encoding::markupEscaped(const std::string& s) {
  std::string out;
  for (const char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}
