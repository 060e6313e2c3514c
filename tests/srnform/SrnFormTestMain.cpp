// Runs the SR-N form's test classes in one process (compiling Qt tests is slow).
#include <QApplication>
#include <QDir>

#include "app/FontSetup.h"

int RunExpDataFileTests(int argc, char** argv);
int RunSrnInputPageTests(int argc, char** argv);
int RunSrnFormTests(int argc, char** argv);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const QString runtime = QDir::tempPath() + QStringLiteral("/quorvel-runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
  }
  QApplication app(argc, argv);
  quorvel::SetUpFonts();
  int failures = 0;
  failures += RunExpDataFileTests(argc, argv);
  failures += RunSrnInputPageTests(argc, argv);
  failures += RunSrnFormTests(argc, argv);
  return failures == 0 ? 0 : 1;
}
