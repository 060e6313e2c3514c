#include "srn/AddDataDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/DialogConventions.h"
#include "controls/ExpEdit.h"
#include "controls/MessageBoxes.h"
#include "controls/UiText.h"
#include "host/NumberText.h"

namespace quorvel {
CAddDataDlg::CAddDataDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("addDataDialog"));
  setWindowTitle(UiText(10100));

  auto* prompt = new QLabel(UiText(10018), this);
  NameControl(prompt, "promptLabel", prompt->text());
  edit_ = new CExpEdit(this);
  NameControl(edit_, "daEdit", prompt->text());
  edit_->SetUpInteger(-100, 100);
  auto* unit = new QLabel(QStringLiteral("[%]"), this);

  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  NameControl(okButton_, "okButton", okButton_->text());
  auto* cancel = new QPushButton(UiText(10010), this);
  NameControl(cancel, "cancelButton", cancel->text());
  connect(okButton_, &QPushButton::clicked, this, &CAddDataDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CAddDataDlg::reject);

  auto* valueRow = new QHBoxLayout;
  valueRow->addWidget(edit_, 1);
  valueRow->addWidget(unit);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addLayout(valueRow);
  layout->addLayout(buttons);

  DialogConventions::Install(this, okButton_, cancel);
  KeepInitialSizeAsMinimum(this);
  edit_->setFocus();
}

void CAddDataDlg::accept() {
  const int value = ParseInt(ToStd(edit_->text()));
  if (value == kNoInt) {
    ShowWarning(this, UiText(10100));
    edit_->setFocus();
    return;
  }
  value_ = value;
  QDialog::accept();
}

}  // namespace quorvel
