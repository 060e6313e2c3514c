// Models and solver sub-steps: the worked values, bounds, the derived
// parameter and flags of the soil models, the stage counter, and the solver's
// edge cases that the reference comparison does not reach.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/GheModels.h"
#include "engine/LevMarSolver.h"
#include "engine/Lunvex.h"
#include "engine/StageModels.h"

namespace lunvex::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double ValueAt(int id, std::vector<double> p, double x, const std::vector<double>& constants = {}) {
  const auto model = GetEqFunc(id, {x}, {0.0}, constants);
  return model->CalcValue(p, x);
}

TEST(EngineModels, WorkedValues) {
  struct Case {
    int id;
    std::vector<double> p;
    std::vector<double> constants;
    double x;
    double expected;
  };
  const Case cases[] = {
      {0, {0.4, 0.1, 0.05}, {}, 1.0, 0.45},
      {2, {1, 2, 3, 0, 0, 0, 0, 0}, {}, 2.0, 17.0},
      {3, {0.7, 0.2, 1.5, 0.3, 2.5}, {}, 0.0, 0.7},
      {4, {0.6, 0.2, 1.5, 1.2, 0.3, 2.5, 0.8}, {}, 0.0, 0.6},
      {1, {30, 1, 1, 0.1, 1}, {42.5}, 0.0, 42.5},
      {5, {1, 2, 0, 1}, {}, 0.3, 3.0},
      {5, {1, 2, 0, 1}, {}, 7.0, 3.0},
      {5, {1, 2, 0, 1}, {}, 123.0, 3.0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ValueAt(c.id, c.p, c.x, c.constants), c.expected) << "id " << c.id << " x " << c.x;
  }
}

TEST(EngineModels, FactoryMatchesParameterCounts) {
  for (int id = -3; id <= 12; ++id) {
    const auto model = GetEqFunc(id, {1.0}, {1.0}, std::vector<double>(40, 1.0));
    if (id < 0 || id > 9) {
      EXPECT_EQ(model, nullptr) << id;
      EXPECT_EQ(GetVariableNumber(id), -1) << id;
    } else {
      ASSERT_NE(model, nullptr) << id;
      EXPECT_EQ(model->VariableNumber(), GetVariableNumber(id)) << id;
    }
  }
  EXPECT_EQ(GetVariableNumber(2), 8);
  EXPECT_EQ(GetVariableNumber(6), 9);
}

TEST(EngineModels, ClampsTheCallersVectorInPlace) {
  // Bounds (lower, upper): p0 in [0, 1], p1 inverted [2, 1], p2 in [-1, 1].
  const auto model = GetEqFunc(0, {1.0}, {0.0}, {0, 1, 2, 1, -1, 1});
  std::vector<double> p{5.0, 0.0, -3.0};
  model->CalcValue(p, 1.0);
  EXPECT_EQ(p, (std::vector<double>{1.0, 1.0, -1.0}));  // the inverted pair gives its upper bound
  std::vector<double> inside{0.5, 1.0, 0.25};
  model->ClampToBounds(inside);
  EXPECT_EQ(inside, (std::vector<double>{0.5, 1.0, 0.25}));
}

TEST(EngineModels, BoundListOfWrongLengthLeavesModelUnclamped) {
  for (const std::vector<double>& bounds :
       {std::vector<double>{0, 1, 0, 1}, std::vector<double>{0, 1, 0, 1, 0, 1, 0}, std::vector<double>{}}) {
    const auto model = GetEqFunc(0, {1.0}, {0.0}, bounds);
    EXPECT_TRUE(model->LowerBounds().empty());
    std::vector<double> p{5.0, -2.0, 9.0};
    EXPECT_DOUBLE_EQ(model->CalcValue(p, 1.0), 5.0 + 9.0);
    EXPECT_EQ(p, (std::vector<double>{5.0, -2.0, 9.0}));
  }
}

TEST(EngineModels, ShortParameterVectorGivesNaNAndIsLeftAlone) {
  const auto model = GetEqFunc(2, {1.0}, {0.0}, std::vector<double>(16, 0.0));
  std::vector<double> p{1.0, 2.0, 3.0};
  EXPECT_TRUE(std::isnan(model->CalcValue(p, 1.0)));
  EXPECT_EQ(p, (std::vector<double>{1.0, 2.0, 3.0}));
}

std::vector<double> GheGG0Parameters() { return {30, 5, 1000, 1.2, 0.0, 1.5, 2.0, 1.5, 2.5}; }

