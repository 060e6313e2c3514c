// Seeded mutations of valid host files through the three readers: every input
// ends in a clean failure that leaves the records alone, or in a read whose
// records are whole. QUORVEL_MUTATION_ROUNDS sets the rounds per reader (long
// runs go under the sanitizer build).
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "HandOffTestSupport.h"
#include "host/ColourFile.h"
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

// Runs `read` on mutations of `valid`: `whole` checks a record after a
// successful read, `same` one after a failed read.
template <typename Record>
void Hammer(const std::string& valid, unsigned seed, Record before,
            const std::function<bool(HostTextReader&, Record&)>& read, const std::function<void(const Record&)>& whole,
            const std::function<void(const Record&)>& same) {
  std::mt19937 rng(seed);
  int succeeded = 0;
  for (int round = 0; round < Rounds(); ++round) {
    HostTextReader reader;
    if (!reader.OpenBytes(Mutate(valid, rng))) continue;
    Record record = before;
    if (read(reader, record)) {
      ++succeeded;
      whole(record);
    } else {
      same(record);
    }
    ASSERT_FALSE(testing::Test::HasFailure()) << "round " << round;
  }
  if (Rounds() >= 100) {
    EXPECT_GT(succeeded, 0);  // the mutations do not only produce rejects
  }
}

TEST(HandOffMutation, SrnReader) {
  const std::string valid = test::HostBytes(test::FixtureLines("srn_input.txt"));
  SrnFormRecord before;
  HostTextReader reader;
  ASSERT_TRUE(reader.OpenBytes(valid) && ReadSrnInput(reader, before));
  before.Unchanged = false;
  Hammer<SrnFormRecord>(
      valid, 4242, before, [](HostTextReader& r, SrnFormRecord& record) { return ReadSrnInput(r, record); },
      [](const SrnFormRecord& record) {
        EXPECT_TRUE(record.Unchanged);
        EXPECT_EQ(record.SrnCurves.Count(), record.DataSets.Count());
        EXPECT_TRUE(record.ConstantCurves.Count() >= 1 && record.ConstantCurves.Count() <= 3);
        for (std::size_t d = 0; d < record.ConstantCurves.Count(); ++d) {
          EXPECT_EQ(record.ConstantCurves.At(d).Params.size(), 8u);
        }
        for (std::size_t k = 0; k < record.SrnCurves.Count(); ++k) EXPECT_EQ(record.SrnCurves.At(k).Params.size(), 3u);
      },
      [&before](const SrnFormRecord& record) {
        EXPECT_FALSE(record.Unchanged);
        test::ExpectSameSrnRecords(before, record);
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
      [](const StrainFormRecord& record) {
        EXPECT_EQ(record.DataSets.Count(), 1u);
        EXPECT_TRUE(record.Argument == 0 || record.Argument == 1);
        EXPECT_FALSE(record.NotFinished);
      },
      [&before](const StrainFormRecord& record) {
        EXPECT_TRUE(record.NotFinished);
        test::ExpectSameStrainRecords(before, record);
      });
}

TEST(HandOffMutation, ColourReader) {
  std::string valid;
  ASSERT_TRUE(Utf8ToCp932(ColourFileText(ColourRecord::Defaults()), valid));
  ColourRecord marker;
  marker.Entries.fill(-7);
  Hammer<ColourRecord>(
      valid, 4444, marker, [](HostTextReader& r, ColourRecord& record) { return ReadColourLines(r, record); },
      [](const ColourRecord&) {}, [&marker](const ColourRecord& record) { EXPECT_EQ(record, marker); });
}

}  // namespace
}  // namespace quorvel
