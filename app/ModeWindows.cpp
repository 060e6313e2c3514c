#include "app/ModeWindows.h"

#include <map>
#include <utility>

namespace quorvel {
namespace {
std::map<StartMode, ModeWindowRunner>& Runners() {
  static std::map<StartMode, ModeWindowRunner> runners;
  return runners;
}
}  // namespace

void RegisterModeWindow(StartMode mode, ModeWindowRunner runner) { Runners()[mode] = std::move(runner); }

void ClearModeWindows() { Runners().clear(); }

ModeResult RunModeWindow(const StartRequest& request) {
  auto it = Runners().find(request.mode);
  if (it == Runners().end() || !it->second) return ModeResult::NoWindow;
  return it->second(request);
}

}  // namespace quorvel
