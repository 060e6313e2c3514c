// The numeric field's range check holds both of its limits inclusive.
#include <gtest/gtest.h>

#include <tuple>

#include "controls/ExpEditRules.h"

namespace quorvel {
namespace {

TEST(ExpEditRules, LimitsAreInsideTheRange) {
  const std::tuple<int, double, double, const char*, int> cases[] = {
      {ExpEditRules::kInteger, 1, 10, "1", ExpEditRules::kValid},   {ExpEditRules::kInteger, 1, 10, "0", 2},
      {ExpEditRules::kInteger, 1, 10, "10", ExpEditRules::kValid},  {ExpEditRules::kInteger, 1, 10, "11", 2},
      {ExpEditRules::kReal, 0, 100, "0", ExpEditRules::kValid},     {ExpEditRules::kReal, 0, 100, "-0.1", 2},
      {ExpEditRules::kReal, 0, 100, "100.0", ExpEditRules::kValid}, {ExpEditRules::kReal, 0, 100, "100.1", 2},
  };
  for (const auto& [mode, minimum, maximum, text, code] : cases) {
    ExpEditRules rules;
    rules.mode = mode;
    rules.decimals = 1;
    rules.minimum = minimum;
    rules.maximum = maximum;
    EXPECT_EQ(rules.Check(text), code) << mode << " " << text;
  }
}

}  // namespace
}  // namespace quorvel
