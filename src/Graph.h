// The sentence graph: the one blackboard of a run. Readers fill its lists,
// orderings read them and write lists of their own, the drivers take the
// result.

#ifndef SENTRALIGN_GRAPH_H_
#define SENTRALIGN_GRAPH_H_

#include <string>
#include <vector>

#include "CST.h"

class Vertex;

// Holds the stop words, the relation types, every sentence vertex of every
// text, the summary and every list an ordering produces. The graph owns every
// vertex handed to addVertex and deletes it (with its edges and word array) in
// its destructor; every list of vertex pointers refers to those vertices and
// owns nothing.
class Graph {
 public:
  Graph() = default;
  Graph(const Graph&) = delete;
  Graph& operator=(const Graph&) = delete;
  virtual ~Graph();

  int getNumCycles() const { return numCycles; }
  void setNumCycles(int i) { numCycles = i; }
  void incNumCycles() { ++numCycles; }

  // Appends the lines of `filename` to stopList. An empty name reads as an
  // empty file. Returns false, with the reason in *err, when a named file
  // cannot be read; stopList then keeps what it held.
  bool createStopList(const std::string& filename, std::string* err = nullptr);

  // Appends V to vertexList and takes ownership of it. Adding the same vertex
  // twice lists it twice and still owns it once.
  void addVertex(Vertex* V);

  // Diagnostic: prints every comparison of `sentence` with the sentences of
  // vertexList until an equal one, and that vertex's identity. Returns
  // nothing to the caller.
  void searchVertexBySentence(const std::string& sentence, Vertex* V) const;

  // Diagnostic print of every vertex with its out- and in-edges.
  void print() const;

  // Empties vertexList, topics, topicalOrderingList, summ, humanOrderedSumm
  // and topicalOrderedSumm; keeps every other list and numCycles. The
  // vertices stay alive (kept lists may still name them) until the graph is
  // destroyed.
  void reset();

  // Orders summ into positionOrderedSumm and numbers posPositionOrderedSumm:
  // by posText, shorter sentences first among equals (method 1); by length
  // ascending (method 2); by length descending (method 3).
  void positionOrdering();
  void sizeSentenceOrdering_Crescente();
  void sizeSentenceOrdering_Decrescente();

  // Agreement of positionOrderedSumm with humanOrderedSumm: Spearman's and
  // Kendall's coefficients (see spearmanTS and kendallTK).
  static float TS_positionOrdering(Graph* G);
  static float TK_positionOrdering(Graph* G);

  // Spearman's coefficient of `ordered` against `human`, from each entry's
  // posHumanOrderedSumm (set by Read::setAllPosHummanOrderedSumm): 1 minus
  // 6 times the float sum of squared place differences over n^3 - n, for
  // the first n = human.size() entries of `ordered`. Not a number for n < 2,
  // and when `ordered` holds fewer than n entries.
  static float spearmanTS(const std::vector<Vertex*>& human,
                          const std::vector<Vertex*>& ordered);
  // Kendall's tau of `ordered` against `human`: over all pairs of places,
  // +1 where both lists order the pair alike and -1 otherwise (a tie counts
  // -1), divided by n(n-1)/2. Not a number for n < 2, and when `ordered`
  // holds fewer than n entries.
  static float kendallTK(const std::vector<Vertex*>& human,
                         const std::vector<Vertex*>& ordered);

  std::vector<std::string> stopList;
  std::vector<Vertex*> vertexList;
  std::vector<std::vector<Vertex*>> topics;
  std::vector<Vertex*> topicalOrderingList;
  std::vector<Vertex*> topologicalOrderingList;
  std::vector<Vertex*> positionOrderingList;  // no operation uses it
  std::vector<CST> cstList;
  std::vector<Vertex*> summ;
  std::vector<Vertex*> humanOrderedSumm;
  std::vector<Vertex*> topicalOrderedSumm;
  std::vector<Vertex*> positionOrderedSumm;
  std::vector<Vertex*> topologicalOrderedSumm;
  std::vector<Vertex*> orderedSumm;

 private:
  int numCycles = 0;
  std::vector<Vertex*> ownedVertices;  // every vertex ever added, maybe twice
};

#endif  // SENTRALIGN_GRAPH_H_
