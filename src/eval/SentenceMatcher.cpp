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

Character decodeAt(std::string_view s, size_t i) {
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

// The character that ends just before byte `i` of s (i > 0).
Character decodeBefore(std::string_view s, size_t i) {
  for (size_t back = 1; back <= 4 && back <= i; ++back) {
    const unsigned char c = static_cast<unsigned char>(s[i - back]);
    if ((c & 0xC0) == 0x80 && back < 4) continue;
    const Character found = decodeAt(s, i - back);
    if (found.length == back) return found;
    break;
  }
  return {kNoCode, 1};
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

// Letters and digits: ASCII's, every character from U+00C0 on but the
// signs of multiplication and division, the general punctuation block and
// the blanks, and every byte that is not UTF-8.
bool isWordCode(std::uint32_t code) {
  if (code < 0x80) {
    return (code >= '0' && code <= '9') || (code >= 'a' && code <= 'z') ||
           (code >= 'A' && code <= 'Z');
  }
  if (code == kNoCode) return true;
  if (code < 0xC0 || code == 0xD7 || code == 0xF7) return false;
  return !isBlank(code) && !(code >= 0x2000 && code <= 0x206F);
}

bool isCapital(std::uint32_t code) {
  return (code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7);
}

bool isDash(std::uint32_t code) {
  return code == '-' || code == 0x2013 || code == 0x2014;
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

// The words of `s`: its runs of word characters.
std::vector<std::string_view> wordsOf(std::string_view s) {
  std::vector<std::string_view> words;
  size_t start = std::string_view::npos;
  for (size_t i = 0; i < s.size();) {
    const Character c = decodeAt(s, i);
    if (isWordCode(c.code)) {
      if (start == std::string_view::npos) start = i;
    } else if (start != std::string_view::npos) {
      words.push_back(s.substr(start, i - start));
      start = std::string_view::npos;
    }
    i += c.length;
  }
  if (start != std::string_view::npos) words.push_back(s.substr(start));
  return words;
}

int countWords(std::string_view s) { return static_cast<int>(wordsOf(s).size()); }

// Whether a piece of `hay` that starts at `begin` and ends at `end` starts
// and ends at word boundaries: no word character on both sides of either
// end.
bool onWordBoundaries(std::string_view hay, size_t begin, size_t end) {
  if (begin > 0 && begin < hay.size() && isWordCode(decodeBefore(hay, begin).code) &&
      isWordCode(decodeAt(hay, begin).code)) {
    return false;
  }
  if (end > 0 && end < hay.size() && isWordCode(decodeBefore(hay, end).code) &&
      isWordCode(decodeAt(hay, end).code)) {
    return false;
  }
  return true;
}

// Whether `needle` (not empty) occurs in `hay` at word boundaries.
bool containsAtWordBoundaries(std::string_view hay, std::string_view needle) {
  for (size_t at = hay.find(needle); at != std::string_view::npos;
       at = hay.find(needle, at + 1)) {
    if (onWordBoundaries(hay, at, at + needle.size())) return true;
  }
  return false;
}

// The number of words two sorted word lists share, each word counted as
// often as both lists hold it.
int sharedWords(const std::vector<std::string_view>& a,
                const std::vector<std::string_view>& b) {
  int shared = 0;
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (a[i] < b[j]) {
      ++i;
    } else if (b[j] < a[i]) {
      ++j;
    } else {
      ++shared;
      ++i;
      ++j;
    }
  }
  return shared;
}

// What a rule that found `candidates` different sentences says: nothing
// (false) for none, else a match or, for several, an ambiguous line.
bool decide(size_t candidates, MatchRule rule, MatchNote* note) {
  if (candidates == 0) return false;
  note->rule = rule;
  note->kind = candidates == 1 ? MatchNote::kMatched : MatchNote::kAmbiguous;
  return true;
}

}  // namespace

// The work left to one call of matchLines, and what it found for lines
// that reached the costly rules, by their compared form: a file that
// repeats a line pays for it once.
class SentenceMatcher::Search {
 public:
  explicit Search(size_t budget) : left_(budget) {}

  // Takes `work` from the budget; false, for good, once it is spent.
  bool spend(size_t work) {
    if (work >= left_) {
      left_ = 0;
      return false;
    }
    left_ -= work;
    return true;
  }
  bool exhausted() const { return left_ == 0; }

  std::unordered_map<std::string, MatchNote> costly;

 private:
  size_t left_;
};

SentenceMatcher::SentenceMatcher(const Graph& G, size_t workBudget)
    : workBudget_(workBudget), vertices_(G.vertexList) {
  const size_t n = vertices_.size();
  keys_.reserve(n);
  undatedKeys_.reserve(n);
  words_.reserve(n);
  exact_.reserve(n);
  for (size_t k = 0; k < n; ++k) {
    const std::string& s = vertices_[k]->stringSentenceRef();
    exact_.emplace(s, vertices_[k]);
    keys_.push_back(unquoted(s));
    const size_t dateline = datelineLength(s);
    undatedKeys_.push_back(dateline > 0 ? unquoted(s.substr(dateline)) : std::string());
    words_.push_back(countWords(keys_.back()));
    addForm(&normalised_, normalise(s), vertices_[k]);
    addForm(&unquoted_, keys_.back(), vertices_[k]);
    addForm(&undated_, undatedKeys_.back(), vertices_[k]);
  }
}

SentenceMatcher::~SentenceMatcher() = default;

void SentenceMatcher::addForm(FormIndex* index, std::string form, Vertex* V) {
  if (form.empty()) return;
  const auto inserted = index->emplace(std::move(form), Entry{V});
  Entry& entry = inserted.first->second;
  if (!inserted.second && entry.first->stringSentenceRef() != V->stringSentenceRef()) {
    entry.ambiguous = true;
  }
}

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

std::string SentenceMatcher::unquoted(const std::string& line) {
  const std::string normal = normalise(line);
  std::string out;
  out.reserve(normal.size());
  bool pendingSpace = false;
  for (size_t i = 0; i < normal.size();) {
    const Character c = decodeAt(normal, i);
    if (c.code == '"' || c.code == '\'') {
      // dropped
    } else if (isBlank(c.code)) {
      pendingSpace = !out.empty();
    } else {
      if (pendingSpace) out.push_back(' ');
      pendingSpace = false;
      out.append(normal, i, c.length);
    }
    i += c.length;
  }
  return out;
}

size_t SentenceMatcher::datelineLength(const std::string& sentence) {
  // Words of capitals, one space apart; inside a word (after its first
  // capital) also - ' ’ and full stops, as in "GUAJARA-MIRIM" or "D'OESTE".
  int capitals = 0;
  size_t i = sentence.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  while (i < sentence.size()) {
    Character c = decodeAt(sentence, i);
    if (!isCapital(c.code)) return 0;
    while (i < sentence.size()) {
      c = decodeAt(sentence, i);
      if (isCapital(c.code)) {
        ++capitals;
      } else if (!(c.code == '-' || c.code == '\'' || c.code == 0x2019 ||
                   c.code == '.')) {
        break;
      }
      i += c.length;
    }
    if (i >= sentence.size() || sentence[i] != ' ') return 0;
    ++i;  // the space after the word
    if (i >= sentence.size()) return 0;
    c = decodeAt(sentence, i);
    if (isDash(c.code)) {
      const size_t after = i + c.length;
      if (after >= sentence.size() || sentence[after] != ' ' || capitals < 2) return 0;
      return after + 1 < sentence.size() ? after + 1 : 0;
    }
  }
  return 0;
}

void SentenceMatcher::matchLines(const std::string& bytes, std::vector<Vertex*>* list,
                                 std::vector<MatchNote>* notes) const {
  std::unordered_map<const Vertex*, int> firstLineOf;
  Search search(workBudget_);
  int lineNumber = 0;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t stop = bytes.find('\n', start);
    if (stop == std::string::npos) stop = bytes.size();
    const std::string line = bytes.substr(start, stop - start);
    start = stop + 1;
    ++lineNumber;
    if (line.empty()) continue;

    MatchNote note;
    Vertex* found = matchLine(line, &search, &note);
    note.lineNumber = lineNumber;
    note.text = line;
    if (found == nullptr) {
      notes->push_back(std::move(note));
      continue;
    }
    if (note.rule != MatchRule::kExact) notes->push_back(note);
    const auto first = firstLineOf.emplace(found, lineNumber);
    if (!first.second) {
      MatchNote repeated;
      repeated.kind = MatchNote::kRepeated;
      repeated.lineNumber = lineNumber;
      repeated.text = line;
      repeated.firstLine = first.first->second;
      repeated.sentence = found;
      notes->push_back(std::move(repeated));
    }
    list->push_back(found);
  }
}

