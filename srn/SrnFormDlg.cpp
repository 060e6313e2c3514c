#include "srn/SrnFormDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "controls/DialogConventions.h"
#include "controls/ExpButton.h"
#include "controls/MessageBoxes.h"
#include "controls/UiText.h"
#include "graph/DialogSize.h"
#include "graph/GraphArea.h"
#include "graph/SetColorDlg.h"
#include "host/Language.h"
#include "host/ProgramFolder.h"
#include "host/StringSplit.h"
#include "srn/LiquidOptimizeDlg.h"
#include "srn/SrnHandOff.h"
#include "srn/SrnInputDataDlg.h"
#include "srn/SrnOkStep.h"
#include "srn/SrnOptimizeDlg.h"

namespace quorvel {
namespace {

const QColor kDialogBackground(230, 230, 230);
const QColor kPanelBackground(245, 255, 229);
const QColor kGroupText(0, 0, 255);

// Toolbar pictures, drawn rather than shipped as files.
QPixmap ToolbarIcon(int kind) {
  QPixmap pixmap(20, 20);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPen pen(QColor(40, 40, 40), 1.6);
  painter.setPen(pen);
  if (kind == 0 || kind == 1) {  // magnifier with "+" (zoom in) or "1" (reset)
    painter.drawEllipse(QPointF(8, 8), 5.5, 5.5);
    painter.setPen(QPen(QColor(40, 40, 40), 2.6));
    painter.drawLine(QPointF(12, 12), QPointF(17.5, 17.5));
    painter.setPen(QPen(QColor(0, 80, 200), 1.6));
    painter.drawLine(QPointF(5.5, 8), QPointF(10.5, 8));
    if (kind == 0) painter.drawLine(QPointF(8, 5.5), QPointF(8, 10.5));
  } else {  // drawing setup: three colour swatches
    const QColor colours[] = {QColor(220, 60, 60), QColor(40, 150, 40), QColor(40, 80, 220)};
    for (int i = 0; i < 3; ++i) {
      painter.setBrush(colours[i]);
      painter.drawRect(QRectF(2 + i * 6, 4 + (i % 2) * 5, 5, 10));
    }
  }
  return pixmap;
}

QPixmap ArrowPicture() {
  // The arrow from the SR-N group down to the liquefaction-curve group.
  QPixmap pixmap(36, 30);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 150, 60));
  QPainterPath path;
  path.moveTo(12, 0);
  path.lineTo(24, 0);
  path.lineTo(24, 14);
  path.lineTo(34, 14);
  path.lineTo(18, 29);
  path.lineTo(2, 14);
  path.lineTo(12, 14);
  path.closeSubpath();
  painter.drawPath(path);
  return pixmap;
}

CExpButton* MakePageButton(const QString& text, const char* name, QWidget* parent) {
  auto* button = new CExpButton(text, parent);
  NameControl(button, name, text);
  button->SetStyle(CExpButton::kFlat);
  CExpButton::Colors colours = button->ColorSet();
  colours.face = QColor(255, 255, 255);
  colours.hover = QColor(255, 255, 190);
  colours.accent = QColor(0, 110, 40);
  colours.text = QColor(0, 0, 0);
  button->SetColors(colours);
  button->setMinimumHeight(34);
  return button;
}

CExpButton* MakeToolButton(int icon, const QString& tip, const char* name, QWidget* parent) {
  auto* button = new CExpButton(parent);
  NameControl(button, name, tip);
  button->SetStyle(CExpButton::kBitmap);
  const QPixmap picture = ToolbarIcon(icon);
  QPixmap greyed(picture.size());
  greyed.fill(Qt::transparent);
  {
    QPainter painter(&greyed);
    painter.setOpacity(0.3);
    painter.drawPixmap(0, 0, picture);
  }
  button->SetBitmaps(picture, picture, greyed);
  button->SetUseDisabledBitmap(true);
  button->setFixedSize(28, 26);
  button->setToolTip(tip);
  return button;
}

}  // namespace

