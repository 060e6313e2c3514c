#pragma once
// The strain curve phi_mob(x) = A1 exp(-(x/t1)^d1) + A2 exp(-(x/t2)^d2),
// computed as the engine's model of equation id 1 computes it, so the drawn
// curve is the fitted one bit for bit.
#include <array>

namespace quorvel {

// Parameters in result order A1, t1, d1, A2, t2, d2.
double StrainCurveValue(const std::array<double, 6>& results, double x);

}  // namespace quorvel
