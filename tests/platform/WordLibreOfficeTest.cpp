// A real reader: LibreOffice opens a document the writer made and prints it to
// PDF; poppler reads the PDF back. LibreOffice exits with 0 even when it could
// not load the file, so only the PDF's pages, text and images count.
#include <gtest/gtest.h>

#include <cstdlib>

#include "TempFolder.h"
#include "WordTestSupport.h"
#include "platform/WordDocumentWriter.h"

namespace quorvel::test {
namespace {

TEST(WordLibreOffice, OpensAWrittenDocumentWithItsTextTableAndPicture) {
  ASSERT_EQ(RunCommand("command -v soffice >/dev/null"), 0) << "LibreOffice is missing: run scripts/setup";
  TempFolder folder;
  WordDocumentWriter writer;
  ASSERT_TRUE(writer.OpenTemplate(TemplatePath(), true));
  writer.AppendBlock("Ｄｒｅｖｉａ＿Ｔｉｔｌｅ");
  const char* titleFields[] = {"タイトル",     "サブタイトル", "現場名",        "日付情報",
                               "会社名日本語", "電話番号",     "ファックス番号"};
  for (std::size_t i = 0; i < kExampleTitleTexts.size(); ++i) writer.SetField(titleFields[i], kExampleTitleTexts[i]);
  writer.AppendBlock("Ｄｒｅｖｉａ＿Ｉｎｄｅｘ");
  writer.AppendBlock("Ｄｒｅｖｉａ＿１");
  writer.AppendBlock("Ｄｒｅｖｉａ＿１＿１");
  writer.AppendBlock("解析種別");
  writer.SetField("使用ソフト", "Drevia (Drevia研究会)");
  writer.SetField("解析方法", "ニューマークD法");
  writer.AppendBlock("Ｄｒｅｖｉａ＿１＿２");
  writer.AppendBlock("Ｄｒｅｖｉａ＿１＿２＿２");
  writer.AppendBlock("土質定数の表");
  writer.SetTableCell("all", -1, "");
  const char* soils[][3] = {
      {"盛土(Bk)", "18.000", "30.000"}, {"砂質土(As)", "18.500", "35.000"}, {"基盤(Dg)", "20.000", "40.000"}};
  for (int row = 0; row < 3; ++row) {
    writer.SetTableCell("番号", row, std::to_string(row + 1));
    writer.SetTableCell("地層名", row, soils[row][0]);
    writer.SetTableCell("γｔ", row, soils[row][1]);
    writer.SetTableCell("φ", row, soils[row][2]);
  }
  writer.AppendBlock("ＳｅｔＲｅｔｕｒｎ");
  writer.AppendBlock("Ｄｒｅｖｉａ＿１＿２＿１");
  writer.AppendBlock("モデル図");
  writer.InsertPicture("モデル図", {SmallPng(), 5760, 4320});
  writer.AppendBlock("Ｅｎｄ");
  ASSERT_TRUE(writer.Problems().empty()) << writer.Problems().front();
  const std::string document = folder.File("報告書.docm");
  SaveChecked(writer, document);

  std::string log;
  const std::string pdf = ConvertToPdf(document, folder.Path(), &log);
  if (std::getenv("QUORVEL_KEEP_PDF"))
    RunCommand("cp '" + pdf + "' '" + document + "' " + std::getenv("QUORVEL_KEEP_PDF"));
  ASSERT_FALSE(pdf.empty()) << log;

  // Title page, contents, the input data, and the figure after the page break.
  EXPECT_EQ(PdfPages(pdf), 4);
  auto page = [&](int number) { return PdfText(pdf, number); };
  std::string title = page(1);
  for (const std::string& text : kExampleTitleTexts) EXPECT_TRUE(Has(title, Squeezed(text)));
  // The contents as the writer filled them: heading, leader, page.
  std::string contents = page(2);
  for (const char* text : {"目次", "入力データ", "解析種別", "地形モデル", "モデル図"})
    EXPECT_TRUE(Has(contents, text));
  std::string withoutLeaders = contents;
  for (std::size_t at; (at = withoutLeaders.find("·")) != std::string::npos;) withoutLeaders.erase(at, 2);
  EXPECT_TRUE(Has(withoutLeaders, "入力データ3解析種別3地形モデル3土質定数3モデル図4"));
  std::string input = page(3);
  for (const char* text : {"入力データ", "解析種別", "Drevia (Drevia研究会)", "ニューマークD法", "地形モデル",
                           "土質定数", "盛土(Bk)", "砂質土(As)", "基盤(Dg)", "18.500", "40.000"})
    EXPECT_TRUE(Has(input, Squeezed(text)));
  EXPECT_TRUE(Has(page(4), "モデル図"));
  // The picture made it in whole: one 4 x 3 image on page 4.
  EXPECT_TRUE(Has(CommandOutput("pdfimages -list '" + pdf + "'"), "\n   4     0 image       4     3"));
}

}  // namespace
}  // namespace quorvel::test
