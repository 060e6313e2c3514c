#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include "HandOffTestSupport.h"
#include "TempFolder.h"
#include "host/NumberText.h"
#include "host/ProgramFolder.h"
#include "srn/SrnHandOff.h"

namespace quorvel {
namespace {

using test::FixtureLines;
using test::HostBytes;
using test::IndexOf;
using test::Lines;

bool Read(const Lines& lines, SrnFormRecord& record, std::string* error = nullptr) {
  HostTextReader reader;
  EXPECT_TRUE(reader.OpenBytes(HostBytes(lines)));
  return ReadSrnInput(reader, record, error);
}

SrnFormRecord ReadFixture() {
  SrnFormRecord record;
  EXPECT_TRUE(Read(FixtureLines("srn_input.txt"), record));
  return record;
}

std::string FixtureBytes(const char* name) { return HostBytes(FixtureLines(name)); }

TEST(SrnHandOff, ReadsTheHostFile) {
  test::TempFolder folder;
  folder.WriteBytes("temp.txt", HostBytes(FixtureLines("srn_input.txt")));
  SrnFormRecord record;
  std::string error;
  ASSERT_TRUE(ReadSrnInput(folder.File("temp.txt"), record, &error)) << error;

  ASSERT_EQ(record.DataSets.Count(), 2u);
  ASSERT_EQ(record.SrnCurves.Count(), 2u);
  const CPointDataList& first = record.DataSets.At(0);
  EXPECT_EQ(first.Name, "1");
  EXPECT_EQ(first.Initial, (std::array<double, 3>{0.4, 0.1, 0.05}));
  EXPECT_EQ(first.Minimum, (std::array<double, 3>{0.1, 0.01, 0.001}));
  EXPECT_EQ(first.Maximum, (std::array<double, 3>{0.9, 0.5, 0.2}));
  ASSERT_EQ(first.PointCount(), 3u);
  EXPECT_EQ(first.Point(2), CDPoint(1000.0, 0.21));
  const CPointDataList& second = record.DataSets.At(1);
  EXPECT_EQ(second.Name, "５％");
  EXPECT_EQ(second.Minimum, (std::array<double, 3>{0, 0, 0}));  // "[SrnData]0": no bounds rows
  EXPECT_EQ(second.Maximum, (std::array<double, 3>{1, 1, 1}));
  EXPECT_EQ(second.PointCount(), 2u);

  const CEqBase& curve0 = record.SrnCurves.At(0);
  EXPECT_EQ(curve0.GetEquationId(), 0);
  EXPECT_EQ(curve0.Name, "1");
  EXPECT_EQ(curve0.Params, (std::vector<double>{0.412, 0.123, 0.051}));
  EXPECT_EQ(curve0.Residual, 1.234e-4);
  EXPECT_TRUE(curve0.Selected);
  EXPECT_EQ(record.SrnCurves.At(1).Name, "５％");
  EXPECT_EQ(record.SrnCurves.At(1).Residual, 2.5e-3);
  EXPECT_FALSE(record.SrnCurves.At(1).Selected);

  EXPECT_EQ(record.SrnRetry.RandomStartAllowed, 0);
  EXPECT_EQ(record.SrnRetry.MaximumTrials, 7);
  EXPECT_EQ(record.SrnRetry.Tolerance, 1e-5);

  const ConstantFitSettings& settings = record.ConstantSettings;
  EXPECT_EQ(settings.Cells[0][0], 0.0);
  EXPECT_EQ(settings.Cells[8][7], 8.7);
  EXPECT_EQ(settings.FunctionCodes, (std::array<int, 3>{0, 1, 3}));
  EXPECT_FALSE(settings.RandomStartAllowed);
  EXPECT_EQ(settings.MaximumTrials, 4);
  EXPECT_EQ(settings.Tolerance, 1e-7);

  ASSERT_EQ(record.ConstantCurves.Count(), 3u);
  const int ids[3] = {2, 3, 5};
  for (std::size_t d = 0; d < 3; ++d) {
    const CEqBase& curve = record.ConstantCurves.At(d);
    EXPECT_EQ(curve.Name, kConstantNames[d]);
    EXPECT_EQ(curve.GetEquationId(), ids[d]);
    EXPECT_EQ(curve.Params.size(), 8u);
    EXPECT_EQ(curve.Residual, (static_cast<double>(d) + 1.0) * 1e-3);
  }
  EXPECT_EQ(record.ConstantCurves.At(1).Params[0], 1.1);

  EXPECT_TRUE(record.Unchanged);
  EXPECT_TRUE(record.HostSentSets);
  EXPECT_EQ(record.SrnNotOptimised, 0);
}

TEST(SrnHandOff, ReadsTheExampleHandOffFile) {
  const std::string path = std::string(QUORVEL_EXAMPLES) + "/srn/temp.txt";
  if (!std::ifstream(path)) GTEST_SKIP() << "no " << path;
  SrnFormRecord record;
  std::string error;
  ASSERT_TRUE(ReadSrnInput(path, record, &error)) << error;
  EXPECT_GT(record.DataSets.Count(), 0u);
  EXPECT_EQ(record.SrnCurves.Count(), record.DataSets.Count());
  EXPECT_EQ(record.ConstantCurves.Count(), 3u);
  // What we read, we can answer, and the answer reads back the same.
  HostTextWriter answer;
  ASSERT_TRUE(BuildSrnAnswer(record, answer, &error)) << error;
  HostTextReader reader;
  std::string bytes;
  ASSERT_TRUE(Utf8ToCp932(answer.Text(), bytes));
  ASSERT_TRUE(reader.OpenBytes(bytes));
  SrnFormRecord back;
  ASSERT_TRUE(ReadSrnInput(reader, back, &error)) << error;
  test::ExpectSameSrnRecords(record, back);
}

TEST(SrnHandOff, HeaderVariants) {
  struct Case {
    const char* header;
    bool ok;
    int trials;
    int random;
  };
  const Case cases[] = {
      {"[SrnParameter]1 2", true, 7, 0},
      {"[SrnParameter] 2", true, 5, 1},  // only two D5 pieces: no flag, no retry lines read
      {"[SrnParameter]0 2", true, 5, 1},
      {"[SrnParameter]1,2", true, 7, 0},
      {"[SrnParameter]2", false, 0, 0},  // no D4 piece 2
  };
  for (const Case& c : cases) {
    Lines lines = FixtureLines("srn_input.txt");
    lines[IndexOf(lines, "[SrnParameter]1 2")] = c.header;
    SrnFormRecord record;
    ASSERT_EQ(Read(lines, record), c.ok) << c.header;
    if (!c.ok) continue;
    EXPECT_EQ(record.DataSets.Count(), 2u) << c.header;
    EXPECT_EQ(record.SrnRetry.MaximumTrials, c.trials) << c.header;
    EXPECT_EQ(record.SrnRetry.RandomStartAllowed, c.random) << c.header;
  }
}

TEST(SrnHandOff, SelectionAndRetryLinesMatchExactly) {
  struct Case {
    const char* selection;
    const char* srnRandom;
    const char* dsRandom;
    bool selected;
    int srnAllowed;
    bool dsAllowed;
  };
  const Case cases[] = {
      {"not_selected", "rand_ok", "rand_ok", false, 1, true},
      {"not_selected ", "rand_ok ", "rand_ok ", true, 0, true},
      {"NOT_SELECTED", "rand_ng", "rand_ng", true, 0, false},
      {"", "", "rand_ng ", true, 0, true},
      {"selected", "RAND_OK", "", true, 0, true},
  };
  for (const Case& c : cases) {
    Lines lines = FixtureLines("srn_input.txt");
    lines[IndexOf(lines, "not_selected")] = c.selection;
    lines[IndexOf(lines, "rand_ng")] = c.srnRandom;
    lines[lines.size() - 3] = c.dsRandom;
    SrnFormRecord record;
    ASSERT_TRUE(Read(lines, record)) << c.selection;
    EXPECT_EQ(record.SrnCurves.At(1).Selected, c.selected) << "[" << c.selection << "]";
    EXPECT_EQ(record.SrnRetry.RandomStartAllowed, c.srnAllowed) << "[" << c.srnRandom << "]";
    EXPECT_EQ(record.ConstantSettings.RandomStartAllowed, c.dsAllowed) << "[" << c.dsRandom << "]";
  }
}

// Every fault must fail the read and leave the record as it was.
TEST(SrnHandOff, FaultsFailInOrder) {
  using Edit = std::function<void(Lines&)>;
  struct Case {
    const char* what;
    Edit edit;
  };
  const Case cases[] = {
      {"header directly followed by the count", [](Lines& l) { l[3] = "[SrnParameter]2"; }},
      {"empty initial piece", [](Lines& l) { l[IndexOf(l, "0.400000,0.100000,0.050000")] = "1.5,,2.5"; }},
      {"parameter row short", [](Lines& l) { l[IndexOf(l, "0.412000,0.123000,0.051000")] = "0.4,0.1"; }},
      {"point with one value", [](Lines& l) { l[IndexOf(l, "100.000000,0.260000")] = "100.000000"; }},
      {"point count without a number piece", [](Lines& l) { l[IndexOf(l, "[Table] 3")] = "[Table]3"; }},
      {"bounds row missing", [](Lines& l) { l[IndexOf(l, "0.900000,0.500000,0.200000")] = "0.9"; }},
      {"more data sets than the file has", [](Lines& l) { l[3] = "[SrnParameter]1 3"; }},
      {"huge data set count", [](Lines& l) { l[3] = "[SrnParameter]1 2147483647"; }},
      {"no DsParameter", [](Lines& l) { l.erase(l.begin() + static_cast<long>(IndexOf(l, "[DsParameter] "))); }},
      {"no SrnParameter", [](Lines& l) { l[3] = "[SrnParam]1 2"; }},
      {"table row short", [](Lines& l) { l[IndexOf(l, "[Table] 9") + 4] = "1,2,3,4,5,6,7"; }},
      {"table count beyond the file", [](Lines& l) { l[IndexOf(l, "[Table] 9")] = "[Table] 2000000000"; }},
      {"codes short", [](Lines& l) { l[IndexOf(l, "0,1,3")] = "0,1"; }},
      {"curve count 0", [](Lines& l) { l[l.size() - 7] = "[Table] 0"; }},
      {"curve count 4", [](Lines& l) { l[l.size() - 7] = "[Table] 4"; }},
      {"curve count -1", [](Lines& l) { l[l.size() - 7] = "[Table] -1"; }},
      {"curve count not a number", [](Lines& l) { l[l.size() - 7] = "[Table] three"; }},
      {"curve with seven parameters", [](Lines& l) { l[l.size() - 5] = "1E-3,1,2,3,4,5,6,7"; }},
  };
  const SrnFormRecord before = ReadFixture();
  for (const Case& c : cases) {
    Lines lines = FixtureLines("srn_input.txt");
    c.edit(lines);
    SrnFormRecord record = before;
    record.Unchanged = false;
    std::string error;
    EXPECT_FALSE(Read(lines, record, &error)) << c.what;
    EXPECT_NE(error.find("temp.txt"), std::string::npos) << c.what << ": " << error;
    test::ExpectSameSrnRecords(before, record);
    EXPECT_FALSE(record.Unchanged) << c.what;
  }
  // The curve cases above edit the line seven from the end: the curve count.
  Lines lines = FixtureLines("srn_input.txt");
  EXPECT_EQ(lines[lines.size() - 7], "[Table] 3");
}

TEST(SrnHandOff, UnreadableFiles) {
  test::TempFolder folder;
  SrnFormRecord record;
  std::string error;
  EXPECT_FALSE(ReadSrnInput(folder.File("temp.txt"), record, &error));
  EXPECT_FALSE(error.empty());
  folder.WriteBytes("temp.txt", std::string("ToSrnForm\r\n\x82\r\n", 14));  // a lone lead byte
  EXPECT_FALSE(ReadSrnInput(folder.File("temp.txt"), record, &error));
  EXPECT_EQ(record.DataSets.Count(), 0u);
}

TEST(SrnHandOff, SectionHeadersMustComeWithinNineteenReads) {
  struct Case {
    std::size_t blankBeforeStart;
    std::size_t blankBeforeDs;
    bool ok;
  };
  // The start header is read 4; the DsParameter header is 2 reads after the tolerance line.
  const Case cases[] = {{15, 0, true}, {16, 0, false}, {0, 17, true}, {0, 18, false}};
  for (const Case& c : cases) {
    Lines lines = FixtureLines("srn_input.txt");
    lines.insert(lines.begin() + static_cast<long>(IndexOf(lines, "[DsParameter] ")), c.blankBeforeDs, "x");
    lines.insert(lines.begin() + 3, c.blankBeforeStart, "y");
    SrnFormRecord record;
    EXPECT_EQ(Read(lines, record), c.ok) << c.blankBeforeStart << " " << c.blankBeforeDs;
  }
}

TEST(SrnHandOff, TableCountAboveNineReadsAndIgnoresTheRest) {
  Lines lines = FixtureLines("srn_input.txt");
  std::size_t at = IndexOf(lines, "[Table] 9");
  lines[at] = "[Table] 12";
  lines.insert(lines.begin() + static_cast<long>(at + 10), {"9,9,9,9,9,9,9,9", "junk", ""});
  SrnFormRecord record;
  ASSERT_TRUE(Read(lines, record));
  EXPECT_EQ(record.ConstantSettings.Cells[8][0], 8.0);
  EXPECT_EQ(record.ConstantSettings.FunctionCodes, (std::array<int, 3>{0, 1, 3}));
}

TEST(SrnHandOff, FunctionCodesChooseTheCurveClasses) {
  struct Case {
    const char* codes;
    int ids[3];
  };
  const Case cases[] = {{"4,-1,2", {2, 2, 4}}, {"3,2,1", {5, 4, 3}}, {"0,0,x", {2, 2, 2}}};
  for (const Case& c : cases) {
    Lines lines = FixtureLines("srn_input.txt");
    lines[IndexOf(lines, "0,1,3")] = c.codes;
    SrnFormRecord record;
    ASSERT_TRUE(Read(lines, record)) << c.codes;
    for (std::size_t d = 0; d < 3; ++d) EXPECT_EQ(record.ConstantCurves.At(d).GetEquationId(), c.ids[d]) << c.codes;
  }
  Lines lines = FixtureLines("srn_input.txt");
  lines[IndexOf(lines, "0,1,3")] = "x,1,3";
  SrnFormRecord record;
  ASSERT_TRUE(Read(lines, record));
  EXPECT_EQ(record.ConstantSettings.FunctionCodes[0], kNoInt);  // kept as read
}

TEST(SrnHandOff, FewerCurvesAndNoDataSets) {
  Lines lines = FixtureLines("srn_input.txt");
  lines[lines.size() - 7] = "[Table] 1";
  lines.erase(lines.end() - 5, lines.end() - 3);
  SrnFormRecord record;
  ASSERT_TRUE(Read(lines, record));
  EXPECT_EQ(record.ConstantCurves.Count(), 1u);
  EXPECT_EQ(record.SrnNotOptimised, 0);
  EXPECT_TRUE(record.HostSentSets);

  Lines empty = {"ToSrnForm",      "x",         "0",     "[SrnParameter]1 0", "rand_ok", "3", "1E-4", "",
                 "[DsParameter] ", "[Table] 0", "1,1,1", "[Table] 3"};
  for (int d = 0; d < 3; ++d) empty.push_back("1E-3,1,2,3,4,5,6,7,8");
  empty.insert(empty.end(), {"rand_ok", "5", "1E-6"});
  SrnFormRecord none;
  ASSERT_TRUE(Read(empty, none));
  EXPECT_EQ(none.DataSets.Count(), 0u);
  EXPECT_FALSE(none.HostSentSets);
  EXPECT_EQ(none.SrnRetry.MaximumTrials, 3);
  EXPECT_EQ(none.ConstantSettings.Cells[0][0], kNoValue);  // reset, no rows read
}

TEST(SrnHandOff, WritesTheAnswerByteForByte) {
  test::TempFolder folder;
  SrnFormRecord record = ReadFixture();
  record.Colours = ColourRecord::Defaults();
  AnswerDelivery delivery = WriteSrnAnswer(folder.Path(), record);
  EXPECT_FALSE(delivery.Refused);
  EXPECT_TRUE(delivery.AnswerWritten);
  EXPECT_TRUE(delivery.ColourWritten);
  EXPECT_TRUE(delivery.DoneFlagWritten);
  std::string written = folder.ReadBytes("temp.txt");
  EXPECT_EQ(written, FixtureBytes("srn_answer.txt"));
  EXPECT_NE(written.find("\r\n[DsParameter] \r\n"), std::string::npos);
  EXPECT_NE(written.find("\x82\x54\x81\x93\r\n"), std::string::npos);  // "５％" in CP932
  EXPECT_EQ(written.substr(written.size() - 6), "1E-7\r\n");
  EXPECT_TRUE(folder.Exists("writed"));
  EXPECT_EQ(folder.ReadBytes("writed"), "");
  ColourRecord colours;
  EXPECT_TRUE(ReadColourFile(folder.File("color.txt"), colours));
}

TEST(SrnHandOff, MissingParametersAreWrittenAsZero) {
  SrnFormRecord record = ReadFixture();
  record.SrnCurves.At(0).Params.resize(1);
  record.ConstantCurves.At(2).Params.resize(4);
  HostTextWriter answer;
  ASSERT_TRUE(BuildSrnAnswer(record, answer));
  Lines lines = test::LinesOf(HostBytes(SplitLines(answer.Text())));
  EXPECT_EQ(lines[6], "0.412000,0.000000,0.000000");
  EXPECT_EQ(lines[lines.size() - 4],
            "3.000000E-3,2.100000,2.200000,2.300000,2.400000,0.000000,0.000000,0.000000,0.000000");
}

TEST(SrnHandOff, RefusedAnswersTouchNoFile) {
  using Edit = std::function<void(SrnFormRecord&)>;
  struct Case {
    const char* what;
    Edit edit;
  };
  const Case cases[] = {
      {"fewer SR-N curves than data sets", [](SrnFormRecord& r) { r.SrnCurves.RemoveAt(1); }},
      {"no SR-N curves", [](SrnFormRecord& r) { r.SrnCurves.Clear(); }},
      {"two constant curves", [](SrnFormRecord& r) { r.ConstantCurves.RemoveAt(2); }},
      {"no constant curves", [](SrnFormRecord& r) { r.ConstantCurves.Clear(); }},
      {"a name with a line break", [](SrnFormRecord& r) { r.SrnCurves.At(0).Name = "5\n[SrnData]1"; }},
      {"a name without a CP932 form", [](SrnFormRecord& r) { r.SrnCurves.At(1).Name = "\xF0\x9F\x98\x80"; }},
  };
  for (const Case& c : cases) {
    test::TempFolder folder;
    folder.WriteBytes("temp.txt", "host input");
    SrnFormRecord record = ReadFixture();
    c.edit(record);
    AnswerDelivery delivery = WriteSrnAnswer(folder.Path(), record);
    EXPECT_TRUE(delivery.Refused) << c.what;
    EXPECT_FALSE(delivery.Error.empty()) << c.what;
    EXPECT_EQ(folder.ReadBytes("temp.txt"), "host input") << c.what;
    EXPECT_FALSE(folder.Exists("color.txt")) << c.what;
    EXPECT_FALSE(folder.Exists("writed")) << c.what;
  }
}

TEST(SrnHandOff, UnwritableHandOffFileStillGivesColoursAndTheFlag) {
  test::TempFolder folder;
  std::string blocker = folder.File("temp.txt");
  ASSERT_EQ(::system(("mkdir " + blocker + " && touch " + blocker + "/keep").c_str()), 0);
  AnswerDelivery delivery = WriteSrnAnswer(folder.Path(), ReadFixture());
  EXPECT_FALSE(delivery.Refused);
  EXPECT_FALSE(delivery.AnswerWritten);
  EXPECT_FALSE(delivery.Error.empty());
  EXPECT_TRUE(delivery.ColourWritten);
  EXPECT_TRUE(delivery.DoneFlagWritten);
  EXPECT_TRUE(folder.Exists("writed"));
}

TEST(SrnHandOff, SetsWithoutInitialValuesCannotBeReadBack) {
  SrnFormRecord record = ReadFixture();
  record.DataSets.At(0).Initial = {kNoValue, kNoValue, kNoValue};
  HostTextWriter answer;
  ASSERT_TRUE(BuildSrnAnswer(record, answer));
  Lines lines = SplitLines(answer.Text());
  EXPECT_EQ(lines[5], ",,");
  SrnFormRecord back;
  EXPECT_FALSE(Read(lines, back));

  // Likewise a constant curve without a residual: its line starts with a comma.
  SrnFormRecord noResidual = ReadFixture();
  noResidual.ConstantCurves.At(0).Residual = kNoValue;
  ASSERT_TRUE(BuildSrnAnswer(noResidual, answer));
  lines = SplitLines(answer.Text());
  EXPECT_EQ(lines[lines.size() - 6], ",0.100000,0.200000,0.300000,0.400000,0.500000,0.600000,0.700000,0.800000");
  EXPECT_FALSE(Read(lines, back));
}

// Generated records: what the answer writes, the reader gives back.
std::string Fixed(std::mt19937& rng, double scale) {
  std::uniform_real_distribution<double> value(-scale, scale);
  return FormatDouble(value(rng), 6);
}

double FixedValue(std::mt19937& rng, double scale) { return ParseDouble(Fixed(rng, scale)); }

double ExpValue(std::mt19937& rng, int decimals, bool mayBeEmpty) {
  std::uniform_int_distribution<int> pick(0, 9);
  if (mayBeEmpty && pick(rng) == 0) return kNoValue;
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 8);
  return ParseDouble(FormatExp(mantissa(rng) * std::pow(10.0, exponent(rng)), decimals));
}

int IntValue(std::mt19937& rng, bool mayBeEmpty) {
  std::uniform_int_distribution<int> pick(0, 9);
  if (mayBeEmpty && pick(rng) == 0) return kNoInt;
  std::uniform_int_distribution<int> value(-5, 1000);
  return value(rng);
}

const char* const kNames[] = {"1",        "0.5",        "５％",         "液状化 α", "DA=2.5%",    "",
                              " spaced ", "[SrnData]1", "not_selected", "①～－",    "DsParameter"};

SrnFormRecord Generate(std::mt19937& rng) {
  SrnFormRecord record;
  std::uniform_int_distribution<int> setCount(0, 40), pointCount(0, 25), coin(0, 1), code(-3, 6),
      nameIndex(0, static_cast<int>(std::size(kNames)) - 1);
  int sets = setCount(rng);
  for (int k = 0; k < sets; ++k) {
    CPointDataList& set = record.DataSets.Append(CPointDataList(kNames[nameIndex(rng)]));
    for (double& v : set.Initial) v = FixedValue(rng, 10.0);
    for (double& v : set.Minimum) v = FixedValue(rng, 1.0);
    for (double& v : set.Maximum) v = FixedValue(rng, 100.0);
    int points = pointCount(rng);
    for (int m = 0; m < points; ++m) set.AppendPoint(FixedValue(rng, 1e6), FixedValue(rng, 1.0));
    auto& curve = record.SrnCurves.Append(std::make_unique<CEq1Param>());
    curve.Name = set.Name;
    for (int i = 0; i < 3; ++i) curve.AppendParam(FixedValue(rng, 5.0));
    curve.Residual = ExpValue(rng, 6, true);
    curve.Selected = coin(rng) == 1;
  }
  record.SrnRetry = {coin(rng), IntValue(rng, true), ExpValue(rng, 6, true)};
  ConstantFitSettings& settings = record.ConstantSettings;
  for (auto& row : settings.Cells) {
    for (double& cell : row) cell = FixedValue(rng, 1000.0);
  }
  for (int& c : settings.FunctionCodes) c = code(rng);
  settings.MaximumTrials = IntValue(rng, true);
  settings.RandomStartAllowed = coin(rng) == 1;
  settings.Tolerance = ExpValue(rng, 0, true);
  for (std::size_t d = 0; d < 3; ++d) {
    auto& curve = record.ConstantCurves.Append(MakeEquationForFunctionCode(settings.FunctionCodes[d]));
    curve.Name = kConstantNames[d];
    curve.Residual = ExpValue(rng, 6, false);  // an empty residual leads the line: not readable back
    int count = ParameterCountForEquationId(curve.GetEquationId());
    for (int i = 0; i < count; ++i) curve.AppendParam(FixedValue(rng, 50.0));
  }
  return record;
}

TEST(SrnHandOff, AnswerReadsBackAsTheSameRecords) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 200; ++round) {
    SrnFormRecord written = Generate(rng);
    HostTextWriter answer;
    ASSERT_TRUE(BuildSrnAnswer(written, answer));
    // The host's file carries the start lines; the answer's own first lines take their place.
    HostTextReader reader;
    std::string bytes;
    ASSERT_TRUE(Utf8ToCp932(answer.Text(), bytes));
    ASSERT_TRUE(reader.OpenBytes(bytes));
    SrnFormRecord read;
    std::string error;
    ASSERT_TRUE(ReadSrnInput(reader, read, &error)) << "round " << round << ": " << error;
    test::ExpectSameSrnRecords(written, read);
    EXPECT_EQ(read.HostSentSets, written.DataSets.Count() > 0);
    if (HasFailure()) {
      ADD_FAILURE() << "round " << round;
      break;
    }
  }
}

}  // namespace
}  // namespace quorvel
