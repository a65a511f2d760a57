#include "io/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace sentralign::io {

namespace {

void fail(std::string* err, const std::string& message) {
  if (err != nullptr) *err = message;
}

// Says why `path` cannot be read, in *err and *error when they are given.
void failOn(const std::string& path, int error, std::string* err, int* errorOut) {
  fail(err, describeError(path, error));
  if (errorOut != nullptr) *errorOut = error;
}

}  // namespace

void appendWithoutCarriageReturns(const std::string& raw, std::string* text) {
  text->reserve(text->size() + raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    text->push_back(raw[i]);
  }
}

std::string describeError(const std::string& path, int error) {
  return path + ": " + std::strerror(error);
}

bool readFile(const std::string& path, std::string* bytes, std::string* err,
              int* errorOut) {
  bytes->clear();
  if (path.empty()) return true;
  // O_NONBLOCK keeps the open of a FIFO without a writer from waiting; the
  // reads block again, as usual.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    failOn(path, errno, err, errorOut);
    return false;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  // Closed on every way out, running out of memory included.
  const std::unique_ptr<int, void (*)(int*)> closer(new int(fd), [](int* f) {
    ::close(*f);
    delete f;
  });

  std::string raw;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      failOn(path, errno, err, errorOut);
      return false;
    }
    raw.append(buffer, static_cast<size_t>(n));
  }

  appendWithoutCarriageReturns(raw, bytes);
  return true;
}

void splitLines(const std::string& bytes, std::vector<std::string>* lines) {
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    lines->push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
}

bool hasExtension(const std::string& name, const std::string& extension) {
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return name == extension;
  return name.compare(dot + 1, std::string::npos, extension) == 0;
}

std::string baseName(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  const size_t slash = p.rfind('/');
  if (slash == std::string::npos || p.size() == 1) return p;
  return p.substr(slash + 1);
}

std::string joinPath(const std::string& dir, const std::string& name) {
  if (dir.empty() || dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

bool isDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool listDirectory(const std::string& dir, std::vector<std::string>* names,
                   std::string* err) {
  DIR* listing = ::opendir(dir.c_str());
  if (listing == nullptr) {
    fail(err, describeError(dir, errno));
    return false;
  }
  while (const dirent* entry = ::readdir(listing)) names->push_back(entry->d_name);
  ::closedir(listing);
  return true;
}

}  // namespace sentralign::io
