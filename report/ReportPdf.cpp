#include "report/ReportPdf.h"

#include <QPdfWriter>
#include <QSaveFile>

#include "report/QuorvelView.h"

namespace quorvel {

PdfOutcome WriteReportPdf(CPrintProject& project, const std::string& formFolder, const std::string& path) {
  PdfOutcome outcome;
  CQuorvelDoc document{QString::fromStdString(project.Project.Setting.Title)};
  CQuorvelView view(document, project, formFolder);
  QString message;
  const bool composed = view.OnBeginPrinting(message, &outcome.reason);
  outcome.pages = view.PageCount();
  if (!composed) return outcome;
  outcome.reason.clear();

  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) {
    outcome.reason = path + ": " + file.errorString().toStdString();
    return outcome;
  }
  {
    QPdfWriter writer(&file);
    writer.setTitle(document.Title);
    writer.setCreator(QStringLiteral("Quorvel"));
    writer.setResolution(1200);
    if (!view.PrintPages(writer, 1, outcome.pages)) {
      file.cancelWriting();
      outcome.reason = path + ": the pages could not be drawn";
      return outcome;
    }
  }
  if (!file.commit()) {
    outcome.reason = path + ": " + file.errorString().toStdString();
    return outcome;
  }
  outcome.written = true;
  return outcome;
}

}  // namespace quorvel
