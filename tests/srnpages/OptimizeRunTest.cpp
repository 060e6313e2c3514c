// The fitting runs of the SR-N optimisation page and the liquefaction-curve
// constants page, driven without widgets through the real engine library and
// real exchange files (fake engines only where a failure must be forced).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

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

// The real engine, keeping every "data.txt" it was given and every answer.
struct RecordingEngine {
  explicit RecordingEngine(const TempFolder& folder) : folder_(folder) {}
  EngineCaller::FitFunction Function() {
    return [this] {
      inputs.push_back(folder_.ReadBytes("data.txt"));
      const int result = CalcFitting();
      outputs.push_back(folder_.ReadBytes("output.txt"));
      return result;
    };
  }
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;

 private:
  const TempFolder& folder_;
};

// The residual of an "output.txt" text.
double OutputResidual(const std::string& text) { return ParseEngineOutput(text, 0).Residual; }

// Runs the lunvex-fit tool on a copy of `data` and returns its "output.txt".
std::string LunvexFit(const std::string& data) {
  TempFolder folder;
  folder.WriteBytes("data.txt", data);
  const std::string command = std::string(QUORVEL_BINARY_DIR) + "/bin/lunvex-fit " + folder.Path();
  EXPECT_EQ(std::system(command.c_str()), 0);
  return folder.ReadBytes("output.txt");
}

TEST(SrnOptimizeRun, DataFileOfTheFirstSetHasTheExactRows) {
  TempFolder folder;
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  EngineCaller caller(folder.Path());
  SrnOptimizeRun run(record, sheet, caller);
  ASSERT_TRUE(run.FitAllSets());
  EXPECT_EQ(caller.CallCount(), 4);
  // The last set written stays in the folder: 7.5 %.
  EXPECT_EQ(folder.ReadBytes("data.txt"),
            "0\r\n0.3\r\n0.2\r\n0.1\r\n0.0001\t10.0\r\n0.0001\t5.0\r\n0.0\t1.0\r\n7\r\n"
            "1.5\t0.488172\r\n3.0\t0.468271\r\n6.0\t0.415049\r\n12.0\t0.378735\r\n25.0\t0.347979\r\n"
            "60.0\t0.320827\r\n150.0\t0.302292\r\n");
  const std::string first = EngineDataText(run.BuildRequest(0));
  const std::string head =
      "0\r\n0.3\r\n0.2\r\n0.1\r\n0.0001\t10.0\r\n0.0001\t5.0\r\n0.0\t1.0\r\n7\r\n1.5\t0.390229\r\n3.0\t0.34814\r\n";
  EXPECT_EQ(first.substr(0, head.size()), head);
}

