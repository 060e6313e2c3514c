#include "host/HostTextFile.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace quorvel {
namespace {

// Converts with iconv; on an invalid or unconvertible sequence reports the
// byte offset and fails.
bool Convert(const char* to, const char* from, std::string_view input, std::string& output, std::string* error) {
  output.clear();
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    if (error) *error = std::string("no converter from ") + from + " to " + to;
    return false;
  }
  std::string in(input);
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  std::string buffer(input.size() * 2 + 16, '\0');
  bool ok = true;
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    output.append(buffer.data(), static_cast<std::size_t>(outPtr - buffer.data()));
    if (result == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      ok = false;
      if (error) {
        *error = std::string("text is not valid ") + from + " at byte " +
                 std::to_string(static_cast<std::size_t>(inPtr - in.data()));
      }
      break;
    }
  }
  iconv_close(cd);
  if (!ok) output.clear();
  return ok;
}

std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out.push_back('\r');
    out.push_back(text[i]);
  }
  return out;
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

bool Cp932ToUtf8(std::string_view cp932, std::string& utf8, std::string* error) {
  return Convert("UTF-8", "CP932", cp932, utf8, error);
}

bool Utf8ToCp932(std::string_view utf8, std::string& cp932, std::string* error) {
  return Convert("CP932", "UTF-8", utf8, cp932, error);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    std::size_t stop = end == std::string_view::npos ? text.size() : end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text.substr(start, stop - start));
    start = next;
  }
  return lines;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes, std::string* error) {
  bytes.clear();
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    if (error) *error = "cannot open " + path;
    return false;
  }
  file.seekg(0, std::ios::end);
  std::streamoff size = file.tellg();
  if (size < 0 || static_cast<unsigned long long>(size) > maxBytes) {
    if (error) *error = path + " is too large or unreadable";
    return false;
  }
  file.seekg(0, std::ios::beg);
  bytes.resize(static_cast<std::size_t>(size));
  if (size > 0 && !file.read(bytes.data(), size)) {
    if (error) *error = "cannot read " + path;
    bytes.clear();
    return false;
  }
  return true;
}

bool HostTextReader::Open(const std::string& path) {
  lines_.clear();
  next_ = 0;
  error_.clear();
  std::string bytes;
  if (!ReadFileBytes(path, bytes, kMaxFileBytes, &error_)) return false;
  if (!OpenBytes(bytes)) {
    error_ = path + ": " + error_;
    return false;
  }
  return true;
}

bool HostTextReader::OpenBytes(std::string_view bytes) {
  lines_.clear();
  next_ = 0;
  error_.clear();
  std::size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) {
    error_ = "NUL byte at byte " + std::to_string(nul) + ": not a text file";
    return false;
  }
  std::string text;
  if (!Cp932ToUtf8(bytes, text, &error_)) return false;
  lines_ = SplitLines(text);
  return true;
}

std::string HostTextReader::ReadLine() {
  if (AtEnd()) return {};
  return lines_[next_++];
}

void HostTextWriter::WriteLine(std::string_view utf8) {
  text_.append(utf8);
  text_.append("\r\n");
}

void HostTextWriter::Write(std::string_view utf8) { text_.append(utf8); }

bool HostTextWriter::Commit(const std::string& path, std::string* error) const {
  std::string cp932;
  if (!Utf8ToCp932(WithCrLf(text_), cp932, error)) return false;
  return ReplaceFileAtomically(path, cp932, error);
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  std::string pattern = FolderOf(path) + "/.quorvel-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) {
    if (error) *error = "cannot create a file beside " + path + ": " + std::strerror(errno);
    return false;
  }
  bool ok = true;
  std::size_t written = 0;
  while (ok && written < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      written += static_cast<std::size_t>(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  // Host files are plain user files: the usual permissions, not mkstemp's 0600.
  if (ok) {
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, static_cast<mode_t>(0666 & ~mask));
  }
  if (::close(fd) != 0) ok = false;
  if (ok && std::rename(name.data(), path.c_str()) != 0) ok = false;
  if (!ok) {
    if (error) *error = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(name.data());
  }
  return ok;
}

}  // namespace quorvel
