#pragma once
// Shared pieces of the engine tests: random fitting problems for every id, a
// scratch folder, and the reference lmdif run used as the oracle.
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "engine/FitExchange.h"

namespace lunvex::test {

// A fresh folder for one test, removed with its contents.
using ScratchFolder = quorvel::test::TempFolder;

// Runs `body` with the folder as the current directory, restoring it after.
template <typename Body>
void InFolder(const std::filesystem::path& folder, Body body) {
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  body();
  std::filesystem::current_path(saved);
}

// The text of "data.txt" for a request, one item per line as the program's
// callers write it ("%.17g" so nothing is lost on the way).
std::string DataText(const FitRequest& request, const std::string& lineEnd = "\r\n");

struct ProblemOptions {
  int pointCount = 0;  // N; 0 picks one at random
  bool startOutside = false;
  bool pinOne = false;
};

// A seeded random problem for the id: data near the model at random true
// parameters, bounds around them, a start near them (or outside the bounds).
FitRequest RandomProblem(int equationId, std::mt19937& random, const ProblemOptions& options);

struct OracleResult {
  std::vector<double> parameters;
  std::vector<double> residuals;
  int completion = 0;
  int sweeps = 0;
};

// The reference lmdif on the same model, start, tolerances and limits.
OracleResult RunReference(const FitRequest& request);

}  // namespace lunvex::test