TEST(EngineModels, DerivedP4MakesTheNormalisedCurveReachOneAtU) {
  const double c0 = 100.0, c1 = 1.0;
  CalcGHEGG0 model({0.001}, {0.0}, std::vector<double>{c0, c1});
  std::vector<double> p = GheGG0Parameters();
  model.CalcValue(p, 0.001);
  EXPECT_EQ(p[4], model.DerivedP4());  // written back into the caller's vector
  // C1(u) * u * (1 - 1 / C2(u)) = 1 at u = 1 / p2, which is what p4 is for.
  const double pi = 4.0 * std::atan(1.0);
  const double u = 1.0 / p[2];
  const double b = std::cos(pi * u / (p[7] + u));
  const double c1AtU = (p[4] + p[3]) / 2 + b * (p[3] - p[4]) / 2;
  const double c2AtU = (p[6] + p[5]) / 2 + std::cos(pi * u / (u + p[8])) * (p[5] - p[6]) / 2;
  EXPECT_NEAR(c1AtU * u * (1 - 1 / c2AtU), 1.0, 1e-9);
  EXPECT_FALSE(model.IsHyperbolic());
}

TEST(EngineModels, PinnedUnitGheParametersSetTheHyperbolicFlag) {
  // p3 … p6 pinned at 1 by their bounds; the others free.
  std::vector<double> constants{100.0, 2.0};
  const double bounds[9][2] = {{0, 60}, {0, 50}, {1, 1e6}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {0.1, 10}, {0.1, 10}};
  for (const auto& b : bounds) constants.insert(constants.end(), {b[0], b[1]});
  CalcGHEGG0 model({0.0}, {0.0}, constants);
  std::vector<double> p{30, 5, 1000, 3.0, 7.0, 0.5, 1.0, 1.5, 2.5};
  const double x = 0.004;
  const double value = model.CalcValue(p, x);
  EXPECT_TRUE(model.IsHyperbolic());
  const double pi = 4.0 * std::atan(1.0);
  const double referenceStrain = (std::tan(30.0 / 180.0 * pi) * 100.0 + 5.0) / 1000.0;
  const double bigX = x / (referenceStrain / 2.0);
  EXPECT_DOUBLE_EQ(value, 1.0 / (1.0 + bigX));
  // The flag stays set even after the parameters leave the unit values.
  std::vector<double> other = GheGG0Parameters();
  model.CalcValue(other, x);
  EXPECT_TRUE(model.IsHyperbolic());
}

TEST(EngineModels, GheDampingCurveWithUnitConstantsIsHyperbolic) {
  const std::vector<double> constants{100, 1, 30, 5, 1000, 1, 1, 1, 1, 1.5, 2.5};
  CalcGHEhCurve model({0.0}, {0.0}, constants);
  EXPECT_TRUE(model.IsHyperbolic());
  const double x = 0.003;
  const double bigX = x / model.ReferenceStrain();
  std::vector<double> p{0.25, 1.3};
  EXPECT_DOUBLE_EQ(model.CalcValue(p, x), 0.25 * std::pow(1.0 - 1.0 / (1.0 + bigX), 1.3));
}

// Stage constants for id 8: k, boundaries, pressures, failure stresses.
std::vector<double> TwoStages(double b0, double b1, double pressure0 = 50.0) {
  return {2, b0, b1, pressure0, 200.0, 300.0, 500.0};
}

double OneStageValue(double pressure, double qf, std::vector<double> p, double x) {
  CalcDuncanChangModel model({x}, {0.0}, std::vector<double>{1, 1, pressure, qf});
  return model.CalcValue(p, x);
}

TEST(EngineModels, StageCounterFollowsThePointOrderOfEachSweep) {
  CalcDuncanChangModel model(std::vector<double>(6, 0.01), std::vector<double>(6, 0.0), TwoStages(3, 6));
  const std::vector<double> p{500, 0.5, 0.8};
  const double stage0 = OneStageValue(50.0, 300.0, p, 0.01);
  const double stage1 = OneStageValue(200.0, 500.0, p, 0.01);
  ASSERT_NE(stage0, stage1);
  const double expected[] = {stage0, stage0, stage0, stage1, stage1, stage1, stage0, stage0};
  for (int i = 0; i < 8; ++i) {
    std::vector<double> q = p;
    EXPECT_EQ(model.CalcValue(q, 0.01), expected[i]) << "evaluation " << i;
  }
}

