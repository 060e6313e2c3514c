#include "report/InputDataPages.h"

#include <algorithm>

#include "platform/KavletComposition.h"
#include "records/GdProject.h"
#include "report/ReportItems.h"

namespace quorvel {
namespace {

std::string D(double v, int decimals) { return FormatDouble(v, decimals); }
std::string I(int v) { return FormatInt(v); }
std::string I(std::size_t v) { return std::to_string(v); }

// The heading of `item` at its contents level; items without a contents line
// get the fourth level.
void Heading(ReportPager& pager, int item) {
  const int level = ItemContentsLevel(item);
  pager.Heading(level == 0 ? 4 : level, item, ItemHeading(item));
}

// A table's caption and header with its first rows take about this many
// lines; a table that would start lower breaks the page first rather than
// leave its header alone at the foot.
constexpr int kTableStartLines = 7;
// One fitting entry's first page: name, strain and SR-N tables, two graphs.
constexpr int kFittingEntryLines = 41;

// A new page unless `lines` more fit on this one.
void RoomFor(ReportPager& pager, int lines) {
  if (pager.LinesUsed() > 0 && pager.LinesUsed() + lines >= kavlet::kPageLines) pager.PageBreak();
}

bool Selected(const CPrintProject& project, int item) { return project.ItemSelected(item); }

std::string SoilName(const clsGdProject& project, int soilNumber) {
  if (soilNumber < 1 || static_cast<std::size_t>(soilNumber) > project.Soils.Soils.size()) return "";
  return project.Soils.Soils[static_cast<std::size_t>(soilNumber - 1)].Name;
}

// The soil of damage entry `index` (one entry per soil).
std::string EntryName(const clsGdProject& project, std::size_t index) {
  return SoilName(project, static_cast<int>(index) + 1);
}

const GdPoint* NodeAt(const clsGdProject& project, int number) {
  if (number < 1 || static_cast<std::size_t>(number) > project.Nodes.Nodes.size()) return nullptr;
  return &project.Nodes.Nodes[static_cast<std::size_t>(number - 1)];
}

std::string Joined(const std::vector<double>& values, int decimals, const char* separator) {
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += separator;
    text += D(values[i], decimals);
  }
  return text;
}

double ValueAt(const std::vector<double>& values, std::size_t i) { return i < values.size() ? values[i] : kNoValue; }

// ---- input data -------------------------------------------------------------

const BlockRef kAnalysisType{kAnalysisTypeForm, 3};
const BlockRef kModelFigure{kAnalysisTypeForm, 4};
const BlockRef kNodeHeader{kAnalysisTypeForm, 5};
const BlockRef kNodeRow{kAnalysisTypeForm, 6};
const BlockRef kNodeHeaderAgain{kAnalysisTypeForm, 7};
const BlockRef kLayerHeader{kAnalysisTypeForm, 8};
const BlockRef kLayerRow{kAnalysisTypeForm, 9};
const BlockRef kLayerHeaderAgain{kAnalysisTypeForm, 10};
const BlockRef kLayerRowContinued{kAnalysisTypeForm, 11};
const BlockRef kNodeFooter{kAnalysisTypeForm, 12};
const BlockRef kLayerFooter{kAnalysisTypeForm, 13};

const BlockRef kSoilHeader{kSoilWaterForm, 0};
const BlockRef kSoilRow{kSoilWaterForm, 1};
const BlockRef kSoilFooter{kSoilWaterForm, 2};
const BlockRef kSoilHeaderAgain{kSoilWaterForm, 3};
const BlockRef kWaterHeader{kSoilWaterForm, 4};
const BlockRef kWaterRow{kSoilWaterForm, 5};
const BlockRef kWaterFooter{kSoilWaterForm, 6};
const BlockRef kWaterHeaderAgain{kSoilWaterForm, 7};
const BlockRef kWaterUnitWeight{kSoilWaterForm, 11};

void AnalysisType(ReportPager& pager, const clsGdProject& project) {
  const clsGdPrjSetting& s = project.Setting;
  pager.Block(kAnalysisType, {{800, kSoftwareLine},
                              {1, std::string(AnalysisMethodText(s.AnalysisMethod))},
                              {2, std::string(DrainageText(s.DrainageCondition))},
                              {3, std::string(FemStressText(s.FemStress))}});
}

void SoilTable(ReportPager& pager, const clsGdProject& project) {
  pager.BeginTable(kSoilHeader, {}, kSoilHeaderAgain);
  for (std::size_t i = 0; i < project.Soils.Soils.size(); ++i) {
    const clsGdSoil& soil = project.Soils.Soils[i];
    const SoilConstants& c = soil.Constants;
    pager.TableRow(kSoilRow, {{1, I(i + 1)},
                              {2, soil.Name},
                              {3, D(c.UnitWeight, 2)},
                              {4, D(c.SaturatedUnitWeight, 2)},
                              {5, D(c.FrictionAngle, 1)},
                              {6, D(c.Cohesion, 1)},
                              {7, soil.StrengthReduction ? "○" : ""},
                              {999, soil.Name}});
  }
  pager.EndTable(kSoilFooter);
}

void NodeTable(ReportPager& pager, const clsGdProject& project) {
  const auto& nodes = project.Nodes.Nodes;
  pager.BeginTable(kNodeHeader, {}, kNodeHeaderAgain);
  // Two nodes to a row, numbered down the row.
  for (std::size_t i = 0; i < nodes.size(); i += 2) {
    FieldValues row = {{1, I(i + 1)}, {2, D(nodes[i].X, 3)}, {3, D(nodes[i].Y, 3)}};
    if (i + 1 < nodes.size())
      row.insert(row.end(), {{4, I(i + 2)}, {5, D(nodes[i + 1].X, 3)}, {6, D(nodes[i + 1].Y, 3)}});
    else
      row.insert(row.end(), {{4, ""}, {5, ""}, {6, ""}});
    pager.TableRow(kNodeRow, std::move(row));
  }
  pager.EndTable(kNodeFooter);
}

void LayerTable(ReportPager& pager, const clsGdProject& project) {
  pager.BeginTable(kLayerHeader, {}, kLayerHeaderAgain);
  for (std::size_t i = 0; i < project.Layers.Layers.size(); ++i) {
    const clsGdLayer& layer = project.Layers.Layers[i];
    std::vector<std::string> numbers;
    for (int n : layer.BoundaryNodes) numbers.push_back(I(n));
    const std::vector<std::string> rows = JoinWrapped(numbers, 80);
    const std::string name = SoilName(project, layer.SoilNumber);
    pager.TableRow(kLayerRow, {{1, I(i + 1)}, {2, name}, {3, rows.front()}, {999, name}});
    for (std::size_t r = 1; r < rows.size(); ++r) pager.TableRow(kLayerRowContinued, {{1, ""}, {2, ""}, {3, rows[r]}});
  }
  pager.EndTable(kLayerFooter);
}

void WaterTable(ReportPager& pager, const clsGdProject& project) {
  pager.Block(kWaterUnitWeight, {{1, D(project.Water.UnitWeight, 3)}});
  const auto& points = project.Water.Points;
  pager.BeginTable(kWaterHeader, {}, kWaterHeaderAgain);
  // Two points to a row, as the nodes.
  for (std::size_t i = 0; i < points.size(); i += 2) {
    FieldValues row = {{1, I(i + 1)}, {2, D(points[i].X, 3)}, {3, D(points[i].Y, 3)}};
    if (i + 1 < points.size())
      row.insert(row.end(), {{4, I(i + 2)}, {5, D(points[i + 1].X, 3)}, {6, D(points[i + 1].Y, 3)}});
    else
      row.insert(row.end(), {{4, ""}, {5, ""}, {6, ""}});
    pager.TableRow(kWaterRow, std::move(row));
  }
  pager.EndTable(kWaterFooter);
}

// ---- analysis conditions ----------------------------------------------------

const BlockRef kSearchType{kConditionsForm, 5};
const BlockRef kSurfaceHeader{kConditionsForm, 6};
const BlockRef kSurfaceRow{kConditionsForm, 7};
const BlockRef kSurfaceFooter{kConditionsForm, 8};
const BlockRef kSearchConditions{kConditionsForm, 9};
const BlockRef kSurfaceHeaderAgain{kConditionsForm, 10};

void SearchType(ReportPager& pager, const clsGdProject& project) {
  const clsGdPrjSetting& s = project.Setting;
  pager.Block(kSearchType, {{1, std::string(DrainageText(s.DrainageCondition))},
                            {2, std::string(SearchTypeText(project.Surface.AutoSearch))},
                            {3, std::string(ReservoirWaterText(s.ReservoirWater))},
                            {4, std::string(FemStressText(s.FemStress))},
                            {5, std::string(SlipDirectionText(s.SlipDirection))}});
}

void SurfaceTable(ReportPager& pager, const clsGdProject& project) {
  pager.BeginTable(kSurfaceHeader, {}, kSurfaceHeaderAgain);
  for (int number : project.Surface.SurfaceNodes) {
    const GdPoint* p = NodeAt(project, number);
    pager.TableRow(kSurfaceRow, {{1, I(number)}, {2, p ? D(p->X, 3) : ""}, {3, p ? D(p->Y, 3) : ""}});
  }
  pager.EndTable(kSurfaceFooter);
}

void SearchConditions(ReportPager& pager, const clsGdProject& project) {
  const clsGdSurface& s = project.Surface;
  const auto& area = s.CentreArea;
  const std::string grid = s.CentreDivisionsX == kNoInt && s.CentreDivisionsY == kNoInt
                               ? ""
                               : I(s.CentreDivisionsX) + " × " + I(s.CentreDivisionsY);
  const std::string centreArea = area.empty()
                                     ? ""
                                     : "(" + D(ValueAt(area, 0), 3) + ", " + D(ValueAt(area, 1), 3) + ") － (" +
                                           D(ValueAt(area, 2), 3) + ", " + D(ValueAt(area, 3), 3) + ")";
  const std::string radii =
      s.RadiusRange.empty() ? "" : D(ValueAt(s.RadiusRange, 0), 3) + " － " + D(ValueAt(s.RadiusRange, 1), 3);
  std::vector<std::string> range;
  for (int n : s.SearchRangeNodes) range.push_back(I(n));
  const std::vector<std::pair<std::string, std::string>> lines = {
      {"中心格子分割数 (X × Y)", grid},
      {"半径分割数", I(s.RadiusDivisions)},
      {"中心格子範囲 (x1, y1) － (x2, y2) (m)", centreArea},
      {"半径範囲 最小 － 最大 (m)", radii},
      // The given circle only counts when the search does not run.
      {s.AutoSearch ? "" : "指定円弧 xc, yc, R (m)", s.AutoSearch ? "" : Joined(s.SpecifiedCircle, 3, ", ")},
      {"スライス分割数", I(s.SliceCount)},
      {"再探索回数", I(s.ResearchCount)},
      {"基盤層の通過", s.AvoidBaseLayer ? "通過しない" : "通過する"},
      {"最小すべり深さ (m)", D(s.MinimumSlipDepth, 3)},
      {"探索範囲節点", JoinWrapped(range, 40).front()},
  };
  FieldValues values;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    values.push_back({static_cast<int>(i) + 1, lines[i].first});
    values.push_back({static_cast<int>(i) + 11, lines[i].second});
  }
  pager.Block(kSearchConditions, std::move(values));
}