Vertex* SentenceMatcher::matchLine(const std::string& line, Search* search,
                                   MatchNote* note) const {
  note->kind = MatchNote::kMatched;
  const auto exact = exact_.find(line);
  if (exact != exact_.end()) {
    note->rule = MatchRule::kExact;
    note->sentence = exact->second;
    return exact->second;
  }
  if (Vertex* V = lookUp(normalised_, normalise(line), MatchRule::kNormalised, note)) {
    return V;
  }
  if (note->kind == MatchNote::kAmbiguous) return nullptr;

  const std::string key = unquoted(line);
  note->kind = MatchNote::kUnmatched;
  if (key.empty()) return nullptr;
  if (Vertex* V = lookUp(unquoted_, key, MatchRule::kUnquoted, note)) return V;
  if (note->kind == MatchNote::kAmbiguous) return nullptr;
  if (Vertex* V = lookUp(undated_, key, MatchRule::kDateline, note)) {
    const std::string& sentence = V->stringSentenceRef();
    note->dateline = sentence.substr(0, datelineLength(sentence) - 1);
    return V;
  }
  if (note->kind == MatchNote::kAmbiguous) return nullptr;

  const auto cached = search->costly.find(key);
  if (cached != search->costly.end()) {
    *note = cached->second;
  } else {
    if (!findRun(key, search, note) && !findContaining(key, search, note)) {
      findNearest(key, search, note);
    }
    search->costly.emplace(key, *note);
  }
  if (note->kind != MatchNote::kMatched) return nullptr;
  return note->sentence;
}

