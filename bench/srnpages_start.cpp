// Start of the SR-N optimisation page on 10 data sets of 20 points with random
// retry on, 100 trials and a tolerance no fit reaches: 3 passes x 100 trials x
// 10 sets = 3000 fits through "data.txt" and "output.txt" with the real
// engine, headless (offscreen). Three measures:
//   page_start        the page's own Start, as the user's click runs it;
//   run_breakdown     the same run driven directly, timing the engine calls
//                     and the (coalesced) graph paints; the rest is the
//                     exchange files and the run's own work;
//   run_every_repaint the same run painting the graph after every request,
//                     to show what coalescing saves;
//   files_only        an engine stand-in that only writes a fixed answer: the
//                     file protocol and the run without any solving.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "engine/Lunvex.h"
#include "graph/GraphArea.h"
#include "host/EngineCaller.h"
#include "host/ProgramFolder.h"
#include "srn/RepaintThrottle.h"
#include "srn/SrnFormRecord.h"
#include "srn/SrnGraphSeries.h"
#include "srn/SrnOptimizeDlg.h"
#include "srn/SrnOptimizeRun.h"
#include "strain/StrainFormRecord.h"

namespace quorvel {
namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

constexpr int kSets = 10;
constexpr int kPoints = 20;
constexpr int kTrials = 100;
constexpr double kUnreachable = 1e-10;

// Ten DA levels of 20 cyclic test points with scatter (fixed seed).
SrnFormRecord BenchRecord() {
  SrnFormRecord record;
  std::mt19937 scatter(20240601u);
  std::normal_distribution<double> noise(0.0, 0.02);
  for (int s = 0; s < kSets; ++s) {
    CPointDataList set(std::to_string(s + 1));
    const double a = 0.25 + 0.02 * s;
    for (int i = 0; i < kPoints; ++i) {
      const double n = std::pow(10.0, 0.1 + 0.15 * i);
      set.AppendPoint(n, a * std::pow(n, -0.15) + 0.1 + noise(scatter));
    }
    set.Initial = {0.3, 0.2, 0.1};
    set.Minimum = {0.0001, 0.0001, 0.0};
    set.Maximum = {10.0, 5.0, 1.0};
    record.DataSets.Append(std::move(set));
  }
  record.SrnRetry.RandomStartAllowed = 1;
  record.SrnRetry.MaximumTrials = kTrials;
  record.SrnRetry.Tolerance = kUnreachable;
  return record;
}

std::string BenchFolder() {
  static const std::string folder = [] {
    // QUORVEL_BENCH_TMP picks the file system of the exchange files (e.g. /dev/shm).
    const char* base = std::getenv("QUORVEL_BENCH_TMP");
    const std::filesystem::path parent =
        base != nullptr && *base != '\0' ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
    std::string pattern = (parent / "quorvel-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern + "/";
  }();
  return folder;
}

void ReportFits(benchmark::State& state, std::int64_t calls) {
  state.counters["fits"] = static_cast<double>(calls) / static_cast<double>(state.iterations());
}

void BM_PageStart(benchmark::State& state) {
  qputenv("QUORVEL_HOME", QByteArray::fromStdString(BenchFolder()));
  SrnFormRecord record = BenchRecord();
  QWidget window;
  auto* page = new CSrnOptimizeDlg(record, &window);
  window.resize(900, 700);
  window.show();
  const std::int64_t before = EngineCallCount();
  int paints = 0;
  for (auto _ : state) {
    page->Start();
    paints += page->RunPaints();
  }
  ReportFits(state, EngineCallCount() - before);
  state.counters["paints"] = static_cast<double>(paints) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PageStart)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(false);

// The run with the engine and the paints timed; `everyRequest` turns off coalescing.
void RunWithBreakdown(benchmark::State& state, bool everyRequest) {
  const std::string folder = BenchFolder();
  GraphArea area;
  area.resize(880, 300);
  double engineSeconds = 0;
  double paintSeconds = 0;
  double totalSeconds = 0;
  std::int64_t fits = 0;
  int paints = 0;
  for (auto _ : state) {
    SrnFormRecord record = BenchRecord();
    SrnOptimizeSheet sheet = FillSrnSheet(record);
    EngineCaller caller(folder, [&] {
      const auto start = Clock::now();
      const int result = CalcFitting();
      engineSeconds += Seconds(Clock::now() - start);
      return result;
    });
    std::vector<CPointDataList> series;
    auto paint = [&] {
      const auto start = Clock::now();
      AdjustSrnRanges(record.DataSets);
      series = SrnPageCurveSeries(record, true);
      std::vector<const CPointDataList*> curves;
      for (const CPointDataList& s : series) curves.push_back(&s);
      area.Drawer().SetSeries(std::move(curves), &record.DataSets, &record.Colours, kGraphSrn);
      benchmark::DoNotOptimize(area.GraphImage());
      paintSeconds += Seconds(Clock::now() - start);
    };
    RepaintThrottle throttle(everyRequest ? std::chrono::milliseconds(0) : std::chrono::milliseconds(100), paint);
    SrnOptimizeRun run(record, sheet, caller);
    const auto start = Clock::now();
    run.Run([&] { throttle.Request(); });
    throttle.Flush();
    totalSeconds += Seconds(Clock::now() - start);
    fits += caller.CallCount();
    paints += throttle.Paints();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["fits"] = static_cast<double>(fits) / n;
  state.counters["paints"] = paints / n;
  state.counters["engine_share"] = engineSeconds / totalSeconds;
  state.counters["paint_share"] = paintSeconds / totalSeconds;
  state.counters["files_and_run_share"] = 1.0 - (engineSeconds + paintSeconds) / totalSeconds;
}

void BM_RunBreakdown(benchmark::State& state) { RunWithBreakdown(state, false); }
BENCHMARK(BM_RunBreakdown)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

void BM_RunEveryRepaint(benchmark::State& state) { RunWithBreakdown(state, true); }
BENCHMARK(BM_RunEveryRepaint)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

void BM_FilesOnly(benchmark::State& state) {
  const std::string folder = BenchFolder();
  const std::string answer = "1.234567E-03\r\n0.300000\r\n0.150000\r\n0.100000\r\n";
  std::int64_t fits = 0;
  for (auto _ : state) {
    SrnFormRecord record = BenchRecord();
    SrnOptimizeSheet sheet = FillSrnSheet(record);
    EngineCaller caller(folder, [&] {
      std::ofstream(folder + "output.txt", std::ios::binary) << answer;
      return 0;
    });
    SrnOptimizeRun run(record, sheet, caller);
    run.Run();
    fits += caller.CallCount();
  }
  state.counters["fits"] = static_cast<double>(fits) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FilesOnly)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv) {
  // Headless: no display is needed for the page or the graph images.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code error;
  std::filesystem::remove_all(quorvel::BenchFolder(), error);
  return 0;
}
