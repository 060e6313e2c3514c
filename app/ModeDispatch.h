#pragma once
// The one place that knows which window serves which start mode.
#include <functional>

#include "host/StartRequest.h"

namespace quorvel {

using ModeWindowRunner = std::function<ModeResult(const StartRequest&)>;

// Runs the window of the request's mode; a mode without one gives NoWindow.
ModeResult RunModeWindow(const StartRequest& request);

}  // namespace quorvel
