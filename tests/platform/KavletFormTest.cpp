#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "TempFolder.h"
#include "platform/KavletForm.h"

namespace quorvel {
namespace {

const KvfElement* FindField(const KvfBlock& block, int slot) {
  for (const KvfElement& element : block.elements) {
    if (element.kind == KvfElementKind::Field && element.slot == slot) return &element;
  }
  return nullptr;
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
      "  hline 0 9638 560 pen=30\r\n"
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
  EXPECT_EQ(form.Block(0)->title, "");
  EXPECT_EQ(form.Block(0)->wordBlock, "");
  EXPECT_EQ(form.Block(1)->title, "");
  EXPECT_EQ(form.Block(1)->wordBlock, "Ｇｙｏｋａｎ＿１");
  EXPECT_EQ(form.Block(0)->lines, 1);
  EXPECT_EQ(form.Block(3), nullptr);
  const KvfBlock& block = *form.Block(7);
  EXPECT_EQ(block.lines, 2);
  EXPECT_EQ(block.title, "two lines");
  EXPECT_EQ(block.wordBlock, "座標の表＿１ 続き");
  ASSERT_EQ(block.elements.size(), 6u);

  const KvfElement& text0 = block.elements[0];
  EXPECT_EQ(text0.kind, KvfElementKind::Text);
  EXPECT_EQ(text0.text, "# not a comment {^2}");
  EXPECT_EQ(text0.x, 10);
  EXPECT_EQ(text0.y, 0);
  EXPECT_EQ(text0.style.font, KvfFont::Mincho);
  EXPECT_EQ(text0.style.size, 360);
  EXPECT_TRUE(text0.style.bold);
  EXPECT_EQ(text0.style.align, KvfAlign::Right);
  EXPECT_EQ(text0.style.width, 9628);
  EXPECT_EQ(text0.line, 6);

  const KvfElement& field = block.elements[1];
  EXPECT_EQ(field.kind, KvfElementKind::Field);
  EXPECT_EQ(field.slot, 480);
  EXPECT_EQ(field.x, 8700);
  EXPECT_EQ(field.y, 360);  // 360 + the default 200 ends on the block's bottom
  EXPECT_EQ(field.style.font, KvfFont::Gothic);
  EXPECT_EQ(field.style.size, 200);
  EXPECT_FALSE(field.style.bold);
  EXPECT_EQ(field.style.align, KvfAlign::Center);
  EXPECT_EQ(field.style.name, "ページ 番号");
  EXPECT_FALSE(field.style.fill.has_value());

  const KvfElement& hline = block.elements[2];
  EXPECT_EQ(hline.kind, KvfElementKind::HLine);
  EXPECT_EQ(hline.x, 0);
  EXPECT_EQ(hline.x2, 9638);
  EXPECT_EQ(hline.y, 560);
  EXPECT_EQ(hline.style.pen, 30);

  const KvfElement& vline = block.elements[3];
  EXPECT_EQ(vline.kind, KvfElementKind::VLine);
  EXPECT_EQ(vline.x, 9638);
  EXPECT_EQ(vline.y, 0);
  EXPECT_EQ(vline.y2, 560);
  EXPECT_EQ(vline.style.pen, 15);

  const KvfElement& box = block.elements[4];
  EXPECT_EQ(box.kind, KvfElementKind::Box);
  EXPECT_EQ(box.width, 9638);
  EXPECT_EQ(box.height, 560);
  EXPECT_EQ(box.style.fill, std::optional<std::uint32_t>(0xE8E8E8));

  const KvfElement& graph = block.elements[5];
  EXPECT_EQ(graph.kind, KvfElementKind::Graph);
  EXPECT_EQ(graph.slot, 900);
  EXPECT_EQ(graph.x, 100);
  EXPECT_EQ(graph.y, 200);
  EXPECT_EQ(graph.width, 9538);
  EXPECT_EQ(graph.height, 360);
  EXPECT_EQ(graph.style.name, "モデル図");
  EXPECT_EQ(graph.line, 11);
}

TEST(KvfParser, RejectsBadFilesWithFileAndLine) {
  struct Case {
    std::string text;
    const char* message;
  };
  const std::string head = "kvf 1\nblock 3 lines 1\n";  // an element on line 3 lies in block 3
  const Case cases[] = {
      {"", "f.kvf:1: missing header \"kvf 1\""},
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
      {"kvf 1\nblock 0 lines 0\nend\n", "f.kvf:2: block 0: lines must be 1 to 50"},
      {"kvf 1\nblock 1000 lines 1\nend\n", "f.kvf:2: block number 1000 out of range 0 to 999"},
      {"kvf 1\nblock 99999999999 lines 1\nend\n", "f.kvf:2: bad number \"99999999999\""},
      {"kvf 1\nblock 0 rows 1\nend\n", "f.kvf:2: block expects N lines L \"title\" word=NAME"},
      {"kvf 1\nblock 0 lines 1 \"a\" \"b\"\nend\n", "f.kvf:2: block expects N lines L \"title\" word=NAME"},
      {"kvf 1\nblock 0 lines 1 word=\nend\n", "f.kvf:2: option \"word\" needs a value"},
      {"kvf 1\nblock 0 lines 1 word\nend\n", "f.kvf:2: option \"word\" needs a value"},
      {"kvf 1\nblock 0 lines 1 name=x\nend\n", "f.kvf:2: unknown option \"name\" on a block"},
      {"kvf 1\nblock 0 lines 1 word=a \"t\"\nend\n", "f.kvf:2: unexpected \"t\" after the block's options"},
      {"kvf 1\nblock 0 lines 1 word=a word=b\nend\n", "f.kvf:2: unexpected \"word=b\" after the block's options"},
      {head + "  circle 0 0 5\nend\n", "f.kvf:3: unknown keyword \"circle\""},
      {head + "  field 1 0 4O\nend\n", "f.kvf:3: bad number \"4O\""},
      {head + "  field 1 0\nend\n", "f.kvf:3: field expects SLOT X Y {options}"},
      {head + "  text 0 0 size=200\nend\n", "f.kvf:3: text expects X Y {options} \"text\""},
      {head + "  text 0 0 \"abc\nend\n", "f.kvf:3: unterminated quote"},
      {head + "  text 0 0 \"a\"b\nend\n", "f.kvf:3: no space after the closing quote"},
      {head + "  text 0 0 \"a\\n\"\nend\n", "f.kvf:3: unknown escape \"\\n\""},
      {head + "  text 0 0 \"a\" bold\nend\n", "f.kvf:3: unexpected \"bold\" after the text"},
      {head + "  field 1 0 0 \"a\"\nend\n", "f.kvf:3: unexpected quoted text \"a\""},
      {head + "  field 1 0 0 colour=red\nend\n", "f.kvf:3: unknown option \"colour\""},
      {head + "  hline 0 100 0 bold\nend\n", "f.kvf:3: option \"bold\" does not apply to hline"},
      {head + "  text 0 0 name=x \"a\"\nend\n", "f.kvf:3: option \"name\" does not apply to text"},
      {head + "  field 1 0 0 size=20 size=22\nend\n", "f.kvf:3: option \"size\" given twice"},
      {head + "  field 1 0 0 bold=yes\nend\n", "f.kvf:3: option \"bold\" takes no value"},
      {head + "  field 1 0 0 width\nend\n", "f.kvf:3: option \"width\" needs a value"},
      {head + "  text 0 0 align=middle \"a\"\nend\n", "f.kvf:3: bad value \"middle\" for option \"align\""},
      {head + "  box 0 0 10 10 fill=12345G\nend\n", "f.kvf:3: bad value \"12345G\" for option \"fill\""},
      {head + "  hline 0 10 0 pen=0\nend\n", "f.kvf:3: bad value \"0\" for option \"pen\""},
      {head + "  field 1000 0 0\nend\n", "f.kvf:3: slot 1000 out of range 0 to 999"},
      {head + "  hline 500 100 0\nend\n", "f.kvf:3: hline needs X1 < X2"},
      {head + "  graph 900 0 0 0 100\nend\n", "f.kvf:3: graph needs a positive width and height"},
      // One twip past an edge, and sums that would overflow an int.
      {head + "  field 1 0 81\nend\n", "f.kvf:3: field lies outside block 3 (9638 x 280 twips)"},
      {head + "  text 9000 0 width=639 \"a\"\nend\n", "f.kvf:3: text lies outside block 3 (9638 x 280 twips)"},
      {head + "  box 9000 0 639 10\nend\n", "f.kvf:3: box lies outside block 3 (9638 x 280 twips)"},
      {head + "  vline 0 0 281\nend\n", "f.kvf:3: vline lies outside block 3 (9638 x 280 twips)"},
      {head + "  hline -1 10 0\nend\n", "f.kvf:3: hline lies outside block 3 (9638 x 280 twips)"},
      {head + "  graph 1 2147483647 0 2147483647 10\nend\n", "f.kvf:3: graph lies outside block 3 (9638 x 280 twips)"},
      {head + "  text 0 0 size=2147483647 \"a\"\nend\n", "f.kvf:3: text lies outside block 3 (9638 x 280 twips)"},
      {"kvf 1\n\xFF\n", "f.kvf:2: invalid UTF-8"},
      {"kvf 1\n\xED\xA0\x80\n", "f.kvf:2: invalid UTF-8"},  // an encoded surrogate
      {"kvf 1\nblock 0 lines 1\x01\n", "f.kvf:2: control character"},
      {"kvf 1\r\nblock 0 lines 1\r\nend x\r\n", "f.kvf:3: unexpected \"x\" after \"end\""},
  };
  for (const Case& c : cases) {
    KvfForm form;
    std::string error;
    EXPECT_FALSE(ParseKvf(c.text, "f.kvf", form, error)) << c.text;
    EXPECT_EQ(error, c.message) << c.text;
  }
}

TEST(KvfParser, LoadNamesTheFileItCannotRead) {
  test::TempFolder folder;
  KvfForm form;
  std::string error;
  EXPECT_FALSE(LoadKvfFile(folder.File("none.kvf"), form, error));
  EXPECT_EQ(error, folder.File("none.kvf") + ": cannot open");
  EXPECT_FALSE(LoadKvfFile(folder.Path(), form, error));
  EXPECT_EQ(error, folder.Path() + ": cannot open");
  folder.WriteBytes("bad.kvf", "kvf 1\nblock 0 lines 1\n");
  EXPECT_FALSE(LoadKvfFile(folder.File("bad.kvf"), form, error));
  EXPECT_EQ(error, folder.File("bad.kvf") + ":2: block 0 has no \"end\"");
}

const std::string kPrnFiles = std::string(QUORVEL_PRNFILES) + "/";

KvfForm LoadShipped(const std::string& name) {
  KvfForm form;
  std::string error;
  EXPECT_TRUE(LoadKvfFile(kPrnFiles + name, form, error)) << error;
  return form;
}

TEST(ShippedForms, EveryFileHasTheBlocksTheReportPlaces) {
  auto upTo = [](int last) {
    std::vector<int> numbers;
    for (int n = 0; n <= last; ++n) numbers.push_back(n);
    return numbers;
  };
  // The twelve the start check opens, in its order, then the slice histories.
  const std::vector<std::pair<std::string, std::vector<int>>> files = {
      {"0_表紙.kvf", {0}},
      {"1_解析条件.kvf", {5, 6, 7, 8, 9, 10}},
      {"1_解析種別_地形モデル.kvf", {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
      {"1_解析条件_フィッティングパラメータ.kvf", upTo(10)},
      {"1_解析条件_計算設定.kvf", {0, 1, 2}},  // FEM data, detailed settings, zero-cross
      {"1_解析条件_損傷依存軟化.kvf", upTo(11)},
      {"1_地形モデル_土質水位.kvf", {0, 1, 2, 3, 4, 5, 6, 7, 8, 11}},
      {"2_解析結果.kvf", {0, 2, 4, 5, 6, 7, 15}},
      {"3_結果図.kvf", {0, 1, 2, 3}},  // slip circles, accelerations, contours, displacement
      {"4_解析詳細.kvf", {2, 3, 9, 10, 11, 13}},
      {"Gyokan.kvf", {0, 1}},
      {"共通.kvf", {0, 1, 2, 3, 5, 6, 7, 8}},
      {"4_解析詳細_スライス諸量.kvf", {0, 1, 2, 3, 4}},
  };
  for (const auto& [name, numbers] : files) {
    KvfForm form = LoadShipped(name);
    for (int number : numbers) EXPECT_NE(form.Block(number), nullptr) << name << " block " << number;
  }
  // Printing and preview place different blocks for one table; their heights
  // must agree or the two would compose different pages.
  KvfForm softening = LoadShipped("1_解析条件_損傷依存軟化.kvf");
  ASSERT_TRUE(softening.Block(3) && softening.Block(4));
  EXPECT_EQ(softening.Block(3)->lines, softening.Block(4)->lines);
}

TEST(ShippedForms, HeadingsContentsLinesAndSpacers) {
  KvfForm common = LoadShipped("共通.kvf");
  for (int level = 1; level <= 4; ++level) {
    const KvfBlock* heading = common.Block(level - 1);
    ASSERT_NE(heading, nullptr);
    EXPECT_NE(FindField(*heading, 99 + level), nullptr) << "level " << level;
  }
  ASSERT_NE(common.Block(5), nullptr);
  // Contents lines: one line high; heading plus leader end at x = 8600 on
  // every level and the page number is right-aligned in one column, all in
  // the same fixed-pitch font, so the "･" runs end in one place.
  const int indents[] = {0, 400, 800};
  for (int level = 0; level < 3; ++level) {
    const KvfBlock* line = common.Block(6 + level);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->lines, 1);
    const KvfElement* heading = FindField(*line, 100 + level);
    const KvfElement* page = FindField(*line, 480 + level);
    ASSERT_TRUE(heading && page) << "level " << level + 1;
    EXPECT_EQ(heading->x, indents[level]);
    EXPECT_EQ(heading->x + heading->style.width, 8600);
    EXPECT_EQ(heading->style.align, KvfAlign::Left);
    EXPECT_EQ(page->x, 8700);
    EXPECT_EQ(page->style.width, 938);
    EXPECT_EQ(page->style.align, KvfAlign::Right);
    EXPECT_EQ(page->y, heading->y);
    EXPECT_EQ(heading->style.font, KvfFont::Gothic);
    EXPECT_EQ(page->style.font, KvfFont::Gothic);
    EXPECT_EQ(heading->style.size, 200);
    EXPECT_EQ(page->style.size, 200);
    EXPECT_FALSE(heading->style.bold);
  }
  KvfForm gyokan = LoadShipped("Gyokan.kvf");
  for (int number : {0, 1}) {
    ASSERT_NE(gyokan.Block(number), nullptr);
    EXPECT_EQ(gyokan.Block(number)->lines, 1);
    EXPECT_TRUE(gyokan.Block(number)->elements.empty());
  }
}

TEST(ShippedForms, TitlePageCarriesEveryFieldOnOnePage) {
  KvfForm cover = LoadShipped("0_表紙.kvf");
  const KvfBlock* block = cover.Block(0);
  ASSERT_NE(block, nullptr);
  // Under 50 lines, so the line rule never moves the cover to a page of its own.
  EXPECT_LT(block->lines, 50);
  // Field names shared with the Word title block; field 6 has no counterpart there.
  const std::map<int, std::string> names = {{1, "タイトル"}, {2, "サブタイトル"},  {3, "現場名"},
                                            {4, "日付情報"}, {5, "会社名日本語"},  {6, ""},
                                            {7, "電話番号"}, {8, "ファックス番号"}};
  int previousY = -1;
  for (const auto& [slot, name] : names) {
    const KvfElement* field = FindField(*block, slot);
    ASSERT_NE(field, nullptr) << "field " << slot;
    EXPECT_EQ(field->style.name, name) << "field " << slot;
    EXPECT_GE(field->y, previousY) << "field " << slot << " above the one before";
    previousY = field->y;
    if (slot <= 6) {  // the cover's lines are centred across the body
      EXPECT_EQ(field->style.align, KvfAlign::Center) << "field " << slot;
      EXPECT_EQ(field->x, 0);
      EXPECT_EQ(field->style.width, 9638);
    }
  }
  EXPECT_GT(FindField(*block, 1)->style.size, FindField(*block, 2)->style.size);
  EXPECT_TRUE(FindField(*block, 1)->style.bold);
  EXPECT_EQ(FindField(*block, 7)->y, FindField(*block, 8)->y);
}

}  // namespace
}  // namespace quorvel
