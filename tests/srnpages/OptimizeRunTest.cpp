// The fitting runs of the SR-N optimisation page and the liquefaction-curve
// constants page, driven without widgets through the real engine library and
// real exchange files (fake engines only where an answer must be forced).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "TempFolder.h"
#include "engine/Lunvex.h"
#include "host/EngineCaller.h"
#include "host/RandomGenerator.h"
#include "srn/LiquidOptimizeRun.h"
#include "srn/SrnGraphSeries.h"
#include "srn/SrnHandOff.h"
#include "srn/SrnOptimizeRun.h"

namespace quorvel {
namespace {

using test::TempFolder;

SrnFormRecord ExampleRecord() {
  SrnFormRecord record;
  std::string error;
  EXPECT_TRUE(ReadSrnInput(std::string(QUORVEL_EXAMPLES) + "/srn/temp.txt", record, &error)) << error;
  return record;
}

// An engine that answers every fit with the same "output.txt".
EngineCaller::FitFunction Answering(const TempFolder& folder, std::string output) {
  return [&folder, output] {
    folder.WriteBytes("output.txt", output);
    return 0;
  };
}

TEST(SrnOptimizeRun, DataFilesHaveTheExactRows) {
  TempFolder folder;
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  EngineCaller caller(folder.Path());
  SrnOptimizeRun run(record, sheet, caller);
  ASSERT_TRUE(run.FitAllSets());
  // The last set written stays in the folder: 7.5 %.
  EXPECT_EQ(folder.ReadBytes("data.txt"),
            "0\r\n0.3\r\n0.2\r\n0.1\r\n0.0001\t10.0\r\n0.0001\t5.0\r\n0.0\t1.0\r\n7\r\n"
            "1.5\t0.488172\r\n3.0\t0.468271\r\n6.0\t0.415049\r\n12.0\t0.378735\r\n25.0\t0.347979\r\n"
            "60.0\t0.320827\r\n150.0\t0.302292\r\n");

  // The constants' points: each SR-N curve's level and parameter, a missing one as 0.
  record.DaGraph.Append(CPointDataList("old"));  // made anew
  record.SrnCurves.Clear();
  for (const auto& [name, b] : {std::pair("1.5", 0.123456789012), std::pair("20.0", 2.0)}) {
    CEqBase& curve = record.SrnCurves.Append(MakeEquation(0));
    curve.Name = name;
    curve.Params = {0.4, b};
  }
  BuildConstantPointLists(record);
  ASSERT_EQ(record.DaGraph.Count(), 3u);
  EXPECT_EQ(record.DaGraph.At(0).Points(), (std::vector<CDPoint>{{1.5, 0.4}, {20.0, 0.4}}));
  EXPECT_EQ(std::pair(record.DaGraph.At(2).Name, record.DaGraph.At(2).Points()),
            std::pair(std::string("C"), std::vector<CDPoint>{{1.5, 0.0}, {20.0, 0.0}}));
  LiquidOptimizeSheet liquid = FillLiquidSheet(record);
  liquid.Function[1] = 3;  // ExpPower: id 5, four parameters
  liquid.Input[3] = {"0.100000", "0.2", "", "1.5", "9", "9", "9", "9"};
  EXPECT_EQ(EngineDataText(LiquidOptimizeRun(record, liquid, caller).BuildRequest(1)),
            "5\r\n0.1\r\n0.2\r\n\r\n1.5\r\n-10.0\t10.0\r\n-10.0\t10.0\r\n-10.0\t10.0\r\n-10.0\t10.0\r\n2\r\n"
            "1.5\t0.123456789\r\n20.0\t2.0\r\n");
  const std::tuple<int, int, int> functions[] = {{0, 2, 8}, {1, 3, 5}, {2, 4, 7}, {3, 5, 4}, {7, 2, 8}};
  for (const auto& [index, id, count] : functions) {
    EXPECT_EQ(std::pair(LiquidEquationId(index), LiquidParameterCount(index)), std::pair(id, count)) << index;
  }
}

// Each death-test child is a fresh run of this program, so its generator
// starts at seed 5489: draws 2, 4 and 6 (u = 0.135477..., 0.835010...,
// 0.968868...) end in the grid as min + u (max - min) of a, b and c, and in
// the last set. A tolerance never met draws before every trial but the first
// of a pass (6 draws) and reports after each fit of all sets and each unmet
// trial (18 reports).
void RunAndPrintInitialValues() {
  TempFolder folder;
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  sheet.MaximumTrials = 3;
  sheet.Tolerance = 0.0;
  EngineCaller caller(folder.Path());
  int progressCalls = 0;
  SrnOptimizeRun(record, sheet, caller).Run([&] { ++progressCalls; });
  std::string text;
  for (const SrnInitialRow& row : sheet.Initial) text += row.Cells[0] + "," + row.Cells[3] + "," + row.Cells[6] + ";";
  std::fprintf(stderr, "<%s%s|%d|%d|%d>\n", text.c_str(), FormatTrimmed(record.DataSets.At(3).Initial[2], 6).c_str(),
               static_cast<int>(UniformDrawCount()), progressCalls, static_cast<int>(caller.CallCount()));
  std::exit(0);
}

TEST(SrnOptimizeRunDeathTest, SameRandomInitialValuesInEveryProgramRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string row = "1\\.354856,4\\.175059,0\\.968868;";
  const std::string printed = "<" + row + row + row + row + "0\\.968868\\|6\\|18\\|36>";
  EXPECT_EXIT(RunAndPrintInitialValues(), ::testing::ExitedWithCode(0), printed);
  EXPECT_EXIT(RunAndPrintInitialValues(), ::testing::ExitedWithCode(0), printed);
}

// A pass ends when the tolerance exceeds the residual of its own row (a
// missing row reads as 0), not when it equals it; without the retry after one
// trial. Each fit's answer becomes the set's curve and result row.
TEST(SrnOptimizeRun, PassesEndWhenTheToleranceIsAboveTheResidual) {
  const std::tuple<std::size_t, bool, double, std::array<int, 3>> cases[] = {
      {4, true, 1.0000001e-3, {1, 1, 1}}, {4, true, 1e-3, {5, 5, 5}},  {4, false, 1e-3, {1, 1, 1}},
      {1, true, 1e-10, {5, 1, 1}},        {2, true, 1e-10, {5, 5, 1}}, {3, true, 1e-10, {5, 5, 5}},
  };
  for (const auto& [sets, retry, tolerance, trials] : cases) {
    TempFolder folder;
    SrnFormRecord record = ExampleRecord();
    while (record.DataSets.Count() > sets) {
      record.DataSets.RemoveAt(record.DataSets.Count() - 1);
      record.SrnCurves.RemoveAt(record.SrnCurves.Count() - 1);
    }
    SrnOptimizeSheet sheet = FillSrnSheet(record);
    sheet.RandomRetry = retry;
    sheet.Tolerance = tolerance;
    EngineCaller caller(folder.Path(), Answering(folder, "1.000000E-03\r\n0.3\r\n0.2\r\n0.1\r\n"));
    SrnOptimizeRun run(record, sheet, caller);
    run.Run();
    EXPECT_EQ(run.TrialsPerPass(), trials) << sets << " " << tolerance;
    EXPECT_EQ(caller.CallCount(), (trials[0] + trials[1] + trials[2]) * static_cast<int>(sets));
    EXPECT_EQ(std::pair(record.SrnCurves.At(sets - 1).Params, sheet.Results[sets - 1].Cells[3]),
              std::pair(std::vector<double>{0.3, 0.2, 0.1}, std::string("1.000000E-3")));
  }
}

// Every fit marks the 5 % row when there is one, unless the user marked a
// curve for the host: that one stays marked.
TEST(SrnOptimizeRun, MissingAnswersAndUnwritableDataFile) {
  TempFolder folder;
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  int call = 0;
  EngineCaller caller(folder.Path(), [&] { return ++call == 2 ? 0 : CalcFitting(); });  // set 2: no answer
  SrnOptimizeRun run(record, sheet, caller);
  ASSERT_TRUE(run.FitAllSets());
  EXPECT_EQ(std::pair(sheet.Results[1].Label, sheet.Results[1].Cells),
            std::pair(std::string("2%"), std::array<std::string, 4>{}));
  EXPECT_FALSE(sheet.Results[2].Cells[3].empty());
  ASSERT_EQ(record.SrnCurves.Count(), 4u);  // one curve per set, the failed one with zeros
  EXPECT_EQ(std::pair(record.SrnCurves.At(1).Name, record.SrnCurves.At(1).Params),
            std::pair(std::string("2"), std::vector<double>{0.0, 0.0, 0.0}));

  EngineCaller nowhere("/nonexistent-quorvel-folder/");
  SrnOptimizeRun stopped(record, sheet, nowhere);
  EXPECT_FALSE(stopped.FitAllSets());
  EXPECT_EQ(nowhere.CallCount(), 0);
  EXPECT_EQ(record.SrnCurves.Count(), 0u);
}

TEST(SrnOptimizeSheetRules, PreCheckAndCellRule) {
  SrnFormRecord record = ExampleRecord();
  record.Unchanged = true;
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  sheet.Initial[0].Cells = {"", "0.00001", "250", "", "-1", "-1", "", "-0.5", "100.0000004"};
  EngineCaller caller("/nonexistent-quorvel-folder/");
  SrnOptimizeRun(record, sheet, caller).PreCheck();
  EXPECT_EQ(sheet.Initial[0].Cells, (std::array<std::string, 9>{"0.0001", "0.0001", "100.0", "0.0001", "0.0001",
                                                                "0.0001", "0.0", "0.0", "100.0000004"}));
  EXPECT_FALSE(record.Unchanged);

  // a and b (columns 1-6) at least 0.0001, c (7-9) at least 0, all at most 100.
  const std::tuple<int, const char*, const char*, bool> cases[] = {
      {1, "0.00001", "0.0001", true},
      {6, "-3", "0.0001", true},
      {6, "0.00012", "0.00012", false},
      {7, "-0.1", "0.0", true},
      {9, "0.0", "0.0", false},
      {8, "1000", "100.0", true},
      {2, "100.0000004", "100.0000004", false},
      {5, "", "0.0001", true},  // no number counts as below the limit
      {8, "1,5", "0.0", true},
      {7, "0.00000001", "0.00000001", false},
  };
  for (const auto& [column, in, out, changed] : cases) {
    std::string text = in;
    EXPECT_EQ(ApplySrnCellRule(text, column), changed) << column << " " << in;
    EXPECT_EQ(text, out) << column << " " << in;
  }
}

TEST(SrnOptimizeSheetRules, FillStoreAndStart) {
  SrnFormRecord record = ExampleRecord();
  record.SrnCurves.At(0).Residual = 0.001234;
  record.SrnCurves.At(1).Residual = 2.5;
  record.SrnCurves.At(2).Residual = kNoValue;
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  EXPECT_EQ(sheet.Initial[0].Label, "1.5%");
  EXPECT_EQ(sheet.Initial[0].Cells,
            (std::array<std::string, 9>{"0.3", "0.0001", "10.0", "0.2", "0.0001", "5.0", "0.1", "0.0", "1.0"}));
  EXPECT_EQ((std::vector<std::string>{sheet.Results[0].Cells[3], sheet.Results[1].Cells[3], sheet.Results[2].Cells[3]}),
            (std::vector<std::string>{"1.234000E-3", "2.500000E+0", ""}));
  // Red only above the tolerance.
  EXPECT_TRUE(SrnResidualExceeds(sheet.Results[0], 0.001233));
  EXPECT_FALSE(SrnResidualExceeds(sheet.Results[0], 0.001234));
  EXPECT_FALSE(SrnResidualExceeds(sheet.Results[2], 1e-6));
  // At most one mark, every curve's Selected following its row: SrnPagesTest.pageWiresItsGridsAndFields.

  EXPECT_TRUE(SrnStartAllowed(record, sheet));
  for (const char* cell : {"", "x1"}) {
    sheet.Initial[3].Cells[8] = cell;
    EXPECT_FALSE(SrnStartAllowed(record, sheet)) << cell;
  }
  sheet.Initial[1].Cells = {"", "", "", "0.2", "0.1", "0.9", "", "", ""};
  sheet.Results[3].Label = "7.5%";
  sheet.Results[3].Cells = {"", "0.25", "", ""};
  sheet.RandomRetry = false;
  sheet.MaximumTrials = 9;
  sheet.Tolerance = 1e-4;
  record.Unchanged = true;
  StoreSrnSheet(sheet, record);
  const CPointDataList& set = record.DataSets.At(1);
  EXPECT_EQ(set.Initial, (std::array<double, 3>{0.5, 0.2, 0.5}));
  EXPECT_EQ(set.Minimum, (std::array<double, 3>{0.0, 0.1, 0.0}));
  EXPECT_EQ(set.Maximum, (std::array<double, 3>{1.0, 0.9, 1.0}));
  const CEqBase& curve = record.SrnCurves.At(3);
  EXPECT_EQ(std::tuple(curve.Name, curve.Params, curve.Residual),
            std::tuple(std::string("7.5"), std::vector<double>{0.0, 0.25, 0.0}, 0.0));
  EXPECT_EQ(std::tuple(record.SrnRetry.RandomStartAllowed, record.SrnRetry.MaximumTrials, record.SrnRetry.Tolerance),
            std::tuple(0, 9, 1e-4));
  EXPECT_FALSE(record.Unchanged);
  record.DataSets.At(0).ClearPoints();
  EXPECT_FALSE(SrnStartAllowed(record, FillSrnSheet(record)));
}

// --- liquefaction constants -------------------------------------------------

// The example with the host's SR-N curves and the constants' point lists.
SrnFormRecord RecordWithPointLists() {
  SrnFormRecord record = ExampleRecord();
  BuildConstantPointLists(record);
  return record;
}

TEST(OptimizeRuns, RequestsWithAMissingItemAreNeverSent) {
  TempFolder folder;
  SrnFormRecord record = RecordWithPointLists();
  record.DataSets.At(1).AppendPoint(kNoValue, 0.25);  // as "abc,0.25" in a data file
  SrnOptimizeSheet srn = FillSrnSheet(record);
  EngineCaller caller(folder.Path());
  SrnOptimizeRun srnRun(record, srn, caller);
  srnRun.Run();
  EXPECT_EQ(caller.CallCount(), 0);
  ASSERT_TRUE(srnRun.FitAllSets());  // the set itself is skipped too
  EXPECT_EQ(caller.CallCount(), 3);
  EXPECT_EQ(srn.Results[1].Cells, (std::array<std::string, 4>{}));

  LiquidOptimizeSheet liquid = FillLiquidSheet(record);
  liquid.Input[3][7] = "";  // beta uses five parameters: A7 is never sent
  EXPECT_EQ(FindMissingLiquidCell(liquid), std::nullopt);
  liquid.Input[4][1] = "x";
  EXPECT_EQ(FindMissingLiquidCell(liquid), std::optional(std::pair(5, 2)));
  LiquidOptimizeRun liquidRun(record, liquid, caller);
  EXPECT_FALSE(liquidRun.FitConstant(1));
  EXPECT_EQ(caller.CallCount(), 3);
}

// A fit replaces the one shown only with a smaller residual (a tie keeps the
// first), only a residual below the tolerance ends the trials, and each trial
// after the first draws its initial values between the bounds.
TEST(LiquidOptimizeRun, SmallerResidualsReplaceTiesKeepTheFirst) {
  SrnFormRecord record = RecordWithPointLists();
  TempFolder folder;
  LiquidOptimizeSheet sheet = FillLiquidSheet(record);
  sheet.Tolerance = 0.5;
  sheet.Function = {3, 3, 3};
  int call = 0;
  EngineCaller caller(folder.Path(), [&] {
    const std::string residual = ++call == 2 ? "4.000000E-01" : "5.000000E-01";
    folder.WriteBytes("output.txt", residual + "\r\n" + std::to_string(call) + ".0\r\n1.0\r\n1.0\r\n1.0\r\n");
    return 0;
  });
  LiquidOptimizeRun run(record, sheet, caller);
  const std::uint64_t drawsBefore = UniformDrawCount();
  EXPECT_TRUE(run.Run());
  EXPECT_EQ(run.TrialsPerConstant(), (std::array<int, 3>{2, 5, 5}));
  EXPECT_EQ(UniformDrawCount() - drawsBefore, 9u);
  // Columns beyond the function's parameters stay empty.
  EXPECT_EQ(
      (std::vector<std::string>{sheet.Results[0][0], sheet.Results[0][8], sheet.Results[1][0], sheet.Results[2][4]}),
      (std::vector<std::string>{"2.000000", "4.000000E-1", "3.000000", ""}));
  const CEqBase& c = record.ConstantCurves.At(2);
  EXPECT_EQ(std::tuple(c.Name, c.GetEquationId(), c.Params, c.Residual),
            std::tuple(std::string("C"), 5, std::vector<double>{8.0, 1.0, 1.0, 1.0}, 0.5));
  const double initial = ParseDouble(sheet.Input[6][0]);
  EXPECT_TRUE(initial > -10.0 && initial < 10.0 && sheet.Input[6][0] != "0.1") << sheet.Input[6][0];
}

TEST(LiquidOptimizeRun, ResidualThatStaysAtTheStartValueFails) {
  SrnFormRecord record = RecordWithPointLists();
  TempFolder folder;
  LiquidOptimizeSheet sheet = FillLiquidSheet(record);
  sheet.RandomRetry = false;
  // An engine whose fits never come out finite.
  EngineCaller caller(folder.Path(), Answering(folder, "1.000000E+08\r\n1.0\r\n2.0\r\n3.0\r\n4.0\r\n5.0\r\n"));
  LiquidOptimizeRun run(record, sheet, caller);
  EXPECT_FALSE(run.Run());
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(sheet.Results[k][8], "1.000000E+8");
    EXPECT_EQ(sheet.Results[k][0], "");
    EXPECT_EQ(record.ConstantCurves.At(k).GetEquationId(), 0);  // the empty placeholder stays
    EXPECT_EQ(record.ConstantCurves.At(k).Residual, kNoValue);
  }
  EngineCaller silent(folder.Path(), [] { return 0; });
  EXPECT_FALSE(LiquidOptimizeRun(record, sheet, silent).Run());
  EXPECT_EQ(silent.CallCount(), 3);
}

TEST(LiquidOptimizeRun, OnlyThePolynomialWritesAMissingParameterAsZero) {
  SrnFormRecord record = RecordWithPointLists();
  TempFolder folder;
  LiquidOptimizeSheet sheet = FillLiquidSheet(record);
  sheet.RandomRetry = false;
  sheet.Function = {0, 1, 1};
  EngineCaller caller(folder.Path(), Answering(folder, "1.000000E-03\r\n1.0\r\n\r\n3.0\r\n"));
  EXPECT_TRUE(LiquidOptimizeRun(record, sheet, caller).Run());
  EXPECT_EQ((std::vector<std::string>{sheet.Results[0][1], sheet.Results[0][7], sheet.Results[1][1]}),
            (std::vector<std::string>{"0.000000", "0.000000", ""}));
}

// --- graph series -------------------------------------------------------------

// The SR-N graph's automatic ranges, which the input page and page 1 share.
TEST(SrnGraphSeries, SrnRanges) {
  // name, points, automatic, recomputed, x min, x max, y min, y max (0, 100, 0.3, 0.5 when not recomputed)
  const std::tuple<const char*, std::vector<CDPoint>, bool, bool, double, double, double, double> cases[] = {
      {"largest N 500 ends at 1000", {{2, 0.31}, {500, 0.49}}, true, true, 2, 1000, 0.3, 0.5},
      {"largest N 1000 ends at 10000", {{1000, 0.26}, {20, 0.34}}, true, true, 20, 10000, 0.25, 0.35},
      {"largest N below 1", {{0.05, 0.26}, {0.5, 0.29}}, true, true, 0.05, 1, 0.25, 0.3},
      {"no-values stretch nothing", {{100, 0.31}, {kNoValue, 0.4}, {200, kNoValue}}, true, true, 100, 1000, 0.3, 0.35},
      {"one point at N = -5: the largest N counts as 1", {{-5, 0.31}}, true, true, -5, 10, 0.3, 0.35},
      {"no points", {}, true, false, 0, 100, 0.3, 0.5},
      {"automatic adjustment off", {{2, 0.31}}, false, false, 0, 100, 0.3, 0.5},
  };
  for (const auto& [name, points, automatic, recomputed, xMin, xMax, yMin, yMax] : cases) {
    SCOPED_TRACE(name);
    DataSetList sets;
    CPointDataList& set = sets.Append(CPointDataList("5"));
    for (const CDPoint& point : points) set.AppendPoint(point.x, point.y);
    sets.AutomaticAdjustment = automatic;
    EXPECT_EQ(AdjustSrnRanges(sets), recomputed);
    EXPECT_EQ(std::pair(sets.XMinimum, sets.XMaximum), std::pair(xMin, xMax));
    EXPECT_NEAR(sets.YMinimum, yMin, 1e-12);
    EXPECT_NEAR(sets.YMaximum, yMax, 1e-12);
  }
}

TEST(OptimizeGraphSeries, FittedCurvesAndDaRanges) {
  SrnFormRecord record = ExampleRecord();
  // The host sent its curves unfitted (all parameters 0): fit them here.
  for (std::size_t k = 0; k < record.SrnCurves.Count(); ++k) record.SrnCurves.At(k).Params = {0.4, 0.1, 0.05};
  const ColourRecord colours = ColourRecord::Defaults();
  record.Colours = colours;
  // The input page and page 1 draw from the smallest N to one past the largest.
  std::tie(record.DataSets.XMinimum, record.DataSets.XMaximum) = std::pair(1.5, 4.5);
  const auto curves = SrnPageCurveSeries(record, false);
  ASSERT_EQ(curves.size(), 4u);
  EXPECT_EQ(curves[3].Name, "fitting curve of the 7.5%");
  EXPECT_EQ(curves[3].Colour, colours.Entry(4));
  EXPECT_EQ(curves[0].PointCount(), 5u);  // 1.5, 2.5, 3.5, 4.5, 5.5
  EXPECT_EQ(FittedSrnCurveSeries(record.SrnCurves, colours, 1, 2, true)[0].Name, "1.5%近似曲線");
  // An unfitted curve draws nothing; the others keep their colours.
  record.SrnCurves.At(1).Params.assign(3, 0.0);
  const auto fitted = FittedSrnCurveSeries(record.SrnCurves, colours, 1, 2, false);
  ASSERT_EQ(fitted.size(), 3u);
  EXPECT_EQ(fitted[1].Colour, colours.Entry(3));

  DataSetList da;
  EXPECT_TRUE(AdjustDaRanges(da));
  EXPECT_EQ(da.XMaximum, 100.0);
  EXPECT_NEAR(da.YMaximum, 0.1, 1e-12);
  EXPECT_FALSE(AdjustDaRanges(da));  // up to date: left alone
  da.RangesOutOfDate = true;
  da.Append(CPointDataList("α")).AppendPoint(-5.0, 0.33);
  da.At(0).AppendPoint(150.0, 0.21);
  da.YPitch = 0.4;
  EXPECT_TRUE(AdjustDaRanges(da));
  EXPECT_EQ(std::pair(da.XMinimum, da.XMaximum), std::pair(-5.0, 150.0));
  EXPECT_NEAR(da.YMaximum, 0.4, 1e-12);
}

}  // namespace
}  // namespace quorvel
