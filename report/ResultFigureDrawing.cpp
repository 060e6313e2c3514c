#include "report/ResultFigureDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/KavletComposer.h"
#include "platform/MarkedText.h"
#include "records/GdProject.h"
#include "records/GdSliceQuant.h"
#include "report/ResultPages.h"
#include "report/TerrainModelDrawing.h"

namespace quorvel {
namespace {

constexpr int kTextSize = 160;
const QColor kCircleColour(220, 0, 0);

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void Text(QPainter& painter, const QRectF& box, const QString& text, int size = kTextSize,
          Qt::Alignment align = Qt::AlignLeft, bool bold = false) {
  painter.setPen(Qt::black);
  DrawMarkedText(painter, box, text, KavletFont(KvfFont::Gothic, size, bold), align);
}

bool Usable(double v) { return v != kNoValue && std::isfinite(v); }

struct Curve {
  std::vector<QPointF> points;
  QColor colour;
  QString name;
};

int DecimalsFor(double step) { return std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6); }

// A time history: title above, value ticks on the left, time ticks below,
// light grid, curves clipped to the plot, legend names at the top right.
void PlotHistory(QPainter& painter, const QRectF& box, const QString& title, const std::vector<Curve>& curves,
                 bool timeTitle) {
  double x0 = std::numeric_limits<double>::max(), x1 = std::numeric_limits<double>::lowest();
  double y0 = 0.0, y1 = 0.0;
  for (const Curve& c : curves)
    for (const QPointF& p : c.points) {
      x0 = std::min(x0, p.x());
      x1 = std::max(x1, p.x());
      y0 = std::min(y0, p.y());
      y1 = std::max(y1, p.y());
    }
  if (x0 > x1) return;  // no points: nothing to draw
  if (x1 - x0 < 1e-12) x1 = x0 + 1.0;
  if (y1 - y0 < 1e-12) y1 = y0 + 1.0;
  const double xStep = TerrainTickStep(x1 - x0, 10);
  const double yStep = TerrainTickStep(y1 - y0, 5);
  x0 = std::floor(x0 / xStep + 1e-9) * xStep;
  x1 = std::ceil(x1 / xStep - 1e-9) * xStep;
  y0 = std::floor(y0 / yStep + 1e-9) * yStep;
  y1 = std::ceil(y1 / yStep - 1e-9) * yStep;

  const QRectF plot(box.left() + 900, box.top() + 260, box.width() - 1000,
                    box.height() - 260 - (timeTitle ? 520 : 300));
  if (plot.width() <= 0 || plot.height() <= 0) return;
  const auto px = [&](double x) { return plot.left() + (x - x0) / (x1 - x0) * plot.width(); };
  const auto py = [&](double y) { return plot.bottom() - (y - y0) / (y1 - y0) * plot.height(); };

  Text(painter, QRectF(plot.left(), box.top() + 20, plot.width(), 200), title, 180, Qt::AlignLeft, true);
  QPen grid(QColor(200, 200, 200));
  grid.setWidthF(8);
  const int xd = DecimalsFor(xStep), yd = DecimalsFor(yStep);
  for (double x = x0; x <= x1 + xStep * 1e-6; x += xStep) {
    painter.setPen(grid);
    painter.drawLine(QPointF(px(x), plot.top()), QPointF(px(x), plot.bottom()));
    Text(painter, QRectF(px(x) - 400, plot.bottom() + 40, 800, kTextSize), Q(ResultNumber(x, xd)), kTextSize,
         Qt::AlignHCenter);
  }
  for (double y = y0; y <= y1 + yStep * 1e-6; y += yStep) {
    painter.setPen(grid);
    painter.drawLine(QPointF(plot.left(), py(y)), QPointF(plot.right(), py(y)));
    Text(painter, QRectF(box.left(), py(y) - kTextSize / 2.0, 860, kTextSize), Q(ResultNumber(y, yd)), kTextSize,
         Qt::AlignRight);
  }
  if (timeTitle)
    Text(painter, QRectF(plot.left(), plot.bottom() + 260, plot.width(), kTextSize), QStringLiteral("time(s)"),
         kTextSize, Qt::AlignHCenter);
  QPen frame(Qt::black);
  frame.setWidthF(12);
  painter.setPen(frame);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot);

