// The reading primitives of the project records and the line reader's
// failures: where (tag, line) and why, exactly as the report shows them.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "records/RecordReader.h"

namespace quorvel {
namespace {

using Strings = std::vector<std::string>;

TEST(RecordPrimitives, TokensAndFields) {
  EXPECT_EQ(SplitTokens("  [NodeCol]   5  ", kSpaceSeparators), (Strings{"[NodeCol]", "5"}));
  EXPECT_EQ(SplitTokens("5", kSpaceSeparators), (Strings{"5"}));  // no separator: one token
  EXPECT_EQ(SplitTokens("", kSpaceSeparators), Strings{});
  EXPECT_EQ(SplitTokens("1,,2, 3", kListSeparators), (Strings{"1", "2", "3"}));
  EXPECT_EQ(SplitTokens("item:1", kPrintSeparators), (Strings{"item", "1"}));
  EXPECT_EQ(SplitFields("1,,3"), (std::vector<std::string_view>{"1", "", "3"}));
  EXPECT_EQ(SplitFields("1,2,"), (std::vector<std::string_view>{"1", "2", ""}));
  EXPECT_EQ(SplitFields(""), (std::vector<std::string_view>{""}));
  EXPECT_EQ(ParseIntegerList("1 2,3  4x"), (std::vector<int>{1, 2, 3, kNoInt}));
  EXPECT_TRUE(ParseIntegerList("").empty());
  EXPECT_EQ(ParseDoubleList("0.1 2abc -9e32"), (std::vector<double>{0.1, 2.0, kNoValue}));
}

TEST(RecordPrimitives, Numbers) {
  const std::pair<const char*, int> integers[] = {{" 42 ", 42}, {"42a", kNoInt}, {"", kNoInt},    {"-7", -7},
                                                  {"+3", 3},    {"4 2", kNoInt}, {"1.0", kNoInt}, {"\t9\t", 9}};
  for (const auto& [line, value] : integers) EXPECT_EQ(ParseIntegerLine(line), value) << '"' << line << '"';
  // Lenient: the leading number; strict: the whole field, rounded half up to
  // 6 decimals and then the double nearest to that decimal.
  const std::tuple<const char*, double, double> doubles[] = {
      {"12abc", 12.0, kNoValue},
      {"", kNoValue, kNoValue},
      {" 1.5 ", 1.5, 1.5},
      {"1.23456789", 1.23456789, 1.234568},
      {"-2.0000004", -2.0000004, -2.0},
      {"abc", 0.0, kNoValue},
      {"-9e32", kNoValue, kNoValue},
      {"0.0000005", 5e-7, 1e-6},
      {"1e20", 1e20, 1e20},
  };
  for (const auto& [text, lenient, strict] : doubles) {
    EXPECT_EQ(ParseDoubleLine(text), lenient) << '"' << text << '"';
    EXPECT_EQ(ParseStrictDouble(text), strict) << '"' << text << '"';
  }
  EXPECT_EQ(std::make_pair(ParseBoolLine("True"), ParseBoolLine("False")),
            std::make_pair(std::optional(true), std::optional(false)));
  for (const char* bad : {"true", "FALSE", "True ", "", "1"}) EXPECT_FALSE(ParseBoolLine(bad).has_value()) << bad;
  EXPECT_EQ(ParseFlagLine("not_selected", "selected", "not_selected"), std::optional<bool>(false));
  EXPECT_FALSE(ParseFlagLine("Selected", "selected", "not_selected").has_value());
}

TEST(RecordPrimitives, HeadersPointsAndRows) {
  EXPECT_EQ(ParseHeaderCount("  [NodeCol]   7  "), std::optional<int>(7));
  EXPECT_EQ(ParseHeaderCount("[NodeCol] x"), std::optional<int>(kNoInt));
  EXPECT_FALSE(ParseHeaderCount("[NodeCol]").has_value());
  EXPECT_EQ((std::vector<std::size_t>{MemberCount(kNoInt), MemberCount(-3), MemberCount(4)}),
            (std::vector<std::size_t>{0, 0, 4}));
  // After the tag: one character is the version itself, a longer rest its first token.
  const std::string_view tag = "[SdParameter]";
  const std::pair<const char*, std::optional<int>> versions[] = {
      {"[SdParameter]1", 1},
      {"[SdParameter] 1", 1},
      {"[SdParameter]12 3", 12},
      {"[SdParameter]x", kNoInt},
      {"[SdParameter] ", kNoInt},
      {"[SdParameter]", std::nullopt},
      {"[SdParameter]   ", std::nullopt},
  };
  for (const auto& [header, version] : versions) EXPECT_EQ(ParseHeaderVersion(header, tag), version) << header;

  EXPECT_EQ(ParsePoint("1,2,3"), (std::optional<GdPoint>(GdPoint{1.0, 2.0})));
  EXPECT_EQ(ParsePoint("a, 2"), (std::optional<GdPoint>(GdPoint{kNoValue, 2.0})));
  EXPECT_FALSE(ParsePoint("1.5").has_value());
  std::vector<double> values;
  EXPECT_FALSE(ParseRow("1,2", 3, values) || ParseRow("1,2,3,4", 3, values));
  ASSERT_TRUE(ParseRow("1,,3", 3, values));  // a missing number keeps its column
  EXPECT_EQ(values, (std::vector<double>{1.0, kNoValue, 3.0}));
  ASSERT_TRUE(ParseRow("12abc", 1, values));  // one column: lenient double of the line
  EXPECT_EQ(values, (std::vector<double>{12.0}));
  ASSERT_TRUE(ParseRow("", 0, values));
  EXPECT_EQ(values, (std::vector<double>{kNoValue}));
}

TEST(RecordReaderTest, LineSourceAndSections) {
  RecordReader in;
  ASSERT_TRUE(in.OpenText("ToPrint\nlabel\n見出し [Layer] を含む行\n3\n"));
  std::string header;
  ASSERT_TRUE(in.SeekSection("[Layer]", header));
  EXPECT_EQ(header, "見出し [Layer] を含む行");
  EXPECT_EQ(in.LineNumber(), 3u);
  ASSERT_TRUE(in.SkipLine());
  EXPECT_FALSE(in.SkipLine());
  EXPECT_EQ(in.Error().Message(), "project line 4: the file ends early");
  EXPECT_FALSE(in.SeekSection("[Layer]", header));  // after a failure nothing reads, the first reason stays
  EXPECT_FALSE(in.HeaderCount("[Layer]", *std::make_unique<int>()));
  EXPECT_EQ(in.Error().Message(), "project line 4: the file ends early");
  in.Rewind();
  {
    RecordReader::Scope scope(in, "[Soil]");
    EXPECT_FALSE(in.SeekSection("[Soil]", header));
    EXPECT_EQ(in.Error().Message(), "[Soil] line 4: section [Soil] not found before the end of the file");
  }
  EXPECT_FALSE(in.OpenBytes(std::string_view("\x82\xA0\x00z", 4)));
  EXPECT_EQ(in.OpenError(), "NUL byte at byte 2: not a text file");
}

TEST(RecordReaderTest, PrimitiveFailuresNameTagLineAndText) {
  const std::string forty(40, 'x');
  using Read = std::function<bool(RecordReader&)>;
  const Read readBool = [](RecordReader& in) { return in.ReadBool(*std::make_unique<bool>()); };
  const std::tuple<std::string, Read, std::string> cases[] = {
      {"x\n" + forty + "\n", readBool, "line 2: expected \"True\" or \"False\", found \"" + forty + "\""},
      {"x\n" + forty + "y\n", readBool, "line 2: expected \"True\" or \"False\", found \"" + forty + "...\""},
      {"x\n1.5\n", [](RecordReader& in) { return in.ReadPoint(*std::make_unique<GdPoint>()); },
       "line 2: a point needs two comma-separated fields, found \"1.5\""},
      {"x\nrand\n", [](RecordReader& in) { return in.ReadFlag("rand_ok", "rand_ng", *std::make_unique<bool>()); },
       "line 2: expected \"rand_ok\" or \"rand_ng\", found \"rand\""},
      {"x\n[Soil]\n", [](RecordReader& in) { return in.HeaderVersion("[Soil]", "[Soil]", *std::make_unique<int>()); },
       "line 1: header has no version: \"[Soil]\""},
      {"a\nb\nc\nd\n", [](RecordReader& in) { return in.CheckCount(3) && in.CheckCount(2, 2); },
       "line 1: count 2 needs more than the 3 lines left in the file"},
  };
  for (const auto& [text, read, message] : cases) {
    RecordReader in;
    ASSERT_TRUE(in.OpenText(text));
    RecordReader::Scope scope(in, "[Test]");
    ASSERT_TRUE(in.SkipLine());
    EXPECT_FALSE(read(in)) << text;
    EXPECT_EQ(in.Error().Message(), "[Test] " + message);
  }
}

}  // namespace
}  // namespace quorvel
