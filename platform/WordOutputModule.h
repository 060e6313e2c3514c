#pragma once
// The Word-output module as the report drives it: seven methods, each known to
// the host side by its dispatch id. The document writer implements it; a test
// can put a recording fake in its place.
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Dispatch ids of the module's methods.
enum class WordMethodId : int {
  Close = 1000,
  SetField = 1001,
  SetTableCell = 1002,
  OpenTemplate = 1004,
  AppendBlock = 1005,
  InsertPicture = 1007,
  Save = 1009,
};

// A picture for InsertPicture: PNG bytes and the size it takes on the page.
// A size of 0 takes the picture's pixels at 96 dpi (15 twips a pixel).
struct WordPicture {
  std::string png;
  int widthTwips = 0;
  int heightTwips = 0;
};

class WordOutputModule {
 public:
  virtual ~WordOutputModule() = default;

  // 1004: opens the template at `path`. False when it cannot be used (missing,
  // not a package, no glossary of building blocks): the module cannot start.
  // `flag` is the host's second argument (always true) and changes nothing.
  virtual bool OpenTemplate(const std::string& path, bool flag) = 0;
  // 1005: appends the named building block at the end of the document; it
  // becomes the last block that fields, cells and pictures go into.
  virtual bool AppendBlock(std::string_view name) = 0;
  // 1001: sets the named field of the last block. "\n" breaks the line;
  // "{^…}" and "{_…}" mark superscript and subscript.
  virtual bool SetField(std::string_view name, std::string_view text) = 0;
  // 1002: ("all", -1, "") prepares the last table of the last block; then
  // (column, row, text) sets a cell, adding rows up to `row` (from 0).
  virtual bool SetTableCell(std::string_view column, int row, std::string_view text) = 0;
  // 1007: puts the picture at the named place of the last block.
  virtual bool InsertPicture(std::string_view place, const WordPicture& picture) = 0;
  // 1009: saves the document under `path`; non-zero on success.
  virtual int Save(const std::string& path) = 0;
  // 1000: drops the document.
  virtual void Close() = 0;

  // What went wrong so far without stopping the document: a block, field,
  // column or place that the template lacks, a bad picture; and why an open
  // or a save failed. One line each, in order.
  virtual const std::vector<std::string>& Problems() const = 0;
};

}  // namespace quorvel