TEST(SrnOptimizeRun, RetryOffGivesTheSingleFitResultAndMatchesLunvexFit) {
  TempFolder folder;
  RecordingEngine engine(folder);
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  sheet.RandomRetry = false;
  sheet.MaximumTrials = 5;
  sheet.Tolerance = 0.0;  // never met: only the retry setting ends the passes
  EngineCaller caller(folder.Path(), engine.Function());
  SrnOptimizeRun run(record, sheet, caller);
  run.Run();
  EXPECT_EQ(caller.CallCount(), 3 * 4);
  EXPECT_EQ(run.TrialsPerPass(), (std::array<int, 3>{1, 1, 1}));

  // One Fit all sets from the same start gives the same grid.
  TempFolder other;
  SrnFormRecord single = ExampleRecord();
  SrnOptimizeSheet singleSheet = FillSrnSheet(single);
  EngineCaller singleCaller(other.Path());
  SrnOptimizeRun singleRun(single, singleSheet, singleCaller);
  singleRun.PreCheck();
  ASSERT_TRUE(singleRun.FitAllSets());
  ASSERT_EQ(sheet.Results.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(sheet.Results[i].Cells, singleSheet.Results[i].Cells) << i;
    EXPECT_EQ(sheet.Results[i].Label, record.DataSets.At(i).Name + "%");
  }
  // Each stored curve's residual is what lunvex-fit answers for its data.txt.
  ASSERT_EQ(engine.inputs.size(), 12u);
  ASSERT_EQ(record.SrnCurves.Count(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    const std::string direct = LunvexFit(engine.inputs[8 + i]);
    const EngineResult expected = ParseEngineOutput(direct, 3);
    EXPECT_EQ(SrnResidualText(record.SrnCurves.At(i).Residual), SrnResidualText(expected.Residual));
    EXPECT_EQ(direct, engine.outputs[8 + i]);
    for (std::size_t p = 0; p < 3; ++p) EXPECT_EQ(record.SrnCurves.At(i).Params[p], expected.Parameters[p]);
  }
  EXPECT_FALSE(record.Unchanged);
}

TEST(SrnOptimizeRun, RetryOnWithUnreachableToleranceDrawsEveryTrial) {
  TempFolder folder;
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  sheet.RandomRetry = true;
  sheet.MaximumTrials = 5;
  sheet.Tolerance = 0.0;
  EngineCaller caller(folder.Path());
  SrnOptimizeRun run(record, sheet, caller);
  const std::uint64_t drawsBefore = UniformDrawCount();
  int progressCalls = 0;
  run.Run([&] { ++progressCalls; });
  EXPECT_EQ(caller.CallCount(), 3 * 5 * 4);
  EXPECT_EQ(run.FitAllSetsCount(), 15);
  EXPECT_EQ(run.TrialsPerPass(), (std::array<int, 3>{5, 5, 5}));
  EXPECT_EQ(UniformDrawCount() - drawsBefore, 12u);
  EXPECT_EQ(progressCalls, 30);  // after each Fit all sets and after each unmet trial

  // The same generator, replayed: the last draw of each pass is in the grid.
  std::mt19937 replay(5489u);
  replay.discard(drawsBefore);
  std::array<double, 12> u{};
  for (double& value : u) value = static_cast<double>(replay()) / 4294967296.0;
  for (std::size_t row = 0; row < 4; ++row) {
    for (std::size_t p = 0; p < 3; ++p) {
      const double minimum = ParseDoubleRounded(6, sheet.Initial[row].Cells[p * 3 + 1]);
      const double maximum = ParseDoubleRounded(6, sheet.Initial[row].Cells[p * 3 + 2]);
      EXPECT_EQ(sheet.Initial[row].Cells[p * 3], FormatTrimmed(minimum + u[p * 4 + 3] * (maximum - minimum), 6))
          << row << " " << p;
      // Stored into the set as well.
      EXPECT_DOUBLE_EQ(record.DataSets.At(row).Initial[p], ParseDouble(sheet.Initial[row].Cells[p * 3]));
    }
  }
}

TEST(SrnOptimizeRun, PassesWithoutTheirResultRowEndAfterTheFirstTrial) {
  struct Case {
    std::size_t sets;
    std::array<int, 3> trials;
  };
  for (const Case& c : {Case{1, {5, 1, 1}}, Case{2, {5, 5, 1}}, Case{3, {5, 5, 5}}}) {
    TempFolder folder;
    SrnFormRecord record = ExampleRecord();
    while (record.DataSets.Count() > c.sets) {
      record.DataSets.RemoveAt(record.DataSets.Count() - 1);
      record.SrnCurves.RemoveAt(record.SrnCurves.Count() - 1);
    }
    SrnOptimizeSheet sheet = FillSrnSheet(record);
    sheet.Tolerance = kMinimumTolerance;  // above 0, the value of a missing row; below every fit
    EngineCaller caller(folder.Path());
    SrnOptimizeRun run(record, sheet, caller);
    run.Run();
    EXPECT_EQ(run.TrialsPerPass(), c.trials) << c.sets;
    EXPECT_EQ(caller.CallCount(), (c.trials[0] + c.trials[1] + c.trials[2]) * static_cast<int>(c.sets));
  }
}

TEST(SrnOptimizeRun, ReachedToleranceEndsThePass) {
  TempFolder folder;
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  sheet.Tolerance = 1000.0;  // every residual is below it
  EngineCaller caller(folder.Path());
  SrnOptimizeRun run(record, sheet, caller);
  run.Run();
  EXPECT_EQ(run.TrialsPerPass(), (std::array<int, 3>{1, 1, 1}));
}

TEST(SrnOptimizeRun, FivePercentRowIsMarkedOnlyWhenPresent) {
  for (bool withFive : {true, false}) {
    TempFolder folder;
    SrnFormRecord record = ExampleRecord();
    if (!withFive) record.DataSets.At(2).Name = "6";
    SrnOptimizeSheet sheet = FillSrnSheet(record);
    sheet.RandomRetry = false;
    EngineCaller caller(folder.Path());
    SrnOptimizeRun run(record, sheet, caller);
    run.Run();
    ASSERT_EQ(record.SrnCurves.Count(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
      const bool expected = withFive && i == 2;
      EXPECT_EQ(sheet.Results[i].Checked, expected) << i;
      EXPECT_EQ(record.SrnCurves.At(i).Selected, expected) << i;
    }
  }
}

TEST(SrnOptimizeRun, UserMarkIsKeptOnEveryFit) {
  // The curve the user marked for the host stays marked; 5 % only when none was.
  TempFolder folder;
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  sheet.Results[0].Checked = true;
  EngineCaller caller(folder.Path());
  SrnOptimizeRun run(record, sheet, caller);
  ASSERT_TRUE(run.FitAllSets());
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(sheet.Results[i].Checked, i == 0) << i;
    EXPECT_EQ(record.SrnCurves.At(i).Selected, i == 0) << i;
  }
}

TEST(SrnOptimizeRun, DataFileThatCannotBeWrittenEndsFitAllSets) {
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  EngineCaller caller("/nonexistent-quorvel-folder/");
  SrnOptimizeRun run(record, sheet, caller);
  EXPECT_FALSE(run.FitAllSets());
  EXPECT_EQ(caller.CallCount(), 0);
  EXPECT_EQ(record.SrnCurves.Count(), 0u);
  for (const SrnResultRow& row : sheet.Results) EXPECT_FALSE(row.Checked);
}

TEST(SrnOptimizeRun, SetWithoutAnswerKeepsAnEmptyNamedRow) {
  TempFolder folder;
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  int call = 0;
  // The second set's fit leaves no answer.
  EngineCaller caller(folder.Path(), [&] { return ++call == 2 ? 0 : CalcFitting(); });
  SrnOptimizeRun run(record, sheet, caller);
  ASSERT_TRUE(run.FitAllSets());
  EXPECT_EQ(sheet.Results[1].Label, "2%");
  EXPECT_EQ(sheet.Results[1].Cells, (std::array<std::string, 4>{}));
  EXPECT_FALSE(sheet.Results[2].Cells[3].empty());
  // Stored: one curve per set, the failed one with zeros.
  ASSERT_EQ(record.SrnCurves.Count(), 4u);
  EXPECT_EQ(record.SrnCurves.At(1).Name, "2");
  EXPECT_EQ(record.SrnCurves.At(1).Params, (std::vector<double>{0.0, 0.0, 0.0}));
}

TEST(SrnOptimizeRun, PreCheckCorrectsEmptyAndOutOfRangeCells) {
  SrnFormRecord record = ExampleRecord();
  record.Unchanged = true;
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  sheet.Initial[0].Cells = {"", "0.00001", "250", "", "-1", "0.00015", "", "-0.5", "100.0000004"};
  EngineCaller caller("/nonexistent-quorvel-folder/");
  SrnOptimizeRun run(record, sheet, caller);
  run.PreCheck();
  EXPECT_EQ(sheet.Initial[0].Cells, (std::array<std::string, 9>{"0.0001", "0.0001", "100.0", "0.0001", "0.0001",
                                                                "0.00015", "0.0", "0.0", "100.0000004"}));
  EXPECT_FALSE(record.Unchanged);
}

TEST(SrnOptimizeSheetRules, CellRule) {
  struct Case {
    int column;
    std::string in;
    std::string out;
    bool changed;
  };
  const Case cases[] = {
      {1, "0.00001", "0.0001", true},
      {4, "-3", "0.0001", true},
      {6, "0.00012", "0.00012", false},
      {7, "-0.1", "0.0", true},
      {9, "0.0", "0.0", false},
      {3, "100.5", "100.0", true},
      {8, "1000", "100.0", true},
      {2, "100.0000004", "100.0000004", false},
      {5, "", "0.0001", true},  // no number counts as below the limit
      {1, "abc", "0.0001", true},
      {8, "1,5", "0.0", true},
      {7, "0.00000001", "0.00000001", false},
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    EXPECT_EQ(ApplySrnCellRule(text, c.column), c.changed) << c.column << " " << c.in;
    EXPECT_EQ(text, c.out) << c.column << " " << c.in;
  }
}

TEST(SrnOptimizeSheetRules, CheckClickKeepsAtMostOneMark) {
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  ASSERT_EQ(sheet.Results.size(), 4u);
  sheet.Results[0].Checked = true;
  ApplySrnCheckClick(sheet, 1, record);
  sheet.Results[1].Checked = true;  // the grid toggled row 2
  ApplySrnCheckClick(sheet, 2, record);
  EXPECT_FALSE(sheet.Results[0].Checked);
  EXPECT_TRUE(sheet.Results[1].Checked);
  EXPECT_FALSE(record.SrnCurves.At(0).Selected);
  EXPECT_TRUE(record.SrnCurves.At(1).Selected);
  sheet.Results[1].Checked = false;  // unchecking leaves none
  ApplySrnCheckClick(sheet, 2, record);
  for (std::size_t k = 0; k < 4; ++k) EXPECT_FALSE(record.SrnCurves.At(k).Selected);
  EXPECT_FALSE(record.Unchanged);
}

TEST(SrnOptimizeSheetRules, FillStoreAndDisplayForms) {
  SrnFormRecord record = ExampleRecord();
  record.SrnCurves.At(0).Residual = 0.001234;
  record.SrnCurves.At(1).Residual = 2.5;
  record.SrnCurves.At(2).Residual = kNoValue;
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  EXPECT_EQ(sheet.Initial[0].Label, "1.5%");
  EXPECT_EQ(sheet.Initial[0].Cells,
            (std::array<std::string, 9>{"0.3", "0.0001", "10.0", "0.2", "0.0001", "5.0", "0.1", "0.0", "1.0"}));
  EXPECT_EQ(sheet.Results[0].Cells[3], "1.234000E-3");
  EXPECT_EQ(sheet.Results[1].Cells[3], "2.500000E+0");
  EXPECT_EQ(sheet.Results[2].Cells[3], "");
  EXPECT_EQ(SrnToleranceText(1e-6), "1.000E-6");
  EXPECT_TRUE(SrnResidualExceeds(sheet.Results[0], 1e-6));
  EXPECT_FALSE(SrnResidualExceeds(sheet.Results[0], 0.01));
  EXPECT_FALSE(SrnResidualExceeds(sheet.Results[2], 1e-6));

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
  EXPECT_EQ(record.SrnCurves.At(3).Name, "7.5");
  EXPECT_EQ(record.SrnCurves.At(3).Params, (std::vector<double>{0.0, 0.25, 0.0}));
  EXPECT_EQ(record.SrnCurves.At(3).Residual, 0.0);
  EXPECT_EQ(record.SrnCurves.At(3).GetEquationId(), 0);
  EXPECT_EQ(record.SrnRetry.RandomStartAllowed, 0);
  EXPECT_EQ(record.SrnRetry.MaximumTrials, 9);
  EXPECT_EQ(record.SrnRetry.Tolerance, 1e-4);
  EXPECT_FALSE(record.Unchanged);
}

TEST(SrnOptimizeSheetRules, StartNeedsPointsAndNumbers) {
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  EXPECT_TRUE(SrnStartAllowed(record, sheet));
  sheet.Initial[3].Cells[8] = "";
  EXPECT_FALSE(SrnStartAllowed(record, sheet));
  sheet.Initial[3].Cells[8] = "x1";
  EXPECT_FALSE(SrnStartAllowed(record, sheet));
  sheet.Initial[3].Cells[8] = "1";
  record.DataSets.At(0).ClearPoints();
  EXPECT_FALSE(SrnStartAllowed(record, sheet));
}

// Two program runs: each death-test child re-runs this program from its start,
// so its generator is fresh; both must draw the initial values that a fresh
// MT19937 seeded 5489 gives.
void RunAndPrintInitialValues() {
  TempFolder folder;
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  sheet.MaximumTrials = 3;
  sheet.Tolerance = 0.0;
  EngineCaller caller(folder.Path());
  SrnOptimizeRun run(record, sheet, caller);
  run.Run();
  std::string text;
  for (const SrnInitialRow& row : sheet.Initial) text += row.Cells[0] + "," + row.Cells[3] + "," + row.Cells[6] + ";";
  std::fprintf(stderr, "[%s]\n", text.c_str());
  std::fflush(stderr);
  std::exit(0);
}

TEST(SrnOptimizeRunDeathTest, SameRandomInitialValuesInTwoProgramRuns) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // Expected: draws 2 and 4 of a fresh generator (pass a), 6 and 8 ... of
  // passes b and c: two draws per pass, the last of each is in the grid.
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  std::mt19937 fresh(5489u);
  std::array<double, 6> u{};
  for (double& value : u) value = static_cast<double>(fresh()) / 4294967296.0;
  std::string expected;
  for (const SrnInitialRow& row : sheet.Initial) {
    for (std::size_t p = 0; p < 3; ++p) {
      const double minimum = ParseDoubleRounded(6, row.Cells[p * 3 + 1]);
      const double maximum = ParseDoubleRounded(6, row.Cells[p * 3 + 2]);
      expected += FormatTrimmed(minimum + u[p * 2 + 1] * (maximum - minimum), 6) + (p < 2 ? "," : ";");
    }
  }
  std::string pattern;
  for (char ch : "[" + expected + "]") {
    if (std::string("[]().*+?^$\\{}|").find(ch) != std::string::npos) pattern += '\\';
    pattern += ch;
  }
  EXPECT_EXIT(RunAndPrintInitialValues(), ::testing::ExitedWithCode(0), pattern);
  EXPECT_EXIT(RunAndPrintInitialValues(), ::testing::ExitedWithCode(0), pattern);
}

