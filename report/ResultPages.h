#pragma once
// The report's second half: analysis results (items 21-32), result figures
// (33-51) and analysis details (52-57). The groups write to the pager only and
// read the result files of "[AnalysisResult]" as they compose; a file that
// cannot be opened leaves its tables empty and composition goes on.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "records/GdProject.h"
#include "records/GdSliceQuant.h"
#include "records/GdTable.h"
#include "report/ReportPager.h"

namespace quorvel {

inline constexpr const char* kResultsForm = "2_解析結果.kvf";
inline constexpr const char* kFiguresForm = "3_結果図.kvf";
inline constexpr const char* kDetailsForm = "4_解析詳細.kvf";

// Frame names of the slip figures.
inline constexpr std::string_view kInitialSlipFrame = "初期円弧すべり";
inline constexpr std::string_view kCriticalSlipFrame = "最大変位量の円弧すべり";
inline constexpr std::string_view kSearchInitialFrame = "探索結果(初期)";
inline constexpr std::string_view kSearchCriticalFrame = "探索結果(臨界)";
// "最大変位量の円弧すべり_" + suffix, for the kinds 1..6 of clsGdSlip.
inline constexpr std::string_view kEnumeratedSuffixes[7] = {
    "", "EnumPCSfsmin", "EnumPCSkhmin", "EnumPCSdmaxinit", "EnumPCSdmax", "EnumPCStmininit", "EnumPCStmin"};

void ComposeAnalysisResults(ReportPager& pager, CPrintProject& project);
void ComposeResultFigures(ReportPager& pager, CPrintProject& project);
void ComposeAnalysisDetails(ReportPager& pager, CPrintProject& project);

// The sections of the result files and their column counts. Columns:
//   [ResultSummary]  kind, xc, yc, R, Fs, Khy, δ
//   [SearchDetail]   xc, yc, R, Fs, Khy (one row per searched circle)
//   [SliceTable]     slice number, x, width b, height h, shear strength τf,
//                    base angle α (the last three are read from the host's
//                    captions as best understood)
//   [Stability]      kind, Fs, Khy
//   [Displacement]   time (s), slip displacement (m)
struct ResultSection {
  std::size_t file;  // index into clsGdProject::ResultFiles
  std::string_view tag;
  int columns;
};
inline constexpr ResultSection kSummarySection{clsGdProject::kResultSummary, "[ResultSummary]", 7};
inline constexpr ResultSection kSearchSection{clsGdProject::kResultSearch, "[SearchDetail]", 5};
inline constexpr ResultSection kInitialSliceSection{clsGdProject::kResultTablesInitial, "[SliceTable]", 6};
inline constexpr ResultSection kSlipSliceSection{clsGdProject::kResultTablesSlip, "[SliceTable]", 6};
inline constexpr ResultSection kStabilitySection{clsGdProject::kResultStability, "[Stability]", 3};
inline constexpr ResultSection kDisplacementSection{clsGdProject::kResultDisplacement, "[Displacement]", 2};

// The path of result file `index`, taken from the project's folder.
std::string ResultFilePath(const clsGdProject& project, std::size_t index);
// The table of `section`; empty when the file or the section is missing (the
// rows read before a malformed one stay).
clsGdTable ReadResultSection(const clsGdProject& project, const ResultSection& section);

// Name of a circle kind as the tables print it ("初期円弧", "最小安全率円弧", …).
std::string_view SlipKindName(int kind);
// The circle the project names as critical ([AnalysisResult]), or null.
const clsGdSlip* CriticalSlip(const clsGdProject& project);
// The circle a slip-figure frame shows, or null (search figures and unknown names).
const clsGdSlip* SlipForFrame(const clsGdProject& project, std::string_view frame);
// Row of the search table with the smallest value in `column`, or -1.
long SearchRowWithMinimum(const clsGdTable& search, std::size_t column);
// The first time the slip displacement exceeds zero, or kNoValue.
double SlipStartTime(const clsGdTable& displacement);

// One line of a slice's summary: its label, value and unit, in the order the
// slice summary table and the slice figure both print them.
struct SliceSummaryLine {
  const char* label;
  double value;
  const char* unit;
};
std::array<SliceSummaryLine, 8> SliceSummaryLines(const GdSliceSummary& summary);

// `value` with `decimals` decimals; empty for the no-value marker.
std::string ResultNumber(double value, int decimals);

}  // namespace quorvel
