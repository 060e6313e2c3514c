#pragma once
// Our Word-output module: writes a Word document from the building blocks of
// a template package. Blocks come from the template's glossary by name, fields
// and table columns are content controls found by their tag, pictures become
// PNG parts. Standard C++ over libzip and pugixml.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WordOutputModule.h"

namespace quorvel {

class WordDocumentWriter final : public WordOutputModule {
 public:
  WordDocumentWriter();
  ~WordDocumentWriter() override;
  WordDocumentWriter(const WordDocumentWriter&) = delete;
  WordDocumentWriter& operator=(const WordDocumentWriter&) = delete;

  bool OpenTemplate(const std::string& path, bool flag) override;
  bool AppendBlock(std::string_view name) override;
  bool SetField(std::string_view name, std::string_view text) override;
  bool SetTableCell(std::string_view column, int row, std::string_view text) override;
  bool InsertPicture(std::string_view place, const WordPicture& picture) override;
  // Ends a table being filled, then writes the package: content controls
  // unwrapped, the glossary and what only it uses left out, the main part typed
  // as macro-enabled unless `path` ends in ".docx". Written to a temporary file
  // beside `path` and renamed over it, so a failure leaves no file and an older
  // file untouched. 1 on success, 0 on failure.
  int Save(const std::string& path) override;
  void Close() override;
  const std::vector<std::string>& Problems() const override { return problems_; }

  bool IsOpen() const { return state_ != nullptr; }
  // The names of the template's building blocks, in glossary order.
  std::vector<std::string> BlockNames() const;
  // The tags of the content controls in the named block (fields, columns,
  // picture places), in document order; empty for an unknown block.
  std::vector<std::string> BlockTags(std::string_view block) const;
  // The main document part as it stands, content controls still in place.
  std::string DocumentXml() const;

 private:
  struct State;
  void Problem(std::string text);
  std::unique_ptr<State> state_;
  std::vector<std::string> problems_;
};

}  // namespace quorvel
