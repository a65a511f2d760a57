#include "eval/SentenceMatcher.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "Graph.h"
#include "Vertex.h"
#include "test_util.h"

namespace {

const char* ruleName(MatchRule rule) {
  const char* names[] = {"exata", "normalizada", "aspas",
                         "local", "seguidas",    "inclusao"};
  return names[static_cast<int>(rule)];
}

// "2[normalizada:Casa.] 4[sem:x]": every note, by line and kind; a note of
// the new rules names the sentence and what the rule saw, an unmatched line
// its nearest sentence ("~2.1 4/5/13": 4 words shared, 5 in the line, 13 in
// the sentence).
std::string render(const std::vector<MatchNote>& notes) {
  std::string s;
  for (const MatchNote& n : notes) {
    if (!s.empty()) s += ' ';
    s += std::to_string(n.lineNumber) + "[";
    switch (n.kind) {
      case MatchNote::kMatched:
        s += ruleName(n.rule);
        if (n.rule == MatchRule::kNormalised) {
          s += ":" + n.text;
          break;
        }
        s += "->" + id(n.sentence);
        if (n.rule == MatchRule::kDateline) s += ":" + n.dateline;
        if (n.rule == MatchRule::kRun) s += "+" + std::to_string(n.runLength);
        if (n.rule == MatchRule::kContained) {
          s += std::string(n.sentenceInLine ? " na linha " : " ") +
               std::to_string(n.sharedWords) + "/" +
               std::to_string(std::max(n.lineWords, n.sentenceWords));
        }
        break;
      case MatchNote::kUnmatched:
        s += "sem:" + n.text;
        if (n.sentence != nullptr) {
          s += " ~" + id(n.sentence) + " " + std::to_string(n.sharedWords) + "/" +
               std::to_string(n.lineWords) + "/" + std::to_string(n.sentenceWords);
        }
        break;
      case MatchNote::kAmbiguous:
        s += std::string("ambigua/") + ruleName(n.rule) + ":" + n.text;
        break;
      case MatchNote::kRepeated:
        s += "repetida:" + n.text + "@" + std::to_string(n.firstLine);
        break;
    }
    s += "]";
  }
  return s;
}

// Runs `matcher` on each case's lines and compares the names and notes.
struct MatchCase {
  const char* name;
  std::string lines;
  std::string list;
  std::string notes;
};

void expectMatches(const SentenceMatcher& matcher, const std::vector<MatchCase>& cases) {
  for (const MatchCase& c : cases) {
    std::vector<Vertex*> list;
    std::vector<MatchNote> notes;
    matcher.matchLines(c.lines, &list, &notes);
    EXPECT_EQ(ids(list), c.list) << c.name;
    EXPECT_EQ(render(notes), c.notes) << c.name;
  }
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

  expectMatches(
      matcher, {
                   {"byte for byte, the first of equal sentences", "Ponte caiu.\ncasa.\n",
                    "1.1 2.1", ""},
                   {"normalised, one sentence however many vertices hold it",
                    "  PONTE CAIU. \n", "1.1", "1[normalizada:  PONTE CAIU. ]"},
                   {"normalised quotes", "Disse \xE2\x80\x9Csim\xE2\x80\x9D.", "2.3",
                    "1[normalizada:Disse \xE2\x80\x9Csim\xE2\x80\x9D.]"},
                   {"normalised, two different sentences", "CASA.\n", "",
                    "1[ambigua/normalizada:CASA.]"},
                   {"nothing", "Outra.\n \n", "", "1[sem:Outra.] 2[sem: ]"},
                   {"empty lines are skipped", "\n\nCasa.\n\n", "1.2", ""},
                   {"a repeated sentence is listed again and noted",
                    "Casa.\nPonte caiu.\nCasa.\n", "1.2 1.1 1.2", "3[repetida:Casa.@1]"},
                   {"repeated after normalising", "Ponte caiu.\nponte caiu.\n", "1.1 1.1",
                    "2[normalizada:ponte caiu.] 2[repetida:ponte caiu.@1]"},
               });
}

namespace {

// Sentences as news texts have them, for the rules that forgive more.
class LooseMatchingTest : public testing::Test {
 protected:
  LooseMatchingTest() {
    const char* text1[] = {
        "RECIFE - A prefeitura anunciou o plano de obras.",
        "\"Est\xC3\xA1 tudo acertado\", disse o advogado.",
        "O prazo termina em maio.",
        "As obras come\xC3\xA7\x61m em junho.",
        "S\xC3\x83O PAULO E RIO DE JANEIRO \xE2\x80\x93 Os dois estados aderiram.",
    };
    const char* text2[] = {
        "A ponte foi reaberta ontem \xC3\xA0 tarde depois de seis meses de reforma.",
        "Segundo a prefeitura, o tr\xC3\xA2nsito voltou ao normal.",
        "O prazo termina em maio.",
        "Os moradores comemoraram.",
        "Os moradores comemoraram a reabertura.",
    };
    int position = 0;
    for (const char* s : text1) addTestVertex(&G, 1, ++position, 1, s);
    position = 0;
    for (const char* s : text2) addTestVertex(&G, 2, ++position, 1, s);
  }

