// Seeded mutations of valid host files through the three readers: every input
// ends in a clean failure that leaves the records alone, or in a read that
// fills only the records. QUORVEL_MUTATION_ROUNDS sets the rounds per reader
// (long runs go under the sanitizer build).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "HandOffTestSupport.h"
#include "host/ColourFile.h"
#include "host/Language.h"
#include "srn/SrnHandOff.h"
#include "strain/StrainHandOff.h"

namespace quorvel {
namespace {

using test::Lines;

int Rounds() {
  const char* text = std::getenv("QUORVEL_MUTATION_ROUNDS");
  int rounds = text ? std::atoi(text) : 0;
  return rounds > 0 ? rounds : 1500;
}

const char* const kHostileLines[] = {"",
                                     " ",
                                     ",",
                                     ",,,,,,,,",
                                     "[Table] 2147483647",
                                     "[Table] -2147483648",
                                     "[Table] -1",
                                     "[Table] 0",
                                     "[Table] 4",
                                     "[Table] 99999999999",
                                     "[SrnData]1",
                                     "[SrnData]",
                                     "[SrnParameter]1 5",
                                     "[DsParameter] ",
                                     "[SdParameter]1",
                                     "1e308,1e308,1e308",
                                     "nan,inf,-inf",
                                     "-9e32",
                                     "rand_ok",
                                     "not_selected",
                                     "4,-1,2147483647",
                                     "1:2:3:4:5:6:7:8:9",
                                     "\t1\t2",
                                     "]]]]",
                                     "ColorData",
                                     "1,2,3",
                                     "1,2"};

std::string Mutate(const std::string& valid, std::mt19937& rng) {
  Lines lines = test::LinesOf(valid);
  std::uniform_int_distribution<int> kind(0, 8);
  std::uniform_int_distribution<std::size_t> hostile(0, std::size(kHostileLines) - 1);
  int steps = std::uniform_int_distribution<int>(1, 4)(rng);
  std::string bytes;
  for (int s = 0; s < steps; ++s) {
    if (lines.empty()) lines.push_back("");
    std::uniform_int_distribution<std::size_t> at(0, lines.size() - 1);
    switch (kind(rng)) {
      case 0:
        lines.erase(lines.begin() + static_cast<long>(at(rng)));
        break;
      case 1: {
        std::size_t i = at(rng);
        lines.insert(lines.begin() + static_cast<long>(i), lines[i]);
        break;
      }
      case 2:
        std::swap(lines[at(rng)], lines[at(rng)]);
        break;
      case 3:
        lines[at(rng)] = kHostileLines[hostile(rng)];
        break;
      case 4:
        lines.insert(lines.begin() + static_cast<long>(at(rng)), kHostileLines[hostile(rng)]);
        break;
      case 5:
        lines.resize(at(rng));
        break;
      case 6: {
        std::string& line = lines[at(rng)];
        if (!line.empty()) line.erase(std::uniform_int_distribution<std::size_t>(0, line.size() - 1)(rng));
        break;
      }
      case 7: {
        std::string& line = lines[at(rng)];
        line.insert(line.begin() + static_cast<long>(std::uniform_int_distribution<std::size_t>(0, line.size())(rng)),
                    ",: \t]"[std::uniform_int_distribution<int>(0, 4)(rng)]);
        break;
      }
      default:
        break;  // byte flip below
    }
  }
  for (const std::string& line : lines) bytes += line + "\r\n";
  std::string cp932;
  if (!Utf8ToCp932(bytes, cp932)) return bytes;
  if (std::uniform_int_distribution<int>(0, 5)(rng) == 0 && !cp932.empty()) {
    cp932[std::uniform_int_distribution<std::size_t>(0, cp932.size() - 1)(rng)] =
        static_cast<char>(std::uniform_int_distribution<int>(1, 255)(rng));
  }
  return cp932;
}

TEST(HandOffMutation, SrnReader) {
  const std::string valid = test::HostBytes(test::FixtureLines("srn_input.txt"));
  SrnFormRecord before;
  {
    HostTextReader reader;
    ASSERT_TRUE(reader.OpenBytes(valid));
    ASSERT_TRUE(ReadSrnInput(reader, before));
  }
  before.Unchanged = false;
  std::mt19937 rng(4242);
  int succeeded = 0;
  for (int round = 0, rounds = Rounds(); round < rounds; ++round) {
    std::string input = Mutate(valid, rng);
    HostTextReader reader;
    if (!reader.OpenBytes(input)) continue;
    SrnFormRecord record = before;
    if (ReadSrnInput(reader, record)) {
      ++succeeded;
      EXPECT_TRUE(record.Unchanged);
      EXPECT_EQ(record.SrnCurves.Count(), record.DataSets.Count());
      ASSERT_GE(record.ConstantCurves.Count(), 1u);
      ASSERT_LE(record.ConstantCurves.Count(), 3u);
      for (std::size_t d = 0; d < record.ConstantCurves.Count(); ++d) {
        EXPECT_EQ(record.ConstantCurves.At(d).Params.size(), 8u);
      }
      for (std::size_t k = 0; k < record.SrnCurves.Count(); ++k) EXPECT_EQ(record.SrnCurves.At(k).Params.size(), 3u);
    } else {
      EXPECT_FALSE(record.Unchanged);
      test::ExpectSameSrnRecords(before, record);
    }
    if (HasFailure()) {
      ADD_FAILURE() << "round " << round;
      return;
    }
  }
  if (Rounds() >= 100) {
    EXPECT_GT(succeeded, 0);  // the mutations do not only produce rejects
  }
}

TEST(HandOffMutation, StrainReader) {
  const std::string valid = test::HostBytes(test::FixtureLines("strain_input.txt"));
  StrainFormRecord before;
  {
    HostTextReader reader;
    ASSERT_TRUE(reader.OpenBytes(valid));
    ASSERT_TRUE(ReadStrainInput(reader, before, kJapanese));
  }
  before.Unchanged = false;
  before.NotFinished = true;
  std::mt19937 rng(4343);
  int succeeded = 0;
  for (int round = 0, rounds = Rounds(); round < rounds; ++round) {
    std::string input = Mutate(valid, rng);
    HostTextReader reader;
    if (!reader.OpenBytes(input)) continue;
    StrainFormRecord record = before;
    if (ReadStrainInput(reader, record, kEnglish)) {
      ++succeeded;
      EXPECT_EQ(record.DataSets.Count(), 1u);
      EXPECT_TRUE(record.Argument == 0 || record.Argument == 1);
      EXPECT_FALSE(record.NotFinished);
    } else {
      EXPECT_TRUE(record.NotFinished);
      test::ExpectSameStrainRecords(before, record);
    }
    if (HasFailure()) {
      ADD_FAILURE() << "round " << round;
      return;
    }
  }
  if (Rounds() >= 100) {
    EXPECT_GT(succeeded, 0);
  }
}

TEST(HandOffMutation, ColourReader) {
  const std::string valid = ColourFileText(ColourRecord::Defaults());
  std::string validBytes;
  ASSERT_TRUE(Utf8ToCp932(valid, validBytes));
  ColourRecord marker;
  marker.Entries.fill(-7);
  std::mt19937 rng(4444);
  int succeeded = 0;
  for (int round = 0, rounds = Rounds(); round < rounds; ++round) {
    std::string input = Mutate(validBytes, rng);
    HostTextReader reader;
    if (!reader.OpenBytes(input)) continue;
    ColourRecord record = marker;
    if (ReadColourLines(reader, record)) {
      ++succeeded;
    } else {
      ASSERT_EQ(record, marker) << "round " << round;
    }
  }
  if (Rounds() >= 100) {
    EXPECT_GT(succeeded, 0);
  }
}

}  // namespace
}  // namespace quorvel
