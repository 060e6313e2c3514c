// The grid widget and the grid access layer, driven with keys and the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "ModalAnswerer.h"
#include "controls/GridAccess.h"
#include "host/Language.h"
#include "platform/Spread7.h"

using quorvel::CSpread7;
using quorvel::GridBlock;
using quorvel::kNoValue;

namespace {

// A grid in a shown window with the focus, as a page has it.
struct GridWindow {
  QDialog window;
  CSpread7* grid;
  QLineEdit* after;
  explicit GridWindow(int rows = 4, int cols = 5) {
    auto* layout = new QVBoxLayout(&window);
    grid = new CSpread7(rows, cols, &window);
    after = new QLineEdit(&window);
    for (QWidget* w : std::initializer_list<QWidget*>{grid, after}) layout->addWidget(w);
    window.resize(500, 300);
    window.show();
    QApplication::setActiveWindow(&window);
    grid->setFocus();
  }
};

QColor CellPixel(CSpread7& grid, int row, int col) {
  const QRect r = grid.visualRect(grid.model()->index(row - 1, col - 1));
  return grid.viewport()->grab().toImage().pixelColor(r.center() + QPoint(r.width() / 3, 0));
}

// The texts of the cells at (row, column) `cells`.
QStringList Texts(const CSpread7& grid, std::initializer_list<std::pair<int, int>> cells) {
  QStringList texts;
  for (const auto& [row, col] : cells) texts << grid.CellText(row, col);
  return texts;
}

}  // namespace

class GridTest : public QObject {
  Q_OBJECT
 private slots:
  void numbersAndTexts() {
    CSpread7 grid(3, 4);
    QSignalSpy changes(&grid, &CSpread7::CellChanged);
    quorvel::WriteCellNumber(grid, 2, 3, 1.5, 2);
    QCOMPARE(std::make_pair(grid.CellText(2, 3), quorvel::ReadCellNumber(grid, 2, 3)),
             std::make_pair(QString("1.50"), 1.5));
    quorvel::WriteCellNumber(grid, 2, 3, kNoValue, 2);
    QCOMPARE(grid.CellText(2, 3), QString());
    QCOMPARE(quorvel::ReadCellNumber(grid, 2, 3), kNoValue);
    QCOMPARE(quorvel::ReadCellNumber(grid, 2, 3, -1.0), -1.0);
    quorvel::WriteCellNumber(grid, 1, 1, 1234.6, -2);
    quorvel::WriteCellInteger(grid, 3, 4, 42);
    QCOMPARE(std::make_pair(grid.CellText(1, 1), quorvel::ReadCellInteger(grid, 3, 4)),
             std::make_pair(QString("1235"), 42));
    // Outside the grid: nothing happens, nothing is read.
    quorvel::WriteCellText(grid, 0, 1, QStringLiteral("x"));
    quorvel::WriteCellText(grid, 4, 1, QStringLiteral("x"));
    QVERIFY(grid.CellText(4, 1).isEmpty() && quorvel::ReadCellNumber(grid, 9, 9) == kNoValue);
    // Program writes are not user changes.
    QCOMPARE(changes.count(), 0);
  }

