// The print preview driven through its real widgets, offscreen.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QWheelEvent>
#include <QtTest>
#include <memory>

#include "ModalAnswerer.h"
#include "RecordingComposer.h"
#include "ReportTestSupport.h"
#include "controls/ExpButton.h"
#include "controls/ExpEdit.h"
#include "report/PrintPreviewDlg.h"

using quorvel::CPrintPreviewDlg;
using quorvel::CPrintProject;
using quorvel::test::ModalAnswerer;
using quorvel::test::RecordingComposer;
using Lines = std::vector<std::string>;

namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

template <class T>
T* Find(QWidget& preview, const char* name) {
  T* widget = preview.findChild<T*>(QString::fromLatin1(name));
  if (widget == nullptr) qFatal("no widget %s", name);
  return widget;
}

void Wheel(QWidget* area, int delta) {
  const QPointF at = area->rect().center();
  QWheelEvent event(at, area->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(area, &event);
}

void Show(QWidget& preview) {
  preview.show();
  QVERIFY(QTest::qWaitForWindowExposed(&preview));
}

// The example (with `items` selected, all when none are given) in a preview whose composer logs its calls.
struct Opened {
  CPrintProject project;
  Lines log;
  std::unique_ptr<CPrintPreviewDlg> preview;
};
std::unique_ptr<Opened> Open(std::initializer_list<int> items = {}, bool show = true) {
  auto opened = std::make_unique<Opened>();
  if (!quorvel::test::LoadExample(opened->project)) qFatal("the example project does not load");
  if (items.size() > 0) quorvel::test::Select(opened->project, items);
  opened->project.PageNumberFlag = false;
  opened->preview =
      std::make_unique<CPrintPreviewDlg>(opened->project, quorvel::test::kForms, nullptr,
                                         [log = &opened->log] { return std::make_unique<RecordingComposer>(log); });
  if (show) Show(*opened->preview);
  return opened;
}

}  // namespace

class PrintPreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsTextsAndTheCallsOfAPreview() {
    // The title page and the contents: a two-page report.
    const auto opened = Open({0, 1}, false);
    CPrintProject& project = opened->project;
    const Lines& log = opened->log;
    {
      auto& preview = opened->preview;
      QCOMPARE(preview->windowTitle(), U("印刷プレビュー"));
      const std::pair<const char*, const char*> controls[] = {
          {"closeButton", "閉じる"},  {"printButton", "印刷"},
          {"wordButton", "Word出力"}, {"zoomInButton", "拡大"},
          {"zoomOutButton", "縮小"},  {"previousButton", "←"},
          {"nextButton", "→"},        {"pageNumberCheck", "下部にページ番号を表示する"}};
      for (const auto& [name, text] : controls) {
        auto* button = Find<QAbstractButton>(*preview, name);
        QCOMPARE(button->text(), U(text));
      }
      QCOMPARE(Find<QLabel>(*preview, "pageCountLabel")->text(), U("/ 2"));
      QCOMPARE(Find<quorvel::CExpEdit>(*preview, "pageEdit")->text(), U("1"));
      // The preview opens with page numbers on.
      QVERIFY(Find<QCheckBox>(*preview, "pageNumberCheck")->isChecked() && project.PageNumberFlag);
      QVERIFY(!Find<QWidget>(*preview, "previousButton")->isEnabled() &&
              Find<QWidget>(*preview, "nextButton")->isEnabled());
      QCOMPARE(std::make_pair(project.FieldTable.size(), project.PrintingFlag), std::make_pair(std::size_t{1000}, 0));
      Show(*preview);
      Find<QAbstractButton>(*preview, "nextButton")->click();
      QCOMPARE(preview->CurrentPage(), 2);
      QVERIFY(!Find<QWidget>(*preview, "nextButton")->isEnabled() && preview->Composer().Problems().empty());
      QVERIFY2(Find<QWidget>(*preview, "previewArea")->hasFocus(), "the last page hands the focus to the page");
      Find<QCheckBox>(*preview, "pageNumberCheck")->click();
      QVERIFY(!project.PageNumberFlag);
      preview.reset();
    }
    QVERIFY2(!project.PageNumberFlag, "kept for the print job after the preview");
    // Settings before BeginPrinting (the composition calls are the print job's test's), the page shown last,
    // EndPrinting.
    QCOMPARE(Lines(log.begin(), log.begin() + 4),
             (Lines{"SetSpace 0 0", "SetSoejiFlag 1", "SetPrintPageNum 0", "BeginPrinting"}));
    QCOMPARE(Lines(log.end() - 3, log.end()), (Lines{"DrawPage 2 2", "OnPrintEnd", "EndPrinting"}));
    QVERIFY2(project.FieldTable.empty(), "detached with the window");
  }

  void aOnePageReportDisablesBothArrowsAndTyping5Shows1() {
    const auto opened = Open({0});
    auto& preview = opened->preview;
    QCOMPARE(preview->PageCount(), 1);
    QVERIFY(!Find<QWidget>(*preview, "previousButton")->isEnabled() &&
            !Find<QWidget>(*preview, "nextButton")->isEnabled());
    auto* edit = Find<quorvel::CExpEdit>(*preview, "pageEdit");
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("x5"));
    QCOMPARE(edit->text(), U("5"));  // digits only, one digit for one page
    ModalAnswerer answerer;
    QTest::keyClick(edit, Qt::Key_Return);  // Enter moves on, and the page number is taken over
    QTRY_COMPARE(edit->text(), U("1"));
    QVERIFY(preview->CurrentPage() == 1 && preview->isVisible());  // Enter never closes the preview
  }

  void theWholePageShowsAndZoomStepsStopAtEightAndTheWheelAtOne() {
    const auto opened = Open();
    auto& preview = opened->preview;
    auto* zoomIn = Find<QPushButton>(*preview, "zoomInButton");
    auto* area = Find<QWidget>(*preview, "previewArea");
    Wheel(area, -120);
    QCOMPARE(preview->Zoom(), 1.0);
    // The whole paper at zoom 1: grey corners, white paper inside.
    const QImage whole = preview->RenderPreview(area->size());
    const int w = whole.width(), h = whole.height();
    for (const QPoint at : {QPoint(0, 0), QPoint(w - 1, h - 1), QPoint(w / 2, 8), QPoint(w / 2, h - 8)})
      QCOMPARE(whole.pixel(at), qRgb(0xC9, 0xC9, 0xC9));
    QCOMPARE(whole.pixel(w / 2, h - h / 20), qRgb(255, 255, 255));
    for (double expected : {1.25, 1.5625, 1.953125, 2.44140625, 3.0517578125}) {
      zoomIn->click();
      QCOMPARE(preview->Zoom(), expected);
    }
    for (int i = 0; i < 4; ++i) zoomIn->click();
    QVERIFY(preview->Zoom() < 8.0 && zoomIn->isEnabled());
    zoomIn->click();
    QVERIFY(preview->Zoom() == 8.0 && !zoomIn->isEnabled());
    Wheel(area, 120);
    QCOMPARE(preview->Zoom(), 8.0);
    Wheel(area, -120);
    QVERIFY(preview->Zoom() == 6.4 && zoomIn->isEnabled());
  }

  void failuresAreReportedAndThePreviewClosesAsCancel() {
    const std::tuple<bool, bool, bool, QStringList> cases[] = {
        // can begin, selected, 共通.kvf missing
        {false, true, false, {U("Failed to Print.")}},
        {true, false, false, {U("印刷する項目がありません。")}},
        {true,
         true,
         true,
         {U("共通.kvfファイルを開けません。\n印刷プレビューをキャンセルします。"), U("印刷する項目がありません。")}}};
    for (const auto& [canBegin, selected, formsMissing, messages] : cases) {
      CPrintProject project;
      QVERIFY(quorvel::test::LoadExample(project));
      if (!selected) quorvel::test::Select(project, {});
      quorvel::test::TempFolder folder;
      quorvel::test::CopyForms(folder);
      if (formsMissing) std::filesystem::remove(folder.File("PrnFiles/共通.kvf"));
      Lines log;
      CPrintPreviewDlg preview(project, folder.File("PrnFiles/"), nullptr,
                               [&log, begin = canBegin] { return std::make_unique<RecordingComposer>(&log, begin); });
      ModalAnswerer answerer;
      QCOMPARE(preview.exec(), int(QDialog::Rejected));
      QStringList seen;
      for (const auto& dialog : answerer.Seen()) seen << dialog.text;
      QCOMPARE(seen, messages);
      QVERIFY(!preview.isVisible());
    }
  }
};

int RunPrintPreviewTests(int argc, char** argv) {
  PrintPreviewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "PrintPreviewTest.moc"
