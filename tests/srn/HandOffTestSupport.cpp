#include "HandOffTestSupport.h"

#include <fstream>
#include <iterator>

namespace quorvel::test {

Lines FixtureLines(const std::string& name) {
  std::ifstream file(std::string(QUORVEL_TEST_DATA) + "/handoff/" + name, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::string text;
  EXPECT_TRUE(!bytes.empty() && Cp932ToUtf8(bytes, text)) << name;
  return SplitLines(text);
}

std::string HostBytes(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  std::string bytes;
  EXPECT_TRUE(Utf8ToCp932(text, bytes));
  return bytes;
}

std::size_t IndexOf(const Lines& lines, const std::string& text) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == text) return i;
  }
  ADD_FAILURE() << "no line " << text;
  return 0;
}

}  // namespace quorvel::test
