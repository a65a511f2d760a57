#include "eval/SentenceMatcher.h"

#include <gtest/gtest.h>

#include "Graph.h"
#include "Vertex.h"
#include "test_util.h"

namespace {

// "2[normalizada:Casa.] 4[sem:x]": every note, by line and kind.
std::string render(const std::vector<MatchNote>& notes) {
  std::string s;
  for (const MatchNote& n : notes) {
    if (!s.empty()) s += ' ';
    const char* kinds[] = {"normalizada", "sem", "ambigua", "repetida"};
    s += std::to_string(n.lineNumber) + "[" + kinds[n.kind] + ":" + n.text;
    if (n.kind == MatchNote::kRepeated) s += "@" + std::to_string(n.firstLine);
    s += "]";
  }
  return s;
}

}  // namespace

TEST(SentenceMatcherTest, NormalisingTrimsBlanksUnifiesQuotesAndLowers) {
  struct Case {
    const char* name;
    std::string line;
    std::string normalised;
  } cases[] = {
      {"ASCII blanks at the ends", " \t Ponte caiu. \r", "ponte caiu."},
      {"blanks inside stay", "a  b", "a  b"},
      {"no-break space and byte-order mark",
       "\xEF\xBB\xBF"
       "a\xC2\xA0",
       "a"},
      {"curly and angle double quotes",
       "\xE2\x80\x9C"
       "a"
       "\xE2\x80\x9D \xC2\xAB"
       "b"
       "\xC2\xBB \"c\"",
       "\"a\" \"b\" \"c\""},
      {"single quotes and accents", "d\xE2\x80\x99\xC3\x81gua `x\xC2\xB4",
       "d'\xC3\xA1gua 'x'"},
      {"accented capitals", "\xC3\x89 \xC3\x87\xC3\x83O \xC3\x9C",
       "\xC3\xA9 \xC3\xA7\xC3\xA3o \xC3\xBC"},
      {"the multiplication sign is no letter",
       "2\xC3\x97"
       "3",
       "2\xC3\x97"
       "3"},
      {"bytes that are not UTF-8 stay", "A\xE7\xE3O ", "a\xE7\xE3o"},
      {"only blanks", " \xC2\xA0 ", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SentenceMatcher::normalise(c.line), c.normalised) << c.name;
  }
}

TEST(SentenceMatcherTest, LinesNameSentencesExactlyThenNormalised) {
  Graph G;
  addTestVertex(&G, 1, 1, 1, "Ponte caiu.");
  addTestVertex(&G, 1, 2, 1, "Casa.");
  addTestVertex(&G, 2, 1, 1, "casa.");        // differs from 1.2 only in case
  addTestVertex(&G, 2, 2, 1, "Ponte caiu.");  // the same sentence as 1.1
  addTestVertex(&G, 2, 3, 1, "Disse \"sim\".");
  const SentenceMatcher matcher(G);

  struct Case {
    const char* name;
    std::string lines;
    std::string list;
    std::string notes;
  } cases[] = {
      {"byte for byte, the first of equal sentences", "Ponte caiu.\ncasa.\n", "1.1 2.1",
       ""},
      {"normalised, one sentence however many vertices hold it", "  PONTE CAIU. \n",
       "1.1", "1[normalizada:  PONTE CAIU. ]"},
      {"normalised quotes", "Disse \xE2\x80\x9Csim\xE2\x80\x9D.", "2.3",
       "1[normalizada:Disse \xE2\x80\x9Csim\xE2\x80\x9D.]"},
      {"normalised, two different sentences", "CASA.\n", "", "1[ambigua:CASA.]"},
      {"nothing", "Outra.\n \n", "", "1[sem:Outra.] 2[sem: ]"},
      {"empty lines are skipped", "\n\nCasa.\n\n", "1.2", ""},
      {"a repeated sentence is listed again and noted", "Casa.\nPonte caiu.\nCasa.\n",
       "1.2 1.1 1.2", "3[repetida:Casa.@1]"},
      {"repeated after normalising", "Ponte caiu.\nponte caiu.\n", "1.1 1.1",
       "2[normalizada:ponte caiu.] 2[repetida:ponte caiu.@1]"},
  };
  for (const Case& c : cases) {
    std::vector<Vertex*> list;
    std::vector<MatchNote> notes;
    matcher.matchLines(c.lines, &list, &notes);
    EXPECT_EQ(ids(list), c.list) << c.name;
    EXPECT_EQ(render(notes), c.notes) << c.name;
  }
}
