// Composition of the report against a recording composer and the shipped
// form files: the call sequence, field values, page breaks, contents pages
// and the form-file check; the pager's shared rules against a recording sink.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "RecordingComposer.h"
#include "TempFolder.h"
#include "platform/KavletForm.h"
#include "report/ReportComposition.h"
#include "report/ReportItems.h"

namespace quorvel {
namespace {

using test::RecordingComposer;
using Lines = std::vector<std::string>;

// A page group of `count` third-level headings of item 5, 2 lines each.
GroupCompose Headings(int count) {
  return [count](ReportPager& pager, CPrintProject&) {
    for (int i = 0; i < count; ++i) pager.Heading(3, 5, "見出し" + std::to_string(i + 1));
  };
}

std::vector<ReportGroup> TitleBodyContents(GroupCompose body) {
  return {{kItemTitlePage, -1, "title page", ComposeTitlePage},
          {kItemInputData, -1, "body", std::move(body)},
          {kItemContents, -1, "contents", ComposeContents}};
}

// "form block" of every block on a page.
Lines Blocks(const ComposedPage& page) {
  Lines blocks;
  for (const PlacedBlock& placed : page.blocks)
    blocks.push_back(placed.form + " " + std::to_string(placed.block->number));
  return blocks;
}

TEST(ReportComposition, ThreeContentPagesAndTwoContentsPagesGoTitleContentsPages) {
  CPrintProject project;
  // 50 headings of 2 lines: 24 on the group's first page, 24 after the spacer, 2 more.
  const test::ComposedReport c(project, {0, 1, 2}, TitleBodyContents(Headings(50)));
  const RecordingComposer& composer = c.composer;
  ASSERT_TRUE(c.result.formsFound);
  EXPECT_TRUE(composer.Problems().empty());
  ASSERT_EQ(composer.PageCount(), 6);
  EXPECT_EQ(project.ContentsPageCount, 2);
  EXPECT_EQ(Lines(composer.Log().end() - 3, composer.Log().end()),
            (Lines{"SetEnd", "MovePageBefore 5 1", "MovePageBefore 5 1"}));

  EXPECT_EQ(Blocks(*composer.Page(1)), (Lines{"0_表紙.kvf 0"}));
  const ComposedPage& contents1 = *composer.Page(2);
  const ComposedPage& contents2 = *composer.Page(3);
  ASSERT_EQ(contents1.blocks.size(), 32u) << "the contents title and 31 entry lines";
  EXPECT_EQ(Blocks(contents1).front(), "共通.kvf 5");
  ASSERT_EQ(contents2.blocks.size(), 20u) << "the spacer and the last 19 entries";
  EXPECT_EQ(Blocks(contents2).front(), "Gyokan.kvf 0");
  // Page numbers of the entries: the page each heading landed on.
  std::map<std::string, int> perPage;
  for (const ComposedPage* page : {&contents1, &contents2})
    for (const PlacedBlock& line : page->blocks)
      if (line.block->number == 8) ++perPage[line.Value(482)];
  EXPECT_EQ(perPage, (std::map<std::string, int>{{"1", 24}, {"2", 24}, {"3", 2}}));
  EXPECT_EQ(contents1.blocks[1].Value(102), WithDottedLeader("モデル図", 78));
  // The content pages follow; their printed numbers are 1, 2, 3.
  EXPECT_EQ(composer.Page(4)->blocks.front().Value(102), "見出し1");
  EXPECT_EQ(Blocks(*composer.Page(5)).front(), "Gyokan.kvf 0");
  EXPECT_EQ(composer.Page(6)->blocks.back().Value(102), "見出し50");
  Lines numbers;
  for (int page = 1; page <= 6; ++page) numbers.push_back(std::to_string(project.PrintedPageNumber(page)));
  EXPECT_EQ(numbers, (Lines{"-2", "-1", "0", "1", "2", "3"}));
}

TEST(ReportComposition, WithoutTheTitlePageTheContentsMoveToTheFront) {
  CPrintProject project;
  const test::ComposedReport c(project, {1, 2}, TitleBodyContents(Headings(30)));
  const RecordingComposer& composer = c.composer;
  ASSERT_TRUE(c.result.formsFound);
  ASSERT_EQ(composer.PageCount(), 3);
  EXPECT_EQ(composer.Log().back(), "MovePageBefore 2 0");
  EXPECT_EQ(Blocks(*composer.Page(1)).front(), "共通.kvf 5");
  EXPECT_EQ(composer.Page(2)->blocks.front().Value(102), "見出し1") << "no page break before the first group";
  EXPECT_EQ(std::make_pair(project.PrintedPageNumber(1), project.PrintedPageNumber(2)), std::make_pair(0, 1));
}

TEST(ReportComposition, GroupsRunInOrderAndTenAndSeventeenOnlyWithinTwo) {
  const auto run = [](std::initializer_list<int> items) {
    std::vector<ReportGroup> groups = StandardReportGroups();
    Lines ran;
    for (ReportGroup& group : groups)
      group.compose = [&ran, &group](ReportPager&, CPrintProject&) { ran.push_back(group.name); };
    CPrintProject project;  // nothing selected unless `items` are given
    const test::ComposedReport composed(project, items, groups);
    return ran;
  };
  EXPECT_EQ(run({10, 17, 21}), (Lines{"analysis results"}));
  EXPECT_EQ(run({52, 33, 17, 1, 2, 0, 10, 21}),
            (Lines{"title page", "input data", "analysis conditions", "calculation settings", "analysis results",
                   "result figures", "analysis details", "contents"}));
  EXPECT_EQ(run({}), Lines{});
}

TEST(ReportComposition, AnItemBeyondTheListIsNotSelected) {
  CPrintProject project;
  project.Project.Print.Items.assign(1, true);  // only the title page is listed
  EXPECT_TRUE(project.ItemSelected(0) && !project.ItemSelected(1) && !project.ItemSelected(1000));
}

TEST(ReportComposition, TheFirstFormFileThatFailsIsNamedAndNothingIsComposed) {
  struct Case {
    std::vector<std::string> missing;
    std::string garbage;  // a form file replaced by this text
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"共通.kvf", "0_表紙.kvf"}, "", "0_表紙.kvfファイルを開けません。\n印刷プレビューをキャンセルします。"},
      {{}, "kvf 1\nblock 0 lines 2 \"x\"\n  text 0 900 \"外\"\nend\n", "2_解析結果.kvfファイルを開けません。"},
  };
  for (const Case& c : cases) {
    test::TempFolder folder;
    for (const auto& entry : std::filesystem::directory_iterator(QUORVEL_PRNFILES))
      std::filesystem::copy(entry.path(), folder.Path() + entry.path().filename().string());
    for (const std::string& name : c.missing) std::filesystem::remove(folder.File(name));
    if (!c.garbage.empty()) folder.WriteBytes("2_解析結果.kvf", c.garbage);
    CPrintProject project;
    const test::ComposedReport composed(project, {0, 1}, StandardReportGroups(), folder.Path());
    const CompositionResult& result = composed.result;
    const RecordingComposer& composer = composed.composer;
    EXPECT_FALSE(result.formsFound);
    EXPECT_EQ(result.message.substr(0, c.message.size()), c.message);
    EXPECT_TRUE(c.garbage.empty() || result.message.find("2_解析結果.kvf:3:") != std::string::npos) << result.message;
    EXPECT_EQ(composer.PageCount(), 0);
    EXPECT_EQ(composer.Log(), Lines{"BeginPrinting"}) << "nothing composed";
  }
}

