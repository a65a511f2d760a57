// End-to-end runs of the sentralign executable in a scratch working
// directory: console text, exit status and output file, byte for byte.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "test_util.h"

namespace {

const char kUsageLine[] =
    "sentralign: uso: sentralign METODO SUMARIO SAIDA NTEXTOS TEXTO_1 ... "
    "TEXTO_n NCST CST_1 ... CST_m (veja sentralign --help)\n";

const char kPositional[] =
    "os argumentos sao posicionais (METODO SUMARIO SAIDA NTEXTOS TEXTO_1 ... TEXTO_n "
    "NCST CST_1 ... CST_m)";

std::string echo(const std::string& method, const std::string& summary,
                 const std::string& output, int texts) {
  return "Method: " + method + "\nDiretorio do Sumario: " + summary +
         "\nDiretorio do Sumario Ordenado: " + output +
         "\nNumero de TextFiles: " + std::to_string(texts) + "\n";
}

const char kDone[] = "\nORDENACAO CONCLUIDA\n\n";

class CliTest : public testing::Test {
 protected:
  void SetUp() override {
    dir.write("stoplist_portugues.txt", "a\no\nde\n");
    dir.write("FILE_DESCRIPTION_RELATIONS_CST.txt", "Elaboration 1.5 t\n");
    // Text 1 in CR LF, text 2 in LF.
    dir.write("t1.txt",
              "Chove forte na cidade. Rios transbordam.\r\n"
              "A defesa civil pede cuidado aos moradores.\r\n"
              "Escolas fecham.\r\n");
    dir.write("t2.txt",
              "Rios transbordam em tres bairros da cidade.\n"
              "A chuva deve parar amanha.\n");
    dir.write("s.txt",
              "A chuva deve parar amanha.\r\n"
              "Escolas fecham.\r\n"
              "Chove forte na cidade.\r\n"
              "Rios transbordam em tres bairros da cidade.\r\n");
  }

  RunResult run(const std::vector<std::string>& args) {
    return runProgram(SENTRALIGN_BIN, args, dir.path());
  }

  ScopedTempDir dir;
};

}  // namespace

// The parameter error is a failure: status 2, and stderr names the first
// argument that was missing before the usage reminder.
TEST_F(CliTest, MissingArgumentsStopTheWalk) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string out;
    std::string missing;
  } cases[] = {
      {"no arguments", {}, "", "METODO"},
      {"only the method", {"1"}, "Method: 1\n", "SUMARIO"},
      {"no output", {"2", "s.txt"}, "Method: 2\nDiretorio do Sumario: s.txt\n", "SAIDA"},
      {"no text count",
       {"2", "s.txt", "o.txt"},
       "Method: 2\nDiretorio do Sumario: s.txt\nDiretorio do Sumario Ordenado: o.txt\n",
       "NTEXTOS"},
      {"no relation count",
       {"1", "s.txt", "o.txt", "1", "t1.txt"},
       echo("1", "s.txt", "o.txt", 1),
       "NCST"},
      {"fewer texts than counted",
       {"1", "s.txt", "o.txt", "5", "t1.txt", "t2.txt"},
       echo("1", "s.txt", "o.txt", 5),
       "TEXTO_3 (NTEXTOS e 5)"},
      {"fewer relation files than counted",
       {"1", "s.txt", "o.txt", "1", "t1.txt", "2", "r.cst"},
       echo("1", "s.txt", "o.txt", 1) + "Numero de CSTFiles: 2\n",
       "CST_2 (NCST e 2)"},
  };
  dir.write("r.cst", "");
  for (const Case& c : cases) {
    const RunResult r = run(c.args);
    EXPECT_EQ(r.out, kBanner + c.out + "ERRO NA LEITURA DOS PARAMETROS\n") << c.name;
    EXPECT_EQ(r.err, "sentralign: falta o argumento " + c.missing + "\n" + kUsageLine)
        << c.name;
    EXPECT_EQ(r.status, 2) << c.name;
    EXPECT_FALSE(fileExists(dir.file("o.txt"))) << c.name;
  }
}

