// Quorvel: started by the host with a hand-off file in the program folder.
#include <QApplication>
#include <clocale>

#include "app/FontSetup.h"
#include "app/QuorvelApp.h"
#include "host/ProgramFolder.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Number texts are locale-independent, but keep C's own conversions on '.'.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Quorvel"));
  quorvel::SetUpFonts();

  quorvel::CQuorvelApp app(quorvel::ProgramFolder());
  app.Run();
  // The exit status carries nothing: the host reads the hand-off file.
  return 0;
}