// --- liquefaction constants -------------------------------------------------

// The example with fitted SR-N curves and the constants' point lists.
SrnFormRecord RecordWithSrnCurves() {
  TempFolder folder;
  SrnFormRecord record = ExampleRecord();
  SrnOptimizeSheet sheet = FillSrnSheet(record);
  sheet.RandomRetry = false;
  EngineCaller caller(folder.Path());
  SrnOptimizeRun run(record, sheet, caller);
  run.Run();
  BuildConstantPointLists(record);
  return record;
}

TEST(LiquidOptimizeRun, PointListsComeFromTheSrnCurves) {
  SrnFormRecord record = ExampleRecord();
  record.SrnCurves.Clear();
  auto curve = std::make_unique<CEq1Param>();
  curve->Name = "7.5";
  curve->AppendParam(0.4);
  curve->AppendParam(kNoValue);  // a missing parameter counts as 0
  record.SrnCurves.Append(std::move(curve));
  record.DaGraph.Append(CPointDataList("old"));
  BuildConstantPointLists(record);
  ASSERT_EQ(record.DaGraph.Count(), 3u);
  EXPECT_EQ(record.DaGraph.At(0).Name, "α");
  EXPECT_EQ(record.DaGraph.At(1).Name, "β");
  EXPECT_EQ(record.DaGraph.At(2).Name, "C");
  EXPECT_EQ(record.DaGraph.At(0).Points(), (std::vector<CDPoint>{{7.5, 0.4}}));
  EXPECT_EQ(record.DaGraph.At(1).Points(), (std::vector<CDPoint>{{7.5, 0.0}}));
  EXPECT_EQ(record.DaGraph.At(2).Points(), (std::vector<CDPoint>{{7.5, 0.0}}));
}

