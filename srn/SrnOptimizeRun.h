#pragma once
// The SR-N optimisation page without its widgets: the two grids as texts, the
// rules that correct their cells, filling them from the form's records and
// storing them back, and the Start run that fits every data set through the
// engine in three passes with random restarts.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/EngineCaller.h"
#include "host/RetrySettings.h"
#include "srn/SrnFormRecord.h"

namespace quorvel {

// One row of the initial-parameter grid: for a, b and c the initial value,
// the minimum and the maximum (grid columns 1..9), as the cells show them.
struct SrnInitialRow {
  std::string Label;                 // set name followed by "%"
  std::array<std::string, 9> Cells;  // column c is Cells[c - 1]
};

// One row of the optimised-parameter grid.
struct SrnResultRow {
  std::string Label;                 // set name followed by "%"; empty for a row never written
  std::array<std::string, 4> Cells;  // a, b, c and the residual (columns 1..4)
  bool Checked = false;              // column 5: the curve goes back to the host
};

// Everything the page shows: both grids and the retry fields.
struct SrnOptimizeSheet {
  // Columns of the initial-parameter grid and the optimised-parameter grid.
  static constexpr int kInitialColumns = 9;
  static constexpr int kResidualColumn = 4;
  static constexpr int kCheckColumn = 5;

  std::vector<SrnInitialRow> Initial;
  std::vector<SrnResultRow> Results;
  bool RandomRetry = true;                    // check box "Automatic Retry mode"
  int MaximumTrials = kDefaultMaximumTrials;  // kMinimumTrials..kSrnMaximumTrials
  double Tolerance = kDefaultTolerance;       // kMinimumTolerance..kMaximumTolerance
};

// The trial field of this page refuses more than this many trials.
inline constexpr int kSrnMaximumTrials = 100;

// Number texts of the page. A cell value: "%.10f" with trailing zeros removed
// down to one decimal (no value: empty). A residual: 1.234000E-3.
std::string SrnCellText(double value);
std::string SrnResidualText(double value);
// A cell's number: empty text gives `emptyValue`, otherwise the leading number.
double SrnCellValue(const std::string& text, double emptyValue = kNoValue);

// Both grids and the retry fields from the form's records.
SrnOptimizeSheet FillSrnSheet(const SrnFormRecord& form);
// The grids and fields into the form: every set's initial values and bounds
// (empty: 0.5, 0 and 1.0), one new CEq1Param per result row (empty cells 0.0,
// name up to the "%"), the retry settings. Clears the unchanged flag.
void StoreSrnSheet(const SrnOptimizeSheet& sheet, SrnFormRecord& form);

// One row of the initial-parameter grid into its set, as StoreSrnSheet does.
void StoreSrnInitialRow(const SrnInitialRow& row, CPointDataList& set);

// The rule for a user's change of initial-parameter cell (column 1..9): read
// with 6 decimals, a and b below 0.0001 become 0.0001, c below 0 becomes 0,
// anything above 100 becomes 100. Text that is no number (an emptied cell,
// "x", "1,5") counts as below the lower limit. Returns true when the text was
// replaced.
bool ApplySrnCellRule(std::string& text, int column);

// Whether every item of `request` is a number: a request with an empty or
// non-number item is never sent (the engine would read the next item in
// its place).
bool IsCompleteRequest(const EngineRequest& request);

// Start is allowed when every set has a point and every initial-parameter
// cell holds a number.
bool SrnStartAllowed(const SrnFormRecord& form, const SrnOptimizeSheet& sheet);
// The residual cell is shown in red: its value exceeds the tolerance.
bool SrnResidualExceeds(const SrnResultRow& row, double tolerance);

// A click on the check cell of result row `row` (1-based) after the grid
// toggled it: a checked row unchecks every other; then every curve's
// Selected follows its row, and the unchanged flag is cleared.
void ApplySrnCheckClick(SrnOptimizeSheet& sheet, int row, SrnFormRecord& form);

// Start. The page hands in its sheet, runs it, and shows the sheet again.
class SrnOptimizeRun {
 public:
  // Called whenever the page would redraw its graph during the run: after
  // each Fit all sets and after each trial that did not reach the tolerance.
  using Progress = std::function<void()>;

  SrnOptimizeRun(SrnFormRecord& form, SrnOptimizeSheet& sheet, EngineCaller& caller)
      : form_(form), sheet_(sheet), caller_(caller) {}

  // Pre-check, the three passes, then the stored result. Nothing is fitted
  // while a set has a point without both numbers (the page names it first).
  // When the SR-N curves came out different, the liquefaction constants
  // (fitted to the old ones) are discarded.
  void Run(const Progress& progress = {});

  // Corrects the initial-parameter cells before a run (empty cells included).
  void PreCheck();
  // One fit of every data set from the grid's current texts. False when
  // "data.txt" could not be written (the later sets are then not fitted). A
  // row checked before keeps its mark; with none, the "5%" row is marked.
  bool FitAllSets(const Progress& progress = {});
  // The request of data set `index` from its grid row.
  EngineRequest BuildRequest(std::size_t index) const;

  int FitAllSetsCount() const { return fitAllSetsCount_; }
  // Trials made in each pass by the last Run.
  const std::array<int, 3>& TrialsPerPass() const { return trialsPerPass_; }

 private:
  void DrawInitialValues(int parameter);
  double PassResidual(int parameter) const;

  SrnFormRecord& form_;
  SrnOptimizeSheet& sheet_;
  EngineCaller& caller_;
  int fitAllSetsCount_ = 0;
  std::array<int, 3> trialsPerPass_{};
};

}  // namespace quorvel
