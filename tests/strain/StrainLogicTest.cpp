// The strain form's logic: grids, cell rules, retry fields, graph series and
// the fit run through the real engine and real exchange files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "TempFolder.h"
#include "engine/Lunvex.h"
#include "host/EngineCaller.h"
#include "host/Language.h"
#include "host/RandomGenerator.h"
#include "strain/StrainCurve.h"
#include "strain/StrainFitRun.h"
#include "strain/StrainFormModel.h"
#include "strain/StrainHandOff.h"

namespace quorvel {
namespace {

using test::TempFolder;
using S = StrainSheet;

const std::string kExample = std::string(QUORVEL_EXAMPLES) + "/strain/temp.txt";

class StrainLogic : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(ReadStrainInput(kExample, record, kJapanese, &error)) << error;
    model.FillFromRecord();
  }
  StrainFormRecord record;
  StrainFormModel model{record, kJapanese};
};

TEST_F(StrainLogic, FillsTheGridsFromTheHandOff) {
  const S& sheet = model.Sheet();
  EXPECT_EQ(sheet.ExperimentRows(), S::kMinimumExperimentRows);
  EXPECT_EQ(sheet.Experiment(1, 1), "0.1");
  EXPECT_EQ(sheet.Experiment(1, 2), "32.499134");
  EXPECT_EQ(sheet.Experiment(10, 2), "4.34573");
  EXPECT_EQ(sheet.Experiment(11, 1), "");
  EXPECT_EQ(sheet.Parameter(S::kInitialRow, S::kPhiPeak), "34.0");
  EXPECT_EQ(sheet.Parameter(S::kInitialRow, S::kA1), "10.0");
  EXPECT_EQ(sheet.Parameter(S::kInitialRow, S::kA2), "24.0");
  EXPECT_EQ(sheet.Parameter(S::kMinimumRow, S::kA1), "-10000.0");
  EXPECT_EQ(sheet.Parameter(S::kMaximumRow, S::kD2), "10000.0");
  EXPECT_EQ(sheet.Parameter(S::kInitialRow, S::kT2), "5.0");
  EXPECT_EQ(sheet.Result(1), "");
  EXPECT_EQ(sheet.Result(S::kResidualColumn), "");
  EXPECT_TRUE(model.StartEnabled());
  EXPECT_TRUE(record.Unchanged);
  EXPECT_FALSE(record.NotFinished);
}

TEST_F(StrainLogic, CellRules) {
  enum Grid { Experiment, Parameter, Result };
  struct Case {
    Grid grid;
    int row, column;
    std::string typed, shown;
  };
  const Case cases[] = {
      {Parameter, 1, S::kT1, "0.001", "0.01"},
      {Parameter, 1, S::kD2, "-5", "0.0"},
      {Experiment, 3, 1, "150", "100.0"},
      {Experiment, 3, 2, "", "0.0"},
      {Experiment, 3, 2, "-0.5", "0.0"},
      {Experiment, 4, 1, "12.5", "12.5"},
      {Experiment, 5, 2, "nan", "0.0"},
      {Experiment, 5, 1, "inf", "0.0"},
      {Parameter, 1, S::kA1, "", "-10000.0"},
      {Parameter, 3, S::kA1, "20000", "10000.0"},
      {Parameter, 2, S::kT2, "-3", "0.01"},
      {Parameter, 3, S::kD1, "inf", "0.0"},
      {Parameter, 1, S::kD1, "10000", "10000.0"},
      {Parameter, 3, S::kT1, "99999", "10000.0"},
      {Parameter, 1, S::kPhiPeak, "", ""},
      {Parameter, 1, S::kPhiPeak, "12345", "10000.0"},
      {Parameter, 1, S::kT1, "2.50", "2.5"},
      {Parameter, 1, S::kD1, "1.23456789", "1.234568"},
      {Result, 1, 2, "-1", "0.0"},
      {Result, 1, 1, "-1", "-1"},
      {Result, 1, 4, "-2.5", "-2.5"},
      {Result, 1, 7, "-1", "0.000000E+0"},
  };
  for (const Case& c : cases) {
    record.Unchanged = true;
    std::string* cell = c.grid == Experiment  ? &model.Sheet().Experiment(c.row, c.column)
                        : c.grid == Parameter ? &model.Sheet().Parameter(c.row, c.column)
                                              : &model.Sheet().Result(c.column);
    *cell = c.typed;
    if (c.grid == Experiment) model.ExperimentCellChanged(c.row, c.column);
    if (c.grid == Parameter) model.ParameterCellChanged(c.row, c.column);
    if (c.grid == Result) model.ResultCellChanged(c.column);
    EXPECT_EQ(*cell, c.shown) << "grid " << c.grid << " row " << c.row << " column " << c.column << " typed '"
                              << c.typed << "'";
    EXPECT_FALSE(record.Unchanged);
  }
}

