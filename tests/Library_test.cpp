#include "Library.h"

#include <gtest/gtest.h>

TEST(LibraryTest, CountWordsCountsSpacesPlusOne) {
  struct Case {
    const char* name;
    std::string text;
    int words;
  } cases[] = {
      {"empty", "", 1},
      {"two words", "casa rua", 2},
      {"two spaces", "casa  rua", 3},
      {"leading space", " casa", 2},
      {"trailing line feed", "casa\n", 1},
      {"tab is no separator", "casa\trua", 1},
      {"punctuation is no separator", "casa,rua.", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Library::countWords(c.text), c.words) << c.name;
  }
}

TEST(LibraryTest, ConverteMinusculasLowersAsciiCapitalsOnly) {
  EXPECT_EQ(Library::converteMinusculas("A B C X Y Z"), "a b c x y z");
  EXPECT_EQ(Library::converteMinusculas("0123456789"), "0123456789");
  EXPECT_EQ(Library::converteMinusculas(""), "");
  // Latin-1 "Ágil" and UTF-8 "ÁGIL": bytes from 0x80 up stay as they are.
  EXPECT_EQ(Library::converteMinusculas("\xC1GIL"), "\xC1gil");
  EXPECT_EQ(Library::converteMinusculas("\xC3\x81GIL"), "\xC3\x81gil");
  EXPECT_EQ(Library::converteMinusculas(std::string("A\0B", 3)), std::string("a\0b", 3));
}

TEST(LibraryTest, IsPontuationHoldsForThirteenBytesOnly) {
  const std::string punctuation = ".,:;!?'\"/()[]";
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    EXPECT_EQ(Library::isPontuation(c), punctuation.find(c) != std::string::npos)
        << "byte " << b;
  }
  EXPECT_FALSE(Library::isPontuation('-'));
  EXPECT_FALSE(Library::isPontuation('\xAB'));  // Latin-1 guillemet
}

TEST(LibraryTest, IsStopWordIsExactAndCaseSensitive) {
  EXPECT_FALSE(Library::isStopWord("de", {}));
  const std::vector<std::string> stops = {"de", "a", "o\r"};
  EXPECT_TRUE(Library::isStopWord("de", stops));
  EXPECT_FALSE(Library::isStopWord("DE", stops));
  EXPECT_FALSE(Library::isStopWord("d", stops));
  EXPECT_FALSE(Library::isStopWord("o", stops));  // the stray CR keeps it apart
}

TEST(LibraryTest, PrintVectorStringWritesOneLinePerEntry) {
  testing::internal::CaptureStdout();
  Library::printVectorString({});
  Library::printVectorString({""});
  Library::printVectorString({"de", "a"});
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nde\na\n");
}
