// The analysis results, result figures and analysis details against the real
// composition and the shipped form files: the exact values of each kind of
// table from the example's result files, the contents texts the analysis
// settings choose, tables that run over pages, missing result files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "RecordingComposer.h"
#include "TempFolder.h"
#include "report/ReportComposition.h"
#include "report/ReportItems.h"
#include "report/ResultPages.h"

namespace quorvel {
namespace {

const std::string kExample = std::string(QUORVEL_EXAMPLES) + "/project/project.txt";
using Strings = std::vector<std::string>;

CPrintProject Example() {
  CPrintProject project;
  EXPECT_EQ(LoadProject(kExample, project.Project).Status, ProjectLoadStatus::kLoaded);
  return project;
}

Strings Row(const PlacedBlock& placed, int count) {
  Strings row;
  for (int s = 1; s <= count; ++s) row.push_back(placed.Value(s));
  return row;
}

// Label (slot 1) to value (slot 2) of the value lines, in order.
Strings ValueLines(const test::ComposedReport& c) {
  Strings lines;
  for (const PlacedBlock* p : c.All(kResultsForm, 10)) lines.push_back(p->Value(1) + p->Value(2) + " " + p->Value(3));
  return lines;
}

TEST(ResultPages, ResultTablesCarryTheExampleValues) {
  CPrintProject project = Example();
  const test::ComposedReport c(project, {21, 22, 23, 24, 25, 27, 28, 29, 30});
  EXPECT_EQ(c.composer.Problems(), Strings{});

  const auto counts = c.All(kResultsForm, 15);
  ASSERT_EQ(counts.size(), 1u);
  EXPECT_EQ(Row(*counts[0], 4), (Strings{"Total cases:", "1248", "Effective cases:", "1116"}));
  // The best circles of the search file: the smallest Fs and the smallest Khy (both its first row).
  const auto best = c.All(kResultsForm, 2);
  ASSERT_EQ(best.size(), 2u);
  EXPECT_EQ(Row(*best[0], 6), (Strings{"(Fs MINIMUM)", "30.000", "18.000", "12.000", "1.100", "0.120"}));

  // Stability of the initial circle per drainage state (the total is the example PDF's), then the file's table.
  const auto drainage = c.All(kResultsForm, 5);
  ASSERT_EQ(drainage.size(), 3u);
  EXPECT_EQ(Row(*drainage[0], 5), (Strings{"非排水 (undrained)", "1.483", "0.200", "2092.2", "1666.9"}));
  const auto stability = c.All(kResultsForm, 9);
  ASSERT_EQ(stability.size(), 7u);
  EXPECT_EQ(Row(*stability[6], 3), (Strings{"最短すべり瞬間円弧(t=tslip)", "1.298", "0.138"}));

  // (Fs MINIMUM), the two maximum-displacement circles and the critical one.
  const auto titles = c.All(kResultsForm, 11);
  ASSERT_EQ(titles.size(), 3u);
  EXPECT_EQ(titles[0]->Value(1) + titles[1]->Value(1) + titles[2]->Value(1),
            "(Fs MINIMUM)(δ MAXIMUM OR Khy.final MINIMUM)(tslip MINIMUM OR Khy.initial MINIMUM)");
  // One line per value format (centre and radius, ratio, moment, displacement, time) and the circle each
  // kind chooses: δ maximum (kind 4), tslip minimum (kind 6), the critical one (tslip: the first displacement).
  const Strings lines = ValueLines(c);
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ((Strings{lines[0], lines[1], lines[3], lines[5], lines[10], lines[11], lines[20], lines[22]}),
            (Strings{"xc , yc, R :32.000 , 20.500 , 13.200 (m)", "Fs :1.108 ", "Mr :4388.0 (kN･m)",
                     "xc , yc, R :33.000 , 18.500 , 11.600 (m)", "δ :0.356 (m)",
                     "xc , yc, R :30.000 , 22.500 , 15.000 (m)", "tslip :0.10 (s)", "Mrslip:3702.4 (kN･m)"}));

  // The slice table at the initial state: 12 rows, the last one exactly.
  const auto slices = c.All(kResultsForm, 7);
  ASSERT_EQ(slices.size(), 12u);
  EXPECT_EQ(Row(*slices[11], 6), (Strings{"12", "31.000", "1.000", "4.200", "30.000", "4.00"}));
}

// A project of its own with a search file of `rows` circles.
struct HandMade {
  test::TempFolder folder;
  CPrintProject project;
  explicit HandMade(int rows) {
    project = Example();
    project.Project.Folder = folder.Path();
    std::ofstream search(folder.File("search.txt"), std::ios::binary);
    search << "[SearchDetail]\r\n[Table] " << rows << "\r\n";
    for (int i = 0; i < rows; ++i) search << 10 + i << ".5,20,15," << 1 + i * 0.001 << ",0.2\r\n";
    project.Project.ResultFiles.fill("missing.txt");
    project.Project.ResultFiles[clsGdProject::kResultSearch] = "search.txt";
  }
};

// The pager's table over pages (spacer, header again) is checked on the node
// table (InputDataPagesTest) and the Word sink's continued table.
TEST(ResultPages, SearchDetailsListEveryCircleAndCloseOnce) {
  HandMade made(120);
  const test::ComposedReport c(made.project, {52, 55});
  EXPECT_EQ(c.composer.Problems(), Strings{});
  const auto rows = c.All(kDetailsForm, 3);
  ASSERT_EQ(rows.size(), 120u);
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i]->Value(1), std::to_string(i + 1));
  EXPECT_EQ(Row(*rows[119], 6), (Strings{"120", "129.500", "20.000", "15.000", "1.119", "0.200"}));
  // The table closes with its rule once, after the last row, on the third page.
  const auto end = c.All(kDetailsForm, 13);
  ASSERT_EQ(end.size(), 1u);
  EXPECT_EQ(std::make_pair(c.PageOf(end[0]), c.PageOf(rows[119])), std::make_pair(3, 3));
}

