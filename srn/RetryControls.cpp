#include "srn/RetryControls.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "controls/ExpEdit.h"
#include "host/NumberText.h"
#include "host/StringTable.h"

namespace quorvel {
namespace {

QString S(int id, int language) { return QString::fromStdString(LoadString(id, language)); }

void Name(QWidget* widget, const char* objectName, const QString& accessible) {
  widget->setObjectName(QString::fromLatin1(objectName));
  widget->setAccessibleName(accessible);
}

}  // namespace

RetryControls MakeRetryControls(QWidget* page, int language) {
  RetryControls controls;
  controls.randomRetry = new QCheckBox(S(10054, language), page);
  Name(controls.randomRetry, "randomRetryCheck", S(10054, language));
  controls.maxTrialsLabel = new QLabel(S(10042, language), page);
  controls.maxTrials = new CExpEdit(page);
  controls.maxTrials->setMaximumWidth(60);
  Name(controls.maxTrials, "maxTrialsEdit", S(10042, language));
  auto* toleranceLabel = new QLabel(S(10043, language), page);
  controls.tolerance = new CExpEdit(page);
  controls.tolerance->setMaximumWidth(90);
  Name(controls.tolerance, "toleranceEdit", S(10043, language));
  controls.start = new QPushButton(S(10003, language), page);
  Name(controls.start, "startButton", S(10003, language));
  controls.start->setAutoDefault(false);

  controls.layout = new QHBoxLayout;
  controls.layout->addWidget(controls.randomRetry);
  controls.layout->addSpacing(12);
  controls.layout->addWidget(controls.maxTrialsLabel);
  controls.layout->addWidget(controls.maxTrials);
  controls.layout->addSpacing(12);
  controls.layout->addWidget(toleranceLabel);
  controls.layout->addWidget(controls.tolerance);
  controls.layout->addStretch();
  controls.layout->addWidget(controls.start);
  return controls;
}

int TypedTrialCount(const CExpEdit& field, int whenEmpty, int whenNotANumber) {
  const QString text = field.text().trimmed();
  if (text.isEmpty()) return whenEmpty;
  const int value = ParseInt(text.toStdString());
  return value == kNoInt ? whenNotANumber : value;
}

double TypedTolerance(const CExpEdit& field, double minimum, double maximum, double previous) {
  const double value = ParseExpRounded(3, field.text().toStdString());
  const bool accepted = !IsNoValue(value) && value >= minimum && value <= maximum;
  return accepted ? value : previous;
}

}  // namespace quorvel
