#include "engine/LevMarSolver.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace lunvex {

namespace {
// 2^64: the square root of the largest single-precision value, rounded to
// single precision; components at least this large (over n) are summed scaled.
constexpr double kRootGiant = 18446744073709551616.0;
// The square root of the smallest normal double.
constexpr double kRootDwarf = 1.4916681462400413e-154;

double Square(double v) { return v * v; }

// The plain comparisons, not std::max/std::min: when one side is NaN the
// second argument comes out, so NaN reaches gnorm and the step bounds and
// the run goes on to a sweep-limit stop instead of a false convergence.
double Max(double a, double b) { return a > b ? a : b; }
double Min(double a, double b) { return a < b ? a : b; }
}  // namespace

double LevMarSolver::EuclidNorm(std::span<const double> v) {
  // Three classes of components, so that no square overflows or underflows:
  // small ones and large ones are summed relative to their running maximum.
  double sumLarge = 0.0;
  double sumMiddle = 0.0;
  double sumSmall = 0.0;
  double maxLarge = 0.0;
  double maxSmall = 0.0;
  const double giant = kRootGiant / static_cast<double>(v.size());
  for (const double component : v) {
    const double magnitude = std::fabs(component);
    if (magnitude > kRootDwarf && magnitude < giant) {
      sumMiddle += magnitude * magnitude;
    } else if (magnitude <= kRootDwarf) {
      if (magnitude > maxSmall) {
        sumSmall = 1.0 + sumSmall * Square(maxSmall / magnitude);
        maxSmall = magnitude;
      } else if (magnitude != 0.0) {
        sumSmall += Square(magnitude / maxSmall);
      }
    } else {
      // NaN lands here too and poisons the sum, as it should.
      if (magnitude > maxLarge) {
        sumLarge = 1.0 + sumLarge * Square(maxLarge / magnitude);
        maxLarge = magnitude;
      } else {
        sumLarge += Square(magnitude / maxLarge);
      }
    }
  }
  if (sumLarge != 0.0) return maxLarge * std::sqrt(sumLarge + sumMiddle / maxLarge / maxLarge);
  if (sumMiddle != 0.0) {
    if (sumMiddle >= maxSmall) return std::sqrt(sumMiddle * (1.0 + maxSmall / sumMiddle * (maxSmall * sumSmall)));
    return std::sqrt(maxSmall * (sumMiddle / maxSmall + maxSmall * sumSmall));
  }
  return maxSmall * std::sqrt(sumSmall);
}

void LevMarSolver::Sweep(Cappfunc& model, int m, std::span<double> p, double* out) {
  const double* xs = model.XValues().data();
  const double* ys = model.YValues().data();
  for (int i = 0; i < m; ++i) {
    const double difference = model.CalcValue(p, xs[i]) - ys[i];
    out[i] = difference * difference;
  }
}

void LevMarSolver::ForwardJacobian(Cappfunc& model, int m, int n, std::span<double> p, const double* fvec, double* jac,
                                   int ldjac, double epsfcn, double* work) {
  const double eps = std::sqrt(Max(epsfcn, kEpsmch));
  for (int j = 0; j < n; ++j) {
    const double saved = p[static_cast<std::size_t>(j)];
    double h = eps * std::fabs(saved);
    if (h == 0.0) h = eps;
    p[static_cast<std::size_t>(j)] = saved + h;
    Sweep(model, m, p, work);
    // Only p_j is restored: whatever else the model did to the vector (its
    // clamp, a derived parameter) stays, as it does for every evaluation.
    p[static_cast<std::size_t>(j)] = saved;
    double* column = jac + static_cast<std::ptrdiff_t>(j) * ldjac;
    for (int i = 0; i < m; ++i) column[i] = (work[i] - fvec[i]) / h;
  }
}