  Graph G;
};

}  // namespace

TEST_F(LooseMatchingTest, EachRuleNamesOneSentenceOrNone) {
  const SentenceMatcher matcher(G);
  expectMatches(
      matcher,
      {
          {"quotation marks removed", "Est\xC3\xA1 tudo acertado, disse o advogado.",
           "1.2", "1[aspas->1.2]"},
          {"quotation marks and blanks",
           "\xE2\x80\x9C Est\xC3\xA1  tudo acertado,\xE2\x80\x9D disse o advogado.",
           "1.2", "1[aspas->1.2]"},
          {"dateline removed", "A prefeitura anunciou o plano de obras.", "1.1",
           "1[local->1.1:RECIFE -]"},
          {"several places joined by E, an en dash", "Os dois estados aderiram.", "1.5",
           "1[local->1.5:S\xC3\x83O PAULO E RIO DE JANEIRO \xE2\x80\x93]"},
          {"consecutive sentences of one text",
           "O prazo termina em maio. As obras come\xC3\xA7\x61m em junho.", "1.3",
           "1[seguidas->1.3+2]"},
          {"a run whose first sentence lost its dateline and quotes",
           "A prefeitura anunciou o plano de obras. Est\xC3\xA1 tudo acertado, disse o "
           "advogado.",
           "1.1", "1[seguidas->1.1+2]"},
          {"the one text where the sentences follow each other",
           "O prazo termina em maio. Os moradores comemoraram.", "2.3",
           "1[seguidas->2.3+2]"},
          {"sentences out of order are no run",
           "As obras come\xC3\xA7\x61m em junho. O prazo termina em maio.", "",
           "1[sem:As obras come\xC3\xA7\x61m em junho. O prazo termina em maio. ~1.3 "
           "5/10/5]"},
          {"the line inside a sentence, most of its words",
           "A ponte foi reaberta ontem \xC3\xA0 tarde", "2.1", "1[inclusao->2.1 7/13]"},
          {"a sentence inside the line, most of its words",
           "Segundo a prefeitura, o tr\xC3\xA2nsito voltou ao normal. Ningu\xC3\xA9m se "
           "feriu.",
           "2.2", "1[inclusao->2.2 na linha 8/11]"},
          {"too few of the sentence's words", "A ponte foi reaberta", "",
           "1[sem:A ponte foi reaberta ~2.1 4/4/13]"},
          {"not at word boundaries", "s moradores comemoraram a reabertura", "",
           "1[sem:s moradores comemoraram a reabertura ~2.5 4/5/5]"},
          {"inside two different sentences", "Os moradores comemoraram", "",
           "1[ambigua/inclusao:Os moradores comemoraram]"},
          {"no word in common", "Xyz.", "", "1[sem:Xyz.]"},
      });
}

TEST(SentenceMatcherTest, DatelinesAreCapitalsThenADash) {
  struct Case {
    const char* sentence;
    size_t length;
  } cases[] = {
      {"RECIFE - A prefeitura.", 9},
      {"GUAJAR\xC3\x81-MIRIM - A cidade.", 17},
      {"SANTA B\xC3\x81RBARA D'OESTE E CAMPINAS \xE2\x80\x94 Chove.", 38},
      {"ONU aprova a resolucao.", 0},
      {"Recife - A prefeitura.", 0},
      {"A - b.", 0},
      {"RECIFE -", 0},
      {"RECIFE-A prefeitura.", 0},
      {" RECIFE - A.", 10},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SentenceMatcher::datelineLength(c.sentence), c.length) << c.sentence;
  }
}

