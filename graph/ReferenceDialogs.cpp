#include "graph/ReferenceDialogs.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/UiText.h"
#include "graph/DialogSize.h"
#include "graph/ReferencePictures.h"

namespace quorvel {

PictureView::PictureView(Painter painter, QSizeF natural, QWidget* parent)
    : QWidget(parent), painter_(std::move(painter)), natural_(natural) {
  setObjectName(QStringLiteral("picture"));
  setMinimumSize(120, 40);
}

QSize PictureView::sizeHint() const { return natural_.toSize(); }

void PictureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter_(painter, QRectF(rect()));
}

PictureDialog::PictureDialog(PictureView::Painter painter, QSizeF natural, int titleId, int widthUnits, int heightUnits,
                             QWidget* parent)
    : QDialog(parent), picture_(new PictureView(std::move(painter), natural, this)), close_(new QPushButton(this)) {
  setWindowTitle(UiText(titleId));
  close_->setText(UiText(10105));
  NameControl(close_, "closeButton", close_->text());
  picture_->setAccessibleName(windowTitle());
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(picture_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close_);
  layout->addLayout(buttons);
  resize(DialogUnitsToPixels(*this, widthUnits, heightUnits));
}

CRefGraphDlg::CRefGraphDlg(QWidget* parent)
    : PictureDialog(DrawSrnExplanation, SrnExplanationSize(), 10125, 301, 302, parent) {
  setObjectName(QStringLiteral("refGraphDialog"));
}

CRefFuncDlg::CRefFuncDlg(QWidget* parent)
    : PictureDialog(DrawConstantFormulas, ConstantFormulasSize(), 10106, 435, 214, parent) {
  setObjectName(QStringLiteral("refFuncDialog"));
}

CRefFuncStrainDlg::CRefFuncStrainDlg(QWidget* parent)
    : PictureDialog(DrawStrainFormula, StrainFormulaSize(), 10106, 325, 82, parent) {
  setObjectName(QStringLiteral("refFuncStrainDialog"));
}

}  // namespace quorvel
