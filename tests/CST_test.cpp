#include "CST.h"

#include <gtest/gtest.h>

TEST(CSTTest, AddCharToNameAppendsBytesAndCopiesCarryAllFields) {
  CST relation;
  relation.addCharToName('o');
  relation.addCharToName('f');
  relation.addCharToName('f');
  relation.setWeight(0.5f);
  relation.setDirection('t');
  EXPECT_EQ(relation.getName(), "off");

  CST copy = relation;
  relation.setName("other");
  EXPECT_EQ(copy.getName(), "off");
  EXPECT_EQ(copy.getWeight(), 0.5f);
  EXPECT_EQ(copy.getDirection(), 't');
}
