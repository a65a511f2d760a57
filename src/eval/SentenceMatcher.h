// Finds the sentences that the lines of a plain summary, or of a human
// ordering of it, name: byte for byte first, and failing that after
// normalising what copies of a sentence tend to change (blanks at the ends,
// the kind of quotation marks, letter case).

#ifndef SENTRALIGN_EVAL_SENTENCEMATCHER_H_
#define SENTRALIGN_EVAL_SENTENCEMATCHER_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class Graph;
class Vertex;

// A line that did not simply name its sentence.
struct MatchNote {
  enum Kind {
    kNormalised,  // named its sentence only once both were normalised
    kUnmatched,   // names no sentence, even normalised: dropped
    kAmbiguous,   // normalised, equals several different sentences: dropped
    kRepeated,    // names the sentence of an earlier line (firstLine)
  };
  Kind kind = kUnmatched;
  int lineNumber = 0;  // 1-based line of the file
  std::string text;    // the line
  int firstLine = 0;   // kRepeated: the line that named the sentence first
};

// An index of the sentences of one graph. Holds pointers to the vertices of
// the graph it was made from, owns none of them, and must not outlive it;
// the graph must not gain vertices meanwhile.
class SentenceMatcher {
 public:
  explicit SentenceMatcher(const Graph& G);
  SentenceMatcher(const SentenceMatcher&) = delete;
  SentenceMatcher& operator=(const SentenceMatcher&) = delete;
  virtual ~SentenceMatcher();

  // Appends to *list, for each line of `bytes` (lines end at line feeds; a
  // final line feed starts no line), the vertex it names: the first vertex
  // of vertexList whose sentence equals the line byte for byte, as the plain
  // summary reader finds it; failing that, the first vertex holding the one
  // sentence that equals the line once both are normalised. Empty lines
  // are skipped. Every other line that needed normalising, named nothing,
  // or named an already named sentence (which is appended again) is noted
  // in *notes, in line order.
  void matchLines(const std::string& bytes, std::vector<Vertex*>* list,
                  std::vector<MatchNote>* notes) const;

  // `line` (UTF-8) with the blanks at its ends removed (spaces, tabs, line
  // ends, no-break and other Unicode spaces, the byte-order mark), every
  // double quotation mark (“ ” „ ‟ « » ″) made '"' and every single one
  // (‘ ’ ‚ ‛ ‹ › ` ´ ′) made '\'', and the capitals A to Z and À to Þ
  // lowered. Bytes that are not UTF-8 are kept as they are.
  static std::string normalise(const std::string& line);

 private:
  // The first vertex of each normalised sentence, and whether another
  // vertex holds a different sentence with the same normalised form.
  struct NormalisedEntry {
    Vertex* first = nullptr;
    bool ambiguous = false;
  };

  std::unordered_map<std::string_view, Vertex*> exact_;
  std::unordered_map<std::string, NormalisedEntry> normalised_;
};

#endif  // SENTRALIGN_EVAL_SENTENCEMATCHER_H_
