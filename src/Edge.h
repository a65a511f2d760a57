// A directed, named, weighted link between two sentence vertices.

#ifndef SENTRALIGN_EDGE_H_
#define SENTRALIGN_EDGE_H_

#include <string>

class Vertex;

// One edge, held in exactly one vertex's edge list, which owns it. `vertex`
// is the other end (the target for an out-edge, the source for an in-edge)
// and is never owned by the edge.
class Edge {
 public:
  Edge() = default;
  explicit Edge(Vertex* V) : vertex(V) {}
  Edge(const Edge&) = delete;
  Edge& operator=(const Edge&) = delete;
  virtual ~Edge();

  Vertex* getVertex() const { return vertex; }
  void setVertex(Vertex* V) { vertex = V; }

  std::string getRelationName() const { return relationName; }
  void setRelationName(const std::string& s) { relationName = s; }
  // The name without a copy, for the printers.
  const std::string& relationNameRef() const { return relationName; }

  float getWeight() const { return weight; }
  void setWeight(float f) { weight = f; }

  int getNumCycles() const { return numCycles; }
  void setNumCycles(int n) { numCycles = n; }
  void incNumCycles() { ++numCycles; }
  void decNumCycles() { --numCycles; }

 private:
  Vertex* vertex = nullptr;  // not owned
  std::string relationName;  // "Text-Sequence", a CST type, "Relacao-Topical"
  float weight = 0.0f;
  int numCycles = 0;  // cycles of the latest cycle search through this edge
};

#endif  // SENTRALIGN_EDGE_H_
