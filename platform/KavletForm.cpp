#include "platform/KavletForm.h"

#include <charconv>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace quorvel {

namespace {

constexpr int kBodyWidth = 9638;  // twips across the page body
constexpr int kLineHeight = 280;  // twips per line
constexpr int kMaxLines = 50;     // a block never holds more than a page
constexpr int kMaxBlock = 999;
constexpr int kMaxSlot = 999;  // the field table has 1000 slots
constexpr int kMaxPen = kLineHeight;
constexpr std::size_t kQuoteLimit = 40;

struct Token {
  std::string text;
  bool quoted = false;
};

// Thrown inside the parser only; ParseKvf turns it into "file:line: message".
struct ParseError {
  int line;
  std::string message;
};

[[noreturn]] void Fail(int line, std::string message) { throw ParseError{line, std::move(message)}; }

// Length of the UTF-8 sequence at `text[i]`, or 0 when it is not well formed
// (overlong forms, surrogates and code points above U+10FFFF included).
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return length;
}

// Checks one line for well-formed UTF-8 and for control characters (tabs are
// white space), so garbage is named as such and never reaches a message raw.
void CheckCharacters(std::string_view line, int number) {
  for (std::size_t i = 0; i < line.size();) {
    std::size_t length = Utf8Length(line, i);
    if (length == 0) Fail(number, "invalid UTF-8");
    unsigned char c = static_cast<unsigned char>(line[i]);
    if (length == 1 && ((c < 0x20 && c != '\t') || c == 0x7F)) Fail(number, "control character");
    i += length;
  }
}

// A token quoted back in a message, cut at a character boundary when long.
std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  if (text.size() <= kQuoteLimit) {
    quoted.append(text);
  } else {
    std::size_t end = kQuoteLimit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    quoted.append(text.substr(0, end));
    quoted.append("...");
  }
  quoted.append("\"");
  return quoted;
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// Reads a quoted string starting at the opening quote `line[i]`; `\"` and `\\`
// are the only escapes. Leaves `i` after the closing quote.
std::string ReadQuoted(std::string_view line, std::size_t& i, int number) {
  std::string text;
  ++i;
  while (true) {
    if (i >= line.size()) Fail(number, "unterminated quote");
    char c = line[i];
    if (c == '"') {
      ++i;
      return text;
    }
    if (c == '\\') {
      if (i + 1 >= line.size()) Fail(number, "unterminated quote");
      char next = line[i + 1];
      if (next != '"' && next != '\\') {
        Fail(number, "unknown escape " + Quote("\\" + std::string(line.substr(i + 1, Utf8Length(line, i + 1)))));
      }
      text.push_back(next);
      i += 2;
      continue;
    }
    text.push_back(c);
    ++i;
  }
}

// Splits a line into words and quoted strings; `#` outside quotes ends it.
// An option may quote its value (name="a b"): the token is then the bare word.
std::vector<Token> Tokenize(std::string_view line, int number) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && IsSpace(line[i])) ++i;
    if (i >= line.size() || line[i] == '#') return tokens;
    Token token;
    if (line[i] == '"') {
      token.text = ReadQuoted(line, i, number);
      token.quoted = true;
    } else {
      while (i < line.size() && !IsSpace(line[i]) && line[i] != '#') {
        if (line[i] == '"') {
          if (token.text.empty() || token.text.back() != '=') Fail(number, "stray quote in " + Quote(token.text));
          token.text += ReadQuoted(line, i, number);
          break;
        }
        token.text.push_back(line[i++]);
      }
    }
    if (i < line.size() && !IsSpace(line[i]) && line[i] != '#') Fail(number, "no space after the closing quote");
    tokens.push_back(std::move(token));
  }
}

