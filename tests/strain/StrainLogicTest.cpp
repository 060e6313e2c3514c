// The strain form's logic: grids, cell rules at both sides of their bounds,
// retry fields, graph series, and the fit run through the real engine and
// real exchange files (fake engines where an answer must be forced).
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "TempFolder.h"
#include "engine/Lunvex.h"
#include "graph/StrainCurve.h"
#include "host/EngineCaller.h"
#include "host/Language.h"
#include "host/RandomGenerator.h"
#include "strain/StrainFitRun.h"
#include "strain/StrainFormModel.h"
#include "strain/StrainHandOff.h"

namespace quorvel {
namespace {

using test::TempFolder;
using S = StrainSheet;

class StrainLogic : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(ReadStrainInput(std::string(QUORVEL_EXAMPLES) + "/strain/temp.txt", record, kJapanese, &error))
        << error;
    model.FillFromRecord();
  }
  // An engine that answers every fit with the residual and A1 of `answers`, in turn.
  EngineCaller::FitFunction Answering(std::vector<std::pair<double, double>> answers) {
    return [this, answers, call = std::size_t{0}]() mutable {
      const auto [residual, a1] = answers[std::min(call++, answers.size() - 1)];
      folder.WriteBytes("output.txt", FormatExp(residual, 6) + "\n" + FormatFixed(a1, 6) + "\n1\n2\n3\n4\n");
      return 0;
    };
  }
  StrainFormRecord record;
  StrainFormModel model{record, kJapanese};
  TempFolder folder;
};

TEST_F(StrainLogic, FillsTheGridsFromTheHandOff) {
  S& sheet = model.Sheet();
  EXPECT_EQ(sheet.ExperimentRows(), S::kMinimumExperimentRows);
  EXPECT_EQ((std::vector<std::string>{sheet.Experiment(1, 2), sheet.Experiment(10, 2), sheet.Experiment(11, 1),
                                      sheet.Parameter(S::kInitialRow, S::kPhiPeak),
                                      sheet.Parameter(S::kInitialRow, S::kA2), sheet.Parameter(S::kMinimumRow, S::kA1),
                                      sheet.Parameter(S::kMaximumRow, S::kD2), sheet.Result(S::kResidualColumn)}),
            (std::vector<std::string>{"32.499134", "4.34573", "", "34.0", "24.0", "-10000.0", "10000.0", ""}));
  EXPECT_TRUE(model.StartEnabled());
  EXPECT_TRUE(record.Unchanged);
}

TEST_F(StrainLogic, CellRules) {
  enum Grid { Experiment, Parameter, Result };
  const std::tuple<Grid, int, int, const char*, const char*> cases[] = {
      {Experiment, 3, 1, "150", "100.0"},
      {Experiment, 3, 1, "100", "100"},
      {Experiment, 3, 2, "", "0.0"},
      {Experiment, 3, 2, "-0.5", "0.0"},
      {Experiment, 3, 2, "0", "0"},
      {Parameter, 1, S::kT1, "0.001", "0.01"},
      {Parameter, 1, S::kD2, "-5", "0.0"},
      {Parameter, 1, S::kA1, "", "-10000.0"},
      {Parameter, 3, S::kA1, "20000", "10000.0"},
      {Experiment, 5, 2, "nan", "0.0"},
      {Experiment, 5, 1, "inf", "0.0"},
      {Parameter, 3, S::kD1, "inf", "0.0"},
      {Parameter, 1, S::kD1, "10000", "10000.0"},
      {Parameter, 1, S::kPhiPeak, "", ""},
      {Parameter, 1, S::kPhiPeak, "12345", "10000.0"},
      {Parameter, 1, S::kD1, "1.23456789", "1.234568"},
      {Result, 1, 2, "-1", "0.0"},
      {Result, 1, 1, "-1", "-1"},
      {Result, 1, 4, "-2.5", "-2.5"},
      {Result, 1, 7, "-1", "0.000000E+0"}};
  for (const auto& [grid, row, column, typed, shown] : cases) {
    record.Unchanged = true;
    std::string& cell = grid == Experiment  ? model.Sheet().Experiment(row, column)
                        : grid == Parameter ? model.Sheet().Parameter(row, column)
                                            : model.Sheet().Result(column);
    cell = typed;
    if (grid == Experiment) model.ExperimentCellChanged(row, column);
    if (grid == Parameter) model.ParameterCellChanged(row, column);
    if (grid == Result) model.ResultCellChanged(column);
    EXPECT_EQ(cell, shown) << "grid " << grid << " row " << row << " column " << column << " typed '" << typed << "'";
    EXPECT_FALSE(record.Unchanged);
  }
  // What the result grid shows goes to the record; A1 sets A2 from phi peak.
  EXPECT_EQ(record.Results[StrainFormRecord::kResultA2], -2.5);
  EXPECT_EQ(record.Residual, 0.0);
  model.Sheet().Parameter(1, S::kPhiPeak) = "30";
  model.ParameterCellChanged(1, S::kPhiPeak);
  model.Sheet().Parameter(1, S::kA1) = "-20000";
  model.ParameterCellChanged(1, S::kA1);
  EXPECT_EQ(model.Sheet().Parameter(1, S::kA2), "10030.0");  // A1 is clamped first
  EXPECT_EQ(record.PeakFrictionAngle, 30.0);
}

