#include "TempFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace quorvel::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-test-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = std::string(name.data()) + "/";
}

TempFolder::~TempFolder() {
  std::error_code error;
  // A test may have made the folder read-only; give it back first.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, error);
  std::filesystem::remove_all(path_, error);
}

void TempFolder::WriteBytes(std::string_view name, std::string_view bytes) const {
  std::ofstream file(File(name), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::ReadBytes(std::string_view name) const {
  std::ifstream file(File(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool TempFolder::Exists(std::string_view name) const { return std::filesystem::exists(File(name)); }

}  // namespace quorvel::test
