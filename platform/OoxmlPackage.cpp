#include "platform/OoxmlPackage.h"

#include <pugixml.hpp>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace quorvel::ooxml {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

bool Parse(const PackageEntry& entry, pugi::xml_document& document) {
  return document.load_buffer(entry.data.data(), entry.data.size(), ParseOptions(), pugi::encoding_utf8);
}

std::string_view PrefixOf(std::string_view qualified) {
  std::size_t colon = qualified.find(':');
  return colon == std::string_view::npos ? std::string_view() : qualified.substr(0, colon);
}

std::string_view LocalNameOf(std::string_view qualified) {
  std::size_t colon = qualified.find(':');
  return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

// Walks the elements under `root` with the namespace declarations in force.
// `visit` gets the element, its namespace and a resolver for attribute prefixes.
using PrefixMap = std::vector<std::pair<std::string, std::string>>;
using Resolver = std::function<std::string(std::string_view prefix)>;

void WalkNamespaces(pugi::xml_node element, PrefixMap& scope,
                    const std::function<void(pugi::xml_node, const std::string&, const Resolver&)>& visit) {
  std::size_t mark = scope.size();
  for (pugi::xml_attribute attribute : element.attributes()) {
    std::string_view name = attribute.name();
    if (name == "xmlns")
      scope.emplace_back("", attribute.value());
    else if (name.substr(0, 6) == "xmlns:")
      scope.emplace_back(std::string(name.substr(6)), attribute.value());
  }
  Resolver resolve = [&scope](std::string_view prefix) -> std::string {
    for (auto it = scope.rbegin(); it != scope.rend(); ++it)
      if (it->first == prefix) return it->second;
    return {};
  };
  visit(element, resolve(PrefixOf(element.name())), resolve);
  for (pugi::xml_node child : element.children())
    if (child.type() == pugi::node_element) WalkNamespaces(child, scope, visit);
  scope.resize(mark);
}

class ContentTypes {
 public:
  explicit ContentTypes(const pugi::xml_document& document) {
    pugi::xml_node types = document.child("Types");
    for (pugi::xml_node node : types.children("Default"))
      defaults_[Lower(node.attribute("Extension").value())] = node.attribute("ContentType").value();
    for (pugi::xml_node node : types.children("Override")) {
      std::string part = node.attribute("PartName").value();
      overrides_[Lower(part.substr(part.empty() || part[0] != '/' ? 0 : 1))] = node.attribute("ContentType").value();
    }
  }
  std::string Of(std::string_view part) const {
    auto override = overrides_.find(Lower(part));
    if (override != overrides_.end()) return override->second;
    std::size_t dot = part.rfind('.');
    std::size_t slash = part.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    auto found = defaults_.find(Lower(part.substr(dot + 1)));
    return found == defaults_.end() ? std::string() : found->second;
  }
  const std::map<std::string, std::string>& Overrides() const { return overrides_; }

 private:
  std::map<std::string, std::string> defaults_;
  std::map<std::string, std::string> overrides_;
};

}  // namespace

unsigned ParseOptions() { return pugi::parse_default | pugi::parse_ws_pcdata_single; }

std::string SerializePart(const pugi::xml_document& document) {
  struct Appender : pugi::xml_writer {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
    void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
  } out;
  document.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return std::move(out.text);
}

bool CompactPart(std::string_view xml, std::string& compact, std::string& error) {
  pugi::xml_document document;
  pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size(), ParseOptions(), pugi::encoding_utf8);
  if (!parsed) {
    error = std::string(parsed.description()) + " at byte " + std::to_string(parsed.offset);
    return false;
  }
  compact = SerializePart(document);
  return true;
}

std::string RelationshipsPartOf(std::string_view part) {
  if (part.empty()) return kPackageRelationshipsPart;
  std::size_t slash = part.rfind('/');
  std::string folder = slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
  std::string name(slash == std::string_view::npos ? part : part.substr(slash + 1));
  return folder + "_rels/" + name + ".rels";
}

std::string ResolveTarget(std::string_view sourcePart, std::string_view target) {
  std::vector<std::string> segments;
  auto push = [&segments](std::string_view path) -> bool {
    std::size_t start = 0;
    while (start <= path.size()) {
      std::size_t end = path.find('/', start);
      if (end == std::string_view::npos) end = path.size();
      std::string_view segment = path.substr(start, end - start);
      if (segment == "..") {
        if (segments.empty()) return false;
        segments.pop_back();
      } else if (!segment.empty() && segment != ".") {
        segments.emplace_back(segment);
      }
      start = end + 1;
    }
    return true;
  };
  if (target.empty()) return {};
  if (target[0] != '/') {
    std::size_t slash = sourcePart.rfind('/');
    if (slash != std::string_view::npos && !push(sourcePart.substr(0, slash))) return {};
  }
  if (!push(target)) return {};
  std::string part;
  for (const std::string& segment : segments) part += (part.empty() ? "" : "/") + segment;
  return part;
}

bool IsXmlPart(std::string_view part) {
  std::string lower = Lower(part);
  auto endsWith = [&lower](std::string_view end) {
    return lower.size() >= end.size() && lower.compare(lower.size() - end.size(), end.size(), end) == 0;
  };
  return endsWith(".xml") || endsWith(".rels");
}