// A heading kept with the first 5 lines under it goes to a new page rather than
// end within the page's last lines: with 1 to 50 search rows above it, the
// displacement history's heading meets every line of the page once.
TEST(ResultPages, AHeadingKeptWithItsTableNeverEndsThePage) {
  for (int rows = 1; rows <= 50; ++rows) {
    HandMade made(rows);
    const test::ComposedReport c(made.project, {52, 55, 56});
    const auto headings = c.All(kCommonForm, 2);  // third level: items 55 and 56
    ASSERT_EQ(headings.size(), 2u) << rows;
    EXPECT_TRUE(headings[1]->firstLine <= 1 || headings[1]->firstLine + 2 + 5 < kavlet::kPageLines)
        << rows << " rows: the heading on line " << headings[1]->firstLine;
  }
}

TEST(ResultPages, MissingResultFilesLeaveTheTablesEmptyAndCompositionGoesOn) {
  HandMade made(0);
  made.project.Project.ResultFiles.fill("not-there.txt");
  const test::ComposedReport c(made.project,
                               {1, 21, 22, 23, 24, 27, 29, 30, 31, 32, 33, 34, 35, 52, 53, 54, 55, 56, 57});
  EXPECT_EQ(c.composer.Problems(), Strings{});
  // Headers stand without rows; the values from the project itself remain.
  EXPECT_EQ((std::vector<std::size_t>{c.All(kDetailsForm, 2).size(), c.All(kDetailsForm, 3).size(),
                                      c.All(kDetailsForm, 10).size(), c.All(kResultsForm, 7).size(),
                                      c.All(kResultsForm, 9).size(), c.All(kResultsForm, 5).size(),
                                      c.All(kSliceHistoryFormFile, 1).size()}),
            (std::vector<std::size_t>{1, 0, 0, 0, 0, 3, 0}));
  const auto best = c.All(kResultsForm, 2);
  ASSERT_EQ(best.size(), 2u);
  // Rows of the missing search file are blank, not the last values of the slots.
  EXPECT_EQ(Row(*best[1], 6), (Strings{"(Khy MINIMUM)", "", "", "", "", ""}));
  // No slice pages without the slice file (above); the tslip line is empty.
  const Strings lines = ValueLines(c);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "tslip : (s)"), lines.end());
  // The slip figure is placed; the contents still lists every heading.
  EXPECT_EQ(c.Frames(), (Strings{"初期円弧すべり"}));
  EXPECT_EQ(made.project.Contents.size(), 18u);
}

}  // namespace
}  // namespace quorvel
