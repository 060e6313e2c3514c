#include "report/PrintProject.h"

namespace quorvel {

void CPrintProject::Attach(KavletComposition* composer) {
  composer_ = composer;
  if (composer != nullptr)
    FieldTable.assign(kavlet::kFieldSlots, std::string());
  else
    FieldTable.clear();
}

void CPrintProject::SetField(int slot, std::string value) {
  if (slot < 0) return;
  const auto index = static_cast<std::size_t>(slot);
  if (index >= FieldTable.size()) FieldTable.resize(index + 1);
  FieldTable[index] = std::move(value);
}

void CPrintProject::AddContentsEntry(int item) {
  if (PageCounter == 0) PageCounter = 1;
  Contents.push_back({item, PageCounter});
}

bool CPrintProject::ItemSelected(int item) const {
  if (item < 0) return false;
  const std::vector<std::uint32_t> words = Project.Print.SelectionWords();
  const auto word = static_cast<std::size_t>(item) / 32;
  return word < words.size() && ((words[word] >> (static_cast<unsigned>(item) % 32)) & 1u) != 0;
}

int CPrintProject::PrintedPageNumber(int page) const { return page - (ItemSelected(0) ? 1 : 0) - ContentsPageCount; }

}  // namespace quorvel
