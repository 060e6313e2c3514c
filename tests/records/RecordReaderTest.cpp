#include <gtest/gtest.h>

#include "records/RecordReader.h"

namespace quorvel {
namespace {

using Strings = std::vector<std::string>;

TEST(RecordTokens, SplitTokensDropsEmptyPiecesAndTrims) {
  EXPECT_EQ(SplitTokens("[NodeCol] 5", kSpaceSeparators), (Strings{"[NodeCol]", "5"}));
  EXPECT_EQ(SplitTokens("  a   b  ", kSpaceSeparators), (Strings{"a", "b"}));
  EXPECT_EQ(SplitTokens("5", kSpaceSeparators), (Strings{"5"}));  // no separator: one token
  EXPECT_EQ(SplitTokens("", kSpaceSeparators), Strings{});
  EXPECT_EQ(SplitTokens("1,,2, 3", kListSeparators), (Strings{"1", "2", "3"}));
  EXPECT_EQ(SplitTokens("item:1", kPrintSeparators), (Strings{"item", "1"}));
}

TEST(RecordTokens, SplitFieldsKeepsEmptyFields) {
  EXPECT_EQ(SplitFields("1,,3").size(), 3u);
  EXPECT_EQ(SplitFields("").size(), 1u);
  EXPECT_EQ(SplitFields("1,2,").size(), 3u);
}

TEST(RecordPrimitives, IntegerLine) {
  struct Case {
    const char* line;
    int value;
  };
  const Case cases[] = {{" 42 ", 42}, {"42a", kNoInt}, {"", kNoInt},    {"-7", -7},
                        {"+3", 3},    {"4 2", kNoInt}, {"1.0", kNoInt}, {"\t9\t", 9}};
  for (const Case& c : cases) EXPECT_EQ(ParseIntegerLine(c.line), c.value) << '"' << c.line << '"';
}

TEST(RecordPrimitives, LenientAndStrictDouble) {
  struct Case {
    const char* text;
    double lenient;
    double strict;
  };
  const Case cases[] = {
      {"12abc", 12.0, kNoValue},
      {"", kNoValue, kNoValue},
      {" 1.5 ", 1.5, 1.5},
      {"1.23456789", 1.23456789, 1.234568},
      {"-2.0000004", -2.0000004, -2.0},
      {"1e3", 1000.0, 1000.0},
      {"abc", 0.0, kNoValue},
      {"-9e32", kNoValue, kNoValue},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ParseDoubleLine(c.text), c.lenient) << '"' << c.text << '"';
    EXPECT_DOUBLE_EQ(ParseStrictDouble(c.text), c.strict) << '"' << c.text << '"';
  }
  // A decimal with at most six places reads back as the nearest double to it.
  EXPECT_EQ(ParseStrictDouble("0.560000"), 0.56);
  EXPECT_EQ(ParseStrictDouble("-0.1"), -0.1);
  EXPECT_EQ(ParseStrictDouble("1e20"), 1e20);
}

TEST(RecordPrimitives, BoolAndFlagLines) {
  EXPECT_EQ(ParseBoolLine("True"), std::optional<bool>(true));
  EXPECT_EQ(ParseBoolLine("False"), std::optional<bool>(false));
  for (const char* bad : {"true", "FALSE", "True ", "", "1"}) EXPECT_FALSE(ParseBoolLine(bad).has_value()) << bad;
  EXPECT_EQ(ParseFlagLine("rand_ok", "rand_ok", "rand_ng"), std::optional<bool>(true));
  EXPECT_EQ(ParseFlagLine("rand_ng", "rand_ok", "rand_ng"), std::optional<bool>(false));
  EXPECT_EQ(ParseFlagLine("not_selected", "selected", "not_selected"), std::optional<bool>(false));
  EXPECT_FALSE(ParseFlagLine("Selected", "selected", "not_selected").has_value());
}

TEST(RecordPrimitives, HeaderCount) {
  EXPECT_EQ(ParseHeaderCount("[NodeCol] 5"), std::optional<int>(5));
  EXPECT_EQ(ParseHeaderCount("  [NodeCol]   7  "), std::optional<int>(7));
  EXPECT_EQ(ParseHeaderCount("[NodeCol] x"), std::optional<int>(kNoInt));
  EXPECT_FALSE(ParseHeaderCount("[NodeCol]").has_value());
  EXPECT_FALSE(ParseHeaderCount("").has_value());
  EXPECT_EQ(MemberCount(kNoInt), 0u);
  EXPECT_EQ(MemberCount(-3), 0u);
  EXPECT_EQ(MemberCount(4), 4u);
}

TEST(RecordPrimitives, HeaderVersion) {
  const std::string_view tag = "[SdParameter]";
  EXPECT_EQ(ParseHeaderVersion("[SdParameter]1", tag), std::optional<int>(1));
  EXPECT_EQ(ParseHeaderVersion("[SdParameter] 1", tag), std::optional<int>(1));
  EXPECT_EQ(ParseHeaderVersion("[SdParameter]12 3", tag), std::optional<int>(12));
  EXPECT_EQ(ParseHeaderVersion("[SdParameter]x", tag), std::optional<int>(kNoInt));
  EXPECT_FALSE(ParseHeaderVersion("[SdParameter]", tag).has_value());
  EXPECT_FALSE(ParseHeaderVersion("[SdParameter]   ", tag).has_value());
}

TEST(RecordPrimitives, Point) {
  EXPECT_EQ(ParsePoint("1.5,2.5"), (std::optional<GdPoint>(GdPoint{1.5, 2.5})));
  EXPECT_EQ(ParsePoint("1,2,3"), (std::optional<GdPoint>(GdPoint{1.0, 2.0})));
  EXPECT_EQ(ParsePoint("a, 2"), (std::optional<GdPoint>(GdPoint{kNoValue, 2.0})));
  EXPECT_EQ(ParsePoint(",2"), (std::optional<GdPoint>(GdPoint{kNoValue, 2.0})));
  EXPECT_FALSE(ParsePoint("1.5").has_value());
  EXPECT_FALSE(ParsePoint("").has_value());
}

TEST(RecordPrimitives, Row) {
  std::vector<double> values;
  EXPECT_FALSE(ParseRow("1,2", 3, values));  // two fields in a three-column table
  EXPECT_FALSE(ParseRow("1,2,3,4", 3, values));
  ASSERT_TRUE(ParseRow("1, 2.0000004 ,3", 3, values));
  EXPECT_EQ(values, (std::vector<double>{1.0, 2.0, 3.0}));
  ASSERT_TRUE(ParseRow("1,,3", 3, values));  // a missing number keeps its column
  EXPECT_EQ(values, (std::vector<double>{1.0, kNoValue, 3.0}));
  ASSERT_TRUE(ParseRow("12abc", 1, values));  // one column: lenient double of the line
  EXPECT_EQ(values, (std::vector<double>{12.0}));
  ASSERT_TRUE(ParseRow("", 0, values));
  EXPECT_EQ(values, (std::vector<double>{kNoValue}));
}

TEST(RecordPrimitives, Lists) {
  EXPECT_EQ(ParseIntegerList("1 2,3  4x"), (std::vector<int>{1, 2, 3, kNoInt}));
  EXPECT_EQ(ParseIntegerList("7"), (std::vector<int>{7}));
  EXPECT_TRUE(ParseIntegerList("").empty());
  EXPECT_EQ(ParseDoubleList("0.1 2abc -9e32"), (std::vector<double>{0.1, 2.0, kNoValue}));
}

TEST(RecordReaderTest, LineSourceFailsAtTheEnd) {
  RecordReader in;
  ASSERT_TRUE(in.OpenText("a\r\nb\r\n"));
  std::string line;
  ASSERT_TRUE(in.NextLine(line));
  EXPECT_EQ(line, "a");
  ASSERT_TRUE(in.NextLine(line));
  EXPECT_EQ(in.LineNumber(), 2u);
  EXPECT_FALSE(in.NextLine(line));
  EXPECT_EQ(in.Error().Line, 2u);
  EXPECT_EQ(in.Error().Reason, "the file ends early");
  // After a failure every primitive fails without reading.
  EXPECT_FALSE(in.SkipLine());
}

TEST(RecordReaderTest, SeekSectionSkipsUnrelatedLinesAndFindsTagInsideALine) {
  RecordReader in;
  ASSERT_TRUE(in.OpenText("ToPrint\nlabel\n0\nother\n見出し [Layer] を含む行\n3\n"));
  std::string header;
  ASSERT_TRUE(in.SeekSection("[Layer]", header));
  EXPECT_EQ(header, "見出し [Layer] を含む行");
  EXPECT_EQ(in.LineNumber(), 5u);
  {
    RecordReader::Scope scope(in, "[Soil]");
    EXPECT_FALSE(in.SeekSection("[Soil]", header));
  }
  EXPECT_EQ(in.Error().Message(), "[Soil] line 6: section [Soil] not found before the end of the file");
}

TEST(RecordReaderTest, PrimitiveFailuresNameTagAndLine) {
  using Primitive = bool (*)(RecordReader&);
  struct Case {
    const char* text;
    Primitive read;
    const char* message;
  };
  const Case cases[] = {
      {"x\ntrue\n",
       [](RecordReader& in) {
         bool v = false;
         return in.ReadBool(v);
       },
       "[Test] line 2: expected \"True\" or \"False\", found \"true\""},
      {"x\n1.5\n",
       [](RecordReader& in) {
         GdPoint v;
         return in.ReadPoint(v);
       },
       "[Test] line 2: a point needs two comma-separated fields, found \"1.5\""},
      {"x\nrand\n",
       [](RecordReader& in) {
         bool v = false;
         return in.ReadFlag("rand_ok", "rand_ng", v);
       },
       "[Test] line 2: expected \"rand_ok\" or \"rand_ng\", found \"rand\""},
      {"x\n1,2\n",
       [](RecordReader& in) {
         std::vector<double> v;
         return in.ReadRow(3, v);
       },
       "[Test] line 2: a row needs 3 comma-separated fields, found \"1,2\""},
      {"x\n",
       [](RecordReader& in) {
         int v = 0;
         return in.ReadInteger(v);
       },
       "[Test] line 1: the file ends early"},
      {"x\n[Soil]\n",
       [](RecordReader& in) {
         int v = 0;
         return in.HeaderVersion("[Soil]", "[Soil]", v);
       },
       "[Test] line 1: header has no version: \"[Soil]\""},
  };
  for (const Case& c : cases) {
    RecordReader in;
    ASSERT_TRUE(in.OpenText(c.text));
    RecordReader::Scope scope(in, "[Test]");
    ASSERT_TRUE(in.SkipLine());
    EXPECT_FALSE(c.read(in)) << c.text;
    EXPECT_EQ(in.Error().Message(), c.message);
  }
}

TEST(RecordReaderTest, CountBeyondTheLinesLeftFailsEarly) {
  RecordReader in;
  ASSERT_TRUE(in.OpenText("a\nb\nc\n"));
  EXPECT_TRUE(in.CheckCount(3));
  EXPECT_FALSE(in.CheckCount(2, 2));
  EXPECT_EQ(in.Error().Reason, "count 2 needs more than the 3 lines left in the file");
}

TEST(RecordReaderTest, NotCp932DoesNotOpen) {
  RecordReader in;
  EXPECT_FALSE(in.OpenBytes(std::string_view("\x82\xA0\x00z", 4)));
  EXPECT_FALSE(in.OpenError().empty());
  EXPECT_FALSE(in.Open("/nonexistent/quorvel/project.txt"));
}

}  // namespace
}  // namespace quorvel