TEST(EngineModels, ZeroConfiningPressureUsesTheLowestRatio) {
  const std::vector<double> p{500, 0.5, 0.8};
  EXPECT_EQ(OneStageValue(0.0, 300.0, p, 0.02), OneStageValue(0.01 * 101.325, 300.0, p, 0.02));
  EXPECT_EQ(OneStageValue(-40.0, 300.0, p, 0.02), OneStageValue(0.01 * 101.325, 300.0, p, 0.02));
  CalcDCPoisson poisson({50.0}, {0.0}, std::vector<double>{1, 1, 0.0, 300.0, 500, 0.5, 0.8});
  CalcDCPoisson raised({50.0}, {0.0}, std::vector<double>{1, 1, 1.01325, 300.0, 500, 0.5, 0.8});
  std::vector<double> q{0.3, 0.1, 1.0};
  std::vector<double> r = q;
  EXPECT_EQ(poisson.CalcValue(q, 50.0), raised.CalcValue(r, 50.0));
}

TEST(EngineModels, StageListsThatDoNotFitNeverReadOutside) {
  struct Case {
    std::vector<double> constants;
    bool usable;
  };
  const Case cases[] = {
      {{0, 0, 1, 0, 1, 0, 1}, false},  // k = 0
      {{-4}, false},                   // k negative
      {{3, 1, 2, 3, 50, 100}, false},  // lists shorter than 3k
      {{kNaN, 1, 2}, false},           // k not a number
      {{1e300, 1, 2}, false},          // k absurd
      {TwoStages(2, 100), true},       // boundaries beyond the points
      {TwoStages(4, 1), true},         // boundaries out of order
      {TwoStages(-5, -1), true},       // negative boundaries
      {TwoStages(kNaN, 1e300), true},  // boundaries not integers
  };
  for (const Case& c : cases) {
    CalcDuncanChangModel model(std::vector<double>(6, 0.01), std::vector<double>(6, 0.0), c.constants);
    EXPECT_EQ(model.Stages().HasStages(), c.usable);
    for (int i = 0; i < 20; ++i) {
      std::vector<double> p{500, 0.5, 0.8};
      const double value = model.CalcValue(p, 0.01);
      EXPECT_EQ(std::isnan(value), !c.usable);
    }
  }
}

TEST(EngineSolver, EuclidNormAvoidsOverflowAndUnderflow) {
  struct Case {
    std::vector<double> v;
    double expected;
  };
  const Case cases[] = {
      {{}, 0.0},         {{3e-160, 4e-160}, 5e-160}, {{3e200, -4e200}, 5e200},
      {{3.0, 4.0}, 5.0}, {{1e-300, 3.0, 4.0}, 5.0},  {{3e170, 1.0, 4e170}, 5e170},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(LevMarSolver::EuclidNorm(c.v), c.expected);
  EXPECT_TRUE(std::isnan(LevMarSolver::EuclidNorm(std::vector<double>{1.0, kNaN})));
  EXPECT_TRUE(std::isinf(LevMarSolver::EuclidNorm(std::vector<double>{1.0, -INFINITY})));
}

// Counts the sweeps a model sees.
class CountingLine final : public Cappfunc {
 public:
  CountingLine(std::vector<double> x, std::vector<double> y, std::vector<double> bounds)
      : Cappfunc(std::move(x), std::move(y)) {
    SetBounds(bounds);
  }
  int VariableNumber() const override { return 2; }
  double CalcValue(std::span<double> p, double x) override {
    ++evaluations;
    ClampToBounds(p);
    return p[0] + p[1] * x;
  }
  int evaluations = 0;
};

TEST(EngineSolver, ExactFitStopsWithCode4AndLeavesPUnchanged) {
  const auto model = GetEqFunc(0, {1, 2, 4, 8}, {0.45, 0.4233, 0.3982, 0.3749}, {0, 10, 0, 1, -1, 1});
  // y from the model itself, so the start is an exact fit.
  std::vector<double> truth{0.4, 0.1, 0.05};
  std::vector<double> y;
  for (const double x : model->XValues()) y.push_back(model->CalcValue(truth, x));
  const auto exact = GetEqFunc(0, model->XValues(), y, {0, 10, 0, 1, -1, 1});
  std::vector<double> p = truth;
  std::vector<double> fvec(4, -1.0);
  LevMarSolver solver;
  EXPECT_EQ(solver.Fit(*exact, 4, 3, p, fvec, 1e-20, 100.0), LevMarSolver::kOrthogonal);
  EXPECT_EQ(p, truth);
  EXPECT_EQ(solver.nfev, 1 + 3);
  EXPECT_EQ(fvec, std::vector<double>(4, 0.0));
}

TEST(EngineSolver, ImproperInputEvaluatesNothing) {
  struct Case {
    int m, n;
    double tolerance, factor;
  };
  const Case cases[] = {
      {3, 0, 1e-20, 100}, {1, 2, 1e-20, 100}, {3, 2, -1.0, 100}, {3, 2, 1e-20, 0.0}, {4, 2, 1e-20, 100}};
  for (const Case& c : cases) {
    CountingLine model({1, 2, 3}, {1, 2, 3}, {});
    std::vector<double> p{0.5, 0.5};
    std::vector<double> fvec(3, 7.0);
    LevMarSolver solver;
    EXPECT_EQ(solver.Fit(model, c.m, c.n, p, fvec, c.tolerance, c.factor), LevMarSolver::kImproperInput);
    EXPECT_EQ(model.evaluations, 0);
    EXPECT_EQ(p, (std::vector<double>{0.5, 0.5}));
    EXPECT_EQ(fvec, std::vector<double>(3, 7.0));
  }
}

TEST(EngineSolver, PinnedOrUpperBoundParameterHasZeroJacobianColumn) {
  // p0 pinned at 2, p1 at its upper bound 3, p2 at its lower bound 0.
  const auto model = GetEqFunc(5, {0.5, 1, 1.5, 2}, {1, 2, 3, 4}, {2, 2, 0, 3, 0, 1, 0.5, 2});
  std::vector<double> p{2.0, 3.0, 0.0, 1.0};
  std::vector<double> fvec(4), work(4), jac(16);
  LevMarSolver::Sweep(*model, 4, p, fvec.data());
  LevMarSolver::ForwardJacobian(*model, 4, 4, p, fvec.data(), jac.data(), 4, 0.0, work.data());
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(jac[static_cast<std::size_t>(i)], 0.0);      // pinned
    EXPECT_EQ(jac[static_cast<std::size_t>(4 + i)], 0.0);  // at the upper bound
    EXPECT_NE(jac[static_cast<std::size_t>(8 + i)], 0.0);  // differenced inwards from the lower bound
  }
  EXPECT_EQ(p, (std::vector<double>{2.0, 3.0, 0.0, 1.0}));
}