// Each mistake a user makes on the positional command line or in the
// inputs is said on stderr, one line each; stdout keeps its protocol and
// the status stays what the run gives.
TEST_F(CliTest, MistakesAreWarnedOnStderr) {
  const std::string t1 = readWholeFile(dir.file("t1.txt"));
  const std::string t2 = readWholeFile(dir.file("t2.txt"));
  dir.write("D1_a.txt", t1);
  dir.write("D2_b.txt", t2);
  dir.write("one.txt", "Escolas fecham.\n");
  // The summary in Latin-1, the texts in UTF-8.
  dir.write("ponte.txt", "A ponte ca\xC3\xADu.\n");
  dir.write("latin1.txt", "A ponte ca\xEDu.\n");
  const std::string relation =
      "<R SDID=\"D1_a.txt\" SSENT=\"1\" TDID=\"D2_b.txt\" TSENT=\"1\">\n"
      "<RELATION TYPE=\"elaboration\" JUDGE=\"ana\"/>\n</R>\n";
  dir.write("lower.cst", relation);
  dir.write("xml.cst", "<?xml version=\"1.0\"?>\n" + relation);
  const std::string dropped =
      "linha do sumario sem sentenca correspondente, descartada: ";
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string err;
    int status;
  } cases[] = {
      {"method out of range",
       {"7", "one.txt", "o.txt", "1", "t1.txt", "0"},
       "sentralign: METODO '7' nao e um numero de 1 a 6: a saida sera vazia\n",
       0},
      {"NTEXTS forgotten",
       {"1", "one.txt", "o.txt", "t1.txt", "t2.txt", "0"},
       "sentralign: NTEXTOS 't1.txt' nao e um numero e vale 0: " +
           std::string(kPositional) +
           "\n"
           "sentralign: NCST 't2.txt' nao e um numero e vale 0: " +
           kPositional +
           "\n"
           "sentralign: argumentos a mais, ignorados: '0' (NTEXTOS e 0, NCST e 0)\n"
           "sentralign: one.txt:1: " +
           dropped + "Escolas fecham.\n",
       0},
      {"count takes the relation count for a text",
       {"1", "one.txt", "o.txt", "3", "t1.txt", "t2.txt", "1", "lower.cst"},
       "sentralign: 1: No such file or directory\n"
       "sentralign: '1' foi tomado como TEXTO_3 porque NTEXTOS e 3: " +
           std::string(kPositional) + "\n",
       1},
      {"texts against their names' numbers",
       {"1", "one.txt", "o.txt", "2", "D2_b.txt", "D1_a.txt", "0"},
       "sentralign: D2_b.txt: o nome indica o texto 2, mas como TEXTO_1 ele e o texto 1 "
       "para os arquivos de relacoes\n"
       "sentralign: D1_a.txt: o nome indica o texto 1, mas como TEXTO_2 ele e o texto 2 "
       "para os arquivos de relacoes\n",
       0},
      {"summary in another encoding",
       {"1", "latin1.txt", "o.txt", "1", "ponte.txt", "0"},
       "sentralign: latin1.txt:1: " + dropped +
           "A ponte ca\xEDu.\n"
           "sentralign: latin1.txt:1: dica: casaria com a sentenca 1.1 (ponte.txt), que "
           "difere em: codificacao (a linha em Latin-1, o texto em UTF-8)\n",
       0},
      {"relation type in the wrong case",
       {"5", "one.txt", "o.txt", "2", "D1_a.txt", "D2_b.txt", "1", "lower.cst"},
       "sentralign: lower.cst: 1 relacoes ignoradas por tipo ausente da descricao de "
       "relacoes: \"elaboration\" (1, a descricao tem \"Elaboration\")\n",
       0},
      {"XML declaration before the first record",
       {"5", "one.txt", "o.txt", "2", "D1_a.txt", "D2_b.txt", "1", "xml.cst"},
       "sentralign: xml.cst:1: sinal de igual antes do primeiro registro, em <?xml "
       "version=: todos os registros ficam deslocados (tire a declaracao do arquivo)\n"
       "sentralign: xml.cst: 1 relacoes ignoradas por nomear sentenca inexistente (a "
       "primeira: de 0.0 para 0.0)\n",
       0},
      {"output forgotten: the text count is taken for it",
       {"1", "none.txt", "2", "t1.txt", "0"},
       "sentralign: none.txt: No such file or directory\n"
       "sentralign: NTEXTOS 't1.txt' nao e um numero e vale 0: " +
           std::string(kPositional) + "\n",
       1},
      {"relation files left over",
       {"1", "one.txt", "o.txt", "1", "t1.txt", "0", "lower.cst"},
       "sentralign: argumentos a mais, ignorados: 'lower.cst' (NTEXTOS e 1, NCST e 0)\n",
       0},
  };
  for (const Case& c : cases) {
    const RunResult r = run(c.args);
    EXPECT_EQ(r.err, c.err) << c.name;
    EXPECT_EQ(r.status, c.status) << c.name;
    if (c.status == 0) {
      EXPECT_NE(r.out.find("ORDENACAO CONCLUIDA"), std::string::npos) << c.name;
    }
  }
}

