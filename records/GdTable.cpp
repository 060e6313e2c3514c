#include "records/GdTable.h"

#include "host/InvalidArgument.h"

namespace quorvel {

bool clsGdTable::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  int count = 0;
  if (!in.SeekSection(kTag, header) || !in.HeaderCount(header, count)) return false;
  std::size_t rows = MemberCount(count);
  if (!in.CheckCount(rows)) return false;
  Values.reserve(rows * Stride());
  std::vector<double> row;
  for (std::size_t r = 0; r < rows; ++r) {
    if (!in.ReadRow(Columns, row)) return false;
    Values.insert(Values.end(), row.begin(), row.end());
  }
  return true;
}

std::span<const double> clsGdTable::Row(std::size_t row) const {
  CheckIndex(static_cast<long long>(row), RowCount(), "clsGdTable::Row");
  return std::span<const double>(Values).subspan(row * Stride(), Stride());
}

double clsGdTable::At(std::size_t row, std::size_t column) const {
  std::span<const double> values = Row(row);
  CheckIndex(static_cast<long long>(column), values.size(), "clsGdTable::At");
  return values[column];
}

}  // namespace quorvel
