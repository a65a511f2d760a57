// The corpus batch driver: walks a corpus directory cluster by cluster and
// loads each cluster (texts, relations, marked summary) into one graph.

#ifndef SENTRALIGN_MAIN2_H_
#define SENTRALIGN_MAIN2_H_

#include <string>
#include <vector>

// Runs the batch driver on argv: the method number (echoed only) and the
// corpus directory, whose path ends with '/'; without one, the corpus under
// the installation directory. Returns the exit status: 0, or 1 when a
// directory or a file cannot be read.
int main2(int argc, char** argv);

// Appends mainDir + name for every entry of the directory mainDir whose name
// does not begin with ".", in listing order. Writes "Nao foi possivel abrir
// diretorio." to stderr and returns false when mainDir cannot be listed.
bool createDirectories(const std::string& mainDir, std::vector<std::string>* directories);

// Lists the cluster directory `directory`: names with the extension "seg"
// go to filenameTexts, "cst" to filenameRelationsCST; the last name that
// begins with prefixoFilenameSummary makes filenameSummary `directory`/name.
// Fails like createDirectories.
bool createFileNames(const std::string& directory,
                     std::vector<std::string>* filenameTexts,
                     std::vector<std::string>* filenameRelationsCST,
                     const std::string& prefixoFilenameSummary,
                     std::string* filenameSummary);

// Whether the part of `line` after its last "." (all of it without one)
// equals `extension`, byte for byte.
bool extensionTest(const std::string& line, const std::string& extension);

#endif  // SENTRALIGN_MAIN2_H_
