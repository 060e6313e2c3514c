#pragma once
// The start check: the first three lines of the hand-off file say which task
// to run, the stratum label, and the language.
#include <string>

#include "host/StartRequest.h"

namespace quorvel {

// Reads "temp.txt" in `folder` (ending in '/'). Refused when the file is
// missing, unreadable, not CP932 text, or its first line is not exactly one
// of "ToSrnForm", "ToStrainForm", "ToPrint".
StartRequest CheckStart(const std::string& folder);

// The refusal message for a start mode and English flag. The shell always
// shows it with the initial values (mode 0, flag 0), since a refused start
// never learned the others.
const char* RefusalMessage(StartMode mode, int englishFlag);

}  // namespace quorvel
