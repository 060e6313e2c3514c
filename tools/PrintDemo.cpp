// quorvel-print-demo: takes a print hand-off file through the ToPrint task
// as a user would: the preview opens (a screenshot is saved), 印刷 is pressed
// and the print dialog prints to a PDF file; the program then answers the
// host. Message boxes are answered with their first button.
//   quorvel-print-demo PROGRAM_FOLDER [--shot FILE.png] [--pdf FILE.pdf]
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <clocale>
#include <cstdio>

#include "app/FontSetup.h"
#include "app/QuorvelApp.h"
#include "report/PrintMode.h"
#include "report/PrintPreviewDlg.h"

namespace {

void Say(const QString& text) { std::printf("demo: %s\n", text.toStdString().c_str()); }

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Quorvel"));
  quorvel::SetUpFonts();
  const QStringList args = QApplication::arguments();
  if (args.size() < 2) {
    std::fputs("usage: quorvel-print-demo PROGRAM_FOLDER [--shot FILE.png] [--pdf FILE.pdf]\n", stderr);
    return 2;
  }
  QString folder = args[1];
  if (!folder.endsWith('/')) folder += '/';
  QString shot;
  QString pdf = folder + QStringLiteral("report.pdf");
  for (qsizetype i = 2; i + 1 < args.size(); i += 2) {
    if (args[i] == QLatin1String("--shot")) shot = args[i + 1];
    if (args[i] == QLatin1String("--pdf")) pdf = args[i + 1];
  }

  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || modal->property("demoAnswered").toBool()) return;
    modal->setProperty("demoAnswered", true);
    if (auto* preview = qobject_cast<quorvel::CPrintPreviewDlg*>(modal)) {
      Say(QStringLiteral("preview shows %1 pages").arg(preview->PageCount()));
      if (!shot.isEmpty() && preview->grab().save(shot)) Say(QStringLiteral("screenshot %1").arg(shot));
      QTimer::singleShot(0, preview,
                         [preview] { preview->findChild<QPushButton*>(QStringLiteral("printButton"))->click(); });
    } else if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
      // Without a printer the dialog prints to a file: the report PDF.
      if (auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))) file->setText(pdf);
      Say(QStringLiteral("print dialog: pages %1-%2 to %3").arg(dialog->minPage()).arg(dialog->maxPage()).arg(pdf));
      QTimer::singleShot(0, dialog, [dialog] { dialog->accept(); });
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      Say(QStringLiteral("message \"%1\"").arg(box->text()));
      QTimer::singleShot(0, box, [box] {
        if (!box->buttons().isEmpty()) box->buttons().first()->click();
      });
    }
  });
  driver.start(50);

  quorvel::CQuorvelApp app(folder.toStdString(), [&](const quorvel::StartRequest& request) {
    return quorvel::RunPrintMode(folder.toStdString(), request);
  });
  const quorvel::ModeResult result = app.Run();
  Say(result == quorvel::ModeResult::Ok       ? QStringLiteral("the task ended with OK")
      : result == quorvel::ModeResult::Cancel ? QStringLiteral("the task ended with CANCEL")
                                              : QStringLiteral("no window ran"));
  return 0;
}
