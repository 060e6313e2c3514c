#include "srn/SrnOptimizeDlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <chrono>
#include <utility>

#include "controls/ExpEdit.h"
#include "graph/GraphArea.h"
#include "host/EngineCaller.h"
#include "host/Language.h"
#include "host/StringTable.h"
#include "platform/Spread7.h"
#include "srn/OptimizeGraphSeries.h"
#include "srn/RepaintThrottle.h"
#include "srn/RetryControls.h"
#include "srn/SrnFormRecord.h"

namespace quorvel {
namespace {

QString S(int id, int language) { return QString::fromStdString(LoadString(id, language)); }
QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string Std(const QString& text) { return text.toStdString(); }

void Name(QWidget* widget, const char* objectName, const QString& accessible) {
  widget->setObjectName(QString::fromLatin1(objectName));
  widget->setAccessibleName(accessible);
}

// Progress paints during a run are at least this far apart.
constexpr std::chrono::milliseconds kRunPaintInterval{100};

const QColor kResidualAbove(255, 0, 0);
const QColor kResidualWithin(0, 0, 0);

}  // namespace

CSrnOptimizeDlg::CSrnOptimizeDlg(SrnFormRecord& record, QWidget* parent)
    : SrnPage(record, parent), language_(CurrentLanguage()) {
  BuildWindow();
  // The retry box starts checked; the records then say what the host kept.
  // Checked before the signals are connected, so building the page is no edit.
  randomRetry_->setChecked(true);
  ConnectSignals();
  FillFromData();
}

CSrnOptimizeDlg::~CSrnOptimizeDlg() = default;

void CSrnOptimizeDlg::BuildWindow() {
  const bool japanese = language_ == kJapanese;
  // English words need the space the Japanese title does without.
  title_ = new QLabel(S(10011, language_) + (japanese ? "" : " ") + S(10032, language_), this);
  Name(title_, "titleLabel", title_->text());
  QFont titleFont = title_->font();
  titleFont.setBold(true);
  title_->setFont(titleFont);

  graph_ = new GraphArea(this);
  Name(graph_, "graphArea", title_->text());
  graph_->setMinimumSize(560, 230);

  auto* initialCaption = new QLabel(S(10030, language_), this);
  initialGrid_ = new CSpread7(0, SrnOptimizeSheet::kInitialColumns, this);  // 1011
  Name(initialGrid_, "initialGrid", S(10030, language_));
  const char* parameters[3] = {"a", "b", "c"};
  for (int p = 0; p < 3; ++p)
    for (int j = 0; j < 3; ++j)
      initialGrid_->SetColumnTitle(p * 3 + j + 1, QString::fromLatin1(parameters[p]) + "\n" + S(10047 + j, language_));

  auto* resultCaption = new QLabel(S(10031, language_), this);
  resultGrid_ = new CSpread7(0, SrnOptimizeSheet::kCheckColumn, this);  // 1012
  Name(resultGrid_, "resultGrid", S(10031, language_));
  resultGrid_->SetColumnTitles(
      {"a", "b", "c", S(10004, language_), QString::fromUtf8(japanese ? "Drevia利用" : "Use for Drevia")});
  for (CSpread7* grid : {initialGrid_, resultGrid_}) {
    grid->verticalHeader()->setMinimumWidth(56);
    grid->setMinimumHeight(110);
  }
  for (int c = 1; c <= 9; ++c) initialGrid_->SetColWidth(c, 66);
  for (int c = 1; c <= 3; ++c) resultGrid_->SetColWidth(c, 96);
  resultGrid_->SetColWidth(4, 110);
  resultGrid_->SetColWidth(5, 110);

  const RetryControls retry = MakeRetryControls(this, language_);
  randomRetry_ = retry.randomRetry;
  maxTrialsLabel_ = retry.maxTrialsLabel;
  maxTrials_ = retry.maxTrials;
  // Above 100 the field refuses; below 1 the page corrects to 1.
  maxTrials_->SetUpInteger(kNoIntegerLimit, kSrnMaximumTrials);
  tolerance_ = retry.tolerance;  // 1079
  start_ = retry.start;

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(title_);
  layout->addWidget(graph_, 3);
  layout->addWidget(initialCaption);
  layout->addWidget(initialGrid_, 1);
  layout->addWidget(resultCaption);
  layout->addWidget(resultGrid_, 1);
  layout->addLayout(retry.layout);
}

void CSrnOptimizeDlg::ConnectSignals() {
  connect(initialGrid_, &CSpread7::CellChanged, this, &CSrnOptimizeDlg::OnInitialCellChanged);
  connect(resultGrid_, &CSpread7::CellChanged, this, &CSrnOptimizeDlg::OnResultCellChanged);
  connect(initialGrid_, &CSpread7::KeyDown, this, [this](int key, Qt::KeyboardModifiers) {
    // The grid empties the block itself (each cell through OnInitialCellChanged).
    if (key == Qt::Key_Delete) Record().Unchanged = false;
  });
  connect(randomRetry_, &QCheckBox::toggled, this, [this] {
    if (filling_) return;
    Record().Unchanged = false;
    UpdateEnabledState();
  });
  // The fields count as changed only after the user typed into them.
  connect(maxTrials_, &QLineEdit::textEdited, this, [this] { maxTrialsTyped_ = true; });
  connect(tolerance_, &QLineEdit::textEdited, this, [this] { toleranceTyped_ = true; });
  connect(maxTrials_, &CExpEdit::Committed, this, [this] {
    if (std::exchange(maxTrialsTyped_, false)) OnMaxTrialsCommitted();
  });
  connect(tolerance_, &CExpEdit::Committed, this, [this] {
    if (std::exchange(toleranceTyped_, false)) OnToleranceCommitted();
  });
  connect(start_, &QPushButton::clicked, this, &CSrnOptimizeDlg::Start);
  connect(graph_, &GraphArea::AboutToDraw, this, [this] {
    if (AdjustSrnRanges(Record().DataSets)) RebuildGraphSeries();
  });
}

void CSrnOptimizeDlg::Activate() {
  FillFromData();
  RedrawGraph();
}

void CSrnOptimizeDlg::RefreshFromData() {
  DiscardResults();
  FillFromData();
}

bool CSrnOptimizeDlg::HasOwnResults() const { return resultGrid_->MaxRows() > 0; }

void CSrnOptimizeDlg::RedrawGraph() {
  AdjustSrnRanges(Record().DataSets);
  RebuildGraphSeries();
  graph_->update();
}

void CSrnOptimizeDlg::RebuildGraphSeries() {
  const DataSetList& sets = Record().DataSets;
  curveSeries_ = FittedSrnCurveSeries(Record().SrnCurves, Record().Colours, sets.XMinimum, sets.XMaximum + 1.0,
                                      language_ == kJapanese);
  std::vector<const CPointDataList*> curves;
  for (const CPointDataList& series : curveSeries_) curves.push_back(&series);
  graph_->Drawer().SetSeries(std::move(curves), &sets, &Record().Colours, kGraphSrn);
}

SrnOptimizeSheet CSrnOptimizeDlg::ReadSheet() const {
  SrnOptimizeSheet sheet;
  for (int row = 1; row <= initialGrid_->MaxRows(); ++row) {
    SrnInitialRow line;
    line.Label = Std(initialGrid_->RowTitle(row));
    for (int col = 1; col <= SrnOptimizeSheet::kInitialColumns; ++col)
      line.Cells[static_cast<std::size_t>(col - 1)] = Std(initialGrid_->CellText(row, col));
    sheet.Initial.push_back(std::move(line));
  }
  for (int row = 1; row <= resultGrid_->MaxRows(); ++row) {
    SrnResultRow line;
    line.Label = Std(resultGrid_->RowTitle(row));
    for (int col = 1; col <= SrnOptimizeSheet::kResidualColumn; ++col)
      line.Cells[static_cast<std::size_t>(col - 1)] = Std(resultGrid_->CellText(row, col));
    line.Checked = resultGrid_->IsCellChecked(row, SrnOptimizeSheet::kCheckColumn);
    sheet.Results.push_back(std::move(line));
  }
  sheet.RandomRetry = randomRetry_->isChecked();
  sheet.MaximumTrials = MaxTrialsValue();
  sheet.Tolerance = toleranceValue_;
  return sheet;
}

void CSrnOptimizeDlg::ShowSheet(const SrnOptimizeSheet& sheet) {
  const bool wasFilling = std::exchange(filling_, true);
  const int initialRows = static_cast<int>(sheet.Initial.size());
  if (initialGrid_->MaxRows() != initialRows) initialGrid_->SetMaxRows(initialRows);
  for (int row = 1; row <= initialRows; ++row) {
    const SrnInitialRow& line = sheet.Initial[static_cast<std::size_t>(row - 1)];
    initialGrid_->SetRowTitle(row, Q(line.Label));
    for (int col = 1; col <= SrnOptimizeSheet::kInitialColumns; ++col)
      initialGrid_->SetCellText(row, col, Q(line.Cells[static_cast<std::size_t>(col - 1)]));
  }
  const int resultRows = static_cast<int>(sheet.Results.size());
  if (resultGrid_->MaxRows() != resultRows) resultGrid_->SetMaxRows(resultRows);
  for (int row = 1; row <= resultRows; ++row) {
    const SrnResultRow& line = sheet.Results[static_cast<std::size_t>(row - 1)];
    resultGrid_->SetRowTitle(row, Q(line.Label));
    for (int col = 1; col <= SrnOptimizeSheet::kResidualColumn; ++col) {
      resultGrid_->SetCellText(row, col, Q(line.Cells[static_cast<std::size_t>(col - 1)]));
      // Results come from the engine only.
      resultGrid_->SetCellLocked(row, col, true);
    }
    if (resultGrid_->KindOf(row, SrnOptimizeSheet::kCheckColumn) != CellKind::CheckBox)
      resultGrid_->SetCellKind(row, SrnOptimizeSheet::kCheckColumn, CellKind::CheckBox);
    resultGrid_->SetCellChecked(row, SrnOptimizeSheet::kCheckColumn, line.Checked);
  }
  randomRetry_->setChecked(sheet.RandomRetry);
  maxTrialsValue_ = sheet.MaximumTrials;
  maxTrials_->SetIntValue(sheet.MaximumTrials);
  toleranceValue_ = sheet.Tolerance;
  tolerance_->setText(Q(SrnToleranceText(sheet.Tolerance)));
  filling_ = wasFilling;
  ColourResiduals();
  UpdateEnabledState();
}

void CSrnOptimizeDlg::FillFromData() {
  initialGrid_->ClearBlockText(initialGrid_->AllCells());
  ShowSheet(FillSrnSheet(Record()));
}

void CSrnOptimizeDlg::StoreToData() { StoreSrnSheet(ReadSheet(), Record()); }

void CSrnOptimizeDlg::DiscardResults() {
  Record().SrnCurves.Clear();
  curveSeries_.clear();
  RebuildGraphSeries();
  const bool wasFilling = std::exchange(filling_, true);
  resultGrid_->SetMaxRows(0);
  filling_ = wasFilling;
}

void CSrnOptimizeDlg::UpdateEnabledState() {
  maxTrials_->setEnabled(randomRetry_->isChecked());
  maxTrialsLabel_->setEnabled(randomRetry_->isChecked());
  start_->setEnabled(SrnStartAllowed(Record(), ReadSheet()));
}

void CSrnOptimizeDlg::ColourResiduals() {
  const double tolerance = tolerance_->text().trimmed().isEmpty() ? kSrnDefaultTolerance : toleranceValue_;
  for (int row = 1; row <= resultGrid_->MaxRows(); ++row) {
    SrnResultRow line;
    line.Cells[3] = Std(resultGrid_->CellText(row, SrnOptimizeSheet::kResidualColumn));
    resultGrid_->SetCellForeColor(row, SrnOptimizeSheet::kResidualColumn,
                                  SrnResidualExceeds(line, tolerance) ? kResidualAbove : kResidualWithin);
  }
}

void CSrnOptimizeDlg::OnInitialCellChanged(int row, int col) {
  if (filling_) return;
  std::string text = Std(initialGrid_->CellText(row, col));
  if (ApplySrnCellRule(text, col)) {
    const bool wasFilling = std::exchange(filling_, true);
    initialGrid_->SetCellText(row, col, Q(text));
    filling_ = wasFilling;
  }
  KeepRowInSet(row);
  UpdateEnabledState();
  Record().Unchanged = false;
}

void CSrnOptimizeDlg::KeepRowInSet(int row) {
  if (row < 1 || static_cast<std::size_t>(row) > Record().DataSets.Count()) return;
  CPointDataList& set = Record().DataSets.At(static_cast<std::size_t>(row - 1));
  for (int col = 1; col <= SrnOptimizeSheet::kInitialColumns; ++col) {
    const double value = ParseDoubleRounded(6, Std(initialGrid_->CellText(row, col)));
    if (IsNoValue(value)) continue;
    const auto p = static_cast<std::size_t>((col - 1) / 3);
    const int kind = (col - 1) % 3;
    (kind == 0 ? set.Initial : kind == 1 ? set.Minimum : set.Maximum)[p] = value;
  }
}

void CSrnOptimizeDlg::OnResultCellChanged(int row, int col) {
  if (filling_ || col != SrnOptimizeSheet::kCheckColumn) return;
  SrnOptimizeSheet sheet = ReadSheet();
  ApplySrnCheckClick(sheet, row, Record());
  const bool wasFilling = std::exchange(filling_, true);
  for (int r = 1; r <= resultGrid_->MaxRows(); ++r)
    resultGrid_->SetCellChecked(r, col, sheet.Results[static_cast<std::size_t>(r - 1)].Checked);
  filling_ = wasFilling;
}

int CSrnOptimizeDlg::MaxTrialsValue() const { return TypedTrialCount(*maxTrials_, kSrnDefaultTrials, maxTrialsValue_); }

void CSrnOptimizeDlg::OnMaxTrialsCommitted() {
  if (filling_) return;
  int value = MaxTrialsValue();
  if (value < kSrnMinimumTrials) {
    value = kSrnMinimumTrials;
    maxTrials_->SetIntValue(value);
  }
  if (value != maxTrialsValue_) {
    maxTrialsValue_ = value;
    Record().SrnRetry.MaximumTrials = value;
    Record().Unchanged = false;
  }
}

void CSrnOptimizeDlg::OnToleranceCommitted() {
  if (filling_) return;
  const double kept = TypedTolerance(*tolerance_, kSrnMinimumTolerance, kSrnMaximumTolerance, toleranceValue_);
  tolerance_->setText(Q(SrnToleranceText(kept)));
  toleranceValue_ = kept;
  Record().SrnRetry.Tolerance = kept;
  // Only the colours follow; the grids keep what the user typed.
  ColourResiduals();
  Record().Unchanged = false;
}

void CSrnOptimizeDlg::Start() {
  SrnOptimizeSheet sheet = ReadSheet();
  EngineCaller caller;
  SrnOptimizeRun run(Record(), sheet, caller);
  run.PreCheck();
  ShowSheet(sheet);
  start_->setEnabled(false);
  RepaintThrottle throttle(kRunPaintInterval, [&] {
    ShowSheet(sheet);
    start_->setEnabled(false);
    RebuildGraphSeries();
    graph_->repaint();
    // Paint and timers only: the run keeps the input blocked.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  run.Run([&] { throttle.Request(); });
  throttle.Flush();
  runPaints_ = throttle.Paints();
  runRequests_ = throttle.Requests();
  ShowSheet(sheet);
  RedrawGraph();
  UpdateEnabledState();
}

}  // namespace quorvel
