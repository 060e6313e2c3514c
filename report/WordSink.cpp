#include "report/WordSink.h"

#include <utility>

#include "report/ReportItems.h"

namespace quorvel {
namespace {

// "１２" for 12.
std::string FullWidthNumber(int number) {
  static const char* const kDigits[10] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
  std::string text;
  for (char c : std::to_string(number)) text += kDigits[c - '0'];
  return text;
}

// The Word name of the analysis' choice for items 22, 27 and 54: the contents
// text without its trailing "すべり".
std::string SlipChoice(int item, const clsGdProject& project) {
  std::string text = ContentsText(item, project);
  const std::string suffix = "すべり";
  if (text.size() > suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0) {
    text.resize(text.size() - suffix.size());
  }
  return text;
}

bool IsSlipChoiceItem(int item) {
  return item == kItemInitialSlip || item == kItemMaximumDisplacementSlip ||
         item == kItemDetailsMaximumDisplacementSlip;
}

// The number in "(k)" at the start of a level-4 heading, or 0.
int LeadingNumber(const std::string& text) {
  std::size_t i = 0;
  if (text.compare(0, 1, "(") == 0) {
    i = 1;
  } else if (text.compare(0, 3, "（") == 0) {
    i = 3;
  } else {
    return 0;
  }
  int number = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && number < 1000) number = number * 10 + (text[i++] - '0');
  return number;
}

// Texts, fields or frames: what a reader would miss. A block of rules only
// (a table's closing line, the spacer) has no Word block and needs none.
bool HoldsContent(const KvfBlock& block) {
  for (const KvfElement& element : block.elements) {
    if (element.kind == KvfElementKind::Text || element.kind == KvfElementKind::Field ||
        element.kind == KvfElementKind::Graph)
      return true;
  }
  return false;
}

}  // namespace

std::string WordSectionName(int item, const clsGdProject& project) {
  if (ItemContentsLevel(item) == 0) return {};
  int counters[4] = {0, 0, 0, 0};
  int parents[4] = {-1, -1, -1, -1};  // the item of each level on the way
  for (int i = kItemInputData; i <= item; ++i) {
    const int level = ItemContentsLevel(i);
    if (level == 0) continue;
    ++counters[level];
    parents[level] = i;
    for (int deeper = level + 1; deeper <= 3; ++deeper) counters[deeper] = 0, parents[deeper] = -1;
  }
  const int level = ItemContentsLevel(item);
  std::string name;
  for (int l = 1; l <= level; ++l) {
    if (l > 1) name += "＿";
    name += FullWidthNumber(counters[l]);
    if (l < level && IsSlipChoiceItem(parents[l])) name += "＿" + SlipChoice(parents[l], project);
  }
  if (IsSlipChoiceItem(item)) name += "＿" + SlipChoice(item, project);
  return name;
}

WordSink::WordSink(CPrintProject& project, WordOutputModule& module, std::string formFolder,
                   WordPictureRenderer pictures, std::function<void()> pageStep)
    : project_(project),
      module_(module),
      formFolder_(std::move(formFolder)),
      pictures_(std::move(pictures)),
      pageStep_(std::move(pageStep)) {}

WordSink::~WordSink() = default;

const KvfBlock* WordSink::Find(const BlockRef& block) {
  auto found = forms_.find(block.form);
  if (found == forms_.end()) {
    auto form = std::make_unique<KvfForm>();
    std::string error;
    if (!LoadKvfFile(formFolder_ + block.form, *form, error)) {
      problems_.push_back(error);
      form.reset();
    }
    found = forms_.emplace(block.form, std::move(form)).first;
  }
  if (!found->second) return nullptr;
  const KvfBlock* kvf = found->second->Block(block.block);
  if (kvf == nullptr && missing_.insert({block.form, block.block}).second) {
    problems_.push_back(block.form + ": no block " + std::to_string(block.block));
  }
  return kvf;
}

int WordSink::BlockLines(const BlockRef& block) {
  const KvfBlock* kvf = Find(block);
  return kvf != nullptr ? kvf->lines : 0;
}

bool WordSink::Append(const KvfBlock& form, const std::string& wordName, const FieldValues& values) {
  // The field table carries the values as for the printed page: a slot not
  // given keeps what it had.
  for (const FieldValue& value : values) project_.SetField(value.slot, value.text);
  if (wordName.empty()) return false;
  module_.AppendBlock(wordName);
  for (const KvfElement& element : form.elements) {
    if (element.kind != KvfElementKind::Field || element.style.name.empty()) continue;
    const auto slot = static_cast<std::size_t>(element.slot);
    module_.SetField(element.style.name, slot < project_.FieldTable.size() ? project_.FieldTable[slot] : "");
  }
  return true;
}

void WordSink::Dropped(const BlockRef& block, const KvfBlock& kvf) {
  if (HoldsContent(kvf) && missing_.insert({block.form, block.block}).second)
    problems_.push_back(block.form + ": block " + std::to_string(block.block) + " has no Word block");
}

void WordSink::PlaceBlock(const BlockRef& block, const FieldValues& values) {
  const KvfBlock* kvf = Find(block);
  if (kvf != nullptr && !Append(*kvf, kvf->wordBlock, values)) Dropped(block, *kvf);
}

void WordSink::BreakPage() {
  module_.AppendBlock(kWordPageBreakBlock);
  if (pageStep_) pageStep_();
}

