#include "srn/SrnInputDataDlg.h"

#include <QComboBox>
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
#include <cmath>

#include "controls/Clipboard.h"
#include "controls/CommonDialogs.h"
#include "controls/ExpButton.h"
#include "controls/ExpStatic.h"
#include "controls/MessageBoxes.h"
#include "graph/GraphArea.h"
#include "graph/ReferenceDialogs.h"
#include "host/Language.h"
#include "host/StringTable.h"
#include "platform/Spread7.h"
#include "srn/AddDataDlg.h"
#include "srn/ExpDataFile.h"
#include "srn/SrnFormRecord.h"

namespace quorvel {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }
QString FromStd(const std::string& text) { return QString::fromStdString(text); }

constexpr int kMinimumGridRows = 100;
// Curves are sampled at N = min, min + 1, ...; beyond this many samples (huge
// N ranges from a loaded file) they are sampled evenly on the log axis instead,
// which looks the same and keeps drawing fast.
constexpr std::size_t kMaxCurveSamples = 100000;

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

CSrnInputDataDlg::CSrnInputDataDlg(SrnFormRecord& record, QWidget* parent, QString programFolder)
    : SrnPage(record, parent), programFolder_(std::move(programFolder)) {
  setObjectName(QStringLiteral("inputDataPage"));

  title_ = new CExpStatic(Text(10011) + QStringLiteral("  ") + Text(10020), this);  // 1031
  title_->setObjectName(QStringLiteral("pageTitle"));
  title_->SetTextColor(QColor(0, 0, 160));
  QFont titleFont = title_->font();
  titleFont.setBold(true);
  title_->setFont(titleFont);

  explainButton_ = new CExpButton(this);  // 1047
  explainButton_->setObjectName(QStringLiteral("graphExplanationButton"));
  explainButton_->SetStyle(CExpButton::kBitmap);
  explainButton_->SetBitmaps(ExplanationIcon(), ExplanationIcon());
  explainButton_->setFixedSize(26, 24);
  explainButton_->setToolTip(Text(10125));
  explainButton_->setAccessibleName(Text(10125));

  graph_ = new GraphArea(this);  // 1017
  graph_->setObjectName(QStringLiteral("srnGraph"));
  graph_->setMinimumHeight(260);

  auto* fileGroup = new QGroupBox(Text(10008), this);  // 1043
  fileGroup->setObjectName(QStringLiteral("fileGroup"));
  auto* fileLabel = new QLabel(Text(10055), fileGroup);   // 1044
  loadButton_ = new QPushButton(Text(10021), fileGroup);  // 1007
  loadButton_->setObjectName(QStringLiteral("loadButton"));
  saveButton_ = new QPushButton(Text(10022), fileGroup);  // 1008
  saveButton_->setObjectName(QStringLiteral("saveButton"));
  auto* fileLayout = new QGridLayout(fileGroup);
  fileLayout->addWidget(fileLabel, 0, 0, 1, 2);
  fileLayout->addWidget(loadButton_, 1, 0);
  fileLayout->addWidget(saveButton_, 1, 1);

  setList_ = new QComboBox(this);  // 1009
  setList_->setObjectName(QStringLiteral("setList"));
  setList_->setMinimumContentsLength(10);
  addButton_ = new QPushButton(Text(10023), this);  // 1005
  addButton_->setObjectName(QStringLiteral("addButton"));
  deleteButton_ = new QPushButton(Text(10024), this);  // 1006
  deleteButton_->setObjectName(QStringLiteral("deleteButton"));
  applyButton_ = new QPushButton(Tr("データ反映", "データ反映"), this);  // 1010
  applyButton_->setObjectName(QStringLiteral("applyButton"));
  copyButton_ = new QPushButton(QStringLiteral("CP"), this);  // 1040
  copyButton_->setObjectName(QStringLiteral("copyButton"));
  copyButton_->setToolTip(Text(10124));
  copyButton_->setFixedWidth(40);

  grid_ = new CSpread7(kMinimumGridRows, 2, this);  // 1003
  grid_->setObjectName(QStringLiteral("pointGrid"));
  grid_->SetColumnTitles({Text(10026), Text(10027)});
  grid_->SetColWidth(1, 130);
  grid_->SetColWidth(2, 130);
  grid_->setAccessibleName(Text(10026) + QStringLiteral(" / ") + Text(10027).replace(QLatin1Char('\n'), QString()));

  for (QPushButton* button : {loadButton_, saveButton_, addButton_, deleteButton_, applyButton_, copyButton_}) {
    button->setAccessibleName(button->text());
  }
  setList_->setAccessibleName(Text(10055));

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
  const QString suffix = Tr("%データ", "% Data");
  const DataSetList& sets = Record().DataSets;
  for (std::size_t k = 0; k < sets.Count(); ++k) setList_->addItem(FromStd(sets.At(k).Name) + suffix);
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
      grid_->SetCellText(row, 1, FromStd(FormatPointNumber(point.x)));
      grid_->SetCellText(row, 2, FromStd(FormatPointNumber(point.y)));
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
  if (AskOkCancel(this, Tr("選択されているデータを削除します", "The data chosen is deleted. ")) != kIdOk) return;
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
    const double x = ParseDoubleRounded(-1, grid_->CellText(row, 1).toStdString());
    const double y = ParseDoubleRounded(-1, grid_->CellText(row, 2).toStdString());
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
  const double value = ParseDoubleRounded(6, text.toStdString());
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
  if (clamped != value) grid_->SetCellText(row, col, FromStd(FormatPointNumber(clamped)));
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
  grid_->setEnabled(hasSets);
  grid_->SetGreyedOut(!hasSets);
  saveButton_->setEnabled(hasSets);
  setList_->setEnabled(hasSets);
  deleteButton_->setEnabled(hasSets);
}

