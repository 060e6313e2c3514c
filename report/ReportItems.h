#pragma once
// The report items the host selects ([Print] flags), their headings and
// contents levels, and the form files the report is composed from.
#include <array>
#include <string>
#include <string_view>

namespace quorvel {

class clsGdProject;

// Items with a name of their own in the composition.
enum ReportItem : int {
  kItemTitlePage = 0,
  kItemContents = 1,
  kItemInputData = 2,
  kItemAnalysisConditions = 10,
  kItemCalculationSettings = 17,
  kItemResults = 21,
  kItemInitialSlip = 22,
  kItemMaximumDisplacementSlip = 27,
  kItemFigures = 33,
  kItemDetails = 52,
  kItemDetailsMaximumDisplacementSlip = 54,
};

inline constexpr int kReportItemCount = 60;  // entries 58 and 59 are empty

// The heading of item `item` as printed on the pages and in the contents;
// empty for items without a heading and for numbers outside the table.
std::string_view ItemHeading(int item);
// The contents level (1..3) of an item, or 0 when it has no contents line.
int ItemContentsLevel(int item);
// The text a contents line shows for `item`. Items 22, 27 and 54 name what
// the analysis did instead of their plain heading.
std::string ContentsText(int item, const clsGdProject& project);

// Width of a text in half-width cells (a full-width character counts two).
int HalfWidthCells(std::string_view utf8);
// `text` followed by "･" up to `cells` half-width cells (at least one dot).
std::string WithDottedLeader(std::string_view text, int cells);

// The twelve form files the composition opens before it starts, in that order.
inline constexpr std::array<const char*, 12> kRequiredFormFiles = {"0_表紙.kvf",
                                                                   "1_解析条件.kvf",
                                                                   "1_解析種別_地形モデル.kvf",
                                                                   "1_解析条件_フィッティングパラメータ.kvf",
                                                                   "1_解析条件_計算設定.kvf",
                                                                   "1_解析条件_損傷依存軟化.kvf",
                                                                   "1_地形モデル_土質水位.kvf",
                                                                   "2_解析結果.kvf",
                                                                   "3_結果図.kvf",
                                                                   "4_解析詳細.kvf",
                                                                   "Gyokan.kvf",
                                                                   "共通.kvf"};
// The slice time histories' form: when it is missing only those pages stay empty.
inline constexpr const char* kSliceHistoryFormFile = "4_解析詳細_スライス諸量.kvf";

inline constexpr const char* kCommonForm = "共通.kvf";
inline constexpr const char* kSpacingForm = "Gyokan.kvf";
inline constexpr const char* kTitleForm = "0_表紙.kvf";

}  // namespace quorvel
