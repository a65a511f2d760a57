// The topic clustering and the topical ordering written the slow, direct
// way: every cosine builds its vocabulary by linear search, every sentence
// is compared with every member of every topic. The tests compare the
// program's results with these, bit for bit; the benchmark times them.

#ifndef SENTRALIGN_LITERAL_TOPICS_H_
#define SENTRALIGN_LITERAL_TOPICS_H_

class Graph;

// The reference computation. Works on the same Graph lists and Vertex fields
// as TopicalOrdering, and adds "Relacao-Topical" edges the same way (owned
// by the source vertex).
class LiteralTopics {
 public:
  virtual ~LiteralTopics();

  // The cosine of the word-count vectors of A and B, as a double.
  static double cosineSimilarity(char** A, char** B, int sizeA, int sizeB);
  static long long dotProduct(const int* vetA, const int* vetB, int size);
  static float magnitude(const int* vet, int size);
  static int frequencia(const char* X, char** C, int sizeC);
  static bool jahTem(const char* X, char** C, int count);

  // Fills G's topics and every vertex's numTopic; an empty vertexList adds
  // no topic.
  static void createTopics(Graph* G);
  // The whole method: clustering, weights, order, lists, positions, edges.
  static void topicalOrdering(Graph* G);
  static void setTopicsWeight(Graph* G);
  static void orderTopicsListByWeight(Graph* G);
  static void createTopicalOrderingList(Graph* G);
  static void setAllPosTopicalOrderedSumm(Graph* G);
  static void createTopicalRelation(Graph* G);
};

#endif  // SENTRALIGN_LITERAL_TOPICS_H_
