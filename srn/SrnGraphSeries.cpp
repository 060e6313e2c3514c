#include "srn/SrnGraphSeries.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/EngineCaller.h"

namespace quorvel {
namespace {

// A sampling that runs away (an absurd axis maximum) is cut here.
constexpr std::size_t kMostSamples = 200000;
// SR-N curves over more unit steps than this (huge N from a loaded file) are
// sampled evenly on the log axis instead: they look the same and draw fast.
constexpr std::size_t kMostUnitSteps = 100000;

bool IsFittedConstant(const CEqBase& curve) { return curve.GetEquationId() >= 2; }

// The host sends all-zero parameters for a set it never fitted.
bool IsUnfitted(const CEqBase& curve) {
  return std::all_of(curve.Params.begin(), curve.Params.end(), [](double p) { return p == 0.0; });
}

bool IsPoint(const CDPoint& point) {
  return !IsNoValue(point.x) && !IsNoValue(point.y) && std::isfinite(point.x) && std::isfinite(point.y);
}

void Sample(CPointDataList& series, const CEqBase& curve, double first, double step, double last) {
  for (std::size_t i = 0; i < kMostSamples; ++i) {
    const double x = first + static_cast<double>(i) * step;
    if (x > last) break;
    series.AppendPoint(x, curve.Evaluate(x));
  }
}

// x = first, first + 1, ... while x <= last; over too many steps, evenly on the log axis.
void SampleAcross(CPointDataList& series, const CEqBase& curve, double first, double last) {
  if (!std::isfinite(first) || !std::isfinite(last) || last < first) return;
  if (std::floor(last - first) < static_cast<double>(kMostUnitSteps)) {
    Sample(series, curve, first, 1.0, last);
    return;
  }
  const double low = std::log10(std::max(first, 1e-3));
  const double high = std::log10(last);
  for (std::size_t i = 0; i < kMostUnitSteps; ++i) {
    const double x =
        std::pow(10.0, low + (high - low) * static_cast<double>(i) / static_cast<double>(kMostUnitSteps - 1));
    series.AppendPoint(x, curve.Evaluate(x));
  }
}

}  // namespace

bool AdjustSrnRanges(DataSetList& sets) {
  if (!sets.AutomaticAdjustment) return false;
  double xMin = std::numeric_limits<double>::infinity();
  double xMax = -xMin;
  double yMin = xMin;
  double yMax = -xMin;
  for (std::size_t i = 0; i < sets.Count(); ++i) {
    for (const CDPoint& point : sets.At(i).Points()) {
      if (!IsPoint(point)) continue;
      xMin = std::min(xMin, point.x);
      xMax = std::max(xMax, point.x);
      yMin = std::min(yMin, point.y);
      yMax = std::max(yMax, point.y);
    }
  }
  if (!std::isfinite(xMin)) return false;
  const double decade = xMax > 0 ? std::floor(std::log10(xMax)) : 0.0;
  sets.XMinimum = xMin;
  sets.XMaximum = std::pow(10.0, decade + 1.0);
  sets.YMinimum = yMin;
  sets.YMaximum = yMax;
  sets.SnapYRange();
  return true;
}

bool AdjustDaRanges(DataSetList& lists) {
  if (!(lists.RangesOutOfDate && lists.AutomaticAdjustment)) return false;
  double daMin = 0.0;
  double daMax = 100.0;
  double yMax = -std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < lists.Count(); ++i) {
    for (const CDPoint& point : lists.At(i).Points()) {
      daMin = std::min(daMin, point.x);
      daMax = std::max(daMax, point.x);
      yMax = std::max(yMax, point.y);
    }
  }
  lists.XMinimum = daMin;
  lists.XMaximum = daMax;
  lists.YMinimum = 0.0;
  lists.YMaximum = std::isfinite(yMax) ? yMax : 0.1;
  lists.SnapYRange();
  lists.RangesOutOfDate = false;
  return true;
}

std::vector<CPointDataList> FittedSrnCurveSeries(const EquationList& curves, const ColourRecord& colours, double firstX,
                                                 double lastX, bool japanese) {
  std::vector<CPointDataList> series;
  for (std::size_t k = 0; k < curves.Count(); ++k) {
    const CEqBase& curve = curves.At(k);
    // A legend entry for an unfitted curve would name a line that is not there.
    if (IsUnfitted(curve)) continue;
    CPointDataList list(japanese ? curve.Name + "%近似曲線" : "fitting curve of the " + curve.Name + "%");
    list.HasLegend = true;
    list.Colour = colours.Entry(k < 60 ? static_cast<int>(k % 10) + 1 : 1);
    SampleAcross(list, curve, firstX, lastX);
    series.push_back(std::move(list));
  }
  return series;
}

std::vector<CPointDataList> SrnPageCurveSeries(const SrnFormRecord& form, bool japanese) {
  const DataSetList& sets = form.DataSets;
  return FittedSrnCurveSeries(form.SrnCurves, form.Colours, sets.XMinimum, sets.XMaximum + 1.0, japanese);
}

std::vector<CPointDataList> ConstantCurveSeries(const EquationList& constants, const ColourRecord& colours,
                                                double lastDa, bool japanese) {
  std::vector<CPointDataList> series;
  for (std::size_t k = 0; k < constants.Count() && k < 3; ++k) {
    const CEqBase& curve = constants.At(k);
    if (!IsFittedConstant(curve)) continue;
    CPointDataList list(japanese ? curve.Name + "近似曲線" : "fitting curve of the " + curve.Name);
    list.HasLegend = true;
    list.Colour = colours.ConstantColour(k);
    Sample(list, curve, 0.0, 0.01, lastDa);
    series.push_back(std::move(list));
  }
  return series;
}

std::vector<double> EstimatedCurveLevels() {
  std::vector<double> levels;
  for (int i = 0; i <= 13; ++i) levels.push_back(0.5 + 1.5 * i);
  for (double da : {40.0, 60.0, 80.0, 100.0}) levels.push_back(da);
  return levels;
}

std::vector<CPointDataList> EstimatedSrnCurveSeries(const EquationList& constants, const ColourRecord& colours,
                                                    double lastN, bool japanese) {
  std::vector<CPointDataList> series;
  if (constants.Count() < 3) return series;
  for (std::size_t k = 0; k < 3; ++k)
    if (!IsFittedConstant(constants.At(k))) return series;
  const std::string word = japanese ? "(推定)" : "(Estimation)";
  const std::vector<double> levels = EstimatedCurveLevels();
  const std::size_t middleCount = 12;  // 2.0 .. 18.5
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const double da = levels[i];
    CEq1Param curve;
    curve.AppendParam(constants.At(0).Evaluate(da));
    curve.AppendParam(constants.At(1).Evaluate(da));
    curve.AppendParam(constants.At(2).Evaluate(da));
    CPointDataList list;
    if (i == 0 || i == 13) {
      list.Name = FormatTrimmed(da, 10) + "%" + word;
      list.Colour = colours.EstimatedCurveColour(0);
      list.HasLegend = true;
    } else if (i <= middleCount) {
      list.Name = FormatTrimmed(levels[1], 10) + "～" + FormatTrimmed(levels[middleCount], 10) + "%" + word;
      list.Colour = colours.EstimatedCurveColour(1);
      list.HasLegend = i == 1;
    } else {
      list.Name = "40,60,80,100%" + word;
      list.Colour = colours.EstimatedCurveColour(2);
      list.HasLegend = i == 14;
    }
    curve.Name = list.Name;
    Sample(list, curve, 1.0, 1.0, lastN);
    series.push_back(std::move(list));
  }
  return series;
}

}  // namespace quorvel
