#pragma once
// What the drawing-setup dialogs do to their owner's records, without the
// widgets: colour picks, typed axis values, the automatic-adjustment switch,
// the colour reset, and OK / Cancel against the backups taken at the start.
#include <string>
#include <vector>

#include "graph/DataSetList.h"
#include "host/ColourFile.h"

namespace quorvel {

// Axis values of one graph, in the order of the axis grids' cells.
enum class AxisField { XMinimum, XMaximum, XPitch, YMinimum, YMaximum, YPitch };

class ColourSettingsSession {
 public:
  // `graphs` are the owner's graph settings the dialog edits (SR-N form: the
  // SR-N graph, then the DA graph; strain form: the strain graph). Backups of
  // the colours and every graph's axis values are taken here.
  ColourSettingsSession(ColourRecord& colours, std::vector<DataSetList*> graphs, bool& unchanged);

  ColourRecord& Colours() { return colours_; }
  DataSetList& Graph(std::size_t index) { return *graphs_.at(index); }
  std::size_t GraphCount() const { return graphs_.size(); }

  // A picked colour goes into entry `entry` (1..18); `graph` is marked out of date.
  void SetColour(int entry, int colour, std::size_t graph);
  // A typed axis value (kNoValue for an empty cell): the automatic adjustment
  // of that graph goes off and the graph is out of date.
  void SetAxisValue(std::size_t graph, AxisField field, double value);
  static double AxisValue(const DataSetList& graph, AxisField field);
  // The automatic-adjustment box: on sets both switches, off clears the
  // automatic one (the ranges then come from the axis grid).
  void SetAutomatic(std::size_t graph, bool on);
  // Rebuilds the colours from the colour file (the defaults when it cannot be
  // read). Returns true when anything differs from the colours before; only
  // then are the graphs marked out of date.
  bool ResetColours(const std::string& colourFilePath);
  // OK: the owner's next OK answers with the data; with `markOutOfDate`
  // (the SR-N form) every graph is out of date as well.
  void Accept(bool markOutOfDate);
  // Cancel: colours and axis values back to the backups.
  void Cancel();

 private:
  ColourRecord& colours_;
  std::vector<DataSetList*> graphs_;
  bool& unchanged_;
  ColourRecord colourBackup_;
  struct AxisBackup {
    double values[6];
    bool outOfDate;
    bool automatic;
  };
  std::vector<AxisBackup> axisBackups_;
};

}  // namespace quorvel
