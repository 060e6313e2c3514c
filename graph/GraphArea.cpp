#include "graph/GraphArea.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "controls/MessageBoxes.h"
#include "controls/UiText.h"
#include "graph/ResizeGraphDlg.h"

namespace quorvel {

GraphArea::GraphArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("graphArea"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setMinimumSize(40, 30);
}

void GraphArea::SetZoom(double zoom) {
  drawer_.SetZoom(zoom);
  update();
}

void GraphArea::SetPan(int panX, int panY) {
  drawer_.SetPan(panX, panY);
  update();
}

void GraphArea::SetDragging(bool dragging) {
  dragging_ = dragging;
  if (!dragging && mouseGrabber() == this) releaseMouse();
}

bool GraphArea::WheelZoom(int delta) {
  drawer_.SetZoom(quorvel::WheelZoom(drawer_.Zoom(), delta));
  update();
  return drawer_.Zoom() <= kMaximumZoom;
}

bool GraphArea::ZoomIn() {
  if (drawer_.Zoom() >= kMaximumZoom) return false;
  drawer_.SetZoom(ZoomInStep(drawer_.Zoom()));
  update();
  return true;
}

void GraphArea::ResetZoom() {
  drawer_.SetZoom(1.0);
  drawer_.SetPan(0, 0);
  SetDragging(false);
  update();
}

QImage GraphArea::GraphImage() {
  emit AboutToDraw();
  return drawer_.RenderImage(size(), kDrawArea);
}

bool CopyGraphImageToClipboard(const QImage& image, QWidget* parent) {
  // Both messages exist only in Japanese and are shown in both languages.
  if (image.isNull()) {
    ShowMessageBox(parent, QStringLiteral("メモリの確保に失敗しました。"), QStringLiteral("Clipboard"),
                   QMessageBox::Critical, MessageButtons::Ok);
    return false;
  }
  QClipboard* clipboard = QGuiApplication::instance() != nullptr ? QGuiApplication::clipboard() : nullptr;
  if (clipboard == nullptr) {
    ShowMessageBox(parent, QStringLiteral("クリップボードのオープンに失敗しました。"), QStringLiteral("Clipboard"),
                   QMessageBox::Critical, MessageButtons::Ok);
    return false;
  }
  clipboard->setImage(image);
  return true;
}

bool GraphArea::CopyToClipboard() { return CopyGraphImageToClipboard(GraphImage(), this); }

void GraphArea::ShowLargeScreen() {
  emit AboutToDraw();
  CGraphDrawer copy = drawer_;
  copy.SetZoom(1.0);
  copy.SetPan(0, 0);
  copy.SetFontScale(kDefaultFontScale);
  copy.SetLegendSpacing(kDefaultLegendSpacing);
  CResizeGraphDlg dialog(copy, window());
  dialog.exec();
}

std::unique_ptr<QMenu> GraphArea::MakeContextMenu() {
  auto menu = std::make_unique<QMenu>(this);
  menu->setObjectName(QStringLiteral("graphMenu"));
  QAction* copy = menu->addAction(UiText("コピー (&C)", "Copy(&C)"));
  copy->setObjectName(QStringLiteral("copyAction"));
  connect(copy, &QAction::triggered, this, [this] { CopyToClipboard(); });
  return menu;
}

void GraphArea::paintEvent(QPaintEvent*) {
  emit AboutToDraw();
  QPainter painter(this);
  drawer_.Draw(painter, mode_, rect());
}

void GraphArea::mousePressEvent(QMouseEvent* event) {
  const bool panButton = event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton;
  if (panButton && rect().contains(event->position().toPoint())) {
    lastPosition_ = event->position().toPoint();
    dragging_ = true;
    grabMouse();
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

void GraphArea::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  const QPoint position = event->position().toPoint();
  const QPoint moved = position - lastPosition_;
  lastPosition_ = position;
  drawer_.SetPan(drawer_.PanX() + moved.x(), drawer_.PanY() + moved.y());
  update();
  emit ViewChanged();
}

void GraphArea::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) SetDragging(false);
  QWidget::mouseReleaseEvent(event);
}

void GraphArea::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) {
    event->ignore();
    return;
  }
  WheelZoom(delta);
  event->accept();
  emit ViewChanged();
}

void GraphArea::contextMenuEvent(QContextMenuEvent* event) {
  if (!rect().contains(event->pos())) return;
  std::unique_ptr<QMenu> menu = MakeContextMenu();
  menu->exec(event->globalPos());
}

}  // namespace quorvel
