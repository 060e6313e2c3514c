#pragma once
// CPrintPreviewDlg: the one window of the print mode. It composes the report
// with its own composer, shows one page at a time (zoom, drag to pan, page
// numbers on or off) and closes with the user's choice: print, Word output or
// close. It neither prints nor exports itself.
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "platform/KavletComposer.h"
#include "report/PrintProject.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace quorvel {

class CExpButton;
class CExpEdit;
class PreviewArea;

using ComposerFactory = std::function<std::unique_ptr<CKavletComposer>()>;

class CPrintPreviewDlg : public QDialog {
  Q_OBJECT
 public:
  enum ReportAction { kPrint = 0, kWord = 1 };
  static constexpr double kMaximumZoom = 8.0;
  static constexpr double kZoomStep = 1.25;

  // Composes at once (page-number flag on, printing flag 0). A failure to
  // start or an empty report is reported when the dialog is run, which then
  // ends as Rejected. `makeComposer` replaces the composer (tests).
  CPrintPreviewDlg(CPrintProject& project, std::string formFolder, QWidget* parent = nullptr,
                   const ComposerFactory& makeComposer = {});
  ~CPrintPreviewDlg() override;

  int exec() override;

  int Action() const { return action_; }
  int CurrentPage() const { return page_; }
  int PageCount() const;
  double Zoom() const { return zoom_; }
  QPoint Pan() const { return pan_; }
  CKavletComposer& Composer() { return *composer_; }

  // The preview area's picture: grey, the white paper, the page (for the area's size).
  QImage RenderPreview(const QSize& size) const;

 private:
  friend class PreviewArea;
  void BuildWidgets();
  void Compose();
  void UpdateButtons();
  void Redraw();
  void ShowPage(int page);
  void NextPage();
  void PreviousPage();
  void PageEditCommitted();
  void ZoomIn();
  void ZoomReset();
  void Wheel(int delta);
  void DragBy(const QPoint& movement);
  void Choose(int action);

  CPrintProject& project_;
  std::string formFolder_;
  std::unique_ptr<CKavletComposer> composer_;
  QString failure_;      // shown by exec(): "Failed to Print." or "印刷する項目がありません。"
  QString formMessage_;  // a form file that could not be opened, shown first
  int page_ = 1;
  double zoom_ = 1.0;
  QPoint pan_;
  int action_ = kPrint;

  PreviewArea* area_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* word_ = nullptr;
  QPushButton* zoomIn_ = nullptr;
  QPushButton* zoomOut_ = nullptr;
  CExpButton* previous_ = nullptr;
  CExpButton* next_ = nullptr;
  QCheckBox* pageNumbers_ = nullptr;
  CExpEdit* pageEdit_ = nullptr;
  QLabel* pageCount_ = nullptr;
};

}  // namespace quorvel
