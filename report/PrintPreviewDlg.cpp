#include "report/PrintPreviewDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "controls/DialogConventions.h"
#include "controls/ExpButton.h"
#include "controls/ExpEdit.h"
#include "controls/MessageBoxes.h"
#include "controls/UiText.h"
#include "host/Language.h"
#include "report/ReportComposition.h"
#include "report/ReportPageDrawing.h"

namespace quorvel {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

constexpr unsigned kBackground = 0xC9C9C9;
constexpr int kMargin = 300;  // page units left free around the paper
constexpr int kResizeSettleMs = 150;

// The arrow faces (normal, pressed, disabled): a triangle pointing left or right.
QPixmap ArrowFace(bool right, int state) {
  QPixmap face(28, 22);
  face.fill(state == 1 ? QColor(0xB8, 0xC8, 0xE0) : QColor(0xF0, 0xF0, 0xF0));
  QPainter painter(&face);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.drawRect(face.rect().adjusted(0, 0, -1, -1));
  QPainterPath arrow;
  const double tip = right ? 20.0 : 8.0;
  const double base = right ? 9.0 : 19.0;
  arrow.moveTo(tip, 11);
  arrow.lineTo(base, 4);
  arrow.lineTo(base, 18);
  arrow.closeSubpath();
  painter.fillPath(arrow, state == 2 ? QColor(0xB0, 0xB0, 0xB0) : QColor(0x20, 0x40, 0x80));
  return face;
}

int CeilDiv(int a, int b) { return b > 0 ? (a + b - 1) / b : 1; }

}  // namespace

// The preview area (1080): shows the last rendered page picture; renders it
// again on demand and once a resize has settled.
class PreviewArea : public QWidget {
 public:
  explicit PreviewArea(CPrintPreviewDlg& owner) : QWidget(&owner), owner_(owner) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(300, 400);
    settle_.setSingleShot(true);
    settle_.setInterval(kResizeSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] { Render(); });
  }

  void Render() {
    if (width() <= 0 || height() <= 0) return;
    picture_ = owner_.RenderPreview(size());
    repaint();
  }
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (picture_.size() != size()) painter.fillRect(rect(), QColor::fromRgb(kBackground));
    painter.drawImage(0, 0, picture_);
  }
  void showEvent(QShowEvent*) override { Render(); }
  void resizeEvent(QResizeEvent*) override {
    // While the user sizes the window the page is drawn again once the
    // sizing has ended, not at every step.
    if (!isVisible() || picture_.isNull())
      Render();
    else
      settle_.start();
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    last_ = event->position().toPoint();
    dragging_ = true;
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!dragging_) return;
    const QPoint at = event->position().toPoint();
    const QPoint movement = at - last_;
    last_ = at;
    owner_.DragBy(movement);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) dragging_ = false;
  }
  void wheelEvent(QWheelEvent* event) override {
    owner_.Wheel(event->angleDelta().y());
    event->accept();
  }

 private:
  friend class CPrintPreviewDlg;
  CPrintPreviewDlg& owner_;
  QImage picture_;
  QTimer settle_;
  QPoint last_;
  bool dragging_ = false;
};

CPrintPreviewDlg::CPrintPreviewDlg(CPrintProject& project, std::string formFolder, QWidget* parent,
                                   const ComposerFactory& makeComposer)
    : QDialog(parent), project_(project), formFolder_(std::move(formFolder)) {
  BuildWidgets();
  composer_ = makeComposer ? makeComposer() : std::make_unique<CKavletComposer>();
  composer_->SetSpace(0, 0);
  composer_->SetSoejiFlag(1);
  composer_->SetPrintPageNum(0);
  project_.PageNumberFlag = true;
  pageNumbers_->setChecked(true);
  Compose();
  UpdateButtons();
  // After the page count is in its label: the first size is the smallest.
  KeepInitialSizeAsMinimum(this);
}

CPrintPreviewDlg::~CPrintPreviewDlg() {
  composer_->EndPrinting();
  project_.Attach(nullptr);
}

