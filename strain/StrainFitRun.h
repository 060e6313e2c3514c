#pragma once
// "Start" of the strain form: up to max-trials fits of the strain curve
// through the engine, later trials from random initial values, keeping the
// fit with the smallest residual in the optimised-parameter grid.
#include <functional>

#include "host/EngineCaller.h"
#include "strain/StrainFormModel.h"

namespace quorvel {

class StrainFitRun {
 public:
  // Called after every trial that did not reach the tolerance, once the graph
  // series are rebuilt, so the form can show the progress.
  using Progress = std::function<void()>;

  StrainFitRun(StrainFormModel& model, EngineCaller& caller) : model_(model), caller_(caller) {}

  // A cell of the initial-parameter grid (1-based) whose item data.txt needs
  // but which holds no number; row 0 when every item is there.
  struct MissingCell {
    int row = 0;
    int column = 0;
  };
  // The first such cell in reading order (rows 1..3, columns left to right).
  MissingCell FirstMissingCell() const;

  // The whole run: start residual 1e8, the trials, then the flags. With a
  // missing cell nothing runs and nothing changes; the result is false.
  bool Run(const Progress& progress = {});

  // One fit from the grid's current values; true when it was accepted (its
  // residual is smaller than the one shown). A fit whose exchange file cannot
  // be complete (an empty value or bound, or phi peak) is not sent.
  bool FitOnce();

  // The exchange items of a fit from the grid's current texts; false when
  // an item would be empty.
  bool BuildRequest(EngineRequest& request) const;

  int TrialsMade() const { return trials_; }

 private:
  void DrawInitialValues();

  StrainFormModel& model_;
  EngineCaller& caller_;
  int trials_ = 0;
};

}  // namespace quorvel
