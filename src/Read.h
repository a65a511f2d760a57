// Readers of the corpus: source texts, stop list, relation description,
// relation files and the two summary formats.
//
// Every reader takes the file as bytes and decodes nothing. A carriage
// return directly before a line feed is dropped, so CR LF files read like LF
// files; a lone CR stays a byte. An empty path reads as an empty file. A
// named file that cannot be read makes the reader return false, with
// "PATH: reason" in *err, before it changes anything.

#ifndef SENTRALIGN_READ_H_
#define SENTRALIGN_READ_H_

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CST;
class Graph;
class Vertex;

// A summary line, or a marker, that named no sentence and was dropped.
struct UnmatchedLine {
  int lineNumber = 0;  // 1-based line of the file where it stands
  std::string text;    // the line, or the marker's bytes
};

// What the relation reader passed over in one relation file.
struct SkippedRelations {
  std::string file;
  // Relations that named a sentence no text has, and the first of them:
  // source and target as (text, position).
  int count = 0;
  int sourceText = 0, sourcePos = 0, targetText = 0, targetPos = 0;
  // Relations between existing sentences whose type is not in the
  // relation description: each type name, in the order first met, with
  // how many relations named it.
  std::vector<std::pair<std::string, int>> unknownTypes;
  // When the file's first equals sign stands in a markup declaration
  // ("<?xml version=..."), which the reader takes for the first record:
  // the declaration from its "<" up to that sign, and its 1-based line.
  std::string declaration;
  int declarationLine = 0;

  // Whether the reader passed over nothing and misread nothing.
  bool empty() const { return count == 0 && unknownTypes.empty() && declaration.empty(); }
};

// Groups the readers; holds no data.
class Read {
 public:
  Read() = default;
  virtual ~Read();

  // Reads the texts at `filenames`, in order; the file at index i is text
  // i + 1. Each non-empty sentence becomes a vertex (owned by G) appended to
  // G's vertexList, with a "Text-Sequence" edge to the next sentence of its
  // text. Needs G's stopList loaded.
  bool readSentencesFromFiles(Graph* G, const std::vector<std::string>& filenames,
                              std::string* err = nullptr);
  // As readSentencesFromFiles for the files `dir`/name; the text number is
  // read from the name's second and third bytes ("D3_x" is text 3).
  static bool readSentencesFromAllFiles(Graph* G, const std::string& dir,
                                        const std::vector<std::string>& clusters,
                                        std::string* err = nullptr);
  // Sentences of `bytes` as text `idText`, appended to G as above.
  static void readSentencesFromBytes(Graph* G, const std::string& bytes, int idText);
  // As readSentencesFromBytes for a text already cut into sentences: each
  // line is one sentence, every byte of it kept (blanks at its ends too).
  // An empty line makes no sentence and takes no position.
  static void readSegmentedSentencesFromBytes(Graph* G, const std::string& bytes,
                                              int idText);
  // The text number of a text file's name, as readSentencesFromAllFiles
  // reads it: the second and third bytes, like atoi ("D3_x" is 3, "D12_x"
  // is 12, a name without those digits is 0).
  static int textNumberOfFileName(const std::string& name);

  // The word total of an open file: the spaces plus one of each non-empty
  // line. Leaves the file at its start again.
  static int getNumWordsFromFile(std::FILE* file);
  // The same total for bytes already read (CR LF already made LF).
  static int getNumWordsFromBytes(const std::string& bytes);

  // Appends one relation type per record of `filename` to G's cstList.
  static bool readDescriptionOfRelationsCSTFromFile(Graph* G, const std::string& filename,
                                                    std::string* err = nullptr);
  static void readDescriptionOfRelationsCSTFromBytes(Graph* G, const std::string& bytes);
  // The same records appended to *cstList, for a list that no graph holds.
  static void readDescriptionOfRelationsCSTFromBytes(const std::string& bytes,
                                                     std::vector<CST>* cstList);

