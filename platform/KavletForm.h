#pragma once
// A page-form file (.kvf) read into memory: numbered blocks, each a fixed
// number of 280-twip lines high, holding texts, fields, rules, boxes and graph
// frames. Plain standard C++ so the parser can be fuzzed; the composer draws it.
// The format is documented in resources/PrnFiles/README.md.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

enum class KvfFont { Gothic, Mincho };
enum class KvfAlign { Left, Center, Right };

// Options of one element; sizes and widths in twips.
struct KvfStyle {
  KvfFont font = KvfFont::Gothic;
  int size = 200;  // font height
  bool bold = false;
  KvfAlign align = KvfAlign::Left;
  int width = 0;                      // text box width for alignment and clipping; 0: to the body's right edge
  int pen = 15;                       // rule and box line width
  std::optional<std::uint32_t> fill;  // RRGGBB
  std::string name;                   // the field's name, shared with the Word template
};

enum class KvfElementKind { Text, Field, HLine, VLine, Box, Graph };

// x from the body's left edge, y from the block's top, in twips.
struct KvfElement {
  KvfElementKind kind = KvfElementKind::Text;
  int slot = 0;               // Field, Graph: the field-table slot (a graph frame's name is that slot's value)
  int x = 0, y = 0;           // Text, Field: anchor; HLine: (x1, y); VLine: (x, y1); Box, Graph: top-left
  int x2 = 0, y2 = 0;         // HLine: x2; VLine: y2
  int width = 0, height = 0;  // Box, Graph
  std::string text;           // Text: the literal text ({^…} and {_…} mark super- and subscripts)
  KvfStyle style;
  int line = 0;  // line of the form file, for messages
};

struct KvfBlock {
  int number = 0;
  int lines = 1;          // height in lines of 280 twips
  std::string title;      // the quoted description after the line count
  std::string wordBlock;  // word=: the Word building block standing for this block; empty when none
  std::vector<KvfElement> elements;
};

struct KvfForm {
  std::string title;
  std::vector<KvfBlock> blocks;
  // The block with this number, or nullptr.
  const KvfBlock* Block(int number) const;
};

// Parses the text of a form file. On failure returns false and sets `error`
// to "file:line: message" (`fileName` as given); `form` is then unspecified.
bool ParseKvf(std::string_view text, const std::string& fileName, KvfForm& form, std::string& error);

// Reads and parses a form file from disk (UTF-8). A file that cannot be read
// fails with "file: cannot open".
bool LoadKvfFile(const std::string& path, KvfForm& form, std::string& error);

}  // namespace quorvel
