#pragma once
// The user's data files of SR-N test results, loaded and saved on the input
// page: a header line containing "ExpData", the number of sets, then per set
// its name, its number of points and one "N,SR" line per point.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph/DataSetList.h"

namespace quorvel {

// A double as the input page prints it: "%.10f" with trailing zeros removed,
// keeping one digit after the point (1.5, 2.0); the no-value marker is empty.
std::string FormatPointNumber(double v);
// The same with "%.6f" (the clipboard copy of the sets).
std::string FormatCopyNumber(double v);

// A point that lacks one of its numbers (a data file or the host may give
// one): set index, point number from 1 (the grid row) and column (1 N, 2 SR).
struct IncompletePoint {
  std::size_t Set = 0;
  std::size_t Row = 0;
  int Column = 0;
};
// The first such point of `sets`, in set and point order.
std::optional<IncompletePoint> FindIncompletePoint(const DataSetList& sets);

// The file's text (UTF-8, CR LF after every line).
std::string ExpDataFileText(const DataSetList& sets);

// Writes the file anew through a temporary file beside it: in CP932, or in
// UTF-8 with its byte-order mark for the rare names whose CP932 bytes would
// read back as other UTF-8 text, so that a saved file always loads back as
// the same sets. False (with the reason) when it cannot be written or a name
// has no CP932 form or holds a line feed; an old file is then untouched.
// A CR in a name is kept (only CR LF ends a line).
bool WriteExpDataFile(const std::string& path, const DataSetList& sets, std::string* error = nullptr);

// Why a data file did not load: the line (from 1; 0 when the reason is not
// about one line) and the reason in both languages.
struct ExpDataProblem {
  std::size_t Line = 0;
  std::string Japanese;
  std::string English;
};

// The text of a data file's bytes: UTF-8 after a byte-order mark; otherwise
// UTF-8 when the bytes are valid UTF-8 whose text has a CP932 form (as an
// editor writes Japanese in UTF-8), else CP932 (as this program writes it:
// CP932 bytes that happen to be valid UTF-8, such as the half-width "ﾃｽ",
// decode to characters CP932 lacks). False when neither fits.
bool DecodeExpDataBytes(std::string_view bytes, std::string& text, ExpDataProblem* problem = nullptr);

// Reads a data file into `sets` (text as DecodeExpDataBytes gives it, lines
// ending in LF or CR LF). The load fails as a whole, leaving `sets`
// untouched, when the file cannot be opened, holds NUL bytes or text in
// neither encoding, its first line lacks "ExpData", a count promises more
// lines than follow, or a point line has fewer than two numbers.
// Counts are read as the C conversion of a leading integer (text gives 0).
// A point line is cut with CStringSplit and D4; a piece that is only a
// leftover delimiter (the ":" of "10 : 0.25", the "," in front of ",0.25")
// is not a number of its own, so both lines read as (10, 0.25). The numbers
// are rounded to 3 decimals; a piece that is not a whole number gives the
// no-value marker.
bool ReadExpDataFile(const std::string& path, std::vector<CPointDataList>& sets, ExpDataProblem* problem = nullptr);
bool ParseExpDataBytes(std::string_view bytes, std::vector<CPointDataList>& sets, ExpDataProblem* problem = nullptr);

// x and y of a point line, as ReadExpDataFile reads them; false when the line
// does not give two pieces.
bool ParseExpDataPointLine(std::string_view line, double& x, double& y);

}  // namespace quorvel
