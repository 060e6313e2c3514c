#include "host/InvalidArgument.h"

namespace quorvel {

void CheckIndex(long long index, std::size_t size, const char* where) {
  if (index < 0 || static_cast<unsigned long long>(index) >= size) {
    throw InvalidArgument(std::string(where) + ": index " + std::to_string(index) + " outside a list of " +
                          std::to_string(size));
  }
}

}  // namespace quorvel
