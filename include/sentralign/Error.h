// The one kind of failure the sentralign library reports: every call that
// can fail throws a sentralign::Error, whose message is the line the
// command-line tools print for the same failure (without their name).

#ifndef SENTRALIGN_PUBLIC_ERROR_H_
#define SENTRALIGN_PUBLIC_ERROR_H_

#include <stdexcept>
#include <string>

#include "sentralign/Export.h"

namespace sentralign {

// A failure of a library call. The library prints nothing and never ends
// the process: what went wrong comes back as one of these.
class SENTRALIGN_EXPORT Error : public std::runtime_error {
 public:
  enum class Kind {
    kFile,          // a file could not be read or written; systemError() tells why
    kInvalidInput,  // a bad method, relation, sentence list or argument
    kTimeLimit,     // method 6's time limit passed before its cycle removal ended
    kOutOfMemory,   // the input needed more memory than the process could get
  };

  Error(Kind kind, const std::string& message, int systemError = 0,
        std::string path = "");

  Kind kind() const { return kind_; }
  // The errno value of a kFile failure, 0 otherwise.
  int systemError() const { return systemError_; }
  // The file of a kFile failure, "" otherwise.
  const std::string& path() const { return path_; }

 private:
  Kind kind_;
  int systemError_;
  std::string path_;
};

}  // namespace sentralign

#endif  // SENTRALIGN_PUBLIC_ERROR_H_
