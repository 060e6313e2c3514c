#include "engine/CurveModels.h"

#include <cmath>
#include <limits>
#include <utility>

namespace lunvex {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}  // namespace

// The curve shapes have no constants: the whole vector is the bound list.
CalcFunc_EQ1::CalcFunc_EQ1(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants)
    : Cappfunc(std::move(xValues), std::move(yValues)) {
  SetBounds(constants);
}

double CalcFunc_EQ1::CalcValue(std::span<double> p, double x) {
  if (!HoldsParameters(p)) return kNaN;
  ClampToBounds(p);
  return p[0] * std::pow(x, -p[1]) + p[2];
}

// c0 is fixed by the caller; a vector too short to hold it gives NaN values
// rather than a read past its end.
CalcFunc_EQ2::CalcFunc_EQ2(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants)
    : Cappfunc(std::move(xValues), std::move(yValues)), c0_(constants.empty() ? kNaN : constants[0]) {
  if (!constants.empty()) SetBounds(constants.subspan(1));
}

double CalcFunc_EQ2::CalcValue(std::span<double> p, double x) {
  if (!HoldsParameters(p)) return kNaN;
  ClampToBounds(p);
  return (c0_ - p[0]) * std::exp(-std::pow(x / p[3], p[4])) + p[0] * std::exp(-std::pow(x / p[1], p[2]));
}

CalcFunc_EQ3::CalcFunc_EQ3(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants)
    : Cappfunc(std::move(xValues), std::move(yValues)) {
  SetBounds(constants);
}

double CalcFunc_EQ3::CalcValue(std::span<double> p, double x) {
  if (!HoldsParameters(p)) return kNaN;
  ClampToBounds(p);
  double sum = p[0];
  for (int k = 1; k <= 7; ++k) sum += std::pow(x, static_cast<double>(k)) * p[static_cast<std::size_t>(k)];
  return sum;
}

CalcFunc_EQ4::CalcFunc_EQ4(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants)
    : Cappfunc(std::move(xValues), std::move(yValues)) {
  SetBounds(constants);
}

double CalcFunc_EQ4::CalcValue(std::span<double> p, double x) {
  if (!HoldsParameters(p)) return kNaN;
  ClampToBounds(p);
  return (1.0 - std::exp(-x / p[2])) * p[1] + p[0] + (1.0 - std::exp(-x / p[4])) * p[3];
}

CalcFunc_EQ5::CalcFunc_EQ5(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants)
    : Cappfunc(std::move(xValues), std::move(yValues)) {
  SetBounds(constants);
}

double CalcFunc_EQ5::CalcValue(std::span<double> p, double x) {
  if (!HoldsParameters(p)) return kNaN;
  ClampToBounds(p);
  return (1.0 - std::exp(-std::pow(x / p[2], p[3]))) * p[1] + p[0] + (1.0 - std::exp(-std::pow(x / p[5], p[6]))) * p[4];
}

CalcFunc_EQ6::CalcFunc_EQ6(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants)
    : Cappfunc(std::move(xValues), std::move(yValues)) {
  SetBounds(constants);
}

double CalcFunc_EQ6::CalcValue(std::span<double> p, double x) {
  if (!HoldsParameters(p)) return kNaN;
  ClampToBounds(p);
  return std::exp(std::pow(x, p[3]) * p[2]) * p[1] + p[0];
}

}  // namespace lunvex
