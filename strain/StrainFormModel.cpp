#include "strain/StrainFormModel.h"

#include <algorithm>
#include <cstddef>

#include "graph/StrainCurve.h"
#include "host/EngineCaller.h"
#include "host/InvalidArgument.h"
#include "host/Language.h"
#include "host/RetrySettings.h"
#include "host/StringTable.h"

namespace quorvel {
namespace {

constexpr double kExperimentMinimum = 0.0;
constexpr double kExperimentMaximum = 100.0;
constexpr double kA1Limit = 10000.0;
constexpr double kParameterCap = 10000.0;
constexpr double kTimeMinimum = 0.01;
// Pitches the automatic x axis chooses from, smallest first.
constexpr double kPitches[] = {0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000};
// Curve samples are 0.01 apart; a runaway axis must not make millions.
constexpr int kMaximumCurveSamples = 200001;

void CheckIndex(int index, int first, int last) {
  if (index < first || index > last) throw InvalidArgument("strain grid cell outside the grid");
}

const char* Text(int languageId, const char* japanese, const char* english) {
  return languageId == kJapanese ? japanese : english;
}

}  // namespace

std::string CellNumberText(double v) { return FormatTrimmed(v, 10); }
std::string ResidualText(double v) { return FormatExp(v, 6); }
double CellValue6(std::string_view text) { return ParseDoubleRounded(6, text); }
double CellValue(std::string_view text) { return ParseDoubleRounded(-1, text); }

int StrainGraphKind(int argument) { return argument == 1 ? 4 : 2; }

// ---------------------------------------------------------------- StrainSheet

void StrainSheet::ResizeExperiment(int rows) { experiment_.assign(static_cast<std::size_t>(std::max(rows, 0)), {}); }

void StrainSheet::GrowExperiment(int rows) {
  if (rows > ExperimentRows()) experiment_.resize(static_cast<std::size_t>(rows));
}

std::string& StrainSheet::Experiment(int row, int column) {
  CheckIndex(row, 1, ExperimentRows());
  CheckIndex(column, 1, 2);
  return experiment_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

const std::string& StrainSheet::Experiment(int row, int column) const {
  return const_cast<StrainSheet*>(this)->Experiment(row, column);
}

std::string& StrainSheet::Parameter(int row, int column) {
  CheckIndex(row, 1, 3);
  CheckIndex(column, 1, kColumnCount);
  return parameters_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

const std::string& StrainSheet::Parameter(int row, int column) const {
  return const_cast<StrainSheet*>(this)->Parameter(row, column);
}

std::string& StrainSheet::Result(int column) {
  CheckIndex(column, 1, kColumnCount);
  return results_[static_cast<std::size_t>(column - 1)];
}

const std::string& StrainSheet::Result(int column) const { return const_cast<StrainSheet*>(this)->Result(column); }

int StrainSheet::ColumnOfParameter(int parameterRow) {
  static constexpr int kColumns[] = {kA1, kT1, kD1, kT2, kD2};
  CheckIndex(parameterRow, 0, 4);
  return kColumns[parameterRow];
}

// ----------------------------------------------------------- StrainFormModel

StrainFormModel::StrainFormModel(StrainFormRecord& record, int languageId) : record_(record), languageId_(languageId) {}

void StrainFormModel::FillFromRecord() {
  const CPointDataList* data = record_.ExperimentData();
  const int points = data != nullptr ? static_cast<int>(data->PointCount()) : 0;
  sheet_.ResizeExperiment(std::max(points, StrainSheet::kMinimumExperimentRows));
  for (int i = 0; i < points; ++i) {
    const CDPoint& point = data->Point(static_cast<std::size_t>(i));
    sheet_.Experiment(i + 1, 1) = CellNumberText(point.x);
    sheet_.Experiment(i + 1, 2) = CellNumberText(point.y);
  }
  for (int row = 1; row <= 3; ++row)
    for (int column = 1; column <= StrainSheet::kColumnCount; ++column) sheet_.Parameter(row, column).clear();
  sheet_.Parameter(StrainSheet::kInitialRow, StrainSheet::kPhiPeak) = CellNumberText(record_.PeakFrictionAngle);
  for (int r = 0; r < 5; ++r) FillParameterRow(StrainSheet::ColumnOfParameter(r), r);
  const double a1 = record_.Parameters[StrainFormRecord::kA1][StrainFormRecord::kInitial];
  const double phi = record_.PeakFrictionAngle;
  sheet_.Parameter(StrainSheet::kInitialRow, StrainSheet::kA2) =
      IsNoValue(a1) || IsNoValue(phi) ? std::string() : CellNumberText(phi - a1);
  for (int i = 0; i < 6; ++i) sheet_.Result(i + 1) = CellNumberText(record_.Results[static_cast<std::size_t>(i)]);
  sheet_.Result(StrainSheet::kResidualColumn) = ResidualText(record_.Residual);
  RebuildGraphSeries();
}

void StrainFormModel::FillParameterRow(int column, int parameterRow) {
  const auto& values = record_.Parameters[static_cast<std::size_t>(parameterRow)];
  for (int k = 0; k < 3; ++k) sheet_.Parameter(k + 1, column) = CellNumberText(values[static_cast<std::size_t>(k)]);
}

void StrainFormModel::ExperimentCellChanged(int row, int column) {
  std::string& cell = sheet_.Experiment(row, column);
  const double v = CellValue6(cell);
  // An emptied cell reads as the no-value marker and so becomes the minimum.
  if (v < kExperimentMinimum)
    cell = CellNumberText(kExperimentMinimum);
  else if (v > kExperimentMaximum)
    cell = CellNumberText(kExperimentMaximum);
  RebuildGraphSeries();
  record_.Unchanged = false;
}

void StrainFormModel::ParameterCellChanged(int row, int column) {
  std::string& cell = sheet_.Parameter(row, column);
  double v = CellValue6(cell);
  if (column == StrainSheet::kA1) {
    v = std::clamp(v, -kA1Limit, kA1Limit);
  } else {
    if ((column == StrainSheet::kD1 || column == StrainSheet::kD2) && v < 0.0) v = 0.0;
    if ((column == StrainSheet::kT1 || column == StrainSheet::kT2) && v < kTimeMinimum) v = kTimeMinimum;
    if (v >= kParameterCap) v = kParameterCap;
  }
  cell = CellNumberText(v);
  if (column == StrainSheet::kA1) {
    // The second term's amplitude is what the peak angle leaves of the first.
    const double a1 = CellValue6(sheet_.Parameter(StrainSheet::kInitialRow, StrainSheet::kA1));
    const double phi = CellValue6(sheet_.Parameter(StrainSheet::kInitialRow, StrainSheet::kPhiPeak));
    sheet_.Parameter(StrainSheet::kInitialRow, StrainSheet::kA2) =
        IsNoValue(a1) || IsNoValue(phi) ? std::string() : CellNumberText(phi - a1);
  }
  StoreParameters();
  record_.Unchanged = false;
}

void StrainFormModel::ResultCellChanged(int column) {
  std::string& cell = sheet_.Result(column);
  double v = CellValue6(cell);
  if (column != 1 && column != 4 && v < 0.0) {
    v = 0.0;
    cell = column == StrainSheet::kResidualColumn ? ResidualText(v) : CellNumberText(v);
  }
  // What the grid shows is what goes back to the host and what is drawn.
  if (column == StrainSheet::kResidualColumn)
    record_.Residual = v;
  else
    record_.Results[static_cast<std::size_t>(column - 1)] = v;
  RebuildGraphSeries();
  record_.Unchanged = false;
}

void StrainFormModel::ClearExperimentBlock(int row1, int column1, int row2, int column2) {
  const int top = std::max(1, std::min(row1, row2)), bottom = std::min(sheet_.ExperimentRows(), std::max(row1, row2));
  const int left = std::max(1, std::min(column1, column2)), right = std::min(2, std::max(column1, column2));
  for (int row = top; row <= bottom; ++row)
    for (int column = left; column <= right; ++column) sheet_.Experiment(row, column).clear();
  RebuildGraphSeries();
  record_.Unchanged = false;
}

void StrainFormModel::ClearParameterBlock(int row1, int column1, int row2, int column2) {
  const int top = std::max(1, std::min(row1, row2)), bottom = std::min(3, std::max(row1, row2));
  const int left = std::max(1, std::min(column1, column2));
  const int right = std::min(StrainSheet::kColumnCount, std::max(column1, column2));
  for (int row = top; row <= bottom; ++row)
    for (int column = left; column <= right; ++column) sheet_.Parameter(row, column).clear();
  StoreParameters();
  record_.Unchanged = false;
}

std::string StrainFormModel::MaximumTrialsChanged(std::string_view text) {
  // An emptied field stands for the field's default, not the previous count.
  int trials = TrimView(text).empty() ? kDefaultMaximumTrials : ParseInt(text);
  if (trials < kMinimumTrials) trials = kMinimumTrials;
  if (trials != record_.Retry.MaximumTrials) {
    record_.Retry.MaximumTrials = trials;
    record_.Unchanged = false;
  }
  return FormatInt(trials);
}

std::string StrainFormModel::ToleranceChanged(std::string_view text) {
  double tolerance = ParseExpRounded(3, text);
  // A value outside the accepted range leaves the previous tolerance.
  if (IsNoValue(tolerance) || !(tolerance >= kMinimumTolerance && tolerance <= kMaximumTolerance))
    tolerance = record_.Retry.Tolerance;
  record_.Retry.Tolerance = tolerance;
  record_.Unchanged = false;
  return FormatExp(tolerance, 3);
}

void StrainFormModel::RandomRetryChanged(bool on) {
  record_.Retry.RandomStartAllowed = on ? 1 : 0;
  record_.Unchanged = false;
}

void StrainFormModel::ArgumentChanged(int argument) {
  record_.Argument = argument;
  RebuildGraphSeries();
  record_.Unchanged = false;
}

void StrainFormModel::AllClear() {
  record_.DataSets.Clear();
  StrainFormRecord::ResetGraphAxes(record_.DataSets);
  record_.PeakFrictionAngle = kNoValue;
  for (auto& row : record_.Parameters) row.fill(kNoValue);
  record_.Results.fill(kNoValue);
  record_.Residual = kNoValue;
  record_.Retry = RetrySettings{};
  record_.NotFinished = true;
  record_.Unchanged = false;
  sheet_.ResizeExperiment(0);
  FillFromRecord();
}

bool StrainFormModel::StartEnabled() const {
  if (sheet_.ExperimentRows() < 2) return false;
  for (int row = 1; row <= 2; ++row)
    for (int column = 1; column <= 2; ++column)
      if (TrimView(sheet_.Experiment(row, column)).empty()) return false;
  return true;
}

double StrainFormModel::ShownResidual() const { return CellValue(sheet_.Result(StrainSheet::kResidualColumn)); }

bool StrainFormModel::ResidualAboveTolerance() const {
  const double residual = ShownResidual();
  return !IsNoValue(residual) && residual > record_.Retry.Tolerance;
}

std::string StrainFormModel::ExperimentColumnTitle(int column) const {
  if (column == 2) return LoadString(10052, languageId_) + "\n(deg)";
  if (record_.Argument == 1) return LoadString(10051, languageId_) + Text(languageId_, "\n(-)", " (-)");
  return LoadString(10050, languageId_) + "\n(%)";
}

std::string StrainFormModel::CopyText() const {
  std::string text = ExperimentColumnTitle(1) + "\t" + ExperimentColumnTitle(2) + "\n";
  for (int row = 1; row <= sheet_.ExperimentRows(); ++row)
    text += sheet_.Experiment(row, 1) + "\t" + sheet_.Experiment(row, 2) + "\n";
  return text;
}

StrainOkStep StrainFormModel::OkStep() const {
  if (record_.Unchanged) return StrainOkStep::EndAsCancel;
  if (record_.NotFinished) return StrainOkStep::ShowNotFinished;
  if (ResidualAboveTolerance()) return StrainOkStep::AskResidual;
  return StrainOkStep::WriteAnswer;
}

std::vector<CDPoint> StrainFormModel::ExperimentPoints() const {
  std::vector<CDPoint> points;
  for (int row = 1; row <= sheet_.ExperimentRows(); ++row) {
    const double x = CellValue(sheet_.Experiment(row, 1));
    const double y = CellValue(sheet_.Experiment(row, 2));
    if (!IsNoValue(x) && !IsNoValue(y)) points.emplace_back(x, y);
  }
  return points;
}

void StrainFormModel::StoreParameters() {
  record_.PeakFrictionAngle = CellValue(sheet_.Parameter(StrainSheet::kInitialRow, StrainSheet::kPhiPeak));
  for (int r = 0; r < 5; ++r) {
    const int column = StrainSheet::ColumnOfParameter(r);
    for (int k = 0; k < 3; ++k)
      record_.Parameters[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] =
          CellValue(sheet_.Parameter(k + 1, column));
  }
}

void StrainFormModel::RebuildGraphSeries() { Rebuild(record_.DataSets.AutomaticAdjustment); }

void StrainFormModel::DrawingSettingsChanged() {
  const DataSetList& graph = record_.DataSets;
  Rebuild(graph.AutomaticAdjustment && graph.RangesOutOfDate);
}

void StrainFormModel::Rebuild(bool recomputeAxes) {
  const std::vector<CDPoint> points = ExperimentPoints();
  DataSetList& graph = record_.DataSets;
  graph.Clear();
  CPointDataList& data = graph.Append(CPointDataList(LoadString(10055, languageId_)));
  data.Colour = record_.Colours.StrainDataColour();
  data.HasLegend = true;
  for (const CDPoint& point : points) data.AppendPoint(point);
  if (recomputeAxes) UpdateAxes(points);

  // No curve from results that hold no value (after "All clear") or only zeros.
  const auto& results = record_.Results;
  const bool anyMissing = std::any_of(results.begin(), results.end(), [](double v) { return IsNoValue(v); });
  const bool anyNonZero = std::any_of(results.begin(), results.end(), [](double v) { return v != 0.0; });
  curve_ = CPointDataList(Text(languageId_, "近似曲線", "fitting curve"));
  hasCurve_ = !anyMissing && anyNonZero;
  if (!hasCurve_) return;
  CPointDataList& curve = curve_;
  curve.Colour = record_.Colours.StrainCurveColour();
  curve.HasLegend = true;
  for (int i = 0; i < kMaximumCurveSamples; ++i) {
    const double x = i * 0.01;
    if (!(x <= graph.XMaximum + 0.01)) break;
    curve.AppendPoint(x, StrainCurveValue(results, x));
  }
}

void StrainFormModel::UpdateAxes(const std::vector<CDPoint>& points) {
  DataSetList& graph = record_.DataSets;
  if (points.size() < 2) {
    graph.XMinimum = 0.0;
    graph.XMaximum = 20.0;
    graph.YMinimum = 0.0;
    graph.YMaximum = 20.0;
  } else {
    auto [xMin, xMax] =
        std::minmax_element(points.begin(), points.end(), [](const CDPoint& a, const CDPoint& b) { return a.x < b.x; });
    auto [yMin, yMax] =
        std::minmax_element(points.begin(), points.end(), [](const CDPoint& a, const CDPoint& b) { return a.y < b.y; });
    // The span is measured from the x minimum in force before this update.
    const double span = xMax->x - graph.XMinimum;
    double pitch = 1000.0;
    for (double candidate : kPitches)
      if (candidate > span / 5.0) {
        pitch = candidate;
        break;
      }
    graph.XMinimum = xMin->x;
    graph.XMaximum = xMax->x;
    graph.XPitch = pitch;
    graph.YMinimum = yMin->y;
    graph.YMaximum = yMax->y;
    graph.SnapYRange();
  }
  graph.RangesOutOfDate = false;
}

}  // namespace quorvel