TEST_F(StrainLogic, RetryFieldsKeepTheirRange) {
  // The tolerance must lie in 1e-10 .. 1000 (3 decimals); outside, the old one stays.
  const std::pair<const char*, const char*> tolerances[] = {
      {"5000", "1.000E-6"}, {"0.00000000001", "1.000E-6"}, {"", "1.000E-6"},         {"1E-10", "1.000E-10"},
      {"1000", "1.000E+3"}, {"1001", "1.000E+3"},          {"0.0012345", "1.235E-3"}};
  for (const auto& [typed, shown] : tolerances) EXPECT_EQ(model.ToleranceChanged(typed), shown) << typed;
  EXPECT_DOUBLE_EQ(record.Retry.Tolerance, 1.235e-3);
  // An emptied trial count takes the field's default, not the previous value.
  const std::pair<const char*, const char*> trials[] = {{"0", "1"}, {"-4", "1"}, {"1", "1"}, {"", "5"}, {"12", "12"}};
  for (const auto& [typed, shown] : trials) EXPECT_EQ(model.MaximumTrialsChanged(typed), shown) << typed;
  EXPECT_EQ(record.Retry.MaximumTrials, 12);
  model.RandomRetryChanged(false);
  EXPECT_EQ(record.Retry.RandomStartAllowed, 0);
}

TEST_F(StrainLogic, ColumnTitlesAndCopy) {
  EXPECT_EQ(model.ExperimentColumnTitle(1), "両振幅ひずみ\n(%)");
  EXPECT_EQ(model.ExperimentColumnTitle(2), "見掛けの\n摩擦角\n(deg)");
  const std::string copy = model.CopyText();
  const std::string head = "両振幅ひずみ\n(%)\t見掛けの\n摩擦角\n(deg)\n0.1\t32.499134\n0.2\t31.895889\n";
  EXPECT_EQ(copy.substr(0, head.size()), head);
  std::string tail = "10.0\t4.34573\n";  // the 40 empty rows after the 10 points are copied too
  for (int i = 0; i < 40; ++i) tail += "\t\n";
  EXPECT_EQ(copy.substr(copy.size() - tail.size()), tail);
  model.ArgumentChanged(1);
  EXPECT_EQ(model.ExperimentColumnTitle(1), "累積損傷度\n(-)");
  EXPECT_EQ(StrainGraphKind(record.Argument), 4);
  StrainFormModel english(record, kEnglish);
  EXPECT_EQ(english.ExperimentColumnTitle(1), "Camulative\nDamage (-)");
  EXPECT_EQ(english.ExperimentColumnTitle(2), "Apparent \nfriction angle\n(deg)");
  model.ArgumentChanged(0);
  EXPECT_EQ(StrainGraphKind(record.Argument), 2);
}

