#include "srn/AddDataDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/DialogConventions.h"
#include "controls/ExpEdit.h"
#include "controls/MessageBoxes.h"
#include "host/Language.h"
#include "host/StringTable.h"

namespace quorvel {
namespace {
QString Text(int id) { return QString::fromStdString(LoadString(id)); }
}  // namespace

CAddDataDlg::CAddDataDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("addDataDialog"));
  setWindowTitle(Text(10100));

  auto* prompt = new QLabel(Text(10018), this);
  prompt->setObjectName(QStringLiteral("promptLabel"));
  edit_ = new CExpEdit(this);
  edit_->setObjectName(QStringLiteral("daEdit"));
  edit_->SetUpInteger(-100, 100);
  edit_->setAccessibleName(prompt->text());
  auto* unit = new QLabel(QStringLiteral("[%]"), this);

  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("okButton"));
  okButton_->setAccessibleName(okButton_->text());
  auto* cancel = new QPushButton(Text(10010), this);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  cancel->setAccessibleName(cancel->text());
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
  const int value = ParseInt(edit_->text().toStdString());
  if (value == kNoInt) {
    ShowWarning(this, Text(10100));
    edit_->setFocus();
    return;
  }
  value_ = value;
  QDialog::accept();
}

}  // namespace quorvel
