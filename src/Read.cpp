#include "Read.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unordered_map>

#include "CST.h"
#include "Edge.h"
#include "Graph.h"
#include "Library.h"
#include "Vertex.h"
#include "engine/SentenceKey.h"
#include "io/Console.h"
#include "io/Files.h"

namespace {

using sentralign::engine::SentenceKey;
using sentralign::engine::sentenceKey;

constexpr int kEnd = -1;  // what ByteCursor::next gives past the last byte

// Hands out the bytes of a buffer one at a time, as unsigned values, and
// kEnd for ever once they are used up. Counts the line feeds it has passed.
class ByteCursor {
 public:
  explicit ByteCursor(const std::string& bytes) : bytes_(bytes) {}

  int next() {
    if (pos_ >= bytes_.size()) return kEnd;
    const unsigned char c = static_cast<unsigned char>(bytes_[pos_++]);
    if (c == '\n') ++line_;
    return c;
  }

  // The 1-based line of the byte that next() gave last.
  int lineOfLast() const {
    const bool lastWasFeed =
        pos_ > 0 && pos_ <= bytes_.size() && bytes_[pos_ - 1] == '\n';
    return lastWasFeed ? line_ - 1 : line_;
  }

  // How many bytes next() has given.
  size_t position() const { return pos_; }

