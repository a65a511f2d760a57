#include "eval/SentenceMatcher.h"

#include <algorithm>
#include <cstdint>

#include "Graph.h"
#include "Vertex.h"

namespace {

// One character of a UTF-8 string: its code point and its length in bytes.
// A byte that starts no well-formed sequence is a character of its own,
// with kNoCode as its code point.
struct Character {
  std::uint32_t code = 0;
  size_t length = 1;
};

constexpr std::uint32_t kNoCode = 0xFFFFFFFF;

Character decodeAt(const std::string& s, size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return {c, 1};
  size_t length = 0;
  std::uint32_t code = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
    code = c & 0x1Fu;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    code = c & 0x0Fu;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    code = c & 0x07u;
  } else {
    return {kNoCode, 1};
  }
  if (s.size() - i < length) return {kNoCode, 1};
  for (size_t k = 1; k < length; ++k) {
    const unsigned char next = static_cast<unsigned char>(s[i + k]);
    if ((next & 0xC0) != 0x80) return {kNoCode, 1};
    code = (code << 6) | (next & 0x3Fu);
  }
  return {code, length};
}

// Unicode blanks beside ASCII's, and the quotation marks that a
// normalised line writes as '"' and '\''.
constexpr std::uint32_t kBlanks[] = {' ',    '\t',   '\n',   '\r',   '\v',  '\f',
                                     0x00A0, 0x202F, 0x205F, 0x3000, 0xFEFF};
constexpr std::uint32_t kDoubleQuotes[] = {0x201C, 0x201D, 0x201E, 0x201F,
                                           0x00AB, 0x00BB, 0x2033};
constexpr std::uint32_t kSingleQuotes[] = {0x2018, 0x2019, 0x201A, 0x201B, 0x2039,
                                           0x203A, '`',    0x00B4, 0x2032};

template <size_t N>
bool isOneOf(const std::uint32_t (&codes)[N], std::uint32_t code) {
  return std::find(codes, codes + N, code) != codes + N;
}

bool isBlank(std::uint32_t code) {
  return isOneOf(kBlanks, code) || (code >= 0x2000 && code <= 0x200B);
}

// The character that stands for `code` in a normalised line, or kNoCode to
// keep the character as it is.
std::uint32_t normalisedCode(std::uint32_t code) {
  if (isOneOf(kDoubleQuotes, code)) return '"';
  if (isOneOf(kSingleQuotes, code)) return '\'';
  if (code >= 'A' && code <= 'Z') return code + ('a' - 'A');
  if (code >= 0x00C0 && code <= 0x00DE && code != 0x00D7) return code + 0x20;
  return kNoCode;
}

void appendCode(std::uint32_t code, std::string* out) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else {  // every replacement above U+007F lies below U+0800
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

}  // namespace

SentenceMatcher::SentenceMatcher(const Graph& G) {
  exact_.reserve(G.vertexList.size());
  normalised_.reserve(G.vertexList.size());
  for (Vertex* V : G.vertexList) {
    exact_.emplace(V->stringSentenceRef(), V);
    const auto inserted =
        normalised_.emplace(normalise(V->stringSentenceRef()), NormalisedEntry{V});
    NormalisedEntry& entry = inserted.first->second;
    if (!inserted.second && entry.first->stringSentenceRef() != V->stringSentenceRef()) {
      entry.ambiguous = true;
    }
  }
}

SentenceMatcher::~SentenceMatcher() = default;

std::string SentenceMatcher::normalise(const std::string& line) {
  // The blanks at the ends are found first, on the characters as they are.
  size_t begin = 0;
  size_t end = line.size();
  while (begin < end) {
    const Character c = decodeAt(line, begin);
    if (!isBlank(c.code)) break;
    begin += c.length;
  }
  size_t lastEnd = begin;  // the end of the last character that is no blank
  for (size_t i = begin; i < end;) {
    const Character c = decodeAt(line, i);
    i += c.length;
    if (!isBlank(c.code)) lastEnd = i;
  }
  end = lastEnd;

  std::string out;
  out.reserve(end - begin);
  for (size_t i = begin; i < end;) {
    const Character c = decodeAt(line, i);
    const std::uint32_t replacement =
        c.code == kNoCode ? kNoCode : normalisedCode(c.code);
    if (replacement == kNoCode) {
      out.append(line, i, c.length);
    } else {
      appendCode(replacement, &out);
    }
    i += c.length;
  }
  return out;
}

void SentenceMatcher::matchLines(const std::string& bytes, std::vector<Vertex*>* list,
                                 std::vector<MatchNote>* notes) const {
  std::unordered_map<const Vertex*, int> firstLineOf;
  int lineNumber = 0;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t stop = bytes.find('\n', start);
    if (stop == std::string::npos) stop = bytes.size();
    const std::string line = bytes.substr(start, stop - start);
    start = stop + 1;
    ++lineNumber;
    if (line.empty()) continue;

    Vertex* found = nullptr;
    const auto exact = exact_.find(line);
    if (exact != exact_.end()) {
      found = exact->second;
    } else {
      const std::string key = normalise(line);
      const auto normalised = key.empty() ? normalised_.end() : normalised_.find(key);
      if (normalised == normalised_.end()) {
        notes->push_back({MatchNote::kUnmatched, lineNumber, line});
        continue;
      }
      if (normalised->second.ambiguous) {
        notes->push_back({MatchNote::kAmbiguous, lineNumber, line});
        continue;
      }
      found = normalised->second.first;
      notes->push_back({MatchNote::kNormalised, lineNumber, line});
    }
    const auto first = firstLineOf.emplace(found, lineNumber);
    if (!first.second) {
      notes->push_back({MatchNote::kRepeated, lineNumber, line, first.first->second});
    }
    list->push_back(found);
  }
}
