#include "graph/PointDataList.h"

#include "host/InvalidArgument.h"

namespace quorvel {

void CPointDataList::Reset() {
  std::string name = std::move(Name);
  *this = CPointDataList(std::move(name));
}

CDPoint& CPointDataList::Point(std::size_t index) {
  CheckIndex(static_cast<long long>(index), points_.size(), "CPointDataList::Point");
  return points_[index];
}

const CDPoint& CPointDataList::Point(std::size_t index) const {
  CheckIndex(static_cast<long long>(index), points_.size(), "CPointDataList::Point");
  return points_[index];
}

void CPointDataList::RemovePointAt(std::size_t index) {
  CheckIndex(static_cast<long long>(index), points_.size(), "CPointDataList::RemovePointAt");
  points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace quorvel