std::vector<Relationship> RelationshipsOf(const PackageEntries& entries, std::string_view part) {
  std::vector<Relationship> relationships;
  const PackageEntry* entry = FindEntry(entries, RelationshipsPartOf(part));
  pugi::xml_document document;
  if (!entry || !Parse(*entry, document)) return relationships;
  for (pugi::xml_node node : document.child("Relationships").children("Relationship")) {
    relationships.push_back({node.attribute("Id").value(), node.attribute("Type").value(),
                             node.attribute("Target").value(),
                             std::string_view(node.attribute("TargetMode").value()) == "External"});
  }
  return relationships;
}

std::vector<std::string> CheckPackage(const PackageEntries& entries) {
  std::vector<std::string> problems;
  std::set<std::string> names;
  for (const PackageEntry& entry : entries)
    if (!names.insert(entry.name).second) problems.push_back(entry.name + ": stored twice");

  pugi::xml_document typesDocument;
  const PackageEntry* typesEntry = FindEntry(entries, kContentTypesPart);
  if (!typesEntry || !Parse(*typesEntry, typesDocument) || !typesDocument.child("Types")) {
    problems.push_back(std::string(kContentTypesPart) + ": missing or does not parse");
    return problems;
  }
  ContentTypes types(typesDocument);
  for (const auto& [part, type] : types.Overrides())
    if (std::none_of(entries.begin(), entries.end(), [&](const PackageEntry& e) { return Lower(e.name) == part; }))
      problems.push_back(std::string(kContentTypesPart) + ": override for missing part /" + part);
  if (!FindEntry(entries, kPackageRelationshipsPart)) problems.push_back("_rels/.rels: missing");

  std::map<std::string, std::string> docPrIds;  // id -> part that has it first
  for (const PackageEntry& entry : entries) {
    if (entry.name == kContentTypesPart) continue;
    if (types.Of(entry.name).empty()) problems.push_back(entry.name + ": no content type");
    if (!IsXmlPart(entry.name)) continue;
    pugi::xml_document document;
    pugi::xml_parse_result parsed =
        document.load_buffer(entry.data.data(), entry.data.size(), ParseOptions(), pugi::encoding_utf8);
    if (!parsed) {
      problems.push_back(entry.name + ": does not parse (" + parsed.description() + " at byte " +
                         std::to_string(parsed.offset) + ")");
      continue;
    }

    bool isRelationships = Lower(entry.name).ends_with(".rels");
    if (isRelationships) {
      // "word/_rels/document.xml.rels" belongs to "word/document.xml".
      std::string source;
      std::size_t rels = entry.name.rfind("_rels/");
      if (entry.name != kPackageRelationshipsPart) {
        if (rels == std::string::npos) {
          problems.push_back(entry.name + ": relationship part outside a _rels folder");
          continue;
        }
        source = entry.name.substr(0, rels) + entry.name.substr(rels + 6, entry.name.size() - rels - 6 - 5);
        if (!FindEntry(entries, source)) problems.push_back(entry.name + ": its part " + source + " is missing");
      }
      std::set<std::string> ids;
      for (pugi::xml_node node : document.child("Relationships").children("Relationship")) {
        std::string id = node.attribute("Id").value();
        if (id.empty() || !ids.insert(id).second)
          problems.push_back(entry.name + ": relationship id \"" + id + "\" empty or repeated");
        if (std::string_view(node.attribute("TargetMode").value()) == "External") continue;
        std::string target = ResolveTarget(source, node.attribute("Target").value());
        if (target.empty() || !FindEntry(entries, target))
          problems.push_back(entry.name + ": " + id + " targets missing part \"" + node.attribute("Target").value() +
                             "\"");
      }
      continue;
    }

    std::set<std::string> ids;
    for (const Relationship& relationship : RelationshipsOf(entries, entry.name)) ids.insert(relationship.id);
    PrefixMap scope;
    WalkNamespaces(document.document_element(), scope,
                   [&](pugi::xml_node element, const std::string& space, const Resolver& resolve) {
                     for (pugi::xml_attribute attribute : element.attributes()) {
                       std::string_view prefix = PrefixOf(attribute.name());
                       if (prefix.empty() || prefix == "xmlns" || resolve(prefix) != kRelationshipsNamespace) continue;
                       if (!ids.count(attribute.value()))
                         problems.push_back(entry.name + ": " + attribute.name() + "=\"" + attribute.value() +
                                            "\" names no relationship");
                     }
                     if (space == kWordDrawingNamespace && LocalNameOf(element.name()) == "docPr") {
                       std::string id = element.attribute("id").value();
                       if (!docPrIds.emplace(id, entry.name).second)
                         problems.push_back(entry.name + ": wp:docPr id " + id + " used before");
                     }
                   });
  }
  return problems;
}

std::vector<std::string> CheckPackageFile(const std::string& path) {
  PackageEntries entries;
  std::string error;
  if (!ReadZipFile(path, entries, error)) return {error};
  return CheckPackage(entries);
}

}  // namespace quorvel::ooxml
