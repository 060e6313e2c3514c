#include "controls/ExpButton.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace quorvel {
namespace {

// One-pixel 3-D edge: `topLeft` on the top and left sides, `bottomRight` on the others.
void DrawEdge(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  p.setPen(topLeft);
  p.drawLine(r.left(), r.bottom(), r.left(), r.top());
  p.drawLine(r.left(), r.top(), r.right(), r.top());
  p.setPen(bottomRight);
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
  p.drawLine(r.right(), r.bottom(), r.left(), r.bottom());
}

void DrawFrame(QPainter& p, const QRect& r, const QColor& color) {
  p.setPen(color);
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(0, 0, -1, -1));
}

}  // namespace

CExpButton::CExpButton(QWidget* parent) : CExpButton(QString(), parent) {}

CExpButton::CExpButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  const QPalette system = QApplication::palette();
  colors_.text = system.color(QPalette::ButtonText);
  colors_.face = system.color(QPalette::Button);
  colors_.accent = Qt::white;
  colors_.color3 = system.color(QPalette::Button);
  colors_.hover = Qt::white;
  colors_.highlight = system.color(QPalette::Light);
  colors_.light = system.color(QPalette::Midlight);
  colors_.shadow = system.color(QPalette::Mid);
  colors_.darkShadow = system.color(QPalette::Shadow);
  setAttribute(Qt::WA_Hover);
}

void CExpButton::SetStyle(int style) {
  style_ = style;
  update();
}

void CExpButton::SetChecked(bool checked) {
  checked_ = checked;
  update();
}

void CExpButton::SetHovered(bool hovered) {
  hovered_ = hovered;
  update();
}

void CExpButton::SetUseDisabledBitmap(bool use) {
  useDisabledBitmap_ = use;
  update();
}

void CExpButton::SetTextFormat(Qt::Alignment horizontal, Qt::Alignment vertical) {
  horizontal_ = horizontal & Qt::AlignHorizontal_Mask;
  vertical_ = vertical & Qt::AlignVertical_Mask;
  update();
}

void CExpButton::SetColors(const Colors& colors) {
  colors_ = colors;
  update();
}

void CExpButton::SetBitmaps(const QPixmap& normal, const QPixmap& pressed, const QPixmap& disabled) {
  bitmaps_ = {normal, pressed, disabled};
  update();
}

QPixmap CExpButton::CurrentBitmap() const {
  if (!isEnabled() && useDisabledBitmap_) return bitmaps_[2];
  if (isDown() || checked_) return bitmaps_[1];
  return bitmaps_[0];
}

void CExpButton::mousePressEvent(QMouseEvent* event) {
  if (style_ == kFlat && hovered_) SetHovered(false);
  QPushButton::mousePressEvent(event);
}

void CExpButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && toggle_ && (style_ == kRaised || style_ == kBitmap) && isDown() &&
      rect().contains(event->position().toPoint())) {
    checked_ = !checked_;
    update();
    emit CheckedToggled(checked_);
  }
  QPushButton::mouseReleaseEvent(event);
}

void CExpButton::enterEvent(QEnterEvent* event) {
  SetHovered(true);
  QPushButton::enterEvent(event);
}

void CExpButton::leaveEvent(QEvent* event) {
  SetHovered(false);
  QPushButton::leaveEvent(event);
}

