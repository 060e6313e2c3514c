#include "srn/ExpDataFile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "host/HostTextFile.h"
#include "host/NumberText.h"
#include "host/StringSplit.h"

namespace quorvel {
namespace {

// Data files of a few thousand points are tiny; anything far larger is not one.
constexpr std::size_t kMaxDataFileBytes = 64u * 1024u * 1024u;

std::string FormatTrimmed(int decimals, double v) {
  if (IsNoValue(v)) return {};
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  std::string text(buffer);
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return text;
  std::size_t end = text.size();
  while (end > point + 2 && text[end - 1] == '0') --end;
  text.resize(end);
  return text;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    std::size_t extra = 0;
    unsigned int minimum = 0;
    unsigned int value = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1, minimum = 0x80, value = c & 0x1Fu;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, minimum = 0x800, value = c & 0x0Fu;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, minimum = 0x10000, value = c & 0x07u;
    } else {
      return false;
    }
    if (i + extra >= bytes.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      value = (value << 6) | (next & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

// The C conversion of a leading integer: white space, sign, digits; 0 when
// there is none. Saturates instead of overflowing.
long long LeadingCount(const std::string& line) {
  const char* text = line.c_str();
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, 10);
  return end == text ? 0 : value;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool Fail(ExpDataProblem* problem, std::size_t line, std::string japanese, std::string english) {
  if (problem != nullptr) *problem = {line, std::move(japanese), std::move(english)};
  return false;
}

bool IsD4Delimiter(char c) { return CStringSplit::D4.find(c) != std::string_view::npos; }

// A piece with the delimiters the splitter left at its ends removed.
std::string_view StripDelimiters(std::string_view piece) {
  while (!piece.empty() && (IsD4Delimiter(piece.front()) || piece.front() == '\r')) piece.remove_prefix(1);
  while (!piece.empty() && (IsD4Delimiter(piece.back()) || piece.back() == '\r')) piece.remove_suffix(1);
  return piece;
}

}  // namespace

std::string FormatPointNumber(double v) { return FormatTrimmed(10, v); }
std::string FormatCopyNumber(double v) { return FormatTrimmed(6, v); }

std::optional<IncompletePoint> FindIncompletePoint(const DataSetList& sets) {
  for (std::size_t k = 0; k < sets.Count(); ++k) {
    const CPointDataList& set = sets.At(k);
    for (std::size_t i = 0; i < set.PointCount(); ++i) {
      const CDPoint& point = set.Point(i);
      if (IsNoValue(point.x) || IsNoValue(point.y)) return IncompletePoint{k, i + 1, IsNoValue(point.x) ? 1 : 2};
    }
  }
  return std::nullopt;
}

std::string ExpDataFileText(const DataSetList& sets) {
  std::string text = "[ExpData]\r\n";
  text += std::to_string(sets.Count()) + "\r\n";
  for (std::size_t k = 0; k < sets.Count(); ++k) {
    const CPointDataList& set = sets.At(k);
    text += set.Name + "\r\n";
    text += std::to_string(set.PointCount()) + "\r\n";
    for (const CDPoint& point : set.Points()) {
      text += FormatPointNumber(point.x) + "," + FormatPointNumber(point.y) + "\r\n";
    }
  }
  return text;
}

bool WriteExpDataFile(const std::string& path, const DataSetList& sets, std::string* error) {
  for (std::size_t k = 0; k < sets.Count(); ++k) {
    if (sets.At(k).Name.find('\n') != std::string::npos) {
      if (error != nullptr) *error = "the name of set " + std::to_string(k + 1) + " holds a line feed";
      return false;
    }
  }
  const std::string text = ExpDataFileText(sets);
  std::string bytes;
  if (!Utf8ToCp932(text, bytes, error)) return false;
  std::string readBack;
  if (!DecodeExpDataBytes(bytes, readBack) || readBack != text) bytes = std::string(kUtf8Mark) + text;
  return ReplaceFileAtomically(path, bytes, error);
}

bool ParseExpDataPointLine(std::string_view line, double& x, double& y) {
  CStringSplit splitter;
  std::vector<std::string_view> numbers;
  for (const std::string& piece : splitter.Split(line, CStringSplit::D4)) {
    const std::string_view stripped = StripDelimiters(piece);
    if (!stripped.empty()) numbers.push_back(stripped);
  }
  if (numbers.size() < 2) return false;
  x = ParseDoubleRounded(3, numbers[0]);
  y = ParseDoubleRounded(3, numbers[1]);
  return true;
}

bool DecodeExpDataBytes(std::string_view bytes, std::string& text, ExpDataProblem* problem) {
  if (bytes.find('\0') != std::string_view::npos)
    return Fail(problem, 0, "テキストファイルではありません（NUL 文字を含んでいます）。",
                "not a text file (it holds NUL bytes).");
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    bytes.remove_prefix(kUtf8Mark.size());
    if (!IsValidUtf8(bytes))
      return Fail(problem, 0, "UTF-8 の印がありますが UTF-8 ではありません。",
                  "it starts with a UTF-8 mark but is not UTF-8.");
    text.assign(bytes);
    return true;
  }
  std::string cp932;
  const bool utf8 = IsValidUtf8(bytes);
  if (utf8 && Utf8ToCp932(bytes, cp932)) {
    text.assign(bytes);
    return true;
  }
  if (Cp932ToUtf8(bytes, text)) return true;
  if (utf8) {  // text CP932 cannot hold, and no CP932 either: UTF-8 after all
    text.assign(bytes);
    return true;
  }
  return Fail(problem, 0, "文字コードが CP932 でも UTF-8 でもありません。", "the text is neither CP932 nor UTF-8.");
}

bool ParseExpDataBytes(std::string_view bytes, std::vector<CPointDataList>& sets, ExpDataProblem* problem) {
  std::string text;
  if (!DecodeExpDataBytes(bytes, text, problem)) return false;

  const std::vector<std::string> lines = SplitLines(text);
  if (lines.empty() || lines[0].find("ExpData") == std::string::npos)
    return Fail(problem, 1, "「ExpData」の見出しがありません。", "no \"ExpData\" header.");
  std::size_t next = 1;  // index of the next line; its number is next + 1
  if (next >= lines.size()) return Fail(problem, 2, "データ数の行がありません。", "the number of sets is missing.");
  const long long setCount = LeadingCount(lines[next++]);

  std::vector<CPointDataList> read;
  for (long long k = 0; k < setCount; ++k) {
    if (lines.size() - next < 2) {
      const std::string set = std::to_string(k + 1);
      return Fail(problem, next + 1, set + "組目のデータの前でファイルが終わっています。",
                  "the file ends before set " + set + ".");
    }
    CPointDataList set(lines[next++]);
    const long long pointCount = LeadingCount(lines[next++]);
    if (pointCount > 0 && static_cast<unsigned long long>(pointCount) > lines.size() - next) {
      const std::string count = std::to_string(pointCount);
      return Fail(problem, next, count + " 点とありますが、行が足りません。",
                  count + " points announced, fewer lines follow.");
    }
    for (long long p = 0; p < pointCount; ++p) {
      double x = kNoValue;
      double y = kNoValue;
      if (!ParseExpDataPointLine(lines[next++], x, y))
        return Fail(problem, next, "点には数値が2つ必要です。", "a point needs two numbers.");
      set.AppendPoint(x, y);
    }
    read.push_back(std::move(set));
  }
  sets = std::move(read);
  return true;
}

bool ReadExpDataFile(const std::string& path, std::vector<CPointDataList>& sets, ExpDataProblem* problem) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, kMaxDataFileBytes)) {
    if (std::ifstream(path, std::ios::binary).good())
      return Fail(problem, 0, "ファイルが大きすぎます。", "the file is too large.");
    return Fail(problem, 0, "ファイルを開けません。", "the file cannot be opened.");
  }
  return ParseExpDataBytes(bytes, sets, problem);
}

}  // namespace quorvel
