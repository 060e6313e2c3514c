#include "report/ReportComposition.h"

#include <fstream>

#include "report/ComposerSink.h"
#include "report/InputDataPages.h"
#include "report/ReportItems.h"
#include "report/ResultPages.h"

namespace quorvel {

const std::vector<ReportGroup>& StandardReportGroups() {
  // The groups without a compose function are written by the report pages.
  static const std::vector<ReportGroup> groups = {
      {kItemTitlePage, -1, "title page", ComposeTitlePage},
      {kItemInputData, -1, "input data", ComposeInputData},
      {kItemAnalysisConditions, kItemInputData, "analysis conditions", ComposeAnalysisConditions},
      {kItemCalculationSettings, kItemInputData, "calculation settings", ComposeCalculationSettings},
      {kItemResults, -1, "analysis results", ComposeAnalysisResults},
      {kItemFigures, -1, "result figures", ComposeResultFigures},
      {kItemDetails, -1, "analysis details", ComposeAnalysisDetails},
      {kItemContents, -1, "contents", ComposeContents},
  };
  return groups;
}

void ComposeTitlePage(ReportPager& pager, CPrintProject& project) {
  // Fields 1-8: title, subtitle, site, date, company, its second name, telephone, fax.
  static constexpr clsGdPrint::TextIndex kTexts[8] = {
      clsGdPrint::kTitle,       clsGdPrint::kSubtitle,          clsGdPrint::kSiteName,  clsGdPrint::kDateInformation,
      clsGdPrint::kCompanyName, clsGdPrint::kCompanyNameSecond, clsGdPrint::kTelephone, clsGdPrint::kFax};
  FieldValues values;
  for (int i = 0; i < 8; ++i) values.push_back({i + 1, project.Project.Print.Text(kTexts[i])});
  pager.Block({kTitleForm, 0}, std::move(values));
}

void ComposeContents(ReportPager& pager, CPrintProject& project) {
  project.ContentsPageCount = 1;
  pager.Place({kCommonForm, 5}, {});
  int lines = 0;
  // The entries were recorded by the groups before; the builder adds none.
  const std::vector<ContentsEntry> entries = project.Contents;
  for (const ContentsEntry& entry : entries) {
    const int level = ItemContentsLevel(entry.item);
    if (level == 0) continue;
    if (lines + 1 >= kContentsLinesPerPage + 1) {
      pager.PageBreak();
      lines = 0;
      ++project.ContentsPageCount;
    }
    const std::string text = WithDottedLeader(ContentsText(entry.item, project.Project), kContentsLineCells[level - 1]);
    pager.Place({kCommonForm, 5 + level}, {{99 + level, text}, {479 + level, std::to_string(entry.page)}});
    ++lines;
  }
}

std::string MissingFormMessage(const std::string& form) {
  return form + "ファイルを開けません。\n印刷プレビューをキャンセルします。";
}

CompositionResult CheckFormFiles(KavletComposition& composer, const std::string& formFolder) {
  CompositionResult result;
  for (const char* form : kRequiredFormFiles) {
    if (!std::ifstream(formFolder + form, std::ios::binary).is_open()) {
      result.message = MissingFormMessage(form);
      result.reason = std::string(form) + ": cannot open";
      return result;
    }
    std::string error;
    if (!composer.LoadForm(formFolder, form, error)) {
      // Opened but unusable: the same message, with what is wrong in the file.
      result.message = MissingFormMessage(form) + "\n\n" + error;
      result.reason = error;
      return result;
    }
  }
  result.formsFound = true;
  return result;
}

void RunReportGroups(CPrintProject& project, PageSink& sink, const std::vector<ReportGroup>& groups) {
  project.BlockPlaced = 0;
  project.PageCounter = 0;
  project.WordPageCounter = 0;
  project.ContentsPageCount = 0;
  project.Contents.clear();
  // The selection as it was when the composition started.
  const clsGdPrint selection = project.Project.Print;
  const std::vector<std::uint32_t> words = selection.SelectionWords();
  const auto selected = [&words](int item) {
    if (item < 0) return false;
    const auto word = static_cast<std::size_t>(item) / 32;
    return word < words.size() && ((words[word] >> (static_cast<unsigned>(item) % 32)) & 1u) != 0;
  };

  ReportPager pager(project, sink);
  // Page breaks of this composition that the Word document does not make:
  // its title block ends its own page (no break opens the next group) and
  // its contents are one index block (no contents pages).
  int printOnlyBreaks = 0;
  bool afterTitle = false;
  for (const ReportGroup& group : groups) {
    if (!group.compose || !selected(group.item)) continue;
    if (group.withinItem >= 0 && !selected(group.withinItem)) continue;
    pager.StartGroup();
    const int breaksBefore = pager.PageBreaks();
    const bool opensWithBreak = project.BlockPlaced != 0;
    group.compose(pager, project);
    const int breaks = pager.PageBreaks() - breaksBefore;
    if (group.item == kItemContents) {
      printOnlyBreaks += breaks;
      afterTitle = false;
    } else if (afterTitle && opensWithBreak && breaks > 0) {
      ++printOnlyBreaks;  // the first group that places anything after the title page
      afterTitle = false;
    }
    if (group.item == kItemTitlePage) afterTitle = true;
  }
  // The Word output's progress range, page counter + this, is then its number
  // of page breaks (the page counter also counts the first page of a report
  // without a title page, which no break starts).
  project.WordPageCounter = pager.PageBreaks() - printOnlyBreaks - project.PageCounter;
}

CompositionResult ComposeReport(CPrintProject& project, const std::string& formFolder,
                                const std::vector<ReportGroup>& groups) {
  KavletComposition* composer = project.Composer();
  if (composer == nullptr) return {false, "", "no composer attached"};
  CompositionResult result = CheckFormFiles(*composer, formFolder);
  if (!result.formsFound) return result;

  composer->SetStart(&project.FieldTable, formFolder);
  ComposerSink sink(project);
  RunReportGroups(project, sink, groups);
  composer->SetEnd();

  if (project.ItemSelected(kItemContents)) {
    // The contents were composed last: move them, in their order, behind the
    // title page (or to the front).
    const int count = composer->PageCount();
    const int target = project.ItemSelected(kItemTitlePage) ? 1 : 0;
    for (int i = 0; i < project.ContentsPageCount; ++i) composer->MovePageBefore(count - 1, target);
  }
  return result;
}

}  // namespace quorvel