TEST(EngineSolver, NonFiniteResidualsRunToTheSweepLimit) {
  // x = 0 and a negative exponent: every value is infinite.
  const auto model = GetEqFunc(0, {0, 0, 0}, {1, 2, 3}, {});
  std::vector<double> p{1.0, 0.5, 0.0};
  std::vector<double> fvec(3);
  LevMarSolver solver;
  EXPECT_EQ(solver.Fit(*model, 3, 3, p, fvec, 1e-20, 100.0), LevMarSolver::kSweepLimit);
  EXPECT_GE(solver.nfev, 200 * 4);
  EXPECT_LE(solver.nfev, 200 * 4 + 3);
}

// Where the machine-precision test (code 6) ends a run at tolerance 1e-20,
// a tolerance just above machine epsilon must end it with code 1 no later:
// the tolerance tests come first.
TEST(EngineSolver, Code1WinsOverCode6) {
  std::mt19937 random(99);
  int checked = 0;
  for (int round = 0; round < 200 && checked < 5; ++round) {
    const FitRequest request = RandomProblem(round % 6, random, {});
    const auto model = GetEqFunc(request.equationId, request.xValues, request.yValues, request.constants);
    const int n = model->VariableNumber();
    const int m = static_cast<int>(request.xValues.size());
    std::vector<double> p = request.initialValues, fvec(request.xValues.size());
    LevMarSolver solver;
    if (solver.Fit(*model, m, n, p, fvec, 1e-20, 100.0) != LevMarSolver::kFtolTooSmall) continue;
    const int sweepsAtCode6 = solver.nfev;
    const auto again = GetEqFunc(request.equationId, request.xValues, request.yValues, request.constants);
    std::vector<double> q = request.initialValues;
    LevMarSolver second;
    second.Fit(*again, m, n, q, fvec, 1e-20, 100.0);  // sets up fjac, maxfev, ldfjac
    q = request.initialValues;
    const auto third = GetEqFunc(request.equationId, request.xValues, request.yValues, request.constants);
    second.ftol = 2.0 * LevMarSolver::kEpsmch;
    const int code = second.Minimize(*third, m, n, q, fvec);
    EXPECT_EQ(code, LevMarSolver::kSumOfSquaresConverged) << "round " << round;
    EXPECT_LE(second.nfev, sweepsAtCode6);
    ++checked;
  }
  EXPECT_GE(checked, 1);
}

}  // namespace
}  // namespace lunvex::test
