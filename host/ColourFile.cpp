#include "host/ColourFile.h"

#include "host/InvalidArgument.h"
#include "host/NumberText.h"
#include "host/StringSplit.h"

namespace quorvel {

ColourRecord ColourRecord::Defaults() {
  ColourRecord record;
  record.Entries = {7895160,  16435200, 3328150, 3289855, 10000384, 6737151, 204,      8464964,  32506,
                    11184628, 13107400, 0,       0,       5066239,  47872,   16744448, 10000384, 6566600};
  return record;
}

int ColourRecord::Entry(int number) const {
  CheckIndex(number - 1LL, kEntryCount, "ColourRecord::Entry");
  return Entries[static_cast<std::size_t>(number - 1)];
}

void ColourRecord::SetEntry(int number, int colour) {
  CheckIndex(number - 1LL, kEntryCount, "ColourRecord::SetEntry");
  Entries[static_cast<std::size_t>(number - 1)] = colour;
}

void WriteColourLines(const ColourRecord& record, HostTextWriter& writer) {
  const auto& e = record.Entries;
  writer.WriteLine("[ColorData]");
  for (std::size_t i = 0; i < 10; ++i) writer.WriteLine(FormatInt(e[i]));
  writer.WriteLine(FormatInt(e[10]) + "," + FormatInt(e[11]));
  writer.WriteLine(FormatInt(e[12]));
  writer.WriteLine(FormatInt(e[13]) + "," + FormatInt(e[14]) + "," + FormatInt(e[15]));
  // The host's own reader expects the last line without a line end.
  writer.Write(FormatInt(e[16]) + "," + FormatInt(e[17]));
}

std::string ColourFileText(const ColourRecord& record) {
  HostTextWriter writer;
  WriteColourLines(record, writer);
  return writer.Text();
}

namespace {

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = "color.txt: " + why;
  return false;
}

// Reads the entries of one line that must split into exactly `count` pieces.
bool ReadGroup(HostTextReader& reader, std::size_t count, int* out, std::string* error) {
  CStringSplit split;
  std::string line = reader.ReadLine();
  const auto& pieces = split.Split(line, CStringSplit::D4);
  if (pieces.size() != count) {
    return Fail(error, "line " + std::to_string(reader.LineNumber()) + " needs " + std::to_string(count) +
                           " values, has " + std::to_string(pieces.size()));
  }
  for (std::size_t i = 0; i < count; ++i) out[i] = ParseInt(pieces[i]);
  return true;
}

}  // namespace

bool ReadColourLines(HostTextReader& reader, ColourRecord& record, std::string* error) {
  ColourRecord read;
  if (reader.ReadLine().find("ColorData") == std::string::npos) return Fail(error, "no [ColorData] header");
  for (std::size_t i = 0; i < 10; ++i) {
    std::string line = reader.ReadLine();
    if (line.empty()) return Fail(error, "line " + std::to_string(i + 2) + " is empty");
    read.Entries[i] = ParseInt(line);
  }
  if (!ReadGroup(reader, 2, &read.Entries[10], error)) return false;
  std::string line = reader.ReadLine();
  if (line.empty()) return Fail(error, "line 13 is empty");
  read.Entries[12] = ParseInt(line);
  if (!ReadGroup(reader, 3, &read.Entries[13], error)) return false;
  if (!ReadGroup(reader, 2, &read.Entries[16], error)) return false;
  record = read;
  return true;
}

bool ReadColourFile(const std::string& path, ColourRecord& record, std::string* error) {
  HostTextReader reader;
  if (!reader.Open(path)) return Fail(error, "cannot be read: " + reader.Error());
  return ReadColourLines(reader, record, error);
}

ColourRecord LoadColourRecord(const std::string& path) {
  ColourRecord record;
  if (!ReadColourFile(path, record)) record = ColourRecord::Defaults();
  return record;
}

bool WriteColourFile(const std::string& path, const ColourRecord& record, std::string* error) {
  HostTextWriter writer;
  WriteColourLines(record, writer);
  return writer.Commit(path, error);
}

}  // namespace quorvel
