#include "QtTestMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include "app/FontSetup.h"

namespace quorvel::test {

int RunQtTestGroups(int argc, char** argv, std::initializer_list<QtTestGroup> groups) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const QString runtime = QDir::tempPath() + QStringLiteral("/quorvel-runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
  }
  QApplication app(argc, argv);
  SetUpFonts();
  int failures = 0;
  for (QtTestGroup group : groups) failures += group(argc, argv);
  return failures == 0 ? 0 : 1;
}

}  // namespace quorvel::test
