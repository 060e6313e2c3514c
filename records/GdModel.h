#pragma once
// The terrain model of the project: nodes, layers, soils, water level, the
// ground surface and slip-search conditions, and the layer colours.
#include <string>
#include <string_view>
#include <vector>

#include "records/DreviaData.h"
#include "records/RecordReader.h"

namespace quorvel {

// "[NodeCol] N": N node coordinates "x,y". Node number k (from 1) is Nodes[k-1].
class clsGdNodeCol : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[NodeCol]";
  std::vector<GdPoint> Nodes;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { Nodes.clear(); }
  bool Read(RecordReader& in);
};

// "[Layer] s": one layer, its soil number s after the tag and its boundary as
// a line of node numbers.
class clsGdLayer : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[Layer]";
  int SoilNumber = kNoInt;         // the integer after the tag (kNoInt when missing)
  std::vector<int> BoundaryNodes;  // node numbers around the layer, in drawing order
  std::string_view SectionTag() const override { return kTag; }
  void Reset();
  bool Read(RecordReader& in);
};

// "[LayerCol] N": N layers.
class clsGdLayerCol : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[LayerCol]";
  std::vector<clsGdLayer> Layers;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { Layers.clear(); }
  bool Read(RecordReader& in);
};

// The eight soil constants in the order the host writes them.
struct SoilConstants {
  double UnitWeight = kNoValue;             // γt (kN/m3)
  double SaturatedUnitWeight = kNoValue;    // γsat (kN/m3)
  double FrictionAngle = kNoValue;          // φpeak (deg)
  double Cohesion = kNoValue;               // cpeak (kPa)
  double ResidualFrictionAngle = kNoValue;  // φres (deg)
  double ResidualCohesion = kNoValue;       // cres (kPa)
  double PoissonRatio = kNoValue;           // ν
  double ShearModulus = kNoValue;           // G0 (kPa)
  static constexpr int kCount = 8;
};

// "[Soil]v": name, a row of the eight constants, and whether the soil loses
// strength ("強度低下する").
class clsGdSoil : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[Soil]";
  static constexpr std::string_view kNoName = "no name";
  int Version = 0;
  std::string Name{kNoName};  // "no name" until the name line is read
  SoilConstants Constants;
  bool StrengthReduction = false;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdSoil(); }
  bool Read(RecordReader& in);
};

// "[SoilCol] N": N soils; a layer's SoilNumber k names Soils[k-1].
class clsGdSoilCol : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[SoilCol]";
  std::vector<clsGdSoil> Soils;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { Soils.clear(); }
  bool Read(RecordReader& in);
};

// "[WaterLevel] N": the unit weight of water, then N points of the water-level line.
class clsGdWater : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[WaterLevel]";
  double UnitWeight = kNoValue;  // γw (kN/m3)
  std::vector<GdPoint> Points;   // water-level line, left to right
  std::string_view SectionTag() const override { return kTag; }
  void Reset();
  bool Read(RecordReader& in);
};

// "[Never] N": N areas (node collections) that a slip circle must not cross.
class clsGdNever : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[Never]";
  std::vector<clsGdNodeCol> Areas;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { Areas.clear(); }
  bool Read(RecordReader& in);
};

// "[Surface]v": the search type, the ground-surface points and the
// circular-slip search conditions, each value after its caption line.
class clsGdSurface : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[Surface]";
  int Version = 0;
  bool AutoSearch = false;              // 自動探索 (true) or 指定円弧 (false)
  std::vector<int> SurfaceNodes;        // 地表面節点: node numbers of the ground surface
  std::vector<int> SearchRangeNodes;    // 探索範囲節点: nodes bounding where circles may exit
  int CentreDivisionsX = kNoInt;        // 中心格子分割数X
  int CentreDivisionsY = kNoInt;        // 中心格子分割数Y
  int RadiusDivisions = kNoInt;         // 半径分割数
  bool AvoidBaseLayer = false;          // 基盤層を通過しない
  std::vector<double> CentreArea;       // 中心格子範囲: x1 y1 x2 y2
  std::vector<double> RadiusRange;      // 半径範囲: minimum, maximum
  std::vector<double> SpecifiedCircle;  // 指定円弧: xc yc R
  int SliceCount = kNoInt;              // スライス分割数
  int ResearchCount = kNoInt;           // 再探索回数
  double MinimumSlipDepth = kNoValue;   // minimum depth of a slip (no caption)
  clsGdNever Never;                     // areas the circles must not cross
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdSurface(); }
  bool Read(RecordReader& in);
};

// "[LayerColor] N": one fill colour (0x00BBGGRR) per layer.
class clsLayerColor : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[LayerColor]";
  std::vector<int> Colours;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { Colours.clear(); }
  bool Read(RecordReader& in);
};

}  // namespace quorvel
