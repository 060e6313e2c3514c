#include "app/ModeDispatch.h"

#include "report/PrintMode.h"
#include "srn/SrnFormDlg.h"
#include "strain/StrainFormDlg.h"

namespace quorvel {

ModeResult RunModeWindow(const StartRequest& request) {
  switch (request.mode) {
    case StartMode::SrnForm:
      return RunSrnForm(request);
    case StartMode::StrainForm:
      return RunStrainForm(request);
    case StartMode::Print:
      return RunPrintMode(request);
  }
  return ModeResult::NoWindow;
}

}  // namespace quorvel
