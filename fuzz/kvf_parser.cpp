// libFuzzer target: the form-file parser on any bytes. Build with the "fuzz"
// preset, then run it seeded with the shipped form files:
//   mkdir -p corpus && cp resources/PrnFiles/*.kvf corpus/
//   build/fuzz/bin/kvf_parser_fuzz -max_len=8192 -dict=fuzz/kvf.dict corpus/
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/KavletForm.h"

namespace {

// What a parsed form promises the composer: unique block numbers, heights of
// 1 to 50 lines, every element inside its block and every slot in the table.
bool Sound(const quorvel::KvfForm& form) {
  using quorvel::KvfElementKind;
  for (std::size_t i = 0; i < form.blocks.size(); ++i) {
    const quorvel::KvfBlock& block = form.blocks[i];
    if (block.lines < 1 || block.lines > 50) return false;
    for (std::size_t k = 0; k < i; ++k) {
      if (form.blocks[k].number == block.number) return false;
    }
    if (form.Block(block.number) != &form.blocks[i]) return false;
    const long long height = 280LL * block.lines;
    for (const quorvel::KvfElement& e : block.elements) {
      if (e.slot < 0 || e.slot > 999 || e.x < 0 || e.y < 0) return false;
      switch (e.kind) {
        case KvfElementKind::Text:
        case KvfElementKind::Field:
          if (e.x > 9638 || e.y + static_cast<long long>(e.style.size) > height || e.style.size <= 0) return false;
          if (e.style.width < 0 || e.x + static_cast<long long>(e.style.width) > 9638) return false;
          break;
        case KvfElementKind::HLine:
          if (e.x >= e.x2 || e.x2 > 9638 || e.y > height) return false;
          break;
        case KvfElementKind::VLine:
          if (e.x > 9638 || e.y >= e.y2 || e.y2 > height) return false;
          break;
        case KvfElementKind::Box:
        case KvfElementKind::Graph:
          if (e.width <= 0 || e.height <= 0) return false;
          if (e.x + static_cast<long long>(e.width) > 9638 || e.y + static_cast<long long>(e.height) > height) {
            return false;
          }
          break;
      }
      if (e.style.pen <= 0 || (e.style.fill && *e.style.fill > 0xFFFFFF)) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  quorvel::KvfForm form;
  std::string error;
  if (quorvel::ParseKvf(text, "fuzz.kvf", form, error)) {
    if (!error.empty() || !Sound(form)) __builtin_trap();
    return 0;
  }
  // A failure names the file and a line that exists (line 1 for an empty file).
  if (error.rfind("fuzz.kvf:", 0) != 0) __builtin_trap();
  std::size_t lines = 1;
  for (char c : text) lines += c == '\n';
  std::size_t colon = error.find(':', 9);
  if (colon == std::string::npos || colon == 9) __builtin_trap();
  std::size_t line = std::stoul(error.substr(9, colon - 9));
  if (line < 1 || line > lines || error.size() <= colon + 2) __builtin_trap();
  return 0;
}
