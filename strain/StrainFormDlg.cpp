#include "strain/StrainFormDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>
#include <utility>

#include "controls/Clipboard.h"
#include "controls/DialogConventions.h"
#include "controls/ExpButton.h"
#include "controls/ExpEdit.h"
#include "controls/GridAccess.h"
#include "controls/MessageBoxes.h"
#include "controls/RetryRow.h"
#include "controls/UiText.h"
#include "graph/GraphArea.h"
#include "graph/ReferenceDialogs.h"
#include "graph/SetColorDlg.h"
#include "host/ColourFile.h"
#include "host/ProgramFolder.h"
#include "platform/Spread7.h"
#include "strain/StrainFitRun.h"
#include "strain/StrainHandOff.h"

namespace quorvel {
namespace {

// Texts held here rather than in the string table.
constexpr TextPair kNotFinished = {"最適化が終了していません。\n終了してからOKボタンを押して下さい。",
                                   "最適化が終了していません。\n終了してからOKボタンを押して下さい。"};
constexpr TextPair kLoadFailure = {"印刷データの読み込みに失敗しました。", "印刷データの読み込みに失敗しました。"};
// %1: the row title (初期値, 最小値, 最大値), %2: the column title.
constexpr TextPair kMissingCell = {
    "初期パラメータの「%1」の「%2」が入力されていません。\n入力してから最適化開始を押して下さい。",
    "Initial Parameter: the %1 of %2 is empty.\nEnter it, then press Start."};
constexpr const char* kParameterTitles[] = {"φpeak", "A1", "t1", "d1", "A2", "t2", "d2"};

}  // namespace

CStrainFormDlg::CStrainFormDlg(std::string folder, const StartRequest& request, QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)), language_(request.LanguageId()), caller_(folder_) {
  model_ = std::make_unique<StrainFormModel>(record_, language_);
  record_.Colours = LoadColourRecord(folder_ + kColourFileName);
  BuildWidgets(request);

  std::string error;
  if (!ReadStrainInput(folder_ + kHandOffFileName, record_, language_, &error)) {
    record_.LoadFailed = true;
    record_.Unchanged = true;
    return;
  }
  filling_ = true;
  argument_->setCurrentIndex(record_.Argument == 1 ? 1 : 0);
  filling_ = false;
  ShowRetrySettings();
  model_->FillFromRecord();
  SetExperimentTitles();
  SyncGridsFromSheet();
  RefreshEnabledState();
  UpdateGraph();
}

CStrainFormDlg::~CStrainFormDlg() = default;

