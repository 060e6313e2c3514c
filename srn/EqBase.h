#pragma once
// Fitted curves of the SR-N form: the SR-N curve of one strain level and the
// curves of the liquefaction constants alpha, beta and C against DA. Each class
// evaluates the same formula, in the same operation order, as the engine model
// of its equation id, so the drawn curve is the fitted one.
#include <memory>
#include <string>
#include <vector>

namespace quorvel {

class CEqBase {
 public:
  // Eight zero parameters, empty name, no residual, not selected.
  CEqBase();
  explicit CEqBase(std::string name);
  virtual ~CEqBase() = default;

  // Value of the curve at x. A parameter the list does not hold counts as 0.0;
  // no checks: zero divisors and domain errors follow IEEE arithmetic.
  virtual double Evaluate(double x) const;
  // Equation id shared with the engine (0 for the base and CEq1Param).
  virtual int GetEquationId() const;
  // Deep copy keeping the concrete class.
  virtual std::unique_ptr<CEqBase> Clone() const;

  // Restores the state of default construction.
  void ResetToDefaults();
  void AppendParam(double value);
  // p_i, or 0.0 when the list is shorter.
  double Param(std::size_t i) const;

  std::vector<double> Params;  // parameters in the engine's order p0, p1, ...
  std::string Name;            // row label of the curve, or "α", "β", "C"
  double Residual;             // residual norm of the fit; -9e32 when there is none
  bool Selected = false;       // marked for hand-back to the host

 protected:
  // Concrete classes start without parameters: their creator appends them.
  struct NoParams {};
  explicit CEqBase(NoParams);
};

// SR-N curve SR = a * N^(-b) + c; id 0, 3 parameters.
class CEq1Param : public CEqBase {
 public:
  CEq1Param();
  double Evaluate(double x) const override;
  std::unique_ptr<CEqBase> Clone() const override;
};

// Polynomial A0 + sum A_i x^i, i = 1..7; id 2, 8 parameters.
class CEq3Param : public CEqBase {
 public:
  CEq3Param();
  double Evaluate(double x) const override;
  int GetEquationId() const override;
  std::unique_ptr<CEqBase> Clone() const override;
};

// A0 + A1 (1 - e^(-x/A2)) + A3 (1 - e^(-x/A4)); id 3, 5 parameters.
class CEq4Param : public CEqBase {
 public:
  CEq4Param();
  double Evaluate(double x) const override;
  int GetEquationId() const override;
  std::unique_ptr<CEqBase> Clone() const override;
};

// A0 + A1 (1 - e^(-(x/A2)^A3)) + A4 (1 - e^(-(x/A5)^A6)); id 4, 7 parameters.
class CEq5Param : public CEqBase {
 public:
  CEq5Param();
  double Evaluate(double x) const override;
  int GetEquationId() const override;
  std::unique_ptr<CEqBase> Clone() const override;
};

// A0 + A1 exp(A2 x^A3); id 5, 4 parameters.
class CEq6Param : public CEqBase {
 public:
  CEq6Param();
  double Evaluate(double x) const override;
  int GetEquationId() const override;
  std::unique_ptr<CEqBase> Clone() const override;
};

// Function code of a liquefaction constant (index of the page's function
// list) to equation id: 0..3 give 2..5, any other code (negative, no-value) 2.
int EquationIdForFunctionCode(int code);
// Number of parameters the engine fits for ids 0..5 (0 for other ids).
int ParameterCountForEquationId(int id);
// New empty curve of the class for equation id 0 or 2..5; nullptr otherwise.
std::unique_ptr<CEqBase> MakeEquation(int equationId);
// New empty curve of the class selected by a function code (never nullptr).
std::unique_ptr<CEqBase> MakeEquationForFunctionCode(int code);

// An ordered list that owns its curves. Index errors throw InvalidArgument.
class EquationList {
 public:
  EquationList() = default;
  EquationList(const EquationList& other);
  EquationList& operator=(const EquationList& other);
  EquationList(EquationList&&) noexcept = default;
  EquationList& operator=(EquationList&&) noexcept = default;
  ~EquationList() = default;

  std::size_t Count() const { return items_.size(); }
  bool IsEmpty() const { return items_.empty(); }
  CEqBase& At(std::size_t index);
  const CEqBase& At(std::size_t index) const;
  // Takes ownership; returns the appended curve. A null pointer is refused
  // with InvalidArgument.
  CEqBase& Append(std::unique_ptr<CEqBase> equation);
  void RemoveAt(std::size_t index);
  void Clear() { items_.clear(); }

 private:
  std::vector<std::unique_ptr<CEqBase>> items_;
};

}  // namespace quorvel
