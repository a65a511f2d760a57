// Byte-string tests and conversions: word counts, lowering, punctuation and
// the stop-word test. No character encoding is decoded: a byte is a character.

#ifndef SENTRALIGN_LIBRARY_H_
#define SENTRALIGN_LIBRARY_H_

#include <string>
#include <vector>

// Groups the text utilities; holds no data, every operation is static.
class Library {
 public:
  Library() = default;
  virtual ~Library();

  // The number of space bytes (0x20) in S, plus one. Nothing else separates.
  static int countWords(const std::string& S);
  // A copy of TEXT with A to Z lowered; every other byte unchanged.
  static std::string converteMinusculas(const std::string& TEXT);
  // Whether c is one of . , : ; ! ? ' " / ( ) [ ]
  static bool isPontuation(char c);
  // Whether word equals some entry of stopList, byte for byte.
  static bool isStopWord(const std::string& word,
                         const std::vector<std::string>& stopList);
  // Writes each entry of v and a line feed to stdout.
  static void printVectorString(const std::vector<std::string>& v);
};

#endif  // SENTRALIGN_LIBRARY_H_
