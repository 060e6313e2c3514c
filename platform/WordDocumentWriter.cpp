#include "platform/WordDocumentWriter.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <iterator>
#include <map>
#include <set>

#include "host/HostTextFile.h"
#include "platform/OoxmlPackage.h"
#include "platform/ZipPackage.h"

namespace quorvel {
namespace {

// A report's tables stay far below this; a wild row index must not clone rows
// until memory runs out.
constexpr int kMaxTableRows = 100000;
// EMU per twip: 914400 per inch over 1440 twips per inch.
constexpr long long kEmuPerTwip = 635;
constexpr int kTwipsPerPixel = 15;       // 96 dpi
constexpr int kMaxPictureTwips = 31680;  // 22 inches, Word's largest page side

bool Named(pugi::xml_node node, const char* name) { return std::strcmp(node.name(), name) == 0; }

pugi::xml_node FirstDescendant(pugi::xml_node node, const char* name) {
  return node.find_node([name](pugi::xml_node n) { return Named(n, name); });
}

std::string TagOf(pugi::xml_node control) { return control.child("w:sdtPr").child("w:tag").attribute("w:val").value(); }

// The content controls tagged `tag` in `node` and below (`tag` empty: all), in document order.
void CollectControls(pugi::xml_node node, std::string_view tag, std::vector<pugi::xml_node>& found) {
  if (Named(node, "w:sdt") && (tag.empty() || TagOf(node) == tag)) found.push_back(node);
  for (pugi::xml_node child : node.children())
    if (child.type() == pugi::node_element) CollectControls(child, tag, found);
}

std::vector<pugi::xml_node> Controls(const std::vector<pugi::xml_node>& nodes, std::string_view tag) {
  std::vector<pugi::xml_node> found;
  for (pugi::xml_node node : nodes) CollectControls(node, tag, found);
  return found;
}

// Whether an attribute of `node` or below lies in the relationships namespace:
// such an id would point into the glossary's own relationships, which the
// document does not have.
bool HoldsRelationshipId(pugi::xml_node node, std::string& which) {
  for (pugi::xml_attribute attribute : node.attributes()) {
    std::string_view name = attribute.name();
    std::size_t colon = name.find(':');
    if (colon == std::string_view::npos || name.substr(0, colon) == "xmlns") continue;
    std::string declaration = "xmlns:" + std::string(name.substr(0, colon));
    for (pugi::xml_node scope = node; scope; scope = scope.parent()) {
      pugi::xml_attribute declared = scope.attribute(declaration.c_str());
      if (!declared) continue;
      if (std::strcmp(declared.value(), ooxml::kRelationshipsNamespace) == 0) {
        which = std::string(name) + "=\"" + attribute.value() + "\"";
        return true;
      }
      break;
    }
  }
  for (pugi::xml_node child : node.children())
    if (child.type() == pugi::node_element && HoldsRelationshipId(child, which)) return true;
  return false;
}

bool Parse(const PackageEntries& entries, std::string_view name, pugi::xml_document& document) {
  const PackageEntry* entry = FindEntry(entries, name);
  return entry &&
         document.load_buffer(entry->data.data(), entry->data.size(), ooxml::ParseOptions(), pugi::encoding_utf8);
}

enum class Script { Normal, Superscript, Subscript };
struct Piece {
  std::string text;
  Script script = Script::Normal;
};

// "{^…}" and "{_…}" mark raised and lowered text; a brace without its closing
// partner is plain text.
std::vector<Piece> SplitMarkup(std::string_view text) {
  std::vector<Piece> pieces;
  std::string plain;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '{' && i + 1 < text.size() && (text[i + 1] == '^' || text[i + 1] == '_')) {
      std::size_t close = text.find('}', i + 2);
      if (close != std::string_view::npos) {
        if (!plain.empty()) pieces.push_back({std::move(plain), Script::Normal});
        plain.clear();
        pieces.push_back({std::string(text.substr(i + 2, close - i - 2)),
                          text[i + 1] == '^' ? Script::Superscript : Script::Subscript});
        i = close + 1;
        continue;
      }
    }
    plain += text[i++];
  }
  if (!plain.empty() || pieces.empty()) pieces.push_back({std::move(plain), Script::Normal});
  return pieces;
}

