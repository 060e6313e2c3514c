#pragma once
// The general curve shapes, equation ids 0 to 5: the SR-N power law, the
// strain curve and the four shapes of the liquefaction-curve constants.
#include <span>
#include <vector>

#include "engine/Cappfunc.h"

namespace lunvex {

// Id 0: p0 * x^(-p1) + p2.
class CalcFunc_EQ1 final : public Cappfunc {
 public:
  CalcFunc_EQ1(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants);
  int VariableNumber() const override { return 3; }
  double CalcValue(std::span<double> p, double x) override;
};

// Id 1: two stretched exponentials; c0 is the value at x = 0, p0 the limit.
class CalcFunc_EQ2 final : public Cappfunc {
 public:
  CalcFunc_EQ2(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants);
  int VariableNumber() const override { return 5; }
  double CalcValue(std::span<double> p, double x) override;
  double C0() const { return c0_; }

 private:
  double c0_;
};

// Id 2: polynomial of degree 7.
class CalcFunc_EQ3 final : public Cappfunc {
 public:
  CalcFunc_EQ3(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants);
  int VariableNumber() const override { return 8; }
  double CalcValue(std::span<double> p, double x) override;
};

// Id 3: two saturating exponentials over an offset.
class CalcFunc_EQ4 final : public Cappfunc {
 public:
  CalcFunc_EQ4(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants);
  int VariableNumber() const override { return 5; }
  double CalcValue(std::span<double> p, double x) override;
};

// Id 4: two saturating stretched exponentials over an offset.
class CalcFunc_EQ5 final : public Cappfunc {
 public:
  CalcFunc_EQ5(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants);
  int VariableNumber() const override { return 7; }
  double CalcValue(std::span<double> p, double x) override;
};

// Id 5: exp(x^p3 * p2) * p1 + p0.
class CalcFunc_EQ6 final : public Cappfunc {
 public:
  CalcFunc_EQ6(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants);
  int VariableNumber() const override { return 4; }
  double CalcValue(std::span<double> p, double x) override;
};

}  // namespace lunvex
