#pragma once
// The program folder: where the host puts "temp.txt" and waits for "writed".
#include <string>

namespace quorvel {

// The folder of the program file, ending in '/'. When the environment
// variable QUORVEL_HOME is set and not empty, that folder is used instead
// (installs whose program folder is not writable, and tests).
std::string ProgramFolder();

// ProgramFolder() + name.
std::string ProgramFile(const std::string& name);

// Host file names in the program folder.
inline constexpr const char* kHandOffFileName = "temp.txt";
inline constexpr const char* kDoneFlagFileName = "writed";
inline constexpr const char* kColourFileName = "color.txt";

}  // namespace quorvel
