// The start-up files that ship with sentralign (the Portuguese stop list
// and the relation description), built into the library so that a caller
// that gives none gets them wherever the library is.

#ifndef SENTRALIGN_API_SHIPPEDDATA_H_
#define SENTRALIGN_API_SHIPPEDDATA_H_

#include <string_view>

namespace sentralign {

// The bytes of data/stoplist_portugues.txt.
std::string_view shippedStopList();
// The bytes of data/FILE_DESCRIPTION_RELATIONS_CST.txt.
std::string_view shippedRelationTypes();

}  // namespace sentralign

#endif  // SENTRALIGN_API_SHIPPEDDATA_H_
