#pragma once
// Fixtures and record comparisons shared by the hand-off tests.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "host/HostTextFile.h"
#include "srn/SrnFormRecord.h"
#include "strain/StrainFormRecord.h"

namespace quorvel::test {

using Lines = std::vector<std::string>;

// Lines (UTF-8) of a fixture in tests/data/handoff.
Lines FixtureLines(const std::string& name);
// CP932 bytes of `lines` joined by CR LF, with a final CR LF.
std::string HostBytes(const Lines& lines);
// Lines of the CP932 text `bytes` (UTF-8).
Lines LinesOf(const std::string& bytes);
// Index of the first line equal to `text`; fails the test when there is none.
std::size_t IndexOf(const Lines& lines, const std::string& text);

// Runs `read(reader)` on a host text reader over `lines`.
template <class ReadFunction>
bool ReadLines(const Lines& lines, ReadFunction read) {
  HostTextReader reader;
  EXPECT_TRUE(reader.OpenBytes(HostBytes(lines)));
  return read(reader);
}

// Compare what travels through the files.
void ExpectSameSrnRecords(const SrnFormRecord& expected, const SrnFormRecord& actual);
void ExpectSameStrainRecords(const StrainFormRecord& expected, const StrainFormRecord& actual);

// Same doubles, NaN equal to NaN.
bool SameDouble(double a, double b);

// Random values as the answers write them: fixed with 6 decimals in
// [-scale, scale]; a mantissa of `decimals` decimals times 10^(low .. low +
// span - 1), kNoValue one time in `emptyOneIn` (never when 0).
double FixedValue(std::mt19937& rng, double scale);
double ExpValue(std::mt19937& rng, int decimals, int low, int span, unsigned emptyOneIn);

}  // namespace quorvel::test