 private:
  const std::string& bytes_;
  size_t pos_ = 0;
  int line_ = 1;
};

// A double narrowed to float the way IEEE rounding does it, without the
// undefined behaviour of a value beyond the float range.
float toFloat(double d) {
  if (d > FLT_MAX) return HUGE_VALF;
  if (d < -FLT_MAX) return -HUGE_VALF;
  return static_cast<float>(d);
}

// Appends the bytes of one sentence to *sentence, starting with `current`.
// A sentence ends at a line feed, at the end, or at a full stop followed by
// a space; the full stop stays, the space and the line feed are consumed.
void segmentSentence(ByteCursor& in, int current, std::string* sentence) {
  int c = current;
  while (c != kEnd && c != '\n') {
    sentence->push_back(static_cast<char>(c));
    c = in.next();
    if (c != '.') continue;
    sentence->push_back('.');
    c = in.next();
    if (c == ' ') return;
  }
}

// Links each sentence of one text, list[first] to the end of list, to the
// next by a "Text-Sequence" edge in its out-list only.
void linkText(const std::vector<Vertex*>& list, size_t first) {
  for (size_t i = first; i + 1 < list.size(); ++i) {
    Edge* e = new Edge(list[i + 1]);
    e->setRelationName("Text-Sequence");
    e->setWeight(2.0f);
    e->setNumCycles(0);
    list[i]->edgeOutList.push_back(e);
  }
}

// The first vertex of G's vertexList that denotes each sentence.
std::unordered_map<SentenceKey, Vertex*> verticesByIdentity(const Graph& G) {
  std::unordered_map<SentenceKey, Vertex*> byIdentity;
  byIdentity.reserve(G.vertexList.size());
  for (Vertex* V : G.vertexList) byIdentity.emplace(sentenceKey(*V), V);
  return byIdentity;
}

// Reads up to and including the next byte `stop`; false at the end.
bool skipPast(ByteCursor& in, int stop) {
  for (int c = in.next(); c != kEnd; c = in.next()) {
    if (c == stop) return true;
  }
  return false;
}

// The last byte of a field of one or two bytes: kept unless it is `stop`,
// the byte that follows a one-byte field. Returns the byte read, kEnd at
// the end.
int readLastFieldByte(ByteCursor& in, int stop, std::string* field) {
  const int c = in.next();
  if (c != kEnd && c != stop) field->push_back(static_cast<char>(c));
  return c;
}

// A field of one or two bytes followed by `stop`: its first byte, then
// readLastFieldByte. Returns the second byte read: kEnd when the bytes ran
// out first, `stop` after a one-byte field, and otherwise the field's second
// byte (its `stop` is then still to come).
int readShortField(ByteCursor& in, int stop, std::string* field) {
  const int c = in.next();
  if (c == kEnd) return kEnd;
  field->push_back(static_cast<char>(c));
  return readLastFieldByte(in, stop, field);
}

// A text value: a double quote, a skipped byte, then a field of one or two
// bytes followed by an underscore. Without the quote only the field's last
// byte is read. False when the end comes first.
bool readTextValue(ByteCursor& in, std::string* value) {
  const int c = in.next();
  if (c == kEnd) return false;
  if (c != '"') return readLastFieldByte(in, '_', value) != kEnd;
  if (in.next() == kEnd) return false;
  return readShortField(in, '_', value) != kEnd;
}

// A position value: a double quote, then a field of one or two bytes
// followed by a double quote. Without the quote only the field's last byte
// is read. False when the end comes first.
bool readPositionValue(ByteCursor& in, std::string* value) {
  const int c = in.next();
  if (c == kEnd) return false;
  if (c != '"') return readLastFieldByte(in, '"', value) != kEnd;
  return readShortField(in, '"', value) != kEnd;
}

// One half of a summary marker after its "<": a skipped byte, then a field
// of one or two bytes and the byte `stop` after it. A byte missing at the
// end of the file is absent.
void readMarkerField(ByteCursor& in, int stop, std::string* field) {
  in.next();
  const int c = readShortField(in, stop, field);
  if (c != kEnd && c != stop) in.next();
}

// A type value: every byte between two double quotes; empty without them.
bool readTypeValue(ByteCursor& in, std::string* value) {
  int c = in.next();
  if (c == kEnd) return false;
  if (c != '"') return true;
  for (c = in.next(); c != '"'; c = in.next()) {
    if (c == kEnd) return false;
    value->push_back(static_cast<char>(c));
  }
  return true;
}

// One relation as its record names it.
struct RelationRecord {
  std::string sourceText, sourcePos, targetText, targetPos, type;
};

// Reads the five values of one record after its first equals sign, and the
// rest up to its sixth. False when the end of the file cuts the record.
bool readRelationRecord(ByteCursor& in, RelationRecord* r) {
  return readTextValue(in, &r->sourceText) && skipPast(in, '=') &&
         readPositionValue(in, &r->sourcePos) && skipPast(in, '=') &&
         readTextValue(in, &r->targetText) && skipPast(in, '=') &&
         readPositionValue(in, &r->targetPos) && skipPast(in, '=') &&
         readTypeValue(in, &r->type) && skipPast(in, '=');
}

// Counts one relation of the type `name`, which the relation description
// lacks, in skipped->unknownTypes; *index maps each name to its entry.
void countUnknownType(const std::string& name,
                      std::unordered_map<std::string, size_t>* index,
                      SkippedRelations* skipped) {
  const auto found = index->emplace(name, skipped->unknownTypes.size());
  if (found.second) skipped->unknownTypes.emplace_back(name, 0);
  ++skipped->unknownTypes[found.first->second].second;
}

// Notes in *skipped the markup declaration ("<?xml version=" or "<!...")
// in which the file's first equals sign stands, if it stands in one: the
// reader takes that sign for the first of a record and every record after
// it is read shifted.
void findDeclarationBeforeFirstRecord(const std::string& bytes,
                                      SkippedRelations* skipped) {
  const size_t equals = bytes.find('=');
  if (equals == std::string::npos || equals == 0) return;
  const size_t open = bytes.rfind('<', equals);
  if (open == std::string::npos || open + 1 >= equals) return;
  const char kind = bytes[open + 1];
  if (kind != '?' && kind != '!') return;
  if (bytes.find('>', open) < equals) return;  // the declaration ended before
  skipped->declaration = bytes.substr(open, equals - open + 1);
  skipped->declarationLine =
      1 + static_cast<int>(std::count(
              bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(open), '\n'));
}

// Makes an edge named and weighted by `type` to `to` in `list`.
void appendEdge(std::vector<Edge*>& list, Vertex* to, const CST& type) {
  Edge* e = new Edge(to);
  e->setRelationName(type.nameRef());
  e->setWeight(type.getWeight());
  e->setNumCycles(0);
  list.push_back(e);
}

// Counts one more relation that names a sentence no text has, keeping the
// first one's sentences.
void noteSkipped(int sourceText, int sourcePos, int targetText, int targetPos,
                 SkippedRelations* skipped) {
  if (skipped->count++ != 0) return;
  skipped->sourceText = sourceText;
  skipped->sourcePos = sourcePos;
  skipped->targetText = targetText;
  skipped->targetPos = targetPos;
}

}  // namespace

Read::~Read() = default;

int Read::getNumWordsFromBytes(const std::string& bytes) {
  int total = 0;
  size_t lineLength = 0;
  int spaces = 0;
  for (const char c : bytes) {
    if (c == '\n') {
      if (lineLength > 0) total += spaces + 1;
      lineLength = 0;
      spaces = 0;
      continue;
    }
    ++lineLength;
    if (c == ' ') ++spaces;
  }
  if (lineLength > 0) total += spaces + 1;
  return total;
}

