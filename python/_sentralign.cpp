// The Python extension: a thin front-end on the library API. Text comes in
// as str (taken as UTF-8) or bytes, and goes back as the caller gave it;
// sentralign::Error becomes the Python exception that fits its kind; every
// long call lets other Python threads run.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sentralign/sentralign.h"

namespace py = pybind11;

namespace {

// One sentence as Python sees it; `sentence` is a str or a bytes object.
struct PySentence {
  int text = 0;
  int place = 0;
  py::object sentence;
};

// How the sentences of a result are handed back.
enum class TextMode { kStr, kBytes };

// The bytes of a str (as UTF-8, lone surrogates as the bytes they stand
// for) or of a bytes object; anything else is a TypeError.
std::string bytesOf(const py::handle& value, const char* what) {
  if (py::isinstance<py::bytes>(value)) return value.cast<std::string>();
  if (py::isinstance<py::str>(value)) {
    py::object encoded = value.attr("encode")("utf-8", "surrogateescape");
    return encoded.cast<std::string>();
  }
  throw py::type_error(std::string(what) + " must be str or bytes, not " +
                       std::string(py::str(value.get_type().attr("__name__"))));
}

py::object textOf(const std::string& bytes, TextMode mode) {
  if (mode == TextMode::kBytes) return py::bytes(bytes);
  return py::reinterpret_steal<py::object>(PyUnicode_DecodeUTF8(
      bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "surrogateescape"));
}

PySentence toPython(const sentralign::Sentence& s, TextMode mode) {
  return {s.id.text, s.id.place, textOf(s.bytes, mode)};
}

std::string pathOf(const py::handle& path) {
  return py::str(py::module_::import("os").attr("fsdecode")(path)).cast<std::string>();
}

bool isPath(const py::handle& value) {
  return py::isinstance<py::str>(value) || py::hasattr(value, "__fspath__");
}

sentralign::Method methodOf(const py::handle& method) {
  if (py::isinstance<py::bool_>(method))
    throw py::type_error("method must be int or str");
  if (py::isinstance<py::int_>(method)) {
    const long number = method.cast<long>();
    if (number < 1 || number > 6) {
      throw sentralign::Error(
          sentralign::Error::Kind::kInvalidInput,
          "metodo desconhecido: " + std::to_string(number) + " (de 1 a 6)");
    }
    return static_cast<sentralign::Method>(number);
  }
  if (py::isinstance<py::str>(method)) {
    return sentralign::parseMethod(method.cast<std::string>());
  }
  throw py::type_error("method must be int or str");
}

// A (text, place) pair or anything with .text and .place.
sentralign::SentenceId idOf(const py::handle& item) {
  if (py::isinstance<PySentence>(item)) {
    const PySentence& s = item.cast<const PySentence&>();
    return {s.text, s.place};
  }
  const py::tuple pair = py::tuple(py::reinterpret_borrow<py::object>(item));
  if (pair.size() != 2)
    throw py::value_error("a sentence is a Sentence or a (text, place) pair");
  return {pair[0].cast<int>(), pair[1].cast<int>()};
}

std::vector<sentralign::SentenceId> idsOf(const py::iterable& items) {
  std::vector<sentralign::SentenceId> ids;
  for (const py::handle item : items) ids.push_back(idOf(item));
  return ids;
}

// The Cluster as Python holds it: the library's cluster, and whether its
// sentences go back as bytes.
struct PyCluster {
  sentralign::Cluster cluster;
  TextMode mode;
};

// Mode of the texts: bytes when every text is bytes.
TextMode modeOf(const py::sequence& texts) {
  if (py::len(texts) == 0) return TextMode::kStr;
  for (const py::handle t : texts) {
    if (!py::isinstance<py::bytes>(t)) return TextMode::kStr;
  }
  return TextMode::kBytes;
}

sentralign::Segmentation segmentationOf(bool segmented) {
  return segmented ? sentralign::Segmentation::kLines
                   : sentralign::Segmentation::kSentences;
}

PyCluster makeCluster(const py::sequence& texts, const py::iterable& relations,
                      const py::object& stoplist, const py::object& relationTypes,
                      bool segmented) {
  sentralign::ClusterSource source;
  source.segmentation = segmentationOf(segmented);
  int number = 0;
  for (const py::handle t : texts) {
    source.texts.push_back(
        {++number, bytesOf(t, "a text"), "texto " + std::to_string(number)});
  }
  int file = 0;
  for (const py::handle r : relations) {
    if (py::isinstance<py::str>(r) || py::isinstance<py::bytes>(r)) {
      source.relations.emplace_back(sentralign::RelationFile{
          bytesOf(r, "a relation file"), "relacoes " + std::to_string(++file)});
      continue;
    }
    const py::tuple record = py::tuple(py::reinterpret_borrow<py::object>(r));
    if (record.size() != 5) {
      throw py::value_error(
          "a relation is (source_text, source_place, target_text, target_place, type) or "
          "the contents of a relation file");
    }
    source.relations.emplace_back(
        sentralign::Relation{{record[0].cast<int>(), record[1].cast<int>()},
                             {record[2].cast<int>(), record[3].cast<int>()},
                             bytesOf(record[4], "a relation type")});
  }
  if (!stoplist.is_none()) source.stopList = bytesOf(stoplist, "the stop list");
  if (!relationTypes.is_none()) {
    source.relationTypes = bytesOf(relationTypes, "the relation description");
  }
  const TextMode mode = modeOf(texts);
  py::gil_scoped_release unlocked;
  return {sentralign::Cluster(std::move(source)), mode};
}

std::vector<std::string> pathsOf(const py::iterable& paths) {
  std::vector<std::string> list;
  for (const py::handle p : paths) list.push_back(pathOf(p));
  return list;
}

PyCluster clusterFromFiles(const py::iterable& texts, const py::iterable& relations,
                           const py::object& stoplist, const py::object& relationTypes,
                           bool segmented) {
  const std::vector<std::string> textPaths = pathsOf(texts);
  const std::vector<std::string> relationPaths = pathsOf(relations);
  std::optional<std::string> stopPath;
  std::optional<std::string> typesPath;
  if (!stoplist.is_none()) stopPath = pathOf(stoplist);
  if (!relationTypes.is_none()) typesPath = pathOf(relationTypes);
  py::gil_scoped_release unlocked;
  return {sentralign::Cluster::fromFiles(textPaths, relationPaths, stopPath, typesPath,
                                         segmentationOf(segmented)),
          TextMode::kStr};
}

py::list sentencesOf(const PyCluster& c) {
  py::list list;
  for (const sentralign::Sentence& s : c.cluster.sentences())
    list.append(toPython(s, c.mode));
  return list;
}

py::object order(const PyCluster& c, const py::object& summary, const py::object& method,
                 const py::object& timeLimit) {
  const sentralign::Method m = methodOf(method);
  sentralign::OrderOptions options;
  if (!timeLimit.is_none()) {
    options.timeLimitSeconds = timeLimit.cast<double>();
    if (!(options.timeLimitSeconds > 0))
      throw py::value_error("time_limit must be positive");
  }
  sentralign::Ordering ordering;
  TextMode mode = c.mode;
  if (isPath(summary)) {
    const std::string path = pathOf(summary);
    py::gil_scoped_release unlocked;
    ordering = c.cluster.orderFile(path, m, options);
  } else {
    std::vector<std::string> lines;
    bool first = true;
    for (const py::handle line : py::iterable(summary)) {
      if (first)
        mode = py::isinstance<py::bytes>(line) ? TextMode::kBytes : TextMode::kStr;
      first = false;
      lines.push_back(bytesOf(line, "a summary line"));
    }
    py::gil_scoped_release unlocked;
    ordering = c.cluster.order(lines, m, options);
  }

  py::object result = py::module_::import("sentralign").attr("Ordering")();
  py::list list = result.cast<py::list>();
  for (const sentralign::Sentence& s : ordering.sentences) list.append(toPython(s, mode));
  py::list removed;
  for (const sentralign::RemovedEdge& e : ordering.removed) {
    removed.append(py::make_tuple(e.source.text, e.source.place, e.target.text,
                                  e.target.place, textOf(e.relation, mode)));
  }
  py::list unmatched;
  for (const sentralign::UnmatchedLine& u : ordering.unmatched) {
    unmatched.append(py::make_tuple(u.line, textOf(u.bytes, mode)));
  }
  result.attr("removed") = removed;
  result.attr("unmatched") = unmatched;
  return result;
}

// The report of sentralign-eval as Python data: (rows, messages, complete),
// each row a dict of the CSV's columns, numbers as floats (nan where the
// CSV says nan), text as str, empty cells as "".
py::tuple evaluate(const py::object& path, bool segmented, const py::object& summary,
                   const py::object& human, const py::object& texts, std::uint64_t seed,
                   int jobs, const py::object& timeLimit) {
  sentralign::EvaluationOptions options;
  options.segmented = segmented;
  if (!summary.is_none()) options.summary = summary.cast<std::string>();
  if (!human.is_none()) options.human = human.cast<std::string>();
  if (!texts.is_none()) options.texts = texts.cast<std::string>();
  options.seed = seed;
  options.jobs = jobs;
  options.timeLimitSeconds = timeLimit.is_none() ? 0 : timeLimit.cast<double>();
  const std::string directory = pathOf(path);
  sentralign::Evaluation evaluation;
  {
    py::gil_scoped_release unlocked;
    evaluation = sentralign::evaluate(directory, options);
  }
  py::list rows;
  for (const sentralign::ReportRow& row : evaluation.rows) {
    py::dict record;
    for (const auto& field : row) {
      const sentralign::ReportCell& cell = field.second;
      py::object value;
      switch (cell.kind) {
        case sentralign::ReportCell::Kind::kEmpty:
          value = py::str("");
          break;
        case sentralign::ReportCell::Kind::kText:
          value = textOf(cell.text, TextMode::kStr);
          break;
        case sentralign::ReportCell::Kind::kNumber:
          value = py::float_(cell.number);
          break;
      }
      record[py::str(field.first)] = value;
    }
    rows.append(record);
  }
  py::list messages;
  for (const std::string& m : evaluation.messages)
    messages.append(textOf(m, TextMode::kStr));
  return py::make_tuple(rows, messages, evaluation.complete);
}

// Raises the Python exception that fits a library error.
void translate(const sentralign::Error& e) {
  switch (e.kind()) {
    case sentralign::Error::Kind::kFile: {
      // OSError(errno, reason, path) becomes the subclass that fits errno,
      // as FileNotFoundError for ENOENT, and reads "[Errno 2] No such file
      // or directory: 'PATH'".
      py::object error = py::reinterpret_borrow<py::object>(PyExc_OSError)(
          e.systemError(), std::strerror(e.systemError()), e.path());
      PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(error.ptr())), error.ptr());
      return;
    }
    case sentralign::Error::Kind::kInvalidInput:
      PyErr_SetString(PyExc_ValueError, e.what());
      return;
    case sentralign::Error::Kind::kTimeLimit:
      PyErr_SetString(PyExc_TimeoutError, e.what());
      return;
    case sentralign::Error::Kind::kOutOfMemory:
      PyErr_SetString(PyExc_MemoryError, e.what());
      return;
  }
}

}  // namespace

