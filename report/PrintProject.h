#pragma once
// CPrintProject: the print mode's one project for the whole run: the host's
// records and the state of one composition (field table, counters, contents
// list), shared by the preview, the print job and the Word output.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/KavletComposition.h"
#include "records/GdProject.h"

namespace quorvel {

// Where an item starts: its number and the page counter at that point.
struct ContentsEntry {
  int item = 0;
  int page = 0;
  friend bool operator==(const ContentsEntry&, const ContentsEntry&) = default;
};

class CPrintProject {
 public:
  clsGdProject Project;  // the records the host handed over

  // Attaches the composer of one print job or preview (not owned): the field
  // table gets its 1000 slots; null detaches and empties the table.
  void Attach(KavletComposition* composer);
  KavletComposition* Composer() const { return composer_; }

  // Field table: composition writes a slot before each block it places.
  std::vector<std::string> FieldTable;
  // Writes `slot`, growing the table when the slot lies beyond it.
  void SetField(int slot, std::string value);

  int PrintingFlag = 0;        // 1 while the print job composes and prints, 0 in the preview
  bool PageNumberFlag = true;  // print page numbers at the foot of the pages
  int ContentsPageCount = 0;   // contents pages the last composition made
  int PageCounter = 1;         // pages started by composition, title and contents pages not counted
  int WordPageCounter = 0;     // added to the page counter for the Word output's progress range: together
                               // the Word document's page breaks (negative when the print has more)
  std::vector<ContentsEntry> Contents;
  std::uint8_t BlockPlaced = 0;  // a page group has placed blocks: the next group starts a page
  int SavedLanguage = 0;         // the run's language, saved by the drawing code

  // Appends (item, page counter) to the contents list; a page counter of 0
  // becomes 1 first.
  void AddContentsEntry(int item);

  bool ItemSelected(int item) const;
  // The number printed at the foot of page `page` (one-based): the page less
  // the title page (when selected) and the contents pages; 0 or less prints none.
  int PrintedPageNumber(int page) const;

 private:
  KavletComposition* composer_ = nullptr;
};

}  // namespace quorvel
