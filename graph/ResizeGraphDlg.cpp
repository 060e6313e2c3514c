#include "graph/ResizeGraphDlg.h"

#include <QVBoxLayout>

#include "controls/UiText.h"
#include "graph/DialogSize.h"
#include "graph/GraphArea.h"

namespace quorvel {

CResizeGraphDlg::CResizeGraphDlg(const CGraphDrawer& drawer, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMaximizeButtonHint),
      area_(new GraphArea(this)) {
  setObjectName(QStringLiteral("resizeGraphDialog"));
  setWindowTitle(UiText(10115));
  setSizeGripEnabled(true);
  NameControl(area_, "graphPlaceholder", windowTitle());  // 1017
  area_->SetDrawMode(kDrawLargeScreen);
  area_->Drawer() = drawer;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(7, 7, 7, 7);
  layout->addWidget(area_);
  // Resource size 549 x 290 dialog units; the graph grows with the dialog.
  minimumTrack_ = DialogUnitsToPixels(*this, 549, 290);
  maximumTrack_ = minimumTrack_ + QSize(9999, 9999);
  resize(minimumTrack_);
  setMinimumSize(minimumTrack_);
  setMaximumSize(maximumTrack_);
}

}  // namespace quorvel
