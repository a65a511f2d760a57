// What the command line tells its user about the inputs of a run: an
// argument that is missing or reads oddly, a text whose name carries
// another number than its place, a start-up file without a usable entry, a
// summary line that was dropped (with the likely reason), relations that
// were skipped. Each function returns message lines without the program's
// prefix; the caller writes them to stderr and nothing here prints.

#ifndef SENTRALIGN_CLI_DIAGNOSTICS_H_
#define SENTRALIGN_CLI_DIAGNOSTICS_H_

#include <optional>
#include <string>
#include <vector>

#include "Read.h"

class CST;
class Graph;

namespace sentralign::cli {

// Step codes of the positional argument walk, one per argument, in the
// order the walk takes them; the code of a missing argument tells which it
// was.
constexpr int kStepProgram = 1;
constexpr int kStepMethod = 2;
constexpr int kStepSummary = 3;
constexpr int kStepTextCount = 4;
constexpr int kStepText = 5;
constexpr int kStepRelationCount = 6;
constexpr int kStepRelationFile = 7;
constexpr int kStepOutput = 8;

// "METODO SUMARIO SAIDA NTEXTOS TEXTO_1 ... TEXTO_n NCST CST_1 ... CST_m"
extern const char kPositionalUsage[];

// The arguments of the positional command line as the walk took them, the
// bytes as given; an absent optional was never taken.
struct PositionalArguments {
  std::optional<std::string> method;
  std::optional<std::string> textCount;      // NTEXTS
  int NumTexts = 0;                          // what the walk made of it
  std::vector<std::string> texts;            // TEXT_1 ... in order
  std::optional<std::string> relationCount;  // NCST
  int NumCSTFiles = 0;
  std::vector<std::string> relations;  // CST_1 ... in order
  std::vector<std::string> ignored;    // arguments after the last one taken
  int missingStep = 0;                 // step code of the first missing argument; 0: none
};

// "falta o argumento NTEXTOS", "falta o argumento TEXTO_3 (NTEXTOS e 5)":
// the first argument the walk missed. Empty when none was missed.
std::string describeMissingArgument(const PositionalArguments& args);

// A warning when METHOD is not a number from 1 to 6, so that nothing is
// ordered; empty otherwise or when METHOD was not taken.
std::string methodWarning(const PositionalArguments& args);

// Warnings about the counts and the rest of the command line: an NTEXTS or
// NCST that is not a whole number (it still counts as atoi reads it), and
// arguments left over after the last relation file.
std::vector<std::string> argumentWarnings(const PositionalArguments& args);

// After the text reader failed with `readError` ("PATH: reason"): when the
// unreadable path is TEXT_k and reads as a number, says that a count took
// it for a text. Empty otherwise.
std::string swallowedArgumentHint(const PositionalArguments& args,
                                  const std::string& readError);

// One warning per text whose file name carries a text number ("D3_..." is
// 3, read as Read::textNumberOfFileName reads it, the first byte a letter
// and one or two digits after it) other than its place in `texts`. Names
// without such a number are passed over.
std::vector<std::string> textNumberWarnings(const std::vector<std::string>& texts);

// The text number that the file name of `path` carries: a letter, then one
// or two digits ("D3_..." is 3, "D12_..." is 12, "D0_..." is 0); -1 for a
// name without one (a third digit included).
int textNumberInName(const std::string& path);

// A warning when the stop list read from `path` holds no usable word (no
// non-empty entry without blanks).
std::string stopListWarning(const std::string& path,
                            const std::vector<std::string>& stopList);

// A warning when the relation description read from `path` holds no valid
// type (a name and the direction t or f).
std::string relationTypesWarning(const std::string& path,
                                 const std::vector<CST>& cstList);

// For each summary line of `path` that matched no sentence of G: the line
// "PATH:LINE: linha do sumario sem sentenca correspondente, descartada:
// TEXT" and, when the line equals a sentence up to its encoding (Latin-1
// or UTF-8), a byte-order mark, blanks at its ends or a final full stop, a
// second line "PATH:LINE: dica: ..." naming the sentence (text.position,
// and its file from `texts` when known) and each difference.
std::vector<std::string> unmatchedLineMessages(
    const std::string& path, const std::vector<UnmatchedLine>& unmatched, const Graph& G,
    const std::vector<std::string>& texts);

// What the relation reader skipped in one file, one line per kind: a
// declaration that shifts every record, relations naming a missing
// sentence, relations of a type not in `cstList` (count and names, with
// the type of another case when the description has one).
std::vector<std::string> relationFileMessages(const SkippedRelations& skipped,
                                              const std::vector<CST>& cstList);

}  // namespace sentralign::cli

#endif  // SENTRALIGN_CLI_DIAGNOSTICS_H_
