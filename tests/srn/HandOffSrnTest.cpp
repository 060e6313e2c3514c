// The SR-N form's hand-off sections: the host's grammar line by line, every
// fault with its exact message and the answer byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>

#include "HandOffTestSupport.h"
#include "TempFolder.h"
#include "host/NumberText.h"
#include "srn/SrnHandOff.h"

namespace quorvel {
namespace {

using test::FixtureLines;
using test::HostBytes;
using test::IndexOf;
using test::Lines;

bool Read(const Lines& lines, SrnFormRecord& record, std::string* error = nullptr) {
  return test::ReadLines(lines, [&](HostTextReader& reader) { return ReadSrnInput(reader, record, error); });
}

// What the host would see of a record: its answer.
std::string AnswerOf(const SrnFormRecord& record) {
  HostTextWriter answer;
  EXPECT_TRUE(BuildSrnAnswer(record, answer));
  return answer.Text();
}

SrnFormRecord ReadFixture() {
  SrnFormRecord record;
  EXPECT_TRUE(Read(FixtureLines("srn_input.txt"), record));
  return record;
}

// The values themselves come back in the byte-for-byte answer below; here
// what the answer does not show.
TEST(SrnHandOff, ReadsTheHostFile) {
  const SrnFormRecord record = ReadFixture();
  ASSERT_EQ(record.DataSets.Count(), 2u);
  EXPECT_EQ(record.DataSets.At(1).Name + record.SrnCurves.At(1).Name, "５％５％");
  EXPECT_EQ(record.SrnCurves.At(0).GetEquationId(), 0);
  for (std::size_t d = 0; d < 3; ++d) {
    EXPECT_EQ(record.ConstantCurves.At(d).Name, kConstantNames[d]);
    EXPECT_EQ(record.ConstantCurves.At(d).GetEquationId(), (std::array<int, 3>{2, 3, 5})[d]);
  }
  EXPECT_TRUE(record.Unchanged && record.HostSentSets && record.SrnNotOptimised == 0);
}

// Headers with and without their optional flags: only "[SrnParameter]1 n"
// (three D5 pieces) carries retry lines, only "[SrnData]1" bounds rows.
TEST(SrnHandOff, OptionalFlagsOfTheHeaders) {
  const std::tuple<const char*, const char*, bool, std::size_t, int, int> cases[] = {
      {"[SrnParameter]1 2", "[SrnParameter]1 2", true, 2, 7, 0},
      {"[SrnParameter]1 2", "[SrnParameter] 2", true, 2, 5, 1},
      {"[SrnParameter]1 2", "[SrnParameter] 1", true, 1, 5, 1},  // two pieces, the count 1: no flag
      {"[SrnParameter]1 2", "[SrnParameter]0 2", true, 2, 5, 1},
      {"[SrnParameter]1 2", "[SrnParameter]1,2", true, 2, 7, 0},
      {"[SrnParameter]1 2", "[SrnParameter]2", false, 0, 0, 0},
      {"[SrnData]0", "[SrnData]", true, 2, 7, 0},
      {"[SrnData]0", "[SrnData]1", false, 0, 0, 0},  // bounds rows that are not there
  };
  for (const auto& [line, replacement, ok, sets, trials, random] : cases) {
    Lines lines = FixtureLines("srn_input.txt");
    lines[IndexOf(lines, line)] = replacement;
    SrnFormRecord record;
    ASSERT_EQ(Read(lines, record), ok) << replacement;
    if (!ok) continue;
    EXPECT_EQ(std::tuple(record.DataSets.Count(), record.SrnRetry.MaximumTrials, record.SrnRetry.RandomStartAllowed),
              std::tuple(sets, trials, random))
        << replacement;
  }
}

// "not_selected", "rand_ok" (SR-N) and "rand_ng" (constants) count only when exact.
TEST(SrnHandOff, SelectionAndRetryLinesMatchExactly) {
  const std::tuple<const char*, const char*, const char*, bool, int, bool> cases[] = {
      {"not_selected", "rand_ok", "rand_ok", false, 1, true},
      {"not_selected ", "rand_ok ", "rand_ok ", true, 0, true},
      {"NOT_SELECTED", "rand_ng", "rand_ng", true, 0, false},
      {"", "", "rand_ng ", true, 0, true},
      {"selected", "RAND_OK", "", true, 0, true},
  };
  for (const auto& [selection, srnRandom, dsRandom, selected, srnAllowed, dsAllowed] : cases) {
    Lines lines = FixtureLines("srn_input.txt");
    lines[IndexOf(lines, "not_selected")] = selection;
    lines[IndexOf(lines, "rand_ng")] = srnRandom;
    lines[lines.size() - 3] = dsRandom;
    SrnFormRecord record;
    ASSERT_TRUE(Read(lines, record)) << selection;
    EXPECT_EQ(std::tuple(record.SrnCurves.At(1).Selected, record.SrnRetry.RandomStartAllowed,
                         record.ConstantSettings.RandomStartAllowed),
              std::tuple(selected, srnAllowed, dsAllowed))
        << "[" << selection << "] [" << srnRandom << "] [" << dsRandom << "]";
  }
}

// Every fault fails the read with the line where reading stopped and leaves
// the record as it was. Line numbers count from 1 in the fixture.
TEST(SrnHandOff, FaultsFailWithTheirLine) {
  const std::tuple<int, const char*, const char*> cases[] = {
      {4, "[SrnParameter]2", "4: a field is missing"},
      {7, "1.5,,2.5", "7: a field is missing"},
      {13, "100.000000", "13: a field is missing"},
      {11, "[Table]3", "11: a field is missing"},
      {4, "[SrnParameter]1 3", "48: [SrnParameter]: the file ends before data set 3 of 3"},
      {4, "[SrnParameter]1 2147483647", "48: [SrnParameter]: the file ends before data set 3 of 2147483647"},
      {30, "[Ds]", "47: no [DsParameter] within 19 lines"},
      {35, "1,2,3,4,5,6,7", "35: a field is missing"},
      {31, "[Table] 2000000000", "48: [DsParameter]: the file ends inside the table"},
      {41, "0,1", "41: a field is missing"},
      {42, "[Table] 0", "42: [DsParameter]: 0 constant curves (1 to 3 expected)"},
      {42, "[Table] 4", "42: [DsParameter]: 4 constant curves (1 to 3 expected)"},
      {44, "1E-3,1,2,3,4,5,6,7", "44: a field is missing"},
  };
  const SrnFormRecord before = ReadFixture();
  for (const auto& [line, text, message] : cases) {
    Lines lines = FixtureLines("srn_input.txt");
    lines[static_cast<std::size_t>(line - 1)] = text;
    SrnFormRecord record = before;
    record.Unchanged = false;
    std::string error;
    EXPECT_FALSE(Read(lines, record, &error)) << text;
    EXPECT_EQ(error, std::string("temp.txt line ") + message);
    EXPECT_EQ(AnswerOf(record), AnswerOf(before)) << text;
    EXPECT_FALSE(record.Unchanged) << text;
  }
  Lines lines = FixtureLines("srn_input.txt");
  lines[3] = "[SrnParam]1 2";
  std::string error;
  SrnFormRecord record;
  EXPECT_FALSE(Read(lines, record, &error));
  EXPECT_EQ(error, "temp.txt: no [SrnParameter] within the first 19 lines");
  test::TempFolder folder;
  EXPECT_FALSE(ReadSrnInput(folder.File("temp.txt"), record, &error));
  EXPECT_EQ(error, "cannot read " + folder.File("temp.txt") + ": cannot open " + folder.File("temp.txt"));
}

TEST(SrnHandOff, SectionHeadersMustComeWithinNineteenReads) {
  // The start header is read 4; the DsParameter header 2 reads after the tolerance line.
  const std::tuple<std::size_t, std::size_t, bool> cases[] = {
      {15, 0, true}, {16, 0, false}, {0, 17, true}, {0, 18, false}};
  for (const auto& [beforeStart, beforeDs, ok] : cases) {
    Lines lines = FixtureLines("srn_input.txt");
    lines.insert(lines.begin() + static_cast<long>(IndexOf(lines, "[DsParameter] ")), beforeDs, "x");
    lines.insert(lines.begin() + 3, beforeStart, "y");
    SrnFormRecord record;
    EXPECT_EQ(Read(lines, record), ok) << beforeStart << " " << beforeDs;
  }
  // The search starts with the line where the SR-N section ended.
  Lines lines = FixtureLines("srn_input.txt");
  lines.erase(lines.begin() + 25, lines.begin() + 30);
  lines[IndexOf(lines, "[SrnParameter]1 2")] = "[SrnParameter] 2";
  lines[IndexOf(lines, "200.000000,0.300000")] = "200.000000,0.300000,[DsParameter]";
  SrnFormRecord record;
  ASSERT_TRUE(Read(lines, record));
  EXPECT_EQ(record.DataSets.At(1).Point(1), CDPoint(200.0, 0.3));
}

TEST(SrnHandOff, NoDataSetsAndFewerCurves) {
  Lines lines = FixtureLines("srn_input.txt");
  lines[41] = "[Table] 1";  // the curve count
  lines.erase(lines.end() - 5, lines.end() - 3);
  SrnFormRecord record;
  ASSERT_TRUE(Read(lines, record));
  EXPECT_EQ(record.ConstantCurves.Count(), 1u);
  EXPECT_TRUE(record.HostSentSets);

  Lines empty = {"ToSrnForm",      "x",         "0",     "[SrnParameter]1 0", "rand_ok", "3", "1E-4", "",
                 "[DsParameter] ", "[Table] 0", "1,1,1", "[Table] 3"};
  for (int d = 0; d < 3; ++d) empty.push_back("1E-3,1,2,3,4,5,6,7,8");
  empty.insert(empty.end(), {"rand_ok", "5", "1E-6"});
  SrnFormRecord none;
  ASSERT_TRUE(Read(empty, none));
  EXPECT_TRUE(none.DataSets.Count() == 0 && !none.HostSentSets && none.SrnRetry.MaximumTrials == 3);
  EXPECT_EQ(none.ConstantSettings.Cells[0][0], kNoValue);  // reset, no rows read
}

TEST(SrnHandOff, WritesTheAnswerByteForByte) {
  test::TempFolder folder;
  SrnFormRecord record = ReadFixture();
  AnswerDelivery delivery = WriteSrnAnswer(folder.Path(), record);
  EXPECT_TRUE(!delivery.Refused && delivery.AnswerWritten && delivery.ColourWritten && delivery.DoneFlagWritten);
  EXPECT_EQ(folder.ReadBytes("temp.txt"), HostBytes(FixtureLines("srn_answer.txt")));
  EXPECT_EQ(folder.ReadBytes("color.txt"), ColourFileText(ColourRecord::Defaults()));
  EXPECT_TRUE(folder.Exists("writed") && folder.ReadBytes("writed").empty());

  // Parameters the curves do not have are written as zeros.
  record.SrnCurves.At(0).Params.resize(1);
  record.ConstantCurves.At(2).Params.resize(4);
  HostTextWriter answer;
  ASSERT_TRUE(BuildSrnAnswer(record, answer));
  const Lines lines = SplitLines(answer.Text());
  EXPECT_EQ((Lines{lines[6], lines[lines.size() - 4]}),
            (Lines{"0.412000,0.000000,0.000000",
                   "3.000000E-3,2.100000,2.200000,2.300000,2.400000,0.000000,0.000000,0.000000,0.000000"}));
}

TEST(SrnHandOff, RefusedAnswersTouchNoFile) {
  const std::pair<std::function<void(SrnFormRecord&)>, std::string> cases[] = {
      {[](SrnFormRecord& r) { r.SrnCurves.RemoveAt(1); }, "2 data sets but only 1 SR-N curves"},
      {[](SrnFormRecord& r) { r.ConstantCurves.RemoveAt(2); }, "only 2 liquefaction-constant curves"},
      {[](SrnFormRecord& r) { r.SrnCurves.At(0).Name = "5\n[SrnData]1"; }, "a curve name holds a line break"},
      {[](SrnFormRecord& r) { r.SrnCurves.At(1).Name = "\xF0\x9F\x98\x80"; },
       "the answer has text the host cannot read: text is not valid UTF-8 at byte 269"},
  };
  for (const auto& [edit, message] : cases) {
    test::TempFolder folder;
    folder.WriteBytes("temp.txt", "host input");
    SrnFormRecord record = ReadFixture();
    edit(record);
    AnswerDelivery delivery = WriteSrnAnswer(folder.Path(), record);
    EXPECT_TRUE(delivery.Refused);
    EXPECT_EQ(delivery.Error, message);
    EXPECT_EQ(folder.ReadBytes("temp.txt"), "host input");
    EXPECT_FALSE(folder.Exists("color.txt") || folder.Exists("writed")) << message;
  }
}

TEST(SrnHandOff, UnwritableFilesAreSkippedAndTheFlagStillComes) {
  for (bool colourBlocked : {false, true}) {
    test::TempFolder folder;
    std::filesystem::create_directory(folder.File("temp.txt"));
    if (colourBlocked) std::filesystem::create_directory(folder.File("color.txt"));
    AnswerDelivery delivery = WriteSrnAnswer(folder.Path(), ReadFixture());
    EXPECT_EQ(std::tuple(delivery.Refused, delivery.AnswerWritten, delivery.ColourWritten, delivery.DoneFlagWritten,
                         folder.Exists("writed")),
              std::tuple(false, false, !colourBlocked, true, true));
    EXPECT_EQ(delivery.Error, "cannot write " + folder.File("temp.txt") + ": Is a directory");  // the first failure
  }
}

}  // namespace
}  // namespace quorvel
