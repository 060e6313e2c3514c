#include "report/TerrainModelDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/KavletComposer.h"
#include "platform/MarkedText.h"
#include "records/GdProject.h"

namespace quorvel {
namespace {

struct Extent {
  double minX = std::numeric_limits<double>::max();
  double maxX = std::numeric_limits<double>::lowest();
  double minY = std::numeric_limits<double>::max();
  double maxY = std::numeric_limits<double>::lowest();
  bool Empty() const { return minX > maxX || minY > maxY; }
  void Add(const GdPoint& p) {
    if (IsNoValue(p.X) || IsNoValue(p.Y) || !std::isfinite(p.X) || !std::isfinite(p.Y)) return;
    minX = std::min(minX, p.X);
    maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
  }
};

bool Usable(const GdPoint& p) { return !IsNoValue(p.X) && !IsNoValue(p.Y) && std::isfinite(p.X) && std::isfinite(p.Y); }

// Node `number` (from 1), when it exists and has coordinates.
const GdPoint* Node(const clsGdProject& project, int number) {
  if (number < 1 || static_cast<std::size_t>(number) > project.Nodes.Nodes.size()) return nullptr;
  const GdPoint& p = project.Nodes.Nodes[static_cast<std::size_t>(number - 1)];
  return Usable(p) ? &p : nullptr;
}

Extent ModelExtent(const clsGdProject& project) {
  Extent extent;
  for (const GdPoint& p : project.Nodes.Nodes) extent.Add(p);
  for (const GdPoint& p : project.Water.Points) extent.Add(p);
  return extent;
}

// The colour record stores 0x00BBGGRR.
QColor LayerColour(const clsGdProject& project, std::size_t layer) {
  if (layer >= project.LayerColours.Colours.size()) return QColor(0xE0, 0xE0, 0xE0);
  const auto value = static_cast<unsigned>(project.LayerColours.Colours[layer]);
  return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                static_cast<int>((value >> 16) & 0xFFu));
}

double FontHeight(const QRectF& frame) { return std::clamp(frame.height() / 30.0, 1.0, 160.0); }

QString TickText(double value, double step) {
  int decimals = 0;
  while (decimals < 4 &&
         std::fabs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) > 1e-9)
    ++decimals;
  return QString::number(std::fabs(value) < step * 1e-9 ? 0.0 : value, 'f', decimals);
}

}  // namespace

double TerrainTickStep(double span, int maxTicks) {
  if (!(span > 0) || !std::isfinite(span) || maxTicks < 1) return 1.0;
  const double raw = span / maxTicks;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double factor : {1.0, 2.0, 5.0, 10.0})
    if (factor * power >= raw * (1 - 1e-12)) return factor * power;
  return 10.0 * power;
}

TerrainMapping TerrainModelMapping(const clsGdProject& project, const QRectF& frame,
                                   const TerrainDrawOptions& options) {
  TerrainMapping mapping;
  const Extent extent = ModelExtent(project);
  if (extent.Empty() || frame.width() <= 0 || frame.height() <= 0) return mapping;
  const double font = FontHeight(frame);
  // Room for the tick labels on the left and below, and a margin elsewhere.
  const double left = options.axes ? font * 5 : font;
  const double bottom = options.axes ? font * 3.5 : font;
  const double top = font * 1.5;
  const double right = font * 2;
  const QRectF area = frame.adjusted(left, top, -right, -bottom);
  if (area.width() <= 0 || area.height() <= 0) return mapping;
  // A model with no width or no height still gets a scale from its other side.
  const double spanX = std::max(extent.maxX - extent.minX, 1e-9);
  const double spanY = std::max(extent.maxY - extent.minY, 1e-9);
  double scale = std::min(area.width() / spanX, area.height() / spanY);
  if (extent.maxX - extent.minX <= 1e-9) scale = area.height() / spanY;
  if (extent.maxY - extent.minY <= 1e-9) scale = area.width() / spanX;
  if (extent.maxX - extent.minX <= 1e-9 && extent.maxY - extent.minY <= 1e-9) scale = 1.0;
  // Centred in the area.
  const double width = (extent.maxX - extent.minX) * scale;
  const double height = (extent.maxY - extent.minY) * scale;
  const double plotLeft = area.left() + (area.width() - width) / 2;
  const double plotTop = area.top() + (area.height() - height) / 2;
  mapping.valid = true;
  mapping.scale = scale;
  mapping.originX = plotLeft - extent.minX * scale;
  mapping.originY = plotTop + extent.maxY * scale;
  mapping.plot = QRectF(plotLeft, plotTop, width, height);
  return mapping;
}

