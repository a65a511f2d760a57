// Small checkers for the fuzz targets: whether text is well-formed UTF-8,
// JSON, XML (as the chart writes it), Graphviz dot (as the graph writer
// writes it), the fields of CSV records, and whether a vertex belongs to a
// graph. Each says yes or no; a fuzz target traps on no.

#ifndef SENTRALIGN_FUZZ_WELL_FORMED_H_
#define SENTRALIGN_FUZZ_WELL_FORMED_H_

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>
#include <vector>

#include "Graph.h"
#include "io/Encoding.h"

namespace well_formed {

// Whether V is one of G's vertices (a reader hands out no other).
inline bool inGraph(const Graph& G, const class Vertex* V) {
  return std::find(G.vertexList.begin(), G.vertexList.end(), V) != G.vertexList.end();
}

inline bool utf8(const std::string& s) { return Encoding::isValidUtf8(s); }

// A JSON value (RFC 8259) and nothing but blanks around it.
class JsonChecker {
 public:
  explicit JsonChecker(const std::string& s) : s_(s) {}

  bool document() {
    if (!utf8(s_)) return false;
    blanks();
    if (!value(0)) return false;
    blanks();
    return at_ == s_.size();
  }

  bool string() {
    if (!take('"')) return false;
    while (at_ < s_.size()) {
      const unsigned char c = static_cast<unsigned char>(s_[at_++]);
      if (c == '"') return true;
      if (c < 0x20) return false;
      if (c != '\\') continue;
      if (at_ >= s_.size()) return false;
      const char e = s_[at_++];
      if (e == 'u') {
        for (int k = 0; k < 4; ++k) {
          if (at_ >= s_.size() || !std::isxdigit(static_cast<unsigned char>(s_[at_++]))) {
            return false;
          }
        }
      } else if (std::string("\"\\/bfnrt").find(e) == std::string::npos) {
        return false;
      }
    }
    return false;
  }

