#pragma once
// CLiquidOptimizeDlg, page 2 of the SR-N form: fits the liquefaction-curve
// constants alpha, beta and C against DA with one of four functions each,
// keeps the best fit of its trials, and shows the constants against DA or the
// SR-N curves estimated from them.
#include <vector>

#include "graph/PointDataList.h"
#include "srn/LiquidOptimizeRun.h"
#include "srn/SrnPage.h"

class QRadioButton;

namespace quorvel {

class CExpButton;
class CSpread7;
class RetryRow;

class CLiquidOptimizeDlg : public SrnPage {
  Q_OBJECT
 public:
  // Graph views (radio buttons 1041 and 1042).
  enum View { kDaView = 0, kSrnView = 1 };

  CLiquidOptimizeDlg(SrnFormRecord& record, QWidget* parent);
  ~CLiquidOptimizeDlg() override;

  // SrnPage.
  void Activate() override;
  void RefreshFromData() override;
  GraphArea* Graph() override { return graph_; }
  void RedrawGraph() override;
  void StoreToRecords() override;
  bool OptimisationNotFinished() const override { return notFinished_; }

  // Start ("最適化開始"); false when the failure message was shown, or a
  // cell the fit needs holds no number (named to the user, nothing fitted).
  bool Start();
  void SetView(View view);
  View CurrentView() const { return view_; }
  // The formula button (1047).
  void ShowFormula();

  LiquidOptimizeSheet ReadSheet() const;
  void ShowSheet(const LiquidOptimizeSheet& sheet);
  // Rebuilds the series of the current view (ranges first when due).
  void RebuildGraphSeries();

  CSpread7* InputGrid() const { return inputGrid_; }
  CSpread7* ResultGrid() const { return resultGrid_; }
  // Random retry, maximum trials, tolerance and Start.
  RetryRow* Retry() const { return retry_; }
  const std::vector<CPointDataList>& CurveSeries() const { return curveSeries_; }
  int RunPaints() const { return runPaints_; }

 private:
  void BuildWindow();
  void ConnectSignals();
  void OnInputCellChanged(int row, int col);
  void OnMaxTrialsCommitted();
  void OnToleranceCommitted();
  int MaxTrialsValue() const;

  int language_;
  bool filling_ = false;
  bool notFinished_ = false;
  View view_ = kDaView;
  int maxTrialsValue_ = kDefaultMaximumTrials;
  double toleranceValue_ = kDefaultTolerance;
  std::vector<CPointDataList> curveSeries_;
  int runPaints_ = 0;

  GraphArea* graph_ = nullptr;
  CSpread7* inputGrid_ = nullptr;
  CSpread7* resultGrid_ = nullptr;
  RetryRow* retry_ = nullptr;
  QRadioButton* daView_ = nullptr;
  QRadioButton* srnView_ = nullptr;
  CExpButton* formula_ = nullptr;
};

}  // namespace quorvel