Vertex* SentenceMatcher::lookUp(const FormIndex& index, const std::string& form,
                                MatchRule rule, MatchNote* note) const {
  if (form.empty()) return nullptr;
  const auto found = index.find(form);
  if (found == index.end()) return nullptr;
  note->rule = rule;
  if (found->second.ambiguous) {
    note->kind = MatchNote::kAmbiguous;
    return nullptr;
  }
  note->kind = MatchNote::kMatched;
  note->sentence = found->second.first;
  return found->second.first;
}

// Whether the vertex at `next` follows the one at `previous` in its text.
bool SentenceMatcher::follows(size_t previous, size_t next) const {
  const Vertex* a = vertices_[previous];
  const Vertex* b = vertices_[next];
  return a->getIdText() == b->getIdText() && b->getPosText() == a->getPosText() + 1;
}

bool SentenceMatcher::findRun(const std::string& key, Search* search,
                              MatchNote* note) const {
  size_t candidates = 0;
  std::string firstText;  // the sentences of the first run found, joined
  for (size_t k = 0; k < vertices_.size(); ++k) {
    for (const std::string* first : {&keys_[k], &undatedKeys_[k]}) {
      if (first->empty() || !search->spend(first->size() + 1)) continue;
      if (key.size() <= first->size() || key[first->size()] != ' ' ||
          key.compare(0, first->size(), *first) != 0) {
        continue;
      }
      size_t at = first->size() + 1;
      for (size_t j = k + 1; j < vertices_.size() && follows(j - 1, j); ++j) {
        const std::string& next = keys_[j];
        if (next.empty() || !search->spend(next.size())) break;
        if (key.compare(at, next.size(), next) != 0) break;
        const size_t end = at + next.size();
        if (end == key.size()) {
          std::string text;
          for (size_t r = k; r <= j; ++r) {
            text += (r == k ? "" : " ") + vertices_[r]->stringSentenceRef();
          }
          if (candidates == 0) {
            firstText = text;
            note->sentence = vertices_[k];
            note->runLength = static_cast<int>(j - k + 1);
            ++candidates;
          } else if (text != firstText) {
            ++candidates;
          }
          break;
        }
        if (key[end] != ' ') break;
        at = end + 1;
      }
      break;  // a line cannot start with both forms of one sentence
    }
    if (search->exhausted()) return false;
  }
  return decide(candidates, MatchRule::kRun, note);
}

bool SentenceMatcher::findContaining(const std::string& key, Search* search,
                                     MatchNote* note) const {
  const int lineWords = countWords(key);
  size_t candidates = 0;
  for (size_t k = 0; k < vertices_.size(); ++k) {
    const std::string& sentence = keys_[k];
    if (sentence.empty() || sentence.size() == key.size()) continue;
    if (!search->spend(sentence.size() + key.size())) return false;
    const bool sentenceInLine = sentence.size() < key.size();
    const int shorter = sentenceInLine ? words_[k] : lineWords;
    const int longer = sentenceInLine ? lineWords : words_[k];
    if (2 * shorter <= longer) continue;
    const bool contained = sentenceInLine ? containsAtWordBoundaries(key, sentence)
                                          : containsAtWordBoundaries(sentence, key);
    if (!contained) continue;
    if (candidates == 0) {
      note->sentence = vertices_[k];
      note->sentenceInLine = sentenceInLine;
      note->sharedWords = shorter;
      note->lineWords = lineWords;
      note->sentenceWords = words_[k];
      ++candidates;
    } else if (vertices_[k]->stringSentenceRef() != note->sentence->stringSentenceRef()) {
      ++candidates;
    }
  }
  return decide(candidates, MatchRule::kContained, note);
}

