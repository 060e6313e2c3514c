#include "srn/SrnPage.h"

#include <array>
#include <utility>

namespace quorvel {
namespace {
std::array<SrnPageFactory, SrnPage::kPageCount>& Factories() {
  static std::array<SrnPageFactory, SrnPage::kPageCount> factories;
  return factories;
}
bool ValidIndex(int pageIndex) { return pageIndex >= 0 && pageIndex < SrnPage::kPageCount; }
}  // namespace

void RegisterSrnPage(int pageIndex, SrnPageFactory factory) {
  if (ValidIndex(pageIndex)) Factories()[static_cast<std::size_t>(pageIndex)] = std::move(factory);
}

SrnPageFactory RegisteredSrnPage(int pageIndex) {
  return ValidIndex(pageIndex) ? Factories()[static_cast<std::size_t>(pageIndex)] : SrnPageFactory{};
}

void ClearSrnPages() {
  for (auto& factory : Factories()) factory = nullptr;
}

}  // namespace quorvel
