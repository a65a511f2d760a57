#include "sentralign/Error.h"

#include <utility>

namespace sentralign {

Error::Error(Kind kind, const std::string& message, int systemError, std::string path)
    : std::runtime_error(message),
      kind_(kind),
      systemError_(systemError),
      path_(std::move(path)) {}

}  // namespace sentralign
