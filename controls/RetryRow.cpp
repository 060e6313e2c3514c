#include "controls/RetryRow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <utility>

#include "controls/ExpEdit.h"
#include "controls/UiText.h"
#include "host/NumberText.h"
#include "host/RetrySettings.h"

namespace quorvel {

RetryRow::RetryRow(QWidget* page, int languageId) : QObject(page) {
  randomRetry_ = new QCheckBox(UiText(10054, languageId), page);
  NameControl(randomRetry_, "randomRetryCheck", randomRetry_->text());
  maxTrialsLabel_ = new QLabel(UiText(10042, languageId), page);
  maxTrials_ = new CExpEdit(page);
  maxTrials_->SetUpInteger();
  maxTrials_->setMaximumWidth(60);
  NameControl(maxTrials_, "maxTrialsEdit", maxTrialsLabel_->text());
  auto* toleranceLabel = new QLabel(UiText(10043, languageId), page);
  tolerance_ = new CExpEdit(page);
  tolerance_->setMaximumWidth(90);
  NameControl(tolerance_, "toleranceEdit", toleranceLabel->text());
  start_ = new QPushButton(UiText(10003, languageId), page);
  NameControl(start_, "startButton", start_->text());
  start_->setAutoDefault(false);

  layout_ = new QHBoxLayout;
  layout_->addWidget(randomRetry_);
  layout_->addSpacing(12);
  layout_->addWidget(maxTrialsLabel_);
  layout_->addWidget(maxTrials_);
  layout_->addSpacing(12);
  layout_->addWidget(toleranceLabel);
  layout_->addWidget(tolerance_);
  layout_->addStretch();
  layout_->addWidget(start_);

  connect(randomRetry_, &QCheckBox::toggled, this, [this](bool on) {
    FollowRandomRetry(on);
    emit RandomRetryToggled(on);
  });
  // A field counts as changed only after the user typed into it.
  connect(maxTrials_, &QLineEdit::textEdited, this, [this] { maxTrialsTyped_ = true; });
  connect(tolerance_, &QLineEdit::textEdited, this, [this] { toleranceTyped_ = true; });
  connect(maxTrials_, &CExpEdit::Committed, this, [this] {
    if (std::exchange(maxTrialsTyped_, false)) emit MaximumTrialsCommitted();
  });
  connect(tolerance_, &CExpEdit::Committed, this, [this] {
    if (std::exchange(toleranceTyped_, false)) emit ToleranceCommitted();
  });
}

void RetryRow::FollowRandomRetry(bool on) {
  maxTrials_->setEnabled(on);
  maxTrialsLabel_->setEnabled(on);
}

void RetryRow::Show(bool randomRetry, int maximumTrials, double tolerance) {
  {
    const QSignalBlocker quiet(randomRetry_);
    randomRetry_->setChecked(randomRetry);
  }
  FollowRandomRetry(randomRetry);
  ShowMaximumTrials(maximumTrials);
  ShowTolerance(tolerance);
}

void RetryRow::ShowMaximumTrials(int maximumTrials) { maxTrials_->SetIntValue(maximumTrials); }

void RetryRow::ShowTolerance(double tolerance) { tolerance_->setText(ToQt(FormatExp(tolerance, 3))); }

int RetryRow::TypedTrialCount(int whenEmpty, int whenNotANumber) const {
  const QString text = maxTrials_->text().trimmed();
  if (text.isEmpty()) return whenEmpty;
  const int value = ParseInt(ToStd(text));
  return value == kNoInt ? whenNotANumber : value;
}

double RetryRow::TypedTolerance(double previous) const {
  const double value = ParseExpRounded(3, ToStd(tolerance_->text()));
  const bool accepted = !IsNoValue(value) && value >= kMinimumTolerance && value <= kMaximumTolerance;
  return accepted ? value : previous;
}

}  // namespace quorvel
