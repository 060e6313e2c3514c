// The Word output through the real command: the ToPrint task's preview, its
// Word button, the question, the save dialog given a path, the progress
// window and the closing message, in-process. Every modal is answered (a
// refused path is rejected), so nothing here waits for a user.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QtTest>
#include <filesystem>

#include "ModalAnswerer.h"
#include "QtTestMain.h"
#include "ReportTestSupport.h"
#include "app/QuorvelApp.h"
#include "platform/OoxmlPackage.h"
#include "report/PrintMode.h"
#include "report/WordOutput.h"

using quorvel::test::ModalAnswerer;
using quorvel::test::TempFolder;

namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

class WordOutputTest : public QObject {
  Q_OBJECT

 private slots:
  void yesAndAPathWriteTheDocumentWithTheProgressFullAndTheClosingMessage() {
    TempFolder folder;
    quorvel::test::CopyForms(folder);
    std::filesystem::copy(std::string(QUORVEL_BINARY_DIR) + "/bin/PrnFiles/" + quorvel::kWordTemplateFile,
                          folder.File(std::string("PrnFiles/") + quorvel::kWordTemplateFile),
                          std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy(quorvel::test::kExampleProject, folder.File("temp.txt"));
    const QString docm = QString::fromStdString(folder.File("報告書.docm"));

    ModalAnswerer answerer;
    answerer.Queue(ModalAnswerer::ClickButtonWithText(U("Word出力")));
    answerer.Queue(ModalAnswerer::ClickButtonWithText(U("はい")));
    answerer.Queue([docm](QWidget* widget) {
      auto* dialog = qobject_cast<QFileDialog*>(widget);
      QVERIFY(dialog != nullptr);
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      QVERIFY(name != nullptr);
      name->setText(docm);
      static_cast<QDialog*>(dialog)->accept();    // QFileDialog's own accept(), which reads the chosen name
      if (dialog->isVisible()) dialog->reject();  // the path was refused: fail below rather than wait
    });
    int progressValue = -1, progressMaximum = -1;
    bool progressShown = false;
    answerer.Queue([&](QWidget* widget) {
      // The closing message: the progress window still exists, hidden, with its bar at the end.
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() != QLatin1String("CSubWordProgressDlg")) continue;
        auto* bar = top->findChild<QProgressBar*>();
        progressValue = bar->value();
        progressMaximum = bar->maximum();
        progressShown = top->windowTitle() == U("Word出力中");
      }
      ModalAnswerer::Accept()(widget);
    });
    const QString applicationName = QCoreApplication::applicationName();
    quorvel::CQuorvelApp app(folder.Path(), [&](const quorvel::StartRequest& request) {
      return quorvel::RunPrintMode(folder.Path(), request);
    });
    QCOMPARE(app.Run(), quorvel::ModeResult::Ok);
    QCoreApplication::setApplicationName(applicationName);

    QCOMPARE(folder.ReadBytes("temp.txt"), std::string("ToDrevia\r\nOK\r\n"));
    QStringList messages;
    for (const auto& seen : answerer.Seen())
      if (!seen.text.isEmpty()) messages << seen.text;
    QCOMPARE(messages, (QStringList{U(quorvel::kWordQuestion), U("Word 出力しました")}));
    QCOMPARE(answerer.Seen().last().title, U("印刷"));
    QCOMPARE(answerer.Seen().last().icon, static_cast<int>(QMessageBox::Information));
    QVERIFY(progressShown && progressMaximum > 0);
    QCOMPARE(progressValue, progressMaximum);

    QVERIFY(QFile::exists(docm));
    QCOMPARE(quorvel::ooxml::CheckPackageFile(docm.toStdString()), std::vector<std::string>{});
  }
};

}  // namespace

int main(int argc, char** argv) {
  return quorvel::test::RunQtTestGroups(argc, argv, {[](int count, char** arguments) {
                                          WordOutputTest test;
                                          return QTest::qExec(&test, count, arguments);
                                        }});
}

#include "WordOutputTest.moc"