TEST_F(StrainLogic, A1SetsTheInitialA2FromPhiPeak) {
  S& sheet = model.Sheet();
  sheet.Parameter(1, S::kPhiPeak) = "30";
  model.ParameterCellChanged(1, S::kPhiPeak);
  sheet.Parameter(1, S::kA1) = "12";
  model.ParameterCellChanged(1, S::kA1);
  EXPECT_EQ(sheet.Parameter(1, S::kA2), "18.0");
  EXPECT_EQ(record.PeakFrictionAngle, 30.0);
  EXPECT_EQ(record.Parameters[StrainFormRecord::kA1][StrainFormRecord::kInitial], 12.0);
  // A1 out of range is clamped first.
  sheet.Parameter(1, S::kA1) = "-20000";
  model.ParameterCellChanged(1, S::kA1);
  EXPECT_EQ(sheet.Parameter(1, S::kA2), "10030.0");
}

TEST_F(StrainLogic, ResultEditsReachTheRecord) {
  model.Sheet().Result(3) = "-4";
  model.ResultCellChanged(3);
  EXPECT_EQ(record.Results[StrainFormRecord::kResultD1], 0.0);
  model.Sheet().Result(7) = "2.5E-3";
  model.ResultCellChanged(7);
  EXPECT_EQ(record.Residual, 0.0025);
}

TEST_F(StrainLogic, RetryFields) {
  EXPECT_EQ(model.ToleranceChanged("5000"), "1.000E-6");
  EXPECT_EQ(record.Retry.Tolerance, 1e-6);
  EXPECT_EQ(model.ToleranceChanged("0.00000000001"), "1.000E-6");
  EXPECT_EQ(model.ToleranceChanged(""), "1.000E-6");
  EXPECT_EQ(model.ToleranceChanged("0.0012345"), "1.235E-3");
  EXPECT_DOUBLE_EQ(record.Retry.Tolerance, 1.235e-3);
  EXPECT_EQ(model.ToleranceChanged("1000"), "1.000E+3");
  record.Unchanged = true;
  EXPECT_EQ(model.MaximumTrialsChanged("0"), "1");
  EXPECT_EQ(record.Retry.MaximumTrials, 1);
  EXPECT_FALSE(record.Unchanged);
  EXPECT_EQ(model.MaximumTrialsChanged(""), "5");  // the field's default, not the previous 1
  EXPECT_EQ(record.Retry.MaximumTrials, 5);
  EXPECT_EQ(model.MaximumTrialsChanged("12"), "12");
  EXPECT_EQ(record.Retry.MaximumTrials, 12);
  model.RandomRetryChanged(false);
  EXPECT_EQ(record.Retry.RandomStartAllowed, 0);
}