TEST(LiquidOptimizeRun, DataFileRows) {
  SrnFormRecord record = ExampleRecord();
  record.DaGraph.Clear();
  for (const char* name : kConstantNames) record.DaGraph.Append(CPointDataList(name));
  record.DaGraph.At(1).AppendPoint(1.5, 0.123456789012);
  record.DaGraph.At(1).AppendPoint(20.0, 2.0);
  LiquidOptimizeSheet sheet = FillLiquidSheet(record);
  sheet.Function[1] = 3;  // ExpPower: id 5, four parameters
  sheet.Input[3] = {"0.100000", "0.2", "", "1.5", "9", "9", "9", "9"};
  EngineCaller caller("/nonexistent-quorvel-folder/");
  LiquidOptimizeRun run(record, sheet, caller);
  EXPECT_EQ(EngineDataText(run.BuildRequest(1)),
            "5\r\n0.1\r\n0.2\r\n\r\n1.5\r\n-10.0\t10.0\r\n-10.0\t10.0\r\n-10.0\t10.0\r\n-10.0\t10.0\r\n2\r\n"
            "1.5\t0.123456789\r\n20.0\t2.0\r\n");
  EXPECT_EQ(LiquidEquationId(0), 2);
  EXPECT_EQ(LiquidParameterCount(0), 8);
  EXPECT_EQ(LiquidParameterCount(1), 5);
  EXPECT_EQ(LiquidParameterCount(2), 7);
  EXPECT_EQ(LiquidParameterCount(3), 4);
  EXPECT_EQ(LiquidEquationId(7), 2);
}