CSrnFormDlg::CSrnFormDlg(std::string folder, std::string stratumLabel, QWidget* parent, SrnPageFactory replacePage)
    : QDialog(parent),
      folder_(std::move(folder)),
      stratumLabel_(std::move(stratumLabel)),
      replacePage_(std::move(replacePage)) {
  setObjectName(QStringLiteral("srnForm"));
  BuildWindow();
}

CSrnFormDlg::~CSrnFormDlg() = default;

void CSrnFormDlg::BuildWindow() {
  // 1. Texts.
  setWindowTitle(UiText(10001));
  QPalette background = palette();
  background.setColor(QPalette::Window, kDialogBackground);
  setPalette(background);
  setAutoFillBackground(true);

  // Stratum header: 1039 caption, 1038 number, 1000 name.
  auto* stratumCaption = new QLabel(UiText(10007), this);
  NameControl(stratumCaption, "stratumCaption", stratumCaption->text());
  stratumNumber_ = new QLineEdit(this);
  NameControl(stratumNumber_, "stratumNumber", UiText(10007));
  stratumNumber_->setReadOnly(true);
  stratumNumber_->setFixedWidth(60);
  stratumName_ = new QLineEdit(this);
  NameControl(stratumName_, "stratumName", UiText(10007));
  stratumName_->setReadOnly(true);
  stratumName_->setMinimumWidth(220);
  stratumNumber_->setFocusPolicy(Qt::ClickFocus);
  stratumName_->setFocusPolicy(Qt::ClickFocus);

  // Graph toolbar.
  copyGraphButton_ = new QPushButton(UiText(10114), this);  // 1076
  NameControl(copyGraphButton_, "copyGraphButton", copyGraphButton_->text());
  copyGraphButton_->setToolTip(UiText(10114));
  largeGraphButton_ = new QPushButton(UiText(10115), this);  // 1077
  NameControl(largeGraphButton_, "largeGraphButton", largeGraphButton_->text());
  zoomInButton_ = MakeToolButton(0, UiText(10116), "zoomInButton", this);         // 1078
  zoomResetButton_ = MakeToolButton(1, UiText(10117), "zoomResetButton", this);   // 1090
  drawingButton_ = MakeToolButton(2, UiText(10108), "drawingSetupButton", this);  // 1048

  auto* header = new QHBoxLayout;
  header->addWidget(stratumCaption);
  header->addWidget(stratumNumber_);
  header->addWidget(stratumName_, 1);
  header->addSpacing(16);
  header->addWidget(copyGraphButton_);
  header->addWidget(largeGraphButton_);
  header->addWidget(zoomInButton_);
  header->addWidget(zoomResetButton_);
  header->addWidget(drawingButton_);

  // Left panel (1101): two group boxes with the page buttons and the arrow.
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("leftPanel"));
  QPalette panelPalette = panel->palette();
  panelPalette.setColor(QPalette::Window, kPanelBackground);
  panel->setPalette(panelPalette);
  panel->setAutoFillBackground(true);
  // Wide enough for the longer group title of the run's language.
  const QFontMetrics metrics(font());
  panel->setFixedWidth(
      std::max({170, metrics.horizontalAdvance(UiText(10014)) + 48, metrics.horizontalAdvance(UiText(10011)) + 48}));
  const QString groupStyle = QStringLiteral(
      "QGroupBox { background: rgb(245,255,229); color: rgb(0,0,255); border: 1px solid rgb(150,170,140);"
      " border-radius: 3px; margin-top: 1.4em; padding: 4px; }"
      "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; color: rgb(0,0,255); }");
  auto* srnGroup = new QGroupBox(UiText(10011), panel);  // 1029
  NameControl(srnGroup, "srnGroup", srnGroup->title());
  srnGroup->setStyleSheet(groupStyle);
  auto* liquidGroup = new QGroupBox(UiText(10014), panel);  // 1030
  NameControl(liquidGroup, "liquidGroup", liquidGroup->title());
  liquidGroup->setStyleSheet(groupStyle);
  pageButtons_[0] = MakePageButton(UiText(10012), "inputPageButton", srnGroup);          // 1001
  pageButtons_[1] = MakePageButton(UiText(10013), "srnOptimizeButton", srnGroup);        // 1002
  pageButtons_[2] = MakePageButton(UiText(10013), "liquidOptimizeButton", liquidGroup);  // 1003
  // The two "最適化" buttons differ only by their group: say which for screen readers.
  pageButtons_[1]->setAccessibleName(UiText(10011) + QLatin1Char(' ') + UiText(10013));
  pageButtons_[2]->setAccessibleName(UiText(10014) + QLatin1Char(' ') + UiText(10013));
  auto* srnLayout = new QVBoxLayout(srnGroup);
  srnLayout->addWidget(pageButtons_[0]);
  srnLayout->addWidget(pageButtons_[1]);
  auto* liquidLayout = new QVBoxLayout(liquidGroup);
  liquidLayout->addWidget(pageButtons_[2]);
  auto* arrow = new QLabel(panel);
  arrow->setObjectName(QStringLiteral("arrowPicture"));
  arrow->setPixmap(ArrowPicture());
  arrow->setAlignment(Qt::AlignCenter);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(8, 8, 8, 8);
  panelLayout->addWidget(srnGroup);
  panelLayout->addWidget(arrow);
  panelLayout->addWidget(liquidGroup);
  panelLayout->addStretch(1);
  for (int i = 0; i < SrnPage::kPageCount; ++i) {
    connect(pageButtons_[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { OnPageButton(i); });
  }

  // Page area (1004).
  pageArea_ = new QWidget(this);
  pageArea_->setObjectName(QStringLiteral("pageArea"));
  pageStack_ = new QStackedLayout(pageArea_);
  pageStack_->setContentsMargins(0, 0, 0, 0);

  okButton_ = new QPushButton(UiText(10119), this);
  NameControl(okButton_, "okButton", okButton_->text());
  cancelButton_ = new QPushButton(UiText(10010), this);
  NameControl(cancelButton_, "cancelButton", cancelButton_->text());
  for (QPushButton* button : {okButton_, cancelButton_}) button->setMinimumWidth(100);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);

  auto* middle = new QHBoxLayout;
  middle->addWidget(panel);
  middle->addWidget(pageArea_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addLayout(middle, 1);
  layout->addLayout(buttons);

  connect(okButton_, &QPushButton::clicked, this, &CSrnFormDlg::OnOk);
  connect(cancelButton_, &QPushButton::clicked, this, &CSrnFormDlg::reject);
  connect(zoomInButton_, &QPushButton::clicked, this, &CSrnFormDlg::OnZoomIn);
  connect(zoomResetButton_, &QPushButton::clicked, this, &CSrnFormDlg::OnZoomReset);
  connect(copyGraphButton_, &QPushButton::clicked, this, &CSrnFormDlg::OnCopyGraph);
  connect(largeGraphButton_, &QPushButton::clicked, this, &CSrnFormDlg::OnLargeScreen);
  connect(drawingButton_, &QPushButton::clicked, this, &CSrnFormDlg::OnDrawingSetup);

  DialogConventions::Install(this, okButton_, cancelButton_);
  resize(DialogUnitsToPixels(*this, 611, 453));
  KeepInitialSizeAsMinimum(this);
}