TEST_F(StrainLogic, AutomaticAxesAndCurve) {
  const DataSetList& graph = record.DataSets;
  EXPECT_EQ(model.Curve(), nullptr);  // no results yet: no curve
  EXPECT_EQ(graph.At(0).PointCount(), 10u);
  // X span 10 - 0 (the old minimum): the first pitch above 2.
  EXPECT_EQ(std::tuple(graph.XMaximum, graph.XPitch, graph.YMaximum), std::tuple(10.0, 5.0, 35.0));
  model.Sheet().Experiment(10, 1) = "1.1";
  model.ExperimentCellChanged(10, 1);
  EXPECT_EQ(std::pair(graph.XMaximum, graph.XPitch), std::pair(7.5, 2.0));  // (7.5 - 0.1) / 5 = 1.48
  model.ClearExperimentBlock(2, 1, 50, 2);                                  // fewer than two points: the fixed ranges
  EXPECT_EQ(std::pair(graph.XMaximum, graph.YMaximum), std::pair(20.0, 20.0));
  EXPECT_FALSE(model.StartEnabled());

  // The curve is the engine's model at x = 0, 0.01, ... up to X max + 0.01.
  record.Results = {12.345678, 0.8, 1.2, 34.0 - 12.345678, 6.5, 0.9};
  record.DataSets.XMaximum = 10.0;
  record.DataSets.AutomaticAdjustment = false;
  model.RebuildGraphSeries();
  ASSERT_NE(model.Curve(), nullptr);
  ASSERT_EQ(model.Curve()->PointCount(), 1002u);
  auto engine = GetEqFunc(1, {}, {}, {34.0});
  for (const CDPoint& point : model.Curve()->Points()) {
    std::vector<double> p = {12.345678, 0.8, 1.2, 6.5, 0.9};
    ASSERT_EQ(point.y, engine->CalcValue(p, point.x)) << point.x;
  }
  EXPECT_DOUBLE_EQ(StrainCurveValue(record.Results, 0.0), 34.0);
  // The curve and the points each take a legend entry, named in the form's
  // language (their drawing: GraphDrawerTest.legendEntries).
  StrainFormModel english(record, kEnglish);
  std::vector<std::tuple<bool, std::string, bool, std::string>> legends;
  for (StrainFormModel* form : {&model, &english}) {
    form->RebuildGraphSeries();
    const CPointDataList& data = graph.At(0);
    legends.push_back(std::tuple(form->Curve()->HasLegend, form->Curve()->Name, data.HasLegend, data.Name));
  }
  EXPECT_EQ(legends, (std::vector<std::tuple<bool, std::string, bool, std::string>>{
                         {true, "近似曲線", true, "実験データ"}, {true, "fitting curve", true, "Experiment data"}}));
  record.Results.fill(0.0);  // all zero or missing results draw no curve
  model.RebuildGraphSeries();
  EXPECT_EQ(model.Curve(), nullptr);
}

TEST_F(StrainLogic, DrawingSettingsRecomputeAxesOnlyWhenAsked) {
  DataSetList& graph = record.DataSets;
  record.Results = {12.0, 0.8, 1.2, 22.0, 6.5, 0.9};
  record.Colours.SetEntry(17, 0x0000FF);
  // Typed ranges stay; automatic but up to date (a cancelled setup) keeps the
  // restored ranges; automatic and out of date follows the data (x max 10).
  const std::tuple<bool, bool, double> cases[] = {
      {false, true, 4.0}, {false, false, 4.0}, {true, false, 4.0}, {true, true, 10.0}};
  for (const auto& [automatic, outOfDate, xMaximum] : cases) {
    graph.XMaximum = 4.0;
    graph.AutomaticAdjustment = automatic;
    graph.RangesOutOfDate = outOfDate;
    model.DrawingSettingsChanged();
    EXPECT_EQ(graph.XMaximum, xMaximum) << automatic << outOfDate;
    ASSERT_NE(model.Curve(), nullptr);
    EXPECT_EQ(model.Curve()->Colour, 0x0000FF);
    EXPECT_NEAR(model.Curve()->Points().back().x, xMaximum + 0.01, 1e-9);
  }
}

TEST_F(StrainLogic, AllClearAndOkSteps) {
  EXPECT_EQ(model.OkStep(), StrainOkStep::EndAsCancel);
  record.Unchanged = false;
  model.Sheet().Result(7) = "1.000000E-5";
  EXPECT_EQ(model.OkStep(), StrainOkStep::AskResidual);
  model.Sheet().Result(7) = "1.000000E-6";  // equal to the tolerance: not above it
  EXPECT_EQ(model.OkStep(), StrainOkStep::WriteAnswer);
  model.AllClear();
  EXPECT_TRUE(record.NotFinished);
  EXPECT_EQ(std::tuple(record.Retry.MaximumTrials, record.Retry.RandomStartAllowed, record.Residual),
            std::tuple(5, 1, kNoValue));
  EXPECT_EQ(model.Sheet().Parameter(1, S::kPhiPeak), "");
  EXPECT_EQ(record.DataSets.At(0).PointCount(), 0u);
  EXPECT_EQ(model.OkStep(), StrainOkStep::ShowNotFinished);
}

