// The drawing-setup dialogs driven through their grids, buttons and the
// colour dialog, and the picture dialogs' texts.
#include <QCheckBox>
#include <QColorDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "ModalAnswerer.h"
#include "TempFolder.h"
#include "graph/GraphDrawer.h"
#include "graph/ReferenceDialogs.h"
#include "graph/SetColorDlg.h"
#include "host/ColourFile.h"
#include "host/Language.h"
#include "host/NumberText.h"
#include "platform/Spread7.h"

#include <memory>
#include <tuple>

using namespace quorvel;
using quorvel::test::ModalAnswerer;

namespace {

ModalAnswerer::Action PickInColourDialog(QColor colour) {
  return [colour](QWidget* widget) {
    if (auto* dialog = qobject_cast<QColorDialog*>(widget)) return dialog->setCurrentColor(colour), dialog->accept();
    widget->close();
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

// Records of either form and the drawing-setup dialog over them.
struct AnyDialog {
  SrnRecords srn;
  DataSetList strain;
  std::unique_ptr<DrawingSetupDialog> dialog;
  explicit AnyDialog(const QString& kind) {
    strain.RangesOutOfDate = false;
    if (kind == QStringLiteral("strain")) {
      dialog = std::make_unique<CSetColorStrainDlg>(srn.colours, strain, srn.unchanged);
    } else {
      dialog = std::make_unique<CSetColorSrnDlg>(srn.colours, srn.srn, srn.da, srn.unchanged);
    }
  }
  // The graph settings behind an axis grid.
  DataSetList& Graph(const QString& axisGrid) {
    if (axisGrid == QStringLiteral("strainAxisGrid")) return strain;
    return axisGrid == QStringLiteral("srnAxisGrid") ? srn.srn : srn.da;
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
    QVERIFY(data && constants);
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
    // A click on the label column opens nothing.
    ClickCell(data, 2, 1);
    QCOMPARE(answerer.Seen().size(), 2);
    QCOMPARE(redraws.count(), 2);
    // A colour dialog cancelled changes nothing.
    answerer.Queue(ModalAnswerer::Reject());
    ClickCell(data, 4, 2);
    QCOMPARE(records.colours.Entry(4), before.Entry(4));

    dialog.CancelButton()->click();
    QCOMPARE(records.colours, before);
    QVERIFY(!records.srn.RangesOutOfDate && !records.da.RangesOutOfDate && records.unchanged);
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

  void strainDialogColoursAndEnglishTexts() {
    SetCurrentLanguage(kEnglish);
    ColourRecord colours = ColourRecord::Defaults();
    DataSetList strain;
    bool unchanged = true;
    CSetColorStrainDlg dialog(colours, strain, unchanged);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Drawing setup"));
    // It opens at its contents' size and never shrinks below it.
    const QSize opened = dialog.size();
    dialog.resize(opened - QSize(100, 50));
    QTRY_COMPARE(dialog.size(), opened);
    auto* grid = dialog.findChild<CSpread7*>(QStringLiteral("strainColourGrid"));
    QCOMPARE((QStringList{grid->RowTitle(1), grid->RowTitle(2)}), (QStringList{"Fitting curve", "Experiment data"}));
    // Its rows are the curve's and the points' colours (picking one: StrainFormDlgTest).
    QCOMPARE(std::pair(grid->CellBackColor(1, 1), grid->CellBackColor(2, 1)),
             std::pair(ColourFromWindows(10000384), ColourFromWindows(6566600)));
    dialog.reject();
    // OK without a change still counts as an edit; the ranges stay as they were.
    strain.RangesOutOfDate = false;
    CSetColorStrainDlg again(colours, strain, unchanged);
    again.OkButton()->click();
    QVERIFY(!unchanged && !strain.RangesOutOfDate);

    SrnRecords records;
    CSetColorSrnDlg srn(records.colours, records.srn, records.da, records.unchanged);
    srn.OkButton()->click();
    QCOMPARE(srn.result(), int(QDialog::Accepted));
    QVERIFY(!records.unchanged && records.srn.RangesOutOfDate && records.da.RangesOutOfDate);
  }

  void axisCellsFollowTheRangesTheOwnerComputes() {
    const std::tuple<QString, QString, QString> cases[] = {{"strain", "strainAxisGrid", "strainAutomaticBox"},
                                                           {"srn", "srnAxisGrid", "srnAutomaticBox"},
                                                           {"srn", "daAxisGrid", "daAutomaticBox"}};
    for (const auto& [kind, axisGrid, automaticBox] : cases) {
      AnyDialog any(kind);
      DataSetList& graph = any.Graph(axisGrid);
      DrawingSetupDialog& dialog = *any.dialog;
      auto* axes = dialog.findChild<CSpread7*>(axisGrid);
      auto* automatic = dialog.findChild<QCheckBox*>(automaticBox);
      QVERIFY(axes && automatic);
      const bool logX = axisGrid == QStringLiteral("srnAxisGrid");
      QCOMPARE(axes->IsCellLocked(1, 3), logX);
      const double xMaximum = graph.XMaximum, yPitch = graph.YPitch;
      const bool wasAutomatic = graph.AutomaticAdjustment;
      // The owner, as the pages do while repainting: recompute the ranges from
      // the data when the adjustment is on and they are out of date.
      int redraws = 0;
      QObject::connect(&dialog, &DrawingSetupDialog::OwnerRedraw, &dialog, [&] {
        ++redraws;
        if (!graph.AutomaticAdjustment || !graph.RangesOutOfDate) return;
        graph.XMinimum = 1, graph.XMaximum = 5000, graph.XPitch = logX ? graph.XPitch : 500;
        graph.YMinimum = 0.1, graph.YMaximum = 0.75, graph.YPitch = 0.125, graph.RangesOutOfDate = false;
      });

      // A typed range switches the adjustment off.
      axes->SelectBlock({2, 2, 2, 2});
      QCOMPARE(axes->PasteText(QStringLiteral("0.9")), 1);
      QVERIFY(!automatic->isChecked());
      QCOMPARE(redraws, 1);
      QCOMPARE(axes->CellText(2, 2), QStringLiteral("0.900"));
      QCOMPARE(graph.YMaximum, 0.9);
      QVERIFY(!graph.AutomaticAdjustment && graph.RangesOutOfDate);
      // An emptied cell gives the no-value marker.
      QCOMPARE(axes->DeleteBlock({2, 3, 2, 3}), 1);
      QCOMPARE(graph.YPitch, kNoValue);

      // Checked again: the cells show the owner's new ranges, and showing them
      // neither redraws again nor switches the adjustment off.
      automatic->setChecked(true);
      QCOMPARE(redraws, 3);
      QStringList shown;
      for (int cell = 0; cell < 6; ++cell) shown << axes->CellText(cell / 3 + 1, cell % 3 + 1);
      QCOMPARE(shown, (QStringList{"1.000", "5000.000", logX ? "対数" : "500.000", "0.100", "0.750", "0.125"}));
      QVERIFY(graph.AutomaticAdjustment && automatic->isChecked());

      // Unchecked: the ranges shown (the computed ones) stay in force, not
      // whatever the graph holds meanwhile.
      graph.XMaximum = 55;
      automatic->setChecked(false);
      QCOMPARE(redraws, 4);
      QVERIFY(!graph.AutomaticAdjustment);
      QCOMPARE(std::tuple(graph.XMaximum, graph.YMaximum, graph.YPitch), std::tuple(5000.0, 0.75, 0.125));
      if (!logX) QCOMPARE(graph.XPitch, 500.0);

      // Cancel still returns to the values before the dialog.
      dialog.reject();
      QCOMPARE(std::tuple(graph.XMaximum, graph.YPitch, graph.AutomaticAdjustment),
               std::tuple(xMaximum, yPitch, wasAutomatic));
    }
  }

  void pictureDialogTexts() {
    const std::tuple<int, QString, QString, QString> languages[] = {
        {kJapanese, "グラフの説明", "式", "閉じる"}, {kEnglish, "Explanation of the graph", "Formula", "Close"}};
    for (const auto& [language, graphTitle, formulaTitle, closeText] : languages) {
      SetCurrentLanguage(language);
      CRefGraphDlg graph;
      CRefFuncDlg func;
      CRefFuncStrainDlg strain;
      QCOMPARE((QStringList{graph.windowTitle(), func.windowTitle(), strain.windowTitle(), graph.CloseButton()->text(),
                            func.CloseButton()->text(), strain.CloseButton()->text()}),
               (QStringList{graphTitle, formulaTitle, formulaTitle, closeText, closeText, closeText}));
    }
  }
};

int RunColourDialogsTests(int argc, char** argv) {
  ColourDialogsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ColourDialogsTest.moc"
