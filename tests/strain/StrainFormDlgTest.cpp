// The strain form in-process: real widgets offscreen, the real engine and
// real files in a temporary program folder.
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <tuple>

#include "ModalAnswerer.h"
#include "TempFolder.h"
#include "app/FontSetup.h"
#include "controls/ExpEdit.h"
#include "graph/SetColorDlg.h"
#include "host/EngineCaller.h"
#include "host/Language.h"
#include "platform/Spread7.h"
#include "strain/StrainFitRun.h"
#include "strain/StrainFormDlg.h"
#include "strain/StrainHandOff.h"

using namespace quorvel;
using quorvel::test::ModalAnswerer;
using quorvel::test::TempFolder;

namespace {

std::string ExampleBytes() {
  std::ifstream in(std::string(QUORVEL_EXAMPLES) + "/strain/temp.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The example with the results of an earlier fit, so the form starts with a curve.
std::string FittedExampleBytes() {
  std::string bytes = ExampleBytes();
  const std::string empty = "[Table] 6\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
  const std::size_t at = bytes.find(empty);
  if (at == std::string::npos) qFatal("example hand-off without an empty result table");
  bytes.replace(at, empty.size(),
                "[Table] 6\r\n14.272036\r\n1.71862\r\n1.359032\r\n19.727964\r\n5.706644\r\n0.739606\r\n"
                "7.664415E-4\r\n");
  return bytes;
}

StartRequest Request(int english) { return {false, StartMode::StrainForm, "3 : 砂質土 (As1)", english, {}}; }

template <typename T>
T* Find(QWidget* form, const char* name) {
  T* widget = form->findChild<T*>(QString::fromLatin1(name));
  if (widget == nullptr) qFatal("no widget %s", name);
  return widget;
}

// A user edit: the grid raises CellChanged as after typing.
void TypeIntoCell(CSpread7* grid, int row, int column, const QString& text) {
  grid->SetCellText(row, column, text);
  emit grid->CellChanged(row, column);
}

ModalAnswerer::Action PickInColourDialog(QColor colour) {
  return [colour](QWidget* widget) {
    if (auto* dialog = qobject_cast<QColorDialog*>(widget)) return dialog->setCurrentColor(colour), dialog->accept();
    widget->close();
  };
}

// The dialogs a test ran into, each as "title|text".
QStringList Shown(const ModalAnswerer& answerer) {
  QStringList shown;
  for (const auto& seen : answerer.Seen()) shown << seen.title + "|" + seen.text;
  return shown;
}

}  // namespace

class StrainFormDlgTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { SetUpFonts(); }

  void init() {
    folder_ = std::make_unique<TempFolder>();
    folder_->WriteBytes("temp.txt", ExampleBytes());
    qputenv("QUORVEL_HOME", QByteArray::fromStdString(folder_->Path()));
    SetCurrentLanguage(kJapanese);
  }
  void cleanup() { folder_.reset(); }

  void okRightAfterStartAnswersCancel() {
    QTimer::singleShot(0, [] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("okButton")); ok != nullptr && w->isVisible())
          ok->click();
    });
    QCOMPARE(int(RunStrainForm(Request(0))), int(ModeResult::Cancel));
    QVERIFY(!folder_->Exists("writed"));  // the shell answers Cancel, not the form
  }

  void titlesTextsAndEnabledState() {
    CStrainFormDlg form(folder_->Path(), Request(0));
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("近似曲線の決定 (両振幅ひずみ-見掛けの摩擦角)"));
    auto* grid = Find<CSpread7>(&form, "experimentGrid");
    QCOMPARE(Find<QLabel>(&form, "stratumNumber")->text() + "|" + Find<QLabel>(&form, "stratumName")->text(),
             QStringLiteral("3|砂質土 (As1)"));
    QVERIFY(Find<QPushButton>(&form, "startButton")->isEnabled());
    Find<QCheckBox>(&form, "randomRetryCheck")->setChecked(false);
    QVERIFY(!Find<CExpEdit>(&form, "maxTrialsEdit")->isEnabled());
    QCOMPARE(form.Record().Retry.RandomStartAllowed, 0);
    // The Delete key clears without the cell rules (no "0.0"), and Start waits.
    grid->SelectBlock({1, 1, 2, 2});
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(grid->CellText(1, 1) + grid->CellText(2, 1), QString());
    QVERIFY(!Find<QPushButton>(&form, "startButton")->isEnabled());
  }

  void pastedRowsGrowTheExperimentGrid() {
    CStrainFormDlg form(folder_->Path(), Request(0));
    auto* grid = Find<CSpread7>(&form, "experimentGrid");
    QString block;
    for (int i = 1; i <= 80; ++i) block += QStringLiteral("%1\t%2\r\n").arg(i * 0.125).arg(40 - i * 0.25);
    grid->SelectBlock({1, 1, 1, 1});
    QCOMPARE(grid->PasteText(block), 160);
    QCOMPARE(grid->MaxRows(), 80);
    QCOMPARE(grid->CellText(80, 2), QStringLiteral("20"));
    // Every point reaches the set, the fit's request and the answer.
    QCOMPARE(form.Record().DataSets.At(0).PointCount(), std::size_t{80});
    EngineRequest request;
    QVERIFY(StrainFitRun(form.Model(), form.Caller()).BuildRequest(request));
    QCOMPARE(request.Points.size(), std::size_t{80});
    QCOMPARE(request.Points.back(), (std::pair<std::string, std::string>("10.00000000", "20.00000000")));
    form.OnOk();
    StrainFormRecord back;
    QVERIFY(ReadStrainInput(folder_->File("temp.txt"), back, kJapanese));
    QCOMPARE(back.ExperimentData()->PointCount(), std::size_t{80});
    QCOMPARE(back.ExperimentData()->Point(79), CDPoint(10, 20));
  }

  // An empty value or bound would shift every later item of data.txt: Start
  // names the cell and sends nothing.
  void startNamesTheEmptyCell() {
    const std::tuple<int, int, int, QString> cases[] = {
        {0, 2, 3,
         "確認|初期パラメータの「最小値」の「t1」が入力されていません。\n入力してから最適化開始を押して下さい。"},
        {1, 1, 1, "Caution|Initial Parameter: the Initial value of φpeak is empty.\nEnter it, then press Start."}};
    for (const auto& [english, row, column, text] : cases) {
      SetCurrentLanguage(english ? kEnglish : kJapanese);
      CStrainFormDlg form(folder_->Path(), Request(english));
      form.show();
      auto* parameters = Find<CSpread7>(&form, "parameterGrid");
      parameters->SelectBlock({row, column, row, column});
      parameters->setFocus();
      QTest::keyClick(parameters, Qt::Key_Delete);
      ModalAnswerer answerer;
      Find<QPushButton>(&form, "startButton")->click();
      QCOMPARE(Shown(answerer), QStringList(text));
      QVERIFY(!folder_->Exists("data.txt"));  // nothing sent (the refusal itself: StrainLogic)
    }
  }

  void retryOffMakesOneFitAndOkWritesTheAnswer() {
    CStrainFormDlg form(folder_->Path(), Request(0));
    Find<QCheckBox>(&form, "randomRetryCheck")->setChecked(false);
    Find<QPushButton>(&form, "startButton")->click();
    auto* results = Find<CSpread7>(&form, "resultGrid");
    // 1e-6 is out of reach on these points: red residual, and OK asks first.
    QCOMPARE(results->CellForeColor(1, 7), QColor(255, 0, 0));
    ModalAnswerer answerer;
    answerer.Queue(ModalAnswerer::ClickButtonWithText(QStringLiteral("いいえ")));
    form.OnOk();
    QVERIFY(!folder_->Exists("writed"));
    answerer.Queue(ModalAnswerer::ClickButtonWithText(QStringLiteral("はい")));
    form.OnOk();
    QCOMPARE(Shown(answerer), QStringList(2, "確認|残差が許容値を超えています。\nDreviaに戻ってもいいですか？"));
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(folder_->Exists("writed"));  // its contents: StrainLogic.AnswerOfARunReadsBack
  }

  // At the form's default size the initial values the random retry draws
  // (up to 10 decimals) show whole, not cut off with "…".
  void drawnInitialValuesShowWhole() {
    for (int english : {0, 1}) {
      SetCurrentLanguage(english ? kEnglish : kJapanese);
      CStrainFormDlg form(folder_->Path(), Request(english));
      form.Model().ToleranceChanged("1e-10");
      form.OnStart();
      form.show();
      QApplication::processEvents();
      auto* grid = Find<CSpread7>(&form, "parameterGrid");
      const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
      qsizetype longest = 0;
      for (int column : {2, 3, 4, 6, 7}) {
        const QString text = grid->CellText(1, column);
        longest = std::max(longest, text.size());
        const int room = grid->visualRect(grid->model()->index(0, column - 1)).width() - 2 * margin;
        QVERIFY2(grid->fontMetrics().horizontalAdvance(text) <= room,
                 qPrintable(QStringLiteral("%1 in %2").arg(text).arg(room)));
      }
      QVERIFY(longest >= 15);  // values as long as a draw makes them
    }
  }

  void okAfterAllClearShowsTheJapaneseMessage() {
    SetCurrentLanguage(kEnglish);
    CStrainFormDlg form(folder_->Path(), Request(1));
    Find<QPushButton>(&form, "allClearButton")->click();
    ModalAnswerer answerer;
    form.OnOk();
    QCOMPARE(Shown(answerer), QStringList("確認|最適化が終了していません。\n終了してからOKボタンを押して下さい。"));
    QVERIFY(!folder_->Exists("writed"));
  }

  void loadFailureEndsAsCancel() {
    folder_->WriteBytes("temp.txt", "ToStrainForm\r\nx\r\n0\r\n");
    ModalAnswerer answerer;
    QCOMPARE(int(RunStrainForm(Request(0))), int(ModeResult::Cancel));
    QCOMPARE(Shown(answerer), QStringList("確認|印刷データの読み込みに失敗しました。"));
  }

  void drawingSetupActsLiveAndCancelRestores() {
    // A fitted curve, so the X range decides how far it is drawn.
    folder_->WriteBytes("temp.txt", FittedExampleBytes());
    CStrainFormDlg form(folder_->Path(), Request(0));
    QVERIFY(form.Model().Curve() != nullptr);
    const DataSetList& graph = form.Record().DataSets;
    const double xMaximum = graph.XMaximum;
    const std::size_t curvePoints = form.Model().Curve()->PointCount();
    const int colour = form.Model().Curve()->Colour;

    // While open the form redraws with the typed range and the picked colour
    // (the dialog's own restore on Cancel: ColourDialogsTest).
    double lastCurveX = 0;
    int pickedColour = 0;
    ModalAnswerer answerer;
    answerer.Queue([&](QWidget* widget) {
      auto* dialog = qobject_cast<CSetColorStrainDlg*>(widget);
      if (dialog == nullptr) return widget->close(), void();
      TypeIntoCell(dialog->findChild<CSpread7*>(QStringLiteral("strainAxisGrid")), 1, 2, QStringLiteral("5"));
      lastCurveX = form.Model().Curve()->Points().back().x;
      dialog->PickColour(dialog->findChild<CSpread7*>(QStringLiteral("strainColourGrid")), 1, 1);
      pickedColour = form.Model().Curve()->Colour;
      dialog->CancelButton()->click();
    });
    answerer.Queue(PickInColourDialog(QColor(0, 0, 255)));
    Find<QPushButton>(&form, "drawingSetupButton")->click();
    QCOMPARE(answerer.Seen()[0].title, QStringLiteral("描画設定"));
    QVERIFY(std::abs(lastCurveX - 5.01) < 1e-9);
    QCOMPARE(pickedColour, 0xFF0000);
    // Cancel: the curve drawn as before, no answer due.
    QCOMPARE(graph.XMaximum, xMaximum);
    QCOMPARE(form.Model().Curve()->PointCount(), curvePoints);
    QCOMPARE(form.Model().Curve()->Colour, colour);
    QVERIFY(form.Record().Unchanged);
  }

 private:
  std::unique_ptr<TempFolder> folder_;
};

QTEST_MAIN(StrainFormDlgTest)
#include "StrainFormDlgTest.moc"
