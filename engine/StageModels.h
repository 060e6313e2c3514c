#pragma once
// Triaxial-test models over points grouped in stages, one per confining
// pressure: the hyperbolic stress-strain model (id 8) and the tangent
// Poisson's ratio model (id 9). The stage of an evaluation comes from an
// evaluation counter, which relies on the solver evaluating every point of a
// sweep in point order.
#include <cstdint>
#include <span>
#include <vector>

#include "engine/Cappfunc.h"

namespace lunvex {

// Stage lists and the evaluation counter shared by ids 8 and 9. A stage
// count below 1, or a constants vector too short for the stage lists it
// announces, leaves the model without stages: it then evaluates to NaN.
class StageCounter {
 public:
  struct Stage {
    double confiningPressure;
    double failureDeviatorStress;
  };

  // Reads k, then k boundaries, k pressures and k failure stresses from the
  // front of `constants`; `extra` more values must follow them.
  StageCounter(std::span<const double> constants, std::size_t extra);

  bool HasStages() const { return !boundaries_.empty(); }
  int StageCount() const { return static_cast<int>(boundaries_.size()); }
  // Number of constants consumed (k and the lists), or the whole vector when
  // it could not be read.
  std::size_t ConsumedCount() const { return consumed_; }
  // Stage of this evaluation; advances the counter. Only with HasStages().
  const Stage& NextStage();
  std::int64_t Counter() const { return counter_; }

 private:
  std::vector<std::int64_t> boundaries_;
  std::vector<Stage> stages_;
  std::size_t consumed_;
  std::int64_t counter_ = 0;
};

// Id 8: p0 = K (modulus number), p1 = n (exponent), p2 = Rf (failure ratio).
class CalcDuncanChangModel final : public Cappfunc {
 public:
  CalcDuncanChangModel(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants);
  int VariableNumber() const override { return 3; }
  double CalcValue(std::span<double> p, double x) override;
  const StageCounter& Stages() const { return stages_; }

 private:
  StageCounter stages_;
};

// Id 9: p0 = G, p1 = F, p2 = d; K, nK and Rf are fixed constants.
class CalcDCPoisson final : public Cappfunc {
 public:
  CalcDCPoisson(std::vector<double> xValues, std::vector<double> yValues, std::span<const double> constants);
  int VariableNumber() const override { return 3; }
  double CalcValue(std::span<double> p, double x) override;
  const StageCounter& Stages() const { return stages_; }

 private:
  StageCounter stages_;
  double modulusNumber_ = 0.0;
  double modulusExponent_ = 0.0;
  double failureRatio_ = 0.0;
};

}  // namespace lunvex
