// The renderer drawn into QImages: markers, curves, legends, grid and frame
// land on the pixels the logical system gives them.
#include <QImage>
#include <QtTest>
#include <cmath>
#include <tuple>

#include "graph/DataSetList.h"
#include "graph/GraphDrawer.h"
#include "host/ColourFile.h"
#include "host/Language.h"

using namespace quorvel;

namespace {

const QSize kSize(1000, 600);
constexpr int kRed = 0x0000FF;  // 0x00BBGGRR
constexpr int kBlue = 0xFF0000;
constexpr int kGreen = 0x00C000;

QPoint DevicePoint(const GraphWindow& window, int x, int y) {
  return {static_cast<int>(std::floor(window.DeviceX(x))), static_cast<int>(std::floor(window.DeviceY(y)))};
}

// Whether a pixel of `colour` lies within `radius` pixels of `at`.
bool HasColourNear(const QImage& image, QPoint at, QRgb colour, int radius = 1) {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx) {
      const QPoint p = at + QPoint(dx, dy);
      if (image.rect().contains(p) && (image.pixel(p) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
    }
  return false;
}

int CountColour(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  return count;
}

// Graph settings with these ranges (and pitches, when given).
DataSetList Ranges(double xMin, double xMax, double yMin, double yMax, double xPitch = 25, double yPitch = 0.05) {
  DataSetList data;
  data.XMinimum = xMin, data.XMaximum = xMax, data.XPitch = xPitch;
  data.YMinimum = yMin, data.YMaximum = yMax, data.YPitch = yPitch;
  return data;
}

CPointDataList Curve(std::initializer_list<CDPoint> points, int colour, bool legend = false, std::string name = "c") {
  CPointDataList list(std::move(name));
  for (const CDPoint& p : points) list.AppendPoint(p);
  list.Colour = colour;
  list.HasLegend = legend;
  return list;
}

}  // namespace

class GraphDrawerTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { SetCurrentLanguage(kJapanese); }

  void markerLandsOnItsPixel() {
    // kind, x range, x, the marker's logical X
    const std::tuple<int, double, double, double, int> cases[] = {
        {kGraphConstants, 0, 100, 25, 3500},
        {kGraphSrn, 1, 1000, 10, 4000},
        {kGraphSrnView, 0, 1000, 100, 6000},  // a log limit of 0 counts as 1
        {kGraphStrainDa, 0, 20, 10, 5250},
        {kGraphStrainDamage, 5, 5, 9, 2500}};  // x max = x min
    for (const auto& [kind, xMin, xMax, x, expectedX] : cases) {
      ColourRecord colours = ColourRecord::Defaults();
      colours.SetEntry(MarkerColourEntry(kind, 0), kRed);
      DataSetList data = Ranges(xMin, xMax, 0.3, 0.5);
      data.Append(Curve({{x, 0.4}}, 0));
      CGraphDrawer drawer;
      drawer.SetSeries({}, &data, &colours, kind);
      const QImage image = drawer.RenderImage(kSize);
      const AxisMapping mapping = drawer.Mapping();
      QCOMPARE(mapping.MarkerX(x), expectedX);
      const GraphWindow window = drawer.WindowFor(kDrawArea, kSize);
      const QPoint at = DevicePoint(window, mapping.MarkerX(x), mapping.MarkerY(0.4));
      // On the left edge the frame line covers the centre; the right half shows.
      const QPoint probe = expectedX == mapping.plot.left ? at + QPoint(1, 0) : at;
      QVERIFY2(HasColourNear(image, probe, ColourFromWindows(kRed).rgb(), 0),
               qPrintable(QStringLiteral("pixel %1,%2").arg(probe.x()).arg(probe.y())));
      // Nothing of that colour elsewhere: a small disc only (radius 21 units).
      const int count = CountColour(image, ColourFromWindows(kRed).rgb());
      QVERIFY2(count >= 2 && count <= 30, qPrintable(QString::number(count)));
      QVERIFY(!HasColourNear(image, at + QPoint(6, 0), ColourFromWindows(kRed).rgb(), 0));
    }
  }

  void markersOutsideThePlotAreClipped() {
    ColourRecord colours = ColourRecord::Defaults();
    colours.SetEntry(14, kRed);
    DataSetList data = Ranges(0, 100, 0, 1);
    data.Append(Curve({{150, 0.5}, {50, 3.0}, {-20, 0.5}}, 0));
    CGraphDrawer drawer;
    drawer.SetSeries({}, &data, &colours, kGraphConstants);
    const QImage image = drawer.RenderImage(kSize);
    QCOMPARE(CountColour(image, ColourFromWindows(kRed).rgb()), 0);
  }

  // The drawer clamps curve points itself, apart from AxisMapping::CurveX/Y.
  void curvesAreHeldOnThePlotEdges() {
    const DataSetList data = Ranges(0, 100, 0, 1);
    const CPointDataList beyondRight = Curve({{50, 0.5}, {200, 0.5}}, kRed);
    const CPointDataList aboveTop = Curve({{10, 5.0}, {90, 5.0}}, kBlue);
    CGraphDrawer drawer;
    drawer.SetSeries({&beyondRight, &aboveTop}, &data, nullptr, kGraphConstants);
    const QImage image = drawer.RenderImage(kSize);
    const GraphWindow window = drawer.WindowFor(kDrawArea, kSize);
    const LogicalRect plot = drawer.PlotArea();
    const QRgb red = ColourFromWindows(kRed).rgb(), blue = ColourFromWindows(kBlue).rgb();
    const int middleY = drawer.Mapping().CurveY(0.5);
    QVERIFY(HasColourNear(image, DevicePoint(window, plot.right - 100, middleY), red));
    QVERIFY(!HasColourNear(image, DevicePoint(window, plot.right, middleY) + QPoint(4, 0), red, 1));
    // The curve above the top runs along the top edge, not above it.
    QVERIFY(HasColourNear(image, DevicePoint(window, 5000, plot.top), blue));
    QVERIFY(!HasColourNear(image, DevicePoint(window, 5000, plot.top) + QPoint(0, -4), blue, 1));
  }

