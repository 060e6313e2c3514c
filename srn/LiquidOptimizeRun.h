#pragma once
// The liquefaction-curve constants page without its widgets: the input grid
// (initial values, bounds and function of alpha, beta and C) and the result
// grid as texts, the three (DA, constant) point lists built from the SR-N
// curves, and the Start run that keeps the best of its trials per constant.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "host/EngineCaller.h"
#include "host/RetrySettings.h"
#include "srn/SrnFormRecord.h"

namespace quorvel {

struct LiquidOptimizeSheet {
  static constexpr int kParameterColumns = 8;
  static constexpr int kResidualColumn = 9;

  // Rows 3k+1 (initial values), 3k+2 (minima), 3k+3 (maxima) of constant k;
  // Input[r - 1][c - 1] is grid row r, column c (1..8).
  std::array<std::array<std::string, 8>, 9> Input;
  // Combo index of column 9 in row 3k+1: 0 Polynomial, 1 ExpGrow, 2 ExpGrow2, 3 ExpPower.
  std::array<int, 3> Function{0, 0, 0};
  // Rows 1..3 (alpha, beta, C): p0..p7 in Results[k][0..7], the residual in [8].
  std::array<std::array<std::string, 9>, 3> Results;
  bool RandomRetry = true;
  int MaximumTrials = kDefaultMaximumTrials;
  double Tolerance = kDefaultTolerance;
};

// Residual shown before every run; a fit must beat it to be kept.
inline constexpr double kLiquidStartResidual = 1e8;

// Engine id and parameter count of a combo index (any index outside 0..3 is
// the polynomial).
int LiquidEquationId(int functionIndex);
int LiquidParameterCount(int functionIndex);

// The input grid and fields from the settings (cells with up to six decimals, no
// value empty), the result grid from the constant curves.
LiquidOptimizeSheet FillLiquidSheet(const SrnFormRecord& form);
// The page's grid into the settings: cells (empty: no value), function codes,
// trials, retry and tolerance.
void StoreLiquidSheet(const LiquidOptimizeSheet& sheet, ConstantFitSettings& settings);

// Empties the three lists of the DA graph, names them alpha, beta, C and adds
// one point per SR-N curve: x = the curve's name as a number, y = its a, b, c
// (a missing parameter counts as 0).
void BuildConstantPointLists(SrnFormRecord& form);

// The first cell (grid row, column) that the chosen functions send to the
// engine and that holds no number; nullopt when every one does.
std::optional<std::pair<int, int>> FindMissingLiquidCell(const LiquidOptimizeSheet& sheet);

class LiquidOptimizeRun {
 public:
  // Called wherever the page repaints its graph during the run.
  using Progress = std::function<void()>;

  LiquidOptimizeRun(SrnFormRecord& form, LiquidOptimizeSheet& sheet, EngineCaller& caller)
      : form_(form), sheet_(sheet), caller_(caller) {}

  // Start: start residuals 1e8, three new empty curves, the trials of each
  // constant. Returns false when a residual stayed at 1e8 or more (the page
  // then shows its failure message).
  bool Run(const Progress& progress = {});
  // One fit of constant k from the grid's current texts; true when the fit
  // replaced the one shown.
  bool FitConstant(int k, const Progress& progress = {});
  EngineRequest BuildRequest(int k) const;

  // Fits made by the last Run, per constant.
  const std::array<int, 3>& TrialsPerConstant() const { return trials_; }

 private:
  void DrawInitialValues(int k);

  SrnFormRecord& form_;
  LiquidOptimizeSheet& sheet_;
  EngineCaller& caller_;
  std::array<int, 3> trials_{};
};

}  // namespace quorvel
