#pragma once
// Puts a text on the system clipboard as plain text.
#include <QString>

class QWidget;

namespace quorvel {

// Replaces the clipboard's contents with `text` (an empty text is a valid
// content). When there is no clipboard to open, shows the stop message with
// the caption "Clipboard" and returns false.
bool CopyTextToClipboard(const QString& text, QWidget* parent = nullptr);

}  // namespace quorvel
