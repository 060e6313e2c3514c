// The SR-N form's decision at OK, step by step, on records built in memory.
#include <gtest/gtest.h>

#include <functional>

#include "srn/SrnOkStep.h"

namespace quorvel {
namespace {

// Two data sets with their curves (the first marked for the host) and the
// three constant curves within the tolerance: everything OK needs.
SrnFormRecord CompleteRecord() {
  SrnFormRecord record;
  for (const char* name : {"1.5", "5"}) {
    record.DataSets.Append(CPointDataList(name)).AppendPoint(10, 0.3);
    record.SrnCurves.Append(MakeEquation(0)).Name = name;
  }
  record.SrnCurves.At(0).Selected = true;
  for (const char* name : kConstantNames) {
    CEqBase& curve = record.ConstantCurves.Append(MakeEquation(2));
    curve.Name = name;
    curve.Residual = record.ConstantSettings.Tolerance / 2;
  }
  return record;
}

// The order of the three refusals is also the form's case (SrnFormTest.okRefusalsComeInOrder).
TEST(SrnOkStep, StepsInOrder) {
  struct Case {
    const char* name;
    std::function<void(SrnFormRecord&)> change;
    bool constantsNotFinished;
    SrnOkStep expected;
  };
  const Case cases[] = {
      {"complete", [](SrnFormRecord&) {}, false, SrnOkStep::WriteAnswer},
      {"unchanged comes before every refusal",
       [](SrnFormRecord& r) {
         r.Unchanged = true;
         r.SrnCurves.Clear();
       },
       true, SrnOkStep::EndAsCancel},
      {"fewer SR-N curves than data sets", [](SrnFormRecord& r) { r.SrnCurves.RemoveAt(1); }, false,
       SrnOkStep::ShowSrnNotOptimised},
      {"two constant curves", [](SrnFormRecord& r) { r.ConstantCurves.RemoveAt(2); }, false,
       SrnOkStep::ShowConstantsNotFinished},
      {"page 2 not finished", [](SrnFormRecord&) {}, true, SrnOkStep::ShowConstantsNotFinished},
      {"no curve selected", [](SrnFormRecord& r) { r.SrnCurves.At(0).Selected = false; }, false,
       SrnOkStep::ShowNoneSelected},
      {"selected curve beyond the data sets does not count",
       [](SrnFormRecord& r) {
         r.SrnCurves.At(0).Selected = false;
         r.DataSets.RemoveAt(1);
         r.SrnCurves.At(1).Selected = true;
       },
       false, SrnOkStep::ShowNoneSelected},
      {"zero data sets", [](SrnFormRecord& r) { r.DataSets.Clear(); }, false, SrnOkStep::ShowNoneSelected},
      {"a residual above the tolerance",
       [](SrnFormRecord& r) { r.ConstantCurves.At(2).Residual = r.ConstantSettings.Tolerance * 1.001; }, false,
       SrnOkStep::AskResidual},
      {"a residual equal to the tolerance",
       [](SrnFormRecord& r) { r.ConstantCurves.At(0).Residual = r.ConstantSettings.Tolerance; }, false,
       SrnOkStep::WriteAnswer},
      {"a curve without residual", [](SrnFormRecord& r) { r.ConstantCurves.At(1).Residual = kNoValue; }, false,
       SrnOkStep::WriteAnswer},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SrnFormRecord record = CompleteRecord();
    c.change(record);
    EXPECT_EQ(DecideSrnOk(record, c.constantsNotFinished), c.expected);
  }
  // The not-optimised flag follows the curve list, whatever OK decides.
  SrnFormRecord record = CompleteRecord();
  record.SrnNotOptimised = 1;
  DecideSrnOk(record, false);
  EXPECT_EQ(record.SrnNotOptimised, 0);
  record.SrnCurves.Clear();
  record.Unchanged = true;
  DecideSrnOk(record, false);
  EXPECT_EQ(record.SrnNotOptimised, 1);
}

}  // namespace
}  // namespace quorvel
