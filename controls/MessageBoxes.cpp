#include "controls/MessageBoxes.h"

#include <QPushButton>

#include "controls/UiText.h"

namespace quorvel {

QString ConfirmCaption() { return UiText("確認", "Caution"); }

int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, QMessageBox::Icon icon,
                   MessageButtons buttons, bool secondIsDefault) {
  QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("messageBox"));
  box.setAccessibleName(caption);
  QPushButton* first = nullptr;
  QPushButton* second = nullptr;
  switch (buttons) {
    case MessageButtons::Ok:
      first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
      break;
    case MessageButtons::OkCancel:
      first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
      second = box.addButton(UiText("キャンセル", "Cancel"), QMessageBox::RejectRole);
      break;
    case MessageButtons::YesNo:
      first = box.addButton(UiText("はい", "Yes"), QMessageBox::YesRole);
      second = box.addButton(UiText("いいえ", "No"), QMessageBox::NoRole);
      break;
  }
  box.setDefaultButton(secondIsDefault && second != nullptr ? second : first);
  // Escape and the title-bar close answer as the second button (No/Cancel), or OK.
  box.setEscapeButton(second != nullptr ? second : first);
  box.exec();
  const bool firstClicked = box.clickedButton() == first;
  switch (buttons) {
    case MessageButtons::Ok:
      return kIdOk;
    case MessageButtons::OkCancel:
      return firstClicked ? kIdOk : kIdCancel;
    case MessageButtons::YesNo:
      return firstClicked ? kIdYes : kIdNo;
  }
  return kIdCancel;
}

int AskYesNo(QWidget* parent, const QString& text, bool noIsDefault) {
  return ShowMessageBox(parent, text, ConfirmCaption(), QMessageBox::Question, MessageButtons::YesNo, noIsDefault);
}

int AskOkCancel(QWidget* parent, const QString& text) {
  return ShowMessageBox(parent, text, ConfirmCaption(), QMessageBox::Question, MessageButtons::OkCancel);
}

void ShowWarning(QWidget* parent, const QString& text) {
  ShowMessageBox(parent, text, ConfirmCaption(), QMessageBox::Warning, MessageButtons::Ok);
}

void ShowInformation(QWidget* parent, const QString& text) {
  ShowMessageBox(parent, text, ConfirmCaption(), QMessageBox::Information, MessageButtons::Ok);
}

}  // namespace quorvel
