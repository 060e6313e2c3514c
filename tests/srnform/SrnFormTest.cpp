// The SR-N form through the start-up shell and its own widgets: answers on
// disk, load failure, page 2's rule, the OK refusals' messages, the toolbar zoom
// and the keyboard rules.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <utility>

#include "ModalAnswerer.h"
#include "SrnFormTestSupport.h"
#include "TempFolder.h"
#include "app/QuorvelApp.h"
#include "graph/GraphArea.h"
#include "host/Language.h"
#include "srn/SrnFormDlg.h"
#include "srn/SrnInputDataDlg.h"

using namespace quorvel;
using quorvel::test::ModalAnswerer;

namespace {

// Clicks the form's OK once the form itself is the modal window (Cancel if
// the form is still open after that).
ModalAnswerer::Action PressFormOk() {
  auto pressed = std::make_shared<bool>(false);
  return [pressed](QWidget* widget) {
    if (widget->objectName() == QStringLiteral("srnForm"))
      test::ClickChild(widget,
                       std::exchange(*pressed, true) ? QStringLiteral("cancelButton") : QStringLiteral("okButton"));
    else
      ModalAnswerer::Accept()(widget);
  };
}

struct FormFixture {
  explicit FormFixture(const std::string& handOff, int language = kJapanese) {
    SetCurrentLanguage(language);
    folder.WriteBytes("temp.txt", handOff);
  }
  // Builds and initialises the form without running it modally.
  CSrnFormDlg& Open() {
    form = std::make_unique<CSrnFormDlg>(folder.Path(), "3 : 砂質土 (As1)", nullptr, replacePage);
    form->Initialise();
    form->show();
    return *form;
  }
  test::TempFolder folder;
  // Pages 1 and 2 are placeholders unless a test sets its own.
  SrnPageFactory replacePage = test::PlaceholderPages();
  std::unique_ptr<CSrnFormDlg> form;
};

using test::Shown;

}  // namespace

class SrnFormTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { SetCurrentLanguage(kJapanese); }

  // The form with its real pages: building them is no edit, so OK right after
  // start answers CANCEL in both languages, and so does a
  // hand-off that does not load, after its message (its title follows the
  // language line the load never read).
  void okRightAfterStartOrAFailedLoadAnswersCancel() {
    const std::pair<std::string, QString> cases[] = {
        {test::ExampleHandOff(0), "srnForm|"},
        {test::ExampleHandOff(1), "srnForm|"},
        {"ToSrnForm\r\n1 Clay\r\n1\r\n[Nothing]\r\n", "messageBox|印刷データの読み込みに失敗しました。"}};
    for (const auto& [handOff, seen] : cases) {
      test::TempFolder folder;
      folder.WriteBytes("temp.txt", handOff);
      ModalAnswerer answerer(PressFormOk());
      qputenv("QUORVEL_HOME", QByteArray::fromStdString(folder.Path()));
      CQuorvelApp app(folder.Path());
      QCOMPARE(app.Run(), ModeResult::Cancel);
      QCOMPARE(answerer.Seen().size(), 1);  // OK asked nothing
      QCOMPARE(answerer.Seen()[0].objectName + "|" + answerer.Seen()[0].text, seen);
      QCOMPARE(QByteArray::fromStdString(folder.ReadBytes("temp.txt")), QByteArray("ToDrevia\r\nCANCEL"));
      QVERIFY(folder.Exists("writed") && !folder.Exists("color.txt"));
    }
  }

  void headerToolbarAndInitialState() {
    FormFixture f(test::ExampleHandOff());
    CSrnFormDlg& form = f.Open();
    QCOMPARE(form.windowTitle(), QStringLiteral("近似曲線の決定 (損傷定義 - ひずみ逆算定数)"));
    QCOMPARE((QStringList{form.findChild<QLineEdit*>(QStringLiteral("stratumNumber"))->text(),
                          form.findChild<QLineEdit*>(QStringLiteral("stratumName"))->text(),
                          form.findChild<QPushButton*>(QStringLiteral("okButton"))->text()}),
             (QStringList{"3", "砂質土", "代入"}));
    QCOMPARE(std::pair(form.Record().DaGraph.XPitch, form.Record().DaGraph.YPitch), std::pair(25.0, 0.4));
    QVERIFY(form.Record().Unchanged);
    // Zoom-in stops at the cap, a reset enables it again (the steps: ZoomSteps.WheelAndToolbar;
    // what a reset does to the graph: GraphAreaTest).
    auto* zoomIn = form.findChild<QPushButton*>(QStringLiteral("zoomInButton"));
    GraphArea* graph = form.CurrentGraph();
    QVERIFY(graph != nullptr);
    graph->SetZoom(7.450580596923828);
    zoomIn->click();
    QCOMPARE(graph->Zoom(), 8.0);
    QVERIFY(zoomIn->isEnabled());
    zoomIn->click();
    QCOMPARE(graph->Zoom(), 8.0);
    QVERIFY(!zoomIn->isEnabled());
    test::ClickChild(&form, QStringLiteral("zoomResetButton"));
    QCOMPARE(graph->Zoom(), 1.0);
    QVERIFY(zoomIn->isEnabled());

    // The host's data, untouched: page 2 opens without a new SR-N fit.
    ModalAnswerer answerer;
    form.OnPageButton(2);
    QCOMPARE(form.PageIndex(), 2);
    // Cancel of the drawing setup leaves the form unchanged; its OK counts as
    // a change, so the form's OK no longer answers CANCEL.
    answerer.Queue(ModalAnswerer::Reject());
    test::ClickChild(&form, QStringLiteral("drawingSetupButton"));
    QVERIFY(form.Record().Unchanged);
    test::ClickChild(&form, QStringLiteral("drawingSetupButton"));
    QVERIFY(!form.Record().Unchanged);
    QCOMPARE(Shown(answerer), (QStringList{"描画設定|", "描画設定|"}));
  }

  // No data sets from the host: page 2 is always refused (changed data:
  // SrnPagesTest.changedDataDiscardsResultsBeforePagesOneAndTwo).
  void pageTwoNeedsTheHostsSets() {
    FormFixture f(test::HandOffWithoutSets());
    CSrnFormDlg& form = f.Open();
    ModalAnswerer answerer;
    form.OnPageButton(2);
    QCOMPARE(form.PageIndex(), 0);
    QCOMPARE(Shown(answerer), QStringList("確認|先にSR-N関係の最適化を行ってください。"));
  }

  // The decision itself is SrnOkStepTest's; here each refusal's message, then
  // the residual question: No keeps the form open, Yes answers.
  void okRefusalsThenTheResidualQuestion() {
    FormFixture f(test::ExampleHandOff());
    CSrnFormDlg& form = f.Open();
    SrnFormRecord& record = form.Record();
    record.Unchanged = false;
    const EquationList srnCurves = record.SrnCurves;
    const EquationList constantCurves = record.ConstantCurves;
    const QStringList shown{"確認|SR-N関係の最適化が終了していません。\n最適化を行ってから代入して下さい。",
                            "確認|液状化強度曲線の最適化が終了していません。\n最適化を行ってから代入して下さい。",
                            "確認|Dreviaに利用するデータが選択されていません。\nデータを選択してから代入して下さい。",
                            "確認|残差が許容値を超えています。\nDreviaに戻ってもいいですか？"};
    ModalAnswerer answerer;
    record.SrnCurves.Clear();
    record.ConstantCurves.Clear();
    form.OnOk();
    record.SrnCurves = srnCurves;
    form.OnOk();
    record.ConstantCurves = constantCurves;
    form.OnOk();
    // The host's constants carry residual 1E+8 against a tolerance of 1E-6.
    record.SrnCurves.At(0).Selected = true;
    answerer.Queue(ModalAnswerer::ClickButtonWithText(QStringLiteral("いいえ")));
    form.OnOk();
    QCOMPARE(Shown(answerer), shown);
    QVERIFY(form.isVisible() && !f.folder.Exists("writed"));
    QCOMPARE(QByteArray::fromStdString(f.folder.ReadBytes("temp.txt")),
             QByteArray::fromStdString(test::ExampleHandOff()));
    answerer.Queue(ModalAnswerer::ClickButtonWithText(QStringLiteral("はい")));
    form.OnOk();
    // The answer's bytes: HandOffSrnTest (WriteSrnAnswer) and SrnPagesTest.
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(f.folder.ReadBytes("temp.txt").rfind("ToDrevia\r\nOK\r\n", 0) == 0 && f.folder.Exists("writed"));

    FormFixture english(test::ExampleHandOff(1), kEnglish);
    english.Open().Record().Unchanged = false;
    english.form->OnOk();
    QCOMPARE(Shown(answerer).last(), QStringLiteral("Caution|Please Check"));
    QCOMPARE(english.form->InputPage()->SetList()->itemText(0), QStringLiteral("1.5% Data"));
  }
};

int RunSrnFormTests(int argc, char** argv) {
  SrnFormTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "SrnFormTest.moc"
