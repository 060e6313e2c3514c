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
#include "controls/MessageBoxes.h"
#include "controls/RetryRow.h"
#include "controls/UiText.h"
#include "graph/GraphArea.h"
#include "host/EngineCaller.h"
#include "host/Language.h"
#include "platform/Spread7.h"
#include "srn/ExpDataFile.h"
#include "srn/RepaintThrottle.h"
#include "srn/SrnFormRecord.h"
#include "srn/SrnGraphSeries.h"
#include "srn/SrnInputDataDlg.h"

namespace quorvel {
namespace {

// Progress paints during a run are at least this far apart.
constexpr std::chrono::milliseconds kRunPaintInterval{100};

const TextPair kEnterNumber{"数値を入力してから最適化を行って下さい。", "Please enter a number and optimize again."};

const QColor kResidualAbove(255, 0, 0);
const QColor kResidualWithin(0, 0, 0);

}  // namespace

CSrnOptimizeDlg::CSrnOptimizeDlg(SrnFormRecord& record, QWidget* parent)
    : SrnPage(record, parent), language_(CurrentLanguage()) {
  BuildWindow();
  // The box starts checked before anything listens: building the page is no
  // edit. The records then say what the host kept.
  retry_->RandomRetryBox()->setChecked(true);
  ConnectSignals();
  FillFromData();
}

CSrnOptimizeDlg::~CSrnOptimizeDlg() = default;

void CSrnOptimizeDlg::BuildWindow() {
  const bool japanese = language_ == kJapanese;
  // English words need the space the Japanese title does without.
  title_ = new QLabel(UiText(10011, language_) + (japanese ? "" : " ") + UiText(10032, language_), this);
  NameControl(title_, "titleLabel", title_->text());
  QFont titleFont = title_->font();
  titleFont.setBold(true);
  title_->setFont(titleFont);

  graph_ = new GraphArea(this);
  NameControl(graph_, "graphArea", title_->text());
  graph_->setMinimumSize(560, 230);

  auto* initialCaption = new QLabel(UiText(10030, language_), this);
  initialGrid_ = new CSpread7(0, SrnOptimizeSheet::kInitialColumns, this);  // 1011
  NameControl(initialGrid_, "initialGrid", UiText(10030, language_));
  const char* parameters[3] = {"a", "b", "c"};
  for (int p = 0; p < 3; ++p)
    for (int j = 0; j < 3; ++j)
      initialGrid_->SetColumnTitle(p * 3 + j + 1,
                                   QString::fromLatin1(parameters[p]) + "\n" + UiText(10047 + j, language_));

  auto* resultCaption = new QLabel(UiText(10031, language_), this);
  resultGrid_ = new CSpread7(0, SrnOptimizeSheet::kCheckColumn, this);  // 1012
  NameControl(resultGrid_, "resultGrid", UiText(10031, language_));
  resultGrid_->SetColumnTitles(
      {"a", "b", "c", UiText(10004, language_), QString::fromUtf8(japanese ? "Drevia利用" : "Use for Drevia")});
  for (CSpread7* grid : {initialGrid_, resultGrid_}) {
    grid->verticalHeader()->setMinimumWidth(56);
    grid->setMinimumHeight(110);
  }
  for (int c = 1; c <= 9; ++c) initialGrid_->SetColWidth(c, 66);
  for (int c = 1; c <= 3; ++c) resultGrid_->SetColWidth(c, 96);
  resultGrid_->SetColWidth(4, 110);
  resultGrid_->SetColWidth(5, 110);

  retry_ = new RetryRow(this, language_);  // tolerance 1079
  // Whole numbers 1 ... 100: the field refuses others, naming both limits.
  retry_->MaxTrialsEdit()->SetUpInteger(kMinimumTrials, kSrnMaximumTrials);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(title_);
  layout->addWidget(graph_, 3);
  layout->addWidget(initialCaption);
  layout->addWidget(initialGrid_, 1);
  layout->addWidget(resultCaption);
  layout->addWidget(resultGrid_, 1);
  layout->addLayout(retry_->Layout());
}

void CSrnOptimizeDlg::ConnectSignals() {
  connect(initialGrid_, &CSpread7::CellChanged, this, &CSrnOptimizeDlg::OnInitialCellChanged);
  connect(resultGrid_, &CSpread7::CellChanged, this, &CSrnOptimizeDlg::OnResultCellChanged);
  connect(initialGrid_, &CSpread7::KeyDown, this, &CSrnOptimizeDlg::OnInitialGridKey);
  connect(retry_, &RetryRow::RandomRetryToggled, this, [this](bool on) {
    Record().SrnRetry.RandomStartAllowed = on ? 1 : 0;
    Record().Unchanged = false;
    UpdateEnabledState();
  });
  connect(retry_, &RetryRow::MaximumTrialsCommitted, this, &CSrnOptimizeDlg::OnMaxTrialsCommitted);
  connect(retry_, &RetryRow::ToleranceCommitted, this, &CSrnOptimizeDlg::OnToleranceCommitted);
  connect(retry_->StartButton(), &QPushButton::clicked, this, &CSrnOptimizeDlg::Start);
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
  curveSeries_ = SrnPageCurveSeries(Record(), language_ == kJapanese);
  std::vector<const CPointDataList*> curves;
  for (const CPointDataList& series : curveSeries_) curves.push_back(&series);
  graph_->Drawer().SetSeries(std::move(curves), &Record().DataSets, &Record().Colours, kGraphSrn);
}

SrnOptimizeSheet CSrnOptimizeDlg::ReadSheet() const {
  SrnOptimizeSheet sheet;
  for (int row = 1; row <= initialGrid_->MaxRows(); ++row) {
    SrnInitialRow line;
    line.Label = ToStd(initialGrid_->RowTitle(row));
    for (int col = 1; col <= SrnOptimizeSheet::kInitialColumns; ++col)
      line.Cells[static_cast<std::size_t>(col - 1)] = ToStd(initialGrid_->CellText(row, col));
    sheet.Initial.push_back(std::move(line));
  }
  for (int row = 1; row <= resultGrid_->MaxRows(); ++row) {
    SrnResultRow line;
    line.Label = ToStd(resultGrid_->RowTitle(row));
    for (int col = 1; col <= SrnOptimizeSheet::kResidualColumn; ++col)
      line.Cells[static_cast<std::size_t>(col - 1)] = ToStd(resultGrid_->CellText(row, col));
    line.Checked = resultGrid_->IsCellChecked(row, SrnOptimizeSheet::kCheckColumn);
    sheet.Results.push_back(std::move(line));
  }
  sheet.RandomRetry = retry_->RandomRetryBox()->isChecked();
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
    initialGrid_->SetRowTitle(row, ToQt(line.Label));
    for (int col = 1; col <= SrnOptimizeSheet::kInitialColumns; ++col)
      initialGrid_->SetCellText(row, col, ToQt(line.Cells[static_cast<std::size_t>(col - 1)]));
  }
  const int resultRows = static_cast<int>(sheet.Results.size());
  if (resultGrid_->MaxRows() != resultRows) resultGrid_->SetMaxRows(resultRows);
  for (int row = 1; row <= resultRows; ++row) {
    const SrnResultRow& line = sheet.Results[static_cast<std::size_t>(row - 1)];
    resultGrid_->SetRowTitle(row, ToQt(line.Label));
    for (int col = 1; col <= SrnOptimizeSheet::kResidualColumn; ++col) {
      resultGrid_->SetCellText(row, col, ToQt(line.Cells[static_cast<std::size_t>(col - 1)]));
      // Results come from the engine only.
      resultGrid_->SetCellLocked(row, col, true);
    }
    if (resultGrid_->KindOf(row, SrnOptimizeSheet::kCheckColumn) != CellKind::CheckBox)
      resultGrid_->SetCellKind(row, SrnOptimizeSheet::kCheckColumn, CellKind::CheckBox);
    resultGrid_->SetCellChecked(row, SrnOptimizeSheet::kCheckColumn, line.Checked);
  }
  retry_->Show(sheet.RandomRetry, sheet.MaximumTrials, sheet.Tolerance);
  maxTrialsValue_ = sheet.MaximumTrials;
  toleranceValue_ = sheet.Tolerance;
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
  retry_->StartButton()->setEnabled(SrnStartAllowed(Record(), ReadSheet()));
}

