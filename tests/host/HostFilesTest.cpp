// Files shared with the host: CP932 text with CR LF, replaced atomically with
// the usual permissions; the answers and done flag; the start check; the
// colour file. Exact bytes and exact messages throughout.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "TempFolder.h"
#include "app/StartCheck.h"
#include "host/ColourFile.h"
#include "host/HostAnswer.h"
#include "host/HostTextFile.h"
#include "host/InvalidArgument.h"
#include "host/NumberText.h"

namespace quorvel {
namespace {

using test::TempFolder;

// "実験データ" in CP932.
const std::string kJikkenDataCp932 = "\x8E\xC0\x8C\xB1\x83\x66\x81\x5B\x83\x5E";

bool NoTemporaryFilesLeft(const TempFolder& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    if (entry.path().filename().string().rfind(".quorvel-", 0) == 0) return false;
  }
  return true;
}

TEST(HostTextFile, WritesCp932WithCrLfAndTheUsualMode) {
  TempFolder folder;
  const mode_t saved = ::umask(027);
  HostTextWriter writer;
  writer.WriteLine("実験データ");
  writer.Write("ToDrevia\nCANCEL\r\n");
  EXPECT_TRUE(writer.Commit(folder.File("temp.txt")));
  struct stat info {};
  EXPECT_EQ(::stat(folder.File("temp.txt").c_str(), &info), 0);
  ::umask(022);
  EXPECT_TRUE(ReplaceFileAtomically(folder.File("color.txt"), "x"));
  struct stat colour {};
  EXPECT_EQ(::stat(folder.File("color.txt").c_str(), &colour), 0);
  ::umask(saved);
  EXPECT_EQ(folder.ReadBytes("temp.txt"), kJikkenDataCp932 + "\r\nToDrevia\r\nCANCEL\r\n");
  EXPECT_EQ(info.st_mode & 0777, 0640u);  // not mkstemp's 0600: the host's user must read it
  EXPECT_EQ(colour.st_mode & 0777, 0644u);
  EXPECT_TRUE(NoTemporaryFilesLeft(folder));
}

TEST(HostTextFile, ReadsLinesWithEitherLineEnd) {
  // A last line without an end is kept, a lone CR is text, and the trail byte
  // 0x5D of a CP932 character is not ']'.
  using Lines = std::vector<std::string>;
  const std::pair<std::string, Lines> cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\n", {"a\rb"}},
      {"", {}},
      {kJikkenDataCp932 + "\r\n]\x83\x5D", {"実験データ", "]ゾ"}},
  };
  for (const auto& [bytes, expected] : cases) {
    HostTextReader reader;
    ASSERT_TRUE(reader.OpenBytes(bytes));
    Lines lines;
    while (!reader.AtEnd()) lines.push_back(reader.ReadLine());
    EXPECT_EQ(lines, expected) << bytes;
    EXPECT_EQ(reader.LineNumber(), expected.size());
    EXPECT_EQ(reader.ReadLine(), "");  // past the end: an empty line
  }
}

TEST(HostTextFile, RefusesWhatIsNotCp932TextWithTheReason) {
  const std::pair<std::string, const char*> cases[] = {
      {std::string("ToSrnForm\r\n\x80\r\n", 13), "text is not valid CP932 at byte 11"},
      {std::string("ToSrnForm\r\n\x83", 12), "text is not valid CP932 at byte 11"},
      {std::string("ToSrnForm\0\r\n", 12), "NUL byte at byte 9: not a text file"},
  };
  for (const auto& [bytes, error] : cases) {
    HostTextReader reader;
    EXPECT_FALSE(reader.OpenBytes(bytes));
    EXPECT_EQ(reader.Error(), error);
    EXPECT_TRUE(reader.AtEnd());
  }
  TempFolder folder;
  folder.WriteBytes("temp.txt", std::string("a\0", 2));
  HostTextReader reader;
  EXPECT_FALSE(reader.Open(folder.File("temp.txt")));
  EXPECT_EQ(reader.Error(), folder.File("temp.txt") + ": NUL byte at byte 1: not a text file");
}

TEST(HostTextFile, ByteLimitHoldsAtItsEdge) {
  TempFolder folder;
  folder.WriteBytes("three", "abc");
  std::string bytes, error;
  EXPECT_TRUE(ReadFileBytes(folder.File("three"), bytes, 3, &error) && bytes == "abc");
  EXPECT_FALSE(ReadFileBytes(folder.File("three"), bytes, 2, &error));
  EXPECT_EQ(error, folder.File("three") + " is too large or unreadable");
  EXPECT_EQ(bytes, "");
}

TEST(HostTextFile, FailedWriteLeavesTheTargetAlone) {
  TempFolder folder;
  folder.WriteBytes("temp.txt", "host data\r\n");
  HostTextWriter writer;
  writer.WriteLine("😀 has no CP932 form");
  std::string error;
  EXPECT_FALSE(writer.Commit(folder.File("temp.txt"), &error));
  EXPECT_EQ(error, "text is not valid UTF-8 at byte 0");
  EXPECT_EQ(folder.ReadBytes("temp.txt"), "host data\r\n");
  // A target that cannot be replaced (a folder stands in its place).
  std::filesystem::create_directory(folder.File("blocked"));
  EXPECT_FALSE(ReplaceFileAtomically(folder.File("blocked"), "x", &error));
  EXPECT_EQ(error, "cannot write " + folder.File("blocked") + ": Is a directory");
  EXPECT_TRUE(NoTemporaryFilesLeft(folder));
  EXPECT_FALSE(ReplaceFileAtomically("/nonexistent/folder/temp.txt", "x", &error));
  EXPECT_EQ(error, "cannot create a file beside /nonexistent/folder/temp.txt: No such file or directory");
}