void LevMarSolver::QrFactor(int m, int n, double* a, int lda, int* ipvt, double* rdiag, double* acnorm, double* work) {
  const auto column = [a, lda](int j) { return a + static_cast<std::ptrdiff_t>(j) * lda; };
  for (int j = 0; j < n; ++j) {
    acnorm[j] = EuclidNorm(std::span<const double>(column(j), static_cast<std::size_t>(m)));
    rdiag[j] = acnorm[j];
    work[j] = rdiag[j];
    ipvt[j] = j;
  }
  const int steps = m < n ? m : n;
  for (int j = 0; j < steps; ++j) {
    // Bring the remaining column of largest norm to position j; the first of
    // equal norms wins.
    int kmax = j;
    for (int k = j; k < n; ++k) {
      if (rdiag[k] > rdiag[kmax]) kmax = k;
    }
    if (kmax != j) {
      std::swap_ranges(column(j), column(j) + m, column(kmax));
      rdiag[kmax] = rdiag[j];
      work[kmax] = work[j];
      std::swap(ipvt[j], ipvt[kmax]);
    }
    double* cj = column(j);
    double ajnorm = EuclidNorm(std::span<const double>(cj + j, static_cast<std::size_t>(m - j)));
    if (ajnorm != 0.0) {
      if (cj[j] < 0.0) ajnorm = -ajnorm;
      for (int i = j; i < m; ++i) cj[i] /= ajnorm;
      cj[j] += 1.0;
      for (int k = j + 1; k < n; ++k) {
        double* ck = column(k);
        double sum = 0.0;
        for (int i = j; i < m; ++i) sum += cj[i] * ck[i];
        const double temp = sum / cj[j];
        for (int i = j; i < m; ++i) ck[i] -= temp * cj[i];
        if (rdiag[k] != 0.0) {
          const double ratio = ck[j] / rdiag[k];
          rdiag[k] *= std::sqrt(Max(0.0, 1.0 - ratio * ratio));
          // Recompute the norm when the downdate has cancelled too much.
          if (0.05 * Square(rdiag[k] / work[k]) <= kEpsmch) {
            rdiag[k] = EuclidNorm(std::span<const double>(ck + j + 1, static_cast<std::size_t>(m - j - 1)));
            work[k] = rdiag[k];
          }
        }
      }
    }
    rdiag[j] = -ajnorm;
  }
}

void LevMarSolver::QrSolve(int n, double* r, int ldr, const int* ipvt, const double* diag, const double* qtb, double* x,
                           double* sdiag, double* work) {
  const auto at = [r, ldr](int i, int j) -> double& { return r[i + static_cast<std::ptrdiff_t>(j) * ldr]; };
  // Keep R in the upper triangle: work on its transpose in the lower one, and
  // park R's diagonal in x.
  for (int j = 0; j < n; ++j) {
    for (int i = j; i < n; ++i) at(i, j) = at(j, i);
    x[j] = at(j, j);
    work[j] = qtb[j];
  }
  for (int j = 0; j < n; ++j) {
    const int l = ipvt[j];
    if (diag[l] != 0.0) {
      for (int k = j; k < n; ++k) sdiag[k] = 0.0;
      sdiag[j] = diag[l];
      // Eliminate row j of D with Givens rotations; qtbpj is the extra
      // element of Q^T b that the rotations create.
      double qtbpj = 0.0;
      for (int k = j; k < n; ++k) {
        if (sdiag[k] == 0.0) continue;
        double sine = 0.0;
        double cosine = 0.0;
        if (std::fabs(at(k, k)) < std::fabs(sdiag[k])) {
          const double cotangent = at(k, k) / sdiag[k];
          sine = 0.5 / std::sqrt(0.25 + 0.25 * cotangent * cotangent);
          cosine = sine * cotangent;
        } else {
          const double tangent = sdiag[k] / at(k, k);
          cosine = 0.5 / std::sqrt(0.25 + 0.25 * tangent * tangent);
          sine = cosine * tangent;
        }
        at(k, k) = cosine * at(k, k) + sine * sdiag[k];
        const double temp = cosine * work[k] + sine * qtbpj;
        qtbpj = -sine * work[k] + cosine * qtbpj;
        work[k] = temp;
        for (int i = k + 1; i < n; ++i) {
          const double rotated = cosine * at(i, k) + sine * sdiag[i];
          sdiag[i] = -sine * at(i, k) + cosine * sdiag[i];
          at(i, k) = rotated;
        }
      }
    }
    sdiag[j] = at(j, j);
    at(j, j) = x[j];
  }
  // Back-substitution; a singular triangle is solved in least squares by
  // dropping everything from its first zero diagonal on.
  int nsing = n;
  for (int j = 0; j < n; ++j) {
    if (sdiag[j] == 0.0 && nsing == n) nsing = j;
    if (nsing < n) work[j] = 0.0;
  }
  for (int j = nsing - 1; j >= 0; --j) {
    double sum = 0.0;
    for (int i = j + 1; i < nsing; ++i) sum += at(i, j) * work[i];
    work[j] = (work[j] - sum) / sdiag[j];
  }
  for (int j = 0; j < n; ++j) x[ipvt[j]] = work[j];
}

