#pragma once
// Number texts shared by every file, grid and graph of the program.
// All of them are locale-independent: the decimal point is always '.'.
#include <climits>
#include <string>
#include <string_view>

namespace quorvel {

// No-value markers: a missing double and a missing integer. Both are written
// as an empty text and read back from an empty text.
inline constexpr double kNoValue = -9e32;
inline constexpr int kNoInt = INT_MIN;

bool IsNoValue(double v);

// Fixed format with n decimals (n clamped to 0..8). The no-value marker and
// values that are not finite give an empty text.
std::string FormatDouble(double v, int n);

// Scientific text "1.234568E-3": the "%e" mantissa re-printed with n decimals,
// "E", and the exponent as "-3" or "+2". n below 0 counts as 0; n above 7 gives
// an empty mantissa (the text then starts with "E"). No value, NaN and
// infinities give an empty text.
std::string FormatExp(double v, int n);

// "%d"; the int no-value marker gives an empty text.
std::string FormatInt(int i);

// Whole text (white space trimmed at both ends) as a base-10 integer with an
// optional sign; empty, partial, or out-of-range text gives kNoInt.
int ParseInt(std::string_view text);

// Empty text gives kNoValue; otherwise the leading decimal number after
// leading white space, trailing characters ignored; no number at all ("nan" and
// "inf" included) gives 0.0. Out-of-range magnitudes give +-infinity or 0 as
// the C conversion does.
double ParseDouble(std::string_view text);

// Rounding operations. 0 and the no-value marker are returned unchanged; a step
// of 0 or less counts as 1.0; NaN and infinities pass through.
double RoundHalf(double v, double step);
double RoundUp(double v, double step);
double RoundDown(double v, double step);

// Whole text must be one decimal number (else kNoValue; "nan" and "inf" are
// none); rounded half-up to 10^-n for n = 1..10, unrounded for n = -1, to
// whole units otherwise.
double ParseDoubleRounded(int n, std::string_view text);

// As ParseDoubleRounded(-1, text), then the scientific mantissa rounded to n
// decimals (n = 1..7, whole units otherwise).
double ParseExpRounded(int n, std::string_view text);

// v, unless it lies more than 1e-13 outside [min(a,b), max(a,b)]; then that
// bound. NaN is returned unchanged.
double Clamp(double a, double b, double v);

// Text helpers used by the readers.
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);

}  // namespace quorvel
