#include "srn/LiquidOptimizeDlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <utility>

#include "controls/ExpButton.h"
#include "controls/ExpEdit.h"
#include "controls/MessageBoxes.h"
#include "controls/RetryRow.h"
#include "controls/UiText.h"
#include "graph/GraphArea.h"
#include "graph/ReferenceDialogs.h"
#include "host/EngineCaller.h"
#include "host/Language.h"
#include "platform/Spread7.h"
#include "srn/RepaintThrottle.h"
#include "srn/SrnFormRecord.h"
#include "srn/SrnGraphSeries.h"
#include "srn/SrnOptimizeDlg.h"

namespace quorvel {
namespace {

// Texts held here rather than in the string table.
const TextPair kFunctions[4] = {
    {"多項式", "Polynomial"}, {"指数関数1", "ExpGrow"}, {"指数関数2", "ExpGrow2"}, {"指数べき乗", "ExpPower"}};
const TextPair kFunctionTitle{"関数", "Function"};
const TextPair kRowTitles[3] = {{"初期値", "Initial value"}, {"最小値", "Min value"}, {"最大値", "Max value"}};
const TextPair kDaViewText{"DA-α,β,C図", "Fig. DA-α,β,C"};
const TextPair kSrnViewText{"SR-N図", "Fig. SR-N"};
const TextPair kInterpolation{"(補間)", "(Interpolation)"};
const TextPair kViewGroup{"グラフの切替", "Switching of the graph"};
const TextPair kFormulaTip{"式", "Formula"};
const TextPair kFailure{"最適化が失敗しました。\n初期値又は関数を変更して再度実行してみて下さい。",
                        "Please try again by changing the functions or initial values."};

const TextPair kMissingCell{"「%1」の「%2」に数値が入力されていません。\n数値を入力してから最適化を行って下さい。",
                            "No number in \"%2\" of \"%1\".\nPlease enter a number and optimize again."};

constexpr std::chrono::milliseconds kRunPaintInterval{100};
constexpr int kFunctionColumn = 9;
const QColor kUnusedCell(207, 207, 207);

}  // namespace

CLiquidOptimizeDlg::CLiquidOptimizeDlg(SrnFormRecord& record, QWidget* parent)
    : SrnPage(record, parent), language_(CurrentLanguage()) {
  BuildWindow();
  ConnectSignals();
  ShowSheet(FillLiquidSheet(Record()));
}

CLiquidOptimizeDlg::~CLiquidOptimizeDlg() = default;

void CLiquidOptimizeDlg::BuildWindow() {
  auto* title = new QLabel(UiText(10014, language_), this);  // 1031
  NameControl(title, "titleLabel", title->text());
  QFont titleFont = title->font();
  titleFont.setBold(true);
  title->setFont(titleFont);

  graph_ = new GraphArea(this);  // 1017
  NameControl(graph_, "graphArea", title->text());
  graph_->setMinimumSize(560, 230);

  auto* viewGroup = new QGroupBox(kViewGroup.In(language_), this);  // 1092
  NameControl(viewGroup, "viewGroup", viewGroup->title());
  daView_ = new QRadioButton(kDaViewText.In(language_), viewGroup);  // 1041
  NameControl(daView_, "daViewRadio", daView_->text());
  srnView_ = new QRadioButton(kSrnViewText.In(language_) + " " + kInterpolation.In(language_), viewGroup);  // 1042
  NameControl(srnView_, "srnViewRadio", srnView_->text());
  daView_->setChecked(true);
  auto* viewLayout = new QHBoxLayout(viewGroup);
  viewLayout->addWidget(daView_);
  viewLayout->addWidget(srnView_);
  formula_ = new CExpButton(kFormulaTip.In(language_), this);  // 1047
  NameControl(formula_, "formulaButton", kFormulaTip.In(language_));
  formula_->setToolTip(kFormulaTip.In(language_));
  formula_->setFixedHeight(26);
  formula_->setMinimumWidth(40);

  inputGrid_ = new CSpread7(9, 9, this);  // 1016
  NameControl(inputGrid_, "inputGrid", UiText(10014, language_));
  QStringList titles;
  for (int c = 0; c < 8; ++c) titles << QStringLiteral("A%1").arg(c);
  titles << kFunctionTitle.In(language_);
  inputGrid_->SetColumnTitles(titles);
  QStringList functions;
  for (const TextPair& function : kFunctions) functions << function.In(language_);
  for (int k = 0; k < 3; ++k) {
    for (int j = 0; j < 3; ++j)
      inputGrid_->SetRowTitle(k * 3 + j + 1, QString::fromUtf8(kConstantNames[k]) + " " + kRowTitles[j].In(language_));
    inputGrid_->SetComboList(k * 3 + 1, kFunctionColumn, functions);
    for (int j = 2; j <= 3; ++j) {
      inputGrid_->SetCellLocked(k * 3 + j, kFunctionColumn, true);
      inputGrid_->SetCellBackColor(k * 3 + j, kFunctionColumn, kUnusedCell);
    }
  }
  // All nine columns and rows in view at the form's first size.
  for (int c = 1; c <= 8; ++c) inputGrid_->SetColWidth(c, 64);
  inputGrid_->SetColWidth(kFunctionColumn, 72);

  auto* resultCaption = new QLabel(UiText(10031, language_), this);  // 1034
  resultGrid_ = new CSpread7(3, 9, this);                            // 1012
  NameControl(resultGrid_, "resultGrid", UiText(10031, language_));
  QStringList resultTitles = titles.mid(0, 8);
  resultTitles << UiText(10004, language_);
  resultGrid_->SetColumnTitles(resultTitles);
  for (int k = 0; k < 3; ++k) resultGrid_->SetRowTitle(k + 1, QString::fromUtf8(kConstantNames[k]));
  resultGrid_->SetBlockLocked(resultGrid_->AllCells(), true);
  for (int c = 1; c <= 8; ++c) resultGrid_->SetColWidth(c, 66);
  resultGrid_->SetColWidth(9, 92);
  // Nine columns of six-decimal numbers: a point smaller than the form's text.
  for (CSpread7* grid : {inputGrid_, resultGrid_}) {
    QFont font = grid->font();
    font.setPointSizeF(std::max(7.0, font.pointSizeF() - 1.0));
    grid->setFont(font);
    grid->verticalHeader()->setFixedWidth(grid == resultGrid_ ? 40 : language_ == kJapanese ? 66 : 86);
    grid->verticalHeader()->setDefaultSectionSize(18);
  }
  inputGrid_->setMinimumHeight(9 * 18 + 30);
  resultGrid_->setMinimumHeight(3 * 18 + 30);

  retry_ = new RetryRow(this, language_);  // trials label 1026, tolerance 1015

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  auto* head = new QHBoxLayout;
  head->addWidget(title);
  head->addStretch();
  head->addWidget(viewGroup);
  head->addWidget(formula_);
  layout->addLayout(head);
  layout->addWidget(graph_, 3);
  layout->addWidget(inputGrid_, 2);
  layout->addWidget(resultCaption);
  layout->addWidget(resultGrid_, 1);
  layout->addLayout(retry_->Layout());
}

void CLiquidOptimizeDlg::ConnectSignals() {
  connect(inputGrid_, &CSpread7::CellChanged, this, &CLiquidOptimizeDlg::OnInputCellChanged);
  connect(retry_, &RetryRow::RandomRetryToggled, this, [this] {
    StoreToRecords();
    Record().Unchanged = false;
  });
  connect(retry_, &RetryRow::MaximumTrialsCommitted, this, &CLiquidOptimizeDlg::OnMaxTrialsCommitted);
  connect(retry_, &RetryRow::ToleranceCommitted, this, &CLiquidOptimizeDlg::OnToleranceCommitted);
  connect(retry_->StartButton(), &QPushButton::clicked, this, [this] { Start(); });
  connect(daView_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) SetView(kDaView);
  });
  connect(srnView_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) SetView(kSrnView);
  });
  connect(formula_, &QPushButton::clicked, this, &CLiquidOptimizeDlg::ShowFormula);
  // Painting builds the series of the current view.
  connect(graph_, &GraphArea::AboutToDraw, this, &CLiquidOptimizeDlg::RebuildGraphSeries);
}

