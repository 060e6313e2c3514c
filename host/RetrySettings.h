#pragma once
// Random-restart settings of a fit run, shared by every fitting page and both
// forms' hand-off sections. The defaults live here and nowhere else.

namespace quorvel {

inline constexpr int kDefaultMaximumTrials = 5;
inline constexpr double kDefaultTolerance = 1e-6;

struct RetrySettings {
  int RandomStartAllowed = 1;  // 0/1: later trials start from random values
  int MaximumTrials = kDefaultMaximumTrials;
  double Tolerance = kDefaultTolerance;  // a run stops once the residual is below it
};

}  // namespace quorvel
