// "data.txt" in, "output.txt" out: the exact bytes, the run's edge cases,
// hostile input, the lunvex-fit tool and the library's exported names.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/FitExchange.h"
#include "engine/Lunvex.h"

namespace lunvex::test {
namespace {

// Runs CalcFitting on the bytes in a fresh folder; returns "output.txt"
// (empty when none) and what went to standard output.
struct EngineRun {
  bool wrote = false;
  std::string output;
  std::string printed;
};

EngineRun RunCalcFitting(const std::string& data, const std::string& previousOutput = "") {
  ScratchFolder folder;
  folder.Write("data.txt", data);
  if (!previousOutput.empty()) folder.Write("output.txt", previousOutput);
  EngineRun run;
  testing::internal::CaptureStdout();
  InFolder(folder.Path(), [&] { EXPECT_EQ(CalcFitting(), 0); });
  run.printed = testing::internal::GetCapturedStdout();
  run.wrote = folder.Exists("output.txt");
  run.output = folder.Read("output.txt");
  return run;
}

// Id 0 data made from (0.4, 0.1, 0.05) exactly; starting there is an exact fit.
std::string ExactPowerLawData(const std::string& start = "0.4\r\n0.1\r\n0.05\r\n") {
  std::string text = "0\r\n" + start + "0\t10\r\n0\t1\r\n-1\t1\r\n4\r\n";
  std::vector<double> p{0.4, 0.1, 0.05};
  const auto model = GetEqFunc(0, {1}, {0}, {});
  for (const double x : {1.0, 2.0, 4.0, 8.0}) {
    char line[80];
    std::snprintf(line, sizeof line, "%.17g\t%.17g\r\n", x, model->CalcValue(p, x));
    text += line;
  }
  return text;
}

TEST(EngineExchange, ExactFitWritesTheStartBackInCFormat) {
  const EngineRun run = RunCalcFitting(ExactPowerLawData());
  EXPECT_EQ(run.output, "0.000000E+00\r\n0.400000\r\n0.100000\r\n0.050000\r\n");
  EXPECT_EQ(run.printed, "");
}

TEST(EngineExchange, FormatsLikeTheCLibrary) {
  const double values[] = {0.0,   -0.0,    1.0,      -2.5, 0.0000005, 0.00000049, 1234567.0000005, 1e-7,
                           1e300, -1e-300, 123.4565, 1e8,  INFINITY,  -INFINITY,  6.02214076e23};
  for (const double v : values) {
    char expected[512];
    std::snprintf(expected, sizeof expected, "%E", v);
    EXPECT_EQ(FormatExponent(v), expected) << v;
    std::snprintf(expected, sizeof expected, "%lf", v);
    EXPECT_EQ(FormatFixed(v), expected) << v;
  }
}

TEST(EngineExchange, WhitespaceAndLineEndsDoNotMatter) {
  const std::string lines = ExactPowerLawData("0.3\r\n0.2\r\n0.0\r\n");
  std::string oneLine, lf, blankLines;
  for (const char c : lines) {
    if (c == '\r') continue;
    oneLine += c == '\n' || c == '\t' ? ' ' : c;
    lf += c;
    blankLines += c;
    if (c == '\n') blankLines += "\r\n\t \n";
  }
  const EngineRun reference = RunCalcFitting(lines);
  ASSERT_TRUE(reference.wrote);
  EXPECT_EQ(RunCalcFitting(oneLine).output, reference.output);
  EXPECT_EQ(RunCalcFitting(lf).output, reference.output);
  EXPECT_EQ(RunCalcFitting(blankLines).output, reference.output);
}

TEST(EngineExchange, FewerPointsThanParametersArePaddedWithPointZero) {
  // Id 2 has eight parameters; three points become eight.
  std::string data = "2\n0.1\n0.2\n0\n0\n0\n0\n0\n0\n";
  for (int j = 0; j < 8; ++j) data += "-5\t5\n";
  data += "3\n0.5\t1.0\n1.0\t2.5\n2.0\t2.0\n";
  const ParseResult parsed = ParseFitRequest(data);
  ASSERT_EQ(parsed.status, ParseStatus::kOk);
  EXPECT_EQ(parsed.request.pointCount, 3);
  EXPECT_EQ(parsed.request.xValues, (std::vector<double>{0.5, 1.0, 2.0, 0.5, 0.5, 0.5, 0.5, 0.5}));
  EXPECT_EQ(parsed.request.yValues, (std::vector<double>{1.0, 2.5, 2.0, 1.0, 1.0, 1.0, 1.0, 1.0}));
  const auto result = RunFit(parsed.request);
  ASSERT_TRUE(result.has_value());
  ASSERT_EQ(result->residuals.size(), 8u);
  double sum = 0.0;
  for (const double r : result->residuals) sum += r * r / 8.0;
  EXPECT_EQ(result->residual, sum);
  EXPECT_EQ(RunCalcFitting(data).output, FormatFitOutput(*result));
}

TEST(EngineExchange, PinnedParameterComesBackAsItsBound) {
  std::string data = ExactPowerLawData("0.3\r\n0.2\r\n0.0\r\n");
  data.replace(data.find("0\t1\r\n"), 5, "0.125\t0.125\r\n");
  const EngineRun run = RunCalcFitting(data);
  ASSERT_TRUE(run.wrote);
  EXPECT_NE(run.output.find("\r\n0.125000\r\n"), std::string::npos) << run.output;
}

TEST(EngineExchange, OverflowingDifferencesGiveTheDivergedResidual) {
  // x = 0 with a positive exponent p1: every model value is infinite.
  const EngineRun run = RunCalcFitting("0\n1\n0.5\n0\n0 10\n0.1 1\n-1 1\n3\n0 1\n0 2\n0 3\n");
  ASSERT_TRUE(run.wrote);
  EXPECT_EQ(run.output.substr(0, run.output.find("\r\n") + 2), "1.000000E+08\r\n");
}

TEST(EngineExchange, NoOutputCasesLeaveAnOlderOutputAlone) {
  const std::string older = "older\r\n";
  struct Case {
    const char* name;
    std::string data;
    const char* printed;
  };
  const Case cases[] = {
      {"id 10", "10\n1\n2\n3\n", "Undefined equation is selected\n"},
      {"id -1", "-1\n", "Undefined equation is selected\n"},
      {"no points", "0\n1\n1\n1\n0 1\n0 1\n0 1\n0\n", ""},
      {"negative count", "0\n1\n1\n1\n0 1\n0 1\n0 1\n-3\n1 1\n", ""},
      {"no stages", "8\n1\n1\n1\n0\n0 1\n0 1\n0 1\n2\n1 1\n2 2\n", ""},
      {"negative stages", "9\n1\n1\n1\n-2\n1\n1\n1\n0 1\n0 1\n0 1\n2\n1 1\n2 2\n", ""},
      {"empty file", "", ""},
  };
  for (const Case& c : cases) {
    const EngineRun run = RunCalcFitting(c.data, older);
    EXPECT_EQ(run.output, older) << c.name;
    EXPECT_EQ(run.printed, c.printed) << c.name;
  }
  // No "data.txt" at all.
  ScratchFolder folder;
  folder.Write("output.txt", older);
  InFolder(folder.Path(), [] { CalcFitting(); });
  EXPECT_EQ(folder.Read("output.txt"), older);
}

TEST(EngineExchange, TokensThatDoNotConvertLeaveZeroAndStayPut) {
  struct Case {
    const char* name;
    std::string data;
    ParseStatus status;
    std::vector<double> initial;
    std::vector<double> xValues;
  };
  const Case cases[] = {
      // "%d" reads the 2 of "2.5"; ".5" is then the first x.
      {"count with a fraction", "0 1 2 3 0 1 0 1 0 1 2.5 1 2 3", ParseStatus::kOk, {1, 2, 3}, {0.5, 2, 0.5}},
      // A word stops every later conversion: p1 and everything after read 0.
      {"word in the values", "0 1 abc 3 0 1 0 1 0 1 3 1 1 2 2 3 3", ParseStatus::kNoPoints, {1, 0, 0}, {}},
      {"non-numeric id", "abc", ParseStatus::kNoPoints, {0, 0, 0}, {}},
      {"signs and exponents", "0 +1 -2e-1 0x1p-2 0 1 0 1 0 1 1 1e0 -.5", ParseStatus::kOk, {1, -0.2, 0.25}, {1, 1, 1}},
      {"truncated pairs", "0 1 2 3 0 1 0 1 0 1 3 4 5 6", ParseStatus::kOk, {1, 2, 3}, {4, 6, 0}},
  };
  for (const Case& c : cases) {
    const ParseResult parsed = ParseFitRequest(c.data);
    EXPECT_EQ(parsed.status, c.status) << c.name;
    EXPECT_EQ(parsed.request.initialValues, c.initial) << c.name;
    if (c.status == ParseStatus::kOk) {
      EXPECT_EQ(parsed.request.xValues, c.xValues) << c.name;
    }
  }
}

TEST(EngineExchange, HostileInputIsReadWithinWhatTheFileHolds) {
  std::string garbage(1 << 20, '\0');
  std::mt19937 random(1);
  for (char& c : garbage) c = static_cast<char>(random() % 256);
  const std::string huge = "0 1 2 3 0 1 0 1 0 1 2147483647 1 1 2 2 3 3";
  struct Case {
    const char* name;
    std::string data;
    bool writes;
  };
  const Case cases[] = {
      {"count 2147483647", huge, true},
      // The stage lists swallow the rest of the file, so no point count is left.
      {"stage count 2147483647", "8 500 0.5 0.8 2147483647 3 6 50 100 300 400 0 2000 0 1 0 1 6 1 1 1 1 1 1 1 1 1 1 1 1",
       false},
      {"stages not matching the points",
       "8 500 0.5 0.8 2 2 100 50 100 300 400 0 2000 0 1 0 1 6 0.01 20 0.02 30 0.03 40 0.01 25 0.02 35 0.03 45", true},
      {"NaN and infinity", "0 nan 0.1 inf 0 1 0 1 -1 1 3 1 1 2 NAN 3 -INFINITY", true},
      {"1 MB of garbage", garbage, false},
      {"truncated in the bounds", "0 1 2 3 0 1 0", false},
  };
  for (const Case& c : cases) {
    const ParseResult parsed = ParseFitRequest(c.data);
    EXPECT_LE(parsed.request.xValues.size(), c.data.size()) << c.name;
    EXPECT_LE(parsed.request.constants.size(), c.data.size() + 64) << c.name;
    const EngineRun run = RunCalcFitting(c.data);
    EXPECT_EQ(run.wrote, c.writes) << c.name;
    if (run.wrote) {
      // Residual line plus one line per parameter, each ended by CR LF.
      std::size_t lines = 0;
      for (std::size_t at = run.output.find("\r\n"); at != std::string::npos; at = run.output.find("\r\n", at + 2))
        ++lines;
      EXPECT_EQ(lines, 4u) << c.name;
    }
  }
  // NaN in the data gives the diverged residual.
  EXPECT_EQ(RunCalcFitting(cases[3].data).output.substr(0, 14), "1.000000E+08\r\n");
}

// Seeded random mutations of valid files: the reader and a small fit must
// hold their invariants on every one. (The libFuzzer target does the same at
// length; this keeps a quick version in every test run.)
TEST(EngineExchange, RandomMutationsOfValidFilesAreHandled) {
  std::vector<std::string> seeds;
  std::mt19937 random(4242);
  for (int id = 0; id <= 9; ++id) seeds.push_back(DataText(RandomProblem(id, random, {}), id % 2 ? "\n" : "\r\n"));
  const std::string alphabet = "0123456789.-+eExXnaifNAIF \t\r\n";
  int fitted = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text = seeds[random() % seeds.size()];
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits && !text.empty(); ++e) {
      const std::size_t at = random() % text.size();
      switch (random() % 5) {
        case 0:
          text[at] = alphabet[random() % alphabet.size()];
          break;
        case 1:
          text.insert(at, 1, alphabet[random() % alphabet.size()]);
          break;
        case 2:
          text.erase(at, 1 + random() % 8);
          break;
        case 3:
          text.insert(at, text.substr(random() % text.size(), random() % 16));
          break;
        default:
          text.resize(at);
          break;
      }
    }
    const ParseResult parsed = ParseFitRequest(text);
    ASSERT_LE(parsed.request.xValues.size(), text.size() + 16) << text;
    if (parsed.status != ParseStatus::kOk) continue;
    const auto n = static_cast<std::size_t>(GetVariableNumber(parsed.request.equationId));
    ASSERT_EQ(parsed.request.xValues.size(), parsed.request.yValues.size());
    ASSERT_GE(parsed.request.xValues.size(), n);
    ASSERT_EQ(parsed.request.initialValues.size(), n);
    if (parsed.request.xValues.size() > 40) continue;
    const auto result = RunFit(parsed.request);
    ASSERT_TRUE(result.has_value());
    const std::string output = FormatFitOutput(*result);
    ASSERT_TRUE(std::isfinite(result->residual));
    ASSERT_EQ(output.substr(output.size() - 2), "\r\n");
    ++fitted;
  }
  EXPECT_GT(fitted, 300);
}

