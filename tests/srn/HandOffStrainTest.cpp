#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "HandOffTestSupport.h"
#include "TempFolder.h"
#include "host/Language.h"
#include "host/NumberText.h"
#include "host/StringTable.h"
#include "strain/StrainHandOff.h"

namespace quorvel {
namespace {

using test::FixtureLines;
using test::HostBytes;
using test::IndexOf;
using test::Lines;

bool Read(const Lines& lines, StrainFormRecord& record, int language = kJapanese, std::string* error = nullptr) {
  HostTextReader reader;
  EXPECT_TRUE(reader.OpenBytes(HostBytes(lines)));
  return ReadStrainInput(reader, record, language, error);
}

StrainFormRecord ReadFixture() {
  StrainFormRecord record;
  EXPECT_TRUE(Read(FixtureLines("strain_input.txt"), record));
  return record;
}

TEST(StrainHandOff, ReadsTheHostFile) {
  test::TempFolder folder;
  folder.WriteBytes("temp.txt", HostBytes(FixtureLines("strain_input.txt")));
  StrainFormRecord record;
  record.Argument = 0;
  std::string error;
  ASSERT_TRUE(ReadStrainInput(folder.File("temp.txt"), record, kJapanese, &error)) << error;
  EXPECT_EQ(record.Retry.RandomStartAllowed, 1);
  EXPECT_EQ(record.Retry.MaximumTrials, 6);
  EXPECT_EQ(record.Retry.Tolerance, 1e-6);
  ASSERT_EQ(record.DataSets.Count(), 1u);
  const CPointDataList* data = record.ExperimentData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->Name, "実験データ");
  ASSERT_EQ(data->PointCount(), 4u);
  EXPECT_EQ(data->Point(3), CDPoint(5.0, 26.0));
  EXPECT_EQ(record.PeakFrictionAngle, 40.0);
  EXPECT_EQ(record.Parameters[StrainFormRecord::kA1], (std::array<double, 3>{12.0, 0.0, 50.0}));
  EXPECT_EQ(record.Parameters[StrainFormRecord::kD2][StrainFormRecord::kInitial], 0.8);
  EXPECT_EQ(record.Results, (std::array<double, 6>{12.1, 0.51, 1.02, 27.9, 2.1, 0.81}));
  EXPECT_EQ(record.Residual, 1.234e-3);
  EXPECT_EQ(record.Argument, 1);
  EXPECT_FALSE(record.NotFinished);
  EXPECT_TRUE(record.Unchanged);

