#include "Vertex.h"

#include <cstdio>
#include <cstring>

#include "Edge.h"
#include "Library.h"

namespace {

void writeBytes(const std::string& s) { std::fwrite(s.data(), 1, s.size(), stdout); }

}  // namespace

Vertex::~Vertex() {
  for (Edge* e : edgeInList) delete e;
  for (Edge* e : edgeOutList) delete e;
  releaseCharSentence();
}

void Vertex::releaseCharSentence() {
  if (charSentence == nullptr) return;
  for (char** w = charSentence; *w != nullptr; ++w) delete[] * w;
  delete[] charSentence;
  charSentence = nullptr;
}

void Vertex::setCharSentence(char** array) {
  if (array == charSentence) return;
  releaseCharSentence();
  charSentence = array;
}

void Vertex::createCharSentence(const std::string& SENTENCE,
                                const std::vector<std::string>& stopList) {
  const std::string sentence = Library::converteMinusculas(SENTENCE);
  std::vector<std::string> words;
  std::string word;
  // One step past the last byte: the end closes the last word.
  for (size_t i = 0; i <= sentence.size(); ++i) {
    const bool atEnd = i == sentence.size();
    if (!atEnd && sentence[i] != ' ' && !Library::isPontuation(sentence[i])) {
      word.push_back(sentence[i]);
      continue;
    }
    if (word.empty()) continue;
    if (!Library::isStopWord(word, stopList)) words.push_back(word);
    word.clear();
  }

  char** array = new char*[words.size() + 1];
  for (size_t k = 0; k < words.size(); ++k) {
    array[k] = new char[words[k].size() + 1];
    std::memcpy(array[k], words[k].data(), words[k].size());
    array[k][words[k].size()] = '\0';
  }
  array[words.size()] = nullptr;
  setCharSentence(array);
  sizeCharSentence = static_cast<int>(words.size());
}

void Vertex::print() const {
  std::printf("V(%d,%d):", idText, posText);
  writeBytes(stringSentence);
  std::fputc('\n', stdout);
}

void Vertex::printVectorVertex(const std::vector<Vertex*>& v) {
  for (const Vertex* V : v) {
    std::printf("V(%d,%d) ", V->posText, V->idText);
    writeBytes(V->stringSentence);
    std::fputs(" \n", stdout);
  }
}

bool Vertex::comparePerNumPosText(const Vertex* Vi, const Vertex* Vj) {
  return Vi->posText < Vj->posText;
}

bool Vertex::comparePerNumWordsSentence_Crescente(const Vertex* Vi, const Vertex* Vj) {
  return Vi->numWordsSentence < Vj->numWordsSentence;
}

bool Vertex::comparePerNumWordsSentence_Decrescente(const Vertex* Vi, const Vertex* Vj) {
  return Vi->numWordsSentence > Vj->numWordsSentence;
}

bool Vertex::comparePerNumWordsAfter(const Vertex* Vi, const Vertex* Vj) {
  return Vi->numWordsAfter > Vj->numWordsAfter;
}

bool Vertex::comparePerPosTopic(const Vertex* Vi, const Vertex* Vj) {
  return Vi->posTopic < Vj->posTopic;
}

bool Vertex::comparePerPosTopologicalList(const Vertex* Vi, const Vertex* Vj) {
  return Vi->posTopologicalList > Vj->posTopologicalList;
}

bool Vertex::compareVertexes(const Vertex* V1, const Vertex* V2) {
  return V1->idText == V2->idText && V1->posText == V2->posText;
}