int Read::getNumWordsFromFile(std::FILE* file) {
  std::string bytes;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    bytes.push_back(static_cast<char>(c));
  }
  std::string text;
  sentralign::io::appendWithoutCarriageReturns(bytes, &text);
  std::fseek(file, 0, SEEK_SET);
  return getNumWordsFromBytes(text);
}

namespace {

// The vertices of one text as they are made: the running word count after
// the sentence and the position of the next one. The text's vertices are
// the end of G's vertexList from where it stood when the text began.
class TextBuilder {
 public:
  TextBuilder(Graph* G, const std::string& bytes, int idText)
      : G_(G),
        idText_(idText),
        wordsAfter_(Read::getNumWordsFromBytes(bytes)),
        first_(G->vertexList.size()) {}

  // Makes the vertex of a non-empty sentence, owned by G, and appends it to
  // G's vertexList.
  void addSentence(const std::string& sentence) {
    Vertex* V = new Vertex();
    const int words = Library::countWords(sentence);
    wordsAfter_ -= words;
    V->setNumWordsSentence(words);
    V->setNumWordsAfter(wordsAfter_);
    V->setIdText(idText_);
    V->setPosText(position_++);
    V->setStringSentence(sentence);
    V->createCharSentence(sentence, G_->stopList);
    G_->addVertex(V);
  }

  // Links the sentences of the text by "Text-Sequence" edges.
  void finish() { linkText(G_->vertexList, first_); }

 private:
  Graph* G_;
  int idText_;
  int wordsAfter_;
  size_t first_;  // the text's first vertex in vertexList
  int position_ = 1;
};

}  // namespace

void Read::readSentencesFromBytes(Graph* G, const std::string& bytes, int idText) {
  TextBuilder text(G, bytes, idText);
  ByteCursor in(bytes);
  std::string sentence;
  for (int c = in.next(); c != kEnd; c = in.next()) {
    sentence.clear();
    segmentSentence(in, c, &sentence);
    if (sentence.empty()) continue;
    text.addSentence(sentence);
  }
  text.finish();
}

void Read::readSegmentedSentencesFromBytes(Graph* G, const std::string& bytes,
                                           int idText) {
  TextBuilder text(G, bytes, idText);
  std::vector<std::string> lines;
  sentralign::io::splitLines(bytes, &lines);
  for (const std::string& line : lines) {
    if (!line.empty()) text.addSentence(line);
  }
  text.finish();
}

int Read::textNumberOfFileName(const std::string& name) {
  const std::string digits = name.size() > 1 ? name.substr(1, 2) : "";
  return std::atoi(digits.c_str());
}

bool Read::readSentencesFromFiles(Graph* G, const std::vector<std::string>& filenames,
                                  std::string* err) {
  std::vector<std::string> texts(filenames.size());
  for (size_t i = 0; i < filenames.size(); ++i) {
    if (!sentralign::io::readFile(filenames[i], &texts[i], err)) return false;
  }
  for (size_t i = 0; i < texts.size(); ++i) {
    readSentencesFromBytes(G, texts[i], static_cast<int>(i) + 1);
    std::string().swap(texts[i]);  // its sentences are copied: free it now
  }
  return true;
}

bool Read::readSentencesFromAllFiles(Graph* G, const std::string& dir,
                                     const std::vector<std::string>& clusters,
                                     std::string* err) {
  std::vector<std::string> texts(clusters.size());
  for (size_t i = 0; i < clusters.size(); ++i) {
    if (!sentralign::io::readFile(dir + "/" + clusters[i], &texts[i], err)) return false;
  }
  for (size_t i = 0; i < texts.size(); ++i) {
    readSentencesFromBytes(G, texts[i], textNumberOfFileName(clusters[i]));
    std::string().swap(texts[i]);
  }
  return true;
}

void Read::linkRelation(Vertex* S, Vertex* T, const CST& type) {
  switch (type.getDirection()) {
    case 't':
      appendEdge(S->edgeOutList, T, type);
      appendEdge(T->edgeInList, S, type);
      break;
    case 'f':
      appendEdge(T->edgeOutList, S, type);
      appendEdge(S->edgeInList, T, type);
      break;
    default:
      break;
  }
}

