#pragma once
// The arithmetic of every graph, without any drawing: the fixed logical
// coordinate system per mode and kind, how it is fitted onto a target, the
// value-to-coordinate mapping with its rounding, axis ticks and labels, legend
// placement, marker colours, axis titles and the zoom steps of the graph areas.
// CGraphDrawer draws with these; the tests drive them directly.
#include <cstddef>
#include <string>
#include <vector>

namespace quorvel {

// Graph kinds.
inline constexpr int kGraphConstants = 0;     // DA - alpha, beta, C; linear axes
inline constexpr int kGraphSrn = 1;           // SR-N graph of the SR-N pages; log x
inline constexpr int kGraphSrnView = 3;       // SR-N view of the constants page; log x
inline constexpr int kGraphStrainDa = 2;      // strain graph against DA; linear
inline constexpr int kGraphStrainDamage = 4;  // strain graph against cumulative damage; linear

// Drawing modes.
inline constexpr int kDrawArea = 0;         // graph areas of the forms and clipboard copies
inline constexpr int kDrawLargeScreen = 1;  // the large-screen dialog
inline constexpr int kDrawPrinter = 2;      // straight into a caller-prepared painter

// Default text and legend sizes of screen drawing, and those of report drawing.
inline constexpr double kDefaultFontScale = 1.5;
inline constexpr int kDefaultLegendSpacing = 150;
inline constexpr double kReportFontScale = 0.17716535433070865;
inline constexpr int kReportLegendSpacing = 17;
inline constexpr int kReportFontHeight = 17;
inline constexpr int kReportFontWidth = 8;

// Zoom limits of the graph areas.
inline constexpr double kMaximumZoom = 8.0;
inline constexpr double kMinimumZoom = 1.0;

bool IsLogXKind(int kind);

// A rectangle in logical units. With y pointing up (screen and printer) top is
// above bottom, so top > bottom; report drawing has y down and top < bottom.
struct LogicalRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool YUp() const { return top > bottom; }
  bool operator==(const LogicalRect&) const = default;
};

// Rounds a logical coordinate to whole units: adds 1e-9, then rounds halves
// up, except that exactly 0 and the no-value marker pass unchanged. Values
// beyond +-1e9 are held there so the conversion to int stays defined; a value
// that is not a number gives 0 (callers skip such points first).
int RoundLogical(double v);
// Nearest integer with a bias of 1e-13 away from zero before truncation.
int RoundExtent(double v);

// Plot area and logical width of a mode and kind (screen modes).
struct PlotLayout {
  LogicalRect plot;
  int logicalWidth = 0;
  // The band the graph's texts need around the plot; the window is fitted
  // and centred on it.
  int contentTop = 0;
  int contentBottom = 0;
  int ContentHeight() const { return contentTop - contentBottom; }
};
PlotLayout PlotLayoutFor(int mode, int kind);

// Where the logical system lands on a target of targetWidth x targetHeight
// device pixels (y up): the logical point at the target's top-left corner and
// the logical extent across the whole target, margins included.
struct GraphWindow {
  double originX = 0;
  double originY = 0;
  double extentX = 1;
  double extentY = 1;
  int targetWidth = 1;
  int targetHeight = 1;

  double DeviceX(double logicalX) const { return (logicalX - originX) * targetWidth / extentX; }
  double DeviceY(double logicalY) const { return (originY - logicalY) * targetHeight / extentY; }
  // Device pixels per logical unit.
  double Scale() const { return targetWidth / extentX; }
};

// Fits the logical width W / zoom and the content height / zoom into the
// target keeping the aspect ratio (the tighter dimension sets the scale, the
// other is centred), adds a 300-unit margin on every side of the dimension that
// sets the scale (the other follows in proportion), and shifts the view
// by the pan values (20 logical units per step, divided by the zoom). Zoom
// keeps the centre of the content in place, so zoom 2 shows its middle quarter.
GraphWindow FitGraphWindow(int mode, int kind, double zoom, int panX, int panY, int targetWidth, int targetHeight);

// The mapping of values onto logical units for one draw.
struct AxisMapping {
  LogicalRect plot;
  double xMin = 0;
  double xMax = 1;
  double yMin = 0;
  double yMax = 1;
  bool logX = false;

  // Unrounded logical coordinates. x max = x min puts x on the left edge; a
  // log-axis limit of 0 counts as 1 (its log10 taken as 0).
  double LogicalX(double x) const;
  double LogicalY(double y) const;
  // Rounded coordinates of a marker (clipped by the plot later).
  int MarkerX(double x) const { return RoundLogical(LogicalX(x)); }
  int MarkerY(double y) const { return RoundLogical(LogicalY(y)); }
  // Curve coordinates: a value outside the plot by more than 1e-13 moves onto
  // the nearest edge before rounding.
  int CurveX(double x) const;
  int CurveY(double y) const;
};

// Label of a linear-axis value: FormatDouble(v, 4), trailing zeros removed
// down to one decimal, then a remaining ".0" removed ("100", "0.05", "12.5").
std::string LinearAxisLabel(double v);
// Values of the linear ticks: min, min + pitch, ... while below max + 1e-9.
// A pitch that is not positive gives min alone; at most 2001 ticks.
std::vector<double> LinearTicks(double min, double max, double pitch);

// One vertical line of the logarithmic x axis.
struct LogAxisLine {
  double value = 0;
  bool solid = true;  // decades and the limits; false: dotted multiples
  std::string label;  // empty: no tick and no label
};
// Decades from 0.001 to the maximum (not beyond 10000000) that lie between the
// limits, each limit that is not a decade, and the dotted multiples 2..9 of
// each decade strictly between the limits.
std::vector<LogAxisLine> LogAxisLines(double min, double max);

// Places legend entries: a single column, or columns of `columnSize` entries
// (0: unlimited). Entries are 2 x spacing apart, downwards on screen (y up)
// and upwards in numbers for report drawing (y down). A new column starts
// right of the widest entry of the last one.
class LegendLayout {
 public:
  LegendLayout(int startX, int startY, int spacing, bool yUp, int columnSize);
  struct Position {
    int x = 0;
    int y = 0;  // the middle of the entry's line
  };
  // Position of the next entry whose symbol and text need `entryWidth` units.
  Position Next(int entryWidth);
  int EntryCount() const { return count_; }

 private:
  int startY_;
  int spacing_;
  bool yUp_;
  int columnSize_;
  int x_;
  int inColumn_ = 0;
  int widest_ = 0;
  int count_ = 0;
};

// Colour-record entry (1..18) of the markers of data list `listIndex`.
int MarkerColourEntry(int kind, std::size_t listIndex);

// Axis titles of a kind in Japanese or English.
struct AxisTitles {
  std::string x;
  std::string y;
};
AxisTitles AxisTitlesFor(int kind, bool japanese);

// Zoom steps of the graph areas: a forward wheel turn multiplies by 1.25 (at
// most 8.0), a backward one by 0.8 (at least 1.0); a zero delta changes nothing.
double WheelZoom(double zoom, int wheelDelta);
// The toolbar's zoom in: x 1.25 capped at 8.0 while below 8.0.
double ZoomInStep(double zoom);

}  // namespace quorvel
