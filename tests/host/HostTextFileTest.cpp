#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "app/StartCheck.h"
#include "host/HostAnswer.h"
#include "host/HostTextFile.h"

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

TEST(HostTextFile, WritesCp932WithCrLf) {
  TempFolder folder;
  HostTextWriter writer;
  writer.WriteLine("実験データ");
  writer.Write("ToDrevia\nCANCEL");
  ASSERT_TRUE(writer.Commit(folder.File("temp.txt")));
  EXPECT_EQ(folder.ReadBytes("temp.txt"), kJikkenDataCp932 + "\r\nToDrevia\r\nCANCEL");
  EXPECT_TRUE(NoTemporaryFilesLeft(folder));
}

TEST(HostTextFile, ReadsLinesWithEitherLineEnd) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},            // last line without an end is kept
      {"a\r\n\r\nb", {"a", "", "b"}},  // empty lines stay lines
      {"", {}},
      {kJikkenDataCp932 + "\r\n1 : 砂", {}},  // marker: checked below
  };
  for (std::size_t k = 0; k + 1 < std::size(cases); ++k) {
    HostTextReader reader;
    ASSERT_TRUE(reader.OpenBytes(cases[k].bytes));
    std::vector<std::string> lines;
    while (!reader.AtEnd()) lines.push_back(reader.ReadLine());
    EXPECT_EQ(lines, cases[k].lines) << k;
    EXPECT_EQ(reader.ReadLine(), "");  // past the end: an empty line
    EXPECT_EQ(reader.ReadLine(), "");
  }
  HostTextReader reader;
  ASSERT_TRUE(reader.OpenBytes(kJikkenDataCp932 + "\r\n]\x83\x5D"));  // trail byte 0x5D is not ']'
  EXPECT_EQ(reader.ReadLine(), "実験データ");
  EXPECT_EQ(reader.ReadLine(), "]ゾ");
  EXPECT_EQ(reader.LineNumber(), 2u);
}

TEST(HostTextFile, RefusesBytesThatAreNotCp932) {
  const std::string bad[] = {
      std::string("ToSrnForm\r\n\x80\r\n", 13),  // 0x80 is not a character
      std::string("ToSrnForm\r\nA\xFF", 13),     // 0xFF neither
      std::string("ToSrnForm\r\n\x83", 12),      // lead byte cut off at the end
      std::string("ToSrnForm\0\r\n", 12),        // NUL: not a text file
  };
  for (const std::string& bytes : bad) {
    HostTextReader reader;
    EXPECT_FALSE(reader.OpenBytes(bytes));
    EXPECT_FALSE(reader.Error().empty());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadLine(), "");
  }
  HostTextReader reader;
  EXPECT_FALSE(reader.Open("/nonexistent/folder/temp.txt"));
}

TEST(HostTextFile, FailedWriteLeavesTheTargetAlone) {
  TempFolder folder;
  folder.WriteBytes("temp.txt", "host data\r\n");
  HostTextWriter writer;
  writer.WriteLine("😀 has no CP932 form");
  std::string error;
  EXPECT_FALSE(writer.Commit(folder.File("temp.txt"), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(folder.ReadBytes("temp.txt"), "host data\r\n");
  EXPECT_TRUE(NoTemporaryFilesLeft(folder));

  // A target that cannot be replaced (here a folder stands in its place).
  std::filesystem::create_directory(folder.File("blocked"));
  EXPECT_FALSE(ReplaceFileAtomically(folder.File("blocked"), "x", &error));
  EXPECT_TRUE(NoTemporaryFilesLeft(folder));
  EXPECT_FALSE(ReplaceFileAtomically("/nonexistent/folder/temp.txt", "x", &error));
}

TEST(HostAnswer, CancelAndPrintOkBytesThenTheFlag) {
  TempFolder folder;
  folder.WriteBytes("temp.txt", "ToSrnForm\r\n");
  ASSERT_TRUE(DeliverCancelAnswer(folder.Path()));
  EXPECT_EQ(folder.ReadBytes("temp.txt"), "ToDrevia\r\nCANCEL");
  ASSERT_TRUE(folder.Exists("writed"));
  EXPECT_EQ(folder.ReadBytes("writed"), "");
  EXPECT_LE(std::filesystem::last_write_time(folder.File("temp.txt")),
            std::filesystem::last_write_time(folder.File("writed")));

  folder.WriteBytes("writed", "old");
  ASSERT_TRUE(DeliverPrintOkAnswer(folder.Path()));
  EXPECT_EQ(folder.ReadBytes("temp.txt"), "ToDrevia\r\nOK\r\n");
  EXPECT_EQ(folder.ReadBytes("writed"), "");  // truncated
}

TEST(HostAnswer, UnwritableFolderWritesNothingAndSurvives) {
  TempFolder folder;
  // Folders stand where both files would go, so neither can be written
  // (permissions alone do not stop root).
  std::filesystem::create_directory(folder.File("temp.txt"));
  std::filesystem::create_directory(folder.File("writed"));
  EXPECT_FALSE(DeliverCancelAnswer(folder.Path()));
  EXPECT_FALSE(CreateDoneFlag(folder.Path()));
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("temp.txt")));
  EXPECT_TRUE(NoTemporaryFilesLeft(folder));
  EXPECT_FALSE(DeliverCancelAnswer("/nonexistent/folder/"));
}

