#include "graph/ColourSettings.h"

namespace quorvel {
namespace {

template <class Graph>
auto& Field(Graph& graph, AxisField field) {
  switch (field) {
    case AxisField::XMinimum:
      return graph.XMinimum;
    case AxisField::XMaximum:
      return graph.XMaximum;
    case AxisField::XPitch:
      return graph.XPitch;
    case AxisField::YMinimum:
      return graph.YMinimum;
    case AxisField::YMaximum:
      return graph.YMaximum;
    case AxisField::YPitch:
      break;
  }
  return graph.YPitch;
}

constexpr AxisField kFields[6] = {AxisField::XMinimum, AxisField::XMaximum, AxisField::XPitch,
                                  AxisField::YMinimum, AxisField::YMaximum, AxisField::YPitch};

}  // namespace

ColourSettingsSession::ColourSettingsSession(ColourRecord& colours, std::vector<DataSetList*> graphs, bool& unchanged)
    : colours_(colours), graphs_(std::move(graphs)), unchanged_(unchanged), colourBackup_(colours) {
  for (DataSetList* graph : graphs_) {
    AxisBackup backup{};
    for (int i = 0; i < 6; ++i) backup.values[i] = Field(*graph, kFields[i]);
    backup.outOfDate = graph->RangesOutOfDate;
    backup.automatic = graph->AutomaticAdjustment;
    axisBackups_.push_back(backup);
  }
}

void ColourSettingsSession::SetColour(int entry, int colour, std::size_t graph) {
  colours_.SetEntry(entry, colour);
  if (graph < graphs_.size()) graphs_[graph]->RangesOutOfDate = true;
}

double ColourSettingsSession::AxisValue(const DataSetList& graph, AxisField field) { return Field(graph, field); }

void ColourSettingsSession::SetAxisValue(std::size_t graph, AxisField field, double value) {
  DataSetList& settings = *graphs_.at(graph);
  Field(settings, field) = value;
  settings.AutomaticAdjustment = false;
  settings.RangesOutOfDate = true;
}

void ColourSettingsSession::SetAutomatic(std::size_t graph, bool on) {
  DataSetList& settings = *graphs_.at(graph);
  settings.AutomaticAdjustment = on;
  if (on) settings.RangesOutOfDate = true;
}

bool ColourSettingsSession::ResetColours(const std::string& colourFilePath) {
  const ColourRecord fresh = LoadColourRecord(colourFilePath);
  if (fresh == colours_) return false;
  colours_ = fresh;
  for (DataSetList* graph : graphs_) graph->RangesOutOfDate = true;
  return true;
}

void ColourSettingsSession::Accept(bool markOutOfDate) {
  unchanged_ = false;
  if (!markOutOfDate) return;
  for (DataSetList* graph : graphs_) graph->RangesOutOfDate = true;
}

void ColourSettingsSession::Cancel() {
  colours_ = colourBackup_;
  for (std::size_t g = 0; g < graphs_.size(); ++g) {
    for (int i = 0; i < 6; ++i) Field(*graphs_[g], kFields[i]) = axisBackups_[g].values[i];
    graphs_[g]->RangesOutOfDate = axisBackups_[g].outOfDate;
    graphs_[g]->AutomaticAdjustment = axisBackups_[g].automatic;
  }
}

}  // namespace quorvel
