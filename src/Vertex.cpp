#include "Vertex.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "Edge.h"
#include "Library.h"

namespace {

void writeBytes(const std::string& s) { std::fwrite(s.data(), 1, s.size(), stdout); }

// The word array of every sentence without content words: only its null
// entry. Shared, never written, never released.
char* noWords[1] = {nullptr};

// A word array in one allocation: the k + 1 entries, then the k words with
// their NULs. A sentence of ten words costs one block instead of eleven.
char** packWords(const std::vector<std::string>& words) {
  size_t bytes = (words.size() + 1) * sizeof(char*);
  for (const std::string& w : words) bytes += w.size() + 1;
  char** array = static_cast<char**>(::operator new(bytes));
  char* text = reinterpret_cast<char*>(array + words.size() + 1);
  for (size_t k = 0; k < words.size(); ++k) {
    std::memcpy(text, words[k].data(), words[k].size());
    text[words[k].size()] = '\0';
    array[k] = text;
    text += words[k].size() + 1;
  }
  array[words.size()] = nullptr;
  return array;
}

}  // namespace

Vertex::~Vertex() {
  for (Edge* e : edgeInList) delete e;
  for (Edge* e : edgeOutList) delete e;
  releaseCharSentence();
}

void Vertex::releaseCharSentence() {
  switch (wordStorage) {
    case WordStorage::kSeparate:
      for (char** w = charSentence; *w != nullptr; ++w) delete[] * w;
      delete[] charSentence;
      break;
    case WordStorage::kPacked:
      ::operator delete(charSentence);
      break;
    case WordStorage::kNone:
    case WordStorage::kShared:
      break;
  }
  charSentence = nullptr;
  wordStorage = WordStorage::kNone;
}

void Vertex::setCharSentence(char** array) {
  if (array == charSentence) return;
  releaseCharSentence();
  charSentence = array;
  wordStorage = array == nullptr ? WordStorage::kNone : WordStorage::kSeparate;
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

  releaseCharSentence();
  if (words.empty()) {
    charSentence = noWords;
    wordStorage = WordStorage::kShared;
  } else {
    charSentence = packWords(words);
    wordStorage = WordStorage::kPacked;
  }
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
