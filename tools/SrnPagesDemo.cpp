// quorvel-srn-demo: takes an SR-N hand-off file through both optimisations to
// the answer, as a user would: page 1 Start, page 2 Start, OK (answering the
// questions with their first button). Screenshots of both pages (and of the
// second page's SR-N view) go to the shots folder when one is given.
//   quorvel-srn-demo PROGRAM_FOLDER [--shots DIR] [--language ja|en] [--no-answer]
// The language defaults to the hand-off file's English flag.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <string>

#include "app/FontSetup.h"
#include "controls/RetryRow.h"
#include "host/HostTextFile.h"
#include "host/Language.h"
#include "srn/LiquidOptimizeDlg.h"
#include "srn/SrnFormDlg.h"
#include "srn/SrnOptimizeDlg.h"

namespace {

// Presses the first button of every message box that comes up.
void AnswerMessageBoxes(QObject* owner) {
  auto* timer = new QTimer(owner);
  QObject::connect(timer, &QTimer::timeout, owner, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || box->buttons().isEmpty()) return;
    std::printf("demo: message \"%s\" answered \"%s\"\n", box->text().toStdString().c_str(),
                box->buttons().first()->text().toStdString().c_str());
    box->buttons().first()->click();
  });
  timer->start(50);
}

void Shoot(QWidget& form, const QString& folder, const QString& name) {
  if (folder.isEmpty()) return;
  QCoreApplication::processEvents();
  const QString path = QDir(folder).filePath(name);
  form.grab().save(path);
  std::printf("demo: screenshot %s\n", path.toStdString().c_str());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QStringList args = QApplication::arguments();
  if (args.size() < 2) {
    std::fputs("usage: quorvel-srn-demo PROGRAM_FOLDER [--shots DIR] [--language ja|en] [--no-answer]\n", stderr);
    return 2;
  }
  QString folder = args[1];
  if (!folder.endsWith('/')) folder += '/';
  QString shots;
  QString language;
  bool answer = true;
  for (int i = 2; i < args.size(); ++i) {
    if (args[i] == "--shots" && i + 1 < args.size())
      shots = args[++i];
    else if (args[i] == "--language" && i + 1 < args.size())
      language = args[++i];
    else if (args[i] == "--no-answer")
      answer = false;
  }
  qputenv("QUORVEL_HOME", folder.toUtf8());
  quorvel::SetUpFonts();

  // Lines 2 and 3 of the hand-off file: the stratum label and the English flag.
  quorvel::HostTextReader reader;
  if (!reader.Open(folder.toStdString() + "temp.txt")) {
    std::fprintf(stderr, "demo: cannot read %stemp.txt\n", folder.toStdString().c_str());
    return 1;
  }
  reader.ReadLine();
  const std::string label = reader.ReadLine();
  const std::string english = reader.ReadLine();
  const bool japanese = language.isEmpty() ? english != "1" : language == "ja";
  quorvel::SetCurrentLanguage(japanese ? quorvel::kJapanese : quorvel::kEnglish);
  const QString suffix = japanese ? "ja" : "en";
  if (!shots.isEmpty()) QDir().mkpath(shots);

  quorvel::CSrnFormDlg form(folder.toStdString(), label);
  if (!form.Initialise()) return 1;
  form.show();
  AnswerMessageBoxes(&form);

  form.OnPageButton(quorvel::SrnPage::kSrnOptimize);
  auto* srnPage = static_cast<quorvel::CSrnOptimizeDlg*>(form.Page(quorvel::SrnPage::kSrnOptimize));
  srnPage->Retry()->StartButton()->click();
  std::printf("demo: SR-N curves fitted: %zu\n", form.Record().SrnCurves.Count());
  Shoot(form, shots, "srn-page1-" + suffix + ".png");

  form.OnPageButton(quorvel::SrnPage::kLiquidOptimize);
  auto* liquidPage = static_cast<quorvel::CLiquidOptimizeDlg*>(form.Page(quorvel::SrnPage::kLiquidOptimize));
  liquidPage->Retry()->StartButton()->click();
  Shoot(form, shots, "srn-page2-da-" + suffix + ".png");
  liquidPage->SetView(quorvel::CLiquidOptimizeDlg::kSrnView);
  Shoot(form, shots, "srn-page2-srn-" + suffix + ".png");
  liquidPage->SetView(quorvel::CLiquidOptimizeDlg::kDaView);

  if (!answer) return 0;
  form.OnOk();
  const bool answered = form.result() == QDialog::Accepted;
  std::printf("demo: %s\n", answered ? "answer written" : "OK was refused; no answer");
  return answered ? 0 : 1;
}
