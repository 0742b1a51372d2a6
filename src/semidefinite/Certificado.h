// The certificate of a dual bound: a lower bound on lambda_min(M(y)) proved
// by a sparse Cholesky factorization of M(y) - tI (CHOLMOD), with the
// rounding errors of forming and factoring the matrix bounded and charged
// to the bound.  A Lanczos estimate only chooses t; an inverse iteration on
// the factor then finds the negative eigenvectors, which an added diagonal
// can absorb (the bound grows by its sum, often far less than n |lambda_min|).
#ifndef BCT_SEMIDEFINITE_CERTIFICADO_H
#define BCT_SEMIDEFINITE_CERTIFICADO_H

#include <functional>
#include <memory>
#include <vector>

#include "semidefinite/Lanczos.h"
#include "semidefinite/MatrizDual.h"

namespace semidefinida {

struct Certificado {
  double limitante = 0;   // certified bound of the multipliers y below
  double lambdaMin = 0;   // certified lower bound on lambda_min(M(y))
  std::vector<double> y;  // the multipliers certified (the input's, perhaps with mu raised)
  int fatoracoes = 0;
  // Unit eigenvectors of M(y)'s negative eigenvalues, lowest first: where
  // the low-rank primal may grow.
  std::vector<std::vector<double>> direcoes;
};

class Certificador {
 public:
  // Analyses M's pattern once (its ordering and the factor's structure).
  explicit Certificador(const MatrizDual& md);
  ~Certificador();
  Certificador(const Certificador&) = delete;
  Certificador& operator=(const Certificador&) = delete;

  // A certified bound for y (nonnegative where the constraint is an
  // inequality).  `reparo`: try raising mu on the negative eigenvectors.
  // Once `basta` says so (looked at before each factorization but the
  // first), the bound proved so far: a factorization of a large piece takes
  // seconds, and a certificate several.
  Certificado certifica(const std::vector<double>& y, bool reparo, uint64_t semente,
                        const std::function<bool()>& basta = {});

  // Whether M(y) - tI factors (the proof that lambda_min(M(y)) >= t minus
  // margem(t)); the diagonal d of M(y) as MatrizDual::diagonal gives it.
  bool fatora(const std::vector<double>& y, const std::vector<double>& d, double t);
  // What rounding may hide below a successful factorization at t: the
  // Cholesky backward error and the error of M's computed diagonal.
  double margem(const std::vector<double>& d, const std::vector<double>& somaAbs, double t) const;
  // Floating-point operations of one factorization, from the analysis.
  double flopsDoFator() const;
  // x <- (M - tI)^{-1} x with the last successful factor.
  void resolve(const double* x, double* out);
  // A lower bound on lambda_min from Gershgorin's discs, rounding included:
  // no factorization, and far below the truth as a rule.
  double gershgorin(const std::vector<double>& y, const std::vector<double>& d,
                    const std::vector<double>& somaAbs);

 private:
  struct Cholmod;
  // M(y)'s entries into the matrix CHOLMOD is given (unshifted).
  void monta(const std::vector<double>& y, const std::vector<double>& d);
  // By node, the absolute sum of the off-diagonal entries of its row, for
  // values laid out as CHOLMOD's matrix is.
  std::vector<double> somasForaDaDiagonal(const double* valores) const;
  const MatrizDual& md_;
  std::unique_ptr<Cholmod> c_;
  Lanczos lanczos_;
  std::vector<double> d_, somaAbs_, tmp_;
  std::vector<double> absFora_;  // by stored entry: the absolute sum of its terms (general rows only)
};

}  // namespace semidefinida

#endif
