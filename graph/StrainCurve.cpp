#include "graph/StrainCurve.h"

#include <cmath>

namespace quorvel {

double StrainCurveValue(const std::array<double, 6>& r, double x) {
  // Same operations as the engine: (c0 - p0) * second term + p0 * first term;
  // A2 already holds c0 - p0.
  const double first = std::exp(-std::pow(x / r[1], r[2]));
  const double second = std::exp(-std::pow(x / r[4], r[5]));
  return r[3] * second + r[0] * first;
}

}  // namespace quorvel