void SentenceMatcher::findNearest(const std::string& key, Search* search,
                                  MatchNote* note) const {
  note->kind = MatchNote::kUnmatched;
  note->sentence = nullptr;
  if (search->exhausted()) {
    note->nearestNotSought = true;
    return;
  }
  std::vector<std::string_view> lineWords = wordsOf(key);
  std::sort(lineWords.begin(), lineWords.end());
  note->lineWords = static_cast<int>(lineWords.size());
  // The best so far shares best.first words of best.second.
  std::pair<int, int> best(0, 1);
  for (size_t k = 0; k < vertices_.size(); ++k) {
    if (!search->spend(keys_[k].size() + key.size())) {
      note->sentence = nullptr;
      note->nearestNotSought = true;
      return;
    }
    std::vector<std::string_view> words = wordsOf(keys_[k]);
    std::sort(words.begin(), words.end());
    const int shared = sharedWords(lineWords, words);
    const int longer = std::max(note->lineWords, static_cast<int>(words.size()));
    // shared / longer > best.first / best.second, without division
    if (shared > 0 && static_cast<long long>(shared) * best.second >
                          static_cast<long long>(best.first) * longer) {
      best = {shared, longer};
      note->sentence = vertices_[k];
      note->sharedWords = shared;
      note->sentenceWords = static_cast<int>(words.size());
    }
  }
}

namespace sentralign::eval {

namespace {

// "2.3": a sentence by its text number and position.
std::string identity(const Vertex* V) {
  return std::to_string(V->getIdText()) + "." + std::to_string(V->getPosText());
}

// The name of a matching rule in the messages of ambiguous lines.
std::string ruleName(MatchRule rule) {
  switch (rule) {
    case MatchRule::kExact:
    case MatchRule::kNormalised:
      return "apos normalizar";
    case MatchRule::kUnquoted:
      return "sem as aspas";
    case MatchRule::kDateline:
      return "sem o local inicial da sentenca";
    case MatchRule::kRun:
      return "como sentencas seguidas";
    case MatchRule::kContained:
      return "por inclusao";
  }
  return "";
}

std::string describeMatched(const MatchNote& note) {
  const std::string id = identity(note.sentence);
  switch (note.rule) {
    case MatchRule::kExact:
    case MatchRule::kNormalised:
      return "casada apos normalizar brancos, aspas e caixa";
    case MatchRule::kUnquoted:
      return "casada com " + id + " sem as aspas";
    case MatchRule::kDateline:
      return "casada com " + id + " sem o local inicial \"" + note.dateline + "\"";
    case MatchRule::kRun: {
      const std::string last =
          std::to_string(note.sentence->getIdText()) + "." +
          std::to_string(note.sentence->getPosText() + note.runLength - 1);
      return "junta as sentencas seguidas " + id + " a " + last + ", contada como " + id;
    }
    case MatchRule::kContained:
      return (note.sentenceInLine ? "contem a sentenca " : "contida na sentenca ") + id +
             " (" + std::to_string(note.sharedWords) + " de " +
             std::to_string(std::max(note.lineWords, note.sentenceWords)) + " palavras)";
  }
  return "";
}

// The nearest sentence of an unmatched line, or why there is none.
std::string nearest(const MatchNote& note) {
  if (note.nearestNotSought) {
    return "sentenca mais proxima nao buscada (arquivo grande demais)";
  }
  if (note.sentence == nullptr) return "nenhuma sentenca tem palavra em comum";
  return "mais proxima: " + identity(note.sentence) + ", " +
         std::to_string(note.sharedWords) + " palavras em comum (" +
         std::to_string(note.lineWords) + " na linha, " +
         std::to_string(note.sentenceWords) +
         " na sentenca): " + note.sentence->stringSentenceRef();
}

}  // namespace

std::string describeMatch(const MatchNote& note) {
  switch (note.kind) {
    case MatchNote::kMatched:
      return describeMatched(note);
    case MatchNote::kUnmatched:
      return nearest(note);
    case MatchNote::kAmbiguous:
      if (note.rule == MatchRule::kNormalised) {
        return "igual a mais de uma sentenca apos normalizar";
      }
      return "casa com mais de uma sentenca " + ruleName(note.rule);
    case MatchNote::kRepeated:
      return "repete a sentenca da linha " + std::to_string(note.firstLine) +
             ", contada uma vez";
  }
  return "";
}

std::string matchMessage(const std::string& path, const MatchNote& note) {
  const std::string where = path + ":" + std::to_string(note.lineNumber) + ": ";
  switch (note.kind) {
    case MatchNote::kUnmatched:
      return where + "linha sem sentenca correspondente, descartada: " + note.text +
             "; " + nearest(note);
    case MatchNote::kAmbiguous:
      return where + "linha " + describeMatch(note) + ", descartada: " + note.text;
    default:
      return where + describeMatch(note) + ": " + note.text;
  }
}

}  // namespace sentralign::eval