  painter.save();
  painter.setClipRect(plot, Qt::IntersectClip);
  for (const Curve& c : curves) {
    QPen pen(c.colour);
    pen.setWidthF(14);
    painter.setPen(pen);
    QPolygonF line;
    for (const QPointF& p : c.points) line << QPointF(px(p.x()), py(p.y()));
    painter.drawPolyline(line);
  }
  painter.restore();
  double legendY = plot.top() + 40;
  for (const Curve& c : curves) {
    if (c.name.isEmpty()) continue;
    QPen pen(c.colour);
    pen.setWidthF(14);
    painter.setPen(pen);
    painter.drawLine(QPointF(plot.right() - 2400, legendY + 80), QPointF(plot.right() - 2000, legendY + 80));
    Text(painter, QRectF(plot.right() - 1940, legendY, 1900, kTextSize), c.name);
    legendY += 200;
  }
}

Curve GraphCurve(const GdGraphSeries& series, QColor colour) {
  Curve curve{{}, colour, Q(series.Name)};
  for (const GdPoint& p : series.Points)
    if (Usable(p.X) && Usable(p.Y)) curve.points.emplace_back(p.X, p.Y);
  return curve;
}

void DrawGraph(QPainter& painter, const QRectF& area, const clsGdGraphData& graph) {
  static const QColor kColours[3] = {QColor(0, 0, 200), QColor(200, 0, 0), QColor(0, 140, 0)};
  std::vector<Curve> curves;
  for (std::size_t s = 0; s < graph.Series.size(); ++s) curves.push_back(GraphCurve(graph.Series[s], kColours[s % 3]));
  QString title = Q(graph.Title);
  if (!graph.AxisTitle.empty()) title += QStringLiteral("  ") + Q(graph.AxisTitle);
  if (Usable(graph.PeakValue))
    title += QStringLiteral("   最大値 ") + Q(ResultNumber(graph.PeakValue, 3)) + QStringLiteral(" (t = ") +
             Q(ResultNumber(graph.PeakTime, 2)) + QStringLiteral(" s)");
  PlotHistory(painter, area, title, curves, true);
}

// Frame name's number after the last "_", or -1.
long FrameIndex(const std::string& name) {
  const std::size_t underscore = name.rfind('_');
  if (underscore == std::string::npos || underscore + 1 >= name.size()) return -1;
  long value = 0;
  for (std::size_t i = underscore + 1; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9' || value > 1000000) return -1;
    value = value * 10 + (name[i] - '0');
  }
  return value;
}

void DrawCircle(QPainter& painter, const TerrainMapping& mapping, double xc, double yc, double r, QColor colour,
                double width) {
  if (!Usable(xc) || !Usable(yc) || !Usable(r) || r <= 0) return;
  painter.save();
  painter.setClipRect(mapping.plot, Qt::IntersectClip);
  QPen pen(colour);
  pen.setWidthF(width);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const QPointF centre = mapping.ToFrame(xc, yc);
  const double radius = mapping.ToFrameLength(r);
  painter.drawEllipse(centre, radius, radius);
  painter.drawLine(centre - QPointF(80, 0), centre + QPointF(80, 0));
  painter.drawLine(centre - QPointF(0, 80), centre + QPointF(0, 80));
  painter.restore();
}

QString CircleLine(const clsGdSlip& slip) {
  return QStringLiteral("xc , yc, R = ") + Q(ResultNumber(slip.CentreX, 3)) + " , " + Q(ResultNumber(slip.CentreY, 3)) +
         " , " + Q(ResultNumber(slip.Radius, 3)) + QStringLiteral(" (m)    Fs = ") +
         Q(ResultNumber(slip.SafetyFactor, 3)) + QStringLiteral("    Khy = ") +
         Q(ResultNumber(slip.YieldCoefficient, 3));
}

