#include "report/PrintMode.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "controls/MessageBoxes.h"
#include "host/Language.h"
#include "host/ProgramFolder.h"
#include "report/PrintPreviewDlg.h"
#include "report/QuorvelView.h"
#include "report/WordOutput.h"

namespace quorvel {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

// The Word question: Yes/No, kept above every other window.
bool AskWordOutput() {
  QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), U(kWordQuestion), QMessageBox::NoButton);
  box.setObjectName(QStringLiteral("wordQuestion"));
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  QPushButton* yes = box.addButton(U(Tr("はい", "Yes")), QMessageBox::YesRole);
  QPushButton* no = box.addButton(U(Tr("いいえ", "No")), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

}  // namespace

ModeResult RunPrintMode(const std::string& folder, const StartRequest&) {
  const std::string formFolder = folder + "PrnFiles/";
  CPrintProject project;
  // A missing hand-off file leaves the defaults: the preview then finds
  // nothing to print. A record that does not read ends the task in order.
  const ProjectLoadResult loaded = LoadProject(folder + kHandOffFileName, project.Project);
  if (loaded.Status == ProjectLoadStatus::kFailed) {
    ShowMessageBox(nullptr,
                   U(Tr("印刷データを読み込めませんでした。\n", "The print data could not be read.\n")) +
                       QString::fromStdString(loaded.Message),
                   QCoreApplication::applicationName(), QMessageBox::Warning, MessageButtons::Ok);
    return ModeResult::Cancel;
  }

  int action = CPrintPreviewDlg::kPrint;
  {
    CPrintPreviewDlg preview(project, formFolder);
    if (preview.exec() != QDialog::Accepted) return ModeResult::Cancel;
    action = preview.Action();
  }
  if (action == CPrintPreviewDlg::kPrint) {
    QCoreApplication::setApplicationName(U(kPrintApplicationName));
    CQuorvelDoc document;
    CQuorvelView view(document, project, formFolder);
    view.OnFilePrint(nullptr);
  } else if (action == CPrintPreviewDlg::kWord) {
    if (AskWordOutput()) RunWordOutput(project, formFolder, nullptr);
  }
  // The host hears OK whatever came of the printing or the Word output.
  return ModeResult::Ok;
}

ModeResult RunPrintMode(const StartRequest& request) { return RunPrintMode(ProgramFolder(), request); }

}  // namespace quorvel
