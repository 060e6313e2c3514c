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

// The file's text (UTF-8, one "\n" after every line).
std::string ExpDataFileText(const DataSetList& sets);

// Writes the file anew in CP932 with CR LF line ends, through a temporary file
// beside it. False (with the reason) when it cannot be written or a name has
// no CP932 form; an old file is then untouched.
bool WriteExpDataFile(const std::string& path, const DataSetList& sets, std::string* error = nullptr);

// Reads a data file into `sets`: CP932, or UTF-8 with or without a byte-order
// mark (UTF-8 is taken when the bytes are valid UTF-8). The load fails as a
// whole, leaving `sets` untouched, when the file cannot be opened, holds NUL
// bytes or text in neither encoding, its first line lacks "ExpData", a count
// promises more lines than follow, or a point line has fewer than two numbers.
// Counts are read as the C conversion of a leading integer (text gives 0).
// A point line is cut with CStringSplit and D4; a piece that is only a
// leftover delimiter (the ":" of "10 : 0.25", the "," in front of ",0.25")
// is not a number of its own, so both lines read as (10, 0.25). The numbers
// are rounded to 3 decimals; a piece that is not a whole number gives the
// no-value marker.
bool ReadExpDataFile(const std::string& path, std::vector<CPointDataList>& sets, std::string* error = nullptr);
bool ParseExpDataBytes(std::string_view bytes, std::vector<CPointDataList>& sets, std::string* error = nullptr);

// x and y of a point line, as ReadExpDataFile reads them; false when the line
// does not give two pieces.
bool ParseExpDataPointLine(std::string_view line, double& x, double& y);

}  // namespace quorvel
