#pragma once
// The rules of the numeric edit field without the widget: which characters a
// field accepts, how its text is checked when it loses the focus, the messages
// for a failed check and how values are written into it.
#include <string>
#include <string_view>

#include "host/NumberText.h"

namespace quorvel {

// Integer-mode fields use this as "no limit" (a real-mode field uses kNoValue).
inline constexpr double kNoIntegerLimit = 2147483648.0;

class ExpEditRules {
 public:
  enum Mode { kAnyText = 0, kInteger = 1, kReal = 2 };
  enum CheckCode { kValid = 0, kNotNumber = 1, kOutOfRange = 2, kTooManyDecimals = 3 };

  // Configuration, set directly by the owner as for the field itself.
  int mode = kAnyText;
  int maxLength = 30000;         // CP932 bytes; 0 = no limit while typing
  double minimum = kNoValue;     // kNoValue (real) / kNoIntegerLimit (integer) = no limit
  double maximum = kNoValue;     // an integer field must set this (see Check)
  double emptyValue = kNoValue;  // what an empty field reads as and writes from
  int decimals = 0;              // real mode; -k: the last k integer digits must be 0

  // 0 valid, 1 not a number, 2 out of range, 3 too many decimals.
  int Check(std::string_view text) const;
  // The message for a failed check in the current language ("" for kValid).
  std::string Message(int code) const;
  // Caption of the check's message box in the current language.
  static const char* Caption();

  // The empty value for an empty text, else the leading number.
  double Value(std::string_view text) const;
  // Texts the get/set operations write: empty for the empty value.
  std::string IntegerText(int value) const;
  std::string RealText(double value) const;
  // Real mode rewrites a checked text to its value with the configured
  // decimals; other modes keep the text.
  std::string Normalised(std::string_view text) const;

  // Bytes left for typed or pasted text when `selectedBytes` of the text will be
  // replaced; -1 when the field has no limit.
  int RoomBytes(int textBytes, int selectedBytes) const;
  // Whether the mode lets `ch` be typed with the selection [selStart,
  // selStart+selLength) (positions in bytes of `text`) about to be replaced.
  bool AcceptsCharacter(std::string_view text, std::size_t selStart, std::size_t selLength, char32_t ch) const;

  // Length of a UTF-8 text in CP932 bytes; a character CP932 lacks counts as 2
  // (what it would need as a double-byte character).
  static int Cp932Bytes(std::string_view utf8);
};

}  // namespace quorvel
