// quorvel-report: composes the project of a print hand-off file to a PDF, or
// writes it as a Word document, without a window, on the program's own code
// (form files and the Word template from PrnFiles/ in the program folder;
// QUORVEL_HOME honoured).
//   quorvel-report HANDOFF.txt --pdf OUT.pdf
//   quorvel-report HANDOFF.txt --docm OUT.docm
// Exit status 0 when the file was written; otherwise 1 (2 for a usage error)
// with a one-line reason on stderr, and an existing target left as it was.
// What the Word template lacked goes to stderr, one line each, after success.
#include <QApplication>
#include <clocale>
#include <cstdio>
#include <string>

#include "app/FontSetup.h"
#include "host/ProgramFolder.h"
#include "records/GdProject.h"
#include "report/PrintProject.h"
#include "report/ReportPdf.h"
#include "report/WordOutput.h"

namespace {

int Fail(const std::string& reason) {
  std::fprintf(stderr, "quorvel-report: %s\n", reason.c_str());
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Headless by default: no display is needed to draw a PDF.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) qputenv("QT_QPA_FONTDIR", "/usr/share/fonts");
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Quorvel"));
  quorvel::SetUpFonts();

  const QStringList args = QApplication::arguments();
  if (args.size() != 4 || (args[2] != QLatin1String("--pdf") && args[2] != QLatin1String("--docm"))) {
    std::fputs("usage: quorvel-report HANDOFF.txt --pdf OUT.pdf | --docm OUT.docm\n", stderr);
    return 2;
  }
  const bool word = args[2] == QLatin1String("--docm");
  const std::string handOff = args[1].toStdString();
  const std::string target = args[3].toStdString();

  quorvel::CPrintProject project;
  const quorvel::ProjectLoadResult loaded = quorvel::LoadProject(handOff, project.Project);
  switch (loaded.Status) {
    case quorvel::ProjectLoadStatus::kLoaded:
      break;
    case quorvel::ProjectLoadStatus::kNotOpened:
      return Fail(handOff + ": " + (loaded.Message.empty() ? std::string("cannot open") : loaded.Message));
    case quorvel::ProjectLoadStatus::kFailed:
      return Fail(handOff + ": " + loaded.Message);
  }

  const std::string formFolder = quorvel::ProgramFolder() + "PrnFiles/";
  if (word) {
    const quorvel::WordBuildResult result = quorvel::WriteReportDocument(project, formFolder, target);
    if (!result.started) {
      return Fail(formFolder + quorvel::kWordTemplateFile + ": " +
                  (result.problems.empty() ? std::string("cannot open") : result.problems.back()));
    }
    if (!result.saved) return Fail(target + ": " + (result.problems.empty() ? "not saved" : result.problems.back()));
    for (const std::string& problem : result.problems) std::fprintf(stderr, "quorvel-report: %s\n", problem.c_str());
    std::printf("quorvel-report: %s: %d page breaks\n", target.c_str(), project.PageCounter);
    return 0;
  }
  const quorvel::PdfOutcome outcome = quorvel::WriteReportPdf(project, formFolder, target);
  if (!outcome.written) return Fail(outcome.reason);
  std::printf("quorvel-report: %s: %d pages\n", target.c_str(), outcome.pages);
  return 0;
}