// A decimal integer, optionally negative, nothing else.
std::optional<int> ToInt(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

int Number(const Token& token, int line) {
  std::optional<int> value = token.quoted ? std::nullopt : ToInt(token.text);
  if (!value) Fail(line, "bad number " + Quote(token.text));
  return *value;
}

const char* KindName(KvfElementKind kind) {
  switch (kind) {
    case KvfElementKind::Text:
      return "text";
    case KvfElementKind::Field:
      return "field";
    case KvfElementKind::HLine:
      return "hline";
    case KvfElementKind::VLine:
      return "vline";
    case KvfElementKind::Box:
      return "box";
    case KvfElementKind::Graph:
      return "graph";
  }
  return "element";
}

const char* Usage(KvfElementKind kind) {
  switch (kind) {
    case KvfElementKind::Text:
      return "text expects X Y {options} \"text\"";
    case KvfElementKind::Field:
      return "field expects SLOT X Y {options}";
    case KvfElementKind::HLine:
      return "hline expects X1 X2 Y {options}";
    case KvfElementKind::VLine:
      return "vline expects X Y1 Y2 {options}";
    case KvfElementKind::Box:
      return "box expects X Y W H {options}";
    case KvfElementKind::Graph:
      return "graph expects SLOT X Y W H {options}";
  }
  return "";
}

std::optional<KvfElementKind> ElementKind(std::string_view word) {
  if (word == "text") return KvfElementKind::Text;
  if (word == "field") return KvfElementKind::Field;
  if (word == "hline") return KvfElementKind::HLine;
  if (word == "vline") return KvfElementKind::VLine;
  if (word == "box") return KvfElementKind::Box;
  if (word == "graph") return KvfElementKind::Graph;
  return std::nullopt;
}

std::size_t PositionalCount(KvfElementKind kind) {
  switch (kind) {
    case KvfElementKind::Text:
      return 2;
    case KvfElementKind::Field:
    case KvfElementKind::HLine:
    case KvfElementKind::VLine:
      return 3;
    case KvfElementKind::Box:
      return 4;
    case KvfElementKind::Graph:
      return 5;
  }
  return 0;
}

bool OptionApplies(std::string_view key, KvfElementKind kind) {
  bool textual = kind == KvfElementKind::Text || kind == KvfElementKind::Field;
  bool rule = kind == KvfElementKind::HLine || kind == KvfElementKind::VLine || kind == KvfElementKind::Box;
  if (key == "font" || key == "size" || key == "bold" || key == "align" || key == "width") return textual;
  if (key == "pen") return rule;
  if (key == "fill") return kind == KvfElementKind::Box;
  if (key == "name") return kind == KvfElementKind::Field || kind == KvfElementKind::Graph;
  return false;
}

bool IsOption(std::string_view key) {
  return key == "font" || key == "size" || key == "bold" || key == "align" || key == "width" || key == "pen" ||
         key == "fill" || key == "name";
}

std::optional<std::uint32_t> ToColour(std::string_view text) {
  if (text.size() != 6) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return value;
}

void ApplyOption(const Token& token, KvfElement& element, std::vector<std::string>& seen, int line) {
  std::string_view text = token.text;
  std::size_t equals = text.find('=');
  std::string key(text.substr(0, equals));
  if (!IsOption(key)) Fail(line, "unknown option " + Quote(key));
  if (!OptionApplies(key, element.kind)) {
    Fail(line, "option " + Quote(key) + " does not apply to " + KindName(element.kind));
  }
  for (const std::string& earlier : seen) {
    if (earlier == key) Fail(line, "option " + Quote(key) + " given twice");
  }
  seen.push_back(key);
  if (key == "bold") {
    if (equals != std::string_view::npos) Fail(line, "option \"bold\" takes no value");
    element.style.bold = true;
    return;
  }
  if (equals == std::string_view::npos) Fail(line, "option " + Quote(key) + " needs a value");
  std::string_view value = text.substr(equals + 1);
  auto bad = [&]() { Fail(line, "bad value " + Quote(value) + " for option " + Quote(key)); };
  KvfStyle& style = element.style;
  if (key == "font") {
    if (value == "gothic") {
      style.font = KvfFont::Gothic;
    } else if (value == "mincho") {
      style.font = KvfFont::Mincho;
    } else {
      bad();
    }
  } else if (key == "align") {
    if (value == "left") {
      style.align = KvfAlign::Left;
    } else if (value == "center") {
      style.align = KvfAlign::Center;
    } else if (value == "right") {
      style.align = KvfAlign::Right;
    } else {
      bad();
    }
  } else if (key == "size") {
    std::optional<int> size = ToInt(value);
    if (!size || *size <= 0) bad();
    style.size = *size;
  } else if (key == "width") {
    std::optional<int> width = ToInt(value);
    if (!width || *width < 0) bad();
    style.width = *width;
  } else if (key == "pen") {
    std::optional<int> pen = ToInt(value);
    if (!pen || *pen <= 0 || *pen > kMaxPen) bad();
    style.pen = *pen;
  } else if (key == "fill") {
    std::optional<std::uint32_t> colour = ToColour(value);
    if (!colour) bad();
    style.fill = colour;
  } else if (key == "name") {
    if (value.empty()) bad();
    style.name = std::string(value);
  }
}

// True when the element lies within a block `height` twips high and the
// body's width. Sums are taken in 64 bits: any int may come from the file.
bool Inside(const KvfElement& e, int height) {
  using Wide = long long;
  auto within = [](Wide low, Wide value, Wide high) { return low <= value && value <= high; };
  switch (e.kind) {
    case KvfElementKind::Text:
    case KvfElementKind::Field:
      return within(0, e.x, kBodyWidth) && e.y >= 0 && Wide{e.y} + e.style.size <= height &&
             Wide{e.x} + e.style.width <= kBodyWidth;
    case KvfElementKind::HLine:
      return e.x >= 0 && e.x2 <= kBodyWidth && within(0, e.y, height);
    case KvfElementKind::VLine:
      return within(0, e.x, kBodyWidth) && e.y >= 0 && e.y2 <= height;
    case KvfElementKind::Box:
    case KvfElementKind::Graph:
      return e.x >= 0 && e.y >= 0 && Wide{e.x} + e.width <= kBodyWidth && Wide{e.y} + e.height <= height;
  }
  return false;
}

KvfElement ParseElement(KvfElementKind kind, const std::vector<Token>& tokens, const KvfBlock& block, int line) {
  KvfElement element;
  element.kind = kind;
  element.line = line;
  std::size_t count = PositionalCount(kind);
  if (tokens.size() < 1 + count) Fail(line, Usage(kind));
  std::vector<int> numbers;
  for (std::size_t i = 1; i <= count; ++i) {
    if (tokens[i].quoted ||
        (!tokens[i].text.empty() && tokens[i].text[0] != '-' && (tokens[i].text[0] < '0' || tokens[i].text[0] > '9'))) {
      Fail(line, Usage(kind));
    }
    numbers.push_back(Number(tokens[i], line));
  }
  std::size_t n = 0;
  if (kind == KvfElementKind::Field || kind == KvfElementKind::Graph) {
    element.slot = numbers[n++];
    if (element.slot < 0 || element.slot > kMaxSlot) {
      Fail(line, "slot " + std::to_string(element.slot) + " out of range 0 to " + std::to_string(kMaxSlot));
    }
  }
  switch (kind) {
    case KvfElementKind::HLine:
      element.x = numbers[0], element.x2 = numbers[1], element.y = numbers[2];
      if (element.x >= element.x2) Fail(line, "hline needs X1 < X2");
      break;
    case KvfElementKind::VLine:
      element.x = numbers[0], element.y = numbers[1], element.y2 = numbers[2];
      if (element.y >= element.y2) Fail(line, "vline needs Y1 < Y2");
      break;
    default:
      element.x = numbers[n], element.y = numbers[n + 1];
      if (kind == KvfElementKind::Box || kind == KvfElementKind::Graph) {
        element.width = numbers[n + 2], element.height = numbers[n + 3];
        if (element.width <= 0 || element.height <= 0) {
          Fail(line, std::string(KindName(kind)) + " needs a positive width and height");
        }
      }
      break;
  }
  bool haveText = false;
  std::vector<std::string> seen;
  for (std::size_t i = 1 + count; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    if (haveText) Fail(line, "unexpected " + Quote(token.text) + " after the text");
    if (token.quoted) {
      if (kind != KvfElementKind::Text) Fail(line, "unexpected quoted text " + Quote(token.text));
      element.text = token.text;
      haveText = true;
      continue;
    }
    ApplyOption(token, element, seen, line);
  }
  if (kind == KvfElementKind::Text && !haveText) Fail(line, Usage(kind));
  int height = block.lines * kLineHeight;
  if (!Inside(element, height)) {
    Fail(line, std::string(KindName(kind)) + " lies outside block " + std::to_string(block.number) + " (" +
                   std::to_string(kBodyWidth) + " x " + std::to_string(height) + " twips)");
  }
  return element;
}

KvfBlock ParseBlockHeader(const std::vector<Token>& tokens, const KvfForm& form, const std::vector<int>& blockLines,
                          int line) {
  const char* usage = "block expects N lines L \"title\" word=NAME";
  if (tokens.size() < 4 || tokens[2].quoted || tokens[2].text != "lines") Fail(line, usage);
  KvfBlock block;
  block.number = Number(tokens[1], line);
  if (block.number < 0 || block.number > kMaxBlock) {
    Fail(line, "block number " + std::to_string(block.number) + " out of range 0 to " + std::to_string(kMaxBlock));
  }
  for (std::size_t i = 0; i < form.blocks.size(); ++i) {
    if (form.blocks[i].number == block.number) {
      Fail(line, "duplicate block " + std::to_string(block.number) + " (first on line " +
                     std::to_string(blockLines[i]) + ")");
    }
  }
  block.lines = Number(tokens[3], line);
  if (block.lines < 1 || block.lines > kMaxLines) {
    Fail(line, "block " + std::to_string(block.number) + ": lines must be 1 to " + std::to_string(kMaxLines));
  }
  // Then an optional title and an optional word=NAME, in this order: the
  // Word building block that stands for this block in a Word document.
  std::size_t i = 4;
  if (i < tokens.size() && tokens[i].quoted) block.title = tokens[i++].text;
  if (i < tokens.size()) {
    std::string_view option = tokens[i].text;
    if (tokens[i].quoted) Fail(line, usage);
    if (option.substr(0, 5) != "word=") {
      std::string key(option.substr(0, option.find('=')));
      Fail(line, (key == "word" ? "option \"word\" needs a value" : "unknown option " + Quote(key) + " on a block"));
    }
    if (option.size() == 5) Fail(line, "option \"word\" needs a value");
    block.wordBlock = std::string(option.substr(5));
    ++i;
  }
  if (i < tokens.size()) Fail(line, "unexpected " + Quote(tokens[i].text) + " after the block's options");
  return block;
}

void Parse(std::string_view text, KvfForm& form) {
  form = KvfForm{};
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  bool haveHeader = false, haveTitle = false;
  KvfBlock* open = nullptr;  // the block between "block" and "end"
  std::vector<int> blockLines;
  int number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    CheckCharacters(line, number);
    std::vector<Token> tokens = Tokenize(line, number);
    if (tokens.empty()) continue;
    const Token& head = tokens[0];
    if (head.quoted) Fail(number, "a line must begin with a keyword, not " + Quote(head.text));
    const std::string& word = head.text;
    if (!haveHeader) {
      if (word != "kvf") Fail(number, "missing header \"kvf 1\"");
      if (tokens.size() != 2 || tokens[1].quoted) Fail(number, "header must be \"kvf 1\"");
      if (tokens[1].text != "1") Fail(number, "unsupported version " + Quote(tokens[1].text));
      haveHeader = true;
      continue;
    }
    if (word == "kvf") Fail(number, "header repeated");
    if (word == "end") {
      if (!open) Fail(number, "\"end\" outside a block");
      if (tokens.size() > 1) Fail(number, "unexpected " + Quote(tokens[1].text) + " after \"end\"");
      open = nullptr;
      continue;
    }
    if (word == "form" || word == "block") {
      if (open) {
        Fail(number, Quote(word) + " inside block " + std::to_string(open->number) + " (missing \"end\"?)");
      }
      if (word == "form") {
        if (haveTitle) Fail(number, "form title given twice");
        if (tokens.size() != 2 || !tokens[1].quoted) Fail(number, "form expects a quoted title");
        form.title = tokens[1].text;
        haveTitle = true;
      } else {
        form.blocks.push_back(ParseBlockHeader(tokens, form, blockLines, number));
        blockLines.push_back(number);
        open = &form.blocks.back();
      }
      continue;
    }
    std::optional<KvfElementKind> kind = ElementKind(word);
    if (!kind) Fail(number, "unknown keyword " + Quote(word));
    if (!open) Fail(number, Quote(word) + " outside a block");
    open->elements.push_back(ParseElement(*kind, tokens, *open, number));
  }
  if (!haveHeader) Fail(1, "missing header \"kvf 1\"");
  if (open) Fail(blockLines.back(), "block " + std::to_string(open->number) + " has no \"end\"");
}

}  // namespace

const KvfBlock* KvfForm::Block(int number) const {
  for (const KvfBlock& block : blocks) {
    if (block.number == number) return &block;
  }
  return nullptr;
}

bool ParseKvf(std::string_view text, const std::string& fileName, KvfForm& form, std::string& error) {
  try {
    Parse(text, form);
  } catch (const ParseError& failure) {
    error = fileName + ":" + std::to_string(failure.line) + ": " + failure.message;
    return false;
  }
  error.clear();
  return true;
}

bool LoadKvfFile(const std::string& path, KvfForm& form, std::string& error) {
  std::error_code code;
  // A folder opens as a stream on some systems and reads as empty.
  if (std::filesystem::is_directory(path, code)) {
    error = path + ": cannot open";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot open";
    return false;
  }
  std::ostringstream contents;
  contents << in.rdbuf();
  if (in.bad()) {
    error = path + ": cannot read";
    return false;
  }
  return ParseKvf(contents.str(), path, form, error);
}

}  // namespace quorvel