// Start-up files that hold nothing usable, or that the working directory
// holds as links leading nowhere, are named with what was found.
TEST_F(CliTest, StartupFileMistakesAreWarned) {
  const std::string shipped = std::string(SENTRALIGN_SOURCE_DIR) + "/data/";
  struct Case {
    const char* name;
    std::string stopList;  // bytes, or "->TARGET" for a link
    std::string description;
    std::string err;
  } cases[] = {
      {"empty stop list", "", "Elaboration 1.5 t\n",
       "sentralign: stoplist_portugues.txt: lista de stop words sem nenhuma palavra: "
       "toda "
       "palavra conta como palavra de conteudo\n"},
      {"description without a valid type", "de\n", "Identity 0 n\n\n",
       "sentralign: FILE_DESCRIPTION_RELATIONS_CST.txt: descricao de relacoes sem nenhum "
       "tipo valido (NOME PESO t|f por linha): nenhuma relacao CST vira aresta\n"},
      {"dangling link", "->nowhere.txt", "Elaboration 1.5 t\n",
       "sentralign: stoplist_portugues.txt: link simbolico quebrado (-> nowhere.txt) no "
       "diretorio de trabalho; lido " +
           shipped + "stoplist_portugues.txt\n"},
      {"looping link", "->stoplist_portugues.txt", "Elaboration 1.5 t\n",
       "sentralign: stoplist_portugues.txt: link simbolico em laco no diretorio de "
       "trabalho; lido " +
           shipped + "stoplist_portugues.txt\n"},
  };
  for (const Case& c : cases) {
    const std::string stopList = dir.file("stoplist_portugues.txt");
    ::unlink(stopList.c_str());
    if (c.stopList.rfind("->", 0) == 0) {
      ASSERT_EQ(::symlink(c.stopList.substr(2).c_str(), stopList.c_str()), 0);
    } else {
      dir.write("stoplist_portugues.txt", c.stopList);
    }
    dir.write("FILE_DESCRIPTION_RELATIONS_CST.txt", c.description);
    const RunResult r = run({"1", "s.txt", "o.txt", "2", "t1.txt", "t2.txt", "0"});
    EXPECT_EQ(r.err, c.err) << c.name;
    EXPECT_EQ(r.status, 0) << c.name;
  }
}

