// The print job, the PDF read back with poppler, the quorvel-report tool and
// the ToPrint task's answers, in-process.
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QtTest>
#include <fstream>
#include <iterator>

#include "ModalAnswerer.h"
#include "RecordingComposer.h"
#include "ReportTestSupport.h"
#include "app/QuorvelApp.h"
#include "host/HostTextFile.h"
#include "report/PrintMode.h"
#include "report/QuorvelView.h"
#include "report/ReportComposition.h"
#include "report/WordOutput.h"

using quorvel::CPrintProject;
using quorvel::test::ModalAnswerer;
using quorvel::test::RecordingComposer;
using quorvel::test::TempFolder;
using Lines = std::vector<std::string>;

namespace {

QString U(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

QString Binary(const char* name) { return QStringLiteral(QUORVEL_BINARY_DIR "/bin/") + QString::fromLatin1(name); }

// Runs the ToPrint task on `folder`'s hand-off file as the host starts it; the
// application's name while it ran, restored after.
QString RunToPrint(const TempFolder& folder, quorvel::ModeResult* result = nullptr) {
  const QString applicationName = QCoreApplication::applicationName();
  quorvel::CQuorvelApp app(folder.Path(), [&](const quorvel::StartRequest& request) {
    return quorvel::RunPrintMode(folder.Path(), request);
  });
  const quorvel::ModeResult ran = app.Run();
  if (result) *result = ran;
  const QString nameWhilePrinting = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName(applicationName);
  return nameWhilePrinting;
}

// Runs the ToPrint task with the example, choosing `choice` in the preview, and
// checks the answer and the message boxes shown after the preview.
void AnswerToPrint(const QString& choice, const QByteArray& answer, const QStringList& messages) {
  TempFolder folder;
  quorvel::test::CopyForms(folder);
  std::filesystem::copy(quorvel::test::kExampleProject, folder.File("temp.txt"));
  const QString pdf = Q(folder.File("printed.pdf"));
  const QString button = choice.section('-', 0, 0);
  ModalAnswerer answerer;
  answerer.Queue(ModalAnswerer::ClickButtonWithText(button == "closeButton"   ? U("閉じる")
                                                    : button == "printButton" ? U("印刷")
                                                                              : U("Word出力")));
  if (choice == "printButton") {
    answerer.Queue([pdf](QWidget* widget) {
      auto* dialog = qobject_cast<QPrintDialog*>(widget);
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->printer()->docName(), U("○○川堤防 地震時変形検討"));
      QVERIFY(dialog->maxPage() > 2);  // the whole example report, numbered pages included
      // No printer here: the dialog offers printing to a file.
      dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
      dialog->accept();
    });
  }
  const QString docm = Q(folder.File("報告書.docm"));
  if (choice == "wordButton-cancel") {
    answerer.Queue(ModalAnswerer::ClickButtonWithText(U("はい")));
    // The save dialog as the Word output sets it up; Cancel creates nothing and says nothing.
    answerer.Queue([&](QWidget* widget) {
      auto* dialog = qobject_cast<QFileDialog*>(widget);
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->defaultSuffix(), QStringLiteral("docm"));
      QCOMPARE(dialog->nameFilters(), (QStringList{U("Word マクロ有効文書 (*.docm)"), U("すべて (*.*)")}));
      dialog->reject();
    });
  }
  const QString nameWhilePrinting = RunToPrint(folder);
  // The answer file and its "writed" marker after it are the shell's (ShellTest); here the answer's bytes.
  QCOMPARE(QByteArray::fromStdString(folder.ReadBytes("temp.txt")), answer);
  QStringList seen;
  for (const auto& dialog : answerer.Seen())
    if (!dialog.text.isEmpty()) seen << dialog.text;
  QCOMPARE(seen, messages);
  if (choice == "wordButton-cancel") QVERIFY(!QFile::exists(docm));
  if (choice == "printButton") {
    QCOMPARE(nameWhilePrinting, U("印刷"));
    QVERIFY(quorvel::test::PdfPages(pdf) > 2);  // title, contents, then the report's pages
  }
}

}  // namespace

class PrintOutputTest : public QObject {
  Q_OBJECT

