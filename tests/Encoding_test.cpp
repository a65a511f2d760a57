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
