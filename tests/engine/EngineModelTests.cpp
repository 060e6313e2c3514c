// Models and solver sub-steps: worked values of every id (the fixed constants
// of the stage models and the soil models' derived parameter included), bounds,
// the stage counter, and the solver's steps against the reference library's own
// enorm and qrfac.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <tuple>
#include <vector>

#define __cminpack_double__
#include <cminpack.h>

#include "engine/LevMarSolver.h"
#include "engine/Lunvex.h"
#include "engine/StageModels.h"

namespace lunvex::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPa = 101.325;

// Values worked out by hand from the model formulas (x and the constants are
// chosen so that the powers and ratios come out simple).
TEST(EngineModels, WorkedValues) {
  // Id 6's c0 and c1, then its bounds with p3 ... p6 pinned at 1.
  const std::vector<double> pinnedAtOne{100, 2, 0, 60, 0, 50, 1, 1e6, 1, 1, 1, 1, 1, 1, 1, 1, 0, 9, 0, 9};
  const std::tuple<int, std::vector<double>, std::vector<double>, double, double> cases[] = {
      {0, {0.4, 0.1, 0.05}, {}, 10.0, 0.3677312938897126},  // 0.4 * 10^-0.1 + 0.05
      // Bounds (lower, upper): p0 in [0, 1], p1 inverted [2, 1] gives its upper bound, p2 in [-1, 1]: 1 / 2 - 1.
      {0, {5, 0, -3}, {0, 1, 2, 1, -1, 1}, 2.0, -0.5},
      {0, {5, -2, 9}, {0, 1, 0, 1}, 2.0, 29.0},                // a bound list of the wrong length leaves p unclamped
      {1, {10, 1, 1, 2, 1}, {40.0}, 2.0, 12.389736067509396},  // 30 e^-1 + 10 e^-2
      {1, {30, 1, 1, 0.1, 1}, {42.5}, 0.0, 42.5},              // c0 at x = 0
      {2, {1, 2, 3, 0, 0, 0, 0, 0.5}, {}, 2.0, 81.0},          // 1 + 4 + 12 + 0.5 * 2^7
      {2, {1, 2, 3}, {}, 2.0, kNaN},                           // too few parameters
      {3, {0.5, 1, 1, 2, 2}, {}, 1.0, 1.9190592394032908},     // ExpGrow
      {4, {0.5, 1, 1, 2, 2, 2, 0.5}, {}, 4.0, 3.013766418596397},  // ExpGrow2
      {5, {1, 2, -1, 2}, {}, 2.0, 1.0366312777774684},             // 1 + 2 e^-4
      // phi = 45, u = 1 / p2 = 1, p7 = p8 = u: A = (p5 + p6) / 2 = 2, B = 0, the derived p4 = 4 - p3 = 2.8;
      // reference strain (tan 45 c0 + p1) / p2 = 1, X = x c1 = 1, C1 = C2 = 2: 1 / (1 / 2 + 1 / 2).
      {6, {45, 0, 1, 1.2, 0, 1.5, 2.5, 1, 1}, {1, 0.5}, 2.0, 1.0},
      // p3 ... p6 pinned at 1 by their bounds: hyperbolic, reference strain 0.1, X = 1, 1 / (1 + X).
      {6, {45, 0, 1000, 3, 7, 0.5, 1, 1.5, 2.5}, pinnedAtOne, 0.05, 0.5},
      // c8 = 1.2 alone makes the damping curve not hyperbolic: X = 1, C1 = 1, C2 = 1.1, 0.4 (1 / 2.1)^2.
      {7, {0.4, 2}, {100, 2, 45, 0, 1000, 1, 1, 1, 1.2, 1, 1}, 0.05, 0.4 / 4.41},
      {8, {2, 0.5, 0.8}, {1, 100, 4 * kPa, 300}, 0.01, 4.009663556283686},  // Ei = 2 pa sqrt(4)
      // Pressures below 1 % of pa count as 1 % of pa: Ei = 2 pa sqrt(0.01).
      {8, {2, 0.5, 0.8}, {1, 100, -40, 300}, 0.01, 0.20254054708835345},
      // Ei = 2^nK K pa = 2 pa, then (1 - ln 2 * 0.1) / (1 - 0.5 / 0.75)^2.
      {9, {1, 0.1, 1}, {1, 100, 2 * kPa, 2 * kPa, 1, 1, 0.5}, kPa, 8.376167537496048},
  };
  for (const auto& [id, parameters, constants, x, expected] : cases) {
    const auto model = GetEqFunc(id, {x}, {0.0}, constants);
    std::vector<double> p = parameters;
    const double value = model->CalcValue(p, x);
    if (std::isnan(expected))
      EXPECT_TRUE(std::isnan(value)) << "id " << id << " x " << x;
    else
      EXPECT_DOUBLE_EQ(value, expected) << "id " << id << " x " << x;
  }
  // Bounds clamp the caller's vector in place.
  std::vector<double> clamped{5.0, 0.0, -3.0};
  GetEqFunc(0, {1.0}, {0.0}, {0, 1, 2, 1, -1, 1})->CalcValue(clamped, 1.0);
  EXPECT_EQ(clamped, (std::vector<double>{1.0, 1.0, -1.0}));
  // Id 6 hands its derived p4 back in the caller's vector (2.8, as above).
  std::vector<double> gg0{45, 0, 1, 1.2, 0, 1.5, 2.5, 1, 1};
  GetEqFunc(6, {2.0}, {0.0}, std::vector<double>{1, 0.5})->CalcValue(gg0, 2.0);
  EXPECT_DOUBLE_EQ(gg0[4], 2.8);
}