// The shipped example cluster is a run with sound inputs: every method
// orders it without a word on stderr.
TEST_F(CliTest, SoundExampleRunsSilently) {
  ::unlink(dir.file("stoplist_portugues.txt").c_str());
  ::unlink(dir.file("FILE_DESCRIPTION_RELATIONS_CST.txt").c_str());
  const std::string example = exampleCluster();
  for (const char* method : {"1", "2", "3", "4", "5", "6"}) {
    const RunResult r =
        run({method, example + "resumo.txt", "o.txt", "3",
             example + "D1_C1_JornalDaManha.txt", example + "D2_C1_GazetaDoVale.txt",
             example + "D3_C1_DiarioSerrano.txt", "3", example + "D1_D2.cst",
             example + "D1_D3.cst", example + "D2_D3.cst"});
    EXPECT_EQ(r.err, "") << method;
    EXPECT_EQ(r.status, 0) << method;
  }
}

TEST_F(CliTest, OrdersBySentencePlaceAndLength) {
  struct Case {
    const char* method;
    std::string ordered;
  } cases[] = {
      {"1",
       "Chove forte na cidade.\n"                       // 1.1, 4 words
       "Rios transbordam em tres bairros da cidade.\n"  // 2.1, 7 words
       "A chuva deve parar amanha.\n"                   // 2.2
       "Escolas fecham.\n"},                            // 1.4
      {"2",
       "Escolas fecham.\n"
       "Chove forte na cidade.\n"
       "A chuva deve parar amanha.\n"
       "Rios transbordam em tres bairros da cidade.\n"},
      {"3",
       "Rios transbordam em tres bairros da cidade.\n"
       "A chuva deve parar amanha.\n"
       "Chove forte na cidade.\n"
       "Escolas fecham.\n"},
  };
  for (const Case& c : cases) {
    const RunResult r = run({c.method, "s.txt", "o.txt", "2", "t1.txt", "t2.txt", "0"});
    EXPECT_EQ(r.out, kBanner + echo(c.method, "s.txt", "o.txt", 2) +
                         "Numero de CSTFiles: 0\n" + kDone)
        << c.method;
    EXPECT_EQ(r.err, "") << c.method;
    EXPECT_EQ(r.status, 0) << c.method;
    EXPECT_EQ(readWholeFile(dir.file("o.txt")), c.ordered) << c.method;
  }
}

TEST_F(CliTest, OrdersTopologicallyAndRemovesCycles) {
  // 1.2 > 1.3 > 2.1 > 2.2 > 1.2 is a cycle; 1.3 > 2.1 weighs least.
  dir.write("FILE_DESCRIPTION_RELATIONS_CST.txt",
            "Elaboration 1.5 t\nFollow-up 0.5 t\nIdentity 0 n\n");
  dir.write("r.cst",
            "<R SDID=\"D1_C1_A.txt\" SSENT=\"3\" TDID=\"D2_C1_B.txt\" TSENT=\"1\">\r\n"
            "<RELATION TYPE=\"Follow-up\" JUDGE=\"ana\"/>\r\n</R>\r\n"
            "<R SDID=\"D2_C1_B.txt\" SSENT=\"2\" TDID=\"D1_C1_A.txt\" TSENT=\"2\">\r\n"
            "<RELATION TYPE=\"Elaboration\" JUDGE=\"ana\"/>\r\n</R>\r\n"
            "<R SDID=\"D2_C1_B.txt\" SSENT=\"1\" TDID=\"D1_C1_A.txt\" TSENT=\"1\">\r\n"
            "<RELATION TYPE=\"Identity\" JUDGE=\"ana\"/>\r\n</R>\r\n");
  struct Case {
    const char* method;
    std::string removed;
    std::string ordered;
  } cases[] = {
      // The search from 1.1 reaches 2.1 through 1.3 before 1.4.
      {"5", "",
       "Chove forte na cidade.\n"                       // 1.1
       "Escolas fecham.\n"                              // 1.4
       "Rios transbordam em tres bairros da cidade.\n"  // 2.1
       "A chuva deve parar amanha.\n"},                 // 2.2
      // Without 1.3 > 2.1 text 1 is searched alone and finishes first.
      {"6", "V(1,3):A defesa civil pede cuidado aos moradores.\n",
       "Rios transbordam em tres bairros da cidade.\n"
       "A chuva deve parar amanha.\n"
       "Chove forte na cidade.\n"
       "Escolas fecham.\n"},
  };
  for (const Case& c : cases) {
    const RunResult r =
        run({c.method, "s.txt", "o.txt", "2", "t1.txt", "t2.txt", "1", "r.cst"});
    EXPECT_EQ(r.out, kBanner + echo(c.method, "s.txt", "o.txt", 2) +
                         "Numero de CSTFiles: 1\n" + c.removed + kDone)
        << c.method;
    EXPECT_EQ(r.err, "") << c.method;
    EXPECT_EQ(r.status, 0) << c.method;
    EXPECT_EQ(readWholeFile(dir.file("o.txt")), c.ordered) << c.method;
  }
}

