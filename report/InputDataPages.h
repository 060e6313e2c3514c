#pragma once
// The input-data part of the report (items 2 to 20): analysis type, terrain
// model, soils, nodes, layers and water level; the analysis conditions with
// the damage-dependent softening and the fitting parameters; the
// calculation settings. Each group writes only to the pager.
#include <string>
#include <string_view>

#include "report/ReportPager.h"

namespace quorvel {

class clsGdProject;

// Item 2 with 3 to 9.
void ComposeInputData(ReportPager& pager, CPrintProject& project);
// Item 10 with 11 to 16.
void ComposeAnalysisConditions(ReportPager& pager, CPrintProject& project);
// Item 17 with 18 to 20.
void ComposeCalculationSettings(ReportPager& pager, CPrintProject& project);

// Form files of these groups.
inline constexpr const char* kAnalysisTypeForm = "1_解析種別_地形モデル.kvf";
inline constexpr const char* kSoilWaterForm = "1_地形モデル_土質水位.kvf";
inline constexpr const char* kConditionsForm = "1_解析条件.kvf";
inline constexpr const char* kSofteningForm = "1_解析条件_損傷依存軟化.kvf";
inline constexpr const char* kFittingForm = "1_解析条件_フィッティングパラメータ.kvf";
inline constexpr const char* kSettingsForm = "1_解析条件_計算設定.kvf";

// The coded texts of the project setting; codes outside the list give "エラー".
std::string_view AnalysisMethodText(int code);     // "修正フェレニウス法" ... "ニューマークD法"
std::string_view DrainageText(int code);           // "非排水", "排水", "排水/非排水"
std::string_view ReservoirWaterText(int code);     // "貯水を考慮しない", ...
std::string_view FemStressText(int code);          // "考慮しない", ...
std::string_view SlipDirectionText(int code);      // "左すべり", "右すべり"
std::string_view SearchTypeText(bool autoSearch);  // "自動探索" / "指定円弧"

// Field 800 of the analysis-type block.
inline constexpr const char* kSoftwareLine = "Drevia (Drevia研究会)";

}  // namespace quorvel
