// lunvex-fit: runs CalcFitting in a folder (default: the current one), the
// way the program does: an older "output.txt" is deleted first, so a missing
// one afterwards means the fit produced nothing.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "engine/Lunvex.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fputs("usage: lunvex-fit [folder]\n", stderr);
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path folder = argc == 2 ? fs::path(argv[1]) : fs::current_path();
  std::error_code error;
  fs::current_path(folder, error);
  if (error) {
    std::fprintf(stderr, "lunvex-fit: cannot enter %s: %s\n", folder.string().c_str(), error.message().c_str());
    return 1;
  }
  fs::remove("output.txt", error);
  CalcFitting();
  if (!fs::exists("output.txt", error)) {
    std::fprintf(stderr,
                 "lunvex-fit: no output.txt in %s (data.txt missing, undefined equation, no "
                 "points or no stages, or the folder is not writable)\n",
                 folder.string().c_str());
    return 1;
  }
  return 0;
}
