#include "controls/DialogConventions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>

namespace quorvel {
namespace {
const char* const kCancelMark = "quorvelCancelButton";
const char* const kKeepsEnter = "keepsEnterKey";

// Widgets such as the grid use Enter themselves (to commit a cell).
bool KeepsEnter(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
    if (w->property(kKeepsEnter).toBool()) return true;
  }
  return false;
}
}  // namespace

DialogConventions* DialogConventions::Install(QDialog* dialog, QAbstractButton* okButton,
                                              QAbstractButton* cancelButton) {
  auto* conventions = new DialogConventions(dialog, okButton);
  if (cancelButton != nullptr) MarkAsCancelButton(cancelButton);
  return conventions;
}

DialogConventions::DialogConventions(QDialog* dialog, QAbstractButton* okButton)
    : QObject(dialog), dialog_(dialog), okButton_(okButton) {
  dialog->installEventFilter(this);
  TameButtons();
}

void DialogConventions::TameButtons() {
  for (QPushButton* button : dialog_->findChildren<QPushButton*>()) {
    if (button->window() != dialog_) continue;
    button->setDefault(false);
    button->setAutoDefault(button == okButton_.data());
  }
}

bool DialogConventions::eventFilter(QObject* watched, QEvent* event) {
  if (watched != dialog_) return false;
  if (event->type() == QEvent::Show) {
    // Buttons added after Install follow the rule too.
    TameButtons();
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
  if (key->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) return true;
  if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus->window() != dialog_) return true;
    if (focus == okButton_.data()) {
      okButton_->click();
      return true;
    }
    if (KeepsEnter(focus)) return false;
    // A Tab sent to the focus widget moves on exactly as Tab would.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(focus, &tab);
    return true;
  }
  return false;
}

void MarkAsCancelButton(QAbstractButton* button) {
  if (button != nullptr) button->setProperty(kCancelMark, true);
}

bool IsCancelButton(const QWidget* widget) {
  const auto* button = qobject_cast<const QAbstractButton*>(widget);
  if (button == nullptr) return false;
  if (button->property(kCancelMark).toBool()) return true;
  if (const auto* box = qobject_cast<const QDialogButtonBox*>(button->parentWidget())) {
    const QDialogButtonBox::ButtonRole role = box->buttonRole(const_cast<QAbstractButton*>(button));
    return role == QDialogButtonBox::RejectRole;
  }
  return false;
}

void KeepInitialSizeAsMinimum(QWidget* window) {
  if (QLayout* layout = window->layout()) layout->activate();
  window->resize(window->size().expandedTo(window->sizeHint()).expandedTo(window->minimumSizeHint()));
  window->setMinimumSize(window->size());
}

}  // namespace quorvel
