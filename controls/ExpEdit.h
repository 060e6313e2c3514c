#pragma once
// The numeric edit field: filters typing and pasting to what a number may
// contain, checks the text when the focus leaves (message, previous text back,
// focus back on a failure), rewrites real numbers to their decimals and
// colours itself. The rules themselves live in ExpEditRules.
#include <QColor>
#include <QLineEdit>

#include "controls/ExpEditRules.h"

namespace quorvel {

class CExpEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit CExpEdit(QWidget* parent = nullptr);

  // Configuration; Rules() gives direct access to every field.
  ExpEditRules& Rules() { return rules_; }
  const ExpEditRules& Rules() const { return rules_; }
  void SetMode(int mode);  // ExpEditRules::kAnyText / kInteger / kReal
  void SetMaxBytes(int bytes) { rules_.maxLength = bytes; }
  void SetRange(double minimum, double maximum);  // kNoValue / kNoIntegerLimit = no limit
  void SetEmptyValue(double value) { rules_.emptyValue = value; }
  void SetDecimals(int decimals) { rules_.decimals = decimals; }
  // Shorthands: a real field with decimals and limits; an integer field.
  void SetUpReal(int decimals, double minimum = kNoValue, double maximum = kNoValue);
  void SetUpInteger(double minimum = kNoIntegerLimit, double maximum = kNoIntegerLimit);

  // Colours of an editable field and the fill of a read-only or disabled one.
  void SetTextColor(const QColor& color);
  void SetBackgroundColor(const QColor& color);
  void SetReadOnlyColor(const QColor& color);
  QColor TextColor() const { return textColor_; }
  QColor BackgroundColor() const { return backgroundColor_; }
  QColor ReadOnlyColor() const { return readOnlyColor_; }

  // Get/set operations.
  QString Text() const { return text(); }
  double Value() const;             // the empty value for an empty field
  void SetIntValue(int value);      // empty for the empty value
  void SetRealValue(double value);  // fixed decimals; empty for the empty value

  bool IsModifiedSinceFocus() const { return modified_; }
  bool CancelFlag() const { return cancel_; }

  // Pastes the clipboard text when it fits into the length limit; otherwise beeps.
  void PasteChecked();

 signals:
  // A character or paste was refused with the beep.
  void Beeped();
  // The focus-loss check failed with `code` (the message has been shown).
  void CheckFailed(int code);
  // The focus left with a valid (possibly rewritten) text.
  void Committed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Beep();
  void UpdateLook();
  int RoomBytes() const;
  void SetTextQuietly(const QString& text);

  ExpEditRules rules_;
  QColor textColor_;
  QColor backgroundColor_;
  QColor readOnlyColor_;
  QString previousText_;
  bool modified_ = false;
  bool cancel_ = false;
  bool checking_ = false;
};

}  // namespace quorvel
