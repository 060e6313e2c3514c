#include "srn/EqBase.h"

#include <cmath>
#include <utility>

#include "host/InvalidArgument.h"
#include "host/NumberText.h"

namespace quorvel {

namespace {
constexpr std::size_t kDefaultParamCount = 8;
}  // namespace

CEqBase::CEqBase() : Params(kDefaultParamCount, 0.0), Residual(kNoValue) {}

CEqBase::CEqBase(std::string name) : Params(kDefaultParamCount, 0.0), Name(std::move(name)), Residual(kNoValue) {}

CEqBase::CEqBase(NoParams) : CEqBase() { Params.clear(); }

double CEqBase::Evaluate(double) const { return 0.0; }

int CEqBase::GetEquationId() const { return 0; }

std::unique_ptr<CEqBase> CEqBase::Clone() const { return std::make_unique<CEqBase>(*this); }

void CEqBase::ResetToDefaults() {
  Params.assign(kDefaultParamCount, 0.0);
  Name.clear();
  Residual = kNoValue;
  Selected = false;
}

void CEqBase::AppendParam(double value) { Params.push_back(value); }

double CEqBase::Param(std::size_t i) const { return i < Params.size() ? Params[i] : 0.0; }

// The formulas below keep the engine's operation order (see the model of the
// same id) so both sides compute bit-identical values.

CEq1Param::CEq1Param() : CEqBase(NoParams{}) {}

double CEq1Param::Evaluate(double x) const { return Param(0) * std::pow(x, -Param(1)) + Param(2); }

std::unique_ptr<CEqBase> CEq1Param::Clone() const { return std::make_unique<CEq1Param>(*this); }

CEq3Param::CEq3Param() : CEqBase(NoParams{}) {}

double CEq3Param::Evaluate(double x) const {
  double sum = Param(0);
  for (std::size_t k = 1; k < kDefaultParamCount; ++k) {
    sum += std::pow(x, static_cast<double>(k)) * Param(k);
  }
  return sum;
}

int CEq3Param::GetEquationId() const { return 2; }

std::unique_ptr<CEqBase> CEq3Param::Clone() const { return std::make_unique<CEq3Param>(*this); }

CEq4Param::CEq4Param() : CEqBase(NoParams{}) {}

double CEq4Param::Evaluate(double x) const {
  return (1.0 - std::exp(-x / Param(2))) * Param(1) + Param(0) + (1.0 - std::exp(-x / Param(4))) * Param(3);
}

int CEq4Param::GetEquationId() const { return 3; }

std::unique_ptr<CEqBase> CEq4Param::Clone() const { return std::make_unique<CEq4Param>(*this); }

CEq5Param::CEq5Param() : CEqBase(NoParams{}) {}

double CEq5Param::Evaluate(double x) const {
  return (1.0 - std::exp(-std::pow(x / Param(2), Param(3)))) * Param(1) + Param(0) +
         (1.0 - std::exp(-std::pow(x / Param(5), Param(6)))) * Param(4);
}

int CEq5Param::GetEquationId() const { return 4; }

std::unique_ptr<CEqBase> CEq5Param::Clone() const { return std::make_unique<CEq5Param>(*this); }

CEq6Param::CEq6Param() : CEqBase(NoParams{}) {}

double CEq6Param::Evaluate(double x) const { return std::exp(std::pow(x, Param(3)) * Param(2)) * Param(1) + Param(0); }

int CEq6Param::GetEquationId() const { return 5; }

std::unique_ptr<CEqBase> CEq6Param::Clone() const { return std::make_unique<CEq6Param>(*this); }

int EquationIdForFunctionCode(int code) { return code >= 0 && code <= 3 ? code + 2 : 2; }

int ParameterCountForEquationId(int id) {
  switch (id) {
    case 0:
      return 3;
    case 1:
      return 5;
    case 2:
      return 8;
    case 3:
      return 5;
    case 4:
      return 7;
    case 5:
      return 4;
    default:
      return 0;
  }
}

std::unique_ptr<CEqBase> MakeEquation(int equationId) {
  switch (equationId) {
    case 0:
      return std::make_unique<CEq1Param>();
    case 2:
      return std::make_unique<CEq3Param>();
    case 3:
      return std::make_unique<CEq4Param>();
    case 4:
      return std::make_unique<CEq5Param>();
    case 5:
      return std::make_unique<CEq6Param>();
    default:
      return nullptr;
  }
}

std::unique_ptr<CEqBase> MakeEquationForFunctionCode(int code) { return MakeEquation(EquationIdForFunctionCode(code)); }

EquationList::EquationList(const EquationList& other) {
  items_.reserve(other.items_.size());
  for (const auto& item : other.items_) items_.push_back(item->Clone());
}

EquationList& EquationList::operator=(const EquationList& other) {
  if (this != &other) {
    EquationList copy(other);
    items_ = std::move(copy.items_);
  }
  return *this;
}

CEqBase& EquationList::At(std::size_t index) {
  CheckIndex(static_cast<long long>(index), items_.size(), "EquationList::At");
  return *items_[index];
}

const CEqBase& EquationList::At(std::size_t index) const {
  CheckIndex(static_cast<long long>(index), items_.size(), "EquationList::At");
  return *items_[index];
}

CEqBase& EquationList::Append(std::unique_ptr<CEqBase> equation) {
  if (!equation) throw InvalidArgument("EquationList::Append: no equation");
  items_.push_back(std::move(equation));
  return *items_.back();
}

void EquationList::RemoveAt(std::size_t index) {
  CheckIndex(static_cast<long long>(index), items_.size(), "EquationList::RemoveAt");
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace quorvel