// -------------------------------------------------------------- fit runs

TEST_F(StrainLogic, DataFileOfOneFit) {
  EngineCaller caller(folder.Path());
  StrainFitRun run(model, caller);
  EXPECT_TRUE(run.FitOnce());
  EXPECT_EQ(
      folder.ReadBytes("data.txt"),
      "1\r\n10.0\r\n1.0\r\n1.0\r\n5.0\r\n1.0\r\n34.0\r\n-10000.0\t10000.0\r\n0.01\t10000.0\r\n"
      "0.0\t10000.0\r\n0.01\t10000.0\r\n0.0\t10000.0\r\n10\r\n0.10000000\t32.49913400\r\n0.20000000\t31.89588900\r\n"
      "0.50000000\t28.67605900\r\n1.00000000\t23.63539100\r\n1.50000000\t19.95323100\r\n2.00000000\t16.57790900\r\n"
      "3.00000000\t12.37397500\r\n5.00000000\t8.08434100\r\n7.50000000\t5.77702000\r\n10.00000000\t4.34573000\r\n");
  // The grid shows the engine's answer, A2 from phi peak at the time of the fit.
  EngineResult engine = ParseEngineOutput(folder.ReadBytes("output.txt"), 5);
  EXPECT_EQ(record.Residual, engine.Residual);
  EXPECT_EQ(record.Results[3], 34.0 - engine.Parameters[0]);
  EXPECT_EQ(record.Results[5], engine.Parameters[4]);
}

TEST_F(StrainLogic, RetryOffMakesExactlyOneFit) {
  record.Retry.RandomStartAllowed = 0;
  record.Retry.Tolerance = 1e-10;
  EngineCaller caller(folder.Path());
  const auto draws = UniformDrawCount();
  StrainFitRun(model, caller).Run();
  EXPECT_EQ(caller.CallCount(), 1);
  EXPECT_EQ(UniformDrawCount(), draws);
  EXPECT_FALSE(record.NotFinished);
  EXPECT_FALSE(record.Unchanged);
  EXPECT_LT(record.Residual, 1e8);
}

// Later trials draw one u for all five fitted parameters, each between its
// own bounds; a parameter with an empty bound keeps its value.
TEST_F(StrainLogic, RetryDrawsBetweenTheBoundsButNotFromAnEmptyOne) {
  record.Retry.Tolerance = 1e-10;
  record.Retry.MaximumTrials = 4;
  model.Sheet().Parameter(S::kMaximumRow, S::kT1) = "20.0";
  EngineCaller caller(folder.Path(), Answering({{0.5, 1.0}}));
  int progress = 0;
  // An empty bound: the run refuses before drawing anything or sending a fit.
  const std::string d1Minimum = model.Sheet().Parameter(S::kMinimumRow, S::kD1);
  model.Sheet().Parameter(S::kMinimumRow, S::kD1) = "";
  EXPECT_FALSE(StrainFitRun(model, caller).Run([&] { ++progress; }));
  EXPECT_EQ(caller.CallCount(), 0);
  EXPECT_EQ(progress, 0);
  EXPECT_EQ(model.Sheet().Parameter(1, S::kD1), "1.0");

  model.Sheet().Parameter(S::kMinimumRow, S::kD1) = d1Minimum;
  StrainFitRun(model, caller).Run([&] { ++progress; });
  EXPECT_EQ(progress, 4);
  auto position = [this](int column, double low, double high) {
    return (CellValue(model.Sheet().Parameter(1, column)) - low) / (high - low);
  };
  const double u = position(S::kT1, 0.01, 20.0);
  EXPECT_TRUE(u >= 0.0 && u < 1.0);
  EXPECT_NEAR(position(S::kA1, -10000.0, 10000.0), u, 1e-9);
  EXPECT_NEAR(position(S::kD2, 0.0, 10000.0), u, 1e-9);
  EXPECT_EQ(model.Sheet().Parameter(1, S::kA2), "24.0");  // never drawn
  EXPECT_EQ(record.Parameters[StrainFormRecord::kT1][StrainFormRecord::kInitial],
            CellValue(model.Sheet().Parameter(1, S::kT1)));
}

