#pragma once
// The row under both optimisation pages' grids: random retry, maximum trial
// count, tolerance and Start. Each page sets the fields' limits itself.
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace quorvel {

class CExpEdit;

struct RetryControls {
  QCheckBox* randomRetry = nullptr;  // 1013
  QLabel* maxTrialsLabel = nullptr;
  CExpEdit* maxTrials = nullptr;  // 1014
  CExpEdit* tolerance = nullptr;
  QPushButton* start = nullptr;   // 1010
  QHBoxLayout* layout = nullptr;  // for the page's own layout to take
};

// Creates the controls as children of `page`, with the string-table texts of
// `language` as captions and accessible names.
RetryControls MakeRetryControls(QWidget* page, int language);

// The trial count typed into `field`: `whenEmpty` for an empty field,
// `whenNotANumber` for text that is not a whole number.
int TypedTrialCount(const CExpEdit& field, int whenEmpty, int whenNotANumber);

// The tolerance typed into `field` (rounded to 3 mantissa decimals) when it
// lies within [minimum, maximum]; otherwise `previous`.
double TypedTolerance(const CExpEdit& field, double minimum, double maximum, double previous);

}  // namespace quorvel
