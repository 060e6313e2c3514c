#include "srn/SrnInputDataDlg.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/Clipboard.h"
#include "controls/CommonDialogs.h"
#include "controls/ExpButton.h"
#include "controls/ExpStatic.h"
#include "controls/GridAccess.h"
#include "controls/MessageBoxes.h"
#include "controls/UiText.h"
#include "graph/GraphArea.h"
#include "graph/ReferenceDialogs.h"
#include "host/Language.h"
#include "platform/Spread7.h"
#include "srn/AddDataDlg.h"
#include "srn/ExpDataFile.h"
#include "srn/SrnFormRecord.h"
#include "srn/SrnGraphSeries.h"

namespace quorvel {
namespace {

constexpr int kMinimumGridRows = 100;

std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QPixmap ExplanationIcon() {
  // A small axes-and-curve picture for the "explanation of the graph" button.
  QPixmap pixmap(20, 20);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(60, 60, 60), 1.2));
  painter.drawLine(3, 2, 3, 17);
  painter.drawLine(3, 17, 18, 17);
  painter.setPen(QPen(QColor(0, 90, 200), 1.6));
  QPainterPath path(QPointF(4, 4));
  path.cubicTo(QPointF(7, 12), QPointF(11, 14), QPointF(18, 14.5));
  painter.drawPath(path);
  painter.setBrush(QColor(200, 40, 40));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPointF(7, 9), 1.6, 1.6);
  painter.drawEllipse(QPointF(12, 12.5), 1.6, 1.6);
  return pixmap;
}

}  // namespace

QString IncompletePointText(const DataSetList& sets, const IncompletePoint& point) {
  const bool japanese = IsJapanese();
  // The grid's column title on one line.
  const QString column = UiText(point.Column == 1 ? 10026 : 10027).replace(QLatin1Char('\n'), japanese ? "" : " ");
  return UiText("%1%データ %2行目の「%3」に数値が入力されていません。", "%1% Data, row %2: no number in \"%3\".")
      .arg(ToQt(sets.At(point.Set).Name), QString::number(point.Row), column);
}

