// Drawing time of one dense graph: 60 fitted curves of 2000 points and 60 data
// lists of 50 markers, log x axis with legend columns, into 1000 x 600 pixels.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "graph/DataSetList.h"
#include "graph/GraphDrawer.h"
#include "host/ColourFile.h"

namespace {

using namespace quorvel;

struct DenseGraph {
  DataSetList data;
  std::vector<std::unique_ptr<CPointDataList>> curves;
  ColourRecord colours = ColourRecord::Defaults();
  std::vector<const CPointDataList*> pointers;

  explicit DenseGraph(int kind) {
    std::mt19937 random(5489);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const bool log = IsLogXKind(kind);
    data.XMinimum = log ? 1 : 0;
    data.XMaximum = log ? 10000 : 100;
    data.XPitch = 10;
    data.YMinimum = 0.1;
    data.YMaximum = 0.6;
    data.YPitch = 0.05;
    for (int set = 0; set < 60; ++set) {
      const double a = 0.2 + 0.2 * unit(random), b = 0.15 + 0.2 * unit(random), c = 0.1 + 0.1 * unit(random);
      auto curve = std::make_unique<CPointDataList>(std::to_string(set) + "%近似曲線");
      for (int i = 0; i < 2000; ++i) {
        const double x = log ? std::pow(10.0, 4.0 * i / 1999.0) : 100.0 * i / 1999.0;
        curve->AppendPoint(x, a * std::pow(log ? x : x + 1, -b) + c);
      }
      curve->Colour = colours.DataSetColour(static_cast<std::size_t>(set));
      curve->HasLegend = true;
      pointers.push_back(curve.get());
      curves.push_back(std::move(curve));
      CPointDataList list(std::to_string(set));
      for (int i = 0; i < 50; ++i) {
        const double x = log ? std::pow(10.0, 4.0 * unit(random)) : 100.0 * unit(random);
        list.AppendPoint(x, a * std::pow(log ? x : x + 1, -b) + c + 0.01 * (unit(random) - 0.5));
      }
      data.Append(std::move(list));
    }
  }
};

void DrawDenseGraph(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  DenseGraph graph(kind);
  CGraphDrawer drawer;
  drawer.SetSeries(graph.pointers, &graph.data, &graph.colours, kind);
  for (auto _ : state) {
    QImage image = drawer.RenderImage(QSize(1000, 600));
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(DrawDenseGraph)->Arg(kGraphSrn)->Arg(kGraphConstants)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
