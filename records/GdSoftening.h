#pragma once
// Damage-dependent softening of the layers: the strength-reduction tables
// (damage tables B) with the strain-fitting parameters, and the
// liquefaction-strength tables (damage tables A) with the SR-N and
// liquefaction-constant fitting parameters.
#include <string>
#include <string_view>
#include <vector>

#include "records/DreviaData.h"
#include "records/GdTable.h"
#include "records/RecordReader.h"

namespace quorvel {

// "[SdParameter]v": the DA strain vs apparent friction angle fit of one layer.
class clsGdSdParameter : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[SdParameter]";
  // Rows of Bounds: the fitted parameters in this order.
  static constexpr int kBoundRows = 5;  // A1, t1, d1, t2, d2
  // Rows of Results: A1, t1, d1, A2, t2, d2, then the residual.
  static constexpr int kResultRows = 7;

  int Version = 0;
  bool RandomStart = true;              // "rand_ok" / "rand_ng"
  int MaxTrials = kNoInt;               // maximum trial count of the random retry
  double Tolerance = kNoValue;          // residual below which the retry stops
  clsGdTable TestPoints{2};             // x = DA strain (or cumulative damage), y = φapp (deg)
  clsGdTable Bounds{3};                 // per parameter: initial value, minimum, maximum
  clsGdTable Results{1};                // fitted values and the residual, one per row
  double PeakFrictionAngle = kNoValue;  // φpeak (deg), fixed in the fit
  int Argument = 0;                     // version 1+: 0 DA strain, 1 cumulative damage

  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdSdParameter(); }
  bool Read(RecordReader& in);
};

// "[SdParamCol] N": one strain fit per layer.
class clsGdSdParamCol : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[SdParamCol]";
  std::vector<clsGdSdParameter> Parameters;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { Parameters.clear(); }
  bool Read(RecordReader& in);
};

// "[DamageB]": table "(1) 強度低下" of one layer.
class clsGdDamageB : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[DamageB]";
  std::vector<double> ReductionValues;  // critical damage and residual strength ratios, as written
  int ReductionMethod = kNoInt;         // how the strength falls with damage
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdDamageB(); }
  bool Read(RecordReader& in);
};

// "[DamageBCol] N": N strength-reduction tables, a separator line, the strain fits.
class clsGdDamageBCol : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[DamageBCol]";
  std::vector<clsGdDamageB> Tables;
  clsGdSdParamCol StrainFits;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdDamageBCol(); }
  bool Read(RecordReader& in);
};

// "[SrnData]v": one DA level of the SR-N fit: its SR-N curve a, b, c and points.
class clsGdSrnData : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[SrnData]";
  static constexpr int kParameterCount = 3;  // a, b, c of SR = a N^-b + c

  int Version = 0;
  int DaLevelPercent = kNoInt;  // the double-amplitude strain level of the set (%)
  std::vector<double> Initial;  // initial a, b, c
  std::vector<double> Fitted;   // fitted a, b, c
  double Residual = kNoValue;   // residual of the fit
  bool Selected = false;        // "selected" / "not_selected": curve handed to the host
  clsGdTable Points{2};         // x = number of cycles N, y = cyclic stress ratio SR
  std::vector<double> Minimum;  // lower bounds of a, b, c
  std::vector<double> Maximum;  // upper bounds of a, b, c

  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdSrnData(); }
  bool Read(RecordReader& in);
};

// "[SrnParameter]v N": the SR-N sets of one layer and their retry settings.
class clsGdSrnParameter : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[SrnParameter]";
  int Version = 0;
  std::vector<clsGdSrnData> Sets;
  bool RandomStart = true;  // "rand_ok" / "rand_ng"
  int MaxTrials = kNoInt;
  double Tolerance = kNoValue;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdSrnParameter(); }
  bool Read(RecordReader& in);
};

// "[DsParameter]": the liquefaction-constant fit α(DA), β(DA), C(DA) of one layer.
class clsGdDsParameter : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[DsParameter]";
  static constexpr int kSettingColumns = 8;
  static constexpr int kCurveColumns = 9;  // residual, then the 8 parameters
  // Rows of Curves.
  enum Curve : std::size_t { kAlpha = 0, kBeta = 1, kC = 2 };

  clsGdTable Settings{kSettingColumns};  // initial values and bounds of the curve parameters
  int FunctionCode = kNoInt;             // curve shape 0..3 (equation id code + 2)
  clsGdTable Curves{kCurveColumns};      // rows α, β, C: residual and parameters
  bool RandomStart = true;               // "rand_ok" / "rand_ng"
  int MaxTrials = kNoInt;
  double Tolerance = kNoValue;

  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdDsParameter(); }
  bool Read(RecordReader& in);
};

// The SR-N sets of one layer with the liquefaction-constant fit made from them.
struct GdSrnLayerParameters {
  clsGdSrnParameter Srn;
  clsGdDsParameter Ds;
};

// "[SrnParamCol] N": N layers, each written as its "[SrnParameter]" record
// directly followed by the "[DsParameter]" record that belongs to it
// (Srn 1, Ds 1, Srn 2, Ds 2, ...). Layers[k] pairs them.
class clsGdSrnParamCol : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[SrnParamCol]";
  std::vector<GdSrnLayerParameters> Layers;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { Layers.clear(); }
  // A layer whose Ds record fails is not kept.
  bool Read(RecordReader& in);
};

// "[DamageA]": liquefaction strength of one layer, tables "(2)" to "(5)".
class clsGdDamageA : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[DamageA]";
  static constexpr int kStrengthColumns = 3;
  static constexpr int kConstantColumns = 4;
  std::vector<double> Strength;            // (2) 液状化強度: RL, DA (%), number of cycles
  clsGdTable Constants{kConstantColumns};  // (3)-(5): rows of DA (%), α, β, C
  int InputMethod = kNoInt;                // 0 from the fitted curves, 1 the table as entered
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdDamageA(); }
  bool Read(RecordReader& in);
};

// "[DamageACol] N": N liquefaction-strength tables, then the SR-N fits.
class clsGdDamageACol : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[DamageACol]";
  std::vector<clsGdDamageA> Tables;
  clsGdSrnParamCol SrnFits;
  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdDamageACol(); }
  bool Read(RecordReader& in);
};

}  // namespace quorvel
