#include "graph/GraphLayout.h"

#include <algorithm>
#include <cmath>

#include "host/NumberText.h"

namespace quorvel {
namespace {

// Room the texts need above the plot top (half a label) and below the plot
// bottom (tick, labels, x title) at the default text size.
constexpr int kTextRoomAbove = 150;
constexpr int kTextRoomBelow = 650;
constexpr int kMargin = 300;
constexpr int kPanUnit = 20;

// log10 of an axis limit; 0 (and any limit without a logarithm) counts as 1.
double LogOfLimit(double v) { return v > 0.0 ? std::log10(v) : 0.0; }

bool IsDecade(double v) {
  if (!(v > 0.0)) return false;
  const double k = std::round(std::log10(v));
  return k >= -3 && k <= 7 && std::fabs(v - std::pow(10.0, k)) <= 1e-9 * v;
}

}  // namespace

bool IsLogXKind(int kind) { return kind == kGraphSrn || kind == kGraphSrnView; }

int RoundLogical(double v) {
  if (std::isnan(v)) return 0;
  v += 1e-9;
  if (v == 0.0 || v == kNoValue) return static_cast<int>(v == 0.0 ? 0 : -1e9);
  double r = std::floor((v * 10.0 + 5.0) / 10.0);
  r = std::clamp(r, -1e9, 1e9);
  return static_cast<int>(r);
}

int RoundExtent(double v) {
  if (std::isnan(v)) return 0;
  v = std::clamp(v, -1e9, 1e9);
  return static_cast<int>(v >= 0.0 ? v + 0.5 + 1e-13 : v - 0.5 - 1e-13);
}

PlotLayout PlotLayoutFor(int mode, int kind) {
  PlotLayout layout;
  if (mode == kDrawLargeScreen) {
    layout.plot = {1600, 1800, 8000, -3300};
    layout.logicalWidth = 9864;
  } else if (kind == kGraphStrainDa || kind == kGraphStrainDamage) {
    layout.plot = {2500, 700, 8000, -2350};
    layout.logicalWidth = 10998;
  } else {
    layout.plot = {2000, 1000, 8000, -2550};
    layout.logicalWidth = 11000;
  }
  layout.contentTop = layout.plot.top + kTextRoomAbove;
  layout.contentBottom = layout.plot.bottom - kTextRoomBelow;
  return layout;
}

GraphWindow FitGraphWindow(int mode, int kind, double zoom, int panX, int panY, int targetWidth, int targetHeight) {
  if (!(zoom > 0.0) || !std::isfinite(zoom)) zoom = 1.0;
  const PlotLayout layout = PlotLayoutFor(mode, kind);
  GraphWindow window;
  window.targetWidth = std::max(1, targetWidth);
  window.targetHeight = std::max(1, targetHeight);
  const int width = RoundExtent(layout.logicalWidth / zoom);
  const int height = RoundExtent(layout.ContentHeight() / zoom);
  const double byWidth = static_cast<double>(width) / window.targetWidth;
  const double byHeight = static_cast<double>(height) / window.targetHeight;
  // The margin is added along the dimension that sets the scale and the other
  // follows in proportion, so a logical unit is as wide as it is high.
  const double scale = byWidth >= byHeight ? (width + 2.0 * kMargin) / window.targetWidth
                                           : (height + 2.0 * kMargin) / window.targetHeight;
  window.extentX = scale * window.targetWidth;
  window.extentY = scale * window.targetHeight;
  const double centreX = layout.logicalWidth / 2.0;
  const double centreY = (layout.contentTop + layout.contentBottom) / 2.0;
  // Dragging right or down moves the graph with the mouse.
  window.originX = RoundExtent(centreX - window.extentX / 2.0 - panX * kPanUnit / zoom);
  window.originY = RoundExtent(centreY + window.extentY / 2.0 + panY * kPanUnit / zoom);
  return window;
}

double AxisMapping::LogicalX(double x) const {
  const double width = plot.right - plot.left;
  if (logX) {
    const double low = LogOfLimit(xMin);
    const double high = LogOfLimit(xMax);
    if (high == low) return plot.left;
    return plot.left + (std::log10(x) - low) / (high - low) * width;
  }
  if (xMax == xMin) return plot.left;
  return plot.left + (x - xMin) / (xMax - xMin) * width;
}

double AxisMapping::LogicalY(double y) const {
  // The 1e-9 keeps an empty y range (max = min) from dividing by zero.
  return plot.bottom - (y - yMin) / (yMax - yMin + 1e-9) * (plot.bottom - plot.top);
}

int AxisMapping::CurveX(double x) const { return RoundLogical(Clamp(plot.left, plot.right, LogicalX(x))); }

int AxisMapping::CurveY(double y) const { return RoundLogical(Clamp(plot.top, plot.bottom, LogicalY(y))); }

std::string LinearAxisLabel(double v) {
  std::string text = FormatDouble(v, 4);
  const std::size_t point = text.find('.');
  if (point != std::string::npos) {
    while (text.size() > point + 2 && text.back() == '0') text.pop_back();
    if (text.size() == point + 2 && text.back() == '0') text.resize(point);
  }
  if (text == "-0") text = "0";
  return text;
}

std::vector<double> LinearTicks(double min, double max, double pitch) {
  std::vector<double> ticks;
  if (!std::isfinite(min) || !std::isfinite(max)) return ticks;
  if (!(pitch > 0.0) || !std::isfinite(pitch)) {
    if (min < max + 1e-9) ticks.push_back(min);
    return ticks;
  }
  for (int k = 0; k <= 2000; ++k) {
    const double v = min + k * pitch;
    if (!(v < max + 1e-9)) break;
    ticks.push_back(v);
  }
  return ticks;
}

std::vector<LogAxisLine> LogAxisLines(double min, double max) {
  std::vector<LogAxisLine> lines;
  const double low = std::pow(10.0, LogOfLimit(min));
  const double high = std::pow(10.0, LogOfLimit(max));
  const double tolerance = 1e-9;
  // Decades from 0.001 up to the maximum, at most 10000000, inside the limits.
  for (int k = -3; k <= 7; ++k) {
    const double decade = std::pow(10.0, k);
    if (decade > high * (1 + tolerance)) break;
    if (decade < low * (1 - tolerance)) continue;
    lines.push_back({decade, true, decade < 1.0 ? FormatDouble(decade, 3) : FormatDouble(decade, 0)});
  }
  // A limit that is not a decade gets its own line; a limit of 0 stands for 1,
  // which the decades already show.
  for (double limit : {min, max}) {
    if (!(limit > 0.0) || IsDecade(limit)) continue;
    // Shown with its own decimals: a smallest N of 1.5 printed without
    // decimals would read "2" at the left edge, where the 1.5 points sit.
    lines.push_back({limit, true, LinearAxisLabel(limit)});
  }
  // Dotted multiples of each decade strictly between the limits.
  if (high > low) {
    const int first = static_cast<int>(std::floor(std::log10(low) + tolerance));
    const int last = std::min(first + 40, static_cast<int>(std::ceil(std::log10(high))));
    for (int k = first; k <= last; ++k) {
      const double decade = std::pow(10.0, k);
      for (int m = 2; m <= 9; ++m) {
        const double v = m * decade;
        if (v > low * (1 + tolerance) && v < high * (1 - tolerance)) lines.push_back({v, false, {}});
      }
    }
  }
  return lines;
}

LegendLayout::LegendLayout(int startX, int startY, int spacing, bool yUp, int columnSize)
    : startY_(startY), spacing_(spacing), yUp_(yUp), columnSize_(columnSize), x_(startX) {}

LegendLayout::Position LegendLayout::Next(int entryWidth) {
  if (columnSize_ > 0 && inColumn_ == columnSize_) {
    x_ += std::max(2 * spacing_, widest_ + spacing_ / 2);
    inColumn_ = 0;
    widest_ = 0;
  }
  const int step = 2 * spacing_ * inColumn_;
  // The first entry's line sits half a spacing inside the plot top.
  Position position{x_, yUp_ ? startY_ - spacing_ / 2 - step : startY_ + spacing_ / 2 + step};
  widest_ = std::max(widest_, entryWidth);
  ++inColumn_;
  ++count_;
  return position;
}

int MarkerColourEntry(int kind, std::size_t listIndex) {
  switch (kind) {
    case kGraphConstants:
      return listIndex < 3 ? 14 + static_cast<int>(listIndex) : 16;
    case kGraphStrainDa:
    case kGraphStrainDamage:
      return 18;
    default:
      return listIndex < 60 ? static_cast<int>(listIndex % 10) + 1 : 1;
  }
}

AxisTitles AxisTitlesFor(int kind, bool japanese) {
  switch (kind) {
    case kGraphSrn:
    case kGraphSrnView:
      return japanese ? AxisTitles{"繰返し載荷回数N", "繰返しせん断応力振幅比SR"}
                      : AxisTitles{"Number of cycles N", "Double amplitude of axial strain SR"};
    case kGraphStrainDa:
      return japanese ? AxisTitles{"両振幅ひずみ(%)", "見掛けの\n摩擦角(deg)"}
                      : AxisTitles{"DA strain(%)", "Apparent \nfriction angle(deg)"};
    case kGraphStrainDamage:
      return japanese ? AxisTitles{"累積損傷度(-)", "見掛けの\n摩擦角(deg)"}
                      : AxisTitles{"Cumulative Damage(-)", "Apparent \nfriction angle(deg)"};
    default:
      return japanese ? AxisTitles{"両振幅ひずみ(%)", "α，β，C(deg)"}
                      : AxisTitles{"Double Amplitude of axial strain, DA(%)", "α，β，C(deg)"};
  }
}

double WheelZoom(double zoom, int wheelDelta) {
  if (wheelDelta > 0) return std::min(kMaximumZoom, zoom * 1.25);
  if (wheelDelta < 0) return std::max(kMinimumZoom, zoom * 0.8);
  return zoom;
}

double ZoomInStep(double zoom) { return zoom < kMaximumZoom ? std::min(kMaximumZoom, zoom * 1.25) : zoom; }

}  // namespace quorvel
