// A sentence of one source text: one node of the sentence graph.

#ifndef SENTRALIGN_VERTEX_H_
#define SENTRALIGN_VERTEX_H_

#include <string>
#include <vector>

class Edge;

// One sentence, identified by (idText, posText), both counted from 1. It owns
// the edges of both its lists and its word array; the vertices its edges lead
// to are not its own. Orderings write the place they give the sentence into
// the pos* fields, each a 0-based index into the list concerned.
class Vertex {
 public:
  // Marks in `state` of the depth-first search and the cycle search.
  static constexpr char kStateUnvisited = 'b';  // not yet visited
  static constexpr char kStateOnPath = 'c';     // entered, not finished
  static constexpr char kStateFinished = 'p';   // finished by the search
  static constexpr char kStateAnalysed = 'a';   // analysed by the cycle search

  Vertex() = default;
  Vertex(int id, int pos) : idText(id), posText(pos) {}
  Vertex(const Vertex&) = delete;
  Vertex& operator=(const Vertex&) = delete;
  // Deletes the edges of both lists and the word array.
  virtual ~Vertex();

  char getState() const { return state; }
  void setState(char c) { state = c; }
  int getIdText() const { return idText; }
  void setIdText(int i) { idText = i; }
  int getPosText() const { return posText; }
  void setPosText(int i) { posText = i; }
  int getPosTopic() const { return posTopic; }
  void setPosTopic(int i) { posTopic = i; }
  float getWeightTopic() const { return weightTopic; }
  void setWeightTopic(float f) { weightTopic = f; }
  int getNumTopic() const { return numTopic; }
  void setNumTopic(int i) { numTopic = i; }
  int getPosTopologicalList() const { return posTopologicalList; }
  void setPosTopologialList(int i) { posTopologicalList = i; }
  int getPosHumanOrderedSumm() const { return posHumanOrderedSumm; }
  void setPosHumanOrderedSumm(int i) { posHumanOrderedSumm = i; }
  int getPosTopicalOrderedSumm() const { return posTopicalOrderedSumm; }
  void setPosTopicalOrderedSumm(int i) { posTopicalOrderedSumm = i; }
  int getPosPositionOrderedSumm() const { return posPositionOrderedSumm; }
  void setPosPositionOrderedSumm(int i) { posPositionOrderedSumm = i; }
  int getPosTopologicalOrderedSumm() const { return posTopologicalOrderedSumm; }
  void setPosTopologicalOrderedSumm(int i) { posTopologicalOrderedSumm = i; }
  int getNumWordsSentence() const { return numWordsSentence; }
  void setNumWordsSentence(int i) { numWordsSentence = i; }
  int getNumWordsAfter() const { return numWordsAfter; }
  void setNumWordsAfter(int i) { numWordsAfter = i; }

  // Returns a copy of the sentence; stringSentenceRef() reads it in place.
  std::string getStringSentence() const { return stringSentence; }
  const std::string& stringSentenceRef() const { return stringSentence; }
  void setStringSentence(const std::string& s) { stringSentence = s; }

  // The word array itself (not a copy): sizeCharSentence NUL-terminated
  // words, followed by a null entry. Null before createCharSentence. An
  // array that createCharSentence made is one block (entries and words);
  // the array of a sentence without words is shared by all such sentences.
  // Neither may be written to.
  char** getCharSentence() const { return charSentence; }
  // Takes ownership of `array` (allocated with new[], its words with new[],
  // ended by a null entry) and releases the array it held before.
  void setCharSentence(char** array);
  int getSizeCharSentence() const { return sizeCharSentence; }
  void setSizeCharSentence(int i) { sizeCharSentence = i; }

  // Builds the word array of SENTENCE: its words lowered (A to Z only), split
  // at spaces and punctuation, stop words of `stopList` left out, in sentence
  // order. Every word is kept whole, whatever its length. Releases the array
  // held before.
  void createCharSentence(const std::string& SENTENCE,
                          const std::vector<std::string>& stopList);

  // Writes "V(idText,posText):sentence" and a line end to stdout.
  void print() const;
  // Writes "V(posText,idText) sentence " and a line end per vertex of v.
  static void printVectorVertex(const std::vector<Vertex*>& v);

  // Strict orders on one field each; equal keys compare false both ways.
  static bool comparePerNumPosText(const Vertex* Vi, const Vertex* Vj);
  static bool comparePerNumWordsSentence_Crescente(const Vertex* Vi, const Vertex* Vj);
  static bool comparePerNumWordsSentence_Decrescente(const Vertex* Vi, const Vertex* Vj);
  static bool comparePerNumWordsAfter(const Vertex* Vi, const Vertex* Vj);
  static bool comparePerPosTopic(const Vertex* Vi, const Vertex* Vj);
  static bool comparePerPosTopologicalList(const Vertex* Vi, const Vertex* Vj);
  // Whether V1 and V2 denote the same sentence (same idText and posText).
  static bool compareVertexes(const Vertex* V1, const Vertex* V2);

  // Edges that arrive here (each edge's vertex is the source) and edges that
  // leave (each edge's vertex is the target). Owned by this vertex: whoever
  // erases an edge from a list deletes it.
  std::vector<Edge*> edgeInList;
  std::vector<Edge*> edgeOutList;

 private:
  // How the word array was allocated, and so how it is released.
  enum class WordStorage : char {
    kNone,      // no array
    kSeparate,  // handed to setCharSentence: new[] array of new[] words
    kPacked,    // made by createCharSentence: one operator new block
    kShared,    // the shared array of a sentence without words
  };

  void releaseCharSentence();

  char state = '\0';
  int idText = 0;
  int posText = 0;
  int posTopic = 0;
  float weightTopic = 0.0f;
  int numTopic = 0;
  int posTopologicalList = 0;
  int posHumanOrderedSumm = 0;
  int posTopicalOrderedSumm = 0;
  int posPositionOrderedSumm = 0;
  int posTopologicalOrderedSumm = 0;
  int numWordsSentence = 0;
  int numWordsAfter = 0;
  std::string stringSentence;
  char** charSentence = nullptr;  // owned; see getCharSentence
  int sizeCharSentence = 0;
  WordStorage wordStorage = WordStorage::kNone;  // of charSentence
};

#endif  // SENTRALIGN_VERTEX_H_
