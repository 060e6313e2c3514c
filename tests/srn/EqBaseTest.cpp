#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "host/InvalidArgument.h"
#include "host/NumberText.h"
#include "srn/EqBase.h"

namespace quorvel {
namespace {

std::unique_ptr<CEqBase> With(int id, std::vector<double> params) {
  auto eq = MakeEquation(id);
  for (double p : params) eq->AppendParam(p);
  return eq;
}

TEST(EqBase, ConstructedStates) {
  CEqBase base;
  EXPECT_EQ(base.Params, std::vector<double>(8, 0.0));
  EXPECT_TRUE(base.Name.empty());
  EXPECT_EQ(base.Residual, kNoValue);
  EXPECT_FALSE(base.Selected);
  EXPECT_EQ(base.Evaluate(3.0), 0.0);

  CEqBase named("α");
  EXPECT_EQ(named.Name, "α");
  EXPECT_EQ(named.Params.size(), 8u);

  for (int id : {0, 2, 3, 4, 5}) {
    auto eq = MakeEquation(id);
    ASSERT_NE(eq, nullptr) << id;
    EXPECT_TRUE(eq->Params.empty()) << id;
    EXPECT_EQ(eq->Residual, kNoValue) << id;
    EXPECT_FALSE(eq->Selected) << id;
    EXPECT_EQ(eq->GetEquationId(), id);
  }
  EXPECT_EQ(MakeEquation(1), nullptr);
  EXPECT_EQ(MakeEquation(6), nullptr);
  EXPECT_EQ(base.GetEquationId(), 0);
}

TEST(EqBase, ResetToDefaultsRestoresTheBaseState) {
  CEq4Param eq;
  eq.AppendParam(1.5);
  eq.Name = "β";
  eq.Residual = 0.25;
  eq.Selected = true;
  eq.ResetToDefaults();
  EXPECT_EQ(eq.Params, std::vector<double>(8, 0.0));
  EXPECT_TRUE(eq.Name.empty());
  EXPECT_EQ(eq.Residual, kNoValue);
  EXPECT_FALSE(eq.Selected);
  EXPECT_EQ(eq.GetEquationId(), 3);  // the class stays
}

TEST(EqBase, EvaluateValues) {
  struct Case {
    int id;
    std::vector<double> params;
    double x;
    double expected;
  };
  const double e1 = std::exp(-1.0);
  const Case cases[] = {
      {0, {0.4, 0.1, 0.05}, 1.0, 0.45},
      {0, {0.4, 0.1, 0.05}, 10.0, 0.4 * std::pow(10.0, -0.1) + 0.05},
      {0, {}, 7.0, 0.0},
      {2, {1, 2, 3}, 2.0, 17.0},
      {2, {1, 1, 1, 1, 1, 1, 1, 1, 100, 100}, 2.0, 255.0},  // beyond the eighth ignored
      {2, {}, 2.0, 0.0},
      {3, {0.5, 1, 1, 2, 2}, 0.0, 0.5},
      {3, {0.5, 1, 1, 2, 2}, 1.0, 0.5 + (1 - e1) + 2 * (1 - std::exp(-0.5))},
      {4, {0.5, 1, 1, 1, 2, 2, 2}, 0.0, 0.5},
      {4, {0.5, 1, 1, 1, 2, 2, 2}, 2.0, 0.5 + (1 - std::exp(-2.0)) + 2 * (1 - e1)},
      {5, {1, 2, 0, 1}, 123.0, 3.0},
      {5, {1, 2, -1, 1}, 1.0, 1 + 2 * e1},
  };
  for (const Case& c : cases) {
    auto eq = With(c.id, c.params);
    EXPECT_DOUBLE_EQ(eq->Evaluate(c.x), c.expected) << "id " << c.id << " x " << c.x;
  }
}

TEST(EqBase, SrnCurveFallsTowardsC) {
  auto eq = With(0, {0.4, 0.1, 0.05});
  double previous = eq->Evaluate(1.0);
  for (double n : {10.0, 100.0, 1e4, 1e8}) {
    double value = eq->Evaluate(n);
    EXPECT_LT(value, previous);
    EXPECT_GT(value, 0.05);
    previous = value;
  }
}

TEST(EqBase, ShortParameterListsCountAsZero) {
  // Missing divisors are 0.0: the result follows IEEE rules, it never throws.
  auto eq4 = With(3, {1.0, 2.0});
  EXPECT_TRUE(std::isnan(eq4->Evaluate(0.0)));  // 0/0
  EXPECT_DOUBLE_EQ(eq4->Evaluate(1.0), 3.0);    // exp(-inf) = 0, then 0 * 0
}

TEST(EqBase, FunctionCodeSelectsTheClass) {
  struct Case {
    int code;
    int id;
  };
  const Case cases[] = {{0, 2}, {1, 3}, {2, 4}, {3, 5}, {4, 2}, {-1, 2}, {kNoInt, 2}, {100, 2}};
  for (const Case& c : cases) {
    EXPECT_EQ(EquationIdForFunctionCode(c.code), c.id) << c.code;
    auto eq = MakeEquationForFunctionCode(c.code);
    ASSERT_NE(eq, nullptr);
    EXPECT_EQ(eq->GetEquationId(), c.id) << c.code;
  }
}

TEST(EquationList, OwnsCopiesAndChecksIndexes) {
  EquationList list;
  auto& first = list.Append(With(4, {1, 2, 3}));
  first.Name = "α";
  list.Append(std::make_unique<CEq1Param>()).Selected = true;
  EXPECT_EQ(list.Count(), 2u);
  EXPECT_THROW(list.At(2), InvalidArgument);
  EXPECT_THROW(list.RemoveAt(5), InvalidArgument);
  EXPECT_THROW(list.Append(nullptr), InvalidArgument);

  EquationList copy = list;
  copy.At(0).Params[0] = 99.0;
  EXPECT_EQ(list.At(0).Params[0], 1.0);  // deep copy
  EXPECT_EQ(copy.At(0).GetEquationId(), 4);
  EXPECT_EQ(copy.At(0).Name, "α");
  EXPECT_TRUE(copy.At(1).Selected);

  list.RemoveAt(0);
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.At(0).GetEquationId(), 0);
}

}  // namespace
}  // namespace quorvel
