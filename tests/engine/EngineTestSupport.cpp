#include "EngineTestSupport.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <span>

#define __cminpack_double__
#include <cminpack.h>

#include "engine/Lunvex.h"

namespace lunvex::test {

namespace {

std::string Number(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

double Uniform(std::mt19937& random, double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(random);
}

struct Shape {
  std::vector<double> low, high;  // range of the true parameters
  double xLow, xHigh;
  std::vector<double> constants;  // model constants (stage lists included)
};

Shape ShapeOf(int id, std::mt19937& random, int pointCount) {
  // clang-format off
  switch (id) {
    case 0: return {{0.1, 0.01, 0.0}, {1.0, 0.5, 0.2}, 1.0, 1000.0, {}};
    case 1: return {{20, 0.1, 0.5, 0.01, 0.5}, {35, 5, 2, 1, 2}, 0.01, 10.0, {40.0}};
    case 2: return {{-1, -1, -0.5, -0.2, -0.05, -0.01, -0.002, -0.0005},
                    {1, 1, 0.5, 0.2, 0.05, 0.01, 0.002, 0.0005}, 0.5, 5.0, {}};
    case 3: return {{0, 0, 0.1, 0, 0.1}, {1, 1, 5, 1, 5}, 0.1, 10.0, {}};
    case 4: return {{0, 0, 0.1, 0.5, 0, 0.1, 0.5}, {1, 1, 5, 2, 1, 5, 2}, 0.1, 10.0, {}};
    case 5: return {{0, 0.1, -1, 0.5}, {1, 1, 0, 1.5}, 0.1, 5.0, {}};
    case 6: return {{20, 0, 0.5, 0.5, 0.5, 0.8, 1.5, 0.5, 0.5}, {40, 10, 2, 1.5, 1.5, 1.2, 3, 5, 5}, 1e-4, 1e-1,
                    {100.0, Uniform(random, 0.5, 2.0)}};
    case 7: return {{0.1, 0.5}, {0.3, 2.0}, 1e-4, 1e-1, {100.0, 1.0, 30.0, 5.0, 1000.0, 0.8, 1.2, 1.1, 2.0, 1.5, 2.5}};
      // clang-format on
    default: {
      // Stage lists: up to three stages splitting the points.
      const int stages = 1 + static_cast<int>(random() % 3);
      std::vector<double> constants{static_cast<double>(stages)};
      for (int j = 1; j <= stages; ++j) constants.push_back(std::floor(pointCount * j / stages));
      for (int j = 0; j < stages; ++j) constants.push_back(j == 0 && random() % 4 == 0 ? 0.0 : 50.0 * (j + 1));
      for (int j = 0; j < stages; ++j) constants.push_back(200.0 + 150.0 * j);
      if (id == 8) return {{100, 0.2, 0.6}, {1000, 0.8, 0.95}, 0.001, 0.1, constants};
      constants.insert(constants.end(), {500.0, 0.5, 0.8});
      return {{0.2, 0.0, 0.0}, {0.5, 0.2, 5.0}, 1.0, 150.0, constants};
    }
  }
}

}  // namespace

std::string DataText(const FitRequest& request, const std::string& lineEnd) {
  const int n = GetVariableNumber(request.equationId);
  std::string text = std::to_string(request.equationId) + lineEnd;
  for (const double p : request.initialValues) text += Number(p) + lineEnd;
  std::size_t at = 0;
  if (request.equationId == 8 || request.equationId == 9) {
    text += std::to_string(static_cast<int>(request.constants[0])) + lineEnd;
    at = 1;
  }
  const std::size_t bounds = request.constants.size() - 2 * static_cast<std::size_t>(n);
  for (; at < bounds; ++at) text += Number(request.constants[at]) + lineEnd;
  for (; at < request.constants.size(); at += 2) {
    text += Number(request.constants[at]) + "\t" + Number(request.constants[at + 1]) + lineEnd;
  }
  text += std::to_string(request.pointCount) + lineEnd;
  for (int i = 0; i < request.pointCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    text += Number(request.xValues[k]) + "\t" + Number(request.yValues[k]) + lineEnd;
  }
  return text;
}

FitRequest RandomProblem(int id, std::mt19937& random, const ProblemOptions& options) {
  const int n = GetVariableNumber(id);
  const int pointCount = options.pointCount > 0 ? options.pointCount : n + static_cast<int>(random() % 15);
  const Shape shape = ShapeOf(id, random, pointCount);
  FitRequest request;
  request.equationId = id;
  request.pointCount = pointCount;
  std::vector<double> truth;
  for (std::size_t j = 0; j < static_cast<std::size_t>(n); ++j) {
    truth.push_back(Uniform(random, shape.low[j], shape.high[j]));
  }
  request.constants = shape.constants;
  const std::size_t pinned = options.pinOne ? random() % static_cast<std::size_t>(n) : std::size_t(n);
  for (std::size_t j = 0; j < static_cast<std::size_t>(n); ++j) {
    const double width = shape.high[j] - shape.low[j];
    if (j == pinned) {
      request.constants.push_back(truth[j]);
      request.constants.push_back(truth[j]);
    } else {
      request.constants.push_back(shape.low[j] - 0.5 * width);
      request.constants.push_back(shape.high[j] + 0.5 * width);
    }
    double start = truth[j] + Uniform(random, -0.3, 0.3) * width;
    if (options.startOutside && j % 2 == 0) start = shape.high[j] + 2.0 * width;
    request.initialValues.push_back(start);
  }
  // Data: the model at the true parameters with a little noise, in stage order.
  std::vector<double> xs;
  for (int i = 0; i < pointCount; ++i) {
    const double t = pointCount > 1 ? static_cast<double>(i) / (pointCount - 1) : 0.5;
    xs.push_back(shape.xLow * std::pow(shape.xHigh / shape.xLow, t));
  }
  const std::shared_ptr<Cappfunc> truthModel = GetEqFunc(id, xs, xs, request.constants);
  for (int i = 0; i < pointCount; ++i) {
    std::vector<double> p = truth;
    const double value = truthModel->CalcValue(p, xs[static_cast<std::size_t>(i)]);
    request.xValues.push_back(xs[static_cast<std::size_t>(i)]);
    request.yValues.push_back(value * (1.0 + Uniform(random, -0.05, 0.05)));
  }
  return request;
}

namespace {
int ReferenceResiduals(void* data, int m, int n, const double* x, double* fvec, int /*flag*/) {
  auto* model = static_cast<Cappfunc*>(data);
  // lmdif hands over its own writable arrays; the model clamps them in place
  // exactly as it clamps ours.
  const std::span<double> p(const_cast<double*>(x), static_cast<std::size_t>(n));
  for (int i = 0; i < m; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const double d = model->CalcValue(p, model->XValues()[k]) - model->YValues()[k];
    fvec[i] = d * d;
  }
  return 0;
}
}  // namespace

OracleResult RunReference(const FitRequest& request) {
  const std::shared_ptr<Cappfunc> model =
      GetEqFunc(request.equationId, request.xValues, request.yValues, request.constants);
  const int n = model->VariableNumber();
  const int m = static_cast<int>(request.xValues.size());
  const auto un = static_cast<std::size_t>(n);
  const auto um = static_cast<std::size_t>(m);
  OracleResult result;
  result.parameters = request.initialValues;
  result.residuals.assign(um, 0.0);
  std::vector<double> diag(un), fjac(um * un), qtf(un), wa1(un), wa2(un), wa3(un), wa4(um);
  std::vector<int> ipvt(un);
  result.completion = lmdif(ReferenceResiduals, model.get(), m, n, result.parameters.data(), result.residuals.data(),
                            1e-20, 1e-20, 0.0, 200 * (n + 1), 0.0, diag.data(), 1, 100.0, 0, &result.sweeps,
                            fjac.data(), m, ipvt.data(), qtf.data(), wa1.data(), wa2.data(), wa3.data(), wa4.data());
  return result;
}

}  // namespace lunvex::test
