#pragma once
// The composition half of the page composer: the library calls that turn
// placed form blocks into pages (SetStart, SetPage, SetReturn, SetEnd,
// MovePageBefore) and the pages they leave. Plain standard C++, so reports
// compose (and are benchmarked and fuzzed) without a window system; the
// drawing half is CKavletComposer.
//
// A call out of order or out of range never throws and never crashes: it is
// recorded in Problems() and otherwise ignored. Every method is virtual so
// tests can record the exact call sequence around the real behaviour.
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/KavletForm.h"

namespace quorvel {

// Page geometry: A4 portrait in twips, y down.
namespace kavlet {
inline constexpr int kPaperWidth = 11906;
inline constexpr int kPaperHeight = 16838;
inline constexpr int kBodyLeft = 1134;
inline constexpr int kBodyWidth = 9638;
inline constexpr int kBodyTop = 1418;
inline constexpr int kLineHeight = 280;
inline constexpr int kPageLines = 50;
inline constexpr int kFieldSlots = 1000;
}  // namespace kavlet

// One block on a page, with the values its fields and frames had when it was placed.
struct PlacedBlock {
  std::string form;
  const KvfBlock* block = nullptr;                  // owned by the composition's form cache
  int firstLine = 0;                                // line of the page (from 0) where the block starts
  std::vector<std::pair<int, std::string>> values;  // slot and its value, in element order

  // The value of `slot` at placing time (empty when the block does not use it).
  const std::string& Value(int slot) const;
};

struct ComposedPage {
  std::vector<PlacedBlock> blocks;
  int lines = 0;  // lines used
};

// A named graph frame on a page, in page twips.
struct GraphFrame {
  std::string name;
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const GraphFrame&, const GraphFrame&) = default;
};

class KavletComposition {
 public:
  KavletComposition();
  virtual ~KavletComposition();
  KavletComposition(const KavletComposition&) = delete;
  KavletComposition& operator=(const KavletComposition&) = delete;

  // --- Library calls (in the order a print job makes them) ---
  // False when the object cannot start (it is already printing).
  virtual bool BeginPrinting();
  virtual void SetSpace(int horizontal, int vertical);
  virtual void SetSoejiFlag(int flag);
  virtual void SetPrintPageNum(int flag);
  // Starts a new composition: forgets the pages. `fieldTable` is read at every
  // SetPage (not copied here); `formFolder` ends with a separator.
  virtual void SetStart(const std::vector<std::string>* fieldTable, const std::string& formFolder);
  // Appends block `block` ("0".."999") of `form` to the current page, copying
  // the values of the slots it uses from the field table as they are now.
  virtual void SetPage(const std::string& form, int kind, const std::string& block);
  // Opens a new page; later blocks go there.
  virtual void SetReturn();
  // Ends the composition; from now on PageCount() is valid.
  virtual void SetEnd();
  // Moves page `from` to position `to` (zero-based), shifting those between.
  virtual void MovePageBefore(int from, int to);
  virtual void EndPrinting();

  // Pages composed, valid after SetEnd (0 before).
  int PageCount() const;

  // --- For the program (not library calls) ---
  // Opens and parses a form file of `formFolder` into the cache; false with
  // "file:line: message" (or "file: cannot open") in `error`.
  bool LoadForm(const std::string& formFolder, const std::string& form, std::string& error);
  // Height in lines of a block of the current composition's forms; 0 (and a
  // recorded problem) when the form or block does not exist.
  int BlockLines(const std::string& form, int block);
  // Page `page` (one-based) of the finished composition, or nullptr.
  const ComposedPage* Page(int page) const;
  // The named graph frames of page `page` (one-based) in drawing order: the
  // list DrawPage publishes, available without drawing.
  std::vector<GraphFrame> PageFrames(int page) const;

  // Everything that went wrong, in order: calls out of order or out of range,
  // missing forms or blocks, pages holding more than 50 lines.
  const std::vector<std::string>& Problems() const { return problems_; }
  bool Printing() const { return state_ != State::kIdle; }

 protected:
  enum class State { kIdle, kBegun, kComposing, kComposed };
  State CurrentState() const { return state_; }
  void Problem(std::string text);

 private:
  const KvfForm* Form(const std::string& form);
  const KvfBlock* FindBlock(const std::string& form, int block);

  State state_ = State::kIdle;
  const std::vector<std::string>* fieldTable_ = nullptr;
  std::string formFolder_;
  // Parsed forms by full path; a failed load is cached as null so its error is reported once.
  std::map<std::string, std::unique_ptr<KvfForm>> forms_;
  std::vector<ComposedPage> pages_;
  std::vector<std::string> problems_;
};

}  // namespace quorvel
