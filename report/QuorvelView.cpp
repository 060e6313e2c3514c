#include "report/QuorvelView.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "controls/MessageBoxes.h"
#include "report/ReportComposition.h"
#include "report/ReportPageDrawing.h"

namespace quorvel {

bool PrintReportPages(CKavletComposer& composer, QPagedPaintDevice& device, const CPrintProject& project, int from,
                      int to) {
  if (from < 1 || to < from || to > composer.PageCount()) return false;
  // The paper of the first page must be set before painting starts; later
  // pages take theirs at the page break.
  composer.SetDrawPaper(&device, from);
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const FrameDrawer frames = ReportFrameDrawer(project);
  for (int page = from; page <= to; ++page) {
    if (page != from) {
      composer.SetDrawPaper(&device, page);
      device.newPage();
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    CKavletComposer::MapToPaper(painter, QRect(0, 0, device.width(), device.height()));
    DrawReportPage(composer, painter, page, project, frames);
    painter.restore();
  }
  return painter.end();
}

CQuorvelView::CQuorvelView(CQuorvelDoc& document, CPrintProject& project, std::string formFolder,
                           ComposerFactory makeComposer)
    : document_(document),
      project_(project),
      formFolder_(std::move(formFolder)),
      makeComposer_(std::move(makeComposer)) {}

CQuorvelView::~CQuorvelView() {
  if (composer_) OnEndPrinting();
}

bool CQuorvelView::OnBeginPrinting(QString& message, std::string* reason) {
  if (!composer_) composer_ = makeComposer_ ? makeComposer_() : std::make_unique<CKavletComposer>();
  if (!composer_->BeginPrinting()) {
    if (reason != nullptr) *reason = "the page composer cannot start";
    return false;
  }
  composer_->SetSpace(0, 0);
  composer_->SetSoejiFlag(1);
  composer_->SetPrintPageNum(0);
  project_.Attach(composer_.get());
  project_.PrintingFlag = 1;
  const CompositionResult result = ComposeReport(project_, formFolder_);
  if (!result.formsFound) message = QString::fromStdString(result.message);
  if (reason != nullptr) *reason = result.formsFound ? "nothing to print: no report item is selected" : result.reason;
  return composer_->PageCount() > 0;
}

int CQuorvelView::PageCount() const { return composer_ ? composer_->PageCount() : 0; }

bool CQuorvelView::PrintPages(QPagedPaintDevice& device, int from, int to) {
  return composer_ && PrintReportPages(*composer_, device, project_, from, to);
}

void CQuorvelView::OnEndPrinting() {
  if (!composer_) return;
  composer_->EndPrinting();
  composer_.reset();
  project_.Attach(nullptr);
  project_.PrintingFlag = 0;
}

bool CQuorvelView::OnFilePrint(QWidget* parent) {
  document_.Title = QString::fromStdString(project_.Project.Setting.Title);
  const QString caption = QCoreApplication::applicationName();
  QString message;
  const bool composed = OnBeginPrinting(message);
  if (!message.isEmpty()) ShowMessageBox(parent, message, caption, QMessageBox::Warning, MessageButtons::Ok);
  if (!composed) {
    OnEndPrinting();
    return false;
  }

  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(document_.Title);
  printer.setFullPage(true);
  QPrintDialog dialog(&printer, parent);
  dialog.setObjectName(QStringLiteral("printDialog"));
  dialog.setMinMax(1, PageCount());
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  // Print to file is hidden only when a real printer exists: on a machine
  // without one it is the only way to print at all.
  dialog.setOption(QAbstractPrintDialog::PrintToFile, QPrinterInfo::availablePrinters().isEmpty());
  if (dialog.exec() != QDialog::Accepted) {
    OnEndPrinting();
    return false;
  }
  int from = 1;
  int to = PageCount();
  if (printer.printRange() == QPrinter::PageRange) {
    from = std::max(1, printer.fromPage());
    to = std::min(PageCount(), printer.toPage());
  }
  const bool printed = PrintPages(printer, from, to);
  if (!printed)
    ShowMessageBox(parent, QStringLiteral("Failed to Print."), caption, QMessageBox::Warning, MessageButtons::Ok);
  OnEndPrinting();
  return printed;
}

}  // namespace quorvel
