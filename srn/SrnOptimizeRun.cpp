#include "srn/SrnOptimizeRun.h"

#include <algorithm>

#include "host/NumberText.h"
#include "host/RandomGenerator.h"
#include "srn/ExpDataFile.h"

namespace quorvel {
namespace {

constexpr double kSmallestAorB = 0.0001;
constexpr double kLargestValue = 100.0;

// Text of a cell as it goes into "data.txt": trailing zeros removed.
std::string ExchangeText(const std::string& cell) { return TrimTrailingZeros(Trim(cell)); }

bool IsNumberText(const std::string& text) { return !IsNoValue(ParseDoubleRounded(6, text)); }

}  // namespace

std::string SrnCellText(double value) { return FormatTrimmed(value, 10); }
std::string SrnResidualText(double value) { return FormatExp(value, 6); }

double SrnCellValue(const std::string& text, double emptyValue) {
  if (TrimView(text).empty()) return emptyValue;
  return ParseDouble(text);
}

SrnOptimizeSheet FillSrnSheet(const SrnFormRecord& form) {
  SrnOptimizeSheet sheet;
  for (std::size_t i = 0; i < form.DataSets.Count(); ++i) {
    const CPointDataList& set = form.DataSets.At(i);
    SrnInitialRow row;
    row.Label = set.Name + "%";
    for (int k = 0; k < 3; ++k) {
      const auto p = static_cast<std::size_t>(k);
      row.Cells[p * 3] = SrnCellText(set.Initial[p]);
      row.Cells[p * 3 + 1] = SrnCellText(set.Minimum[p]);
      row.Cells[p * 3 + 2] = SrnCellText(set.Maximum[p]);
    }
    sheet.Initial.push_back(std::move(row));
  }
  for (std::size_t i = 0; i < form.SrnCurves.Count(); ++i) {
    const CEqBase& curve = form.SrnCurves.At(i);
    SrnResultRow row;
    row.Label = curve.Name + "%";
    for (std::size_t p = 0; p < 3; ++p) row.Cells[p] = curve.Params.size() > p ? SrnCellText(curve.Params[p]) : "";
    row.Cells[3] = SrnResidualText(curve.Residual);
    row.Checked = curve.Selected;
    sheet.Results.push_back(std::move(row));
  }
  sheet.RandomRetry = form.SrnRetry.RandomStartAllowed != 0;
  sheet.MaximumTrials = form.SrnRetry.MaximumTrials;
  sheet.Tolerance = form.SrnRetry.Tolerance;
  return sheet;
}

void StoreSrnInitialRow(const SrnInitialRow& row, CPointDataList& set) {
  for (std::size_t p = 0; p < 3; ++p) {
    set.Initial[p] = SrnCellValue(row.Cells[p * 3], 0.5);
    set.Minimum[p] = SrnCellValue(row.Cells[p * 3 + 1], 0.0);
    set.Maximum[p] = SrnCellValue(row.Cells[p * 3 + 2], 1.0);
  }
}

void StoreSrnSheet(const SrnOptimizeSheet& sheet, SrnFormRecord& form) {
  const std::size_t rows = std::min(sheet.Initial.size(), form.DataSets.Count());
  for (std::size_t i = 0; i < rows; ++i) StoreSrnInitialRow(sheet.Initial[i], form.DataSets.At(i));
  form.SrnCurves.Clear();
  for (const SrnResultRow& row : sheet.Results) {
    auto curve = std::make_unique<CEq1Param>();
    curve->Name = row.Label.substr(0, row.Label.find('%'));
    for (std::size_t p = 0; p < 3; ++p) curve->AppendParam(SrnCellValue(row.Cells[p], 0.0));
    curve->Residual = SrnCellValue(row.Cells[3], 0.0);
    curve->Selected = row.Checked;
    form.SrnCurves.Append(std::move(curve));
  }
  form.SrnRetry.RandomStartAllowed = sheet.RandomRetry ? 1 : 0;
  form.SrnRetry.MaximumTrials = sheet.MaximumTrials;
  form.SrnRetry.Tolerance = sheet.Tolerance;
  form.Unchanged = false;
}

bool ApplySrnCellRule(std::string& text, int column) {
  const double value = ParseDoubleRounded(6, text);  // no number: the marker, below every limit
  double corrected = value;
  if (column >= 1 && column <= 6 && value < kSmallestAorB) corrected = kSmallestAorB;
  if (column >= 7 && column <= 9 && value < 0.0) corrected = 0.0;
  if (!IsNoValue(value) && value > kLargestValue) corrected = kLargestValue;
  if (corrected == value) return false;
  text = SrnCellText(corrected);
  return true;
}

bool IsCompleteRequest(const EngineRequest& request) {
  auto number = [](const std::string& item) { return IsNumberText(item); };
  auto pair = [&](const std::pair<std::string, std::string>& items) {
    return number(items.first) && number(items.second);
  };
  return std::all_of(request.InitialValues.begin(), request.InitialValues.end(), number) &&
         std::all_of(request.Constants.begin(), request.Constants.end(), number) &&
         std::all_of(request.Bounds.begin(), request.Bounds.end(), pair) &&
         std::all_of(request.Points.begin(), request.Points.end(), pair);
}

bool SrnStartAllowed(const SrnFormRecord& form, const SrnOptimizeSheet& sheet) {
  for (std::size_t i = 0; i < form.DataSets.Count(); ++i)
    if (form.DataSets.At(i).PointCount() == 0) return false;
  for (const SrnInitialRow& row : sheet.Initial)
    for (const std::string& cell : row.Cells)
      if (!IsNumberText(cell)) return false;
  return true;
}

bool SrnResidualExceeds(const SrnResultRow& row, double tolerance) {
  const double residual = SrnCellValue(row.Cells[3]);
  return !IsNoValue(residual) && residual > tolerance;
}

void ApplySrnCheckClick(SrnOptimizeSheet& sheet, int row, SrnFormRecord& form) {
  if (row < 1 || static_cast<std::size_t>(row) > sheet.Results.size()) return;
  if (sheet.Results[static_cast<std::size_t>(row - 1)].Checked)
    for (std::size_t i = 0; i < sheet.Results.size(); ++i)
      if (i != static_cast<std::size_t>(row - 1)) sheet.Results[i].Checked = false;
  for (std::size_t k = 0; k < form.SrnCurves.Count() && k < sheet.Results.size(); ++k)
    form.SrnCurves.At(k).Selected = sheet.Results[k].Checked;
  form.Unchanged = false;
}

void SrnOptimizeRun::PreCheck() {
  for (SrnInitialRow& row : sheet_.Initial) {
    for (int column = 1; column <= SrnOptimizeSheet::kInitialColumns; ++column) {
      std::string& cell = row.Cells[static_cast<std::size_t>(column - 1)];
      const double value = ParseDoubleRounded(6, cell);  // empty: no value, below every limit
      if (!IsNoValue(value) && value > kLargestValue) {
        cell = SrnCellText(kLargestValue);
        form_.Unchanged = false;
      } else if (column <= 6 && (IsNoValue(value) || value <= kSmallestAorB)) {
        if (IsNoValue(value) || value != kSmallestAorB) cell = SrnCellText(kSmallestAorB);
      } else if (column >= 7 && (IsNoValue(value) || value <= 0.0)) {
        if (IsNoValue(value) || value != 0.0) cell = SrnCellText(0.0);
        form_.Unchanged = false;
      }
    }
  }
}

EngineRequest SrnOptimizeRun::BuildRequest(std::size_t index) const {
  EngineRequest request;
  request.EquationId = 0;
  const SrnInitialRow& row = sheet_.Initial.at(index);
  for (std::size_t p = 0; p < 3; ++p) request.InitialValues.push_back(ExchangeText(row.Cells[p * 3]));
  for (std::size_t p = 0; p < 3; ++p)
    request.Bounds.emplace_back(ExchangeText(row.Cells[p * 3 + 1]), ExchangeText(row.Cells[p * 3 + 2]));
  const CPointDataList& set = form_.DataSets.At(index);
  for (const CDPoint& point : set.Points())
    request.Points.emplace_back(FormatTrimmed(point.x, 6), FormatTrimmed(point.y, 6));
  return request;
}

bool SrnOptimizeRun::FitAllSets(const Progress& progress) {
  ++fitAllSetsCount_;
  const std::size_t sets = form_.DataSets.Count();
  form_.SrnCurves.Clear();
  // The curve the user marked for the host stays marked on the new fit.
  std::vector<std::string> marked;
  for (const SrnResultRow& row : sheet_.Results)
    if (row.Checked) marked.push_back(row.Label);
  sheet_.Results.assign(sets, SrnResultRow{});
  bool written = true;
  for (std::size_t i = 0; i < sets && i < sheet_.Initial.size(); ++i) {
    const CPointDataList& set = form_.DataSets.At(i);
    SrnResultRow& row = sheet_.Results[i];
    // The label names the set even when the engine gives no answer, so the
    // stored curve list keeps one correctly named curve per set.
    row.Label = set.Name + "%";
    row.Checked = std::find(marked.begin(), marked.end(), row.Label) != marked.end();
    const EngineRequest request = BuildRequest(i);
    if (!IsCompleteRequest(request)) continue;  // never sent: the set gets no curve
    const EngineResult result = caller_.Fit(request, 3);
    if (result.Status == EngineStatus::DataNotWritten) {
      written = false;
      break;
    }
    if (!result.Fitted()) continue;
    auto curve = std::make_unique<CEq1Param>();
    curve->Name = set.Name;
    curve->Residual = result.Residual;
    for (double value : result.Parameters) curve->AppendParam(value);
    for (std::size_t p = 0; p < 3; ++p) row.Cells[p] = SrnCellText(result.Parameters[p]);
    row.Cells[3] = SrnResidualText(result.Residual);
    form_.SrnCurves.Append(std::move(curve));
  }
  if (!written) return false;
  if (progress) progress();
  bool anyChecked = false;
  for (const SrnResultRow& row : sheet_.Results) anyChecked = anyChecked || row.Checked;
  if (!anyChecked) {
    for (std::size_t i = 0; i < sheet_.Results.size(); ++i) {
      if (sheet_.Results[i].Label == "5%") {
        sheet_.Results[i].Checked = true;
        ApplySrnCheckClick(sheet_, static_cast<int>(i + 1), form_);
        break;
      }
    }
  }
  StoreSrnSheet(sheet_, form_);
  return true;
}

void SrnOptimizeRun::DrawInitialValues(int parameter) {
  const double u = NextUniform();
  const auto column = static_cast<std::size_t>(parameter * 3);
  for (SrnInitialRow& row : sheet_.Initial) {
    const double minimum = ParseDoubleRounded(6, row.Cells[column + 1]);
    const double maximum = ParseDoubleRounded(6, row.Cells[column + 2]);
    row.Cells[column] = FormatTrimmed(minimum + u * (maximum - minimum), 6);
  }
}

double SrnOptimizeRun::PassResidual(int parameter) const {
  const auto row = static_cast<std::size_t>(parameter);
  if (row >= sheet_.Results.size()) return 0.0;  // a missing row reads as an empty cell
  return SrnCellValue(sheet_.Results[row].Cells[3], 0.0);
}

namespace {

// Names and parameters of the SR-N curves: what the constants were fitted to.
std::vector<std::pair<std::string, std::vector<double>>> CurveShapes(const EquationList& curves) {
  std::vector<std::pair<std::string, std::vector<double>>> shapes;
  for (std::size_t i = 0; i < curves.Count(); ++i) shapes.emplace_back(curves.At(i).Name, curves.At(i).Params);
  return shapes;
}

}  // namespace

void SrnOptimizeRun::Run(const Progress& progress) {
  if (FindIncompletePoint(form_.DataSets)) return;
  const auto fittedTo = CurveShapes(form_.SrnCurves);
  PreCheck();
  trialsPerPass_ = {};
  const int trials = std::max(sheet_.MaximumTrials, 1);
  for (int pass = 0; pass < 3; ++pass) {
    for (int trial = 0; trial < trials; ++trial) {
      if (trial > 0) {
        if (!sheet_.RandomRetry) break;
        DrawInitialValues(pass);
      }
      ++trialsPerPass_[static_cast<std::size_t>(pass)];
      FitAllSets(progress);
      if (sheet_.Tolerance > PassResidual(pass)) break;
      if (progress) progress();
    }
  }
  // Constants fitted to other SR-N curves must not go back to the host with
  // these: page 2 has to be run again (OK says so until it is).
  if (CurveShapes(form_.SrnCurves) != fittedTo) form_.ConstantCurves.Clear();
}

}  // namespace quorvel
