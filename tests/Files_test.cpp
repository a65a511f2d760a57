// The file system helpers: whole-file reads, lines, names, listings.

#include "io/Files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "test_util.h"

namespace io = sentralign::io;

namespace {

TEST(FilesTest, ReadsWholeFilesDroppingTheCrOfCrLf) {
  ScopedTempDir dir;
  const std::string path = dir.write("t.txt", "a\r\nb\rc\r\n\r");
  std::string bytes;
  std::string err;
  ASSERT_TRUE(io::readFile(path, &bytes, &err)) << err;
  EXPECT_EQ(bytes, "a\nb\rc\n\r");
  EXPECT_TRUE(io::readFile("", &bytes, &err));
  EXPECT_EQ(bytes, "");
}

TEST(FilesTest, FifoWithoutWriterAndDevNullReadEmpty) {
  ScopedTempDir dir;
  const std::string fifo = dir.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/null")}) {
    std::string bytes = "old";
    std::string err;
    EXPECT_TRUE(io::readFile(path, &bytes, &err)) << path << ": " << err;
    EXPECT_EQ(bytes, "") << path;
  }
}

TEST(FilesTest, UnreadablePathsSayWhy) {
  ScopedTempDir dir;
  struct Case {
    std::string path;
    std::string err;
  } cases[] = {
      {dir.file("none"), dir.file("none") + ": No such file or directory"},
      {dir.path(), dir.path() + ": Is a directory"},
  };
  for (const Case& c : cases) {
    std::string bytes;
    std::string err;
    EXPECT_FALSE(io::readFile(c.path, &bytes, &err));
    EXPECT_EQ(err, c.err);
    std::vector<std::string> names;
    EXPECT_EQ(io::listDirectory(c.path, &names, &err), c.path == dir.path());
  }
}

TEST(FilesTest, SplitsLinesAtLineFeeds) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}}, {"a", {"a"}}, {"a\n", {"a"}}, {"a\n\nb", {"a", "", "b"}}, {"\n", {""}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = {"kept"};
    io::splitLines(c.bytes, &lines);
    std::vector<std::string> expected = {"kept"};
    expected.insert(expected.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(lines, expected) << c.bytes;
  }
}

TEST(FilesTest, NamesExtensionsAndJoins) {
  struct Case {
    std::string path, base;
  } bases[] = {
      {"a/b/c.txt", "c.txt"}, {"a/b/", "b"}, {"c", "c"}, {"/", "/"}, {"", ""},
  };
  for (const Case& c : bases) EXPECT_EQ(io::baseName(c.path), c.base) << c.path;

  EXPECT_TRUE(io::hasExtension("a.b.seg", "seg"));
  EXPECT_TRUE(io::hasExtension("seg", "seg"));
  EXPECT_FALSE(io::hasExtension("text.SEG", "seg"));
  EXPECT_FALSE(io::hasExtension("a.seg.txt", "seg"));

  EXPECT_EQ(io::joinPath("a", "b"), "a/b");
  EXPECT_EQ(io::joinPath("a/", "b"), "a/b");
  EXPECT_EQ(io::joinPath("", "b"), "b");
}

TEST(FilesTest, ListsEveryEntry) {
  ScopedTempDir dir;
  dir.write(".hidden", "");
  dir.write("b", "");
  ::mkdir(dir.file("a").c_str(), 0755);
  std::vector<std::string> names;
  std::string err;
  ASSERT_TRUE(io::listDirectory(dir.path(), &names, &err)) << err;
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", ".hidden", "a", "b"}));
  EXPECT_TRUE(io::isDirectory(dir.file("a")));
  EXPECT_FALSE(io::isDirectory(dir.file("b")));
}

}  // namespace
