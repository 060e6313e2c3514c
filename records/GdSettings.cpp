#include "records/GdSettings.h"

namespace quorvel {

bool clsGdDynpath::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  return in.SeekSection(kTag, header) && in.ReadCaptionedBool(UseFemResponse) && in.ReadCaptionedText(WaveFile) &&
         in.ReadCaptionedDouble(TimeStep) && in.ReadCaptionedInteger(StepCount) && in.ReadCaptionedInteger(NodeCount) &&
         in.ReadCaptionedInteger(ElementCount) && in.ReadCaptionedInteger(BoundaryCondition) &&
         in.ReadCaptionedInteger(StartNode) && in.ReadCaptionedInteger(StartElement) &&
         in.ReadCaptionedInteger(MaterialCount) && in.ReadCaptionedInteger(OutputInterval) &&
         in.ReadCaptionedText(Remarks);
}

double clsGdDynpath::Duration() const {
  if (StepCount == kNoInt || IsNoValue(TimeStep)) return kNoValue;
  return StepCount * TimeStep;
}

bool clsGdZerocross::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  if (!in.SeekSection(kTag, header) || !in.ReadCaptionedBool(UseZeroCross) || !in.ReadCaptionedDouble(UpperStrain) ||
      !in.ReadCaptionedDouble(LowerStrain) || !in.ReadCaptionedInteger(FitMethod) ||
      !in.ReadCaptionedDouble(LowerDamage) || !in.ReadCaptionedInteger(IterationLimit) ||
      !in.ReadCaptionedInteger(CalculationInterval) || !in.ReadCaptionedInteger(AveragingPoints) ||
      !in.ReadCaptionedInteger(MinimumHalfCycles) || !in.ReadCaptionedText(FilterName) ||
      !in.ReadInteger(FftPointCount)) {
    return false;
  }
  std::vector<double> values;
  if (!in.ReadDoubleList(values)) return false;
  for (double value : values) {
    if (FftCutoffs.size() == kCutoffCount) break;
    if (!IsNoValue(value)) FftCutoffs.push_back(value);
  }
  return in.SkipLine();
}

std::string_view ZeroCrossFitMethodText(int code) {
  switch (code) {
    case 0:
      return "直線補間";
    case 1:
      return "隣接平均法";
    default:
      return "FFTフィルタ法";
  }
}

std::string_view InputInversionText(int code) {
  switch (code) {
    case 0:
      return "入力応答加速度を反転しない";
    case 1:
      return "入力応答加速度を反転する";
    case 2:
      return "入力応答加速度を反転する/しない両方を考慮";
    default:
      return "エラー";
  }
}

std::string_view ResponseAveragingText(int code) {
  switch (code) {
    case 0:
      return "土塊すべり内平均";
    case 1:
      return "すべり底面の平均応答加速度";
    default:
      return "エラー";
  }
}

}  // namespace quorvel
