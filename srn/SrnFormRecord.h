#pragma once
// Everything the SR-N form owns and exchanges with the host. The hand-off
// reader fills it, the form's pages edit it, and the answer writer writes it back.
#include <array>
#include <string>

#include "graph/DataSetList.h"
#include "host/ColourFile.h"
#include "host/NumberText.h"
#include "host/RetrySettings.h"
#include "srn/EqBase.h"

namespace quorvel {

// Settings of the liquefaction-constants page.
struct ConstantFitSettings {
  static constexpr std::size_t kRows = 9;
  static constexpr std::size_t kColumns = 8;
  using Table = std::array<std::array<double, kColumns>, kRows>;

  ConstantFitSettings() { Reset(); }
  // All cells no value, codes 1, 1, 1, the default retry settings.
  void Reset();

  Table Cells;                         // the page's 9 x 8 grid
  std::array<int, 3> FunctionCodes{};  // function list index of alpha, beta, C, kept as read
  int MaximumTrials = kDefaultMaximumTrials;
  bool RandomStartAllowed = true;
  double Tolerance = kDefaultTolerance;
};

// Names of the three liquefaction constants, in list order.
inline constexpr const char* kConstantNames[3] = {"α", "β", "C"};

struct SrnFormRecord {
  DataSetList DataSets;         // one data set per DA level, with the SR-N graph's axes
  EquationList SrnCurves;       // CEq1Param k belongs to data set k
  EquationList ConstantCurves;  // empty or alpha, beta, C (CEq3Param..CEq6Param)
  RetrySettings SrnRetry;       // SR-N optimisation page
  ConstantFitSettings ConstantSettings;
  DataSetList DaGraph;  // DA-alpha,beta,C graph: its axes and series
  ColourRecord Colours = ColourRecord::Defaults();

  bool Unchanged = false;    // set after a load; any edit clears it (OK then answers CANCEL)
  bool HostSentSets = true;  // the host sent at least one data set
  int SrnNotOptimised = 1;   // 0/1: no SR-N curves are available
  bool LoadFailed = false;   // reading the hand-off file failed
  bool DataChanged = false;  // the input page changed the data; the other pages must refresh
};

}  // namespace quorvel
