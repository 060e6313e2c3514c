#include "strain/StrainFitRun.h"

#include <algorithm>

#include "host/NumberText.h"
#include "host/RandomGenerator.h"

namespace quorvel {
namespace {

constexpr double kStartResidual = 1e8;
constexpr int kStrainEquationId = 1;
constexpr int kStrainParameterCount = 5;
// Grid columns of the fitted parameters A1, t1, d1, t2, d2 (A2 follows from them).
constexpr int kFittedColumns[] = {StrainSheet::kA1, StrainSheet::kT1, StrainSheet::kD1, StrainSheet::kT2,
                                  StrainSheet::kD2};

}  // namespace

StrainFitRun::MissingCell StrainFitRun::FirstMissingCell() const {
  const StrainSheet& sheet = model_.Sheet();
  if (IsNoValue(CellValue(sheet.Parameter(StrainSheet::kInitialRow, StrainSheet::kPhiPeak))))
    return {StrainSheet::kInitialRow, StrainSheet::kPhiPeak};
  for (int row : {StrainSheet::kInitialRow, StrainSheet::kMinimumRow, StrainSheet::kMaximumRow})
    for (int column : kFittedColumns)
      if (IsNoValue(CellValue(sheet.Parameter(row, column)))) return {row, column};
  return {};
}

bool StrainFitRun::Run(const Progress& progress) {
  StrainFormRecord& record = model_.Record();
  StrainSheet& sheet = model_.Sheet();
  trials_ = 0;
  if (FirstMissingCell().row != 0) return false;
  model_.RebuildGraphSeries();
  sheet.Result(StrainSheet::kResidualColumn) = ResidualText(kStartResidual);

  const int maximumTrials = std::max(1, record.Retry.MaximumTrials);
  for (int t = 0; t < maximumTrials; ++t) {
    if (t > 0) {
      if (record.Retry.RandomStartAllowed != 1) break;
      DrawInitialValues();
    }
    ++trials_;
    FitOnce();
    const std::string& shown = sheet.Result(StrainSheet::kResidualColumn);
    const double residual = TrimView(shown).empty() ? kStartResidual : CellValue(shown);
    if (record.Retry.Tolerance > residual) break;
    model_.RebuildGraphSeries();
    if (progress) progress();
  }
  model_.StoreParameters();
  record.NotFinished = false;
  record.Unchanged = false;
  return true;
}

void StrainFitRun::DrawInitialValues() {
  // One u for all five parameters, each between its own bounds.
  const double u = NextUniform();
  StrainSheet& sheet = model_.Sheet();
  for (int column : kFittedColumns) {
    const double minimum = CellValue(sheet.Parameter(StrainSheet::kMinimumRow, column));
    const double maximum = CellValue(sheet.Parameter(StrainSheet::kMaximumRow, column));
    // Without both bounds there is nothing to draw between.
    if (IsNoValue(minimum) || IsNoValue(maximum)) continue;
    sheet.Parameter(StrainSheet::kInitialRow, column) = CellNumberText(minimum + u * (maximum - minimum));
  }
}

bool StrainFitRun::BuildRequest(EngineRequest& request) const {
  const StrainSheet& sheet = model_.Sheet();
  request = EngineRequest{};
  request.EquationId = kStrainEquationId;
  bool complete = true;
  auto number = [&complete](const std::string& cell) {
    std::string text = FormatTrimmed(CellValue(cell), 10);
    if (text.empty()) complete = false;
    return text;
  };
  for (int column : kFittedColumns) {
    const std::string& typed = sheet.Parameter(StrainSheet::kInitialRow, column);
    if (TrimView(typed).empty()) complete = false;
    request.InitialValues.push_back(typed);
  }
  request.Constants.push_back(number(sheet.Parameter(StrainSheet::kInitialRow, StrainSheet::kPhiPeak)));
  for (int column : kFittedColumns)
    request.Bounds.emplace_back(number(sheet.Parameter(StrainSheet::kMinimumRow, column)),
                                number(sheet.Parameter(StrainSheet::kMaximumRow, column)));
  for (const CDPoint& point : model_.ExperimentPoints())
    request.Points.emplace_back(FormatFixed(point.x, 8), FormatFixed(point.y, 8));
  return complete;
}

bool StrainFitRun::FitOnce() {
  if (model_.ExperimentPoints().empty()) return false;
  EngineRequest request;
  // An empty item would shift every later one in the engine's reading and
  // fit nonsense; such a trial changes nothing instead.
  if (!BuildRequest(request)) return false;
  const EngineResult result = caller_.Fit(request, kStrainParameterCount);
  if (!result.Fitted() || IsNoValue(result.Residual)) return false;

  StrainSheet& sheet = model_.Sheet();
  const std::string& shownText = sheet.Result(StrainSheet::kResidualColumn);
  const double shown = TrimView(shownText).empty() ? kStartResidual : CellValue(shownText);
  if (!(result.Residual < shown)) return false;

  const auto& p = result.Parameters;
  const double phiPeak = CellValue(sheet.Parameter(StrainSheet::kInitialRow, StrainSheet::kPhiPeak));
  const double a2 = IsNoValue(phiPeak) || IsNoValue(p[0]) ? kNoValue : phiPeak - p[0];
  const std::array<double, 6> results = {p[0], p[1], p[2], a2, p[3], p[4]};
  for (int i = 0; i < 6; ++i) sheet.Result(i + 1) = CellNumberText(results[static_cast<std::size_t>(i)]);
  sheet.Result(StrainSheet::kResidualColumn) = ResidualText(result.Residual);
  StrainFormRecord& record = model_.Record();
  record.Results = results;
  record.Residual = result.Residual;
  model_.RebuildGraphSeries();
  return true;
}

}  // namespace quorvel
