#include "engine/StageModels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace lunvex {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kAtmosphere = 101.325;  // kPa
constexpr double kLowestPressureRatio = 0.01;

// Truncation to an int as C would do it, made total: NaN counts as 0 and
// values beyond the int range stop at its ends.
std::int64_t TruncateToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483648LL;
  return static_cast<std::int64_t>(v);
}

double PressureRatio(double confiningPressure) {
  return std::max(confiningPressure / kAtmosphere, kLowestPressureRatio);
}
}  // namespace

StageCounter::StageCounter(std::span<const double> constants, std::size_t extra) : consumed_(constants.size()) {
  if (constants.empty()) return;
  const std::int64_t k = TruncateToInt(constants[0]);
  if (k < 1) {
    consumed_ = 1;
    return;
  }
  const auto count = static_cast<std::size_t>(k);
  if ((constants.size() - 1 - std::min(extra, constants.size() - 1)) / 3 < count) return;
  boundaries_.reserve(count);
  stages_.reserve(count);
  for (std::size_t j = 0; j < count; ++j) {
    boundaries_.push_back(TruncateToInt(constants[1 + j]));
    stages_.push_back({constants[1 + count + j], constants[1 + 2 * count + j]});
  }
  consumed_ = 1 + 3 * count;
}

const StageCounter::Stage& StageCounter::NextStage() {
  if (counter_ == boundaries_.back()) counter_ = 0;
  std::size_t stage = 0;
  for (std::size_t j = 0; j < boundaries_.size(); ++j) {
    if (counter_ < boundaries_[j]) {
      stage = j;
      break;
    }
  }
  ++counter_;
  return stages_[stage];
}

CalcDuncanChangModel::CalcDuncanChangModel(std::vector<double> xValues, std::vector<double> yValues,
                                           std::span<const double> constants)
    : Cappfunc(std::move(xValues), std::move(yValues)), stages_(constants, 0) {
  if (stages_.HasStages()) SetBounds(constants.subspan(stages_.ConsumedCount()));
}

double CalcDuncanChangModel::CalcValue(std::span<double> p, double x) {
  if (!HoldsParameters(p)) return kNaN;
  ClampToBounds(p);
  if (!stages_.HasStages()) return kNaN;
  const StageCounter::Stage& stage = stages_.NextStage();
  const double s = PressureRatio(stage.confiningPressure);
  const double initialModulus = p[0] * kAtmosphere * std::pow(s, p[1]);
  const double qf = stage.failureDeviatorStress;
  return initialModulus * qf * x / (initialModulus * p[2] * x + qf);
}

CalcDCPoisson::CalcDCPoisson(std::vector<double> xValues, std::vector<double> yValues,
                             std::span<const double> constants)
    : Cappfunc(std::move(xValues), std::move(yValues)), stages_(constants, 3) {
  if (!stages_.HasStages()) return;
  const std::size_t at = stages_.ConsumedCount();
  modulusNumber_ = constants[at];
  modulusExponent_ = constants[at + 1];
  failureRatio_ = constants[at + 2];
  SetBounds(constants.subspan(at + 3));
}

double CalcDCPoisson::CalcValue(std::span<double> p, double x) {
  if (!HoldsParameters(p)) return kNaN;
  ClampToBounds(p);
  if (!stages_.HasStages()) return kNaN;
  const StageCounter::Stage& stage = stages_.NextStage();
  const double s = PressureRatio(stage.confiningPressure);
  const double initialModulus = std::pow(s, modulusExponent_) * (modulusNumber_ * kAtmosphere);
  const double denominator =
      1.0 - (p[2] * x / initialModulus) / (1.0 - failureRatio_ * x / stage.failureDeviatorStress);
  return (p[0] - std::log(s) * p[1]) / (denominator * denominator);
}

}  // namespace lunvex
