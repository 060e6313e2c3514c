#pragma once
// Zip packages held in memory: the parts of a Word document or template, read
// whole and written whole. Standard C++ over libzip, shared by the document
// writer, the template packer and the package check.
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// One stored file of a package: its name inside the zip ("word/document.xml")
// and its bytes.
struct PackageEntry {
  std::string name;
  std::string data;
};
using PackageEntries = std::vector<PackageEntry>;

// Largest package and largest total of unpacked parts accepted; a template or
// a report is far smaller, a zip bomb is not.
inline constexpr std::size_t kMaxPackageBytes = 256u * 1024u * 1024u;
inline constexpr std::size_t kMaxUnpackedBytes = 1024u * 1024u * 1024u;

// Reads every file of a zip (folders skipped), in the zip's order. On failure
// returns false, `error` says why, and `entries` is empty.
bool ReadZipBytes(std::string_view zip, PackageEntries& entries, std::string& error);
bool ReadZipFile(const std::string& path, PackageEntries& entries, std::string& error);

// Packs `entries` in the given order (deflated) into `zip`. With
// `fixedTime`, every entry carries that time, so equal input packs to equal bytes.
bool WriteZipBytes(const PackageEntries& entries, std::string& zip, std::string& error,
                   std::optional<std::time_t> fixedTime = std::nullopt);

// The entry with this name, or nullptr.
const PackageEntry* FindEntry(const PackageEntries& entries, std::string_view name);
PackageEntry* FindEntry(PackageEntries& entries, std::string_view name);

}  // namespace quorvel
