#pragma once
// The one exception type of the core: an index outside a list (a missing
// field piece, a point number past the end). Readers catch it and fail in
// order; it never escapes a reader's public function.
#include <stdexcept>
#include <string>

namespace quorvel {

class InvalidArgument : public std::out_of_range {
 public:
  explicit InvalidArgument(const std::string& what) : std::out_of_range(what) {}
};

// Throws InvalidArgument unless 0 <= index < size.
void CheckIndex(long long index, std::size_t size, const char* where);

}  // namespace quorvel
