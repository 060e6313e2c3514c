#pragma once
// The shell runs one modal window per start mode. Each mode's window plugs
// itself in here (from main()), so the shell knows nothing of the forms.
#include <functional>

#include "app/StartCheck.h"

namespace quorvel {

// How the mode's window closed. Ok: a form has already written its answer
// and the done flag (modes 0, 1); in the print mode the shell answers "OK".
// Cancel: the shell writes the Cancel answer. NoWindow: nothing is written.
enum class ModeResult { Ok, Cancel, NoWindow };

using ModeWindowRunner = std::function<ModeResult(const StartRequest&)>;

void RegisterModeWindow(StartMode mode, ModeWindowRunner runner);
void ClearModeWindows();
// Runs the registered window; a mode without one gives NoWindow.
ModeResult RunModeWindow(const StartRequest& request);

}  // namespace quorvel
