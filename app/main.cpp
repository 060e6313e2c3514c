// Quorvel: started by the host with a hand-off file in the program folder.
#include <QApplication>
#include <clocale>

#include "app/FontSetup.h"
#include "app/ProgramFolder.h"
#include "app/QuorvelApp.h"
#include "srn/LiquidOptimizeDlg.h"
#include "srn/SrnFormDlg.h"
#include "strain/StrainFormDlg.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Number texts are locale-independent, but keep C's own conversions on '.'.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Quorvel"));
  quorvel::SetUpFonts();

  quorvel::RegisterModeWindow(quorvel::StartMode::StrainForm, quorvel::RunStrainForm);
  quorvel::RegisterModeWindow(quorvel::StartMode::SrnForm, quorvel::RunSrnForm);
  quorvel::RegisterSrnOptimizePages();

  quorvel::CQuorvelApp app(quorvel::ProgramFolder());
  app.Run();
  // The exit status carries nothing: the host reads the hand-off file.
  return 0;
}
