#include <gtest/gtest.h>

#include "graph/DataSetList.h"
#include "host/InvalidArgument.h"
#include "host/NumberText.h"

namespace quorvel {
namespace {

void ExpectListDefaults(const CPointDataList& list) {
  EXPECT_EQ(list.PointCount(), 0u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(list.Initial[i], kNoValue);
    EXPECT_EQ(list.Minimum[i], 0.0);
    EXPECT_EQ(list.Maximum[i], 1.0);
  }
  EXPECT_EQ(list.SpareValue, 1e-6);
  EXPECT_FALSE(list.HasLegend);
  EXPECT_EQ(list.Colour, 0);
}

TEST(PointDataList, ResetKeepsOnlyTheName) {
  CPointDataList list("5");
  ExpectListDefaults(list);
  list.AppendPoint(10.0, 0.3);
  list.AppendPoint(CDPoint(100.0, 0.25));
  list.Initial = {0.4, 0.1, 0.05};
  list.Minimum = {-1, -1, -1};
  list.Maximum = {9, 9, 9};
  list.SpareValue = 3.0;
  list.HasLegend = true;
  list.Colour = 0x123456;
  EXPECT_EQ(list.Point(1), CDPoint(100.0, 0.25));
  EXPECT_EQ(list.Point(1).flag, 0);

  list.Reset();
  EXPECT_EQ(list.Name, "5");
  ExpectListDefaults(list);
}

TEST(PointDataList, IndexesOutsideThrow) {
  CPointDataList list;
  EXPECT_THROW(list.Point(0), InvalidArgument);
  list.AppendPoint(1.0, 2.0);
  EXPECT_NO_THROW(list.Point(0));
  EXPECT_THROW(list.Point(1), InvalidArgument);
  EXPECT_THROW(list.Point(static_cast<std::size_t>(-1)), InvalidArgument);
  EXPECT_THROW(list.RemovePointAt(1), InvalidArgument);
  list.RemovePointAt(0);
  EXPECT_EQ(list.PointCount(), 0u);
}

TEST(DataSetList, DefaultsResetAndOwnership) {
  DataSetList sets;
  EXPECT_EQ(sets.XMinimum, 0.0);
  EXPECT_EQ(sets.XMaximum, 100.0);
  EXPECT_EQ(sets.XPitch, 25.0);
  EXPECT_EQ(sets.YMinimum, 0.3);
  EXPECT_EQ(sets.YMaximum, 0.5);
  EXPECT_EQ(sets.YPitch, 0.05);
  EXPECT_TRUE(sets.RangesOutOfDate);
  EXPECT_TRUE(sets.AutomaticAdjustment);

  CPointDataList& first = sets.Append(CPointDataList("1"));
  sets.Append(std::make_unique<CPointDataList>("2"));
  for (int i = 0; i < 100; ++i) sets.Append(CPointDataList("x"));
  EXPECT_EQ(first.Name, "1");  // addresses stay valid while appending
  EXPECT_EQ(&first, &sets.At(0));
  EXPECT_THROW(sets.At(102), InvalidArgument);
  EXPECT_THROW(sets.RemoveAt(102), InvalidArgument);
  EXPECT_THROW(sets.Append(std::unique_ptr<CPointDataList>()), InvalidArgument);
  sets.RemoveAt(0);
  EXPECT_EQ(sets.At(0).Name, "2");

  DataSetList copy = sets;
  copy.At(0).Name = "changed";
  EXPECT_EQ(sets.At(0).Name, "2");

  sets.XPitch = 3.0;
  sets.AutomaticAdjustment = false;
  sets.Clear();
  EXPECT_EQ(sets.Count(), 0u);
  EXPECT_EQ(sets.XPitch, 3.0);  // Clear keeps the axis values
  sets.Append(CPointDataList("y"));
  sets.Reset();
  EXPECT_EQ(sets.Count(), 0u);
  EXPECT_EQ(sets.XPitch, 25.0);
  EXPECT_TRUE(sets.AutomaticAdjustment);
}

TEST(DataSetList, SnapYRange) {
  struct Case {
    double min, max, pitch, snappedMin, snappedMax;
  };
  const Case cases[] = {
      {0.31, 0.49, 0.05, 0.3, 0.5}, {0.31, 0.49, 0.0, 0.0, 1.0},          {0.31, 0.49, -2.0, 0.0, 1.0},
      {0.0, 0.49, 0.2, 0.0, 0.6},   {kNoValue, 0.0, 0.05, kNoValue, 0.0}, {-0.12, 3.2, 0.5, -0.5, 3.5},
      {0.3, 0.5, 0.05, 0.3, 0.5},
  };
  for (const Case& c : cases) {
    DataSetList sets;
    sets.YMinimum = c.min;
    sets.YMaximum = c.max;
    sets.YPitch = c.pitch;
    sets.SnapYRange();
    EXPECT_NEAR(sets.YMinimum, c.snappedMin, 1e-12) << c.min << " pitch " << c.pitch;
    EXPECT_NEAR(sets.YMaximum, c.snappedMax, 1e-12) << c.max << " pitch " << c.pitch;
  }
}

}  // namespace
}  // namespace quorvel