TEST_F(StrainLogic, ColumnTitlesAndCopy) {
  EXPECT_EQ(model.ExperimentColumnTitle(1), "両振幅ひずみ\n(%)");
  EXPECT_EQ(model.ExperimentColumnTitle(2), "見掛けの\n摩擦角\n(deg)");
  model.ArgumentChanged(1);
  EXPECT_EQ(model.ExperimentColumnTitle(1), "累積損傷度\n(-)");
  EXPECT_EQ(StrainGraphKind(record.Argument), 4);
  StrainFormModel english(record, kEnglish);
  EXPECT_EQ(english.ExperimentColumnTitle(1), "Camulative\nDamage (-)");
  EXPECT_EQ(english.ExperimentColumnTitle(2), "Apparent \nfriction angle\n(deg)");
  model.ArgumentChanged(0);
  EXPECT_EQ(StrainGraphKind(record.Argument), 2);
  const std::string copy = model.CopyText();
  const std::string head = "両振幅ひずみ\n(%)\t見掛けの\n摩擦角\n(deg)\n0.1\t32.499134\n0.2\t31.895889\n";
  EXPECT_EQ(copy.substr(0, head.size()), head);
  // Every grid row is copied, the 40 empty ones after the 10 points too.
  std::string tail;
  for (int i = 0; i < 40; ++i) tail += "\t\n";
  EXPECT_EQ(copy.substr(copy.size() - tail.size() - 13), "10.0\t4.34573\n" + tail);
}

TEST_F(StrainLogic, AutomaticAxesAndCurve) {
  const DataSetList& graph = record.DataSets;
  ASSERT_EQ(graph.Count(), 1u);
  EXPECT_EQ(model.Curve(), nullptr);  // no results yet: no curve
  EXPECT_EQ(graph.At(0).Name, "実験データ");
  EXPECT_EQ(graph.At(0).PointCount(), 10u);
  EXPECT_EQ(graph.XMinimum, 0.1);
  EXPECT_EQ(graph.XMaximum, 10.0);
  EXPECT_EQ(graph.XPitch, 5.0);  // span 10 - 0 (the old minimum): first pitch above 2
  EXPECT_EQ(graph.YMinimum, 0.0);
  EXPECT_EQ(graph.YMaximum, 35.0);
  // The next rebuild measures the span from the new minimum 0.1.
  model.Sheet().Experiment(10, 1) = "1.1";
  model.ExperimentCellChanged(10, 1);
  EXPECT_EQ(graph.XMaximum, 7.5);
  EXPECT_EQ(graph.XPitch, 2.0);  // (7.5 - 0.1) / 5 = 1.48
  // Fewer than two points: the fixed ranges.
  model.ClearExperimentBlock(2, 1, 50, 2);
  EXPECT_EQ(graph.At(0).PointCount(), 1u);
  EXPECT_EQ(graph.XMinimum, 0.0);
  EXPECT_EQ(graph.XMaximum, 20.0);
  EXPECT_EQ(graph.YMaximum, 20.0);
  EXPECT_FALSE(model.StartEnabled());
}

TEST_F(StrainLogic, DrawingSettingsRecomputeAxesOnlyWhenAsked) {
  DataSetList& graph = record.DataSets;
  record.Results = {12.0, 0.8, 1.2, 22.0, 6.5, 0.9};
  record.Colours.SetEntry(17, 0x0000FF);
  struct Case {
    bool automatic, outOfDate;
    double xMaximum;
  };
  // Typed ranges (automatic off) stay whatever the flag; automatic but up to
  // date (a cancelled setup) keeps the restored ranges; automatic and out of
  // date follows the data (x max 10).
  for (const Case& c :
       {Case{false, true, 4.0}, Case{false, false, 4.0}, Case{true, false, 4.0}, Case{true, true, 10.0}}) {
    graph.XMaximum = 4.0;
    graph.AutomaticAdjustment = c.automatic;
    graph.RangesOutOfDate = c.outOfDate;
    model.DrawingSettingsChanged();
    EXPECT_EQ(graph.XMaximum, c.xMaximum) << c.automatic << c.outOfDate;
    // The curve follows the colour and the X range in force.
    ASSERT_NE(model.Curve(), nullptr);
    EXPECT_EQ(model.Curve()->Colour, 0x0000FF);
    EXPECT_NEAR(model.Curve()->Points().back().x, c.xMaximum + 0.01, 1e-9);
    EXPECT_EQ(graph.At(0).PointCount(), 10u);
  }
}

