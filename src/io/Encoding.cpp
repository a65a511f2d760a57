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

// The length of the well-formed UTF-8 character that starts at bytes[i],
// and its code point in *code; 0 when none starts there. ASCII is a
// character of one byte.
size_t characterAt(const std::string& bytes, size_t i, std::uint32_t* code) {
  const unsigned char c = static_cast<unsigned char>(bytes[i]);
  if (c < 0x80) {
    *code = c;
    return 1;
  }
  size_t length = 0;
  std::uint32_t value = 0;
  std::uint32_t least = 0;  // the smallest code of that length
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
    value = c & 0x1Fu;
    least = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    length = 3;
    value = c & 0x0Fu;
    least = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    value = c & 0x07u;
    least = 0x10000;
  } else {
    return 0;  // a continuation byte, C0, C1 or F5 to FF
  }
  if (bytes.size() - i < length) return 0;
  for (size_t k = 1; k < length; ++k) {
    const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
    if (!isContinuation(next)) return 0;
    value = (value << 6) | (next & 0x3Fu);
  }
  if (value < least || value > 0x10FFFF) return 0;
  if (value >= 0xD800 && value <= 0xDFFF) return 0;
  *code = value;
  return length;
}

// The UTF-8 of the Latin-1 (Windows-1252) byte c.
void appendLatin1(unsigned char c, std::string* out) {
  std::uint32_t code = c;
  if (c >= 0x80 && c <= 0x9F && kWindows1252[c - 0x80] != 0) {
    code = kWindows1252[c - 0x80];
  }
  appendUtf8(code, out);
}

void appendEscape(const char* prefix, unsigned value, int digits, std::string* out) {
  static const char kHex[] = "0123456789ABCDEF";
  *out += prefix;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
    out->push_back(kHex[(value >> shift) & 0xF]);
  }
}

}  // namespace

Encoding::~Encoding() = default;

bool Encoding::isValidUtf8(const std::string& bytes) {
  std::uint32_t code = 0;
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = characterAt(bytes, i, &code);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string Encoding::latin1ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char byte : bytes) appendLatin1(static_cast<unsigned char>(byte), &out);
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

namespace sentralign::io {

TextDecoding decodeText(std::string* bytes) {
  TextDecoding decoding;
  size_t wide = 0;  // well-formed characters of two bytes or more
  std::uint32_t code = 0;
  for (size_t i = 0; i < bytes->size();) {
    const size_t length = characterAt(*bytes, i, &code);
    if (length == 0) {
      ++decoding.strayBytes;
      ++i;
      continue;
    }
    if (length > 1) ++wide;
    i += length;
  }
  if (decoding.strayBytes == 0) return decoding;
  if (wide <= decoding.strayBytes) {
    *bytes = Encoding::latin1ToUtf8(*bytes);
    decoding.kind = TextDecoding::kLatin1;
    decoding.strayBytes = 0;
    return decoding;
  }
  decoding.kind = TextDecoding::kMostlyUtf8;
  std::string out;
  out.reserve(bytes->size() + decoding.strayBytes);
  int line = 1;
  for (size_t i = 0; i < bytes->size();) {
    const size_t length = characterAt(*bytes, i, &code);
    if (length == 0) {
      appendLatin1(static_cast<unsigned char>((*bytes)[i]), &out);
      if (decoding.strayLines.empty() || decoding.strayLines.back() != line) {
        decoding.strayLines.push_back(line);
      }
      ++i;
      continue;
    }
    if (code == '\n') ++line;
    out.append(*bytes, i, length);
    i += length;
  }
  *bytes = std::move(out);
  return decoding;
}

std::string printable(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::uint32_t code = 0;
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = characterAt(bytes, i, &code);
    if (length == 0) {
      appendEscape("\\x", static_cast<unsigned char>(bytes[i]), 2, &out);
      ++i;
      continue;
    }
    if (code == '\\') {
      out += "\\\\";
    } else if (code == '\n') {
      out += "\\n";
    } else if (code == '\r') {
      out += "\\r";
    } else if (code == '\t') {
      out += "\\t";
    } else if (code < 0x20 || code == 0x7F) {
      appendEscape("\\x", code, 2, &out);
    } else if (code >= 0x80 && code <= 0x9F) {
      appendEscape("\\u", code, 4, &out);
    } else {
      out.append(bytes, i, length);
    }
    i += length;
  }
  return out;
}

std::string jsonQuoted(const std::string& utf8) {
  std::string q = "\"";
  for (const char c : utf8) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      q.push_back('\\');
      q.push_back(c);
    } else if (c == '\n') {
      q += "\\n";
    } else if (c == '\r') {
      q += "\\r";
    } else if (c == '\t') {
      q += "\\t";
    } else if (u < 0x20) {
      appendEscape("\\u", u, 4, &q);
    } else {
      q.push_back(c);
    }
  }
  return q + "\"";
}

namespace {

// "2, 3 e 7": the lines, the first ten of them.
std::string lineList(const std::vector<int>& lines) {
  constexpr size_t kShown = 10;
  std::string s;
  for (size_t i = 0; i < lines.size() && i < kShown; ++i) {
    if (i > 0) s += i + 1 == lines.size() ? " e " : ", ";
    s += std::to_string(lines[i]);
  }
  if (lines.size() > kShown) s += " e mais " + std::to_string(lines.size() - kShown);
  return s;
}

}  // namespace

std::string describeDecoding(const std::string& path, const TextDecoding& decoding) {
  switch (decoding.kind) {
    case TextDecoding::kUtf8:
      return "";
    case TextDecoding::kLatin1:
      return path + ": nao e UTF-8; lido como Latin-1 e convertido para UTF-8";
    case TextDecoding::kMostlyUtf8:
      return path + ": UTF-8 com " + std::to_string(decoding.strayBytes) +
             " bytes que nao sao UTF-8, lidos como Latin-1 (linhas " +
             lineList(decoding.strayLines) + ")";
  }
  return "";
}

}  // namespace sentralign::io
