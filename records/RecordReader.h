#pragma once
// Line reader and reading primitives of the host's project records. Every
// record class reads through one RecordReader; the first primitive that fails
// records where (innermost record tag, line number) and why, and every read
// operation above it returns false without reading further.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/HostTextFile.h"
#include "host/NumberText.h"

namespace quorvel {

// A point of the host's geometry (node, water-level point, graph point).
struct GdPoint {
  double X = kNoValue;
  double Y = kNoValue;
  bool operator==(const GdPoint&) const = default;
};

// Where and why a record read stopped. Empty while nothing has failed.
struct RecordReadError {
  std::string Tag;       // innermost record being read, e.g. "[Soil]"; empty outside any record
  std::size_t Line = 0;  // line number (from 1) where reading stopped; 0 before the first line
  std::string Reason;    // what was wrong, in English
  bool Empty() const { return Reason.empty(); }
  // "[Soil] line 57: expected "True" or "False", found "true""
  std::string Message() const;
};

// Separators of the record tokeniser.
inline constexpr std::string_view kSpaceSeparators = " \t";
inline constexpr std::string_view kListSeparators = " ,\t";
inline constexpr std::string_view kPrintSeparators = " ,:\t";

// Cuts `line` at every separator character, drops empty pieces and trims each
// piece. Unlike CStringSplit (the forms' splitter) a line without separators is
// one token, so "[SdParameter] 1" and a one-value list read as written.
std::vector<std::string> SplitTokens(std::string_view line, std::string_view separators);

// Cuts `line` at every comma, keeping empty fields: the host writes a missing
// number as an empty field, and dropping it would shift the later columns.
std::vector<std::string_view> SplitFields(std::string_view line);

// --- Pure line parsers (the primitives without the line source) -------------

// Integer line: white space trimmed; empty or anything but an optional sign and
// decimal digits gives kNoInt.
int ParseIntegerLine(std::string_view line);
// Double line: empty gives kNoValue; otherwise the leading number (trailing text
// ignored, no number gives 0.0).
double ParseDoubleLine(std::string_view line);
// Strict double field: trimmed; empty or not wholly a number gives kNoValue;
// otherwise the number rounded half-up to 6 decimals.
double ParseStrictDouble(std::string_view field);
// Exactly "True" or "False"; anything else is no value.
std::optional<bool> ParseBoolLine(std::string_view line);
// Exactly `trueText` or `falseText` ("rand_ok"/"rand_ng", "selected"/"not_selected").
std::optional<bool> ParseFlagLine(std::string_view line, std::string_view trueText, std::string_view falseText);
// Second space-separated token as integer (kNoInt when not a number); no value
// when the header has fewer than two tokens.
std::optional<int> ParseHeaderCount(std::string_view header);
// Text after the first tag-length characters: empty gives no value; one
// character gives that character as integer; longer gives its first
// space-separated token as integer (no value when there is none).
std::optional<int> ParseHeaderVersion(std::string_view header, std::string_view tag);
// Two comma-separated strict doubles; no value with fewer than two fields.
std::optional<GdPoint> ParsePoint(std::string_view line);
// A table row: with fewer than two columns the whole line as a double line;
// otherwise exactly `columns` comma-separated strict doubles. False on a
// different field count (`values` then undefined).
bool ParseRow(std::string_view line, int columns, std::vector<double>& values);
// Lists split at space, comma and tab: each token as integer / leading double.
std::vector<int> ParseIntegerList(std::string_view line);
std::vector<double> ParseDoubleList(std::string_view line);

// Number of members a header count asks for: a count that is not a number or
// below 1 reads none.
std::size_t MemberCount(int count);

class RecordReader {
 public:
  // Opens a host file (CP932). False, with the reason in OpenError(), when it
  // cannot be read or is not CP932 text.
  bool Open(const std::string& path);
  bool OpenBytes(std::string_view cp932);
  // Tests and generated input: UTF-8 text, converted to the host's encoding.
  bool OpenText(std::string_view utf8);
  const std::string& OpenError() const { return lines_.Error(); }

  // --- Line source ---
  // Next line; fails at the end of the file.
  bool NextLine(std::string& line);
  bool SkipLine();
  bool AtEnd() const { return lines_.AtEnd(); }
  std::size_t LinesLeft() const { return lines_.LinesLeft(); }
  std::size_t LineNumber() const { return lines_.LineNumber(); }
  std::size_t LineCount() const { return lines_.LineCount(); }
  void Rewind();

  // --- Primitives (false on failure, the error is recorded) ---
  // Reads lines until one contains `tag` anywhere; that line is the header.
  bool SeekSection(std::string_view tag, std::string& header);
  bool HeaderCount(std::string_view header, int& count);
  bool HeaderVersion(std::string_view header, std::string_view tag, int& version);
  bool ReadInteger(int& value);
  bool ReadDouble(double& value);
  bool ReadText(std::string& value);
  bool ReadBool(bool& value);
  bool ReadPoint(GdPoint& value);
  bool ReadRow(int columns, std::vector<double>& values);
  bool ReadFlag(std::string_view trueText, std::string_view falseText, bool& value);
  bool ReadIntegerList(std::vector<int>& values);
  bool ReadDoubleList(std::vector<double>& values);
  // Caption line (ignored) followed by the value.
  bool ReadCaptionedInteger(int& value);
  bool ReadCaptionedDouble(double& value);
  bool ReadCaptionedText(std::string& value);
  bool ReadCaptionedBool(bool& value);
  bool ReadCaptionedIntegerList(std::vector<int>& values);
  bool ReadCaptionedDoubleList(std::vector<double>& values);
  // Every member takes at least `linesPerMember` lines: a count the rest of the
  // file cannot hold fails here, before anything is allocated for it.
  bool CheckCount(std::size_t count, std::size_t linesPerMember = 1);

  // --- Failure ---
  // Records the first failure (innermost tag, current line) and returns false.
  bool Fail(std::string reason);
  bool Failed() const { return !error_.Empty(); }
  const RecordReadError& Error() const { return error_; }

  // Marks the record being read, so a failure inside names its tag.
  class Scope {
   public:
    Scope(RecordReader& reader, std::string_view tag) : reader_(reader) { reader_.tags_.push_back(tag); }
    ~Scope() { reader_.tags_.pop_back(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    RecordReader& reader_;
  };

 private:
  HostTextReader lines_;
  std::vector<std::string_view> tags_;  // tags are the records' static constants
  RecordReadError error_;
  std::string line_;  // scratch line of the primitives
};

// Reads `count` members of a collection (none for a count below 1). A member
// that fails is not kept; the members before it are. Every member has at least
// its header line, so a count beyond the lines left fails at once.
template <class Member>
bool ReadMembers(RecordReader& in, int count, std::vector<Member>& members) {
  std::size_t n = MemberCount(count);
  if (!in.CheckCount(n)) return false;
  members.reserve(members.size() + n);
  for (std::size_t i = 0; i < n; ++i) {
    Member member;
    if (!member.Read(in)) return false;
    members.push_back(std::move(member));
  }
  return true;
}

}  // namespace quorvel
