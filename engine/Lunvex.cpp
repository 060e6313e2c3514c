#include "engine/Lunvex.h"

#include <cstddef>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "engine/CurveModels.h"
#include "engine/FitExchange.h"
#include "engine/GheModels.h"
#include "engine/StageModels.h"

extern "C" int GetVariableNumber(int equationId) {
  static constexpr int kCounts[] = {3, 5, 8, 5, 7, 4, 9, 2, 3, 3};
  if (equationId < 0 || equationId > 9) return -1;
  return kCounts[equationId];
}

std::shared_ptr<lunvex::Cappfunc> GetEqFunc(int equationId, const std::vector<double>& xValues,
                                            const std::vector<double>& yValues, const std::vector<double>& constants) {
  using namespace lunvex;
  const std::span<const double> c(constants);
  switch (equationId) {
    case 0:
      return std::make_shared<CalcFunc_EQ1>(xValues, yValues, c);
    case 1:
      return std::make_shared<CalcFunc_EQ2>(xValues, yValues, c);
    case 2:
      return std::make_shared<CalcFunc_EQ3>(xValues, yValues, c);
    case 3:
      return std::make_shared<CalcFunc_EQ4>(xValues, yValues, c);
    case 4:
      return std::make_shared<CalcFunc_EQ5>(xValues, yValues, c);
    case 5:
      return std::make_shared<CalcFunc_EQ6>(xValues, yValues, c);
    case 6:
      return std::make_shared<CalcGHEGG0>(xValues, yValues, c);
    case 7:
      return std::make_shared<CalcGHEhCurve>(xValues, yValues, c);
    case 8:
      return std::make_shared<CalcDuncanChangModel>(xValues, yValues, c);
    case 9:
      return std::make_shared<CalcDCPoisson>(xValues, yValues, c);
    default:
      return nullptr;
  }
}

extern "C" int CalcFitting(void) {
  // Nothing may escape into a caller that only knows C: a failure of any kind
  // simply leaves no "output.txt".
  try {
    std::string text;
    {
      std::ifstream input("data.txt", std::ios::binary);
      if (!input) return 0;
      char buffer[1 << 16];
      while (input.read(buffer, sizeof buffer) || input.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(input.gcount()));
      }
    }
    const lunvex::ParseResult parsed = lunvex::ParseFitRequest(text);
    if (parsed.status == lunvex::ParseStatus::kUndefinedEquation) {
      std::fputs("Undefined equation is selected\n", stdout);
      std::fflush(stdout);
      return 0;
    }
    if (parsed.status != lunvex::ParseStatus::kOk) return 0;
    const std::optional<lunvex::FitResult> result = lunvex::RunFit(parsed.request);
    if (!result) return 0;
    const std::string output = lunvex::FormatFitOutput(*result);
    std::ofstream file("output.txt", std::ios::binary | std::ios::trunc);
    if (file) file.write(output.data(), static_cast<std::streamsize>(output.size()));
  } catch (...) {
  }
  return 0;
}