TEST(OptimizeRuns, RequestsWithAMissingItemAreNeverSent) {
  TempFolder folder;
  SrnFormRecord record = RecordWithSrnCurves();
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
  BuildConstantPointLists(record);
  EXPECT_FALSE(liquidRun.FitConstant(1));
  EXPECT_EQ(caller.CallCount(), 3);
}

TEST(LiquidOptimizeRun, RetryOffFitsEachConstantOnce) {
  SrnFormRecord record = RecordWithSrnCurves();
  TempFolder folder;
  LiquidOptimizeSheet sheet = FillLiquidSheet(record);
  sheet.RandomRetry = false;
  sheet.MaximumTrials = 5;
  sheet.Tolerance = 0.0;
  sheet.Function = {3, 3, 3};  // ExpPower
  EngineCaller caller(folder.Path());
  LiquidOptimizeRun run(record, sheet, caller);
  run.Run();
  EXPECT_EQ(caller.CallCount(), 3);
  EXPECT_EQ(run.TrialsPerConstant(), (std::array<int, 3>{1, 1, 1}));
  ASSERT_EQ(record.ConstantCurves.Count(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(record.ConstantCurves.At(k).Name, kConstantNames[k]);
    EXPECT_EQ(record.ConstantCurves.At(k).GetEquationId(), 5);
    EXPECT_EQ(record.ConstantCurves.At(k).Params.size(), 4u);
    EXPECT_EQ(sheet.Results[k][8], SrnResidualText(record.ConstantCurves.At(k).Residual));
    EXPECT_EQ(sheet.Results[k][4], "");  // columns beyond the function's parameters stay empty
  }
}

TEST(LiquidOptimizeRun, RetryOnKeepsTheBestOfFiveTrials) {
  SrnFormRecord record = RecordWithSrnCurves();
  TempFolder folder;
  RecordingEngine engine(folder);
  LiquidOptimizeSheet sheet = FillLiquidSheet(record);
  sheet.RandomRetry = true;
  sheet.MaximumTrials = 5;
  sheet.Tolerance = 0.0;
  sheet.Function = {1, 1, 1};  // ExpGrow, as the example sends
  EngineCaller caller(folder.Path(), engine.Function());
  LiquidOptimizeRun run(record, sheet, caller);
  const std::uint64_t drawsBefore = UniformDrawCount();
  run.Run();
  EXPECT_EQ(caller.CallCount(), 15);
  EXPECT_EQ(UniformDrawCount() - drawsBefore, 12u);
  ASSERT_EQ(engine.outputs.size(), 15u);
  for (std::size_t k = 0; k < 3; ++k) {
    double best = 1e8;
    std::size_t bestTrial = 0;
    for (std::size_t t = 0; t < 5; ++t) {
      const double residual = OutputResidual(engine.outputs[k * 5 + t]);
      if (best > residual) {
        best = residual;
        bestTrial = t;
      }
    }
    EXPECT_EQ(sheet.Results[k][8], SrnResidualText(best)) << k;
    const EngineResult kept = ParseEngineOutput(engine.outputs[k * 5 + bestTrial], 5);
    EXPECT_EQ(record.ConstantCurves.At(k).Params, kept.Parameters) << k;
    EXPECT_EQ(sheet.Results[k][0], FormatFixed(kept.Parameters[0], 6));
  }
  // The initial values of trial 5 stay in the grid: row 3k+1 = min + u (max - min).
  std::mt19937 replay(5489u);
  replay.discard(drawsBefore);
  std::array<double, 12> u{};
  for (double& value : u) value = static_cast<double>(replay()) / 4294967296.0;
  for (std::size_t k = 0; k < 3; ++k)
    EXPECT_EQ(sheet.Input[k * 3][0], FormatFixed(-10.0 + u[k * 4 + 3] * 20.0, 6)) << k;
}

TEST(LiquidOptimizeRun, ResidualThatStaysAtTheStartValueFails) {
  SrnFormRecord record = RecordWithSrnCurves();
  TempFolder folder;
  LiquidOptimizeSheet sheet = FillLiquidSheet(record);
  sheet.RandomRetry = false;
  // An engine whose fits never come out finite.
  EngineCaller caller(folder.Path(), [&] {
    folder.WriteBytes("output.txt", "1.000000E+08\r\n1.0\r\n2.0\r\n3.0\r\n4.0\r\n5.0\r\n");
    return 0;
  });
  LiquidOptimizeRun run(record, sheet, caller);
  EXPECT_FALSE(run.Run());
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(sheet.Results[k][8], "1.000000E+8");
    EXPECT_EQ(sheet.Results[k][0], "");
    // The curve stays the empty placeholder: no function, no residual.
    EXPECT_EQ(record.ConstantCurves.At(k).GetEquationId(), 0);
    EXPECT_EQ(record.ConstantCurves.At(k).Residual, kNoValue);
  }
  // No answer at all leaves the results as they were, and fails too.
  EngineCaller silent(folder.Path(), [] { return 0; });
  LiquidOptimizeRun silentRun(record, sheet, silent);
  EXPECT_FALSE(silentRun.Run());
  EXPECT_EQ(silent.CallCount(), 3);
}