void LevMarSolver::LmParameter(int n, double* r, int ldr, const int* ipvt, const double* diag, const double* qtb,
                               double delta, double& par, double* x, double* sdiag, double* work1, double* work2) {
  const auto at = [r, ldr](int i, int j) -> double& { return r[i + static_cast<std::ptrdiff_t>(j) * ldr]; };
  const auto norm = [n](const double* v) {
    return EuclidNorm(std::span<const double>(v, static_cast<std::size_t>(n)));
  };
  // Gauss-Newton direction; rank deficient R is solved in least squares.
  int nsing = n;
  for (int j = 0; j < n; ++j) {
    work1[j] = qtb[j];
    if (at(j, j) == 0.0 && nsing == n) nsing = j;
    if (nsing < n) work1[j] = 0.0;
  }
  for (int j = nsing - 1; j >= 0; --j) {
    work1[j] /= at(j, j);
    const double temp = work1[j];
    for (int i = 0; i < j; ++i) work1[i] -= at(i, j) * temp;
  }
  for (int j = 0; j < n; ++j) x[ipvt[j]] = work1[j];

  int iteration = 0;
  for (int j = 0; j < n; ++j) work2[j] = diag[j] * x[j];
  double dxnorm = norm(work2);
  double fp = dxnorm - delta;
  if (fp <= 0.1 * delta) {
    par = 0.0;
    return;
  }

  // Lower bound from the Newton step, when R has full rank.
  double parl = 0.0;
  if (nsing >= n) {
    for (int j = 0; j < n; ++j) {
      const int l = ipvt[j];
      work1[j] = diag[l] * (work2[l] / dxnorm);
    }
    for (int j = 0; j < n; ++j) {
      double sum = 0.0;
      for (int i = 0; i < j; ++i) sum += at(i, j) * work1[i];
      work1[j] = (work1[j] - sum) / at(j, j);
    }
    const double temp = norm(work1);
    parl = fp / delta / temp / temp;
  }

  // Upper bound.
  for (int j = 0; j < n; ++j) {
    double sum = 0.0;
    for (int i = 0; i <= j; ++i) sum += at(i, j) * qtb[i];
    work1[j] = sum / diag[ipvt[j]];
  }
  const double gnorm = norm(work1);
  double paru = gnorm / delta;
  if (paru == 0.0) paru = kDwarf / Min(delta, 0.1);

  par = Max(par, parl);
  par = Min(par, paru);
  if (par == 0.0) par = gnorm / dxnorm;

  for (;;) {
    ++iteration;
    if (par == 0.0) par = Max(kDwarf, 0.001 * paru);
    const double root = std::sqrt(par);
    for (int j = 0; j < n; ++j) work1[j] = root * diag[j];
    QrSolve(n, r, ldr, ipvt, work1, qtb, x, sdiag, work2);
    for (int j = 0; j < n; ++j) work2[j] = diag[j] * x[j];
    dxnorm = norm(work2);
    const double previousFp = fp;
    fp = dxnorm - delta;
    if (std::fabs(fp) <= 0.1 * delta || (parl == 0.0 && fp <= previousFp && previousFp < 0.0) || iteration == 10) {
      break;
    }
    // Newton correction.
    for (int j = 0; j < n; ++j) {
      const int l = ipvt[j];
      work1[j] = diag[l] * (work2[l] / dxnorm);
    }
    for (int j = 0; j < n; ++j) {
      work1[j] /= sdiag[j];
      const double temp = work1[j];
      for (int i = j + 1; i < n; ++i) work1[i] -= at(i, j) * temp;
    }
    const double temp = norm(work1);
    const double parc = fp / delta / temp / temp;
    if (fp > 0.0) parl = Max(parl, par);
    if (fp < 0.0) paru = Min(paru, par);
    par = Max(parl, par + parc);
  }
}

