#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "host/HostTextFile.h"
#include "records/GdProject.h"
#include "records/GdSliceQuant.h"

namespace quorvel {
namespace {

const std::string kProjectFolder = std::string(QUORVEL_EXAMPLES) + "/project";
const std::string kProjectFile = kProjectFolder + "/project.txt";

std::string ExampleText() {
  std::string bytes;
  std::string text;
  EXPECT_TRUE(ReadFileBytes(kProjectFile, bytes, HostTextReader::kMaxFileBytes));
  EXPECT_TRUE(Cp932ToUtf8(bytes, text));
  return text;
}

// Replaces the first occurrence of `from` after `after` in `text`.
std::string ReplaceAfter(std::string text, std::string_view after, std::string_view from, std::string_view to) {
  std::size_t start = text.find(after);
  EXPECT_NE(start, std::string::npos) << after;
  std::size_t at = text.find(from, start);
  EXPECT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
  return text;
}

// Members the report does not print as text; the printed ones (titles,
// nodes, layers, soils, water, circles, settings, slip results) are checked
// on the composed pages of the example (InputDataPagesTest, ResultPagesTest,
// ReportCompositionTest) and in its PDF.
TEST(ExampleProject, ReadsEveryMember) {
  clsGdProject project;
  ProjectLoadResult result = LoadProject(kProjectFile, project);
  ASSERT_EQ(result.Status, ProjectLoadStatus::kLoaded) << result.Message;
  const clsGdPrint& print = project.Print;
  EXPECT_EQ(print.Items.size(), 58u);
  EXPECT_EQ(print.SelectionWords(), (std::vector<std::uint32_t>{0x7FFFFFFFu, 0x03FFEFFFu}));
  EXPECT_FALSE(print.IsSelected(58));  // beyond the list
  EXPECT_EQ(print.Text(clsGdPrint::kExtraText1), "");
  EXPECT_EQ(project.Setting.Title, "○○川堤防 地震時変形検討");
  ASSERT_EQ(project.Soils.Soils.size(), 3u);
  EXPECT_EQ(project.Surface.SurfaceNodes, (std::vector<int>{6, 13, 7, 8, 15, 9, 10, 14, 5}));
  EXPECT_EQ(project.Surface.Never.Areas.at(0).Nodes.size(), 4u);
  EXPECT_EQ(project.DamageB.Tables.at(1).ReductionValues, (std::vector<double>{0.8, 0.65, 0.5}));
  EXPECT_EQ(project.DamageB.StrainFits.Parameters.at(0).Results.RowCount(), 7u);
  EXPECT_EQ(project.DamageA.Tables.at(2).Strength, (std::vector<double>{0.31, 5.0, 20.0}));
  const GdSrnLayerParameters& layer = project.DamageA.SrnFits.Layers.at(1);
  EXPECT_EQ(layer.Srn.Sets.at(2).DaLevelPercent, 5);
  EXPECT_EQ(layer.Ds.Curves.At(clsGdDsParameter::kAlpha, 1), 0.56);
  const clsGdSlip* minimum = project.Slips.FindKind(clsGdSlip::kMinimumSafetyFactor);
  ASSERT_NE(minimum, nullptr);
  EXPECT_EQ(project.Slips.FindKind(99), nullptr);
  EXPECT_EQ(project.ResultFiles[clsGdProject::kResultSlices], "result_slices.txt");
  EXPECT_EQ(project.CriticalSlipNumber, 5);
  EXPECT_EQ(project.Graphs[clsGdProject::kInputAcceleration].Series.at(0).Points.size(), 121u);
  EXPECT_EQ(project.Graphs[clsGdProject::kDisplacementFirst + 2].Series.at(1).Name, "最大変位円弧(t=0)");
  EXPECT_EQ(project.Contours.Contours.at(3).Values.size(), 35u);
  EXPECT_EQ(project.LayerColours.Colours, (std::vector<int>{12632256, 10079487, 6737151, 16764057}));
  EXPECT_EQ(project.GreyList[11], 0xB6B6B6u);
  EXPECT_EQ(project.ColourScale[10], 0xEAEAEAu);
}

TEST(ExampleProject, FailureInTheMiddleKeepsEarlierMembers) {
  // The third soil's bool line in lower case.
  std::string text = ReplaceAfter(ExampleText(), "基盤(Dg)", "False", "false");
  RecordReader in;
  ASSERT_TRUE(in.OpenText(text));
  clsGdProject project;
  EXPECT_FALSE(project.Read(in));
  EXPECT_EQ(project.Error().Tag, "[Soil]");
  EXPECT_EQ(project.Error().Message(), "[Soil] line " + std::to_string(project.Error().Line) +
                                           ": expected \"True\" or \"False\", found \"false\"");
  std::vector<std::string> lines = SplitLines(text);
  EXPECT_EQ(lines.at(project.Error().Line - 1), "false");
  EXPECT_EQ(project.Print.Text(clsGdPrint::kTitle), "河川堤防の地震時安定性照査");
  // The failing third soil is not kept.
  EXPECT_EQ(
      (std::vector<std::size_t>{project.Nodes.Nodes.size(), project.Layers.Layers.size(), project.Soils.Soils.size()}),
      (std::vector<std::size_t>{16, 4, 2}));
  EXPECT_TRUE(project.Water.Points.empty());  // never reached
  EXPECT_EQ(project.GreyList[0], 0xD1D1D1u);

  // Reading again from a good file clears the failure and the old values.
  ASSERT_EQ(LoadProject(kProjectFile, project).Status, ProjectLoadStatus::kLoaded);
  EXPECT_TRUE(project.Error().Empty() && project.Soils.Soils.size() == 3u);
}

TEST(ExampleProject, EachMemberFailureNamesItsTag) {
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"[Print]", "[Print] 58", "[Print]", "[Print]"},
      {"[WaterLevel]", "[WaterLevel] 4", "[WaterLevel] 5", "[WaterLevel]"},
      {"[SdParamCol]", "rand_ok", "rand_maybe", "[SdParameter]"},
      {"[SrnData]1", "not_selected", "unselected", "[SrnData]"},
      {"[Dynpath]", "True", "yes", "[Dynpath]"},
      {"[ConterCol]", "[ConterCol] 4 35", "[ConterCol] 4", "[ConterCol]"},
      {"[NodeCol]", "[NodeCol] 16", "[NodeCol] 2147483647", "[NodeCol]"},  // fails before reserving
  };
  for (const auto& [after, from, to, tag] : cases) {
    RecordReader in;
    ASSERT_TRUE(in.OpenText(ReplaceAfter(ExampleText(), after, from, to)));
    clsGdProject project;
    EXPECT_FALSE(project.Read(in)) << tag;
    EXPECT_EQ(project.Error().Tag, tag) << project.Error().Message();
    if (std::string(tag) == "[NodeCol]") {
      EXPECT_NE(project.Error().Reason.find("count 2147483647 needs more than the"), std::string::npos);
      EXPECT_TRUE(project.Nodes.Nodes.empty());
    }
  }
}

