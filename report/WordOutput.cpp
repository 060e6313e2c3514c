#include "report/WordOutput.h"

#include <QCoreApplication>

#include "controls/MessageBoxes.h"
#include "host/Language.h"

namespace quorvel {

const char* WordOutputNotAvailableText() {
  return Tr("Word出力はまだ利用できません。\n印刷帳票は作成されませんでした。",
            "The Word output is not available yet.\nNo document was written.");
}

WordOutputResult RunWordOutput(CPrintProject&, const std::string&, QWidget* parent) {
  // The document writer and its sink come with the Word output; nothing is
  // written until then, and the user is told so rather than left guessing.
  ShowMessageBox(parent, QString::fromUtf8(WordOutputNotAvailableText()), QCoreApplication::applicationName(),
                 QMessageBox::Information, MessageButtons::Ok);
  return WordOutputResult::kNotAvailable;
}

}  // namespace quorvel
