// Where the files of a cluster are, in the two corpus layouts that the
// evaluation reads: the batch layout (texts "*.seg" and relation files
// "*.cst" in the cluster directory) and the layout of the Portuguese CST
// news corpus (texts in "Textos-fonte segmentados/", or failing that in
// "Textos-fonte/", relation files in "CST/", summaries in "Sumarios/"). In
// both, the texts, the summary and its human orderings are found by name
// patterns.

#ifndef SENTRALIGN_EVAL_CORPUSLAYOUT_H_
#define SENTRALIGN_EVAL_CORPUSLAYOUT_H_

#include <string>
#include <vector>

// One source text of a cluster.
struct ClusterText {
  std::string path;  // as opened
  std::string name;  // the file name alone
  int number = 0;    // its text number, read from the name
};

// The files of one cluster. Lists are sorted: texts by number, the others
// by name.
struct ClusterFiles {
  std::string name;  // the cluster directory's own name
  std::string dir;   // its path
  std::vector<ClusterText> texts;
  // The texts come from kRawTextsDir: they are cut into sentences as the
  // ordering tool cuts them, even where the others are read one sentence
  // a line.
  bool unsegmentedTexts = false;
  std::vector<std::string> relations;  // paths of the relation files
  std::string summary;                 // path of the summary
  std::vector<std::string> humans;     // paths of the human orderings
};

// The name patterns (shell wildcards, as fnmatch takes them) of the source
// texts, of the summary and of its human orderings.
struct NamePatterns {
  // Empty: "*.seg", but "*.txt" in kRawTextsDir.
  std::string texts;
  std::string summary = "*_sumario_automatico_CSTSumm.txt";
  std::string human = "*_sumario_automatico_CSTSumm_ordenado_*.txt";

  // The pattern of the texts in the directory that holds them; `raw` for
  // kRawTextsDir.
  std::string textsIn(bool raw) const;
};

// Groups the layout operations; holds no data, every operation is static.
class CorpusLayout {
 public:
  // The directories of the news corpus layout.
  static constexpr char kTextsDir[] = "Textos-fonte segmentados";
  static constexpr char kRawTextsDir[] = "Textos-fonte";
  static constexpr char kRelationsDir[] = "CST";
  static constexpr char kSummariesDir[] = "Sumarios";

  CorpusLayout() = default;
  virtual ~CorpusLayout();

  // Whether `dir` is a cluster rather than a corpus: it holds a directory
  // kTextsDir or kRawTextsDir, or a file whose name matches the texts'
  // pattern.
  static bool isCluster(const std::string& dir, const NamePatterns& patterns);

  // Appends the path of every subdirectory of `corpus` whose name does not
  // begin with ".", sorted by name; other entries are no clusters. False,
  // with "PATH: reason" in *err, when `corpus` cannot be listed.
  static bool listClusters(const std::string& corpus, std::vector<std::string>* clusters,
                           std::string* err);

  // Fills *files for the cluster directory `dir`. In the news layout the
  // texts are the files of kTextsDir (or, when there is none, of
  // kRawTextsDir) that match the texts' pattern, the relation files the
  // "*.cst" files of kRelationsDir, and the summaries are looked for in
  // kSummariesDir; otherwise all three are looked for in `dir` itself. The
  // summary is the one file that matches patterns.summary and not
  // patterns.human; the human orderings are every file that matches
  // patterns.human. Files that the layout does not read are left alone,
  // except other entries among the texts of the news layout and
  // directories whose names match the texts' pattern, which are named in
  // *warnings. False, with the reason in *err, when a directory cannot be
  // listed, the cluster has no text, no summary or several, no human
  // ordering (unless `humansNeeded` is false: ordering a summary needs
  // none), or two texts with one number.
  static bool findClusterFiles(const std::string& dir, const NamePatterns& patterns,
                               ClusterFiles* files, std::string* err,
                               std::vector<std::string>* warnings,
                               bool humansNeeded = true);
};

#endif  // SENTRALIGN_EVAL_CORPUSLAYOUT_H_