// Damage-dependent softening: tables (1) to (5), one row set per entry.
void SofteningTables(ReportPager& pager, CPrintProject& project) {
  const clsGdProject& p = project.Project;
  const BlockRef footer{kSofteningForm, 11};

  RoomFor(pager, kTableStartLines);
  pager.Heading(4, 15, "(1) 強度低下");
  pager.BeginTable({kSofteningForm, 0});
  for (std::size_t i = 0; i < p.DamageB.Tables.size(); ++i) {
    const clsGdDamageB& table = p.DamageB.Tables[i];
    const bool reduces = i < p.Soils.Soils.size() && p.Soils.Soils[i].StrengthReduction;
    pager.TableRow({kSofteningForm, 1}, {{1, I(i + 1)},
                                         {2, EntryName(p, i)},
                                         {3, reduces ? "○" : ""},
                                         {4, I(table.ReductionMethod)},
                                         {5, Joined(table.ReductionValues, 3, ", ")},
                                         {999, EntryName(p, i)}});
  }
  pager.EndTable(footer);

  // The strength table's row differs between the printer and the preview.
  const BlockRef strengthRow{kSofteningForm, project.PrintingFlag == 1 ? 4 : 3};
  RoomFor(pager, kTableStartLines);
  pager.Heading(4, 15, "(2) 液状化強度");
  pager.BeginTable({kSofteningForm, 2});
  for (std::size_t i = 0; i < p.DamageA.Tables.size(); ++i) {
    const auto& s = p.DamageA.Tables[i].Strength;
    pager.TableRow(strengthRow, {{1, I(i + 1)},
                                 {2, EntryName(p, i)},
                                 {3, D(ValueAt(s, 0), 3)},
                                 {4, D(ValueAt(s, 1), 3)},
                                 {5, D(ValueAt(s, 2), 3)},
                                 {999, EntryName(p, i)}});
  }
  pager.EndTable(footer);

  static constexpr const char* kConstantTitles[3] = {"(3) 液状化強度－α(DA)", "(4) 液状化強度－β(DA)",
                                                     "(5) 液状化強度－C(DA)"};
  for (std::size_t k = 0; k < 3; ++k) {
    const int header = 5 + static_cast<int>(k) * 2;
    RoomFor(pager, kTableStartLines);
    pager.Heading(4, 15, kConstantTitles[k]);
    pager.BeginTable({kSofteningForm, header});
    for (std::size_t i = 0; i < p.DamageA.Tables.size(); ++i) {
      const clsGdTable& constants = p.DamageA.Tables[i].Constants;
      for (std::size_t r = 0; r < constants.RowCount(); ++r)
        pager.TableRow({kSofteningForm, header + 1}, {{1, r == 0 ? I(i + 1) : ""},
                                                      {2, r == 0 ? EntryName(p, i) : ""},
                                                      {3, D(constants.At(r, 0), 3)},
                                                      {4, D(constants.At(r, k + 1), 4)},
                                                      {999, EntryName(p, i)}});
    }
    pager.EndTable(footer);
  }
}

