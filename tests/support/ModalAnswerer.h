#pragma once
// Answers modal dialogs that a widget test runs into: a timer looks for the
// active modal widget, records what it shows and answers it, so tests can
// drive code that calls exec().
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

namespace quorvel::test {

struct SeenDialog {
  QString title;
  QString text;  // a message box's text; empty for other dialogs
  QString objectName;
  QStringList buttons;  // button texts of a message box
  int icon = 0;         // QMessageBox::Icon of a message box
};

class ModalAnswerer : public QObject {
  Q_OBJECT
 public:
  // Receives the modal widget; must close it (accept, reject, click, ...).
  using Action = std::function<void(QWidget*)>;

  // Answers every modal widget with `action` (default: accept / press the
  // message box's default or first button).
  explicit ModalAnswerer(Action action = {});
  // Answers the next modal widgets with these actions in order, then with the default.
  void Queue(Action action);

  const QList<SeenDialog>& Seen() const { return seen_; }

  // Actions.
  static Action ClickButtonWithText(const QString& text);
  static Action Accept();
  static Action Reject();

 private:
  void Poll();
  QTimer timer_;
  Action defaultAction_;
  QList<Action> queue_;
  QList<SeenDialog> seen_;
  QPointer<QWidget> current_;
};

}  // namespace quorvel::test