 private:
  bool value(int depth) {
    if (depth > 64 || at_ >= s_.size()) return false;
    const char c = s_[at_];
    if (c == '{') return object(depth);
    if (c == '[') return array(depth);
    if (c == '"') return string();
    if (word("true") || word("false") || word("null")) return true;
    return number();
  }
  bool object(int depth) {
    take('{');
    blanks();
    if (take('}')) return true;
    for (;;) {
      blanks();
      if (!string()) return false;
      blanks();
      if (!take(':')) return false;
      blanks();
      if (!value(depth + 1)) return false;
      blanks();
      if (take('}')) return true;
      if (!take(',')) return false;
    }
  }
  bool array(int depth) {
    take('[');
    blanks();
    if (take(']')) return true;
    for (;;) {
      blanks();
      if (!value(depth + 1)) return false;
      blanks();
      if (take(']')) return true;
      if (!take(',')) return false;
    }
  }
  bool number() {
    const size_t start = at_;
    take('-');
    if (take('0')) {
    } else if (!digits()) {
      return false;
    }
    if (take('.') && !digits()) return false;
    if (take('e') || take('E')) {
      if (!take('+')) take('-');
      if (!digits()) return false;
    }
    return at_ > start;
  }
  bool digits() {
    const size_t start = at_;
    while (at_ < s_.size() && s_[at_] >= '0' && s_[at_] <= '9') ++at_;
    return at_ > start;
  }
  bool word(const char* w) {
    const std::string t(w);
    if (s_.compare(at_, t.size(), t) != 0) return false;
    at_ += t.size();
    return true;
  }
  bool take(char c) {
    if (at_ < s_.size() && s_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  void blanks() {
    while (at_ < s_.size() && std::string(" \t\n\r").find(s_[at_]) != std::string::npos) {
      ++at_;
    }
  }

  const std::string& s_;
  size_t at_ = 0;
};

inline bool json(const std::string& s) { return JsonChecker(s).document(); }

// XML as the chart writes it: UTF-8; every '<' opens a tag whose
// attributes are name="value" without '<' or '&' but in entities; tags
// nest; '&' only as &amp; &lt; &gt; &quot; or &#N;; one root element.
inline bool xml(const std::string& s) {
  if (!utf8(s)) return false;
  std::vector<std::string> open;
  bool rootClosed = false;
  auto entity = [&](size_t* i) {
    for (const char* e : {"&amp;", "&lt;", "&gt;", "&quot;"}) {
      if (s.compare(*i, std::string(e).size(), e) == 0) {
        *i += std::string(e).size();
        return true;
      }
    }
    if (s.compare(*i, 2, "&#") != 0) return false;
    size_t j = *i + 2;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
    if (j == *i + 2 || j >= s.size() || s[j] != ';') return false;
    *i = j + 1;
    return true;
  };
  for (size_t i = 0; i < s.size();) {
    if (s[i] == '&') {
      if (!entity(&i)) return false;
      continue;
    }
    if (s[i] == '>') return false;
    if (s[i] != '<') {
      if (open.empty() && !std::isspace(static_cast<unsigned char>(s[i]))) return false;
      ++i;
      continue;
    }
    const bool closing = i + 1 < s.size() && s[i + 1] == '/';
    size_t j = i + (closing ? 2 : 1);
    const size_t nameStart = j;
    while (j < s.size() &&
           (std::isalnum(static_cast<unsigned char>(s[j])) || s[j] == '-')) {
      ++j;
    }
    const std::string name = s.substr(nameStart, j - nameStart);
    if (name.empty()) return false;
    if (closing) {
      if (j >= s.size() || s[j] != '>' || open.empty() || open.back() != name)
        return false;
      open.pop_back();
      rootClosed = open.empty();
      i = j + 1;
      continue;
    }
    if (rootClosed) return false;
    for (;;) {  // attributes
      while (j < s.size() && s[j] == ' ') ++j;
      if (j >= s.size()) return false;
      if (s[j] == '>' || s.compare(j, 2, "/>") == 0) break;
      while (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) ||
                              s[j] == '-' || s[j] == ':')) {
        ++j;
      }
      if (s.compare(j, 2, "=\"") != 0) return false;
      j += 2;
      while (j < s.size() && s[j] != '"') {
        if (s[j] == '<') return false;
        if (s[j] == '&') {
          if (!entity(&j)) return false;
          continue;
        }
        ++j;
      }
      if (j >= s.size()) return false;
      ++j;
    }
    if (s[j] == '/') {
      rootClosed = open.empty();
      i = j + 2;
    } else {
      open.push_back(name);
      i = j + 1;
    }
  }
  return open.empty() && rootClosed;
}

// Graphviz dot as the graph writer writes it: UTF-8; every quoted string
// closed, with only \" and \\ (and other \x) escapes; an HTML label <...>
// balanced; braces and brackets balanced outside strings.
inline bool dot(const std::string& s) {
  if (!utf8(s) || s.rfind("digraph ", 0) != 0) return false;
  std::vector<char> open;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') {
      for (++i; i < s.size() && s[i] != '"'; ++i) {
        if (s[i] == '\\') ++i;
        if (i < s.size() && s[i] == '\n') return false;
      }
      if (i >= s.size()) return false;
    } else if (c == '<') {
      int depth = 1;
      for (++i; i < s.size() && depth > 0; ++i) {
        if (s[i] == '<') ++depth;
        if (s[i] == '>') --depth;
      }
      if (depth != 0) return false;
      --i;
    } else if (c == '{' || c == '[') {
      open.push_back(c == '{' ? '}' : ']');
    } else if (c == '}' || c == ']') {
      if (open.empty() || open.back() != c) return false;
      open.pop_back();
    }
  }
  return open.empty();
}

// The fields of CSV text, record by record, as RFC 4180 reads them (a
// quoted field may hold commas, quotes doubled and line ends). False for
// a quote that is not closed or is followed by something other than a
// comma or a line end.
inline bool csv(const std::string& s, std::vector<std::vector<std::string>>* records) {
  records->clear();
  std::vector<std::string> record;
  std::string field;
  bool quoted = false;
  bool started = false;  // the record has begun
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    started = true;
    if (quoted) {
      if (c != '"') {
        field.push_back(c);
      } else if (i + 1 < s.size() && s[i + 1] == '"') {
        field.push_back('"');
        ++i;
      } else {
        quoted = false;
        if (i + 1 < s.size() && s[i + 1] != ',' && s[i + 1] != '\n') return false;
      }
    } else if (c == '"' && field.empty()) {
      quoted = true;
    } else if (c == ',') {
      record.push_back(field);
      field.clear();
    } else if (c == '\n') {
      record.push_back(field);
      field.clear();
      records->push_back(record);
      record.clear();
      started = false;
    } else {
      field.push_back(c);
    }
  }
  if (quoted) return false;
  if (started) {
    record.push_back(field);
    records->push_back(record);
  }
  return true;
}

}  // namespace well_formed

#endif  // SENTRALIGN_FUZZ_WELL_FORMED_H_
