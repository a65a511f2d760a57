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
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  const int error = errno;
  std::fprintf(stderr, "%s: saida padrao: %s\n", program, std::strerror(error));
  return 1;
}

}  // namespace sentralign::io