// w:vertAlign has its place in the run properties' fixed order: before these.
void SetVerticalAlignment(pugi::xml_node properties, const char* value) {
  properties.remove_child("w:vertAlign");
  static const char* const kLater[] = {"w:rtl",        "w:cs",    "w:em",       "w:lang", "w:eastAsianLayout",
                                       "w:specVanish", "w:oMath", "w:rPrChange"};
  pugi::xml_node before;
  for (pugi::xml_node child : properties.children()) {
    if (std::any_of(std::begin(kLater), std::end(kLater), [&](const char* n) { return Named(child, n); })) {
      before = child;
      break;
    }
  }
  pugi::xml_node align =
      before ? properties.insert_child_before("w:vertAlign", before) : properties.append_child("w:vertAlign");
  align.append_attribute("w:val") = value;
}

void AppendText(pugi::xml_node run, const std::string& text) {
  pugi::xml_node node = run.append_child("w:t");
  if (text.front() == ' ' || text.back() == ' ' || text.find("  ") != std::string::npos)
    node.append_attribute("xml:space") = "preserve";
  node.text().set(text.c_str());
}

// Appends the runs for `text` to `parent`, each with a copy of `properties`
// (may be empty): one run per markup piece, "\n" as w:br, "\t" as w:tab.
void AppendRuns(pugi::xml_node parent, pugi::xml_node properties, std::string_view text) {
  for (const Piece& piece : SplitMarkup(text)) {
    pugi::xml_node run = parent.append_child("w:r");
    if (properties || piece.script != Script::Normal) {
      pugi::xml_node copy = properties ? run.append_copy(properties) : run.append_child("w:rPr");
      if (piece.script != Script::Normal)
        SetVerticalAlignment(copy, piece.script == Script::Superscript ? "superscript" : "subscript");
    }
    std::string pending;
    for (char c : piece.text) {
      if (c == '\n' || c == '\t') {
        if (!pending.empty()) AppendText(run, pending);
        pending.clear();
        run.append_child(c == '\n' ? "w:br" : "w:tab");
      } else if (c != '\r') {
        pending += c;
      }
    }
    if (!pending.empty()) AppendText(run, pending);
  }
}

// Empties a content control for new runs and returns the node they go into:
// the first paragraph for a control around paragraphs or a cell, else the
// control's content itself. `properties` receives the first run's properties.
pugi::xml_node ClearControl(pugi::xml_node control, pugi::xml_document& holder, pugi::xml_node& properties) {
  control.child("w:sdtPr").remove_child("w:showingPlcHdr");
  pugi::xml_node content = control.child("w:sdtContent");
  if (!content) content = control.append_child("w:sdtContent");
  pugi::xml_node firstRun = FirstDescendant(content, "w:r");
  properties = firstRun && firstRun.child("w:rPr") ? holder.append_copy(firstRun.child("w:rPr")) : pugi::xml_node();

  pugi::xml_node paragraph = FirstDescendant(content, "w:p");
  pugi::xml_node target = paragraph ? paragraph : content;
  if (paragraph) {
    while (pugi::xml_node next = paragraph.next_sibling()) paragraph.parent().remove_child(next);
  }
  for (pugi::xml_node child = target.first_child(); child;) {
    pugi::xml_node next = child.next_sibling();
    if (!Named(child, "w:pPr")) target.remove_child(child);
    child = next;
  }
  return target;
}

void FillControl(pugi::xml_node control, std::string_view text) {
  pugi::xml_document holder;
  pugi::xml_node properties;
  pugi::xml_node target = ClearControl(control, holder, properties);
  AppendRuns(target, properties, text);
}

// Width and height in pixels from a PNG's header; false when it is no PNG.
bool PngSize(const std::string& png, std::uint32_t& width, std::uint32_t& height) {
  static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 33 || std::memcmp(png.data(), kSignature, 8) != 0 || png.compare(12, 4, "IHDR") != 0) return false;
  auto big = [&png](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(png[at + i]);
    return value;
  };
  width = big(16);
  height = big(20);
  return width > 0 && height > 0;
}