void CLiquidOptimizeDlg::Activate() {
  BuildConstantPointLists(Record());
  ShowSheet(FillLiquidSheet(Record()));
  RedrawGraph();
}

void CLiquidOptimizeDlg::RefreshFromData() {
  BuildConstantPointLists(Record());
  ShowSheet(FillLiquidSheet(Record()));
}

void CLiquidOptimizeDlg::RedrawGraph() {
  Record().DaGraph.RangesOutOfDate = true;
  Record().DataSets.RangesOutOfDate = true;
  RebuildGraphSeries();
  graph_->update();
}

void CLiquidOptimizeDlg::StoreToRecords() { StoreLiquidSheet(ReadSheet(), Record().ConstantSettings); }

void CLiquidOptimizeDlg::SetView(View view) {
  view_ = view;
  const bool wasFilling = std::exchange(filling_, true);
  (view == kDaView ? daView_ : srnView_)->setChecked(true);
  filling_ = wasFilling;
  RebuildGraphSeries();
  graph_->update();
}

void CLiquidOptimizeDlg::RebuildGraphSeries() {
  const bool japanese = language_ == kJapanese;
  SrnFormRecord& record = Record();
  if (view_ == kDaView) {
    AdjustDaRanges(record.DaGraph);
    curveSeries_ = ConstantCurveSeries(record.ConstantCurves, record.Colours, record.DaGraph.XMaximum + 1.0, japanese);
  } else {
    DataSetList& sets = record.DataSets;
    if (sets.RangesOutOfDate && AdjustSrnRanges(sets)) sets.RangesOutOfDate = false;
    const double lastN = sets.XMaximum + 1.0;
    curveSeries_ = FittedSrnCurveSeries(record.SrnCurves, record.Colours, 1.0, lastN, japanese);
    for (CPointDataList& series : EstimatedSrnCurveSeries(record.ConstantCurves, record.Colours, lastN, japanese))
      curveSeries_.push_back(std::move(series));
  }
  std::vector<const CPointDataList*> curves;
  for (const CPointDataList& series : curveSeries_) curves.push_back(&series);
  if (view_ == kDaView)
    graph_->Drawer().SetSeries(std::move(curves), &record.DaGraph, &record.Colours, kGraphConstants);
  else
    graph_->Drawer().SetSeries(std::move(curves), &record.DataSets, &record.Colours, kGraphSrnView);
}