TEST(ResultFiles, SliceHistoriesOfTheExample) {
  clsGdProject project;
  ASSERT_EQ(LoadProject(kProjectFile, project).Status, ProjectLoadStatus::kLoaded);
  std::string path = ResolveResultPath(kProjectFolder, project.ResultFiles[clsGdProject::kResultSlices]);
  clsGdSliceQuant slices;
  ASSERT_EQ(ReadSliceQuantFile(path, slices), ResultFileStatus::kRead);
  EXPECT_TRUE(slices.SliceCount == 3 && slices.StepCount == 101 && slices.TimeStep == 0.2);
  ASSERT_EQ(slices.Slices.size(), 3u);
  const GdSliceHistory& third = slices.Slices[2];
  EXPECT_EQ(third.Number, 3);
  ASSERT_EQ(third.Time.size(), 101u);
  EXPECT_EQ(third.Time.back(), 20.0);
  const GdSliceSummary s = third.Summary();
  EXPECT_EQ((std::vector<double>{s.FinalDamage, s.FinalStrainAmplitude, s.InitialFrictionAngle, s.FinalFrictionAngle,
                                 s.InitialVerticalStress}),
            (std::vector<double>{0.8, 5.0, 35.0, 27.0, 110.0}));
  EXPECT_NEAR(s.MaximumVerticalStress, 116.0, 0.01);

  EXPECT_EQ(ReadSliceQuantFile(kProjectFolder + "/missing.txt", slices), ResultFileStatus::kNotOpened);
  EXPECT_TRUE(slices.Slices.empty());
  EXPECT_EQ(slices.SliceCount, kNoInt);
}

TEST(ResultFiles, ResolvePaths) {
  EXPECT_EQ((std::vector<std::string>{ResolveResultPath("/data/prj", "result.txt"),
                                      ResolveResultPath("/data/prj/", "sub\\result.txt"),
                                      ResolveResultPath("/data/prj", "/abs/r.txt"),
                                      ResolveResultPath("/data/prj", "  "), ResolveResultPath("", "r.txt")}),
            (std::vector<std::string>{"/data/prj/result.txt", "/data/prj/sub/result.txt", "/abs/r.txt", "", "r.txt"}));
}

}  // namespace
}  // namespace quorvel