TerrainMapping DrawTerrainModel(QPainter& painter, const clsGdProject& project, const QRectF& frame,
                                const TerrainDrawOptions& options) {
  const TerrainMapping mapping = TerrainModelMapping(project, frame, options);
  if (!mapping.valid) return mapping;
  const double font = FontHeight(frame);
  const double thin = std::max(font / 12.0, 0.5);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);

  // Layers: filled polygons of their boundary nodes, outlined.
  const auto& layers = project.Layers.Layers;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    QPolygonF polygon;
    for (int number : layers[i].BoundaryNodes)
      if (const GdPoint* p = Node(project, number)) polygon << mapping.ToFrame(p->X, p->Y);
    if (polygon.size() < 2) continue;
    painter.setPen(QPen(Qt::black, thin));
    painter.setBrush(polygon.size() >= 3 ? QBrush(LayerColour(project, i)) : QBrush(Qt::NoBrush));
    painter.drawPolygon(polygon);
  }

  if (options.nodes) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const double r = thin * 2;
    for (const GdPoint& p : project.Nodes.Nodes)
      if (Usable(p)) painter.drawEllipse(mapping.ToFrame(p.X, p.Y), r, r);
  }

  if (options.waterLevel && project.Water.Points.size() >= 2) {
    QPolygonF line;
    for (const GdPoint& p : project.Water.Points)
      if (Usable(p)) line << mapping.ToFrame(p.X, p.Y);
    painter.setPen(QPen(QColor(0, 0, 255), thin * 3, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line);
  }

  if (options.axes) {
    const QRectF& plot = mapping.plot;
    const double x0 = (plot.left() - mapping.originX) / mapping.scale;
    const double x1 = (plot.right() - mapping.originX) / mapping.scale;
    const double y0 = (mapping.originY - plot.bottom()) / mapping.scale;
    const double y1 = (mapping.originY - plot.top()) / mapping.scale;
    // One tick step for both axes: they share the scale.
    const double step = TerrainTickStep(std::max(x1 - x0, y1 - y0), 10);
    const double axisX = plot.left() - font;    // the y axis, left of the model
    const double axisY = plot.bottom() + font;  // the x axis, below it
    const double tick = font * 0.4;
    painter.setPen(QPen(Qt::black, thin));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(plot.left(), axisY), QPointF(plot.right(), axisY));
    painter.drawLine(QPointF(axisX, plot.top()), QPointF(axisX, plot.bottom()));
    const QFont face = KavletFont(KvfFont::Gothic, static_cast<int>(std::lround(font)));
    for (double v = std::ceil(x0 / step - 1e-9) * step; v <= x1 + step * 1e-9; v += step) {
      const double x = mapping.ToFrame(v, 0).x();
      painter.drawLine(QPointF(x, axisY), QPointF(x, axisY + tick));
      DrawMarkedText(painter, QRectF(x - font * 4, axisY + tick, font * 8, font), TickText(v, step), face,
                     Qt::AlignHCenter);
    }
    for (double v = std::ceil(y0 / step - 1e-9) * step; v <= y1 + step * 1e-9; v += step) {
      const double y = mapping.ToFrame(0, v).y();
      painter.drawLine(QPointF(axisX - tick, y), QPointF(axisX, y));
      DrawMarkedText(painter, QRectF(frame.left(), y - font / 2, axisX - tick - frame.left() - font * 0.2, font),
                     TickText(v, step), face, Qt::AlignRight);
    }
    DrawMarkedText(painter, QRectF(plot.right() - font * 6, axisY + tick + font * 1.2, font * 6, font), "X (m)", face,
                   Qt::AlignRight);
    DrawMarkedText(painter, QRectF(frame.left(), plot.top() - font * 1.4, font * 6, font), "Y (m)", face,
                   Qt::AlignLeft);
  }
  painter.restore();
  return mapping;
}

}  // namespace quorvel
