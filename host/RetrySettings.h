#pragma once
// Random-restart settings of a fit run, shared by every fitting page and both
// forms' hand-off sections. The defaults and the limits every retry row
// applies live here and nowhere else.

namespace quorvel {

inline constexpr int kDefaultMaximumTrials = 5;
inline constexpr double kDefaultTolerance = 1e-6;
// A typed trial count below this is raised to it.
inline constexpr int kMinimumTrials = 1;
// A typed tolerance outside [minimum, maximum] is refused (the previous one stays).
inline constexpr double kMinimumTolerance = 1e-10;
inline constexpr double kMaximumTolerance = 1000.0;

struct RetrySettings {
  int RandomStartAllowed = 1;  // 0/1: later trials start from random values
  int MaximumTrials = kDefaultMaximumTrials;
  double Tolerance = kDefaultTolerance;  // a run stops once the residual is below it
};

}  // namespace quorvel