TEST(LiquidOptimizeRun, PolynomialMissingParameterIsWrittenAsZero) {
  SrnFormRecord record = RecordWithSrnCurves();
  TempFolder folder;
  LiquidOptimizeSheet sheet = FillLiquidSheet(record);
  sheet.RandomRetry = false;
  sheet.Function = {0, 1, 1};
  EngineCaller caller(folder.Path(), [&] {
    folder.WriteBytes("output.txt", "1.000000E-03\r\n1.0\r\n\r\n3.0\r\n");
    return 0;
  });
  LiquidOptimizeRun run(record, sheet, caller);
  EXPECT_TRUE(run.Run());
  EXPECT_EQ(sheet.Results[0][1], "0.000000");
  EXPECT_EQ(sheet.Results[0][7], "0.000000");
  EXPECT_EQ(sheet.Results[1][1], "");  // ExpGrow keeps the empty value empty
}

TEST(LiquidOptimizeRun, StoreAndFillRoundTrip) {
  SrnFormRecord record = ExampleRecord();
  LiquidOptimizeSheet sheet = FillLiquidSheet(record);
  EXPECT_EQ(sheet.Input[0][0], "0.1");
  EXPECT_EQ(sheet.Input[1][7], "-10.0");
  EXPECT_EQ(sheet.Function, (std::array<int, 3>{1, 1, 1}));
  EXPECT_EQ(sheet.Results[0][8], "1.000000E+8");
  sheet.Input[4][2] = "";
  sheet.Input[8][7] = "3.25";
  sheet.Function = {2, 3, 0};
  sheet.MaximumTrials = 7;
  sheet.RandomRetry = false;
  sheet.Tolerance = 1e-3;
  StoreLiquidSheet(sheet, record.ConstantSettings);
  EXPECT_EQ(record.ConstantSettings.Cells[4][2], kNoValue);
  EXPECT_EQ(record.ConstantSettings.Cells[8][7], 3.25);
  EXPECT_EQ(record.ConstantSettings.FunctionCodes, (std::array<int, 3>{2, 3, 0}));
  EXPECT_EQ(record.ConstantSettings.MaximumTrials, 7);
  EXPECT_FALSE(record.ConstantSettings.RandomStartAllowed);
  EXPECT_EQ(record.ConstantSettings.Tolerance, 1e-3);
  record.ConstantSettings.FunctionCodes = {-1, 4, 3};  // codes kept as read show as Polynomial
  EXPECT_EQ(FillLiquidSheet(record).Function, (std::array<int, 3>{0, 0, 3}));
}

