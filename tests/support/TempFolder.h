#pragma once
// A fresh folder under /tmp for one test, removed with everything in it.
#include <string>
#include <string_view>

namespace quorvel::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending in '/'.
  const std::string& Path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + std::string(name); }

  void WriteBytes(std::string_view name, std::string_view bytes) const;
  std::string ReadBytes(std::string_view name) const;  // empty when missing
  bool Exists(std::string_view name) const;

 private:
  std::string path_;
};

}  // namespace quorvel::test