 private slots:
  void thePrintJobMakesTheLibraryCallsInOrder() {
    CPrintProject project;
    QVERIFY(quorvel::test::LoadExample(project));
    quorvel::test::Select(project, {0, 1});  // the title page and the contents: two pages
    Lines log;
    TempFolder folder;
    {
      quorvel::CQuorvelDoc document{U("題")};
      quorvel::CQuorvelView view(document, project, quorvel::test::kForms,
                                 [&log] { return std::make_unique<RecordingComposer>(&log); });
      QString message;
      QVERIFY(view.OnBeginPrinting(message));
      QCOMPARE(project.PrintingFlag, 1);
      QCOMPARE(view.PageCount(), 2);
      QPdfWriter writer(Q(folder.File("job.pdf")));
      QVERIFY(view.PrintPages(writer, 1, 2));
      view.OnEndPrinting();
    }
    QCOMPARE(log, (Lines{"BeginPrinting", "SetSpace 0 0", "SetSoejiFlag 1", "SetPrintPageNum 0", "SetStart",
                         "SetPage 0_表紙.kvf 1 0", "SetReturn", "SetPage 共通.kvf 1 5", "SetEnd", "MovePageBefore 1 1",
                         "SetDrawPaper 1", "DrawPage 1 1", "OnPrintEnd", "SetDrawPaper 2", "DrawPage 2 2", "OnPrintEnd",
                         "EndPrinting"}));
    QCOMPARE(project.PrintingFlag, 0);
    QVERIFY(project.FieldTable.empty());
    QCOMPARE(quorvel::test::PdfPages(Q(folder.File("job.pdf"))), 2);
  }

  void reportToolFailsWithOneLineAndLeavesTheOldTarget() {
    // hand-off ("example", "missing" or a file's text), form files, target (in the temp folder), reason
    const std::tuple<QString, bool, QString, QString> cases[] = {
        {U("missing"), true, U("old.pdf"), U("handoff.txt: ")},
        {U("ToPrint\r\nx\r\n0\r\n[Print] 58\r\n"), true, U("old.pdf"), U("line")},
        {U("example"), false, U("old.pdf"), U("0_表紙.kvf: cannot open")},
        {U("example"), true, U("no/such/folder/r.pdf"), U("r.pdf")}};
    for (const auto& [handOff, forms, target, reason] : cases) {
      TempFolder folder;
      QString input = handOff == "example" ? Q(quorvel::test::kExampleProject) : Q(folder.File("handoff.txt"));
      if (handOff != "missing" && handOff != "example") folder.WriteBytes("handoff.txt", handOff.toStdString());
      folder.WriteBytes("old.pdf", "old");
      TempFolder home;
      if (forms) quorvel::test::CopyForms(home);
      const auto run =
          quorvel::test::Run(Binary("quorvel-report"), {input, "--pdf", Q(folder.File(target.toStdString()))},
                             {"QUORVEL_HOME=" + Q(home.Path())});
      QCOMPARE(run.exitCode, 1);
      QCOMPARE(run.err.count('\n'), 1);
      QVERIFY2(run.err.startsWith(U("quorvel-report: ")) && run.err.contains(reason), qPrintable(run.err));
      QCOMPARE(folder.ReadBytes("old.pdf"), std::string("old"));
    }
  }

  // --- The ToPrint task, from the hand-off file to the answer ---------------

  void toPrintAnswers() {
    const QByteArray ok("ToDrevia\r\nOK\r\n");
    const QStringList question{U(quorvel::kWordQuestion)};
    // the preview's button (and what is answered after it), the answer, the message boxes after the preview
    const std::tuple<QString, QByteArray, QStringList> cases[] = {
        {"closeButton", "ToDrevia\r\nCANCEL", {}}, {"printButton", ok, {}}, {"wordButton-cancel", ok, question}};
    for (const auto& [choice, answer, messages] : cases) AnswerToPrint(choice, answer, messages);
  }

  void aRecordThatDoesNotReadIsNamedAndAnsweredCancel() {
    TempFolder folder;
    quorvel::test::CopyForms(folder);
    std::ifstream in(quorvel::test::kExampleProject, std::ios::binary);
    const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string text;
    QVERIFY(quorvel::Cp932ToUtf8(original, text));
    // The first soil's flag must read "True" or "False".
    const std::size_t at = text.find("True\r\n[Soil]");
    QVERIFY(at != std::string::npos);
    text.replace(at, 4, "true");
    std::string bytes;
    QVERIFY(quorvel::Utf8ToCp932(text, bytes));
    folder.WriteBytes("temp.txt", bytes);
    ModalAnswerer answerer;
    quorvel::ModeResult result{};
    RunToPrint(folder, &result);
    QCOMPARE(result, quorvel::ModeResult::Cancel);
    QCOMPARE(folder.ReadBytes("temp.txt"), std::string("ToDrevia\r\nCANCEL"));
    QCOMPARE(answerer.Seen().size(), 1);
    const QString message = answerer.Seen().first().text;
    QVERIFY2(message.contains(U("[Soil]")) && message.contains(U("line")), qPrintable(message));
  }
};

int RunPrintOutputTests(int argc, char** argv) {
  PrintOutputTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "PrintOutputTest.moc"
