// The report as a Word document: the Word sink's exact calls against a
// recording module, every name the report uses present in the template, and
// the example project through the headless tool to a .docm that our package
// check passes and LibreOffice prints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "WordTestSupport.h"
#include "platform/KavletComposition.h"
#include "platform/KavletForm.h"
#include "platform/OoxmlPackage.h"
#include "platform/WordDocumentWriter.h"
#include "report/ReportItems.h"
#include "report/WordSink.h"

namespace quorvel {
namespace {

using Lines = std::vector<std::string>;
const std::string kForms = std::string(QUORVEL_PRNFILES) + "/";

void Select(CPrintProject& project, std::vector<int> items) {
  project.Project.Print.Items.assign(58, false);
  for (int item : items) project.Project.Print.Items[static_cast<std::size_t>(item)] = true;
}

std::vector<int> Items(int from, int to) {
  std::vector<int> items;
  for (int item = from; item < to; ++item) items.push_back(item);
  return items;
}

const std::string kExample = std::string(QUORVEL_EXAMPLES) + "/project/project.txt";

// Logs every call as "id arguments"; every call succeeds.
class RecordingModule : public WordOutputModule {
 public:
  Lines log, problems;  // the calls, and what the module reports it could not do
  bool opens = true;
  bool OpenTemplate(const std::string& path, bool flag) override {
    return Log("1004 " + path + (flag ? " true" : " false")) && opens;
  }
  bool AppendBlock(std::string_view name) override { return Log("1005 " + std::string(name)); }
  bool SetField(std::string_view name, std::string_view text) override {
    return Log("1001 " + std::string(name) + "=" + std::string(text));
  }
  bool SetTableCell(std::string_view column, int row, std::string_view text) override {
    return Log("1002 " + std::string(column) + " " + std::to_string(row) + " " + std::string(text));
  }
  bool InsertPicture(std::string_view place, const WordPicture& picture) override {
    return Log("1007 " + std::string(place) + " " + picture.png + " " + std::to_string(picture.widthTwips) + "x" +
               std::to_string(picture.heightTwips));
  }
  int Save(const std::string& path) override { return Log("1009 " + path); }
  void Close() override { Log("1000"); }
  const std::vector<std::string>& Problems() const override { return problems; }