TEST_F(CliTest, WalkCasesWriteEmptyOutputs) {
  dir.write("empty.txt", "");
  dir.write("1", "");  // the argument 1 below names this file
  dir.write("o.txt", "old content\n");
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {"no texts and no relations",
       {"1", "empty.txt", "o.txt", "0", "0"},
       echo("1", "empty.txt", "o.txt", 0) + "Numero de CSTFiles: 0\n"},
      {"unknown method",
       {"7", "s.txt", "o.txt", "1", "t1.txt", "0"},
       echo("7", "s.txt", "o.txt", 1) + "Numero de CSTFiles: 0\n"},
      {"method not a number",
       {"x", "s.txt", "o.txt", "1", "t1.txt", "0"},
       echo("0", "s.txt", "o.txt", 1) + "Numero de CSTFiles: 0\n"},
      {"negative counts take nothing",
       {"1", "empty.txt", "o.txt", "-4", "-1", "extra"},
       echo("1", "empty.txt", "o.txt", -4) + "Numero de CSTFiles: -1\n"},
  };
  for (const Case& c : cases) {
    const RunResult r = run(c.args);
    EXPECT_EQ(r.out, kBanner + c.out + kDone) << c.name;
    EXPECT_EQ(r.status, 0) << c.name;
    EXPECT_EQ(readWholeFile(dir.file("o.txt")), "") << c.name;
  }

  // The count of 3 takes "1" as the third text and c1.txt as the relation
  // count, which reads as 0.
  const RunResult r =
      run({"1", "s.txt", "o.txt", "3", "t1.txt", "t2.txt", "1", "c1.txt"});
  EXPECT_EQ(r.out,
            kBanner + echo("1", "s.txt", "o.txt", 3) + "Numero de CSTFiles: 0\n" + kDone);
  EXPECT_EQ(r.status, 0);
}

TEST_F(CliTest, UnreadableInputFailsWithoutTouchingTheOutput) {
  ::mkdir(dir.file("adir").c_str(), 0755);
  dir.write("o.txt", "kept\n");
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {"missing text",
       {"1", "s.txt", "o.txt", "1", "none.txt", "0"},
       "sentralign: none.txt: No such file or directory\n"},
      {"missing summary",
       {"1", "none.txt", "o.txt", "1", "t1.txt", "0"},
       "sentralign: none.txt: No such file or directory\n"},
      {"directory as text",
       {"1", "s.txt", "o.txt", "1", "adir", "0"},
       "sentralign: adir: Is a directory\n"},
  };
  for (const Case& c : cases) {
    const RunResult r = run(c.args);
    EXPECT_EQ(r.err, c.err) << c.name;
    EXPECT_EQ(r.status, 1) << c.name;
    EXPECT_EQ(readWholeFile(dir.file("o.txt")), "kept\n") << c.name;
  }
}

