#include "io/Console.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sentralign::io {

void writeError(const char* program, const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s: ", program);
  std::fwrite(message.data(), 1, message.size(), stderr);
  std::fputc('\n', stderr);
}

int finishStandardOutput(const char* program, int status) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  // A write that failed earlier leaves only the error flag: its reason is
  // gone, and errno says nothing of it.
  const int error = !flushed && errno != 0 ? errno : EIO;
  if (flushed && !std::ferror(stdout)) return status;
  std::fprintf(stderr, "%s: saida padrao: %s\n", program, std::strerror(error));
  return 1;
}

}  // namespace sentralign::io
