#include "controls/ExpStatic.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

namespace quorvel {

QFont SmallRichTextFont(const QFont& font) {
  QFont small(font);
  if (font.pixelSize() > 0)
    small.setPixelSize(std::max(1, font.pixelSize() * 4 / 5));
  else
    small.setPointSizeF(font.pointSizeF() * 4.0 / 5.0);
  return small;
}

RichTextLine LayoutRichText(const QList<RichTextRun>& runs, const QFont& font) {
  const QFontMetrics metrics(font);
  RichTextLine line;
  line.height = metrics.height();
  int x = 0;
  for (const RichTextRun& run : runs) {
    PlacedRun placed;
    placed.run = run;
    placed.x = x;
    const int width = metrics.horizontalAdvance(run.text);
    if (run.kind == RichTextRun::kNormal) {
      placed.advance = width;
    } else {
      placed.small = true;
      placed.advance = width * 4 / 5 + 1 + 1;
      placed.yOffset = run.kind == RichTextRun::kSuperscript ? -(line.height / 5) : line.height / 3;
    }
    x += placed.advance;
    line.runs.append(placed);
  }
  line.width = x;
  return line;
}

CExpStatic::CExpStatic(QWidget* parent) : CExpStatic(QString(), parent) {}

CExpStatic::CExpStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {
  const QPalette system = QApplication::palette();
  textColor_ = system.color(QPalette::WindowText);
  backgroundColor_ = system.color(QPalette::Button);
  frameColor_ = system.color(QPalette::WindowText);
  setTextFormat(Qt::PlainText);
  UpdatePalette();
}

void CExpStatic::UpdatePalette() {
  QPalette colours = palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    colours.setColor(group, QPalette::WindowText, textColor_);
    colours.setColor(group, QPalette::Window, backgroundColor_);
  }
  setPalette(colours);
  setAutoFillBackground(!frame_ && !rich_);
  update();
}

void CExpStatic::SetTextColor(const QColor& color) {
  textColor_ = color;
  UpdatePalette();
}

void CExpStatic::SetBackgroundColor(const QColor& color) {
  backgroundColor_ = color;
  UpdatePalette();
}

void CExpStatic::SetFrame(bool frame) {
  frame_ = frame;
  UpdatePalette();
}

void CExpStatic::SetFrameColor(const QColor& color) {
  frameColor_ = color;
  update();
}

void CExpStatic::SetRichText(bool rich) {
  rich_ = rich;
  UpdatePalette();
  updateGeometry();
}

void CExpStatic::SetFontSize(int) {
  QFont larger = font();
  larger.setPointSize(10);
  setFont(larger);
  updateGeometry();
}

QSize CExpStatic::sizeHint() const {
  if (!rich_) return QLabel::sizeHint();
  const RichTextLine line = LayoutRichText(SplitRichText(text()), font());
  const int m = margin() * 2 + 4;
  return {line.width + m, line.height + line.height / 3 + m};
}

QSize CExpStatic::minimumSizeHint() const { return rich_ ? sizeHint() : QLabel::minimumSizeHint(); }

void CExpStatic::paintEvent(QPaintEvent* event) {
  if (!frame_ && !rich_) {
    QLabel::paintEvent(event);
    return;
  }
  // Painted off-screen first, then copied, so a redraw never flickers.
  const qreal ratio = devicePixelRatioF();
  QPixmap canvas(size() * ratio);
  canvas.setDevicePixelRatio(ratio);
  canvas.fill(backgroundColor_);
  QPainter p(&canvas);
  if (frame_) {
    p.setPen(frameColor_);
    p.setBrush(backgroundColor_);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  p.setPen(isEnabled() ? textColor_ : palette().color(QPalette::Disabled, QPalette::WindowText));
  p.setFont(font());
  const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  if (!rich_) {
    p.drawText(area, static_cast<int>(alignment()), text());
  } else {
    const RichTextLine line = LayoutRichText(SplitRichText(text()), font());
    int left = area.left();
    if (alignment() & Qt::AlignHCenter)
      left += (area.width() - line.width) / 2;
    else if (alignment() & Qt::AlignRight)
      left += area.width() - line.width;
    int top = area.top();
    if (alignment() & Qt::AlignVCenter)
      top += (area.height() - line.height) / 2;
    else if (alignment() & Qt::AlignBottom)
      top += area.height() - line.height;
    const QFont small = SmallRichTextFont(font());
    for (const PlacedRun& placed : line.runs) {
      p.setFont(placed.small ? small : font());
      const QRect box(left + placed.x, top + placed.yOffset, std::max(placed.advance, 1) + 4, line.height);
      const int flags = Qt::AlignLeft | Qt::TextSingleLine | (placed.small ? Qt::AlignVCenter : Qt::AlignTop);
      p.drawText(box, flags, placed.run.text);
    }
  }
  p.end();
  QPainter screen(this);
  screen.drawPixmap(0, 0, canvas);
}

}  // namespace quorvel
