#include "records/GdModel.h"

namespace quorvel {

namespace {

// Header "tag N" with the count checked against the lines left.
bool ReadCountHeader(RecordReader& in, std::string_view tag, std::size_t& count) {
  std::string header;
  int parsed = 0;
  if (!in.SeekSection(tag, header) || !in.HeaderCount(header, parsed)) return false;
  count = MemberCount(parsed);
  return in.CheckCount(count);
}

}  // namespace

bool clsGdNodeCol::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::size_t count = 0;
  if (!ReadCountHeader(in, kTag, count)) return false;
  Nodes.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    GdPoint node;
    if (!in.ReadPoint(node)) return false;
    Nodes.push_back(node);
  }
  return true;
}

void clsGdLayer::Reset() {
  SoilNumber = kNoInt;
  BoundaryNodes.clear();
}

bool clsGdLayer::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  if (!in.SeekSection(kTag, header)) return false;
  SoilNumber = ParseHeaderVersion(header, kTag).value_or(kNoInt);
  return in.ReadIntegerList(BoundaryNodes);
}

bool clsGdLayerCol::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  int count = 0;
  return in.SeekSection(kTag, header) && in.HeaderCount(header, count) && ReadMembers(in, count, Layers);
}

bool clsGdSoil::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  if (!in.SeekSection(kTag, header) || !in.HeaderVersion(header, kTag, Version) || !in.ReadText(Name)) return false;
  std::vector<double> row;
  if (!in.ReadRow(SoilConstants::kCount, row)) return false;
  Constants = {row[0], row[1], row[2], row[3], row[4], row[5], row[6], row[7]};
  return in.ReadBool(StrengthReduction);
}

bool clsGdSoilCol::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  int count = 0;
  return in.SeekSection(kTag, header) && in.HeaderCount(header, count) && ReadMembers(in, count, Soils);
}

void clsGdWater::Reset() {
  UnitWeight = kNoValue;
  Points.clear();
}

bool clsGdWater::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::size_t count = 0;
  if (!ReadCountHeader(in, kTag, count) || !in.ReadDouble(UnitWeight)) return false;
  Points.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    GdPoint point;
    if (!in.ReadPoint(point)) return false;
    Points.push_back(point);
  }
  return true;
}

bool clsGdNever::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  int count = 0;
  return in.SeekSection(kTag, header) && in.HeaderCount(header, count) && ReadMembers(in, count, Areas);
}

bool clsGdSurface::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  return in.SeekSection(kTag, header) && in.HeaderVersion(header, kTag, Version) && in.ReadCaptionedBool(AutoSearch) &&
         in.ReadCaptionedIntegerList(SurfaceNodes) && in.ReadCaptionedIntegerList(SearchRangeNodes) &&
         in.ReadCaptionedInteger(CentreDivisionsX) && in.ReadCaptionedInteger(CentreDivisionsY) &&
         in.ReadCaptionedInteger(RadiusDivisions) && in.ReadCaptionedBool(AvoidBaseLayer) &&
         in.ReadCaptionedDoubleList(CentreArea) && in.ReadCaptionedDoubleList(RadiusRange) &&
         in.ReadCaptionedDoubleList(SpecifiedCircle) && in.ReadCaptionedInteger(SliceCount) &&
         in.ReadCaptionedInteger(ResearchCount) && in.ReadDouble(MinimumSlipDepth) && Never.Read(in);
}

bool clsLayerColor::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::size_t count = 0;
  if (!ReadCountHeader(in, kTag, count)) return false;
  Colours.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    int colour = 0;
    if (!in.ReadInteger(colour)) return false;
    Colours.push_back(colour);
  }
  return true;
}

}  // namespace quorvel
