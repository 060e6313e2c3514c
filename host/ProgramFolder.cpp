#include "host/ProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quorvel {

std::string ProgramFolder() {
  std::string folder;
  if (const char* home = std::getenv("QUORVEL_HOME"); home != nullptr && *home != '\0') {
    folder = home;
  } else {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    folder = error ? std::filesystem::current_path(error).string() : exe.parent_path().string();
  }
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

std::string ProgramFile(const std::string& name) { return ProgramFolder() + name; }

}  // namespace quorvel
