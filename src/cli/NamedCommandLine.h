// sentralign's named command line, for people rather than scripts:
//
//   sentralign --method topics --summary resumo.txt --texts D1.txt D2.txt
//              --relations D1_D2.cst --output -
//   sentralign --method 6 --corpus DIR --output-dir OUT [--segmented] [--jobs N]
//
// It orders one cluster, or every cluster of a corpus, through the library
// API: no banner and no protocol lines; the ordered summary (plain or JSON)
// goes to its output, everything else to stderr, one line each.

#ifndef SENTRALIGN_CLI_NAMEDCOMMANDLINE_H_
#define SENTRALIGN_CLI_NAMEDCOMMANDLINE_H_

namespace sentralign::cli {

// Exit statuses of the named command line.
constexpr int kNamedSuccess = 0;  // every summary ordered and written
constexpr int kNamedFailure = 1;  // a file or a cluster failed
constexpr int kNamedUsage = 2;    // a malformed command line

// Whether argv asks for the named command line: its first argument begins
// with "--" and is neither "--help" nor "--version".
bool wantsNamedOptions(int argc, char** argv);

// Runs the named command line on argv and returns its exit status.
int runNamedCommandLine(int argc, char** argv);

}  // namespace sentralign::cli

#endif  // SENTRALIGN_CLI_NAMEDCOMMANDLINE_H_
