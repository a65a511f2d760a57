#include "io/Encoding.h"

#include <gtest/gtest.h>

TEST(EncodingTest, WellFormedUtf8IsToldFromOtherBytes) {
  struct Case {
    const char* name;
    std::string bytes;
    bool valid;
  } cases[] = {
      {"empty", "", true},
      {"ASCII", "Ponte caiu.\n", true},
      {"two-byte letters", "A\xC3\xA7\xC3\xA3o", true},
      {"four-byte character", "\xF0\x9F\x98\x80", true},
      {"Latin-1 letters", "A\xE7\xE3o", false},
      {"stray continuation byte", "a\x80", false},
      {"sequence cut by the end", "a\xC3", false},
      {"sequence cut by ASCII", "\xE2\x80x", false},
      {"overlong slash", "\xC0\xAF", false},
      {"overlong three bytes", "\xE0\x80\xAF", false},
      {"surrogate", "\xED\xA0\x80", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
      {"NUL is ASCII", std::string("a\0b", 3), true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Encoding::isValidUtf8(c.bytes), c.valid) << c.name;
}

TEST(EncodingTest, Latin1BecomesUtf8) {
  struct Case {
    const char* name;
    std::string latin1;
    std::string utf8;
  } cases[] = {
      {"ASCII unchanged", "abc\n", "abc\n"},
      {"accented letters", "Jo\xE3o \xC9", "Jo\xC3\xA3o \xC3\x89"},
      {"ordinal and no-break space", "15\xAA\xA0", "15\xC2\xAA\xC2\xA0"},
      {"Windows-1252 quotes", "\x93x\x94 \x91y\x92",
       "\xE2\x80\x9Cx\xE2\x80\x9D \xE2\x80\x98y\xE2\x80\x99"},
      {"euro and dash", "\x80\x96", "\xE2\x82\xAC\xE2\x80\x93"},
      {"undefined byte stays a control code", "\x81", "\xC2\x81"},
      {"last byte", "\xFF", "\xC3\xBF"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Encoding::latin1ToUtf8(c.latin1), c.utf8) << c.name;
}

TEST(EncodingTest, ToUtf8ConvertsOnlyWhatIsNotUtf8) {
  std::string utf8 = "A\xC3\xA7\xC3\xA3o";
  EXPECT_FALSE(Encoding::toUtf8(&utf8));
  EXPECT_EQ(utf8, "A\xC3\xA7\xC3\xA3o");

  std::string latin1 = "A\xE7\xE3o";
  EXPECT_TRUE(Encoding::toUtf8(&latin1));
  EXPECT_EQ(latin1, "A\xC3\xA7\xC3\xA3o");
}

TEST(EncodingTest, EachFileIsDecidedWhole) {
  using sentralign::io::TextDecoding;
  struct Case {
    const char* name;
    std::string bytes;
    std::string utf8;
    TextDecoding::Kind kind;
    size_t strayBytes;
    std::vector<int> strayLines;
  } cases[] = {
      {"UTF-8",
       "Cora\xC3\xA7\xC3\xA3o\n",
       "Cora\xC3\xA7\xC3\xA3o\n",
       TextDecoding::kUtf8,
       0,
       {}},
      {"Latin-1",
       "Cora\xE7\xE3o\n",
       "Cora\xC3\xA7\xC3\xA3o\n",
       TextDecoding::kLatin1,
       0,
       {}},
      {"ASCII with one stray byte is Latin-1",
       "Caf\xE9\n",
       "Caf\xC3\xA9\n",
       TextDecoding::kLatin1,
       0,
       {}},
      {"a stray byte among UTF-8 letters",
       "P\xC3\xA3o.\nCaf\xE9 e p\xC3\xA3o.\n\xC3\xA1gua\x93\n",
       "P\xC3\xA3o.\nCaf\xC3\xA9 e p\xC3\xA3o.\n\xC3\xA1gua\xE2\x80\x9C\n",
       TextDecoding::kMostlyUtf8,
       2,
       {2, 3}},
      {"as many stray bytes as UTF-8 letters is Latin-1",
       "\xC3\xA3 \xE9\n",
       "\xC3\x83\xC2\xA3 \xC3\xA9\n",
       TextDecoding::kLatin1,
       0,
       {}},
  };
  for (const Case& c : cases) {
    std::string bytes = c.bytes;
    const TextDecoding d = sentralign::io::decodeText(&bytes);
    EXPECT_EQ(bytes, c.utf8) << c.name;
    EXPECT_EQ(d.kind, c.kind) << c.name;
    EXPECT_EQ(d.strayBytes, c.strayBytes) << c.name;
    EXPECT_EQ(d.strayLines, c.strayLines) << c.name;
    EXPECT_TRUE(Encoding::isValidUtf8(bytes)) << c.name;
  }
}

TEST(EncodingTest, PrintableNamesEscapeControlsAndStrayBytes) {
  struct Case {
    std::string name;
    std::string printable;
  } cases[] = {
      {"C1_ponte", "C1_ponte"},
      {"C3_n\xC3\xA3o", "C3_n\xC3\xA3o"},
      {"C3\xC3_greve", "C3\\xC3_greve"},
      {"a\nb\rc\td", "a\\nb\\rc\\td"},
      {std::string("nul\0\x1B\x7F", 6), "nul\\x00\\x1B\\x7F"},
      {"c1\xC2\x85", "c1\\u0085"},
      {"a\\b", "a\\\\b"},
      {"\xFF\xFE", "\\xFF\\xFE"},
  };
  for (const Case& c : cases) {
    const std::string p = sentralign::io::printable(c.name);
    EXPECT_EQ(p, c.printable);
    EXPECT_TRUE(Encoding::isValidUtf8(p));
  }
}