// --- graph series -------------------------------------------------------------

TEST(OptimizeGraphSeries, EstimatedCurvesShareTheirLegends) {
  EquationList constants;
  for (std::size_t k = 0; k < 3; ++k) {
    auto curve = MakeEquation(5);
    curve->Name = kConstantNames[k];
    for (double p : {0.1 * static_cast<double>(k + 1), 0.0, 0.0, 1.0}) curve->AppendParam(p);
    constants.Append(std::move(curve));
  }
  const ColourRecord colours = ColourRecord::Defaults();
  const auto series = EstimatedSrnCurveSeries(constants, colours, 10.0, true);
  ASSERT_EQ(series.size(), 18u);
  EXPECT_EQ(series[0].Name, "0.5%(推定)");
  EXPECT_TRUE(series[0].HasLegend);
  EXPECT_EQ(series[0].Colour, colours.Entry(11));
  EXPECT_EQ(series[1].Name, "2.0～18.5%(推定)");
  EXPECT_TRUE(series[1].HasLegend);
  EXPECT_FALSE(series[12].HasLegend);
  EXPECT_EQ(series[12].Colour, colours.Entry(12));
  EXPECT_EQ(series[13].Name, "20.0%(推定)");
  EXPECT_TRUE(series[13].HasLegend);
  EXPECT_EQ(series[14].Name, "40,60,80,100%(推定)");
  EXPECT_TRUE(series[14].HasLegend);
  EXPECT_FALSE(series[17].HasLegend);
  EXPECT_EQ(series[17].Colour, colours.Entry(13));
  // N = 1 .. 10; a = alpha(DA) = 0.1 + 0 = 0.1 (ExpPower with A1 = 0), b = 0.2, c = 0.3.
  ASSERT_EQ(series[5].PointCount(), 10u);
  EXPECT_DOUBLE_EQ(series[5].Point(1).y, 0.1 * std::pow(2.0, -0.2) + 0.3);
  EXPECT_EQ(EstimatedSrnCurveSeries(constants, colours, 10.0, false)[1].Name, "2.0～18.5%(Estimation)");

  constants.RemoveAt(2);
  EXPECT_TRUE(EstimatedSrnCurveSeries(constants, colours, 10.0, true).empty());
}