std::string EndingLower(const std::string& path, std::size_t count) {
  std::string end = path.size() >= count ? path.substr(path.size() - count) : path;
  for (char& c : end)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return end;
}

constexpr const char* kStylesType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
// A contents page takes this many entries, as on the printed contents pages.
constexpr std::size_t kContentsEntriesPerPage = 31;

int PageBreaksIn(pugi::xml_node node) {
  return static_cast<int>(node.select_nodes("descendant-or-self::w:br[@w:type='page']").size());
}

std::string ParagraphText(pugi::xml_node paragraph) {
  std::string text;
  for (pugi::xpath_node found : paragraph.select_nodes(".//w:t | .//w:tab")) {
    if (Named(found.node(), "w:tab"))
      text += ' ';
    else
      text += found.node().text().get();
  }
  return text;
}

// The heading levels a contents field takes: its \o "from-to" switch, 1 to 9 without one.
std::pair<int, int> ContentsLevels(const std::string& instruction) {
  std::size_t at = instruction.find("\\o");
  if (at == std::string::npos) return {1, 9};
  std::size_t quote = instruction.find('"', at);
  int from = 1, to = 9;
  if (quote != std::string::npos && std::sscanf(instruction.c_str() + quote + 1, "%d-%d", &from, &to) != 2)
    return {1, 9};
  return {from, to};
}

// Writes the entries of each contents field (TOC) into its result: the
// headings of the body with the page they fall on, counting the page breaks
// the report placed. Word recounts them when it opens the document (the field
// is marked dirty); readers that do not update fields show these.
void FillContents(pugi::xml_node body, const std::map<std::string, int>& outlineLevels) {
  for (pugi::xpath_node found : body.select_nodes("w:p/w:r/w:instrText")) {
    std::string instruction = found.node().text().get();
    std::size_t first = instruction.find_first_not_of(' ');
    if (first == std::string::npos || instruction.compare(first, 4, "TOC ") != 0) continue;
    pugi::xml_node paragraph = found.node().parent().parent();
    pugi::xml_node separate, end;
    for (pugi::xml_node run = found.node().parent().next_sibling(); run; run = run.next_sibling()) {
      std::string_view type = run.child("w:fldChar").attribute("w:fldCharType").value();
      if (type == "separate" && !separate) separate = run;
      if (type == "end" && separate) {
        end = run;
        break;
      }
    }
    if (!end) continue;

    struct Entry {
      int level;
      std::string text;
      int page;
    };
    std::vector<Entry> entries;
    auto [from, to] = ContentsLevels(instruction);
    int page = 1;
    bool afterContents = false;
    std::size_t entriesBefore = 0;
    for (pugi::xml_node node : body.children()) {
      if (node == paragraph) afterContents = true;
      if (Named(node, "w:p") && node != paragraph) {
        auto level = outlineLevels.find(node.child("w:pPr").child("w:pStyle").attribute("w:val").value());
        if (level != outlineLevels.end() && level->second >= from && level->second <= to) {
          entries.push_back({level->second, ParagraphText(node), page});
          if (!afterContents) ++entriesBefore;
        }
      }
      page += PageBreaksIn(node);
    }
    if (entries.empty()) continue;
    // The contents' own extra pages push every later heading back.
    int extraPages = static_cast<int>((entries.size() - 1) / kContentsEntriesPerPage);
    for (std::size_t i = entriesBefore; i < entries.size(); ++i) entries[i].page += extraPages;

    while (separate.next_sibling() != end) paragraph.remove_child(separate.next_sibling());
    pugi::xml_document holder;
    pugi::xml_node endRun = holder.append_copy(end);
    paragraph.remove_child(end);
    pugi::xml_node current = paragraph;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (i > 0) current = body.insert_child_after("w:p", current);
      pugi::xml_node properties = current.child("w:pPr") ? current.child("w:pPr") : current.prepend_child("w:pPr");
      pugi::xml_node style =
          properties.child("w:pStyle") ? properties.child("w:pStyle") : properties.prepend_child("w:pStyle");
      if (!style.attribute("w:val")) style.append_attribute("w:val");
      style.attribute("w:val").set_value(("TOC" + std::to_string(entries[i].level)).c_str());
      if (i > 0 && i % kContentsEntriesPerPage == 0)
        current.append_child("w:r").append_child("w:br").append_attribute("w:type") = "page";
      AppendRuns(current, pugi::xml_node(), entries[i].text);
      current.append_child("w:r").append_child("w:tab");
      AppendRuns(current, pugi::xml_node(), std::to_string(entries[i].page));
    }
    current.append_copy(endRun);
  }
}
}  // namespace

