#pragma once
// The composition driver: checks the form files, runs the page groups the
// host selected through the pager and the composer, ends the composition and
// moves the contents pages behind the title page.
#include <functional>
#include <string>
#include <vector>

#include "report/PageSink.h"
#include "report/PrintProject.h"
#include "report/ReportPager.h"

namespace quorvel {

using GroupCompose = std::function<void(ReportPager&, CPrintProject&)>;

struct ReportGroup {
  int item = 0;         // the item that selects the group
  int withinItem = -1;  // an item that must be selected too (input data for 10 and 17), or -1
  const char* name = "";
  GroupCompose compose;  // empty: the group places nothing yet
};

// The page groups in composition order: title page, input data (with the
// analysis conditions and calculation settings within it), analysis results,
// result figures, analysis details, contents.
const std::vector<ReportGroup>& StandardReportGroups();

// The title page: fields 1-8 from the [Print] texts, block "0" of "0_表紙.kvf".
void ComposeTitlePage(ReportPager& pager, CPrintProject& project);
// The contents pages from the contents list: the title block, then one line
// per entry with its dotted leader and page number, at most 31 to a page.
void ComposeContents(ReportPager& pager, CPrintProject& project);

// Heading field widths of the contents lines of levels 1-3 ("共通.kvf" blocks
// 6-8) in half-width cells: the dotted leaders end where the fields end.
inline constexpr int kContentsLineCells[3] = {86, 82, 78};
inline constexpr int kContentsLinesPerPage = 31;

struct CompositionResult {
  bool formsFound = false;  // every required form file opened and parsed
  std::string message;      // for the user when not: names the file
  std::string reason;       // one line: "file: cannot open" or "file:line: what is wrong"
};

// The form-file check alone: opens and parses the twelve required files in
// order into the composer's cache and stops at the first that fails.
CompositionResult CheckFormFiles(KavletComposition& composer, const std::string& formFolder);

// The whole composition on the project's attached composer (`formFolder`
// ends with a separator). When a form file fails nothing is composed and the
// composer keeps zero pages.
CompositionResult ComposeReport(CPrintProject& project, const std::string& formFolder,
                                const std::vector<ReportGroup>& groups = StandardReportGroups());

// Resets the composition state and runs the selected groups into `sink`: the
// part the print and the Word output share.
void RunReportGroups(CPrintProject& project, PageSink& sink, const std::vector<ReportGroup>& groups);

// "…ファイルを開けません。\n印刷プレビューをキャンセルします。" for `form`.
std::string MissingFormMessage(const std::string& form);

}  // namespace quorvel
