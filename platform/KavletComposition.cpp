#include "platform/KavletComposition.h"

#include <algorithm>
#include <charconv>

namespace quorvel {
namespace {

// "0".."999", nothing else.
bool ParseBlockNumber(const std::string& text, int& number) {
  if (text.empty() || text.size() > 3) return false;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, number);
  return ec == std::errc() && ptr == end && number >= 0;
}

bool UsesSlot(const KvfElement& element) {
  return element.kind == KvfElementKind::Field || element.kind == KvfElementKind::Graph;
}

}  // namespace

const std::string& PlacedBlock::Value(int slot) const {
  static const std::string empty;
  for (const auto& [s, value] : values)
    if (s == slot) return value;
  return empty;
}

KavletComposition::KavletComposition() = default;
KavletComposition::~KavletComposition() = default;

void KavletComposition::Problem(std::string text) {
  // A runaway caller (every row of a long table in a missing block) must not
  // grow the list without bound.
  constexpr std::size_t kMaximumProblems = 200;
  if (problems_.size() < kMaximumProblems)
    problems_.push_back(std::move(text));
  else if (problems_.size() == kMaximumProblems)
    problems_.push_back("more problems not recorded");
}

bool KavletComposition::BeginPrinting() {
  if (state_ != State::kIdle) {
    Problem("BeginPrinting: already printing");
    return false;
  }
  state_ = State::kBegun;
  return true;
}

void KavletComposition::SetSpace(int, int) {
  if (state_ == State::kComposing) Problem("SetSpace during a composition");
}

void KavletComposition::SetSoejiFlag(int) {
  if (state_ == State::kComposing) Problem("SetSoejiFlag during a composition");
}

void KavletComposition::SetPrintPageNum(int) {
  if (state_ == State::kComposing) Problem("SetPrintPageNum during a composition");
}

void KavletComposition::SetStart(const std::vector<std::string>* fieldTable, const std::string& formFolder) {
  if (state_ == State::kIdle) {
    Problem("SetStart before BeginPrinting");
    return;
  }
  if (state_ == State::kComposing) Problem("SetStart during a composition: the pages so far are dropped");
  fieldTable_ = fieldTable;
  formFolder_ = formFolder;
  pages_.assign(1, ComposedPage{});
  state_ = State::kComposing;
}

void KavletComposition::SetPage(const std::string& form, int kind, const std::string& block) {
  if (state_ != State::kComposing) {
    Problem("SetPage outside a composition: " + form + " " + block);
    return;
  }
  if (kind != 1) Problem("SetPage " + form + " " + block + ": kind " + std::to_string(kind) + " is not 1");
  int number = 0;
  if (!ParseBlockNumber(block, number)) {
    Problem("SetPage " + form + ": \"" + block + "\" is not a block number");
    return;
  }
  const KvfBlock* found = FindBlock(form, number);
  if (found == nullptr) return;

  ComposedPage& page = pages_.back();
  PlacedBlock placed;
  placed.form = form;
  placed.block = found;
  placed.firstLine = page.lines;
  for (const KvfElement& element : found->elements) {
    if (!UsesSlot(element)) continue;
    const bool inTable =
        fieldTable_ != nullptr && element.slot >= 0 && static_cast<std::size_t>(element.slot) < fieldTable_->size();
    placed.values.emplace_back(element.slot,
                               inTable ? (*fieldTable_)[static_cast<std::size_t>(element.slot)] : std::string());
  }
  page.lines += found->lines;
  if (page.lines > kavlet::kPageLines) {
    Problem("page " + std::to_string(pages_.size()) + " overflows: block " + block + " of " + form + " ends at line " +
            std::to_string(page.lines) + " of " + std::to_string(kavlet::kPageLines));
  }
  page.blocks.push_back(std::move(placed));
}

void KavletComposition::SetReturn() {
  if (state_ != State::kComposing) {
    Problem("SetReturn outside a composition");
    return;
  }
  pages_.emplace_back();
}