struct WordDocumentWriter::State {
  PackageEntries entries;  // the template's parts, in its order
  std::string mainPart;
  pugi::xml_document main;
  pugi::xml_document mainRelationships;
  pugi::xml_document contentTypes;
  pugi::xml_document glossary;
  pugi::xml_node body;
  pugi::xml_node sectionProperties;                            // the body's final w:sectPr, before which blocks go
  std::vector<std::pair<std::string, pugi::xml_node>> blocks;  // name -> w:docPartBody, glossary order
  std::map<std::string, int> outlineLevels;                    // paragraph style id -> outline level from 1

  std::string lastBlockName;
  std::vector<pugi::xml_node> lastBlock;  // the appended top-level nodes

  bool tablePrepared = false;
  pugi::xml_node table;
  pugi::xml_node templateRow;
  std::vector<pugi::xml_node> rows;

  PackageEntries media;
  std::set<std::string> relationshipIds;
  long long nextDrawingId = 1;

  pugi::xml_node Block(std::string_view name) const {
    for (const auto& [blockName, node] : blocks)
      if (blockName == name) return node;
    return {};
  }

  // Ends the table being filled: the template row goes, unless it is the
  // table's only row (a table needs one), in which case it is emptied.
  void FinishTable() {
    if (!tablePrepared) return;
    tablePrepared = false;
    auto rowRange = table.children("w:tr");
    if (std::distance(rowRange.begin(), rowRange.end()) > 1) {
      table.remove_child(templateRow);
    } else {
      for (pugi::xml_node control : Controls({templateRow}, "")) FillControl(control, "");
    }
    table = templateRow = {};
    rows.clear();
  }
};

WordDocumentWriter::WordDocumentWriter() = default;
WordDocumentWriter::~WordDocumentWriter() = default;

void WordDocumentWriter::Problem(std::string text) { problems_.push_back(std::move(text)); }