TEST(EngineExchange, FitToolReportsMissingOutput) {
  ScratchFolder folder;
  folder.Write("data.txt", ExactPowerLawData());
  folder.Write("output.txt", "older\r\n");
  const std::string tool = LUNVEX_FIT_TOOL;
  const std::string errors = (folder.Path() / "errors.txt").string();
  EXPECT_EQ(std::system((tool + " '" + folder.Path().string() + "' 2>'" + errors + "'").c_str()), 0);
  EXPECT_EQ(folder.Read("output.txt"), "0.000000E+00\r\n0.400000\r\n0.100000\r\n0.050000\r\n");
  EXPECT_EQ(folder.Read("errors.txt"), "");

  folder.Write("data.txt", "10\n");
  EXPECT_NE(std::system((tool + " '" + folder.Path().string() + "' >/dev/null 2>'" + errors + "'").c_str()), 0);
  const std::string message = folder.Read("errors.txt");
  EXPECT_EQ(message.rfind("lunvex-fit: no output.txt", 0), 0u) << message;
  EXPECT_EQ(message.find('\n'), message.size() - 1) << message;  // one line
  EXPECT_FALSE(folder.Exists("output.txt"));
}

TEST(EngineExchange, SharedLibraryExportsTheCNames) {
  void* library = dlopen(LUNVEX_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  using CalcFittingFunction = int (*)();
  using VariableNumberFunction = int (*)(int);
  const auto calcFitting = reinterpret_cast<CalcFittingFunction>(dlsym(library, "CalcFitting"));
  const auto variableNumber = reinterpret_cast<VariableNumberFunction>(dlsym(library, "GetVariableNumber"));
  ASSERT_NE(calcFitting, nullptr);
  ASSERT_NE(variableNumber, nullptr);
  EXPECT_EQ(variableNumber(4), 7);
  EXPECT_EQ(variableNumber(-1), -1);
  ScratchFolder folder;
  folder.Write("data.txt", ExactPowerLawData());
  InFolder(folder.Path(), [&] { EXPECT_EQ(calcFitting(), 0); });
  EXPECT_TRUE(folder.Exists("output.txt"));
  // The internals stay hidden.
  EXPECT_EQ(dlsym(library, "_ZN6lunvex15ParseFitRequestESt17basic_string_viewIcSt11char_traitsIcEE"), nullptr);
  dlclose(library);
}

}  // namespace
}  // namespace lunvex::test
