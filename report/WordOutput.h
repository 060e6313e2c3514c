#pragma once
// The Word output of the report: the same page groups through the pager into
// a Word sink that fills the document template, saved where the user picks.
#include <string>

#include "report/PrintProject.h"

class QWidget;

namespace quorvel {

enum class WordOutputResult {
  kWritten,       // the document was saved
  kCancelled,     // the user gave up (no file chosen)
  kFailed,        // the template or the target failed; the user was told
  kNotAvailable,  // this build has no Word output yet; the user was told
};

// Runs the Word output after the user said yes to it. Until the document
// writer exists it tells the user that the Word output is not available and
// writes nothing.
WordOutputResult RunWordOutput(CPrintProject& project, const std::string& formFolder, QWidget* parent);

// "Word出力はまだ利用できません。" / "The Word output is not available yet."
const char* WordOutputNotAvailableText();

}  // namespace quorvel
