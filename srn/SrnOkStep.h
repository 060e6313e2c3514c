#pragma once
// The SR-N form's decision at OK, without widgets: the form asks it after
// refreshing its pages and shows the message or question it names.
#include "srn/SrnFormRecord.h"

namespace quorvel {

// What OK has to do, in the order the checks run.
enum class SrnOkStep {
  EndAsCancel,               // nothing changed since the host's data
  ShowSrnNotOptimised,       // no SR-N curves, or fewer than data sets: message, the form stays
  ShowConstantsNotFinished,  // fewer than alpha, beta, C, or page 2 not finished: message, the form stays
  ShowNoneSelected,          // no SR-N curve marked for the host (zero data sets included): message
  AskResidual,               // a constant curve's residual above the tolerance: ask, No keeps the form
  WriteAnswer,               // write the answer, colour file and done flag, then close
};

// Sets the record's SR-N-not-optimised flag from its curve list, then says
// what OK has to do. `constantsNotFinished`: page 2 reports its optimisation
// as not finished.
SrnOkStep DecideSrnOk(SrnFormRecord& record, bool constantsNotFinished);

}  // namespace quorvel
