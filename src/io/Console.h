// What every tool writes to the console besides its own output: one line
// per message on stderr, prefixed with the tool's name, and a last check
// that stdout was written whole.

#ifndef SENTRALIGN_IO_CONSOLE_H_
#define SENTRALIGN_IO_CONSOLE_H_

#include <string>

namespace sentralign::io {

// Writes "PROGRAM: message" and a line end to stderr, after what stdout
// holds so far, so that the two stay in order on a terminal.
void writeError(const char* program, const std::string& message);

// Flushes stdout and returns `status`, or 1 after "PROGRAM: saida padrao:
// reason" on stderr when stdout could not be written whole.
int finishStandardOutput(const char* program, int status);

}  // namespace sentralign::io

#endif  // SENTRALIGN_IO_CONSOLE_H_
