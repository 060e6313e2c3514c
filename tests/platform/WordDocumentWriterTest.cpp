// The document writer on the real template: fields, tables, pictures, saving.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>

#include "TempFolder.h"
#include "WordTestSupport.h"
#include "host/HostTextFile.h"
#include "platform/OoxmlPackage.h"
#include "platform/WordDocumentWriter.h"
#include "platform/ZipPackage.h"

namespace quorvel::test {
namespace {

bool Contains(const std::vector<std::string>& lines, std::string_view part) {
  for (const std::string& line : lines)
    if (line.find(part) != std::string::npos) return true;
  return false;
}

TEST(WordDocumentWriter, RefusesTemplatesItCannotUse) {
  TempFolder folder;
  std::string real;
  ASSERT_TRUE(ReadFileBytes(TemplatePath(), real, kMaxPackageBytes));
  PackageEntries entries;
  std::string error;
  ASSERT_TRUE(ReadZipBytes(real, entries, error)) << error;
  auto packWith = [&](const std::string& glossary) {
    PackageEntries changed = entries;
    FindEntry(changed, "word/glossary/document.xml")->data = glossary;
    std::string zip, packError;
    EXPECT_TRUE(WriteZipBytes(changed, zip, packError)) << packError;
    return zip;
  };
  const std::string path = folder.File("テンプレート.docm");
  const struct {
    const char* what;
    std::string bytes;
    std::string problem;
  } cases[] = {
      {"not a zip", "PK but not a package at all", "template: " + path + ": not a zip package: "},
      {"glossary that does not parse", packWith("<w:glossaryDocument><w:docParts>"),
       "template " + path + ": no glossary of building blocks"},
      {"glossary without blocks",
       packWith("<w:glossaryDocument xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
                "<w:docParts/></w:glossaryDocument>"),
       "template " + path + ": no building blocks in the glossary"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    folder.WriteBytes("テンプレート.docm", c.bytes);
    WordDocumentWriter writer;
    EXPECT_FALSE(writer.OpenTemplate(path, true));
    EXPECT_FALSE(writer.IsOpen());
    ASSERT_FALSE(writer.Problems().empty());
    EXPECT_EQ(writer.Problems().front().substr(0, c.problem.size()), c.problem);
    // Whatever follows is refused without a document or a crash.
    EXPECT_FALSE(writer.AppendBlock("Ｅｎｄ"));
    EXPECT_FALSE(writer.SetField("タイトル", "x"));
    EXPECT_EQ(writer.Save(folder.File("out.docm")), 0);
    EXPECT_FALSE(folder.Exists("out.docm"));
  }
}

// The texts of the tables in a document: "#" opens a table, "/" a row, "|" ends a cell.
std::string TableTexts(const std::string& document) {
  pugi::xml_document xml;
  EXPECT_TRUE(xml.load_string(document.c_str(), ooxml::ParseOptions()));
  std::string texts;
  pugi::xpath_node_set nodes = xml.select_nodes("//w:tbl | //w:tr | //w:tc");
  nodes.sort();  // into document order
  for (pugi::xpath_node found : nodes) {
    const std::string name = found.node().name();
    if (name == "w:tc") texts += found.node().select_node(".//w:t").node().text().get() + std::string("|");
    texts += name == "w:tbl" ? "#" : name == "w:tr" ? "/" : "";
  }
  return texts;
}

// Fields, tables and pictures filled in one document; what is refused says why.
TEST(WordDocumentWriter, FieldsTablesAndPicturesOfASavedDocument) {
  const std::pair<const char*, const char*> fields[] = {
      {"河川堤防\n地震時照査", "<w:r><w:t>河川堤防</w:t><w:br/><w:t>地震時照査</w:t></w:r>"},
      {"(kN/m{^3})",
       "<w:r><w:t>(kN/m</w:t></w:r><w:r><w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr><w:t>3</w:t></w:r>"
       "<w:r><w:t>)</w:t></w:r>"},
      {"γ{_sat}", "<w:r><w:t>γ</w:t></w:r><w:r><w:rPr><w:vertAlign w:val=\"subscript\"/></w:rPr><w:t>sat</w:t></w:r>"},
      {"{^open", "<w:r><w:t>{^open</w:t></w:r>"},
      {" a  b", "<w:r><w:t xml:space=\"preserve\"> a  b</w:t></w:r>"},
      {"x < y & z", "<w:r><w:t>x &lt; y &amp; z</w:t></w:r>"},
      {"", "<w:r/>"},
  };
  WordDocumentWriter writer;
  ASSERT_TRUE(writer.OpenTemplate(TemplatePath(), true)) << writer.Problems().front();
  for (const auto& [text, runs] : fields) {
    ASSERT_TRUE(writer.AppendBlock("Ｄｒｅｖｉａ＿Ｔｉｔｌｅ"));
    ASSERT_TRUE(writer.SetField("タイトル", text));
    EXPECT_EQ(ControlContent(writer.DocumentXml(), "タイトル"), runs) << text;
  }
  // The first run's properties carry over to every run, the script added in its place.
  ASSERT_TRUE(writer.SetField("会社名日本語", "地盤\n研究所 m{^2}"));
  EXPECT_EQ(ControlContent(writer.DocumentXml(), "会社名日本語"),
            "<w:r><w:rPr><w:b/></w:rPr><w:t>地盤</w:t><w:br/><w:t>研究所 m</w:t></w:r>"
            "<w:r><w:rPr><w:b/><w:vertAlign w:val=\"superscript\"/></w:rPr><w:t>2</w:t></w:r>");
  EXPECT_FALSE(writer.SetField("見出し", "x"));
  EXPECT_TRUE(Contains(writer.Problems(), "field \"見出し\" is not in block \"Ｄｒｅｖｉａ＿Ｔｉｔｌｅ\""));
  EXPECT_FALSE(writer.AppendBlock("Ｄｒｅｖｉａ＿９"));
  EXPECT_TRUE(Contains(writer.Problems(), "block \"Ｄｒｅｖｉａ＿９\" is not in the template"));
  // After an unknown block there is no last block to fill.
  EXPECT_FALSE(writer.SetField("タイトル", "x"));

  ASSERT_TRUE(writer.AppendBlock("地層形状の表"));
  EXPECT_FALSE(writer.SetTableCell("番号", 0, "1"));  // not prepared yet
  ASSERT_TRUE(writer.SetTableCell("all", -1, ""));
  // Rows come into being up to the one named, in any order of calls.
  EXPECT_TRUE(writer.SetTableCell("番号", 0, "1"));
  EXPECT_TRUE(writer.SetTableCell("地層の節点番号", 2, "11,16,12,9,15,8"));
  EXPECT_TRUE(writer.SetTableCell("地層名", 1, "砂質土(As)"));
  EXPECT_TRUE(writer.SetTableCell("地層名", 0, "基盤(Dg)"));
  EXPECT_TRUE(writer.SetTableCell("地層の節点番号", 0, "1,2,3,4"));
  EXPECT_FALSE(writer.SetTableCell("Ｘ２", 1, "3.0"));
  EXPECT_TRUE(Contains(writer.Problems(), "cell \"Ｘ２\" row 1 of block \"地層形状の表\": no such column"));
  EXPECT_FALSE(writer.SetTableCell("番号", -2, "x"));
  EXPECT_FALSE(writer.SetTableCell("番号", 1000000, "x"));
  // A prepared table with no rows keeps its header alone.
  ASSERT_TRUE(writer.AppendBlock("変位量の表"));
  ASSERT_TRUE(writer.SetTableCell("all", -1, ""));
  ASSERT_TRUE(writer.AppendBlock("Ｅｎｄ"));
  EXPECT_FALSE(writer.SetTableCell("all", -1, ""));
  EXPECT_TRUE(Contains(writer.Problems(), "block \"Ｅｎｄ\" has no table to fill"));

  ASSERT_TRUE(writer.AppendBlock("図＿１"));
  EXPECT_FALSE(writer.InsertPicture("図", {"GIF89a not a png", 100, 100}));
  EXPECT_FALSE(writer.InsertPicture("モデル図", {SmallPng(), 100, 100}));
  EXPECT_TRUE(Contains(writer.Problems(), "picture \"モデル図\" has no place in block \"図＿１\""));
  EXPECT_FALSE(writer.InsertPicture("図", {SmallPng(), 40000, 100}));
  ASSERT_TRUE(writer.InsertPicture("図", {SmallPng(), 5760, 4320}));  // 4 x 3 inches
  ASSERT_TRUE(writer.SetField("図名", "地形モデル"));
  ASSERT_TRUE(writer.AppendBlock("モデル図"));
  ASSERT_TRUE(writer.InsertPicture("モデル図", {SmallPng(), 0, 0}));  // 4 x 3 pixels at 96 dpi

  TempFolder folder;
  const std::string path = folder.File("文書.DOCX");
  SaveChecked(writer, path);
  PackageEntries entries;
  std::string error;
  ASSERT_TRUE(ReadZipFile(path, entries, error)) << error;
  // The glossary stays behind; the list of types comes first and types the main part by the ending, in any case.
  EXPECT_EQ(entries.front().name, "[Content_Types].xml");
  EXPECT_EQ(FindEntry(entries, "word/glossary/document.xml"), nullptr);
  for (const char* part : {"[Content_Types].xml", "word/_rels/document.xml.rels"})
    EXPECT_EQ(ReadPart(path, part).find("glossary"), std::string::npos) << part;
  const std::string document = ReadPart(path, "word/document.xml");
  EXPECT_EQ(
      TableTexts(document),
      "#/番号|地層名|地層の節点番号|/1|基盤(Dg)|1,2,3,4|/|砂質土(As)||/||11,16,12,9,15,8|#/時刻 (s)|すべり変位 (m)|");
  EXPECT_EQ(ReadPart(path, "word/media/image1.png"), SmallPng());
  EXPECT_EQ(ReadPart(path, "word/media/image2.png"), SmallPng());
  // Saved without the controls: the runs stand in the paragraph itself.
  EXPECT_EQ(document.find("<w:sdt"), std::string::npos);
  const std::pair<const char*, std::string> parts[] = {
      {"word/document.xml",
       "<w:pPr><w:pStyle w:val=\"TitleInfo\"/><w:spacing w:before=\"2400\" w:after=\"240\"/></w:pPr><w:r><w:rPr>"
       "<w:b/></w:rPr><w:t>地盤</w:t><w:br/>"},
      {"word/document.xml",
       "<wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent cx=\"3657600\" cy=\"2743200\"/>"
       "<wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/><wp:docPr id=\"1\" name=\"Picture 1\" descr=\"図\"/>"},
      {"word/document.xml", "<a:blip r:embed=\"rId5\"/>"},
      {"word/document.xml", "<wp:extent cx=\"38100\" cy=\"28575\"/>"},
      {"word/document.xml", "<wp:docPr id=\"2\" name=\"Picture 2\" descr=\"モデル図\"/>"},
      {"word/_rels/document.xml.rels",
       "<Relationship Id=\"rId5\" Type=\"" + std::string(ooxml::kImageType) + "\" Target=\"media/image1.png\"/>"},
      {"word/_rels/document.xml.rels", "Target=\"media/image2.png\""},
      {"[Content_Types].xml", "<Default Extension=\"png\" ContentType=\"image/png\"/>"},
      {"[Content_Types].xml",
       "<Override PartName=\"/word/document.xml\" ContentType=\"" + std::string(ooxml::kDocumentMainType) + "\"/>"},
  };
  for (const auto& [part, fragment] : parts) EXPECT_TRUE(Has(ReadPart(path, part), fragment)) << part;
}

TEST(WordDocumentWriter, ContentsListTheHeadingsWithTheirPages) {
  WordDocumentWriter writer;
  ASSERT_TRUE(writer.OpenTemplate(TemplatePath(), true));
  ASSERT_TRUE(writer.AppendBlock("Ｄｒｅｖｉａ＿Ｔｉｔｌｅ"));
  ASSERT_TRUE(writer.AppendBlock("Ｄｒｅｖｉａ＿Ｉｎｄｅｘ"));
  ASSERT_TRUE(writer.AppendBlock("Ｄｒｅｖｉａ＿１"));
  for (int k = 0; k < 32; ++k) {
    if (k > 0 && k % 10 == 0) {
      ASSERT_TRUE(writer.AppendBlock("ＳｅｔＲｅｔｕｒｎ"));
    }
    ASSERT_TRUE(writer.AppendBlock("Ｄｒｅｖｉａ＿４＿２＿３"));
    ASSERT_TRUE(writer.SetField("見出し", "項目" + std::to_string(k)));
  }
  ASSERT_TRUE(writer.AppendBlock("Ｄｒｅｖｉａ＿１＿３＿４＿１"));  // heading 4 stays out
  TempFolder folder;
  SaveChecked(writer, folder.File("contents.docm"));

  // Title on page 1, 33 entries take two contents pages (the second opens at entry 31), the headings begin
  // on page 4, ten to a page; heading 4 stays out. The field over the heading levels 1 to 3 wraps the
  // entries, marked for Word to refresh on opening.
  std::string contents =
      "<w:r><w:fldChar w:fldCharType=\"begin\" w:dirty=\"true\"/></w:r><w:r><w:instrText xml:space=\"preserve\"> "
      "TOC \\o \"1-3\" \\h \\z \\u </w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r><w:r>"
      "<w:t>入力データ</w:t></w:r><w:r><w:tab/></w:r><w:r><w:t>4</w:t></w:r></w:p>";
  for (int k = 0; k < 32; ++k) {
    contents += "<w:p><w:pPr><w:pStyle w:val=\"TOC3\"/></w:pPr>" +
                std::string(k == 30 ? "<w:r><w:br w:type=\"page\"/></w:r>" : "") + "<w:r><w:t>項目" +
                std::to_string(k) + "</w:t></w:r><w:r><w:tab/></w:r><w:r><w:t>" + std::to_string(4 + k / 10) +
                "</w:t></w:r>" + (k == 31 ? "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>" : "") + "</w:p>";
  }
  EXPECT_TRUE(Has(ReadPart(folder.File("contents.docm"), "word/document.xml"), contents));
}

// Replacing the file is HostTextFile.FailedWriteLeavesTheTargetAlone's; here the
// writer refuses, says why, and can still save elsewhere.
TEST(WordDocumentWriter, FailedSaveLeavesWhatStandsAtTheTarget) {
  TempFolder folder;
  std::filesystem::create_directory(folder.File("報告書.docm"));
  folder.WriteBytes("古い.docm", "older report");
  WordDocumentWriter writer;
  ASSERT_TRUE(writer.OpenTemplate(TemplatePath(), true));
  ASSERT_TRUE(writer.AppendBlock("Ｅｎｄ"));
  EXPECT_EQ(writer.Save(folder.File("報告書.docm")), 0);
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("報告書.docm")));
  EXPECT_TRUE(Contains(writer.Problems(), "save: cannot write " + folder.File("報告書.docm") + ": Is a directory"));
  SaveChecked(writer, folder.File("古い.docm"));
  EXPECT_TRUE(Has(
      ReadPart(folder.File("古い.docm"), "[Content_Types].xml"),
      "<Override PartName=\"/word/document.xml\" ContentType=\"" + std::string(ooxml::kMacroEnabledMainType) + "\"/>"));
}

}  // namespace
}  // namespace quorvel::test
