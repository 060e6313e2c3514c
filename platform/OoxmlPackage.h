#pragma once
// Office Open XML package rules the document writer and its tests share:
// namespaces, relationship files, part names, content types, and a check of a
// whole package. Standard C++ over pugixml.
#include <string>
#include <string_view>
#include <vector>

#include "platform/ZipPackage.h"

namespace pugi {
class xml_document;
}

namespace quorvel::ooxml {

inline constexpr const char* kWordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
inline constexpr const char* kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kWordDrawingNamespace =
    "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
inline constexpr const char* kPackageRelationshipsNamespace =
    "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kContentTypesNamespace = "http://schemas.openxmlformats.org/package/2006/content-types";

inline constexpr const char* kOfficeDocumentType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kGlossaryDocumentType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/glossaryDocument";
inline constexpr const char* kImageType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";

inline constexpr const char* kMacroEnabledMainType = "application/vnd.ms-word.document.macroEnabled.main+xml";
inline constexpr const char* kDocumentMainType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";

inline constexpr const char* kContentTypesPart = "[Content_Types].xml";
inline constexpr const char* kPackageRelationshipsPart = "_rels/.rels";

// Options every part is parsed with: whitespace-only text that is an
// element's only child is kept (a `w:t` holding one space is a space).
unsigned ParseOptions();

// A part's XML as stored: a standalone UTF-8 declaration, then the tree
// without added whitespace.
std::string SerializePart(const pugi::xml_document& document);
// Parses `xml` and serializes it again (comments and layout whitespace go);
// false with the parser's message and byte offset when it does not parse.
bool CompactPart(std::string_view xml, std::string& compact, std::string& error);

// The relationship part of a part: "word/document.xml" ->
// "word/_rels/document.xml.rels"; the package itself ("") -> "_rels/.rels".
std::string RelationshipsPartOf(std::string_view part);

// The part a relationship target names, seen from `sourcePart` ("" for the
// package): relative to the source's folder, or absolute with a leading "/";
// "." and ".." resolved. Empty when the target climbs out of the package.
std::string ResolveTarget(std::string_view sourcePart, std::string_view target);

// Whether a part is XML that must parse (".xml" and ".rels").
bool IsXmlPart(std::string_view part);

// One relationship as a relationship part states it.
struct Relationship {
  std::string id;
  std::string type;
  std::string target;
  bool external = false;
};
// The relationships of `part` in `entries` (none when it has no relationship part
// or that part does not parse).
std::vector<Relationship> RelationshipsOf(const PackageEntries& entries, std::string_view part);

// Checks a whole package and returns one line per problem (empty: sound):
// every part parses, has a content type, and every content-type override names
// an existing part; every internal relationship target exists; relationship ids
// are unique in their part and every relationship id used in a part resolves;
// `wp:docPr` ids are unique across the package.
std::vector<std::string> CheckPackage(const PackageEntries& entries);
std::vector<std::string> CheckPackageFile(const std::string& path);

}  // namespace quorvel::ooxml