  void typingEditsAndEnterCommits() {
    GridWindow w;
    quorvel::WriteCellText(*w.grid, 1, 1, QStringLiteral("123"));
    QSignalSpy changes(w.grid, &CSpread7::CellChanged);
    w.grid->SetActiveCell(1, 1);
    QTest::keyClicks(w.grid, QStringLiteral("7"));
    QVERIFY(w.grid->IsEditing());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(".5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(w.grid->CellText(1, 1), QStringLiteral("7.5"));
    QCOMPARE(changes, (QList<QVariantList>{{1, 1}}));
    QCOMPARE(w.grid->ActiveRow(), 2);
    w.grid->SetActiveCell(4, 5);  // Tab after the last cell leaves the grid
    QTest::keyClick(w.grid, Qt::Key_Tab);
    QVERIFY(w.after->hasFocus());
  }

  void lockedCellsRefuseEdits() {
    GridWindow w;
    quorvel::WriteCellText(*w.grid, 1, 1, QStringLiteral("9"));
    quorvel::LockBlock(*w.grid, {1, 1, 2, 2}, true);
    QVERIFY(quorvel::IsCellLocked(*w.grid, 2, 2) && !quorvel::IsCellLocked(*w.grid, 3, 3));
    QSignalSpy changes(w.grid, &CSpread7::CellChanged);
    w.grid->SetActiveCell(1, 1);
    QTest::keyClicks(w.grid, QStringLiteral("5"));
    QVERIFY(!w.grid->IsEditing());
    QCOMPARE(w.grid->CellText(1, 1), QStringLiteral("9"));
    QCOMPARE(w.grid->PasteText(QStringLiteral("1")), 0);
    QCOMPARE(w.grid->CellText(1, 1), QStringLiteral("9"));
    QCOMPARE(changes.count(), 0);
    w.grid->SetCellLocked(1, 1, false);
    QTest::keyClicks(w.grid, QStringLiteral("5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(w.grid->CellText(1, 1), QStringLiteral("5"));
  }

  void pasteGoesThroughTheChangeNotification() {
    GridWindow w;
    w.grid->SetCellLocked(2, 2, true);
    quorvel::WriteCellText(*w.grid, 2, 2, QStringLiteral("L"));
    QList<QPair<int, int>> changed;
    // The page's rule: values between 0 and 100 with two decimals.
    connect(w.grid, &CSpread7::CellChanged, w.grid, [&](int row, int col) {
      changed.append({row, col});
      quorvel::ClampCellNumber(*w.grid, row, col, 0.0, 100.0, 2);
    });
    w.grid->SetActiveCell(1, 1);
    QApplication::clipboard()->setText(QStringLiteral("5\t200\t7\r\n-3\tx\t50\r\n"));
    QTest::keyClick(w.grid, Qt::Key_V, Qt::ControlModifier);
    // (2, 2) is locked: skipped
    QCOMPARE(Texts(*w.grid, {{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}}),
             (QStringList{"5.00", "100.00", "7.00", "0.00", "L", "50.00"}));
    QCOMPARE(changed.size(), 5);
    QCOMPARE(changed[1], qMakePair(1, 2));
    // A block hanging over the edge is cut at the edge.
    w.grid->SetActiveCell(4, 5);
    QCOMPARE(w.grid->PasteText(QStringLiteral("1\t2\n3\t4")), 1);
    QCOMPARE(w.grid->CellText(4, 5), QStringLiteral("1.00"));
    // One value fills the selected block.
    w.grid->SelectBlock({3, 1, 4, 2});
    QCOMPARE(w.grid->PasteText(QStringLiteral("8\n")), 4);
    QCOMPARE(w.grid->CellText(4, 2), QStringLiteral("8.00"));
  }

  // Pasted rows past the last row grow the grid up to its limit; a CSV block
  // splits at its commas.
  void pasteGrowsTheGridUpToItsLimit() {
    struct Case {
      int language, limit;
      QString text;
      int rows;
      QStringList cells;  // rows 3 and on, columns 1 and 2
      QString message;
    };
    const QString fourRows = QStringLiteral("1\t5\n2\n3\n4\n");
    const QString cut = QStringLiteral("表の行数は 5 行までです。\n貼り付けたデータのうち 1 行は入りませんでした。");
    const Case cases[] = {
        {quorvel::kJapanese, 0, fourRows, 4, {"1", "5", "2", ""}, {}},
        {quorvel::kJapanese, 10, fourRows, 6, {"1", "5", "2", "", "3", "", "4", ""}, {}},
        {quorvel::kJapanese, 5, fourRows, 5, {"1", "5", "2", "", "3", ""}, cut},
        {quorvel::kEnglish,
         5,
         fourRows,
         5,
         {"1", "5", "2", "", "3", ""},
         "The table holds at most 5 rows.\n1 of the pasted rows did not fit and were left out."},
        {quorvel::kJapanese, 10, "1,0.5\r\n2,0.25\r\n3,0.2\r\n", 5, {"1", "0.5", "2", "0.25", "3", "0.2"}, {}},
        {quorvel::kJapanese, 10, "1,5\t2\n", 4, {"1,5", "2", "", ""}, {}}};
    for (const Case& c : cases) {
      quorvel::SetCurrentLanguage(c.language);
      GridWindow w;
      quorvel::AllowPasteGrowth(*w.grid, c.limit);
      QStringList grownTo;  // the row count and the new last row's text when RowsGrown arrives
      connect(w.grid, &CSpread7::RowsGrown, w.grid,
              [&](int count) { grownTo << QString::number(count) << w.grid->CellText(count, 1); });
      quorvel::test::ModalAnswerer answerer;
      w.grid->SetActiveCell(3, 1);
      w.grid->PasteText(c.text);
      QCOMPARE(w.grid->MaxRows(), c.rows);
      QStringList shown;
      for (int row = 3; row <= c.rows; ++row) shown << w.grid->CellText(row, 1) << w.grid->CellText(row, 2);
      QCOMPARE(shown, c.cells);
      QCOMPARE(grownTo, (c.rows > 4 ? QStringList{QString::number(c.rows), QString()} : QStringList()));
      QCOMPARE(answerer.Seen().size(), c.message.isEmpty() ? 0 : 1);
      if (!c.message.isEmpty()) QCOMPARE(answerer.Seen()[0].text, c.message);
    }
    quorvel::SetCurrentLanguage(quorvel::kJapanese);
  }

  void copySelectedBlock() {
    GridWindow w;
    for (const auto& [row, col, text] : {std::tuple(2, 2, "a"), std::tuple(2, 3, "b"), std::tuple(3, 3, "d")})
      quorvel::WriteCellText(*w.grid, row, col, QString::fromUtf8(text));
    w.grid->SelectBlock({2, 2, 3, 3});
    QCOMPARE(quorvel::GetSelectedBlock(*w.grid), (GridBlock{2, 2, 3, 3}));
    QTest::keyClick(w.grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\tb\n\td\n"));
  }

  void deleteClearsTheSelectedBlock() {
    GridWindow w;
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) quorvel::WriteCellInteger(*w.grid, r, c, r * 10 + c);
    w.grid->SetCellLocked(2, 2, true);
    QSignalSpy changes(w.grid, &CSpread7::CellChanged);
    w.grid->SelectBlock({1, 1, 2, 2});
    QTest::keyClick(w.grid, Qt::Key_Delete);
    QCOMPARE(Texts(*w.grid, {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 3}}), (QStringList{"", "", "", "22", "33"}));
    QCOMPARE(changes.count(), 3);
  }

  void comboCells() {
    CSpread7 grid(2, 6);
    QSignalSpy changes(&grid, &CSpread7::CellChanged);
    quorvel::SetListText(grid, 1, QStringLiteral("線形\t指数\t双曲線"));
    QCOMPARE(grid.KindOf(1, 5), quorvel::CellKind::ComboBox);
    grid.SetComboIndex(1, 5, 1);
    QCOMPARE(grid.CellText(1, 5), QStringLiteral("指数"));
    grid.SetCellText(1, 5, QStringLiteral("双曲線"));
    QCOMPARE(grid.ComboIndex(1, 5), 2);
    QCOMPARE(changes.count(), 0);
    grid.SetActiveCell(1, 5);
    QCOMPARE(grid.PasteText(QStringLiteral("線形")), 1);
    QCOMPARE(grid.ComboIndex(1, 5), 0);
    QCOMPARE(grid.PasteText(QStringLiteral("other")), 0);  // only the list's items
    QCOMPARE(grid.ComboIndex(1, 5), 0);
    QCOMPARE(changes.count(), 1);
  }

  void checkCells() {
    GridWindow w;
    w.grid->SetCellKind(1, 4, quorvel::CellKind::CheckBox);
    QSignalSpy changes(w.grid, &CSpread7::CellChanged);
    quorvel::WriteCellText(*w.grid, 1, 4, QStringLiteral("1"));
    QVERIFY(w.grid->IsCellChecked(1, 4) && w.grid->CellText(1, 4) == QStringLiteral("1") && changes.isEmpty());
    w.grid->SetActiveCell(1, 4);
    for (bool locked : {false, true}) {  // a locked cell does not toggle back
      w.grid->SetCellLocked(1, 4, locked);
      QTest::keyClick(w.grid, Qt::Key_Space);
      QVERIFY(!w.grid->IsCellChecked(1, 4));
      QCOMPARE(changes.count(), 1);
    }
  }

  void greyedGridLooksGreyAndRefusesEdits() {
    GridWindow w;
    w.grid->SetCellBackColor(3, 1, QColor(255, 255, 0));
    w.grid->SetGreyedOut(true);
    QCOMPARE(CellPixel(*w.grid, 3, 1), QColor(207, 207, 207));
    w.grid->SetActiveCell(2, 2);
    QTest::keyClicks(w.grid, QStringLiteral("5"));
    QCOMPARE(w.grid->CellText(2, 2), QString());
    QCOMPARE(w.grid->PasteText(QStringLiteral("1")), 0);
  }
};

int RunGridTests(int argc, char** argv) {
  GridTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "GridTest.moc"
