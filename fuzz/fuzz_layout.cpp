// Fuzzes the corpus layout walk on directory trees built from the input in
// a scratch directory: files, directories and symbolic links (dangling,
// looping, or to a directory) with any names, in a cluster of either
// layout, under fuzzed name patterns. What it finds is sorted, exists and
// matches its pattern; nothing crashes.

#include <dirent.h>
#include <fnmatch.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "eval/CorpusLayout.h"

namespace {

// Removes `path` and everything under it; symbolic links are not followed.
void removeTree(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return;
  if (S_ISDIR(st.st_mode)) {
    if (DIR* dir = ::opendir(path.c_str())) {
      std::vector<std::string> names;
      while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      ::closedir(dir);
      for (const std::string& name : names) removeTree(path + "/" + name);
    }
    ::rmdir(path.c_str());
  } else {
    ::unlink(path.c_str());
  }
}

// A scratch directory for the run, in memory where the system has room
// for one (the walk is then not held up by the disk), removed at exit.
const std::string& scratch() {
  static const std::string dir = [] {
    for (const char* base : {"/dev/shm", "/tmp"}) {
      std::string pattern = std::string(base) + "/sentralign_fuzz_layout_XXXXXX";
      if (::mkdtemp(&pattern[0]) != nullptr) return pattern;
    }
    std::abort();
  }();
  static const bool removedAtExit = std::atexit([] { removeTree(scratch()); }) == 0;
  (void)removedAtExit;
  return dir;
}

// A symbolic link at `path` to `target`; nothing when it cannot be made.
void link(const std::string& target, const std::string& path) {
  if (::symlink(target.c_str(), path.c_str()) != 0) return;
}

bool exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string root = scratch() + "/corpus";
  removeTree(root);
  ::mkdir(root.c_str(), 0755);
  const std::string cluster = root + "/C";
  ::mkdir(cluster.c_str(), 0755);

  const char* const places[] = {"", "Textos-fonte segmentados/", "Textos-fonte/", "CST/",
                                "Sumarios/"};
  for (int entries = in.ConsumeIntegralInRange(0, 24); entries > 0; --entries) {
    const std::string place = places[in.ConsumeIntegralInRange(0, 4)];
    std::string name = in.ConsumeRandomLengthString(24);
    for (char& c : name) {
      if (c == '/' || c == '\0') c = '_';
    }
    if (name.empty() || name == "." || name == "..") continue;
    if (!place.empty()) ::mkdir((cluster + "/" + place).c_str(), 0755);
    const std::string path = cluster + "/" + place + name;
    switch (in.ConsumeIntegralInRange(0, 4)) {
      case 0:
        ::mkdir(path.c_str(), 0755);
        break;
      case 1:
        link("nada", path);  // dangling
        break;
      case 2:
        link(path, path);  // a loop
        break;
      case 3:
        link(cluster, path);  // a directory
        break;
      default:
        if (FILE* f = std::fopen(path.c_str(), "w")) std::fclose(f);
    }
  }

  NamePatterns patterns;
  if (in.ConsumeBool()) patterns.texts = in.ConsumeRandomLengthString(12);
  if (in.ConsumeBool()) patterns.summary = in.ConsumeRandomLengthString(12);
  if (in.ConsumeBool()) patterns.human = in.ConsumeRandomLengthString(12);

  CorpusLayout::isCluster(cluster, patterns);
  std::vector<std::string> clusters;
  std::string err;
  if (CorpusLayout::listClusters(root, &clusters, &err) && clusters.size() != 1) {
    __builtin_trap();
  }
  ClusterFiles files;
  std::vector<std::string> warnings;
  if (CorpusLayout::findClusterFiles(cluster, patterns, &files, &err, &warnings)) {
    if (files.texts.empty() || files.humans.empty() || files.summary.empty()) {
      __builtin_trap();
    }
    const std::string textPattern = patterns.textsIn(files.unsegmentedTexts);
    for (size_t i = 0; i < files.texts.size(); ++i) {
      const ClusterText& t = files.texts[i];
      if (!exists(t.path)) __builtin_trap();
      if (::fnmatch(textPattern.c_str(), t.name.c_str(), 0) != 0) __builtin_trap();
      if (i > 0 && files.texts[i - 1].number >= t.number) __builtin_trap();
    }
    if (!exists(files.summary)) __builtin_trap();
  }
  removeTree(root);
  return 0;
}
