#pragma once
// ReportPager: what every page group writes to. It keeps the line count of
// the current page and applies the rules all groups share: a block that
// would reach line 50 starts a new page, which opens with the spacer block;
// a table broken by a page gets its header again; two tables on one page are
// kept apart by the blank block; a group that follows blocks of another group
// starts a page of its own; every heading records its contents entry. The
// placements go to a PageSink (composer or Word), and the page counter and
// contents list to the CPrintProject, so both outputs break pages alike.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/PageSink.h"
#include "report/PrintProject.h"

namespace quorvel {

class ReportPager {
 public:
  ReportPager(CPrintProject& project, PageSink& sink);

  // A page group begins. When an earlier group has placed blocks, the first
  // placement of this one opens a new page, without the spacer block.
  void StartGroup();

  // Heading of `level` 1..4 for `item`: its contents entry (on the page where
  // the heading lands), the text in field 99 + level, block level - 1 of
  // "共通.kvf".
  void Heading(int level, int item, std::string_view text);
  // A block under the line rule.
  void Block(const BlockRef& block, FieldValues values = {});
  // A block with a graph frame; its `slot` takes the frame's name.
  void Frame(const BlockRef& block, int slot, std::string name, FieldValues values = {});

  // A table: its header, rows and optional footer. After a page break inside
  // the table the header (or `continuationHeader`) is placed again.
  void BeginTable(const BlockRef& header, FieldValues headerValues = {},
                  std::optional<BlockRef> continuationHeader = std::nullopt);
  void TableRow(const BlockRef& row, FieldValues values);
  void EndTable(std::optional<BlockRef> footer = std::nullopt, FieldValues footerValues = {});

  // A page break inside a group: a new page (page counter + 1) opened by the
  // spacer block "0" of "Gyokan.kvf".
  void PageBreak();
  // Places a block without the line rule, for a group that counts its own
  // lines (the contents builder).
  void Place(const BlockRef& block, const FieldValues& values);

  // The block just placed ends its page itself (the Word title and contents
  // blocks): the next placement starts a fresh page without a break, and the
  // next group does not open one either.
  void PageEndedByBlock();

  // Lines used on the current page.
  int LinesUsed() const { return used_; }
  // Page breaks handed to the sink so far.
  int PageBreaks() const { return breaks_; }

 private:
  // Opens the group's page when one is due; true when it did.
  bool OpenGroup();
  // Starts a new page first when a block of `lines` would reach line 50.
  // True when it did.
  bool MakeRoom(int lines);
  void NewPageWithSpacer();
  void Placed(int lines);

  CPrintProject& project_;
  PageSink& sink_;
  int used_ = 0;
  int breaks_ = 0;
  bool pageFresh_ = true;      // nothing but the spacer on this page yet
  bool groupPending_ = false;  // StartGroup called, nothing placed since
  bool afterTable_ = false;    // the last thing on this page ends a table
  struct OpenTable {
    BlockRef continuationHeader;
    FieldValues headerValues;
  };
  std::optional<OpenTable> table_;
};

// Joins `items` with "," into rows of at most `limit` characters: a row that
// continues on the next one ends with its ",", so the rows put together give
// the whole list. An item longer than the limit gets a row of its own.
std::vector<std::string> JoinWrapped(const std::vector<std::string>& items, std::size_t limit = 80);

}  // namespace quorvel
