#include "eval/DotWriter.h"

#include <set>
#include <tuple>

#include "Edge.h"
#include "Graph.h"
#include "Vertex.h"
#include "io/Encoding.h"

namespace {

constexpr char kTextSequence[] = "Text-Sequence";
constexpr char kTextSequenceColour[] = "#9e9e9e";
constexpr char kSummaryFill[] = "#ffe08a";

// The colours of the relation types of the shipped relation description.
struct KnownColour {
  const char* relation;
  const char* colour;
};
constexpr KnownColour kKnownColours[] = {
    {"Overlap", "#1f77b4"},
    {"Subsumption", "#ff7f0e"},
    {"Summary", "#2ca02c"},
    {"Elaboration", "#d62728"},
    {"Historical-background", "#9467bd"},
    {"Follow-up", "#8c564b"},
    {"Attribution", "#e377c2"},
    {"Indirect-speech", "#17becf"},
    {"Modality", "#bcbd22"},
    {"Citation", "#393b79"},
    {"Identity", "#637939"},
    {"Equivalence", "#843c39"},
    {"Translation", "#7b4173"},
    {"Contradiction", "#e7298a"},
    {"Relacao-Topical", "#525252"},
};
// For any other relation name, in the order the names first appear.
constexpr const char* kSpareColours[] = {
    "#66c2a5", "#fc8d62", "#8da0cb", "#a6d854", "#ffd92f", "#e5c494", "#b3b3b3",
};

using EdgeKey = std::tuple<int, int, int, int, std::string>;

std::string nodeId(const Vertex* V) {
  return "t" + std::to_string(V->getIdText()) + "s" + std::to_string(V->getPosText());
}

std::string quoted(const std::string& s) {
  std::string q = "\"";
  for (const char c : s) {
    if (c == '"' || c == '\\') q.push_back('\\');
    q.push_back(c);
  }
  return q + "\"";
}

// The colour of every relation name on an out-edge of G, in the order the
// names first appear.
std::vector<std::pair<std::string, std::string>> relationColours(const Graph& G) {
  std::vector<std::pair<std::string, std::string>> colours;
  std::set<std::string> seen;
  size_t spare = 0;
  for (const Vertex* V : G.vertexList) {
    for (const Edge* e : V->edgeOutList) {
      const std::string& name = e->relationNameRef();
      if (!seen.insert(name).second) continue;
      std::string colour;
      if (name == kTextSequence) colour = kTextSequenceColour;
      for (const KnownColour& k : kKnownColours) {
        if (name == k.relation) colour = k.colour;
      }
      if (colour.empty()) {
        colour = kSpareColours[spare++ % (sizeof kSpareColours / sizeof *kSpareColours)];
      }
      colours.emplace_back(name, colour);
    }
  }
  return colours;
}

std::string legend(const std::vector<std::pair<std::string, std::string>>& colours,
                   bool anyRemoved) {
  std::string s =
      "  legenda [shape=none, margin=0, label=<<TABLE BORDER=\"0\" CELLBORDER=\"0\" "
      "CELLSPACING=\"2\">\n"
      "    <TR><TD ALIGN=\"LEFT\" BGCOLOR=\"" +
      std::string(kSummaryFill) + "\">sentenca do sumario</TD></TR>\n";
  for (const auto& c : colours) {
    s += "    <TR><TD ALIGN=\"LEFT\"><FONT COLOR=\"" + c.second +
         "\">&#9472;&#9472;&#9654; " + Encoding::markupEscaped(c.first) +
         "</FONT></TD></TR>\n";
  }
  if (anyRemoved) {
    s += "    <TR><TD ALIGN=\"LEFT\">- - &#9654; removida pelo metodo 6</TD></TR>\n";
  }
  return s + "  </TABLE>>];\n";
}

}  // namespace

DotWriter::~DotWriter() = default;

std::string DotWriter::graphToDot(const Graph& G, const std::vector<Vertex*>& summary,
                                  const std::vector<RemovedEdge>& removed,
                                  const std::map<int, std::string>& textNames) {
  const std::set<const Vertex*> inSummary(summary.begin(), summary.end());
  std::map<EdgeKey, int> toDash;
  for (const RemovedEdge& r : removed) {
    ++toDash[EdgeKey(r.sourceText, r.sourcePos, r.targetText, r.targetPos, r.relation)];
  }
  const auto colours = relationColours(G);

  std::string s =
      "digraph sentencas {\n"
      "  graph [rankdir=LR, fontname=\"Helvetica\"];\n"
      "  node [shape=box, style=rounded, fontname=\"Helvetica\"];\n"
      "  edge [arrowsize=0.7];\n";
  // The sentences, one box per text, texts in the order vertexList has them.
  int currentText = 0;
  bool open = false;
  for (const Vertex* V : G.vertexList) {
    if (!open || V->getIdText() != currentText) {
      if (open) s += "  }\n";
      currentText = V->getIdText();
      const auto name = textNames.find(currentText);
      const std::string label = name != textNames.end()
                                    ? sentralign::io::printable(name->second)
                                    : "texto " + std::to_string(currentText);
      s += "  subgraph cluster_" + nodeId(V) + " {\n    label=" + quoted(label) +
           ";\n    color=\"#bdbdbd\";\n";
      open = true;
    }
    const std::string label =
        std::to_string(V->getIdText()) + "." + std::to_string(V->getPosText());
    s += "    " + nodeId(V) + " [label=" + quoted(label) +
         ", tooltip=" + quoted(V->stringSentenceRef());
    if (inSummary.count(V) != 0) {
      s += ", style=\"rounded,filled,bold\", fillcolor=\"" + std::string(kSummaryFill) +
           "\", penwidth=2";
    }
    s += "];\n";
  }
  if (open) s += "  }\n";

  bool anyRemoved = false;
  for (const Vertex* V : G.vertexList) {
    for (const Edge* e : V->edgeOutList) {
      const Vertex* T = e->getVertex();
      std::string colour;
      for (const auto& c : colours) {
        if (c.first == e->relationNameRef()) colour = c.second;
      }
      s += "  " + nodeId(V) + " -> " + nodeId(T) + " [color=\"" + colour +
           "\", tooltip=" + quoted(e->relationNameRef());
      const auto dash =
          toDash.find(EdgeKey(V->getIdText(), V->getPosText(), T->getIdText(),
                              T->getPosText(), e->relationNameRef()));
      if (dash != toDash.end() && dash->second > 0) {
        --dash->second;
        anyRemoved = true;
        s += ", style=dashed";
      }
      s += "];\n";
    }
  }
  s += legend(colours, anyRemoved);
  return s + "}\n";
}
