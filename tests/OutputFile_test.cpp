// The safe output writer: a result replaces what stood at its path only
// when it is written whole.

#include "io/OutputFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "io/Files.h"
#include "test_util.h"

namespace io = sentralign::io;

namespace {

// The entries of `dir` besides "." and "..".
std::vector<std::string> entries(const std::string& dir) {
  std::vector<std::string> names;
  std::string err;
  io::listDirectory(dir, &names, &err);
  std::vector<std::string> kept;
  for (const std::string& n : names) {
    if (n != "." && n != "..") kept.push_back(n);
  }
  return kept;
}

mode_t modeOf(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// Lowers the file size limit to `bytes` for the life of the object, with
// SIGXFSZ ignored so that a write beyond it fails with EFBIG.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit lower = old_;
    lower.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lower);
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  sighandler_t oldHandler_ = SIG_DFL;
};

TEST(OutputFileTest, ReplacesAFileOnlyWhenWrittenWhole) {
  ScopedTempDir dir;
  const std::string path = dir.write("out.txt", "old\n");
  ::chmod(path.c_str(), 0640);
  std::string err;
  {
    io::OutputFile out;
    ASSERT_TRUE(out.open(path, &err)) << err;
    out.write("new ");
    EXPECT_EQ(readWholeFile(path), "old\n");  // nothing shows before commit
    out.write("text\n");
    ASSERT_TRUE(out.commit(&err)) << err;
  }
  EXPECT_EQ(readWholeFile(path), "new text\n");
  EXPECT_EQ(modeOf(path), 0640u);
  EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"out.txt"});
}

TEST(OutputFileTest, AnAbandonedFileLeavesTheOldOne) {
  ScopedTempDir dir;
  const std::string path = dir.write("out.txt", "old\n");
  std::string err;
  {
    io::OutputFile out;
    ASSERT_TRUE(out.open(path, &err)) << err;
    out.write("half");
  }
  EXPECT_EQ(readWholeFile(path), "old\n");
  EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"out.txt"});
}

TEST(OutputFileTest, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  ScopedTempDir dir;
  const std::string path = dir.write("out.txt", "old\n");
  std::string err;
  {
    const FileSizeLimit limit(512);
    EXPECT_FALSE(io::writeFile(path, std::string(4096, 'x'), &err));
  }
  EXPECT_EQ(err, path + ": File too large");
  EXPECT_EQ(readWholeFile(path), "old\n");
  EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"out.txt"});
}

TEST(OutputFileTest, NewFilesAndLinks) {
  ScopedTempDir dir;
  std::string err;
  ASSERT_TRUE(io::writeFile(dir.file("new.txt"), "a\n", &err)) << err;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(modeOf(dir.file("new.txt")), 0666u & ~mask);

  // A link is followed: the file it leads to is replaced, the link stays.
  dir.write("target.txt", "old\n");
  ASSERT_EQ(::symlink("target.txt", dir.file("link.txt").c_str()), 0);
  ASSERT_TRUE(io::writeFile(dir.file("link.txt"), "b\n", &err)) << err;
  EXPECT_EQ(readWholeFile(dir.file("target.txt")), "b\n");
  struct stat st;
  ASSERT_EQ(::lstat(dir.file("link.txt").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(OutputFileTest, WhatCannotBeWrittenSaysWhy) {
  ScopedTempDir dir;
  const std::string fifo = dir.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path, err;
  } cases[] = {
      {dir.file("no/such.txt"), dir.file("no/such.txt") + ": No such file or directory"},
      {dir.path(), dir.path() + ": Is a directory"},
      {fifo, fifo + ": No such device or address"},  // no reader: no wait
      {"/dev/full", "/dev/full: No space left on device"},
      {"", ": No such file or directory"},
  };
  for (const Case& c : cases) {
    std::string err;
    EXPECT_FALSE(io::writeFile(c.path, "x\n", &err)) << c.path;
    EXPECT_EQ(err, c.err);
  }
  std::string err;
  EXPECT_TRUE(io::writeFile("/dev/null", "x\n", &err)) << err;
}

}  // namespace
