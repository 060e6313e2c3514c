#include "HandOffTestSupport.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <tuple>

#include "host/NumberText.h"

namespace quorvel::test {

Lines FixtureLines(const std::string& name) {
  std::ifstream file(std::string(QUORVEL_TEST_DATA) + "/handoff/" + name, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_FALSE(bytes.empty()) << name;
  return LinesOf(bytes);
}

std::string HostBytes(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  std::string bytes;
  EXPECT_TRUE(Utf8ToCp932(text, bytes));
  return bytes;
}

Lines LinesOf(const std::string& bytes) {
  std::string text;
  EXPECT_TRUE(Cp932ToUtf8(bytes, text));
  return SplitLines(text);
}

std::size_t IndexOf(const Lines& lines, const std::string& text) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == text) return i;
  }
  ADD_FAILURE() << "no line " << text;
  return 0;
}

bool SameDouble(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

double FixedValue(std::mt19937& rng, double scale) {
  return ParseDouble(FormatDouble(std::uniform_real_distribution<double>(-scale, scale)(rng), 6));
}

double ExpValue(std::mt19937& rng, int decimals, int low, int span, unsigned emptyOneIn) {
  if (emptyOneIn > 0 && rng() % emptyOneIn == 0) return kNoValue;
  const double mantissa = std::uniform_real_distribution<double>(1.0, 10.0)(rng);
  return ParseDouble(FormatExp(mantissa * std::pow(10.0, static_cast<int>(rng() % span) + low), decimals));
}

namespace {

void ExpectSameLists(const CPointDataList& e, const CPointDataList& a, bool withBounds) {
  EXPECT_EQ(e.Name, a.Name);
  EXPECT_EQ(e.Points(), a.Points()) << e.Name;
  if (withBounds) {
    EXPECT_EQ(e.Initial, a.Initial) << e.Name;
    EXPECT_EQ(e.Minimum, a.Minimum) << e.Name;
    EXPECT_EQ(e.Maximum, a.Maximum) << e.Name;
  }
}

void ExpectSameCurves(const EquationList& e, const EquationList& a, std::size_t paddedTo) {
  ASSERT_EQ(e.Count(), a.Count());
  for (std::size_t i = 0; i < e.Count(); ++i) {
    const CEqBase& ec = e.At(i);
    const CEqBase& ac = a.At(i);
    EXPECT_EQ(ec.Name, ac.Name) << i;
    EXPECT_EQ(ec.GetEquationId(), ac.GetEquationId()) << i;
    EXPECT_TRUE(SameDouble(ec.Residual, ac.Residual)) << i << ": " << ec.Residual << " vs " << ac.Residual;
    EXPECT_EQ(ec.Selected, ac.Selected) << i;
    std::vector<double> padded = ec.Params;
    if (padded.size() < paddedTo) padded.resize(paddedTo, 0.0);
    EXPECT_EQ(padded, ac.Params) << i;
  }
}

}  // namespace

void ExpectSameSrnRecords(const SrnFormRecord& expected, const SrnFormRecord& actual) {
  ASSERT_EQ(expected.DataSets.Count(), actual.DataSets.Count());
  for (std::size_t k = 0; k < expected.DataSets.Count(); ++k) {
    ExpectSameLists(expected.DataSets.At(k), actual.DataSets.At(k), true);
  }
  ExpectSameCurves(expected.SrnCurves, actual.SrnCurves, 3);
  ExpectSameCurves(expected.ConstantCurves, actual.ConstantCurves, 8);
  const auto& [er, es] = std::tie(expected.SrnRetry, expected.ConstantSettings);
  const auto& [ar, as] = std::tie(actual.SrnRetry, actual.ConstantSettings);
  EXPECT_EQ(std::tie(er.RandomStartAllowed, er.MaximumTrials, es.Cells, es.FunctionCodes, es.MaximumTrials,
                     es.RandomStartAllowed),
            std::tie(ar.RandomStartAllowed, ar.MaximumTrials, as.Cells, as.FunctionCodes, as.MaximumTrials,
                     as.RandomStartAllowed));
  EXPECT_TRUE(SameDouble(er.Tolerance, ar.Tolerance) && SameDouble(es.Tolerance, as.Tolerance))
      << er.Tolerance << " " << ar.Tolerance << " " << es.Tolerance << " " << as.Tolerance;
}

void ExpectSameStrainRecords(const StrainFormRecord& expected, const StrainFormRecord& actual) {
  EXPECT_EQ(std::tie(expected.Retry.RandomStartAllowed, expected.Retry.MaximumTrials),
            std::tie(actual.Retry.RandomStartAllowed, actual.Retry.MaximumTrials));
  EXPECT_TRUE(SameDouble(expected.Retry.Tolerance, actual.Retry.Tolerance));
  ASSERT_EQ(expected.DataSets.Count(), actual.DataSets.Count());
  for (std::size_t k = 0; k < expected.DataSets.Count(); ++k) {
    ExpectSameLists(expected.DataSets.At(k), actual.DataSets.At(k), false);
  }
  EXPECT_TRUE(SameDouble(expected.PeakFrictionAngle, actual.PeakFrictionAngle));
  EXPECT_EQ(expected.Parameters, actual.Parameters);
  for (std::size_t i = 0; i < expected.Results.size(); ++i) {
    EXPECT_TRUE(SameDouble(expected.Results[i], actual.Results[i])) << i;
  }
  EXPECT_TRUE(SameDouble(expected.Residual, actual.Residual));
  EXPECT_EQ(expected.Argument, actual.Argument);
}

}  // namespace quorvel::test
