#pragma once
// "[Table] R": R rows of a column count that the owning record fixes before
// reading. Values are kept row after row in one array.
#include <span>
#include <string_view>
#include <vector>

#include "records/DreviaData.h"
#include "records/RecordReader.h"

namespace quorvel {

class clsGdTable : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[Table]";

  clsGdTable() = default;
  explicit clsGdTable(int columns) : Columns(columns) {}

  // Fixed by the owner. Below 2, each row is one lenient double line.
  int Columns = 1;
  std::vector<double> Values;  // RowCount() x Stride(), row after row

  std::string_view SectionTag() const override { return kTag; }
  // Empties the rows; the column count stays.
  void Reset() { Values.clear(); }
  // On failure the rows read before the failing one stay.
  bool Read(RecordReader& in);

  std::size_t Stride() const { return Columns < 2 ? 1 : static_cast<std::size_t>(Columns); }
  std::size_t RowCount() const { return Values.size() / Stride(); }
  // Throws InvalidArgument for a row or column outside the table.
  std::span<const double> Row(std::size_t row) const;
  double At(std::size_t row, std::size_t column) const;
};

}  // namespace quorvel
