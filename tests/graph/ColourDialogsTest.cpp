// The drawing-setup dialogs driven through their grids, buttons and the
// colour dialog, and the picture dialogs' texts.
#include <QCheckBox>
#include <QColorDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "ModalAnswerer.h"
#include "TempFolder.h"
#include "app/ColourFile.h"
#include "app/Language.h"
#include "app/NumberText.h"
#include "graph/GraphDrawer.h"
#include "graph/ReferenceDialogs.h"
#include "graph/SetColorDlg.h"
#include "platform/Spread7.h"

using namespace quorvel;
using quorvel::test::ModalAnswerer;

namespace {

ModalAnswerer::Action PickInColourDialog(QColor colour) {
  return [colour](QWidget* widget) {
    auto* dialog = qobject_cast<QColorDialog*>(widget);
    if (dialog == nullptr) {
      widget->close();
      return;
    }
    dialog->setCurrentColor(colour);
    dialog->accept();
  };
}

void ClickCell(CSpread7* grid, int row, int col) {
  const QRect cell = grid->visualItemRect(grid->item(row - 1, col - 1));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

struct SrnRecords {
  ColourRecord colours = ColourRecord::Defaults();
  DataSetList srn;
  DataSetList da;
  bool unchanged = true;
  SrnRecords() {
    srn.Append(CPointDataList("1.5"));
    srn.Append(CPointDataList("5"));
    srn.RangesOutOfDate = false;
    da.RangesOutOfDate = false;
    da.AutomaticAdjustment = false;
  }
};

}  // namespace

class ColourDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { SetCurrentLanguage(kJapanese); }

  void pickingColoursActsLiveAndCancelRestores() {
    SrnRecords records;
    const ColourRecord before = records.colours;
    CSetColorSrnDlg dialog(records.colours, records.srn, records.da, records.unchanged);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy redraws(&dialog, &DrawingSetupDialog::OwnerRedraw);
    auto* data = dialog.findChild<CSpread7*>(QStringLiteral("dataColourGrid"));
    auto* constants = dialog.findChild<CSpread7*>(QStringLiteral("constantColourGrid"));
    auto* estimated = dialog.findChild<CSpread7*>(QStringLiteral("estimatedColourGrid"));
    QVERIFY(data && constants && estimated);
    QCOMPARE(data->CellText(1, 1), QStringLiteral("1.5%データ"));
    QCOMPARE(data->CellBackColor(7, 2), ColourFromWindows(204));

    ModalAnswerer answerer;
    answerer.Queue(PickInColourDialog(QColor(10, 20, 30)));
    ClickCell(data, 3, 2);
    QCOMPARE(records.colours.Entry(3), WindowsFromColour(QColor(10, 20, 30)));
    QCOMPARE(data->CellBackColor(3, 2), QColor(10, 20, 30));
    QVERIFY(records.srn.RangesOutOfDate);
    QVERIFY(!records.da.RangesOutOfDate);
    answerer.Queue(PickInColourDialog(QColor(200, 0, 100)));
    ClickCell(constants, 2, 2);
    QCOMPARE(records.colours.Entry(15), WindowsFromColour(QColor(200, 0, 100)));
    QVERIFY(records.da.RangesOutOfDate);
    answerer.Queue(PickInColourDialog(QColor(1, 2, 3)));
    ClickCell(estimated, 3, 2);
    QCOMPARE(records.colours.Entry(13), WindowsFromColour(QColor(1, 2, 3)));
    // A click on the label column opens nothing.
    ClickCell(data, 2, 1);
    QCOMPARE(answerer.Seen().size(), 3);
    QCOMPARE(redraws.count(), 3);
    // A colour dialog cancelled changes nothing.
    answerer.Queue(ModalAnswerer::Reject());
    ClickCell(data, 4, 2);
    QCOMPARE(records.colours.Entry(4), before.Entry(4));

    dialog.CancelButton()->click();
    QCOMPARE(records.colours, before);
    QVERIFY(!records.srn.RangesOutOfDate);
    QVERIFY(!records.da.RangesOutOfDate);
    QVERIFY(records.unchanged);
  }

