#include <gtest/gtest.h>

#include <string>

#include "TempFolder.h"
#include "host/ColourFile.h"
#include "host/InvalidArgument.h"
#include "host/NumberText.h"

namespace quorvel {
namespace {

const char kDefaultFileBytes[] =
    "[ColorData]\r\n7895160\r\n16435200\r\n3328150\r\n3289855\r\n10000384\r\n6737151\r\n204\r\n"
    "8464964\r\n32506\r\n11184628\r\n13107400,0\r\n0\r\n5066239,47872,16744448\r\n10000384,6566600";

ColourRecord Counting() {
  ColourRecord record;
  for (std::size_t i = 0; i < ColourRecord::kEntryCount; ++i) record.Entries[i] = static_cast<int>(i + 1) * 1000;
  return record;
}

TEST(ColourFile, WritesExactBytes) {
  test::TempFolder folder;
  ASSERT_TRUE(WriteColourFile(folder.File("color.txt"), ColourRecord::Defaults()));
  EXPECT_EQ(folder.ReadBytes("color.txt"), kDefaultFileBytes);
}

TEST(ColourFile, ReadsBackWhatItWrote) {
  test::TempFolder folder;
  ColourRecord written = Counting();
  ASSERT_TRUE(WriteColourFile(folder.File("color.txt"), written));
  ColourRecord read = ColourRecord::Defaults();
  ASSERT_TRUE(ReadColourFile(folder.File("color.txt"), read));
  EXPECT_EQ(read, written);
  EXPECT_EQ(LoadColourRecord(folder.File("color.txt")), written);
}

TEST(ColourFile, LastLineWithOrWithoutLineEndAndLfOnly) {
  test::TempFolder folder;
  for (std::string bytes : {std::string(kDefaultFileBytes), std::string(kDefaultFileBytes) + "\r\n",
                            std::string(kDefaultFileBytes) + "\n"}) {
    folder.WriteBytes("color.txt", bytes);
    ColourRecord read = Counting();
    EXPECT_TRUE(ReadColourFile(folder.File("color.txt"), read));
    EXPECT_EQ(read, ColourRecord::Defaults());
  }
  std::string lfOnly = kDefaultFileBytes;
  for (std::size_t at = lfOnly.find("\r\n"); at != std::string::npos; at = lfOnly.find("\r\n")) lfOnly.erase(at, 1);
  folder.WriteBytes("color.txt", lfOnly);
  ColourRecord read = Counting();
  EXPECT_TRUE(ReadColourFile(folder.File("color.txt"), read));
  EXPECT_EQ(read, ColourRecord::Defaults());
}

TEST(ColourFile, AnyFaultFailsTheWholeRead) {
  // Each case replaces one line of a valid file (line numbers from 1).
  struct Case {
    int line;
    const char* text;
  };
  const Case cases[] = {
      {1, "[Colour]"}, {2, ""},     {11, ""},        {12, "1"}, {12, "1,2,3"}, {12, ""},
      {13, ""},        {14, "1,2"}, {14, "1,2,3,4"}, {15, "1"}, {15, "1,2,3"}, {15, ""},
  };
  test::TempFolder folder;
  for (const Case& c : cases) {
    std::string bytes;
    std::string all = kDefaultFileBytes;
    int lineNo = 1;
    std::size_t start = 0;
    while (start <= all.size()) {
      std::size_t end = all.find("\r\n", start);
      std::string line = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
      bytes += lineNo == c.line ? std::string(c.text) : line;
      if (end == std::string::npos) break;
      bytes += "\r\n";
      start = end + 2;
      ++lineNo;
    }
    folder.WriteBytes("color.txt", bytes);
    ColourRecord read = Counting();
    std::string error;
    EXPECT_FALSE(ReadColourFile(folder.File("color.txt"), read, &error)) << c.line << " " << c.text;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(read, Counting()) << "a failed read leaves the record untouched";
    EXPECT_EQ(LoadColourRecord(folder.File("color.txt")), ColourRecord::Defaults());
  }
  EXPECT_EQ(LoadColourRecord(folder.File("missing.txt")), ColourRecord::Defaults());
  folder.WriteBytes("short.txt", "[ColorData]\r\n1\r\n2\r\n");
  EXPECT_EQ(LoadColourRecord(folder.File("short.txt")), ColourRecord::Defaults());
}

TEST(ColourFile, TextWhereANumberIsExpectedGivesTheNoIntMarker) {
  // Only emptiness and piece counts are checked; a word reads as no value.
  test::TempFolder folder;
  std::string bytes = kDefaultFileBytes;
  bytes.replace(bytes.find("204"), 3, "red");
  folder.WriteBytes("color.txt", bytes);
  ColourRecord read;
  ASSERT_TRUE(ReadColourFile(folder.File("color.txt"), read));
  EXPECT_EQ(read.Entry(7), kNoInt);
}

TEST(ColourRecord, EntriesByNumber) {
  ColourRecord record = ColourRecord::Defaults();
  EXPECT_EQ(record.Entry(1), 7895160);
  EXPECT_EQ(record.Entry(18), 6566600);
  EXPECT_THROW(record.Entry(0), InvalidArgument);
  EXPECT_THROW(record.Entry(19), InvalidArgument);
  record.SetEntry(14, 42);
  EXPECT_EQ(record.ConstantColour(0), 42);
  EXPECT_EQ(record.DataSetColour(10), record.Entry(1));
  EXPECT_EQ(record.EstimatedCurveColour(0), 13107400);
  EXPECT_EQ(record.StrainCurveColour(), 10000384);
  EXPECT_EQ(record.StrainDataColour(), 6566600);
}

}  // namespace
}  // namespace quorvel
