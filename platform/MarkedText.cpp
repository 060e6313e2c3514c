#include "platform/MarkedText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quorvel {
namespace {

constexpr double kSmallHeight = 0.8;  // small runs: 4/5 of the height
constexpr double kRaise = 0.2;        // superscripts go up 1/5 of the height
constexpr double kLower = 1.0 / 3.0;  // subscripts go down 1/3 of it

QFont SmallFont(const QFont& font) {
  QFont small(font);
  small.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * kSmallHeight))));
  return small;
}

// Advance of every run in `font` (small runs in the small font).
QList<double> Advances(const QList<MarkedRun>& runs, const QFont& font) {
  const QFontMetricsF normal(font);
  const QFontMetricsF small(SmallFont(font));
  QList<double> advances;
  for (const MarkedRun& run : runs)
    advances.push_back(run.kind == MarkedRun::kNormal ? normal.horizontalAdvance(run.text)
                                                      : small.horizontalAdvance(run.text));
  return advances;
}

}  // namespace

QList<MarkedRun> SplitMarkedText(const QString& text) {
  QList<MarkedRun> runs;
  MarkedRun current;
  auto flush = [&] {
    if (!current.text.isEmpty()) runs.push_back(current);
    current.text.clear();
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (current.kind == MarkedRun::kNormal && c == QLatin1Char('{') && i + 1 < text.size() &&
        (text[i + 1] == QLatin1Char('^') || text[i + 1] == QLatin1Char('_'))) {
      flush();
      current.kind = text[i + 1] == QLatin1Char('^') ? MarkedRun::kSuperscript : MarkedRun::kSubscript;
      ++i;
    } else if (current.kind != MarkedRun::kNormal && c == QLatin1Char('}')) {
      flush();
      current.kind = MarkedRun::kNormal;
    } else {
      current.text.append(c);
    }
  }
  flush();
  return runs;
}

QString PlainMarkedText(const QString& text) {
  QString plain;
  for (const MarkedRun& run : SplitMarkedText(text)) plain += run.text;
  return plain;
}

double MarkedTextWidth(const QString& text, const QFont& font) {
  const QList<double> advances = Advances(SplitMarkedText(text), font);
  double width = 0;
  for (double a : advances) width += a;
  return width;
}

void DrawMarkedText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, Qt::Alignment align,
                    bool clip) {
  if (text.isEmpty()) return;
  const QTransform transform = painter.combinedTransform();
  const double scaleX = std::hypot(transform.m11(), transform.m12());
  const double scaleY = std::hypot(transform.m21(), transform.m22());
  if (scaleX <= 0 || scaleY <= 0) return;

  // The font goes to the device at its device size: glyphs are hinted for the
  // pixels they land on, and a scaled mapping never scales them twice.
  QFont deviceFont(font);
  deviceFont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * scaleY))));
  if (std::fabs(scaleX - scaleY) > 1e-6 * scaleY) {
    const int stretch = font.stretch() > 0 ? font.stretch() : 100;
    deviceFont.setStretch(std::clamp(static_cast<int>(std::lround(stretch * scaleX / scaleY)), 1, 4000));
  }
  const QFont smallFont = SmallFont(deviceFont);
  const QList<MarkedRun> runs = SplitMarkedText(text);
  const QList<double> advances = Advances(runs, deviceFont);
  double width = 0;
  for (double a : advances) width += a;

  const QRectF device = transform.mapRect(box);
  double left = device.left();
  if (align & Qt::AlignRight)
    left = device.right() - width;
  else if (align & Qt::AlignHCenter)
    left = device.center().x() - width / 2.0;
  const QFontMetricsF metrics(deviceFont);
  const double baseline = device.top() + metrics.ascent();
  const double height = deviceFont.pixelSize();

  painter.save();
  // Clipped across only: accents and descenders may leave the em box.
  if (clip) painter.setClipRect(box.adjusted(0, -box.height(), 0, box.height()), Qt::IntersectClip);
  painter.setWorldMatrixEnabled(false);
  painter.setViewTransformEnabled(false);
  double x = left;
  for (qsizetype i = 0; i < runs.size(); ++i) {
    const MarkedRun& run = runs[i];
    double y = baseline;
    if (run.kind == MarkedRun::kSuperscript) y -= height * kRaise;
    if (run.kind == MarkedRun::kSubscript) y += height * kLower;
    painter.setFont(run.kind == MarkedRun::kNormal ? deviceFont : smallFont);
    painter.drawText(QPointF(x, y), run.text);
    x += advances[i];
  }
  painter.restore();
}

}  // namespace quorvel
