// A cluster of source texts with the relations between their sentences,
// and the ordering of a summary of them by one of the six methods: the
// library's way to do what `sentralign METHOD ...` does, with the result
// as data.
//
//   sentralign::ClusterSource source;
//   source.texts = {{1, "Uma frase. Outra frase.\n"}, {2, "Mais uma.\n"}};
//   sentralign::Cluster cluster(source);
//   sentralign::Ordering o = cluster.order({"Mais uma.", "Uma frase."},
//                                          sentralign::Method::kPosition);
//   // o.sentences: (1,1) "Uma frase.", (2,1) "Mais uma."
//
// A Cluster holds only its inputs; each call of order() builds a sentence
// graph of its own, so calls on different threads never share state.

#ifndef SENTRALIGN_PUBLIC_CLUSTER_H_
#define SENTRALIGN_PUBLIC_CLUSTER_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sentralign/Error.h"
#include "sentralign/Export.h"

namespace sentralign {

// The six ordering methods, numbered as on sentralign's command line.
enum class Method {
  kPosition = 1,     // place in its own text, shorter first among equals
  kLengthUp = 2,     // length, shortest first
  kLengthDown = 3,   // length, longest first
  kTopics = 4,       // topics of content words
  kTopological = 5,  // depth-first order of the relation graph
  kAcyclic = 6,      // as 5, after the graph's cycles are broken
};

// The method that `name` names: "1" to "6" or "position", "length-up",
// "length-down", "topics", "topological", "acyclic". Throws Error
// (kInvalidInput) for anything else.
SENTRALIGN_EXPORT Method parseMethod(std::string_view name);
// The name of `method` ("position", ...).
SENTRALIGN_EXPORT const char* methodName(Method method);

// How texts are cut into sentences.
enum class Segmentation {
  kSentences,  // at line ends and at a full stop followed by a space, as
               // sentralign cuts them
  kLines,      // one sentence a line, kept whole (an empty line is none)
};

// A sentence by its identity: the number of its text and its place there,
// both from 1.
struct SentenceId {
  int text = 0;
  int place = 0;
  friend bool operator==(const SentenceId& a, const SentenceId& b) {
    return a.text == b.text && a.place == b.place;
  }
};

// One sentence: its identity and its bytes, as the text reader cut them.
struct Sentence {
  SentenceId id;
  std::string bytes;
};

// One source text: its number (1 to 99 for relation files to name it) and
// its bytes. `name` only serves messages.
struct Text {
  int number = 0;
  std::string bytes;
  std::string name;
};

// One relation between two sentences, of a type of the relation
// description: linked as a relation file's record would be.
struct Relation {
  SentenceId source;
  SentenceId target;
  std::string type;
};

// The contents of one relation file, read as sentralign reads relation
// files. `name` only serves messages.
struct RelationFile {
  std::string bytes;
  std::string name;
};

// Everything a cluster is made of. Every content is taken as a file's
// bytes would be: a CR directly before a LF is dropped.
struct ClusterSource {
  std::vector<Text> texts;  // in this order in the graph
  // Relations and relation files, linked in this order after the texts.
  std::vector<std::variant<Relation, RelationFile>> relations;
  // The stop list and the relation description, as file contents; none:
  // the ones that ship with sentralign.
  std::optional<std::string> stopList;
  std::optional<std::string> relationTypes;
  Segmentation segmentation = Segmentation::kSentences;
};

// An edge that method 6's cycle removal took out, in the order it did.
struct RemovedEdge {
  SentenceId source;
  SentenceId target;
  std::string relation;
};

// A summary line that named no sentence and was dropped.
struct UnmatchedLine {
  int line = 0;  // 1-based place in the summary
  std::string bytes;
  std::string reason;  // Matching::kLenient: why, and the nearest sentence
};

// A summary line that named its sentence only by a lenient rule.
struct MatchedLine {
  int line = 0;  // 1-based place in the summary
  std::string bytes;
  std::string rule;  // how it was found, in the words sentralign-eval uses
};

// The result of ordering a summary.
struct Ordering {
  std::vector<Sentence> sentences;       // the summary's sentences, in order
  std::vector<RemovedEdge> removed;      // method 6 only
  std::vector<UnmatchedLine> unmatched;  // dropped lines, in summary order
  std::vector<MatchedLine> lenient;      // Matching::kLenient only
};

// How summary lines name their sentences.
enum class Matching {
  kExact,    // byte for byte, as sentralign reads a summary
  kLenient,  // byte for byte, else by the rules of sentralign-eval's
             // matcher (blanks, quotation marks, case, ...) when exactly
             // one sentence fits; empty lines are skipped
};

// How order() runs.
struct OrderOptions {
  Matching matching = Matching::kExact;
  // Seconds that method 6's cycle removal may take; 0: no limit. When it
  // passes, order() throws Error (kTimeLimit).
  double timeLimitSeconds = 0;
  // Hears how far method 6's cycle removal is, every few thousand paths
  // and at every removal step: the step, the edges removed so far and the
  // paths followed. Called on the thread that called order().
  std::function<void(int step, int removed, std::uint64_t paths)> progress;
};

// A cluster, ready to order summaries of its sentences. Cheap to copy (the
// inputs are shared, never changed); every operation is const and safe to
// call from several threads at once.
class SENTRALIGN_EXPORT Cluster {
 public:
  // A cluster from memory. Relation files and relation description are read
  // as sentralign reads them; a record of a file that names a sentence no
  // text has is skipped, as the tool does. A Relation (not a file record)
  // that names no sentence, or a type the description lacks, throws Error
  // (kInvalidInput), as does a text number outside 0 to 99 or given twice.
  explicit Cluster(ClusterSource source);

  // A cluster from files, in the order of sentralign's command line: the
  // k-th text is text k. Without a stop list or relation description, the
  // shipped one is taken. Files are read as sentralign reads them (a CR
  // directly before a LF is dropped). Throws Error (kFile) with
  // "PATH: reason" when a file cannot be read.
  static Cluster fromFiles(const std::vector<std::string>& texts,
                           const std::vector<std::string>& relationFiles = {},
                           const std::optional<std::string>& stopList = std::nullopt,
                           const std::optional<std::string>& relationTypes = std::nullopt,
                           Segmentation segmentation = Segmentation::kSentences);

  // Every sentence of the cluster, text after text, each in reading order.
  const std::vector<Sentence>& sentences() const;

  // Orders the summary whose lines are `lines` by `method`: each line names
  // the first sentence equal to it byte for byte (one line end at its end,
  // LF or CR LF, is not part of it); lines that name none are dropped and
  // listed in Ordering::unmatched. The order is the one that sentralign
  // writes for the same inputs and start-up files.
  Ordering order(const std::vector<std::string>& lines, Method method,
                 const OrderOptions& options = OrderOptions()) const;

  // The same for a summary file (one sentence a line). Throws Error (kFile)
  // when it cannot be read.
  Ordering orderFile(const std::string& path, Method method,
                     const OrderOptions& options = OrderOptions()) const;

  struct Data;  // the inputs, in the form every graph is built from

 private:
  explicit Cluster(std::shared_ptr<const Data> data);

  std::shared_ptr<const Data> data_;
};

}  // namespace sentralign

#endif  // SENTRALIGN_PUBLIC_CLUSTER_H_
