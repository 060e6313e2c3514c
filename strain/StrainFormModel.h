#pragma once
// Everything the strain form does that needs no widget: the texts of its three
// grids, their cell rules, the retry fields, the graph series with automatic
// axes, "All clear", the copy text and the decision at OK. The dialog mirrors
// these texts into its grids and calls these operations from its signals.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "strain/StrainFormRecord.h"

namespace quorvel {

// Cell texts of the three grids as the user sees them. Rows and columns count
// from 1 as the grids do.
class StrainSheet {
 public:
  // Columns of the initial-parameter grid.
  enum ParameterColumn { kPhiPeak = 1, kA1 = 2, kT1 = 3, kD1 = 4, kA2 = 5, kT2 = 6, kD2 = 7 };
  // Rows of the initial-parameter grid.
  enum ParameterRow { kInitialRow = 1, kMinimumRow = 2, kMaximumRow = 3 };
  // Column of the residual in the optimised-parameter grid (1..6: A1 .. d2).
  static constexpr int kResidualColumn = 7;
  static constexpr int kColumnCount = 7;
  // Experiment rows shown at least, so the user has room to type points.
  static constexpr int kMinimumExperimentRows = 50;

  // Experiment grid: `rows` empty rows.
  void ResizeExperiment(int rows);
  // Experiment grid: empty rows added up to `rows` (a paste grew the grid);
  // rows are never dropped.
  void GrowExperiment(int rows);
  int ExperimentRows() const { return static_cast<int>(experiment_.size()); }

  // Cells; an index outside the grid throws InvalidArgument.
  std::string& Experiment(int row, int column);
  const std::string& Experiment(int row, int column) const;
  std::string& Parameter(int row, int column);
  const std::string& Parameter(int row, int column) const;
  std::string& Result(int column);
  const std::string& Result(int column) const;

  // Column of the initial-parameter grid for parameter row r of the record
  // table (A1, t1, d1, t2, d2 -> 2, 3, 4, 6, 7).
  static int ColumnOfParameter(int parameterRow);

 private:
  std::vector<std::array<std::string, 2>> experiment_;
  std::array<std::array<std::string, kColumnCount>, 3> parameters_{};
  std::array<std::string, kColumnCount> results_{};
};

// What OK has to do.
enum class StrainOkStep {
  EndAsCancel,      // nothing changed since the host's data
  ShowNotFinished,  // no fit since "All clear": message, the form stays
  AskResidual,      // residual above the tolerance: ask, No keeps the form
  WriteAnswer,      // write the answer, colour file and done flag
};

// Graph kind of the renderer for the argument: 2 DA strain, 4 cumulative damage.
int StrainGraphKind(int argument);

class StrainFormModel {
 public:
  // The model works on a record that the form owns.
  explicit StrainFormModel(StrainFormRecord& record, int languageId);

  StrainFormRecord& Record() { return record_; }
  const StrainFormRecord& Record() const { return record_; }
  StrainSheet& Sheet() { return sheet_; }
  const StrainSheet& Sheet() const { return sheet_; }
  int LanguageId() const { return languageId_; }

  // Fills the three grids from the record (after the hand-off was read).
  void FillFromRecord();

  // Cell rules, run after the user changed one cell. Each corrects the cell
  // in place, stores the grid into the record, rebuilds the graph series
  // and clears the unchanged flag.
  void ExperimentCellChanged(int row, int column);
  void ParameterCellChanged(int row, int column);
  void ResultCellChanged(int column);
  // Delete key: empties the block (inclusive, clipped to the grid).
  void ClearExperimentBlock(int row1, int column1, int row2, int column2);
  void ClearParameterBlock(int row1, int column1, int row2, int column2);

  // Retry fields; each returns the text the field shows afterwards. An empty
  // trial field gives the default 5.
  std::string MaximumTrialsChanged(std::string_view text);
  std::string ToleranceChanged(std::string_view text);
  void RandomRetryChanged(bool on);
  void ArgumentChanged(int argument);

  // "All clear": no points, no values, default retry settings and axes.
  void AllClear();

  // Start is possible: rows 1 and 2 of the experiment grid are complete.
  bool StartEnabled() const;
  // The residual cell is red: the residual shown exceeds the tolerance.
  bool ResidualAboveTolerance() const;
  // The residual shown in the optimised-parameter grid; no value when empty.
  double ShownResidual() const;

  // Title of column 1 of the experiment grid for the argument and language.
  std::string ExperimentColumnTitle(int column) const;
  // The experiment grid as clipboard text (titles, then every row; LF ends).
  std::string CopyText() const;

  StrainOkStep OkStep() const;

  // Rebuilds the graph's series (experiment points into the record's graph
  // list, the fitted curve) and, with automatic adjustment on, its axes.
  void RebuildGraphSeries();
  // After the drawing setup changed colours or axes: rebuilds the series with
  // the colours and the X range now in force. The axes are recomputed only
  // when the settings ask for it (automatic and out of date), so typed ranges
  // stay and a cancelled setup keeps exactly the ranges it restored.
  void DrawingSettingsChanged();
  // The fitted curve, or nullptr while there are no results to draw.
  const CPointDataList* Curve() const { return hasCurve_ ? &curve_ : nullptr; }
  // Points of the experiment grid: rows with both cells holding a number.
  std::vector<CDPoint> ExperimentPoints() const;
  // Initial values, minima, maxima and phi peak from the grid into the record.
  void StoreParameters();

 private:
  void Rebuild(bool recomputeAxes);
  void UpdateAxes(const std::vector<CDPoint>& points);
  void FillParameterRow(int column, int parameterRow);

  StrainFormRecord& record_;
  int languageId_;
  StrainSheet sheet_;
  CPointDataList curve_;
  bool hasCurve_ = false;
};

// Cell number texts: the program's double printing (10 decimals, trailing
// zeros removed down to one) and the residual's scientific form.
std::string CellNumberText(double v);
std::string ResidualText(double v);
// A cell read with 6 decimals (the cell rules); empty gives the no-value marker.
double CellValue6(std::string_view text);
// A cell read as written.
double CellValue(std::string_view text);

}  // namespace quorvel
