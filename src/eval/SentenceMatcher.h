// Finds the sentences that the lines of a plain summary, or of a human
// ordering of it, name. A line names the sentence it equals byte for byte;
// failing that, rules that forgive more and more of what people change when
// they copy a sentence are tried in order, and a rule names a sentence only
// when exactly one sentence fits it:
//   1. normalised: blanks at the ends, the kind of quotation marks and
//      letter case do not count;
//   2. unquoted: quotation marks do not count at all, and a run of blanks
//      counts as one space (`"Sim", disse.` is `Sim, disse.`);
//   3. dateline: the sentence without the place it opens with
//      ("RECIFE - A prefeitura..." is "A prefeitura..."): one or more words
//      in capitals (several places joined by "E" among them; inside a word
//      also - ' ’ and full stops), two capitals at least, then a space, a
//      dash (-, en or em dash) and a space;
//   4. run: the line holds two or more consecutive sentences of one text,
//      joined by blanks (the first of them may have lost its dateline); the
//      line names the first of them;
//   5. contained: the line lies inside one sentence, or one sentence lies
//      inside the line, starting and ending at word boundaries, and the
//      shorter of the two holds more than half of the words of the longer.
// Rules 2 to 5 compare the forms of rule 2. The first rule that fits any
// sentence decides: when it fits several different sentences, the line is
// ambiguous and dropped. Words, for rule 5 and for the nearest sentence of
// a line that names nothing, are the runs of letters and digits (every
// character beyond ASCII counts as a letter).

#ifndef SENTRALIGN_EVAL_SENTENCEMATCHER_H_
#define SENTRALIGN_EVAL_SENTENCEMATCHER_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class Graph;
class Vertex;

// The work that the rules 4 and 5 and the search for a nearest sentence may
// do for one file by default, in bytes compared: about a second at worst.
// A summary of real size against a cluster of real size needs a few
// thousandths of it.
constexpr size_t kMatchWorkBudget = size_t{1} << 28;

// The rule by which a line named its sentence (see the top of this file).
enum class MatchRule { kExact, kNormalised, kUnquoted, kDateline, kRun, kContained };

// A line that did not simply name its sentence.
struct MatchNote {
  enum Kind {
    kMatched,    // named its sentence by `rule` (never kExact)
    kUnmatched,  // names no sentence by any rule: dropped
    kAmbiguous,  // `rule` fits several different sentences: dropped
    kRepeated,   // names the sentence of an earlier line (firstLine)
  };
  Kind kind = kUnmatched;
  MatchRule rule = MatchRule::kExact;
  int lineNumber = 0;  // 1-based line of the file
  std::string text;    // the line
  int firstLine = 0;   // kRepeated: the line that named the sentence first
  // kMatched: the sentence named. kUnmatched: the nearest sentence, the one
  // that shares most words with the line for the words of the longer of
  // the two (the first such in vertexList); null when none shares a word.
  // Non-owning: a vertex of the matcher's graph.
  Vertex* sentence = nullptr;
  int runLength = 0;              // kRun: sentences joined, from `sentence` on
  bool sentenceInLine = false;    // kContained: the sentence lies in the line
  int sharedWords = 0;            // kContained, kUnmatched: words in common
  int lineWords = 0;              // kContained, kUnmatched
  int sentenceWords = 0;          // kContained, kUnmatched
  std::string dateline;           // kDateline: the place taken off, as written
  bool nearestNotSought = false;  // kUnmatched: the file was too large to
                                  // look for the nearest sentence
};

// An index of the sentences of one graph. Holds pointers to the vertices of
// the graph it was made from, owns none of them, and must not outlive it;
// the graph must not gain vertices meanwhile.
class SentenceMatcher {
 public:
  // `workBudget`: what the costly rules may do per call of matchLines.
  explicit SentenceMatcher(const Graph& G, size_t workBudget = kMatchWorkBudget);
  SentenceMatcher(const SentenceMatcher&) = delete;
  SentenceMatcher& operator=(const SentenceMatcher&) = delete;
  virtual ~SentenceMatcher();

