// The identity of a sentence as one integer: its text number and its place
// in that text. The readers find the sentences that a relation record or a
// summary marker names by it, the searches tell the sentences of a path
// apart by it, and the evaluation matches the sentences of several graphs
// of one cluster by it.

#ifndef SENTRALIGN_ENGINE_SENTENCEKEY_H_
#define SENTRALIGN_ENGINE_SENTENCEKEY_H_

#include <cstdint>

#include "Vertex.h"

namespace sentralign::engine {

// (idText, posText) in 64 bits, the text number in the high half. Two
// vertices have one key exactly when they denote one sentence, whatever the
// numbers (negative ones included).
using SentenceKey = std::uint64_t;

constexpr SentenceKey sentenceKey(int idText, int posText) {
  return SentenceKey{static_cast<std::uint32_t>(idText)} << 32 |
         static_cast<std::uint32_t>(posText);
}

inline SentenceKey sentenceKey(const Vertex& V) {
  return sentenceKey(V.getIdText(), V.getPosText());
}

}  // namespace sentralign::engine

#endif  // SENTRALIGN_ENGINE_SENTENCEKEY_H_
