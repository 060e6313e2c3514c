#pragma once
// CAddDataDlg asks for the DA value (a whole number of percent, -100 to 100)
// of a new data set on the SR-N input page.
#include <QDialog>

#include "host/NumberText.h"

class QPushButton;

namespace quorvel {

class CExpEdit;

class CAddDataDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAddDataDlg(QWidget* parent = nullptr);

  // The accepted value; kNoInt before an accepted OK.
  int Value() const { return value_; }
  CExpEdit* Edit() const { return edit_; }
  QPushButton* OkButton() const { return okButton_; }

 public slots:
  // An empty field shows "数値を入力してください。" and keeps the dialog open.
  void accept() override;

 private:
  CExpEdit* edit_;
  QPushButton* okButton_;
  int value_ = kNoInt;
};

}  // namespace quorvel
