#include "io/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <mutex>

#include "io/Files.h"

namespace sentralign::io {

namespace {

// Bytes of the target's name kept in a temporary's name, which must stay
// within the 255 bytes that a name may have.
constexpr std::size_t kNameBytesKept = 200;

// The mode bits that the process's umask leaves of 0666, as open() would
// give a new file.
mode_t newFileMode() {
  static mode_t mode = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

bool isSystemFile(const std::string& path) {
  return path.compare(0, 5, "/dev/") == 0 || path.compare(0, 6, "/proc/") == 0;
}

// The file a path names, a symbolic link followed; the path itself when it
// is no link or leads nowhere.
std::string resolveLink(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Opens `path` for writing, created or truncated; O_NONBLOCK keeps a FIFO
// without a reader from waiting, the writes block again as usual.
int openDirectly(const std::string& path) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return fd;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

// Makes the temporary beside `target` (described by `existing` when it is
// there), with the target's mode and owner. -1, with errno set, on failure.
int makeTemporary(const std::string& target, const struct stat* existing,
                  std::string* temporary) {
  std::string name = baseName(target).substr(0, kNameBytesKept);
  *temporary = joinPath(directoryOf(target), "." + name + ".sentralign-XXXXXX");
  const int fd = ::mkostemp(&(*temporary)[0], O_CLOEXEC);
  if (fd < 0) return fd;
  if (existing != nullptr) {
    // Keeping the owner needs privileges; without them the file is the
    // writer's, as a copy would be.
    if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) errno = 0;
    ::fchmod(fd, existing->st_mode & 07777);
  } else {
    ::fchmod(fd, newFileMode());
  }
  return fd;
}

}  // namespace

OutputFile::~OutputFile() { abandon(); }

void OutputFile::abandon() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

bool OutputFile::open(const std::string& path, std::string* err) {
  abandon();
  path_ = path;
  target_ = resolveLink(path);
  error_ = 0;

  struct stat st;
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  const bool direct = isSystemFile(path) || (exists && !S_ISREG(st.st_mode));
  int fd = -1;
  if (!direct && !path.empty()) {
    fd = makeTemporary(target_, exists ? &st : nullptr, &temporary_);
    // A directory that takes no new file, holding a file that may be
    // written: the file is written in place, as a plain write would.
    if (fd < 0 && (errno == EACCES || errno == EPERM) && exists &&
        ::access(target_.c_str(), W_OK) == 0) {
      temporary_.clear();
    } else if (fd < 0) {
      *err = describeError(path, errno);
      temporary_.clear();
      return false;
    }
  }
  if (fd < 0) fd = openDirectly(target_);
  if (fd < 0) {
    *err = describeError(path, errno);
    return false;
  }
  file_ = ::fdopen(fd, "w");
  if (file_ == nullptr) {
    *err = describeError(path, errno);
    ::close(fd);
    abandon();
    return false;
  }
  return true;
}

void OutputFile::write(const char* data, std::size_t size) {
  if (file_ == nullptr || error_ != 0 || size == 0) return;
  if (std::fwrite(data, 1, size, file_) != size) error_ = errno != 0 ? errno : EIO;
}

bool OutputFile::commit(std::string* err) {
  if (file_ == nullptr) {
    *err = describeError(path_, EBADF);
    return false;
  }
  if (error_ == 0 && std::fflush(file_) != 0) error_ = errno;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (error_ == 0 && !closed) error_ = errno;
  if (error_ == 0 && !temporary_.empty() &&
      ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    error_ = errno;
  }
  if (error_ != 0) {
    *err = describeError(path_, error_);
    abandon();
    return false;
  }
  temporary_.clear();
  return true;
}

bool writeFile(const std::string& path, const std::string& bytes, std::string* err) {
  OutputFile out;
  if (!out.open(path, err)) return false;
  out.write(bytes);
  return out.commit(err);
}

}  // namespace sentralign::io
