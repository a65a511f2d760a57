// What the command line tells its user about a run's inputs: missing and
// odd arguments, texts out of their numbers' order, empty start-up files,
// dropped summary lines with their likely reason, skipped relations.

#include "cli/Diagnostics.h"

#include <gtest/gtest.h>

#include "CST.h"
#include "Graph.h"
#include "Read.h"

namespace cli = sentralign::cli;

namespace {

const std::string kPositional =
    "os argumentos sao posicionais (METODO SUMARIO SAIDA NTEXTOS TEXTO_1 ... TEXTO_n "
    "NCST CST_1 ... CST_m)";

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\n";
  return out;
}

}  // namespace

TEST(DiagnosticsTest, MissingArgumentIsNamedByItsStep) {
  cli::PositionalArguments args;
  args.NumTexts = 5;
  args.texts = {"t1", "t2"};
  args.NumCSTFiles = 3;
  args.relations = {"c1"};
  struct Case {
    int step;
    std::string message;
  } cases[] = {
      {0, ""},
      {cli::kStepMethod, "falta o argumento METODO"},
      {cli::kStepSummary, "falta o argumento SUMARIO"},
      {cli::kStepOutput, "falta o argumento SAIDA"},
      {cli::kStepTextCount, "falta o argumento NTEXTOS"},
      {cli::kStepText, "falta o argumento TEXTO_3 (NTEXTOS e 5)"},
      {cli::kStepRelationCount, "falta o argumento NCST"},
      {cli::kStepRelationFile, "falta o argumento CST_2 (NCST e 3)"},
  };
  for (const Case& c : cases) {
    args.missingStep = c.step;
    EXPECT_EQ(cli::describeMissingArgument(args), c.message) << c.step;
  }
}

TEST(DiagnosticsTest, MethodOutsideOneToSixIsWarned) {
  struct Case {
    std::optional<std::string> method;
    std::string warning;
  } cases[] = {
      {std::nullopt, ""},
      {"1", ""},
      {"6", ""},
      {" +4x", ""},  // atoi reads 4: method 4 runs
      {"0", "METODO '0' nao e um numero de 1 a 6: a saida sera vazia"},
      {"7", "METODO '7' nao e um numero de 1 a 6: a saida sera vazia"},
      {"posicao", "METODO 'posicao' nao e um numero de 1 a 6: a saida sera vazia"},
      {"-1", "METODO '-1' nao e um numero de 1 a 6: a saida sera vazia"},
      {"--method=1",
       "METODO '--method=1' nao e um numero de 1 a 6: a saida sera vazia; os "
       "argumentos sao posicionais (veja sentralign --help)"},
  };
  for (const Case& c : cases) {
    cli::PositionalArguments args;
    args.method = c.method;
    EXPECT_EQ(cli::methodWarning(args), c.warning) << c.method.value_or("(none)");
  }
}

TEST(DiagnosticsTest, CountsThatAreNoNumbersAndLeftoverArgumentsAreWarned) {
  cli::PositionalArguments args;
  args.textCount = "3";
  args.relationCount = "-0";
  EXPECT_EQ(cli::argumentWarnings(args), std::vector<std::string>{});

  // "sentralign 1 resumo.txt out.txt D1.txt D2.txt D3.txt 1 r.cst": NTEXTS
  // forgotten.
  args.textCount = "D1.txt";
  args.relationCount = "D2.txt";
  args.ignored = {"D3.txt", "1", "r.cst"};
  EXPECT_EQ(joined(cli::argumentWarnings(args)),
            "NTEXTOS 'D1.txt' nao e um numero e vale 0: " + kPositional +
                "\n"
                "NCST 'D2.txt' nao e um numero e vale 0: " +
                kPositional +
                "\n"
                "argumentos a mais, ignorados: 'D3.txt' '1' 'r.cst' (NTEXTOS e 0, NCST e "
                "0)\n");
}