TEST_F(CliTest, UnwritableOutputFails) {
  struct Case {
    const char* name;
    std::string output;
    std::string err;
  } cases[] = {
      {"no such directory", "nodir/o.txt",
       "sentralign: nodir/o.txt: No such file or directory\n"},
      {"device full", "/dev/full", "sentralign: /dev/full: No space left on device\n"},
  };
  for (const Case& c : cases) {
    const RunResult r = run({"1", "s.txt", c.output, "2", "t1.txt", "t2.txt", "0"});
    EXPECT_EQ(r.err, c.err) << c.name;
    EXPECT_EQ(r.status, 1) << c.name;
    EXPECT_EQ(r.out.find("ORDENACAO CONCLUIDA"), std::string::npos) << c.name;
  }
}

TEST_F(CliTest, UnmatchedSummaryLinesAreWarnedAndDropped) {
  dir.write("s2.txt", "Escolas fecham.\nEscolas fecham. \n\nNada disso.");
  const RunResult r = run({"1", "s2.txt", "o.txt", "1", "t1.txt", "0"});
  EXPECT_EQ(r.err,
            "sentralign: s2.txt:2: linha do sumario sem sentenca correspondente, "
            "descartada: Escolas fecham. \n"
            "sentralign: s2.txt:2: dica: casaria com a sentenca 1.4 (t1.txt), que "
            "difere em: brancos no fim\n"
            "sentralign: s2.txt:3: linha do sumario sem sentenca correspondente, "
            "descartada: \n"
            "sentralign: s2.txt:4: linha do sumario sem sentenca correspondente, "
            "descartada: Nada disso.\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(readWholeFile(dir.file("o.txt")), "Escolas fecham.\n");
}

TEST_F(CliTest, UnreadableStartupFileFailsBeforeTheBanner) {
  ::unlink(dir.file("stoplist_portugues.txt").c_str());
  ::mkdir(dir.file("stoplist_portugues.txt").c_str(), 0755);
  const RunResult r = run({"1", "s.txt", "o.txt", "1", "t1.txt", "0"});
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "sentralign: stoplist_portugues.txt: Is a directory\n");
  EXPECT_EQ(r.status, 1);
}

