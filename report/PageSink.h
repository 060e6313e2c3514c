#pragma once
// The output side of the report stream. The pager decides what goes on which
// page and hands each placement to a sink: the composer sink places form
// blocks on printed pages, the Word sink appends building blocks to a
// document. Both name a block by its form file and block number and its
// values by field slot; the form file gives every slot the name the Word
// template uses for the same field (its name= option), so a logical block
// has one name in both outputs.
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

struct BlockRef {
  std::string form;  // form file name, e.g. "共通.kvf"
  int block = 0;
  friend bool operator==(const BlockRef&, const BlockRef&) = default;
};

struct FieldValue {
  int slot = 0;
  std::string text;
  friend bool operator==(const FieldValue&, const FieldValue&) = default;
};
using FieldValues = std::vector<FieldValue>;

class PageSink {
 public:
  virtual ~PageSink() = default;

  // Height of a block in lines of 280 twips; 0 when the block does not exist.
  virtual int BlockLines(const BlockRef& block) = 0;
  // Places a block with its values (slots not given keep what they had).
  virtual void PlaceBlock(const BlockRef& block, const FieldValues& values) = 0;
  // Starts a new page.
  virtual void BreakPage() = 0;

  // Tables and figures, for outputs that build them differently from plain
  // blocks; by default they are placed as blocks.
  // `repeated`: the header again at the top of a continuation page.
  virtual void PlaceTableHeader(const BlockRef& block, const FieldValues& values, bool repeated) {
    (void)repeated;
    PlaceBlock(block, values);
  }
  virtual void PlaceTableRow(const BlockRef& block, const FieldValues& values) { PlaceBlock(block, values); }
  virtual void EndTable() {}
  // A heading of `level` 1..4 for report item `item`, for outputs that name
  // headings by their place in the report; by default placed as a block.
  virtual void PlaceHeading(const BlockRef& block, const FieldValues& values, int level, int item) {
    (void)level;
    (void)item;
    PlaceBlock(block, values);
  }
  // A block holding a graph frame; `frameName` is also among the values.
  virtual void PlaceFrame(const BlockRef& block, const FieldValues& values, const std::string& frameName) {
    (void)frameName;
    PlaceBlock(block, values);
  }
};

}  // namespace quorvel
