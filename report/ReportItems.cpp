#include "report/ReportItems.h"

#include <algorithm>

#include "records/GdProject.h"

namespace quorvel {
namespace {

struct ItemEntry {
  const char* heading;
  int level;  // contents level; 0: no contents line
};

// Item number = position.
constexpr std::array<ItemEntry, kReportItemCount> kItems = {{
    {"", 0},                              // 0 title page
    {"", 0},                              // 1 contents
    {"入力データ", 1},                    // 2
    {"解析種別", 2},                      // 3
    {"地形モデル", 2},                    // 4
    {"モデル図", 3},                      // 5
    {"土質定数", 3},                      // 6
    {"モデル節点", 3},                    // 7
    {"地層形状", 3},                      // 8
    {"水位線", 3},                        // 9
    {"解析条件", 2},                      // 10
    {"探索種類", 3},                      // 11
    {"地形(地表)構成点", 3},              // 12
    {"円弧すべり探索条件", 3},            // 13
    {"損傷依存軟化", 3},                  // 14
    {"", 0},                              // 15 softening tables (1) to (5)
    {"(6) フィッティングパラメータ", 0},  // 16
    {"計算設定", 2},                      // 17
    {"FEMデータ", 3},                     // 18
    {"詳細設定", 3},                      // 19
    {"ゼロクロス設定", 3},                // 20
    {"解析結果", 1},                      // 21
    {"初期円弧すべり", 2},                // 22
    {"探索結果", 3},                      // 23
    {"安定計算結果", 3},                  // 24
    {"詳細結果(最小安全率円弧)", 3},      // 25
    {"詳細結果(最小降伏震度円弧)", 3},    // 26
    {"最大変位量の円弧すべり", 2},        // 27
    {"探索結果", 3},                      // 28
    {"計算結果", 3},                      // 29
    {"詳細結果(初期時)", 3},              // 30
    {"詳細結果", 3},                      // 31
    {"スライス諸量", 3},                  // 32
    {"結果図", 1},                        // 33
    {"円弧すべり", 2},                    // 34
    {"初期円弧すべり", 3},                // 35
    {"最小安全率円弧", 3},                // 36
    {"最小降伏震度円弧", 3},              // 37
    {"探索結果(初期探索)", 3},            // 38
    {"臨界円弧すべり", 3},                // 39
    {"最大変位円弧(t=0)", 3},             // 40
    {"最大変位円弧(t=tslip)", 3},         // 41
    {"最短すべり瞬間円弧(t=0)", 3},       // 42
    {"最短すべり瞬間円弧(t=tslip)", 3},   // 43
    {"探索結果(再探索後)", 3},            // 44
    {"土塊すべりの平均応答加速度", 2},    // 45
    {"コンター図", 2},                    // 46
    {"損傷度コンター", 3},                // 47
    {"両振幅ひずみコンター", 3},          // 48
    {"見掛け摩擦角コンター", 3},          // 49
    {"抵抗せん断強度コンター", 3},        // 50
    {"変位量", 2},                        // 51
    {"解析詳細", 1},                      // 52
    {"初期円弧すべり", 2},                // 53
    {"最大変位量の円弧すべり", 2},        // 54
    {"探索明細", 3},                      // 55
    {"変位量時刻歴", 3},                  // 56
    {"スライス諸量の時刻歴", 3},          // 57
    {"", 0},                              // 58
    {"", 0},                              // 59
}};

// Analysis methods that compute displacements (Newmark, Newmark S, Newmark D).
bool ComputesDisplacement(int analysisMethod) { return analysisMethod >= 2 && analysisMethod <= 4; }

}  // namespace

std::string_view ItemHeading(int item) {
  if (item < 0 || item >= kReportItemCount) return {};
  return kItems[static_cast<std::size_t>(item)].heading;
}

int ItemContentsLevel(int item) {
  if (item < 0 || item >= kReportItemCount) return 0;
  return kItems[static_cast<std::size_t>(item)].level;
}

std::string ContentsText(int item, const clsGdProject& project) {
  switch (item) {
    case kItemInitialSlip:
      // The initial circle is the one the user gave, or the critical one the search found.
      return project.Surface.AutoSearch ? "臨界円弧すべり" : "指定円弧すべり";
    case kItemMaximumDisplacementSlip:
    case kItemDetailsMaximumDisplacementSlip:
      return ComputesDisplacement(project.Setting.AnalysisMethod) ? "変位量計算" : "計算円弧すべり";
    default:
      return std::string(ItemHeading(item));
  }
}

int HalfWidthCells(std::string_view utf8) {
  int cells = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    length = std::min(length, utf8.size() - i);
    unsigned code = lead;
    if (length == 3)
      code = ((lead & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
             (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
    // ASCII and the half-width katakana block (U+FF61..U+FF9F) take one cell.
    cells += (length == 1 || (length == 3 && code >= 0xFF61 && code <= 0xFF9F)) ? 1 : 2;
    i += length;
  }
  return cells;
}

std::string WithDottedLeader(std::string_view text, int cells) {
  std::string line(text);
  int used = HalfWidthCells(text);
  do {
    line += "･";
    ++used;
  } while (used < cells);
  return line;
}

}  // namespace quorvel