TEST_F(CliTest, StartupFilesFallBackToTheDataDirectory) {
  ::unlink(dir.file("stoplist_portugues.txt").c_str());
  ::unlink(dir.file("FILE_DESCRIPTION_RELATIONS_CST.txt").c_str());
  const RunResult r = run({"1", "s.txt", "o.txt", "2", "t1.txt", "t2.txt", "0"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
}

TEST_F(CliTest, HelpAndVersionAreTheOnlyArgument) {
  const RunResult help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Uso: sentralign --method METODO --summary SUMARIO", 0), 0u);
  EXPECT_NE(help.out.find("\n     sentralign METODO SUMARIO SAIDA NTEXTOS"),
            std::string::npos);
  const RunResult version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("sentralign ", 0), 0u);
  // With more arguments "--help" is a method number like any other word.
  const RunResult walk = run({"--help", "s.txt"});
  EXPECT_EQ(walk.out, kBanner + std::string("Method: 0\nDiretorio do Sumario: s.txt\n"
                                            "ERRO NA LEITURA DOS PARAMETROS\n"));
  EXPECT_EQ(walk.status, 2);
}

TEST_F(CliTest, OrdersByTopics) {
  // 2.1 shares "rios transbordam" with 1.2 and joins its topic, which weighs
  // 1 like the topic of 1.1 but was made after it; 2.2 (weight 2) follows.
  const RunResult r = run({"4", "s.txt", "o.txt", "2", "t1.txt", "t2.txt", "0"});
  EXPECT_EQ(r.out,
            kBanner + echo("4", "s.txt", "o.txt", 2) + "Numero de CSTFiles: 0\n" + kDone);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(readWholeFile(dir.file("o.txt")),
            "Chove forte na cidade.\n"
            "Rios transbordam em tres bairros da cidade.\n"
            "A chuva deve parar amanha.\n"
            "Escolas fecham.\n");
}

TEST_F(CliTest, TopicsDependOnTheStopList) {
  dir.write("t3.txt", "Chove na serra. A casa da praia caiu.\n");
  dir.write("t4.txt", "A rua da escola fechou.\n");
  dir.write("s3.txt",
            "A rua da escola fechou.\nA casa da praia caiu.\nChove na serra.\n");
  struct Case {
    const char* name;
    std::string stopList;
    std::string ordered;
  } cases[] = {
      // "a" and "da" are shared words: 2.1 joins the topic of 1.2 and
      // follows it.
      {"no stop words", "",
       "Chove na serra.\nA casa da praia caiu.\nA rua da escola fechou.\n"},
      // Without them 2.1 opens a topic of weight 1, before 1.2's (2).
      {"a and da are stop words", "a\nda\n",
       "Chove na serra.\nA rua da escola fechou.\nA casa da praia caiu.\n"},
  };
  for (const Case& c : cases) {
    dir.write("stoplist_portugues.txt", c.stopList);
    const RunResult r = run({"4", "s3.txt", "o.txt", "2", "t3.txt", "t4.txt", "0"});
    EXPECT_EQ(r.out, kBanner + echo("4", "s3.txt", "o.txt", 2) +
                         "Numero de CSTFiles: 0\n" + kDone)
        << c.name;
    EXPECT_EQ(r.status, 0) << c.name;
    EXPECT_EQ(readWholeFile(dir.file("o.txt")), c.ordered) << c.name;
  }
}

// A million sentences do not fit in a 150 MB address space: the run runs
// out of memory while it reads the text.
TEST_F(CliTest, RunningOutOfMemoryEndsWithStatusOne) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#else
  std::string casas;
  for (int i = 0; i < 1000000; ++i) casas += "casa.\n";
  dir.write("casas.txt", casas);
  dir.write("s4.txt", "casa.\n");
  const RunResult r =
      runProgram("/bin/sh",
                 {"-c", "ulimit -v 150000 && exec \"$0\" \"$@\"", SENTRALIGN_BIN, "4",
                  "s4.txt", "o.txt", "1", "casas.txt", "0"},
                 dir.path());
  EXPECT_EQ(r.out,
            kBanner + echo("4", "s4.txt", "o.txt", 1) + "\nERROR! Memory Overflow\n\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(fileExists(dir.file("o.txt")));
#endif
}

// The output replaces what stood at its path only when it is written whole:
// ordering a summary in place works, and a run that fails or is killed
// while writing leaves the summary as it was.
TEST_F(CliTest, OutputReplacesItsFileOnlyWhenWrittenWhole) {
  // A summary of 20 kB, beyond the file size limit below, which leaves
  // room for what the run writes on stdout and stderr.
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "Frase numero " + std::to_string(i) + ".\n";
  dir.write("long.txt", text);
  dir.write("long_summary.txt", text);
  const std::string limit = "ulimit -f 4 && exec \"$0\" \"$@\"";
  std::vector<std::string> args = {"-c",
                                   "trap '' XFSZ; " + limit,
                                   SENTRALIGN_BIN,
                                   "2",
                                   "long_summary.txt",
                                   "long_summary.txt",
                                   "1",
                                   "long.txt",
                                   "0"};

  // SIGXFSZ ignored: the write fails and says so.
  RunResult r = runProgram("/bin/sh", args, dir.path());
  EXPECT_EQ(r.err, "sentralign: long_summary.txt: File too large\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(readWholeFile(dir.file("long_summary.txt")), text);

  // SIGXFSZ at its default: the run is killed mid-write.
  args[1] = limit;
  r = runProgram("/bin/sh", args, dir.path());
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(readWholeFile(dir.file("long_summary.txt")), text);

  r = run({"1", "s.txt", "s.txt", "2", "t1.txt", "t2.txt", "0"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readWholeFile(dir.file("s.txt")),
            "Chove forte na cidade.\n"
            "Rios transbordam em tres bairros da cidade.\n"
            "A chuva deve parar amanha.\n"
            "Escolas fecham.\n");
}