CSrnInputDataDlg::CSrnInputDataDlg(SrnFormRecord& record, QWidget* parent, QString programFolder)
    : SrnPage(record, parent), programFolder_(std::move(programFolder)) {
  setObjectName(QStringLiteral("inputDataPage"));

  title_ = new CExpStatic(UiText(10011) + QStringLiteral("  ") + UiText(10020), this);  // 1031
  NameControl(title_, "pageTitle", title_->text());
  title_->SetTextColor(QColor(0, 0, 160));
  QFont titleFont = title_->font();
  titleFont.setBold(true);
  title_->setFont(titleFont);

  explainButton_ = new CExpButton(this);  // 1047
  NameControl(explainButton_, "graphExplanationButton", UiText(10125));
  explainButton_->SetStyle(CExpButton::kBitmap);
  explainButton_->SetBitmaps(ExplanationIcon(), ExplanationIcon());
  explainButton_->setFixedSize(26, 24);
  explainButton_->setToolTip(UiText(10125));

  graph_ = new GraphArea(this);  // 1017
  NameControl(graph_, "srnGraph", title_->text());
  graph_->setMinimumHeight(260);

  auto* fileGroup = new QGroupBox(UiText(10008), this);  // 1043
  NameControl(fileGroup, "fileGroup", fileGroup->title());
  auto* fileLabel = new QLabel(UiText(10055), fileGroup);   // 1044
  loadButton_ = new QPushButton(UiText(10021), fileGroup);  // 1007
  NameControl(loadButton_, "loadButton", loadButton_->text());
  saveButton_ = new QPushButton(UiText(10022), fileGroup);  // 1008
  NameControl(saveButton_, "saveButton", saveButton_->text());
  auto* fileLayout = new QGridLayout(fileGroup);
  fileLayout->addWidget(fileLabel, 0, 0, 1, 2);
  fileLayout->addWidget(loadButton_, 1, 0);
  fileLayout->addWidget(saveButton_, 1, 1);

  setList_ = new QComboBox(this);  // 1009
  NameControl(setList_, "setList", UiText(10055));
  setList_->setMinimumContentsLength(10);
  addButton_ = new QPushButton(UiText(10023), this);  // 1005
  NameControl(addButton_, "addButton", addButton_->text());
  deleteButton_ = new QPushButton(UiText(10024), this);  // 1006
  NameControl(deleteButton_, "deleteButton", deleteButton_->text());
  applyButton_ = new QPushButton(UiText("データ反映", "データ反映"), this);  // 1010
  NameControl(applyButton_, "applyButton", applyButton_->text());
  copyButton_ = new QPushButton(QStringLiteral("CP"), this);  // 1040
  NameControl(copyButton_, "copyButton", UiText(10124));
  copyButton_->setToolTip(UiText(10124));
  copyButton_->setFixedWidth(40);

  grid_ = new CSpread7(kMinimumGridRows, 2, this);  // 1003
  NameControl(grid_, "pointGrid", UiText(10026) + QStringLiteral(" / ") + UiText(10027).remove(QLatin1Char('\n')));
  grid_->SetColumnTitles({UiText(10026), UiText(10027)});
  grid_->SetColWidth(1, 130);
  grid_->SetColWidth(2, 130);
  AllowPasteGrowth(*grid_);

  // Layout: title and explanation button, the graph, then the set controls
  // beside the point grid.
  auto* titleRow = new QHBoxLayout;
  titleRow->addWidget(title_, 1);
  titleRow->addWidget(explainButton_);

  auto* setRow = new QHBoxLayout;
  setRow->addWidget(addButton_);
  setRow->addWidget(deleteButton_);
  auto* controls = new QVBoxLayout;
  controls->addWidget(fileGroup);
  controls->addSpacing(6);
  controls->addWidget(setList_);
  controls->addLayout(setRow);
  controls->addWidget(applyButton_);
  auto* copyRow = new QHBoxLayout;
  copyRow->addWidget(copyButton_);
  copyRow->addStretch(1);
  controls->addLayout(copyRow);
  controls->addStretch(1);

  auto* lower = new QHBoxLayout;
  lower->addLayout(controls);
  lower->addWidget(grid_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(titleRow);
  layout->addWidget(graph_, 5);
  layout->addLayout(lower, 3);

  connect(addButton_, &QPushButton::clicked, this, &CSrnInputDataDlg::AddSet);
  connect(deleteButton_, &QPushButton::clicked, this, &CSrnInputDataDlg::DeleteSet);
  connect(loadButton_, &QPushButton::clicked, this, &CSrnInputDataDlg::Load);
  connect(saveButton_, &QPushButton::clicked, this, &CSrnInputDataDlg::Save);
  connect(applyButton_, &QPushButton::clicked, this, [this] {
    ApplyGrid();
    RebuildGraphSeries();
  });
  connect(copyButton_, &QPushButton::clicked, this, &CSrnInputDataDlg::Copy);
  connect(explainButton_, &QPushButton::clicked, this, &CSrnInputDataDlg::ShowGraphExplanation);
  connect(setList_, qOverload<int>(&QComboBox::currentIndexChanged), this, &CSrnInputDataDlg::OnSetChosen);
  connect(grid_, &CSpread7::CellChanged, this, &CSrnInputDataDlg::OnCellChanged);
  connect(grid_, &CSpread7::KeyDown, this, &CSrnInputDataDlg::OnGridKey);

  UpdateEnabledState();
}

CSrnInputDataDlg::~CSrnInputDataDlg() {
  // An open cell editor commits while the grid is being destroyed; by then
  // this page is no longer there to take the change.
  disconnect(grid_, nullptr, this, nullptr);
}

void CSrnInputDataDlg::Activate() { ShowSelectedSet(); }

void CSrnInputDataDlg::RedrawGraph() { RebuildGraphSeries(); }

int CSrnInputDataDlg::SelectedIndex() const {
  const int index = setList_->currentIndex();
  return index >= 0 && static_cast<std::size_t>(index) < Record().DataSets.Count() ? index : -1;
}

void CSrnInputDataDlg::RefillSetList() {
  filling_ = true;
  setList_->clear();
  const QString suffix = UiText("%データ", "% Data");
  const DataSetList& sets = Record().DataSets;
  for (std::size_t k = 0; k < sets.Count(); ++k) setList_->addItem(ToQt(sets.At(k).Name) + suffix);
  setList_->setCurrentIndex(-1);
  filling_ = false;
}

void CSrnInputDataDlg::ShowSelectedSet() {
  const DataSetList& sets = Record().DataSets;
  if (setList_->count() == 0 && !sets.IsEmpty()) {
    RefillSetList();
    filling_ = true;
    setList_->setCurrentIndex(0);
    filling_ = false;
  }
  grid_->ClearBlockText(grid_->AllCells());
  const int index = SelectedIndex();
  if (index >= 0) {
    const CPointDataList& set = sets.At(static_cast<std::size_t>(index));
    const int needed = static_cast<int>(set.PointCount()) + 20;
    if (grid_->MaxRows() < needed) grid_->SetMaxRows(needed);
    int row = 1;
    for (const CDPoint& point : set.Points()) {
      grid_->SetCellText(row, 1, ToQt(FormatPointNumber(point.x)));
      grid_->SetCellText(row, 2, ToQt(FormatPointNumber(point.y)));
      ++row;
    }
  }
  RebuildGraphSeries();
  UpdateEnabledState();
}

void CSrnInputDataDlg::OnSetChosen(int) {
  if (!filling_) ShowSelectedSet();
}

void CSrnInputDataDlg::AddSet() {
  CAddDataDlg dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  AddSetNamed(dialog.Value());
}

bool CSrnInputDataDlg::AddSetNamed(int value) {
  SrnFormRecord& record = Record();
  const std::string name = std::to_string(value);
  bool duplicate = false;
  for (std::size_t k = 0; k < record.DataSets.Count(); ++k) {
    if (record.DataSets.At(k).Name == name) duplicate = true;
  }
  if (duplicate) {
    // This message exists only in Japanese.
    ShowWarning(this, QStringLiteral("同一の名前があります。"));
  } else {
    record.DataSets.Append(CPointDataList(name));
    RefillSetList();
    filling_ = true;
    setList_->setCurrentIndex(setList_->count() - 1);
    filling_ = false;
    ShowSelectedSet();
    record.Unchanged = false;
  }
  UpdateEnabledState();
  record.DataChanged = true;
  return !duplicate;
}

void CSrnInputDataDlg::DeleteSet() {
  SrnFormRecord& record = Record();
  const int index = SelectedIndex();
  if (record.DataSets.IsEmpty() || index < 0) return;
  if (AskOkCancel(this, UiText("選択されているデータを削除します", "The data chosen is deleted. ")) != kIdOk) return;
  DiscardOptimisationResults();
  record.DataSets.RemoveAt(static_cast<std::size_t>(index));
  RefillSetList();
  filling_ = true;
  setList_->setCurrentIndex(index - 1);  // none after deleting the first
  filling_ = false;
  ShowSelectedSet();
  UpdateEnabledState();
  record.DataChanged = true;
}

void CSrnInputDataDlg::DiscardOptimisationResults() {
  SrnFormRecord& record = Record();
  record.Unchanged = false;
  record.SrnCurves.Clear();
  record.ConstantCurves.Clear();
  curveSeries_.clear();
  record.DataChanged = true;
}

void CSrnInputDataDlg::ApplyGrid() {
  const int index = SelectedIndex();
  if (index < 0) return;
  CPointDataList& set = Record().DataSets.At(static_cast<std::size_t>(index));
  set.ClearPoints();
  for (int row = 1; row <= grid_->MaxRows(); ++row) {
    const double x = ParseDoubleRounded(-1, ToStd(grid_->CellText(row, 1)));
    const double y = ParseDoubleRounded(-1, ToStd(grid_->CellText(row, 2)));
    if (IsNoValue(x) || IsNoValue(y)) continue;
    set.AppendPoint(x, y);
  }
  Record().Unchanged = false;
}

void CSrnInputDataDlg::AfterGridEdit() {
  ApplyGrid();
  RebuildGraphSeries();
  Record().DataChanged = true;
}

void CSrnInputDataDlg::OnCellChanged(int row, int col) {
  const QString text = grid_->CellText(row, col);
  const double value = ParseDoubleRounded(6, ToStd(text));
  // An emptied or non-numeric cell reads as the no-value marker, which is
  // below every lower limit.
  double clamped = value;
  if (col == 1) {
    if (IsNoValue(value) || value < 0.001)
      clamped = 0.001;
    else if (value > 10000.0)
      clamped = 10000.0;
  } else if (col == 2) {
    if (IsNoValue(value) || value < 0.0)
      clamped = 0.0;
    else if (value > 100.0)
      clamped = 100.0;
  }
  if (clamped != value) grid_->SetCellText(row, col, ToQt(FormatPointNumber(clamped)));
  AfterGridEdit();
}

void CSrnInputDataDlg::OnGridKey(int key, Qt::KeyboardModifiers modifiers) {
  if (key != Qt::Key_Delete || (modifiers & ~Qt::KeypadModifier) != Qt::NoModifier) return;
  if (grid_->IsEditing() || grid_->LooksGreyed()) return;
  // Cleared quietly: the emptied cells are not clamped back to their limits.
  grid_->ClearBlockText(grid_->SelectedBlock());
  AfterGridEdit();
}

void CSrnInputDataDlg::UpdateEnabledState() {
  const bool hasSets = setList_->count() > 0;
  // What is typed with no set selected would belong to no set.
  const bool editable = hasSets && SelectedIndex() >= 0;
  grid_->setEnabled(editable);
  grid_->SetGreyedOut(!editable);
  saveButton_->setEnabled(hasSets);
  setList_->setEnabled(hasSets);
  deleteButton_->setEnabled(hasSets);
}

void CSrnInputDataDlg::RebuildGraphSeries() {
  SrnFormRecord& record = Record();
  AdjustSrnRanges(record.DataSets);
  curveSeries_ = SrnPageCurveSeries(record, IsJapanese());
  std::vector<const CPointDataList*> curves;
  for (const CPointDataList& series : curveSeries_) curves.push_back(&series);
  graph_->Drawer().SetSeries(std::move(curves), &record.DataSets, &record.Colours, kGraphSrn);
  graph_->Redraw();
}

QString CSrnInputDataDlg::FileFilter() const {
  return UiText("テキスト文書 (*.txt);;All Files (*)", "text file (*.txt);;All Files (*)");
}

QString CSrnInputDataDlg::StartFolder() const {
  if (!lastDataFile_.isEmpty()) return QFileInfo(lastDataFile_).absolutePath();
  return programFolder_;
}

void CSrnInputDataDlg::Load() {
  const QString path = GetOpenFileName(this, FileFilter(), StartFolder());
  if (path.isEmpty()) return;
  LoadDataFile(path);
}

bool CSrnInputDataDlg::LoadDataFile(const QString& path) {
  std::vector<CPointDataList> sets;
  ExpDataProblem problem;
  if (!ReadExpDataFile(NativePath(path), sets, &problem)) {
    // "File Load Failed." and, on a second line, where and why.
    const bool japanese = IsJapanese();
    QString where = QDir::toNativeSeparators(path);
    if (problem.Line > 0)
      where += (japanese ? QStringLiteral(" %1行目") : QStringLiteral(" line %1")).arg(problem.Line);
    ShowWarning(this, UiText(10107) + QLatin1Char('\n') + where + QStringLiteral(": ") +
                          ToQt(japanese ? problem.Japanese : problem.English));
    return false;
  }
  lastDataFile_ = path;
  DiscardOptimisationResults();
  DataSetList& target = Record().DataSets;
  target.Clear();
  for (CPointDataList& set : sets) target.Append(std::move(set));
  RefillSetList();
  filling_ = true;
  setList_->setCurrentIndex(setList_->count() - 1);
  filling_ = false;
  ShowSelectedSet();
  return true;
}

void CSrnInputDataDlg::Save() {
  const QString path = GetSaveFileName(this, FileFilter(), StartFolder(), QStringLiteral("txt"));
  if (path.isEmpty()) return;
  SaveDataFile(path);
}

bool CSrnInputDataDlg::SaveDataFile(const QString& path) {
  const QString failed = UiText("ファイルの書込みに失敗しました。", "File Save Failed.");
  if (const auto incomplete = FindIncompletePoint(Record().DataSets)) {
    ShowWarning(this, failed + QLatin1Char('\n') + IncompletePointText(Record().DataSets, *incomplete));
    return false;
  }
  if (!WriteExpDataFile(NativePath(path), Record().DataSets)) {
    ShowWarning(this, failed);
    return false;
  }
  lastDataFile_ = path;
  return true;
}

QString CSrnInputDataDlg::CopyText() const {
  const DataSetList& sets = Record().DataSets;
  QString title1 = UiText(10026);
  QString title2 = UiText(10027);
  title1.remove(QLatin1Char('\n'));
  title2.remove(QLatin1Char('\n'));
  QString text;
  std::size_t rows = 0;
  for (std::size_t k = 0; k < sets.Count(); ++k) {
    text += ToQt(sets.At(k).Name) + QStringLiteral("%\t\t");
    rows = std::max(rows, sets.At(k).PointCount());
  }
  text += QLatin1Char('\n');
  for (std::size_t k = 0; k < sets.Count(); ++k) text += title1 + QLatin1Char('\t') + title2 + QLatin1Char('\t');
  text += QLatin1Char('\n');
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t k = 0; k < sets.Count(); ++k) {
      const CPointDataList& set = sets.At(k);
      if (r < set.PointCount()) {
        text += ToQt(FormatCopyNumber(set.Point(r).x)) + QLatin1Char('\t') + ToQt(FormatCopyNumber(set.Point(r).y)) +
                QLatin1Char('\t');
      } else {
        text += QStringLiteral("\t\t");
      }
    }
    text += QLatin1Char('\n');
  }
  return text;
}

void CSrnInputDataDlg::Copy() {
  if (Record().DataSets.IsEmpty() || SelectedIndex() < 0) return;
  CopyTextToClipboard(CopyText(), this);
}

void CSrnInputDataDlg::ShowGraphExplanation() {
  CRefGraphDlg dialog(this);
  dialog.exec();
}

}  // namespace quorvel