// The soil legend and the circle values under an enumerated slip figure.
void SlipLegend(QPainter& painter, const QRectF& area, const clsGdProject& project, const clsGdSlip& slip) {
  static constexpr double kCol[8] = {0, 500, 1000, 2900, 3700, 4500, 5300, 6100};
  static constexpr const char* kHeads[7] = {"地層", "番号", "地層名", "γ{_t}", "γ{_sat}", "φ{_peak}", "c{_peak}"};
  static constexpr const char* kUnits[7] = {"", "", "", "(kN/m{^3})", "(kN/m{^3})", "(deg)", "(kPa)"};
  constexpr double kRow = 240;
  QPen thin(Qt::black);
  thin.setWidthF(10);
  const double top = area.top();
  for (int c = 0; c < 7; ++c) {
    Text(painter, QRectF(area.left() + kCol[c], top + 30, kCol[c + 1] - kCol[c], 150), kHeads[c], 150,
         Qt::AlignHCenter);
    Text(painter, QRectF(area.left() + kCol[c], top + kRow + 30, kCol[c + 1] - kCol[c], 140), kUnits[c], 130,
         Qt::AlignHCenter);
  }
  const auto& soils = project.Soils.Soils;
  const auto& layers = project.Layers.Layers;
  const auto& colours = project.LayerColours.Colours;
  for (std::size_t s = 0; s < soils.size(); ++s) {
    const double y = top + kRow * static_cast<double>(2 + s);
    if (y + kRow > area.bottom()) break;
    QColor swatch(Qt::white);
    for (std::size_t l = 0; l < layers.size() && l < colours.size(); ++l)
      if (layers[l].SoilNumber == static_cast<int>(s) + 1) {
        swatch = FromColorRef(static_cast<std::uint32_t>(colours[l]));
        break;
      }
    painter.setPen(thin);
    painter.setBrush(swatch);
    painter.drawRect(QRectF(area.left() + 100, y + 40, 300, kRow - 80));
    painter.setBrush(Qt::NoBrush);
    const SoilConstants& k = soils[s].Constants;
    const QString cells[6] = {QString::number(s + 1),
                              Q(soils[s].Name),
                              Q(ResultNumber(k.UnitWeight, 1)),
                              Q(ResultNumber(k.SaturatedUnitWeight, 1)),
                              Q(ResultNumber(k.FrictionAngle, 1)),
                              Q(ResultNumber(k.Cohesion, 1))};
    for (int c = 1; c < 7; ++c)
      Text(painter, QRectF(area.left() + kCol[c] + 30, y + 45, kCol[c + 1] - kCol[c] - 60, 150), cells[c - 1], 150,
           c == 2 ? Qt::AlignLeft : Qt::AlignHCenter);
  }
  const double bottom = top + kRow * static_cast<double>(2 + soils.size());
  painter.setPen(thin);
  painter.drawRect(QRectF(area.left(), top, kCol[7], std::min(bottom, area.bottom()) - top));
  painter.drawLine(QPointF(area.left(), top + 2 * kRow), QPointF(area.left() + kCol[7], top + 2 * kRow));
  for (int c = 1; c < 7; ++c)
    painter.drawLine(QPointF(area.left() + kCol[c], top),
                     QPointF(area.left() + kCol[c], std::min(bottom, area.bottom())));

  const double vx = area.left() + kCol[7] + 300;
  const std::pair<const char*, std::string> values[5] = {
      {"xc , yc, R",
       ResultNumber(slip.CentreX, 2) + " , " + ResultNumber(slip.CentreY, 2) + " , " + ResultNumber(slip.Radius, 2)},
      {"Fs", ResultNumber(slip.SafetyFactor, 3)},
      {"Khy ", ResultNumber(slip.YieldCoefficient, 3)},
      {"Mr", ResultNumber(slip.ResistingMoment, 1)},
      {"Md", ResultNumber(slip.DrivingMoment, 1)}};
  for (int i = 0; i < 5; ++i) {
    const double y = top + 30 + i * kRow;
    Text(painter, QRectF(vx, y, 1000, 150), values[i].first, 150);
    Text(painter, QRectF(vx + 1000, y, area.right() - vx - 1000, 150), QStringLiteral("= ") + Q(values[i].second), 150);
  }
}