SkippedRelations Read::readRelationsCSTFromBytes(Graph* G, const std::string& bytes) {
  const std::unordered_map<SentenceKey, Vertex*> byIdentity = verticesByIdentity(*G);
  std::unordered_map<std::string_view, const CST*> byName;
  for (const CST& type : G->cstList) byName.emplace(type.nameRef(), &type);

  SkippedRelations skipped;
  findDeclarationBeforeFirstRecord(bytes, &skipped);
  std::unordered_map<std::string, size_t> unknownTypeIndex;  // into unknownTypes
  ByteCursor in(bytes);
  for (;;) {
    in.next();  // the byte after the record before is never looked at
    if (!skipPast(in, '=')) break;
    RelationRecord r;
    if (!readRelationRecord(in, &r)) break;

    const int sourceText = std::atoi(r.sourceText.c_str());
    const int sourcePos = std::atoi(r.sourcePos.c_str());
    const int targetText = std::atoi(r.targetText.c_str());
    const int targetPos = std::atoi(r.targetPos.c_str());
    const auto source = byIdentity.find(sentenceKey(sourceText, sourcePos));
    const auto target = byIdentity.find(sentenceKey(targetText, targetPos));
    if (source == byIdentity.end() || target == byIdentity.end()) {
      noteSkipped(sourceText, sourcePos, targetText, targetPos, &skipped);
      continue;
    }
    const auto type = byName.find(r.type);
    if (type == byName.end()) {
      countUnknownType(r.type, &unknownTypeIndex, &skipped);
      continue;
    }
    linkRelation(source->second, target->second, *type->second);
  }
  return skipped;
}

namespace {

// Reads every file of `paths` and links it, once all of them could be read.
bool readRelationFiles(Graph* G, const std::vector<std::string>& paths, std::string* err,
                       std::vector<SkippedRelations>* skipped) {
  std::vector<std::string> files(paths.size());
  for (size_t i = 0; i < paths.size(); ++i) {
    if (!sentralign::io::readFile(paths[i], &files[i], err)) return false;
  }
  for (size_t i = 0; i < files.size(); ++i) {
    SkippedRelations s = Read::readRelationsCSTFromBytes(G, files[i]);
    if (s.empty() || skipped == nullptr) continue;
    s.file = paths[i];
    skipped->push_back(s);
  }
  return true;
}

}  // namespace

bool Read::readRelationsCSTFromFiles(Graph* G, const std::vector<std::string>& filenames,
                                     std::string* err,
                                     std::vector<SkippedRelations>* skipped) {
  return readRelationFiles(G, filenames, err, skipped);
}

bool Read::readRelationsCSTFromAllFiles(Graph* G, const std::string& dir,
                                        const std::vector<std::string>& filenames,
                                        std::string* err,
                                        std::vector<SkippedRelations>* skipped) {
  std::vector<std::string> paths;
  paths.reserve(filenames.size());
  for (const std::string& name : filenames) paths.push_back(dir + "/" + name);
  return readRelationFiles(G, paths, err, skipped);
}

bool Read::getLinesFromFile(const std::string& filename, std::vector<std::string>* v,
                            std::string* err) {
  std::string bytes;
  if (!sentralign::io::readFile(filename, &bytes, err)) return false;
  sentralign::io::splitLines(bytes, v);
  return true;
}

void Read::readDescriptionOfRelationsCSTFromBytes(Graph* G, const std::string& bytes) {
  readDescriptionOfRelationsCSTFromBytes(bytes, &G->cstList);
}

void Read::readDescriptionOfRelationsCSTFromBytes(const std::string& bytes,
                                                  std::vector<CST>* cstList) {
  auto endsField = [](int c) { return c == kEnd || c == ' ' || c == '\n'; };
  ByteCursor in(bytes);
  CST record;  // the direction carries over from one record to the next
  std::string weightText;
  for (int c = in.next(); c != kEnd; c = in.next()) {
    for (; !endsField(c); c = in.next()) record.addCharToName(static_cast<char>(c));
    for (c = in.next(); !endsField(c); c = in.next()) {
      weightText.push_back(static_cast<char>(c));
    }
    record.setWeight(toFloat(std::atof(weightText.c_str())));
    for (c = in.next(); !endsField(c); c = in.next()) {
      record.setDirection(static_cast<char>(c));
    }
    cstList->push_back(record);
    record.setName("");
    weightText.clear();
  }
}

bool Read::readDescriptionOfRelationsCSTFromFile(Graph* G, const std::string& filename,
                                                 std::string* err) {
  std::string bytes;
  if (!sentralign::io::readFile(filename, &bytes, err)) return false;
  readDescriptionOfRelationsCSTFromBytes(G, bytes);
  return true;
}

