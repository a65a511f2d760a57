// The relation file reader: records of six equals signs become pairs of
// typed, weighted edges.

#include <gtest/gtest.h>

#include "Edge.h"
#include "Graph.h"
#include "Read.h"
#include "Vertex.h"
#include "test_util.h"

namespace {

// One record as the corpora write it.
std::string record(int sourceText, const std::string& sourcePos, int targetText,
                   const std::string& targetPos, const std::string& type) {
  return "<R SDID=\"D" + std::to_string(sourceText) + "_C1_A.txt\" SSENT=\"" + sourcePos +
         "\" TDID=\"D" + std::to_string(targetText) + "_C1_B.txt\" TSENT=\"" + targetPos +
         "\">\n<RELATION TYPE=\"" + type + "\" JUDGE=\"ana\"/>\n</R>\n";
}

// Texts 1 (two sentences), 2 (twelve) and 12 (one), and five types.
void fillCluster(Graph* G) {
  Read::readSentencesFromBytes(G, "A.\nB.\n", 1);
  std::string twelve;
  for (int i = 1; i <= 12; ++i) twelve += "S" + std::to_string(i) + ".\n";
  Read::readSentencesFromBytes(G, twelve, 2);
  Read::readSentencesFromBytes(G, "Doze.\n", 12);
  Read::readDescriptionOfRelationsCSTFromBytes(
      G, "Elaboration 1.5 t\nFollow-up 0.5 f\nOverlap 1 x\nTwice 1 t\nTwice 9 f\n");
}

// Reads `file` into G and renders its CST edges (Text-Sequence edges left
// out) as "out-edges | in-edges".
std::string relations(Graph* G, const std::string& file,
                      SkippedRelations* skipped = nullptr) {
  const SkippedRelations s = Read::readRelationsCSTFromBytes(G, file);
  if (skipped != nullptr) *skipped = s;
  std::string out, in;
  for (const Vertex* V : G->vertexList) {
    for (const Edge* e : V->edgeOutList) {
      if (e->getRelationName() == "Text-Sequence") continue;
      out += (out.empty() ? "" : " ") + id(V) + ">" + id(e->getVertex()) + ":" +
             e->getRelationName();
    }
    for (const Edge* e : V->edgeInList) {
      in += (in.empty() ? "" : " ") + id(V) + "<" + id(e->getVertex()) + ":" +
            e->getRelationName();
    }
  }
  return out + " | " + in;
}

class RelationsTest : public testing::Test {
 protected:
  void SetUp() override { fillCluster(&G); }
  Graph G;
};

}  // namespace

TEST(RelationsReaderTest, RecordsBecomeEdgePairs) {
  struct Case {
    const char* name;
    std::string file;
    std::string edges;
  } cases[] = {
      {"direction t", record(1, "2", 2, "5", "Elaboration"),
       "1.2>2.5:Elaboration | 2.5<1.2:Elaboration"},
      {"direction f", record(1, "2", 2, "5", "Follow-up"),
       "2.5>1.2:Follow-up | 1.2<2.5:Follow-up"},
      {"other direction byte", record(1, "2", 2, "5", "Overlap"), " | "},
      {"unknown type", record(1, "2", 2, "5", "Nada"), " | "},
      {"first of two types of one name", record(1, "1", 2, "1", "Twice"),
       "1.1>2.1:Twice | 2.1<1.1:Twice"},
      {"listed twice",
       record(1, "1", 2, "1", "Elaboration") + record(1, "1", 2, "1", "Elaboration"),
       "1.1>2.1:Elaboration 1.1>2.1:Elaboration | 2.1<1.1:Elaboration "
       "2.1<1.1:Elaboration"},
      {"to itself", record(1, "1", 1, "1", "Elaboration"),
       "1.1>1.1:Elaboration | 1.1<1.1:Elaboration"},
      {"two-digit text and position", record(12, "1", 2, "12", "Elaboration"),
       "12.1>2.12:Elaboration | 2.12<12.1:Elaboration"},
      {"third digit ignored", record(2, "123", 1, "1", "Elaboration"),
       "2.12>1.1:Elaboration | 1.1<2.12:Elaboration"},
      {"no equals sign", "<R SDID \"D1\">\n", " | "},
      {"CR LF reads like LF",
       "<R SDID=\"D1_x\" SSENT=\"2\" TDID=\"D2_y\" TSENT=\"5\">\r\n"
       "<RELATION TYPE=\"Elaboration\" JUDGE=\"j\"/>\r\n</R>\r\n",
       "1.2>2.5:Elaboration | 2.5<1.2:Elaboration"},
      // Without quotes the first byte of a value is lost: the position " "
      // names no sentence.
      {"unquoted values", "<R SDID=D1_x SSENT=2 TDID=D2_y TSENT=5 TYPE=Elaboration J=j>",
       " | "},
  };
  for (const Case& c : cases) {
    Graph fresh;
    fillCluster(&fresh);
    EXPECT_EQ(relations(&fresh, c.file), c.edges) << c.name;
  }
}

