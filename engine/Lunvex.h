#pragma once
// Public interface of the Lunvex fitting engine.
//
// The program binds only CalcFitting: it writes "data.txt" into the current
// directory, calls CalcFitting, and reads "output.txt". GetEqFunc and
// GetVariableNumber expose the model factory to any other caller.
#include <memory>
#include <vector>

#include "engine/Cappfunc.h"
#include "engine/LunvexExport.h"

extern "C" {
// Reads "data.txt" and writes "output.txt" in the current directory. Always
// returns 0; success is a fresh "output.txt". Never throws.
LUNVEX_API int CalcFitting(void);
// Number of fitted parameters of an equation id 0 to 9; -1 for any other id.
LUNVEX_API int GetVariableNumber(int equationId);
}

// A new model of the id over copies of the points, its constants followed by
// the interleaved bounds (lower p0, upper p0, lower p1, …); empty for an id
// outside 0 to 9.
LUNVEX_API std::shared_ptr<lunvex::Cappfunc> GetEqFunc(int equationId, const std::vector<double>& xValues,
                                                       const std::vector<double>& yValues,
                                                       const std::vector<double>& constants);
