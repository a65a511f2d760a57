// The sentence graph of a cluster in Graphviz's dot language, for a picture
// of its relations.

#ifndef SENTRALIGN_EVAL_DOTWRITER_H_
#define SENTRALIGN_EVAL_DOTWRITER_H_

#include <map>
#include <string>
#include <vector>

class Graph;
class Vertex;

// An edge that the cycle removal took out of a graph, by the identities of
// its ends (text number and position) and its relation name.
struct RemovedEdge {
  int sourceText = 0;
  int sourcePos = 0;
  int targetText = 0;
  int targetPos = 0;
  std::string relation;
};

// Groups the writer; holds no data, every operation is static.
class DotWriter {
 public:
  DotWriter() = default;
  virtual ~DotWriter();

  // G as a dot digraph: one node per sentence of vertexList labelled
  // "text.position" with the sentence as its tooltip, the sentences of
  // each text in a box labelled textNames[text] (printable, see
  // sentralign::io::printable; "texto N" without one),
  // the sentences of `summary` filled and bold; one arrow per out-edge,
  // coloured by its relation name (a legend gives the colours), dashed
  // when `removed` names it (an edge named k times marks k such arrows).
  // An empty graph gives a digraph with the legend only.
  static std::string graphToDot(const Graph& G, const std::vector<Vertex*>& summary,
                                const std::vector<RemovedEdge>& removed,
                                const std::map<int, std::string>& textNames);
};

#endif  // SENTRALIGN_EVAL_DOTWRITER_H_
