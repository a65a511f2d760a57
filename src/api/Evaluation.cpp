#include "sentralign/Evaluation.h"

#include <sys/stat.h>

#include <cerrno>
#include <new>

#include "eval/Evaluation.h"
#include "io/Files.h"
#include "sentralign/Error.h"

namespace sentralign {

namespace {

ReportCell cellOf(const ReportValue& value) {
  ReportCell cell;
  switch (value.kind) {
    case ReportValue::kEmpty:
      cell.kind = ReportCell::Kind::kEmpty;
      break;
    case ReportValue::kText:
      cell.kind = ReportCell::Kind::kText;
      cell.text = value.text;
      break;
    case ReportValue::kNumber:
      cell.kind = ReportCell::Kind::kNumber;
      cell.number = value.number;
      break;
  }
  return cell;
}

}  // namespace

Evaluation evaluate(const std::string& path, const EvaluationOptions& options) {
  if (options.jobs < 1 || options.jobs > eval::kMaxJobs) {
    throw Error(Error::Kind::kInvalidInput, "jobs: numero invalido (de 1 a " +
                                                std::to_string(eval::kMaxJobs) +
                                                "): " + std::to_string(options.jobs));
  }
  if (!(options.timeLimitSeconds >= 0)) {
    throw Error(Error::Kind::kInvalidInput, "time_limit: deve ser positivo ou 0");
  }
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    const int error = errno;
    throw Error(Error::Kind::kFile, io::describeError(path, error), error, path);
  }
  eval::EvaluationRequest request;
  request.directory = path;
  request.segmented = options.segmented;
  if (!options.summary.empty()) request.patterns.summary = options.summary;
  if (!options.human.empty()) request.patterns.human = options.human;
  request.patterns.texts = options.texts;
  request.seed = options.seed;
  request.jobs = options.jobs;
  request.timeLimit = options.timeLimitSeconds;

  Evaluation result;
  try {
    eval::EvaluationRun run;
    std::string err;
    if (!eval::runEvaluation(request, &run, &err)) {
      throw Error(S_ISDIR(st.st_mode) ? Error::Kind::kInvalidInput : Error::Kind::kFile,
                  err, S_ISDIR(st.st_mode) ? 0 : ENOTDIR, path);
    }
    for (const ::ReportRecord& record : eval::reportRecords(run)) {
      ReportRow row;
      for (const auto& field : record)
        row.emplace_back(field.first, cellOf(field.second));
      result.rows.push_back(std::move(row));
    }
    result.messages = run.messages;
    result.complete = run.complete();
  } catch (const std::bad_alloc&) {
    throw Error(Error::Kind::kOutOfMemory, "memoria esgotada");
  }
  return result;
}

}  // namespace sentralign
