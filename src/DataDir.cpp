#include "DataDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#ifndef SENTRALIGN_BUILD_DATA_DIR
#define SENTRALIGN_BUILD_DATA_DIR "data/"
#endif

namespace {

bool exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

// The directory of the running executable, ending with '/', or "" when the
// system does not tell.
std::string executableDirectory() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "";
  const std::string path(buffer, static_cast<size_t>(n));
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

}  // namespace

std::string installationDirectory() {
  const std::string bin = executableDirectory();
  if (!bin.empty()) {
    const std::string installed = bin + "../share/sentralign/";
    if (exists(installed)) return installed;
  }
  return SENTRALIGN_BUILD_DATA_DIR;
}

std::string startupFilePath(const std::string& name) {
  if (exists(name)) return name;
  return installationDirectory() + name;
}