TEST_F(StrainLogic, CurveIsTheEngineModel) {
  record.Results = {12.345678, 0.8, 1.2, 34.0 - 12.345678, 6.5, 0.9};
  model.RebuildGraphSeries();
  ASSERT_NE(model.Curve(), nullptr);
  const CPointDataList& curve = *model.Curve();
  EXPECT_EQ(curve.Name, "近似曲線");
  // x = 0, 0.01, ... while x <= X max + 0.01 (X max 10).
  ASSERT_EQ(curve.PointCount(), 1002u);
  EXPECT_NEAR(curve.Point(1001).x, 10.01, 1e-12);
  auto engine = GetEqFunc(1, {}, {}, {34.0});
  ASSERT_NE(engine, nullptr);
  for (const CDPoint& point : curve.Points()) {
    std::vector<double> p = {12.345678, 0.8, 1.2, 6.5, 0.9};
    EXPECT_EQ(point.y, engine->CalcValue(p, point.x)) << point.x;
  }
  EXPECT_DOUBLE_EQ(StrainCurveValue(record.Results, 0.0), 34.0);
  // All zero results or missing ones draw no curve.
  record.Results.fill(0.0);
  model.RebuildGraphSeries();
  EXPECT_EQ(model.Curve(), nullptr);
  record.Results[2] = kNoValue;
  record.Results[0] = 5.0;
  model.RebuildGraphSeries();
  EXPECT_EQ(model.Curve(), nullptr);
}

TEST_F(StrainLogic, AllClear) {
  model.Sheet().Result(1) = "5";
  model.AllClear();
  EXPECT_TRUE(record.NotFinished);
  EXPECT_FALSE(record.Unchanged);
  EXPECT_EQ(record.Retry.MaximumTrials, 5);
  EXPECT_EQ(record.Retry.Tolerance, 1e-6);
  EXPECT_EQ(record.Retry.RandomStartAllowed, 1);
  EXPECT_EQ(record.Residual, kNoValue);
  EXPECT_EQ(model.Sheet().Experiment(1, 1), "");
  EXPECT_EQ(model.Sheet().Parameter(1, S::kPhiPeak), "");
  EXPECT_EQ(model.Sheet().Result(1), "");
  ASSERT_EQ(record.DataSets.Count(), 1u);
  EXPECT_EQ(model.Curve(), nullptr);  // no curve from no-value results
  EXPECT_EQ(record.DataSets.At(0).PointCount(), 0u);
  EXPECT_EQ(model.OkStep(), StrainOkStep::ShowNotFinished);
}

TEST_F(StrainLogic, OkSteps) {
  EXPECT_EQ(model.OkStep(), StrainOkStep::EndAsCancel);
  record.Unchanged = false;
  model.Sheet().Result(7) = "1.000000E-5";
  EXPECT_EQ(model.OkStep(), StrainOkStep::AskResidual);
  model.Sheet().Result(7) = "1.000000E-7";
  EXPECT_EQ(model.OkStep(), StrainOkStep::WriteAnswer);
}

// -------------------------------------------------------------- fit runs

class StrainFit : public StrainLogic {
 protected:
  TempFolder folder;
};

