#pragma once
// The retry row under the fitting grids of the SR-N optimisation page, the
// liquefaction-constants page and the strain form: random retry (1013),
// maximum trials (1014) with its label, tolerance with its label, and Start
// (1010). The row shows the settings and tells when the user changed one;
// each page sets the limits of its trial field and decides what a change means.
#include <QObject>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace quorvel {

class CExpEdit;

class RetryRow : public QObject {
  Q_OBJECT
 public:
  // Creates the controls as children of `page`, with the string-table texts
  // of `languageId` as captions and accessible names.
  RetryRow(QWidget* page, int languageId);

  // The row's layout, for the page's own layout to take.
  QHBoxLayout* Layout() const { return layout_; }
  QCheckBox* RandomRetryBox() const { return randomRetry_; }
  CExpEdit* MaxTrialsEdit() const { return maxTrials_; }
  CExpEdit* ToleranceEdit() const { return tolerance_; }
  QPushButton* StartButton() const { return start_; }

  // Shows the settings without signalling: filling a page is no edit.
  void Show(bool randomRetry, int maximumTrials, double tolerance);
  void ShowMaximumTrials(int maximumTrials);
  void ShowTolerance(double tolerance);  // scientific form, 3 decimals: 1.000E-6

  // The trial count typed: `whenEmpty` for an empty field, `whenNotANumber`
  // for text that is not a whole number.
  int TypedTrialCount(int whenEmpty, int whenNotANumber) const;
  // The tolerance typed (rounded to 3 mantissa decimals) when it lies within
  // the retry limits; otherwise `previous`.
  double TypedTolerance(double previous) const;

 signals:
  // The check box changed other than through Show (the trial field and its
  // label already follow it).
  void RandomRetryToggled(bool on);
  // The user typed into the field and then left it.
  void MaximumTrialsCommitted();
  void ToleranceCommitted();

 private:
  void FollowRandomRetry(bool on);

  QCheckBox* randomRetry_ = nullptr;
  QLabel* maxTrialsLabel_ = nullptr;
  CExpEdit* maxTrials_ = nullptr;
  CExpEdit* tolerance_ = nullptr;
  QPushButton* start_ = nullptr;
  QHBoxLayout* layout_ = nullptr;
  bool maxTrialsTyped_ = false;
  bool toleranceTyped_ = false;
};

}  // namespace quorvel
