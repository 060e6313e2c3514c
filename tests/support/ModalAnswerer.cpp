#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

namespace quorvel::test {

ModalAnswerer::ModalAnswerer(Action action) : defaultAction_(std::move(action)) {
  if (!defaultAction_) defaultAction_ = Accept();
  connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::Poll);
  timer_.start(10);
}

void ModalAnswerer::Queue(Action action) { queue_.append(std::move(action)); }

void ModalAnswerer::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || modal == current_.data() || !modal->isVisible()) return;
  current_ = modal;
  SeenDialog seen;
  seen.title = modal->windowTitle();
  seen.objectName = modal->objectName();
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    seen.text = box->text();
    seen.icon = box->icon();
    for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
  }
  seen_.append(seen);
  Action action = queue_.isEmpty() ? defaultAction_ : queue_.takeFirst();
  // Answer outside the timer slot so the dialog's own event loop runs it.
  QTimer::singleShot(0, modal, [modal, action] { action(modal); });
}

ModalAnswerer::Action ModalAnswerer::Accept() {
  return [](QWidget* widget) {
    if (auto* box = qobject_cast<QMessageBox*>(widget)) {
      QAbstractButton* button = box->defaultButton();
      if (button == nullptr && !box->buttons().isEmpty()) button = box->buttons().first();
      if (button != nullptr) {
        button->click();
        return;
      }
    }
    if (auto* dialog = qobject_cast<QDialog*>(widget))
      dialog->accept();
    else
      widget->close();
  };
}

ModalAnswerer::Action ModalAnswerer::Reject() {
  return [](QWidget* widget) {
    if (auto* dialog = qobject_cast<QDialog*>(widget))
      dialog->reject();
    else
      widget->close();
  };
}

ModalAnswerer::Action ModalAnswerer::ClickButtonWithText(const QString& text) {
  return [text](QWidget* widget) {
    for (QAbstractButton* button : widget->findChildren<QAbstractButton*>()) {
      if (button->text() == text) {
        button->click();
        return;
      }
    }
    if (auto* dialog = qobject_cast<QDialog*>(widget)) dialog->reject();
  };
}

}  // namespace quorvel::test
