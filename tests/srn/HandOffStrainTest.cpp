// The strain form's hand-off section: the host's grammar, every fault with its
// exact message and the answer byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "HandOffTestSupport.h"
#include "TempFolder.h"
#include "host/Language.h"
#include "host/NumberText.h"
#include "strain/StrainHandOff.h"

namespace quorvel {
namespace {

using test::FixtureLines;
using test::HostBytes;
using test::IndexOf;
using test::Lines;

bool Read(const Lines& lines, StrainFormRecord& record, int language = kJapanese, std::string* error = nullptr) {
  return test::ReadLines(lines,
                         [&](HostTextReader& reader) { return ReadStrainInput(reader, record, language, error); });
}

// What the host would see of a record: its answer.
std::string AnswerOf(const StrainFormRecord& record) {
  HostTextWriter answer;
  EXPECT_TRUE(BuildStrainAnswer(record, answer));
  return answer.Text();
}

StrainFormRecord ReadFixture() {
  StrainFormRecord record;
  EXPECT_TRUE(Read(FixtureLines("strain_input.txt"), record));
  return record;
}

// The values themselves come back in the byte-for-byte answer below; here
// what the answer does not show.
TEST(StrainHandOff, ReadsTheHostFile) {
  StrainFormRecord record;
  record.Argument = 0;
  ASSERT_TRUE(Read(FixtureLines("strain_input.txt"), record));
  ASSERT_NE(record.ExperimentData(), nullptr);
  EXPECT_EQ(record.ExperimentData()->Name, "実験データ");
  EXPECT_TRUE(record.Argument == 1 && !record.NotFinished && record.Unchanged);
  StrainFormRecord english;
  ASSERT_TRUE(Read(FixtureLines("strain_input.txt"), english, kEnglish));
  EXPECT_EQ(english.ExperimentData()->Name, "Experiment data");
}

// Random start is off only for an exact "rand_ng"; the argument line follows
// only "[SdParameter]1", and only 0 and 1 change the argument (it starts at 1).
TEST(StrainHandOff, LineVariants) {
  const std::tuple<const char*, const char*, const char*, int, int> cases[] = {
      {"[SdParameter]1", "rand_ok", "0", 1, 0},  {"[SdParameter]1", "rand_ng", "1", 0, 1},
      {"[SdParameter]1", "rand_ng ", "2", 1, 1}, {"[SdParameter]1", "", "-1", 1, 1},
      {"[SdParameter]1", "anything", "x", 1, 1}, {"[SdParameter]0", "rand_ok", "0", 1, 1},
      {"[SdParameter]", "rand_ok", "0", 1, 1},
  };
  for (const auto& [header, random, argument, allowed, argumentAfter] : cases) {
    Lines lines = FixtureLines("strain_input.txt");
    lines[3] = header;
    lines[4] = random;
    lines.back() = argument;
    StrainFormRecord record;
    record.Argument = 1;
    ASSERT_TRUE(Read(lines, record)) << header << " " << random;
    EXPECT_EQ(record.Retry.RandomStartAllowed, allowed) << "[" << random << "]";
    EXPECT_EQ(record.Argument, argumentAfter) << header << " " << argument;
  }
}

TEST(StrainHandOff, ShortTablesAndEmptyValues) {
  Lines lines = FixtureLines("strain_input.txt");
  lines[13] = "[Table] 2";
  lines.erase(lines.begin() + 16, lines.begin() + 19);
  lines[IndexOf(lines, "12.000000,0.000000,50.000000")] = "12, ,50";
  lines[IndexOf(lines, "40.000000")] = "";
  lines[IndexOf(lines, "27.900000")] = "";
  StrainFormRecord record;
  ASSERT_TRUE(Read(lines, record));
  EXPECT_EQ(record.Parameters[StrainFormRecord::kA1], (std::array<double, 3>{12.0, kNoValue, 50.0}));
  EXPECT_TRUE(record.Parameters[StrainFormRecord::kT1][StrainFormRecord::kMaximum] == 10.0 &&
              record.Parameters[StrainFormRecord::kD1][StrainFormRecord::kInitial] == kNoValue);
  EXPECT_TRUE(record.PeakFrictionAngle == kNoValue && record.Results[StrainFormRecord::kResultA2] == kNoValue);
  EXPECT_EQ(record.Results[0], 12.1);
}

// Line numbers count from 1 in the fixture.
TEST(StrainHandOff, FaultsFailWithTheirLine) {
  const std::tuple<int, const char*, const char*> cases[] = {
      {4, "[Sd]1", "temp.txt: no [SdParameter] within the first 19 lines"},
      {8, "[Table]4", "temp.txt line 8: a field is missing"},
      {11, "1.0", "temp.txt line 11: a field is missing"},
      {8, "[Table] 2000000000", "temp.txt line 13: a field is missing"},
      {14, "[Table] 6", "temp.txt line 14: [SdParameter]: 6 parameter rows (at most 5)"},
      {14, "[Table] 2147483647", "temp.txt line 14: [SdParameter]: 2147483647 parameter rows (at most 5)"},
      {17, "1,,5", "temp.txt line 17: a field is missing"},
  };
  const StrainFormRecord before = ReadFixture();
  for (const auto& [line, text, message] : cases) {
    Lines lines = FixtureLines("strain_input.txt");
    lines[static_cast<std::size_t>(line - 1)] = text;
    StrainFormRecord record = before;
    record.Unchanged = false;
    record.NotFinished = true;
    std::string error;
    EXPECT_FALSE(Read(lines, record, kJapanese, &error)) << text;
    EXPECT_EQ(error, message);
    EXPECT_EQ(AnswerOf(record), AnswerOf(before)) << text;
    EXPECT_TRUE(!record.Unchanged && record.NotFinished);
  }
  Lines late = FixtureLines("strain_input.txt");
  late.insert(late.begin() + 3, 16, "");
  StrainFormRecord record;
  EXPECT_FALSE(Read(late, record));
  std::string error;
  EXPECT_FALSE(ReadStrainInput("/nonexistent/temp.txt", record, kJapanese, &error));
  EXPECT_EQ(error, "cannot read /nonexistent/temp.txt: cannot open /nonexistent/temp.txt");
}

TEST(StrainHandOff, WritesTheAnswerByteForByte) {
  test::TempFolder folder;
  AnswerDelivery delivery = WriteStrainAnswer(folder.Path(), ReadFixture());
  EXPECT_TRUE(!delivery.Refused && delivery.AnswerWritten && delivery.ColourWritten && delivery.DoneFlagWritten);
  EXPECT_EQ(folder.ReadBytes("temp.txt"), HostBytes(FixtureLines("strain_answer.txt")));
  EXPECT_EQ(folder.ReadBytes("color.txt"), ColourFileText(ColourRecord::Defaults()));
  EXPECT_TRUE(folder.Exists("writed"));

  // Only 1 means random start allowed; no selection (-1) is not the first entry.
  const std::tuple<int, int, double, const char*, const char*, const char*> cases[] = {
      {1, 0, 1e-6, "rand_ok", "0", "1.000E-6"},
      {0, 1, 2.70551e-4, "rand_ng", "1", "2.706E-4"},
      {2, -1, 270.5, "rand_ng", "1", "2.705E+2"},
      {1, 1, kNoValue, "rand_ok", "1", ""},
  };
  for (const auto& [random, argument, tolerance, randomLine, argumentLine, toleranceLine] : cases) {
    StrainFormRecord record = ReadFixture();
    record.Retry.RandomStartAllowed = random;
    record.Retry.Tolerance = tolerance;
    record.Argument = argument;
    HostTextWriter answer;
    ASSERT_TRUE(BuildStrainAnswer(record, answer));
    const Lines lines = SplitLines(answer.Text());
    EXPECT_EQ((Lines{lines[3], lines[5], lines.back()}), (Lines{randomLine, toleranceLine, argumentLine}));
  }
  StrainFormRecord empty;
  empty.DataSets.Clear();
  HostTextWriter answer;
  ASSERT_TRUE(BuildStrainAnswer(empty, answer));
  // No phi peak; no values: the host's own reader cannot take the ",," row back.
  const Lines lines = SplitLines(answer.Text());
  EXPECT_EQ((Lines{lines[6], lines[7], lines[9]}), (Lines{"[Table] 0", "", ",,"}));
}

}  // namespace
}  // namespace quorvel
