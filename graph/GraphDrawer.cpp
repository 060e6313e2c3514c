#include "graph/GraphDrawer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "controls/ExpStatic.h"
#include "host/Language.h"

namespace quorvel {

// Sizes and directions of one draw.
struct CGraphDrawer::Style {
  bool yUp = true;
  int spacing = kDefaultLegendSpacing;
  double fontHeight = 150;
  double fontWidth = 75;
  int legendOffset = 100;  // legend x beyond plot right + spacing / 2
  double lineWidth = 1;    // device pixels of every pen
  QFont font;
  // Logical units one step "down" the screen adds to y.
  int Down() const { return yUp ? -1 : 1; }
};

namespace {

const QColor kGridGrey(200, 200, 200);

QFont GraphFont(double height, double width) {
  QFont font(QStringLiteral("ＭＳ ゴシック"));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(height))));
  font.setWeight(QFont::Normal);
  // The font's half-width glyphs are half its height; other widths stretch it.
  const double natural = height / 2.0;
  if (natural > 0 && std::fabs(width - natural) > 0.01 * natural) {
    font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * width / natural)), 1, 4000));
  }
  return font;
}

QPen LinePen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(colour);
  pen.setCosmetic(true);
  pen.setWidthF(width);
  pen.setStyle(style);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

// Pens stay one screen pixel thick on a printer or report page too.
double DeviceLineWidth(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  if (device == nullptr) return 1.0;
  return std::max(1.0, device->logicalDpiX() / 96.0);
}

}  // namespace

QColor ColourFromWindows(int value) {
  const auto v = static_cast<unsigned>(value);
  return QColor(static_cast<int>(v & 0xFFu), static_cast<int>((v >> 8) & 0xFFu), static_cast<int>((v >> 16) & 0xFFu));
}

int WindowsFromColour(const QColor& colour) { return colour.red() | (colour.green() << 8) | (colour.blue() << 16); }

namespace {

struct TextBlock {
  QList<RichTextLine> lines;
  double width = 0;
  double lineHeight = 0;
  double ascent = 0;
};

TextBlock LayOutText(const QString& text, const QFont& font) {
  TextBlock block;
  const QFontMetricsF metrics(font);
  block.lineHeight = metrics.height();
  block.ascent = metrics.ascent();
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    RichTextLine laid = LayoutRichText(SplitRichText(line), font);
    block.width = std::max(block.width, static_cast<double>(laid.width));
    block.lines.push_back(laid);
  }
  return block;
}

}  // namespace

double GraphTextWidth(const QString& text, const QFont& font) { return LayOutText(text, font).width; }

void DrawGraphText(QPainter& painter, double x, double y, const QString& text, const QFont& font, int align,
                   bool vertical) {
  if (text.isEmpty()) return;
  const QTransform transform = painter.worldTransform();
  const QPointF anchor = transform.map(QPointF(x, y));
  const double scaleX = std::hypot(transform.m11(), transform.m12());
  const double scaleY = std::hypot(transform.m21(), transform.m22());
  // The font goes to the device at its device size, so glyphs fit the pixels
  // they land on and are never mirrored by the mapping. Unhinted: at the
  // 10-14 px a graph's text gets, hinting moves the gothic font's full stop
  // below the baseline, where "0.5" reads as "0,5".
  QFont deviceFont(font);
  deviceFont.setHintingPreference(QFont::PreferNoHinting);
  const double height = font.pixelSize() * scaleY;
  deviceFont.setPixelSize(std::max(1, static_cast<int>(std::lround(height))));
  if (scaleY > 0 && std::fabs(scaleX - scaleY) > 1e-6 * scaleY) {
    const int stretch = font.stretch() > 0 ? font.stretch() : 100;
    deviceFont.setStretch(std::clamp(static_cast<int>(std::lround(stretch * scaleX / scaleY)), 1, 4000));
  }
  const QFont smallFont = SmallRichTextFont(deviceFont);
  const TextBlock block = LayOutText(text, deviceFont);
  const double boxHeight = block.lineHeight * static_cast<double>(block.lines.size());
  double top = 0;
  if (align & Qt::AlignBottom)
    top = -boxHeight;
  else if (align & Qt::AlignVCenter)
    top = -boxHeight / 2;

  painter.save();
  painter.setWorldTransform(QTransform::fromTranslate(anchor.x(), anchor.y()));
  if (vertical) painter.rotate(-90);
  for (qsizetype i = 0; i < block.lines.size(); ++i) {
    const RichTextLine& line = block.lines[i];
    double left = 0;
    if (align & Qt::AlignRight)
      left = -line.width;
    else if (align & Qt::AlignHCenter)
      left = -line.width / 2.0;
    const double baseline = top + block.lineHeight * static_cast<double>(i) + block.ascent;
    for (const PlacedRun& run : line.runs) {
      painter.setFont(run.small ? smallFont : deviceFont);
      painter.drawText(QPointF(left + run.x, baseline + run.yOffset), run.run.text);
    }
  }
  painter.restore();
}

