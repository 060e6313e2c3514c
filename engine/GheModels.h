#pragma once
// The general hyperbolic equation (GHE) soil models: the shear-modulus ratio
// G/G0 (id 6) and the damping ratio h (id 7) against shear strain.
#include <span>
#include <vector>

#include "engine/Cappfunc.h"

namespace lunvex {

// Id 6. Constants c0 (confining stress), c1 (scale of x). Parameter p4 is not
// free: every evaluation derives it from the others, keeps it and writes it
// back into the vector it was given.
class CalcGHEGG0 final : public Cappfunc {
 public:
  CalcGHEGG0(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants);
  int VariableNumber() const override { return 9; }
  double CalcValue(std::span<double> p, double x) override;

  double DerivedP4() const { return derivedP4_; }
  // Set once C1 and C2 are both identically 1; never cleared.
  bool IsHyperbolic() const { return hyperbolic_; }

 private:
  double c0_;
  double c1_;
  double pi_;
  double derivedP4_ = 0.0;
  bool hyperbolic_ = false;
};

// Id 7. Constants c0 … c10 fix the G/G0 curve; the fit finds the maximum
// damping ratio p0 and the exponent p1.
class CalcGHEhCurve final : public Cappfunc {
 public:
  CalcGHEhCurve(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants);
  int VariableNumber() const override { return 2; }
  double CalcValue(std::span<double> p, double x) override;

  double ReferenceStrain() const { return referenceStrain_; }
  bool IsHyperbolic() const { return hyperbolic_; }

 private:
  double c_[11];
  double pi_;
  double referenceStrain_;
  bool hyperbolic_;
};

}  // namespace lunvex
