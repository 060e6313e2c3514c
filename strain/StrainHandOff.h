#pragma once
// The strain form's section of the hand-off file: "[SdParameter]" in and out.
#include <string>

#include "host/HandOffSection.h"
#include "host/HostTextFile.h"
#include "host/Language.h"
#include "strain/StrainFormRecord.h"

namespace quorvel {

// Fills the retry settings, the experiment data (one series named by string
// 10055 in `languageId`), phi peak, the parameter table, the results, the
// residual and the argument; clears NotFinished and sets Unchanged. Returns
// false with the reason on any fault: no section, a missing field piece, a
// parameter table count above 5, bytes that are not CP932. A failed read
// leaves `record` exactly as it was.
bool ReadStrainInput(const std::string& handOffPath, StrainFormRecord& record, int languageId,
                     std::string* error = nullptr);
bool ReadStrainInput(HostTextReader& reader, StrainFormRecord& record, int languageId, std::string* error = nullptr);

// Builds the whole answer ("ToDrevia", "OK", "[SdParameter]1" ...). Without
// any series the experiment table is written with 0 points. Refuses (false)
// only for text that has no CP932 form.
bool BuildStrainAnswer(const StrainFormRecord& record, HostTextWriter& answer, std::string* error = nullptr);

// OK of the strain form: "temp.txt", then "color.txt", then "writed".
AnswerDelivery WriteStrainAnswer(const std::string& folder, const StrainFormRecord& record);

}  // namespace quorvel