// The SR-N graph's automatic ranges, which the input page and page 1 share.
TEST(SrnGraphSeries, SrnRanges) {
  struct Case {
    const char* name;
    std::vector<CDPoint> points;
    bool automatic;
    bool recomputed;
    double xMin, xMax, yMin, yMax;  // the defaults 0, 100, 0.3, 0.5 when not recomputed
  };
  const Case cases[] = {
      {"largest N 500 ends at 1000", {{2, 0.31}, {500, 0.49}}, true, true, 2, 1000, 0.3, 0.5},
      {"largest N 1000 ends at 10000", {{1000, 0.26}, {20, 0.34}}, true, true, 20, 10000, 0.25, 0.35},
      {"largest N below 1", {{0.05, 0.26}, {0.5, 0.29}}, true, true, 0.05, 1, 0.25, 0.3},
      {"a no-value point stretches nothing",
       {{100, 0.31}, {kNoValue, 0.4}, {200, kNoValue}},
       true,
       true,
       100,
       1000,
       0.3,
       0.35},
      {"one point at N = -5: the largest N counts as 1", {{-5, 0.31}}, true, true, -5, 10, 0.3, 0.35},
      {"only no-value points", {{kNoValue, kNoValue}}, true, false, 0, 100, 0.3, 0.5},
      {"no points", {}, true, false, 0, 100, 0.3, 0.5},
      {"automatic adjustment off", {{2, 0.31}}, false, false, 0, 100, 0.3, 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataSetList sets;
    CPointDataList& set = sets.Append(CPointDataList("5"));
    for (const CDPoint& point : c.points) set.AppendPoint(point.x, point.y);
    sets.AutomaticAdjustment = c.automatic;
    EXPECT_EQ(AdjustSrnRanges(sets), c.recomputed);
    EXPECT_EQ(sets.XMinimum, c.xMin);
    EXPECT_EQ(sets.XMaximum, c.xMax);
    EXPECT_NEAR(sets.YMinimum, c.yMin, 1e-12);
    EXPECT_NEAR(sets.YMaximum, c.yMax, 1e-12);
  }
}

TEST(OptimizeGraphSeries, FittedCurvesAndDaRanges) {
  SrnFormRecord record = ExampleRecord();
  // The host sent its curves unfitted (all parameters 0): fit them here.
  for (std::size_t k = 0; k < record.SrnCurves.Count(); ++k) record.SrnCurves.At(k).Params = {0.4, 0.1, 0.05};
  const ColourRecord colours = ColourRecord::Defaults();
  const auto curves = FittedSrnCurveSeries(record.SrnCurves, colours, 1.5, 5.5, false);
  ASSERT_EQ(curves.size(), 4u);
  EXPECT_EQ(curves[3].Name, "fitting curve of the 7.5%");
  EXPECT_EQ(curves[3].Colour, colours.Entry(4));
  EXPECT_EQ(curves[0].PointCount(), 5u);  // 1.5, 2.5, 3.5, 4.5, 5.5
  EXPECT_EQ(FittedSrnCurveSeries(record.SrnCurves, colours, 1, 2, true)[0].Name, "1.5%近似曲線");
  // Over more than 100000 unit steps the samples spread evenly on the log axis, to the end.
  const auto wide = FittedSrnCurveSeries(record.SrnCurves, colours, 1.0, 1e7 + 1.0, false);
  ASSERT_EQ(wide[0].PointCount(), 100000u);
  EXPECT_EQ(wide[0].Point(0).x, 1.0);
  EXPECT_NEAR(wide[0].Point(99999).x, 1e7 + 1.0, 1e-6);
  // An unfitted curve draws nothing; the others keep their colours.
  record.SrnCurves.At(1).Params.assign(3, 0.0);
  const auto fitted = FittedSrnCurveSeries(record.SrnCurves, colours, 1, 2, false);
  ASSERT_EQ(fitted.size(), 3u);
  EXPECT_EQ(fitted[1].Colour, colours.Entry(3));

  DataSetList da;
  EXPECT_TRUE(AdjustDaRanges(da));
  EXPECT_EQ(da.XMaximum, 100.0);
  EXPECT_NEAR(da.YMaximum, 0.1, 1e-12);
  EXPECT_FALSE(da.RangesOutOfDate);
  EXPECT_FALSE(AdjustDaRanges(da));  // up to date: left alone
  da.RangesOutOfDate = true;
  da.Append(CPointDataList("α")).AppendPoint(-5.0, 0.33);
  da.At(0).AppendPoint(150.0, 0.21);
  da.YPitch = 0.4;
  EXPECT_TRUE(AdjustDaRanges(da));
  EXPECT_EQ(da.XMinimum, -5.0);
  EXPECT_EQ(da.XMaximum, 150.0);
  EXPECT_NEAR(da.YMaximum, 0.4, 1e-12);
}

}  // namespace
}  // namespace quorvel