  void resetThatChangesNothingRedrawsNothing() {
    test::TempFolder folder;
    const std::string path = folder.File("color.txt");
    SrnRecords records;
    records.colours.SetEntry(2, 0x123456);
    QVERIFY(WriteColourFile(path, records.colours));
    CSetColorSrnDlg dialog(records.colours, records.srn, records.da, records.unchanged);
    dialog.SetColourFilePath(path);
    QSignalSpy redraws(&dialog, &DrawingSetupDialog::OwnerRedraw);
    dialog.ResetButton()->click();
    QCOMPARE(redraws.count(), 0);
    QVERIFY(!records.srn.RangesOutOfDate);

    // A changed colour goes back to the file's, the grid shows it, both graphs redraw.
    records.colours.SetEntry(2, 0);
    dialog.ResetButton()->click();
    QCOMPARE(redraws.count(), 1);
    QCOMPARE(records.colours.Entry(2), 0x123456);
    QCOMPARE(dialog.findChild<CSpread7*>(QStringLiteral("dataColourGrid"))->CellBackColor(2, 2),
             ColourFromWindows(0x123456));
    QVERIFY(records.srn.RangesOutOfDate && records.da.RangesOutOfDate);

    // Without a readable file the defaults come back.
    dialog.SetColourFilePath(folder.File("missing.txt"));
    dialog.ResetButton()->click();
    QCOMPARE(records.colours, ColourRecord::Defaults());
    QCOMPARE(redraws.count(), 2);
  }

  void typedAxisValuesSwitchAutomaticOff() {
    SrnRecords records;
    records.srn.XMinimum = 3;
    records.srn.XMaximum = 1000;
    CSetColorSrnDlg dialog(records.colours, records.srn, records.da, records.unchanged);
    auto* axes = dialog.findChild<CSpread7*>(QStringLiteral("srnAxisGrid"));
    auto* automatic = dialog.findChild<QCheckBox*>(QStringLiteral("srnAutomaticBox"));
    QVERIFY(axes && automatic);
    QCOMPARE(axes->CellText(1, 1), QStringLiteral("3.000"));
    QCOMPARE(axes->CellText(1, 3), QStringLiteral("対数"));
    QVERIFY(axes->IsCellLocked(1, 3));
    QVERIFY(automatic->isChecked());
    QSignalSpy redraws(&dialog, &DrawingSetupDialog::OwnerRedraw);

    axes->SelectBlock({1, 2, 1, 2});
    QCOMPARE(axes->PasteText(QStringLiteral("10000")), 1);
    QCOMPARE(records.srn.XMaximum, 10000.0);
    QCOMPARE(axes->CellText(1, 2), QStringLiteral("10000.000"));
    QVERIFY(!records.srn.AutomaticAdjustment);
    QVERIFY(records.srn.RangesOutOfDate);
    QVERIFY(!automatic->isChecked());
    QCOMPARE(redraws.count(), 1);

    // An emptied cell gives the no-value marker.
    QCOMPARE(axes->DeleteBlock({2, 3, 2, 3}), 1);
    QCOMPARE(records.srn.YPitch, kNoValue);

    // Checking the box sets both switches; unchecking takes the grid's values.
    records.srn.RangesOutOfDate = false;
    automatic->setChecked(true);
    QVERIFY(records.srn.AutomaticAdjustment && records.srn.RangesOutOfDate);
    records.srn.XMaximum = 55;
    automatic->setChecked(false);
    QVERIFY(!records.srn.AutomaticAdjustment);
    QCOMPARE(records.srn.XMaximum, 10000.0);
    QCOMPARE(records.srn.XMinimum, 3.0);
    QCOMPARE(redraws.count(), 4);

    // The DA graph has its own pitch cell.
    auto* daAxes = dialog.findChild<CSpread7*>(QStringLiteral("daAxisGrid"));
    daAxes->SelectBlock({1, 3, 1, 3});
    daAxes->PasteText(QStringLiteral("20"));
    QCOMPARE(records.da.XPitch, 20.0);

    // Cancel restores every axis value and switch.
    dialog.reject();
    QCOMPARE(records.srn.XMaximum, 1000.0);
    QCOMPARE(records.srn.YPitch, 0.05);
    QVERIFY(records.srn.AutomaticAdjustment);
    QCOMPARE(records.da.XPitch, 25.0);
  }

