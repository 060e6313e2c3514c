#pragma once
// The printed output of the report stream: each placement writes its values
// into the project's field table and places the block on the attached
// composer's pages (SetPage, SetReturn).
#include "report/PageSink.h"
#include "report/PrintProject.h"

namespace quorvel {

class ComposerSink : public PageSink {
 public:
  // The project must have a composer attached for as long as the sink is used.
  explicit ComposerSink(CPrintProject& project) : project_(project) {}

  int BlockLines(const BlockRef& block) override;
  void PlaceBlock(const BlockRef& block, const FieldValues& values) override;
  void BreakPage() override;

 private:
  CPrintProject& project_;
};

}  // namespace quorvel