  StrainFormRecord english;
  ASSERT_TRUE(Read(FixtureLines("strain_input.txt"), english, kEnglish));
  EXPECT_EQ(english.ExperimentData()->Name, "Experiment data");
}

TEST(StrainHandOff, ReadsTheExampleHandOffFile) {
  const std::string path = std::string(QUORVEL_EXAMPLES) + "/strain/temp.txt";
  if (!std::ifstream(path)) GTEST_SKIP() << "no " << path;
  StrainFormRecord record;
  std::string error;
  ASSERT_TRUE(ReadStrainInput(path, record, kEnglish, &error)) << error;
  ASSERT_NE(record.ExperimentData(), nullptr);
  EXPECT_GT(record.ExperimentData()->PointCount(), 0u);
  HostTextWriter answer;
  ASSERT_TRUE(BuildStrainAnswer(record, answer, &error)) << error;
  HostTextReader reader;
  std::string bytes;
  ASSERT_TRUE(Utf8ToCp932(answer.Text(), bytes));
  ASSERT_TRUE(reader.OpenBytes(bytes));
  StrainFormRecord back;
  ASSERT_TRUE(ReadStrainInput(reader, back, kEnglish, &error)) << error;
  test::ExpectSameStrainRecords(record, back);
}

TEST(StrainHandOff, LineVariants) {
  struct Case {
    const char* header;
    const char* random;
    const char* argument;
    int allowed;
    int argumentAfter;
  };
  // The record starts with argument 1; only 0 and 1 change it, and only with the flag.
  const Case cases[] = {
      {"[SdParameter]1", "rand_ok", "0", 1, 0},  {"[SdParameter]1", "rand_ng", "1", 0, 1},
      {"[SdParameter]1", "rand_ng ", "2", 1, 1}, {"[SdParameter]1", "", "-1", 1, 1},
      {"[SdParameter]1", "anything", "x", 1, 1}, {"[SdParameter]0", "rand_ok", "0", 1, 1},  // no argument line read
      {"[SdParameter]", "rand_ok", "0", 1, 1},
  };
  for (const Case& c : cases) {
    Lines lines = FixtureLines("strain_input.txt");
    lines[IndexOf(lines, "[SdParameter]1")] = c.header;
    lines[IndexOf(lines, "rand_ok")] = c.random;
    lines.back() = c.argument;
    StrainFormRecord record;
    record.Argument = 1;
    ASSERT_TRUE(Read(lines, record)) << c.header << " " << c.random;
    EXPECT_EQ(record.Retry.RandomStartAllowed, c.allowed) << "[" << c.random << "]";
    EXPECT_EQ(record.Argument, c.argumentAfter) << c.header << " " << c.argument;
  }
}

TEST(StrainHandOff, ShortParameterTableKeepsTheOtherRows) {
  Lines lines = FixtureLines("strain_input.txt");
  std::size_t at = IndexOf(lines, "[Table] 5");
  lines[at] = "[Table] 2";
  lines.erase(lines.begin() + static_cast<long>(at + 3), lines.begin() + static_cast<long>(at + 6));
  StrainFormRecord record;
  ASSERT_TRUE(Read(lines, record));
  EXPECT_EQ(record.Parameters[StrainFormRecord::kT1][StrainFormRecord::kMaximum], 10.0);
  EXPECT_EQ(record.Parameters[StrainFormRecord::kD1][StrainFormRecord::kInitial], kNoValue);
  EXPECT_EQ(record.Results[0], 12.1);
}

TEST(StrainHandOff, EmptyPiecesAndValuesReadAsNoValue) {
  Lines lines = FixtureLines("strain_input.txt");
  lines[IndexOf(lines, "12.000000,0.000000,50.000000")] = "12, ,50";
  lines[IndexOf(lines, "40.000000")] = "";
  lines[IndexOf(lines, "27.900000")] = "";
  StrainFormRecord record;
  ASSERT_TRUE(Read(lines, record));
  EXPECT_EQ(record.Parameters[0], (std::array<double, 3>{12.0, kNoValue, 50.0}));
  EXPECT_EQ(record.PeakFrictionAngle, kNoValue);
  EXPECT_EQ(record.Results[StrainFormRecord::kResultA2], kNoValue);
}

TEST(StrainHandOff, FaultsFailInOrder) {
  using Edit = std::function<void(Lines&)>;
  struct Case {
    const char* what;
    Edit edit;
  };
  const Case cases[] = {
      {"no section", [](Lines& l) { l[3] = "[Sd]1"; }},
      {"section too late", [](Lines& l) { l.insert(l.begin() + 3, 16, ""); }},
      {"point count without its number", [](Lines& l) { l[IndexOf(l, "[Table] 4")] = "[Table]4"; }},
      {"point with one value", [](Lines& l) { l[IndexOf(l, "1.000000,30.000000")] = "1.0"; }},
      {"more points than lines", [](Lines& l) { l[IndexOf(l, "[Table] 4")] = "[Table] 2000000000"; }},
      {"table count 6", [](Lines& l) { l[IndexOf(l, "[Table] 5")] = "[Table] 6"; }},
      {"table count huge", [](Lines& l) { l[IndexOf(l, "[Table] 5")] = "[Table] 2147483647"; }},
      {"table row short", [](Lines& l) { l[IndexOf(l, "1.000000,0.000000,5.000000")] = "1,,5"; }},
  };
  const StrainFormRecord before = ReadFixture();
  for (const Case& c : cases) {
    Lines lines = FixtureLines("strain_input.txt");
    c.edit(lines);
    StrainFormRecord record = before;
    record.Unchanged = false;
    record.NotFinished = true;
    std::string error;
    EXPECT_FALSE(Read(lines, record, kJapanese, &error)) << c.what;
    EXPECT_NE(error.find("temp.txt"), std::string::npos) << c.what << ": " << error;
    test::ExpectSameStrainRecords(before, record);
    EXPECT_FALSE(record.Unchanged) << c.what;
    EXPECT_TRUE(record.NotFinished) << c.what;
  }
  StrainFormRecord record;
  EXPECT_FALSE(ReadStrainInput("/nonexistent/temp.txt", record, kJapanese));
}

TEST(StrainHandOff, WritesTheAnswerByteForByte) {
  test::TempFolder folder;
  StrainFormRecord record = ReadFixture();
  AnswerDelivery delivery = WriteStrainAnswer(folder.Path(), record);
  EXPECT_FALSE(delivery.Refused);
  EXPECT_TRUE(delivery.AnswerWritten);
  EXPECT_TRUE(delivery.ColourWritten);
  EXPECT_TRUE(delivery.DoneFlagWritten);
  EXPECT_EQ(folder.ReadBytes("temp.txt"), HostBytes(FixtureLines("strain_answer.txt")));
  EXPECT_EQ(folder.ReadBytes("color.txt"), ColourFileText(ColourRecord::Defaults()));
  EXPECT_TRUE(folder.Exists("writed"));
}

TEST(StrainHandOff, AnswerLineRules) {
  struct Case {
    int random;
    int argument;
    double tolerance;
    const char* randomLine;
    const char* argumentLine;
    const char* toleranceLine;
  };
  const Case cases[] = {
      {1, 0, 1e-6, "rand_ok", "0", "1.000E-6"},
      {0, 1, 2.70551e-4, "rand_ng", "1", "2.706E-4"},
      {2, -1, 270.5, "rand_ng", "1", "2.705E+2"},  // only 1 means allowed; no selection is not the first
      {1, 1, kNoValue, "rand_ok", "1", ""},
  };
  for (const Case& c : cases) {
    StrainFormRecord record = ReadFixture();
    record.Retry.RandomStartAllowed = c.random;
    record.Retry.Tolerance = c.tolerance;
    record.Argument = c.argument;
    HostTextWriter answer;
    ASSERT_TRUE(BuildStrainAnswer(record, answer));
    Lines lines = SplitLines(answer.Text());
    EXPECT_EQ(lines[3], c.randomLine);
    EXPECT_EQ(lines[5], c.toleranceLine);
    EXPECT_EQ(lines.back(), c.argumentLine);
  }
  StrainFormRecord empty;
  empty.DataSets.Clear();
  HostTextWriter answer;
  ASSERT_TRUE(BuildStrainAnswer(empty, answer));
  Lines lines = SplitLines(answer.Text());
  EXPECT_EQ(lines[6], "[Table] 0");
  EXPECT_EQ(lines[7], "");    // no phi peak
  EXPECT_EQ(lines[9], ",,");  // no values: the host's own reader cannot take this row back
}

double FixedValue(std::mt19937& rng, double scale) {
  std::uniform_real_distribution<double> value(-scale, scale);
  return ParseDouble(FormatDouble(value(rng), 6));
}

double MaybeEmpty(std::mt19937& rng, double value) {
  std::uniform_int_distribution<int> pick(0, 7);
  return pick(rng) == 0 ? kNoValue : value;
}

TEST(StrainHandOff, AnswerReadsBackAsTheSameRecords) {
  std::mt19937 rng(77);
  std::uniform_int_distribution<int> coin(0, 1), points(0, 60), trials(-3, 500), exponent(-10, 3);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  for (int round = 0; round < 200; ++round) {
    int language = coin(rng) ? kJapanese : kEnglish;
    StrainFormRecord written;
    written.Retry.RandomStartAllowed = coin(rng);
    written.Retry.MaximumTrials = coin(rng) ? trials(rng) : kNoInt;
    written.Retry.Tolerance = MaybeEmpty(rng, ParseDouble(FormatExp(mantissa(rng) * std::pow(10.0, exponent(rng)), 3)));
    CPointDataList& data = written.DataSets.Append(CPointDataList(LoadString(10055, language)));
    int count = points(rng);
    for (int m = 0; m < count; ++m) data.AppendPoint(FixedValue(rng, 100.0), FixedValue(rng, 90.0));
    written.PeakFrictionAngle = MaybeEmpty(rng, FixedValue(rng, 90.0));
    for (auto& row : written.Parameters) {
      for (double& cell : row) cell = FixedValue(rng, 10000.0);
    }
    for (double& result : written.Results) result = MaybeEmpty(rng, FixedValue(rng, 100.0));
    written.Residual = MaybeEmpty(rng, ParseDouble(FormatExp(mantissa(rng) * std::pow(10.0, exponent(rng)), 6)));
    written.Argument = coin(rng);

    HostTextWriter answer;
    ASSERT_TRUE(BuildStrainAnswer(written, answer));
    std::string bytes;
    ASSERT_TRUE(Utf8ToCp932(answer.Text(), bytes));
    HostTextReader reader;
    ASSERT_TRUE(reader.OpenBytes(bytes));
    StrainFormRecord read;
    read.Argument = 1 - written.Argument;
    std::string error;
    ASSERT_TRUE(ReadStrainInput(reader, read, language, &error)) << "round " << round << ": " << error;
    test::ExpectSameStrainRecords(written, read);
    if (HasFailure()) {
      ADD_FAILURE() << "round " << round;
      break;
    }
  }
}

}  // namespace
}  // namespace quorvel