 private:
  bool Log(std::string call) {
    log.push_back(std::move(call));
    return true;
  }
};

// The shipped cover, headings and spacers, and a form of our own with a
// table, its continuation header and a figure.
std::string SequenceForms(const test::TempFolder& folder) {
  for (const char* form : {"0_表紙.kvf", "共通.kvf", "Gyokan.kvf"})
    std::filesystem::copy(kForms + form, folder.File(form));
  folder.WriteBytes("t.kvf",
                    "kvf 1\n"
                    "block 0 lines 2 \"header\" word=座標の表＿１\nend\n"
                    "block 1 lines 1 \"row\"\n"
                    "  field 1 0 0 name=番号１\n  field 2 3000 0 name=Ｘ１\n  field 3 6000 0\nend\n"
                    "block 2 lines 2 \"continued\" word=座標の表＿１＿１\nend\n"
                    "block 3 lines 10 \"figure\" word=モデル図\n  graph 900 0 0 9638 2800 name=モデル図\nend\n");
  return folder.Path() + "/";
}

// The title page's fields by name are the end-to-end run's (its texts on the first page, through the real
// writer, which reports a name the template lacks).
TEST(WordSink, IndexHeadingsFigureAndATableContinuedOverAPageBreak) {
  test::TempFolder folder;
  const std::string forms = SequenceForms(folder);
  CPrintProject project;
  Select(project, {1, 2});
  const GroupCompose body = [](ReportPager& pager, CPrintProject&) {
    pager.Heading(1, 2, "入力データ");
    pager.Heading(3, 5, "モデル図");
    pager.Frame({"t.kvf", 3}, 900, "地形モデル");
    pager.BeginTable({"t.kvf", 0}, {}, BlockRef{"t.kvf", 2});
    for (int row = 0; row < 34; ++row)
      pager.TableRow({"t.kvf", 1}, {{1, std::to_string(row + 1)}, {2, "x" + std::to_string(row)}, {3, "-"}});
    pager.EndTable();
  };
  const std::vector<ReportGroup> groups = {{kItemInputData, -1, "body", body},
                                           {kItemContents, -1, "contents", ComposeContents}};
  RecordingModule module;
  const auto pictures = [](const std::string& frame, int width, int height) {
    return "png(" + frame + " " + std::to_string(width) + " " + std::to_string(height) + ")";
  };
  const WordBuildResult result = BuildWordDocument(project, module, forms, "T.docm", "out.docm", pictures, {}, groups);
  EXPECT_EQ(result.problems, Lines{});

  Lines expected = {"1004 T.docm true",
                    "1005 Ｄｒｅｖｉａ＿Ｉｎｄｅｘ",
                    "1005 Ｄｒｅｖｉａ＿１",
                    "1001 見出し=入力データ",
                    "1005 Ｄｒｅｖｉａ＿１＿２＿１",
                    "1001 見出し=モデル図",
                    "1005 モデル図",
                    "1007 モデル図 png(地形モデル 9638 2800) 9638x2800",
                    "1005 座標の表＿１",
                    "1002 all -1 "};
  // Heading 3 + heading 2 + figure 10 + header 2 lines: 32 one-line rows
  // fill the page to line 49, the 33rd would reach line 50.
  for (int row = 0; row < 32; ++row) {
    expected.push_back("1002 番号１ " + std::to_string(row) + " " + std::to_string(row + 1));
    expected.push_back("1002 Ｘ１ " + std::to_string(row) + " x" + std::to_string(row));
  }
  expected.insert(expected.end(),
                  {"1005 ＳｅｔＲｅｔｕｒｎ", "1005 座標の表＿１＿１", "1002 all -1 ", "1002 番号１ 0 33",
                   "1002 Ｘ１ 0 x32", "1002 番号１ 1 34", "1002 Ｘ１ 1 x33", "1005 Ｅｎｄ", "1009 out.docm", "1000"});
  EXPECT_EQ(module.log, expected);
  // The body's first page follows the index without a break of its own.
  EXPECT_EQ(project.PageCounter, 2);
  EXPECT_EQ(project.Contents, (std::vector<ContentsEntry>{{2, 1}, {5, 1}}));
}

TEST(WordSink, ATemplateThatDoesNotOpenStopsBeforeAnyBlock) {
  CPrintProject project;
  Select(project, {0, 1});
  RecordingModule module;
  module.opens = false;
  const WordBuildResult result = BuildWordDocument(project, module, kForms, "T.docm", "o.docm");
  EXPECT_FALSE(result.started);
  EXPECT_FALSE(result.saved);
  EXPECT_EQ(module.log, Lines{"1004 T.docm true"});
}

TEST(WordSink, PicturesThatFailAndBlocksThatAreMissingAreRecordedNotFatal) {
  test::TempFolder folder;
  const std::string forms = SequenceForms(folder);
  folder.WriteBytes("u.kvf",
                    "kvf 1\n"
                    "block 0 lines 1 \"rule only\"\n  hline 0 9600 0\nend\n"
                    "block 1 lines 1 \"text without a Word block\"\n  text 0 0 \"注\"\nend\n"
                    "block 2 lines 1 \"row\"\n  field 1 0 0 name=番号１\nend\n"
                    "block 3 lines 17 \"two graphs\" word=図＿２\n"
                    "  graph 900 0 0 4719 4760 name=図\n  graph 901 4919 0 4719 4760 name=図２\nend\n");
  CPrintProject project;
  Select(project, {2});
  const GroupCompose body = [](ReportPager& pager, CPrintProject&) {
    pager.Frame({"t.kvf", 3}, 900, "地形モデル");
    pager.Frame({"u.kvf", 3}, 900, "入力加速度", {{901, "平均応答加速度"}});
    pager.Block({"t.kvf", 9});
    pager.Block({"none.kvf", 0});
    pager.Block({"u.kvf", 0});
    pager.Block({"u.kvf", 1});
    pager.TableRow({"u.kvf", 2}, {{1, "7"}});  // no table open
  };
  RecordingModule module;
  module.problems = {"field \"注\" is not in block \"図＿２\""};  // the writer's own, after the sink's
  const WordBuildResult result = BuildWordDocument(
      project, module, forms, "T.docm", "o.docm",
      [](const std::string& frame, int, int) { return frame == "地形モデル" ? std::string() : "p:" + frame; }, {},
      {{kItemInputData, -1, "body", body}});
  EXPECT_TRUE(result.saved);
  EXPECT_EQ(result.problems, (Lines{"picture 地形モデル could not be drawn", "t.kvf: no block 9",
                                    forms + "none.kvf: cannot open", "u.kvf: block 1 has no Word block",
                                    "u.kvf: block 2 has no Word block", "field \"注\" is not in block \"図＿２\""}));
  EXPECT_EQ(module.log, (Lines{"1004 T.docm true", "1005 モデル図", "1005 図＿２", "1007 図 p:入力加速度 4719x4760",
                               "1007 図２ p:平均応答加速度 4719x4760", "1005 Ｅｎｄ", "1009 o.docm", "1000"}));
}

// The progress range the Word output takes from the last composition (the
// preview's) is the number of steps its build makes, so the bar ends full:
// the print's title break and contents pages are no Word page breaks, and a
// report without a title page starts its page counter at 1 without a break.
TEST(WordSink, TheProgressRangeOfTheLastCompositionIsTheWordBuildsStepCount) {
  // With the title and contents, without either, and the title page alone (no step).
  const std::pair<const char*, std::vector<int>> cases[] = {
      {"all", Items(0, 58)}, {"body", Items(kItemInputData, 58)}, {"title only", {kItemTitlePage}}};
  for (const auto& [name, items] : cases) {
    SCOPED_TRACE(name);
    CPrintProject project;
    ASSERT_EQ(LoadProject(kExample, project.Project).Status, ProjectLoadStatus::kLoaded);
    Select(project, items);
    KavletComposition composer;
    ASSERT_TRUE(composer.BeginPrinting());
    project.Attach(&composer);
    ASSERT_TRUE(ComposeReport(project, kForms).formsFound);
    EXPECT_EQ(composer.Problems(), Lines{}) << "every block fits its page";
    project.Attach(nullptr);
    const int range = project.PageCounter + project.WordPageCounter;

    RecordingModule module;
    int steps = 0;
    EXPECT_TRUE(BuildWordDocument(project, module, kForms, "T.docm", "o.docm", {}, [&steps] { ++steps; }).saved);
    EXPECT_EQ(steps, range) << "page counter " << project.PageCounter;
    EXPECT_EQ(steps, static_cast<int>(std::count(module.log.begin(), module.log.end(), "1005 ＳｅｔＲｅｔｕｒｎ")));
  }
}

// Every block, field, column and picture place the form files name (word=,
// name=) exists in the packed template: every heading's section name too,
// for each search and method choice, so a wrong section number is a missing block.
TEST(WordTemplateNames, EveryNameTheReportUsesIsInTheTemplate) {
  WordDocumentWriter writer;
  ASSERT_TRUE(writer.OpenTemplate(test::TemplatePath(), true));
  const std::vector<std::string> blocks = writer.BlockNames();
  const std::set<std::string> names(blocks.begin(), blocks.end());
  std::set<std::string> allTags;
  for (const std::string& block : blocks)
    for (const std::string& tag : writer.BlockTags(block)) allTags.insert(tag);

  clsGdProject choices;
  for (const auto& entry : std::filesystem::directory_iterator(QUORVEL_PRNFILES)) {
    if (entry.path().extension() != ".kvf") continue;
    KvfForm form;
    std::string error;
    ASSERT_TRUE(LoadKvfFile(entry.path().string(), form, error)) << error;
    const std::string file = entry.path().filename().string();
    for (const KvfBlock& block : form.blocks) {
      const std::string where = file + " block " + std::to_string(block.number);
      std::vector<std::string> wordBlocks;
      if (block.wordBlock == kWordSectionPrefix) {
        // A heading: every section of its level, with both analysis choices.
        for (int item = 0; item < kReportItemCount; ++item) {
          if (ItemContentsLevel(item) != block.number + 1) continue;
          for (bool autoSearch : {false, true})
            for (int method : {1, 4}) {
              choices.Surface.AutoSearch = autoSearch;
              choices.Setting.AnalysisMethod = method;
              wordBlocks.push_back(block.wordBlock + WordSectionName(item, choices));
            }
        }
        if (block.number == 3)  // tables (1) to (6) under the damage-dependent softening
          for (const char* k : {"１", "２", "３", "４", "５", "６"})
            wordBlocks.push_back(block.wordBlock + "１＿３＿４＿" + k);
      } else if (!block.wordBlock.empty()) {
        wordBlocks.push_back(block.wordBlock);
      }
      for (const std::string& name : wordBlocks)
        EXPECT_TRUE(names.count(name)) << where << ": no building block " << name;
      for (const KvfElement& element : block.elements) {
        // Every field and frame reaches the document under a name, but the
        // company's second name (not among the title block's fields) and the
        // contents lines (the index is a field the reader fills).
        const bool unnamedByDesign =
            (file == kTitleForm && element.slot == 6) || (file == kCommonForm && block.number >= 6);
        if ((element.kind == KvfElementKind::Field || element.kind == KvfElementKind::Graph) && !unnamedByDesign) {
          EXPECT_FALSE(element.style.name.empty()) << where << ": slot " << element.slot << " has no name";
        }
        if (element.style.name.empty()) continue;
        if (block.wordBlock.empty()) {
          // A table row's field: a column of some table block.
          EXPECT_TRUE(allTags.count(element.style.name)) << where << ": no column " << element.style.name;
          continue;
        }
        for (const std::string& name : wordBlocks) {
          const std::vector<std::string> tags = writer.BlockTags(name);
          EXPECT_NE(std::find(tags.begin(), tags.end(), element.style.name), tags.end())
              << where << ": " << name << " has no control " << element.style.name;
        }
      }
    }
  }

  // A block copied from the glossary takes no relationship with it.
  const std::string glossary = test::ReadPart(test::TemplatePath(), "word/glossary/document.xml");
  ASSERT_FALSE(glossary.empty());
  for (const char* attribute : {"r:id=", "r:embed=", "r:link=", "r:pict="})
    EXPECT_EQ(glossary.find(attribute), std::string::npos) << attribute;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

// The example project through the headless tool to a .docm, then LibreOffice
// prints it: the title texts, every heading, and every field and table value
// the build wrote come back.
TEST(WordReportEndToEnd, ExampleProjectToDocmThatLibreOfficePrints) {
  ASSERT_EQ(test::RunCommand("command -v soffice >/dev/null"), 0) << "LibreOffice is missing: run scripts/setup";
  test::TempFolder folder;
  const std::string docm = folder.File("報告書.docm");
  const std::string tool = std::string(QUORVEL_BINARY_DIR) + "/bin/quorvel-report";
  ASSERT_EQ(test::RunCommand(Quoted(tool) + " " + Quoted(kExample) + " --docm " + Quoted(docm) + " >" +
                             Quoted(folder.File("tool.log")) + " 2>&1"),
            0)
      << folder.ReadBytes("tool.log");
  EXPECT_EQ(ooxml::CheckPackageFile(docm), Lines{});

  // What the document should hold: the same build against a recording module.
  CPrintProject project;
  ASSERT_EQ(LoadProject(kExample, project.Project).Status, ProjectLoadStatus::kLoaded);
  RecordingModule module;
  const WordBuildResult recorded =
      BuildWordDocument(project, module, kForms, "T.docm", "o.docm", [](const std::string&, int, int) { return "p"; });
  EXPECT_EQ(recorded.problems, Lines{});
  // The tool's build went through the real writer without a problem: its one line is the summary.
  std::istringstream toolLog(folder.ReadBytes("tool.log"));
  Lines toolSaid;
  for (std::string line; std::getline(toolLog, line);)
    if (line.rfind("quorvel-report: ", 0) == 0) toolSaid.push_back(line);
  EXPECT_EQ(toolSaid, Lines{"quorvel-report: " + docm + ": " + std::to_string(project.PageCounter) + " page breaks"});
  Lines headings, values;
  int breaks = 0, pictures = 0;
  for (const std::string& call : module.log) {
    if (call.rfind("1001 ", 0) == 0) {
      const std::size_t equals = call.find('=');
      (call.compare(5, equals - 5, "見出し") == 0 ? headings : values).push_back(call.substr(equals + 1));
    } else if (call.rfind("1002 ", 0) == 0) {
      values.push_back(call.substr(call.find(' ', call.find(' ', 5) + 1) + 1));
    }
    breaks += call == "1005 ＳｅｔＲｅｔｕｒｎ";
    pictures += call.rfind("1007 ", 0) == 0;
  }

  std::string log;
  const std::string pdf = test::ConvertToPdf(docm, folder.Path(), &log);
  ASSERT_FALSE(pdf.empty()) << log;
  // Title page, contents, then a page at least per page break.
  const int pages = test::PdfPages(pdf);
  EXPECT_GE(pages, 2 + breaks + 1) << breaks << " breaks";
  EXPECT_LE(pages, 4 * (breaks + 3)) << breaks << " breaks";
  const std::string title = test::PdfText(pdf, 1);
  for (const std::string& text : test::kExampleTitleTexts) EXPECT_TRUE(test::Has(title, test::Squeezed(text)));
  const std::string all = test::PdfText(pdf);
  EXPECT_TRUE(test::Has(all, "目次"));
  for (const std::string& heading : headings) EXPECT_TRUE(test::Has(all, test::Squeezed(heading)));
  for (std::string value : values) {
    // Raised and lowered text is plain text in the PDF; the parts of a note
    // that its ideographic spaces separate may wrap apart.
    for (const char* mark : {"{^", "{_", "}"})
      for (std::size_t at; (at = value.find(mark)) != std::string::npos;) value.erase(at, std::strlen(mark));
    for (std::size_t at; (at = value.find("\u3000")) != std::string::npos;) value.replace(at, 3, "\n");
    std::istringstream parts(value);
    for (std::string part; std::getline(parts, part);)
      EXPECT_NE(all.find(test::Squeezed(part)), std::string::npos) << part << " not in the document";
  }
  // Every picture the build inserted is an image of the PDF.
  const std::string images = test::CommandOutput("pdfimages -list " + Quoted(pdf) + " | tail -n +3 | wc -l");
  EXPECT_EQ(std::atoi(images.c_str()), pictures);
}

}  // namespace
}  // namespace quorvel
