#include <gtest/gtest.h>

#include <utility>

#include "host/InvalidArgument.h"
#include "records/GdModel.h"
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

TEST(GdPrintTest, ItemFlagsWithMixedSeparators) {
  RecordReader in;
  clsGdPrint print;
  ASSERT_TRUE(ReadRecord(
      "ToPrint\nlabel\n0\n[Print] 3\n表紙,1\n目次 0\n入力データ:1\nend\nT\nS\nSite\nCo\nCo2\nTel\nFax\nDate\nx\ny\n",
      print, in))
      << in.Error().Message();
  EXPECT_EQ(print.Items, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(print.IsSelected(2));
  EXPECT_FALSE(print.IsSelected(57));  // beyond the list
  EXPECT_EQ(print.SelectionWords(), (std::vector<std::uint32_t>{5u}));
  EXPECT_EQ(print.Text(clsGdPrint::kTitle), "T");
  EXPECT_EQ(print.Text(clsGdPrint::kCompanyNameSecond), "Co2");
  EXPECT_EQ(print.Text(clsGdPrint::kDateInformation), "Date");
  EXPECT_EQ(print.Text(clsGdPrint::kExtraText2), "y");
}

TEST(GdPrintTest, FailuresNameTheRecord) {
  const std::pair<const char*, const char*> cases[] = {
      {"[Print]\nitem,1\n", "[Print] line 1: header has no count"},
      {"[Print] 2\nitem,1\nitem\n", "[Print] line 3: item line 2 has no flag"},
      {"[Print] 1\nitem,1\nend\nT\n", "[Print] line 4: the file ends early"},
      {"[Print] 9999\nitem,1\n", "[Print] line 1: count 9999 needs more than the 1 lines left in the file"},
      {"nothing here\n", "[Print] line 1: section [Print] not found before the end of the file"},
  };
  for (const auto& [text, message] : cases) {
    RecordReader in;
    clsGdPrint print;
    EXPECT_FALSE(ReadRecord(text, print, in));
    EXPECT_EQ(in.Error().Message(), message);
  }
}

TEST(GdPrintTest, CountThatIsNotANumberReadsNoItems) {
  RecordReader in;
  clsGdPrint print;
  ASSERT_TRUE(ReadRecord("[Print] x\nend\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n", print, in)) << in.Error().Message();
  EXPECT_TRUE(print.Items.empty());
  EXPECT_EQ(print.Text(clsGdPrint::kTitle), "1");
}

TEST(GdTableTest, RowsAndFailures) {
  RecordReader in;
  clsGdTable table(3);
  ASSERT_TRUE(ReadRecord("[Table] 2\n1,2,3\n4,,6\n", table, in));
  EXPECT_EQ(table.RowCount(), 2u);
  EXPECT_EQ(table.At(1, 0), 4.0);
  EXPECT_EQ(table.At(1, 1), kNoValue);
  EXPECT_THROW(table.Row(2), InvalidArgument);
  EXPECT_THROW(table.At(0, 3), InvalidArgument);

  clsGdTable short_row(3);
  EXPECT_FALSE(ReadRecord("[Table] 2\n1,2,3\n4,5\n", short_row, in));
  EXPECT_EQ(in.Error().Message(), "[Table] line 3: a row needs 3 comma-separated fields, found \"4,5\"");
  EXPECT_EQ(short_row.RowCount(), 1u);  // the row before the failure stays

  clsGdTable single(1);
  ASSERT_TRUE(ReadRecord("[Table] 3\n1.5\n\n7abc\n", single, in));
  EXPECT_EQ(single.Values, (std::vector<double>{1.5, kNoValue, 7.0}));

  clsGdTable none(2);
  ASSERT_TRUE(ReadRecord("[Table] -4\n", none, in));
  EXPECT_EQ(none.RowCount(), 0u);
}

TEST(GdModelTest, SoilNeedsEightConstantsAndABool) {
  RecordReader in;
  clsGdSoil soil;
  ASSERT_TRUE(ReadRecord("[Soil] 1\n盛土\n18,19,30,10,25,2,0.33,40000\nTrue\n", soil, in));
  EXPECT_EQ(soil.Version, 1);
  EXPECT_EQ(soil.Name, "盛土");
  EXPECT_EQ(soil.Constants.UnitWeight, 18.0);
  EXPECT_EQ(soil.Constants.SaturatedUnitWeight, 19.0);
  EXPECT_EQ(soil.Constants.FrictionAngle, 30.0);
  EXPECT_EQ(soil.Constants.Cohesion, 10.0);
  EXPECT_EQ(soil.Constants.ShearModulus, 40000.0);
  EXPECT_TRUE(soil.StrengthReduction);

  const std::pair<const char*, const char*> cases[] = {
      {"[Soil]\nname\n", "[Soil] line 1: header has no version: \"[Soil]\""},
      {"[Soil]1\nname\n1,2,3,4,5,6,7\nTrue\n",
       "[Soil] line 3: a row needs 8 comma-separated fields, found \"1,2,3,4,5,6,7\""},
      {"[Soil]1\nname\n1,2,3,4,5,6,7,8\ntrue\n", "[Soil] line 4: expected \"True\" or \"False\", found \"true\""},
  };
  for (const auto& [text, message] : cases) {
    clsGdSoil failing;
    EXPECT_FALSE(ReadRecord(text, failing, in));
    EXPECT_EQ(in.Error().Message(), message);
  }
  clsGdSoil unnamed;
  EXPECT_FALSE(ReadRecord("[Soil]1\n", unnamed, in));
  EXPECT_EQ(unnamed.Name, "no name");  // the name line never came
}

TEST(GdModelTest, LayerCollectionAndNestedFailureTag) {
  RecordReader in;
  clsGdLayerCol layers;
  ASSERT_TRUE(ReadRecord("[LayerCol] 2\n[Layer] 3\n1,2,3,4\n[Layer]\n5\n", layers, in));
  ASSERT_EQ(layers.Layers.size(), 2u);
  EXPECT_EQ(layers.Layers[0].SoilNumber, 3);
  EXPECT_EQ(layers.Layers[0].BoundaryNodes, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(layers.Layers[1].SoilNumber, kNoInt);
  EXPECT_EQ(layers.Layers[1].BoundaryNodes, (std::vector<int>{5}));

  clsGdLayerCol broken;
  EXPECT_FALSE(ReadRecord("[LayerCol] 2\n[Layer] 1\n1,2\nnothing\n", broken, in));
  EXPECT_EQ(in.Error().Message(), "[Layer] line 4: section [Layer] not found before the end of the file");
  EXPECT_EQ(broken.Layers.size(), 1u);
}

TEST(GdSofteningTest, SdParameterReadsArgumentOnlyFromVersionOne) {
  const std::string body = "rand_ng\n7\n1e-5\n[Table] 1\n0.1,30\n[Table] 1\n1,0,2\n[Table] 2\n1.5\n0.01\n33.5\n";
  for (int version : {0, 1}) {
    RecordReader in;
    clsGdSdParameter parameter;
    std::string text = "[SdParameter]" + std::to_string(version) + "\n" + body + "1\n";
    ASSERT_TRUE(ReadRecord(text, parameter, in)) << in.Error().Message();
    EXPECT_FALSE(parameter.RandomStart);
    EXPECT_EQ(parameter.MaxTrials, 7);
    EXPECT_EQ(parameter.Tolerance, 1e-5);
    EXPECT_EQ(parameter.TestPoints.At(0, 1), 30.0);
    EXPECT_EQ(parameter.Bounds.At(0, 2), 2.0);
    EXPECT_EQ(parameter.Results.Values, (std::vector<double>{1.5, 0.01}));
    EXPECT_EQ(parameter.PeakFrictionAngle, 33.5);
    EXPECT_EQ(parameter.Argument, version == 1 ? 1 : 0);
    EXPECT_EQ(in.LineNumber(), version == 1 ? 13u : 12u);
  }
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
  EXPECT_EQ(first.DaLevelPercent, 1);
  EXPECT_EQ(first.Initial, (std::vector<double>{0.5, 0.2, 0.1}));
  EXPECT_EQ(first.Fitted, (std::vector<double>{0.4, 0.3, 0.1}));
  EXPECT_EQ(first.Residual, 0.001);
  EXPECT_TRUE(first.Selected);
  EXPECT_EQ(first.Points.RowCount(), 2u);
  EXPECT_EQ(first.Maximum, (std::vector<double>{2.0, 1.0, 1.0}));
  EXPECT_EQ(col.Layers[0].Ds.FunctionCode, 0);
  EXPECT_EQ(col.Layers[0].Ds.Tolerance, 1e-4);
  EXPECT_EQ(col.Layers[1].Srn.Sets.at(0).DaLevelPercent, 5);
  EXPECT_FALSE(col.Layers[1].Srn.Sets.at(0).Selected);
  EXPECT_EQ(col.Layers[1].Ds.FunctionCode, 3);
  EXPECT_EQ(col.Layers[1].Ds.Tolerance, 1e-5);
  EXPECT_EQ(col.Layers[1].Ds.Curves.At(clsGdDsParameter::kAlpha, 8), 8.0);
  EXPECT_FALSE(col.Layers[1].Ds.RandomStart);

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
  EXPECT_EQ(graph.Title, "変位量");
  EXPECT_EQ(graph.AxisTitle, "変位量(m)");
  EXPECT_EQ(graph.PeakValue, 0.3);
  EXPECT_EQ(graph.PeakTime, 9.5);
  ASSERT_EQ(graph.Series.size(), 2u);
  EXPECT_EQ(graph.Series[0].Name, "A");
  EXPECT_EQ(graph.Series[0].Points, (std::vector<GdPoint>{{0, 0}, {1, 0.3}}));
  EXPECT_EQ(graph.Series[1].Points, (std::vector<GdPoint>{{0, 0.1}}));
  EXPECT_EQ(graph.FinalValue, 0.25);

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
  EXPECT_EQ(contours.ValueCount, 3);
  EXPECT_EQ(contours.Mesh.Nodes.size(), 3u);
  ASSERT_EQ(contours.Contours.size(), 1u);
  EXPECT_EQ(contours.Contours[0].Title, "損傷度コンター");
  EXPECT_EQ(contours.Contours[0].Values, (std::vector<double>{0.1, 0.5, 0.9}));

  clsGdConterCol wrong;
  EXPECT_FALSE(ReadRecord("[ConterCol] 1 4\n[NodeCol] 0\n[Conter]\nT\n0\n1\n0.1,0.5,0.9\n", wrong, in));
  EXPECT_EQ(in.Error().Tag, "[Conter]");
  clsGdConterCol noCounts;
  EXPECT_FALSE(ReadRecord("[ConterCol] 1\n", noCounts, in));
  EXPECT_EQ(in.Error().Message(), "[ConterCol] line 1: header needs the contour count and the value count");
}

TEST(GdResultsTest, SlipShortLinesLeaveValuesEmpty) {
  RecordReader in;
  clsGdSlip slip;
  ASSERT_TRUE(ReadRecord("[Slip]\n4\n1 2 3\n1.2 0.1\n1 2 3\n4 5 6\n7 8\n\n0.35\n", slip, in));
  EXPECT_EQ(slip.Kind, clsGdSlip::kMaximumDisplacement);
  EXPECT_EQ(slip.Radius, 3.0);
  EXPECT_EQ(slip.YieldCoefficient, 0.1);
  EXPECT_EQ(slip.ResistingMoment, kNoValue);
  EXPECT_EQ(slip.SafetyFactors.Total, 3.0);
  EXPECT_EQ(slip.ResistingMoments.Drained, 8.0);
  EXPECT_EQ(slip.ResistingMoments.Total, kNoValue);
  EXPECT_EQ(slip.DrivingMoments.Undrained, kNoValue);
  EXPECT_EQ(slip.Displacement, 0.35);
}

TEST(GdSettingsTest, ZeroCrossKeepsTheFirstFourCutoffsWithAValue) {
  RecordReader in;
  clsGdZerocross zero;
  ASSERT_TRUE(
      ReadRecord("[ZeroCross]\nc\nFalse\nc\n5\nc\n0.01\nc\n1\nc\n0.001\nc\n50\nc\n2\nc\n3\nc\n1\n"
                 "FFT\nHanning\n1024\n-9e32 0.1 0.2 -9e32 5 6 7\nend\n",
                 zero, in))
      << in.Error().Message();
  EXPECT_FALSE(zero.UseZeroCross);
  EXPECT_EQ(zero.UpperStrain, 5.0);
  EXPECT_EQ(zero.FitMethod, 1);
  EXPECT_EQ(zero.LowerDamage, 0.001);
  EXPECT_EQ(zero.MinimumHalfCycles, 1);
  EXPECT_EQ(zero.FilterName, "Hanning");
  EXPECT_EQ(zero.FftPointCount, 1024);
  EXPECT_EQ(zero.FftCutoffs, (std::vector<double>{0.1, 0.2, 5.0, 6.0}));
}

TEST(GdSettingsTest, ReportTextsOfCodes) {
  EXPECT_EQ(ZeroCrossFitMethodText(0), "直線補間");
  EXPECT_EQ(ZeroCrossFitMethodText(1), "隣接平均法");
  EXPECT_EQ(ZeroCrossFitMethodText(2), "FFTフィルタ法");
  EXPECT_EQ(ZeroCrossFitMethodText(kNoInt), "FFTフィルタ法");
  EXPECT_EQ(InputInversionText(0), "入力応答加速度を反転しない");
  EXPECT_EQ(InputInversionText(1), "入力応答加速度を反転する");
  EXPECT_EQ(InputInversionText(2), "入力応答加速度を反転する/しない両方を考慮");
  EXPECT_EQ(InputInversionText(3), "エラー");
  EXPECT_EQ(ResponseAveragingText(0), "土塊すべり内平均");
  EXPECT_EQ(ResponseAveragingText(1), "すべり底面の平均応答加速度");
  EXPECT_EQ(ResponseAveragingText(-1), "エラー");
  clsGdDynpath dynpath;
  EXPECT_EQ(dynpath.Duration(), kNoValue);
  dynpath.StepCount = 2000;
  dynpath.TimeStep = 0.01;
  EXPECT_DOUBLE_EQ(dynpath.Duration(), 20.0);
}

}  // namespace
}  // namespace quorvel