void DrawSlipFigure(QPainter& painter, const QRectF& area, const clsGdProject& project, const std::string& name) {
  const bool search = name.find("探索結果") != std::string::npos;
  const bool enumerated = name.find("_EnumPCS") != std::string::npos;
  const clsGdSlip* slip = SlipForFrame(project, name);
  if (!search && slip == nullptr) return;  // no such circle: the frame stays empty
  const QRectF modelArea(area.left(), area.top(), area.width(), area.height() * (enumerated ? 0.66 : 0.92));
  const TerrainMapping mapping = DrawTerrainModel(painter, project, modelArea);
  if (!mapping.valid) return;
  if (search) {
    const clsGdTable circles = ReadResultSection(project, kSearchSection);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 180));
    for (std::size_t r = 0; r < circles.RowCount(); ++r)
      if (Usable(circles.At(r, 0)) && Usable(circles.At(r, 1)))
        painter.drawEllipse(mapping.ToFrame(circles.At(r, 0), circles.At(r, 1)), 35, 35);
    painter.setBrush(Qt::NoBrush);
    if (name.find("臨界") != std::string::npos) {
      slip = CriticalSlip(project);
    } else {
      const long best = SearchRowWithMinimum(circles, 3);
      if (best >= 0) {
        const auto row = static_cast<std::size_t>(best);
        DrawCircle(painter, mapping, circles.At(row, 0), circles.At(row, 1), circles.At(row, 2), kCircleColour, 28);
        Text(painter, QRectF(area.left() + 900, modelArea.bottom() + 60, area.width() - 900, kTextSize),
             QStringLiteral("xc , yc, R = ") + Q(ResultNumber(circles.At(row, 0), 3)) + " , " +
                 Q(ResultNumber(circles.At(row, 1), 3)) + " , " + Q(ResultNumber(circles.At(row, 2), 3)) +
                 QStringLiteral(" (m)    Fs = ") + Q(ResultNumber(circles.At(row, 3), 3)));
      }
    }
  }
  if (slip == nullptr) return;
  DrawCircle(painter, mapping, slip->CentreX, slip->CentreY, slip->Radius, kCircleColour, 28);
  if (enumerated)
    SlipLegend(painter,
               QRectF(area.left(), modelArea.bottom() + 120, area.width(), area.bottom() - modelArea.bottom() - 120),
               project, *slip);
  else
    Text(painter, QRectF(area.left() + 900, modelArea.bottom() + 60, area.width() - 900, kTextSize), CircleLine(*slip));
}

QPolygonF LayerPolygon(const clsGdProject& project, const clsGdLayer& layer, const TerrainMapping& mapping) {
  QPolygonF polygon;
  for (int number : layer.BoundaryNodes) {
    if (number < 1 || static_cast<std::size_t>(number) > project.Nodes.Nodes.size()) continue;
    const GdPoint& p = project.Nodes.Nodes[static_cast<std::size_t>(number) - 1];
    if (Usable(p.X) && Usable(p.Y)) polygon << mapping.ToFrame(p.X, p.Y);
  }
  return polygon;
}

