#pragma once
// Helpers of the print-mode widget tests: projects with chosen items, a
// program folder with the form files, and poppler run as a black box.
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "TempFolder.h"
#include "report/PrintProject.h"

namespace quorvel::test {

inline const std::string kForms = std::string(QUORVEL_PRNFILES) + "/";
inline const std::string kExampleProject = std::string(QUORVEL_EXAMPLES) + "/project/project.txt";

inline void Select(CPrintProject& project, std::initializer_list<int> items) {
  project.Project.Print.Items.assign(58, false);
  for (int item : items) project.Project.Print.Items[static_cast<std::size_t>(item)] = true;
}

inline bool LoadExample(CPrintProject& project) {
  return LoadProject(kExampleProject, project.Project).Status == ProjectLoadStatus::kLoaded;
}

// Copies the shipped form files into `folder`/PrnFiles/.
inline void CopyForms(const TempFolder& folder) {
  std::filesystem::create_directories(folder.File("PrnFiles"));
  for (const auto& entry : std::filesystem::directory_iterator(QUORVEL_PRNFILES))
    std::filesystem::copy(entry.path(), folder.File("PrnFiles/" + entry.path().filename().string()));
}

struct ProcessResult {
  int exitCode = -1;
  QString out;
  QString err;
};

inline ProcessResult Run(const QString& program, const QStringList& arguments, const QStringList& environment = {}) {
  QProcess process;
  if (!environment.isEmpty()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& pair : environment) env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    process.setProcessEnvironment(env);
  }
  process.start(program, arguments);
  process.waitForFinished(60000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

inline int PdfPages(const QString& pdf) {
  const QString info = Run(QStringLiteral("pdfinfo"), {pdf}).out;
  for (const QString& line : info.split('\n'))
    if (line.startsWith(QLatin1String("Pages:"))) return line.mid(6).trimmed().toInt();
  return -1;
}

// Pixels of `colour` in `image`, and those not white.
inline int CountColour(const QImage& image, QRgb colour) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);  // scan lines, not pixel(): debug builds are slow
  int count = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) count += (line[x] & 0xFFFFFFu) == (colour & 0xFFFFFFu);
  }
  return count;
}
inline int NonWhite(const QImage& image) {
  return image.width() * image.height() - CountColour(image, qRgb(255, 255, 255));
}

// The text of page `page`, laid out as on the page.
inline QString PdfPageText(const QString& pdf, int page) {
  return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                           QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")})
      .out;
}

}  // namespace quorvel::test