void CPrintPreviewDlg::BuildWidgets() {
  setObjectName(QStringLiteral("printPreview"));
  setWindowTitle(U("印刷プレビュー"));
  setAccessibleName(windowTitle());
  setSizeGripEnabled(true);

  close_ = new QPushButton(U("閉じる"), this);  // 2
  NameControl(close_, "closeButton", close_->text());
  print_ = new QPushButton(U("印刷"), this);  // 1081
  NameControl(print_, "printButton", print_->text());
  word_ = new QPushButton(U("Word出力"), this);  // 1089
  NameControl(word_, "wordButton", word_->text());
  zoomIn_ = new QPushButton(U("拡大"), this);  // 1082
  NameControl(zoomIn_, "zoomInButton", zoomIn_->text());
  zoomOut_ = new QPushButton(U("縮小"), this);  // 1083
  NameControl(zoomOut_, "zoomOutButton", zoomOut_->text());
  previous_ = new CExpButton(U("←"), this);  // 1084
  NameControl(previous_, "previousButton", previous_->text());
  next_ = new CExpButton(U("→"), this);  // 1085
  NameControl(next_, "nextButton", next_->text());
  for (CExpButton* arrow : {previous_, next_}) {
    const bool right = arrow == next_;
    arrow->SetStyle(CExpButton::kBitmap);
    arrow->SetUseDisabledBitmap(true);
    arrow->SetBitmaps(ArrowFace(right, 0), ArrowFace(right, 1), ArrowFace(right, 2));
    arrow->setFixedSize(30, 24);
  }
  pageEdit_ = new CExpEdit(this);  // 1087
  NameControl(pageEdit_, "pageEdit", U("ページ番号"));
  pageEdit_->setFixedWidth(48);
  pageEdit_->setAlignment(Qt::AlignRight);
  pageCount_ = new QLabel(this);  // 1088
  pageCount_->setObjectName(QStringLiteral("pageCountLabel"));
  pageNumbers_ = new QCheckBox(U("下部にページ番号を表示する"), this);  // 1086
  NameControl(pageNumbers_, "pageNumberCheck", pageNumbers_->text());
  area_ = new PreviewArea(*this);
  NameControl(area_, "previewArea", windowTitle());

  auto* bar = new QHBoxLayout;
  bar->addWidget(print_);
  bar->addWidget(word_);
  bar->addSpacing(12);
  bar->addWidget(zoomIn_);
  bar->addWidget(zoomOut_);
  bar->addSpacing(12);
  bar->addWidget(previous_);
  bar->addWidget(pageEdit_);
  bar->addWidget(pageCount_);
  bar->addWidget(next_);
  bar->addSpacing(12);
  bar->addWidget(pageNumbers_);
  bar->addStretch(1);
  bar->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(area_, 1);
  resize(760, 900);

  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  connect(print_, &QPushButton::clicked, this, [this] { Choose(kPrint); });
  connect(word_, &QPushButton::clicked, this, [this] { Choose(kWord); });
  connect(zoomIn_, &QPushButton::clicked, this, &CPrintPreviewDlg::ZoomIn);
  connect(zoomOut_, &QPushButton::clicked, this, &CPrintPreviewDlg::ZoomReset);
  connect(previous_, &QPushButton::clicked, this, &CPrintPreviewDlg::PreviousPage);
  connect(next_, &QPushButton::clicked, this, &CPrintPreviewDlg::NextPage);
  connect(pageEdit_, &CExpEdit::Committed, this, &CPrintPreviewDlg::PageEditCommitted);
  connect(pageNumbers_, &QCheckBox::toggled, this, [this](bool on) {
    project_.PageNumberFlag = on;
    Redraw();
  });
  // Enter moves on through the controls (so a typed page number is taken
  // over); Escape closes nothing.
  DialogConventions::Install(this, nullptr, close_);
}

void CPrintPreviewDlg::Compose() {
  if (!composer_->BeginPrinting()) {
    failure_ = U("Failed to Print.");
    return;
  }
  project_.Attach(composer_.get());
  project_.PrintingFlag = 0;
  const CompositionResult result = ComposeReport(project_, formFolder_);
  if (!result.formsFound) formMessage_ = QString::fromStdString(result.message);
  const int count = composer_->PageCount();
  // Digits only, 1..count, as many digits as the count has.
  pageEdit_->SetUpInteger(1, std::max(1, count));
  pageEdit_->SetMaxBytes(count > 0 ? static_cast<int>(std::floor(std::log10(count))) + 1 : 1);
  if (count == 0) {
    failure_ = U("印刷する項目がありません。");
    return;
  }
  pageEdit_->setText(QStringLiteral("1"));
  pageCount_->setText(QStringLiteral("/ %1").arg(count));
  pageCount_->setAccessibleName(pageCount_->text());
}