void DrawContour(QPainter& painter, const QRectF& area, const clsGdProject& project, long index) {
  const auto& contours = project.Contours.Contours;
  if (index < 0 || static_cast<std::size_t>(index) >= contours.size()) return;
  const clsGdConter& contour = contours[static_cast<std::size_t>(index)];
  const std::vector<GdPoint>& mesh = project.Contours.Mesh.Nodes;
  constexpr double kLegendWidth = 2000;
  const QRectF modelArea(area.left(), area.top() + 260, area.width() - kLegendWidth, area.height() - 260);
  TerrainDrawOptions options;
  options.nodes = false;
  options.waterLevel = false;
  const TerrainMapping mapping = DrawTerrainModel(painter, project, modelArea, options);
  if (!mapping.valid) return;
  Text(painter, QRectF(area.left() + 900, area.top() + 20, area.width() - 900, 200), Q(contour.Title), 180,
       Qt::AlignLeft, true);

  // Layers in the grey list, the values over them, the outlines on top.
  QPainterPath model;
  std::vector<QPolygonF> polygons;
  for (const clsGdLayer& layer : project.Layers.Layers) polygons.push_back(LayerPolygon(project, layer, mapping));
  painter.setPen(Qt::NoPen);
  for (std::size_t l = 0; l < polygons.size(); ++l) {
    painter.setBrush(FromColorRef(project.GreyList[l % project.GreyList.size()]));
    painter.drawPolygon(polygons[l]);
    model.addPolygon(polygons[l]);
  }
  double mx0 = std::numeric_limits<double>::max(), mx1 = std::numeric_limits<double>::lowest();
  double my0 = mx0, my1 = mx1;
  std::vector<std::pair<QPointF, double>> samples;
  for (std::size_t i = 0; i < mesh.size() && i < contour.Values.size(); ++i) {
    if (!Usable(mesh[i].X) || !Usable(mesh[i].Y)) continue;
    samples.emplace_back(QPointF(mesh[i].X, mesh[i].Y), contour.Values[i]);
    mx0 = std::min(mx0, mesh[i].X);
    mx1 = std::max(mx1, mesh[i].X);
    my0 = std::min(my0, mesh[i].Y);
    my1 = std::max(my1, mesh[i].Y);
  }
  if (!samples.empty() && mx1 > mx0 && my1 > my0) {
    painter.save();
    painter.setClipPath(model.simplified(), Qt::IntersectClip);
    constexpr int kCellsX = 96, kCellsY = 48;
    const double cw = (mx1 - mx0) / kCellsX, ch = (my1 - my0) / kCellsY;
    for (int j = 0; j < kCellsY; ++j)
      for (int i = 0; i < kCellsX; ++i) {
        const QPointF centre(mx0 + (i + 0.5) * cw, my0 + (j + 0.5) * ch);
        // Inverse-distance weighting of the mesh values.
        double sum = 0, weights = 0;
        bool exact = false;
        for (const auto& [point, value] : samples) {
          if (!Usable(value)) continue;
          const double dx = point.x() - centre.x(), dy = point.y() - centre.y();
          const double d2 = dx * dx + dy * dy;
          if (d2 < 1e-12) {
            sum = value;
            weights = 1;
            exact = true;
            break;
          }
          sum += value / (d2 * d2);
          weights += 1 / (d2 * d2);
        }
        const double value = weights > 0 ? sum / weights : kNoValue;
        (void)exact;
        const QColor colour = FromColorRef(
            project.ColourScale[static_cast<std::size_t>(ContourColourIndex(value, contour.Minimum, contour.Maximum))]);
        const QPointF a = mapping.ToFrame(mx0 + i * cw, my0 + (j + 1) * ch);
        const QPointF b = mapping.ToFrame(mx0 + (i + 1) * cw, my0 + j * ch);
        painter.fillRect(QRectF(a, b).adjusted(-1, -1, 1, 1), colour);
      }
    painter.restore();
  }
  QPen outline(Qt::black);
  outline.setWidthF(12);
  painter.setPen(outline);
  painter.setBrush(Qt::NoBrush);
  for (const QPolygonF& polygon : polygons) painter.drawPolygon(polygon);

  // The legend: the ten value ranges from the top (largest) down.
  const double lx = area.right() - kLegendWidth + 200;
  const double step = Usable(contour.Minimum) && Usable(contour.Maximum) ? (contour.Maximum - contour.Minimum) / 10 : 0;
  const int decimals = step > 0 ? std::clamp(DecimalsFor(step) + 1, 0, 4) : 0;
  for (int k = 0; k < 10; ++k) {
    const double y = area.top() + 400 + (9 - k) * 300.0;
    painter.setPen(outline);
    painter.setBrush(FromColorRef(project.ColourScale[static_cast<std::size_t>(k)]));
    painter.drawRect(QRectF(lx, y, 400, 260));
    if (step > 0)
      Text(painter, QRectF(lx + 480, y + 50, kLegendWidth - 700, 150),
           Q(ResultNumber(contour.Minimum + k * step, decimals)) + QStringLiteral("～") +
               Q(ResultNumber(contour.Minimum + (k + 1) * step, decimals)),
           140);
  }
  painter.setBrush(Qt::NoBrush);
}

