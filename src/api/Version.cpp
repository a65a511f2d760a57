#include "sentralign/sentralign.h"

#ifndef SENTRALIGN_VERSION
#define SENTRALIGN_VERSION "unknown"
#endif

namespace sentralign {

const char* version() { return SENTRALIGN_VERSION; }

}  // namespace sentralign
