#pragma once
// Shared by the Word-output tests: the packed template, a small PNG, reading
// parts back, and the save that every test document goes through.
#include <gtest/gtest.h>

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

// The example project's title page texts, in the order of the title block's fields.
extern const std::vector<std::string> kExampleTitleTexts;

// Whether `text` holds `part`; a failure shows both.
::testing::AssertionResult Has(const std::string& text, std::string_view part);

// One part of a saved package; empty when the package or the part is missing.
std::string ReadPart(const std::string& packagePath, std::string_view part);
// The content of the last content control tagged `tag` in `xml` (between
// <w:sdtContent> and </w:sdtContent>); empty when there is none.
std::string ControlContent(const std::string& xml, std::string_view tag);

// Saves, expects success, and runs the package check on the written file
// (failures are reported as test failures naming the problem).
void SaveChecked(WordDocumentWriter& writer, const std::string& path);

// Runs a shell command; its exit status, or its standard output.
int RunCommand(const std::string& command);
std::string CommandOutput(const std::string& command);

// LibreOffice prints `document` to a PDF beside it, with a profile of its own
// under `workFolder`; the PDF's path, or empty when none was written (with
// soffice's output in `log`). soffice exits with 0 even when it cannot load a
// file, so only the PDF counts.
std::string ConvertToPdf(const std::string& document, const std::string& workFolder, std::string* log = nullptr);
// poppler's page count of `pdf` (-1 when it cannot read it), and its text from
// page `first` to `last` (0: the whole document) without any white space:
// pdftotext spaces and breaks Japanese text where the layout does.
int PdfPages(const std::string& pdf);
std::string PdfText(const std::string& pdf, int first = 0, int last = 0);
// `text` without spaces (ideographic ones too), line and page breaks.
std::string Squeezed(const std::string& text);

}  // namespace quorvel::test