bool WordDocumentWriter::OpenTemplate(const std::string& path, bool /*flag*/) {
  Close();
  problems_.clear();
  auto state = std::make_unique<State>();
  std::string error;
  if (!ReadZipFile(path, state->entries, error)) {
    Problem("template: " + error);
    return false;
  }
  auto fail = [&](const std::string& why) {
    Problem("template " + path + ": " + why);
    return false;
  };
  if (!Parse(state->entries, ooxml::kContentTypesPart, state->contentTypes) || !state->contentTypes.child("Types"))
    return fail("no content types");
  for (const ooxml::Relationship& relationship : ooxml::RelationshipsOf(state->entries, ""))
    if (relationship.type == ooxml::kOfficeDocumentType)
      state->mainPart = ooxml::ResolveTarget("", relationship.target);
  if (state->mainPart.empty() || !Parse(state->entries, state->mainPart, state->main))
    return fail("no main document part");
  state->body = state->main.child("w:document").child("w:body");
  if (!state->body) return fail("the main document has no body");
  if (Named(state->body.last_child(), "w:sectPr")) state->sectionProperties = state->body.last_child();

  std::string relationshipsPart = ooxml::RelationshipsPartOf(state->mainPart);
  if (!Parse(state->entries, relationshipsPart, state->mainRelationships) ||
      !state->mainRelationships.child("Relationships"))
    return fail("no relationships of the main document");
  std::string glossaryPart;
  for (pugi::xml_node node : state->mainRelationships.child("Relationships").children("Relationship")) {
    state->relationshipIds.insert(node.attribute("Id").value());
    if (std::string_view(node.attribute("Type").value()) == ooxml::kGlossaryDocumentType)
      glossaryPart = ooxml::ResolveTarget(state->mainPart, node.attribute("Target").value());
  }
  for (pugi::xml_node node : state->mainRelationships.child("Relationships").children("Relationship")) {
    if (std::string_view(node.attribute("Type").value()) != kStylesType) continue;
    pugi::xml_document styles;
    if (!Parse(state->entries, ooxml::ResolveTarget(state->mainPart, node.attribute("Target").value()), styles))
      continue;
    for (pugi::xml_node style : styles.child("w:styles").children("w:style")) {
      pugi::xml_attribute level = style.child("w:pPr").child("w:outlineLvl").attribute("w:val");
      if (level) state->outlineLevels[style.attribute("w:styleId").value()] = level.as_int() + 1;
    }
  }
  if (glossaryPart.empty() || !Parse(state->entries, glossaryPart, state->glossary))
    return fail("no glossary of building blocks");
  for (pugi::xml_node part : state->glossary.child("w:glossaryDocument").child("w:docParts").children("w:docPart")) {
    std::string name = part.child("w:docPartPr").child("w:name").attribute("w:val").value();
    pugi::xml_node body = part.child("w:docPartBody");
    if (name.empty() || !body) continue;
    if (state->Block(name)) {
      Problem("template: building block \"" + name + "\" stored twice; the first is used");
      continue;
    }
    std::string which;
    if (HoldsRelationshipId(body, which))
      Problem("template: building block \"" + name + "\" holds a relationship id (" + which + ")");
    state->blocks.emplace_back(name, body);
  }
  if (state->blocks.empty()) return fail("no building blocks in the glossary");

  // Drawings need the usual prefixes on the main part; ids continue after the template's.
  pugi::xml_node root = state->main.child("w:document");
  if (!root.attribute("xmlns:r")) root.append_attribute("xmlns:r") = ooxml::kRelationshipsNamespace;
  if (!root.attribute("xmlns:wp")) root.append_attribute("xmlns:wp") = ooxml::kWordDrawingNamespace;
  for (pugi::xml_document* document : {&state->main, &state->glossary}) {
    for (pugi::xpath_node found : document->select_nodes("//wp:docPr")) {
      long long id = found.node().attribute("id").as_llong();
      state->nextDrawingId = std::max(state->nextDrawingId, id + 1);
    }
  }
  state_ = std::move(state);
  return true;
}

bool WordDocumentWriter::AppendBlock(std::string_view name) {
  if (!state_) {
    Problem("block \"" + std::string(name) + "\": no template open");
    return false;
  }
  state_->FinishTable();
  state_->lastBlock.clear();
  state_->lastBlockName = name;
  pugi::xml_node source = state_->Block(name);
  if (!source) {
    Problem("block \"" + std::string(name) + "\" is not in the template");
    return false;
  }
  std::string which;
  if (HoldsRelationshipId(source, which)) {
    Problem("block \"" + std::string(name) + "\" left out: it holds a relationship id (" + which + ")");
    return false;
  }
  for (pugi::xml_node child : source.children()) {
    if (child.type() != pugi::node_element || Named(child, "w:sectPr")) continue;
    pugi::xml_node copy = state_->sectionProperties ? state_->body.insert_copy_before(child, state_->sectionProperties)
                                                    : state_->body.append_copy(child);
    for (pugi::xpath_node drawing : copy.select_nodes("descendant-or-self::wp:docPr"))
      drawing.node().attribute("id").set_value(state_->nextDrawingId++);
    state_->lastBlock.push_back(copy);
  }
  return true;
}

bool WordDocumentWriter::SetField(std::string_view name, std::string_view text) {
  if (!state_ || state_->lastBlock.empty()) {
    Problem("field \"" + std::string(name) + "\": no block to fill");
    return false;
  }
  std::vector<pugi::xml_node> controls = Controls(state_->lastBlock, name);
  if (controls.empty()) {
    Problem("field \"" + std::string(name) + "\" is not in block \"" + state_->lastBlockName + "\"");
    return false;
  }
  for (pugi::xml_node control : controls) FillControl(control, text);
  return true;
}