TEST(DiagnosticsTest, CountThatTookANumberForATextIsNamed) {
  cli::PositionalArguments args;
  args.NumTexts = 3;
  args.texts = {"t1.txt", "t2.txt", "1"};
  EXPECT_EQ(cli::swallowedArgumentHint(args, "1: No such file or directory"),
            "'1' foi tomado como TEXTO_3 porque NTEXTOS e 3: " + kPositional);
  // A path that reads as no number is a plain missing file.
  args.texts = {"t1.txt", "t2.txt", "t3.txt"};
  EXPECT_EQ(cli::swallowedArgumentHint(args, "t3.txt: No such file or directory"), "");
  EXPECT_EQ(cli::swallowedArgumentHint(args, "s.txt: No such file or directory"), "");
}

TEST(DiagnosticsTest, TextNamesCarryingAnotherNumberAreWarned) {
  const std::vector<std::string> texts = {
      "dir/D2_C1_Folha.txt",  // text 2 given first
      "D1_C1_Estadao.txt",    // text 1 given second
      "D3.txt",               // in its place
      "noticia.txt",          // no number: a letter, then no digit
      "2023_ponte.txt",       // begins with a digit: no number
      "a2023_ponte.txt",      // three digits and more: no number
      "t7.txt",               // in its place
  };
  EXPECT_EQ(joined(cli::textNumberWarnings(texts)),
            "dir/D2_C1_Folha.txt: o nome indica o texto 2, mas como TEXTO_1 ele e o "
            "texto 1 para os arquivos de relacoes\n"
            "D1_C1_Estadao.txt: o nome indica o texto 1, mas como TEXTO_2 ele e o texto "
            "2 para os arquivos de relacoes\n");
}

TEST(DiagnosticsTest, StartupFilesWithoutUsableEntriesAreWarned) {
  EXPECT_EQ(cli::stopListWarning("s.txt", {"de"}), "");
  for (const std::vector<std::string>& empty :
       {std::vector<std::string>{}, std::vector<std::string>{"", " ", "de \r"}}) {
    EXPECT_EQ(cli::stopListWarning("s.txt", empty),
              "s.txt: lista de stop words sem nenhuma palavra: toda palavra conta como "
              "palavra de conteudo");
  }

  Graph G;
  Read::readDescriptionOfRelationsCSTFromBytes(&G, "Identity 0 n\n\nElaboration 1\n");
  EXPECT_EQ(cli::relationTypesWarning("d.txt", G.cstList),
            "d.txt: descricao de relacoes sem nenhum tipo valido (NOME PESO t|f por "
            "linha): nenhuma relacao CST vira aresta");
  Read::readDescriptionOfRelationsCSTFromBytes(&G, "Follow-up 0.5 f\n");
  EXPECT_EQ(cli::relationTypesWarning("d.txt", G.cstList), "");
}