TEST(ReportComposition, ContentsLeadersEndWhereTheContentsFieldsEnd) {
  KvfForm form;
  std::string error;
  ASSERT_TRUE(LoadKvfFile(QUORVEL_PRNFILES "/共通.kvf", form, error)) << error;
  for (int level = 1; level <= 3; ++level) {
    const KvfElement& heading = form.Block(5 + level)->elements.at(0);
    ASSERT_EQ(heading.slot, 99 + level);
    // A half-width cell of the fixed-pitch face is half its height.
    EXPECT_EQ(heading.style.width / (heading.style.size / 2), kContentsLineCells[level - 1]) << level;
    EXPECT_EQ(heading.x + heading.style.width, 8600) << "every level's leader ends in one place";
  }
  EXPECT_EQ(WithDottedLeader("ab", 5), "ab･･･");
  EXPECT_EQ(HalfWidthCells(WithDottedLeader("初期円弧すべり", 78)), 78);
  EXPECT_EQ(WithDottedLeader("abcdef", 5), "abcdef･") << "at least one dot";
}

TEST(ReportComposition, ContentsTextsFollowTheSearchAndTheAnalysisMethodAndTheItemListEnds) {
  // The slip items' contents name the circle the settings choose; their page headings keep the item table's texts.
  const std::tuple<bool, int, const char*, const char*> cases[] = {{true, 4, "臨界円弧すべり", "変位量計算"},
                                                                   {false, 1, "指定円弧すべり", "計算円弧すべり"},
                                                                   {false, 2, "指定円弧すべり", "変位量計算"},
                                                                   {true, 5, "臨界円弧すべり", "計算円弧すべり"}};
  for (const auto& [autoSearch, method, initial, displacement] : cases) {
    clsGdProject project;
    project.Surface.AutoSearch = autoSearch;
    project.Setting.AnalysisMethod = method;
    EXPECT_EQ((Lines{ContentsText(kItemInitialSlip, project), ContentsText(kItemMaximumDisplacementSlip, project),
                     ContentsText(kItemDetailsMaximumDisplacementSlip, project)}),
              (Lines{initial, displacement, displacement}))
        << method;
  }
  EXPECT_EQ(ItemHeading(kItemMaximumDisplacementSlip), "最大変位量の円弧すべり");
  EXPECT_EQ(ContentsText(13, clsGdProject{}), "円弧すべり探索条件");
  EXPECT_TRUE(ItemContentsLevel(16) == 0 && ItemHeading(59).empty() && ItemHeading(60).empty());
}

// --- The pager's shared rules, against a recording sink -----------------------

