// The input page's data-file format: exact bytes written, reading rules,
// encodings, and loads that must fail as a whole.
#include <gtest/gtest.h>

#include <tuple>

#include "TempFolder.h"
#include "host/NumberText.h"
#include "srn/ExpDataFile.h"

namespace quorvel {
namespace {

TEST(ExpDataFile, PointNumbersAndTheEightLineSave) {
  const std::pair<double, const char*> numbers[] = {
      {2.0, "2.0"}, {1.5, "1.5"}, {100.0, "100.0"}, {0.1234567891, "0.1234567891"}, {kNoValue, ""}};
  for (const auto& [value, text] : numbers) EXPECT_EQ(FormatPointNumber(value), text) << value;

  DataSetList sets;
  CPointDataList five("5");
  five.AppendPoint(1, 0.3);
  five.AppendPoint(10, 0.25);
  sets.Append(std::move(five));
  sets.Append(CPointDataList("3"));
  test::TempFolder folder;
  ASSERT_TRUE(WriteExpDataFile(folder.File("out.txt"), sets));
  EXPECT_EQ(folder.ReadBytes("out.txt"), "[ExpData]\r\n2\r\n5\r\n2\r\n1.0,0.3\r\n10.0,0.25\r\n3\r\n0\r\n");
}

TEST(ExpDataFile, PointLines) {
  const std::tuple<const char*, bool, double, double> cases[] = {
      {"100.0,0.25", true, 100.0, 0.25},
      {"10 : 0.25", true, 10.0, 0.25},
      {"10,,0.25", true, 10.0, 0.25},
      {"10\t0.25", true, 10.0, 0.25},
      {"1.23456,0.0005", true, 1.235, 0.001},  // rounded to 3 decimals
      {"1,2,3", true, 1.0, 2.0},               // a third piece is ignored
      {"abc,0.25", true, kNoValue, 0.25},      // text gives no value
      {"10", false, 0, 0},
      {"10,", false, 0, 0},
      {", :", false, 0, 0},
      {"", false, 0, 0},
  };
  for (const auto& [line, readable, x, y] : cases) {
    double readX = 0, readY = 0;
    ASSERT_EQ(ParseExpDataPointLine(line, readX, readY), readable) << line;
    EXPECT_TRUE(!readable || (readX == x && readY == y)) << line << ": " << readX << " " << readY;
  }
}

TEST(ExpDataFile, HeadersAndLoadsThatFailAsAWhole) {
  // bytes, loads, sets read, line of the problem (0: not about one line)
  const std::tuple<std::string, bool, int, int> cases[] = {
      {"[ExpData]\n1\n5\n1\n1.0,0.3\n", true, 1, 0},
      {"ExpData list\n1\n5\n0\n", true, 1, 0},
      {"Data\n1\n5\n0\n", false, 0, 1},
      {"", false, 0, 1},
      {"[ExpData]\n", false, 0, 2},                                  // no set count
      {"[ExpData]\nmany\n5\n", true, 0, 0},                          // a text count reads 0
      {"[ExpData]\n1 set\n5\n1 point\n1,2\n", true, 1, 0},           // leading integers count
      {"[ExpData]\n3\n5\n0\n", false, 0, 5},                         // more sets than lines
      {"[ExpData]\n1\n5\n4\n1,2\n3,4\n", false, 0, 4},               // more points than lines
      {"[ExpData]\n2\n5\n1\n1,2\n3\n1\n7\n", false, 0, 8},           // a short point line
      {std::string("[ExpData]\n1\n\0\x01\x02\n", 16), false, 0, 0},  // binary
      {"[ExpData]\n1\n\x81\x20\n0\n", false, 0, 0},                  // neither encoding
  };
  for (const auto& [bytes, loads, sets, line] : cases) {
    std::vector<CPointDataList> read(1, CPointDataList("kept"));
    ExpDataProblem problem;
    ASSERT_EQ(ParseExpDataBytes(bytes, read, &problem), loads) << bytes;
    EXPECT_EQ(static_cast<int>(read.size()), loads ? sets : 1) << bytes;
    if (loads) continue;
    // A failed load leaves what the caller had and says where and why.
    EXPECT_EQ(read[0].Name, "kept");
    EXPECT_EQ(static_cast<int>(problem.Line), line) << bytes;
    EXPECT_TRUE(!problem.Japanese.empty() && !problem.English.empty()) << bytes;
  }
}

TEST(ExpDataFile, Encodings) {
  const std::string utf8 = "[ExpData]\r\n1\r\n実験データ\r\n1\r\n1.5,0.3\r\n";
  for (const std::string& bytes :
       {std::string("[ExpData]\r\n1\r\n\x8E\xC0\x8C\xB1\x83\x66\x81\x5B\x83\x5E\r\n1\r\n1.5,0.3\r\n"), utf8,
        "\xEF\xBB\xBF" + utf8, std::string("[ExpData]\n1\n実験データ\n1\n1.5,0.3")}) {
    std::vector<CPointDataList> read;
    ASSERT_TRUE(ParseExpDataBytes(bytes, read)) << bytes;
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Name, "実験データ");
    EXPECT_EQ(read[0].Points(), (std::vector<CDPoint>{{1.5, 0.3}}));
  }
}

// What the program writes loads back as the same sets: CP932 that also reads
// as UTF-8 included, and names with a CR.
TEST(ExpDataFile, RoundTripKeepsSets) {
  const std::pair<const char*, const char*> cases[] = {
      {"砂質土 1.5", "\r\n\x8D\xBB\x8E\xBF\x93\x79 1.5\r\n"},
      {"ﾃｽ", "\r\n\xC3\xBD\r\n"},  // half-width katakana, valid UTF-8 too
      {"5\r", "\r\n5\r\r\n"},
      {"5\r3", "\r\n5\r3\r\n"},
      // Its CP932 bytes read as UTF-8 "ち": such a name is written in UTF-8 with its mark.
      {"縺｡", "\xEF\xBB\xBF[ExpData]\r\n"},
  };
  for (const auto& [name, written] : cases) {
    DataSetList sets;
    CPointDataList first(name);
    first.AppendPoint(1.5, 0.39);
    first.AppendPoint(150, 0.214);
    sets.Append(std::move(first));
    CPointDataList second("-3");
    second.AppendPoint(0.001, 100);
    sets.Append(std::move(second));
    test::TempFolder folder;
    ASSERT_TRUE(WriteExpDataFile(folder.File("sets.txt"), sets)) << name;
    EXPECT_NE(folder.ReadBytes("sets.txt").find(written), std::string::npos) << name;
    std::vector<CPointDataList> read;
    ASSERT_TRUE(ReadExpDataFile(folder.File("sets.txt"), read)) << name;
    ASSERT_EQ(read.size(), 2u);
    for (std::size_t k = 0; k < 2; ++k) {
      EXPECT_EQ(read[k].Name, sets.At(k).Name);
      EXPECT_EQ(read[k].Points(), sets.At(k).Points());
    }
  }
}

TEST(ExpDataFile, UnwritableAndMissingFiles) {
  test::TempFolder folder;
  DataSetList sets;
  EXPECT_FALSE(WriteExpDataFile(folder.File("no-such-folder/out.txt"), sets));
  sets.Append(CPointDataList("\xF0\x9F\x98\x80"));  // no CP932 form
  EXPECT_FALSE(WriteExpDataFile(folder.File("emoji.txt"), sets));
  EXPECT_FALSE(folder.Exists("emoji.txt"));
  sets.At(0).Name = "5\n3";  // a line break would split the name
  EXPECT_FALSE(WriteExpDataFile(folder.File("lf.txt"), sets));
  EXPECT_FALSE(folder.Exists("lf.txt"));
  std::vector<CPointDataList> read;
  EXPECT_FALSE(ReadExpDataFile(folder.File("missing.txt"), read));
}

}  // namespace
}  // namespace quorvel
