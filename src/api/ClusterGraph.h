// How the library turns a cluster's inputs into a sentence graph: one
// graph per call, built the same way for every call and every front-end.

#ifndef SENTRALIGN_API_CLUSTERGRAPH_H_
#define SENTRALIGN_API_CLUSTERGRAPH_H_

#include <string>
#include <vector>

#include "CST.h"
#include "sentralign/Cluster.h"

class Edge;
class Graph;
class Vertex;

// The inputs of a cluster, as every graph is built from them.
struct sentralign::Cluster::Data {
  ClusterSource source;               // CR LF pairs already made LF
  std::vector<std::string> stopList;  // the stop list's entries
  std::vector<CST> cstList;           // the relation types
  std::vector<Sentence> sentences;    // every sentence, in vertexList order
};

namespace sentralign {

// Fills the empty graph G: stop list, relation types, the texts (cut as
// data.source.segmentation says), then the relations and relation files
// in their order. A relation file's record or a Relation that names no
// sentence is skipped. G owns everything it holds.
void buildClusterGraph(const Cluster::Data& data, Graph* G);

// The removed edge from `source` along `edge` (whose vertex is its target).
RemovedEdge removedEdge(const Vertex& source, const Edge& edge);

// What order() says when method 6's time limit of `seconds` passes.
std::string timeLimitMessage(double seconds);

}  // namespace sentralign

#endif  // SENTRALIGN_API_CLUSTERGRAPH_H_
