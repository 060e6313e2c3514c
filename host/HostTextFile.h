#pragma once
// Text files shared with the host: CP932 (Shift-JIS with the Microsoft
// extensions) on disk, UTF-8 inside the program; CR LF written, CR LF or LF
// read. A host file is replaced atomically so the host never sees a
// half-written answer.
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// CP932 <-> UTF-8. Both fail (return false, `error` says where) on bytes the
// other side cannot represent; nothing is substituted, so a text that did not
// convert is never written back in altered form.
bool Cp932ToUtf8(std::string_view cp932, std::string& utf8, std::string* error = nullptr);
bool Utf8ToCp932(std::string_view utf8, std::string& cp932, std::string* error = nullptr);

// Reads a whole host file and hands out its lines without their ends.
// A file with bytes that are not CP932 (or with NUL bytes) does not open:
// its text would otherwise come back altered in the answer.
class HostTextReader {
 public:
  // Largest file accepted; the host's files are far smaller.
  static constexpr std::size_t kMaxFileBytes = 256u * 1024u * 1024u;

  bool Open(const std::string& path);
  // Decodes already loaded bytes (for tests and for files read elsewhere).
  bool OpenBytes(std::string_view bytes);

  // Next line without its end; past the end an empty line.
  std::string ReadLine();
  bool AtEnd() const { return next_ >= lines_.size(); }
  // Number (from 1) of the line the last ReadLine returned; 0 before any.
  std::size_t LineNumber() const { return next_; }
  std::size_t LineCount() const { return lines_.size(); }
  std::size_t LinesLeft() const { return lines_.size() - next_; }
  // Goes back to the first line.
  void Rewind() { next_ = 0; }
  const std::string& Error() const { return error_; }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  std::string error_;
};

// Splits decoded text into lines at LF, dropping a CR before it. A last line
// without a line end is kept; an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// Collects the lines of a host file and writes them in one go.
class HostTextWriter {
 public:
  void WriteLine(std::string_view utf8);  // text + CR LF
  void Write(std::string_view utf8);      // text as is ("\n" becomes CR LF)
  const std::string& Text() const { return text_; }

  // Converts to CP932 with CR LF line ends, writes a temporary file beside
  // `path`, flushes it and renames it over `path`. On any failure the target is
  // untouched, no temporary file is left, and `error` says why.
  bool Commit(const std::string& path, std::string* error = nullptr) const;

 private:
  std::string text_;
};

// Writes `bytes` to `path` through a temporary file in the same folder
// (flushed, then renamed over the target). Returns false and leaves the target
// untouched on failure.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Reads a whole file as bytes; false when it cannot be opened or exceeds `maxBytes`.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes, std::string* error = nullptr);

}  // namespace quorvel
