// Number texts and the host files' field splitter, at the edges where a slip
// would hide: both sides of every bound, exact texts. The string table's texts
// are checked where they are shown (the forms' tests, both languages).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "host/InvalidArgument.h"
#include "host/NumberText.h"
#include "host/StringSplit.h"

namespace quorvel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Fixed: round-half-even like printf, at most 8 decimals. Scientific: the %e
// mantissa (6 decimals) re-printed; more than 7 decimals leave no mantissa.
TEST(NumberText, Formatting) {
  const std::tuple<double, int, const char*, const char*> cases[] = {
      {1.5, 6, "1.500000", "1.500000E+0"},
      {-0.25, 2, "-0.25", "-2.50E-1"},
      {2.5, 0, "2", "2E+0"},
      {3.5, 0, "4", "4E+0"},
      {1.23456789, 8, "1.23456789", "E+0"},
      {1.23456789, 9, "1.23456789", "E+0"},
      {1.23456789, 7, "1.2345679", "1.2345680E+0"},
      {7.0, -3, "7", "7E+0"},
      {0.0, 6, "0.000000", "0.000000E+0"},
      {1e-300, 1, "0.0", "1.0E-300"},
      {9.9999999, 0, "10", "1E+1"},
      {kNoValue, 6, "", ""},
      {-kInf, 3, "", ""},
  };
  for (const auto& [value, decimals, fixed, exp] : cases) {
    EXPECT_EQ(FormatDouble(value, decimals), fixed) << value << " " << decimals;
    EXPECT_EQ(FormatExp(value, decimals), exp) << value << " " << decimals;
  }
  EXPECT_FALSE(FormatDouble(-9e32 * 1.0000001, 0).empty());  // only the exact marker is empty
  EXPECT_EQ(FormatInt(-7) + FormatInt(kNoInt), "-7");
}

TEST(NumberText, Parsing) {
  const std::pair<const char*, int> ints[] = {
      {" 42 ", 42},           {"\t-3\r", -3},          {"+5", 5},       {"", kNoInt},
      {"   ", kNoInt},        {"42a", kNoInt},         {"1.0", kNoInt}, {"- 1", kNoInt},
      {"+-1", kNoInt},        {"++1", kNoInt},         {"--1", kNoInt}, {"2147483647", 2147483647},
      {"2147483648", kNoInt}, {"-2147483649", kNoInt},
  };
  for (const auto& [text, value] : ints) EXPECT_EQ(ParseInt(text), value) << '"' << text << '"';

  // Out of range as strtod: overflow is infinite, underflow 0, also without an exponent.
  const std::string tiny = "0." + std::string(400, '0') + "1";
  const std::pair<std::string, double> doubles[] = {
      {"1.5", 1.5},
      {"  2.25xyz", 2.25},
      {"-3e2", -300.0},
      {"+4", 4.0},
      {"abc", 0.0},
      {"", kNoValue},
      {"   ", 0.0},
      {".5", 0.5},
      {"1e", 1.0},
      {"-9e32", kNoValue},
      {"1e400", kInf},
      {"1e-400", 0.0},
      {tiny, 0.0},
      {tiny.substr(1), 0.0},
      {"1" + std::string(400, '0'), kInf},
      // Only digits start a number: "nan" and "inf" are no numbers.
      {"nan", 0.0},
      {"-inf", 0.0},
  };
  for (const auto& [text, value] : doubles) EXPECT_EQ(ParseDouble(text), value) << '"' << text.substr(0, 9) << '"';
}

