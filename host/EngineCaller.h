#pragma once
// The program's side of the engine exchange: writes "data.txt" in the program
// folder, calls the engine's CalcFitting there, and reads "output.txt" back.
// One implementation for every fitting page (SR-N, liquefaction constants,
// strain form); each page formats its own items with the helpers below.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// The items of one "data.txt", already as texts. An empty text stays an empty
// item (the engine then reads the next token in its place), exactly as the
// pages' cells and no-value numbers produce it.
struct EngineRequest {
  int EquationId = 0;
  std::vector<std::string> InitialValues;                   // one line each, p0 first
  std::vector<std::string> Constants;                       // one line each (id 1: the curve's value at 0)
  std::vector<std::pair<std::string, std::string>> Bounds;  // "min<TAB>max", p0 first
  std::vector<std::pair<std::string, std::string>> Points;  // "x<TAB>y", in order
};

enum class EngineStatus {
  Fitted,          // "output.txt" was read
  DataNotWritten,  // "data.txt" could not be created: the engine was not called
  NoOutput,        // the engine left no "output.txt"
};

struct EngineResult {
  EngineStatus Status = EngineStatus::NoOutput;
  double Residual = -9e32;         // line 1; no value for an empty line
  std::vector<double> Parameters;  // lines 2 .. n+1; no value for an empty or missing line

  bool Fitted() const { return Status == EngineStatus::Fitted; }
};

// Text of "data.txt": one item per line, pairs joined by one TAB, CR LF ends.
std::string EngineDataText(const EngineRequest& request);

// Reads an "output.txt" text: the residual and `parameterCount` values.
EngineResult ParseEngineOutput(std::string_view text, int parameterCount);

// Removes trailing zeros after the decimal point, keeping one digit after it
// ("1.500000" -> "1.5", "2.000" -> "2.0"); a text without a point, or with an
// exponent, is returned as it is.
std::string TrimTrailingZeros(std::string_view text);
// "%.<decimals>f" of v with its trailing zeros removed; no value gives "".
std::string FormatTrimmed(double v, int decimals);
// "%.<decimals>f" of v as printed; no value gives "".
std::string FormatFixed(double v, int decimals);

// Drives one fit at a time through the exchange files in `folder`.
class EngineCaller {
 public:
  // The engine entry point; tests may pass their own to observe or replace it.
  using FitFunction = std::function<int()>;

  // `folder` ends in '/'; empty means the program folder. Without a fit
  // function the engine's CalcFitting is used.
  explicit EngineCaller(std::string folder = {}, FitFunction fit = {});

  // Writes "data.txt", deletes "output.txt", calls the engine with the folder
  // as the current directory (restored afterwards) and reads the answer.
  EngineResult Fit(const EngineRequest& request, int parameterCount);

  const std::string& Folder() const { return folder_; }
  // Calls of the engine made through this caller.
  std::int64_t CallCount() const { return calls_; }

 private:
  std::string folder_;
  FitFunction fit_;
  std::int64_t calls_ = 0;
};

// Calls of the engine made by every EngineCaller of the process.
std::int64_t EngineCallCount();

}  // namespace quorvel