int LevMarSolver::Fit(Cappfunc& model, int m, int n, std::span<double> p, std::span<double> fvec, double tolerance,
                      double stepFactor) {
  ftol = tolerance;
  xtol = tolerance;
  gtol = 0.0;
  factor = stepFactor;
  mode = 1;
  maxfev = 200 * (n + 1);
  ldfjac = m;
  fjac.assign(m > 0 && n > 0 ? static_cast<std::size_t>(m) * static_cast<std::size_t>(n) : 0, 0.0);
  return Minimize(model, m, n, p, fvec);
}

int LevMarSolver::Minimize(Cappfunc& model, int m, int n, std::span<double> p, std::span<double> fvec) {
  nfev = 0;
  if (n < 1 || m < n || ldfjac < m || ftol < 0.0 || xtol < 0.0 || gtol < 0.0 || maxfev <= 0 || factor <= 0.0) {
    return kImproperInput;
  }
  const auto un = static_cast<std::size_t>(n);
  const auto um = static_cast<std::size_t>(m);
  // Storage the caller handed over too small, or fewer points than m: refuse
  // rather than read or write outside a list.
  if (p.size() < un || fvec.size() < um || model.XValues().size() < um || model.YValues().size() < um ||
      fjac.size() < static_cast<std::size_t>(ldfjac) * (un - 1) + um) {
    return kImproperInput;
  }
  if (mode == 2) {
    if (diag.size() < un) return kImproperInput;
    for (std::size_t j = 0; j < un; ++j) {
      if (diag[j] <= 0.0) return kImproperInput;
    }
  } else {
    diag.assign(un, 0.0);
  }

  std::vector<double> storage(4 * un + um);
  double* wa1 = storage.data();
  double* wa2 = wa1 + n;
  double* wa3 = wa2 + n;
  double* qtf = wa3 + n;
  double* wa4 = qtf + n;
  std::vector<int> ipvt(un);
  double* scale = diag.data();  // left holding the final scale factors
  double* x = p.data();
  double* f = fvec.data();
  double* a = fjac.data();
  const auto column = [a, this](int j) { return a + static_cast<std::ptrdiff_t>(j) * ldfjac; };
  const auto normN = [n](const double* v) {
    return EuclidNorm(std::span<const double>(v, static_cast<std::size_t>(n)));
  };
  const auto normM = [m](const double* v) {
    return EuclidNorm(std::span<const double>(v, static_cast<std::size_t>(m)));
  };
  const std::span<double> trial(wa2, un);

  Sweep(model, m, p, f);
  nfev = 1;
  double fnorm = normM(f);
  double par = 0.0;
  double xnorm = 0.0;
  double delta = 0.0;
  int iter = 1;
  int info = 0;

  for (;;) {
    ForwardJacobian(model, m, n, p, f, a, ldfjac, epsfcn, wa4);
    nfev += n;
    if (nprint > 0 && (iter - 1) % nprint == 0) Sweep(model, m, p, f);

    QrFactor(m, n, a, ldfjac, ipvt.data(), wa1, wa2, wa3);

    if (iter == 1) {
      if (mode != 2) {
        for (int j = 0; j < n; ++j) scale[j] = wa2[j] == 0.0 ? 1.0 : wa2[j];
      }
      for (int j = 0; j < n; ++j) wa3[j] = scale[j] * x[j];
      xnorm = normN(wa3);
      delta = factor * xnorm;
      if (delta == 0.0) delta = factor;
    }

    // Q^T fvec: its first n entries are qtf.
    std::copy(f, f + m, wa4);
    for (int j = 0; j < n; ++j) {
      double* cj = column(j);
      if (cj[j] != 0.0) {
        double sum = 0.0;
        for (int i = j; i < m; ++i) sum += cj[i] * wa4[i];
        const double temp = -sum / cj[j];
        for (int i = j; i < m; ++i) wa4[i] += cj[i] * temp;
      }
      cj[j] = wa1[j];
      qtf[j] = wa4[j];
    }

    // Largest cosine between the residual vector and a Jacobian column.
    double gnorm = 0.0;
    if (fnorm != 0.0) {
      for (int j = 0; j < n; ++j) {
        const int l = ipvt[static_cast<std::size_t>(j)];
        if (wa2[l] != 0.0) {
          const double* cj = column(j);
          double sum = 0.0;
          for (int i = 0; i <= j; ++i) sum += cj[i] * (qtf[i] / fnorm);
          gnorm = Max(gnorm, std::fabs(sum / wa2[l]));
        }
      }
    }
    if (gnorm <= gtol) {
      info = kOrthogonal;
      break;
    }
    if (mode != 2) {
      for (int j = 0; j < n; ++j) scale[j] = Max(scale[j], wa2[j]);
    }

    double ratio = 0.0;
    do {
      LmParameter(n, a, ldfjac, ipvt.data(), scale, qtf, delta, par, wa1, wa2, wa3, wa4);
      for (int j = 0; j < n; ++j) {
        wa1[j] = -wa1[j];
        wa2[j] = x[j] + wa1[j];
        wa3[j] = scale[j] * wa1[j];
      }
      const double pnorm = normN(wa3);
      if (iter == 1) delta = Min(delta, pnorm);

      Sweep(model, m, trial, wa4);
      ++nfev;
      const double fnorm1 = normM(wa4);

      double actred = -1.0;
      if (0.1 * fnorm1 < fnorm) actred = 1.0 - Square(fnorm1 / fnorm);

      // Predicted reduction and directional derivative.
      for (int j = 0; j < n; ++j) {
        wa3[j] = 0.0;
        const double temp = wa1[ipvt[static_cast<std::size_t>(j)]];
        const double* cj = column(j);
        for (int i = 0; i <= j; ++i) wa3[i] += cj[i] * temp;
      }
      const double temp1 = normN(wa3) / fnorm;
      const double temp2 = std::sqrt(par) * pnorm / fnorm;
      const double prered = temp1 * temp1 + temp2 * temp2 / 0.5;
      const double dirder = -(temp1 * temp1 + temp2 * temp2);
      ratio = prered != 0.0 ? actred / prered : 0.0;

      // Update the step bound.
      if (ratio < 0.25) {
        double temp = actred >= 0.0 ? 0.5 : 0.5 * dirder / (dirder + 0.5 * actred);
        if (0.1 * fnorm1 > fnorm || temp < 0.1) temp = 0.1;
        delta = temp * Min(delta, pnorm / 0.1);
        par /= temp;
      } else if (par == 0.0 || ratio >= 0.75) {
        delta = pnorm / 0.5;
        par = 0.5 * par;
      }

      if (ratio >= 1e-4) {
        // Accept the trial point as the model clamped it.
        for (int j = 0; j < n; ++j) {
          x[j] = wa2[j];
          wa2[j] = scale[j] * x[j];
        }
        std::copy(wa4, wa4 + m, f);
        xnorm = normN(wa2);
        fnorm = fnorm1;
        ++iter;
      }

      // Convergence tests: the first that applies decides the code.
      if (std::fabs(actred) <= ftol && prered <= ftol && 0.5 * ratio <= 1.0) info = kSumOfSquaresConverged;
      if (delta <= xtol * xnorm) info = info == kSumOfSquaresConverged ? kBothConverged : kStepConverged;
      if (info != 0) return info;
      if (nfev >= maxfev) {
        info = kSweepLimit;
      } else if (std::fabs(actred) <= kEpsmch && prered <= kEpsmch && 0.5 * ratio <= 1.0) {
        info = kFtolTooSmall;
      } else if (gnorm <= kEpsmch) {
        info = kGtolTooSmall;
      }
      if (info != 0) return info;
    } while (ratio < 1e-4);
  }
  return info;
}

}  // namespace lunvex
