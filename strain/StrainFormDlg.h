#pragma once
// The strain form: fits the apparent friction angle against DA strain (or
// cumulative damage) for one stratum and hands the result back to the host.
#include <QDialog>
#include <memory>
#include <string>

#include "host/EngineCaller.h"
#include "host/StartRequest.h"
#include "strain/StrainFormModel.h"
#include "strain/StrainFormRecord.h"

class QComboBox;
class QPushButton;

namespace quorvel {

class CSpread7;
class GraphArea;
class RetryRow;

class CStrainFormDlg : public QDialog {
  Q_OBJECT
 public:
  // `folder` is the program folder (ending in '/'): hand-off, colour and
  // exchange files live there.
  CStrainFormDlg(std::string folder, const StartRequest& request, QWidget* parent = nullptr);
  ~CStrainFormDlg() override;

  // The hand-off file could not be read: the form must end as Cancel.
  bool LoadFailed() const { return record_.LoadFailed; }
  // Shows the load-failure message (Japanese only, in both languages).
  void ShowLoadFailure();

  StrainFormRecord& Record() { return record_; }
  StrainFormModel& Model() { return *model_; }
  EngineCaller& Caller() { return caller_; }

  // Button actions, also for tests.
  void OnStart();
  void OnOk();
  void OnAllClear();
  void OnCopy();
  // The strain model's formula picture.
  void ShowFormula();
  // The drawing setup: the strain graph's axes and its two colours.
  void ShowDrawingSetup();

 private:
  void BuildWidgets(const StartRequest& request);
  void SyncGridsFromSheet();
  void RefreshEnabledState();
  // The record's retry settings into the retry row (no edit).
  void ShowRetrySettings();
  void ColourResidual();
  void UpdateGraph(bool paintNow = false);
  void SetExperimentTitles();
  void OnCellChanged(CSpread7* grid, int row, int column);
  void OnArgumentChanged(int index);
  bool eventFilter(QObject* watched, QEvent* event) override;

  std::string folder_;
  int language_;
  StrainFormRecord record_;
  std::unique_ptr<StrainFormModel> model_;
  EngineCaller caller_;
  bool filling_ = false;

  CSpread7* experimentGrid_ = nullptr;
  CSpread7* parameterGrid_ = nullptr;
  CSpread7* resultGrid_ = nullptr;
  GraphArea* graph_ = nullptr;
  RetryRow* retry_ = nullptr;
  QComboBox* argument_ = nullptr;
};

// The strain mode's window for the shell.
ModeResult RunStrainForm(const StartRequest& request);

}  // namespace quorvel