void CSrnInputDataDlg::RebuildGraphSeries() {
  SrnFormRecord& record = Record();
  DataSetList& sets = record.DataSets;

  if (sets.AutomaticAdjustment) {
    bool any = false;
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    for (std::size_t k = 0; k < sets.Count(); ++k) {
      for (const CDPoint& p : sets.At(k).Points()) {
        if (IsNoValue(p.x) || IsNoValue(p.y) || !std::isfinite(p.x) || !std::isfinite(p.y)) continue;
        if (!any) {
          xMin = xMax = p.x;
          yMin = yMax = p.y;
          any = true;
        }
        xMin = std::min(xMin, p.x);
        xMax = std::max(xMax, p.x);
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
      }
    }
    if (any) {
      sets.XMinimum = xMin;
      // The next power of ten above the largest N (500 -> 1000, 1000 -> 10000).
      const double decade = xMax > 0 ? std::floor(std::log10(xMax)) : 0.0;
      sets.XMaximum = std::pow(10.0, decade + 1.0);
      sets.YMinimum = yMin;
      sets.YMaximum = yMax;
      sets.SnapYRange();
    }
  }

  curveSeries_.clear();
  for (std::size_t k = 0; k < record.SrnCurves.Count(); ++k) {
    const CEqBase& curve = record.SrnCurves.At(k);
    // The host sends all-zero parameters for a set it never fitted: that is
    // no curve, and a legend entry for it would name a line that is not there.
    if (std::all_of(curve.Params.begin(), curve.Params.end(), [](double p) { return p == 0.0; })) continue;
    auto series = std::make_unique<CPointDataList>(IsJapanese() ? curve.Name + "%近似曲線"
                                                                : "fitting curve of the " + curve.Name + "%");
    series->HasLegend = true;
    series->Colour = record.Colours.Entry(k < 60 ? static_cast<int>(k % 10) + 1 : 1);
    const double first = sets.XMinimum;
    const double last = sets.XMaximum + 1.0;
    if (std::isfinite(first) && std::isfinite(last) && last >= first) {
      const double span = std::floor(last - first);
      if (span < static_cast<double>(kMaxCurveSamples)) {
        for (double x = first; x <= last; x += 1.0) series->AppendPoint(x, curve.Evaluate(x));
      } else {
        const double low = std::log10(std::max(first, 1e-3));
        const double high = std::log10(last);
        for (std::size_t i = 0; i < kMaxCurveSamples; ++i) {
          const double x = std::pow(10.0, low + (high - low) * static_cast<double>(i) / (kMaxCurveSamples - 1));
          series->AppendPoint(x, curve.Evaluate(x));
        }
      }
    }
    curveSeries_.push_back(std::move(series));
  }

  std::vector<const CPointDataList*> curves;
  curves.reserve(curveSeries_.size());
  for (const auto& series : curveSeries_) curves.push_back(series.get());
  graph_->Drawer().SetSeries(std::move(curves), &sets, &record.Colours, kGraphSrn);
  graph_->Redraw();
}

QString CSrnInputDataDlg::FileFilter() const {
  return Tr("テキスト文書 (*.txt);;All Files (*)", "text file (*.txt);;All Files (*)");
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
  if (!ReadExpDataFile(NativePath(path), sets)) {
    ShowWarning(this, Text(10107));
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
  if (!WriteExpDataFile(NativePath(path), Record().DataSets)) {
    ShowWarning(this, Tr("ファイルの書込みに失敗しました。", "File Save Failed."));
    return false;
  }
  lastDataFile_ = path;
  return true;
}

QString CSrnInputDataDlg::CopyText() const {
  const DataSetList& sets = Record().DataSets;
  QString title1 = Text(10026);
  QString title2 = Text(10027);
  title1.remove(QLatin1Char('\n'));
  title2.remove(QLatin1Char('\n'));
  QString text;
  std::size_t rows = 0;
  for (std::size_t k = 0; k < sets.Count(); ++k) {
    text += FromStd(sets.At(k).Name) + QStringLiteral("%\t\t");
    rows = std::max(rows, sets.At(k).PointCount());
  }
  text += QLatin1Char('\n');
  for (std::size_t k = 0; k < sets.Count(); ++k) text += title1 + QLatin1Char('\t') + title2 + QLatin1Char('\t');
  text += QLatin1Char('\n');
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t k = 0; k < sets.Count(); ++k) {
      const CPointDataList& set = sets.At(k);
      if (r < set.PointCount()) {
        text += FromStd(FormatCopyNumber(set.Point(r).x)) + QLatin1Char('\t') +
                FromStd(FormatCopyNumber(set.Point(r).y)) + QLatin1Char('\t');
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