CGraphDrawer::CGraphDrawer() : language_(CurrentLanguage()) {}

void CGraphDrawer::SetSeries(std::vector<const CPointDataList*> curves, const DataSetList* data,
                             const ColourRecord* colours, int kind) {
  curves_ = std::move(curves);
  data_ = data;
  colours_ = colours;
  kind_ = kind;
}

const DataSetList& CGraphDrawer::DataOrDefault() const {
  static const DataSetList empty;
  return data_ != nullptr ? *data_ : empty;
}

AxisMapping CGraphDrawer::Mapping() const {
  const DataSetList& data = DataOrDefault();
  AxisMapping mapping;
  mapping.plot = plot_;
  mapping.xMin = data.XMinimum;
  mapping.xMax = data.XMaximum;
  mapping.yMin = data.YMinimum;
  mapping.yMax = data.YMaximum;
  mapping.logX = IsLogXKind(kind_);
  return mapping;
}

GraphWindow CGraphDrawer::WindowFor(int mode, const QSize& size) const {
  return FitGraphWindow(mode, kind_, zoom_, panX_, panY_, size.width(), size.height());
}

QImage CGraphDrawer::RenderImage(const QSize& size, int mode, qreal devicePixelRatio) {
  if (size.isEmpty()) return {};
  const QSize pixels(static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
                     static_cast<int>(std::ceil(size.height() * devicePixelRatio)));
  QImage image(pixels, QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::white);

  plot_ = PlotLayoutFor(mode, kind_).plot;
  const GraphWindow window = WindowFor(mode, size);
  const double scaleX = window.targetWidth / window.extentX;
  const double scaleY = window.targetHeight / window.extentY;
  QPainter painter(&image);
  painter.setWorldTransform(QTransform(scaleX, 0, 0, -scaleY, -window.originX * scaleX, window.originY * scaleY));

  Style style;
  style.spacing = legendSpacing_;
  style.fontHeight = 100.0 * fontScale_;
  style.fontWidth = 50.0 * fontScale_;
  style.font = GraphFont(style.fontHeight, style.fontWidth);
  DrawScene(painter, style);
  return image;
}

void CGraphDrawer::Draw(QPainter& painter, int mode, const QRect& target) {
  target_ = target;
  if (mode == kDrawPrinter) {
    Style style;
    style.yUp = plot_.YUp();
    style.spacing = legendSpacing_;
    style.fontHeight = 100.0 * fontScale_;
    style.fontWidth = 50.0 * fontScale_;
    style.font = GraphFont(style.fontHeight, style.fontWidth);
    style.legendOffset = 10;
    style.lineWidth = DeviceLineWidth(painter);
    painter.save();
    DrawScene(painter, style);
    painter.restore();
    return;
  }
  const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
  const QImage image = RenderImage(target.size(), mode, ratio);
  if (!image.isNull()) painter.drawImage(target.topLeft(), image);
}

void CGraphDrawer::DrawReport(QPainter& painter, const QRect& target) {
  target_ = target;
  Style style;
  style.yUp = plot_.YUp();
  style.spacing = kReportLegendSpacing;
  style.fontHeight = kReportFontHeight;
  style.fontWidth = kReportFontWidth;
  style.font = GraphFont(style.fontHeight, style.fontWidth);
  style.legendOffset = 10;
  style.lineWidth = DeviceLineWidth(painter);
  painter.save();
  DrawScene(painter, style);
  painter.restore();
}

void CGraphDrawer::DrawScene(QPainter& painter, const Style& style) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  const AxisMapping mapping = Mapping();
  if (mapping.logX) {
    DrawLogXAxis(painter, style, mapping);
  } else {
    DrawLinearAxes(painter, style, mapping);
  }
  DrawYTicks(painter, style, mapping);
  DrawTitles(painter, style);
  DrawSeries(painter, style, mapping);

  painter.setPen(LinePen(Qt::black, style.lineWidth));
  const QPoint corner(plot_.left, plot_.bottom);
  painter.drawLine(QPoint(plot_.left, plot_.top), corner);
  painter.drawLine(corner, QPoint(plot_.right, plot_.bottom));
}

