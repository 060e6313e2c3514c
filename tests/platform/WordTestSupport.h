#pragma once
// Shared by the Word-output tests: the packed template, a small PNG, reading
// parts back, and the save that every test document goes through.
#include <string>
#include <string_view>
#include <vector>

#include "platform/WordDocumentWriter.h"
#include "platform/ZipPackage.h"

namespace quorvel::test {

// PrnFiles/Drevia.docm as the build packed it.
std::string TemplatePath();
// A 4 x 3 pixel RGB PNG.
std::string SmallPng();

// One part of a saved package; empty when the package or the part is missing.
std::string ReadPart(const std::string& packagePath, std::string_view part);
// The content of the last content control tagged `tag` in `xml` (between
// <w:sdtContent> and </w:sdtContent>); empty when there is none.
std::string ControlContent(const std::string& xml, std::string_view tag);

// Saves, expects success, and runs the package check on the written file
// (failures are reported as test failures naming the problem).
void SaveChecked(WordDocumentWriter& writer, const std::string& path);

// Runs a shell command; its exit status.
int RunCommand(const std::string& command);

}  // namespace quorvel::test