void CSrnFormDlg::SetStratumHeader() {
  // Pieces that are only a delimiter (the ":" of "3 : 砂質土") are not fields.
  CStringSplit splitter;
  std::vector<std::string> fields;
  for (const std::string& piece : splitter.Split(stratumLabel_, CStringSplit::D4)) {
    std::string_view field = piece;
    while (!field.empty() && CStringSplit::D4.find(field.front()) != std::string_view::npos) field.remove_prefix(1);
    while (!field.empty() && CStringSplit::D4.find(field.back()) != std::string_view::npos) field.remove_suffix(1);
    if (!field.empty()) fields.emplace_back(field);
  }
  if (fields.size() >= 2) {
    stratumNumber_->setText(ToQt(fields[0]));
    stratumName_->setText(ToQt(fields[1]));
  } else {
    stratumName_->setText(ToQt(stratumLabel_));
  }
  stratumName_->setCursorPosition(0);
}

bool CSrnFormDlg::Initialise() {
  if (initialised_) return !record_.LoadFailed;
  initialised_ = true;
  std::string error;
  if (!ReadSrnInput(folder_ + kHandOffFileName, record_, &error)) {
    record_.Unchanged = true;
    record_.LoadFailed = true;
    // Japanese only, in both languages.
    ShowMessageBox(this, QStringLiteral("印刷データの読み込みに失敗しました。"), ConfirmCaption(), QMessageBox::NoIcon,
                   MessageButtons::Ok);
    OnOk();  // the unchanged flag makes this the Cancel close
    return false;
  }
  record_.Colours = LoadColourRecord(folder_ + kColourFileName);
  CreatePages();
  record_.DaGraph.YPitch = 0.4;
  record_.DaGraph.XPitch = 25.0;
  SetStratumHeader();
  ShowPage(SrnPage::kInputData);
  SelectPageButton(SrnPage::kInputData);
  pages_[0]->Activate();
  return true;
}

