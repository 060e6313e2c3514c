#pragma once
// The three stages of one CalcFitting run, usable without files: read the
// text of "data.txt" into a request, fit it, and format the text of
// "output.txt". CalcFitting is exactly these three plus the file I/O.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lunvex {

// One fitting problem as "data.txt" states it, copies of point 0 included.
struct FitRequest {
  int equationId = 0;
  std::vector<double> initialValues;  // n start values, p0 first
  std::vector<double> constants;      // model constants, then (lower, upper) per parameter
  std::vector<double> xValues;        // m = max(N, n) points
  std::vector<double> yValues;
  int pointCount = 0;  // N as the file gives it (after capping)
};

enum class ParseStatus {
  kOk,
  kUndefinedEquation,  // id outside 0 to 9: say so on standard output, write nothing
  kNoPoints,           // N <= 0: nothing to fit, write nothing
  kNoStages,           // ids 8, 9 with a stage count below 1: nothing to fit, write nothing
};

struct ParseResult {
  ParseStatus status = ParseStatus::kNoPoints;
  FitRequest request;
};

// Reads whitespace-separated tokens the way the C library's "%d" and "%lf"
// do: a token that does not convert leaves its item at 0 (and the reading
// position where it was, so later items are tried on the same text). Counts
// are cut to what the rest of the text could hold, one byte per number, so
// no count can make the reader allocate more than the text justifies.
ParseResult ParseFitRequest(std::string_view text);

struct FitResult {
  double residual = 0.0;           // mean fourth power of the differences, or 1e8
  std::vector<double> parameters;  // n fitted values
  std::vector<double> residuals;   // r_i = (model(x_i) - y_i)^2 at the result
  int completion = 0;              // the solver's completion code
  int sweeps = 0;                  // sweeps of residual evaluations made
};

// Fits the request with tolerance 1e-20 and factor 100. Empty when no model
// exists for the id.
std::optional<FitResult> RunFit(const FitRequest& request);

// The bytes of "output.txt": "%E" residual, then "%lf" per parameter, CR LF.
std::string FormatFitOutput(const FitResult& result);

// "%E" and "%lf" as the C library prints them in the C locale.
std::string FormatExponent(double value);
std::string FormatFixed(double value);

// Sum of r_i^2 / m in point order; 1e8 when that is not finite.
double MeanFourthPower(const std::vector<double>& residuals);

}  // namespace lunvex
