#pragma once
// Everything the SR-N form and the strain form own and exchange with the host.
// The hand-off readers fill these records, the forms' pages edit them, and the
// answer writers write them back.
#include <array>
#include <string>

#include "app/ColourFile.h"
#include "app/NumberText.h"
#include "srn/DataSetList.h"
#include "srn/EqBase.h"

namespace quorvel {

// Random-restart settings of a fit run.
struct RetrySettings {
  int RandomStartAllowed = 1;  // 0/1: later trials start from random values
  int MaximumTrials = 5;
  double Tolerance = 1e-6;     // a run stops once the residual is below it
};

// Settings of the liquefaction-constants page.
struct ConstantFitSettings {
  static constexpr std::size_t kRows = 9;
  static constexpr std::size_t kColumns = 8;
  using Table = std::array<std::array<double, kColumns>, kRows>;

  ConstantFitSettings() { Reset(); }
  // All cells no value, codes 1, 1, 1, 5 trials, random start, 1e-6.
  void Reset();

  Table Cells;                           // the page's 9 x 8 grid
  std::array<int, 3> FunctionCodes{};   // function list index of alpha, beta, C, kept as read
  int MaximumTrials = 5;
  bool RandomStartAllowed = true;
  double Tolerance = 1e-6;
};

// Names of the three liquefaction constants, in list order.
inline constexpr const char* kConstantNames[3] = {"α", "β", "C"};

struct SrnFormRecord {
  DataSetList DataSets;         // one data set per DA level, with the SR-N graph's axes
  EquationList SrnCurves;       // CEq1Param k belongs to data set k
  EquationList ConstantCurves;  // empty or alpha, beta, C (CEq3Param..CEq6Param)
  RetrySettings SrnRetry;       // SR-N optimisation page
  ConstantFitSettings ConstantSettings;
  DataSetList DaGraph;          // DA-alpha,beta,C graph: its axes and series
  ColourRecord Colours = ColourRecord::Defaults();

  bool Unchanged = false;     // set after a load; any edit clears it (OK then answers CANCEL)
  bool HostSentSets = true;   // the host sent at least one data set
  int SrnNotOptimised = 1;    // 0/1: no SR-N curves are available
  bool LoadFailed = false;    // reading the hand-off file failed
  bool DataChanged = false;   // the input page changed the data; the other pages must refresh
};

struct StrainFormRecord {
  // Rows of Parameters: the five fitted parameters.
  enum ParameterRow { kA1 = 0, kT1 = 1, kD1 = 2, kT2 = 3, kD2 = 4 };
  // Columns of Parameters.
  enum ParameterColumn { kInitial = 0, kMinimum = 1, kMaximum = 2 };
  // Order of Results.
  enum Result { kResultA1 = 0, kResultT1, kResultD1, kResultA2, kResultT2, kResultD2 };

  StrainFormRecord();

  // The experiment data: the first series of DataSets, or nullptr.
  CPointDataList* ExperimentData();
  const CPointDataList* ExperimentData() const;
  // Axis values of the strain graph after "All clear".
  static void ResetGraphAxes(DataSetList& graph);

  RetrySettings Retry;
  DataSetList DataSets;  // the strain graph: experiment data first, with the axes
  double PeakFrictionAngle = kNoValue;                // phi peak, degrees
  std::array<std::array<double, 3>, 5> Parameters{};  // A1, t1, d1, t2, d2 x initial, min, max
  std::array<double, 6> Results{};                    // A1, t1, d1, A2, t2, d2 of the last accepted fit
  double Residual = kNoValue;                         // residual norm of that fit
  int Argument = 0;  // 0 DA strain, 1 cumulative damage; -1 no selection
  ColourRecord Colours = ColourRecord::Defaults();

  bool NotFinished = true;  // no fit run has ended since "All clear"
  bool Unchanged = false;   // nothing changed since the data came from the host
  bool LoadFailed = false;
};

}  // namespace quorvel
