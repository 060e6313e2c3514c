#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>
#include <vector>

#include "TempFolder.h"
#include "platform/KavletForm.h"

namespace quorvel {
namespace {

// Every member of an element on one line, so one comparison shows them all.
std::string Describe(const KvfElement& e) {
  const KvfStyle& s = e.style;
  char fill[8] = "-";
  if (s.fill) std::snprintf(fill, sizeof fill, "%06X", *s.fill);
  return std::to_string(static_cast<int>(e.kind)) + " slot" + std::to_string(e.slot) + " " + std::to_string(e.x) + "," +
         std::to_string(e.y) + " " + std::to_string(e.x2) + "," + std::to_string(e.y2) + " " + std::to_string(e.width) +
         "x" + std::to_string(e.height) + " f" + std::to_string(static_cast<int>(s.font)) + " s" +
         std::to_string(s.size) + (s.bold ? " bold" : "") + " a" + std::to_string(static_cast<int>(s.align)) + " w" +
         std::to_string(s.width) + " p" + std::to_string(s.pen) + " " + fill + " [" + s.name + "] [" + e.text + "] @" +
         std::to_string(e.line);
}

TEST(KvfParser, ReadsEveryElementWithItsOptions) {
  // BOM, CRLF endings, comments, escapes, a quoted option value, and elements
  // that touch the block's edges exactly.
  const std::string text =
      "\xEF\xBB\xBFkvf 1\r\n"
      "form \"Sample \\\"one\\\"\"  # trailing comment\r\n"
      "# a comment line\r\n"
      "\r\n"
      "block 7 lines 2 \"two lines\" word=\"座標の表＿１ 続き\"\r\n"
      "  text 10 0 font=mincho size=360 bold align=right width=9628 \"# not a comment {^2}\"\r\n"
      "  field 480 8700 360 align=center width=938 name=\"ページ 番号\"\r\n"
      "  hline 0 9638 560 pen=280\r\n"
      "  vline 9638 0 560\r\n"
      "  box 0 0 9638 560 fill=e8E8e8\r\n"
      "  graph 900 100 200 9538 360 name=モデル図\r\n"
      "end\r\n"
      "block 0 lines 1\r\n"
      "end\r\n"
      "block 1 lines 1 word=Ｇｙｏｋａｎ＿１\r\n"
      "end";
  KvfForm form;
  std::string error;
  ASSERT_TRUE(ParseKvf(text, "s.kvf", form, error)) << error;
  EXPECT_EQ(form.title, "Sample \"one\"");
  ASSERT_EQ(form.blocks.size(), 3u);
  EXPECT_EQ(form.Block(0)->title + "|" + form.Block(0)->wordBlock + "|" + form.Block(1)->title, "||");
  EXPECT_TRUE(form.Block(1)->wordBlock == "Ｇｙｏｋａｎ＿１" && form.Block(0)->lines == 1 && form.Block(3) == nullptr);
  const KvfBlock& block = *form.Block(7);
  EXPECT_EQ(std::tie(block.lines, block.title, block.wordBlock), std::make_tuple(2, "two lines", "座標の表＿１ 続き"));
  std::vector<std::string> elements;
  for (const KvfElement& e : block.elements) elements.push_back(Describe(e));
  // The field's 360 + default size 200 ends on the block's foot; the hline's
  // pen is the widest allowed.
  EXPECT_EQ(elements,
            (std::vector<std::string>{"0 slot0 10,0 0,0 0x0 f1 s360 bold a2 w9628 p15 - [] [# not a comment {^2}] @6",
                                      "1 slot480 8700,360 0,0 0x0 f0 s200 a1 w938 p15 - [ページ 番号] [] @7",
                                      "2 slot0 0,560 9638,0 0x0 f0 s200 a0 w0 p280 - [] [] @8",
                                      "3 slot0 9638,0 0,560 0x0 f0 s200 a0 w0 p15 - [] [] @9",
                                      "4 slot0 0,0 0,0 9638x560 f0 s200 a0 w0 p15 E8E8E8 [] [] @10",
                                      "5 slot900 100,200 0,0 9538x360 f0 s200 a0 w0 p15 - [モデル図] [] @11"}));
}

TEST(KvfParser, RejectsBadFilesWithFileAndLine) {
  const std::string head = "kvf 1\nblock 3 lines 1\n";  // an element on line 3 lies in block 3
  std::string a13;  // 39 bytes: a quoted token is cut at 40 bytes, inside the 14th character
  for (int i = 0; i < 13; ++i) a13 += "あ";
  const std::pair<std::string, std::string> cases[] = {
      {"# only a comment\n\nform \"x\"\n", "f.kvf:3: missing header \"kvf 1\""},
      {"kvf\n", "f.kvf:1: header must be \"kvf 1\""},
      {"kvf 2\n", "f.kvf:1: unsupported version \"2\""},
      {"kvf 1\nkvf 1\n", "f.kvf:2: header repeated"},
      {"kvf 1\nform \"a\"\nform \"b\"\n", "f.kvf:3: form title given twice"},
      {"kvf 1\nform a\n", "f.kvf:2: form expects a quoted title"},
      {"kvf 1\nblock 0 lines 1\nend\n\nblock 0 lines 2\nend\n", "f.kvf:5: duplicate block 0 (first on line 2)"},
      {"kvf 1\nblock 1 lines 1\n  text 0 0 \"a\"\n", "f.kvf:2: block 1 has no \"end\""},
      {"kvf 1\nblock 1 lines 1\nblock 2 lines 1\nend\n", "f.kvf:3: \"block\" inside block 1 (missing \"end\"?)"},
      {"kvf 1\nend\n", "f.kvf:2: \"end\" outside a block"},
      {"kvf 1\n  text 0 0 \"a\"\n", "f.kvf:2: \"text\" outside a block"},
      {"kvf 1\nblock 0 lines 51\nend\n", "f.kvf:2: block 0: lines must be 1 to 50"},
      {"kvf 1\nblock 1000 lines 1\nend\n", "f.kvf:2: block number 1000 out of range 0 to 999"},
      {"kvf 1\nblock 99999999999 lines 1\nend\n", "f.kvf:2: bad number \"99999999999\""},
      {"kvf 1\nblock 0 rows 1\nend\n", "f.kvf:2: block expects N lines L \"title\" word=NAME"},
      {"kvf 1\nblock 0 lines 1 word=\nend\n", "f.kvf:2: option \"word\" needs a value"},
      {"kvf 1\nblock 0 lines 1 name=x\nend\n", "f.kvf:2: unknown option \"name\" on a block"},
      {"kvf 1\nblock 0 lines 1 word=a \"t\"\nend\n", "f.kvf:2: unexpected \"t\" after the block's options"},
      {head + "  circle 0 0 5\nend\n", "f.kvf:3: unknown keyword \"circle\""},
      {head + "  field 1 0\nend\n", "f.kvf:3: field expects SLOT X Y {options}"},
      {head + "  text 0 0 size=200\nend\n", "f.kvf:3: text expects X Y {options} \"text\""},
      {head + "  text 0 0 \"abc\nend\n", "f.kvf:3: unterminated quote"},
      {head + "  text 0 0 \"a\"b\nend\n", "f.kvf:3: no space after the closing quote"},
      {head + "  text 0 0 \"a\\n\"\nend\n", "f.kvf:3: unknown escape \"\\n\""},
      {head + "  text 0 0 \"a\" bold\nend\n", "f.kvf:3: unexpected \"bold\" after the text"},
      {head + "  field 1 0 0 \"a\"\nend\n", "f.kvf:3: unexpected quoted text \"a\""},
      {head + "  field 1 0 0 colour=red\nend\n", "f.kvf:3: unknown option \"colour\""},
      {head + "  hline 0 100 0 bold\nend\n", "f.kvf:3: option \"bold\" does not apply to hline"},
      {head + "  field 1 0 0 size=20 size=22\nend\n", "f.kvf:3: option \"size\" given twice"},
      {head + "  field 1 0 0 bold=yes\nend\n", "f.kvf:3: option \"bold\" takes no value"},
      {head + "  field 1 0 0 width\nend\n", "f.kvf:3: option \"width\" needs a value"},
      {head + "  text 0 0 align=" + a13 + "ああ \"a\"\nend\n",
       "f.kvf:3: bad value \"" + a13 + "...\" for option \"align\""},
      {head + "  field 1000 0 0\nend\n", "f.kvf:3: slot 1000 out of range 0 to 999"},
      {head + "  hline 500 100 0\nend\n", "f.kvf:3: hline needs X1 < X2"},
      {head + "  graph 900 0 0 0 100\nend\n", "f.kvf:3: graph needs a positive width and height"},
      // One twip past the foot, and a sum that would overflow an int.
      {head + "  field 1 0 81\nend\n", "f.kvf:3: field lies outside block 3 (9638 x 280 twips)"},
      {head + "  graph 1 2147483647 0 2147483647 10\nend\n", "f.kvf:3: graph lies outside block 3 (9638 x 280 twips)"},
      {"kvf 1\n\xFF\n", "f.kvf:2: invalid UTF-8"},
      {"kvf 1\nblock 0 lines 1\x01\n", "f.kvf:2: control character"},
      {"kvf 1\r\nblock 0 lines 1\r\nend x\r\n", "f.kvf:3: unexpected \"x\" after \"end\""},
  };
  for (const auto& [text, message] : cases) {
    KvfForm form;
    std::string error;
    EXPECT_FALSE(ParseKvf(text, "f.kvf", form, error)) << text;
    EXPECT_EQ(error, message) << text;
  }
}

// A missing form file is CompositionTest.CallsOutOfOrderAreRecordedAndIgnored's
// "無い.kvf: cannot open", a damaged one's file:line ReportComposition's
// TheFirstFormFileThatFailsIsNamedAndNothingIsComposed; a folder reads as empty
// on some systems and must not parse as an empty form.
TEST(KvfParser, AFolderIsAFormFileThatCannotBeOpened) {
  test::TempFolder folder;
  KvfForm form;
  std::string error;
  EXPECT_FALSE(LoadKvfFile(folder.Path(), form, error));
  EXPECT_EQ(error, folder.Path() + ": cannot open");
}

// That every block the report places exists is shown by composing the whole
// example (ResultPages.ExampleReportPlacesEveryFrameWithoutOverflow): a missing
// block is a composer problem there; the names the fields share with the Word
// blocks are WordTemplateNames.EveryNameTheReportUsesIsInTheTemplate's, the
// cover's texts PrintOutputTest's. Printing and preview place different
// blocks for one table; their heights must agree or the two would compose
// different pages.
TEST(ShippedForms, PrintingAndPreviewRowsOfTheSofteningTableAreOneHeight) {
  KvfForm softening;
  std::string error;
  ASSERT_TRUE(LoadKvfFile(std::string(QUORVEL_PRNFILES) + "/1_解析条件_損傷依存軟化.kvf", softening, error)) << error;
  ASSERT_TRUE(softening.Block(3) && softening.Block(4));
  EXPECT_EQ(softening.Block(3)->lines, softening.Block(4)->lines);
}

}  // namespace
}  // namespace quorvel
