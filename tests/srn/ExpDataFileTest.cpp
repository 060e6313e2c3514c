// The input page's data-file format: exact bytes written, reading rules,
// encodings, and loads that must fail as a whole.
#include <gtest/gtest.h>

#include <tuple>

#include "TempFolder.h"
#include "host/NumberText.h"
#include "srn/ExpDataFile.h"

namespace quorvel {
namespace {

TEST(ExpDataFile, PointNumbers) {
  const std::pair<double, const char*> numbers[] = {
      {2.0, "2.0"}, {1.5, "1.5"}, {100.0, "100.0"}, {0.1234567891, "0.1234567891"}, {kNoValue, ""}};
  for (const auto& [value, text] : numbers) EXPECT_EQ(FormatPointNumber(value), text) << value;
}

TEST(ExpDataFile, PointLines) {
  const std::tuple<const char*, bool, double, double> cases[] = {
      {"10\t0.25", true, 10.0, 0.25},
      {"1.23456,0.0005", true, 1.235, 0.001},  // rounded to 3 decimals
      {"1,2,3", true, 1.0, 2.0},               // a third piece is ignored
      {"abc,0.25", true, kNoValue, 0.25},      // text gives no value
      {"10", false, 0, 0},
  };
  for (const auto& [line, readable, x, y] : cases) {
    double readX = 0, readY = 0;
    ASSERT_EQ(ParseExpDataPointLine(line, readX, readY), readable) << line;
    EXPECT_TRUE(!readable || (readX == x && readY == y)) << line << ": " << readX << " " << readY;
  }
}

// A missing header and the sets running out are also the page's cases
// (SrnInputPageTest.refusedLoadKeepsTheSets).
TEST(ExpDataFile, HeadersAndLoadsThatFailAsAWhole) {
  // bytes, loads, sets read, line of the problem (0: not about one line)
  const std::tuple<std::string, bool, int, int> cases[] = {
      {"[ExpData]\n1\n5\n1\n1.0,0.3\n", true, 1, 0},
      {"ExpData list\n1\n5\n0\n", true, 1, 0},
      {"", false, 0, 1},
      {"[ExpData]\n", false, 0, 2},                                  // no set count
      {"[ExpData]\nmany\n5\n", true, 0, 0},                          // a text count reads 0
      {"[ExpData]\n1 set\n5\n1 point\n1,2\n", true, 1, 0},           // leading integers count
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

// What the program writes, byte for byte, loads back as the same set: CP932
// that also reads as UTF-8 included, and a name ending in a CR. The page's
// save of several sets is checked in SrnInputPageTest.
TEST(ExpDataFile, WrittenBytesLoadBackAsTheSameSet) {
  const std::string points = "2\r\n1.5,0.39\r\n150.0,0.214\r\n";
  const std::pair<const char*, std::string> cases[] = {
      {"ﾃｽ", "[ExpData]\r\n1\r\n\xC3\xBD\r\n" + points},  // half-width katakana, valid UTF-8 too
      {"5\r", "[ExpData]\r\n1\r\n5\r\r\n" + points},
      // Its CP932 bytes read as UTF-8 "ち": such a name is written in UTF-8 with its mark.
      {"縺｡", "\xEF\xBB\xBF[ExpData]\r\n1\r\n縺｡\r\n" + points},
  };
  for (const auto& [name, written] : cases) {
    DataSetList sets;
    CPointDataList set(name);
    set.AppendPoint(1.5, 0.39);
    set.AppendPoint(150, 0.214);
    sets.Append(std::move(set));
    test::TempFolder folder;
    ASSERT_TRUE(WriteExpDataFile(folder.File("sets.txt"), sets)) << name;
    EXPECT_EQ(folder.ReadBytes("sets.txt"), written) << name;
    std::vector<CPointDataList> read;
    ASSERT_TRUE(ReadExpDataFile(folder.File("sets.txt"), read)) << name;
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Name, name);
    EXPECT_EQ(read[0].Points(), sets.At(0).Points());
  }
}

// A missing folder or file is the page's case (SrnInputPageTest).
TEST(ExpDataFile, NamesTheFileCannotHoldAreNotWritten) {
  test::TempFolder folder;
  DataSetList sets;
  sets.Append(CPointDataList("\xF0\x9F\x98\x80"));  // no CP932 form
  EXPECT_FALSE(WriteExpDataFile(folder.File("emoji.txt"), sets));
  EXPECT_FALSE(folder.Exists("emoji.txt"));
  sets.At(0).Name = "5\n3";  // a line break would split the name
  EXPECT_FALSE(WriteExpDataFile(folder.File("lf.txt"), sets));
  EXPECT_FALSE(folder.Exists("lf.txt"));
}

}  // namespace
}  // namespace quorvel