  void okClearsTheUnchangedFlag() {
    SrnRecords records;
    CSetColorSrnDlg dialog(records.colours, records.srn, records.da, records.unchanged);
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!records.unchanged);
    QVERIFY(records.srn.RangesOutOfDate && records.da.RangesOutOfDate);

    ColourRecord colours = ColourRecord::Defaults();
    DataSetList strain;
    strain.RangesOutOfDate = false;
    bool unchanged = true;
    CSetColorStrainDlg strainDialog(colours, strain, unchanged);
    strainDialog.OkButton()->click();
    QVERIFY(!unchanged);
    QVERIFY(!strain.RangesOutOfDate);
  }

  void strainDialogColoursAndEnglishTexts() {
    SetCurrentLanguage(kEnglish);
    ColourRecord colours = ColourRecord::Defaults();
    DataSetList strain;
    bool unchanged = true;
    CSetColorStrainDlg dialog(colours, strain, unchanged);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Drawing setup"));
    auto* grid = dialog.findChild<CSpread7*>(QStringLiteral("strainColourGrid"));
    QCOMPARE(grid->RowTitle(1), QStringLiteral("Fitting curve"));
    QCOMPARE(grid->RowTitle(2), QStringLiteral("Experiment data"));
    QCOMPARE(grid->CellBackColor(2, 1), ColourFromWindows(6566600));
    ModalAnswerer answerer;
    answerer.Queue(PickInColourDialog(QColor(0, 128, 255)));
    ClickCell(grid, 2, 1);
    QCOMPARE(colours.Entry(18), WindowsFromColour(QColor(0, 128, 255)));
    QCOMPARE(colours.Entry(17), 10000384);
    QCOMPARE(answerer.Seen().size(), 1);
    dialog.reject();
    QCOMPARE(colours.Entry(18), 6566600);

    SrnRecords records;
    CSetColorSrnDlg srn(records.colours, records.srn, records.da, records.unchanged);
    auto* constants = srn.findChild<CSpread7*>(QStringLiteral("constantColourGrid"));
    QCOMPARE(constants->CellText(1, 1), QStringLiteral("Fitting curve of the α"));
    QCOMPARE(srn.findChild<CSpread7*>(QStringLiteral("dataColourGrid"))->CellText(2, 1), QStringLiteral("5% Data"));
    QCOMPARE(srn.CancelButton()->text(), QStringLiteral("Cancel"));
  }

  void pictureDialogTexts_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("graphTitle");
    QTest::addColumn<QString>("formulaTitle");
    QTest::addColumn<QString>("close");
    QTest::newRow("ja") << kJapanese << QStringLiteral("グラフの説明") << QStringLiteral("式") << QStringLiteral("閉じる");
    QTest::newRow("en") << kEnglish << QStringLiteral("Explanation of the graph") << QStringLiteral("Formula")
                        << QStringLiteral("Close");
  }
  void pictureDialogTexts() {
    QFETCH(int, language);
    QFETCH(QString, graphTitle);
    QFETCH(QString, formulaTitle);
    QFETCH(QString, close);
    SetCurrentLanguage(language);
    CRefGraphDlg graph;
    CRefFuncDlg func;
    CRefFuncStrainDlg strain;
    QCOMPARE(graph.windowTitle(), graphTitle);
    QCOMPARE(func.windowTitle(), formulaTitle);
    QCOMPARE(strain.windowTitle(), formulaTitle);
    for (PictureDialog* dialog : std::initializer_list<PictureDialog*>{&graph, &func, &strain}) {
      QCOMPARE(dialog->CloseButton()->text(), close);
      dialog->show();
      QVERIFY(QTest::qWaitForWindowExposed(dialog));
      // The picture is drawn: not all white.
      const QImage image = dialog->Picture()->grab().toImage();
      int dark = 0;
      for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) dark += qGray(image.pixel(x, y)) < 128;
      }
      QVERIFY(dark > 50);
      dialog->CloseButton()->click();
      QCOMPARE(dialog->result(), int(QDialog::Accepted));
      QVERIFY(!dialog->isVisible());
    }
  }
};

int RunColourDialogsTests(int argc, char** argv) {
  ColourDialogsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ColourDialogsTest.moc"