// Slice section `index` (zero-based, in file order) of the slice file.
bool ReadSliceAt(const clsGdProject& project, long index, GdSliceHistory& slice) {
  if (index < 0) return false;
  RecordReader reader;
  if (!reader.Open(ResultFilePath(project, clsGdProject::kResultSlices))) return false;
  for (long i = 0; i <= index; ++i) {
    slice = GdSliceHistory();
    if (!slice.Read(reader)) return false;
  }
  return true;
}

void DrawSlice(QPainter& painter, const QRectF& area, const clsGdProject& project, long index) {
  GdSliceHistory slice;
  if (!ReadSliceAt(project, index, slice)) return;
  int n = 0;  // two lines to a row
  for (const SliceSummaryLine& line : SliceSummaryLines(slice.Summary())) {
    const double x = area.left() + 300 + (n % 2) * area.width() / 2;
    const double y = area.top() + 40 + (n / 2) * 220.0;
    Text(painter, QRectF(x, y, area.width() / 2 - 300, kTextSize),
         Q(line.label) + Q(ResultNumber(line.value, 3)) + " " + Q(line.unit));
    ++n;
  }
  const std::vector<double>* series[5] = {&slice.Damage, &slice.StrainAmplitude, &slice.FrictionAngle,
                                          &slice.VerticalStress, &slice.ShearStress};
  const double top = area.top() + 960;
  const double height = (area.bottom() - top) / 5;
  for (int g = 0; g < 5; ++g) {
    Curve curve{{}, QColor(0, 0, 200), {}};
    const std::vector<double>& values = *series[g];
    for (std::size_t i = 0; i < slice.Time.size() && i < values.size(); ++i)
      if (Usable(slice.Time[i]) && Usable(values[i])) curve.points.emplace_back(slice.Time[i], values[i]);
    PlotHistory(painter, QRectF(area.left(), top + g * height, area.width(), height),
                Q(kSliceSeriesTitles[static_cast<std::size_t>(g)]), {curve}, g == 4);
  }
}

}  // namespace

QColor FromColorRef(std::uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                static_cast<int>((colour >> 16) & 0xFFu));
}

int ContourColourIndex(double value, double minimum, double maximum) {
  if (!Usable(value) || !Usable(minimum) || !Usable(maximum) || maximum <= minimum) return 10;
  const double position = (value - minimum) / (maximum - minimum) * 10.0;
  return std::clamp(static_cast<int>(std::floor(position)), 0, 9);
}

bool DrawResultFigure(QPainter& painter, const GraphFrame& frame, const clsGdProject& project) {
  const QRectF area(0, 0, frame.width, frame.height);
  const std::string& name = frame.name;
  const auto startsWith = [&name](std::string_view prefix) { return std::string_view(name).starts_with(prefix); };
  if (startsWith(kCriticalSlipFrame) || name == kInitialSlipFrame || startsWith("探索結果")) {
    DrawSlipFigure(painter, area, project, name);
  } else if (name == "入力加速度") {
    DrawGraph(painter, area, project.Graphs[clsGdProject::kInputAcceleration]);
  } else if (name == "平均応答加速度") {
    DrawGraph(painter, area, project.Graphs[clsGdProject::kAverageAcceleration]);
  } else if (startsWith("変位量_")) {
    const long n = FrameIndex(name);
    const std::size_t g = clsGdProject::kDisplacementFirst + static_cast<std::size_t>(n);
    if (n >= 0 && g < project.Graphs.size()) DrawGraph(painter, area, project.Graphs[g]);
  } else if (startsWith("コンター_")) {
    DrawContour(painter, area, project, FrameIndex(name));
  } else if (startsWith("スライス_")) {
    DrawSlice(painter, area, project, FrameIndex(name));
  } else {
    return false;
  }
  return true;
}

}  // namespace quorvel
