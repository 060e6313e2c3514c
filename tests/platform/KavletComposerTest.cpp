// The composition half of the page composer against the shipped form files:
// moves, the line limit, frames, and every misuse recorded. The values and
// first lines of placed blocks are ResultPages' (the whole example composed).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/KavletComposition.h"

namespace quorvel {
namespace {

const std::string kForms = std::string(QUORVEL_PRNFILES) + "/";

class CompositionTest : public ::testing::Test {
 protected:
  void Start() {
    ASSERT_TRUE(composer.BeginPrinting());
    composer.SetStart(&table, kForms);
  }
  // One level-1 heading block per page, labelled by its field 100.
  void Pages(const std::vector<std::string>& labels) {
    for (std::size_t i = 0; i < labels.size(); ++i) {
      if (i > 0) composer.SetReturn();
      table[100] = labels[i];
      composer.SetPage("共通.kvf", 1, "0");
    }
  }
  std::vector<std::string> Labels() const {
    std::vector<std::string> labels;
    for (int p = 1; p <= composer.PageCount(); ++p) labels.push_back(composer.Page(p)->blocks.front().Value(100));
    return labels;
  }
  bool HasProblem(const std::string& part) const {
    for (const std::string& problem : composer.Problems())
      if (problem.find(part) != std::string::npos) return true;
    return false;
  }

  KavletComposition composer;
  std::vector<std::string> table = std::vector<std::string>(1000);
};

TEST_F(CompositionTest, MovePageBeforeIsZeroBasedAndRefusesOutOfRange) {
  Start();
  Pages({"A", "B", "C", "D"});
  composer.SetEnd();
  composer.MovePageBefore(3, 1);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"A", "D", "B", "C"}));
  composer.MovePageBefore(0, 2);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"D", "B", "A", "C"}));
  for (const auto& [from, before] : {std::pair(4, 0), std::pair(-1, 0), std::pair(0, 4)})
    composer.MovePageBefore(from, before);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"D", "B", "A", "C"}));
  EXPECT_EQ(composer.Problems().size(), 3u);
  EXPECT_TRUE(HasProblem("MovePageBefore(4, 0) out of range 0..3"));
}

TEST_F(CompositionTest, CallsOutOfOrderAreRecordedAndIgnored) {
  composer.SetPage("共通.kvf", 1, "0");
  composer.SetStart(&table, kForms);
  EXPECT_EQ(composer.Problems().size(), 2u) << "SetPage and SetStart before BeginPrinting";
  ASSERT_TRUE(composer.BeginPrinting());
  EXPECT_FALSE(composer.BeginPrinting());
  composer.MovePageBefore(0, 0);
  composer.SetEnd();
  composer.SetStart(&table, kForms);
  composer.SetPage("共通.kvf", 2, "x1");
  composer.SetPage("共通.kvf", 1, "4");
  composer.SetPage("無い.kvf", 1, "0");
  composer.SetPage("無い.kvf", 1, "1");
  EXPECT_EQ(composer.BlockLines("共通.kvf", 4), 0);
  composer.SetEnd();
  EXPECT_EQ(composer.PageCount(), 0) << "nothing was placed";
  for (const char* part : {"already printing", "MovePageBefore before SetEnd", "SetEnd outside", "kind 2 is not 1",
                           "\"x1\" is not a block number", "共通.kvf: no block 4", "無い.kvf: cannot open"})
    EXPECT_TRUE(HasProblem(part)) << part;
  int missingForm = 0;
  for (const std::string& problem : composer.Problems()) missingForm += problem.find("無い.kvf") != std::string::npos;
  EXPECT_EQ(missingForm, 1) << "a form that cannot be read is reported once";
}

TEST_F(CompositionTest, MoreThanFiftyLinesOnAPageIsRecordedAsAnOverflow) {
  Start();
  composer.SetPage("0_表紙.kvf", 1, "0");  // 48 lines
  composer.SetPage("Gyokan.kvf", 1, "0");  // 49
  composer.SetPage("Gyokan.kvf", 1, "1");  // 50: still fits
  EXPECT_TRUE(composer.Problems().empty());
  composer.SetPage("Gyokan.kvf", 1, "1");  // 51
  composer.SetEnd();
  ASSERT_EQ(composer.Problems().size(), 1u);
  EXPECT_EQ(composer.Problems()[0], "page 1 overflows: block 1 of Gyokan.kvf ends at line 51 of 50");
}

TEST_F(CompositionTest, FramesAreListedInOrderWithTheirNamesAndPlaces) {
  Start();
  composer.SetPage("共通.kvf", 1, "0");
  composer.SetReturn();
  table[900] = "入力加速度";
  table[901] = "平均応答加速度";
  composer.SetPage("共通.kvf", 1, "0");
  composer.SetPage("3_結果図.kvf", 1, "1");
  table[900] = "後から";
  composer.SetEnd();
  EXPECT_TRUE(composer.PageFrames(1).empty());
  const int top = kavlet::kBodyTop + 3 * kavlet::kLineHeight;
  EXPECT_EQ(composer.PageFrames(2), (std::vector<GraphFrame>{{"入力加速度", 1134, top + 80, 9638, 3960},
                                                             {"平均応答加速度", 1134, top + 4200, 9638, 3960}}));
  EXPECT_TRUE(composer.PageFrames(3).empty());
}

TEST_F(CompositionTest, AnEmptyPageIsReported) {
  Start();
  composer.SetReturn();
  composer.SetPage("Gyokan.kvf", 1, "0");
  composer.SetEnd();
  EXPECT_EQ(composer.PageCount(), 2);
  EXPECT_TRUE(HasProblem("page 1 is empty"));
}

}  // namespace
}  // namespace quorvel
