// The print mode's speed: composing the example project (target under 5 ms),
// a large synthetic one (20 000 nodes, 200 layers, 50 000 table rows; under
// 200 ms) and one with long result files (1 000 searched circles, 200 slices
// of 2 000 time steps; under 500 ms), drawing one preview page at 1000 x 1400 pixels with its
// frames (under 16 ms), and the example report to PDF (under 1 s).
//   build/release/bin/report_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/KavletComposer.h"
#include "report/ReportComposition.h"
#include "report/ReportPageDrawing.h"
#include "report/ReportPdf.h"

namespace {

using namespace quorvel;

const std::string kForms = std::string(QUORVEL_PRNFILES) + "/";

void LoadExample(CPrintProject& project) {
  if (LoadProject(std::string(QUORVEL_EXAMPLES) + "/project/project.txt", project.Project).Status !=
      ProjectLoadStatus::kLoaded)
    std::abort();
}

// Every item selected, the geometry and tables of a large project.
void FillLarge(CPrintProject& project) {
  LoadExample(project);
  project.Project.Print.Items.assign(58, true);
  auto& nodes = project.Project.Nodes.Nodes;
  nodes.clear();
  for (int i = 0; i < 20000; ++i) nodes.push_back({i % 1000 + 0.125, i / 1000 + 0.5});
  auto& layers = project.Project.Layers.Layers;
  layers.assign(200, clsGdLayer());
  for (int l = 0; l < 200; ++l)
    for (int k = 0; k < 100; ++k) layers[static_cast<std::size_t>(l)].BoundaryNodes.push_back(l * 100 + k + 1);
  // 50 000 table rows: time histories of the seven graphs.
  for (auto& graph : project.Project.Graphs) {
    graph.Series.assign(1, GdGraphSeries{"series", {}});
    graph.Series[0].Points.assign(50000 / 7, GdPoint{1.0, 0.5});
  }
}

// The example with long result files written beside a copy of its hand-off
// file: 1 000 searched circles and 200 slices of 2 000 time steps.
void FillLongResults(CPrintProject& project) {
  LoadExample(project);
  project.Project.Print.Items.assign(58, true);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quorvel-report-bench";
  std::filesystem::create_directories(folder);
  project.Project.Folder = folder.string();
  {
    std::ofstream search(folder / "search.txt", std::ios::binary);
    search << "[SearchDetail]\r\n[Table] 1000\r\n";
    for (int i = 0; i < 1000; ++i)
      search << 20 + i % 40 << ".000000," << 15 + i / 40 * 0.2 << ",12.000000," << 1 + i * 0.001 << ",0.120000\r\n";
  }
  {
    std::ofstream slices(folder / "slices.txt", std::ios::binary);
    slices << "[SliceQuantCol] 200 2000 0.01\r\n";
    for (int s = 1; s <= 200; ++s) {
      slices << "[SliceQuant] " << s << "\r\ntime(s),D,DA(%),phi(deg),sv(kN/m{^2}),tau(kN/m{^2})\r\n[Table] 2000\r\n";
      for (int t = 0; t < 2000; ++t)
        slices << t * 0.01 << ',' << t * 0.0005 << ',' << t * 0.001 << ',' << 35 - t * 0.002 << ",90.5,24.25\r\n";
    }
  }
  project.Project.ResultFiles[clsGdProject::kResultSearch] = "search.txt";
  project.Project.ResultFiles[clsGdProject::kResultSlices] = "slices.txt";
}

template <class Composer>
int Compose(CPrintProject& project, Composer& composer) {
  composer.BeginPrinting();
  project.Attach(&composer);
  ComposeReport(project, kForms);
  const int pages = composer.PageCount();
  composer.EndPrinting();
  project.Attach(nullptr);
  return pages;
}

// The example project, or the large one of FillLarge.
void BM_Compose(benchmark::State& state, void (*fill)(CPrintProject&)) {
  CPrintProject project;
  fill(project);
  for (auto _ : state) {
    KavletComposition composer;
    state.counters["pages"] = Compose(project, composer);
  }
}
BENCHMARK_CAPTURE(BM_Compose, Example, LoadExample)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Compose, Large, FillLarge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Compose, LongResults, FillLongResults)->Unit(benchmark::kMillisecond);

void BM_DrawPreviewPage(benchmark::State& state) {
  CPrintProject project;
  LoadExample(project);
  CKavletComposer composer;
  composer.BeginPrinting();
  project.Attach(&composer);
  ComposeReport(project, kForms);
  for (auto _ : state) benchmark::DoNotOptimize(RenderReportPage(composer, 1, project, QSize(1000, 1400)));
}
BENCHMARK(BM_DrawPreviewPage)->Unit(benchmark::kMillisecond);

void BM_ExampleToPdf(benchmark::State& state) {
  CPrintProject project;
  LoadExample(project);
  const std::string path = "/tmp/quorvel-report-bench.pdf";
  for (auto _ : state) {
    if (!WriteReportPdf(project, kForms, path).written) state.SkipWithError("no PDF");
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_ExampleToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