bool WordDocumentWriter::SetTableCell(std::string_view column, int row, std::string_view text) {
  if (!state_ || state_->lastBlock.empty()) {
    Problem("table cell \"" + std::string(column) + "\": no block to fill");
    return false;
  }
  State& s = *state_;
  if (column == "all" && row == -1) {
    s.FinishTable();
    pugi::xml_node table;
    for (pugi::xml_node node : s.lastBlock)
      for (pugi::xpath_node found : node.select_nodes("descendant-or-self::w:tbl")) table = found.node();
    pugi::xml_node templateRow = table ? table.last_child() : pugi::xml_node();
    while (templateRow && !Named(templateRow, "w:tr")) templateRow = templateRow.previous_sibling();
    if (!templateRow) {
      Problem("block \"" + s.lastBlockName + "\" has no table to fill");
      return false;
    }
    s.table = table;
    s.templateRow = templateRow;
    s.tablePrepared = true;
    return true;
  }
  std::string where =
      "cell \"" + std::string(column) + "\" row " + std::to_string(row) + " of block \"" + s.lastBlockName + "\"";
  if (!s.tablePrepared) {
    Problem(where + ": the table was not prepared");
    return false;
  }
  if (row < 0 || row >= kMaxTableRows) {
    Problem(where + ": row out of range");
    return false;
  }
  auto index = static_cast<std::size_t>(row);
  if (index >= s.rows.size() && Controls({s.templateRow}, column).empty()) {
    Problem(where + ": no such column");
    return false;
  }
  while (s.rows.size() <= index) s.rows.push_back(s.table.insert_copy_before(s.templateRow, s.templateRow));
  std::vector<pugi::xml_node> controls = Controls({s.rows[index]}, column);
  if (controls.empty()) {
    Problem(where + ": no such column");
    return false;
  }
  for (pugi::xml_node control : controls) FillControl(control, text);
  return true;
}

