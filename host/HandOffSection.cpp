#include "host/HandOffSection.h"

#include <utility>

#include "host/HostAnswer.h"
#include "host/NumberText.h"
#include "host/ProgramFolder.h"

namespace quorvel {

AnswerDelivery DeliverFormAnswer(const std::string& folder, const HostTextWriter& answer, const ColourRecord& colours) {
  AnswerDelivery delivery;
  std::string error;
  delivery.AnswerWritten = answer.Commit(folder + kHandOffFileName, &error);
  if (!delivery.AnswerWritten) delivery.Error = error;
  delivery.ColourWritten = WriteColourFile(folder + kColourFileName, colours, &error);
  if (!delivery.ColourWritten && delivery.Error.empty()) delivery.Error = error;
  delivery.DoneFlagWritten = CreateDoneFlag(folder);
  return delivery;
}

const std::string& SectionCursor::Next() {
  current_ = reader_.ReadLine();
  return current_;
}

bool SectionCursor::FindSectionFromStart(std::string_view word) {
  reader_.Rewind();
  current_.clear();
  for (int reads = 1; reads <= 19; ++reads) {
    if (Next().find(word) != std::string::npos) return true;
  }
  return false;
}

bool SectionCursor::FindSectionFromCurrent(std::string_view word) {
  if (current_.find(word) != std::string::npos) return true;
  for (int reads = 1; reads <= 19; ++reads) {
    if (Next().find(word) != std::string::npos) return true;
  }
  return false;
}

const CStringSplit& SectionCursor::Split(std::string_view delimiters) {
  split_.Split(current_, delimiters);
  return split_;
}

std::vector<std::pair<double, double>> SectionCursor::ReadPointTable() {
  Next();
  const int count = ParseInt(SplitD4().Piece(2));
  std::vector<std::pair<double, double>> points;
  for (int m = 0; m < count; ++m) {
    Next();
    const CStringSplit& split = SplitD4();
    const double x = ParseDouble(split.Piece(1));
    points.emplace_back(x, ParseDouble(split.Piece(2)));
  }
  return points;
}

bool Fail(std::string* error, std::string why) {
  if (error) *error = std::move(why);
  return false;
}

bool AcceptAnswerText(HostTextWriter& out, HostTextWriter& answer, std::string* error) {
  std::string cp932;
  std::string why;
  if (!Utf8ToCp932(out.Text(), cp932, &why)) return Fail(error, "the answer has text the host cannot read: " + why);
  answer = std::move(out);
  return true;
}

}  // namespace quorvel