LiquidOptimizeSheet CLiquidOptimizeDlg::ReadSheet() const {
  LiquidOptimizeSheet sheet;
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 8; ++col)
      sheet.Input[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)] =
          ToStd(inputGrid_->CellText(row, col));
  for (int k = 0; k < 3; ++k) {
    const int index = inputGrid_->ComboIndex(k * 3 + 1, kFunctionColumn);
    sheet.Function[static_cast<std::size_t>(k)] = index < 0 ? 0 : index;
  }
  for (int row = 1; row <= 3; ++row)
    for (int col = 1; col <= 9; ++col)
      sheet.Results[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)] =
          ToStd(resultGrid_->CellText(row, col));
  sheet.RandomRetry = retry_->RandomRetryBox()->isChecked();
  sheet.MaximumTrials = MaxTrialsValue();
  sheet.Tolerance = toleranceValue_;
  return sheet;
}

void CLiquidOptimizeDlg::ShowSheet(const LiquidOptimizeSheet& sheet) {
  const bool wasFilling = std::exchange(filling_, true);
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 8; ++col)
      inputGrid_->SetCellText(row, col,
                              ToQt(sheet.Input[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)]));
  for (int k = 0; k < 3; ++k)
    inputGrid_->SetComboIndex(k * 3 + 1, kFunctionColumn, sheet.Function[static_cast<std::size_t>(k)]);
  for (int row = 1; row <= 3; ++row)
    for (int col = 1; col <= 9; ++col)
      resultGrid_->SetCellText(
          row, col, ToQt(sheet.Results[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)]));
  retry_->Show(sheet.RandomRetry, sheet.MaximumTrials, sheet.Tolerance);
  maxTrialsValue_ = sheet.MaximumTrials;
  toleranceValue_ = sheet.Tolerance;
  filling_ = wasFilling;
}

void CLiquidOptimizeDlg::OnInputCellChanged(int, int) {
  if (filling_) return;
  // The grid is the settings: an edit is kept across page switches.
  StoreToRecords();
  Record().Unchanged = false;
}

int CLiquidOptimizeDlg::MaxTrialsValue() const { return retry_->TypedTrialCount(maxTrialsValue_, maxTrialsValue_); }

void CLiquidOptimizeDlg::OnMaxTrialsCommitted() {
  if (filling_) return;
  int value = MaxTrialsValue();
  if (value < kMinimumTrials) value = kMinimumTrials;
  retry_->ShowMaximumTrials(value);
  if (value == maxTrialsValue_) return;
  maxTrialsValue_ = value;
  Record().ConstantSettings.MaximumTrials = value;
  Record().Unchanged = false;
}

void CLiquidOptimizeDlg::OnToleranceCommitted() {
  if (filling_) return;
  const double kept = retry_->TypedTolerance(toleranceValue_);
  retry_->ShowTolerance(kept);
  if (kept == toleranceValue_) return;
  toleranceValue_ = kept;
  Record().ConstantSettings.Tolerance = kept;
  Record().Unchanged = false;
}

bool CLiquidOptimizeDlg::Start() {
  LiquidOptimizeSheet sheet = ReadSheet();
  if (const auto missing = FindMissingLiquidCell(sheet)) {
    const auto [row, col] = *missing;
    ShowWarning(this, kMissingCell.In(language_).arg(inputGrid_->RowTitle(row), inputGrid_->ColumnTitle(col)));
    return false;
  }
  EngineCaller caller;
  LiquidOptimizeRun run(Record(), sheet, caller);
  notFinished_ = true;
  retry_->StartButton()->setEnabled(false);
  RepaintThrottle throttle(kRunPaintInterval, [&] {
    ShowSheet(sheet);
    RebuildGraphSeries();
    graph_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  const bool fitted = run.Run([&] { throttle.Request(); });
  throttle.Flush();
  runPaints_ = throttle.Paints();
  retry_->StartButton()->setEnabled(true);
  ShowSheet(sheet);
  StoreToRecords();
  notFinished_ = !fitted;
  if (!fitted) ShowMessageBox(this, kFailure.In(language_), ConfirmCaption(), QMessageBox::Warning, MessageButtons::Ok);
  RedrawGraph();
  return fitted;
}

void CLiquidOptimizeDlg::ShowFormula() {
  CRefFuncDlg dialog(this);
  dialog.exec();
}

}  // namespace quorvel
