#pragma once
// What the host asked for in the first three lines of the hand-off file, and
// how the window of that task closed. The shell reads the request; the mode
// windows take it and report their result.
#include <string>

#include "host/Language.h"

namespace quorvel {

enum class StartMode { SrnForm = 0, StrainForm = 1, Print = 2 };

struct StartRequest {
  bool refused = true;
  StartMode mode = StartMode::SrnForm;
  std::string stratumLabel;  // line 2, untrimmed
  int englishFlag = 0;       // line 3 by ParseInt; non-zero means English
  std::string reason;        // why the start was refused (for logs; not shown)

  // 1033 when the English flag is non-zero, else 1041.
  int LanguageId() const { return englishFlag != 0 ? kEnglish : kJapanese; }
};

// How the mode's window closed. Ok: a form has already written its answer
// and the done flag (modes 0, 1); in the print mode the shell answers "OK".
// Cancel: the shell writes the Cancel answer. NoWindow: nothing is written.
enum class ModeResult { Ok, Cancel, NoWindow };

}  // namespace quorvel
