// The one way every tool writes a result file: whole or not at all. A
// regular file is written to a temporary file beside it, which replaces it
// only once it is written whole and closed; a run that fails or is killed
// leaves what stood there before (and, when killed, at worst a stray
// temporary named ".NAME.sentralign-XXXXXX"). Devices, FIFOs and the files
// under /dev and /proc (/dev/stdout among them) are written directly.

#ifndef SENTRALIGN_IO_OUTPUTFILE_H_
#define SENTRALIGN_IO_OUTPUTFILE_H_

#include <cstddef>
#include <cstdio>
#include <string>

namespace sentralign::io {

// One result file being written. Not copyable; an OutputFile that is
// destroyed before commit() abandons its file: the temporary is removed and
// the target keeps what it held.
class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  // Starts writing `path`. An existing regular file keeps its mode and, where
  // the system allows, its owner; a new one gets the mode that the umask
  // leaves of 0666. A symbolic link is followed: the file it leads to is
  // replaced, the link stays. A FIFO without a reader fails at once (ENXIO)
  // instead of waiting for one. False, with "PATH: reason" in *err, when
  // it cannot be opened; nothing has changed then.
  bool open(const std::string& path, std::string* err);

  // Appends `size` bytes. A failure is kept and reported by commit().
  void write(const char* data, std::size_t size);
  void write(const std::string& bytes) { write(bytes.data(), bytes.size()); }

  // Writes out what is buffered, closes the file and puts it in place.
  // False, with "PATH: reason" in *err, when any write or the close failed:
  // a regular target then holds what it held before open(). Only a file
  // written directly (a device, or a regular file in a directory where no
  // temporary can be made) may hold part of the bytes then.
  bool commit(std::string* err);

 private:
  void abandon();

  std::string path_;       // as given, for messages
  std::string target_;     // the file the temporary replaces
  std::string temporary_;  // empty: written directly
  std::FILE* file_ = nullptr;
  int error_ = 0;  // errno of the first failed write, 0: none
};

// Writes `bytes` to `path` as one OutputFile. False, with "PATH: reason"
// in *err, when it cannot be written whole.
bool writeFile(const std::string& path, const std::string& bytes, std::string* err);

}  // namespace sentralign::io

#endif  // SENTRALIGN_IO_OUTPUTFILE_H_
