#pragma once
// The Word output of the report: the same page groups through the pager into
// a Word sink that fills the document template, saved where the user picks.
#include <QDialog>
#include <string>

#include "report/PrintProject.h"
#include "report/WordSink.h"

class QProgressBar;
class QPushButton;
class QWidget;

namespace quorvel {

enum class WordOutputResult {
  kWritten,    // the document was saved
  kCancelled,  // the user chose no file: nothing created, nothing shown
  kFailed,     // the template or the save failed; the user was told
};

// The modeless progress window of the Word output: one step per page break.
// Its Cancel button exists but stays hidden and disabled while the output runs.
class CSubWordProgressDlg : public QDialog {
 public:
  explicit CSubWordProgressDlg(QWidget* parent = nullptr);
  QProgressBar* ProgressBar() const { return progress_; }
  QPushButton* CancelButton() const { return cancel_; }
  bool Cancelled() const { return cancelled_; }
  void Step();

 private:
  QProgressBar* progress_;
  QPushButton* cancel_;
  bool cancelled_ = false;
};

inline constexpr const char* kWordModuleFailedText = "Word出力モジュールが起動できません";
inline constexpr const char* kWordWrittenText = "Word 出力しました";
inline constexpr const char* kWordFailedText = "Word 出力に失敗しました";
inline constexpr const char* kWordTemplateFile = "Drevia.docm";

// Runs the Word output after the user said yes to it: the save dialog, the
// progress window, the document build and the closing message. The template
// is "Drevia.docm" in `formFolder` (which ends with a separator).
WordOutputResult RunWordOutput(CPrintProject& project, const std::string& formFolder, QWidget* parent);

// The graph a frame's name selects, drawn into a white picture of the frame's
// size (twips, at 150 dpi) as PNG bytes; empty when it cannot be encoded.
std::string RenderWordPicture(const CPrintProject& project, const std::string& frame, int widthTwips, int heightTwips);

// The whole document without a window: the template of `formFolder`, the
// groups into `target`. For the headless tool and the tests.
WordBuildResult WriteReportDocument(CPrintProject& project, const std::string& formFolder, const std::string& target);

}  // namespace quorvel
