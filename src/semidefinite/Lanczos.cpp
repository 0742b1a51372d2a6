// Lanczos with full reorthogonalization, the Ritz values from LAPACK's
// tridiagonal eigensolver.
#include "semidefinite/Lanczos.h"

#include <algorithm>
#include <cmath>
#include <random>

extern "C" void dstev_(const char* jobz, const int* n, double* d, double* e, double* z,
                       const int* ldz, double* work, int* info);

namespace semidefinida {

std::vector<ParRitz> Lanczos::extremos(int n, const Operador& a, int passos, int quantos,
                                       bool maiores, uint64_t semente,
                                       const std::vector<double>* inicio) {
  std::vector<ParRitz> r;
  if (n <= 0) return r;
  passos = std::max(1, std::min(passos, n));
  base_.resize(static_cast<size_t>(passos + 1) * n);
  w_.resize(static_cast<size_t>(n));
  alfa_.assign(static_cast<size_t>(passos), 0.0);
  beta_.assign(static_cast<size_t>(passos), 0.0);
  double* q0 = base_.data();
  std::mt19937_64 rng(semente);
  std::normal_distribution<double> N(0, 1);
  for (int i = 0; i < n; i++) q0[i] = inicio != nullptr ? (*inicio)[i] + 1e-3 * N(rng) : N(rng);
  double nq = 0;
  for (int i = 0; i < n; i++) nq += q0[i] * q0[i];
  nq = std::sqrt(nq);
  for (int i = 0; i < n; i++) q0[i] /= nq;
  int m = 0;  // steps made
  for (int j = 0; j < passos; j++) {
    const double* q = base_.data() + static_cast<size_t>(j) * n;
    a(q, w_.data());
    // Twice classical Gram-Schmidt against the whole basis keeps it
    // orthogonal to working precision.
    for (int vez = 0; vez < 2; vez++)
      for (int i = 0; i <= j; i++) {
        const double* qi = base_.data() + static_cast<size_t>(i) * n;
        double c = 0;
        for (int t = 0; t < n; t++) c += qi[t] * w_[t];
        if (vez == 0 && i == j) alfa_[j] = c;
        else if (i == j) alfa_[j] += c;
        for (int t = 0; t < n; t++) w_[t] -= c * qi[t];
      }
    double b = 0;
    for (int t = 0; t < n; t++) b += w_[t] * w_[t];
    b = std::sqrt(b);
    m = j + 1;
    beta_[j] = b;
    if (b < 1e-12 * (std::fabs(alfa_[j]) + 1.0)) break;  // an invariant subspace
    double* prox = base_.data() + static_cast<size_t>(j + 1) * n;
    for (int t = 0; t < n; t++) prox[t] = w_[t] / b;
  }
  std::vector<double> d(alfa_.begin(), alfa_.begin() + m), e(static_cast<size_t>(std::max(1, m)), 0.0);
  for (int j = 0; j + 1 < m; j++) e[j] = beta_[j];
  std::vector<double> z(static_cast<size_t>(m) * m), work(static_cast<size_t>(std::max(1, 2 * m - 2)));
  int info = 0;
  dstev_("V", &m, d.data(), e.data(), z.data(), &m, work.data(), &info);
  if (info != 0) return r;
  quantos = std::min(quantos, m);
  for (int c = 0; c < quantos; c++) {
    const int col = maiores ? m - 1 - c : c;  // dstev sorts ascending
    ParRitz p;
    p.valor = d[col];
    p.residuo = std::fabs(beta_[m - 1] * z[static_cast<size_t>(col) * m + (m - 1)]);
    p.vetor.assign(static_cast<size_t>(n), 0.0);
    for (int j = 0; j < m; j++) {
      const double zj = z[static_cast<size_t>(col) * m + j];
      const double* qj = base_.data() + static_cast<size_t>(j) * n;
      for (int t = 0; t < n; t++) p.vetor[t] += zj * qj[t];
    }
    double nv = 0;
    for (double x : p.vetor) nv += x * x;
    nv = std::sqrt(nv);
    if (nv > 0)
      for (double& x : p.vetor) x /= nv;
    r.push_back(std::move(p));
  }
  return r;
}

}  // namespace semidefinida
