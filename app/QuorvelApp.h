#pragma once
// The start-up shell: checks the hand-off file, picks the language, runs the
// window of the start mode and answers the host.
#include <string>

#include "app/ModeDispatch.h"
#include "app/StartCheck.h"

namespace quorvel {

class CQuorvelApp {
 public:
  // `folder` is the program folder (ending in '/'). `runWindow` runs the
  // window of the start mode; tests pass their own.
  explicit CQuorvelApp(std::string folder, ModeWindowRunner runWindow = RunModeWindow);

  // The whole run: start check (refusal message and return on failure),
  // language, the mode's window, the answer and the done flag.
  ModeResult Run();

  const StartRequest& Request() const { return request_; }

 private:
  void ShowRefusal() const;

  std::string folder_;
  ModeWindowRunner runWindow_;
  StartRequest request_;
};

}  // namespace quorvel
