#pragma once
// The series one graph shows, with that graph's axis values. The list owns its
// series; their addresses stay valid while series are appended. Indexes are
// checked and throw InvalidArgument.
#include <memory>
#include <vector>

#include "graph/PointDataList.h"

namespace quorvel {

class DataSetList {
 public:
  DataSetList() = default;
  DataSetList(const DataSetList& other);
  DataSetList& operator=(const DataSetList& other);
  DataSetList(DataSetList&&) noexcept = default;
  DataSetList& operator=(DataSetList&&) noexcept = default;
  ~DataSetList() = default;

  // Deletes every series and restores the axis values and switches.
  void Reset();
  // Deletes every series; axis values and switches stay.
  void Clear() { lists_.clear(); }

  // Takes ownership and returns the appended series (a null pointer is
  // refused with InvalidArgument).
  CPointDataList& Append(std::unique_ptr<CPointDataList> list);
  CPointDataList& Append(CPointDataList list);
  void RemoveAt(std::size_t index);
  std::size_t Count() const { return lists_.size(); }
  bool IsEmpty() const { return lists_.empty(); }
  CPointDataList& At(std::size_t index);
  const CPointDataList& At(std::size_t index) const;

  // Widens the y range to whole multiples of the y pitch (1 when the pitch is
  // not positive); a bound of 0 or no value stays as it is.
  void SnapYRange();

  double XMinimum = 0.0;
  double XMaximum = 100.0;
  double XPitch = 25.0;
  double YMinimum = 0.3;
  double YMaximum = 0.5;
  double YPitch = 0.05;
  bool RangesOutOfDate = true;      // the axis values must be recomputed before drawing
  bool AutomaticAdjustment = true;  // the pages fit the ranges to the data

 private:
  std::vector<std::unique_ptr<CPointDataList>> lists_;
};

}  // namespace quorvel
