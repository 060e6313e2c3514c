#include "host/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace quorvel {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string ToFixed(double v, int decimals) {
  std::array<char, 400> buffer{};
  auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::fixed, decimals);
  if (error != std::errc()) return {};
  return std::string(buffer.data(), end);
}

// Parses a leading decimal number the way strtod does in the C locale, but
// without depending on the process locale (Qt switches it on start), and
// without strtod's "nan" and "inf" words.
// Returns the number of characters consumed (0 when there is no number).
std::size_t ParseLeadingDouble(std::string_view text, double& value) {
  std::size_t pos = 0;
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // Only decimal digits make a number: from_chars would also read "nan" and
  // "inf", which no cell, field or file of ours may hold.
  auto isDigit = [&text](std::size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
  if (!isDigit(pos) && !(pos < text.size() && text[pos] == '.' && isDigit(pos + 1))) return 0;
  double magnitude = 0.0;
  auto result = std::from_chars(text.data() + pos, text.data() + text.size(), magnitude, std::chars_format::general);
  if (result.ec == std::errc::invalid_argument) return 0;
  std::size_t consumed = static_cast<std::size_t>(result.ptr - text.data());
  if (result.ec == std::errc::result_out_of_range) {
    // As strtod: overflow gives infinity, underflow gives 0.
    std::string_view digits = text.substr(pos, consumed - pos);
    std::size_t e = digits.find_first_of("eE");
    bool negativeExponent = e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-';
    // Below 1 when every digit before the point is 0 ("0.000...1" underflows).
    std::string_view mantissa = digits.substr(0, std::min(e, digits.size()));
    bool fraction = mantissa.substr(0, mantissa.find('.')).find_first_not_of('0') == std::string_view::npos;
    magnitude = (negativeExponent || fraction) ? 0.0 : HUGE_VAL;
  }
  value = negative ? -magnitude : magnitude;
  return consumed;
}

double StepOrOne(double step) { return step > 0.0 ? step : 1.0; }

bool PassesThrough(double v) { return v == 0.0 || IsNoValue(v) || !std::isfinite(v); }

// Splits the "%e" text of v into mantissa and exponent.
void SplitScientific(double v, double& mantissa, int& exponent) {
  std::array<char, 64> buffer{};
  auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::scientific, 6);
  std::string_view text(buffer.data(), error == std::errc() ? static_cast<std::size_t>(end - buffer.data()) : 0);
  std::size_t e = text.find('e');
  mantissa = 0.0;
  exponent = 0;
  if (e == std::string_view::npos) return;
  ParseLeadingDouble(text.substr(0, e), mantissa);
  exponent = ParseInt(text.substr(e + 1));
}

}  // namespace

bool IsNoValue(double v) { return v == kNoValue; }

std::string_view TrimView(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

std::string FormatDouble(double v, int n) {
  if (IsNoValue(v) || !std::isfinite(v)) return {};
  if (n < 0) n = 0;
  if (n > 8) n = 8;
  return ToFixed(v, n);
}

std::string FormatExp(double v, int n) {
  if (IsNoValue(v) || !std::isfinite(v)) return {};
  if (n < 0) n = 0;
  double mantissa = 0.0;
  int exponent = 0;
  SplitScientific(v, mantissa, exponent);
  std::string mantissaText = n > 7 ? std::string() : ToFixed(mantissa, n);
  std::string exponentText = exponent < 0 ? std::to_string(exponent) : "+" + std::to_string(exponent);
  return mantissaText + "E" + exponentText;
}

std::string FormatInt(int i) {
  if (i == kNoInt) return {};
  return std::to_string(i);
}

int ParseInt(std::string_view text) {
  std::string_view trimmed = TrimView(text);
  if (trimmed.empty()) return kNoInt;
  std::size_t pos = 0;
  if (trimmed[0] == '+') {  // from_chars takes '-' but not '+'
    pos = 1;
    if (pos < trimmed.size() && (trimmed[pos] == '+' || trimmed[pos] == '-')) return kNoInt;
  }
  int value = 0;
  auto [ptr, error] = std::from_chars(trimmed.data() + pos, trimmed.data() + trimmed.size(), value, 10);
  if (error != std::errc() || ptr != trimmed.data() + trimmed.size()) return kNoInt;
  return value;
}

double ParseDouble(std::string_view text) {
  if (text.empty()) return kNoValue;
  double value = 0.0;
  if (ParseLeadingDouble(text, value) == 0) return 0.0;
  return value;
}

double RoundHalf(double v, double step) {
  if (PassesThrough(v)) return v;
  step = StepOrOne(step);
  return std::floor((v * (10.0 / step) + 5.0) / 10.0) * step;
}

double RoundUp(double v, double step) {
  if (PassesThrough(v)) return v;
  step = StepOrOne(step);
  return std::ceil(v * (1.0 / step)) * step;
}

double RoundDown(double v, double step) {
  if (PassesThrough(v)) return v;
  step = StepOrOne(step);
  return std::floor(v * (1.0 / step)) * step;
}

double ParseDoubleRounded(int n, std::string_view text) {
  std::string_view trimmed = TrimView(text);
  if (trimmed.empty()) return kNoValue;
  double value = 0.0;
  if (ParseLeadingDouble(trimmed, value) != trimmed.size()) return kNoValue;
  if (n == -1) return value;
  if (n >= 1 && n <= 10) return RoundHalf(value, std::pow(10.0, -n));
  return RoundHalf(value, 1.0);
}

double ParseExpRounded(int n, std::string_view text) {
  double value = ParseDoubleRounded(-1, text);
  if (IsNoValue(value) || !std::isfinite(value)) return value;
  double mantissa = 0.0;
  int exponent = 0;
  SplitScientific(value, mantissa, exponent);
  double step = (n >= 1 && n <= 7) ? std::pow(10.0, -n) : 1.0;
  return RoundHalf(mantissa, step) * std::pow(10.0, exponent);
}

double Clamp(double a, double b, double v) {
  double low = a < b ? a : b;
  double high = a < b ? b : a;
  if (v < low - 1e-13) return low;
  if (v > high + 1e-13) return high;
  return v;
}

}  // namespace quorvel
