#pragma once
// CSrnFormDlg, the modal window of start mode 0: a frame with the stratum
// header, the graph toolbar, the left panel of three page buttons and the page
// area. It owns every record the pages edit (SrnFormRecord), reads them from
// the hand-off file and, on OK, writes the answer, the colour file and the
// done flag.
#include <QDialog>
#include <array>
#include <string>

#include "host/StartRequest.h"
#include "srn/SrnFormRecord.h"
#include "srn/SrnPage.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedLayout;

namespace quorvel {

class CExpButton;
class CSrnInputDataDlg;
class GraphArea;

class CSrnFormDlg : public QDialog {
  Q_OBJECT
 public:
  // `folder` is the program folder (ending in '/') holding "temp.txt".
  // `replacePage` may stand in for pages 1 and 2 (tests); empty, the form
  // makes its real pages.
  CSrnFormDlg(std::string folder, std::string stratumLabel, QWidget* parent = nullptr, SrnPageFactory replacePage = {});
  ~CSrnFormDlg() override;

  // Reads the hand-off file and builds the pages. On a failed read shows
  // "印刷データの読み込みに失敗しました。" and closes the form as Cancel;
  // returns whether the form is ready. exec() calls it when nobody did.
  bool Initialise();
  int exec() override;

  // Left-panel buttons 1001, 1002, 1003 (index 0, 1, 2). Page 2 may be refused.
  void OnPageButton(int pageIndex);
  // OK (button 1): the checks, the answer and the close, or a refusal.
  void OnOk();
  // Toolbar: zoom in (1078), zoom reset (1090), copy (1076), large screen (1077),
  // drawing setup (1048).
  void OnZoomIn();
  void OnZoomReset();
  void OnCopyGraph();
  void OnLargeScreen();
  void OnDrawingSetup();

  SrnFormRecord& Record() { return record_; }
  const SrnFormRecord& Record() const { return record_; }
  int PageIndex() const { return pageIndex_; }
  SrnPage* Page(int pageIndex) const;
  CSrnInputDataDlg* InputPage() const;
  GraphArea* CurrentGraph() const;
  const std::string& StratumLabel() const { return stratumLabel_; }

 private:
  void BuildWindow();
  void SetStratumHeader();
  void CreatePages();
  void ShowPage(int pageIndex);
  void SelectPageButton(int pageIndex);
  void RefreshOptimisationPages();

  std::string folder_;
  std::string stratumLabel_;
  SrnPageFactory replacePage_;
  SrnFormRecord record_;
  bool initialised_ = false;
  int pageIndex_ = 0;
  std::array<SrnPage*, SrnPage::kPageCount> pages_{};

  QLineEdit* stratumNumber_ = nullptr;
  QLineEdit* stratumName_ = nullptr;
  std::array<CExpButton*, SrnPage::kPageCount> pageButtons_{};
  QWidget* pageArea_ = nullptr;
  QStackedLayout* pageStack_ = nullptr;
  QPushButton* copyGraphButton_ = nullptr;
  QPushButton* largeGraphButton_ = nullptr;
  CExpButton* zoomInButton_ = nullptr;
  CExpButton* zoomResetButton_ = nullptr;
  CExpButton* drawingButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

// The start-up dispatch of mode 0: runs the form on the program folder and
// tells the shell whether the form answered (Ok) or the Cancel answer is due.
ModeResult RunSrnForm(const StartRequest& request);

}  // namespace quorvel
