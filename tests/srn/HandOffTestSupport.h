#pragma once
// Fixtures shared by the hand-off tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/HostTextFile.h"

namespace quorvel::test {

using Lines = std::vector<std::string>;

// Lines (UTF-8) of a fixture in tests/data/handoff.
Lines FixtureLines(const std::string& name);
// CP932 bytes of `lines` joined by CR LF, with a final CR LF.
std::string HostBytes(const Lines& lines);
// Index of the first line equal to `text`; fails the test when there is none.
std::size_t IndexOf(const Lines& lines, const std::string& text);

// Runs `read(reader)` on a host text reader over `lines`.
template <class ReadFunction>
bool ReadLines(const Lines& lines, ReadFunction read) {
  HostTextReader reader;
  EXPECT_TRUE(reader.OpenBytes(HostBytes(lines)));
  return read(reader);
}

}  // namespace quorvel::test
