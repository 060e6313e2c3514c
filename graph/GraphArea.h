#pragma once
// The graph area every page and form embeds: it paints its CGraphDrawer,
// zooms with the wheel, pans while the left or middle button drags, offers
// "Copy" on the right button, and gives the form's toolbar its operations.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <memory>

#include "graph/GraphDrawer.h"

class QMenu;

namespace quorvel {

class GraphArea : public QWidget {
  Q_OBJECT
 public:
  explicit GraphArea(QWidget* parent = nullptr);

  // The drawer whose series, zoom and pan this area shows. Change the series
  // through it, then call update() (or Redraw()).
  CGraphDrawer& Drawer() { return drawer_; }
  const CGraphDrawer& Drawer() const { return drawer_; }
  // 0 for the pages' areas, 1 inside the large-screen dialog.
  void SetDrawMode(int mode) { mode_ = mode; }
  int DrawMode() const { return mode_; }

  // Toolbar state the form sets and reads directly.
  double Zoom() const { return drawer_.Zoom(); }
  void SetZoom(double zoom);
  int PanX() const { return drawer_.PanX(); }
  int PanY() const { return drawer_.PanY(); }
  void SetPan(int panX, int panY);
  bool IsDragging() const { return dragging_; }
  void SetDragging(bool dragging);

  // One wheel turn (positive delta forward); returns whether zooming in is
  // still possible (zoom <= 8.0, so always true), which enables zoom in.
  bool WheelZoom(int delta);
  // The toolbar's zoom in; returns false (and changes nothing) at 8.0 or more.
  bool ZoomIn();
  // The toolbar's zoom reset: zoom 1.0, pan 0, dragging off.
  void ResetZoom();
  void Redraw() { update(); }

  // The graph as the clipboard gets it: the area's size, off-screen mode 0.
  QImage GraphImage();
  // Puts GraphImage() on the clipboard; false (after the message) on failure.
  bool CopyToClipboard();
  // Opens the large-screen dialog on a copy of this drawer at zoom 1.0, pan 0
  // and the default text sizes; this area is unchanged afterwards.
  void ShowLargeScreen();

  // The right-button menu: one item, "コピー (&C)" or "Copy(&C)".
  std::unique_ptr<QMenu> MakeContextMenu();

 signals:
  // About to paint: a page rebuilds the series of its current view here.
  void AboutToDraw();
  // Zoom or pan changed by the mouse (the toolbar may update its buttons).
  void ViewChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  CGraphDrawer drawer_;
  int mode_ = kDrawArea;
  bool dragging_ = false;
  QPoint lastPosition_;
};

// Puts `image` on the clipboard as a bitmap. A null image shows "メモリの確保に
// 失敗しました。", a missing clipboard "クリップボードのオープンに失敗しました。"
// (caption "Clipboard", stop icon); both return false.
bool CopyGraphImageToClipboard(const QImage& image, QWidget* parent);

}  // namespace quorvel
