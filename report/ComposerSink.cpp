#include "report/ComposerSink.h"

namespace quorvel {

int ComposerSink::BlockLines(const BlockRef& block) {
  KavletComposition* composer = project_.Composer();
  return composer != nullptr ? composer->BlockLines(block.form, block.block) : 0;
}

void ComposerSink::PlaceBlock(const BlockRef& block, const FieldValues& values) {
  for (const FieldValue& value : values) project_.SetField(value.slot, value.text);
  if (KavletComposition* composer = project_.Composer()) composer->SetPage(block.form, 1, std::to_string(block.block));
}

void ComposerSink::BreakPage() {
  if (KavletComposition* composer = project_.Composer()) composer->SetReturn();
}

}  // namespace quorvel