TEST(EngineModels, FactoryCounts) {
  for (int id = -3; id <= 12; ++id) {
    const auto model = GetEqFunc(id, {1.0}, {1.0}, std::vector<double>(40, 1.0));
    EXPECT_EQ(model == nullptr, id < 0 || id > 9) << id;
    EXPECT_EQ(GetVariableNumber(id), model ? model->VariableNumber() : -1) << id;
  }
  EXPECT_EQ(GetVariableNumber(6), 9);
}

// Stage constants for id 8: k, boundaries, pressures, failure stresses.
std::vector<double> TwoStages(double b0, double b1) { return {2, b0, b1, 50.0, 200.0, 300.0, 500.0}; }

TEST(EngineModels, StageCounterFollowsThePointOrderOfEachSweep) {
  CalcDuncanChangModel model(std::vector<double>(6, 0.01), std::vector<double>(6, 0.0), TwoStages(3, 6));
  const std::vector<double> p{500, 0.5, 0.8};
  auto oneStage = [&p](double pressure, double qf) {
    std::vector<double> q = p;
    return CalcDuncanChangModel({0.01}, {0.0}, std::vector<double>{1, 1, pressure, qf}).CalcValue(q, 0.01);
  };
  const double stage0 = oneStage(50.0, 300.0), stage1 = oneStage(200.0, 500.0);
  ASSERT_NE(stage0, stage1);
  // Twelve evaluations are two sweeps of six points: the second starts at stage 0 again.
  const double expected[] = {stage0, stage0, stage0, stage1, stage1, stage1,
                             stage0, stage0, stage0, stage1, stage1, stage1};
  for (int i = 0; i < 12; ++i) {
    std::vector<double> q = p;
    EXPECT_EQ(model.CalcValue(q, 0.01), expected[i]) << "evaluation " << i;
  }
}

TEST(EngineModels, StageListsThatDoNotFitNeverReadOutside) {
  const std::tuple<int, std::vector<double>, bool> cases[] = {
      {8, {3, 1, 2, 3, 50, 100}, false},      // lists shorter than 3k
      {8, {kNaN, 1, 2}, false},               // k not a number, so 0
      {8, {1e300, 1, 2}, false},              // k absurd
      {9, {1, 6, 50, 300, 500, 0.5}, false},  // no room for K, nK and Rf
      {9, {1, 6, 50, 300, 500, 0.5, 0.8}, true},
      {8, TwoStages(kNaN, 1e300), true},  // not integers
  };
  for (const auto& [id, constants, usable] : cases) {
    const auto model = GetEqFunc(id, std::vector<double>(6, 0.01), std::vector<double>(6, 0.0), constants);
    for (int i = 0; i < 20; ++i) {
      std::vector<double> p{500, 0.5, 0.8};
      EXPECT_EQ(std::isnan(model->CalcValue(p, 0.01)), !usable) << id << " " << constants.size();
    }
  }
}

