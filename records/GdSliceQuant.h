#pragma once
// Result files named by the project's "[AnalysisResult]" paths, and the slice
// time histories of the seventh one. A result file that cannot be opened gives
// empty data: the page that needs it is composed without it.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "records/DreviaData.h"
#include "records/GdTable.h"
#include "records/RecordReader.h"

namespace quorvel {

// Axis and series titles of the slice time-history graphs.
inline constexpr std::string_view kSliceTimeTitle = "time(s)";
inline constexpr std::array<std::string_view, 5> kSliceSeriesTitles = {
    "損傷度", "ひずみ振幅DA(%)", "見掛け摩擦角φapp(deg)", "鉛直応力(kN/m{^2})", "せん断応力(kN/m{^2})"};

// The values of the summary lines under a slice's graphs.
struct GdSliceSummary {
  double FinalDamage = kNoValue;            // 最終損傷度 Dfinal
  double FinalStrainAmplitude = kNoValue;   // 最終ひずみ振幅DA γDAfinal (%)
  double InitialFrictionAngle = kNoValue;   // 初期見掛け摩擦角 φapp (deg)
  double FinalFrictionAngle = kNoValue;     // 最終見掛け摩擦角 φapp (deg)
  double InitialVerticalStress = kNoValue;  // 初期鉛直応力 (kN/m2)
  double MaximumVerticalStress = kNoValue;  // 最大鉛直応力 (kN/m2)
  double InitialShearStress = kNoValue;     // 初期せん断応力 (kN/m2)
  double MaximumShearStress = kNoValue;     // 最大せん断応力 (kN/m2)
};

// One "[SliceQuant] n" section: a caption line with the column titles, then a
// table of six columns: time, damage, DA (%), φapp (deg), σv, τ (kN/m2).
struct GdSliceHistory {
  static constexpr std::string_view kTag = "[SliceQuant]";
  static constexpr int kColumns = 6;
  int Number = kNoInt;  // slice number after the tag
  std::vector<double> Time;
  std::vector<double> Damage;
  std::vector<double> StrainAmplitude;
  std::vector<double> FrictionAngle;
  std::vector<double> VerticalStress;
  std::vector<double> ShearStress;

  bool Read(RecordReader& in);
  // First and last entries, and maxima over the entries that have a value.
  GdSliceSummary Summary() const;
};

// "[SliceQuantCol] S T dt": S slices of T time steps of dt seconds.
class clsGdSliceQuant : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[SliceQuantCol]";
  int SliceCount = kNoInt;
  int StepCount = kNoInt;
  double TimeStep = kNoValue;
  std::vector<GdSliceHistory> Slices;

  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdSliceQuant(); }
  // The header, then S slice sections; slices read before a failure stay.
  bool Read(RecordReader& in);
};

enum class ResultFileStatus {
  kRead,       // read completely
  kNotOpened,  // missing or unreadable: empty data
  kMalformed,  // opened, but a section failed: the data read before it stays
};

// A path from "[AnalysisResult]": absolute paths stay; a relative one is taken
// from `baseFolder` (the folder of the hand-off file). Backslashes become '/'.
std::string ResolveResultPath(std::string_view baseFolder, std::string_view path);

// Reads the whole slice file into `slices` (emptied first).
ResultFileStatus ReadSliceQuantFile(const std::string& path, clsGdSliceQuant& slices, RecordReadError* error = nullptr);
// Reads only the section of slice `number` (the number after "[SliceQuant]").
ResultFileStatus ReadSliceHistory(const std::string& path, int number, GdSliceHistory& history,
                                  RecordReadError* error = nullptr);

// An opened result file read with the record primitives. Sections may come in
// any order: each ReadTableSection starts from the top of the file.
class ResultFile {
 public:
  // False for a file that cannot be opened; then every read fails.
  bool Open(const std::string& path);
  bool IsOpen() const { return open_; }
  RecordReader& Reader() { return reader_; }
  // The section whose header line contains `tag`, then its "[Table]" of
  // `table.Columns` columns. False (table empty) when either is missing.
  bool ReadTableSection(std::string_view tag, clsGdTable& table);
  const RecordReadError& Error() const { return reader_.Error(); }

 private:
  RecordReader reader_;
  bool open_ = false;
};

}  // namespace quorvel
