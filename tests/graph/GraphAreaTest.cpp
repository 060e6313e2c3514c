// The graph area and the large-screen dialog driven like a user does: wheel,
// drags, the right-button menu, the clipboard copy and the toolbar operations.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QtTest>

#include "ModalAnswerer.h"
#include "graph/GraphArea.h"
#include "graph/ResizeGraphDlg.h"
#include "host/Language.h"

using namespace quorvel;
using quorvel::test::ModalAnswerer;

namespace {

void Wheel(QWidget* widget, int delta) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

void Mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button) {
  const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)),
                    type == QEvent::MouseMove ? Qt::NoButton : button, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

QPoint Pan(const GraphArea* area) { return {area->PanX(), area->PanY()}; }

}  // namespace

class GraphAreaTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { SetCurrentLanguage(kJapanese); }

  // One wheel step each way (the steps themselves: ZoomSteps.WheelAndToolbar),
  // the cap and the reset.
  void wheelAndToolbarOperations() {
    GraphArea area;
    area.resize(500, 300);
    Wheel(&area, 120);
    QCOMPARE(area.Zoom(), 1.25);
    Wheel(&area, -120);
    QCOMPARE(area.Zoom(), 1.0);
    area.SetZoom(7.450580596923828);
    QVERIFY(area.ZoomIn());
    QCOMPARE(area.Zoom(), 8.0);
    QVERIFY(!area.ZoomIn());
    area.SetPan(12, -7);
    area.SetDragging(true);
    area.ResetZoom();
    QCOMPARE(area.Zoom(), 1.0);
    QCOMPARE(Pan(&area), QPoint(0, 0));
    QVERIFY(!area.IsDragging());
  }

  void dragInsidePansByThePixelsMoved() {
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
      GraphArea area;
      area.resize(500, 300);
      area.show();
      QVERIFY(QTest::qWaitForWindowExposed(&area));
      Mouse(&area, QEvent::MouseButtonPress, QPoint(100, 100), button);
      QVERIFY(area.IsDragging());
      Mouse(&area, QEvent::MouseMove, QPoint(110, 95), button);
      Mouse(&area, QEvent::MouseMove, QPoint(130, 120), button);
      QCOMPARE(Pan(&area), QPoint(30, 20));
      Mouse(&area, QEvent::MouseButtonRelease, QPoint(130, 120), button);
      QVERIFY(!area.IsDragging());
      Mouse(&area, QEvent::MouseMove, QPoint(200, 200), Qt::NoButton);
      QCOMPARE(Pan(&area), QPoint(30, 20));
    }
  }

  // The large-screen dialog never shrinks below its first size, and a drag
  // that starts outside its graph does not pan.
  void largeScreenSizeAndOutsideDrags() {
    SetCurrentLanguage(kJapanese);
    CGraphDrawer drawer;
    CResizeGraphDlg dialog(drawer);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("グラフ大画面"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QSize first = dialog.size();
    QCOMPARE(first, dialog.MinimumTrackSize());
    dialog.resize(first / 2);
    QCOMPARE(dialog.size(), first);
    GraphArea* area = dialog.Area();
    // Pressed on the dialog's margin, outside the graph placeholder.
    Mouse(&dialog, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton);
    Mouse(area, QEvent::MouseMove, QPoint(50, 50), Qt::LeftButton);
    Mouse(area, QEvent::MouseMove, QPoint(80, 90), Qt::LeftButton);
    QVERIFY(!area->IsDragging());
    QCOMPARE(Pan(area), QPoint(0, 0));
    // A press the area receives at a point outside itself does not start one either.
    Mouse(area, QEvent::MouseButtonPress, QPoint(-5, 10), Qt::LeftButton);
    Mouse(area, QEvent::MouseMove, QPoint(40, 40), Qt::LeftButton);
    QVERIFY(!area->IsDragging());
    QCOMPARE(Pan(area), QPoint(0, 0));
    // The right button does not pan.
    Mouse(area, QEvent::MouseButtonPress, QPoint(40, 40), Qt::RightButton);
    Mouse(area, QEvent::MouseMove, QPoint(60, 60), Qt::RightButton);
    QCOMPARE(Pan(area), QPoint(0, 0));
  }

  // The menu holds one copy item (its text per language); it puts the graph
  // on the clipboard, or says why it could not.
  void copyMenuPutsTheGraphOnTheClipboard() {
    for (const auto& [language, text] : {std::pair(kEnglish, "Copy(&C)"), std::pair(kJapanese, "コピー (&C)")}) {
      SetCurrentLanguage(language);
      GraphArea area;
      const std::unique_ptr<QMenu> menu = area.MakeContextMenu();
      QStringList items;
      for (QAction* action : menu->actions()) items << action->text();
      QCOMPARE(items, QStringList(text));
    }
    GraphArea area;
    area.resize(320, 180);
    QApplication::clipboard()->clear();
    area.MakeContextMenu()->actions().first()->trigger();
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(320, 180));
    QCOMPARE(copied.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);
    ModalAnswerer answerer;
    QVERIFY(!CopyGraphImageToClipboard(QImage(), nullptr));
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].title + "|" + answerer.Seen()[0].text,
             QStringLiteral("Clipboard|メモリの確保に失敗しました。"));
    QCOMPARE(answerer.Seen()[0].icon, int(QMessageBox::Critical));
  }

  void largeScreenWorksOnACopy() {
    SetCurrentLanguage(kEnglish);
    GraphArea area;
    area.SetZoom(2.0);
    area.SetPan(5, 6);
    area.Drawer().SetFontScale(0.9);
    QString inside;  // the dialog's zoom, pan, font scale and drawing mode
    ModalAnswerer answerer([&](QWidget* widget) {
      if (auto* dialog = qobject_cast<CResizeGraphDlg*>(widget)) {
        GraphArea* large = dialog->Area();
        inside = QString("%1 %2,%3 %4 %5")
                     .arg(large->Zoom())
                     .arg(large->PanX())
                     .arg(large->PanY())
                     .arg(large->Drawer().FontScale())
                     .arg(large->DrawMode());
        Wheel(large, 120);
      }
      widget->close();
    });
    area.ShowLargeScreen();
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Large screen graph"));
    QCOMPARE(inside, QString("1 0,0 1.5 %1").arg(int(kDrawLargeScreen)));
    QCOMPARE(area.Zoom(), 2.0);
    QCOMPARE(Pan(&area), QPoint(5, 6));
  }
};

int RunGraphAreaTests(int argc, char** argv) {
  GraphAreaTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "GraphAreaTest.moc"