namespace {

// One vertical grid line with its tick and label below the plot.
void DrawXLine(QPainter& painter, int x, const LogicalRect& plot, const QString& label, Qt::PenStyle gridStyle,
               double lineWidth, int spacing, double fontHeight, int down, const QFont& font) {
  painter.setPen(LinePen(kGridGrey, lineWidth, gridStyle));
  painter.drawLine(QPoint(x, plot.top), QPoint(x, plot.bottom));
  if (label.isEmpty()) return;
  painter.setPen(LinePen(Qt::black, lineWidth));
  painter.drawLine(QPoint(x, plot.bottom), QPoint(x, plot.bottom + down * spacing / 2));
  const double labelTop = plot.bottom + down * (spacing / 2 + fontHeight / 5);
  DrawGraphText(painter, x, labelTop, label, font, Qt::AlignHCenter | Qt::AlignTop);
}

}  // namespace

void CGraphDrawer::DrawLinearAxes(QPainter& painter, const Style& style, const AxisMapping& mapping) {
  const DataSetList& data = DataOrDefault();
  for (double v : LinearTicks(data.XMinimum, data.XMaximum, data.XPitch)) {
    const double x = mapping.LogicalX(v);
    if (!std::isfinite(x)) continue;
    DrawXLine(painter, RoundLogical(x), plot_, QString::fromStdString(LinearAxisLabel(v)), Qt::SolidLine,
              style.lineWidth, style.spacing, style.fontHeight, style.Down(), style.font);
  }
}

void CGraphDrawer::DrawLogXAxis(QPainter& painter, const Style& style, const AxisMapping& mapping) {
  for (const LogAxisLine& line : LogAxisLines(mapping.xMin, mapping.xMax)) {
    const double x = mapping.LogicalX(line.value);
    if (!std::isfinite(x)) continue;
    DrawXLine(painter, RoundLogical(x), plot_, QString::fromStdString(line.label),
              line.solid ? Qt::SolidLine : Qt::DotLine, style.lineWidth, style.spacing, style.fontHeight, style.Down(),
              style.font);
  }
}

void CGraphDrawer::DrawYTicks(QPainter& painter, const Style& style, const AxisMapping& mapping) {
  const DataSetList& data = DataOrDefault();
  const int tickEnd = plot_.left - style.spacing / 2;
  for (double v : LinearTicks(data.YMinimum, data.YMaximum, data.YPitch)) {
    const double yValue = mapping.LogicalY(v);
    if (!std::isfinite(yValue)) continue;
    const int y = RoundLogical(yValue);
    painter.setPen(LinePen(kGridGrey, style.lineWidth));
    painter.drawLine(QPoint(plot_.left, y), QPoint(plot_.right, y));
    painter.setPen(LinePen(Qt::black, style.lineWidth));
    painter.drawLine(QPoint(tickEnd, y), QPoint(plot_.left, y));
    DrawGraphText(painter, tickEnd - style.fontHeight / 5, y, QString::fromStdString(LinearAxisLabel(v)), style.font,
                  Qt::AlignRight | Qt::AlignVCenter);
  }
}

void CGraphDrawer::DrawTitles(QPainter& painter, const Style& style) {
  const AxisTitles titles = AxisTitlesFor(kind_, language_ == kJapanese);
  const QString xTitle = QString::fromStdString(titles.x);
  const QString yTitle = QString::fromStdString(titles.y);
  painter.setPen(QPen(Qt::black));
  const double gap = style.fontHeight / 5;
  const double xTitleTop = plot_.bottom + style.Down() * (style.spacing / 2 + gap + style.fontHeight + 2 * gap);
  DrawGraphText(painter, (plot_.left + plot_.right) / 2.0, xTitleTop, xTitle, style.font,
                Qt::AlignHCenter | Qt::AlignTop);

  // The y title stands left of the widest y label.
  const DataSetList& data = DataOrDefault();
  double widest = 0;
  for (double v : LinearTicks(data.YMinimum, data.YMaximum, data.YPitch)) {
    widest = std::max(widest, GraphTextWidth(QString::fromStdString(LinearAxisLabel(v)), style.font));
  }
  const double lines = static_cast<double>(yTitle.count(QLatin1Char('\n')) + 1);
  const double titleX = plot_.left - style.spacing / 2 - gap - widest - 2 * gap - lines * style.fontHeight * 0.6;
  DrawGraphText(painter, titleX, (plot_.top + plot_.bottom) / 2.0, yTitle, style.font,
                Qt::AlignHCenter | Qt::AlignVCenter, true);
}

