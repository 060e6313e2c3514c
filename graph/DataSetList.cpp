#include "graph/DataSetList.h"

#include <utility>

#include "host/InvalidArgument.h"
#include "host/NumberText.h"

namespace quorvel {

DataSetList::DataSetList(const DataSetList& other)
    : XMinimum(other.XMinimum),
      XMaximum(other.XMaximum),
      XPitch(other.XPitch),
      YMinimum(other.YMinimum),
      YMaximum(other.YMaximum),
      YPitch(other.YPitch),
      RangesOutOfDate(other.RangesOutOfDate),
      AutomaticAdjustment(other.AutomaticAdjustment) {
  lists_.reserve(other.lists_.size());
  for (const auto& list : other.lists_) lists_.push_back(std::make_unique<CPointDataList>(*list));
}

DataSetList& DataSetList::operator=(const DataSetList& other) {
  if (this != &other) {
    DataSetList copy(other);
    *this = std::move(copy);
  }
  return *this;
}

void DataSetList::Reset() { *this = DataSetList(); }

CPointDataList& DataSetList::Append(std::unique_ptr<CPointDataList> list) {
  if (!list) throw InvalidArgument("DataSetList::Append: no list");
  lists_.push_back(std::move(list));
  return *lists_.back();
}

CPointDataList& DataSetList::Append(CPointDataList list) {
  return Append(std::make_unique<CPointDataList>(std::move(list)));
}

void DataSetList::RemoveAt(std::size_t index) {
  CheckIndex(static_cast<long long>(index), lists_.size(), "DataSetList::RemoveAt");
  lists_.erase(lists_.begin() + static_cast<std::ptrdiff_t>(index));
}

CPointDataList& DataSetList::At(std::size_t index) {
  CheckIndex(static_cast<long long>(index), lists_.size(), "DataSetList::At");
  return *lists_[index];
}

const CPointDataList& DataSetList::At(std::size_t index) const {
  CheckIndex(static_cast<long long>(index), lists_.size(), "DataSetList::At");
  return *lists_[index];
}

void DataSetList::SnapYRange() {
  double pitch = YPitch > 0.0 ? YPitch : 1.0;
  // RoundDown/RoundUp leave 0 and the no-value marker as they are.
  YMinimum = RoundDown(YMinimum, pitch);
  YMaximum = RoundUp(YMaximum, pitch);
}

}  // namespace quorvel
