#include "srn/SrnFormRecord.h"

namespace quorvel {

void ConstantFitSettings::Reset() {
  for (auto& row : Cells) row.fill(kNoValue);
  FunctionCodes = {1, 1, 1};
  MaximumTrials = kDefaultMaximumTrials;
  RandomStartAllowed = true;
  Tolerance = kDefaultTolerance;
}

}  // namespace quorvel
