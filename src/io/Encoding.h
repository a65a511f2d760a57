// Character encodings of input files: the test for well-formed UTF-8 and
// the conversion of Latin-1 to UTF-8, so that texts, summaries and the stop
// list of one cluster compare byte for byte whatever encoding each file had;
// and names made printable, so that any byte of a file name can stand in a
// report, a table row or a message line.

#ifndef SENTRALIGN_IO_ENCODING_H_
#define SENTRALIGN_IO_ENCODING_H_

#include <cstddef>
#include <string>
#include <vector>

// Groups the encoding operations; holds no data, every operation is static.
class Encoding {
 public:
  Encoding() = default;
  virtual ~Encoding();

  // Whether `bytes` is well-formed UTF-8: every sequence complete, no stray
  // continuation byte, no overlong form, no surrogate, nothing above
  // U+10FFFF. Empty and pure ASCII bytes are UTF-8.
  static bool isValidUtf8(const std::string& bytes);

  // `bytes` read as Latin-1 and written as UTF-8. The bytes 0x80 to 0x9F,
  // control codes in Latin-1 that such files use for the Windows-1252
  // characters (curly quotes, dashes, the euro sign), become those
  // characters; the five that Windows-1252 leaves undefined stay control
  // codes.
  static std::string latin1ToUtf8(const std::string& bytes);

  // Leaves well-formed UTF-8 as it is and converts anything else from
  // Latin-1; returns whether it converted.
  static bool toUtf8(std::string* bytes);

  // `s` with & < > and " written as character references, for XML, SVG and
  // Graphviz labels.
  static std::string markupEscaped(const std::string& s);
};

namespace sentralign::io {

// How decodeText read a file.
struct TextDecoding {
  enum Kind {
    kUtf8,        // well-formed UTF-8, kept as it was
    kLatin1,      // read as Latin-1 and converted
    kMostlyUtf8,  // UTF-8 but for a few stray bytes, each converted alone
  };
  Kind kind = kUtf8;
  size_t strayBytes = 0;        // kMostlyUtf8: the bytes that were not UTF-8
  std::vector<int> strayLines;  // kMostlyUtf8: their lines (from 1), each once
};

// Brings the bytes of a file to UTF-8, deciding for the whole file: UTF-8
// stays as it is; bytes with more well-formed multi-byte UTF-8 characters
// than stray bytes (bytes that start no well-formed character) are UTF-8
// with a few stray bytes, each of which becomes the character it stands
// for in Latin-1 (Encoding::latin1ToUtf8); anything else is Latin-1 (a
// stray byte in a file of ASCII and Latin-1 letters alike reads the same
// either way). Lines end at line feeds.
TextDecoding decodeText(std::string* bytes);

// What a tool says of the file `path` that decodeText read as `decoding`:
// "PATH: nao e UTF-8; ..." for Latin-1, the stray bytes and their lines for
// UTF-8 with a few stray bytes, "" for UTF-8.
std::string describeDecoding(const std::string& path, const TextDecoding& decoding);

// `bytes` as text that any terminal line, table cell, CSV field or JSON
// string can hold, for names and messages: well-formed UTF-8 stays, but a
// backslash becomes "\\", the control characters become "\n", "\r", "\t"
// or "\xHH" (C0 and DEL) and "\u0080" to "\u009F" (C1), and every byte
// that starts no well-formed UTF-8 character becomes "\xHH" (upper-case
// hexadecimal). Never holds a line feed.
std::string printable(const std::string& bytes);

// `utf8` as a JSON string, in double quotes: '"' and '\\' escaped, line
// feed, carriage return and tab as "\n", "\r" and "\t", the other control
// characters as "\u00XX". Bytes that are not UTF-8 are copied as they are:
// pass text that is UTF-8, or printable() of a name.
std::string jsonQuoted(const std::string& utf8);

}  // namespace sentralign::io

#endif  // SENTRALIGN_IO_ENCODING_H_
