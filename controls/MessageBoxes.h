#pragma once
// Message boxes in the run's language: confirmations carry the caption
// "確認" / "Caution" and their buttons read "はい"/"いいえ", "OK"/"キャンセル"
// in Japanese and "Yes"/"No", "OK"/"Cancel" in English.
#include <QMessageBox>
#include <QString>

namespace quorvel {

// Results, numbered as the host's message boxes number them.
enum MessageResult { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

enum class MessageButtons { Ok, OkCancel, YesNo };

// "確認" or "Caution".
QString ConfirmCaption();

// Shows a modal box and returns one of MessageResult. The first button is the
// default unless `secondIsDefault`.
int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, QMessageBox::Icon icon,
                   MessageButtons buttons, bool secondIsDefault = false);

// A yes/no question with the question icon and the confirmation caption.
int AskYesNo(QWidget* parent, const QString& text, bool noIsDefault = false);
// An OK/Cancel question with the question icon and the confirmation caption.
int AskOkCancel(QWidget* parent, const QString& text);
// A warning (exclamation icon, OK button) with the confirmation caption.
void ShowWarning(QWidget* parent, const QString& text);
// A notice (information icon, OK button) with the confirmation caption.
void ShowInformation(QWidget* parent, const QString& text);

}  // namespace quorvel
