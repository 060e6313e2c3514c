#include "srn/SrnOkStep.h"

namespace quorvel {

SrnOkStep DecideSrnOk(SrnFormRecord& record, bool constantsNotFinished) {
  record.SrnNotOptimised = record.SrnCurves.IsEmpty() ? 1 : 0;
  if (record.Unchanged) return SrnOkStep::EndAsCancel;
  // Lists shorter than the checks below read are refused, never read past.
  const std::size_t setCount = record.DataSets.Count();
  if (record.SrnNotOptimised != 0 || record.SrnCurves.Count() < setCount) return SrnOkStep::ShowSrnNotOptimised;
  if (record.ConstantCurves.Count() < 3 || constantsNotFinished) return SrnOkStep::ShowConstantsNotFinished;
  bool anySelected = false;
  for (std::size_t k = 0; k < setCount; ++k) anySelected = anySelected || record.SrnCurves.At(k).Selected;
  if (!anySelected) return SrnOkStep::ShowNoneSelected;
  // Strictly above the tolerance; a curve without a residual never is.
  const double tolerance = record.ConstantSettings.Tolerance;
  for (std::size_t d = 0; d < 3; ++d) {
    const double residual = record.ConstantCurves.At(d).Residual;
    if (!IsNoValue(residual) && residual > tolerance) return SrnOkStep::AskResidual;
  }
  return SrnOkStep::WriteAnswer;
}

}  // namespace quorvel