const BlockRef kFitName{kFittingForm, 0};
const BlockRef kStrainHeader{kFittingForm, 1};
const BlockRef kStrainRow{kFittingForm, 2};
const BlockRef kFitFooter{kFittingForm, 3};
const BlockRef kFramesStrainSrn{kFittingForm, 8};
const BlockRef kFramesCurves{kFittingForm, 9};
const BlockRef kSrnHeader{kFittingForm, 11};
const BlockRef kSrnRow{kFittingForm, 12};
const BlockRef kCurveHeader{kFittingForm, 13};
const BlockRef kCurveRow{kFittingForm, 14};
const BlockRef kFitNote{kFittingForm, 10};

std::string RandomText(bool random) { return random ? "使用する" : "使用しない"; }

void StrainFit(ReportPager& pager, const clsGdSdParameter& fit) {
  static constexpr const char* kNames[clsGdSdParameter::kResultRows] = {"A{_1}", "t{_1}", "d{_1}", "A{_2}",
                                                                        "t{_2}", "d{_2}", "残差"};
  // Bounds rows follow A1, t1, d1, t2, d2; A2 and the residual have none.
  static constexpr int kBoundRow[clsGdSdParameter::kResultRows] = {0, 1, 2, -1, 3, 4, -1};
  pager.BeginTable(kStrainHeader);
  for (std::size_t r = 0; r < clsGdSdParameter::kResultRows; ++r) {
    const int b = kBoundRow[r];
    const bool bounded = b >= 0 && static_cast<std::size_t>(b) < fit.Bounds.RowCount();
    const auto bound = [&](std::size_t column) {
      return bounded ? D(fit.Bounds.At(static_cast<std::size_t>(b), column), 4) : std::string();
    };
    const std::string result = r < fit.Results.RowCount() ? D(fit.Results.At(r, 0), 4) : "";
    pager.TableRow(kStrainRow, {{1, kNames[r]}, {2, bound(0)}, {3, bound(1)}, {4, bound(2)}, {5, result}});
  }
  pager.TableRow(kStrainRow, {{1, "φ{_peak} (deg)"}, {2, ""}, {3, ""}, {4, ""}, {5, D(fit.PeakFrictionAngle, 1)}});
  pager.EndTable(kFitFooter);
  pager.Block(kFitNote, {{1, "ランダム初期値: " + RandomText(fit.RandomStart) + "　最大試行回数: " + I(fit.MaxTrials) +
                                 "　許容残差: " + FormatExp(fit.Tolerance, 1) +
                                 "　横軸: " + (fit.Argument == 1 ? "累積損傷度" : "両振幅ひずみ DA")}});
}

