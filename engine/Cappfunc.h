#pragma once
// Cappfunc: the base of every model function the engine fits. It carries the
// data points and the parameter bounds; derived classes add the formula.
#include <span>
#include <vector>

#include "engine/LunvexExport.h"

namespace lunvex {

class LUNVEX_API Cappfunc {
 public:
  Cappfunc(std::vector<double> xValues, std::vector<double> yValues);
  virtual ~Cappfunc();
  Cappfunc(const Cappfunc&) = default;
  Cappfunc& operator=(const Cappfunc&) = default;

  // Number n of fitted parameters; the base class has none.
  virtual int VariableNumber() const;
  // Model value at x. Clamps `p` to the bounds in place first, then evaluates
  // the formula from the clamped values. A vector shorter than n gives NaN and
  // is left untouched, so no formula reads past its end.
  virtual double CalcValue(std::span<double> p, double x);

  // Clamps p_i into [lower_i, upper_i] in order (lower first, so an inverted
  // pair yields upper_i); does nothing unless both bound lists hold exactly n
  // values and p holds at least n.
  void ClampToBounds(std::span<double> p) const;
  // Takes interleaved (lower, upper) pairs; a list of any length but 2n sets
  // no bounds at all.
  void SetBounds(std::span<const double> interleaved);

  const std::vector<double>& XValues() const { return xValues_; }
  const std::vector<double>& YValues() const { return yValues_; }
  const std::vector<double>& LowerBounds() const { return lowerBounds_; }
  const std::vector<double>& UpperBounds() const { return upperBounds_; }

 protected:
  // True when p can be evaluated: it holds at least n values.
  bool HoldsParameters(std::span<const double> p) const;

 private:
  std::vector<double> xValues_;
  std::vector<double> yValues_;
  std::vector<double> lowerBounds_;
  std::vector<double> upperBounds_;
};

}  // namespace lunvex
