#include "eval/CorpusLayout.h"

#include <fnmatch.h>

#include <algorithm>

#include "Read.h"
#include "io/Files.h"

namespace {

// One entry of a directory listing.
struct Entry {
  std::string name;
  bool isDirectory = false;
};

using sentralign::io::isDirectory;
using sentralign::io::joinPath;

// The entries of `dir` whose names do not begin with ".", sorted by name;
// a symbolic link counts as what it leads to.
bool listEntries(const std::string& dir, std::vector<Entry>* entries, std::string* err) {
  std::vector<std::string> names;
  if (!sentralign::io::listDirectory(dir, &names, err)) return false;
  for (const std::string& name : names) {
    if (name[0] == '.') continue;
    entries->push_back({name, isDirectory(joinPath(dir, name))});
  }
  std::sort(entries->begin(), entries->end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return true;
}

bool matches(const std::string& pattern, const std::string& name) {
  return ::fnmatch(pattern.c_str(), name.c_str(), 0) == 0;
}

// The files of `dir` that match `pattern`. Directories that match it are
// named in *warnings, and so, with `nameOthers`, is every other entry.
bool findTexts(const std::string& dir, const std::string& pattern, bool nameOthers,
               ClusterFiles* files, std::string* err,
               std::vector<std::string>* warnings) {
  std::vector<Entry> entries;
  if (!listEntries(dir, &entries, err)) return false;
  for (const Entry& e : entries) {
    const std::string path = joinPath(dir, e.name);
    const bool match = matches(pattern, e.name);
    if (e.isDirectory && match) {
      warnings->push_back(path + ": e um diretorio; nao e lido como texto");
    } else if (!match && nameOthers) {
      warnings->push_back(path + ": nao casa com " + pattern + "; nao e lido como texto");
    }
    if (e.isDirectory || !match) continue;
    files->texts.push_back({path, e.name, Read::textNumberOfFileName(e.name)});
  }
  std::sort(files->texts.begin(), files->texts.end(),
            [](const ClusterText& a, const ClusterText& b) {
              return a.number != b.number ? a.number < b.number : a.name < b.name;
            });
  for (size_t i = 1; i < files->texts.size(); ++i) {
    if (files->texts[i].number != files->texts[i - 1].number) continue;
    *err = files->dir + ": dois textos com o numero " +
           std::to_string(files->texts[i].number) + ": " + files->texts[i - 1].name +
           " e " + files->texts[i].name;
    return false;
  }
  return true;
}

bool findRelations(const std::string& dir, ClusterFiles* files, std::string* err) {
  std::vector<Entry> entries;
  if (!listEntries(dir, &entries, err)) return false;
  for (const Entry& e : entries) {
    if (!e.isDirectory && sentralign::io::hasExtension(e.name, "cst")) {
      files->relations.push_back(joinPath(dir, e.name));
    }
  }
  return true;
}

bool findSummaries(const std::string& dir, const NamePatterns& patterns,
                   bool humansNeeded, ClusterFiles* files, std::string* err) {
  std::vector<Entry> entries;
  if (!listEntries(dir, &entries, err)) return false;
  std::vector<std::string> summaries;
  for (const Entry& e : entries) {
    if (e.isDirectory) continue;
    if (matches(patterns.human, e.name)) {
      files->humans.push_back(joinPath(dir, e.name));
    } else if (matches(patterns.summary, e.name)) {
      summaries.push_back(e.name);
    }
  }
  if (summaries.empty()) {
    *err = dir + ": nenhum sumario (" + patterns.summary + ")";
    return false;
  }
  if (summaries.size() > 1) {
    *err = dir + ": mais de um sumario (" + patterns.summary + "): " + summaries[0] +
           " e " + summaries[1];
    return false;
  }
  files->summary = joinPath(dir, summaries[0]);
  if (files->humans.empty() && humansNeeded) {
    *err = dir + ": nenhuma ordenacao humana (" + patterns.human + ")";
    return false;
  }
  return true;
}

}  // namespace

std::string NamePatterns::textsIn(bool raw) const {
  if (!texts.empty()) return texts;
  return raw ? "*.txt" : "*.seg";
}

CorpusLayout::~CorpusLayout() = default;

bool CorpusLayout::isCluster(const std::string& dir, const NamePatterns& patterns) {
  if (isDirectory(joinPath(dir, kTextsDir)) || isDirectory(joinPath(dir, kRawTextsDir))) {
    return true;
  }
  std::vector<Entry> entries;
  std::string err;
  if (!listEntries(dir, &entries, &err)) return false;
  const std::string pattern = patterns.textsIn(false);
  return std::any_of(entries.begin(), entries.end(), [&pattern](const Entry& e) {
    return !e.isDirectory && matches(pattern, e.name);
  });
}

bool CorpusLayout::listClusters(const std::string& corpus,
                                std::vector<std::string>* clusters, std::string* err) {
  std::vector<Entry> entries;
  if (!listEntries(corpus, &entries, err)) return false;
  for (const Entry& e : entries) {
    if (e.isDirectory) clusters->push_back(joinPath(corpus, e.name));
  }
  return true;
}

bool CorpusLayout::findClusterFiles(const std::string& dir, const NamePatterns& patterns,
                                    ClusterFiles* files, std::string* err,
                                    std::vector<std::string>* warnings,
                                    bool humansNeeded) {
  *files = ClusterFiles();
  files->dir = dir;
  files->name = sentralign::io::baseName(dir);
  const bool segmented = isDirectory(joinPath(dir, kTextsDir));
  files->unsegmentedTexts = !segmented && isDirectory(joinPath(dir, kRawTextsDir));
  const bool news = segmented || files->unsegmentedTexts;
  const std::string textsDir =
      segmented ? joinPath(dir, kTextsDir)
                : (files->unsegmentedTexts ? joinPath(dir, kRawTextsDir) : dir);
  const std::string relationsDir = news ? joinPath(dir, kRelationsDir) : dir;
  const std::string summariesDir = news ? joinPath(dir, kSummariesDir) : dir;
  const std::string pattern = patterns.textsIn(files->unsegmentedTexts);
  if (!findTexts(textsDir, pattern, news, files, err, warnings)) return false;
  if (files->texts.empty()) {
    *err = textsDir + ": nenhum texto-fonte (" + pattern + ")";
    return false;
  }
  if (news && !isDirectory(relationsDir)) {
    warnings->push_back(relationsDir + ": nao existe; o cluster fica sem relacoes");
  } else if (!findRelations(relationsDir, files, err)) {
    return false;
  }
  return findSummaries(summariesDir, patterns, humansNeeded, files, err);
}
