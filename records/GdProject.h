#pragma once
// The whole project the host hands over for the report, read from the
// hand-off file in one fixed order of 23 members.
//
// Failure: Read returns false at the first member that fails; Error() names
// that member's innermost record tag and the line where reading stopped. The
// members read before keep their values, the failing member keeps what it had
// read, and the members after it keep their defaults.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "records/DreviaData.h"
#include "records/GdModel.h"
#include "records/GdPrint.h"
#include "records/GdResults.h"
#include "records/GdSettings.h"
#include "records/GdSoftening.h"
#include "records/RecordReader.h"

namespace quorvel {

class clsGdProject : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[PrintData]";
  static constexpr std::string_view kComputeSettingTag = "[ComputeSetting]";
  static constexpr std::string_view kAnalysisResultTag = "[AnalysisResult]";
  static constexpr std::size_t kGraphCount = 7;
  static constexpr std::size_t kResultFileCount = 7;

  // The seven "[GraphData]" members in file order.
  enum GraphIndex : std::size_t {
    kInputAcceleration = 0,    // "入力加速度"
    kAverageAcceleration = 1,  // "平均応答加速度"
    kDisplacementFirst = 2,    // "変位量_" n draws Graphs[kDisplacementFirst + n - 1], n = 1..5
  };
  // The seven "[AnalysisResult]" paths in file order.
  enum ResultFileIndex : std::size_t {
    kResultSummary = 0,        // analysis results and details pages
    kResultSearch = 1,         // analysis results and search-detail pages
    kResultTablesInitial = 2,  // result tables and figures (initial state)
    kResultTablesSlip = 3,     // result tables and figures (slip instant)
    kResultStability = 4,      // analysis results pages
    kResultDisplacement = 5,   // analysis results pages
    kResultSlices = 6,         // slice time histories ("[SliceQuant]" sections)
  };

  // Members 1 to 23 in reading order.
  clsGdPrint Print;         // 1
  clsGdPrjSetting Setting;  // 2
  clsGdNodeCol Nodes;       // 3
  clsGdLayerCol Layers;     // 4
  clsGdSoilCol Soils;       // 5
  clsGdWater Water;         // 6
  clsGdSurface Surface;     // 7
  clsGdDamageBCol DamageB;  // 8
  clsGdDamageACol DamageA;  // 9
  clsGdDynpath Dynpath;     // 10
  // 11 "[ComputeSetting]"
  int InputInversion = kNoInt;         // 0 not inverted, 1 inverted, 2 both (InputInversionText)
  int ResponseAveraging = kNoInt;      // 0 within the sliding mass, 1 along the slip base
  double MaximumAreaRatio = kNoValue;  // 最大面積比
  double MinimumAreaRatio = kNoValue;  // 最小面積比
  double StartTime = kNoValue;         // 計算開始時刻 (s)
  double EndTime = kNoValue;           // 計算終了時刻 (s)
  clsGdZerocross ZeroCross;            // 12
  clsGdSlipCol Slips;                  // 13
  // 14 "[AnalysisResult]"
  std::array<std::string, kResultFileCount> ResultFiles{};  // paths as written
  bool AnalysisCompleted = false;                           // the host finished the analysis
  int CriticalSlipNumber = kNoInt;                          // number (from 1) in Slips of the critical circle
  int SliceCount = kNoInt;                                  // slices of the critical circle
  std::array<clsGdGraphData, kGraphCount> Graphs{};         // 15-21
  clsGdConterCol Contours;                                  // 22
  clsLayerColor LayerColours;                               // 23

  // Folder of the hand-off file (set by LoadProject): relative result-file
  // paths are taken from here.
  std::string Folder;

  // Fixed colour lists (0x00BBGGRR) for the drawings, refilled by Reset.
  std::array<std::uint32_t, 20> GreyList{};
  std::array<std::uint32_t, 11> ColourScale{};

  clsGdProject() { Reset(); }
  std::string_view SectionTag() const override { return kTag; }
  // Every member to its defaults, the colour lists refilled.
  void Reset();
  bool Read(RecordReader& in);
  const RecordReadError& Error() const { return error_; }

 private:
  bool ReadComputeSetting(RecordReader& in);
  bool ReadAnalysisResult(RecordReader& in);
  RecordReadError error_;
};

enum class ProjectLoadStatus {
  kLoaded,
  kNotOpened,  // the file is missing or not CP932 text: the project is untouched
  kFailed,     // a record failed: see the error; the members read before stay
};

struct ProjectLoadResult {
  ProjectLoadStatus Status = ProjectLoadStatus::kNotOpened;
  std::string Message;  // why it did not open, or the record error's message
};

// Opens the hand-off file and reads the project from it; the start lines are
// passed over by the section search.
ProjectLoadResult LoadProject(const std::string& path, clsGdProject& project);

}  // namespace quorvel
