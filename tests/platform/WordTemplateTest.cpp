// The template packer: the parts give the build's package, and what the writer
// could not use is refused. That the template holds every name the report uses
// is WordTemplateNames.EveryNameTheReportUsesIsInTheTemplate; the package check
// runs on every document the writer tests save.
#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "WordTestSupport.h"
#include "host/HostTextFile.h"

namespace quorvel::test {
namespace {

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
