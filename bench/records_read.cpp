// Reading a large print-mode project: decoding the CP932 bytes, cutting lines
// and filling every record. Target: under 150 ms median for 20 000 nodes,
// 200 layers and 50 000 table rows.
//   build/<dir>/bin/records_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <string>

#include "records/GdProject.h"

namespace {

using quorvel::clsGdProject;
using quorvel::RecordReader;

void Line(std::string& out, const std::string& text) {
  out += text;
  out += "\r\n";
}

// A valid project in the host's layout (ASCII, so its CP932 bytes equal its text).
std::string LargeProject(int nodes, int layers, int tableRows) {
  std::string out;
  out.reserve(8u << 20);
  Line(out, "ToPrint");
  Line(out, "bench");
  Line(out, "0");
  Line(out, "[Print] 58");
  for (int i = 0; i < 58; ++i) Line(out, "item" + std::to_string(i) + ",1");
  Line(out, "end");
  for (int i = 0; i < 10; ++i) Line(out, "text " + std::to_string(i));
  Line(out, "[ProjectSetting]");
  Line(out, "title");
  Line(out, "Large project");
  for (int i = 0; i < 5; ++i) {
    Line(out, "caption");
    Line(out, std::to_string(i));
  }
  Line(out, "[NodeCol] " + std::to_string(nodes));
  for (int i = 0; i < nodes; ++i) Line(out, std::to_string(i % 1000) + ".125," + std::to_string(i / 1000) + ".5");
  Line(out, "[LayerCol] " + std::to_string(layers));
  const int perLayer = nodes / layers;
  for (int l = 0; l < layers; ++l) {
    Line(out, "[Layer] " + std::to_string(l % 3 + 1));
    std::string boundary;
    for (int k = 0; k < perLayer; ++k) boundary += (k ? "," : "") + std::to_string(l * perLayer + k + 1);
    Line(out, boundary);
  }
  Line(out, "[SoilCol] 3");
  for (int s = 0; s < 3; ++s) {
    Line(out, "[Soil]1");
    Line(out, "soil " + std::to_string(s));
    Line(out, "18.0,19.0,30.0,10.0,25.0,2.0,0.33,40000.0");
    Line(out, "True");
  }
  Line(out, "[WaterLevel] 2");
  Line(out, "9.81");
  Line(out, "0,7");
  Line(out, "60,7.5");
  Line(out, "[Surface]1");
  const char* surface[] = {"True", "1 2 3",       "1 3",  "10",       "8",  "12",
                           "True", "24 16 44 30", "6 24", "34 22 14", "30", "2"};
  for (const char* value : surface) {
    Line(out, "caption");
    Line(out, value);
  }
  Line(out, "0.5");
  Line(out, "[Never] 0");
  Line(out, "[DamageBCol] " + std::to_string(layers));
  for (int l = 0; l < layers; ++l) {
    Line(out, "[DamageB]");
    Line(out, "0.9 0.6 0.5");
    Line(out, "1");
  }
  Line(out, "end");
  Line(out, "[SdParamCol] " + std::to_string(layers));
  const int rowsPerLayer = tableRows / layers;
  for (int l = 0; l < layers; ++l) {
    Line(out, "[SdParameter]1");
    Line(out, "rand_ok");
    Line(out, "5");
    Line(out, "1.0E-6");
    Line(out, "[Table] " + std::to_string(rowsPerLayer));
    for (int r = 0; r < rowsPerLayer; ++r)
      Line(out, std::to_string(r) + ".015625," + std::to_string(30 + r % 7) + ".25");
    Line(out, "[Table] 5");
    for (int r = 0; r < 5; ++r) Line(out, "0.5,0.0,5.0");
    Line(out, "[Table] 7");
    for (int r = 0; r < 7; ++r) Line(out, "1.25");
    Line(out, "30.0");
    Line(out, "0");
  }
  Line(out, "[DamageACol] 0");
  Line(out, "[SrnParamCol] 0");
  Line(out, "[Dynpath]");
  const char* dynpath[] = {"True", "wave.csv", "0.01", "2000", "512", "468", "1", "1", "1", "3", "10", "END"};
  for (const char* value : dynpath) {
    Line(out, "caption");
    Line(out, value);
  }
  Line(out, "[ComputeSetting]");
  for (const char* value : {"2", "0", "1.5", "0.1", "0", "20"}) Line(out, value);
  Line(out, "[ZeroCross]");
  const char* zero[] = {"True", "10", "0.001", "2", "0.0001", "100", "5", "3", "2", "bandpass"};
  for (const char* value : zero) {
    Line(out, "caption");
    Line(out, value);
  }
  Line(out, "4096");
  Line(out, "0.1 0.2 10 12");
  Line(out, "end");
  Line(out, "[SlipCol] 7");
  Line(out, "total");
  Line(out, "1248");
  Line(out, "effective");
  Line(out, "1116");
  for (int s = 0; s < 7; ++s) {
    Line(out, "[Slip]");
    Line(out, std::to_string(s));
    Line(out, "34 22 14");
    Line(out, "1.2 0.13 5000 4000");
    for (int k = 0; k < 4; ++k) Line(out, "1.1 1.2 1.3");
    Line(out, "0.25");
  }
  Line(out, "[AnalysisResult]");
  for (int i = 0; i < 7; ++i) Line(out, "result" + std::to_string(i) + ".txt");
  Line(out, "True");
  Line(out, "5");
  Line(out, "3");
  for (int g = 0; g < 7; ++g) {
    Line(out, "[GraphData]");
    Line(out, "graph");
    Line(out, "axis");
    Line(out, "1.5");
    Line(out, "6.2");
    Line(out, "1");
    Line(out, "series");
    Line(out, "121");
    for (int p = 0; p < 121; ++p) Line(out, std::to_string(p) + ".5,0.25");
    Line(out, "0.1");
  }
  Line(out, "[ConterCol] 0 0");
  Line(out, "[NodeCol] 0");
  Line(out, "[LayerColor] " + std::to_string(layers));
  for (int l = 0; l < layers; ++l) Line(out, std::to_string(12632256 + l));
  return out;
}

void BM_ReadLargeProject(benchmark::State& state) {
  const std::string bytes = LargeProject(20000, 200, 50000);
  std::size_t nodes = 0;
  for (auto _ : state) {
    RecordReader in;
    clsGdProject project;
    if (!in.OpenBytes(bytes) || !project.Read(in)) {
      state.SkipWithError(project.Error().Message().c_str());
      return;
    }
    nodes = project.Nodes.Nodes.size();
    benchmark::DoNotOptimize(project);
  }
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadLargeProject)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
