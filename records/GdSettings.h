#pragma once
// Calculation settings of the dynamic analysis: the FEM path data and the
// zero-cross settings, plus the texts the report prints for their codes.
#include <string>
#include <string_view>
#include <vector>

#include "records/DreviaData.h"
#include "records/RecordReader.h"

namespace quorvel {

// "[Dynpath]": FEM data of the dynamic response, each value after its caption.
class clsGdDynpath : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[Dynpath]";
  bool UseFemResponse = false;     // FEM応答を用いる
  std::string WaveFile;            // 入力地震波: the input acceleration file
  double TimeStep = kNoValue;      // 時間間隔 (s)
  int StepCount = kNoInt;          // ステップ数
  int NodeCount = kNoInt;          // 節点数
  int ElementCount = kNoInt;       // 要素数
  int BoundaryCondition = kNoInt;  // 境界条件
  int StartNode = kNoInt;          // 開始節点
  int StartElement = kNoInt;       // 開始要素
  int MaterialCount = kNoInt;      // 材料数
  int OutputInterval = kNoInt;     // 出力間隔 (steps)
  std::string Remarks;             // 備考: the closing text

  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdDynpath(); }
  bool Read(RecordReader& in);
  // Number of steps x time step; no value when either is missing.
  double Duration() const;
};

// "[ZeroCross]": how strain cycles are counted from the response.
class clsGdZerocross : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[ZeroCross]";
  static constexpr std::size_t kCutoffCount = 4;
  bool UseZeroCross = false;         // ゼロクロス法を用いる
  double UpperStrain = kNoValue;     // 上限ひずみ (%)
  double LowerStrain = kNoValue;     // 下限ひずみ (%)
  int FitMethod = kNoInt;            // 0 直線補間, 1 隣接平均法, else FFTフィルタ法
  double LowerDamage = kNoValue;     // 下限損傷度
  int IterationLimit = kNoInt;       // 最大繰返し回数
  int CalculationInterval = kNoInt;  // 計算間隔 (steps)
  int AveragingPoints = kNoInt;      // 隣接平均点数
  int MinimumHalfCycles = kNoInt;    // 最小半波数
  std::string FilterName;            // text after the "FFTフィルタ" caption
  int FftPointCount = kNoInt;        // FFT点数
  std::vector<double> FftCutoffs;    // up to four cut-off frequencies (Hz), no-value entries skipped

  std::string_view SectionTag() const override { return kTag; }
  void Reset() { *this = clsGdZerocross(); }
  bool Read(RecordReader& in);
};

// Texts the report prints for coded settings. Codes outside the list give "エラー"
// where the report says so.
std::string_view ZeroCrossFitMethodText(int code);  // "直線補間", "隣接平均法", "FFTフィルタ法"
std::string_view InputInversionText(int code);      // "入力応答加速度を反転しない" ... or "エラー"
std::string_view ResponseAveragingText(int code);  // "土塊すべり内平均", "すべり底面の平均応答加速度" or "エラー"

}  // namespace quorvel
