// main() of the benchmarks that draw with Qt: an application on the offscreen
// platform (unless one is set) with the report fonts, then the benchmarks.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/FontSetup.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  quorvel::SetUpFonts();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