void CSrnOptimizeDlg::ColourResiduals() {
  const double tolerance = retry_->ToleranceEdit()->text().trimmed().isEmpty() ? kDefaultTolerance : toleranceValue_;
  for (int row = 1; row <= resultGrid_->MaxRows(); ++row) {
    SrnResultRow line;
    line.Cells[3] = ToStd(resultGrid_->CellText(row, SrnOptimizeSheet::kResidualColumn));
    resultGrid_->SetCellForeColor(row, SrnOptimizeSheet::kResidualColumn,
                                  SrnResidualExceeds(line, tolerance) ? kResidualAbove : kResidualWithin);
  }
}

void CSrnOptimizeDlg::OnInitialCellChanged(int row, int col) {
  if (filling_) return;
  std::string text = ToStd(initialGrid_->CellText(row, col));
  if (ApplySrnCellRule(text, col)) {
    const bool wasFilling = std::exchange(filling_, true);
    initialGrid_->SetCellText(row, col, ToQt(text));
    filling_ = wasFilling;
  }
  KeepRowInSet(row);
  UpdateEnabledState();
  Record().Unchanged = false;
}

void CSrnOptimizeDlg::OnInitialGridKey(int key, Qt::KeyboardModifiers modifiers) {
  if (key != Qt::Key_Delete || (modifiers & ~Qt::KeypadModifier) != Qt::NoModifier || initialGrid_->IsEditing()) return;
  // Delete empties the block without the cell rules (so the grid's own
  // Delete finds nothing left to change); the sets keep what an empty cell
  // stores.
  const GridBlock block = initialGrid_->SelectedBlock();
  if (!block.IsValid()) return;
  initialGrid_->ClearBlockText(block);
  for (int row = block.row1; row <= block.row2; ++row) KeepRowInSet(row);
  UpdateEnabledState();
  Record().Unchanged = false;
}

