#include "report/ReportPager.h"

#include "report/ReportItems.h"

namespace quorvel {
namespace {

const BlockRef kSpacer{kSpacingForm, 0};
const BlockRef kBlankLine{kSpacingForm, 1};

std::size_t Characters(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) ++count;
  return count;
}

}  // namespace

ReportPager::ReportPager(CPrintProject& project, PageSink& sink) : project_(project), sink_(sink) {}

void ReportPager::StartGroup() {
  groupPending_ = true;
  table_.reset();
}

bool ReportPager::OpenGroup() {
  if (!groupPending_) return false;
  groupPending_ = false;
  if (project_.BlockPlaced == 0) return false;
  sink_.BreakPage();
  ++breaks_;
  ++project_.PageCounter;
  used_ = 0;
  pageFresh_ = true;
  afterTable_ = false;
  return true;
}

void ReportPager::NewPageWithSpacer() {
  sink_.BreakPage();
  ++breaks_;
  ++project_.PageCounter;
  used_ = 0;
  sink_.PlaceBlock(kSpacer, {});
  used_ += sink_.BlockLines(kSpacer);
  pageFresh_ = true;
  afterTable_ = false;
}

bool ReportPager::MakeRoom(int lines) {
  if (OpenGroup()) return true;
  // A fresh page takes the block whatever its height: breaking again would
  // only leave an empty page behind.
  if (pageFresh_ || used_ + lines < kavlet::kPageLines) return false;
  NewPageWithSpacer();
  return true;
}

void ReportPager::Placed(int lines) {
  used_ += lines;
  pageFresh_ = false;
  afterTable_ = false;
  project_.BlockPlaced = 1;
}

void ReportPager::PageBreak() {
  if (OpenGroup()) return;
  NewPageWithSpacer();
}

void ReportPager::Place(const BlockRef& block, const FieldValues& values) {
  OpenGroup();
  const int lines = sink_.BlockLines(block);
  sink_.PlaceBlock(block, values);
  Placed(lines);
}

void ReportPager::Heading(int level, int item, std::string_view text) {
  if (level < 1 || level > 4) return;
  const BlockRef block{kCommonForm, level - 1};
  const int lines = sink_.BlockLines(block);
  MakeRoom(lines);
  // After the break, so the entry names the page the heading is printed on.
  project_.AddContentsEntry(item);
  sink_.PlaceHeading(block, {{99 + level, std::string(text)}}, level, item);
  Placed(lines);
}

void ReportPager::PageEndedByBlock() {
  used_ = 0;
  pageFresh_ = true;
  afterTable_ = false;
  table_.reset();
  project_.BlockPlaced = 0;
}

void ReportPager::Block(const BlockRef& block, FieldValues values) {
  const int lines = sink_.BlockLines(block);
  MakeRoom(lines);
  sink_.PlaceBlock(block, values);
  Placed(lines);
}

void ReportPager::Frame(const BlockRef& block, int slot, std::string name, FieldValues values) {
  const int lines = sink_.BlockLines(block);
  MakeRoom(lines);
  values.push_back({slot, name});
  sink_.PlaceFrame(block, values, name);
  Placed(lines);
}

void ReportPager::BeginTable(const BlockRef& header, FieldValues headerValues,
                             std::optional<BlockRef> continuationHeader) {
  OpenGroup();
  if (afterTable_ && !pageFresh_) {
    const int blank = sink_.BlockLines(kBlankLine);
    if (!MakeRoom(blank)) {
      sink_.PlaceBlock(kBlankLine, {});
      Placed(blank);
    }
  }
  const int lines = sink_.BlockLines(header);
  MakeRoom(lines);
  sink_.PlaceTableHeader(header, headerValues, false);
  Placed(lines);
  table_ = OpenTable{continuationHeader.value_or(header), std::move(headerValues)};
}

void ReportPager::TableRow(const BlockRef& row, FieldValues values) {
  const int lines = sink_.BlockLines(row);
  if (MakeRoom(lines) && table_) {
    const int headerLines = sink_.BlockLines(table_->continuationHeader);
    sink_.PlaceTableHeader(table_->continuationHeader, table_->headerValues, true);
    Placed(headerLines);
  }
  sink_.PlaceTableRow(row, values);
  Placed(lines);
}

void ReportPager::EndTable(std::optional<BlockRef> footer, FieldValues footerValues) {
  if (footer) {
    const int lines = sink_.BlockLines(*footer);
    MakeRoom(lines);
    sink_.PlaceBlock(*footer, footerValues);
    Placed(lines);
  }
  sink_.EndTable();
  table_.reset();
  afterTable_ = true;
}

std::vector<std::string> JoinWrapped(const std::vector<std::string>& items, std::size_t limit) {
  std::vector<std::string> rows;
  std::string row;
  std::size_t length = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::size_t size = Characters(items[i]);
    // Room for the comma that ends the row if another item follows.
    const std::size_t tail = i + 1 < items.size() ? 1 : 0;
    if (!row.empty() && length + 1 + size + tail > limit) {
      rows.push_back(row + ",");
      row.clear();
      length = 0;
    }
    if (!row.empty()) {
      row += ",";
      ++length;
    }
    row += items[i];
    length += size;
  }
  if (!row.empty() || rows.empty()) rows.push_back(row);
  return rows;
}

}  // namespace quorvel