TEST(StartCheck, Cases) {
  struct Case {
    std::string bytes;
    bool refused;
    StartMode mode;
    std::string label;
    int language;
  };
  const std::string tenMegabyteLine(10 * 1024 * 1024, 'x');
  const Case cases[] = {
      {"ToSrnForm\r\n1 : 砂質土\r\n0\r\n", false, StartMode::SrnForm, "1 : 砂質土", 1041},
      {"ToStrainForm\n 2 : 粘土 \n1\n", false, StartMode::StrainForm, " 2 : 粘土 ", 1033},
      {"ToPrint\r\nlabel\r\n0 \r\n", false, StartMode::Print, "label", 1041},
      {"ToSrnForm", false, StartMode::SrnForm, "", 1033},  // no line 3: English
      {"ToSrnForm\r\nx\r\n2\r\n", false, StartMode::SrnForm, "x", 1033},
      {"ToSrnForm\r\nx\r\n-1\r\n", false, StartMode::SrnForm, "x", 1033},
      {"ToSrnForm\r\nx\r\n0x\r\n", false, StartMode::SrnForm, "x", 1033},
      {"ToSrnForm\r\nx\r\n\r\n", false, StartMode::SrnForm, "x", 1033},
      {"tosrnform\r\n", true, StartMode::SrnForm, "", 1041},
      {" ToSrnForm\r\n", true, StartMode::SrnForm, "", 1041},
      {"ToSrnForm \r\n", true, StartMode::SrnForm, "", 1041},
      {"", true, StartMode::SrnForm, "", 1041},
      {std::string("\x7F\x45LF\x02\x01\x01\0\0", 9), true, StartMode::SrnForm, "", 1041},
      {tenMegabyteLine + "\r\nToSrnForm\r\n", true, StartMode::SrnForm, "", 1041},
      {"ToSrnForm\r\n\x81\r\n0\r\n", true, StartMode::SrnForm, "", 1041},  // invalid CP932
  };
  for (std::size_t k = 0; k < std::size(cases); ++k) {
    TempFolder folder;
    std::string bytes = cases[k].bytes;
    if (k < 3) {
      ASSERT_TRUE(Utf8ToCp932(cases[k].bytes, bytes));  // the host writes CP932
    }
    folder.WriteBytes("temp.txt", bytes);
    StartRequest request = CheckStart(folder.Path());
    EXPECT_EQ(request.refused, cases[k].refused) << k;
    if (request.refused) continue;
    EXPECT_EQ(request.mode, cases[k].mode) << k;
    EXPECT_EQ(request.stratumLabel, cases[k].label) << k;
    EXPECT_EQ(request.LanguageId(), cases[k].language) << k;
  }
  TempFolder empty;
  EXPECT_TRUE(CheckStart(empty.Path()).refused);
}

}  // namespace
}  // namespace quorvel
