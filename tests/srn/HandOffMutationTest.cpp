// Seeded mutations of valid host files through the two hand-off readers: every input
// ends in a clean failure that leaves the records alone, or in a read whose
// records are whole. QUORVEL_MUTATION_ROUNDS sets the rounds per reader (long
// runs go under the sanitizer build).
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "HandOffTestSupport.h"
#include "host/Language.h"
#include "srn/SrnHandOff.h"
#include "strain/StrainHandOff.h"

namespace quorvel {
namespace {

// Lines a hostile or broken host might write, one per line of this text.
const test::Lines kHostileLines = SplitLines(
    "\n,,,,,,,,\n[Table] 2147483647\n[Table] -2147483648\n[Table] -1\n[Table] 0\n[Table] 4\n[SrnData]1\n"
    "[SrnData]\n[SrnParameter]1 5\n[DsParameter] \n[SdParameter]1\n1e308,1e308,1e308\nnan,inf,-inf\n-9e32\n"
    "rand_ok\n4,-1,2147483647\n1:2:3:4:5:6:7:8:9\n\t1\t2\n]]]]\nColorData\n1,2,3\n1,2\n");

std::string Mutate(const std::string& valid, std::mt19937& rng) {
  test::Lines lines = test::LinesOf(valid);
  auto pick = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % std::max<std::size_t>(n, 1)); };
  for (int steps = 1 + static_cast<int>(rng() % 4); steps > 0; --steps) {
    if (lines.empty()) lines.push_back("");
    const std::size_t at = pick(lines.size());
    const long where = static_cast<long>(at);
    const std::string& hostile = kHostileLines[pick(kHostileLines.size())];
    const auto kind = rng() % 8;
    if (kind == 0) lines.erase(lines.begin() + where);
    if (kind == 1) lines.insert(lines.begin() + where, lines[at]);
    if (kind == 2) std::swap(lines[at], lines[pick(lines.size())]);
    if (kind == 3) lines[at] = hostile;
    if (kind == 4) lines.insert(lines.begin() + where, hostile);
    if (kind == 5) lines.resize(at);
    if (kind == 6 && !lines[at].empty()) lines[at].erase(pick(lines[at].size()), 1);
    if (kind == 7) lines[at].insert(pick(lines[at].size() + 1), 1, ",: \t]"[pick(5)]);
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  std::string bytes;
  if (!Utf8ToCp932(text, bytes)) return text;
  if (rng() % 6 == 0 && !bytes.empty()) bytes[pick(bytes.size())] = static_cast<char>(1 + rng() % 255);
  return bytes;
}

int Rounds() {
  const char* text = std::getenv("QUORVEL_MUTATION_ROUNDS");
  return text && std::atoi(text) > 0 ? std::atoi(text) : 1500;
}

// Runs `read` on mutations of `valid` from `before`; `check` gets the record
// and whether the read succeeded.
template <typename Record>
void Hammer(const std::string& valid, unsigned seed, const Record& before,
            const std::function<bool(HostTextReader&, Record&)>& read,
            const std::function<void(const Record&, bool)>& check) {
  std::mt19937 rng(seed);
  int succeeded = 0;
  for (int round = 0; round < Rounds(); ++round) {
    HostTextReader reader;
    if (!reader.OpenBytes(Mutate(valid, rng))) continue;
    Record record = before;
    const bool ok = read(reader, record);
    succeeded += ok;
    check(record, ok);
    ASSERT_FALSE(testing::Test::HasFailure()) << "round " << round;
  }
  EXPECT_TRUE(Rounds() < 100 || succeeded > 0);  // the mutations do not only produce rejects
}

TEST(HandOffMutation, SrnReader) {
  const std::string valid = test::HostBytes(test::FixtureLines("srn_input.txt"));
  SrnFormRecord before;
  HostTextReader reader;
  ASSERT_TRUE(reader.OpenBytes(valid) && ReadSrnInput(reader, before));
  before.Unchanged = false;
  Hammer<SrnFormRecord>(
      valid, 4242, before, [](HostTextReader& r, SrnFormRecord& record) { return ReadSrnInput(r, record); },
      [&before](const SrnFormRecord& record, bool ok) {
        EXPECT_EQ(record.Unchanged, ok);
        if (!ok) return test::ExpectSameSrnRecords(before, record);
        EXPECT_EQ(record.SrnCurves.Count(), record.DataSets.Count());
        EXPECT_TRUE(record.ConstantCurves.Count() >= 1 && record.ConstantCurves.Count() <= 3);
        for (std::size_t d = 0; d < record.ConstantCurves.Count(); ++d)
          EXPECT_EQ(record.ConstantCurves.At(d).Params.size(), 8u);
        for (std::size_t k = 0; k < record.SrnCurves.Count(); ++k) EXPECT_EQ(record.SrnCurves.At(k).Params.size(), 3u);
      });
}

TEST(HandOffMutation, StrainReader) {
  const std::string valid = test::HostBytes(test::FixtureLines("strain_input.txt"));
  StrainFormRecord before;
  HostTextReader reader;
  ASSERT_TRUE(reader.OpenBytes(valid) && ReadStrainInput(reader, before, kJapanese));
  before.NotFinished = true;
  Hammer<StrainFormRecord>(
      valid, 4343, before,
      [](HostTextReader& r, StrainFormRecord& record) { return ReadStrainInput(r, record, kEnglish); },
      [&before](const StrainFormRecord& record, bool ok) {
        EXPECT_EQ(record.NotFinished, !ok);
        if (!ok) return test::ExpectSameStrainRecords(before, record);
        EXPECT_EQ(record.DataSets.Count(), 1u);
        EXPECT_TRUE(record.Argument == 0 || record.Argument == 1);
      });
}

// The colour reader's faults are cases of HostFilesTest (ColourFile.*).

}  // namespace
}  // namespace quorvel
