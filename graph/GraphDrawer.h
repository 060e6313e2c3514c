#pragma once
// CGraphDrawer draws every graph of the program (SR-N graphs, the constants
// graph, the strain graph, their large-screen versions, clipboard copies and
// the report's figures) onto any QPainter, in the fixed logical system of
// GraphLayout. It holds references to the caller's series, never copies.
#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

#include "graph/DataSetList.h"
#include "graph/GraphLayout.h"
#include "host/ColourFile.h"

class QFont;
class QPainter;

namespace quorvel {

class CGraphDrawer {
 public:
  // Language from the run's current language; defaults of every field.
  CGraphDrawer();

  // The series of one graph: fitted curves drawn as polylines in their own
  // colours, the data lists drawn as markers (with the axis values), the
  // colour record and the kind (0..4). Pointers must outlive the drawing; a
  // null data list draws empty axes with the default ranges, null colours the
  // default colours.
  void SetSeries(std::vector<const CPointDataList*> curves, const DataSetList* data, const ColourRecord* colours,
                 int kind);

  // Mode 0 (graph area, clipboard) and 1 (large screen): draws into one
  // off-screen image of the target's size, filled white, and copies it onto
  // `target` of the painter in one go. Mode 2 (printer): draws straight into
  // the painter, in the painter's own mapping (y up) and the plot area set with
  // SetPlotArea.
  void Draw(QPainter& painter, int mode, const QRect& target);
  // Report drawing: straight into the painter's mapping with y down, the plot
  // area set with SetPlotArea (top < bottom), report text and legend sizes.
  void DrawReport(QPainter& painter, const QRect& target);
  // The graph as an image of `size` device pixels (modes 0 and 1).
  QImage RenderImage(const QSize& size, int mode = kDrawArea, qreal devicePixelRatio = 1.0);

  // Where the logical system lands on a target of `size` in a screen mode.
  GraphWindow WindowFor(int mode, const QSize& size) const;
  // The value mapping of the current series onto the current plot area.
  AxisMapping Mapping() const;

  int Language() const { return language_; }
  void SetLanguage(int languageId) { language_ = languageId; }
  int Kind() const { return kind_; }
  const std::vector<const CPointDataList*>& Curves() const { return curves_; }
  const DataSetList* Data() const { return data_; }
  const ColourRecord* Colours() const { return colours_; }

  double Zoom() const { return zoom_; }
  void SetZoom(double zoom) { zoom_ = zoom; }
  int PanX() const { return panX_; }
  int PanY() const { return panY_; }
  void SetPan(int panX, int panY) {
    panX_ = panX;
    panY_ = panY;
  }
  double FontScale() const { return fontScale_; }
  void SetFontScale(double scale) { fontScale_ = scale; }
  int LegendSpacing() const { return legendSpacing_; }
  void SetLegendSpacing(int spacing) { legendSpacing_ = spacing; }
  // Plot area of the last draw, or the one a printer or report caller sets.
  LogicalRect PlotArea() const { return plot_; }
  void SetPlotArea(const LogicalRect& plot) { plot_ = plot; }
  QRect TargetRect() const { return target_; }

 private:
  struct Style;
  // Draws axes, series, legend and frame in logical units through the
  // painter's current transform.
  void DrawScene(QPainter& painter, const Style& style);
  void DrawLinearAxes(QPainter& painter, const Style& style, const AxisMapping& mapping);
  void DrawLogXAxis(QPainter& painter, const Style& style, const AxisMapping& mapping);
  void DrawYTicks(QPainter& painter, const Style& style, const AxisMapping& mapping);
  void DrawTitles(QPainter& painter, const Style& style);
  void DrawSeries(QPainter& painter, const Style& style, const AxisMapping& mapping);
  int LegendEntryWidth(const Style& style, const QString& name) const;
  const DataSetList& DataOrDefault() const;

  int language_;
  LogicalRect plot_;
  QRect target_;
  double fontScale_ = kDefaultFontScale;
  int legendSpacing_ = kDefaultLegendSpacing;
  const ColourRecord* colours_ = nullptr;
  std::vector<const CPointDataList*> curves_;
  const DataSetList* data_ = nullptr;
  int kind_ = kGraphConstants;
  double zoom_ = 1.0;
  int panX_ = 0;
  int panY_ = 0;
};

// Draws `text` with "{^...}" raised and "{_...}" lowered in a smaller font;
// (x, y) is a point in the painter's logical units, `align` places the text's
// box around it (Qt::AlignLeft/HCenter/Right with AlignTop/VCenter/Bottom).
// Glyphs are never mirrored by a y-up mapping; `vertical` turns the text to
// read from bottom to top. Lines break at "\n". `font` has its pixel size in
// logical units.
void DrawGraphText(QPainter& painter, double x, double y, const QString& text, const QFont& font, int align,
                   bool vertical = false);
// Width of `text` in the same logical units (widest line).
double GraphTextWidth(const QString& text, const QFont& font);

// A Windows colour value (0x00BBGGRR) as a QColor, and back.
QColor ColourFromWindows(int value);
int WindowsFromColour(const QColor& colour);

}  // namespace quorvel
