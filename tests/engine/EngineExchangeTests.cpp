// "data.txt" in, "output.txt" out: the exact bytes, every id's items read back,
// the run's edge cases, hostile input, the lunvex-fit tool and the library's
// exported names.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/FitExchange.h"
#include "engine/Lunvex.h"

namespace lunvex::test {
namespace {

// Runs CalcFitting on the bytes in a fresh folder: "output.txt" (empty when
// none, `previous` when it was left alone) and what went to standard output.
std::pair<std::string, std::string> RunCalcFitting(const std::string& data, const std::string& previous = "") {
  ScratchFolder folder;
  folder.WriteBytes("data.txt", data);
  if (!previous.empty()) folder.WriteBytes("output.txt", previous);
  testing::internal::CaptureStdout();
  InFolder(folder.Path(), [] { EXPECT_EQ(CalcFitting(), 0); });
  const std::string printed = testing::internal::GetCapturedStdout();
  return {folder.ReadBytes("output.txt"), printed};
}

// Id 0 data made from (0.4, 0.1, 0.05) exactly; starting there is an exact fit.
std::string ExactPowerLawData() {
  std::string text = "0\r\n0.4\r\n0.1\r\n0.05\r\n0\t10\r\n0\t1\r\n-1\t1\r\n4\r\n";
  std::vector<double> p{0.4, 0.1, 0.05};
  const auto model = GetEqFunc(0, {1}, {0}, {});
  for (const double x : {1.0, 2.0, 4.0, 8.0}) {
    char line[80];
    std::snprintf(line, sizeof line, "%.17g\t%.17g\r\n", x, model->CalcValue(p, x));
    text += line;
  }
  return text;
}

constexpr char kExactOutput[] = "0.000000E+00\r\n0.400000\r\n0.100000\r\n0.050000\r\n";

TEST(EngineExchange, ExactFitWritesTheStartBackInCFormat) {
  EXPECT_EQ(RunCalcFitting(ExactPowerLawData()), std::make_pair(std::string(kExactOutput), std::string()));
  const double values[] = {0.0,   -0.0,    1.0,      -2.5, 0.0000005, 0.00000049, 1234567.0000005, 1e-7,
                           1e300, -1e-300, 123.4565, 1e8,  INFINITY,  -INFINITY,  6.02214076e23};
  for (const double v : values) {
    char expected[512];
    std::snprintf(expected, sizeof expected, "%E", v);
    EXPECT_EQ(FormatExponent(v), expected) << v;
    std::snprintf(expected, sizeof expected, "%lf", v);
    EXPECT_EQ(FormatFixed(v), expected) << v;
  }
  // The mean of the fourth powers of the differences; 1e8 when not finite.
  EXPECT_DOUBLE_EQ(MeanFourthPower({1.0, 2.0, 3.0}), 14.0 / 3.0);
  EXPECT_TRUE(MeanFourthPower({1.0, INFINITY}) == 1e8 && MeanFourthPower({NAN}) == 1e8);
}

// Every id's start values, constants (stage lists and fixed constants too),
// bounds and points come back exactly as they were written.
TEST(EngineExchange, EveryIdReadsBackItsItems) {
  std::mt19937 random(11);
  for (int id = 0; id <= 9; ++id) {
    for (const char* lineEnd : {"\r\n", "\n", " "}) {
      const FitRequest written = RandomProblem(id, random, {});
      const ParseResult read = ParseFitRequest(DataText(written, lineEnd));
      ASSERT_EQ(read.status, ParseStatus::kOk) << id;
      const FitRequest& r = read.request;
      EXPECT_TRUE(r.equationId == id && r.pointCount == written.pointCount) << id;
      EXPECT_EQ(std::tie(r.initialValues, r.constants, r.xValues, r.yValues),
                std::tie(written.initialValues, written.constants, written.xValues, written.yValues))
          << id;
    }
  }
  // Id 2 has eight parameters: three points become eight, copies of point 0.
  std::string data = "2\n0.1\n0.2\n0\n0\n0\n0\n0\n0\n";
  for (int j = 0; j < 8; ++j) data += "-5\t5\n";
  const ParseResult padded = ParseFitRequest(data + "3\n0.5\t1.0\n1.0\t2.5\n2.0\t2.0\n");
  EXPECT_EQ(std::tie(padded.request.pointCount, padded.request.xValues, padded.request.yValues),
            std::make_tuple(3, std::vector<double>{0.5, 1.0, 2.0, 0.5, 0.5, 0.5, 0.5, 0.5},
                            std::vector<double>{1.0, 2.5, 2.0, 1.0, 1.0, 1.0, 1.0, 1.0}));
}

TEST(EngineExchange, NoOutputCasesLeaveAnOlderOutputAlone) {
  const std::pair<std::string, const char*> cases[] = {
      {"10\n1\n2\n3\n", "Undefined equation is selected\n"},
      {"0\n1\n1\n1\n0 1\n0 1\n0 1\n0\n", ""},                         // no points
      {"9\n1\n1\n1\n-2\n1\n1\n1\n0 1\n0 1\n0 1\n2\n1 1\n2 2\n", ""},  // negative stages
      {"", ""},
  };
  for (const auto& [data, printed] : cases) {
    EXPECT_EQ(RunCalcFitting(data, "older\r\n"), std::make_pair(std::string("older\r\n"), std::string(printed)));
  }
  ScratchFolder folder;  // no "data.txt" at all
  folder.WriteBytes("output.txt", "older\r\n");
  InFolder(folder.Path(), [] { CalcFitting(); });
  EXPECT_EQ(folder.ReadBytes("output.txt"), "older\r\n");
}

// As "%d" and "%lf" read them: a token that does not convert leaves its item
// at 0 and stays where it is; counts are cut to one byte per number left.
TEST(EngineExchange, TokensThatDoNotConvertAndCountsBeyondTheText) {
  const std::tuple<const char*, ParseStatus, std::vector<double>, std::vector<double>> cases[] = {
      {"0 1 2 3 0 1 0 1 0 1 2.5 1 2 3", ParseStatus::kOk, {1, 2, 3}, {0.5, 2, 0.5}},
      {"0 1 abc 3 0 1 0 1 0 1 3 1 1 2 2 3 3", ParseStatus::kNoPoints, {1, 0, 0}, {}},
      {"0 +1 -2e-1 0x1p-2 0 1 0 1 0 1 1 1e0 -.5", ParseStatus::kOk, {1, -0.2, 0.25}, {1, 1, 1}},
      {"0 1 2 3 0 1 0 1 0 1 3 4 5 6", ParseStatus::kOk, {1, 2, 3}, {4, 6, 0}},
      {"0 1 2 3 0 1 0 1 0 1 2147483647 1 1 2 2 3 3", ParseStatus::kOk, {1, 2, 3}, {1, 2, 3, 0, 0, 0}},
      {"0 1 2 3 0 1 0", ParseStatus::kNoPoints, {1, 2, 3}, {}},
  };
  for (const auto& [data, status, initial, xValues] : cases) {
    const ParseResult parsed = ParseFitRequest(data);
    EXPECT_EQ(std::tie(parsed.status, parsed.request.initialValues), std::tie(status, initial)) << data;
    if (status != ParseStatus::kOk) continue;
    EXPECT_EQ(parsed.request.xValues, xValues) << data;
  }
  // The stage lists swallow the rest of the file, so no point count is left.
  EXPECT_EQ(ParseFitRequest("8 500 0.5 0.8 2147483647 3 6 50 100 300 400 0 2000 0 1 0 1 6 1 1 1 1 1 1").status,
            ParseStatus::kNoPoints);
  // NaN in the data gives the diverged residual and still four lines.
  const std::string output = RunCalcFitting("0 nan 0.1 inf 0 1 0 1 -1 1 3 1 1 2 NAN 3 -INFINITY").first;
  EXPECT_TRUE(output.substr(0, 14) == "1.000000E+08\r\n" && std::count(output.begin(), output.end(), '\n') == 4)
      << output;
}

TEST(EngineExchange, FitToolWritesTheOutputOrSaysWhyInOneLine) {
  ScratchFolder folder;
  folder.WriteBytes("data.txt", ExactPowerLawData());
  folder.WriteBytes("output.txt", "older\r\n");
  const std::string tool = std::string(LUNVEX_FIT_TOOL) + " '" + folder.Path() + "'";
  const std::string errors = " 2>'" + folder.File("errors.txt") + "'";
  EXPECT_EQ(std::system((tool + errors).c_str()), 0);
  EXPECT_EQ(folder.ReadBytes("output.txt"), kExactOutput);
  EXPECT_EQ(folder.ReadBytes("errors.txt"), "");
  folder.WriteBytes("data.txt", "10\n");
  EXPECT_NE(std::system((tool + " >/dev/null" + errors).c_str()), 0);
  const std::string message = folder.ReadBytes("errors.txt");
  EXPECT_EQ(message.rfind("lunvex-fit: no output.txt", 0), 0u) << message;
  EXPECT_EQ(message.find('\n'), message.size() - 1) << message;  // one line
  EXPECT_FALSE(folder.Exists("output.txt"));
}

}  // namespace
// Callers load the shared library by name: the two entry points must be
// exported and work, the internals stay hidden.
TEST(EngineExchange, SharedLibraryExportsTheEntryPointsOnly) {
  ScratchFolder folder;
  void* library = dlopen(LUNVEX_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  const auto calcFitting = reinterpret_cast<int (*)()>(dlsym(library, "CalcFitting"));
  const auto variableNumber = reinterpret_cast<int (*)(int)>(dlsym(library, "GetVariableNumber"));
  ASSERT_TRUE(calcFitting && variableNumber);
  EXPECT_EQ(variableNumber(4), 7);
  folder.WriteBytes("data.txt", ExactPowerLawData());
  InFolder(folder.Path(), [&] { EXPECT_EQ(calcFitting(), 0); });
  EXPECT_EQ(folder.ReadBytes("output.txt"), kExactOutput);
  EXPECT_EQ(dlsym(library, "_ZN6lunvex15ParseFitRequestESt17basic_string_viewIcSt11char_traitsIcEE"), nullptr);
  dlclose(library);
}

}  // namespace lunvex::test
