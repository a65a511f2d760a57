// Generated sentence graphs, for comparing the fast cycle removal with the
// literal one in the tests and in the benchmark.

#ifndef SENTRALIGN_RANDOM_GRAPHS_H_
#define SENTRALIGN_RANDOM_GRAPHS_H_

#include <string>

class Graph;

// Fills the empty G with `texts` texts of 1 to `maxSentences` sentences
// each, chained by "Text-Sequence" edges of weight 2, and `edges` more
// edges between random sentences, self-loops and parallel edges included,
// with weights that often tie once divided. Every edge has its in-edge
// twin, as the readers make them. The same seed gives the same graph.
void buildRandomGraph(Graph* G, unsigned seed, int texts, int maxSentences, int edges);

// Fills the empty G as the program reads a cluster: `texts` texts of
// `sentences` sentences each, the relation types of `description` (in the
// relation description format), and `relations` relation records between
// sentences of two different texts, in both directions, of random types.
void buildRandomCluster(Graph* G, unsigned seed, int texts, int sentences, int relations,
                        const std::string& description);

// Everything the cycle removal can change, on one line: per vertex its
// identity, state and out-edges (target, name, weight in hex, count),
// then G's count.
std::string cycleSnapshot(const Graph& G);

#endif  // SENTRALIGN_RANDOM_GRAPHS_H_
