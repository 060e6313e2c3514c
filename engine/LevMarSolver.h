#pragma once
// LevMarSolver: bounded least squares by Moré's Levenberg–Marquardt method
// with a trust region and a forward-difference Jacobian. Bounds are not the
// solver's business: the model clamps every vector it evaluates.
#include <span>
#include <vector>

#include "engine/Cappfunc.h"

namespace lunvex {

class LevMarSolver {
 public:
  static constexpr double kEpsmch = 2.220446049250313e-16;
  static constexpr double kDwarf = 2.2250738585072014e-308;

  // Completion codes of Fit and Minimize. There is deliberately no code 7.
  enum Completion : int {
    kImproperInput = 0,
    kSumOfSquaresConverged = 1,
    kStepConverged = 2,
    kBothConverged = 3,
    kOrthogonal = 4,
    kSweepLimit = 5,
    kFtolTooSmall = 6,
    kGtolTooSmall = 8,
  };

  double ftol = 1e-8;        // relative tolerance on the reduction of the sum of squares
  double xtol = 1e-8;        // relative tolerance on the step
  double gtol = 1e-8;        // tolerance on the residual/Jacobian-column cosine
  double factor = 100.0;     // initial step bound, as a multiple of the scaled |p|
  double epsfcn = 0.0;       // relative error of the function values
  int mode = 1;              // 1: scale variables automatically; 2: use `diag`
  int maxfev = 100000;       // largest number of sweeps
  int nprint = 0;            // >0: re-evaluate every nprint iterations (no printing)
  std::vector<double> fjac;  // m x n Jacobian, column-major, leading dimension ldfjac
  int ldfjac = 0;
  std::vector<double> diag;  // scale factors: the caller's in mode 2, the solver's in mode 1
  int nfev = 0;              // sweeps made by the last run

  // Fits `p` (n values, changed in place) to the model's first m points with
  // the residual functions r_i = (model(x_i) - y_i)^2, left in `fvec`.
  int Fit(Cappfunc& model, int m, int n, std::span<double> p, std::span<double> fvec, double tolerance,
          double stepFactor);
  int Minimize(Cappfunc& model, int m, int n, std::span<double> p, std::span<double> fvec);

  // Sub-steps, public so they can be checked one by one.
  static double EuclidNorm(std::span<const double> v);
  // Evaluates all m residual functions at p, in point order.
  static void Sweep(Cappfunc& model, int m, std::span<double> p, double* out);
  static void ForwardJacobian(Cappfunc& model, int m, int n, std::span<double> p, const double* fvec, double* jac,
                              int ldjac, double epsfcn, double* work);
  // Householder QR with column pivoting of the m x n matrix a (in place).
  static void QrFactor(int m, int n, double* a, int lda, int* ipvt, double* rdiag, double* acnorm, double* work);
  static void LmParameter(int n, double* r, int ldr, const int* ipvt, const double* diag, const double* qtb,
                          double delta, double& par, double* x, double* sdiag, double* work1, double* work2);
  static void QrSolve(int n, double* r, int ldr, const int* ipvt, const double* diag, const double* qtb, double* x,
                      double* sdiag, double* work);
};

}  // namespace lunvex
