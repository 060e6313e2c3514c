#include "engine/Cappfunc.h"

#include <cstddef>
#include <limits>
#include <utility>

namespace lunvex {

Cappfunc::Cappfunc(std::vector<double> xValues, std::vector<double> yValues)
    : xValues_(std::move(xValues)), yValues_(std::move(yValues)) {}

Cappfunc::~Cappfunc() = default;

int Cappfunc::VariableNumber() const { return 0; }

double Cappfunc::CalcValue(std::span<double> /*p*/, double /*x*/) { return 0.0; }

bool Cappfunc::HoldsParameters(std::span<const double> p) const {
  const int n = VariableNumber();
  return n >= 0 && p.size() >= static_cast<std::size_t>(n);
}

void Cappfunc::ClampToBounds(std::span<double> p) const {
  const int n = VariableNumber();
  if (n < 0) return;
  const auto count = static_cast<std::size_t>(n);
  if (lowerBounds_.size() != count || upperBounds_.size() != count || p.size() < count) return;
  for (std::size_t i = 0; i < count; ++i) {
    if (lowerBounds_[i] >= p[i]) p[i] = lowerBounds_[i];
    if (p[i] >= upperBounds_[i]) p[i] = upperBounds_[i];
  }
}

void Cappfunc::SetBounds(std::span<const double> interleaved) {
  const int n = VariableNumber();
  if (n < 0 || interleaved.size() != 2 * static_cast<std::size_t>(n)) return;
  for (std::size_t i = 0; i < interleaved.size(); i += 2) {
    lowerBounds_.push_back(interleaved[i]);
    upperBounds_.push_back(interleaved[i + 1]);
  }
}

}  // namespace lunvex