TEST(NumberText, Rounding) {
  const std::tuple<double (*)(double, double), double, double, double> cases[] = {
      {RoundHalf, 2.5, 1.0, 3.0},    {RoundHalf, -2.5, 1.0, -2.0},         {RoundHalf, -2.6, 1.0, -3.0},
      {RoundHalf, 1.26, 0.1, 1.3},   {RoundHalf, 7.0, 0.0, 7.0},           {RoundHalf, 7.6, -5.0, 8.0},
      {RoundHalf, 0.0, 0.1, 0.0},    {RoundHalf, kNoValue, 1.0, kNoValue}, {RoundUp, 1.01, 0.5, 1.5},
      {RoundUp, -1.01, 0.5, -1.0},   {RoundUp, kNoValue, 1.0, kNoValue},   {RoundDown, 1.99, 0.5, 1.5},
      {RoundDown, -1.01, 0.5, -1.5}, {RoundDown, 0.0, 0.5, 0.0},           {RoundUp, kInf, 1.0, kInf},
  };
  for (const auto& [op, value, step, result] : cases) EXPECT_DOUBLE_EQ(op(value, step), result) << value << " " << step;
  EXPECT_TRUE(std::isnan(RoundHalf(kNaN, 1.0)));

  // Decimals 1..10 round half up (whole units outside, -1 not at all); the
  // scientific form rounds the %e mantissa to 1..7 decimals.
  const std::tuple<double (*)(int, std::string_view), int, const char*, double> rounded[] = {
      {ParseDoubleRounded, 3, " 2.0005 ", 2.001},
      {ParseDoubleRounded, -1, "1.23456", 1.23456},
      {ParseDoubleRounded, 0, "2.5", 3.0},
      {ParseDoubleRounded, 11, "2.5", 3.0},
      {ParseDoubleRounded, -2, "-2.5", -2.0},
      {ParseDoubleRounded, 1, "0.25", 0.3},
      {ParseDoubleRounded, 10, "1.23456789016", 1.2345678902},
      {ParseDoubleRounded, 3, "", kNoValue},
      {ParseDoubleRounded, 3, "1.5x", kNoValue},
      {ParseDoubleRounded, 6, "nan", kNoValue},
      {ParseDoubleRounded, 6, "inf", kNoValue},
      {ParseDoubleRounded, 6, "1e-7", 0.0},
      {ParseExpRounded, 3, "0.0012345678", 1.235e-3},
      {ParseExpRounded, 1, "270.5", 270.0},
      {ParseExpRounded, 0, "270.5", 300.0},
      {ParseExpRounded, 7, "1.23456789e-3", 1.234568e-3},
      {ParseExpRounded, 8, "1.23456789e-3", 1e-3},
      {ParseExpRounded, 3, "-45678", -45680.0},
      {ParseExpRounded, 3, "1e999", kInf},
  };
  for (const auto& [parse, decimals, text, value] : rounded) EXPECT_DOUBLE_EQ(parse(decimals, text), value) << text;
}

TEST(NumberText, ClampHasAToleranceOnBothSides) {
  const std::tuple<double, double, double, double> cases[] = {
      {0, 100, 150, 100},   {100, 0, -1, 0},        {0, 100, 50, 50},  {0, 1, 1 + 5e-14, 1 + 5e-14},
      {0, 1, 1 + 2e-13, 1}, {0, 1, -5e-14, -5e-14}, {0, 1, -2e-13, 0}, {0.001, 10000.0, kNoValue, 0.001},
  };
  for (const auto& [a, b, v, result] : cases) EXPECT_EQ(Clamp(a, b, v), result) << a << " " << b << " " << v;
  EXPECT_TRUE(std::isnan(Clamp(0.0, 1.0, kNaN)));
}

// A line in which nothing was cut gives no pieces; the last piece is not trimmed.
TEST(StringSplit, HostLines) {
  using Pieces = std::vector<std::string>;
  const std::tuple<const char*, std::string_view, Pieces> cases[] = {
      {"[SrnData]1", CStringSplit::D5, {"[SrnData", "1"}},
      {"5", CStringSplit::D4, {}},
      {"1 ,2", CStringSplit::D4, {"1", ",2"}},
      {"1.5,,2.5", CStringSplit::D4, {"1.5", ",2.5"}},
      {"[SrnParameter]1 3", CStringSplit::D5, {"[SrnParameter", "1", "3"}},
      {"[SrnParameter] 3", CStringSplit::D5, {"[SrnParameter", " 3"}},
      {",,", CStringSplit::D4, {}},
      {",1,2", CStringSplit::D4, {",1", "2"}},
      {"10 : 0.25", CStringSplit::D4, {"10", ":", "0.25"}},
      {"a\tb", CStringSplit::D4, {"a", "b"}},
      {"1,2, 3 ", CStringSplit::D4, {"1", "2", "3"}},
      {"", CStringSplit::D4, {}},
  };
  CStringSplit splitter;
  for (const auto& [line, delimiters, pieces] : cases) EXPECT_EQ(splitter.Split(line, delimiters), pieces) << line;

  splitter.Split("1,2", CStringSplit::D4);
  EXPECT_EQ(splitter.Piece(2), "2");
  EXPECT_THROW(splitter.Piece(0), InvalidArgument);
  try {
    splitter.Piece(3);
    ADD_FAILURE() << "piece 3 of 2";
  } catch (const InvalidArgument& e) {
    EXPECT_STREQ(e.what(), "CStringSplit::Piece: index 2 outside a list of 2");
  }
}

}  // namespace
}  // namespace quorvel
