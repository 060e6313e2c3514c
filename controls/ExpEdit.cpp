#include "controls/ExpEdit.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <memory>

#include "controls/DialogConventions.h"
#include "controls/MessageBoxes.h"

namespace quorvel {
namespace {

int Bytes(const QString& text) { return ExpEditRules::Cp932Bytes(text.toStdString()); }

bool IsControlText(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() >= 0x20 && c.unicode() != 0x7f) return false;
  }
  return true;
}

}  // namespace

CExpEdit::CExpEdit(QWidget* parent) : QLineEdit(parent) {
  const QPalette system = QApplication::palette();
  textColor_ = system.color(QPalette::Text);
  backgroundColor_ = system.color(QPalette::Base);
  readOnlyColor_ = system.color(QPalette::Button);
  connect(this, &QLineEdit::textEdited, this, [this] { modified_ = true; });
  UpdateLook();
}

void CExpEdit::SetMode(int mode) {
  rules_.mode = mode;
  // Numbers are typed directly; an input method would only get in the way.
  setAttribute(Qt::WA_InputMethodEnabled, mode == ExpEditRules::kAnyText);
}

void CExpEdit::SetRange(double minimum, double maximum) {
  rules_.minimum = minimum;
  rules_.maximum = maximum;
}

void CExpEdit::SetUpReal(int decimals, double minimum, double maximum) {
  SetMode(ExpEditRules::kReal);
  rules_.decimals = decimals;
  SetRange(minimum, maximum);
}

void CExpEdit::SetUpInteger(double minimum, double maximum) {
  SetMode(ExpEditRules::kInteger);
  SetRange(minimum, maximum);
}

void CExpEdit::SetTextColor(const QColor& color) {
  textColor_ = color;
  UpdateLook();
}

void CExpEdit::SetBackgroundColor(const QColor& color) {
  backgroundColor_ = color;
  UpdateLook();
}

void CExpEdit::SetReadOnlyColor(const QColor& color) {
  readOnlyColor_ = color;
  UpdateLook();
}

double CExpEdit::Value() const { return rules_.Value(text().toStdString()); }

void CExpEdit::SetIntValue(int value) { SetTextQuietly(QString::fromStdString(rules_.IntegerText(value))); }

void CExpEdit::SetRealValue(double value) { SetTextQuietly(QString::fromStdString(rules_.RealText(value))); }

void CExpEdit::SetTextQuietly(const QString& value) {
  // setText does not count as an edit: only the user's changes are checked.
  setText(value);
}

void CExpEdit::Beep() {
  QApplication::beep();
  emit Beeped();
}

int CExpEdit::RoomBytes() const { return rules_.RoomBytes(Bytes(text()), Bytes(selectedText())); }

void CExpEdit::PasteChecked() {
  if (isReadOnly()) return;
  const QString clip = QApplication::clipboard()->text();
  const int room = RoomBytes();
  if (clip.isEmpty() || (room >= 0 && Bytes(clip) > room)) {
    Beep();
    return;
  }
  paste();
}

void CExpEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) cancel_ = true;
  if (event->matches(QKeySequence::Paste)) {
    PasteChecked();
    event->accept();
    return;
  }
  const QString typed = event->text();
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  if (typed.isEmpty() || IsControlText(typed) || shortcut || isReadOnly()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  // The length limit never cuts a character: one that does not fit is dropped.
  const int room = RoomBytes();
  if (room >= 0 && Bytes(typed) > room) {
    event->accept();
    return;
  }
  const QString current = text();
  const int start = hasSelectedText() ? selectionStart() : cursorPosition();
  const int length = static_cast<int>(selectedText().size());
  const std::string utf8 = current.toStdString();
  const std::size_t byteStart = current.left(start).toStdString().size();
  const std::size_t byteLength = current.mid(start, length).toStdString().size();
  for (char32_t ch : typed.toUcs4()) {
    if (!rules_.AcceptsCharacter(utf8, byteStart, byteLength, ch)) {
      Beep();
      event->accept();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void CExpEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  const int room = RoomBytes();
  if (!commit.isEmpty() && room >= 0 && Bytes(commit) > room) {
    // Keep the characters that fit, whole.
    QString fitting;
    for (QChar c : commit) {
      if (Bytes(fitting + c) > room) break;
      fitting += c;
    }
    if (!fitting.isEmpty() && fitting.back().isHighSurrogate()) fitting.chop(1);
    QInputMethodEvent trimmed(event->preeditString(), event->attributes());
    trimmed.setCommitString(fitting, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&trimmed);
    return;
  }
  QLineEdit::inputMethodEvent(event);
}

void CExpEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // Coming back from another window or a menu in the middle of an edit keeps
  // the text of the visit's start.
  if (!modified_) previousText_ = text();
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
  // Queued so that it happens after the mouse click that gave the focus.
  QTimer::singleShot(0, this, [this] {
    if (hasFocus()) selectAll();
  });
}

void CExpEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Window switches and menus are not the user leaving the field.
  if (checking_ || event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
  QWidget* next = QApplication::focusWidget();
  if (IsCancelButton(next)) cancel_ = true;
  if (modified_ && !cancel_) {
    modified_ = false;
    const int code = rules_.Check(text().toStdString());
    if (code != ExpEditRules::kValid) {
      checking_ = true;
      ShowMessageBox(this, QString::fromStdString(rules_.Message(code)), QString::fromUtf8(ExpEditRules::Caption()),
                     QMessageBox::Warning, MessageButtons::Ok);
      setText(previousText_);
      modified_ = false;
      // The press that moved the focus away must not end as a click.
      if (auto* button = qobject_cast<QAbstractButton*>(next)) button->setDown(false);
      // The message box took the activation; the form gets it back with the field.
      window()->activateWindow();
      setFocus(Qt::OtherFocusReason);
      checking_ = false;
      emit CheckFailed(code);
      return;
    }
  }
  // Leaving for Cancel (or after Escape) leaves the text exactly as typed.
  if (rules_.mode == ExpEditRules::kReal && !cancel_)
    SetTextQuietly(QString::fromStdString(rules_.Normalised(text().toStdString())));
  modified_ = false;
  cancel_ = false;
  emit Committed();
}

void CExpEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::ReadOnlyChange || event->type() == QEvent::EnabledChange) UpdateLook();
}

void CExpEdit::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu(createStandardContextMenu());
  // The menu's paste obeys the same length limit as Ctrl+V.
  for (QAction* action : menu->actions()) {
    if (action->objectName() != QLatin1String("edit-paste")) continue;
    QAction* checked = menu->addAction(action->icon(), action->text(), this, &CExpEdit::PasteChecked);
    checked->setEnabled(action->isEnabled());
    menu->insertAction(action, checked);
    menu->removeAction(action);
    break;
  }
  menu->exec(event->globalPos());
}

void CExpEdit::UpdateLook() {
  // A read-only field does not take the focus and keeps the arrow cursor.
  setFocusPolicy(isReadOnly() ? Qt::NoFocus : Qt::StrongFocus);
  setCursor(isReadOnly() ? Qt::ArrowCursor : Qt::IBeamCursor);
  QPalette colours = palette();
  const QColor fill = (isReadOnly() || !isEnabled()) ? readOnlyColor_ : backgroundColor_;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    colours.setColor(group, QPalette::Text, textColor_);
    colours.setColor(group, QPalette::Base, fill);
  }
  setPalette(colours);
}

}  // namespace quorvel