PYBIND11_MODULE(_sentralign, m) {
  m.doc() = "The compiled core of the sentralign package; import sentralign instead.";

  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const sentralign::Error& e) {
      translate(e);
    }
  });

  py::class_<PySentence>(m, "Sentence", R"(One sentence of a cluster.

Attributes:
    text: the number of its text, from 1 (the k-th text given is text k).
    place: its place in its text, from 1, as sentralign cuts the text.
    sentence: its words, as str, or as bytes when the input was bytes.

A Sentence compares equal to another with the same text, place and
sentence, and unpacks as (text, place, sentence).)")
      .def(py::init([](int text, int place, py::object sentence) {
             return PySentence{text, place, std::move(sentence)};
           }),
           py::arg("text"), py::arg("place"), py::arg("sentence"))
      .def_readonly("text", &PySentence::text, "The number of its text, from 1.")
      .def_readonly("place", &PySentence::place, "Its place in its text, from 1.")
      .def_readonly("sentence", &PySentence::sentence, "Its words: str, or bytes.")
      .def("__repr__",
           [](const PySentence& s) {
             return "Sentence(text=" + std::to_string(s.text) +
                    ", place=" + std::to_string(s.place) +
                    ", sentence=" + std::string(py::repr(s.sentence)) + ")";
           })
      .def("__eq__",
           [](const PySentence& a, const py::object& other) {
             if (!py::isinstance<PySentence>(other)) return false;
             const PySentence& b = other.cast<const PySentence&>();
             return a.text == b.text && a.place == b.place &&
                    a.sentence.equal(b.sentence);
           })
      .def("__hash__",
           [](const PySentence& s) {
             return py::hash(py::make_tuple(s.text, s.place, s.sentence));
           })
      .def("__iter__", [](const PySentence& s) {
        return py::iter(py::make_tuple(s.text, s.place, s.sentence));
      });

  py::class_<PyCluster>(
      m, "Cluster",
      R"(A cluster of source texts and the relations between their sentences.

    Cluster(texts, relations=(), stoplist=None, relation_types=None, segmented=False)

texts: the texts' contents, a list of str or bytes; the k-th is text k.
relations: relation file contents (str or bytes), or relations as
    (source_text, source_place, target_text, target_place, type) tuples,
    linked in the order given.
stoplist, relation_types: the contents of a stop list and of a relation
    description; None takes the ones that ship with sentralign.
segmented: True when the texts hold one sentence a line; otherwise they
    are cut at line ends and at a full stop followed by a space.

Relation file records that name no sentence are skipped, as sentralign
skips them; a relation tuple that names no sentence, or a type the
relation description lacks, is a ValueError. A Cluster only holds its
inputs: every call builds a graph of its own, so one cluster can order
summaries on several threads at once.)")
      .def(py::init(&makeCluster), py::arg("texts"), py::arg("relations") = py::tuple(),
           py::arg("stoplist") = py::none(), py::arg("relation_types") = py::none(),
           py::arg("segmented") = false)
      .def_static("from_files", &clusterFromFiles, py::arg("texts"),
                  py::arg("relations") = py::tuple(), py::arg("stoplist") = py::none(),
                  py::arg("relation_types") = py::none(), py::arg("segmented") = false,
                  R"(The cluster of the files at these paths, in the order of sentralign's
command line: the k-th text is text k. stoplist and relation_types are
paths; None takes the shipped files. Files are read as sentralign reads
them. Raises FileNotFoundError or OSError when a file cannot be read.)")
      .def_property_readonly("sentences", &sentencesOf,
                             "Every sentence of the cluster, text after text, in reading "
                             "order, as Sentence objects.")
      .def("order", &order, py::arg("summary"), py::arg("method"), py::kw_only(),
           py::arg("time_limit") = py::none(),
           R"(The summary's sentences in the order of `method`.

summary: its lines (str or bytes; a line end at the end of a line is
    dropped), or the path of a summary file, one sentence a line.
method: 1 to 6, or "position", "length-up", "length-down", "topics",
    "topological", "acyclic".
time_limit: seconds that method 6's cycle removal may take; when they
    pass, TimeoutError. None: no limit.

Each line names the first sentence equal to it byte for byte; lines that
name none are dropped. Returns an Ordering: a list of Sentence, in the
order `sentralign METHOD ...` writes for the same inputs, with
.removed, the edges method 6 removed as (source_text, source_place,
target_text, target_place, relation) tuples, and .unmatched, the dropped
lines as (line_number, line) pairs. Sentences are bytes when the lines
were bytes (for a path, when the cluster's texts were).)");

  m.def(
      "spearman_ts",
      [](const py::iterable& ordered, const py::iterable& human) {
        return sentralign::spearmanTS(idsOf(ordered), idsOf(human));
      },
      py::arg("ordered"), py::arg("human"),
      R"(Spearman's coefficient of `ordered` against `human`, in single precision as
sentralign-eval's TS: 1 - 6 sum(d^2) / (n^3 - n). Both are orders of the same
sentences (Sentence objects or (text, place) pairs), each once; otherwise
ValueError. nan below two sentences.)");
  m.def(
      "kendall_tk",
      [](const py::iterable& ordered, const py::iterable& human) {
        return sentralign::kendallTK(idsOf(ordered), idsOf(human));
      },
      py::arg("ordered"), py::arg("human"),
      R"(Kendall's coefficient of `ordered` against `human`, in single precision as
sentralign-eval's TK: (concordant - discordant pairs) / (n (n - 1) / 2).
Arguments as for spearman_ts.)");
  m.def(
      "kendall_tau_b",
      [](const py::iterable& ordered, const py::iterable& human) {
        return sentralign::kendallTauB(idsOf(ordered), idsOf(human));
      },
      py::arg("ordered"), py::arg("human"),
      R"(Kendall's tau-b of `ordered` against `human` in double precision, as
sentralign-eval's tau-b. Arguments as for spearman_ts.)");
  m.def("_evaluate", &evaluate, py::arg("path"), py::arg("segmented"), py::arg("summary"),
        py::arg("human"), py::arg("texts"), py::arg("seed"), py::arg("jobs"),
        py::arg("time_limit"), "The evaluation behind sentralign.evaluate.");
  m.attr("__version__") = sentralign::version();
}