int CSrnFormDlg::exec() {
  if (!initialised_ && !Initialise()) return result();
  if (record_.LoadFailed) return QDialog::Rejected;
  return QDialog::exec();
}

void CSrnFormDlg::CreatePages() {
  pages_[0] = new CSrnInputDataDlg(record_, pageArea_, ToQt(folder_));
  for (int i = 1; i < SrnPage::kPageCount; ++i) {
    SrnPage* page = replacePage_ ? replacePage_(i, record_, pageArea_) : nullptr;
    if (page == nullptr) {
      if (i == SrnPage::kSrnOptimize)
        page = new CSrnOptimizeDlg(record_, pageArea_);
      else
        page = new CLiquidOptimizeDlg(record_, pageArea_);
    }
    pages_[static_cast<std::size_t>(i)] = page;
  }
  for (SrnPage* page : pages_) {
    pageStack_->addWidget(page);
    if (GraphArea* graph = page->Graph()) {
      // A wheel turn leaves zooming in possible (the zoom stays at or below 8.0).
      connect(graph, &GraphArea::ViewChanged, this, [this] { zoomInButton_->setEnabled(true); });
    }
  }
}

SrnPage* CSrnFormDlg::Page(int pageIndex) const {
  return pageIndex >= 0 && pageIndex < SrnPage::kPageCount ? pages_[static_cast<std::size_t>(pageIndex)] : nullptr;
}

CSrnInputDataDlg* CSrnFormDlg::InputPage() const { return static_cast<CSrnInputDataDlg*>(pages_[0]); }

GraphArea* CSrnFormDlg::CurrentGraph() const {
  SrnPage* page = Page(pageIndex_);
  return page != nullptr ? page->Graph() : nullptr;
}

void CSrnFormDlg::ShowPage(int pageIndex) {
  pageIndex_ = pageIndex;
  SrnPage* page = Page(pageIndex);
  if (page == nullptr) return;
  pageStack_->setCurrentWidget(page);
  page->setFocus();
}

void CSrnFormDlg::SelectPageButton(int pageIndex) {
  for (int i = 0; i < SrnPage::kPageCount; ++i) {
    CExpButton* button = pageButtons_[static_cast<std::size_t>(i)];
    button->SetChecked(i == pageIndex);
    button->update();
  }
}

void CSrnFormDlg::RefreshOptimisationPages() {
  if (!record_.DataChanged) return;
  pages_[1]->RefreshFromData();
  pages_[2]->RefreshFromData();
  record_.DataChanged = false;
}

void CSrnFormDlg::OnPageButton(int pageIndex) {
  if (pages_[0] == nullptr) return;  // not initialised
  switch (pageIndex) {
    case SrnPage::kInputData:
      SelectPageButton(0);
      ShowPage(0);
      pages_[0]->Activate();
      break;
    case SrnPage::kSrnOptimize:
      SelectPageButton(1);
      ShowPage(1);
      RefreshOptimisationPages();
      pages_[1]->Activate();
      break;
    case SrnPage::kLiquidOptimize: {
      RefreshOptimisationPages();
      record_.SrnNotOptimised = (record_.SrnCurves.IsEmpty() || !pages_[1]->HasOwnResults()) ? 1 : 0;
      // Data as the host sent them may go straight to page 2; anything else
      // needs a fresh SR-N optimisation first.
      if (record_.SrnNotOptimised != 0 && !(record_.Unchanged && record_.HostSentSets)) {
        ShowWarning(this, UiText(10102));
        return;
      }
      SelectPageButton(2);
      ShowPage(2);
      RefreshOptimisationPages();
      pages_[2]->Activate();
      break;
    }
    default:
      break;
  }
}

