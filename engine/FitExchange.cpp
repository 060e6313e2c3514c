#include "engine/FitExchange.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <system_error>

#include "engine/LevMarSolver.h"
#include "engine/Lunvex.h"

namespace lunvex {

namespace {

constexpr double kDivergedResidual = 100000000.0;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A number too large or too small for a double, as from_chars reports it:
// decide from the decimal (or binary) magnitude whether it overflows to
// infinity or underflows to zero, as strtod would.
double OutOfRangeValue(std::string_view digits, bool hex) {
  const char exponentMark = hex ? 'p' : 'e';
  std::int64_t exponent = 0;
  std::int64_t leading = 0;  // position of the first nonzero digit, relative to the point
  bool seenPoint = false;
  bool seenNonzero = false;
  std::int64_t integerDigits = 0;
  std::int64_t zerosAfterPoint = 0;
  std::size_t i = 0;
  for (; i < digits.size(); ++i) {
    const char c = digits[i];
    if (c == exponentMark || c == exponentMark - 'a' + 'A') break;
    if (c == '.') {
      seenPoint = true;
    } else if (!seenNonzero && c == '0') {
      if (seenPoint) ++zerosAfterPoint;
    } else {
      seenNonzero = true;
      if (!seenPoint) ++integerDigits;
    }
  }
  leading = integerDigits > 0 ? integerDigits : -zerosAfterPoint;
  if (i < digits.size()) {
    ++i;
    bool negative = false;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) negative = digits[i++] == '-';
    for (; i < digits.size() && IsDigit(digits[i]); ++i) {
      if (exponent < 100000000) exponent = exponent * 10 + (digits[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return exponent + leading > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

// Whitespace-separated number reader with the C library's scanf semantics:
// a failed conversion consumes nothing but the whitespace before it.
class TokenReader {
 public:
  explicit TokenReader(std::string_view text) : text_(text) {}

  std::size_t Remaining() const { return text_.size() - pos_; }

  bool ReadInt(int& value) {
    SkipSpace();
    std::size_t at = pos_;
    bool negative = false;
    if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) negative = text_[at++] == '-';
    if (at >= text_.size() || !IsDigit(text_[at])) return false;
    // Saturate instead of wrapping: an absurd count stays absurd, not negative.
    std::int64_t magnitude = 0;
    for (; at < text_.size() && IsDigit(text_[at]); ++at) {
      if (magnitude <= 2147483648LL) magnitude = magnitude * 10 + (text_[at] - '0');
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max()) {
      value = std::numeric_limits<int>::max();
    } else if (signedValue < std::numeric_limits<int>::min()) {
      value = std::numeric_limits<int>::min();
    } else {
      value = static_cast<int>(signedValue);
    }
    pos_ = at;
    return true;
  }

  bool ReadDouble(double& value) {
    SkipSpace();
    std::size_t at = pos_;
    bool negative = false;
    if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) negative = text_[at++] == '-';
    const char* first = text_.data() + at;
    const char* last = text_.data() + text_.size();
    bool hex = false;
    if (last - first >= 3 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X') &&
        (IsHexDigit(first[2]) || (first[2] == '.' && last - first >= 4 && IsHexDigit(first[3])))) {
      hex = true;
      first += 2;
    }
    if (first == last || *first == '+' || *first == '-') return false;
    double magnitude = 0.0;
    const auto [end, error] =
        std::from_chars(first, last, magnitude, hex ? std::chars_format::hex : std::chars_format::general);
    if (error == std::errc::invalid_argument) return false;
    if (error == std::errc::result_out_of_range) {
      magnitude = OutOfRangeValue(std::string_view(first, static_cast<std::size_t>(end - first)), hex);
    }
    value = negative ? -magnitude : magnitude;
    pos_ = static_cast<std::size_t>(end - text_.data());
    return true;
  }

 private:
  void SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

double ReadDoubleOrZero(TokenReader& reader) {
  double value = 0.0;
  reader.ReadDouble(value);
  return value;
}

int ReadIntOrZero(TokenReader& reader) {
  int value = 0;
  reader.ReadInt(value);
  return value;
}

// Largest count of items of `valuesPerItem` numbers the rest of the text
// could hold, at one byte per number.
int CapCount(int count, const TokenReader& reader, std::size_t valuesPerItem) {
  if (count <= 0) return count;
  const std::size_t room = reader.Remaining() / valuesPerItem;
  return static_cast<std::size_t>(count) > room ? static_cast<int>(room) : count;
}

std::size_t FixedConstantCount(int equationId) {
  switch (equationId) {
    case 1:
      return 1;
    case 6:
      return 2;
    case 7:
      return 11;
    default:
      return 0;
  }
}

template <typename Format>
std::string Print(double value, Format format) {
  // Fixed notation of the largest double needs 309 digits plus six decimals.
  char buffer[400];
  const auto [end, error] = format(buffer, buffer + sizeof buffer, value);
  if (error != std::errc()) return std::string();
  return std::string(buffer, end);
}

}  // namespace

ParseResult ParseFitRequest(std::string_view text) {
  ParseResult result;
  FitRequest& request = result.request;
  TokenReader reader(text);

  request.equationId = ReadIntOrZero(reader);
  const int n = GetVariableNumber(request.equationId);
  if (n < 0) {
    result.status = ParseStatus::kUndefinedEquation;
    return result;
  }
  for (int i = 0; i < n; ++i) request.initialValues.push_back(ReadDoubleOrZero(reader));

  bool hasStages = true;
  if (request.equationId == 8 || request.equationId == 9) {
    const int stages = CapCount(ReadIntOrZero(reader), reader, 3);
    hasStages = stages >= 1;
    request.constants.push_back(static_cast<double>(stages));
    const int count = (stages > 0 ? 3 * stages : 0) + (request.equationId == 9 ? 3 : 0);
    for (int i = 0; i < count; ++i) request.constants.push_back(ReadDoubleOrZero(reader));
  } else {
    const std::size_t count = FixedConstantCount(request.equationId);
    for (std::size_t i = 0; i < count; ++i) request.constants.push_back(ReadDoubleOrZero(reader));
  }
  for (int i = 0; i < 2 * n; ++i) request.constants.push_back(ReadDoubleOrZero(reader));

  const int pointCount = CapCount(ReadIntOrZero(reader), reader, 2);
  request.pointCount = pointCount;
  for (int i = 0; i < pointCount; ++i) {
    request.xValues.push_back(ReadDoubleOrZero(reader));
    request.yValues.push_back(ReadDoubleOrZero(reader));
  }
  if (pointCount <= 0) {
    result.status = ParseStatus::kNoPoints;
    return result;
  }
  if (!hasStages) {
    result.status = ParseStatus::kNoStages;
    return result;
  }
  // Fewer points than parameters: fill up with copies of the first point so
  // the solver has at least as many residuals as unknowns.
  while (request.xValues.size() < static_cast<std::size_t>(n)) {
    request.xValues.push_back(request.xValues.front());
    request.yValues.push_back(request.yValues.front());
  }
  result.status = ParseStatus::kOk;
  return result;
}

double MeanFourthPower(const std::vector<double>& residuals) {
  const auto m = static_cast<double>(residuals.size());
  double sum = 0.0;
  for (const double r : residuals) sum += r * r / m;
  return std::isfinite(sum) ? sum : kDivergedResidual;
}

std::optional<FitResult> RunFit(const FitRequest& request) {
  const std::shared_ptr<Cappfunc> model =
      GetEqFunc(request.equationId, request.xValues, request.yValues, request.constants);
  if (!model || request.xValues.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return std::nullopt;
  }
  const int n = model->VariableNumber();
  const int m = static_cast<int>(request.xValues.size());
  FitResult result;
  result.parameters = request.initialValues;
  result.parameters.resize(static_cast<std::size_t>(n), 0.0);
  result.residuals.assign(request.xValues.size(), 0.0);
  LevMarSolver solver;
  result.completion = solver.Fit(*model, m, n, result.parameters, result.residuals, 1e-20, 100.0);
  result.sweeps = solver.nfev;
  result.residual = MeanFourthPower(result.residuals);
  return result;
}

std::string FormatExponent(double value) {
  std::string text = Print(value, [](char* first, char* last, double v) {
    return std::to_chars(first, last, v, std::chars_format::scientific, 6);
  });
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string FormatFixed(double value) {
  return Print(value, [](char* first, char* last, double v) {
    return std::to_chars(first, last, v, std::chars_format::fixed, 6);
  });
}

std::string FormatFitOutput(const FitResult& result) {
  std::string text = FormatExponent(result.residual) + "\r\n";
  for (const double p : result.parameters) text += FormatFixed(p) + "\r\n";
  return text;
}

}  // namespace lunvex
