// Method 4: the sentences of all texts grouped into topics by the cosine of
// their content words, the topics ordered by the earliest place of their
// sentences, and the summary arranged in that order.

#ifndef SENTRALIGN_TOPICALORDERING_H_
#define SENTRALIGN_TOPICALORDERING_H_

class Graph;

// Groups the topic operations; holds no data. Every operation is static.
// The lists the operations fill (topics, topicalOrderingList,
// topicalOrderedSumm) point to vertices of G's vertexList and own nothing;
// the edges they add belong to the vertex whose out-list holds them.
class TopicalOrdering {
 public:
  TopicalOrdering() = default;
  virtual ~TopicalOrdering();

  // Appends to G's topics every vertex of vertexList, in list order: a
  // vertex joins the first topic whose mean cosine with it is greater than
  // 0.3, or else opens a topic of its own; the first vertex opens one. Then
  // sets every member's numTopic to the index of its topic. An empty
  // vertexList adds no topic.
  static void createTopics(Graph* G);

  // The cosine of the word-count vectors of the word arrays A and B (sizeA
  // and sizeB words): 0 when they share no word (an empty array shares
  // none), else the dot product over the product of the two single-precision
  // magnitudes, in double precision and not rounded to float.
  static double cosineSimilarity(char** A, char** B, int sizeA, int sizeB);
  // The sum over i < size of vetA[i] * vetB[i], in 64 bits so that no count
  // vector can overflow it.
  static long long dotProduct(const int* vetA, const int* vetB, int size);
  // The square root of the sum of the squares of vet[0..size), summed in
  // single precision with rounding after each addition.
  static float magnitude(const int* vet, int size);
  // How many of the first sizeC words of C equal X byte for byte.
  static int frequencia(const char* X, char* const* C, int sizeC);
  // Whether one of the first `count` words of C equals X.
  static bool jahTem(const char* X, char* const* C, int count);

  // Runs method 4 on G: createTopics, setTopicsWeight,
  // orderTopicsListByWeight, createTopicalOrderingList, then
  // topicalOrderedSumm = summ sorted by posTopic, setAllPosTopicalOrderedSumm
  // and createTopicalRelation. Expects topics and topicalOrderingList empty.
  static void topicalOrdering(Graph* G);
  // topicalOrdering without its last step, createTopicalRelation: the same
  // topics, lists and positions, and no new edge. For a run that ends with
  // the ordered summary: nothing reads the topical edges, and their number
  // grows with the product of the sizes of neighbouring topics.
  static void orderSummaryByTopics(Graph* G);
  // Sets the weightTopic of every member of every topic to the smallest
  // posText in the topic.
  static void setTopicsWeight(Graph* G);
  // Reorders topics by ascending weight (the weightTopic of a topic's first
  // vertex), equally light topics in their former order, and sets every
  // member's numTopic to its topic's new index.
  static void orderTopicsListByWeight(Graph* G);
  // Appends the members of each topic, in topics order, to
  // topicalOrderingList, each topic sorted by descending numWordsAfter; sets
  // every vertex's posTopic to its index there.
  static void createTopicalOrderingList(Graph* G);
  // Sets the posTopicalOrderedSumm of each vertex of topicalOrderedSumm to
  // its index there. An empty list changes nothing.
  static void setAllPosTopicalOrderedSumm(Graph* G);
  // Gives every vertex of each topic a "Relacao-Topical" edge of weight 2.0
  // to every vertex of the next topic, appended to its edgeOutList (which
  // owns it), unless it already has an edge of any name to a vertex with
  // the same idText and posText. The target's edgeInList is not changed.
  static void createTopicalRelation(Graph* G);
  // Prints every topic: a heading, then per topic "======= TOPICO i ======="
  // and per member its Vertex::print line and "PESO: weight".
  static void printTopics(Graph* G);

  // Agreement of topicalOrderedSumm with humanOrderedSumm: Spearman's and
  // Kendall's coefficients, as Graph::spearmanTS and Graph::kendallTK.
  static float TS(Graph* G);
  static float TK(Graph* G);
};

#endif  // SENTRALIGN_TOPICALORDERING_H_
