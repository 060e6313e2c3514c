#include "controls/ExpEditRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "host/HostTextFile.h"
#include "host/Language.h"

namespace quorvel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Limits in the message are printed as C's "%.*f" prints them, so a limit at
// its no-limit value still shows (the message always names both limits).
std::string LimitText(double value, int decimals) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals > 0 ? decimals : 0, value);
  return buffer;
}

std::string ReplaceFirst(std::string text, std::string_view marker, std::string_view with) {
  std::size_t pos = text.find(marker);
  if (pos != std::string::npos) text.replace(pos, marker.size(), with);
  return text;
}

// Length in bytes of the UTF-8 sequence starting with `lead`.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

}  // namespace

int ExpEditRules::Check(std::string_view text) const {
  if (text.empty()) return kValid;
  if (mode == kInteger) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (!IsDigit(text[i]) && !(i == 0 && text[i] == '-')) return kNotNumber;
    }
    // Compared as a double so that a text longer than an int cannot overflow.
    double value = ParseDouble(text);
    if (minimum != kNoIntegerLimit && minimum > value) return kOutOfRange;
    if (maximum != kNoIntegerLimit && value > maximum) return kOutOfRange;
    return kValid;
  }
  if (mode != kReal) return kValid;

  std::size_t point = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (IsDigit(c) || (i == 0 && c == '-')) continue;
    if (c == '.' && point == std::string_view::npos) {
      point = i;
      continue;
    }
    return kNotNumber;
  }
  double value = ParseDouble(text);
  if (minimum != kNoValue && minimum > value) return kOutOfRange;
  if (maximum != kNoValue && maximum < value) return kOutOfRange;

  if (decimals >= 0) {
    if (point == std::string_view::npos) return kValid;
    for (std::size_t i = point + 1 + static_cast<std::size_t>(decimals); i < text.size(); ++i) {
      if (text[i] != '0') return kTooManyDecimals;
    }
    return kValid;
  }
  // Negative decimals: the last k integer digits and every fraction digit are
  // zero. A shorter integer part counts its missing digits as zeros, so "-0"
  // and "0" pass and "5" fails for k = 2.
  std::size_t integerEnd = point == std::string_view::npos ? text.size() : point;
  std::size_t k = static_cast<std::size_t>(-static_cast<long>(decimals));
  std::size_t checked = 0;
  for (std::size_t i = integerEnd; i > 0 && checked < k; --i) {
    char c = text[i - 1];
    if (!IsDigit(c)) break;
    if (c != '0') return kTooManyDecimals;
    ++checked;
  }
  if (point != std::string_view::npos) {
    for (std::size_t i = point + 1; i < text.size(); ++i) {
      if (text[i] != '0') return kTooManyDecimals;
    }
  }
  return kValid;
}

std::string ExpEditRules::Message(int code) const {
  switch (code) {
    case kNotNumber:
      return Tr("値が正しくありません。\n\n（数値を入力してください。）",
                "Value is incorrect. \n\n(Please enter a numeric value.)");
    case kOutOfRange: {
      std::string text = Tr("数値が範囲外です。\n\n（%s ～ %s までの範囲で入力してください。）",
                            "Numeric value out of range.\n\n (Please enter in the range of up to %s ～ %s.)");
      text = ReplaceFirst(text, "%s", LimitText(minimum, decimals));
      return ReplaceFirst(text, "%s", LimitText(maximum, decimals));
    }
    case kTooManyDecimals:
      if (decimals >= 0) {
        return ReplaceFirst(Tr("少数桁がオーバーしています。\n\n（少数 %d桁 以内で入力してください。）",
                               "Small number of digits exceeds the limit.\n\n (Please enter d digits few %d.)）"),
                            "%d", std::to_string(decimals));
      }
      return ReplaceFirst(
          Tr("整数部下 %d桁 はゼロで入力してください。", "Please enter at zero integer subordinates %d digits."), "%d",
          std::to_string(-static_cast<long>(decimals)));
    default:
      return {};
  }
}

const char* ExpEditRules::Caption() { return Tr("入力確認", "Input validation"); }

double ExpEditRules::Value(std::string_view text) const {
  if (text.empty()) return emptyValue;
  return ParseDouble(text);
}

std::string ExpEditRules::IntegerText(int value) const {
  if (static_cast<double>(value) == emptyValue) return {};
  return FormatInt(value);
}

std::string ExpEditRules::RealText(double value) const {
  if (value == emptyValue) return {};
  // A negative decimals value shows the number without decimals.
  return FormatDouble(value, std::max(decimals, 0));
}

std::string ExpEditRules::Normalised(std::string_view text) const {
  if (mode != kReal) return std::string(text);
  return RealText(Value(text));
}

int ExpEditRules::RoomBytes(int textBytes, int selectedBytes) const {
  if (maxLength == 0) return -1;
  return std::max(0, maxLength - textBytes + selectedBytes);
}

bool ExpEditRules::AcceptsCharacter(std::string_view text, std::size_t selStart, std::size_t selLength,
                                    char32_t ch) const {
  if (mode == kAnyText) return true;
  if (ch >= U'0' && ch <= U'9') return true;
  if (ch == U'-') return text.find('-') == std::string_view::npos && selStart == 0;
  if (ch == U'.' && mode == kReal) {
    std::size_t point = text.find('.');
    return point == std::string_view::npos || (point >= selStart && point < selStart + selLength);
  }
  return false;
}

int ExpEditRules::Cp932Bytes(std::string_view utf8) {
  std::string converted;
  if (Utf8ToCp932(utf8, converted)) return static_cast<int>(converted.size());
  int bytes = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length = std::min(SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    bytes += Utf8ToCp932(utf8.substr(i, length), converted) ? static_cast<int>(converted.size()) : 2;
    i += length;
  }
  return bytes;
}

}  // namespace quorvel
