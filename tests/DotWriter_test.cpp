#include "eval/DotWriter.h"

#include <gtest/gtest.h>

#include "Graph.h"
#include "Read.h"
#include "test_util.h"

namespace {

int count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

}  // namespace

TEST(DotWriterTest, SentencesRelationsSummaryAndRemovedEdges) {
  Graph G;
  Read::readDescriptionOfRelationsCSTFromBytes(&G, "Overlap 0.1 t\nElaboration 1.5 f\n");
  Read::readSentencesFromBytes(&G, "Um.\nDisse \"sim\".\n", 1);
  Read::readSentencesFromBytes(&G, "Tres.\n", 2);
  // Two Overlap relations from 1.1 to 2.1 and one Elaboration: 2.1 to 1.2.
  Read::readRelationsCSTFromBytes(&G,
                                  "<R SDID=\"D1_a\" SSENT=\"1\" TDID=\"D2_b\" "
                                  "TSENT=\"1\"><RELATION TYPE=\"Overlap\" X=\"\"/>"
                                  "<R SDID=\"D1_a\" SSENT=\"1\" TDID=\"D2_b\" "
                                  "TSENT=\"1\"><RELATION TYPE=\"Overlap\" X=\"\"/>"
                                  "<R SDID=\"D1_a\" SSENT=\"2\" TDID=\"D2_b\" "
                                  "TSENT=\"1\"><RELATION TYPE=\"Elaboration\" X=\"\"/>");
  RemovedEdge removed;
  removed.sourceText = 1;
  removed.sourcePos = 1;
  removed.targetText = 2;
  removed.targetPos = 1;
  removed.relation = "Overlap";

  const std::string dot =
      DotWriter::graphToDot(G, {G.vertexList[1]}, {removed}, {{1, "D1_a.txt.seg"}});
  EXPECT_EQ(dot.rfind("digraph sentencas {\n", 0), 0u);
  EXPECT_NE(dot.find("label=\"D1_a.txt.seg\""), std::string::npos);
  EXPECT_NE(dot.find("label=\"texto 2\""), std::string::npos);
  EXPECT_NE(dot.find("    t1s1 [label=\"1.1\", tooltip=\"Um.\"];\n"), std::string::npos);
  EXPECT_NE(dot.find("    t1s2 [label=\"1.2\", tooltip=\"Disse \\\"sim\\\".\", "
                     "style=\"rounded,filled,bold\""),
            std::string::npos);
  EXPECT_NE(dot.find("  t1s1 -> t1s2 [color=\"#9e9e9e\", tooltip=\"Text-Sequence\"];\n"),
            std::string::npos);
  // Of the two equal Overlap edges, the one removed is dashed.
  EXPECT_EQ(count(dot, "  t1s1 -> t2s1 [color=\"#1f77b4\", tooltip=\"Overlap\"];\n"), 1);
  EXPECT_EQ(
      count(dot,
            "  t1s1 -> t2s1 [color=\"#1f77b4\", tooltip=\"Overlap\", style=dashed];\n"),
      1);
  EXPECT_NE(dot.find("  t2s1 -> t1s2 [color=\"#d62728\", tooltip=\"Elaboration\"];\n"),
            std::string::npos);
  EXPECT_NE(dot.find("removida pelo metodo 6"), std::string::npos);
  EXPECT_EQ(dot.substr(dot.size() - 2), "}\n");
}

TEST(DotWriterTest, EmptyGraphIsALegendOnly) {
  Graph G;
  const std::string dot = DotWriter::graphToDot(G, {}, {}, {});
  EXPECT_EQ(count(dot, "->"), 0);
  EXPECT_EQ(count(dot, "subgraph"), 0);
  EXPECT_NE(dot.find("legenda"), std::string::npos);
  EXPECT_EQ(dot.find("removida"), std::string::npos);
}
