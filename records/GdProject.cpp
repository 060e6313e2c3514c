#include "records/GdProject.h"

namespace quorvel {

void clsGdProject::Reset() {
  // Keep the object's identity; every field back to its declared default.
  Print.Reset();
  Setting.Reset();
  Nodes.Reset();
  Layers.Reset();
  Soils.Reset();
  Water.Reset();
  Surface.Reset();
  DamageB.Reset();
  DamageA.Reset();
  Dynpath.Reset();
  InputInversion = kNoInt;
  ResponseAveraging = kNoInt;
  MaximumAreaRatio = kNoValue;
  MinimumAreaRatio = kNoValue;
  StartTime = kNoValue;
  EndTime = kNoValue;
  ZeroCross.Reset();
  Slips.Reset();
  ResultFiles.fill(std::string());
  AnalysisCompleted = false;
  CriticalSlipNumber = kNoInt;
  SliceCount = kNoInt;
  for (clsGdGraphData& graph : Graphs) graph.Reset();
  Contours.Reset();
  LayerColours.Reset();
  GreyList = {0xD1D1D1, 0xC0C0C0, 0xB2B2B2, 0x969696, 0x808080, 0x777777, 0x5F5F5F, 0x808080, 0x969696, 0xC0C0C0,
              0xD1D1D1, 0xB6B6B6, 0xB2B2B2, 0x969696, 0x808080, 0x777777, 0x5F5F5F, 0x808080, 0x969696, 0xC0C0C0};
  ColourScale = {0x0000FF, 0x0099FF, 0x00CCFF, 0x99FFFF, 0x99FF66, 0x66FF00,
                 0x99CC00, 0xFFFF66, 0xFF9900, 0xFF0000, 0xEAEAEA};
  error_ = {};
}

bool clsGdProject::ReadComputeSetting(RecordReader& in) {
  RecordReader::Scope scope(in, kComputeSettingTag);
  std::string header;
  return in.SeekSection(kComputeSettingTag, header) && in.ReadInteger(InputInversion) &&
         in.ReadInteger(ResponseAveraging) && in.ReadDouble(MaximumAreaRatio) && in.ReadDouble(MinimumAreaRatio) &&
         in.ReadDouble(StartTime) && in.ReadDouble(EndTime);
}

bool clsGdProject::ReadAnalysisResult(RecordReader& in) {
  RecordReader::Scope scope(in, kAnalysisResultTag);
  std::string header;
  if (!in.SeekSection(kAnalysisResultTag, header)) return false;
  for (std::string& path : ResultFiles) {
    if (!in.ReadText(path)) return false;
  }
  return in.ReadBool(AnalysisCompleted) && in.ReadInteger(CriticalSlipNumber) && in.ReadInteger(SliceCount);
}

bool clsGdProject::Read(RecordReader& in) {
  Reset();
  bool read = Print.Read(in) && Setting.Read(in) && Nodes.Read(in) && Layers.Read(in) && Soils.Read(in) &&
              Water.Read(in) && Surface.Read(in) && DamageB.Read(in) && DamageA.Read(in) && Dynpath.Read(in) &&
              ReadComputeSetting(in) && ZeroCross.Read(in) && Slips.Read(in) && ReadAnalysisResult(in);
  for (std::size_t g = 0; read && g < Graphs.size(); ++g) read = Graphs[g].Read(in);
  read = read && Contours.Read(in) && LayerColours.Read(in);
  if (!read) error_ = in.Error();
  return read;
}

ProjectLoadResult LoadProject(const std::string& path, clsGdProject& project) {
  RecordReader reader;
  if (!reader.Open(path)) return {ProjectLoadStatus::kNotOpened, reader.OpenError()};
  const bool read = project.Read(reader);
  const std::size_t slash = path.find_last_of("/\\");
  project.Folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  if (!read) return {ProjectLoadStatus::kFailed, project.Error().Message()};
  return {ProjectLoadStatus::kLoaded, {}};
}

}  // namespace quorvel