TEST_F(RelationsTest, EdgesCarryTheTypeWeightAfterTheTextSequenceEdge) {
  relations(&G,
            record(1, "1", 2, "3", "Elaboration") + record(2, "3", 1, "1", "Follow-up"));
  const Vertex* first = G.vertexList[0];
  ASSERT_EQ(first->edgeOutList.size(), 3u);
  EXPECT_EQ(first->edgeOutList[0]->getRelationName(), "Text-Sequence");
  EXPECT_EQ(first->edgeOutList[1]->getWeight(), 1.5f);
  EXPECT_EQ(first->edgeOutList[2]->getRelationName(), "Follow-up");
  EXPECT_EQ(first->edgeOutList[2]->getWeight(), 0.5f);
  EXPECT_EQ(first->edgeOutList[2]->getNumCycles(), 0);
}

TEST(RelationsReaderTest, RecordsCutByTheEndOfTheFileAreNotLinked) {
  const std::string whole = record(1, "2", 2, "5", "Elaboration");
  const size_t sixth = whole.rfind('=');
  for (size_t length = 0; length < whole.size(); ++length) {
    Graph fresh;
    Read::readSentencesFromBytes(&fresh, "A.\nB.\n", 1);
    Read::readSentencesFromBytes(&fresh, "A.\nB.\nC.\nD.\nE.\n", 2);
    Read::readDescriptionOfRelationsCSTFromBytes(&fresh, "Elaboration 1 t\n");
    Read::readRelationsCSTFromBytes(&fresh, whole.substr(0, length));
    const size_t cst = fresh.vertexList[1]->edgeOutList.size();  // 1.2 is last
    EXPECT_EQ(cst, length > sixth ? 1u : 0u) << "cut after " << length << " bytes";
  }
}

TEST_F(RelationsTest, RelationsToMissingSentencesAreSkippedAndCounted) {
  SkippedRelations skipped;
  const std::string edges = relations(&G,
                                      record(7, "1", 1, "1", "Elaboration") +
                                          record(1, "2", 2, "5", "Elaboration") +
                                          record(1, "40", 2, "1", "Nada"),
                                      &skipped);
  EXPECT_EQ(edges, "1.2>2.5:Elaboration | 2.5<1.2:Elaboration");
  EXPECT_EQ(skipped.count, 2);
  EXPECT_EQ(skipped.sourceText, 7);
  EXPECT_EQ(skipped.sourcePos, 1);
  EXPECT_EQ(skipped.targetText, 1);
  EXPECT_EQ(skipped.targetPos, 1);
}

TEST_F(RelationsTest, FilesAreReadInOrderAndNamedInTheSkipReport) {
  ScopedTempDir dir;
  const std::string a = dir.write("a.cst", record(1, "1", 2, "1", "Elaboration"));
  const std::string b = dir.write("b.cst", record(9, "9", 2, "1", "Elaboration") +
                                               record(1, "1", 2, "2", "Elaboration"));
  std::vector<SkippedRelations> skips;
  std::string err;
  Read reader;
  ASSERT_TRUE(reader.readRelationsCSTFromFiles(&G, {a, b}, &err, &skips));
  EXPECT_EQ(outEdges(G).substr(0, 43), "1.1>1.2:Text-Sequence,2.1:Elaboration,2.2:E");
  ASSERT_EQ(skips.size(), 1u);
  EXPECT_EQ(skips[0].file, b);
  EXPECT_EQ(skips[0].count, 1);

  EXPECT_FALSE(reader.readRelationsCSTFromFiles(&G, {a, dir.file("none")}, &err));
  EXPECT_EQ(err, dir.file("none") + ": No such file or directory");
  EXPECT_TRUE(Read::readRelationsCSTFromAllFiles(&G, dir.path(), {"a.cst"}, &err));
  EXPECT_EQ(G.vertexList[0]->edgeOutList.size(), 4u);
}

TEST_F(RelationsTest, RelationsOfUnknownTypesAreCountedByName) {
  SkippedRelations skipped;
  const std::string edges = relations(
      &G,
      record(1, "1", 2, "1", "elaboration") + record(1, "2", 2, "2", "Nada") +
          record(1, "1", 2, "3", "elaboration") + record(9, "9", 2, "1", "Nada") +
          record(1, "1", 2, "4", "Elaboration"),
      &skipped);
  EXPECT_EQ(edges, "1.1>2.4:Elaboration | 2.4<1.1:Elaboration");
  // The relation naming a missing sentence counts there, not as a type.
  EXPECT_EQ(skipped.count, 1);
  using Types = std::vector<std::pair<std::string, int>>;
  EXPECT_EQ(skipped.unknownTypes, (Types{{"elaboration", 2}, {"Nada", 1}}));
  EXPECT_EQ(skipped.declaration, "");
}

TEST_F(RelationsTest, DeclarationHoldingTheFirstEqualsSignIsReported) {
  const std::string records = record(1, "1", 2, "1", "Elaboration");
  struct Case {
    const char* name;
    std::string head;
    std::string declaration;
    int line;
  } cases[] = {
      {"XML declaration", "<?xml version=\"1.0\"?>\n", "<?xml version=", 1},
      {"comment after a blank line", "\n<!-- a=b -->\n", "<!-- a=", 2},
      {"closed declaration without equals sign", "<?xml?>\n", "", 0},
      {"nothing before the records", "", "", 0},
  };
  for (const Case& c : cases) {
    Graph fresh;
    fillCluster(&fresh);
    const SkippedRelations s = Read::readRelationsCSTFromBytes(&fresh, c.head + records);
    EXPECT_EQ(s.declaration, c.declaration) << c.name;
    EXPECT_EQ(s.declarationLine, c.line) << c.name;
  }
}
