#include "Methods.h"

#include "Graph.h"
#include "TopicalOrdering.h"
#include "TopologicalOrdering.h"
#include "engine/CycleRemoval.h"

bool runOrderingMethod(Graph* G, int Method, CycleRemovalProgress* progress,
                       const RemovedEdgeHandler& onRemoved) {
  MethodRun run;
  run.progress = progress;
  run.onRemoved = onRemoved;
  return runOrderingMethod(G, Method, run);
}

bool runOrderingMethod(Graph* G, int Method, const MethodRun& run) {
  switch (Method) {
    case 1:
      G->positionOrdering();
      G->orderedSumm = G->positionOrderedSumm;
      return true;
    case 2:
      G->sizeSentenceOrdering_Crescente();
      G->orderedSumm = G->positionOrderedSumm;
      return true;
    case 3:
      G->sizeSentenceOrdering_Decrescente();
      G->orderedSumm = G->positionOrderedSumm;
      return true;
    case 4: {
      // The topical edges would be the run's last change to the graph, and
      // nothing reads them: they are not made.
      TopicalOrdering topical;
      topical.orderSummaryByTopics(G);
      G->orderedSumm = G->topicalOrderedSumm;
      return true;
    }
    case 5: {
      TopologicalOrdering ordering;
      ordering.topologicalOrdering(G);
      G->orderedSumm = G->topologicalOrderedSumm;
      return true;
    }
    case 6: {
      // TopologicalOrdering::removeAllCycles, with the time limit.
      CycleRemoval removal(G, run.progress, run.onRemoved, run.timeLimit);
      removal.run();
      TopologicalOrdering ordering;
      ordering.topologicalOrdering(G);
      G->orderedSumm = G->topologicalOrderedSumm;
      return true;
    }
    default:
      return false;
  }
}
