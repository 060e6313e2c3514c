#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/NumberText.h"

namespace quorvel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NumberText, FormatDouble) {
  struct Case {
    double value;
    int decimals;
    const char* text;
  };
  const Case cases[] = {
      {1.5, 6, "1.500000"}, {-0.25, 2, "-0.25"},
      {2.5, 0, "2"},                                         // round-half-even like printf
      {3.5, 0, "4"},        {1.23456789, 12, "1.23456789"},  // clamped to 8
      {7.0, -3, "7"},       {kNoValue, 6, ""},
      {kNaN, 6, ""},        {kInf, 6, ""},
      {-kInf, 6, ""},       {1e20, 2, "100000000000000000000.00"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDouble(c.value, c.decimals), c.text) << c.value << " " << c.decimals;
  EXPECT_FALSE(FormatDouble(-9e32 * 1.0000001, 0).empty());  // only the exact marker is empty
}

TEST(NumberText, FormatExp) {
  struct Case {
    double value;
    int decimals;
    const char* text;
  };
  const Case cases[] = {
      {0.0012345678, 6, "1.234568E-3"},
      {270.0, 0, "3E+2"},
      {0.000001, 6, "1.000000E-6"},
      {270.5, 3, "2.705E+2"},
      {0.0, 6, "0.000000E+0"},
      {-12345.0, 2, "-1.23E+4"},
      {1e300, 1, "1.0E+300"},
      {1e-300, 1, "1.0E-300"},
      {5.0, -4, "5E+0"},
      {5.0, 8, "E+0"},
      {9.9999999, 0, "1E+1"},
      {999.99996, 6, "1.000000E+3"},
      {kNoValue, 6, ""},
      {kNaN, 6, ""},
      {kInf, 3, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatExp(c.value, c.decimals), c.text) << c.value << " " << c.decimals;
}

TEST(NumberText, FormatAndParseInt) {
  EXPECT_EQ(FormatInt(42), "42");
  EXPECT_EQ(FormatInt(-7), "-7");
  EXPECT_EQ(FormatInt(kNoInt), "");
  struct Case {
    const char* text;
    int value;
  };
  const Case cases[] = {
      {"42", 42},
      {" 42 ", 42},
      {"\t-3\r", -3},
      {"+5", 5},
      {"0 ", 0},
      {"", kNoInt},
      {"   ", kNoInt},
      {"42a", kNoInt},
      {"0x", kNoInt},
      {"1.0", kNoInt},
      {"- 1", kNoInt},
      {"+-1", kNoInt},
      {"--1", kNoInt},
      {"2147483647", 2147483647},
      {"2147483648", kNoInt},
      {"-2147483649", kNoInt},
      {"99999999999999999999", kNoInt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberText, ParseDouble) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"1.5", 1.5},    {"  2.25xyz", 2.25}, {"-3e2", -300.0},  {"+4", 4.0},      {"abc", 0.0},
      {"", kNoValue},  {"   ", 0.0},        {".5", 0.5},       {"1.", 1.0},      {"1e", 1.0},
      {"1e400", kInf}, {"-1e400", -kInf},   {"1e-400", 0.0},   {"--1", 0.0},     {"-9e32", kNoValue},
      {"nan", 0.0},    {"-inf", 0.0},       {"Infinity", 0.0}, {"+nan(1)", 0.0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDouble(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberText, Rounding) {
  struct Case {
    double (*op)(double, double);
    double value;
    double step;
    double result;
  };
  const Case cases[] = {
      {RoundHalf, 2.5, 1.0, 3.0},    {RoundHalf, -2.5, 1.0, -2.0},         {RoundHalf, 2.4, 1.0, 2.0},
      {RoundHalf, 1.26, 0.1, 1.3},   {RoundHalf, 7.0, 0.0, 7.0},           {RoundHalf, 7.6, -5.0, 8.0},
      {RoundHalf, 0.0, 0.1, 0.0},    {RoundHalf, kNoValue, 1.0, kNoValue}, {RoundUp, 1.01, 0.5, 1.5},
      {RoundUp, -1.01, 0.5, -1.0},   {RoundUp, kNoValue, 1.0, kNoValue},   {RoundDown, 1.99, 0.5, 1.5},
      {RoundDown, -1.01, 0.5, -1.5}, {RoundDown, 0.0, 0.5, 0.0},           {RoundUp, kInf, 1.0, kInf},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(c.op(c.value, c.step), c.result) << c.value << " " << c.step;
  EXPECT_TRUE(std::isnan(RoundHalf(kNaN, 1.0)));
}

TEST(NumberText, ParseRounded) {
  struct Case {
    int decimals;
    const char* text;
    double value;
  };
  const Case cases[] = {
      {3, "1.23456", 1.235}, {3, " 2.0005 ", 2.001}, {-1, "1.23456", 1.23456}, {0, "2.5", 3.0},
      {11, "2.5", 3.0},      {-2, "-2.5", -2.0},     {3, "", kNoValue},        {3, "  ", kNoValue},
      {3, "1.5x", kNoValue}, {3, "abc", kNoValue},   {6, "1e-7", 0.0},         {10, "1.23456789012", 1.2345678901},
      {6, "nan", kNoValue},  {6, "inf", kNoValue},   {-1, "-inf", kNoValue},   {-1, " NaN ", kNoValue},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ParseDoubleRounded(c.decimals, c.text), c.value) << c.text;

  EXPECT_DOUBLE_EQ(ParseExpRounded(3, "0.0012345678"), 1.235e-3);
  EXPECT_DOUBLE_EQ(ParseExpRounded(1, "270.5"), 270.0);
  EXPECT_DOUBLE_EQ(ParseExpRounded(0, "270.5"), 300.0);
  EXPECT_DOUBLE_EQ(ParseExpRounded(3, "-45678"), -45680.0);
  EXPECT_EQ(ParseExpRounded(3, ""), kNoValue);
  EXPECT_EQ(ParseExpRounded(3, "1e999"), kInf);
}

TEST(NumberText, Clamp) {
  EXPECT_EQ(Clamp(0.0, 100.0, 150.0), 100.0);
  EXPECT_EQ(Clamp(100.0, 0.0, -1.0), 0.0);  // bounds in either order
  EXPECT_EQ(Clamp(0.0, 100.0, 50.0), 50.0);
  EXPECT_EQ(Clamp(0.0, 1.0, 1.0 + 5e-14), 1.0 + 5e-14);  // within the tolerance: unchanged
  EXPECT_EQ(Clamp(0.0, 1.0, 1.0 + 2e-13), 1.0);
  EXPECT_EQ(Clamp(0.001, 10000.0, kNoValue), 0.001);  // an empty cell reads as the marker
  EXPECT_TRUE(std::isnan(Clamp(0.0, 1.0, kNaN)));
}

}  // namespace
}  // namespace quorvel
