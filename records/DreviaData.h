#pragma once
// Common base of the project records that the host writes for the report.
// A record knows its section tag; reading and resetting are each class's own
// non-virtual operations, and collections call those of their members.
#include <string_view>

namespace quorvel {

class clsDreviaData {
 public:
  clsDreviaData() = default;
  clsDreviaData(const clsDreviaData&) = default;
  clsDreviaData(clsDreviaData&&) = default;
  clsDreviaData& operator=(const clsDreviaData&) = default;
  clsDreviaData& operator=(clsDreviaData&&) = default;

  // The record's constant tag, e.g. "[Print]". Declared before the destructor:
  // the host's records keep this slot order.
  virtual std::string_view SectionTag() const = 0;
  virtual ~clsDreviaData() = default;
};

}  // namespace quorvel