TEST_F(StrainFit, DataFileOfOneFit) {
  EngineCaller caller(folder.Path());
  StrainFitRun run(model, caller);
  EXPECT_TRUE(run.FitOnce());
  EXPECT_EQ(caller.CallCount(), 1);
  std::string expected =
      "1\r\n10.0\r\n1.0\r\n1.0\r\n5.0\r\n1.0\r\n34.0\r\n-10000.0\t10000.0\r\n0.01\t10000.0\r\n"
      "0.0\t10000.0\r\n0.01\t10000.0\r\n0.0\t10000.0\r\n10\r\n";
  const double xs[] = {0.1, 0.2, 0.5, 1.0, 1.5, 2.0, 3.0, 5.0, 7.5, 10.0};
  const double ys[] = {32.499134, 31.895889, 28.676059, 23.635391, 19.953231,
                       16.577909, 12.373975, 8.084341,  5.77702,   4.34573};
  for (int i = 0; i < 10; ++i) {
    char line[80];
    std::snprintf(line, sizeof line, "%.8f\t%.8f\r\n", xs[i], ys[i]);
    expected += line;
  }
  EXPECT_EQ(folder.ReadBytes("data.txt"), expected);
  // The grid shows the engine's answer, A2 from phi peak at the time of the fit.
  EngineResult engine = ParseEngineOutput(folder.ReadBytes("output.txt"), 5);
  EXPECT_EQ(record.Residual, engine.Residual);
  EXPECT_EQ(record.Results[0], engine.Parameters[0]);
  EXPECT_EQ(record.Results[3], 34.0 - engine.Parameters[0]);
  EXPECT_EQ(record.Results[5], engine.Parameters[4]);
  EXPECT_EQ(model.Sheet().Result(7), FormatExp(engine.Residual, 6));
  EXPECT_EQ(model.Sheet().Result(2), CellNumberText(engine.Parameters[1]));
  ASSERT_NE(model.Curve(), nullptr);
}

