#pragma once
// CResizeGraphDlg shows a copy of a page's graph in a resizable dialog
// ("グラフ大画面" / "Large screen graph") that never gets smaller than it opens;
// zoom, pan and size changes there are lost when it closes.
#include <QDialog>
#include <QSize>

#include "graph/GraphDrawer.h"

namespace quorvel {

class GraphArea;

class CResizeGraphDlg : public QDialog {
  Q_OBJECT
 public:
  CResizeGraphDlg(const CGraphDrawer& drawer, QWidget* parent = nullptr);

  GraphArea* Area() const { return area_; }
  // The first size, which is also the smallest the user can make it.
  QSize MinimumTrackSize() const { return minimumTrack_; }
  QSize MaximumTrackSize() const { return maximumTrack_; }

 private:
  GraphArea* area_;
  QSize minimumTrack_;
  QSize maximumTrack_;
};

}  // namespace quorvel
