#pragma once
// The SR-N form's sections of the hand-off file: "[SrnParameter]" and
// "[DsParameter]" in, the same sections with "ToDrevia"/"OK" out.
#include <string>

#include "host/HandOffSection.h"
#include "host/HostTextFile.h"
#include "srn/SrnFormRecord.h"

namespace quorvel {

// Fills the data sets, SR-N curves, constant curves, both retry settings and
// the constant settings, and sets Unchanged, HostSentSets and SrnNotOptimised
// as the host's grammar says. Returns false with the reason (line number and
// section) in `error` on any fault: no section, a missing field piece, a file
// that ends before the next "[SrnData]", a curve count outside 1..3, bytes
// that are not CP932. A failed read leaves `record` exactly as it was.
bool ReadSrnInput(const std::string& handOffPath, SrnFormRecord& record, std::string* error = nullptr);
bool ReadSrnInput(HostTextReader& reader, SrnFormRecord& record, std::string* error = nullptr);

// Builds the whole answer ("ToDrevia", "OK", both sections). Refuses (false,
// `answer` untouched) when there are fewer SR-N curves than data sets, fewer
// than three constant curves, a name with a line break, or text that has no
// CP932 form.
bool BuildSrnAnswer(const SrnFormRecord& record, HostTextWriter& answer, std::string* error = nullptr);

// OK of the SR-N form: the answer into "temp.txt", then "color.txt", then
// "writed", all in `folder` (ending in '/'). A refused answer touches no file.
AnswerDelivery WriteSrnAnswer(const std::string& folder, const SrnFormRecord& record);

}  // namespace quorvel