int CPrintPreviewDlg::exec() {
  const QString caption = QCoreApplication::applicationName();
  if (!formMessage_.isEmpty())
    ShowMessageBox(parentWidget(), formMessage_, caption, QMessageBox::Warning, MessageButtons::Ok);
  if (!failure_.isEmpty()) {
    ShowMessageBox(parentWidget(), failure_, caption, QMessageBox::Warning, MessageButtons::Ok);
    setResult(Rejected);
    return Rejected;
  }
  return QDialog::exec();
}

int CPrintPreviewDlg::PageCount() const { return composer_->PageCount(); }

void CPrintPreviewDlg::UpdateButtons() {
  next_->setEnabled(page_ < PageCount());
  previous_->setEnabled(page_ != 1);
  // The zoom stops at its maximum; the button then has nothing left to do.
  zoomIn_->setEnabled(zoom_ < kMaximumZoom);
}

void CPrintPreviewDlg::Redraw() { area_->Render(); }

void CPrintPreviewDlg::ShowPage(int page) {
  page_ = page;
  pageEdit_->setText(QString::number(page_));
  Redraw();
  UpdateButtons();
  if (page_ == PageCount()) area_->setFocus(Qt::OtherFocusReason);
}

void CPrintPreviewDlg::NextPage() {
  if (page_ < PageCount()) ShowPage(page_ + 1);
}

void CPrintPreviewDlg::PreviousPage() {
  if (page_ >= 2) ShowPage(page_ - 1);
}

void CPrintPreviewDlg::PageEditCommitted() {
  const QString text = pageEdit_->text().trimmed();
  if (text.isEmpty()) return;
  bool ok = false;
  const int number = text.toInt(&ok);
  if (!ok || number == 0) return;
  if (number > PageCount()) {
    pageEdit_->setText(QString::number(PageCount()));
    return;
  }
  if (number != page_) ShowPage(number);
}

void CPrintPreviewDlg::ZoomIn() {
  if (zoom_ < kMaximumZoom) zoom_ = std::min(kMaximumZoom, zoom_ * kZoomStep);
  Redraw();
  UpdateButtons();
}

void CPrintPreviewDlg::ZoomReset() {
  zoom_ = 1.0;
  pan_ = QPoint();
  area_->dragging_ = false;
  Redraw();
  UpdateButtons();
}

void CPrintPreviewDlg::Wheel(int delta) {
  if (delta > 0) zoom_ = std::min(kMaximumZoom, zoom_ * kZoomStep);
  if (delta < 0) zoom_ = std::max(1.0, zoom_ * 0.8);
  Redraw();
  UpdateButtons();
}

void CPrintPreviewDlg::DragBy(const QPoint& movement) {
  pan_ += movement;
  Redraw();
}

void CPrintPreviewDlg::Choose(int action) {
  action_ = action;
  accept();
}

QImage CPrintPreviewDlg::RenderPreview(const QSize& size) const {
  QImage image(size, QImage::Format_RGB32);
  image.fill(QColor::fromRgb(kBackground));
  if (PageCount() == 0 || size.isEmpty()) return image;
  const QSize paper = composer_->GetPaperSize();
  // The smallest whole number of page units per pixel that shows the zoomed
  // paper in the area; the paper is centred and moved by the pan.
  const int w = static_cast<int>(paper.width() / zoom_);
  const int h = static_cast<int>(paper.height() / zoom_);
  const int ratio = std::max({1, CeilDiv(w, size.width()), CeilDiv(h, size.height())});
  const int logicalWidth = size.width() * ratio;
  const int logicalHeight = size.height() * ratio;
  const double left = (logicalWidth - paper.width()) / 2.0 + pan_.x() * 20.0 / zoom_;
  const double top = (logicalHeight - paper.height()) / 2.0 + pan_.y() * 20.0 / zoom_;

  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setWindow(static_cast<int>(std::lround(-kMargin - left)), static_cast<int>(std::lround(-kMargin - top)),
                    logicalWidth + 2 * kMargin, logicalHeight + 2 * kMargin);
  painter.setViewport(0, 0, size.width(), size.height());
  painter.fillRect(QRect(QPoint(0, 0), paper), Qt::white);
  DrawReportPage(*composer_, painter, page_, project_, ReportFrameDrawer(project_));
  return image;
}

}  // namespace quorvel
