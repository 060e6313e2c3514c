#include "strain/StrainHandOff.h"

#include <algorithm>
#include <utility>

#include "host/HostAnswer.h"
#include "host/InvalidArgument.h"
#include "host/NumberText.h"
#include "host/StringTable.h"

namespace quorvel {

namespace {

constexpr int kExperimentDataText = 10055;

void ReadSdParameterSection(SectionCursor& cursor, StrainFormRecord& work, int languageId) {
  const CStringSplit& headerSplit = cursor.Split(CStringSplit::D5);
  int argumentFollows = headerSplit.Count() >= 2 ? ParseInt(headerSplit.Piece(2)) : 0;

  work.Retry.RandomStartAllowed = cursor.Next() == "rand_ng" ? 0 : 1;
  work.Retry.MaximumTrials = ParseInt(cursor.Next());
  work.Retry.Tolerance = ParseDouble(cursor.Next());

  work.DataSets.Clear();
  auto data = std::make_unique<CPointDataList>();
  for (const auto& [x, y] : cursor.ReadPointTable()) data->AppendPoint(x, y);
  data->Name = LoadString(kExperimentDataText, languageId);
  work.DataSets.Append(std::move(data));

  work.PeakFrictionAngle = ParseDouble(cursor.Next());

  cursor.Next();
  int rowCount = ParseInt(cursor.SplitD4().Piece(2));
  if (rowCount > static_cast<int>(work.Parameters.size())) {
    throw HandOffReadError("[SdParameter]: " + std::to_string(rowCount) + " parameter rows (at most 5)");
  }
  for (std::size_t r = 0; r < static_cast<std::size_t>(std::max(rowCount, 0)); ++r) {
    cursor.Next();
    const CStringSplit& split = cursor.SplitD4();
    for (std::size_t c = 0; c < 3; ++c) work.Parameters[r][c] = ParseDouble(split.Piece(c + 1));
  }

  cursor.Next();  // "[Table] 6"
  for (double& result : work.Results) result = ParseDouble(cursor.Next());
  work.Residual = ParseDouble(cursor.Next());

  if (argumentFollows == 1) {
    int argument = ParseInt(cursor.Next());
    if (argument == 0 || argument == 1) work.Argument = argument;
  }
}

}  // namespace

bool ReadStrainInput(HostTextReader& reader, StrainFormRecord& record, int languageId, std::string* error) {
  // Read into a copy so that a failure leaves the form's records as they were.
  StrainFormRecord work = record;
  SectionCursor cursor(reader);
  try {
    if (!cursor.FindSectionFromStart("SdParameter")) {
      return Fail(error, "temp.txt: no [SdParameter] within the first 19 lines");
    }
    ReadSdParameterSection(cursor, work, languageId);
  } catch (const InvalidArgument&) {
    return Fail(error, "temp.txt line " + std::to_string(cursor.LineNumber()) + ": a field is missing");
  } catch (const HandOffReadError& e) {
    return Fail(error, "temp.txt line " + std::to_string(cursor.LineNumber()) + ": " + e.what());
  }
  work.NotFinished = false;
  work.Unchanged = true;
  record = std::move(work);
  return true;
}

bool ReadStrainInput(const std::string& handOffPath, StrainFormRecord& record, int languageId, std::string* error) {
  HostTextReader reader;
  if (!reader.Open(handOffPath)) return Fail(error, "cannot read " + handOffPath + ": " + reader.Error());
  return ReadStrainInput(reader, record, languageId, error);
}

bool BuildStrainAnswer(const StrainFormRecord& record, HostTextWriter& answer, std::string* error) {
  HostTextWriter out = OkAnswerHeader();
  out.WriteLine("[SdParameter]1");
  out.WriteLine(record.Retry.RandomStartAllowed == 1 ? "rand_ok" : "rand_ng");
  out.WriteLine(FormatInt(record.Retry.MaximumTrials));
  out.WriteLine(FormatExp(record.Retry.Tolerance, 3));
  const CPointDataList* data = record.ExperimentData();
  std::size_t pointCount = data ? data->PointCount() : 0;
  out.WriteLine("[Table] " + FormatInt(static_cast<int>(pointCount)));
  if (data) {
    for (const CDPoint& point : data->Points())
      out.WriteLine(FormatDouble(point.x, 6) + "," + FormatDouble(point.y, 6));
  }
  out.WriteLine(FormatDouble(record.PeakFrictionAngle, 6));
  out.WriteLine("[Table] 5");
  for (const auto& row : record.Parameters) {
    out.WriteLine(FormatDouble(row[0], 6) + "," + FormatDouble(row[1], 6) + "," + FormatDouble(row[2], 6));
  }
  out.WriteLine("[Table] 6");
  for (double result : record.Results) out.WriteLine(FormatDouble(result, 6));
  out.WriteLine(FormatExp(record.Residual, 6));
  // No selection (-1) counts as "not the first entry".
  out.WriteLine(record.Argument != 0 ? "1" : "0");

  return AcceptAnswerText(out, answer, error);
}

AnswerDelivery WriteStrainAnswer(const std::string& folder, const StrainFormRecord& record) {
  return BuildAndDeliverAnswer(folder, record, BuildStrainAnswer);
}

}  // namespace quorvel
