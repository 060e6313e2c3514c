#pragma once
// The start check: the first three lines of the hand-off file say which task
// to run, the stratum label, and the language.
#include <string>

namespace quorvel {

enum class StartMode { SrnForm = 0, StrainForm = 1, Print = 2 };

struct StartRequest {
  bool refused = true;
  StartMode mode = StartMode::SrnForm;
  std::string stratumLabel;  // line 2, untrimmed
  int englishFlag = 0;       // line 3 by ParseInt; non-zero means English
  std::string reason;        // why the start was refused (for logs; not shown)

  int LanguageId() const;  // 1033 when the English flag is non-zero, else 1041
};

// Reads "temp.txt" in `folder` (ending in '/'). Refused when the file is
// missing, unreadable, not CP932 text, or its first line is not exactly one
// of "ToSrnForm", "ToStrainForm", "ToPrint".
StartRequest CheckStart(const std::string& folder);

// The refusal message for a start mode and English flag. The shell always
// shows it with the initial values (mode 0, flag 0), since a refused start
// never learned the others.
const char* RefusalMessage(StartMode mode, int englishFlag);

}  // namespace quorvel
