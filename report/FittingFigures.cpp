#include "report/FittingFigures.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "graph/GraphDrawer.h"
#include "graph/StrainCurve.h"
#include "records/GdProject.h"
#include "srn/EqBase.h"
#include "srn/SrnFormRecord.h"
#include "srn/SrnGraphSeries.h"

namespace quorvel {
namespace {

enum class Figure { kStrain, kSrn, kCurves, kSrnFigure };

// The zero-based index after `prefix`, or nothing when the rest is not a plain number.
std::optional<std::size_t> IndexAfter(const std::string& name, const std::string& prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  const std::string digits = name.substr(prefix.size());
  if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return static_cast<std::size_t>(std::stoul(digits));
}

bool Finite(double v) { return !IsNoValue(v) && std::isfinite(v); }

double NiceCeiling(double v) {
  if (!(v > 0)) return 1.0;
  const double power = std::pow(10.0, std::floor(std::log10(v)));
  for (double f : {1.0, 2.0, 2.5, 5.0, 10.0})
    if (f * power >= v) return f * power;
  return 10.0 * power;
}

// The graph renderer's report drawing into `area`, in units of 0.14 mm: its
// report text sizes, made for tenths of a millimetre, read small in a half-width frame.
void Render(QPainter& painter, CGraphDrawer& drawer, const QRectF& area) {
  constexpr double kTwipsPerUnit = 1440.0 / 254.0 * 1.4;
  painter.save();
  painter.translate(area.topLeft());
  painter.scale(kTwipsPerUnit, kTwipsPerUnit);
  const int width = static_cast<int>(area.width() / kTwipsPerUnit);
  const int height = static_cast<int>(area.height() / kTwipsPerUnit);
  drawer.SetFontScale(kReportFontScale);
  drawer.SetLegendSpacing(kReportLegendSpacing);
  // Room for the tick labels and titles left and below, the legend right.
  drawer.SetPlotArea({width * 17 / 100, height * 6 / 100, width * 74 / 100, height * 84 / 100});
  drawer.DrawReport(painter, QRect(0, 0, width, height));
  painter.restore();
}

void DrawStrain(QPainter& painter, const clsGdSdParameter& fit, const QRectF& area) {
  const ColourRecord colours = ColourRecord::Defaults();
  DataSetList data;
  CPointDataList& points = data.Append(CPointDataList("試験値"));
  points.Colour = colours.StrainDataColour();
  double xMax = 0, yMax = 0;
  for (std::size_t r = 0; r < fit.TestPoints.RowCount(); ++r) {
    const double x = fit.TestPoints.At(r, 0), y = fit.TestPoints.At(r, 1);
    if (!Finite(x) || !Finite(y)) continue;
    points.AppendPoint(x, y);
    xMax = std::max(xMax, x);
    yMax = std::max(yMax, y);
  }
  if (Finite(fit.PeakFrictionAngle)) yMax = std::max(yMax, fit.PeakFrictionAngle);
  data.XMinimum = 0;
  data.XMaximum = NiceCeiling(xMax);
  data.XPitch = data.XMaximum / 5;
  data.YMinimum = 0;
  data.YMaximum = NiceCeiling(yMax);
  data.YPitch = data.YMaximum / 5;
  data.RangesOutOfDate = false;

  CPointDataList curve("近似曲線");
  curve.Colour = colours.StrainCurveColour();
  std::array<double, 6> results{};
  bool complete = fit.Results.RowCount() >= 6;
  for (std::size_t i = 0; complete && i < 6; ++i) {
    results[i] = fit.Results.At(i, 0);
    complete = Finite(results[i]);
  }
  std::vector<const CPointDataList*> curves;
  if (complete && std::any_of(results.begin(), results.end(), [](double v) { return v != 0.0; })) {
    for (int i = 0; i <= 100000; ++i) {
      const double x = i * 0.01;
      if (!(x <= data.XMaximum + 0.01)) break;
      curve.AppendPoint(x, StrainCurveValue(results, x));
    }
    curves.push_back(&curve);
  }
  CGraphDrawer drawer;
  drawer.SetSeries(curves, &data, &colours, fit.Argument == 1 ? kGraphStrainDamage : kGraphStrainDa);
  Render(painter, drawer, area);
}

// The SR-N sets as data sets (one per DA level) and their fitted curves.
void SrnSets(const clsGdSrnParameter& srn, DataSetList& sets, EquationList& curves) {
  for (const clsGdSrnData& set : srn.Sets) {
    CPointDataList& list = sets.Append(CPointDataList(FormatInt(set.DaLevelPercent)));
    for (std::size_t r = 0; r < set.Points.RowCount(); ++r) list.AppendPoint(set.Points.At(r, 0), set.Points.At(r, 1));
    auto equation = std::make_unique<CEq1Param>();
    for (std::size_t i = 0; i < 3; ++i) equation->AppendParam(i < set.Fitted.size() ? set.Fitted[i] : 0.0);
    equation->Name = FormatInt(set.DaLevelPercent);
    equation->Residual = set.Residual;
    equation->Selected = set.Selected;
    curves.Append(std::move(equation));
  }
  AdjustSrnRanges(sets);
}

// Alpha, beta and C as the constants page holds them: the curve shape's class
// with the fitted parameters.
EquationList ConstantCurves(const clsGdDsParameter& ds) {
  EquationList constants;
  for (std::size_t k = 0; k < 3 && k < ds.Curves.RowCount(); ++k) {
    std::unique_ptr<CEqBase> equation = MakeEquationForFunctionCode(ds.FunctionCode);
    const auto count = static_cast<std::size_t>(ParameterCountForEquationId(equation->GetEquationId()));
    for (std::size_t i = 0; i < count; ++i) equation->AppendParam(ds.Curves.At(k, i + 1));
    equation->Name = kConstantNames[k];
    equation->Residual = ds.Curves.At(k, 0);
    constants.Append(std::move(equation));
  }
  return constants;
}

void DrawSrn(QPainter& painter, const clsGdSrnParameter& srn, const QRectF& area) {
  const ColourRecord colours = ColourRecord::Defaults();
  DataSetList sets;
  EquationList equations;
  SrnSets(srn, sets, equations);
  const std::vector<CPointDataList> series =
      FittedSrnCurveSeries(equations, colours, sets.XMinimum, sets.XMaximum + 1, true);
  std::vector<const CPointDataList*> curves;
  for (const CPointDataList& s : series) curves.push_back(&s);
  CGraphDrawer drawer;
  drawer.SetSeries(curves, &sets, &colours, kGraphSrn);
  Render(painter, drawer, area);
}

void DrawCurves(QPainter& painter, const clsGdDsParameter& ds, const clsGdDamageA* table, const QRectF& area) {
  const ColourRecord colours = ColourRecord::Defaults();
  DataSetList lists;
  for (std::size_t k = 0; k < 3; ++k) {
    CPointDataList& list = lists.Append(CPointDataList(kConstantNames[k]));
    if (table == nullptr) continue;
    for (std::size_t r = 0; r < table->Constants.RowCount(); ++r)
      list.AppendPoint(table->Constants.At(r, 0), table->Constants.At(r, k + 1));
  }
  AdjustDaRanges(lists);
  const EquationList constants = ConstantCurves(ds);
  const std::vector<CPointDataList> series = ConstantCurveSeries(constants, colours, lists.XMaximum, true);
  std::vector<const CPointDataList*> curves;
  for (const CPointDataList& s : series) curves.push_back(&s);
  CGraphDrawer drawer;
  drawer.SetSeries(curves, &lists, &colours, kGraphConstants);
  Render(painter, drawer, area);
}

void DrawSrnFigure(QPainter& painter, const GdSrnLayerParameters& layer, const QRectF& area) {
  const ColourRecord colours = ColourRecord::Defaults();
  DataSetList sets;
  EquationList equations;
  SrnSets(layer.Srn, sets, equations);
  std::vector<CPointDataList> series = FittedSrnCurveSeries(equations, colours, sets.XMinimum, sets.XMaximum + 1, true);
  const std::vector<CPointDataList> estimated =
      EstimatedSrnCurveSeries(ConstantCurves(layer.Ds), colours, sets.XMaximum, true);
  series.insert(series.end(), estimated.begin(), estimated.end());
  std::vector<const CPointDataList*> curves;
  for (const CPointDataList& s : series) curves.push_back(&s);
  CGraphDrawer drawer;
  drawer.SetSeries(curves, &sets, &colours, kGraphSrnView);
  Render(painter, drawer, area);
}

}  // namespace

bool DrawFittingFrame(QPainter& painter, const clsGdProject& project, const std::string& name, const QRectF& area) {
  const auto& strains = project.DamageB.StrainFits.Parameters;
  const auto& layers = project.DamageA.SrnFits.Layers;
  if (const auto n = IndexAfter(name, kStrainFramePrefix)) {
    if (*n < strains.size()) DrawStrain(painter, strains[*n], area);
    return true;
  }
  if (const auto n = IndexAfter(name, kSrnFramePrefix)) {
    if (*n < layers.size()) DrawSrn(painter, layers[*n].Srn, area);
    return true;
  }
  if (const auto n = IndexAfter(name, kCurvesFramePrefix)) {
    const auto& tables = project.DamageA.Tables;
    if (*n < layers.size()) DrawCurves(painter, layers[*n].Ds, *n < tables.size() ? &tables[*n] : nullptr, area);
    return true;
  }
  if (const auto n = IndexAfter(name, kSrnFigureFramePrefix)) {
    if (*n < layers.size()) DrawSrnFigure(painter, layers[*n], area);
    return true;
  }
  return false;
}

}  // namespace quorvel
