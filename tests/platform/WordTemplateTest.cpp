// The Word template as the build packs it: every name the report uses, a
// sound package, and a packer that refuses what the writer could not use.
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

// Every block, field and column the report names; a sound package; every heading with its text.
TEST(WordTemplate, HoldsEveryNameTheReportUsesInASoundPackage) {
  const std::vector<std::string> coordinates{"番号１", "Ｘ１", "Ｙ１", "番号２", "Ｘ２", "Ｙ２"};
  const std::pair<const char*, std::vector<std::string>> blocks[] = {
      {"Ｄｒｅｖｉａ＿Ｔｉｔｌｅ",
       {"タイトル", "サブタイトル", "現場名", "日付情報", "会社名日本語", "電話番号", "ファックス番号"}},
      {"Ｄｒｅｖｉａ＿Ｉｎｄｅｘ", {}},
      {"Ｅｎｄ", {}},
      {"ＳｅｔＲｅｔｕｒｎ", {}},
      {"Ｇｙｏｋａｎ＿１", {}},
      {"Ｄｒｅｖｉａ＿１", {"見出し"}},
      {"Ｄｒｅｖｉａ＿１＿３＿４＿６", {"見出し"}},
      {"Ｄｒｅｖｉａ＿２＿１＿指定円弧＿１", {"見出し"}},
      {"Ｄｒｅｖｉａ＿４＿２＿３", {"見出し"}},
      {"解析種別", {"使用ソフト", "現場名", "計算方法", "解析方法", "FEM応力の利用"}},
      {"モデル図", {"モデル図"}},
      {"土質定数の表", {"番号", "地層名", "γｔ", "γｓａｔ", "φ", "ｃ", "強度低下する", "排水"}},
      {"地層形状の表", {"番号", "地層名", "地層の節点番号"}},
      {"座標の表＿１", coordinates},
      {"座標の表＿１＿１", coordinates},
      {"座標の表＿２", coordinates},
      {"座標の表＿２＿１", coordinates},
      {"フィッティング＿１＿０", {"地層名"}},
      {"フィッティング＿１＿２", {"ＤＡ", "ａ", "ｂ", "ｃ", "残差", "選択"}},
      {"フィッティング＿１＿２＿１", {"ＤＡ", "ａ", "ｂ", "ｃ", "残差", "選択"}},
      {"フィッティング＿１＿３", {"関数形", "曲線", "残差", "ｐ１", "ｐ２", "ｐ３", "ｐ４"}},
      {"損傷依存軟化＿２", {"番号", "地層名", "ＲＬ", "ＤＡ", "繰返し回数"}},
      {"ＦＥＭデータ",
       {"ＦＥＭ応答", "入力地震波", "時間間隔", "ステップ数", "継続時間", "節点数", "要素数", "境界条件", "開始節点",
        "開始要素"}},
      {"図＿２", {"図", "図２"}},
      {"円弧の表", {"円弧名", "ｘｃ", "ｙｃ", "ｒｃ", "Ｆｓ", "Ｋｈｙ"}},
      {"最大変位円弧の表", {"円弧名", "ｘｃ", "ｙｃ", "ｒｃ", "Ｋｈｙ", "ｔｓｌｉｐ", "すべり変位"}},
      {"変位量の表", {"時刻", "すべり変位"}},
  };
  EXPECT_EQ(ooxml::CheckPackageFile(TemplatePath()), std::vector<std::string>());
  WordDocumentWriter writer;
  ASSERT_TRUE(writer.OpenTemplate(TemplatePath(), true));
  EXPECT_TRUE(writer.Problems().empty()) << writer.Problems().front();
  const std::vector<std::string> names = writer.BlockNames();
  for (const auto& [name, tags] : blocks) {
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    EXPECT_EQ(writer.BlockTags(name), tags) << name;
  }
  std::size_t sections = 0;
  for (const std::string& name : names) {
    if (name.rfind("Ｄｒｅｖｉａ＿", 0) != 0 || name == "Ｄｒｅｖｉａ＿Ｔｉｔｌｅ" ||
        name == "Ｄｒｅｖｉａ＿Ｉｎｄｅｘ")
      continue;
    ++sections;
    EXPECT_EQ(writer.BlockTags(name), std::vector<std::string>{"見出し"}) << name;
  }
  // 60 headings of the report, 4 choices for each of the three chosen slip parts with their parts.
  EXPECT_EQ(sections, 60u + 4u * (1 + 4) + 4u * (1 + 5) + 4u * (1 + 3));
  // The contents block is a contents field over the heading levels 1 to 3, refreshed on opening.
  ASSERT_TRUE(writer.AppendBlock("Ｄｒｅｖｉａ＿Ｉｎｄｅｘ"));
  EXPECT_TRUE(Has(writer.DocumentXml(),
                  "<w:fldChar w:fldCharType=\"begin\" w:dirty=\"true\"/></w:r><w:r><w:instrText "
                  "xml:space=\"preserve\"> TOC \\o \"1-3\" \\h \\z \\u </w:instrText>"));
}

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
