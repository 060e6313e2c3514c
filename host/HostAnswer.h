#pragma once
// The answer header that the shell writes, and the done flag file.
#include <string>

#include "host/HostTextFile.h"

namespace quorvel {

// Starts an answer with "ToDrevia" and "OK" (the forms append their section).
HostTextWriter OkAnswerHeader();

// Writes the finished answer into the hand-off file of `folder` (atomically),
// then creates the done flag file whether or not the answer could be written:
// the host waits for the flag, not for the answer.
// Returns whether the answer was written.
bool DeliverAnswer(const std::string& folder, const HostTextWriter& answer, std::string* error = nullptr);

// "ToDrevia" + line end + "CANCEL" (no line end), then the done flag.
bool DeliverCancelAnswer(const std::string& folder, std::string* error = nullptr);

// "ToDrevia" + "OK", each with a line end, then the done flag (print mode).
bool DeliverPrintOkAnswer(const std::string& folder, std::string* error = nullptr);

// Creates the empty done flag file (truncating an old one). Failure is
// reported but the caller has nothing else to do about it.
bool CreateDoneFlag(const std::string& folder);

}  // namespace quorvel
