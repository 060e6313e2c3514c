#pragma once
// Everything the strain form owns and exchanges with the host. The hand-off
// reader fills it, the form edits it, and the answer writer writes it back.
#include <array>

#include "graph/DataSetList.h"
#include "host/ColourFile.h"
#include "host/NumberText.h"
#include "host/RetrySettings.h"

namespace quorvel {

struct StrainFormRecord {
  // Rows of Parameters: the five fitted parameters.
  enum ParameterRow { kA1 = 0, kT1 = 1, kD1 = 2, kT2 = 3, kD2 = 4 };
  // Columns of Parameters.
  enum ParameterColumn { kInitial = 0, kMinimum = 1, kMaximum = 2 };
  // Order of Results.
  enum Result { kResultA1 = 0, kResultT1, kResultD1, kResultA2, kResultT2, kResultD2 };

  StrainFormRecord();

  // The experiment data: the first series of DataSets, or nullptr.
  CPointDataList* ExperimentData();
  const CPointDataList* ExperimentData() const;
  // Axis values of the strain graph after "All clear".
  static void ResetGraphAxes(DataSetList& graph);

  RetrySettings Retry;
  DataSetList DataSets;                               // the strain graph: experiment data first, with the axes
  double PeakFrictionAngle = kNoValue;                // phi peak, degrees
  std::array<std::array<double, 3>, 5> Parameters{};  // A1, t1, d1, t2, d2 x initial, min, max
  std::array<double, 6> Results{};                    // A1, t1, d1, A2, t2, d2 of the last accepted fit
  double Residual = kNoValue;                         // residual norm of that fit
  int Argument = 0;                                   // 0 DA strain, 1 cumulative damage; -1 no selection
  ColourRecord Colours = ColourRecord::Defaults();

  bool NotFinished = true;  // no fit run has ended since "All clear"
  bool Unchanged = false;   // nothing changed since the data came from the host
  bool LoadFailed = false;
};

}  // namespace quorvel
