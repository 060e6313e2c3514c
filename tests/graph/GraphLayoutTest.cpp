// The graph arithmetic: rounding, mapping, window fit, ticks, labels, legend
// placement, marker colours, titles and zoom steps.
#include "graph/GraphLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "host/NumberText.h"

namespace quorvel {
namespace {

// Values out of int range and non-numbers stay defined too.
TEST(GraphRounding, HalvesRoundUpAndSpecialValuesPass) {
  const std::pair<double, int> cases[] = {{0.0, 0},
                                          {0.5, 1},
                                          {-0.5, 0},
                                          {-0.5000001, -1},
                                          {2.4999999995, 3},
                                          {7999.9999999, 8000},
                                          {-1e-10, 0},
                                          {1e300, 1000000000},
                                          {-1e300, -1000000000},
                                          {std::nan(""), 0},
                                          {kNoValue - 1e-9, -1000000000}};
  for (const auto& [in, out] : cases) EXPECT_EQ(RoundLogical(in), out) << in;
  EXPECT_EQ((std::vector<int>{RoundExtent(5500.5), RoundExtent(-5500.5), RoundExtent(11000 / 3.0)}),
            (std::vector<int>{5501, -5501, 3667}));
}

TEST(GraphLayout, PlotAreasPerModeAndKind) {
  EXPECT_EQ(PlotLayoutFor(kDrawLargeScreen, kGraphStrainDa).plot, (LogicalRect{1600, 1800, 8000, -3300}));
  EXPECT_EQ(PlotLayoutFor(kDrawLargeScreen, kGraphStrainDa).logicalWidth, 9864);
  for (int kind : {kGraphStrainDa, kGraphStrainDamage}) {
    EXPECT_EQ(PlotLayoutFor(kDrawArea, kind).plot, (LogicalRect{2500, 700, 8000, -2350}));
    EXPECT_EQ(PlotLayoutFor(kDrawArea, kind).logicalWidth, 10998);
  }
  for (int kind : {kGraphConstants, kGraphSrn, kGraphSrnView}) {
    EXPECT_EQ(PlotLayoutFor(kDrawArea, kind).plot, (LogicalRect{2000, 1000, 8000, -2550}));
    EXPECT_EQ(PlotLayoutFor(kDrawArea, kind).logicalWidth, 11000);
  }
}

// The content (11000 wide, 1150 down to -3200) plus 300-unit margins along
// the dimension that sets the scale; the other follows in proportion.
TEST(GraphWindowFit, TheTightDimensionSetsTheScale) {
  const GraphWindow wide = FitGraphWindow(kDrawArea, kGraphSrn, 1.0, 0, 0, 2000, 400);
  EXPECT_DOUBLE_EQ(wide.extentY, 4950);
  EXPECT_DOUBLE_EQ(wide.extentX, 24750);
  EXPECT_NEAR(wide.DeviceX(5500), 1000, 0.5);  // centred across
  EXPECT_NEAR(wide.DeviceY(1150), 24.24, 0.01);
  const GraphWindow narrow = FitGraphWindow(kDrawArea, kGraphConstants, 1.0, 0, 0, 1100, 900);
  EXPECT_DOUBLE_EQ(narrow.extentX, 11600);
  EXPECT_NEAR(narrow.DeviceX(-300), 0, 1e-9);
  EXPECT_NEAR(narrow.DeviceX(11300), 1100, 1e-9);
}

TEST(GraphWindowFit, ZoomTwoShowsTheCentredQuarterAndPanMovesTwentyUnitsPerStep) {
  const GraphWindow one = FitGraphWindow(kDrawArea, kGraphSrn, 1.0, 0, 0, 1000, 600);
  const GraphWindow two = FitGraphWindow(kDrawArea, kGraphSrn, 2.0, 0, 0, 1000, 600);
  const double visibleOne = one.extentX - 600;
  const double visibleTwo = two.extentX - 600;
  EXPECT_NEAR(visibleTwo, visibleOne / 2, 1.0);
  EXPECT_NEAR(one.extentX / one.extentY, two.extentX / two.extentY, 1e-12);
  // Same centre at both zooms.
  EXPECT_NEAR(one.originX + one.extentX / 2, two.originX + two.extentX / 2, 1.0);
  EXPECT_NEAR(one.originY - one.extentY / 2, two.originY - two.extentY / 2, 1.0);
  // Dragging 10 pixels right and 5 down at zoom 2: 100 and 50 logical units.
  const GraphWindow panned = FitGraphWindow(kDrawArea, kGraphSrn, 2.0, 10, 5, 1000, 600);
  EXPECT_DOUBLE_EQ(panned.originX, two.originX - 100);
  EXPECT_DOUBLE_EQ(panned.originY, two.originY + 50);
  // A zoom that is not positive is taken as 1.
  const GraphWindow bad = FitGraphWindow(kDrawArea, kGraphSrn, 0.0, 0, 0, 1000, 600);
  EXPECT_DOUBLE_EQ(bad.extentX, one.extentX);
}

// x max = x min puts every point on the left edge; an empty y range does not
// divide by zero; a log limit of 0 counts as 1.
TEST(AxisMappingTest, LinearLogAndDegenerateRanges) {
  AxisMapping m{{2000, 1000, 8000, -2550}, 0, 100, 0.3, 0.5};
  EXPECT_EQ((std::vector<int>{m.MarkerX(25), m.MarkerY(0.4), m.MarkerY(0.3)}), (std::vector<int>{3500, -775, -2550}));
  m.xMax = 0;
  m.yMax = 0.3;
  EXPECT_EQ((std::vector<int>{m.MarkerX(50), m.MarkerX(-7), m.MarkerY(0.3)}), (std::vector<int>{2000, 2000, -2550}));
  AxisMapping log{{2000, 1000, 8000, -2550}, 1, 1000, 0, 1, true};
  EXPECT_EQ((std::vector<int>{log.MarkerX(10), log.MarkerX(100)}), (std::vector<int>{4000, 6000}));
  log.xMin = 0;
  EXPECT_EQ((std::vector<int>{log.MarkerX(10), log.MarkerX(1)}), (std::vector<int>{4000, 2000}));
}

// Report drawing has y down: the same rule holds with top < bottom.
TEST(AxisMappingTest, CurvesAreHeldOnThePlotEdges) {
  AxisMapping m{{2000, 1000, 8000, -2550}, 0, 10, 0, 1};
  EXPECT_EQ((std::vector<int>{m.CurveX(-5), m.CurveX(25), m.CurveY(3), m.CurveY(-1), m.CurveX(5)}),
            (std::vector<int>{2000, 8000, 1000, -2550, 5000}));
  m.plot = {100, 50, 700, 450};
  EXPECT_EQ((std::vector<int>{m.CurveY(3), m.CurveY(0), m.CurveY(0.5)}), (std::vector<int>{50, 450, 250}));
}

TEST(AxisLabels, LinearLabelTexts) {
  const std::pair<double, const char*> cases[] = {{100, "100"},        {0.05, "0.05"},   {12.5, "12.5"}, {0, "0"},
                                                  {0.3, "0.3"},        {-0.25, "-0.25"}, {1e-17, "0"},   {-1e-17, "0"},
                                                  {0.12345, "0.1235"}, {2000, "2000"}};
  for (const auto& [v, text] : cases) EXPECT_EQ(LinearAxisLabel(v), text) << v;
}

TEST(AxisLabels, LinearTicksStopBelowMaxAndRefuseBadPitch) {
  EXPECT_EQ(LinearTicks(0.3, 0.5, 0.05).size(), 5u);
  EXPECT_EQ(LinearTicks(0, 100, 25), (std::vector<double>{0, 25, 50, 75, 100}));
  EXPECT_EQ(LinearTicks(0, 10, 0), (std::vector<double>{0}));
  EXPECT_EQ(LinearTicks(0, 10, -1), (std::vector<double>{0}));
  EXPECT_EQ(LinearTicks(0, 1e9, 1e-3).size(), 2001u);
  EXPECT_TRUE(LinearTicks(std::nan(""), 1, 0.1).empty());
}

std::vector<std::string> LogLabels(double min, double max) {
  std::vector<std::string> labels;
  for (const LogAxisLine& line : LogAxisLines(min, max))
    if (!line.label.empty()) labels.push_back(line.label);
  return labels;
}

TEST(AxisLabels, LogAxisDecadesLimitsAndDottedMultiples) {
  int dotted = 0;
  for (const LogAxisLine& line : LogAxisLines(3, 1000)) {
    if (line.solid) continue;
    ++dotted;
    EXPECT_TRUE(line.label.empty() && line.value > 3 && line.value < 1000) << line.value;
  }
  EXPECT_EQ(dotted, 6 + 8 + 8);  // 4..9, 20..90, 200..900
  EXPECT_EQ(LogLabels(3, 1000), (std::vector<std::string>{"10", "100", "1000", "3"}));
  EXPECT_EQ(LogLabels(0.001, 1), (std::vector<std::string>{"0.001", "0.010", "0.100", "1"}));
  // A limit that is not a decade keeps its decimals (1.5 is not "2").
  EXPECT_EQ(LogLabels(1.5, 1000), (std::vector<std::string>{"10", "100", "1000", "1.5"}));
  // A limit of 0 stands for 1 and gets no line of its own; the walk stops at 10^7.
  const std::vector<std::string> wide = LogLabels(0, 1e9);
  EXPECT_EQ(wide, (std::vector<std::string>{"1", "10", "100", "1000", "10000", "100000", "1000000", "10000000",
                                            "1000000000"}));
}

TEST(Legend, ColumnsOfFifteenForSrnGraphs) {
  LegendLayout legend(8175, 1000, 150, true, 15);
  std::vector<LegendLayout::Position> at;
  for (int i = 0; i < 31; ++i) at.push_back(legend.Next(i == 3 ? 900 : 500));
  // The 16th entry starts a new column at the top, right of the widest entry.
  EXPECT_EQ((std::vector<int>{at[0].x, at[0].y, at[1].y, at[14].y, at[15].y, at[15].x, at[30].x}),
            (std::vector<int>{8175, 925, 625, 925 - 14 * 300, 925, 8175 + 900 + 75, 8175 + 975 + 575}));
  // Narrow entries still move the column by at least 2 x spacing.
  LegendLayout narrow(0, 0, 150, true, 15);
  for (int i = 0; i < 15; ++i) narrow.Next(10);
  EXPECT_EQ(narrow.Next(10).x, 300);
}

TEST(Legend, SingleColumnAndReportDirection) {
  LegendLayout single(100, 0, 150, true, 0);
  LegendLayout::Position last{};
  for (int i = 0; i < 40; ++i) last = single.Next(5000);
  EXPECT_EQ(std::pair(last.x, last.y), std::pair(100, -75 - 39 * 300));
  LegendLayout report(10, 40, 17, false, 0);
  EXPECT_EQ(report.Next(1).y, 48);
  EXPECT_EQ(report.Next(1).y, 82);
}

TEST(MarkerColours, EntriesByKind) {
  const std::tuple<int, std::size_t, int> cases[] = {
      {kGraphConstants, 0, 14},    {kGraphConstants, 2, 16}, {kGraphConstants, 7, 16}, {kGraphStrainDa, 0, 18},
      {kGraphStrainDamage, 5, 18}, {kGraphSrn, 0, 1},        {kGraphSrn, 13, 4},       {kGraphSrnView, 59, 10},
      {kGraphSrnView, 60, 1},      {kGraphSrn, 69, 1}};
  for (const auto& [kind, index, entry] : cases) EXPECT_EQ(MarkerColourEntry(kind, index), entry) << kind << index;
}

TEST(AxisTitleTexts, PerKindAndLanguage) {
  EXPECT_EQ(AxisTitlesFor(0, true).x, "両振幅ひずみ(%)");
  EXPECT_EQ(AxisTitlesFor(0, false).x, "Double Amplitude of axial strain, DA(%)");
  EXPECT_EQ(AxisTitlesFor(0, false).y, "α，β，C(deg)");
  EXPECT_EQ(AxisTitlesFor(1, true).y, "繰返しせん断応力振幅比SR");
  EXPECT_EQ(AxisTitlesFor(3, false).x, "Number of cycles N");
  EXPECT_EQ(AxisTitlesFor(3, false).y, "Double amplitude of axial strain SR");
  EXPECT_EQ(AxisTitlesFor(2, true).y, "見掛けの\n摩擦角(deg)");
  EXPECT_EQ(AxisTitlesFor(2, false).x, "DA strain(%)");
  EXPECT_EQ(AxisTitlesFor(4, true).x, "累積損傷度(-)");
  EXPECT_EQ(AxisTitlesFor(4, false).y, "Apparent \nfriction angle(deg)");
}

TEST(ZoomSteps, WheelAndToolbar) {
  double zoom = 1.0;
  for (double expected : {1.25, 1.5625, 1.953125, 2.44140625, 3.0517578125})
    EXPECT_DOUBLE_EQ(zoom = WheelZoom(zoom, 120), expected);
  for (int i = 0; i < 5; ++i) zoom = WheelZoom(zoom, 120);
  EXPECT_DOUBLE_EQ(zoom, 8.0);
  const std::tuple<double, int, double> wheel[] = {
      {8.0, 120, 8.0}, {1.0, -120, 1.0}, {1.1, -120, 1.0}, {2.0, -120, 1.6}, {2.0, 0, 2.0}};
  for (const auto& [from, delta, to] : wheel) EXPECT_DOUBLE_EQ(WheelZoom(from, delta), to) << from << " " << delta;
  EXPECT_EQ((std::vector<double>{ZoomInStep(7.450580596923828), ZoomInStep(8.0), ZoomInStep(1.0)}),
            (std::vector<double>{8.0, 8.0, 1.25}));
}

}  // namespace
}  // namespace quorvel
