#pragma once
// Results the host computed: slip circles, time-history graphs and contours.
#include <string>
#include <string_view>
#include <vector>

#include "records/DreviaData.h"
#include "records/GdModel.h"
#include "records/RecordReader.h"

namespace quorvel {

// A value for each drainage state, as the result tables print them
// ("undrained"/"非排水", "drained"/"排水", "total"/"合計").
struct DrainageValues {
  double Undrained = kNoValue;
  double Drained = kNoValue;
  double Total = kNoValue;
};

// "[Slip]": one slip circle and its stability results.
class clsGdSlip : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[Slip]";
  int Kind = kNoInt;                   // which circle this is (see SlipKind)
  double CentreX = kNoValue;           // xc
  double CentreY = kNoValue;           // yc
  double Radius = kNoValue;            // R
  double SafetyFactor = kNoValue;      // Fs
  double YieldCoefficient = kNoValue;  // Khy, yield seismic coefficient
  double ResistingMoment = kNoValue;   // Mr (Mrslip)
  double DrivingMoment = kNoValue;     // Md (Mdslip)
  DrainageValues SafetyFactors;        // Fs per drainage state
  DrainageValues YieldCoefficients;    // Khy per drainage state
  DrainageValues ResistingMoments;     // Mr per drainage state
  DrainageValues DrivingMoments;       // Md per drainage state
  double Displacement = kNoValue;      // δ, final displacement (m)

  // Values of Kind: the initial circle and the enumerated critical circles.
  enum SlipKind : int {
    kInitial = 0,
    kMinimumSafetyFactor = 1,         // EnumPCSfsmin
    kMinimumYieldCoefficient = 2,     // EnumPCSkhmin
    kMaximumDisplacementInitial = 3,  // EnumPCSdmaxinit
    kMaximumDisplacement = 4,         // EnumPCSdmax
    kShortestSlipInitial = 5,         // EnumPCStmininit
    kShortestSlip = 6,                // EnumPCStmin
  };

  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdSlip(); }
  // An integer; a line of three doubles (xc yc R); a line of four doubles
  // (Fs Khy Mr Md); four lines of three doubles (Fs, Khy, Mr, Md per drainage
  // state); the displacement. A short line leaves its missing values empty.
  bool Read(RecordReader& in);
};

// "[SlipCol] N": the search totals, then N circles.
class clsGdSlipCol : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[SlipCol]";
  int TotalCases = kNoInt;      // "Total cases:"
  int EffectiveCases = kNoInt;  // "Effective cases:"
  std::vector<clsGdSlip> Slips;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdSlipCol(); }
  bool Read(RecordReader& in);
  // The first circle of that kind, or null.
  const clsGdSlip* FindKind(int kind) const;
};

// One curve of a graph.
struct GdGraphSeries {
  std::string Name;             // legend text
  std::vector<GdPoint> Points;  // x = time (s), y = value
};

// "[GraphData]": one time-history graph. Layout in the file:
//   title line, vertical-axis title line, peak value, time of the peak,
//   series count S, then S series (name line, point count line, the points),
//   and the final value.
// The series count line tells how many series follow, so a graph may carry one
// curve (input acceleration) or several (displacement of several circles).
class clsGdGraphData : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[GraphData]";
  std::string Title;
  std::string AxisTitle;        // vertical axis; the horizontal one is "time(s)"
  double PeakValue = kNoValue;  // largest absolute value over all series
  double PeakTime = kNoValue;   // time of that value (s)
  std::vector<GdGraphSeries> Series;
  double FinalValue = kNoValue;  // value at the end of the record
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdGraphData(); }
  bool Read(RecordReader& in);
};

// "[Conter]": one contour figure: its title, colour-scale range and one value
// per node of the contour mesh.
class clsGdConter : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[Conter]";
  int Columns = 1;             // values per row, fixed by the collection before reading
  std::string Title;           // e.g. "損傷度コンター"
  double Minimum = kNoValue;   // value of the first colour of the scale
  double Maximum = kNoValue;   // value of the last colour of the scale
  std::vector<double> Values;  // one per mesh node
  std::string_view SectionTag() const override { return kTag; }
  void Reset();
  bool Read(RecordReader& in);
};

// "[ConterCol] N M": the contour mesh, then N contours of M values each.
class clsGdConterCol : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[ConterCol]";
  int ValueCount = kNoInt;  // M: values per contour
  clsGdNodeCol Mesh;        // nodes the values belong to
  std::vector<clsGdConter> Contours;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdConterCol(); }
  bool Read(RecordReader& in);
};

}  // namespace quorvel