TEST_F(StrainFit, RetryOffMakesExactlyOneFit) {
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

TEST_F(StrainFit, RetryOnMakesMaxTrialsFitsFromDrawnValues) {
  record.Retry.Tolerance = 1e-10;
  record.Retry.MaximumTrials = 4;
  model.Sheet().Parameter(S::kMaximumRow, S::kT1) = "20.0";
  EngineCaller caller(folder.Path());
  std::mt19937 reference(5489u);
  reference.discard(UniformDrawCount());
  int progress = 0;
  StrainFitRun(model, caller).Run([&] { ++progress; });
  EXPECT_EQ(caller.CallCount(), 4);
  EXPECT_EQ(progress, 4);
  double u = 0;
  for (int i = 0; i < 3; ++i) u = static_cast<double>(reference()) / 4294967296.0;
  EXPECT_EQ(model.Sheet().Parameter(1, S::kT1), CellNumberText(0.01 + u * (20.0 - 0.01)));
  EXPECT_EQ(model.Sheet().Parameter(1, S::kD2), CellNumberText(u * 10000.0));
  EXPECT_EQ(model.Sheet().Parameter(1, S::kA1), CellNumberText(-10000.0 + u * 20000.0));
  EXPECT_EQ(model.Sheet().Parameter(1, S::kA2), "24.0");  // not drawn
  EXPECT_EQ(record.Parameters[StrainFormRecord::kT1][StrainFormRecord::kInitial],
            CellValue(CellNumberText(0.01 + u * (20.0 - 0.01))));
  EXPECT_TRUE(model.ResidualAboveTolerance());
}

TEST_F(StrainFit, BestFitIsKept) {
  // An engine whose answers get worse after the second trial.
  const double residuals[] = {0.5, 0.1, 0.3, 0.05000001, 0.9};
  int call = 0;
  EngineCaller caller(folder.Path(), [&] {
    FILE* out = std::fopen("output.txt", "w");
    std::fprintf(out, "%E\n%lf\n1.0\n2.0\n3.0\n4.0\n", residuals[call], 10.0 + call);
    std::fclose(out);
    ++call;
    return 0;
  });
  record.Retry.Tolerance = 0.05;
  record.Retry.MaximumTrials = 5;
  StrainFitRun run(model, caller);
  run.Run();
  EXPECT_EQ(caller.CallCount(), 5);
  EXPECT_EQ(model.Sheet().Result(7), "5.000001E-2");
  EXPECT_EQ(model.Sheet().Result(1), "13.0");
  EXPECT_EQ(model.Sheet().Result(4), "21.0");
  EXPECT_EQ(record.Results[0], 13.0);
  EXPECT_TRUE(model.ResidualAboveTolerance());
}

TEST_F(StrainFit, ToleranceReachedStopsTheRun) {
  int calls = 0;
  EngineCaller caller(folder.Path(), [&] {
    FILE* out = std::fopen("output.txt", "w");
    std::fprintf(out, "%E\n1.0\n1.0\n1.0\n1.0\n1.0\n", 1e-7);
    std::fclose(out);
    ++calls;
    return 0;
  });
  StrainFitRun(model, caller).Run();
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(model.ResidualAboveTolerance());
  EXPECT_EQ(model.OkStep(), StrainOkStep::WriteAnswer);
}

TEST_F(StrainFit, NoOutputOrIncompleteValuesChangeNothing) {
  EngineCaller silent(folder.Path(), [] { return 0; });
  StrainFitRun(model, silent).Run();
  EXPECT_EQ(silent.CallCount(), 5);
  EXPECT_EQ(model.Sheet().Result(7), "1.000000E+8");
  EXPECT_EQ(model.Sheet().Result(1), "");

  model.Sheet().Parameter(1, S::kPhiPeak) = "";
  model.Sheet().Parameter(S::kMaximumRow, S::kD2) = "";
  model.Sheet().Result(7) = "";
  EngineCaller real(folder.Path());
  StrainFitRun run(model, real);
  EXPECT_FALSE(run.FitOnce());
  const StrainFitRun::MissingCell missing = run.FirstMissingCell();
  EXPECT_EQ(missing.row, 1);
  EXPECT_EQ(missing.column, S::kPhiPeak);
  EXPECT_FALSE(run.Run());
  EXPECT_EQ(real.CallCount(), 0);
  EXPECT_EQ(model.Sheet().Result(7), "");
  model.Sheet().Parameter(1, S::kPhiPeak) = "34.0";
  EXPECT_EQ(run.FirstMissingCell().row, S::kMaximumRow);
  EXPECT_EQ(run.FirstMissingCell().column, S::kD2);
}

TEST_F(StrainFit, AnswerReadsBack) {
  record.Retry.RandomStartAllowed = 0;
  EngineCaller caller(folder.Path());
  StrainFitRun(model, caller).Run();
  ASSERT_EQ(model.OkStep(), StrainOkStep::AskResidual);  // 1e-6 is not reached on these points
  AnswerDelivery delivery = WriteStrainAnswer(folder.Path(), record);
  ASSERT_TRUE(delivery.AnswerWritten) << delivery.Error;
  EXPECT_TRUE(folder.Exists("writed"));
  EXPECT_TRUE(folder.Exists("color.txt"));
  StrainFormRecord back;
  ASSERT_TRUE(ReadStrainInput(folder.File("temp.txt"), back, kJapanese));
  EXPECT_EQ(back.Retry.RandomStartAllowed, 0);
  EXPECT_NEAR(back.PeakFrictionAngle, 34.0, 0);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_NEAR(back.Results[i], record.Results[i], 5e-7) << i;
  EXPECT_NEAR(back.Residual, record.Residual, record.Residual * 1e-6);
  ASSERT_NE(back.ExperimentData(), nullptr);
  EXPECT_EQ(back.ExperimentData()->Points(), record.ExperimentData()->Points());
  for (std::size_t r = 0; r < 5; ++r)
    for (std::size_t k = 0; k < 3; ++k) EXPECT_NEAR(back.Parameters[r][k], record.Parameters[r][k], 5e-7);
}

}  // namespace
}  // namespace quorvel