void CStrainFormDlg::BuildWidgets(const StartRequest& request) {
  setWindowTitle(UiText(10002, language_));
  setObjectName(QStringLiteral("strainForm"));

  // Stratum header: "number : name" as the host sends it.
  const QString label = ToQt(request.stratumLabel);
  const qsizetype colon = label.indexOf(QLatin1Char(':'));
  auto* stratumCaption = new QLabel(UiText(10007, language_), this);
  auto* stratumNumber = new QLabel(colon < 0 ? QString() : label.left(colon).trimmed(), this);
  auto* stratumName = new QLabel(colon < 0 ? label.trimmed() : label.mid(colon + 1).trimmed(), this);
  NameControl(stratumNumber, "stratumNumber", UiText(10007, language_));
  NameControl(stratumName, "stratumName", UiText(10007, language_));
  stratumNumber->setFrameShape(QFrame::Panel);
  stratumName->setFrameShape(QFrame::Panel);
  stratumName->setMinimumWidth(200);

  // Experiment data (1019) with its copy button and the argument.
  auto* experimentCaption = new QLabel(UiText(10055, language_), this);
  auto* copy = new CExpButton(QStringLiteral("CP"), this);
  NameControl(copy, "copyButton", UiText(10124, language_));
  copy->setToolTip(UiText(10124, language_));
  auto* argumentCaption = new QLabel(UiText(10122, language_), this);
  argument_ = new QComboBox(this);
  argument_->addItems({QStringLiteral("γDA"), QStringLiteral("D")});
  NameControl(argument_, "argumentCombo", UiText(10122, language_));
  experimentGrid_ = new CSpread7(StrainSheet::kMinimumExperimentRows, 2, this);
  NameControl(experimentGrid_, "experimentGrid", UiText(10055, language_));
  experimentGrid_->setMinimumWidth(250);
  // A pasted block longer than the grid grows it, so every row reaches the set.
  AllowPasteGrowth(*experimentGrid_);
  experimentGrid_->horizontalHeader()->setMinimumHeight(52);

  // Graph and its toolbar.
  graph_ = new GraphArea(this);
  NameControl(graph_, "graphArea", UiText(10056, language_));
  graph_->setMinimumSize(520, 340);
  graph_->Drawer().SetLanguage(language_);
  auto toolButton = [this](const char* objectName, int textId) {
    auto* button = new CExpButton(UiText(textId, language_), this);
    NameControl(button, objectName, UiText(textId, language_));
    button->setToolTip(UiText(textId, language_));
    return button;
  };
  auto* graphCopy = toolButton("graphCopyButton", 10114);
  auto* largeScreen = toolButton("largeScreenButton", 10115);
  auto* zoomUp = toolButton("zoomUpButton", 10116);
  auto* zoomDown = toolButton("zoomDownButton", 10117);
  auto* formula = toolButton("formulaButton", 10106);       // 1047
  auto* colours = toolButton("drawingSetupButton", 10108);  // 1048

  // Initial parameters (1020) and optimised parameters (1023).
  auto* parameterCaption = new QLabel(UiText(10030, language_), this);
  parameterGrid_ = new CSpread7(3, StrainSheet::kColumnCount, this);
  NameControl(parameterGrid_, "parameterGrid", UiText(10030, language_));
  auto* resultCaption = new QLabel(UiText(10031, language_), this);
  resultGrid_ = new CSpread7(1, StrainSheet::kColumnCount, this);
  NameControl(resultGrid_, "resultGrid", UiText(10031, language_));
  QStringList titles;
  for (const char* title : kParameterTitles) titles << QString::fromUtf8(title);
  parameterGrid_->SetColumnTitles(titles);
  parameterGrid_->SetRowTitle(1, UiText(10047, language_));
  parameterGrid_->SetRowTitle(2, UiText(10048, language_));
  parameterGrid_->SetRowTitle(3, UiText(10049, language_));
  // phi peak has only an initial value; A2 follows from phi peak and A1.
  parameterGrid_->SetBlockLocked({2, 1, 3, 1}, true);
  parameterGrid_->SetBlockLocked({1, 5, 3, 5}, true);
  parameterGrid_->SetBlockBackColor({2, 1, 3, 1}, QColor(220, 220, 220));
  parameterGrid_->SetBlockBackColor({1, 5, 3, 5}, QColor(220, 220, 220));
  QStringList resultTitles = titles.mid(1);
  resultTitles << UiText(10004, language_);
  resultGrid_->SetColumnTitles(resultTitles);
  resultGrid_->SetRowTitle(1, UiText(10056, language_));
  for (CSpread7* grid : {parameterGrid_, resultGrid_}) {
    grid->verticalHeader()->setMinimumWidth(90);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every column holds the longest initial value the random retry writes
    // (a sign, four digits and ten decimals) whole; wider forms share out the
    // rest. The height is that of the rows.
    const int textMargin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const int column = grid->fontMetrics().horizontalAdvance(QStringLiteral("-8888.8888888888")) + 2 * textMargin + 2;
    grid->horizontalHeader()->setMinimumSectionSize(column);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->setMinimumWidth(90 + 7 * column + 2 * grid->frameWidth() + 2);
    int height = grid->horizontalHeader()->sizeHint().height() + 2 * grid->frameWidth() + 2;
    for (int row = 0; row < grid->rowCount(); ++row) height += grid->rowHeight(row);
    grid->setFixedHeight(height);
    for (int c = 1; c <= StrainSheet::kColumnCount; ++c) grid->SetColumnAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  }
  for (int c = 1; c <= 2; ++c) experimentGrid_->SetColumnAlignment(c, Qt::AlignRight | Qt::AlignVCenter);

  // Retry settings and Start.
  retry_ = new RetryRow(this, language_);

  auto* allClear = new CExpButton(UiText(10120, language_), this);
  NameControl(allClear, "allClearButton", UiText(10120, language_));
  auto* ok = new QPushButton(UiText(10119, language_), this);
  NameControl(ok, "okButton", UiText(10119, language_));
  auto* cancel = new QPushButton(UiText(10010, language_), this);
  NameControl(cancel, "cancelButton", UiText(10010, language_));

  // Layout: stratum on top; experiment data on the left; graph, parameters,
  // retry settings on the right; buttons at the bottom.
  auto* top = new QHBoxLayout;
  top->addWidget(stratumCaption);
  top->addWidget(stratumNumber);
  top->addWidget(stratumName, 1);
  auto* left = new QVBoxLayout;
  auto* experimentHead = new QHBoxLayout;
  experimentHead->addWidget(experimentCaption);
  experimentHead->addStretch();
  experimentHead->addWidget(copy);
  left->addLayout(experimentHead);
  auto* argumentRow = new QHBoxLayout;
  argumentRow->addWidget(argumentCaption);
  argumentRow->addWidget(argument_);
  argumentRow->addStretch();
  left->addLayout(argumentRow);
  left->addWidget(experimentGrid_, 1);
  auto* toolbar = new QHBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(graphCopy), static_cast<QWidget*>(largeScreen),
                     static_cast<QWidget*>(zoomUp), static_cast<QWidget*>(zoomDown)})
    toolbar->addWidget(w);
  toolbar->addStretch();
  toolbar->addWidget(formula);
  toolbar->addWidget(colours);
  auto* right = new QVBoxLayout;
  right->addLayout(toolbar);
  right->addWidget(graph_, 1);
  right->addWidget(parameterCaption);
  right->addWidget(parameterGrid_);
  right->addWidget(resultCaption);
  right->addWidget(resultGrid_);
  right->addLayout(retry_->Layout());
  auto* middle = new QHBoxLayout;
  middle->addLayout(left);
  middle->addLayout(right, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(allClear);
  bottom->addStretch();
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(middle, 1);
  layout->addLayout(bottom);

  DialogConventions::Install(this, ok, cancel);

  connect(retry_->StartButton(), &QPushButton::clicked, this, &CStrainFormDlg::OnStart);
  connect(ok, &QPushButton::clicked, this, &CStrainFormDlg::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(allClear, &QPushButton::clicked, this, &CStrainFormDlg::OnAllClear);
  connect(copy, &QPushButton::clicked, this, &CStrainFormDlg::OnCopy);
  connect(formula, &QPushButton::clicked, this, &CStrainFormDlg::ShowFormula);
  connect(colours, &QPushButton::clicked, this, &CStrainFormDlg::ShowDrawingSetup);
  connect(graphCopy, &QPushButton::clicked, graph_, &GraphArea::CopyToClipboard);
  connect(largeScreen, &QPushButton::clicked, graph_, &GraphArea::ShowLargeScreen);
  connect(zoomUp, &QPushButton::clicked, graph_, &GraphArea::ZoomIn);
  connect(zoomDown, &QPushButton::clicked, graph_, &GraphArea::ResetZoom);
  for (CSpread7* grid : {experimentGrid_, parameterGrid_, resultGrid_}) {
    connect(grid, &CSpread7::CellChanged, this,
            [this, grid](int row, int column) { OnCellChanged(grid, row, column); });
  }
  connect(experimentGrid_, &CSpread7::RowsGrown, this, [this](int rows) { model_->Sheet().GrowExperiment(rows); });
  experimentGrid_->installEventFilter(this);
  parameterGrid_->installEventFilter(this);
  connect(retry_, &RetryRow::RandomRetryToggled, this, [this](bool on) {
    model_->RandomRetryChanged(on);
    RefreshEnabledState();
  });
  connect(retry_, &RetryRow::MaximumTrialsCommitted, this, [this] {
    CExpEdit* field = retry_->MaxTrialsEdit();
    field->setText(ToQt(model_->MaximumTrialsChanged(ToStd(field->text()))));
  });
  connect(retry_, &RetryRow::ToleranceCommitted, this, [this] {
    CExpEdit* field = retry_->ToleranceEdit();
    field->setText(ToQt(model_->ToleranceChanged(ToStd(field->text()))));
    ColourResidual();
  });
  connect(argument_, &QComboBox::currentIndexChanged, this, &CStrainFormDlg::OnArgumentChanged);
}

void CStrainFormDlg::ShowLoadFailure() {
  ShowMessageBox(this, kLoadFailure.In(language_), ConfirmCaption(), QMessageBox::Warning, MessageButtons::Ok);
}

void CStrainFormDlg::SyncGridsFromSheet() {
  const StrainSheet& sheet = model_->Sheet();
  if (experimentGrid_->MaxRows() != sheet.ExperimentRows()) experimentGrid_->SetMaxRows(sheet.ExperimentRows());
  for (int row = 1; row <= sheet.ExperimentRows(); ++row)
    for (int column = 1; column <= 2; ++column)
      experimentGrid_->SetCellText(row, column, ToQt(sheet.Experiment(row, column)));
  for (int row = 1; row <= 3; ++row)
    for (int column = 1; column <= StrainSheet::kColumnCount; ++column)
      parameterGrid_->SetCellText(row, column, ToQt(sheet.Parameter(row, column)));
  for (int column = 1; column <= StrainSheet::kColumnCount; ++column)
    resultGrid_->SetCellText(1, column, ToQt(sheet.Result(column)));
  ColourResidual();
}

void CStrainFormDlg::ColourResidual() {
  const QColor colour = model_->ResidualAboveTolerance() ? QColor(255, 0, 0) : QColor(0, 0, 0);
  resultGrid_->SetCellForeColor(1, StrainSheet::kResidualColumn, colour);
}

void CStrainFormDlg::RefreshEnabledState() { retry_->StartButton()->setEnabled(model_->StartEnabled()); }

void CStrainFormDlg::ShowRetrySettings() {
  const RetrySettings& settings = record_.Retry;
  retry_->Show(settings.RandomStartAllowed == 1, settings.MaximumTrials, settings.Tolerance);
}

void CStrainFormDlg::UpdateGraph(bool paintNow) {
  std::vector<const CPointDataList*> curves;
  if (const CPointDataList* curve = model_->Curve()) curves.push_back(curve);
  graph_->Drawer().SetSeries(curves, &record_.DataSets, &record_.Colours, StrainGraphKind(record_.Argument));
  if (paintNow)
    graph_->repaint();
  else
    graph_->update();
}

void CStrainFormDlg::SetExperimentTitles() {
  experimentGrid_->SetColumnTitle(1, ToQt(model_->ExperimentColumnTitle(1)));
  experimentGrid_->SetColumnTitle(2, ToQt(model_->ExperimentColumnTitle(2)));
}

void CStrainFormDlg::OnCellChanged(CSpread7* grid, int row, int column) {
  if (filling_) return;
  StrainSheet& sheet = model_->Sheet();
  const std::string text = ToStd(grid->CellText(row, column));
  if (grid == experimentGrid_) {
    if (row > sheet.ExperimentRows()) return;
    sheet.Experiment(row, column) = text;
    model_->ExperimentCellChanged(row, column);
  } else if (grid == parameterGrid_) {
    sheet.Parameter(row, column) = text;
    model_->ParameterCellChanged(row, column);
  } else {
    sheet.Result(column) = text;
    model_->ResultCellChanged(column);
  }
  SyncGridsFromSheet();
  RefreshEnabledState();
  UpdateGraph();
}

bool CStrainFormDlg::eventFilter(QObject* watched, QEvent* event) {
  // Delete empties the selected block without running the cell rules on it.
  if (event->type() == QEvent::KeyPress && (watched == experimentGrid_ || watched == parameterGrid_)) {
    auto* key = static_cast<QKeyEvent*>(event);
    auto* grid = static_cast<CSpread7*>(watched);
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier && !grid->IsEditing()) {
      const GridBlock block = GetSelectedBlock(*grid);
      if (block.IsValid()) {
        if (grid == experimentGrid_)
          model_->ClearExperimentBlock(block.row1, block.col1, block.row2, block.col2);
        else
          model_->ClearParameterBlock(block.row1, block.col1, block.row2, block.col2);
        SyncGridsFromSheet();
        RefreshEnabledState();
        UpdateGraph();
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CStrainFormDlg::OnArgumentChanged(int index) {
  if (filling_) return;
  model_->ArgumentChanged(index);
  SetExperimentTitles();
  UpdateGraph();
}

void CStrainFormDlg::OnStart() {
  StrainFitRun run(*model_, caller_);
  // The engine reads its items in order, so one missing item would make it
  // fit nonsense: nothing is sent until the user fills the cell named here.
  if (const StrainFitRun::MissingCell missing = run.FirstMissingCell(); missing.row != 0) {
    ShowWarning(this, kMissingCell.In(language_).arg(UiText(10046 + missing.row, language_),
                                                     QString::fromUtf8(kParameterTitles[missing.column - 1])));
    return;
  }
  retry_->StartButton()->setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Between trials the user sees the progress; the run itself blocks input.
  run.Run([this] {
    SyncGridsFromSheet();
    UpdateGraph(true);
  });
  QApplication::restoreOverrideCursor();
  SyncGridsFromSheet();
  RefreshEnabledState();
  UpdateGraph();
}

void CStrainFormDlg::OnOk() {
  switch (model_->OkStep()) {
    case StrainOkStep::EndAsCancel:
      reject();
      return;
    case StrainOkStep::ShowNotFinished:
      ShowMessageBox(this, kNotFinished.In(language_), QStringLiteral("確認"), QMessageBox::Warning,
                     MessageButtons::Ok);
      return;
    case StrainOkStep::AskResidual:
      if (AskYesNo(this, UiText(10104, language_)) != kIdYes) return;
      break;
    case StrainOkStep::WriteAnswer:
      break;
  }
  model_->StoreParameters();
  WriteStrainAnswer(folder_, record_);
  accept();
}

void CStrainFormDlg::OnAllClear() {
  model_->AllClear();
  ShowRetrySettings();
  graph_->ResetZoom();
  SyncGridsFromSheet();
  RefreshEnabledState();
  UpdateGraph();
}

void CStrainFormDlg::OnCopy() { CopyTextToClipboard(ToQt(model_->CopyText()), this); }

void CStrainFormDlg::ShowFormula() {
  CRefFuncStrainDlg dialog(this);
  dialog.exec();
}

void CStrainFormDlg::ShowDrawingSetup() {
  // The dialog edits the form's colours and graph settings in place; every
  // change redraws the graph behind it, and Cancel restores its backups.
  CSetColorStrainDlg dialog(record_.Colours, record_.DataSets, record_.Unchanged, this);
  dialog.SetColourFilePath(folder_ + kColourFileName);
  connect(&dialog, &DrawingSetupDialog::OwnerRedraw, this, [this] {
    model_->DrawingSettingsChanged();
    UpdateGraph();
  });
  dialog.exec();
}

ModeResult RunStrainForm(const StartRequest& request) {
  CStrainFormDlg form(ProgramFolder(), request);
  if (form.LoadFailed()) {
    form.ShowLoadFailure();
    return ModeResult::Cancel;
  }
  return form.exec() == QDialog::Accepted ? ModeResult::Ok : ModeResult::Cancel;
}

}  // namespace quorvel