class RecordingSink : public PageSink {
 public:
  std::map<std::pair<std::string, int>, int> heights = {
      {{"Gyokan.kvf", 0}, 1}, {{"Gyokan.kvf", 1}, 1}, {{"共通.kvf", 0}, 3}, {{"共通.kvf", 2}, 2},
      {{"T", 0}, 2},          {{"T", 1}, 1},          {{"T", 2}, 2},        {{"B", 0}, 1}};
  Lines log;

  int BlockLines(const BlockRef& block) override { return heights.at({block.form, block.block}); }
  void PlaceBlock(const BlockRef& block, const FieldValues& values) override { log.push_back(Text(block, values)); }
  void BreakPage() override { log.push_back("break"); }
  void PlaceTableHeader(const BlockRef& block, const FieldValues& values, bool repeated) override {
    log.push_back((repeated ? "header again " : "header ") + Text(block, values));
  }
  void PlaceTableRow(const BlockRef& block, const FieldValues& values) override {
    log.push_back("row " + Text(block, values));
  }
  static std::string Text(const BlockRef& block, const FieldValues& values) {
    std::string text = block.form + " " + std::to_string(block.block);
    for (const FieldValue& value : values) text += " " + std::to_string(value.slot) + "=" + value.text;
    return text;
  }
};

struct PagerFixture {
  CPrintProject project;
  RecordingSink sink;
  ReportPager pager{project, sink};
  void Fill(int lines) {
    for (int i = 0; i < lines; ++i) pager.Block({"B", 0});
  }
};

// A table running over pages (spacer, header again, rows to line 49) is
// checked on real pages: InputDataPagesTest.exampleInputDataBlocksPageBreakAndValues.

TEST(ReportPager, AHeadingThatWouldEndAtLineFiftyStartsANewPage) {
  for (const auto& [filled, breaks] : {std::pair{46, false}, std::pair{47, true}}) {
    PagerFixture f;
    f.Fill(filled);
    f.pager.Heading(1, 2, "入力データ");
    const Lines tail(f.sink.log.begin() + filled, f.sink.log.end());
    EXPECT_EQ(tail, (breaks ? Lines{"break", "Gyokan.kvf 0", "共通.kvf 0 100=入力データ"}
                            : Lines{"共通.kvf 0 100=入力データ"}));
    // The entry names the page the heading is printed on.
    EXPECT_EQ(f.project.Contents, (std::vector<ContentsEntry>{{2, breaks ? 2 : 1}})) << filled;
  }
}

TEST(ReportPager, TwoTablesOnOnePageAreKeptApartByTheBlankBlockButNotAcrossAPage) {
  PagerFixture f;
  f.pager.BeginTable({"T", 0});
  f.pager.TableRow({"T", 1}, {});
  f.pager.EndTable();
  f.pager.BeginTable({"T", 0});
  f.pager.EndTable();
  f.Fill(41);  // a block between: no blank line
  f.pager.BeginTable({"T", 0});
  f.pager.EndTable();  // ends at line 49: no room for the blank line
  f.pager.BeginTable({"T", 0});
  Lines expected = {"header T 0", "row T 1", "Gyokan.kvf 1", "header T 0"};
  expected.insert(expected.end(), 41, "B 0");
  expected.insert(expected.end(), {"header T 0", "break", "Gyokan.kvf 0", "header T 0"});
  EXPECT_EQ(f.sink.log, expected);
}

TEST(ReportPager, AGroupAfterPlacedBlocksOpensItsPageWithoutTheSpacer) {
  PagerFixture f;
  f.project.PageCounter = 0;
  f.pager.StartGroup();
  f.pager.Heading(1, 2, "入力データ");  // nothing placed before: no break
  f.pager.StartGroup();                 // a group that places nothing breaks nothing
  f.pager.StartGroup();
  f.pager.Heading(1, 21, "解析結果");
  EXPECT_EQ(f.sink.log, (Lines{"共通.kvf 0 100=入力データ", "break", "共通.kvf 0 100=解析結果"}));
  EXPECT_EQ(f.project.Contents, (std::vector<ContentsEntry>{{2, 1}, {21, 2}}));
  EXPECT_EQ(f.project.BlockPlaced, 1);
}

TEST(ReportPager, ListsAreJoinedWithCommasAndWrappedAtEightyCharacters) {
  std::vector<std::string> numbers;
  std::string joined;
  for (int n = 1; n <= 120; ++n) {
    numbers.push_back(std::to_string(n));
    joined += (n > 1 ? "," : "") + numbers.back();
  }
  const Lines rows = JoinWrapped(numbers);
  ASSERT_EQ(rows.size(), 5u);
  std::string together;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_LE(rows[i].size(), 80u) << rows[i];
    EXPECT_EQ(rows[i].back() == ',', i + 1 < rows.size()) << rows[i];
    together += rows[i];
  }
  EXPECT_EQ(together, joined);
  EXPECT_EQ(rows[0], "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,");
  EXPECT_EQ(JoinWrapped({std::string(85, '9'), "1"}), (Lines{std::string(85, '9') + ",", "1"}));
  EXPECT_EQ(JoinWrapped({}), Lines{""});
}

}  // namespace
}  // namespace quorvel
