#include "eval/OrderingFiles.h"

#include <sys/stat.h>

#include <cerrno>

#include "io/Encoding.h"
#include "io/Files.h"
#include "io/OutputFile.h"

namespace sentralign::eval {

namespace {

// Makes the directory `path` unless it is one already.
bool makeDirectory(const std::string& path, std::string* err) {
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  const int error = errno;
  if (error == EEXIST && io::isDirectory(path)) return true;
  *err = io::describeError(path, error);
  return false;
}

std::string orderingText(const MethodOrdering& ordering) {
  std::string text;
  for (const OrderedSentence& s : ordering.sentences) text += s.sentence + "\n";
  return text;
}

std::string orderingJson(const std::string& cluster, const MethodOrdering& ordering) {
  std::string json = "{\"cluster\": " + io::jsonQuoted(io::printable(cluster)) +
                     ", \"metodo\": " + io::jsonQuoted(ordering.label) +
                     ", \"sentencas\": [";
  for (size_t i = 0; i < ordering.sentences.size(); ++i) {
    const OrderedSentence& s = ordering.sentences[i];
    json += std::string(i == 0 ? "\n" : ",\n") +
            "  {\"texto\": " + std::to_string(s.text) +
            ", \"posicao\": " + std::to_string(s.position) +
            ", \"sentenca\": " + io::jsonQuoted(s.sentence) + "}";
  }
  return json + (ordering.sentences.empty() ? "]}\n" : "\n]}\n");
}

}  // namespace

std::string orderingsDirectory(const std::string& dir, const std::string& cluster) {
  std::string name = cluster;
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  if (name.empty() || name == "." || name == "..") name = "cluster";
  return io::joinPath(dir, name);
}

bool writeOrderings(const std::string& dir, const ClusterResult& result,
                    std::string* err) {
  const std::string clusterDir = orderingsDirectory(dir, result.name);
  if (!makeDirectory(dir, err) || !makeDirectory(clusterDir, err)) return false;
  for (const MethodOrdering& ordering : result.orderings) {
    if (!ordering.ran) continue;
    const std::string base = io::joinPath(clusterDir, ordering.label);
    if (!io::writeFile(base + ".txt", orderingText(ordering), err) ||
        !io::writeFile(base + ".json", orderingJson(result.name, ordering), err)) {
      return false;
    }
  }
  return true;
}

}  // namespace sentralign::eval
