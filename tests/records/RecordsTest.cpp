#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "records/GdPrint.h"
#include "records/GdResults.h"
#include "records/GdSettings.h"
#include "records/GdSoftening.h"
#include "records/GdTable.h"

namespace quorvel {
namespace {

// Reads one record of type T from UTF-8 text; the reader is kept for its error.
template <class T>
bool ReadRecord(std::string_view text, T& record, RecordReader& in) {
  EXPECT_TRUE(in.OpenText(text));
  return record.Read(in);
}

TEST(GdPrintTest, FailuresNameTheRecord) {
  const std::pair<const char*, const char*> cases[] = {
      {"[Print]\nitem,1\n", "[Print] line 1: header has no count"},
      {"[Print] 2\nitem,1\nitem\n", "[Print] line 3: item line 2 has no flag"},
  };
  for (const auto& [text, message] : cases) {
    RecordReader in;
    clsGdPrint print;
    EXPECT_FALSE(ReadRecord(text, print, in));
    EXPECT_EQ(in.Error().Message(), message);
  }
}

TEST(GdTableTest, RowsAndFailures) {
  RecordReader in;
  clsGdTable table(3);
  ASSERT_TRUE(ReadRecord("[Table] 2\n1,2,3\n4,,6\n", table, in));
  EXPECT_EQ(table.Values, (std::vector<double>{1, 2, 3, 4, kNoValue, 6}));

  clsGdTable short_row(3);
  EXPECT_FALSE(ReadRecord("[Table] 2\n1,2,3\n4,5\n", short_row, in));
  EXPECT_EQ(in.Error().Message(), "[Table] line 3: a row needs 3 comma-separated fields, found \"4,5\"");
  EXPECT_EQ(short_row.RowCount(), 1u);  // the row before the failure stays
}

// Version 1 (the example's) reads one more line, the argument; a misread would
// shift every later record of the example.
TEST(GdSofteningTest, SdParameterOfVersionZeroHasNoArgument) {
  RecordReader in;
  clsGdSdParameter parameter;
  ASSERT_TRUE(ReadRecord(
      "[SdParameter]0\nrand_ng\n7\n1e-5\n[Table] 1\n0.1,30\n[Table] 1\n1,0,2\n[Table] 2\n1.5\n0.01\n33.5\n1\n",
      parameter, in))
      << in.Error().Message();
  EXPECT_TRUE(!parameter.RandomStart && parameter.MaxTrials == 7 && parameter.Tolerance == 1e-5);
  EXPECT_EQ(
      (std::vector<double>{parameter.TestPoints.At(0, 1), parameter.Bounds.At(0, 2), parameter.PeakFrictionAngle}),
      (std::vector<double>{30, 2, 33.5}));
  EXPECT_EQ(parameter.Results.Values, (std::vector<double>{1.5, 0.01}));
  EXPECT_EQ(parameter.Argument, 0);
  EXPECT_EQ(in.LineNumber(), 12u);
}

// Each SR-N record is followed by the Ds record of the same layer.
TEST(GdSofteningTest, SrnParamColPairsEachSrnWithTheDsAfterIt) {
  auto srn = [](int da, const char* selected) {
    return "[SrnParameter]1 1\n[SrnData]1\n" + std::to_string(da) + "\n0.5,0.2,0.1\n0.4,0.3,0.1\n0.001\n" + selected +
           "\n[Table] 2\n2,0.6\n20,0.4\n0,0,0\n2,1,1\nrand_ok\n5\n1e-6\n";
  };
  auto ds = [](int code, const char* tolerance) {
    return "[DsParameter]\n[Table] 1\n1,2,3,4,5,6,7,8\n" + std::to_string(code) +
           "\n[Table] 1\n0.1,1,2,3,4,5,6,7,8\nrand_ng\n3\n" + tolerance + "\n";
  };
  RecordReader in;
  clsGdSrnParamCol col;
  ASSERT_TRUE(ReadRecord(
      "[SrnParamCol] 2\n" + srn(1, "selected") + ds(0, "1e-4") + srn(5, "not_selected") + ds(3, "1e-5"), col, in))
      << in.Error().Message();
  ASSERT_EQ(col.Layers.size(), 2u);
  const clsGdSrnData& first = col.Layers[0].Srn.Sets.at(0);
  EXPECT_TRUE(first.DaLevelPercent == 1 && first.Residual == 0.001 && first.Selected && first.Points.RowCount() == 2);
  EXPECT_EQ(std::tie(first.Initial, first.Fitted, first.Maximum),
            std::make_tuple(std::vector<double>{0.5, 0.2, 0.1}, std::vector<double>{0.4, 0.3, 0.1},
                            std::vector<double>{2.0, 1.0, 1.0}));
  const auto& [srn1, ds0, ds1] = std::tie(col.Layers[1].Srn.Sets.at(0), col.Layers[0].Ds, col.Layers[1].Ds);
  EXPECT_TRUE(ds0.FunctionCode == 0 && ds0.Tolerance == 1e-4 && srn1.DaLevelPercent == 5 && !srn1.Selected);
  EXPECT_TRUE(ds1.FunctionCode == 3 && ds1.Tolerance == 1e-5 && !ds1.RandomStart);
  EXPECT_EQ(ds1.Curves.At(clsGdDsParameter::kAlpha, 8), 8.0);

  // A layer whose Ds record is missing fails the collection; the layer before stays.
  clsGdSrnParamCol missing;
  EXPECT_FALSE(ReadRecord("[SrnParamCol] 2\n" + srn(1, "selected") + ds(0, "1e-4") + srn(2, "selected"), missing, in));
  EXPECT_EQ(in.Error().Tag, "[DsParameter]");
  EXPECT_EQ(missing.Layers.size(), 1u);
}

TEST(GdResultsTest, GraphDataSeriesFollowTheirCount) {
  RecordReader in;
  clsGdGraphData graph;
  ASSERT_TRUE(
      ReadRecord("[GraphData]\n変位量\n変位量(m)\n0.3\n9.5\n2\nA\n2\n0,0\n1,0.3\nB\n1\n0,0.1\n0.25\n", graph, in))
      << in.Error().Message();
  EXPECT_EQ(graph.Title + graph.AxisTitle, "変位量変位量(m)");
  EXPECT_EQ((std::vector<double>{graph.PeakValue, graph.PeakTime, graph.FinalValue}),
            (std::vector<double>{0.3, 9.5, 0.25}));
  ASSERT_EQ(graph.Series.size(), 2u);
  EXPECT_EQ(std::tie(graph.Series[0].Name, graph.Series[0].Points, graph.Series[1].Points),
            std::make_tuple("A", std::vector<GdPoint>{{0, 0}, {1, 0.3}}, std::vector<GdPoint>{{0, 0.1}}));

  clsGdGraphData huge;
  EXPECT_FALSE(ReadRecord("[GraphData]\nT\nA\n0\n0\n1\nS\n2000000000\n0,0\n", huge, in));
  EXPECT_EQ(in.Error().Message(), "[GraphData] line 8: count 2000000000 needs more than the 1 lines left in the file");
}

TEST(GdResultsTest, ContourRowsTakeTheValueCountOfTheCollection) {
  RecordReader in;
  clsGdConterCol contours;
  ASSERT_TRUE(ReadRecord("[ConterCol] 1 3\n[NodeCol] 3\n0,0\n1,0\n0,1\n[Conter]\n損傷度コンター\n0\n1\n0.1,0.5,0.9\n",
                         contours, in))
      << in.Error().Message();
  EXPECT_TRUE(contours.ValueCount == 3 && contours.Mesh.Nodes.size() == 3u);
  ASSERT_EQ(contours.Contours.size(), 1u);
  EXPECT_EQ(std::tie(contours.Contours[0].Title, contours.Contours[0].Values),
            std::make_tuple("損傷度コンター", std::vector<double>{0.1, 0.5, 0.9}));

  clsGdConterCol wrong;
  EXPECT_FALSE(ReadRecord("[ConterCol] 1 4\n[NodeCol] 0\n[Conter]\nT\n0\n1\n0.1,0.5,0.9\n", wrong, in));
  EXPECT_EQ(in.Error().Tag, "[Conter]");
  clsGdConterCol noCounts;
  EXPECT_FALSE(ReadRecord("[ConterCol] 1\n", noCounts, in));
  EXPECT_EQ(in.Error().Message(), "[ConterCol] line 1: header needs the contour count and the value count");
}

TEST(GdSettingsTest, DynpathDurationIsStepsTimesStepAndNeedsBoth) {
  clsGdDynpath dynpath;
  dynpath.TimeStep = 0.01;
  EXPECT_EQ(dynpath.Duration(), kNoValue);
  dynpath.StepCount = 2000;
  EXPECT_DOUBLE_EQ(dynpath.Duration(), 20.0);
}

}  // namespace
}  // namespace quorvel