TEST(EngineSolver, EuclidNormIsTheReferenceEnorm) {
  // clang-format off
  const std::vector<double> cases[] = {{}, {3e-160, 4e-160}, {4e-160, 3e-160}, {3e200, -4e200}, {3.0, 4.0},
      {1e-300, 3.0, 4.0}, {3e170, 1.0, 4e170}, {1e-170, 2e-160, 1e-165, 3.0}, {5e-200, 4e-200, 0.0, 3e-200}};
  // clang-format on
  for (const std::vector<double>& v : cases) {
    EXPECT_EQ(LevMarSolver::EuclidNorm(v), enorm(static_cast<int>(v.size()), v.data())) << v.size();
  }
  EXPECT_TRUE(std::isnan(LevMarSolver::EuclidNorm(std::vector<double>{1.0, kNaN})));
}

// Column pivoting: the first of equal column norms wins, as in qrfac.
TEST(EngineSolver, QrFactorIsTheReferenceQrfacAlsoForTies) {
  const std::vector<double> matrices[] = {
      {0, 1, 0, 1, 0, 0, 0, 0, 2},           // norms 1, 1, 2
      {1, 1, 0, 0, 1, 1, 1, 0, 1},           // all sqrt 2
      {0, 0, 0, 1, 2, 2, 0, 0, 0},           // two zero columns
      {3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8},  // 4 x 3, no ties
  };
  for (const std::vector<double>& matrix : matrices) {
    const int m = matrix.size() == 12 ? 4 : 3;
    std::vector<double> ours = matrix, reference = matrix;
    std::vector<int> ourPivots(3), referencePivots(3);
    std::vector<double> rdiag(3), acnorm(3), work(3), referenceRdiag(3), referenceAcnorm(3), referenceWork(3);
    LevMarSolver::QrFactor(m, 3, ours.data(), m, ourPivots.data(), rdiag.data(), acnorm.data(), work.data());
    qrfac(m, 3, reference.data(), m, 1, referencePivots.data(), 3, referenceRdiag.data(), referenceAcnorm.data(),
          referenceWork.data());
    for (int& pivot : referencePivots) --pivot;  // qrfac counts columns from 1
    EXPECT_EQ(std::tie(ourPivots, ours, rdiag), std::tie(referencePivots, reference, referenceRdiag)) << matrix[0];
  }
}

// Counts the sweeps a model sees.
class CountingLine final : public Cappfunc {
 public:
  CountingLine() : Cappfunc({1, 2, 3}, {1, 2, 3}) {}
  int VariableNumber() const override { return 2; }
  double CalcValue(std::span<double> p, double x) override {
    ++evaluations;
    return p[0] + p[1] * x;
  }
  int evaluations = 0;
};

TEST(EngineSolver, EdgeCasesTheReferenceComparisonDoesNotReach) {
  // Improper input evaluates nothing and changes nothing.
  const std::tuple<int, int, double, double> improper[] = {
      {3, 0, 1e-20, 100}, {1, 2, 1e-20, 100}, {3, 2, -1.0, 100}, {3, 2, 1e-20, 0.0}, {4, 2, 1e-20, 100}};
  for (const auto& [m, n, tolerance, factor] : improper) {
    CountingLine model;
    std::vector<double> p{0.5, 0.5}, fvec(3, 7.0);
    LevMarSolver solver;
    EXPECT_EQ(solver.Fit(model, m, n, p, fvec, tolerance, factor), LevMarSolver::kImproperInput);
    EXPECT_TRUE(model.evaluations == 0 && p == (std::vector<double>{0.5, 0.5}) && fvec == std::vector<double>(3, 7.0));
  }
}

}  // namespace
}  // namespace lunvex::test
