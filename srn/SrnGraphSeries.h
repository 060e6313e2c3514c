#pragma once
// The curve series and automatic axis ranges of the SR-N form's graphs: the
// SR-N graph of the input and optimisation pages with its fitted curves, the
// fitted alpha, beta, C curves against DA, and the SR-N curves estimated from
// alpha, beta and C at chosen DA levels.
#include <string>
#include <vector>

#include "srn/SrnFormRecord.h"

namespace quorvel {

// SR-N graph ranges from the data sets when automatic adjustment is on and
// there are points: x from the smallest N to the next power of ten above the
// largest N, y from the smallest to the largest SR snapped to the y pitch.
// A point without both numbers (no-value marker, infinity) is left out; a
// largest N of 0 or below counts as 1, as the log axis takes it, so x then
// ends at 10. Returns whether the ranges were recomputed.
bool AdjustSrnRanges(DataSetList& sets);
// DA graph ranges: x from min(0, smallest DA) to max(100, largest DA), y from
// 0 to the largest value (0.1 without points), snapped.
bool AdjustDaRanges(DataSetList& lists);

// One series per fitted SR-N curve k with its legend "<name>%近似曲線" /
// "fitting curve of the <name>%", colour entry (k mod 10) + 1 (entry 1 from
// the 60th on), sampled at x = firstX, firstX + 1, ... while x <= lastX (over
// more than 100000 steps, 100000 samples even on the log axis instead). A
// curve with all parameters 0 is one the host never fitted: no series.
std::vector<CPointDataList> FittedSrnCurveSeries(const EquationList& curves, const ColourRecord& colours, double firstX,
                                                 double lastX, bool japanese);
// The fitted curves as the input and optimisation pages draw them: across the
// SR-N graph's x range, from its minimum to one past its maximum.
std::vector<CPointDataList> SrnPageCurveSeries(const SrnFormRecord& form, bool japanese);

// The fitted constant curves (those fitted with one of the four functions)
// against DA, sampled every 0.01 from 0 to lastDa, in the constants' colours.
std::vector<CPointDataList> ConstantCurveSeries(const EquationList& constants, const ColourRecord& colours,
                                                double lastDa, bool japanese);

// DA levels of the estimated SR-N curves: 0.5, 2.0, ... 20.0, then 40, 60, 80, 100.
std::vector<double> EstimatedCurveLevels();
// SR-N curves whose a, b and c are alpha, beta and C at each estimated level,
// sampled at N = 1, 2, ... while N <= lastN, with their shared legends in
// colour entries 11-13. Empty unless all three constants exist.
std::vector<CPointDataList> EstimatedSrnCurveSeries(const EquationList& constants, const ColourRecord& colours,
                                                    double lastN, bool japanese);

}  // namespace quorvel