void SrnFit(ReportPager& pager, const clsGdSrnParameter& srn) {
  pager.BeginTable(kSrnHeader);
  for (const clsGdSrnData& set : srn.Sets)
    pager.TableRow(kSrnRow, {{1, I(set.DaLevelPercent)},
                             {2, D(ValueAt(set.Fitted, 0), 6)},
                             {3, D(ValueAt(set.Fitted, 1), 6)},
                             {4, D(ValueAt(set.Fitted, 2), 6)},
                             {5, FormatExp(set.Residual, 3)},
                             {6, set.Selected ? "○" : ""}});
  pager.EndTable(kFitFooter);
  pager.Block(kFitNote, {{1, "ランダム初期値: " + RandomText(srn.RandomStart) + "　最大試行回数: " + I(srn.MaxTrials) +
                                 "　許容残差: " + FormatExp(srn.Tolerance, 1)}});
}

void CurveFit(ReportPager& pager, const clsGdDsParameter& ds) {
  static constexpr const char* kLabels[3] = {"α", "β", "C"};
  pager.BeginTable(kCurveHeader, {{1, "関数形: " + I(ds.FunctionCode)}});
  for (std::size_t r = 0; r < 3; ++r) {
    FieldValues row = {{1, kLabels[r]}};
    for (std::size_t c = 0; c < 5; ++c)
      row.push_back(
          {static_cast<int>(c) + 2,
           r < ds.Curves.RowCount() ? (c == 0 ? FormatExp(ds.Curves.At(r, 0), 3) : D(ds.Curves.At(r, c), 4)) : ""});
    pager.TableRow(kCurveRow, std::move(row));
  }
  pager.EndTable(kFitFooter);
}