bool WordDocumentWriter::InsertPicture(std::string_view place, const WordPicture& picture) {
  std::string where = "picture \"" + std::string(place) + "\"";
  if (!state_ || state_->lastBlock.empty()) {
    Problem(where + ": no block to fill");
    return false;
  }
  State& s = *state_;
  std::uint32_t pixelsWide = 0, pixelsHigh = 0;
  if (!PngSize(picture.png, pixelsWide, pixelsHigh)) {
    Problem(where + ": not a PNG image");
    return false;
  }
  long long wide = picture.widthTwips > 0 ? picture.widthTwips : static_cast<long long>(pixelsWide) * kTwipsPerPixel;
  long long high = picture.heightTwips > 0 ? picture.heightTwips : static_cast<long long>(pixelsHigh) * kTwipsPerPixel;
  if (wide > kMaxPictureTwips || high > kMaxPictureTwips) {
    Problem(where + ": larger than a page");
    return false;
  }
  std::vector<pugi::xml_node> controls = Controls(s.lastBlock, place);
  if (controls.empty()) {
    Problem(where + " has no place in block \"" + s.lastBlockName + "\"");
    return false;
  }

  std::string mediaName;
  for (int n = 1; mediaName.empty(); ++n) {
    std::string candidate = "word/media/image" + std::to_string(n) + ".png";
    if (!FindEntry(s.entries, candidate) && !FindEntry(s.media, candidate)) mediaName = candidate;
  }
  std::string id;
  for (std::size_t n = s.relationshipIds.size() + 1; id.empty(); ++n)
    if (!s.relationshipIds.count("rId" + std::to_string(n))) id = "rId" + std::to_string(n);
  s.relationshipIds.insert(id);
  s.media.push_back({mediaName, picture.png});
  pugi::xml_node relationship = s.mainRelationships.child("Relationships").append_child("Relationship");
  relationship.append_attribute("Id") = id.c_str();
  relationship.append_attribute("Type") = ooxml::kImageType;
  relationship.append_attribute("Target") = mediaName.substr(mediaName.find('/') + 1).c_str();

  pugi::xml_node types = s.contentTypes.child("Types");
  bool hasPng = false;
  for (pugi::xml_node node : types.children("Default"))
    if (EndingLower(node.attribute("Extension").value(), 3) == "png") hasPng = true;
  if (!hasPng) {
    pugi::xml_node node = types.prepend_child("Default");
    node.append_attribute("Extension") = "png";
    node.append_attribute("ContentType") = "image/png";
  }

  std::string cx = std::to_string(wide * kEmuPerTwip), cy = std::to_string(high * kEmuPerTwip);
  long long drawingId = s.nextDrawingId++;
  std::string fileName = mediaName.substr(mediaName.rfind('/') + 1);
  pugi::xml_document drawing;
  pugi::xml_node run = drawing.append_child("w:r");
  pugi::xml_node inline_ = run.append_child("w:drawing").append_child("wp:inline");
  for (const char* side : {"distT", "distB", "distL", "distR"}) inline_.append_attribute(side) = "0";
  pugi::xml_node extent = inline_.append_child("wp:extent");
  extent.append_attribute("cx") = cx.c_str();
  extent.append_attribute("cy") = cy.c_str();
  pugi::xml_node effect = inline_.append_child("wp:effectExtent");
  for (const char* side : {"l", "t", "r", "b"}) effect.append_attribute(side) = "0";
  pugi::xml_node docPr = inline_.append_child("wp:docPr");
  docPr.append_attribute("id") = drawingId;
  docPr.append_attribute("name") = ("Picture " + std::to_string(drawingId)).c_str();
  docPr.append_attribute("descr") = std::string(place).c_str();
  pugi::xml_node locks = inline_.append_child("wp:cNvGraphicFramePr").append_child("a:graphicFrameLocks");
  locks.append_attribute("xmlns:a") = "http://schemas.openxmlformats.org/drawingml/2006/main";
  locks.append_attribute("noChangeAspect") = "1";
  pugi::xml_node graphic = inline_.append_child("a:graphic");
  graphic.append_attribute("xmlns:a") = "http://schemas.openxmlformats.org/drawingml/2006/main";
  pugi::xml_node data = graphic.append_child("a:graphicData");
  data.append_attribute("uri") = "http://schemas.openxmlformats.org/drawingml/2006/picture";
  pugi::xml_node pic = data.append_child("pic:pic");
  pic.append_attribute("xmlns:pic") = "http://schemas.openxmlformats.org/drawingml/2006/picture";
  pugi::xml_node nonVisual = pic.append_child("pic:nvPicPr");
  pugi::xml_node name = nonVisual.append_child("pic:cNvPr");
  name.append_attribute("id") = "0";
  name.append_attribute("name") = fileName.c_str();
  nonVisual.append_child("pic:cNvPicPr");
  pugi::xml_node fill = pic.append_child("pic:blipFill");
  fill.append_child("a:blip").append_attribute("r:embed") = id.c_str();
  fill.append_child("a:stretch").append_child("a:fillRect");
  pugi::xml_node shape = pic.append_child("pic:spPr");
  pugi::xml_node transform = shape.append_child("a:xfrm");
  pugi::xml_node offset = transform.append_child("a:off");
  offset.append_attribute("x") = "0";
  offset.append_attribute("y") = "0";
  pugi::xml_node size = transform.append_child("a:ext");
  size.append_attribute("cx") = cx.c_str();
  size.append_attribute("cy") = cy.c_str();
  pugi::xml_node geometry = shape.append_child("a:prstGeom");
  geometry.append_attribute("prst") = "rect";
  geometry.append_child("a:avLst");

  // One picture per place: a second control of the same tag would repeat the drawing id.
  pugi::xml_document holder;
  pugi::xml_node properties;
  pugi::xml_node target = ClearControl(controls.front(), holder, properties);
  target.append_copy(run);
  return true;
}

