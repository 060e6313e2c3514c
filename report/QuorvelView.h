#pragma once
// The print job: CQuorvelDoc names it, CQuorvelView runs it. The view owns a
// composer from the start of printing to its end, composes the report with
// the printing flag set, lets the user pick printer and pages in the print
// dialog and prints them, drawn exactly as the preview draws them.
#include <QString>
#include <memory>
#include <string>

#include "platform/KavletComposer.h"
#include "report/PrintPreviewDlg.h"
#include "report/PrintProject.h"

class QPagedPaintDevice;
class QWidget;

namespace quorvel {

// The document of the print job: only its title, which names the job.
struct CQuorvelDoc {
  QString Title;
};

// Prints pages `from`..`to` (one-based, inclusive) of a finished composition
// onto a printer or PDF writer: per page SetDrawPaper, a new device page, the
// paper mapped onto the whole device page, and the page drawn. False when the
// device cannot be painted on.
bool PrintReportPages(CKavletComposer& composer, QPagedPaintDevice& device, const CPrintProject& project, int from,
                      int to);

class CQuorvelView {
 public:
  CQuorvelView(CQuorvelDoc& document, CPrintProject& project, std::string formFolder,
               ComposerFactory makeComposer = {});
  ~CQuorvelView();
  CQuorvelView(const CQuorvelView&) = delete;
  CQuorvelView& operator=(const CQuorvelView&) = delete;

  // The print command: begin printing (compose), the print dialog with the
  // pages 1..count, the chosen pages to the chosen printer, end printing.
  // True when pages were printed.
  bool OnFilePrint(QWidget* parent);

  // The steps of the print command, for callers that bring their own printer.
  // Begin printing: false when the composer cannot start or nothing was composed
  // (a form-file message is then in `message`, and its one-line reason in `reason`).
  bool OnBeginPrinting(QString& message, std::string* reason = nullptr);
  int PageCount() const;
  bool PrintPages(QPagedPaintDevice& device, int from, int to);
  void OnEndPrinting();

 private:
  CQuorvelDoc& document_;
  CPrintProject& project_;
  std::string formFolder_;
  ComposerFactory makeComposer_;
  std::unique_ptr<CKavletComposer> composer_;
};

}  // namespace quorvel
