// The SR-N input data page driven through its widgets: sets, grid rules,
// files, copy text and the graph series.
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <tuple>

#include "ModalAnswerer.h"
#include "SrnFormTestSupport.h"
#include "TempFolder.h"
#include "controls/ExpEdit.h"
#include "host/Language.h"
#include "platform/Spread7.h"
#include "srn/AddDataDlg.h"
#include "srn/SrnFormRecord.h"
#include "srn/SrnInputDataDlg.h"

using namespace quorvel;
using quorvel::test::ModalAnswerer;
using quorvel::test::Shown;

namespace {

ModalAnswerer::Action TypeIntoAddDialog(const QString& text) {
  return [text](QWidget* widget) {
    if (auto* dialog = qobject_cast<CAddDataDlg*>(widget))
      return dialog->Edit()->setText(text), dialog->OkButton()->click();
    ModalAnswerer::Reject()(widget);
  };
}

struct PageFixture {
  PageFixture() : page(record, nullptr, QString::fromStdString(folder.Path())) {
    page.resize(900, 650);
    page.show();
  }
  test::TempFolder folder;
  SrnFormRecord record;
  CSrnInputDataDlg page;
};

// Types the rows into the grid from row 1, leaving the empty texts alone.
void Fill(CSpread7* grid, std::initializer_list<std::pair<const char*, const char*>> rows) {
  int row = 0;
  for (const auto& [n, sr] : rows) {
    ++row;
    for (const auto& [column, text] : {std::pair(1, n), std::pair(2, sr)})
      if (*text != 0) grid->SetCellText(row, column, QString::fromUtf8(text));
  }
}

QStringList ComboTexts(const QComboBox* combo) {
  QStringList texts;
  for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
  return texts;
}

}  // namespace

class SrnInputPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { SetCurrentLanguage(kJapanese); }

  // An empty value keeps the dialog open with a message; a negative one
  // names a set; a name taken already is refused.
  void addDialogValues() {
    PageFixture f;
    ModalAnswerer answerer;
    answerer.Queue(TypeIntoAddDialog(QString()));
    answerer.Queue(ModalAnswerer::Accept());  // the message
    answerer.Queue(ModalAnswerer::Reject());  // the dialog, still open
    f.page.AddSet();
    QCOMPARE(Shown(answerer),
             (QStringList{"数値を入力してください。|", "確認|数値を入力してください。", "数値を入力してください。|"}));
    QCOMPARE(f.record.DataSets.Count(), std::size_t{0});
    for (const char* name : {"-3", "-3"}) {
      answerer.Queue(TypeIntoAddDialog(QString::fromLatin1(name)));
      f.page.AddSet();
    }
    QCOMPARE(f.record.DataSets.Count(), std::size_t{1});
    QCOMPARE(f.record.DataSets.At(0).Name, std::string("-3"));
    QCOMPARE(answerer.Seen().size(), 6);
    QCOMPARE(answerer.Seen()[5].text, QStringLiteral("同一の名前があります。"));
    QVERIFY(f.record.DataChanged && !f.record.Unchanged);
  }

  // Without a set the grid, Save, Delete and the list wait for one; a set
  // added goes last and is selected (the English entries:
  // SrnFormTest.okRefusalsThenTheResidualQuestion). Cancelled, a delete changes nothing;
  // done, it discards the optimisation results, and after the first of three
  // sets nothing is selected.
  void addingAndDeletingTheFirstOfThree() {
    PageFixture f;
    auto* save = f.page.findChild<QPushButton*>(QStringLiteral("saveButton"));
    auto* remove = f.page.findChild<QPushButton*>(QStringLiteral("deleteButton"));
    QVERIFY(f.page.Grid()->LooksGreyed() && !save->isEnabled() && !remove->isEnabled() &&
            !f.page.SetList()->isEnabled());
    QVERIFY(f.page.AddSetNamed(5));
    QVERIFY(!f.page.Grid()->LooksGreyed() && save->isEnabled() && remove->isEnabled());
    for (int name : {3, 1}) QVERIFY(f.page.AddSetNamed(name));
    QCOMPARE(ComboTexts(f.page.SetList()), (QStringList{"5%データ", "3%データ", "1%データ"}));
    QCOMPARE(f.page.SelectedIndex(), 2);
    f.page.SetList()->setCurrentIndex(0);
    f.page.Grid()->SetCellText(1, 1, QStringLiteral("2.0"));  // left over in the grid
    f.record.SrnCurves.Append(std::make_unique<CEq1Param>());
    f.record.ConstantCurves.Append(std::make_unique<CEq4Param>());
    f.record.Unchanged = true;
    {
      ModalAnswerer cancel(ModalAnswerer::ClickButtonWithText(QStringLiteral("キャンセル")));
      f.page.DeleteSet();
      QCOMPARE(std::pair(f.record.DataSets.Count(), f.record.SrnCurves.Count()),
               std::pair(std::size_t{3}, std::size_t{1}));
    }
    ModalAnswerer answerer;
    f.page.DeleteSet();
    QVERIFY(f.record.SrnCurves.IsEmpty() && f.record.ConstantCurves.IsEmpty() && !f.record.Unchanged);
    QCOMPARE(Shown(answerer), QStringList("確認|選択されているデータを削除します"));
    QCOMPARE(f.record.DataSets.Count(), std::size_t{2});
    QCOMPARE(f.record.DataSets.At(0).Name, std::string("3"));
    QCOMPARE(f.page.SelectedIndex(), -1);
    QCOMPARE(f.page.Grid()->CellText(1, 1), QString());
    // With no set selected, nothing may be typed into the grid.
    QVERIFY(f.page.Grid()->LooksGreyed());
    f.page.Grid()->SetActiveCell(1, 1);
    QCOMPARE(f.page.Grid()->PasteText(QStringLiteral("7\t0.3")), 0);
    f.page.SetList()->setCurrentIndex(1);
    QVERIFY(!f.page.Grid()->LooksGreyed());
    f.page.DeleteSet();  // the last one: the one before it is selected
    QCOMPARE(f.page.SelectedIndex(), 0);
  }

  // More rows than the grid has, as CSV lines: the grid grows, and every point reaches the set.
  // A paste longer than the grid grows it (the page allows growth) and every row reaches the set.
  void pastedRowsGrowTheGrid() {
    PageFixture f;
    f.page.AddSetNamed(5);
    QString text;
    for (int row = 1; row <= 150; ++row) text += QStringLiteral("%1,0.%2\r\n").arg(row).arg(row + 100);
    f.page.Grid()->SetActiveCell(1, 1);
    f.page.Grid()->PasteText(text);
    const CPointDataList& set = f.record.DataSets.At(0);
    QCOMPARE(set.PointCount(), std::size_t{150});
    QCOMPARE(set.Point(149), CDPoint(150, 0.25));
  }

  void pastedValuesAreClamped() {
    // column, pasted, shown
    const std::tuple<int, const char*, const char*> cases[] = {
        {1, "20000", "10000.0"}, {1, "0.0001", "0.001"}, {1, "abc", "0.001"}, {1, "250", "250"},
        {2, "-1", "0.0"},        {2, "150", "100.0"},    {2, "nan", "0.0"},   {2, "0.25", "0.25"}};
    for (const auto& [col, pasted, shown] : cases) {
      PageFixture f;
      f.page.AddSetNamed(5);
      CSpread7* grid = f.page.Grid();
      grid->SetCellText(1, col == 1 ? 2 : 1, QStringLiteral("1"));
      grid->SelectBlock({1, col, 1, col});
      QCOMPARE(grid->PasteText(QString::fromUtf8(pasted)), 1);
      QCOMPARE(grid->CellText(1, col), QString::fromUtf8(shown));
      QVERIFY(f.record.DataChanged);
      QCOMPARE(f.record.DataSets.At(0).PointCount(), std::size_t{1});
    }
  }

  // Apply takes the rows with two numbers; Delete empties a block without the clamping.
  void applyAndDeleteKeyWithoutClamping() {
    PageFixture f;
    f.page.AddSetNamed(5);
    CSpread7* grid = f.page.Grid();
    Fill(grid, {{"10", "0.3"}, {"20", "0.3"}, {"30", ""}, {"40", "x"}});
    f.record.Unchanged = true;
    f.page.findChild<QPushButton*>(QStringLiteral("applyButton"))->click();
    QCOMPARE(f.record.DataSets.At(0).Points(), (std::vector<CDPoint>{{10, 0.3}, {20, 0.3}}));
    QVERIFY(!f.record.Unchanged);
    f.record.DataChanged = false;
    grid->setFocus();
    grid->SelectBlock({1, 1, 1, 2});
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(grid->CellText(1, 1) + grid->CellText(1, 2), QString());
    QCOMPARE(f.record.DataSets.At(0).PointCount(), std::size_t{1});
    QVERIFY(f.record.DataChanged);
  }

  void saveFailureShowsTheMessage() {
    // Written as "21.0," a point without N would make the file unreadable.
    // The folder is missing, or N of point 2 (the incomplete point's texts in English:
    // SrnPagesTest.incompleteItemsAreNeverSent).
    const std::tuple<int, bool, QString> cases[] = {
        {kEnglish, false, "File Save Failed."},
        {kJapanese, true,
         "ファイルの書込みに失敗しました。\n5%データ 2行目の「繰返し載荷回数」に数値が入力されていません。"}};
    for (const auto& [language, missingN, text] : cases) {
      SetCurrentLanguage(language);
      PageFixture f;
      f.page.AddSetNamed(5);
      f.record.DataSets.At(0).AppendPoint(1, 0.3);
      f.record.DataSets.At(0).AppendPoint(missingN ? kNoValue : 21, 0.25);
      ModalAnswerer answerer;
      QVERIFY(!f.page.SaveDataFile(QString::fromStdString(f.folder.File(missingN ? "sets.txt" : "missing/sets.txt"))));
      QCOMPARE(Shown(answerer), QStringList((language == kJapanese ? "確認|" : "Caution|") + text));
      QVERIFY(f.page.LastDataFile().isEmpty());
      QVERIFY(!f.folder.Exists("sets.txt"));
    }
  }

  void loadReplacesTheSetsAndSelectsTheLast() {
    PageFixture f;
    f.page.AddSetNamed(7);
    f.record.SrnCurves.Append(std::make_unique<CEq1Param>());
    f.record.Unchanged = true;
    f.folder.WriteBytes("in.txt", "ExpData list\r\n2\r\n5\r\n2\r\n10 : 0.25\r\n20,,0.2\r\n3\r\n1\r\n1.5,0.4\r\n");
    const QString path = QString::fromStdString(f.folder.File("in.txt"));
    ModalAnswerer answerer;  // a refused load must fail here, not wait on its message
    QVERIFY(f.page.LoadDataFile(path));
    QVERIFY(answerer.Seen().isEmpty());
    QCOMPARE(f.page.LastDataFile(), path);
    QCOMPARE(f.record.DataSets.At(0).Points(), (std::vector<CDPoint>{{10, 0.25}, {20, 0.2}}));
    QCOMPARE(ComboTexts(f.page.SetList()), (QStringList{"5%データ", "3%データ"}));
    QCOMPARE(f.page.SelectedIndex(), 1);
    QCOMPARE(f.page.Grid()->CellText(1, 1) + "," + f.page.Grid()->CellText(1, 2), QStringLiteral("1.5,0.4"));
    QVERIFY(f.record.SrnCurves.IsEmpty() && !f.record.Unchanged && f.record.DataChanged);
  }

  // The message keeps its first line and says where and why on a second.
  void refusedLoadKeepsTheSets() {
    const std::tuple<int, std::string, QString> cases[] = {
        // no bytes: no such file; %1: the file
        {kJapanese, "Data\r\n1\r\n5\r\n0\r\n",
         "確認|ファイルの読込みに失敗しました。\n%1 1行目: 「ExpData」の見出しがありません。"},
        {kJapanese, "[ExpData]\r\n1\r\n5\r\n1\r\n10\r\n",
         "確認|ファイルの読込みに失敗しました。\n%1 5行目: 点には数値が2つ必要です。"},
        {kEnglish, "[ExpData]\r\n4\r\n5\r\n0\r\n", "Caution|File Load Failed.\n%1 line 5: the file ends before set 2."},
        {kEnglish, "", "Caution|File Load Failed.\n%1: the file cannot be opened."}};
    for (const auto& [language, bytes, message] : cases) {
      SetCurrentLanguage(language);
      PageFixture f;
      f.page.AddSetNamed(7);
      if (!bytes.empty()) f.folder.WriteBytes("in.txt", bytes);
      ModalAnswerer answerer;
      const QString path = QString::fromStdString(f.folder.File("in.txt"));
      QVERIFY(!f.page.LoadDataFile(path));
      QCOMPARE(Shown(answerer), QStringList(message.arg(path)));
      QCOMPARE(std::pair(f.record.DataSets.Count(), f.record.DataSets.At(0).Name),
               std::pair(std::size_t{1}, std::string("7")));
      QVERIFY(f.page.LastDataFile().isEmpty());
    }
  }

  void copyTextLayout() {
    PageFixture f;
    f.page.AddSetNamed(5);
    Fill(f.page.Grid(), {{"1", "0.3"}, {"10.1234567", "0.25"}});
    f.page.ApplyGrid();
    f.page.AddSetNamed(3);
    QCOMPARE(f.page.CopyText(),
             QStringLiteral("5%\t\t3%\t\t\n"
                            "繰返し載荷回数\t繰返しせん断応力振幅比\t繰返し載荷回数\t繰返しせん断応力振幅比\t\n"
                            "1.0\t0.3\t\t\t\n"
                            "10.123457\t0.25\t\t\t\n"));
  }
};

int RunSrnInputPageTests(int argc, char** argv) {
  SrnInputPageTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "SrnInputPageTest.moc"
