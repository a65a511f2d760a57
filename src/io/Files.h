// The program's file system at the bottom of every room: whole-file reads,
// lines, names and directory listings. Every tool reads its inputs through
// here; nothing here knows what the bytes mean.

#ifndef SENTRALIGN_IO_FILES_H_
#define SENTRALIGN_IO_FILES_H_

#include <string>
#include <vector>

namespace sentralign::io {

// "PATH: reason" for the system error `error` (an errno value).
std::string describeError(const std::string& path, int error);

// Reads the whole of `path` into *bytes, dropping each CR that stands
// directly before a LF; any other CR stays. An empty path gives no bytes.
// Never waits for a writer on a FIFO. False, with "PATH: reason" in *err
// (when err is given) and the errno value in *error (when given), when
// the file cannot be opened or read; a directory cannot be read.
bool readFile(const std::string& path, std::string* bytes, std::string* err,
              int* error = nullptr);

// Appends `raw` to *text without the CR of each CR LF pair.
void appendWithoutCarriageReturns(const std::string& raw, std::string* text);

// Appends the lines of `bytes` to *lines: every byte up to a LF, the LF
// left out. A final LF starts no further line; an empty line stays.
void splitLines(const std::string& bytes, std::vector<std::string>* lines);

// Whether the part of `name` after its last "." (all of it without one)
// equals `extension`, byte for byte.
bool hasExtension(const std::string& name, const std::string& extension);

// The last component of `path`, trailing slashes ignored ("a/b/" is "b",
// "/" is "/", "" is "").
std::string baseName(const std::string& path);

// `dir` and `name` joined by one "/" (none added when `dir` is empty or
// already ends with one).
std::string joinPath(const std::string& dir, const std::string& name);

// Whether `path` is a directory, a symbolic link counting as what it
// leads to.
bool isDirectory(const std::string& path);

// Appends the name of every entry of the directory `dir`, in the order the
// system lists them, "." and ".." included. False, with "DIR: reason" in
// *err, when it cannot be listed.
bool listDirectory(const std::string& dir, std::vector<std::string>* names,
                   std::string* err);

}  // namespace sentralign::io

#endif  // SENTRALIGN_IO_FILES_H_
