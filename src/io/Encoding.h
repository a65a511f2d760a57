// Character encodings of input files: the test for well-formed UTF-8 and
// the conversion of Latin-1 to UTF-8, so that texts, summaries and the stop
// list of one cluster compare byte for byte whatever encoding each file had.

#ifndef SENTRALIGN_IO_ENCODING_H_
#define SENTRALIGN_IO_ENCODING_H_

#include <string>

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

#endif  // SENTRALIGN_IO_ENCODING_H_