void Read::readClearSummFromLines(const std::vector<std::string_view>& lines, Graph* G,
                                  std::vector<Vertex*>& summ,
                                  std::vector<UnmatchedLine>* unmatched) {
  summ.clear();
  // The first vertex of vertexList that holds each line, found in one walk
  // over the vertices: the index holds the summary's lines, not the texts.
  std::unordered_map<std::string_view, Vertex*> holder;
  holder.reserve(lines.size());
  for (const std::string_view line : lines) holder.emplace(line, nullptr);
  for (Vertex* V : G->vertexList) {
    const auto found = holder.find(V->stringSentenceRef());
    if (found != holder.end() && found->second == nullptr) found->second = V;
  }

  for (size_t i = 0; i < lines.size(); ++i) {
    Vertex* V = holder.find(lines[i])->second;
    if (V != nullptr) {
      summ.push_back(V);
    } else if (unmatched != nullptr) {
      unmatched->push_back({static_cast<int>(i) + 1, std::string(lines[i])});
    }
  }
}

void Read::readClearSummFromBytes(const std::string& bytes, Graph* G,
                                  std::vector<Vertex*>& summ,
                                  std::vector<UnmatchedLine>* unmatched) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    lines.emplace_back(bytes.data() + start, end - start);
    start = end + 1;
  }
  readClearSummFromLines(lines, G, summ, unmatched);
}

bool Read::readClearSumm(const std::string& filename, Graph* G,
                         std::vector<Vertex*>& summ, std::string* err,
                         std::vector<UnmatchedLine>* unmatched) {
  std::string bytes;
  if (!sentralign::io::readFile(filename, &bytes, err)) return false;
  readClearSummFromBytes(bytes, G, summ, unmatched);
  return true;
}

void Read::readSummFromBytes(const std::string& bytes, Graph* G,
                             std::vector<Vertex*>& summ,
                             std::vector<UnmatchedLine>* unmatched) {
  summ.clear();
  const std::unordered_map<SentenceKey, Vertex*> byIdentity = verticesByIdentity(*G);

  ByteCursor in(bytes);
  for (;;) {
    int c = in.next();
    while (c != kEnd && c != '<') c = in.next();
    if (c == kEnd) return;
    const int lineNumber = in.lineOfLast();

    // "<", a skipped byte, the position ending at "_", a skipped byte, the
    // text number ending at ":".
    const std::size_t markerStart = in.position() - 1;
    std::string position;
    std::string text;
    readMarkerField(in, '_', &position);
    readMarkerField(in, ':', &text);
    const std::string marker = bytes.substr(markerStart, in.position() - markerStart);

    const auto found = byIdentity.find(
        sentenceKey(std::atoi(text.c_str()), std::atoi(position.c_str())));
    if (found != byIdentity.end()) {
      summ.push_back(found->second);
    } else if (unmatched != nullptr) {
      unmatched->push_back({lineNumber, marker});
    }
  }
}

bool Read::readSumm(const std::string& filename, Graph* G, std::vector<Vertex*>& summ,
                    std::string* err, std::vector<UnmatchedLine>* unmatched) {
  std::string bytes;
  if (!sentralign::io::readFile(filename, &bytes, err)) return false;
  readSummFromBytes(bytes, G, summ, unmatched);
  return true;
}

void Read::printUnmatched(const char* program, const std::string& path,
                          const std::vector<UnmatchedLine>& unmatched, bool markers) {
  for (const UnmatchedLine& line : unmatched) {
    sentralign::io::writeError(program, describeUnmatched(path, line, markers));
  }
}

std::string Read::describeUnmatched(const std::string& path, const UnmatchedLine& line,
                                    bool markers) {
  const char* what = markers
                         ? "marcador do sumario sem sentenca correspondente, descartado"
                         : "linha do sumario sem sentenca correspondente, descartada";
  return path + ":" + std::to_string(line.lineNumber) + ": " + what + ": " + line.text;
}

void Read::printSkipped(const char* program,
                        const std::vector<SkippedRelations>& skipped) {
  std::fflush(stdout);
  for (const SkippedRelations& s : skipped) {
    if (s.count == 0) continue;
    sentralign::io::writeError(program, s.file + ": " + describeSkipped(s));
  }
}

std::string Read::describeSkipped(const SkippedRelations& s) {
  auto identity = [](int text, int position) {
    return std::to_string(text) + "." + std::to_string(position);
  };
  return std::to_string(s.count) +
         " relacoes ignoradas por nomear sentenca inexistente (a primeira: de " +
         identity(s.sourceText, s.sourcePos) + " para " +
         identity(s.targetText, s.targetPos) + ")";
}

void Read::setAllPosHummanOrderedSumm(Graph* G) {
  for (size_t i = 0; i < G->humanOrderedSumm.size(); ++i) {
    G->humanOrderedSumm[i]->setPosHumanOrderedSumm(static_cast<int>(i));
  }
}
