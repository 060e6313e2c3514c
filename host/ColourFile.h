#pragma once
// The colour record of the graphs and its file "color.txt" in the program
// folder, kept between runs and rewritten on every OK of a form.
#include <array>
#include <cstddef>
#include <string>

#include "host/HostTextFile.h"

namespace quorvel {

// 18 Windows colour values (0x00BBGGRR). Entry numbers count from 1 as the
// drawing-setup dialogs and the file do.
struct ColourRecord {
  static constexpr std::size_t kEntryCount = 18;

  // The colours used whenever the colour file cannot be read completely.
  static ColourRecord Defaults();

  // Entry `number` (1..18); a number outside that range throws InvalidArgument.
  int Entry(int number) const;
  void SetEntry(int number, int colour);

  // Colour of SR-N data set k (from 0): entries 1-10 in turn.
  int DataSetColour(std::size_t setIndex) const { return Entries[setIndex % 10]; }
  // Estimated SR-N curve i (0..2): entries 11-13.
  int EstimatedCurveColour(std::size_t i) const { return Entries[10 + i % 3]; }
  // Constant curve d (0 alpha, 1 beta, 2 C): entries 14-16.
  int ConstantColour(std::size_t d) const { return Entries[13 + d % 3]; }
  // Strain form: fitted curve (17) and experiment points (18).
  int StrainCurveColour() const { return Entries[16]; }
  int StrainDataColour() const { return Entries[17]; }

  bool operator==(const ColourRecord&) const = default;

  std::array<int, kEntryCount> Entries{};
};

// Text of the colour file (UTF-8, CR LF line ends, none after the last line).
std::string ColourFileText(const ColourRecord& record);
// Appends the colour file's lines to a host writer.
void WriteColourLines(const ColourRecord& record, HostTextWriter& writer);

// Reads the colour file strictly: header, 10 single entries, then lines of
// exactly 2, 1, 3 and 2 entries. On any failure returns false, leaves
// `record` untouched and says why in `error`; the caller then uses Defaults().
bool ReadColourFile(const std::string& path, ColourRecord& record, std::string* error = nullptr);
bool ReadColourLines(HostTextReader& reader, ColourRecord& record, std::string* error = nullptr);

// The colour file's record, or all defaults when it cannot be read.
ColourRecord LoadColourRecord(const std::string& path);

// Writes the colour file (CP932, CR LF, atomically). False when it could not
// be written; the old file is then untouched.
bool WriteColourFile(const std::string& path, const ColourRecord& record, std::string* error = nullptr);

}  // namespace quorvel