TEST_F(LooseMatchingTest, TheCostlyRulesStopAtTheirBudget) {
  // With room for about one line's costly search, the next lines that need
  // one stay unmatched and say that their nearest sentence was not sought;
  // the cheap rules still name sentences.
  const SentenceMatcher matcher(G, 2500);
  std::vector<Vertex*> list;
  std::vector<MatchNote> notes;
  matcher.matchLines(
      "A ponte foi reaberta\nAs obras pararam de vez.\nO prazo termina em maio.\n"
      "Os moradores comemoraram a festa da ponte\n",
      &list, &notes);
  EXPECT_EQ(ids(list), "1.3");
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(render({notes[0]}), "1[sem:A ponte foi reaberta ~2.1 4/4/13]");
  EXPECT_TRUE(notes[1].nearestNotSought);
  EXPECT_TRUE(notes[2].nearestNotSought);
  EXPECT_EQ(notes[2].lineNumber, 4);
}

TEST_F(LooseMatchingTest, MessagesSayWhatEachRuleDid) {
  const SentenceMatcher matcher(G);
  std::vector<Vertex*> list;
  std::vector<MatchNote> notes;
  matcher.matchLines(
      "A prefeitura anunciou o plano de obras.\n"
      "O prazo termina em maio. As obras come\xC3\xA7\x61m em junho.\n"
      "A ponte foi reaberta ontem \xC3\xA0 tarde\n"
      "Os moradores comemoraram\n"
      "A ponte foi reaberta\n"
      "O prazo termina em maio.\n",
      &list, &notes);
  std::vector<std::string> messages;
  for (const MatchNote& note : notes) {
    messages.push_back(sentralign::eval::matchMessage("s.txt", note));
  }
  EXPECT_EQ(
      messages,
      (std::vector<std::string>{
          "s.txt:1: casada com 1.1 sem o local inicial \"RECIFE -\": A prefeitura "
          "anunciou o plano de obras.",
          "s.txt:2: junta as sentencas seguidas 1.3 a 1.4, contada como 1.3: O prazo "
          "termina em maio. As obras come\xC3\xA7\x61m em junho.",
          "s.txt:3: contida na sentenca 2.1 (7 de 13 palavras): A ponte foi reaberta "
          "ontem \xC3\xA0 tarde",
          "s.txt:4: linha casa com mais de uma sentenca por inclusao, descartada: Os "
          "moradores comemoraram",
          "s.txt:5: linha sem sentenca correspondente, descartada: A ponte foi reaberta; "
          "mais proxima: 2.1, 4 palavras em comum (4 na linha, 13 na sentenca): A ponte "
          "foi reaberta ontem \xC3\xA0 tarde depois de seis meses de reforma.",
          "s.txt:6: repete a sentenca da linha 2, contada uma vez: O prazo termina em "
          "maio.",
      }));
  // Without the file and the line, for a caller that shows them its own way.
  EXPECT_EQ(
      sentralign::eval::describeMatch(notes[4]),
      "mais proxima: 2.1, 4 palavras em comum (4 na linha, 13 na sentenca): A ponte "
      "foi reaberta ontem \xC3\xA0 tarde depois de seis meses de reforma.");
  EXPECT_EQ(sentralign::eval::describeMatch(notes[3]),
            "casa com mais de uma sentenca por inclusao");
}
