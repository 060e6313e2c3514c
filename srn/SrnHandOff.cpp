#include "srn/SrnHandOff.h"

#include <cstddef>
#include <utility>

#include "host/HostAnswer.h"
#include "host/InvalidArgument.h"
#include "host/NumberText.h"

namespace quorvel {

namespace {

std::string LineRef(const SectionCursor& cursor) { return "temp.txt line " + std::to_string(cursor.LineNumber()); }

void ReadThreeDoubles(SectionCursor& cursor, std::array<double, 3>& out) {
  const CStringSplit& split = cursor.SplitD4();
  for (std::size_t i = 0; i < 3; ++i) out[i] = ParseDouble(split.Piece(i + 1));
}

void ReadSrnParameterSection(SectionCursor& cursor, SrnFormRecord& work) {
  int setCount = ParseInt(cursor.SplitD4().Piece(2));
  const CStringSplit& flagSplit = cursor.Split(CStringSplit::D5);
  int retryFlag = flagSplit.Count() >= 3 ? ParseInt(flagSplit.Piece(2)) : 0;

  work.DataSets.Clear();
  work.SrnCurves.Clear();
  for (int k = 0; k < setCount; ++k) {
    // The search has no limit of its own, but it never runs past the end.
    while (cursor.Current().find("SrnData") == std::string::npos) {
      if (cursor.AtEnd()) {
        throw HandOffReadError("[SrnParameter]: the file ends before data set " + std::to_string(k + 1) + " of " +
                               std::to_string(setCount));
      }
      cursor.Next();
    }
    const CStringSplit& setSplit = cursor.Split(CStringSplit::D5);
    int boundsFlag = setSplit.Count() >= 2 ? ParseInt(setSplit.Piece(2)) : kNoInt;

    auto set = std::make_unique<CPointDataList>(cursor.Next());
    auto curve = std::make_unique<CEq1Param>();
    curve->Name = set->Name;

    cursor.Next();
    ReadThreeDoubles(cursor, set->Initial);
    cursor.Next();
    std::array<double, 3> params{};
    ReadThreeDoubles(cursor, params);
    for (double p : params) curve->AppendParam(p);
    curve->Residual = ParseDouble(cursor.Next());
    curve->Selected = cursor.Next() != "not_selected";

    for (const auto& [x, y] : cursor.ReadPointTable()) set->AppendPoint(x, y);
    if (boundsFlag == 1) {
      cursor.Next();
      ReadThreeDoubles(cursor, set->Minimum);
      cursor.Next();
      ReadThreeDoubles(cursor, set->Maximum);
    }
    work.DataSets.Append(std::move(set));
    work.SrnCurves.Append(std::move(curve));
  }

  if (retryFlag == 1) {
    work.SrnRetry.RandomStartAllowed = cursor.Next() == "rand_ok" ? 1 : 0;
    work.SrnRetry.MaximumTrials = ParseInt(cursor.Next());
    work.SrnRetry.Tolerance = ParseDouble(cursor.Next());
  }
  if (setCount <= 0) work.HostSentSets = false;
}

void ReadDsParameterSection(SectionCursor& cursor, SrnFormRecord& work) {
  ConstantFitSettings& settings = work.ConstantSettings;
  settings.Reset();

  cursor.Next();
  int rowCount = ParseInt(cursor.SplitD4().Piece(2));
  for (int r = 0; r < rowCount; ++r) {
    if (r >= static_cast<int>(ConstantFitSettings::kRows) && cursor.AtEnd()) {
      throw HandOffReadError("[DsParameter]: the file ends inside the table");
    }
    cursor.Next();
    if (r < static_cast<int>(ConstantFitSettings::kRows)) {
      const CStringSplit& split = cursor.SplitD4();
      auto& row = settings.Cells[static_cast<std::size_t>(r)];
      for (std::size_t c = 0; c < ConstantFitSettings::kColumns; ++c) row[c] = ParseDouble(split.Piece(c + 1));
    }
  }

  cursor.Next();
  {
    const CStringSplit& split = cursor.SplitD4();
    for (std::size_t d = 0; d < 3; ++d) settings.FunctionCodes[d] = ParseInt(split.Piece(d + 1));
  }

  cursor.Next();
  int curveCount = ParseInt(cursor.SplitD4().Piece(2));
  if (curveCount <= 0 || curveCount > 3) {
    throw HandOffReadError("[DsParameter]: " + std::to_string(curveCount) + " constant curves (1 to 3 expected)");
  }
  work.ConstantCurves.Clear();
  for (std::size_t d = 0; d < static_cast<std::size_t>(curveCount); ++d) {
    auto curve = MakeEquationForFunctionCode(settings.FunctionCodes[d]);
    curve->Name = kConstantNames[d];
    cursor.Next();
    const CStringSplit& split = cursor.SplitD4();
    curve->Residual = ParseDouble(split.Piece(1));
    for (std::size_t i = 0; i < 8; ++i) curve->AppendParam(ParseDouble(split.Piece(i + 2)));
    work.ConstantCurves.Append(std::move(curve));
  }
  if (!work.ConstantCurves.At(0).Name.empty()) work.SrnNotOptimised = 0;

  settings.RandomStartAllowed = cursor.Next() != "rand_ng";
  settings.MaximumTrials = ParseInt(cursor.Next());
  settings.Tolerance = ParseDouble(cursor.Next());
}

}  // namespace

bool ReadSrnInput(HostTextReader& reader, SrnFormRecord& record, std::string* error) {
  // Read into a copy so that a failure leaves the form's records as they were.
  SrnFormRecord work = record;
  SectionCursor cursor(reader);
  try {
    if (!cursor.FindSectionFromStart("SrnParameter")) {
      return Fail(error, "temp.txt: no [SrnParameter] within the first 19 lines");
    }
    ReadSrnParameterSection(cursor, work);
    if (!cursor.FindSectionFromCurrent("DsParameter")) {
      return Fail(error, LineRef(cursor) + ": no [DsParameter] within 19 lines");
    }
    ReadDsParameterSection(cursor, work);
  } catch (const InvalidArgument&) {
    return Fail(error, LineRef(cursor) + ": a field is missing");
  } catch (const HandOffReadError& e) {
    return Fail(error, LineRef(cursor) + ": " + e.what());
  }
  work.Unchanged = true;
  record = std::move(work);
  return true;
}

bool ReadSrnInput(const std::string& handOffPath, SrnFormRecord& record, std::string* error) {
  HostTextReader reader;
  if (!reader.Open(handOffPath)) return Fail(error, "cannot read " + handOffPath + ": " + reader.Error());
  return ReadSrnInput(reader, record, error);
}

namespace {

std::string JoinFixed(const double* values, std::size_t count) {
  std::string line;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) line += ',';
    line += FormatDouble(values[i], 6);
  }
  return line;
}

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

}  // namespace