  // Lists without the legend flag take no entry; a data list's entry has
  // its marker colour.
  void legendEntries() {
    DataSetList data;
    const CPointDataList first = Curve({}, kRed, true, "a");
    const CPointDataList silent = Curve({}, kBlue, false, "b");
    const CPointDataList third = Curve({}, kGreen, true, "c");
    CGraphDrawer drawer;
    drawer.SetSeries({&first, &silent, &third}, &data, nullptr, kGraphSrn);
    QImage image = drawer.RenderImage(kSize);
    GraphWindow window = drawer.WindowFor(kDrawArea, kSize);
    const int x = drawer.PlotArea().right + 175 + 75;
    QVERIFY(HasColourNear(image, DevicePoint(window, x, 1000 - 75), ColourFromWindows(kRed).rgb()));
    QVERIFY(HasColourNear(image, DevicePoint(window, x, 1000 - 75 - 300), ColourFromWindows(kGreen).rgb()));
    QCOMPARE(CountColour(image, ColourFromWindows(kBlue).rgb()), 0);

    ColourRecord colours = ColourRecord::Defaults();
    colours.SetEntry(18, kRed);
    data.Append(Curve({}, 0, true, "data"));
    drawer.SetSeries({}, &data, &colours, kGraphStrainDa);
    image = drawer.RenderImage(kSize);
    window = drawer.WindowFor(kDrawArea, kSize);
    QVERIFY(HasColourNear(image, DevicePoint(window, 8000 + 175 + 75, 700 - 75), ColourFromWindows(kRed).rgb()));
  }

  // The y label "0.5" at the sizes the windows open with (and larger): its
  // point is a dot on the digits' baseline, as wide as it is high, dark enough
  // to see and apart from the digits. One that sinks below the digits or
  // stands taller than wide reads as a comma ("0,5").
  void decimalPointIsAPoint() {
    const std::tuple<int, int, QSize, int> cases[] = {{kDrawArea, kGraphStrainDa, {642, 340}, kJapanese},
                                                      {kDrawArea, kGraphSrn, {675, 379}, kEnglish},
                                                      {kDrawLargeScreen, kGraphSrn, {809, 457}, kJapanese},
                                                      {kDrawLargeScreen, kGraphConstants, {1100, 620}, kJapanese}};
    for (const auto& [mode, kind, size, language] : cases) {
      const DataSetList data = Ranges(1, 10, 0, 1, 10, 0.5);
      CGraphDrawer drawer;
      drawer.SetLanguage(language);
      drawer.SetSeries({}, &data, nullptr, kind);
      const QImage image = drawer.RenderImage(size, mode);
      const GraphWindow window = drawer.WindowFor(mode, size);
      const int pixels = static_cast<int>(std::lround(150 * window.Scale()));
      const int middle = static_cast<int>(std::floor(window.DeviceY(drawer.Mapping().LogicalY(0.5))));
      const int right = static_cast<int>(std::floor(window.DeviceX(drawer.PlotArea().left - 75))) - 1;
      // Columns of ink left of the tick, cut into glyphs at blank columns.
      struct Glyph {
        int left = 0, right = 0, top = 1 << 20, bottom = -1, darkest = 255;
      };
      QList<Glyph> glyphs;
      bool inGlyph = false;
      for (int x = right - 2 * pixels; x <= right; ++x) {
        bool ink = false;
        for (int y = middle - pixels; y <= middle + pixels; ++y) {
          const int grey = qGray(image.pixel(x, y));
          if (grey >= 160) continue;
          if (!inGlyph) glyphs.append(Glyph{x, x});
          Glyph& glyph = glyphs.last();
          glyph.right = x;
          glyph.top = std::min(glyph.top, y);
          glyph.bottom = std::max(glyph.bottom, y);
          glyph.darkest = std::min(glyph.darkest, grey);
          ink = inGlyph = true;
        }
        inGlyph = ink;
      }
      QCOMPARE(glyphs.size(), 3);  // "0", ".", "5"
      const Glyph& point = glyphs[1];
      const QByteArray shape = QString::asprintf("%d px: point %dx%d, rows %d-%d; digit rows %d-%d; darkest %d", pixels,
                                                 point.right - point.left + 1, point.bottom - point.top + 1, point.top,
                                                 point.bottom, glyphs[0].top, glyphs[0].bottom, point.darkest)
                                   .toLatin1();
      QVERIFY2(point.bottom - point.top <= point.right - point.left, shape.constData());
      QVERIFY2(point.bottom <= glyphs[0].bottom && point.top > (glyphs[0].top + glyphs[0].bottom) / 2,
               shape.constData());
      QVERIFY2(point.darkest < 128, shape.constData());
    }
  }
};

int RunGraphDrawerTests(int argc, char** argv) {
  GraphDrawerTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "GraphDrawerTest.moc"
