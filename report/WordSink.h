#pragma once
// The Word output of the report stream: each placement appends the building
// block its form block names (word=) to a document of the Word-output module
// and fills the block's named fields, table columns and picture places from
// the same values the printed page gets. The pager is the printed report's,
// so both outputs break pages at the same places.
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/KavletForm.h"
#include "platform/WordOutputModule.h"
#include "report/PageSink.h"
#include "report/PrintProject.h"
#include "report/ReportComposition.h"

namespace quorvel {

// Word names of the fixed blocks.
inline constexpr const char* kWordTitleBlock = "Ｄｒｅｖｉａ＿Ｔｉｔｌｅ";
inline constexpr const char* kWordIndexBlock = "Ｄｒｅｖｉａ＿Ｉｎｄｅｘ";
inline constexpr const char* kWordEndBlock = "Ｅｎｄ";
inline constexpr const char* kWordPageBreakBlock = "ＳｅｔＲｅｔｕｒｎ";
inline constexpr const char* kWordSectionPrefix = "Ｄｒｅｖｉａ＿";
inline constexpr const char* kWordAllColumns = "all";

// Draws the graph a frame's name selects into a PNG of `widthTwips` x
// `heightTwips`; empty when it could not be drawn.
using WordPictureRenderer = std::function<std::string(const std::string& frame, int widthTwips, int heightTwips)>;

// The section number of a report item's heading in full-width digits joined
// by "＿" ("１＿２＿３"), as the contents nest the items; the slip parts whose
// heading the analysis chooses (items 22, 27, 54 and the items under them)
// carry that choice after it ("２＿１＿指定円弧＿１"). Empty for items without
// a heading of levels 1-3.
std::string WordSectionName(int item, const clsGdProject& project);

class WordSink : public PageSink {
 public:
  // `formFolder` ends with a separator; the forms are read from it as needed.
  WordSink(CPrintProject& project, WordOutputModule& module, std::string formFolder, WordPictureRenderer pictures = {},
           std::function<void()> pageStep = {});
  ~WordSink() override;

  int BlockLines(const BlockRef& block) override;
  void PlaceBlock(const BlockRef& block, const FieldValues& values) override;
  void BreakPage() override;
  void PlaceHeading(const BlockRef& block, const FieldValues& values, int level, int item) override;
  void PlaceTableHeader(const BlockRef& block, const FieldValues& values, bool repeated) override;
  void PlaceTableRow(const BlockRef& block, const FieldValues& values) override;
  void EndTable() override;
  void PlaceFrame(const BlockRef& block, const FieldValues& values, const std::string& frameName) override;

  // Missing forms and blocks, blocks with content but no Word block, pictures
  // that could not be drawn, in order.
  const std::vector<std::string>& Problems() const { return problems_; }

 private:
  const KvfBlock* Find(const BlockRef& block);
  // Writes the values into the field table, appends the block's Word block
  // and sets its named fields; false when the block has no Word block.
  bool Append(const KvfBlock& form, const std::string& wordName, const FieldValues& values);
  // A block that holds content but reaches no Word block: recorded once.
  void Dropped(const BlockRef& block, const KvfBlock& kvf);

  CPrintProject& project_;
  WordOutputModule& module_;
  std::string formFolder_;
  WordPictureRenderer pictures_;
  std::function<void()> pageStep_;
  std::map<std::string, std::unique_ptr<KvfForm>> forms_;  // null: failed, reported once
  std::vector<std::string> problems_;
  std::set<std::pair<std::string, int>> missing_;  // blocks already reported (missing, or without a Word block)
  int level4_ = 0;                                 // level-4 headings under the last heading of levels 1-3
  std::string section_;                            // Word name of the last heading of levels 1-3
  bool tableOpen_ = false;                         // a table block was prepared for its rows
  int row_ = 0;                                    // next row of the open table
};

// The groups as the Word document takes them: the title block and the index
// block right after it each end their page themselves, and the contents are
// the index (a field Word fills), not pages built at the end.
std::vector<ReportGroup> WordReportGroups(const std::vector<ReportGroup>& groups = StandardReportGroups());

struct WordBuildResult {
  bool started = false;               // the template opened
  bool saved = false;                 // 1009 reported success
  std::vector<std::string> problems;  // the sink's and the module's, in order
};

// The document build on an open-able template: 1004 with `templatePath`, the
// selected groups through a WordSink, "Ｅｎｄ", 1009 with `target`, 1000.
// `pageStep` runs once per page break.
WordBuildResult BuildWordDocument(CPrintProject& project, WordOutputModule& module, const std::string& formFolder,
                                  const std::string& templatePath, const std::string& target,
                                  const WordPictureRenderer& pictures = {}, const std::function<void()>& pageStep = {},
                                  const std::vector<ReportGroup>& groups = StandardReportGroups());

}  // namespace quorvel
