// The form's curves and data sets. A curve must be the engine's model: same
// id, same parameter count, bit-identical values; its function codes, short
// parameter lists, the owning list and the Y range snap are checked here.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "engine/Lunvex.h"
#include "host/InvalidArgument.h"
#include "host/NumberText.h"
#include "srn/EqBase.h"

namespace quorvel {
namespace {

TEST(Curves, EveryIdIsTheEngineModel) {
  std::mt19937 rng(5489);
  std::uniform_real_distribution<double> param(-3.0, 3.0), positive(0.01, 20.0);
  const double xs[] = {0.0, 1e-3, 0.05, 0.5, 1.0, 2.0, 7.5, 10.0, 100.0, 1e4, 1e7, -1.0, -0.25};
  for (int id : {0, 2, 3, 4, 5}) {
    ASSERT_EQ(GetVariableNumber(id), ParameterCountForEquationId(id)) << id;
    auto model = GetEqFunc(id, {}, {}, {});  // no bounds: the engine evaluates unclamped
    const auto count = static_cast<std::size_t>(GetVariableNumber(id));
    for (int trial = 0; trial < 300; ++trial) {
      auto eq = MakeEquation(id);
      ASSERT_EQ(eq->GetEquationId(), id);
      std::vector<double> p(count);
      for (std::size_t i = 0; i < count; ++i) {
        p[i] = trial % 17 == 0 && i == 1 ? 0.0 : trial % 3 == 0 ? positive(rng) : param(rng);
        eq->AppendParam(p[i]);
      }
      for (double x : xs) {
        std::vector<double> engineParams = p;
        const double engine = model->CalcValue(engineParams, x);
        const double ours = eq->Evaluate(x);
        ASSERT_TRUE(engine == ours || (std::isnan(engine) && std::isnan(ours))) << id << " x " << x;
      }
    }
  }
}

TEST(Curves, CodesCopiesAndShortParameterLists) {
  EXPECT_TRUE(MakeEquation(1) == nullptr && MakeEquation(6) == nullptr);
  // Codes 0..3 are Polynomial, ExpGrow, ExpGrow2, ExpPower; anything else Polynomial.
  const std::pair<int, int> codes[] = {{0, 2}, {1, 3}, {2, 4}, {3, 5}, {4, 2}, {-1, 2}, {kNoInt, 2}};
  for (const auto& [code, id] : codes) {
    EXPECT_EQ(EquationIdForFunctionCode(code), id) << code;
    EXPECT_EQ(MakeEquationForFunctionCode(code)->GetEquationId(), id) << code;
  }
  // Missing parameters are 0.0: the value follows IEEE rules, it never throws.
  auto grow = MakeEquation(3);
  grow->AppendParam(1.0);
  grow->AppendParam(2.0);
  EXPECT_TRUE(std::isnan(grow->Evaluate(0.0)));  // 0/0
  EXPECT_EQ(grow->Evaluate(1.0), 3.0);           // exp(-inf) = 0, then 0 * 0
  auto polynomial = MakeEquation(2);
  for (double p : {1, 1, 1, 1, 1, 1, 1, 1, 100, 100}) polynomial->AppendParam(p);
  EXPECT_EQ(polynomial->Evaluate(2.0), 255.0);  // parameters beyond the eighth are ignored

  EquationList list;
  list.Append(MakeEquation(4)).Name = "α";
  EXPECT_THROW(list.At(1), InvalidArgument);
  EXPECT_THROW(list.Append(nullptr), InvalidArgument);
  EquationList copy = list;
  copy.At(0).Name = "changed";
  EXPECT_EQ(list.At(0).Name, "α");  // deep copy
  EXPECT_EQ(copy.At(0).GetEquationId(), 4);
}

}  // namespace
}  // namespace quorvel
