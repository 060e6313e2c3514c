// The SR-N optimisation page and the liquefaction-constant page as a user
// drives them, alone and inside the SR-N form, through the real engine
// library and real files in a QUORVEL_HOME folder. Fits are counted by
// engine calls.
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <tuple>

#include "ModalAnswerer.h"
#include "TempFolder.h"
#include "controls/ExpEdit.h"
#include "controls/RetryRow.h"
#include "host/EngineCaller.h"
#include "host/Language.h"
#include "platform/Spread7.h"
#include "srn/LiquidOptimizeDlg.h"
#include "srn/SrnFormDlg.h"
#include "srn/SrnHandOff.h"
#include "srn/SrnOptimizeDlg.h"
#include "srnform/SrnFormTestSupport.h"

namespace quorvel {

using test::ModalAnswerer;
using test::Shown;
using test::TempFolder;

namespace {

SrnFormRecord ExampleRecord() {
  SrnFormRecord record;
  std::string error;
  if (!ReadSrnInput(std::string(QUORVEL_EXAMPLES) + "/srn/temp.txt", record, &error)) qFatal("%s", error.c_str());
  return record;
}

// Types into a field and moves the focus on, as a user leaving the field.
void TypeAndLeave(CExpEdit* edit, const QString& text, QWidget* next) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  next->setFocus();
  QCoreApplication::processEvents();
}

}  // namespace

class SrnPagesTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempFolder> home_;

 private slots:
  void init() {
    SetCurrentLanguage(kJapanese);
    home_ = std::make_unique<TempFolder>();
    qputenv("QUORVEL_HOME", QByteArray::fromStdString(home_->Path()));
  }
  void cleanup() { home_.reset(); }

  // The page's own wiring; the runs and rules themselves are OptimizeRunTest's.
  void pageWiresItsGridsAndFields() {
    SrnFormRecord record = ExampleRecord();
    QWidget window;
    auto* page1 = new CSrnOptimizeDlg(record, &window);
    window.show();
    QApplication::setActiveWindow(&window);
    page1->Activate();
    CSpread7* grid = page1->InitialGrid();
    QVERIFY(page1->Retry()->StartButton()->isEnabled());
    TypeAndLeave(page1->Retry()->ToleranceEdit(), "abc", page1->Retry()->StartButton());
    QCOMPARE(page1->Retry()->ToleranceEdit()->text(), QString("1.000E-6"));
    TypeAndLeave(page1->Retry()->ToleranceEdit(), "0.0005", page1->Retry()->StartButton());
    QCOMPARE(record.SrnRetry.Tolerance, 5e-4);
    ModalAnswerer answerer;
    TypeAndLeave(page1->Retry()->MaxTrialsEdit(), "150", page1->Retry()->StartButton());
    QCOMPARE(Shown(answerer),
             QStringList("入力確認|数値が範囲外です。\n\n（1 ～ 100 までの範囲で入力してください。）"));
    QCOMPARE(page1->Retry()->MaxTrialsEdit()->text(), QString("5"));
    grid->item(0, 8)->setText("250");  // c maximum, as a user's edit
    QCOMPARE(grid->CellText(1, 9), QString("100.0"));
    QCOMPARE(record.DataSets.At(0).Maximum[2], 100.0);  // kept in the set at once
    record.DataSets.At(1).Initial[1] = kNoValue;        // b empty from the host: Start waits
    page1->Activate();
    QVERIFY(!page1->Retry()->StartButton()->isEnabled());
    QTest::mouseClick(page1->Retry()->RandomRetryBox(), Qt::LeftButton);
    page1->Start();  // the pre-check fills the empty cell
    QCOMPARE(grid->CellText(2, 4), QString("0.0001"));
    CSpread7* results = page1->ResultGrid();
    QVERIFY(results->IsCellChecked(3, 5));
    results->item(1, 4)->setCheckState(Qt::Checked);  // a user's click on row 2
    for (int row = 1; row <= 4; ++row) QCOMPARE(results->IsCellChecked(row, 5), row == 2);
    for (std::size_t k = 0; k < 4; ++k) QCOMPARE(record.SrnCurves.At(k).Selected, k == 1);
  }

  // --- liquefaction constants ---------------------------------------------

  void liquidFailureMessage() {
    for (int language : {kJapanese, kEnglish}) {
      SetCurrentLanguage(language);
      SrnFormRecord record = ExampleRecord();
      record.SrnCurves.Clear();  // the constants get no points: no fit succeeds
      QWidget window;
      auto* page = new CLiquidOptimizeDlg(record, &window);
      window.show();
      page->Activate();
      ModalAnswerer answerer;
      QVERIFY(!page->Start());
      QCOMPARE(Shown(answerer),
               QStringList(language == kJapanese
                               ? "確認|最適化が失敗しました。\n初期値又は関数を変更して再度実行してみて下さい。"
                               : "Caution|Please try again by changing the functions or initial values."));
      QCOMPARE(answerer.Seen()[0].icon, int(QMessageBox::Warning));
      QVERIFY(page->OptimisationNotFinished());  // the rows the failed run shows: ResidualThatStaysAtTheStartValueFails
    }
  }

  // --- the form, end to end ------------------------------------------------

  // The form with its real pages on the example, page 1 shown.
  std::unique_ptr<CSrnFormDlg> FormOnPageOne() {
    home_->WriteBytes("temp.txt", test::ExampleHandOff());
    auto form = std::make_unique<CSrnFormDlg>(home_->Path(), "3 : 砂質土 (As1)");
    if (!form->Initialise()) qFatal("the example does not load");
    form->show();
    QApplication::setActiveWindow(form.get());
    form->OnPageButton(SrnPage::kSrnOptimize);
    return form;
  }
  // OK with the first host curve marked for the host and the constants'
  // residual question answered Yes: the answer's bytes.
  std::string AnswerAfterOk(CSrnFormDlg& form) {
    static_cast<CSrnOptimizeDlg*>(form.Page(1))->ResultGrid()->item(0, 4)->setCheckState(Qt::Checked);
    ModalAnswerer yes(ModalAnswerer::ClickButtonWithText("はい"));
    form.OnOk();
    return home_->ReadBytes("temp.txt");
  }

  // A initial value (column 1), a maximum (3) and c minimum (8) emptied with Delete in row "2%" and given
  // text that is no number in row "5%" ("1,5", "あ": NumberText's tests), and the retry box unchecked. The
  // page shows after a page switch what the answer hands back: the retry flag; the initial values after
  // the set's name, the bounds after its last point.
  void pageOneStoresWhatItShows() {
    auto form = FormOnPageOne();
    auto* page1 = static_cast<CSrnOptimizeDlg*>(form->Page(1));
    CSpread7* grid = page1->InitialGrid();
    QCOMPARE(grid->RowTitle(2) + grid->RowTitle(3), QString("2%5%"));
    grid->setFocus();
    for (int col : {1, 3, 8}) {
      grid->SelectBlock({2, col, 2, col});
      QTest::keyClick(grid, Qt::Key_Delete);
      grid->item(2, col - 1)->setText("x");  // as a user's edit
    }
    QTest::mouseClick(page1->Retry()->RandomRetryBox(), Qt::LeftButton);
    form->OnPageButton(SrnPage::kInputData);
    form->OnPageButton(SrnPage::kSrnOptimize);
    QVERIFY(!page1->Retry()->RandomRetryBox()->isChecked() && !page1->Retry()->MaxTrialsEdit()->isEnabled());
    QCOMPARE((QStringList{grid->CellText(2, 1), grid->CellText(2, 3), grid->CellText(2, 8), grid->CellText(3, 1),
                          grid->CellText(3, 3), grid->CellText(3, 8)}),
             (QStringList{"0.5", "1.0", "0.0", "0.0001", "0.0001", "0.0"}));
    QVERIFY(page1->Retry()->StartButton()->isEnabled());
    const std::string answer = AnswerAfterOk(*form);
    QVERIFY(answer.find("\r\nrand_ng\r\n5\r\n1.000000E-6\r\n\r\n[DsParameter] \r\n") != std::string::npos);
    const std::tuple<std::string, std::string, std::string, std::string> sets[] = {
        {"2", "150.000000,0.246471", "0.500000,0.200000,0.100000", "0.000100,0.000100,0.000000\r\n1.000000,5.000000"},
        {"5", "150.000000,0.279932", "0.000100,0.200000,0.100000", "0.000100,0.000100,0.000000\r\n0.000100,5.000000"}};
    for (const auto& [name, last, initial, bounds] : sets) {
      const std::size_t at = answer.find("[SrnData]1\r\n" + name + "\r\n");
      QCOMPARE(answer.substr(answer.find("\r\n", at + 12) + 2, initial.size()), initial);
      QCOMPARE(answer.substr(answer.find(last, at) + last.size() + 2, bounds.size()), bounds);
    }
  }

  // A missing number is named to the user and no request goes to the engine
  // (a cell the function does not use: OptimizeRuns.RequestsWithAMissingItemAreNeverSent).
  // `row` 0: page 1, set 1.5 % given an eighth point without N (`col` 1) or SR (2), as a data
  // file line "abc,0.25" loads; else page 2 with cell `row`, `col` emptied.
  void incompleteItemsAreNeverSent() {
    const std::tuple<int, int, int, QString> cases[] = {
        {kJapanese, 0, 1,
         "確認|1.5%データ "
         "8行目の「繰返し載荷回数」に数値が入力されていません。\n数値を入力してから最適化を行って下さい。"},
        {kEnglish, 0, 2,
         "Caution|1.5% Data, row 8: no number in \"Double amplitude of axial strain\".\nPlease enter a number and "
         "optimize again."},
        {kJapanese, 4, 1,
         "確認|「β 初期値」の「A0」に数値が入力されていません。\n数値を入力してから最適化を行って下さい。"},
        {kEnglish, 5, 2, "Caution|No number in \"A1\" of \"β Min value\".\nPlease enter a number and optimize again."}};
    for (const auto& [language, row, col, message] : cases) {
      init();
      SetCurrentLanguage(language);
      auto form = FormOnPageOne();
      QPushButton* start = static_cast<CSrnOptimizeDlg*>(form->Page(1))->Retry()->StartButton();
      if (row == 0) {
        form->Record().DataSets.At(0).AppendPoint(col == 1 ? kNoValue : 10, col == 2 ? kNoValue : 0.25);
      } else {
        form->OnPageButton(SrnPage::kLiquidOptimize);
        auto* page2 = static_cast<CLiquidOptimizeDlg*>(form->Page(2));
        page2->InputGrid()->item(row - 1, col - 1)->setText("");
        start = page2->Retry()->StartButton();
      }
      const auto calls = EngineCallCount();
      ModalAnswerer answerer;
      QTest::mouseClick(start, Qt::LeftButton);
      QCOMPARE(Shown(answerer), QStringList(message));
      QCOMPARE(EngineCallCount(), calls);
      QCOMPARE(form->Record().ConstantCurves.Count(), std::size_t{3});  // the host's stay
    }
  }

  // Page 1 run again after page 2: constants fitted to other SR-N curves
  // are not handed back; the same curves keep them.
  void constantsFollowTheSrnCurves() {
    for (bool otherCurves : {false, true}) {
      init();
      auto form = FormOnPageOne();
      auto* page1 = static_cast<CSrnOptimizeDlg*>(form->Page(1));
      QTest::mouseClick(page1->Retry()->RandomRetryBox(), Qt::LeftButton);
      page1->Start();
      form->OnPageButton(SrnPage::kLiquidOptimize);
      auto* page2 = static_cast<CLiquidOptimizeDlg*>(form->Page(2));
      QCOMPARE(page2->InputGrid()->CellText(1, 9) + "|" + page2->InputGrid()->RowTitle(4),
               QString("指数関数1|β 初期値"));
      TypeAndLeave(page2->Retry()->MaxTrialsEdit(), "0", page2->Retry()->StartButton());
      page2->Retry()->RandomRetryBox()->setChecked(false);
      TypeAndLeave(page2->Retry()->ToleranceEdit(), "1000", page2->Retry()->StartButton());
      QVERIFY(page2->Start());
      // Both views show the fitted curves.
      page2->SetView(CLiquidOptimizeDlg::kSrnView);
      QCOMPARE(page2->CurveSeries().size(), std::size_t{22});
      page2->SetView(CLiquidOptimizeDlg::kDaView);
      QCOMPARE(page2->CurveSeries().size(), std::size_t{3});
      form->OnPageButton(SrnPage::kSrnOptimize);
      if (otherCurves) page1->InitialGrid()->item(0, 8)->setText("0");  // c of 1.5 % pinned at 0
      page1->Start();
      form->OnPageButton(SrnPage::kLiquidOptimize);
      QCOMPARE(page2->ResultGrid()->CellText(1, 9).isEmpty(), otherCurves);
      ModalAnswerer answerer;
      form->OnOk();
      QCOMPARE(home_->Exists("writed"), !otherCurves);
      if (otherCurves) {
        QCOMPARE(answerer.Seen()[0].text,
                 QString("液状化強度曲線の最適化が終了していません。\n最適化を行ってから代入して下さい。"));
        continue;
      }
      // Page 2's fields went into the settings at OK.
      SrnFormRecord answer;
      QVERIFY(ReadSrnInput(home_->File("temp.txt"), answer));
      const ConstantFitSettings& settings = answer.ConstantSettings;
      QCOMPARE(std::tuple(settings.Tolerance, settings.RandomStartAllowed, settings.MaximumTrials),
               std::tuple(1000.0, false, 1));  // trial counts below 1 become 1
    }
  }

  void changedDataDiscardsResultsBeforePagesOneAndTwo() {
    auto form = FormOnPageOne();
    auto* page1 = static_cast<CSrnOptimizeDlg*>(form->Page(1));
    page1->Start();
    QCOMPARE(page1->ResultGrid()->MaxRows(), 4);
    // Page 0 changed the data (as a point typed there does): the curves fitted before go.
    form->Record().DataChanged = true;
    form->OnPageButton(SrnPage::kSrnOptimize);
    QCOMPARE(page1->ResultGrid()->MaxRows(), 0);
    QVERIFY(page1->CurveSeries().empty());
    ModalAnswerer answerer;
    form->OnPageButton(SrnPage::kLiquidOptimize);
    QCOMPARE(form->PageIndex(), 1);
    QCOMPARE(Shown(answerer), QStringList("確認|先にSR-N関係の最適化を行ってください。"));
  }
};

}  // namespace quorvel

QTEST_MAIN(quorvel::SrnPagesTest)
#include "SrnPagesTest.moc"