TEST_F(StrainLogic, BestFitIsKeptAndTiesKeepTheFirst) {
  // Residuals that get worse after the fourth trial; then a run of ties at the tolerance.
  const std::tuple<std::vector<std::pair<double, double>>, double, int, const char*, const char*, bool> cases[] = {
      {{{0.5, 10}, {0.1, 11}, {0.3, 12}, {0.05000001, 13}, {0.9, 14}}, 0.05, 5, "5.000001E-2", "13.0", true},
      {{{0.05, 10}, {0.05, 11}}, 0.05, 5, "5.000000E-2", "10.0", false},
      {{{1e-7, 10}}, 1e-6, 1, "1.000000E-7", "10.0", false},
  };
  for (const auto& [answers, tolerance, calls, residual, a1, red] : cases) {
    model.FillFromRecord();
    record.Retry.Tolerance = tolerance;
    EngineCaller caller(folder.Path(), Answering(answers));
    StrainFitRun(model, caller).Run();
    EXPECT_EQ(caller.CallCount(), calls) << residual;
    EXPECT_EQ(model.Sheet().Result(7), residual);
    EXPECT_EQ(model.Sheet().Result(1), a1);
    EXPECT_EQ(model.ResidualAboveTolerance(), red) << residual;
  }
}

TEST_F(StrainLogic, IncompleteValuesOrNoAnswerChangeNothing) {
  EngineCaller silent(folder.Path(), [] { return 0; });
  StrainFitRun(model, silent).Run();
  EXPECT_EQ(silent.CallCount(), 5);
  EXPECT_EQ(model.Sheet().Result(7), "1.000000E+8");
  EXPECT_EQ(model.Sheet().Result(1), "");
  // An empty item would shift every later one in the engine's reading.
  for (const auto& [row, column] : {std::pair{1, S::kPhiPeak}, std::pair{1, S::kT1}, std::pair{3, S::kD2}}) {
    model.FillFromRecord();
    model.Sheet().Parameter(row, column) = "";
    EngineCaller real(folder.Path());
    EXPECT_FALSE(StrainFitRun(model, real).FitOnce()) << row << " " << column;
    EXPECT_EQ(real.CallCount(), 0);
  }
  // Start names the first empty cell, in reading order, and changes nothing.
  model.Sheet().Parameter(1, S::kPhiPeak) = "";
  model.Sheet().Parameter(S::kMaximumRow, S::kD2) = "";
  model.Sheet().Result(7) = "";
  EngineCaller real(folder.Path());
  StrainFitRun run(model, real);
  EXPECT_EQ(std::pair(run.FirstMissingCell().row, run.FirstMissingCell().column), std::pair(1, int(S::kPhiPeak)));
  EXPECT_FALSE(run.Run());
  EXPECT_EQ(real.CallCount(), 0);
  EXPECT_EQ(model.Sheet().Result(7), "");
  model.Sheet().Parameter(1, S::kPhiPeak) = "34.0";
  EXPECT_EQ(std::pair(run.FirstMissingCell().row, run.FirstMissingCell().column),
            std::pair(int(S::kMaximumRow), int(S::kD2)));
}

TEST_F(StrainLogic, AnswerOfARunReadsBack) {
  record.Retry.RandomStartAllowed = 0;
  EngineCaller caller(folder.Path());
  StrainFitRun(model, caller).Run();
  ASSERT_EQ(model.OkStep(), StrainOkStep::AskResidual);  // 1e-6 is not reached on these points
  const AnswerDelivery delivery = WriteStrainAnswer(folder.Path(), record);
  ASSERT_TRUE(delivery.AnswerWritten && delivery.ColourWritten && folder.Exists("color.txt"));
  StrainFormRecord back;
  ASSERT_TRUE(ReadStrainInput(folder.File("temp.txt"), back, kJapanese));
  for (std::size_t i = 0; i < 6; ++i) EXPECT_NEAR(back.Results[i], record.Results[i], 5e-7) << i;
  EXPECT_NEAR(back.Residual, record.Residual, record.Residual * 1e-6);
  EXPECT_EQ(back.ExperimentData()->Points(), record.ExperimentData()->Points());
}

}  // namespace
}  // namespace quorvel