int CGraphDrawer::LegendEntryWidth(const Style& style, const QString& name) const {
  return style.spacing + style.spacing / 3 + static_cast<int>(std::lround(GraphTextWidth(name, style.font)));
}

void CGraphDrawer::DrawSeries(QPainter& painter, const Style& style, const AxisMapping& mapping) {
  static const ColourRecord kDefaults = ColourRecord::Defaults();
  const ColourRecord& colours = colours_ != nullptr ? *colours_ : kDefaults;
  const bool columns = IsLogXKind(kind_);
  LegendLayout legend(plot_.right + style.spacing / 2 + style.legendOffset, plot_.top, style.spacing, style.yUp,
                      columns ? 15 : 0);
  const int radius = style.spacing / 7;
  const int textGap = style.spacing / 3;

  auto legendText = [&](const LegendLayout::Position& at, const QString& name) {
    painter.setPen(QPen(Qt::black));
    DrawGraphText(painter, at.x + style.spacing + textGap, at.y, name, style.font, Qt::AlignLeft | Qt::AlignVCenter);
  };

  // Curves: polylines with their coordinates held onto the plot edges; a
  // point without a finite coordinate breaks the line.
  QPolygon polygon;
  for (const CPointDataList* curve : curves_) {
    if (curve == nullptr) continue;
    const QColor colour = ColourFromWindows(curve->Colour);
    painter.setPen(LinePen(colour, style.lineWidth));
    polygon.clear();
    polygon.reserve(static_cast<qsizetype>(curve->PointCount()));
    auto flush = [&] {
      if (polygon.size() >= 2) painter.drawPolyline(polygon);
      polygon.clear();
    };
    for (const CDPoint& point : curve->Points()) {
      const double x = mapping.LogicalX(point.x);
      const double y = mapping.LogicalY(point.y);
      if (std::isnan(x) || std::isnan(y)) {
        flush();
        continue;
      }
      polygon.append(
          QPoint(RoundLogical(Clamp(plot_.left, plot_.right, x)), RoundLogical(Clamp(plot_.top, plot_.bottom, y))));
    }
    flush();
    if (curve->HasLegend) {
      const QString name = QString::fromStdString(curve->Name);
      const LegendLayout::Position at = legend.Next(LegendEntryWidth(style, name));
      painter.setPen(LinePen(colour, style.lineWidth));
      painter.drawLine(QPoint(at.x, at.y), QPoint(at.x + style.spacing, at.y));
      legendText(at, name);
    }
  }

  // Data markers: filled circles clipped by the plot rectangle.
  const DataSetList& data = DataOrDefault();
  const QRect plotRect = QRect(QPoint(plot_.left, std::min(plot_.top, plot_.bottom)),
                               QPoint(plot_.right, std::max(plot_.top, plot_.bottom)));
  for (std::size_t i = 0; i < data.Count(); ++i) {
    const CPointDataList& list = data.At(i);
    const QColor colour = ColourFromWindows(colours.Entry(MarkerColourEntry(kind_, i)));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.save();
    painter.setClipRect(plotRect, Qt::IntersectClip);
    for (const CDPoint& point : list.Points()) {
      const double x = mapping.LogicalX(point.x);
      const double y = mapping.LogicalY(point.y);
      if (!std::isfinite(x) || !std::isfinite(y)) continue;
      painter.drawEllipse(QPoint(RoundLogical(x), RoundLogical(y)), radius, radius);
    }
    painter.restore();
    if (list.HasLegend) {
      const QString name = QString::fromStdString(list.Name);
      const LegendLayout::Position at = legend.Next(LegendEntryWidth(style, name));
      painter.setPen(Qt::NoPen);
      painter.setBrush(colour);
      painter.drawEllipse(QPoint(at.x + style.spacing / 2, at.y), radius, radius);
      legendText(at, name);
    }
  }
  painter.setBrush(Qt::NoBrush);
}

}  // namespace quorvel
