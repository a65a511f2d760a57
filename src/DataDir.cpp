#include "DataDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// "link simbolico quebrado (-> TARGET)" or "link simbolico em laco" for
// the link `path`, which stat could not follow for the reason `error`.
std::string describeBrokenLink(const std::string& path, int error) {
  if (error == ELOOP) return "link simbolico em laco";
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer - 1);
  if (n < 0) return "link simbolico quebrado";
  return "link simbolico quebrado (-> " + std::string(buffer, static_cast<size_t>(n)) +
         ")";
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

std::string startupFilePath(const std::string& name, std::string* finding) {
  if (finding != nullptr) finding->clear();
  struct stat st;
  if (::stat(name.c_str(), &st) == 0) return name;
  const int error = errno;  // why `name` could not be followed
  const std::string shipped = installationDirectory() + name;
  if (finding != nullptr && ::lstat(name.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    *finding = name + ": " + describeBrokenLink(name, error) +
               " no diretorio de trabalho; lido " + shipped;
  }
  return shipped;
}

StartupFilePaths findStartupFiles() {
  StartupFilePaths paths;
  std::string finding;
  paths.stopList = startupFilePath("stoplist_portugues.txt", &finding);
  if (!finding.empty()) paths.findings.push_back(finding);
  paths.description = startupFilePath("FILE_DESCRIPTION_RELATIONS_CST.txt", &finding);
  if (!finding.empty()) paths.findings.push_back(finding);
  return paths;
}