void WordSink::PlaceHeading(const BlockRef& block, const FieldValues& values, int level, int item) {
  const KvfBlock* kvf = Find(block);
  if (kvf == nullptr) return;
  std::string name = kvf->wordBlock;
  // A prefix ending in "＿" takes the heading's section number.
  const std::string underscore = "＿";
  const bool prefix = name.size() >= underscore.size() &&
                      name.compare(name.size() - underscore.size(), underscore.size(), underscore) == 0;
  if (prefix) {
    if (level <= 3) {
      const std::string section = WordSectionName(item, project_.Project);
      if (section.empty()) {
        problems_.push_back("no Word section for the heading of item " + std::to_string(item));
        name.clear();
      } else {
        section_ = name + section;
        level4_ = 0;
        name = section_;
      }
    } else {
      const std::string text = values.empty() ? std::string() : values.front().text;
      const int number = LeadingNumber(text);
      level4_ = number > 0 ? number : level4_ + 1;
      name = section_.empty() ? std::string() : section_ + underscore + FullWidthNumber(level4_);
    }
  }
  Append(*kvf, name, values);
}

void WordSink::PlaceTableHeader(const BlockRef& block, const FieldValues& values, bool) {
  tableOpen_ = false;
  const KvfBlock* kvf = Find(block);
  if (kvf == nullptr) return;
  if (!Append(*kvf, kvf->wordBlock, values)) {
    Dropped(block, *kvf);
    return;
  }
  module_.SetTableCell(kWordAllColumns, -1, "");
  tableOpen_ = true;
  row_ = 0;
}

void WordSink::PlaceTableRow(const BlockRef& block, const FieldValues& values) {
  const KvfBlock* kvf = Find(block);
  if (kvf == nullptr) return;
  for (const FieldValue& value : values) project_.SetField(value.slot, value.text);
  // A row block of its own (word=) is a block; otherwise its fields are the
  // columns of the open table.
  if (!kvf->wordBlock.empty()) {
    Append(*kvf, kvf->wordBlock, {});
    return;
  }
  if (!tableOpen_) {
    Dropped(block, *kvf);
    return;
  }
  for (const KvfElement& element : kvf->elements) {
    if (element.kind != KvfElementKind::Field || element.style.name.empty()) continue;
    const auto slot = static_cast<std::size_t>(element.slot);
    module_.SetTableCell(element.style.name, row_, slot < project_.FieldTable.size() ? project_.FieldTable[slot] : "");
  }
  ++row_;
}

void WordSink::EndTable() { tableOpen_ = false; }

void WordSink::PlaceFrame(const BlockRef& block, const FieldValues& values, const std::string&) {
  const KvfBlock* kvf = Find(block);
  if (kvf == nullptr) return;
  if (!Append(*kvf, kvf->wordBlock, values)) {
    Dropped(block, *kvf);
    return;
  }
  // Every frame of the block, each named by its slot's value (a block may
  // hold two graphs side by side or one above the other).
  for (const KvfElement& graph : kvf->elements) {
    if (graph.kind != KvfElementKind::Graph) continue;
    if (graph.style.name.empty()) {
      problems_.push_back(block.form + ": block " + std::to_string(block.block) + " has no named picture place");
      continue;
    }
    const auto slot = static_cast<std::size_t>(graph.slot);
    const std::string frame = slot < project_.FieldTable.size() ? project_.FieldTable[slot] : std::string();
    std::string png = pictures_ && !frame.empty() ? pictures_(frame, graph.width, graph.height) : std::string();
    if (png.empty()) {
      problems_.push_back("picture " + frame + " could not be drawn");
      continue;
    }
    module_.InsertPicture(graph.style.name, WordPicture{std::move(png), graph.width, graph.height});
  }
}

std::vector<ReportGroup> WordReportGroups(const std::vector<ReportGroup>& groups) {
  std::vector<ReportGroup> word;
  const ReportGroup* contents = nullptr;
  for (const ReportGroup& group : groups) {
    if (group.item == kItemContents) contents = &group;
  }
  for (const ReportGroup& group : groups) {
    if (group.item == kItemContents) continue;
    if (group.item != kItemTitlePage) {
      word.push_back(group);
      continue;
    }
    word.push_back({group.item, group.withinItem, group.name,
                    [compose = group.compose](ReportPager& pager, CPrintProject& project) {
                      if (compose) compose(pager, project);
                      pager.PageEndedByBlock();
                    }});
    if (contents != nullptr) {
      // The index block: Word fills its contents field when the document opens.
      word.push_back({kItemContents, -1, "index", [](ReportPager& pager, CPrintProject&) {
                        pager.Place({kCommonForm, 5}, {});
                        pager.PageEndedByBlock();
                      }});
    }
  }
  // Without a title page the index still opens the document.
  if (contents != nullptr && (word.empty() || word.front().item != kItemTitlePage)) {
    bool haveIndex = false;
    for (const ReportGroup& group : word) haveIndex = haveIndex || group.item == kItemContents;
    if (!haveIndex) {
      word.insert(word.begin(), {kItemContents, -1, "index", [](ReportPager& pager, CPrintProject&) {
                                   pager.Place({kCommonForm, 5}, {});
                                   pager.PageEndedByBlock();
                                 }});
    }
  }
  return word;
}

WordBuildResult BuildWordDocument(CPrintProject& project, WordOutputModule& module, const std::string& formFolder,
                                  const std::string& templatePath, const std::string& target,
                                  const WordPictureRenderer& pictures, const std::function<void()>& pageStep,
                                  const std::vector<ReportGroup>& groups) {
  WordBuildResult result;
  if (!module.OpenTemplate(templatePath, true)) {
    result.problems = module.Problems();
    return result;
  }
  result.started = true;
  {
    WordSink sink(project, module, formFolder, pictures, pageStep);
    RunReportGroups(project, sink, WordReportGroups(groups));
    result.problems = sink.Problems();
  }
  module.AppendBlock(kWordEndBlock);
  result.saved = module.Save(target) != 0;
  for (const std::string& problem : module.Problems()) result.problems.push_back(problem);
  module.Close();
  return result;
}

}  // namespace quorvel