bool BuildSrnAnswer(const SrnFormRecord& record, HostTextWriter& answer, std::string* error) {
  const std::size_t setCount = record.DataSets.Count();
  if (record.SrnCurves.Count() < setCount) {
    return Fail(error, std::to_string(setCount) + " data sets but only " + std::to_string(record.SrnCurves.Count()) +
                           " SR-N curves");
  }
  if (record.ConstantCurves.Count() < 3) {
    return Fail(error, "only " + std::to_string(record.ConstantCurves.Count()) + " liquefaction-constant curves");
  }
  for (std::size_t k = 0; k < setCount; ++k) {
    if (HasLineBreak(record.SrnCurves.At(k).Name)) return Fail(error, "a curve name holds a line break");
  }

  HostTextWriter out = OkAnswerHeader();
  out.WriteLine("[SrnParameter]1 " + FormatInt(static_cast<int>(setCount)));
  for (std::size_t k = 0; k < setCount; ++k) {
    const CPointDataList& set = record.DataSets.At(k);
    const CEqBase& curve = record.SrnCurves.At(k);
    out.WriteLine("[SrnData]1");
    out.WriteLine(curve.Name);
    out.WriteLine(JoinFixed(set.Initial.data(), 3));
    const double params[3] = {curve.Param(0), curve.Param(1), curve.Param(2)};
    out.WriteLine(JoinFixed(params, 3));
    out.WriteLine(FormatExp(curve.Residual, 6));
    out.WriteLine(curve.Selected ? "selected" : "not_selected");
    out.WriteLine("[Table] " + FormatInt(static_cast<int>(set.PointCount())));
    for (const CDPoint& point : set.Points()) out.WriteLine(FormatDouble(point.x, 6) + "," + FormatDouble(point.y, 6));
    out.WriteLine(JoinFixed(set.Minimum.data(), 3));
    out.WriteLine(JoinFixed(set.Maximum.data(), 3));
  }
  out.WriteLine(record.SrnRetry.RandomStartAllowed != 0 ? "rand_ok" : "rand_ng");
  out.WriteLine(FormatInt(record.SrnRetry.MaximumTrials));
  out.WriteLine(FormatExp(record.SrnRetry.Tolerance, 6));
  out.WriteLine("");

  const ConstantFitSettings& settings = record.ConstantSettings;
  out.WriteLine("[DsParameter] ");
  out.WriteLine("[Table] 9");
  for (const auto& row : settings.Cells) out.WriteLine(JoinFixed(row.data(), row.size()));
  out.WriteLine(FormatInt(settings.FunctionCodes[0]) + "," + FormatInt(settings.FunctionCodes[1]) + "," +
                FormatInt(settings.FunctionCodes[2]));
  out.WriteLine("[Table] 3");
  for (std::size_t d = 0; d < 3; ++d) {
    const CEqBase& curve = record.ConstantCurves.At(d);
    std::string line = FormatExp(curve.Residual, 6);
    for (std::size_t i = 0; i < 8; ++i) line += "," + FormatDouble(curve.Param(i), 6);
    out.WriteLine(line);
  }
  out.WriteLine(settings.RandomStartAllowed ? "rand_ok" : "rand_ng");
  out.WriteLine(FormatInt(settings.MaximumTrials));
  out.WriteLine(FormatExp(settings.Tolerance, 0));
  return AcceptAnswerText(out, answer, error);
}

AnswerDelivery WriteSrnAnswer(const std::string& folder, const SrnFormRecord& record) {
  return BuildAndDeliverAnswer(folder, record, BuildSrnAnswer);
}

}  // namespace quorvel