void KavletComposition::SetEnd() {
  if (state_ != State::kComposing) {
    Problem("SetEnd outside a composition");
    return;
  }
  const bool anything =
      std::any_of(pages_.begin(), pages_.end(), [](const ComposedPage& p) { return !p.blocks.empty(); });
  if (!anything) {
    pages_.clear();
  } else {
    for (std::size_t i = 0; i < pages_.size(); ++i)
      if (pages_[i].blocks.empty()) Problem("page " + std::to_string(i + 1) + " is empty");
  }
  state_ = State::kComposed;
}

void KavletComposition::MovePageBefore(int from, int to) {
  if (state_ != State::kComposed) {
    Problem("MovePageBefore before SetEnd");
    return;
  }
  const int count = static_cast<int>(pages_.size());
  if (from < 0 || from >= count || to < 0 || to >= count) {
    Problem("MovePageBefore(" + std::to_string(from) + ", " + std::to_string(to) + ") out of range 0.." +
            std::to_string(count - 1));
    return;
  }
  const auto at = [this](int i) { return pages_.begin() + i; };
  if (from > to)
    std::rotate(at(to), at(from), at(from) + 1);
  else if (from < to)
    std::rotate(at(from), at(from) + 1, at(to) + 1);
}

void KavletComposition::EndPrinting() {
  if (state_ == State::kIdle) Problem("EndPrinting without BeginPrinting");
  if (state_ == State::kComposing) Problem("EndPrinting during a composition");
  state_ = State::kIdle;
}

int KavletComposition::PageCount() const { return state_ == State::kComposed ? static_cast<int>(pages_.size()) : 0; }

bool KavletComposition::LoadForm(const std::string& formFolder, const std::string& form, std::string& error) {
  const std::string path = formFolder + form;
  auto found = forms_.find(path);
  if (found != forms_.end() && found->second) return true;
  auto parsed = std::make_unique<KvfForm>();
  if (!LoadKvfFile(path, *parsed, error)) {
    // LoadKvfFile names the file by its path; the folder is the same for all.
    if (error.compare(0, formFolder.size(), formFolder) == 0) error.erase(0, formFolder.size());
    forms_[path] = nullptr;
    return false;
  }
  forms_[path] = std::move(parsed);
  return true;
}

const KvfForm* KavletComposition::Form(const std::string& form) {
  const std::string path = formFolder_ + form;
  auto found = forms_.find(path);
  if (found != forms_.end()) return found->second.get();
  std::string error;
  if (!LoadForm(formFolder_, form, error)) {
    Problem(error);
    return nullptr;
  }
  return forms_[path].get();
}

const KvfBlock* KavletComposition::FindBlock(const std::string& form, int block) {
  const KvfForm* loaded = Form(form);
  if (loaded == nullptr) return nullptr;  // its load error is recorded once
  const KvfBlock* found = loaded->Block(block);
  if (found == nullptr) Problem(form + ": no block " + std::to_string(block));
  return found;
}

int KavletComposition::BlockLines(const std::string& form, int block) {
  const KvfBlock* found = FindBlock(form, block);
  return found != nullptr ? found->lines : 0;
}

const ComposedPage* KavletComposition::Page(int page) const {
  if (state_ != State::kComposed || page < 1 || page > static_cast<int>(pages_.size())) return nullptr;
  return &pages_[static_cast<std::size_t>(page - 1)];
}

std::vector<GraphFrame> KavletComposition::PageFrames(int page) const {
  std::vector<GraphFrame> frames;
  const ComposedPage* composed = Page(page);
  if (composed == nullptr) return frames;
  for (const PlacedBlock& placed : composed->blocks) {
    const int top = kavlet::kBodyTop + placed.firstLine * kavlet::kLineHeight;
    for (const KvfElement& element : placed.block->elements) {
      if (element.kind != KvfElementKind::Graph) continue;
      frames.push_back(
          {placed.Value(element.slot), kavlet::kBodyLeft + element.x, top + element.y, element.width, element.height});
    }
  }
  return frames;
}

}  // namespace quorvel