void FittingParameters(ReportPager& pager, const clsGdProject& p) {
  // Each entry opens a page: its tables and four graphs take two.
  RoomFor(pager, kFittingEntryLines);
  pager.Heading(4, 16, ItemHeading(16));
  const std::size_t count = std::max(p.DamageB.StrainFits.Parameters.size(), p.DamageA.SrnFits.Layers.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::string n = I(i);
    if (i > 0) pager.PageBreak();
    pager.Block(kFitName, {{999, EntryName(p, i)}});
    if (i < p.DamageB.StrainFits.Parameters.size()) StrainFit(pager, p.DamageB.StrainFits.Parameters[i]);
    if (i < p.DamageA.SrnFits.Layers.size()) SrnFit(pager, p.DamageA.SrnFits.Layers[i].Srn);
    pager.Frame(kFramesStrainSrn, 900, "両振幅ひずみグラフ_" + n, {{901, "SR-N関係グラフ_" + n}});
    if (i < p.DamageA.SrnFits.Layers.size()) CurveFit(pager, p.DamageA.SrnFits.Layers[i].Ds);
    pager.Frame(kFramesCurves, 900, "DA-αβC_" + n, {{901, "SR-N図_" + n}});
  }
}

// ---- calculation settings ---------------------------------------------------

void FemData(ReportPager& pager, const clsGdProject& p) {
  const clsGdDynpath& d = p.Dynpath;
  pager.Block({kSettingsForm, 0}, {{1, d.UseFemResponse ? "用いる" : "用いない"},
                                   {2, d.WaveFile},
                                   {3, D(d.TimeStep, 3)},
                                   {4, I(d.StepCount)},
                                   {5, D(d.Duration(), 2)},
                                   {6, I(d.NodeCount)},
                                   {7, I(d.ElementCount)},
                                   {8, I(d.BoundaryCondition)},
                                   {9, I(d.StartNode)},
                                   {10, I(d.StartElement)}});
}

void DetailSettings(ReportPager& pager, const clsGdProject& p) {
  pager.Block({kSettingsForm, 1}, {{1, std::string(InputInversionText(p.InputInversion))},
                                   {2, std::string(ResponseAveragingText(p.ResponseAveraging))},
                                   {3, D(p.MaximumAreaRatio, 2)},
                                   {4, D(p.MinimumAreaRatio, 2)},
                                   {5, D(p.StartTime, 2)},
                                   {6, D(p.EndTime, 2)}});
}