void CSrnFormDlg::OnOk() {
  if (pages_[1] != nullptr) RefreshOptimisationPages();
  const bool constantsNotFinished = pages_[2] != nullptr && pages_[2]->OptimisationNotFinished();
  // The Japanese texts of the refusals are shown in both languages.
  switch (DecideSrnOk(record_, constantsNotFinished)) {
    case SrnOkStep::EndAsCancel:
      reject();  // the host gets CANCEL
      return;
    case SrnOkStep::ShowSrnNotOptimised:
      ShowWarning(this, QStringLiteral("SR-N関係の最適化が終了していません。\n最適化を行ってから代入して下さい。"));
      return;
    case SrnOkStep::ShowConstantsNotFinished:
      ShowWarning(this,
                  QStringLiteral("液状化強度曲線の最適化が終了していません。\n最適化を行ってから代入して下さい。"));
      return;
    case SrnOkStep::ShowNoneSelected:
      if (IsJapanese()) {
        ShowMessageBox(
            this, QStringLiteral("Dreviaに利用するデータが選択されていません。\nデータを選択してから代入して下さい。"),
            QStringLiteral("確認"), QMessageBox::Warning, MessageButtons::Ok);
      } else {
        ShowMessageBox(this, QStringLiteral("Please Check"), UiText(10123), QMessageBox::Warning, MessageButtons::Ok);
      }
      return;
    case SrnOkStep::AskResidual:
      if (AskYesNo(this, UiText(10104)) != kIdYes) return;
      break;
    case SrnOkStep::WriteAnswer:
      break;
  }
  pages_[2]->StoreToRecords();
  const AnswerDelivery delivery = WriteSrnAnswer(folder_, record_);
  if (delivery.Refused) {
    // Closing now would leave the host waiting for an answer that never comes.
    ShowWarning(this, UiText("Dreviaへの回答を作成できません。\n", "The answer to Drevia cannot be made.\n") +
                          ToQt(delivery.Error));
    return;
  }
  accept();
}

void CSrnFormDlg::OnZoomIn() {
  GraphArea* graph = CurrentGraph();
  if (graph == nullptr) return;
  zoomInButton_->setEnabled(graph->ZoomIn());
}

void CSrnFormDlg::OnZoomReset() {
  if (GraphArea* graph = CurrentGraph()) graph->ResetZoom();
  zoomInButton_->setEnabled(true);
}

void CSrnFormDlg::OnCopyGraph() {
  if (GraphArea* graph = CurrentGraph()) graph->CopyToClipboard();
}

void CSrnFormDlg::OnLargeScreen() {
  if (GraphArea* graph = CurrentGraph()) graph->ShowLargeScreen();
}

void CSrnFormDlg::OnDrawingSetup() {
  if (pages_[0] == nullptr) return;
  CSetColorSrnDlg dialog(record_.Colours, record_.DataSets, record_.DaGraph, record_.Unchanged, this);
  dialog.SetColourFilePath(folder_ + kColourFileName);
  // Changes act at once: the graph behind the dialog follows them.
  connect(&dialog, &DrawingSetupDialog::OwnerRedraw, this,
          [this] { pages_[static_cast<std::size_t>(pageIndex_)]->RedrawGraph(); });
  const bool accepted = dialog.exec() == QDialog::Accepted;
  // OK has marked both graphs' settings out of date; page 2 shows the DA graph.
  if (accepted) pages_[SrnPage::kLiquidOptimize]->RedrawGraph();
  pages_[static_cast<std::size_t>(pageIndex_)]->RedrawGraph();
}

ModeResult RunSrnForm(const StartRequest& request) {
  CSrnFormDlg form(ProgramFolder(), request.stratumLabel);
  return form.exec() == QDialog::Accepted ? ModeResult::Ok : ModeResult::Cancel;
}

}  // namespace quorvel
