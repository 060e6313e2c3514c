// Packs the Word template's readable parts (a folder) into the template
// package, and refuses a package the Word output could not use: a part that
// does not parse, a broken relationship or content type, a building block that
// holds a relationship id.
//   quorvel-pack-template SOURCE_FOLDER OUTPUT.docm
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>

#include "host/HostTextFile.h"
#include "platform/OoxmlPackage.h"
#include "platform/WordDocumentWriter.h"
#include "platform/ZipPackage.h"

namespace {

// 2024-01-01 00:00 UTC: the same parts always pack to the same bytes.
constexpr std::time_t kPackTime = 1704067200;

int Fail(const std::string& output, const std::string& message) {
  std::cerr << "quorvel-pack-template: " << message << "\n";
  std::error_code ignored;
  std::filesystem::remove(output, ignored);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  if (argc != 3) {
    std::cerr << "usage: quorvel-pack-template SOURCE_FOLDER OUTPUT.docm\n";
    return 2;
  }
  const fs::path source = argv[1];
  const std::string output = argv[2];

  quorvel::PackageEntries entries;
  std::error_code walkError;
  for (auto it = fs::recursive_directory_iterator(source, walkError); !walkError && it != fs::end(it);
       it.increment(walkError)) {
    if (!it->is_regular_file()) continue;
    std::string name = fs::relative(it->path(), source).generic_string();
    if (name == "README.md") continue;
    std::string bytes, error;
    if (!quorvel::ReadFileBytes(it->path().string(), bytes, quorvel::kMaxPackageBytes, &error))
      return Fail(output, error);
    if (quorvel::ooxml::IsXmlPart(name)) {
      std::string compact;
      if (!quorvel::ooxml::CompactPart(bytes, compact, error))
        return Fail(output, (source / name).string() + ": " + error);
      bytes = std::move(compact);
    }
    entries.push_back({name, std::move(bytes)});
  }
  if (walkError) return Fail(output, source.string() + ": " + walkError.message());
  // The content types first, then the parts by name, so equal folders pack alike.
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    bool aTypes = a.name == quorvel::ooxml::kContentTypesPart, bTypes = b.name == quorvel::ooxml::kContentTypesPart;
    return aTypes != bTypes ? aTypes : a.name < b.name;
  });

  bool sound = true;
  for (const std::string& problem : quorvel::ooxml::CheckPackage(entries)) {
    std::cerr << "quorvel-pack-template: " << problem << "\n";
    sound = false;
  }
  if (!sound) return Fail(output, "the template's parts are not a sound package");

  std::string zip, error;
  fs::create_directories(fs::path(output).parent_path(), walkError);
  if (!quorvel::WriteZipBytes(entries, zip, error, kPackTime) || !quorvel::ReplaceFileAtomically(output, zip, &error))
    return Fail(output, error);

  quorvel::WordDocumentWriter writer;
  bool opened = writer.OpenTemplate(output, true);
  for (const std::string& problem : writer.Problems()) std::cerr << "quorvel-pack-template: " << problem << "\n";
  if (!opened || !writer.Problems().empty()) return Fail(output, "the Word output cannot use this template");
  return 0;
}
