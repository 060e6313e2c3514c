#include "report/WordOutput.h"

#include <QApplication>
#include <QBuffer>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/ProgramFolder.h"
#include "platform/WordDocumentWriter.h"
#include "report/PrintMode.h"
#include "report/ReportItems.h"
#include "report/ReportPageDrawing.h"

namespace quorvel {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

constexpr int kPictureDpi = 150;
constexpr std::size_t kProblemsShown = 10;

// The closing message, kept above every other window.
void ShowClosing(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
  QMessageBox box(icon, QCoreApplication::applicationName(), text, QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("wordMessage"));
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
  box.exec();
}

// What the template lacked, under the closing message: the document is
// written all the same, but the user should know what is missing from it.
QString WithProblems(const char* text, const std::vector<std::string>& problems) {
  QString message = U(text);
  if (problems.empty()) return message;
  message += QStringLiteral("\n");
  for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i)
    message += QStringLiteral("\n") + QString::fromStdString(problems[i]);
  if (problems.size() > kProblemsShown)
    message += QStringLiteral("\n… (%1)").arg(static_cast<qulonglong>(problems.size()));
  return message;
}

QString ChooseTarget(QWidget* parent) {
  QFileDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("wordSaveDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("docm"));
  dialog.setNameFilters({U("Word マクロ有効文書 (*.docm)"), U("すべて (*.*)")});
  dialog.setDirectory(QString::fromStdString(ProgramFolder()));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace

CSubWordProgressDlg::CSubWordProgressDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CSubWordProgressDlg"));
  setWindowTitle(U("Word出力中"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("progress"));
  progress_->setMinimumWidth(320);
  progress_->setTextVisible(false);
  layout->addWidget(progress_);
  cancel_ = new QPushButton(U("キャンセル"), this);
  cancel_->setObjectName(QStringLiteral("cancel"));
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  connect(cancel_, &QPushButton::clicked, this, [this] {
    cancelled_ = true;
    hide();
  });
  cancel_->setEnabled(false);
  cancel_->hide();
}

void CSubWordProgressDlg::Step() {
  progress_->setValue(std::min(progress_->value() + 1, progress_->maximum()));
  QCoreApplication::processEvents();
}

std::string RenderWordPicture(const CPrintProject& project, const std::string& frame, int widthTwips, int heightTwips) {
  if (widthTwips <= 0 || heightTwips <= 0) return {};
  const QSize pixels(std::max(1, widthTwips * kPictureDpi / 1440), std::max(1, heightTwips * kPictureDpi / 1440));
  QImage image(pixels, QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setDotsPerMeterX(qRound(kPictureDpi / 0.0254));
  image.setDotsPerMeterY(qRound(kPictureDpi / 0.0254));
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setWindow(0, 0, widthTwips, heightTwips);
    painter.setViewport(0, 0, pixels.width(), pixels.height());
    painter.setClipRect(0, 0, widthTwips, heightTwips);
    ReportFrameDrawer(project)(painter, GraphFrame{frame, 0, 0, widthTwips, heightTwips});
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return png.toStdString();
}

WordBuildResult WriteReportDocument(CPrintProject& project, const std::string& formFolder, const std::string& target) {
  WordDocumentWriter writer;
  const auto pictures = [&project](const std::string& frame, int width, int height) {
    return RenderWordPicture(project, frame, width, height);
  };
  return BuildWordDocument(project, writer, formFolder, formFolder + kWordTemplateFile, target, pictures);
}

WordOutputResult RunWordOutput(CPrintProject& project, const std::string& formFolder, QWidget* parent) {
  QCoreApplication::setApplicationName(U(kPrintApplicationName));
  const QString target = ChooseTarget(parent);
  if (target.isEmpty()) return WordOutputResult::kCancelled;

  // The range is the last composition's page count (the preview's); the
  // Word document breaks its pages at the same places.
  CSubWordProgressDlg progress(parent);
  progress.ProgressBar()->setRange(0, std::max(0, project.PageCounter + project.WordPageCounter));
  progress.ProgressBar()->setValue(0);
  progress.show();
  QCoreApplication::processEvents();

  WordDocumentWriter writer;
  const auto pictures = [&project](const std::string& frame, int width, int height) {
    return RenderWordPicture(project, frame, width, height);
  };
  const WordBuildResult result = BuildWordDocument(project, writer, formFolder, formFolder + kWordTemplateFile,
                                                   target.toStdString(), pictures, [&progress] { progress.Step(); });
  progress.hide();
  if (!result.started) ShowClosing(parent, U(kWordModuleFailedText), QMessageBox::Warning);
  if (result.saved) {
    ShowClosing(parent, WithProblems(kWordWrittenText, result.problems), QMessageBox::Information);
    return WordOutputResult::kWritten;
  }
  ShowClosing(parent, WithProblems(kWordFailedText, result.started ? result.problems : std::vector<std::string>{}),
              QMessageBox::Warning);
  return WordOutputResult::kFailed;
}

}  // namespace quorvel