  // Reads the relation files at `filenames`, in order. Each relation whose
  // type is in G's cstList becomes an out-edge and an in-edge, held by the
  // two vertices, in the direction of the type. A record cut short by the
  // end of its file is not linked. Relations that name a sentence no text
  // has, or a type not in cstList, are skipped; each file with such
  // relations, or with a declaration before its first record, is summed up
  // in *skipped when given.
  bool readRelationsCSTFromFiles(Graph* G, const std::vector<std::string>& filenames,
                                 std::string* err = nullptr,
                                 std::vector<SkippedRelations>* skipped = nullptr);
  // As readRelationsCSTFromFiles for the files `dir`/name.
  static bool readRelationsCSTFromAllFiles(
      Graph* G, const std::string& dir, const std::vector<std::string>& filenames,
      std::string* err = nullptr, std::vector<SkippedRelations>* skipped = nullptr);
  // Makes the two edges of one relation of `type` from S to T: with the
  // direction 't' an out-edge of S to T and its in-edge twin on T, with
  // 'f' the same from T to S, with any other direction none. Each edge
  // carries the type's name and weight and is owned by the vertex that
  // holds it.
  static void linkRelation(Vertex* S, Vertex* T, const CST& type);
  // The relations of `bytes`, linked into G as above; returns what was
  // skipped (with an empty file name).
  static SkippedRelations readRelationsCSTFromBytes(Graph* G, const std::string& bytes);

  // Appends every line of `filename` to *v, byte for byte.
  static bool getLinesFromFile(const std::string& filename, std::vector<std::string>* v,
                               std::string* err = nullptr);

  // Empties summ, then appends, for each line of the plain summary
  // `filename`, the first vertex of G's vertexList whose sentence equals the
  // line byte for byte. Lines that match nothing are dropped and, when
  // `unmatched` is given, appended to it.
  static bool readClearSumm(const std::string& filename, Graph* G,
                            std::vector<Vertex*>& summ, std::string* err = nullptr,
                            std::vector<UnmatchedLine>* unmatched = nullptr);
  static void readClearSummFromBytes(const std::string& bytes, Graph* G,
                                     std::vector<Vertex*>& summ,
                                     std::vector<UnmatchedLine>* unmatched);
  // The same for a summary already cut into lines: each entry is one line.
  static void readClearSummFromLines(const std::vector<std::string_view>& lines, Graph* G,
                                     std::vector<Vertex*>& summ,
                                     std::vector<UnmatchedLine>* unmatched);

  // Empties summ, then appends, for each marker "<xP_yT:" of the marked
  // summary `filename`, the first vertex of G's vertexList with idText T and
  // posText P. Markers that match nothing are dropped and reported as above.
  static bool readSumm(const std::string& filename, Graph* G, std::vector<Vertex*>& summ,
                       std::string* err = nullptr,
                       std::vector<UnmatchedLine>* unmatched = nullptr);
  static void readSummFromBytes(const std::string& bytes, Graph* G,
                                std::vector<Vertex*>& summ,
                                std::vector<UnmatchedLine>* unmatched);

  // Gives each vertex of G's humanOrderedSumm its 0-based place there.
  static void setAllPosHummanOrderedSumm(Graph* G);

  // Writes to stderr one line "PROGRAM: PATH:LINE: ..." per dropped
  // summary line (or marker, when `markers`), and one line per relation
  // file with relations that named a missing sentence.
  static void printUnmatched(const char* program, const std::string& path,
                             const std::vector<UnmatchedLine>& unmatched, bool markers);
  static void printSkipped(const char* program,
                           const std::vector<SkippedRelations>& skipped);
  // "PATH:LINE: linha do sumario sem sentenca correspondente, descartada:
  // TEXT" (or the marker's words): what printUnmatched says of one line,
  // without the program.
  static std::string describeUnmatched(const std::string& path, const UnmatchedLine& line,
                                       bool markers);
  // "N relacoes ignoradas ...": what printSkipped says of one file, without
  // the program and the file.
  static std::string describeSkipped(const SkippedRelations& skipped);
};

#endif  // SENTRALIGN_READ_H_