void ZeroCrossSettings(ReportPager& pager, const clsGdProject& p) {
  const clsGdZerocross& z = p.ZeroCross;
  pager.Block({kSettingsForm, 2}, {{1, std::string(ZeroCrossFitMethodText(z.FitMethod))},
                                   {2, Joined(z.FftCutoffs, 2, ", ")},
                                   {3, I(z.FftPointCount)},
                                   {4, D(z.UpperStrain, 3)},
                                   {5, D(z.LowerStrain, 4)},
                                   {6, FormatExp(z.LowerDamage, 1)},
                                   {7, I(z.IterationLimit)},
                                   {8, I(z.CalculationInterval)}});
}

}  // namespace

std::string_view AnalysisMethodText(int code) {
  static constexpr const char* kTexts[5] = {"修正フェレニウス法", "簡易ビショップ法", "ニューマーク法",
                                            "ニューマークS法", "ニューマークD法"};
  return code >= 0 && code < 5 ? kTexts[code] : "エラー";
}

std::string_view DrainageText(int code) {
  static constexpr const char* kTexts[3] = {"非排水", "排水", "排水/非排水"};
  return code >= 0 && code < 3 ? kTexts[code] : "エラー";
}

std::string_view ReservoirWaterText(int code) {
  static constexpr const char* kTexts[3] = {"貯水を考慮しない", "水平方向の静水圧を考慮する",
                                            "貯水池内と堤体内の水をバランスする"};
  return code >= 0 && code < 3 ? kTexts[code] : "エラー";
}

std::string_view FemStressText(int code) {
  static constexpr const char* kTexts[3] = {"考慮しない", "FEMの応力で直応力を計算", "FEMの応力でスライス内力を計算"};
  return code >= 0 && code < 3 ? kTexts[code] : "エラー";
}

std::string_view SlipDirectionText(int code) {
  static constexpr const char* kTexts[2] = {"左すべり", "右すべり"};
  return code >= 0 && code < 2 ? kTexts[code] : "エラー";
}

std::string_view SearchTypeText(bool autoSearch) { return autoSearch ? "自動探索" : "指定円弧"; }

void ComposeInputData(ReportPager& pager, CPrintProject& project) {
  const clsGdProject& p = project.Project;
  Heading(pager, kItemInputData);
  if (Selected(project, 3)) {
    Heading(pager, 3);
    AnalysisType(pager, p);
  }
  if (!Selected(project, 4)) return;
  Heading(pager, 4);
  if (Selected(project, 5)) {
    Heading(pager, 5);
    pager.Frame(kModelFigure, 900, "地形モデル");
  }
  if (Selected(project, 6)) {
    RoomFor(pager, kTableStartLines);
    Heading(pager, 6);
    SoilTable(pager, p);
  }
  if (Selected(project, 7)) {
    RoomFor(pager, kTableStartLines);
    Heading(pager, 7);
    NodeTable(pager, p);
  }
  if (Selected(project, 8)) {
    RoomFor(pager, kTableStartLines);
    Heading(pager, 8);
    LayerTable(pager, p);
  }
  if (Selected(project, 9)) {
    RoomFor(pager, kTableStartLines);
    Heading(pager, 9);
    WaterTable(pager, p);
  }
}

void ComposeAnalysisConditions(ReportPager& pager, CPrintProject& project) {
  const clsGdProject& p = project.Project;
  Heading(pager, kItemAnalysisConditions);
  if (Selected(project, 11)) {
    Heading(pager, 11);
    SearchType(pager, p);
  }
  if (Selected(project, 12)) {
    Heading(pager, 12);
    SurfaceTable(pager, p);
  }
  if (Selected(project, 13)) {
    Heading(pager, 13);
    SearchConditions(pager, p);
  }
  if (!Selected(project, 14)) return;
  Heading(pager, 14);
  if (Selected(project, 15)) SofteningTables(pager, project);
  if (Selected(project, 16)) FittingParameters(pager, p);
}

void ComposeCalculationSettings(ReportPager& pager, CPrintProject& project) {
  const clsGdProject& p = project.Project;
  Heading(pager, kItemCalculationSettings);
  if (Selected(project, 18)) {
    Heading(pager, 18);
    FemData(pager, p);
  }
  if (Selected(project, 19)) {
    Heading(pager, 19);
    DetailSettings(pager, p);
  }
  if (Selected(project, 20)) {
    Heading(pager, 20);
    ZeroCrossSettings(pager, p);
  }
}

}  // namespace quorvel
