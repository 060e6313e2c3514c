#pragma once
// Field splitter of the host files. Cuts a line at the characters of a
// delimiter list, with the host's own rules: a delimiter directly after a cut
// never cuts again (it stays at the front of the next piece), a line in which
// nothing was cut gives no pieces at all, and the last piece is not trimmed.
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class CStringSplit {
 public:
  // The two delimiter lists of the host files.
  static constexpr std::string_view D4 = " ,:\t";
  static constexpr std::string_view D5 = " ,:\t]";

  // Replaces the pieces with those of `line` and returns them.
  const std::vector<std::string>& Split(std::string_view line, std::string_view delimiters);

  const std::vector<std::string>& Pieces() const { return pieces_; }
  std::size_t Count() const { return pieces_.size(); }

  // Piece number `number` counted from 1; throws InvalidArgument when the
  // line did not have it.
  const std::string& Piece(std::size_t number) const;

 private:
  std::vector<std::string> pieces_;
};

}  // namespace quorvel
