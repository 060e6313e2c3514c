#include "WordTestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/OoxmlPackage.h"

namespace quorvel::test {

std::string TemplatePath() { return std::string(QUORVEL_BINARY_DIR) + "/bin/PrnFiles/Drevia.docm"; }

std::string SmallPng() {
  static const unsigned char kPng[] = {0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49,
                                       0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x03, 0x08, 0x02,
                                       0x00, 0x00, 0x00, 0x3b, 0x96, 0x39, 0x91, 0x00, 0x00, 0x00, 0x15, 0x49, 0x44,
                                       0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0xc0, 0xd0, 0x00, 0xc4, 0xff,
                                       0xff, 0x03, 0x59, 0x38, 0x39, 0x00, 0xf9, 0xcc, 0x0d, 0x75, 0x3e, 0xb9, 0xb4,
                                       0x66, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
  return std::string(reinterpret_cast<const char*>(kPng), sizeof kPng);
}

const std::vector<std::string> kExampleTitleTexts = {
    "河川堤防の地震時安定性照査", "レベル2地震動に対する検討", "○○川 右岸 12.4k 地点", "2024年3月",
    "株式会社 地盤解析研究所",    "TEL 03-1234-5678",          "FAX 03-1234-5679"};

::testing::AssertionResult Has(const std::string& text, std::string_view part) {
  if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << part << "\" not in:\n" << text;
}

std::string ReadPart(const std::string& packagePath, std::string_view part) {
  PackageEntries entries;
  std::string error;
  if (!ReadZipFile(packagePath, entries, error)) return {};
  const PackageEntry* entry = FindEntry(entries, part);
  return entry ? entry->data : std::string();
}

std::string ControlContent(const std::string& xml, std::string_view tag) {
  std::string marker = "<w:tag w:val=\"" + std::string(tag) + "\"/></w:sdtPr><w:sdtContent>";
  std::size_t start = xml.rfind(marker);
  if (start == std::string::npos) return {};
  start += marker.size();
  std::size_t end = xml.find("</w:sdtContent>", start);
  return end == std::string::npos ? std::string() : xml.substr(start, end - start);
}

void SaveChecked(WordDocumentWriter& writer, const std::string& path) {
  ASSERT_EQ(writer.Save(path), 1) << (writer.Problems().empty() ? "" : writer.Problems().back());
  for (const std::string& problem : ooxml::CheckPackageFile(path)) ADD_FAILURE() << path << ": " << problem;
}

int RunCommand(const std::string& command) {
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

}  // namespace

std::string CommandOutput(const std::string& command) {
  std::string text;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return text;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
  pclose(pipe);
  return text;
}

std::string ConvertToPdf(const std::string& document, const std::string& workFolder, std::string* log) {
  const std::filesystem::path path(document);
  const std::string logFile = (std::filesystem::path(workFolder) / "soffice.log").string();
  const std::string profile = (std::filesystem::path(workFolder) / "profile").string();
  RunCommand("soffice --headless --norestore -env:UserInstallation=file://" + profile + " --convert-to pdf --outdir " +
             Quoted(path.parent_path().string()) + " " + Quoted(document) + " >" + Quoted(logFile) + " 2>&1");
  if (log != nullptr) {
    std::ifstream in(logFile, std::ios::binary);
    log->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  const std::filesystem::path pdf = std::filesystem::path(path).replace_extension(".pdf");
  return std::filesystem::exists(pdf) ? pdf.string() : std::string();
}

int PdfPages(const std::string& pdf) {
  const std::string info = CommandOutput("pdfinfo " + Quoted(pdf) + " 2>/dev/null");
  const std::size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

std::string PdfText(const std::string& pdf, int first, int last) {
  const std::string range =
      first > 0 ? "-f " + std::to_string(first) + " -l " + std::to_string(last > 0 ? last : first) + " " : "";
  return Squeezed(CommandOutput("pdftotext " + range + Quoted(pdf) + " -"));
}

std::string Squeezed(const std::string& text) {
  static const std::string kIdeographicSpace = "\u3000";
  std::string squeezed;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, kIdeographicSpace.size(), kIdeographicSpace) == 0) {
      i += kIdeographicSpace.size() - 1;
    } else if (text[i] != ' ' && text[i] != '\n' && text[i] != '\f') {
      squeezed += text[i];
    }
  }
  return squeezed;
}

}  // namespace quorvel::test
