// The cycle removal of method 6 written the plain way, kept as the
// reference that the fast removal is compared with: the path is copied
// at every call and scanned for membership, and every detection pass starts
// afresh. Test and benchmark code only; it recurses as deep as the longest
// path, so it suits small graphs.

#ifndef SENTRALIGN_LITERAL_CYCLE_REMOVAL_H_
#define SENTRALIGN_LITERAL_CYCLE_REMOVAL_H_

#include <vector>

class Graph;
class Vertex;

namespace literal {

// Removes cycles as TopologicalOrdering::removeAllCycles does, printing the
// source of each removed edge with Vertex::print. Like it, stops when a
// pass counts cycles that no edge carries.
void removeAllCycles(Graph* G);

// One call of the search, path by value.
void detectCycles(Graph* G, std::vector<Vertex*> cycle, Vertex* V);

}  // namespace literal

#endif  // SENTRALIGN_LITERAL_CYCLE_REMOVAL_H_
