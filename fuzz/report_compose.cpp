// libFuzzer target: the project-to-pages path on any bytes. Whatever the
// project reader makes of the input (a full project or the part read before
// a failure) is composed on the shipped form files; the composition must
// finish without a single problem recorded by the composer (no overflow, no
// missing block, no call out of order) and keep the pager's page rule.
// Build with the "fuzz" preset, then run it seeded with the example project:
//   mkdir -p corpus && cp examples/project/project.txt corpus/
//   build/fuzz/bin/report_compose_fuzz -max_len=65536 -rss_limit_mb=1024 corpus/
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "report/ReportComposition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  quorvel::RecordReader in;
  if (!in.OpenBytes(bytes)) return 0;
  quorvel::CPrintProject project;
  project.Project.Read(in);
  quorvel::KavletComposition composer;
  composer.BeginPrinting();
  project.Attach(&composer);
  const quorvel::CompositionResult result = quorvel::ComposeReport(project, QUORVEL_PRNFILES "/");
  if (!result.formsFound || !composer.Problems().empty()) __builtin_trap();
  for (int page = 1; page <= composer.PageCount(); ++page)
    if (composer.Page(page)->lines > quorvel::kavlet::kPageLines) __builtin_trap();
  return 0;
}
