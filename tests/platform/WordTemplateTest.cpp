// The package check every test document passes, and the template packer that
// refuses what the writer could not use. That the template holds every name the
// report uses is WordTemplateNames.EveryNameTheReportUsesIsInTheTemplate.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "WordTestSupport.h"
#include "host/HostTextFile.h"
#include "platform/OoxmlPackage.h"
#include "platform/WordDocumentWriter.h"

namespace quorvel::test {
namespace {

// The check that every test document passes must itself catch each fault.
TEST(PackageCheck, FindsEachFault) {
  TempFolder folder;
  WordDocumentWriter writer;
  ASSERT_TRUE(writer.OpenTemplate(TemplatePath(), true));
  ASSERT_TRUE(writer.AppendBlock("モデル図"));
  ASSERT_TRUE(writer.InsertPicture("モデル図", {SmallPng(), 0, 0}));
  ASSERT_EQ(writer.Save(folder.File("sound.docm")), 1);
  PackageEntries sound;
  std::string error;
  ASSERT_TRUE(ReadZipFile(folder.File("sound.docm"), sound, error));
  ASSERT_EQ(ooxml::CheckPackage(sound), std::vector<std::string>());

  const struct {
    const char *part, *from, *to, *problem;
  } cases[] = {
      {"word/document.xml", "r:embed=\"rId5\"", "r:embed=\"rId9\"",
       "word/document.xml: r:embed=\"rId9\" names no relationship"},
      {"word/document.xml", "</w:body>",
       "<w:p><w:r><w:drawing><wp:inline><wp:docPr id=\"1\" "
       "name=\"again\"/></wp:inline></w:drawing></w:r></w:p></w:body>",
       "word/document.xml: wp:docPr id 1 used before"},
      {"word/styles.xml", "</w:styles>", "", "word/styles.xml: does not parse"},
      {"word/_rels/document.xml.rels", "Target=\"media/image1.png\"", "Target=\"media/image7.png\"",
       "word/_rels/document.xml.rels: rId5 targets missing part \"media/image7.png\""},
      {"word/_rels/document.xml.rels", "Id=\"rId2\"", "Id=\"rId1\"",
       "word/_rels/document.xml.rels: relationship id \"rId1\" empty or repeated"},
      {"[Content_Types].xml", "<Default Extension=\"png\" ContentType=\"image/png\"/>", "",
       "word/media/image1.png: no content type"},
      {"[Content_Types].xml", "</Types>",
       "<Override PartName=\"/word/gone.xml\" ContentType=\"application/xml\"/></Types>",
       "[Content_Types].xml: override for missing part /word/gone.xml"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.problem);
    PackageEntries broken = sound;
    PackageEntry* entry = FindEntry(broken, c.part);
    ASSERT_NE(entry, nullptr);
    std::size_t at = entry->data.find(c.from);
    ASSERT_NE(at, std::string::npos);
    entry->data.replace(at, std::strlen(c.from), c.to);
    std::vector<std::string> problems = ooxml::CheckPackage(broken);
    ASSERT_EQ(problems.size(), 1u) << (problems.empty() ? "" : problems.front());
    EXPECT_EQ(problems.front().substr(0, std::strlen(c.problem)), c.problem);
  }
}

void Replace(const std::string& path, const std::string& from, const std::string& to) {
  std::string text;
  ASSERT_TRUE(ReadFileBytes(path, text, 1u << 26));
  std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
  ASSERT_TRUE(ReplaceFileAtomically(path, text));
}

TEST(WordTemplate, PackerRefusesPartsTheWriterCannotUse) {
  const std::string packer = std::string(QUORVEL_BINARY_DIR) + "/bin/quorvel-pack-template";
  const struct {
    const char *what, *file, *from, *to, *extraFile = nullptr, *extraText = nullptr;
  } cases[] = {
      {"unchanged", nullptr, nullptr, nullptr},
      {"a block with a link", "word/glossary/document.xml", "<w:pStyle w:val=\"Heading1\"/>\n          </w:pPr>",
       "<w:pStyle w:val=\"Heading1\"/>\n          </w:pPr><w:hyperlink "
       "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" r:id=\"rId1\"/>",
       // The glossary's own relationship exists, so only the block rule stands in the way.
       "word/glossary/_rels/document.xml.rels",
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
       "Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
       "Target=\"../styles.xml\"/></Relationships>"},
      {"a part that does not parse", "word/styles.xml", "</w:styles>", "</w:style>"},
      {"a relationship to a missing part", "word/_rels/document.xml.rels", "Target=\"footer1.xml\"",
       "Target=\"footer2.xml\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    std::filesystem::copy(QUORVEL_WORD_TEMPLATE_PARTS_DIR, folder.File("parts"),
                          std::filesystem::copy_options::recursive);
    if (c.file) Replace(folder.File("parts/") + c.file, c.from, c.to);
    if (c.extraFile) {
      std::filesystem::create_directories(std::filesystem::path(folder.File("parts/") + c.extraFile).parent_path());
      folder.WriteBytes(std::string("parts/") + c.extraFile, c.extraText);
    }
    int status =
        RunCommand(packer + " '" + folder.File("parts") + "' '" + folder.File("out/Drevia.docm") + "' 2>/dev/null");
    if (!c.file) {
      EXPECT_EQ(status, 0);
      // Packing is reproducible: the same parts give the build's bytes.
      std::string packed, built;
      ASSERT_TRUE(ReadFileBytes(folder.File("out/Drevia.docm"), packed, 1u << 26));
      ASSERT_TRUE(ReadFileBytes(TemplatePath(), built, 1u << 26));
      EXPECT_TRUE(packed == built);
    } else {
      EXPECT_EQ(status, 1);
      EXPECT_FALSE(folder.Exists("out/Drevia.docm"));
    }
  }
}

}  // namespace
}  // namespace quorvel::test
