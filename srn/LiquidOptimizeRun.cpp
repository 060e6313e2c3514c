#include "srn/LiquidOptimizeRun.h"

#include <algorithm>

#include "host/NumberText.h"
#include "host/RandomGenerator.h"
#include "srn/SrnOptimizeRun.h"

namespace quorvel {
namespace {

std::string ExchangeText(const std::string& cell) { return TrimTrailingZeros(Trim(cell)); }

std::size_t Index(int value) { return static_cast<std::size_t>(value); }

// Puts `curve` in place of entry `index` (appending placeholders up to it).
void ReplaceCurve(EquationList& list, std::size_t index, std::unique_ptr<CEqBase> curve) {
  EquationList rebuilt;
  for (std::size_t i = 0; i < std::max(list.Count(), index + 1); ++i) {
    if (i == index)
      rebuilt.Append(std::move(curve));
    else if (i < list.Count())
      rebuilt.Append(list.At(i).Clone());
    else
      rebuilt.Append(std::make_unique<CEqBase>());
  }
  list = std::move(rebuilt);
}

}  // namespace

int LiquidEquationId(int functionIndex) { return EquationIdForFunctionCode(functionIndex); }

int LiquidParameterCount(int functionIndex) { return ParameterCountForEquationId(LiquidEquationId(functionIndex)); }

LiquidOptimizeSheet FillLiquidSheet(const SrnFormRecord& form) {
  LiquidOptimizeSheet sheet;
  const ConstantFitSettings& settings = form.ConstantSettings;
  for (std::size_t r = 0; r < ConstantFitSettings::kRows; ++r)
    for (std::size_t c = 0; c < ConstantFitSettings::kColumns; ++c)
      sheet.Input[r][c] = FormatTrimmed(settings.Cells[r][c], 6);
  for (std::size_t k = 0; k < 3; ++k) {
    const int code = settings.FunctionCodes[k];
    sheet.Function[k] = code >= 0 && code <= 3 ? code : 0;
  }
  for (std::size_t k = 0; k < 3 && k < form.ConstantCurves.Count(); ++k) {
    const CEqBase& curve = form.ConstantCurves.At(k);
    for (std::size_t p = 0; p < curve.Params.size() && p < 8; ++p)
      sheet.Results[k][p] = FormatFixed(curve.Params[p], 6);
    sheet.Results[k][8] = SrnResidualText(curve.Residual);
  }
  sheet.RandomRetry = settings.RandomStartAllowed;
  sheet.MaximumTrials = settings.MaximumTrials;
  sheet.Tolerance = settings.Tolerance;
  return sheet;
}

void StoreLiquidSheet(const LiquidOptimizeSheet& sheet, ConstantFitSettings& settings) {
  for (std::size_t r = 0; r < ConstantFitSettings::kRows; ++r)
    for (std::size_t c = 0; c < ConstantFitSettings::kColumns; ++c)
      settings.Cells[r][c] = SrnCellValue(sheet.Input[r][c]);
  settings.FunctionCodes = sheet.Function;
  settings.MaximumTrials = sheet.MaximumTrials;
  settings.RandomStartAllowed = sheet.RandomRetry;
  settings.Tolerance = sheet.Tolerance;
}

void BuildConstantPointLists(SrnFormRecord& form) {
  form.DaGraph.Clear();
  for (const char* name : kConstantNames) form.DaGraph.Append(CPointDataList(name));
  for (std::size_t i = 0; i < form.SrnCurves.Count(); ++i) {
    const CEqBase& curve = form.SrnCurves.At(i);
    const double da = ParseDouble(curve.Name);
    for (std::size_t k = 0; k < 3; ++k) {
      const double value = curve.Param(k);
      form.DaGraph.At(k).AppendPoint(da, IsNoValue(value) ? 0.0 : value);
    }
  }
  form.DaGraph.RangesOutOfDate = true;
}

std::optional<std::pair<int, int>> FindMissingLiquidCell(const LiquidOptimizeSheet& sheet) {
  for (int k = 0; k < 3; ++k) {
    const int n = LiquidParameterCount(sheet.Function[Index(k)]);
    for (int row = 3 * k + 1; row <= 3 * k + 3; ++row)
      for (int col = 1; col <= n; ++col)
        if (IsNoValue(ParseDoubleRounded(-1, sheet.Input[Index(row - 1)][Index(col - 1)]))) return std::pair(row, col);
  }
  return std::nullopt;
}

EngineRequest LiquidOptimizeRun::BuildRequest(int k) const {
  EngineRequest request;
  const std::size_t constant = Index(k);
  const int function = sheet_.Function[constant];
  request.EquationId = LiquidEquationId(function);
  const int n = LiquidParameterCount(function);
  const auto& initial = sheet_.Input[constant * 3];
  const auto& lower = sheet_.Input[constant * 3 + 1];
  const auto& upper = sheet_.Input[constant * 3 + 2];
  for (std::size_t i = 0; i < Index(n); ++i) request.InitialValues.push_back(ExchangeText(initial[i]));
  for (std::size_t i = 0; i < Index(n); ++i)
    request.Bounds.emplace_back(ExchangeText(lower[i]), ExchangeText(upper[i]));
  if (constant < form_.DaGraph.Count())
    for (const CDPoint& point : form_.DaGraph.At(constant).Points())
      request.Points.emplace_back(FormatTrimmed(point.x, 10), FormatTrimmed(point.y, 10));
  return request;
}

bool LiquidOptimizeRun::FitConstant(int k, const Progress& progress) {
  if (form_.DaGraph.Count() < 3) return false;
  const std::size_t constant = Index(k);
  const int function = sheet_.Function[constant];
  const int n = LiquidParameterCount(function);
  const EngineRequest request = BuildRequest(k);
  if (!IsCompleteRequest(request)) return false;  // never sent
  const EngineResult result = caller_.Fit(request, n);
  ++trials_[constant];
  if (!result.Fitted()) {
    if (result.Status == EngineStatus::NoOutput && progress) progress();
    return false;
  }
  auto equation = MakeEquation(LiquidEquationId(function));
  equation->Name = kConstantNames[constant];
  equation->Residual = result.Residual;
  for (double value : result.Parameters) equation->AppendParam(value);

  auto& row = sheet_.Results[constant];
  const double shown = SrnCellValue(row[8], 0.0);
  if (!(shown > result.Residual)) return false;
  row[8] = SrnResidualText(result.Residual);
  for (std::size_t p = 0; p < Index(n); ++p) {
    double value = result.Parameters[p];
    if (IsNoValue(value) && request.EquationId == 2) value = 0.0;
    row[p] = FormatFixed(value, 6);
  }
  ReplaceCurve(form_.ConstantCurves, constant, std::move(equation));
  return true;
}

void LiquidOptimizeRun::DrawInitialValues(int k) {
  const double u = NextUniform();
  const std::size_t constant = Index(k);
  auto& initial = sheet_.Input[constant * 3];
  const auto& lower = sheet_.Input[constant * 3 + 1];
  const auto& upper = sheet_.Input[constant * 3 + 2];
  for (std::size_t i = 0; i < 8; ++i) {
    const double low = SrnCellValue(lower[i]);
    const double high = SrnCellValue(upper[i]);
    initial[i] = FormatFixed(low + u * (high - low), 6);
  }
}

bool LiquidOptimizeRun::Run(const Progress& progress) {
  for (auto& row : sheet_.Results) {
    row.fill(std::string());
    row[8] = SrnResidualText(kLiquidStartResidual);
  }
  form_.ConstantCurves.Clear();
  for (const char* name : kConstantNames) form_.ConstantCurves.Append(std::make_unique<CEqBase>(name));
  trials_ = {};
  const int trials = std::max(sheet_.MaximumTrials, 1);
  for (int k = 0; k < 3; ++k) {
    for (int trial = 0; trial < trials; ++trial) {
      if (trial > 0) {
        if (!sheet_.RandomRetry) break;
        DrawInitialValues(k);
      }
      FitConstant(k, progress);
      const double residual = SrnCellValue(sheet_.Results[Index(k)][8], 0.0);
      if (sheet_.Tolerance > residual) break;
      if (progress) progress();
    }
  }
  form_.Unchanged = false;
  for (const auto& row : sheet_.Results)
    if (SrnCellValue(row[8], 0.0) >= kLiquidStartResidual) return false;
  return true;
}

}  // namespace quorvel
