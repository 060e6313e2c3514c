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
  static const char kPng[] =
      "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x04\x00\x00\x00\x03\x08"
      "\x02\x00\x00\x00\x3b\x96\x39\x91\x00\x00\x00\x15\x49\x44\x41\x54\x78\x9c\x63\xf8\xcf\xc0\xc0\xd0\x00"
      "\xc4\xff\xff\x03\x59\x38\x39\x00\xf9\xcc\x0d\x75\x3e\xb9\xb4\x66\x00\x00\x00\x00\x49\x45\x4e\x44\xae"
      "\x42\x60\x82";
  return std::string(kPng, sizeof kPng - 1);
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
