#include "Edge.h"

#include <gtest/gtest.h>

#include "Vertex.h"

TEST(EdgeTest, NewEdgesWeighNothingAndCountNoCycle) {
  Vertex target(1, 2);
  Edge toTarget(&target);
  Edge unset;
  for (const Edge* e : {&toTarget, &unset}) {
    EXPECT_EQ(e->getWeight(), 0.0f);
    EXPECT_EQ(e->getNumCycles(), 0);
    EXPECT_EQ(e->getRelationName(), "");
  }
  EXPECT_EQ(toTarget.getVertex(), &target);

  toTarget.setNumCycles(4);
  toTarget.incNumCycles();
  toTarget.decNumCycles();
  EXPECT_EQ(toTarget.getNumCycles(), 4);
}