void CSrnOptimizeDlg::KeepRowInSet(int row) {
  if (row < 1 || static_cast<std::size_t>(row) > Record().DataSets.Count()) return;
  SrnInitialRow line;
  for (int col = 1; col <= SrnOptimizeSheet::kInitialColumns; ++col)
    line.Cells[static_cast<std::size_t>(col - 1)] = ToStd(initialGrid_->CellText(row, col));
  StoreSrnInitialRow(line, Record().DataSets.At(static_cast<std::size_t>(row - 1)));
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

int CSrnOptimizeDlg::MaxTrialsValue() const { return retry_->TypedTrialCount(kDefaultMaximumTrials, maxTrialsValue_); }

void CSrnOptimizeDlg::OnMaxTrialsCommitted() {
  if (filling_) return;
  int value = MaxTrialsValue();
  if (value < kMinimumTrials) {
    value = kMinimumTrials;
    retry_->ShowMaximumTrials(value);
  }
  if (value != maxTrialsValue_) {
    maxTrialsValue_ = value;
    Record().SrnRetry.MaximumTrials = value;
    Record().Unchanged = false;
  }
}

void CSrnOptimizeDlg::OnToleranceCommitted() {
  if (filling_) return;
  const double kept = retry_->TypedTolerance(toleranceValue_);
  retry_->ShowTolerance(kept);
  toleranceValue_ = kept;
  Record().SrnRetry.Tolerance = kept;
  // Only the colours follow; the grids keep what the user typed.
  ColourResiduals();
  Record().Unchanged = false;
}

void CSrnOptimizeDlg::Start() {
  if (const auto incomplete = FindIncompletePoint(Record().DataSets)) {
    ShowWarning(this,
                IncompletePointText(Record().DataSets, *incomplete) + QLatin1Char('\n') + kEnterNumber.In(language_));
    return;
  }
  SrnOptimizeSheet sheet = ReadSheet();
  EngineCaller caller;
  SrnOptimizeRun run(Record(), sheet, caller);
  run.PreCheck();
  ShowSheet(sheet);
  retry_->StartButton()->setEnabled(false);
  RepaintThrottle throttle(kRunPaintInterval, [&] {
    ShowSheet(sheet);
    retry_->StartButton()->setEnabled(false);
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