TEST(DiagnosticsTest, DroppedSummaryLinesGetTheReasonTheyMatchNoSentence) {
  Graph G;
  Read::readSentencesFromBytes(&G,
                               "Chove forte. A ponte caiu.\n"
                               "\xEF\xBB\xBF"
                               "Com marca.\n"
                               "  Com brancos.\n"
                               "Sem ponto\n",
                               1);
  Read::readSentencesFromBytes(&G, "A cora\xE7\xE3o parou.\n", 2);  // Latin-1
  const std::vector<std::string> texts = {"t1.txt", "t2.txt"};
  struct Case {
    const char* name;
    std::string line;
    std::string hint;  // after "s.txt:1: dica: casaria com a sentenca "
  } cases[] = {
      {"trailing blank", "A ponte caiu. ", "1.2 (t1.txt), que difere em: brancos no fim"},
      {"blanks at both ends, tab and CR", "\t Chove forte.\r",
       "1.1 (t1.txt), que difere em: brancos no inicio; brancos no fim"},
      {"no leading blanks where the sentence has them", "Com brancos.",
       "1.4 (t1.txt), que difere em: brancos no inicio"},
      {"missing full stop", "A ponte caiu",
       "1.2 (t1.txt), que difere em: ponto final (a sentenca tem, a linha nao)"},
      {"extra full stop", "Sem ponto.",
       "1.5 (t1.txt), que difere em: ponto final (a linha tem, a sentenca nao)"},
      {"byte-order mark on the line",
       "\xEF\xBB\xBF"
       "Chove forte.",
       "1.1 (t1.txt), que difere em: marca de ordem de bytes (BOM) no inicio da linha"},
      {"byte-order mark on the sentence", "Com marca.",
       "1.3 (t1.txt), que difere em: marca de ordem de bytes (BOM) no inicio da "
       "sentenca"},
      {"UTF-8 line, Latin-1 text", "A cora\xC3\xA7\xC3\xA3o parou.",
       "2.1 (t2.txt), que difere em: codificacao (a linha em UTF-8, o texto em Latin-1)"},
      {"other words", "A ponte ruiu.", ""},
      {"empty line", "", ""},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> messages =
        cli::unmatchedLineMessages("s.txt", {{1, c.line}}, G, texts);
    ASSERT_FALSE(messages.empty()) << c.name;
    EXPECT_EQ(
        messages[0],
        "s.txt:1: linha do sumario sem sentenca correspondente, descartada: " + c.line)
        << c.name;
    const std::string hint =
        messages.size() < 2 ? "" : messages[1].substr(messages[1].find("sentenca ") + 9);
    EXPECT_EQ(hint, c.hint) << c.name;
  }

  // A Latin-1 summary against UTF-8 texts, and a sentence of a text that
  // the list of paths does not name.
  Graph U;
  Read::readSentencesFromBytes(&U, "A cora\xC3\xA7\xC3\xA3o parou.\n", 3);
  EXPECT_EQ(joined(cli::unmatchedLineMessages("s.txt", {{4, "A cora\xE7\xE3o parou"}}, U,
                                              texts)),
            "s.txt:4: linha do sumario sem sentenca correspondente, descartada: A "
            "cora\xE7\xE3o parou\n"
            "s.txt:4: dica: casaria com a sentenca 3.1, que difere em: codificacao (a "
            "linha em Latin-1, o texto em UTF-8); ponto final (a sentenca tem, a linha "
            "nao)\n");
}

TEST(DiagnosticsTest, SkippedRelationsAreSaidPerKind) {
  std::vector<CST> cstList;
  Read::readDescriptionOfRelationsCSTFromBytes("Elaboration 1 t\nFollow-up 1 t\n",
                                               &cstList);
  SkippedRelations skipped;
  skipped.file = "r.cst";
  EXPECT_EQ(cli::relationFileMessages(skipped, cstList), std::vector<std::string>{});

  skipped.declaration = "<?xml version=";
  skipped.declarationLine = 1;
  skipped.count = 2;
  skipped.sourceText = 0;
  skipped.targetText = 3;
  skipped.targetPos = 1;
  skipped.unknownTypes = {{"elaboration", 3}, {"", 1}, {"FOLLOW-UP", 1}};
  EXPECT_EQ(joined(cli::relationFileMessages(skipped, cstList)),
            "r.cst:1: sinal de igual antes do primeiro registro, em <?xml version=: "
            "todos os registros ficam deslocados (tire a declaracao do arquivo)\n"
            "r.cst: 2 relacoes ignoradas por nomear sentenca inexistente (a primeira: de "
            "0.0 para 3.1)\n"
            "r.cst: 5 relacoes ignoradas por tipo ausente da descricao de relacoes: "
            "\"elaboration\" (3, a descricao tem \"Elaboration\"), \"\" (1), "
            "\"FOLLOW-UP\" (1, a descricao tem \"Follow-up\")\n");

  // Only the first ten names are listed; the count holds them all.
  skipped = SkippedRelations();
  skipped.file = "r.cst";
  for (int i = 0; i < 12; ++i)
    skipped.unknownTypes.emplace_back("T" + std::to_string(i), 1);
  const std::string message = cli::relationFileMessages(skipped, cstList).at(0);
  EXPECT_EQ(message.substr(0, 20), "r.cst: 12 relacoes i");
  EXPECT_EQ(message.substr(message.find("\"T9\"")), "\"T9\" (1), ...");
}
