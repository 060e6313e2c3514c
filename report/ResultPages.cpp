#include "report/ResultPages.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "host/NumberText.h"
#include "platform/KavletComposition.h"
#include "records/GdSliceQuant.h"
#include "report/ReportItems.h"

namespace quorvel {
namespace {

const BlockRef kCircleHeader{kResultsForm, 0};
const BlockRef kCircleRow{kResultsForm, 2};
const BlockRef kDrainageHeader{kResultsForm, 4};
const BlockRef kDrainageRow{kResultsForm, 5};
const BlockRef kSliceHeader{kResultsForm, 6};
const BlockRef kSliceRow{kResultsForm, 7};
const BlockRef kStabilityHeader{kResultsForm, 8};
const BlockRef kStabilityRow{kResultsForm, 9};
const BlockRef kValueLine{kResultsForm, 10};
const BlockRef kSubtitle{kResultsForm, 11};
const BlockRef kCaseCounts{kResultsForm, 15};

const BlockRef kSlipFigure{kFiguresForm, 0};
const BlockRef kAccelerationFigure{kFiguresForm, 1};
const BlockRef kContourFigure{kFiguresForm, 2};
const BlockRef kDisplacementFigure{kFiguresForm, 3};

const BlockRef kSearchHeader{kDetailsForm, 2};
const BlockRef kSearchRow{kDetailsForm, 3};
const BlockRef kHistoryHeader{kDetailsForm, 9};
const BlockRef kHistoryRow{kDetailsForm, 10};
const BlockRef kTableEnd{kDetailsForm, 13};

const BlockRef kSliceNumber{kSliceHistoryFormFile, 0};
const BlockRef kSliceFrame{kSliceHistoryFormFile, 1};
const BlockRef kSliceSummaryHeader{kSliceHistoryFormFile, 2};
const BlockRef kSliceSummaryRow{kSliceHistoryFormFile, 3};

constexpr int kFrameSlot = 900;
constexpr const char* kMetre = "(m)";
constexpr const char* kMoment = "(kN･m)";

void Heading(ReportPager& pager, const CPrintProject& project, int level, int item) {
  if (project.ItemSelected(item)) pager.Heading(level, item, ItemHeading(item));
}

// A group of `lines` lines that reads badly when split starts a new page.
void KeepTogether(ReportPager& pager, int lines) {
  if (pager.LinesUsed() > 1 && pager.LinesUsed() + lines >= kavlet::kPageLines) pager.PageBreak();
}

// A third-level heading kept on the page of the first `firstLines` lines under it.
constexpr int kHeadingLines = 2;
void HeadingWith(ReportPager& pager, const CPrintProject& project, int level, int item, int firstLines) {
  KeepTogether(pager, kHeadingLines + firstLines);
  Heading(pager, project, level, item);
}

void Value(ReportPager& pager, std::string label, std::string value, std::string unit = {}) {
  pager.Block(kValueLine, {{1, std::move(label)}, {2, std::move(value)}, {3, std::move(unit)}});
}

std::string Coordinates(double xc, double yc, double r) {
  return ResultNumber(xc, 3) + " , " + ResultNumber(yc, 3) + " , " + ResultNumber(r, 3);
}

std::string Integer(int value) { return value == kNoInt ? std::string() : std::to_string(value); }

// Centre and radius, Fs, Khy, and the moments with their labels.
void CircleValues(ReportPager& pager, const clsGdSlip& slip, const char* mr = "Mr :", const char* md = "Md :") {
  Value(pager, "xc , yc, R :", Coordinates(slip.CentreX, slip.CentreY, slip.Radius), kMetre);
  Value(pager, "Fs :", ResultNumber(slip.SafetyFactor, 3));
  Value(pager, "Khy :", ResultNumber(slip.YieldCoefficient, 3));
  Value(pager, mr, ResultNumber(slip.ResistingMoment, 1), kMoment);
  Value(pager, md, ResultNumber(slip.DrivingMoment, 1), kMoment);
}

void CircleDetails(ReportPager& pager, std::string title, const clsGdSlip* slip, bool displacement) {
  KeepTogether(pager, displacement ? 7 : 6);
  pager.Block(kSubtitle, {{1, std::move(title)}});
  if (slip == nullptr) return;
  CircleValues(pager, *slip);
  if (displacement) Value(pager, "δ :", ResultNumber(slip->Displacement, 3), kMetre);
}

FieldValues RowValues(const clsGdTable& table, std::size_t row, int firstSlot, std::size_t firstColumn,
                      const int* decimals, std::size_t count) {
  FieldValues values;
  for (std::size_t c = 0; c < count; ++c)
    values.push_back({firstSlot + static_cast<int>(c), ResultNumber(table.At(row, firstColumn + c), decimals[c])});
  return values;
}

void SearchResults(ReportPager& pager, const CPrintProject& project) {
  const clsGdSlipCol& slips = project.Project.Slips;
  pager.Block(kCaseCounts, {{1, "Total cases:"},
                            {2, Integer(slips.TotalCases)},
                            {3, "Effective cases:"},
                            {4, Integer(slips.EffectiveCases)}});
  const clsGdTable search = ReadResultSection(project.Project, kSearchSection);
  pager.BeginTable(kCircleHeader);
  static constexpr int kDecimals[5] = {3, 3, 3, 3, 3};
  const std::pair<const char*, std::size_t> best[2] = {{"(Fs MINIMUM)", 3}, {"(Khy MINIMUM)", 4}};
  for (const auto& [label, column] : best) {
    const long row = SearchRowWithMinimum(search, column);
    // Every cell is written, so a missing row never shows the slots' last values.
    FieldValues values{{1, label}, {2, ""}, {3, ""}, {4, ""}, {5, ""}, {6, ""}};
    if (row >= 0) {
      const FieldValues cells = RowValues(search, static_cast<std::size_t>(row), 2, 0, kDecimals, 5);
      std::copy(cells.begin(), cells.end(), values.begin() + 1);
    }
    pager.TableRow(kCircleRow, std::move(values));
  }
  pager.EndTable();
}

void StabilityResults(ReportPager& pager, const CPrintProject& project) {
  const clsGdSlip* initial = project.Project.Slips.FindKind(clsGdSlip::kInitial);
  pager.BeginTable(kDrainageHeader);
  const char* names[3] = {"非排水 (undrained)", "排水 (drained)", "合計 (total)"};
  for (int d = 0; d < 3; ++d) {
    const auto pick = [d](const DrainageValues& v) { return d == 0 ? v.Undrained : d == 1 ? v.Drained : v.Total; };
    const clsGdSlip empty;
    const clsGdSlip& slip = initial != nullptr ? *initial : empty;
    FieldValues values{{1, names[d]},
                       {2, ResultNumber(pick(slip.SafetyFactors), 3)},
                       {3, ResultNumber(pick(slip.YieldCoefficients), 3)},
                       {4, ResultNumber(pick(slip.ResistingMoments), 1)},
                       {5, ResultNumber(pick(slip.DrivingMoments), 1)}};
    pager.TableRow(kDrainageRow, std::move(values));
  }
  pager.EndTable();

  const clsGdTable stability = ReadResultSection(project.Project, kStabilitySection);
  pager.BeginTable(kStabilityHeader);
  for (std::size_t r = 0; r < stability.RowCount(); ++r) {
    const double kind = stability.At(r, 0);
    pager.TableRow(kStabilityRow, {{1, std::string(SlipKindName(std::isfinite(kind) ? static_cast<int>(kind) : -1))},
                                   {2, ResultNumber(stability.At(r, 1), 3)},
                                   {3, ResultNumber(stability.At(r, 2), 3)}});
  }
  pager.EndTable();
}

void CriticalResult(ReportPager& pager, const CPrintProject& project) {
  const clsGdSlip* slip = CriticalSlip(project.Project);
  KeepTogether(pager, 9);
  if (slip == nullptr) return;
  const clsGdTable displacement = ReadResultSection(project.Project, kDisplacementSection);
  Value(pager, "xc , yc, R :", Coordinates(slip->CentreX, slip->CentreY, slip->Radius), kMetre);
  Value(pager, "Fs :", ResultNumber(slip->SafetyFactor, 3));
  Value(pager, "Khy :", ResultNumber(slip->YieldCoefficient, 3));
  Value(pager, "tslip :", ResultNumber(SlipStartTime(displacement), 2), "(s)");
  Value(pager, "δ :", ResultNumber(slip->Displacement, 3), kMetre);
  Value(pager, "Mrslip:", ResultNumber(slip->ResistingMoment, 1), kMoment);
  Value(pager, "Mdslip:", ResultNumber(slip->DrivingMoment, 1), kMoment);
}

void SliceTable(ReportPager& pager, const CPrintProject& project, const ResultSection& section) {
  const clsGdTable slices = ReadResultSection(project.Project, section);
  static constexpr int kDecimals[6] = {0, 3, 3, 3, 3, 2};
  pager.BeginTable(kSliceHeader);
  for (std::size_t r = 0; r < slices.RowCount(); ++r)
    pager.TableRow(kSliceRow, RowValues(slices, r, 1, 0, kDecimals, 6));
  pager.EndTable();
}

void SliceSummaries(ReportPager& pager, const CPrintProject& project) {
  clsGdSliceQuant slices;
  ReadSliceQuantFile(ResultFilePath(project.Project, clsGdProject::kResultSlices), slices);
  for (const GdSliceHistory& slice : slices.Slices) {
    KeepTogether(pager, 12);
    pager.Block(kSubtitle, {{1, "スライス " + Integer(slice.Number)}});
    pager.BeginTable(kSliceSummaryHeader);
    for (const SliceSummaryLine& line : SliceSummaryLines(slice.Summary()))
      pager.TableRow(kSliceSummaryRow, {{1, line.label}, {2, ResultNumber(line.value, 3)}, {3, line.unit}});
    pager.EndTable();
  }
}

// Slice numbers of the "[SliceQuant]" sections in file order, found by their
// header lines alone so a long file is only scanned.
std::vector<int> SliceNumbers(const clsGdProject& project) {
  std::vector<int> numbers;
  RecordReader reader;
  if (!reader.Open(ResultFilePath(project, clsGdProject::kResultSlices))) return numbers;
  std::string header;
  while (reader.SeekSection(GdSliceHistory::kTag, header)) {
    int number = kNoInt;
    if (!reader.HeaderCount(header, number)) number = kNoInt;
    numbers.push_back(number);
  }
  return numbers;
}

}  // namespace

std::array<SliceSummaryLine, 8> SliceSummaryLines(const GdSliceSummary& s) {
  return {{{"最終損傷度 Dfinal : ", s.FinalDamage, ""},
           {"最終ひずみ振幅DA γDAfinal : ", s.FinalStrainAmplitude, "(%)"},
           {"初期見掛け摩擦角 φapp : ", s.InitialFrictionAngle, "(deg)"},
           {"最終見掛け摩擦角 φapp : ", s.FinalFrictionAngle, "(deg)"},
           {"初期鉛直応力 : ", s.InitialVerticalStress, "(kN/m{^2})"},
           {"最大鉛直応力 : ", s.MaximumVerticalStress, "(kN/m{^2})"},
           {"初期せん断応力 : ", s.InitialShearStress, "(kN/m{^2})"},
           {"最大せん断応力 : ", s.MaximumShearStress, "(kN/m{^2})"}}};
}

std::string ResultNumber(double value, int decimals) {
  std::string result = FormatDouble(value, decimals);
  // A result that rounds to zero prints without its sign.
  if (!result.empty() && result.front() == '-' && result.find_first_not_of("-0.") == std::string::npos)
    result.erase(0, 1);
  return result;
}

std::string ResultFilePath(const clsGdProject& project, std::size_t index) {
  if (index >= project.ResultFiles.size()) return {};
  return ResolveResultPath(project.Folder, project.ResultFiles[index]);
}

clsGdTable ReadResultSection(const clsGdProject& project, const ResultSection& section) {
  clsGdTable table(section.columns);
  ResultFile file;
  const std::string path = ResultFilePath(project, section.file);
  if (!path.empty() && file.Open(path)) file.ReadTableSection(section.tag, table);
  return table;
}

std::string_view SlipKindName(int kind) {
  static constexpr std::string_view kNames[7] = {"初期円弧",
                                                 "最小安全率円弧",
                                                 "最小降伏震度円弧",
                                                 "最大変位円弧(t=0)",
                                                 "最大変位円弧(t=tslip)",
                                                 "最短すべり瞬間円弧(t=0)",
                                                 "最短すべり瞬間円弧(t=tslip)"};
  return kind >= 0 && kind < 7 ? kNames[kind] : std::string_view();
}

const clsGdSlip* CriticalSlip(const clsGdProject& project) {
  const int number = project.CriticalSlipNumber;
  if (number < 1 || static_cast<std::size_t>(number) > project.Slips.Slips.size()) return nullptr;
  return &project.Slips.Slips[static_cast<std::size_t>(number) - 1];
}

const clsGdSlip* SlipForFrame(const clsGdProject& project, std::string_view frame) {
  if (frame == kInitialSlipFrame) return project.Slips.FindKind(clsGdSlip::kInitial);
  if (frame == kCriticalSlipFrame) return CriticalSlip(project);
  if (frame.starts_with(kCriticalSlipFrame) && frame.size() > kCriticalSlipFrame.size() &&
      frame[kCriticalSlipFrame.size()] == '_') {
    const std::string_view suffix = frame.substr(kCriticalSlipFrame.size() + 1);
    for (int kind = 1; kind < 7; ++kind)
      if (suffix == kEnumeratedSuffixes[kind]) return project.Slips.FindKind(kind);
  }
  return nullptr;
}

long SearchRowWithMinimum(const clsGdTable& search, std::size_t column) {
  long best = -1;
  if (column >= search.Stride()) return best;
  for (std::size_t r = 0; r < search.RowCount(); ++r) {
    const double v = search.At(r, column);
    if (v == kNoValue) continue;
    if (best < 0 || v < search.At(static_cast<std::size_t>(best), column)) best = static_cast<long>(r);
  }
  return best;
}

double SlipStartTime(const clsGdTable& displacement) {
  if (displacement.Stride() < 2) return kNoValue;
  for (std::size_t r = 0; r < displacement.RowCount(); ++r) {
    const double d = displacement.At(r, 1);
    if (d != kNoValue && d > 0.0) return displacement.At(r, 0);
  }
  return kNoValue;
}

void ComposeAnalysisResults(ReportPager& pager, CPrintProject& project) {
  const clsGdSlipCol& slips = project.Project.Slips;
  Heading(pager, project, 1, kItemResults);
  HeadingWith(pager, project, 2, kItemInitialSlip, 8);
  if (project.ItemSelected(23)) {
    HeadingWith(pager, project, 3, 23, 6);
    SearchResults(pager, project);
  }
  if (project.ItemSelected(24)) {
    HeadingWith(pager, project, 3, 24, 5);
    StabilityResults(pager, project);
  }
  if (project.ItemSelected(25)) {
    HeadingWith(pager, project, 3, 25, 6);
    CircleDetails(pager, "(Fs MINIMUM)", slips.FindKind(clsGdSlip::kMinimumSafetyFactor), false);
  }
  if (project.ItemSelected(26)) {
    HeadingWith(pager, project, 3, 26, 6);
    CircleDetails(pager, "(Khy MINIMUM)", slips.FindKind(clsGdSlip::kMinimumYieldCoefficient), false);
  }
  HeadingWith(pager, project, 2, kItemMaximumDisplacementSlip, 9);
  if (project.ItemSelected(28)) {
    HeadingWith(pager, project, 3, 28, 7);
    CircleDetails(pager, "(δ MAXIMUM OR Khy.final MINIMUM)", slips.FindKind(clsGdSlip::kMaximumDisplacement), true);
    CircleDetails(pager, "(tslip MINIMUM OR Khy.initial MINIMUM)", slips.FindKind(clsGdSlip::kShortestSlip), true);
  }
  if (project.ItemSelected(29)) {
    HeadingWith(pager, project, 3, 29, 7);
    CriticalResult(pager, project);
  }
  if (project.ItemSelected(30)) {
    HeadingWith(pager, project, 3, 30, 5);
    SliceTable(pager, project, kInitialSliceSection);
  }
  if (project.ItemSelected(31)) {
    HeadingWith(pager, project, 3, 31, 5);
    SliceTable(pager, project, kSlipSliceSection);
  }
  if (project.ItemSelected(32)) {
    HeadingWith(pager, project, 3, 32, 12);
    SliceSummaries(pager, project);
  }
}

void ComposeResultFigures(ReportPager& pager, CPrintProject& project) {
  Heading(pager, project, 1, kItemFigures);
  HeadingWith(pager, project, 2, 34, 24);
  const auto enumerated = [](int kind) {
    return std::string(kCriticalSlipFrame) + "_" + std::string(kEnumeratedSuffixes[kind]);
  };
  const std::pair<int, std::string> slipFigures[10] = {{35, std::string(kInitialSlipFrame)},
                                                       {36, enumerated(1)},
                                                       {37, enumerated(2)},
                                                       {38, std::string(kSearchInitialFrame)},
                                                       {39, std::string(kCriticalSlipFrame)},
                                                       {40, enumerated(3)},
                                                       {41, enumerated(4)},
                                                       {42, enumerated(5)},
                                                       {43, enumerated(6)},
                                                       {44, std::string(kSearchCriticalFrame)}};
  for (const auto& [item, frame] : slipFigures) {
    if (!project.ItemSelected(item)) continue;
    HeadingWith(pager, project, 3, item, 22);
    pager.Frame(kSlipFigure, kFrameSlot, frame);
  }
  if (project.ItemSelected(45)) {
    HeadingWith(pager, project, 2, 45, 30);
    pager.Frame(kAccelerationFigure, kFrameSlot, "入力加速度", {{kFrameSlot + 1, "平均応答加速度"}});
  }
  HeadingWith(pager, project, 2, 46, 24);
  for (int n = 0; n < 4; ++n) {
    if (!project.ItemSelected(47 + n)) continue;
    HeadingWith(pager, project, 3, 47 + n, 22);
    pager.Frame(kContourFigure, kFrameSlot, "コンター_" + std::to_string(n));
  }
  if (project.ItemSelected(51)) {
    HeadingWith(pager, project, 2, 51, 15);
    const auto& graphs = project.Project.Graphs;
    for (std::size_t g = clsGdProject::kDisplacementFirst; g < graphs.size(); ++g)
      if (!graphs[g].Series.empty())
        pager.Frame(kDisplacementFigure, kFrameSlot, "変位量_" + std::to_string(g - clsGdProject::kDisplacementFirst));
  }
}

void ComposeAnalysisDetails(ReportPager& pager, CPrintProject& project) {
  Heading(pager, project, 1, kItemDetails);
  if (project.ItemSelected(53)) {
    Heading(pager, project, 2, 53);
    // The initial circle as the summary file gives it; the moments from the project.
    const clsGdTable summary = ReadResultSection(project.Project, kSummarySection);
    const clsGdSlip* initial = project.Project.Slips.FindKind(clsGdSlip::kInitial);
    for (std::size_t r = 0; r < summary.RowCount(); ++r) {
      if (summary.At(r, 0) != 0.0) continue;
      pager.Block(kSubtitle, {{1, std::string(SlipKindName(0))}});
      Value(pager, "xc , yc, R :", Coordinates(summary.At(r, 1), summary.At(r, 2), summary.At(r, 3)), kMetre);
      Value(pager, "Fs :", ResultNumber(summary.At(r, 4), 3));
      Value(pager, "Khy :", ResultNumber(summary.At(r, 5), 3));
      if (initial != nullptr) {
        Value(pager, "Mr :", ResultNumber(initial->ResistingMoment, 1), kMoment);
        Value(pager, "Md :", ResultNumber(initial->DrivingMoment, 1), kMoment);
      }
      Value(pager, "δ :", ResultNumber(summary.At(r, 6), 3), kMetre);
      break;
    }
  }
  HeadingWith(pager, project, 2, kItemDetailsMaximumDisplacementSlip, 7);
  if (project.ItemSelected(55)) {
    HeadingWith(pager, project, 3, 55, 5);
    const clsGdTable search = ReadResultSection(project.Project, kSearchSection);
    static constexpr int kDecimals[5] = {3, 3, 3, 3, 3};
    pager.BeginTable(kSearchHeader);
    for (std::size_t r = 0; r < search.RowCount(); ++r) {
      FieldValues values{{1, std::to_string(r + 1)}};
      FieldValues cells = RowValues(search, r, 2, 0, kDecimals, 5);
      values.insert(values.end(), cells.begin(), cells.end());
      pager.TableRow(kSearchRow, std::move(values));
    }
    pager.EndTable(kTableEnd);
  }
  if (project.ItemSelected(56)) {
    HeadingWith(pager, project, 3, 56, 5);
    const clsGdTable history = ReadResultSection(project.Project, kDisplacementSection);
    static constexpr int kDecimals[2] = {2, 4};
    pager.BeginTable(kHistoryHeader);
    for (std::size_t r = 0; r < history.RowCount(); ++r)
      pager.TableRow(kHistoryRow, RowValues(history, r, 1, 0, kDecimals, 2));
    pager.EndTable();
  }
  if (project.ItemSelected(57)) {
    HeadingWith(pager, project, 3, 57, 36);
    const std::vector<int> numbers = SliceNumbers(project.Project);
    for (std::size_t n = 0; n < numbers.size(); ++n) {
      KeepTogether(pager, 36);
      pager.Block(kSliceNumber, {{1, Integer(numbers[n])}});
      pager.Frame(kSliceFrame, kFrameSlot, "スライス_" + std::to_string(n));
    }
  }
}

}  // namespace quorvel
