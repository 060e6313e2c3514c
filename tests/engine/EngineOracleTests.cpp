// Our solver against the reference lmdif, run as a black box on the same
// residual functions. Runs the reference stops with its code 7 (a step test
// our solver does not have) are compared by value; all others must agree to
// the last bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "EngineTestSupport.h"
#include "engine/FitExchange.h"
#include "engine/Lunvex.h"

namespace lunvex::test {
namespace {

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

bool CloseRelative(double a, double b, double tolerance) {
  if (SameBits(a, b)) return true;
  return std::fabs(a - b) <= tolerance * std::max(std::fabs(a), std::fabs(b));
}

struct Tally {
  int identical = 0;
  int referenceCode7 = 0;
  int improvedAfterCode7 = 0;
  std::map<int, int> codes;
};

void CompareWithReference(const FitRequest& request, const std::string& label, Tally& tally) {
  const std::optional<FitResult> ours = RunFit(request);
  ASSERT_TRUE(ours.has_value()) << label;
  const OracleResult reference = RunReference(request);
  ++tally.codes[reference.completion];
  if (reference.completion == 7) {
    // The reference gave up on a vanishing step; ours keeps going until
    // another test ends the run, and must arrive at the same point.
    ++tally.referenceCode7;
    const double referenceResidual = MeanFourthPower(reference.residuals);
    bool sameParameters = true;
    for (std::size_t j = 0; j < ours->parameters.size(); ++j) {
      sameParameters = sameParameters && CloseRelative(ours->parameters[j], reference.parameters[j], 1e-9);
    }
    const bool sameResidual = CloseRelative(ours->residual, referenceResidual, 1e-9);
    // Going on may only have improved the fit: either the same point, or a
    // lower residual than where the reference stopped.
    const bool improved = ours->residual < referenceResidual;
    EXPECT_TRUE((sameParameters && sameResidual) || improved)
        << label << " residual " << ours->residual << " vs " << referenceResidual;
    if (!(sameParameters && sameResidual) && improved) {
      ++tally.improvedAfterCode7;
      std::printf(
          "%s: reference stopped with code 7 at residual %.9e; ours went on to %.9e (code %d, %d vs %d sweeps)\n",
          label.c_str(), referenceResidual, ours->residual, ours->completion, ours->sweeps, reference.sweeps);
    }
    EXPECT_GE(ours->sweeps, reference.sweeps) << label;
    return;
  }
  EXPECT_EQ(ours->completion, reference.completion) << label;
  EXPECT_EQ(ours->sweeps, reference.sweeps) << label;
  bool identical = ours->completion == reference.completion && ours->sweeps == reference.sweeps;
  for (std::size_t j = 0; j < ours->parameters.size(); ++j) {
    const bool same = SameBits(ours->parameters[j], reference.parameters[j]);
    EXPECT_TRUE(same) << label << " p" << j << " " << ours->parameters[j] << " vs " << reference.parameters[j];
    identical = identical && same;
  }
  for (std::size_t i = 0; i < ours->residuals.size(); ++i) {
    const bool same = SameBits(ours->residuals[i], reference.residuals[i]) ||
                      (std::isnan(ours->residuals[i]) && std::isnan(reference.residuals[i]));
    EXPECT_TRUE(same) << label << " r" << i;
    identical = identical && same;
  }
  FitResult referenceResult;
  referenceResult.parameters = reference.parameters;
  referenceResult.residual = MeanFourthPower(reference.residuals);
  EXPECT_EQ(FormatFitOutput(*ours), FormatFitOutput(referenceResult)) << label;
  if (identical) ++tally.identical;
}

std::string Describe(const Tally& tally, int total) {
  std::string text = std::to_string(total) + " problems: " + std::to_string(tally.identical) +
                     " identical to the bit, " + std::to_string(tally.referenceCode7) +
                     " reference code-7 stops compared by value (" + std::to_string(tally.improvedAfterCode7) +
                     " of them improved on); reference codes:";
  for (const auto& [code, count] : tally.codes) text += " " + std::to_string(code) + "x" + std::to_string(count);
  return text;
}

// Several hundred seeded problems over all ids: random point counts, m = n,
// starts outside the bounds and pinned parameters.
TEST(EngineOracle, RandomProblemsMatchReference) {
  std::mt19937 random(20240611);
  Tally tally;
  int total = 0;
  for (int id = 0; id <= 9; ++id) {
    const int n = GetVariableNumber(id);
    for (int round = 0; round < 32; ++round) {
      ProblemOptions options;
      options.pointCount = round % 8 == 0 ? n : 0;
      options.startOutside = round % 4 == 1;
      options.pinOne = round % 4 == 2;
      const FitRequest request = RandomProblem(id, random, options);
      const std::string label = "id " + std::to_string(id) + " round " + std::to_string(round);
      CompareWithReference(request, label, tally);
      ++total;
      if (HasFatalFailure()) return;
    }
  }
  std::printf("%s\n", Describe(tally, total).c_str());
  // Both kinds must be well represented, or the comparison proves little.
  EXPECT_GE(tally.identical, total / 8);
  EXPECT_GE(tally.referenceCode7, total / 8);
  EXPECT_EQ(tally.identical + tally.referenceCode7, total);
}

// The program's own typical problems, also through the exchange files.
TEST(EngineOracle, TypicalProblemsMatchReferenceThroughFiles) {
  std::mt19937 random(7);
  const int cases[][2] = {{0, 6}, {1, 20}, {2, 9}, {4, 12}, {2, 3}, {5, 4}};
  for (const auto& [id, points] : cases) {
    ProblemOptions options;
    options.pointCount = points;
    const FitRequest request = RandomProblem(id, random, options);
    const OracleResult reference = RunReference(request);
    ScratchFolder folder;
    folder.Write("data.txt", DataText(request));
    InFolder(folder.Path(), [] { CalcFitting(); });
    if (reference.completion == 7) continue;  // covered by value above
    FitResult expected;
    expected.parameters = reference.parameters;
    expected.residual = MeanFourthPower(reference.residuals);
    EXPECT_EQ(folder.Read("output.txt"), FormatFitOutput(expected)) << "id " << id << " N " << points;
  }
}

}  // namespace
}  // namespace lunvex::test
