#pragma once
// Shared reading and delivery steps of the forms' hand-off sections.
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/ColourFile.h"
#include "host/HostTextFile.h"
#include "host/StringSplit.h"

namespace quorvel {

// What became of a form's OK answer.
struct AnswerDelivery {
  bool Refused = false;          // the records cannot make a complete answer: nothing was touched
  bool AnswerWritten = false;    // "temp.txt" holds the answer
  bool ColourWritten = false;    // "color.txt" was rewritten
  bool DoneFlagWritten = false;  // "writed" exists
  std::string Error;             // why something was refused or not written
};

// Writes a finished answer into the hand-off file of `folder` (ending in '/'),
// then the colour file, then the done flag. A file that cannot be written is
// skipped; the done flag is created regardless, always last.
AnswerDelivery DeliverFormAnswer(const std::string& folder, const HostTextWriter& answer, const ColourRecord& colours);

// Records a failed read or a refused answer: sets `error` (when given) and returns false.
bool Fail(std::string* error, std::string why);

// Hands the built answer `out` over to `answer` when every character has a
// CP932 form; otherwise refuses (false, `error` says why) and leaves `answer` alone.
bool AcceptAnswerText(HostTextWriter& out, HostTextWriter& answer, std::string* error);

// Builds an answer with `build` and delivers it as DeliverFormAnswer does; a
// refused build writes no file at all.
template <typename Record, typename Builder>
AnswerDelivery BuildAndDeliverAnswer(const std::string& folder, const Record& record, Builder build) {
  AnswerDelivery delivery;
  HostTextWriter answer;
  if (!build(record, answer, &delivery.Error)) {
    delivery.Refused = true;
    return delivery;
  }
  return DeliverFormAnswer(folder, answer, record.Colours);
}

// Reads a section line by line, keeping the current line the way the host's
// grammar refers to it. Field errors throw HandOffReadError or InvalidArgument
// (a missing piece); the readers turn both into a failed read.
class SectionCursor {
 public:
  explicit SectionCursor(HostTextReader& reader) : reader_(reader) {}

  // Reads the next line (empty past the end) and makes it current.
  const std::string& Next();
  const std::string& Current() const { return current_; }
  std::size_t LineNumber() const { return reader_.LineNumber(); }
  bool AtEnd() const { return reader_.AtEnd(); }

  // From the first line of the file: the header must turn up within the first
  // 19 reads. Leaves the header current.
  bool FindSectionFromStart(std::string_view word);
  // Tests the current line, then reads at most 19 more.
  bool FindSectionFromCurrent(std::string_view word);

  // Splits the current line; Piece(n) of the result throws InvalidArgument
  // for a piece the line does not have. Valid until the next Split.
  const CStringSplit& Split(std::string_view delimiters);
  const CStringSplit& SplitD4() { return Split(CStringSplit::D4); }

  // A point table as both forms send it: the next line "[Table] M", then M
  // lines of x and y.
  std::vector<std::pair<double, double>> ReadPointTable();

 private:
  HostTextReader& reader_;
  std::string current_;
  CStringSplit split_;
};

// A field the grammar cannot accept (not a missing piece).
class HandOffReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quorvel