  // Appends to *list, for each line of `bytes` (lines end at line feeds; a
  // final line feed starts no line), the vertex it names: the first vertex
  // of vertexList whose sentence equals the line byte for byte, as the plain
  // summary reader finds it; failing that, the first vertex that holds the
  // one sentence (or begins the one run of sentences) that the first rule
  // to fit finds. Empty lines are skipped. Every other line that needed a
  // rule, named nothing, or named an already named sentence (which is
  // appended again) is noted in *notes, in line order. The rules 4 and 5
  // and the search for the nearest sentence do a bounded amount of work
  // per call; past it, lines that the cheaper rules leave are unmatched.
  void matchLines(const std::string& bytes, std::vector<Vertex*>* list,
                  std::vector<MatchNote>* notes) const;

  // `line` (UTF-8) with the blanks at its ends removed (spaces, tabs, line
  // ends, no-break and other Unicode spaces, the byte-order mark), every
  // double quotation mark (“ ” „ ‟ « » ″) made '"' and every single one
  // (‘ ’ ‚ ‛ ‹ › ` ´ ′) made '\'', and the capitals A to Z and À to Þ
  // lowered. Bytes that are not UTF-8 are kept as they are.
  static std::string normalise(const std::string& line);

  // normalise(line) without any quotation mark, every run of blanks inside
  // made one space: the form that rules 2 to 5 compare.
  static std::string unquoted(const std::string& line);

  // The length in bytes of the dateline that `sentence` opens with, blanks
  // before it, its dash and the space after it included; 0 when it has
  // none or nothing follows it.
  static size_t datelineLength(const std::string& sentence);

 private:
  // The first vertex of each form of a sentence, and whether another
  // vertex holds a different sentence with the same form.
  struct Entry {
    Vertex* first = nullptr;
    bool ambiguous = false;
  };
  using FormIndex = std::unordered_map<std::string, Entry>;

  // The work left to one call of matchLines, and its findings.
  class Search;

  static void addForm(FormIndex* index, std::string form, Vertex* V);
  // The vertex that `line` names, null when none; *note says how, or why
  // none.
  Vertex* matchLine(const std::string& line, Search* search, MatchNote* note) const;
  Vertex* lookUp(const FormIndex& index, const std::string& form, MatchRule rule,
                 MatchNote* note) const;
  bool follows(size_t previous, size_t next) const;
  // Rules 4 and 5 for the compared form `key` of a line: false when the
  // rule fits no sentence, else *note says which one, or that several fit.
  bool findRun(const std::string& key, Search* search, MatchNote* note) const;
  bool findContaining(const std::string& key, Search* search, MatchNote* note) const;
  // Notes the nearest sentence of a line that names none.
  void findNearest(const std::string& key, Search* search, MatchNote* note) const;

  size_t workBudget_;
  std::vector<Vertex*> vertices_;         // vertexList, in order
  std::vector<std::string> keys_;         // unquoted() of each sentence
  std::vector<std::string> undatedKeys_;  // the same without the dateline;
                                          // empty for a sentence without one
  std::vector<int> words_;                // the words of each key
  std::unordered_map<std::string_view, Vertex*> exact_;
  FormIndex normalised_;
  FormIndex unquoted_;
  FormIndex undated_;
};

namespace sentralign::eval {

// What happened to a noted line, in the words of the evaluation's messages,
// without the line: the rule that named its sentence ("casada com 1.2 sem
// as aspas", "junta as sentencas seguidas 1.4 a 1.6, contada como 1.4"),
// the nearest sentence of a line that names none ("mais proxima: 2.3, 5
// palavras em comum (9 na linha, 12 na sentenca): SENTENCE", or "nenhuma
// sentenca tem palavra em comum"), why a line is ambiguous ("casa com mais
// de uma sentenca sem as aspas"), or which line it repeats.
std::string describeMatch(const MatchNote& note);

// The message of a noted line of the file `path`: "PATH:LINE: what
// happened: LINE", the nearest sentence of an unmatched line after the
// line. As read, not yet printable (sentralign::io::printable).
std::string matchMessage(const std::string& path, const MatchNote& note);

}  // namespace sentralign::eval

#endif  // SENTRALIGN_EVAL_SENTENCEMATCHER_H_
