#include "strain/StrainFormRecord.h"

namespace quorvel {

StrainFormRecord::StrainFormRecord() {
  for (auto& row : Parameters) row.fill(kNoValue);
  Results.fill(kNoValue);
  ResetGraphAxes(DataSets);
}

CPointDataList* StrainFormRecord::ExperimentData() { return DataSets.IsEmpty() ? nullptr : &DataSets.At(0); }

const CPointDataList* StrainFormRecord::ExperimentData() const {
  return DataSets.IsEmpty() ? nullptr : &DataSets.At(0);
}

void StrainFormRecord::ResetGraphAxes(DataSetList& graph) {
  graph.XMinimum = 0.0;
  graph.XMaximum = 0.5;
  graph.XPitch = 0.1;
  graph.YMinimum = 0.0;
  graph.YMaximum = 50.0;
  graph.YPitch = 5.0;
  graph.AutomaticAdjustment = true;
  graph.RangesOutOfDate = true;
}

}  // namespace quorvel
