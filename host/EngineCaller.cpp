#include "host/EngineCaller.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "engine/Lunvex.h"
#include "host/HostTextFile.h"
#include "host/NumberText.h"
#include "host/ProgramFolder.h"

namespace quorvel {
namespace {

constexpr const char* kDataFileName = "data.txt";
constexpr const char* kOutputFileName = "output.txt";
std::atomic<std::int64_t> processCalls{0};

void AppendLine(std::string& text, std::string_view line) {
  text.append(line);
  text.append("\r\n");
}

// The current directory for the length of one engine call; restored even if
// the call unwinds.
class CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(const std::string& folder) {
    std::error_code error;
    remembered_ = std::filesystem::current_path(error);
    if (error) remembered_.clear();
    std::filesystem::current_path(folder, error);
    entered_ = !error;
  }
  bool Entered() const { return entered_; }
  ~CurrentDirectoryScope() {
    if (remembered_.empty()) return;
    std::error_code error;
    std::filesystem::current_path(remembered_, error);
  }
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

 private:
  std::filesystem::path remembered_;
  bool entered_ = false;
};

}  // namespace

std::string EngineDataText(const EngineRequest& request) {
  std::string text;
  AppendLine(text, std::to_string(request.EquationId));
  for (const std::string& value : request.InitialValues) AppendLine(text, value);
  for (const std::string& value : request.Constants) AppendLine(text, value);
  for (const auto& [lower, upper] : request.Bounds) AppendLine(text, lower + "\t" + upper);
  AppendLine(text, std::to_string(request.Points.size()));
  for (const auto& [x, y] : request.Points) AppendLine(text, x + "\t" + y);
  return text;
}

EngineResult ParseEngineOutput(std::string_view text, int parameterCount) {
  EngineResult result;
  result.Status = EngineStatus::Fitted;
  std::size_t start = 0;
  // A line past the end of the text reads as empty, like a short file.
  auto nextLine = [&]() -> std::string_view {
    if (start >= text.size()) return {};
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  };
  auto value = [](std::string_view line) { return line.empty() ? kNoValue : ParseDouble(line); };
  result.Residual = value(nextLine());
  for (int i = 0; i < parameterCount; ++i) result.Parameters.push_back(value(nextLine()));
  return result;
}

std::string TrimTrailingZeros(std::string_view text) {
  std::string out(text);
  const std::size_t point = out.find('.');
  if (point == std::string::npos || out.find_first_of("eE") != std::string::npos) return out;
  const std::size_t last = out.find_last_not_of('0');
  if (last != point) {
    out.erase(last + 1);
  } else {
    // Keep one digit after the point ("2." becomes "2.0").
    out.erase(point + 1);
    out.push_back('0');
  }
  return out;
}

std::string FormatFixed(double v, int decimals) {
  if (IsNoValue(v)) return {};
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return buffer;
}

std::string FormatTrimmed(double v, int decimals) { return TrimTrailingZeros(FormatFixed(v, decimals)); }

EngineCaller::EngineCaller(std::string folder, FitFunction fit)
    : folder_(folder.empty() ? ProgramFolder() : std::move(folder)), fit_(std::move(fit)) {
  if (folder_.back() != '/') folder_.push_back('/');
  if (!fit_) fit_ = [] { return CalcFitting(); };
}

EngineResult EngineCaller::Fit(const EngineRequest& request, int parameterCount) {
  EngineResult result;
  {
    // A fresh file rather than a truncated one: ext4 flushes a file rewritten
    // after truncation at its close, which made every fit wait for the disk.
    std::error_code removeError;
    std::filesystem::remove(folder_ + kDataFileName, removeError);
    std::ofstream data(folder_ + kDataFileName, std::ios::binary | std::ios::trunc);
    if (!data) {
      result.Status = EngineStatus::DataNotWritten;
      return result;
    }
    data << EngineDataText(request);
    data.close();
    if (!data) {
      result.Status = EngineStatus::DataNotWritten;
      return result;
    }
  }
  // An answer left over from an earlier fit must never pass for this one.
  std::error_code error;
  std::filesystem::remove(folder_ + kOutputFileName, error);
  {
    CurrentDirectoryScope scope(folder_);
    // Elsewhere the engine would read and write files that are not ours.
    if (!scope.Entered()) return result;
    ++calls_;
    ++processCalls;
    fit_();
  }
  // The engine writes a few short lines; anything huge is not its answer.
  constexpr std::size_t kMaxOutputBytes = 1u << 20;
  std::string text;
  if (!ReadFileBytes(folder_ + kOutputFileName, text, kMaxOutputBytes)) {
    result.Status = EngineStatus::NoOutput;
    return result;
  }
  return ParseEngineOutput(text, parameterCount);
}

std::int64_t EngineCallCount() { return processCalls.load(); }

}  // namespace quorvel