// The cancel answer, the flag's order and the refusals are the shell's cases
// (ShellTest); here what it does not show.
TEST(HostAnswer, PrintOkEmptiesAnOldFlag) {
  TempFolder folder;
  folder.WriteBytes("writed", "old");
  ASSERT_TRUE(DeliverPrintOkAnswer(folder.Path()));
  EXPECT_EQ(folder.ReadBytes("temp.txt"), "ToDrevia\r\nOK\r\n");
  EXPECT_EQ(folder.ReadBytes("writed"), "");
}

// Mode, label and language of each start keyword; any language flag but 0,
// or none at all, is English; a trailing space and an oversized file are
// refused. The other refusals are the shell's cases (ShellTest).
TEST(StartCheck, Cases) {
  // text (UTF-8, written as CP932), refused, mode, label, language
  const std::tuple<std::string, bool, StartMode, std::string, int> cases[] = {
      {"ToStrainForm\n 2 : 粘土 \n1\n", false, StartMode::StrainForm, " 2 : 粘土 ", 1033},
      {"ToPrint\r\nlabel\r\n0 \r\n", false, StartMode::Print, "label", 1041},
      {"ToSrnForm\r\nx\r\n-1\r\n", false, StartMode::SrnForm, "x", 1033},
      {"ToSrnForm", false, StartMode::SrnForm, "", 1033},
      {"ToSrnForm \r\n", true, StartMode::SrnForm, "", 0},
      {std::string(10 << 20, 'x') + "\r\nToSrnForm\r\n", true, StartMode::SrnForm, "", 0},
  };
  for (const auto& [text, refused, mode, label, language] : cases) {
    TempFolder folder;
    std::string bytes;
    ASSERT_TRUE(Utf8ToCp932(text, bytes));
    folder.WriteBytes("temp.txt", bytes);
    StartRequest request = CheckStart(folder.Path());
    EXPECT_EQ(request.refused, refused) << text.substr(0, 20);
    if (request.refused) continue;
    EXPECT_EQ(std::make_tuple(request.mode, request.stratumLabel, request.LanguageId()),
              std::make_tuple(mode, label, language));
  }
}

const char kDefaultColourBytes[] =
    "[ColorData]\r\n7895160\r\n16435200\r\n3328150\r\n3289855\r\n10000384\r\n6737151\r\n204\r\n"
    "8464964\r\n32506\r\n11184628\r\n13107400,0\r\n0\r\n5066239,47872,16744448\r\n10000384,6566600";

ColourRecord Counting() {
  ColourRecord record;
  for (std::size_t i = 0; i < ColourRecord::kEntryCount; ++i) record.Entries[i] = static_cast<int>(i + 1) * 1000;
  return record;
}

TEST(ColourFile, WritesExactBytesAndReadsThemBack) {
  TempFolder folder;
  ASSERT_TRUE(WriteColourFile(folder.File("color.txt"), ColourRecord::Defaults()));
  EXPECT_EQ(folder.ReadBytes("color.txt"), kDefaultColourBytes);
  ASSERT_TRUE(WriteColourFile(folder.File("color.txt"), Counting()));
  EXPECT_EQ(LoadColourRecord(folder.File("color.txt")), Counting());
  folder.WriteBytes("color.txt", std::string(kDefaultColourBytes) + "\r\n");
  ColourRecord read = Counting();
  EXPECT_TRUE(ReadColourFile(folder.File("color.txt"), read) && read == ColourRecord::Defaults());
  // Only emptiness and piece counts are checked; a word reads as no value.
  std::string word = kDefaultColourBytes;
  word.replace(word.find("204"), 3, "red");
  folder.WriteBytes("color.txt", word);
  EXPECT_EQ(LoadColourRecord(folder.File("color.txt")).Entry(7), kNoInt);
}

TEST(ColourFile, AnyFaultFailsTheWholeReadWithItsLine) {
  // Each case replaces one line of a valid file (line numbers from 1).
  const std::tuple<int, const char*, const char*> cases[] = {
      {1, "[Colour]", "no [ColorData] header"},
      {2, "", "line 2 is empty"},
      {11, "", "line 11 is empty"},
      {12, "1", "line 12 needs 2 values, has 0"},
      {13, "", "line 13 is empty"},
      {14, "1,2", "line 14 needs 3 values, has 2"},
      {14, "1,2,3,4", "line 14 needs 3 values, has 4"},
      {15, "1,2,3", "line 15 needs 2 values, has 3"},
  };
  TempFolder folder;
  for (const auto& [number, text, why] : cases) {
    std::vector<std::string> lines = SplitLines(kDefaultColourBytes);
    lines[static_cast<std::size_t>(number - 1)] = text;
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    folder.WriteBytes("color.txt", bytes);
    ColourRecord read = Counting();
    std::string error;
    EXPECT_FALSE(ReadColourFile(folder.File("color.txt"), read, &error));
    EXPECT_EQ(error, std::string("color.txt: ") + why);
    EXPECT_EQ(read, Counting()) << "a failed read leaves the record untouched";
    EXPECT_EQ(LoadColourRecord(folder.File("color.txt")), ColourRecord::Defaults());
  }
  std::string error;
  ColourRecord read;
  EXPECT_FALSE(ReadColourFile(folder.File("missing.txt"), read, &error));
  EXPECT_EQ(error, "color.txt: cannot be read: cannot open " + folder.File("missing.txt"));
}

}  // namespace
}  // namespace quorvel
