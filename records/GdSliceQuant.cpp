#include "records/GdSliceQuant.h"

#include <algorithm>

namespace quorvel {

namespace {

double MaximumOf(const std::vector<double>& values) {
  double maximum = kNoValue;
  for (double value : values) {
    if (!IsNoValue(value) && (IsNoValue(maximum) || value > maximum)) maximum = value;
  }
  return maximum;
}

double FirstOf(const std::vector<double>& values) { return values.empty() ? kNoValue : values.front(); }
double LastOf(const std::vector<double>& values) { return values.empty() ? kNoValue : values.back(); }

}  // namespace

bool GdSliceHistory::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  *this = GdSliceHistory();
  std::string header;
  if (!in.SeekSection(kTag, header)) return false;
  std::vector<std::string> tokens = SplitTokens(header, kSpaceSeparators);
  Number = tokens.size() < 2 ? kNoInt : ParseInt(tokens[1]);
  clsGdTable table(kColumns);
  if (!in.SkipLine() || !table.Read(in)) return false;
  std::size_t rows = table.RowCount();
  std::array<std::vector<double>*, kColumns> columns = {&Time,          &Damage,         &StrainAmplitude,
                                                        &FrictionAngle, &VerticalStress, &ShearStress};
  for (std::size_t c = 0; c < columns.size(); ++c) {
    columns[c]->reserve(rows);
    for (std::size_t r = 0; r < rows; ++r) columns[c]->push_back(table.Values[r * kColumns + c]);
  }
  return true;
}

GdSliceSummary GdSliceHistory::Summary() const {
  return {LastOf(Damage),          LastOf(StrainAmplitude),   FirstOf(FrictionAngle), LastOf(FrictionAngle),
          FirstOf(VerticalStress), MaximumOf(VerticalStress), FirstOf(ShearStress),   MaximumOf(ShearStress)};
}

bool clsGdSliceQuant::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  if (!in.SeekSection(kTag, header)) return false;
  std::vector<std::string> tokens = SplitTokens(header, kSpaceSeparators);
  if (tokens.size() < 4) return in.Fail("header needs the slice count, the step count and the time step");
  SliceCount = ParseInt(tokens[1]);
  StepCount = ParseInt(tokens[2]);
  TimeStep = ParseStrictDouble(tokens[3]);
  std::size_t n = MemberCount(SliceCount);
  if (!in.CheckCount(n, 3)) return false;
  Slices.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    GdSliceHistory slice;
    if (!slice.Read(in)) return false;
    Slices.push_back(std::move(slice));
  }
  return true;
}

std::string ResolveResultPath(std::string_view baseFolder, std::string_view path) {
  std::string resolved(TrimView(path));
  std::replace(resolved.begin(), resolved.end(), '\\', '/');
  if (resolved.empty() || resolved.front() == '/' || baseFolder.empty()) return resolved;
  std::string folder(baseFolder);
  if (folder.back() != '/') folder.push_back('/');
  return folder + resolved;
}

ResultFileStatus ReadSliceQuantFile(const std::string& path, clsGdSliceQuant& slices, RecordReadError* error) {
  slices.Reset();
  RecordReader reader;
  if (!reader.Open(path)) return ResultFileStatus::kNotOpened;
  if (slices.Read(reader)) return ResultFileStatus::kRead;
  if (error) *error = reader.Error();
  return ResultFileStatus::kMalformed;
}

ResultFileStatus ReadSliceHistory(const std::string& path, int number, GdSliceHistory& history,
                                  RecordReadError* error) {
  history = GdSliceHistory();
  RecordReader reader;
  if (!reader.Open(path)) return ResultFileStatus::kNotOpened;
  while (true) {
    GdSliceHistory slice;
    if (!slice.Read(reader)) {
      if (error) *error = reader.Error();
      return ResultFileStatus::kMalformed;
    }
    if (slice.Number == number) {
      history = std::move(slice);
      return ResultFileStatus::kRead;
    }
  }
}

bool ResultFile::Open(const std::string& path) {
  open_ = reader_.Open(path);
  return open_;
}

bool ResultFile::ReadTableSection(std::string_view tag, clsGdTable& table) {
  table.Reset();
  if (!open_) return false;
  reader_.Rewind();
  std::string header;
  return reader_.SeekSection(tag, header) && table.Read(reader_);
}

}  // namespace quorvel
