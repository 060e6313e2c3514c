#pragma once
// The keyboard conventions every form follows: Enter moves the focus to the
// next control instead of pressing the default button (unless the OK button
// has the focus), and Escape closes nothing. Also the resizing rule: a form
// grows with its layout but never shrinks below its first size.
#include <QObject>
#include <QPointer>

class QAbstractButton;
class QDialog;
class QWidget;

namespace quorvel {

class DialogConventions : public QObject {
  Q_OBJECT
 public:
  // Installs the conventions on `dialog` (which owns the returned object).
  // `okButton` is the one button that Enter presses while it has the focus;
  // `cancelButton` (optional) is marked so numeric fields skip their check
  // when the focus moves to it.
  static DialogConventions* Install(QDialog* dialog, QAbstractButton* okButton,
                                    QAbstractButton* cancelButton = nullptr);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  DialogConventions(QDialog* dialog, QAbstractButton* okButton);
  // Push buttons other than OK must not take Enter for themselves.
  void TameButtons();

  QDialog* dialog_;
  QPointer<QAbstractButton> okButton_;
};

// Marks `button` as the form's Cancel button (what the numeric field checks
// for); a QDialogButtonBox's reject button counts without the mark.
void MarkAsCancelButton(QAbstractButton* button);
bool IsCancelButton(const QWidget* widget);

// Lays out `window`, makes sure it is at least as big as its layout wants and
// fixes that size as the smallest it can be resized to; placeholders with a
// stretch factor keep their top-left corner and take up the growth.
void KeepInitialSizeAsMinimum(QWidget* window);

}  // namespace quorvel
