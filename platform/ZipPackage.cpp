#include "platform/ZipPackage.h"

#include <zip.h>

#include <memory>

#include "host/HostTextFile.h"

namespace quorvel {
namespace {

std::string ErrorText(zip_error_t* error) {
  const char* text = zip_error_strerror(error);
  return text ? text : "unknown zip error";
}

struct ZipDiscard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

bool ReadZipBytes(std::string_view zip, PackageEntries& entries, std::string& error) {
  entries.clear();
  zip_error_t zipError;
  zip_error_init(&zipError);
  zip_source_t* source = zip_source_buffer_create(zip.data(), zip.size(), 0, &zipError);
  if (!source) {
    error = "cannot read the package: " + ErrorText(&zipError);
    zip_error_fini(&zipError);
    return false;
  }
  std::unique_ptr<zip_t, ZipDiscard> archive(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError));
  if (!archive) {
    zip_source_free(source);
    error = "not a zip package: " + ErrorText(&zipError);
    zip_error_fini(&zipError);
    return false;
  }
  zip_error_fini(&zipError);

  zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  std::size_t unpacked = 0;
  for (zip_int64_t i = 0; i < count; ++i) {
    auto index = static_cast<zip_uint64_t>(i);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME) ||
        !(stat.valid & ZIP_STAT_SIZE)) {
      error = "unreadable entry " + std::to_string(i) + " in the package";
      entries.clear();
      return false;
    }
    std::string name = stat.name;
    if (!name.empty() && name.back() == '/') continue;
    if (stat.size > kMaxUnpackedBytes - unpacked) {
      error = "package unpacks to more than " + std::to_string(kMaxUnpackedBytes) + " bytes";
      entries.clear();
      return false;
    }
    std::unique_ptr<zip_file_t, ZipFileClose> file(zip_fopen_index(archive.get(), index, 0));
    if (!file) {
      error = "cannot open " + name + " in the package: " + zip_strerror(archive.get());
      entries.clear();
      return false;
    }
    PackageEntry entry{name, std::string(static_cast<std::size_t>(stat.size), '\0')};
    // One byte more than announced: a part longer than its header says is damaged too.
    std::string probe(1, '\0');
    zip_int64_t read = entry.data.empty() ? 0 : zip_fread(file.get(), entry.data.data(), stat.size);
    zip_int64_t extra = read == static_cast<zip_int64_t>(stat.size) ? zip_fread(file.get(), probe.data(), 1) : 0;
    if (read != static_cast<zip_int64_t>(stat.size) || extra != 0) {
      error = "damaged entry " + name + " in the package";
      entries.clear();
      return false;
    }
    unpacked += entry.data.size();
    entries.push_back(std::move(entry));
  }
  return true;
}

bool ReadZipFile(const std::string& path, PackageEntries& entries, std::string& error) {
  entries.clear();
  std::string bytes;
  if (!ReadFileBytes(path, bytes, kMaxPackageBytes, &error)) return false;
  if (!ReadZipBytes(bytes, entries, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

bool WriteZipBytes(const PackageEntries& entries, std::string& zip, std::string& error,
                   std::optional<std::time_t> fixedTime) {
  zip.clear();
  zip_error_t zipError;
  zip_error_init(&zipError);
  zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &zipError);
  if (!target) {
    error = "cannot create a package: " + ErrorText(&zipError);
    zip_error_fini(&zipError);
    return false;
  }
  // Kept past zip_close, which would otherwise free it with the archive.
  zip_source_keep(target);
  zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &zipError);
  if (!archive) {
    error = "cannot create a package: " + ErrorText(&zipError);
    zip_error_fini(&zipError);
    zip_source_free(target);
    zip_source_free(target);
    return false;
  }
  zip_error_fini(&zipError);

  bool ok = true;
  for (const PackageEntry& entry : entries) {
    zip_source_t* data = zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
    zip_int64_t index = data ? zip_file_add(archive, entry.name.c_str(), data, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      if (data) zip_source_free(data);
      error = "cannot add " + entry.name + " to the package: " + zip_strerror(archive);
      ok = false;
      break;
    }
    auto at = static_cast<zip_uint64_t>(index);
    if (zip_set_file_compression(archive, at, ZIP_CM_DEFLATE, 0) != 0 ||
        (fixedTime && zip_file_set_mtime(archive, at, *fixedTime, 0) != 0)) {
      error = "cannot set up " + entry.name + " in the package: " + zip_strerror(archive);
      ok = false;
      break;
    }
  }
  if (!ok) {
    zip_discard(archive);
    zip_source_free(target);
    return false;
  }
  if (zip_close(archive) != 0) {
    error = std::string("cannot pack the package: ") + zip_strerror(archive);
    zip_discard(archive);
    zip_source_free(target);
    return false;
  }

  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_open(target) != 0) {
    error = "cannot read the packed package back";
    zip_source_free(target);
    return false;
  }
  if (zip_source_stat(target, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
    zip.resize(static_cast<std::size_t>(stat.size));
    zip_int64_t read = zip.empty() ? 0 : zip_source_read(target, zip.data(), stat.size);
    ok = read == static_cast<zip_int64_t>(stat.size);
  } else {
    ok = false;
  }
  zip_source_close(target);
  zip_source_free(target);
  if (!ok) {
    zip.clear();
    error = "cannot read the packed package back";
  }
  return ok;
}

const PackageEntry* FindEntry(const PackageEntries& entries, std::string_view name) {
  for (const PackageEntry& entry : entries)
    if (entry.name == name) return &entry;
  return nullptr;
}

PackageEntry* FindEntry(PackageEntries& entries, std::string_view name) {
  for (PackageEntry& entry : entries)
    if (entry.name == name) return &entry;
  return nullptr;
}

}  // namespace quorvel
