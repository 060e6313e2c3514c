// libFuzzer target: the project reader and the slice-file reader on any bytes.
// Build with the "fuzz" preset, then run it seeded with the example project:
//   mkdir -p corpus && cp examples/project/*.txt corpus/
//   build/fuzz/bin/records_fuzz -max_len=65536 -rss_limit_mb=1024 corpus/
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "records/GdProject.h"
#include "records/GdSliceQuant.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  quorvel::RecordReader in;
  if (!in.OpenBytes(bytes)) return 0;
  quorvel::clsGdProject project;
  if (!project.Read(in)) {
    // A failure must point inside the file.
    if (project.Error().Reason.empty() || project.Error().Line > in.LineCount()) __builtin_trap();
  }
  in.Rewind();
  quorvel::clsGdSliceQuant slices;
  slices.Read(in);
  return 0;
}
