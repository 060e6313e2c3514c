#include "records/GdSoftening.h"

namespace quorvel {

namespace {

bool ReadCollectionHeader(RecordReader& in, std::string_view tag, int& count) {
  std::string header;
  return in.SeekSection(tag, header) && in.HeaderCount(header, count);
}

}  // namespace

bool clsGdSdParameter::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  if (!in.SeekSection(kTag, header) || !in.HeaderVersion(header, kTag, Version)) return false;
  if (!in.ReadFlag("rand_ok", "rand_ng", RandomStart) || !in.ReadInteger(MaxTrials) || !in.ReadDouble(Tolerance) ||
      !TestPoints.Read(in) || !Bounds.Read(in) || !Results.Read(in) || !in.ReadDouble(PeakFrictionAngle)) {
    return false;
  }
  return Version < 1 || in.ReadInteger(Argument);
}

bool clsGdSdParamCol::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  int count = 0;
  return ReadCollectionHeader(in, kTag, count) && ReadMembers(in, count, Parameters);
}

bool clsGdDamageB::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  return in.SeekSection(kTag, header) && in.ReadDoubleList(ReductionValues) && in.ReadInteger(ReductionMethod);
}

bool clsGdDamageBCol::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  int count = 0;
  return ReadCollectionHeader(in, kTag, count) && ReadMembers(in, count, Tables) && in.SkipLine() &&
         StrainFits.Read(in);
}

bool clsGdSrnData::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  return in.SeekSection(kTag, header) && in.HeaderVersion(header, kTag, Version) && in.ReadInteger(DaLevelPercent) &&
         in.ReadRow(kParameterCount, Initial) && in.ReadRow(kParameterCount, Fitted) && in.ReadDouble(Residual) &&
         in.ReadFlag("selected", "not_selected", Selected) && Points.Read(in) && in.ReadRow(kParameterCount, Minimum) &&
         in.ReadRow(kParameterCount, Maximum);
}

bool clsGdSrnParameter::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  int count = 0;
  return in.SeekSection(kTag, header) && in.HeaderVersion(header, kTag, Version) && in.HeaderCount(header, count) &&
         ReadMembers(in, count, Sets) && in.ReadFlag("rand_ok", "rand_ng", RandomStart) && in.ReadInteger(MaxTrials) &&
         in.ReadDouble(Tolerance);
}

bool clsGdDsParameter::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  return in.SeekSection(kTag, header) && Settings.Read(in) && in.ReadInteger(FunctionCode) && Curves.Read(in) &&
         in.ReadFlag("rand_ok", "rand_ng", RandomStart) && in.ReadInteger(MaxTrials) && in.ReadDouble(Tolerance);
}

bool clsGdSrnParamCol::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  int count = 0;
  if (!ReadCollectionHeader(in, kTag, count)) return false;
  std::size_t n = MemberCount(count);
  if (!in.CheckCount(n, 2)) return false;
  Layers.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    GdSrnLayerParameters layer;
    if (!layer.Srn.Read(in) || !layer.Ds.Read(in)) return false;
    Layers.push_back(std::move(layer));
  }
  return true;
}

bool clsGdDamageA::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  return in.SeekSection(kTag, header) && in.ReadRow(kStrengthColumns, Strength) && Constants.Read(in) &&
         in.ReadInteger(InputMethod);
}

bool clsGdDamageACol::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  int count = 0;
  return ReadCollectionHeader(in, kTag, count) && ReadMembers(in, count, Tables) && SrnFits.Read(in);
}

}  // namespace quorvel
