// The steps that the depth-first search of method 5 and the cycle search of
// method 6 share: the order in which both take start vertices and
// neighbours, and the marks and counts they set across the whole graph.
// Both orderings build on this module; it builds on the graph alone.

#ifndef SENTRALIGN_ENGINE_SEARCHSTEPS_H_
#define SENTRALIGN_ENGINE_SEARCHSTEPS_H_

#include <cstddef>
#include <functional>
#include <vector>

class Edge;
class Graph;
class Vertex;

// Hears of each edge the cycle removal takes out, just before it is
// deleted: the source vertex and the edge (whose vertex is the target).
using RemovedEdgeHandler = std::function<void(const Vertex& source, const Edge& edge)>;

namespace sentralign::engine {

// The vertices of G's vertexList in the order in which the searches take
// their start vertices while states only leave "b": by ascending posText,
// the earlier place in vertexList first among equals.
std::vector<Vertex*> startOrder(const Graph& G);

// Fills *positions with the places in V's out-list in the order in which
// both searches take the edges' targets: by ascending posText, the later
// place first among equals.
void neighbourOrder(const Vertex* V, std::vector<std::size_t>* positions);

// Sets the state of every vertex of G's vertexList to `state`.
void setAllStates(Graph* G, char state);

// Sets the count of every out-edge of G's vertices, and G's count, to 0.
void resetCycleCounts(Graph* G);

// Replaces the weight of every out-edge of G's vertices by its weight
// divided by its count, or by 0.0 when its count is not positive.
void divideWeightsByCounts(Graph* G);

// Adds 1 to the count of one edge per step of `cycle` (c0, ..., ck and
// back to c0): the first edge of c(j)'s out-list that leads to c(j+1). A
// step without such an edge counts nothing; an empty cycle nothing.
void countCycleOnEdges(const Vertex* const* cycle, std::size_t size);

}  // namespace sentralign::engine

#endif  // SENTRALIGN_ENGINE_SEARCHSTEPS_H_
