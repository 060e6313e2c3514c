#pragma once
// CSrnOptimizeDlg, page 1 of the SR-N form: per data set the initial values
// and bounds of a, b and c, the Start of the fit of every set's SR-N curve
// (with random restarts), the fitted parameters with their residuals, the one
// curve marked for the host, and the SR-N graph with the fitted curves.
#include <vector>

#include "graph/PointDataList.h"
#include "srn/SrnOptimizeRun.h"
#include "srn/SrnPage.h"

class QLabel;

namespace quorvel {

class CSpread7;
class RetryRow;

class CSrnOptimizeDlg : public SrnPage {
  Q_OBJECT
 public:
  CSrnOptimizeDlg(SrnFormRecord& record, QWidget* parent);
  ~CSrnOptimizeDlg() override;

  // SrnPage.
  void Activate() override;
  void RefreshFromData() override;
  GraphArea* Graph() override { return graph_; }
  void RedrawGraph() override;
  bool HasOwnResults() const override;

  // Fill the page from the data; store the page into the data; discard the
  // results (the form's SR-N curves and the drawn curves).
  void FillFromData();
  void StoreToData();
  void DiscardResults();

  // Start ("最適化開始"); a point without both numbers is named instead.
  void Start();

  // The grids and fields as the run sees them, and back.
  SrnOptimizeSheet ReadSheet() const;
  void ShowSheet(const SrnOptimizeSheet& sheet);

  CSpread7* InitialGrid() const { return initialGrid_; }
  CSpread7* ResultGrid() const { return resultGrid_; }
  // Random retry, maximum trials, tolerance and Start.
  RetryRow* Retry() const { return retry_; }
  const std::vector<CPointDataList>& CurveSeries() const { return curveSeries_; }
  // Graph paints during the last Start and the progress requests behind them.
  int RunPaints() const { return runPaints_; }
  int RunPaintRequests() const { return runRequests_; }

 private:
  void BuildWindow();
  void ConnectSignals();
  void RebuildGraphSeries();
  void UpdateEnabledState();
  void ColourResiduals();
  void OnInitialCellChanged(int row, int col);
  void OnInitialGridKey(int key, Qt::KeyboardModifiers modifiers);
  void OnResultCellChanged(int row, int col);
  void OnMaxTrialsCommitted();
  void OnToleranceCommitted();
  int MaxTrialsValue() const;
  // The cells of `row` go into its set as OK and a page switch take them
  // (an empty cell as StoreSrnSheet stores it).
  void KeepRowInSet(int row);

  int language_;
  bool filling_ = false;
  double toleranceValue_ = kDefaultTolerance;
  int maxTrialsValue_ = kDefaultMaximumTrials;
  std::vector<CPointDataList> curveSeries_;
  int runPaints_ = 0;
  int runRequests_ = 0;

  GraphArea* graph_ = nullptr;
  QLabel* title_ = nullptr;
  CSpread7* initialGrid_ = nullptr;
  CSpread7* resultGrid_ = nullptr;
  RetryRow* retry_ = nullptr;
};

}  // namespace quorvel
