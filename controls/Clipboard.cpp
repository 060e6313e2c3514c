#include "controls/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

#include "controls/MessageBoxes.h"

namespace quorvel {

bool CopyTextToClipboard(const QString& text, QWidget* parent) {
  QClipboard* clipboard = QGuiApplication::instance() != nullptr ? QGuiApplication::clipboard() : nullptr;
  if (clipboard == nullptr) {
    // The message exists only in Japanese and is shown in both languages.
    ShowMessageBox(parent, QStringLiteral("クリップボードのオープンに失敗しました。"), QStringLiteral("Clipboard"),
                   QMessageBox::Critical, MessageButtons::Ok);
    return false;
  }
  auto data = std::make_unique<QMimeData>();
  data->setText(text);
  clipboard->setMimeData(data.release());  // the clipboard owns it from here
  return true;
}

}  // namespace quorvel
