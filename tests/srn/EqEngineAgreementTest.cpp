// The program's curves must be the engine's curves: same id, same parameters,
// bit-identical values (the same formulas in the same operation order).
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "engine/Lunvex.h"
#include "srn/EqBase.h"

namespace quorvel {
namespace {

bool SameBits(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

TEST(EqEngineAgreement, EveryIdMatchesTheEngineModel) {
  std::mt19937 rng(5489);
  std::uniform_real_distribution<double> param(-3.0, 3.0), positive(0.01, 20.0);
  const std::vector<double> xs = {0.0, 1e-3, 0.05, 0.5, 1.0, 2.0, 7.5, 10.0, 100.0, 1e4, 1e7, -1.0, -0.25};
  for (int id : {0, 2, 3, 4, 5}) {
    ASSERT_EQ(GetVariableNumber(id), ParameterCountForEquationId(id)) << id;
    // No constants and no bounds: the engine evaluates the parameters unclamped.
    auto model = GetEqFunc(id, {}, {}, {});
    ASSERT_NE(model, nullptr) << id;
    const auto count = static_cast<std::size_t>(GetVariableNumber(id));
    for (int trial = 0; trial < 300; ++trial) {
      auto eq = MakeEquation(id);
      std::vector<double> p(count);
      for (std::size_t i = 0; i < count; ++i) {
        p[i] = trial % 3 == 0 ? positive(rng) : param(rng);
        if (trial % 17 == 0 && i == 1) p[i] = 0.0;  // zero divisors and zero factors
        eq->AppendParam(p[i]);
      }
      for (double x : xs) {
        std::vector<double> engineParams = p;
        double engine = model->CalcValue(engineParams, x);
        double ours = eq->Evaluate(x);
        EXPECT_TRUE(SameBits(engine, ours)) << "id " << id << " x " << x << " engine " << engine << " ours " << ours;
      }
      if (HasFailure()) return;
    }
  }
}

TEST(EqEngineAgreement, WorkedValues) {
  struct Case {
    int id;
    std::vector<double> p;
    double x;
    double expected;
  };
  const Case cases[] = {
      {0, {0.4, 0.1, 0.05}, 1.0, 0.45}, {2, {1, 2, 3, 0, 0, 0, 0, 0}, 2.0, 17.0}, {5, {1, 2, 0, 1}, 9.0, 3.0}};
  for (const Case& c : cases) {
    auto eq = MakeEquation(c.id);
    for (double v : c.p) eq->AppendParam(v);
    std::vector<double> p = c.p;
    auto model = GetEqFunc(c.id, {}, {}, {});
    ASSERT_NE(model, nullptr);
    EXPECT_DOUBLE_EQ(eq->Evaluate(c.x), c.expected);
    EXPECT_DOUBLE_EQ(model->CalcValue(p, c.x), c.expected);
  }
}

}  // namespace
}  // namespace quorvel
