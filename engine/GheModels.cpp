#include "engine/GheModels.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

namespace lunvex {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kUnitTolerance = 1e-5;

bool NearOne(double v) { return std::fabs(v - 1.0) < kUnitTolerance; }

// A constant the vector does not hold is NaN, so a short vector spoils the
// values instead of reading past the end.
double ConstantAt(std::span<const double> constants, std::size_t i) {
  return i < constants.size() ? constants[i] : kNaN;
}

std::span<const double> AfterConstants(std::span<const double> constants, std::size_t count) {
  return constants.size() >= count ? constants.subspan(count) : std::span<const double>();
}
}  // namespace

CalcGHEGG0::CalcGHEGG0(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants)
    : Cappfunc(std::move(xValues), std::move(yValues)),
      c0_(ConstantAt(constants, 0)),
      c1_(ConstantAt(constants, 1)),
      pi_(4.0 * std::atan(1.0)) {
  if (constants.size() >= 2) SetBounds(AfterConstants(constants, 2));
}

double CalcGHEGG0::CalcValue(std::span<double> p, double x) {
  if (!HoldsParameters(p)) return kNaN;
  ClampToBounds(p);
  const double phi = p[0] / 180.0 * pi_;
  const double u = 1.0 / p[2];
  double a = (p[6] + p[5]) / 2.0 + std::cos(pi_ / (p[8] / u + 1.0)) * (p[5] - p[6]) / 2.0;
  if (a < 1.0) a = 1.001;
  const double b = std::cos(pi_ / (p[7] / u + 1.0));
  // The hyperbolic test looks at p4 as given (after clamping): with p3 = p5 =
  // p6 = 1, A is exactly 1 and the derived p4 is infinite, so testing the
  // derived value would never recognise the pinned hyperbolic case.
  const double givenP4 = p[4];
  derivedP4_ = (2.0 / ((1.0 - 1.0 / a) * u) - (b + 1.0) * p[3]) / (1.0 - b);
  p[4] = derivedP4_;
  const double referenceStrain = (std::tan(phi) * c0_ + p[1]) / p[2];
  if (NearOne(p[3]) && NearOne(givenP4) && NearOne(p[5]) && NearOne(p[6])) hyperbolic_ = true;
  const double bigX = x / (referenceStrain / c1_);
  const double p4 = derivedP4_;
  const double c1 = hyperbolic_ ? 1.0 : (p4 + p[3]) / 2.0 + std::cos(pi_ * bigX / (p[7] + bigX)) * (p[3] - p4) / 2.0;
  const double c2 =
      hyperbolic_ ? 1.0 : (p[6] + p[5]) / 2.0 + std::cos(pi_ * bigX / (bigX + p[8])) * (p[5] - p[6]) / 2.0;
  return 1.0 / (std::fabs(bigX) / c2 + 1.0 / c1);
}

CalcGHEhCurve::CalcGHEhCurve(std::vector<double> xValues, std::vector<double> yValues,
                             std::span<const double> constants)
    : Cappfunc(std::move(xValues), std::move(yValues)), pi_(4.0 * std::atan(1.0)) {
  for (std::size_t i = 0; i < 11; ++i) c_[i] = ConstantAt(constants, i);
  referenceStrain_ = (std::tan(c_[2] / 180.0 * pi_) * c_[0] + c_[3]) / c_[4];
  hyperbolic_ = NearOne(c_[5]) && NearOne(c_[6]) && NearOne(c_[7]) && NearOne(c_[8]);
  if (constants.size() >= 11) SetBounds(AfterConstants(constants, 11));
}

double CalcGHEhCurve::CalcValue(std::span<double> p, double x) {
  if (!HoldsParameters(p)) return kNaN;
  ClampToBounds(p);
  const double bigX = x / (referenceStrain_ / c_[1]);
  const double c1 =
      hyperbolic_ ? 1.0 : (c_[5] + c_[6]) / 2.0 + std::cos(pi_ * bigX / (c_[9] + bigX)) * (c_[5] - c_[6]) / 2.0;
  const double c2 =
      hyperbolic_ ? 1.0 : (c_[7] + c_[8]) / 2.0 + std::cos(pi_ * bigX / (c_[10] + bigX)) * (c_[7] - c_[8]) / 2.0;
  const double g = 1.0 / (std::fabs(bigX) / c2 + 1.0 / c1);
  return p[0] * std::pow(1.0 - g, p[1]);
}

}  // namespace lunvex