void CExpButton::DrawCaption(QPainter& painter, const QRect& area) const {
  painter.setFont(font());
  const QString caption = text();
  int flags = static_cast<int>(horizontal_ | vertical_) | Qt::TextShowMnemonic;
  if (!caption.contains(QLatin1Char('\n'))) flags |= Qt::TextSingleLine;
  if (!isEnabled() && style_ == kGradient) {
    // The system's disabled text grey is the grey of this face: the caption is
    // etched instead, dark over a light copy, so it stays readable.
    painter.setPen(colors_.highlight);
    painter.drawText(area.translated(1, 1), flags, caption);
    painter.setPen(colors_.darkShadow.darker(160));
    painter.drawText(area, flags, caption);
    return;
  }
  painter.setPen(isEnabled() ? colors_.text : palette().color(QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(area, flags, caption);
}

void CExpButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  const bool sunken = isDown() || checked_;
  QRect textArea = r.adjusted(4, 2, -4, -2);

  switch (style_) {
    case kRaised: {
      p.fillRect(r, colors_.face);
      if (sunken) {
        DrawEdge(p, r, colors_.darkShadow, colors_.highlight);
        DrawEdge(p, r.adjusted(1, 1, -1, -1), colors_.shadow, colors_.light);
        textArea.translate(1, 1);
      } else {
        DrawEdge(p, r, colors_.highlight, colors_.darkShadow);
        DrawEdge(p, r.adjusted(1, 1, -1, -1), colors_.light, colors_.shadow);
      }
      break;
    }
    case kBevelled: {
      const int b = std::max(2, std::min(r.width(), r.height()) / 6);
      const QPoint tl = r.topLeft(), tr = r.topRight(), bl = r.bottomLeft(), br = r.bottomRight();
      const QPoint itl = tl + QPoint(b, b), itr = tr + QPoint(-b, b), ibl = bl + QPoint(b, -b),
                   ibr = br + QPoint(-b, -b);
      const QColor lit = sunken ? colors_.shadow : colors_.highlight;
      const QColor dim = sunken ? colors_.highlight : colors_.shadow;
      p.setPen(Qt::NoPen);
      p.setBrush(lit);
      p.drawPolygon(QPolygon({tl, tr, itr, itl}));
      p.setBrush(sunken ? colors_.shadow : colors_.light);
      p.drawPolygon(QPolygon({tl, itl, ibl, bl}));
      p.setBrush(dim);
      p.drawPolygon(QPolygon({bl, ibl, ibr, br}));
      p.setBrush(sunken ? colors_.light : colors_.darkShadow);
      p.drawPolygon(QPolygon({tr, br, ibr, itr}));
      p.fillRect(QRect(itl, ibr), colors_.face);
      if (sunken) textArea.translate(1, 1);
      break;
    }
    case kGradient: {
      QLinearGradient gradient(r.topLeft(), r.bottomLeft());
      gradient.setColorAt(0, sunken ? colors_.shadow : colors_.light);
      gradient.setColorAt(1, sunken ? colors_.light : colors_.shadow);
      p.fillRect(r, gradient);
      DrawFrame(p, r, colors_.darkShadow);
      DrawEdge(p, r.adjusted(1, 1, -1, -1), colors_.highlight, colors_.shadow);
      break;
    }
    case kFlat: {
      const QColor fill = !isEnabled() ? colors_.highlight : (hovered_ ? colors_.hover : colors_.face);
      p.fillRect(r, fill);
      const QColor frame = isEnabled() ? colors_.accent : colors_.darkShadow;
      DrawFrame(p, r, frame);
      if (checked_) {
        for (int i = 1; i <= 3; ++i) DrawFrame(p, r.adjusted(i, i, -i, -i), colors_.accent);
      }
      break;
    }
    case kArrow: {
      const int tip = r.height() / 2;
      const QPolygon shape({r.topLeft(), QPoint(r.right() - tip, r.top()), QPoint(r.right(), r.center().y()),
                            QPoint(r.right() - tip, r.bottom()), r.bottomLeft()});
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(sunken ? colors_.shadow : colors_.darkShadow, 1));
      p.setBrush(checked_ ? colors_.color3 : colors_.face);
      p.drawPolygon(shape);
      p.setPen(colors_.highlight);
      p.drawLine(r.left() + 1, r.top() + 1, r.right() - tip, r.top() + 1);
      p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
      textArea.setRight(r.right() - tip);
      if (isDown()) textArea.translate(1, 1);
      break;
    }
    case kBlock: {
      const int depth = std::max(3, r.height() / 6);
      const QRect front(r.left(), r.top() + depth, r.width() - depth, r.height() - depth);
      p.setPen(colors_.darkShadow);
      p.setBrush(sunken ? colors_.shadow : colors_.highlight);
      p.drawPolygon(QPolygon({front.topLeft(), QPoint(front.left() + depth, r.top()), QPoint(r.right(), r.top()),
                              QPoint(front.right(), front.top())}));
      p.setBrush(colors_.shadow);
      p.drawPolygon(QPolygon({QPoint(front.right(), front.top()), QPoint(r.right(), r.top()),
                              QPoint(r.right(), r.bottom() - depth), front.bottomRight()}));
      p.setBrush(colors_.face);
      p.drawPolygon(QPolygon({front.topLeft(), front.topRight(), front.bottomRight(), front.bottomLeft()}));
      textArea = front.adjusted(3, 1, -3, -1);
      if (sunken) textArea.translate(1, 1);
      break;
    }
    case kGradientFramed: {
      QLinearGradient gradient(r.topLeft(), r.bottomLeft());
      gradient.setColorAt(0, sunken ? colors_.face : colors_.highlight);
      gradient.setColorAt(0.5, colors_.face);
      gradient.setColorAt(1, sunken ? colors_.highlight : colors_.shadow);
      p.fillRect(r, gradient);
      DrawFrame(p, r, colors_.darkShadow);
      DrawEdge(p, r.adjusted(1, 1, -1, -1), sunken ? colors_.shadow : colors_.highlight,
               sunken ? colors_.highlight : colors_.shadow);
      DrawEdge(p, r.adjusted(2, 2, -2, -2), sunken ? colors_.shadow : colors_.light,
               sunken ? colors_.light : colors_.shadow);
      break;
    }
    case kBitmap: {
      const QPixmap face = CurrentBitmap();
      if (!face.isNull()) {
        // Centred; a larger bitmap is cropped equally on both sides.
        const QSize size = face.deviceIndependentSize().toSize();
        const int sx = std::max(0, (size.width() - r.width()) / 2);
        const int sy = std::max(0, (size.height() - r.height()) / 2);
        const int w = std::min(size.width(), r.width());
        const int h = std::min(size.height(), r.height());
        const QRect target((r.width() - w) / 2, (r.height() - h) / 2, w, h);
        const qreal ratio = face.devicePixelRatio();
        p.drawPixmap(target, face, QRectF(sx * ratio, sy * ratio, w * ratio, h * ratio).toRect());
      }
      break;
    }
    default:
      p.fillRect(r, colors_.face);
      break;
  }

  DrawCaption(p, textArea);

  if (hasFocus() && (style_ == kRaised || style_ == kBevelled)) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = r.adjusted(4, 4, -4, -4);
    focus.backgroundColor = colors_.face;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
  }
}

}  // namespace quorvel
