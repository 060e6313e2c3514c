#include "records/RecordReader.h"

#include <climits>
#include <cmath>

namespace quorvel {

namespace {

// Longest text quoted back in a failure message.
constexpr std::size_t kQuoteLimit = 40;

std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  quoted.append(text.substr(0, kQuoteLimit));
  if (text.size() > kQuoteLimit) quoted.append("...");
  quoted.append("\"");
  return quoted;
}

}  // namespace

std::string RecordReadError::Message() const {
  std::string message = Tag.empty() ? std::string("project") : Tag;
  message += " line " + std::to_string(Line) + ": " + Reason;
  return message;
}

std::vector<std::string> SplitTokens(std::string_view line, std::string_view separators) {
  std::vector<std::string> tokens;
  std::size_t start = 0;
  while (start <= line.size()) {
    std::size_t end = line.find_first_of(separators, start);
    if (end == std::string_view::npos) end = line.size();
    std::string_view piece = TrimView(line.substr(start, end - start));
    if (!piece.empty()) tokens.emplace_back(piece);
    start = end + 1;
  }
  return tokens;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    std::size_t end = line.find(',', start);
    if (end == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
}

int ParseIntegerLine(std::string_view line) { return ParseInt(line); }

double ParseDoubleLine(std::string_view line) { return line.empty() ? kNoValue : ParseDouble(line); }

double ParseStrictDouble(std::string_view field) {
  double rounded = ParseDoubleRounded(6, field);
  // The rounding multiplies by the inexact step 1e-6; dividing the whole count
  // of millionths by 1e6 gives the double nearest to the decimal itself, so
  // "0.1" reads as 0.1 and compares equal to it.
  double millionths = rounded * 1e6;
  if (IsNoValue(rounded) || !std::isfinite(millionths) || std::fabs(millionths) >= 9e15) return rounded;
  return std::round(millionths) / 1e6;
}

std::optional<bool> ParseBoolLine(std::string_view line) { return ParseFlagLine(line, "True", "False"); }

std::optional<bool> ParseFlagLine(std::string_view line, std::string_view trueText, std::string_view falseText) {
  if (line == trueText) return true;
  if (line == falseText) return false;
  return std::nullopt;
}

std::optional<int> ParseHeaderCount(std::string_view header) {
  std::vector<std::string> tokens = SplitTokens(header, kSpaceSeparators);
  if (tokens.size() < 2) return std::nullopt;
  return ParseInt(tokens[1]);
}

std::optional<int> ParseHeaderVersion(std::string_view header, std::string_view tag) {
  if (header.size() <= tag.size()) return std::nullopt;
  std::string_view rest = header.substr(tag.size());
  if (rest.size() == 1) return ParseInt(rest);
  std::vector<std::string> tokens = SplitTokens(rest, kSpaceSeparators);
  if (tokens.empty()) return std::nullopt;
  return ParseInt(tokens.front());
}

std::optional<GdPoint> ParsePoint(std::string_view line) {
  std::vector<std::string_view> fields = SplitFields(line);
  if (fields.size() < 2) return std::nullopt;
  return GdPoint{ParseStrictDouble(fields[0]), ParseStrictDouble(fields[1])};
}

bool ParseRow(std::string_view line, int columns, std::vector<double>& values) {
  values.clear();
  if (columns < 2) {
    values.push_back(ParseDoubleLine(line));
    return true;
  }
  std::vector<std::string_view> fields = SplitFields(line);
  if (fields.size() != static_cast<std::size_t>(columns)) return false;
  values.reserve(fields.size());
  for (std::string_view field : fields) values.push_back(ParseStrictDouble(field));
  return true;
}

std::vector<int> ParseIntegerList(std::string_view line) {
  std::vector<int> values;
  for (const std::string& token : SplitTokens(line, kListSeparators)) values.push_back(ParseInt(token));
  return values;
}

std::vector<double> ParseDoubleList(std::string_view line) {
  std::vector<double> values;
  for (const std::string& token : SplitTokens(line, kListSeparators)) values.push_back(ParseDouble(token));
  return values;
}

std::size_t MemberCount(int count) { return count < 1 ? 0 : static_cast<std::size_t>(count); }

bool RecordReader::Open(const std::string& path) {
  error_ = {};
  tags_.clear();
  return lines_.Open(path);
}

bool RecordReader::OpenBytes(std::string_view cp932) {
  error_ = {};
  tags_.clear();
  return lines_.OpenBytes(cp932);
}

bool RecordReader::OpenText(std::string_view utf8) {
  std::string cp932;
  if (!Utf8ToCp932(utf8, cp932)) return false;
  return OpenBytes(cp932);
}

void RecordReader::Rewind() {
  lines_.Rewind();
  error_ = {};
}

bool RecordReader::Fail(std::string reason) {
  if (error_.Empty()) {
    error_.Tag = tags_.empty() ? std::string() : std::string(tags_.back());
    error_.Line = lines_.LineNumber();
    error_.Reason = std::move(reason);
  }
  return false;
}

bool RecordReader::NextLine(std::string& line) {
  if (Failed()) return false;
  if (lines_.AtEnd()) return Fail("the file ends early");
  line = lines_.ReadLine();
  return true;
}

bool RecordReader::SkipLine() { return NextLine(line_); }

bool RecordReader::SeekSection(std::string_view tag, std::string& header) {
  if (Failed()) return false;
  while (!lines_.AtEnd()) {
    header = lines_.ReadLine();
    if (header.find(tag) != std::string::npos) return true;
  }
  return Fail("section " + std::string(tag) + " not found before the end of the file");
}

bool RecordReader::HeaderCount(std::string_view header, int& count) {
  std::optional<int> parsed = ParseHeaderCount(header);
  if (!parsed) return Fail("header has no count: " + Quote(header));
  count = *parsed;
  return true;
}

bool RecordReader::HeaderVersion(std::string_view header, std::string_view tag, int& version) {
  std::optional<int> parsed = ParseHeaderVersion(header, tag);
  if (!parsed) return Fail("header has no version: " + Quote(header));
  version = *parsed;
  return true;
}

bool RecordReader::ReadInteger(int& value) {
  if (!NextLine(line_)) return false;
  value = ParseIntegerLine(line_);
  return true;
}

bool RecordReader::ReadDouble(double& value) {
  if (!NextLine(line_)) return false;
  value = ParseDoubleLine(line_);
  return true;
}

bool RecordReader::ReadText(std::string& value) { return NextLine(value); }

bool RecordReader::ReadBool(bool& value) {
  if (!NextLine(line_)) return false;
  std::optional<bool> parsed = ParseBoolLine(line_);
  if (!parsed) return Fail("expected \"True\" or \"False\", found " + Quote(line_));
  value = *parsed;
  return true;
}

bool RecordReader::ReadPoint(GdPoint& value) {
  if (!NextLine(line_)) return false;
  std::optional<GdPoint> parsed = ParsePoint(line_);
  if (!parsed) return Fail("a point needs two comma-separated fields, found " + Quote(line_));
  value = *parsed;
  return true;
}

bool RecordReader::ReadRow(int columns, std::vector<double>& values) {
  if (!NextLine(line_)) return false;
  if (!ParseRow(line_, columns, values)) {
    return Fail("a row needs " + std::to_string(columns) + " comma-separated fields, found " + Quote(line_));
  }
  return true;
}

bool RecordReader::ReadFlag(std::string_view trueText, std::string_view falseText, bool& value) {
  if (!NextLine(line_)) return false;
  std::optional<bool> parsed = ParseFlagLine(line_, trueText, falseText);
  if (!parsed) {
    return Fail("expected \"" + std::string(trueText) + "\" or \"" + std::string(falseText) + "\", found " +
                Quote(line_));
  }
  value = *parsed;
  return true;
}

bool RecordReader::ReadIntegerList(std::vector<int>& values) {
  if (!NextLine(line_)) return false;
  values = ParseIntegerList(line_);
  return true;
}

bool RecordReader::ReadDoubleList(std::vector<double>& values) {
  if (!NextLine(line_)) return false;
  values = ParseDoubleList(line_);
  return true;
}

bool RecordReader::ReadCaptionedInteger(int& value) { return SkipLine() && ReadInteger(value); }
bool RecordReader::ReadCaptionedDouble(double& value) { return SkipLine() && ReadDouble(value); }
bool RecordReader::ReadCaptionedText(std::string& value) { return SkipLine() && ReadText(value); }
bool RecordReader::ReadCaptionedBool(bool& value) { return SkipLine() && ReadBool(value); }
bool RecordReader::ReadCaptionedIntegerList(std::vector<int>& values) { return SkipLine() && ReadIntegerList(values); }
bool RecordReader::ReadCaptionedDoubleList(std::vector<double>& values) { return SkipLine() && ReadDoubleList(values); }

bool RecordReader::CheckCount(std::size_t count, std::size_t linesPerMember) {
  if (Failed()) return false;
  std::size_t left = lines_.LinesLeft();
  if (linesPerMember == 0) linesPerMember = 1;
  if (count > left / linesPerMember) {
    return Fail("count " + std::to_string(count) + " needs more than the " + std::to_string(left) +
                " lines left in the file");
  }
  return true;
}

}  // namespace quorvel
