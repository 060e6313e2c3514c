#include "records/GdResults.h"

namespace quorvel {

namespace {

// Entry `index` of a line of doubles; a short line leaves it empty.
double Entry(const std::vector<double>& values, std::size_t index) {
  return index < values.size() ? values[index] : kNoValue;
}

bool ReadDrainage(RecordReader& in, DrainageValues& values) {
  std::vector<double> line;
  if (!in.ReadDoubleList(line)) return false;
  values = {Entry(line, 0), Entry(line, 1), Entry(line, 2)};
  return true;
}

}  // namespace

bool clsGdSlip::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  std::vector<double> line;
  if (!in.SeekSection(kTag, header) || !in.ReadInteger(Kind) || !in.ReadDoubleList(line)) return false;
  CentreX = Entry(line, 0);
  CentreY = Entry(line, 1);
  Radius = Entry(line, 2);
  if (!in.ReadDoubleList(line)) return false;
  SafetyFactor = Entry(line, 0);
  YieldCoefficient = Entry(line, 1);
  ResistingMoment = Entry(line, 2);
  DrivingMoment = Entry(line, 3);
  return ReadDrainage(in, SafetyFactors) && ReadDrainage(in, YieldCoefficients) && ReadDrainage(in, ResistingMoments) &&
         ReadDrainage(in, DrivingMoments) && in.ReadDouble(Displacement);
}

bool clsGdSlipCol::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  int count = 0;
  return in.SeekSection(kTag, header) && in.HeaderCount(header, count) && in.ReadCaptionedInteger(TotalCases) &&
         in.ReadCaptionedInteger(EffectiveCases) && ReadMembers(in, count, Slips);
}

const clsGdSlip* clsGdSlipCol::FindKind(int kind) const {
  for (const clsGdSlip& slip : Slips) {
    if (slip.Kind == kind) return &slip;
  }
  return nullptr;
}

bool clsGdGraphData::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  int seriesCount = 0;
  if (!in.SeekSection(kTag, header) || !in.ReadText(Title) || !in.ReadText(AxisTitle) || !in.ReadDouble(PeakValue) ||
      !in.ReadDouble(PeakTime) || !in.ReadInteger(seriesCount)) {
    return false;
  }
  std::size_t series = MemberCount(seriesCount);
  if (!in.CheckCount(series, 2)) return false;
  Series.reserve(series);
  for (std::size_t s = 0; s < series; ++s) {
    GdGraphSeries curve;
    int pointCount = 0;
    if (!in.ReadText(curve.Name) || !in.ReadInteger(pointCount)) return false;
    std::size_t points = MemberCount(pointCount);
    if (!in.CheckCount(points)) return false;
    curve.Points.reserve(points);
    for (std::size_t p = 0; p < points; ++p) {
      GdPoint point;
      if (!in.ReadPoint(point)) return false;
      curve.Points.push_back(point);
    }
    Series.push_back(std::move(curve));
  }
  return in.ReadDouble(FinalValue);
}

void clsGdConter::Reset() {
  Title.clear();
  Minimum = kNoValue;
  Maximum = kNoValue;
  Values.clear();
}

bool clsGdConter::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  return in.SeekSection(kTag, header) && in.ReadText(Title) && in.ReadDouble(Minimum) && in.ReadDouble(Maximum) &&
         in.ReadRow(Columns, Values);
}

bool clsGdConterCol::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  if (!in.SeekSection(kTag, header)) return false;
  std::vector<std::string> tokens = SplitTokens(header, kSpaceSeparators);
  if (tokens.size() < 3) return in.Fail("header needs the contour count and the value count");
  int count = ParseInt(tokens[1]);
  ValueCount = ParseInt(tokens[2]);
  if (!Mesh.Read(in)) return false;
  std::size_t n = MemberCount(count);
  if (!in.CheckCount(n)) return false;
  Contours.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    clsGdConter contour;
    contour.Columns = ValueCount;
    if (!contour.Read(in)) return false;
    Contours.push_back(std::move(contour));
  }
  return true;
}

}  // namespace quorvel
