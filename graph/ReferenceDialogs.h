#pragma once
// The three picture dialogs: the SR-N graph explained (CRefGraphDlg), the
// liquefaction-constant functions (CRefFuncDlg) and the strain model
// (CRefFuncStrainDlg). Title and Close button come from the string table; the
// pictures are the same in both languages.
#include <QDialog>
#include <QSizeF>
#include <QWidget>
#include <functional>

class QPushButton;

namespace quorvel {

// Paints a vector picture scaled to the widget.
class PictureView : public QWidget {
  Q_OBJECT
 public:
  using Painter = std::function<void(QPainter&, const QRectF&)>;
  PictureView(Painter painter, QSizeF natural, QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Painter painter_;
  QSizeF natural_;
};

// A dialog with one picture and a Close button.
class PictureDialog : public QDialog {
  Q_OBJECT
 public:
  PictureView* Picture() const { return picture_; }
  QPushButton* CloseButton() const { return close_; }

 protected:
  // `widthUnits` x `heightUnits`: the resource's size in dialog units.
  PictureDialog(PictureView::Painter painter, QSizeF natural, int titleId, int widthUnits, int heightUnits,
                QWidget* parent);

 private:
  PictureView* picture_;
  QPushButton* close_;
};

// "グラフの説明" / "Explanation of the graph" (resource 171, picture 144).
class CRefGraphDlg : public PictureDialog {
  Q_OBJECT
 public:
  explicit CRefGraphDlg(QWidget* parent = nullptr);
};

// "式" / "Formula" for the liquefaction constants (resource 147, picture 148).
class CRefFuncDlg : public PictureDialog {
  Q_OBJECT
 public:
  explicit CRefFuncDlg(QWidget* parent = nullptr);
};

// "式" / "Formula" for the strain model (resource 154, picture 143).
class CRefFuncStrainDlg : public PictureDialog {
  Q_OBJECT
 public:
  explicit CRefFuncStrainDlg(QWidget* parent = nullptr);
};

}  // namespace quorvel
