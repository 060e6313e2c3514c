// The program's typical fits: id 0 with 6 points (SR-N page), id 1 with 20
// (strain form), id 2 with 9 and id 4 with 12 (liquefaction constants).
// "per_sweep" is the time divided by the sweeps of residual evaluations, so
// runs that stop after different numbers of sweeps compare fairly.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#define __cminpack_double__
#include <cminpack.h>

#include "engine/FitExchange.h"
#include "engine/Lunvex.h"

namespace {

struct Problem {
  const char* name;
  std::string data;  // the "data.txt" text the program would write
};

std::string Line(double a) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.10g\n", a);
  return buffer;
}

std::string Pair(double a, double b) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%.10g\t%.10g\n", a, b);
  return buffer;
}

std::string Compose(int id, const std::vector<double>& start, const std::vector<double>& constants,
                    const std::vector<double>& bounds, const std::vector<double>& x, const std::vector<double>& y) {
  std::string text = std::to_string(id) + "\n";
  for (const double v : start) text += Line(v);
  for (const double v : constants) text += Line(v);
  for (std::size_t j = 0; j < bounds.size(); j += 2) text += Pair(bounds[j], bounds[j + 1]);
  text += std::to_string(x.size()) + "\n";
  for (std::size_t i = 0; i < x.size(); ++i) text += Pair(x[i], y[i]);
  return text;
}

const std::vector<Problem>& Problems() {
  static const std::vector<Problem> problems = [] {
    std::vector<Problem> list;
    // SR-N: cycles against stress ratio.
    list.push_back({"id0_6pts", Compose(0, {0.5, 0.2, 0.05}, {}, {0, 5, 0, 1, -1, 1}, {1.5, 3.2, 8.1, 20.5, 52, 140},
                                        {0.42, 0.36, 0.31, 0.28, 0.255, 0.24})});
    // Strain curve: strain against friction angle, c0 = 45.
    std::vector<double> x1, y1;
    for (int i = 0; i < 20; ++i) {
      const double x = 0.01 * std::pow(1.45, i);
      x1.push_back(x);
      y1.push_back((45 - 32) * std::exp(-std::pow(x / 0.05, 0.9)) + 32 * std::exp(-std::pow(x / 3.0, 1.4)) +
                   0.3 * std::sin(i));
    }
    list.push_back(
        {"id1_20pts", Compose(1, {30, 2, 1, 0.1, 1}, {45}, {0, 60, 0.01, 50, 0.1, 5, 0.001, 10, 0.1, 5}, x1, y1)});
    // Liquefaction constant against DA: polynomial.
    std::vector<double> x2, y2;
    for (int i = 0; i < 9; ++i) {
      x2.push_back(0.5 + 0.75 * i);
      y2.push_back(0.2 + 0.05 * x2.back() - 0.004 * x2.back() * x2.back() + 0.01 * std::cos(3.0 * i));
    }
    list.push_back(
        {"id2_9pts", Compose(2, {0.1, 0.1, 0, 0, 0, 0, 0, 0}, {},
                             {-10, 10, -10, 10, -10, 10, -10, 10, -10, 10, -10, 10, -10, 10, -10, 10}, x2, y2)});
    // ExpGrow2.
    std::vector<double> x4, y4;
    for (int i = 0; i < 12; ++i) {
      const double x = 0.2 + 0.8 * i;
      x4.push_back(x);
      y4.push_back(0.1 + 0.3 * (1 - std::exp(-std::pow(x / 1.5, 1.2))) + 0.2 * (1 - std::exp(-std::pow(x / 6.0, 2.0))) +
                   0.005 * std::sin(5.0 * i));
    }
    list.push_back({"id4_12pts", Compose(4, {0.1, 0.2, 1, 1, 0.2, 5, 1}, {},
                                         {0, 1, 0, 1, 0.01, 20, 0.1, 5, 0, 1, 0.01, 20, 0.1, 5}, x4, y4)});
    return list;
  }();
  return problems;
}

void SetSweepCounters(benchmark::State& state, int sweeps) {
  state.counters["sweeps"] = sweeps;
  state.counters["per_sweep"] =
      benchmark::Counter(static_cast<double>(sweeps) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void InMemoryFit(benchmark::State& state, const Problem* problem) {
  const lunvex::ParseResult parsed = lunvex::ParseFitRequest(problem->data);
  int sweeps = 0;
  for (auto _ : state) {
    const auto result = lunvex::RunFit(parsed.request);
    benchmark::DoNotOptimize(result->parameters.data());
    sweeps = result->sweeps;
  }
  SetSweepCounters(state, sweeps);
}

int ReferenceResiduals(void* data, int m, int n, const double* x, double* fvec, int) {
  auto* model = static_cast<lunvex::Cappfunc*>(data);
  const std::span<double> p(const_cast<double*>(x), static_cast<std::size_t>(n));
  const double* xs = model->XValues().data();
  const double* ys = model->YValues().data();
  for (int i = 0; i < m; ++i) {
    const double d = model->CalcValue(p, xs[i]) - ys[i];
    fvec[i] = d * d;
  }
  return 0;
}

// The reference on the same model, with the same per-fit set-up our fit does
// (a fresh model and fresh work storage).
void ReferenceFit(benchmark::State& state, const Problem* problem) {
  const lunvex::FitRequest request = lunvex::ParseFitRequest(problem->data).request;
  int sweeps = 0;
  for (auto _ : state) {
    const auto model = GetEqFunc(request.equationId, request.xValues, request.yValues, request.constants);
    const int n = model->VariableNumber();
    const int m = static_cast<int>(request.xValues.size());
    const auto un = static_cast<std::size_t>(n), um = static_cast<std::size_t>(m);
    std::vector<double> x = request.initialValues, fvec(um), diag(un), fjac(um * un), qtf(un), wa1(un), wa2(un),
                        wa3(un), wa4(um);
    std::vector<int> ipvt(un);
    lmdif(ReferenceResiduals, model.get(), m, n, x.data(), fvec.data(), 1e-20, 1e-20, 0.0, 200 * (n + 1), 0.0,
          diag.data(), 1, 100.0, 0, &sweeps, fjac.data(), m, ipvt.data(), qtf.data(), wa1.data(), wa2.data(),
          wa3.data(), wa4.data());
    benchmark::DoNotOptimize(x.data());
  }
  SetSweepCounters(state, sweeps);
}

void WholeCalcFitting(benchmark::State& state, const Problem* problem) {
  const auto folder = std::filesystem::temp_directory_path() / "lunvex-bench";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "data.txt", std::ios::binary | std::ios::trunc) << problem->data;
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  // As the program calls it: the older "output.txt" is deleted first, so the
  // engine creates the file rather than truncating one.
  for (auto _ : state) {
    std::filesystem::remove("output.txt");
    benchmark::DoNotOptimize(CalcFitting());
  }
  std::filesystem::current_path(saved);
  std::filesystem::remove_all(folder);
  state.counters["sweeps"] = lunvex::RunFit(lunvex::ParseFitRequest(problem->data).request)->sweeps;
}

const bool registered = [] {
  for (const Problem& problem : Problems()) {
    benchmark::RegisterBenchmark((std::string("InMemoryFit/") + problem.name).c_str(), InMemoryFit, &problem);
    benchmark::RegisterBenchmark((std::string("ReferenceLmdif/") + problem.name).c_str(), ReferenceFit, &problem);
    benchmark::RegisterBenchmark((std::string("CalcFitting/") + problem.name).c_str(), WholeCalcFitting, &problem);
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