int WordDocumentWriter::Save(const std::string& path) {
  if (!state_) {
    Problem("save " + path + ": no template open");
    return 0;
  }
  State& s = *state_;
  s.FinishTable();

  pugi::xml_document main;
  main.reset(s.main);
  std::vector<pugi::xml_node> controls;
  CollectControls(main.document_element(), "", controls);
  for (pugi::xml_node control : controls) {
    pugi::xml_node parent = control.parent();
    pugi::xml_node content = control.child("w:sdtContent");
    while (content && content.first_child()) parent.insert_move_before(content.first_child(), control);
    parent.remove_child(control);
  }
  FillContents(main.child("w:document").child("w:body"), s.outlineLevels);
  pugi::xml_document relationships;
  relationships.reset(s.mainRelationships);
  pugi::xml_node list = relationships.child("Relationships");
  for (pugi::xml_node node = list.first_child(); node;) {
    pugi::xml_node next = node.next_sibling();
    if (std::string_view(node.attribute("Type").value()) == ooxml::kGlossaryDocumentType) list.remove_child(node);
    node = next;
  }

  // Every part with its bytes as saved; then only what the package still reaches is kept.
  std::string relationshipsPart = ooxml::RelationshipsPartOf(s.mainPart);
  PackageEntries parts;
  for (const PackageEntry& entry : s.entries) {
    if (entry.name == s.mainPart)
      parts.push_back({entry.name, ooxml::SerializePart(main)});
    else if (entry.name == relationshipsPart)
      parts.push_back({entry.name, ooxml::SerializePart(relationships)});
    else
      parts.push_back(entry);
  }
  parts.insert(parts.end(), s.media.begin(), s.media.end());

  std::set<std::string> reached{ooxml::kContentTypesPart, ooxml::kPackageRelationshipsPart};
  std::deque<std::string> pending{""};
  while (!pending.empty()) {
    std::string source = pending.front();
    pending.pop_front();
    for (const ooxml::Relationship& relationship : ooxml::RelationshipsOf(parts, source)) {
      if (relationship.external) continue;
      std::string target = ooxml::ResolveTarget(source, relationship.target);
      if (!target.empty() && reached.insert(target).second) {
        reached.insert(ooxml::RelationshipsPartOf(target));
        pending.push_back(target);
      }
    }
  }

  pugi::xml_document types;
  types.reset(s.contentTypes);
  pugi::xml_node typeList = types.child("Types");
  bool docx = EndingLower(path, 5) == ".docx";
  bool typed = false;
  for (pugi::xml_node node = typeList.first_child(); node;) {
    pugi::xml_node next = node.next_sibling();
    if (Named(node, "Override")) {
      std::string part = node.attribute("PartName").value();
      if (!part.empty() && part[0] == '/') part.erase(0, 1);
      if (part == s.mainPart) {
        node.attribute("ContentType").set_value(docx ? ooxml::kDocumentMainType : ooxml::kMacroEnabledMainType);
        typed = true;
      } else if (!reached.count(part)) {
        typeList.remove_child(node);
      }
    }
    node = next;
  }
  if (!typed) {
    pugi::xml_node node = typeList.append_child("Override");
    node.append_attribute("PartName") = ("/" + s.mainPart).c_str();
    node.append_attribute("ContentType") = docx ? ooxml::kDocumentMainType : ooxml::kMacroEnabledMainType;
  }

  PackageEntries output{{ooxml::kContentTypesPart, ooxml::SerializePart(types)}};
  for (PackageEntry& part : parts)
    if (part.name != ooxml::kContentTypesPart && reached.count(part.name)) output.push_back(std::move(part));

  std::string zip, error;
  if (!WriteZipBytes(output, zip, error) || !ReplaceFileAtomically(path, zip, &error)) {
    Problem("save: " + error);
    return 0;
  }
  return 1;
}

void WordDocumentWriter::Close() { state_.reset(); }

std::vector<std::string> WordDocumentWriter::BlockNames() const {
  std::vector<std::string> names;
  if (state_)
    for (const auto& [name, body] : state_->blocks) names.push_back(name);
  return names;
}

std::vector<std::string> WordDocumentWriter::BlockTags(std::string_view block) const {
  std::vector<std::string> tags;
  pugi::xml_node body = state_ ? state_->Block(block) : pugi::xml_node();
  if (body)
    for (pugi::xml_node control : Controls({body}, "")) tags.push_back(TagOf(control));
  return tags;
}

std::string WordDocumentWriter::DocumentXml() const {
  return state_ ? ooxml::SerializePart(state_->main) : std::string();
}

}  // namespace quorvel
