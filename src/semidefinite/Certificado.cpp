// Why a successful factorization proves the bound.  Let A be the matrix
// CHOLMOD is given, A = fl(M(y)) - tI as computed here.  Demmel's backward
// error bound for Cholesky in floating point (Higham, Accuracy and
// Stability of Numerical Algorithms, 2nd ed., Thm. 10.5 and 10.7) says: if
// the factorization runs to completion (every pivot computed positive),
// the computed factor satisfies R^T R = A + dA with
// |dA_ij| <= g/(1-g) sqrt(a_ii a_jj), g = (n+1)u/(1-(n+1)u), for any order
// of the inner products (so also the supernodal, BLAS-blocked one).  Then
// ||dA||_2 <= g/(1-g) trace(A) and A + dA is positive semidefinite, so
// lambda_min(A) >= -g/(1-g) trace(A).  The off-diagonal entries -s lambda/2
// are exact in binary (a sum of terms only with the second block's rows,
// charged separately); each diagonal entry is a sum of at most T terms,
// within gamma_T times the sum of their absolute values of the exact one
// (plus one rounding for the shift inside CHOLMOD), and a diagonal error
// moves every eigenvalue by at most its largest entry (Weyl).  So
// lambda_min(M(y)) >= t - margem(t) whenever M(y) - tI factors; the bound
// then uses that lower bound (limitanteDosTermos below).  Values here are
// far from underflow.
#include "semidefinite/Certificado.h"

#include <cholmod.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace semidefinida {

namespace {

// The bound of multipliers whose constant part is C and whose M has
// lambda_min >= -e (e >= 0).  Every feasible Y has trace(Y) = C - <M, Y>
// <= C + e trace(Y), and trace(Y) <= k, so both C + k e and, for e < 1,
// C / (1 - e) bound the relaxation; the second is the lower while C is below
// k (1 - e), as it is once the multipliers settle (Slashdot's piece:
// C = 33,830, k = 38,591).  The factor covers the division's rounding.
// With the second block, trace(X) = 2 trace(Y) + 1 and the optimum's own
// trace gives (C + e) / (1 - 2e) instead; in general (C + b e) / (1 - a e).
double limitanteDosTermos(const MatrizDual& md, double constante, double lambdaMin) {
  const double e = std::max(0.0, -lambdaMin);
  const double porK = constante + md.numNos() * e;
  const double a = md.tracoPorValor(), b = md.tracoFixo();
  if (a * e >= 1 || constante < 0) return porK;
  const double u = std::numeric_limits<double>::epsilon();
  return std::min(porK, (constante + b * e) / (1 - a * e) * (1 + 8 * u));
}

}  // namespace

struct Certificador::Cholmod {
  cholmod_common c;
  cholmod_sparse* a = nullptr;
  cholmod_factor* l = nullptr;
  cholmod_dense* b = nullptr;
  std::vector<int64_t> posDiag;  // position of column j's diagonal in a->x
  std::vector<int64_t> posAresta;  // position of edge e's entry (-1: double edge)
  std::vector<int64_t> posFora;  // position of each off-diagonal term of the general rows
  bool fatorado = false;
  Cholmod() { cholmod_start(&c); }
  ~Cholmod() {
    if (b != nullptr) cholmod_free_dense(&b, &c);
    if (l != nullptr) cholmod_free_factor(&l, &c);
    if (a != nullptr) cholmod_free_sparse(&a, &c);
    cholmod_finish(&c);
  }
};

Certificador::Certificador(const MatrizDual& md) : md_(md), c_(std::make_unique<Cholmod>()) {
  const int k = md.numNos();
  cholmod_common& c = c_->c;
  c.print = 0;
  c.supernodal = CHOLMOD_SUPERNODAL;  // always LL^T, whose pivots are the proof
  c.quick_return_if_not_posdef = 1;
  // Column j: the diagonal, then the rows below it, each once (an edge of
  // Y may also be a term of a general row).
  std::vector<std::vector<int>> abaixo(static_cast<size_t>(k));
  for (int e = 0; e < md.numArestas(); e++)
    if (md.sinal(e) != 0)
      abaixo[std::min(md.arestaU(e), md.arestaW(e))].push_back(std::max(md.arestaU(e), md.arestaW(e)));
  const int64_t termos = md.inicioFora().back();
  for (int64_t t = 0; t < termos; t++)
    abaixo[std::min(md.foraI(t), md.foraJ(t))].push_back(std::max(md.foraI(t), md.foraJ(t)));
  int64_t nnz = k;
  for (auto& col : abaixo) {
    std::sort(col.begin(), col.end());
    col.erase(std::unique(col.begin(), col.end()), col.end());
    nnz += static_cast<int64_t>(col.size());
  }
  c_->a = cholmod_allocate_sparse(k, k, static_cast<size_t>(std::max<int64_t>(nnz, 1)), 1, 1, -1,
                                  CHOLMOD_REAL, &c);
  int* ap = static_cast<int*>(c_->a->p);
  int* ai = static_cast<int*>(c_->a->i);
  c_->posDiag.assign(static_cast<size_t>(k), 0);
  int64_t t = 0;
  for (int j = 0; j < k; j++) {
    ap[j] = static_cast<int>(t);
    c_->posDiag[j] = t;
    ai[t++] = j;
    for (const int w : abaixo[j]) {
      ai[t++] = w;
    }
  }
  ap[k] = static_cast<int>(t);
  auto posicao = [&](int i, int j) {
    const int lo = std::min(i, j), hi = std::max(i, j);
    const std::vector<int>& col = abaixo[lo];
    return c_->posDiag[lo] + 1 + (std::lower_bound(col.begin(), col.end(), hi) - col.begin());
  };
  c_->posAresta.assign(static_cast<size_t>(md.numArestas()), -1);
  for (int e = 0; e < md.numArestas(); e++)
    if (md.sinal(e) != 0) c_->posAresta[e] = posicao(md.arestaU(e), md.arestaW(e));
  c_->posFora.resize(static_cast<size_t>(termos));
  for (int64_t x = 0; x < termos; x++) c_->posFora[x] = posicao(md.foraI(x), md.foraJ(x));
  c_->l = cholmod_analyze(c_->a, &c);
  c_->b = cholmod_allocate_dense(k, 1, k, CHOLMOD_REAL, &c);
}

Certificador::~Certificador() = default;

double Certificador::flopsDoFator() const { return c_->c.fl; }

std::vector<double> Certificador::somasForaDaDiagonal(const double* valores) const {
  // Only the lower triangle is stored: an entry counts in its row and its column.
  const int k = md_.numNos();
  const int* ap = static_cast<const int*>(c_->a->p);
  const int* ai = static_cast<const int*>(c_->a->i);
  std::vector<double> soma(static_cast<size_t>(k), 0.0);
  for (int j = 0; j < k; j++)
    for (int x = ap[j] + 1; x < ap[j + 1]; x++) {  // the diagonal comes first
      soma[j] += std::fabs(valores[x]);
      soma[ai[x]] += std::fabs(valores[x]);
    }
  return soma;
}

void Certificador::monta(const std::vector<double>& y, const std::vector<double>& d) {
  const int k = md_.numNos();
  double* ax = static_cast<double*>(c_->a->x);
  const int64_t guardadas = static_cast<const int*>(c_->a->p)[k];
  std::fill(ax, ax + guardadas, 0.0);
  for (int j = 0; j < k; j++) ax[c_->posDiag[j]] = d[j];
  for (int e = 0; e < md_.numArestas(); e++)
    if (c_->posAresta[e] >= 0) ax[c_->posAresta[e]] = -0.5 * md_.sinal(e) * y[md_.k() + e];
  if (md_.numGerais() == 0) return;
  // Entries that are sums round: their error is charged in margem, from the
  // sum of their terms' absolute values.
  absFora_.assign(static_cast<size_t>(guardadas), 0.0);
  for (int e = 0; e < md_.numArestas(); e++)
    if (c_->posAresta[e] >= 0) absFora_[c_->posAresta[e]] = std::fabs(ax[c_->posAresta[e]]);
  for (int g = 0; g < md_.numGerais(); g++) {
    const double yg = y[md_.primeiraGeral() + g];
    if (yg == 0) continue;
    for (int64_t x = md_.inicioFora()[g]; x < md_.inicioFora()[g + 1]; x++) {
      ax[c_->posFora[x]] += 0.5 * md_.foraCoef(x) * yg;
      absFora_[c_->posFora[x]] += std::fabs(0.5 * md_.foraCoef(x) * yg);
    }
  }
}

bool Certificador::fatora(const std::vector<double>& y, const std::vector<double>& d, double t) {
  const int k = md_.numNos();
  if (k == 0) return true;
  monta(y, d);
  double beta[2] = {-t, 0};
  cholmod_common& c = c_->c;
  c.status = CHOLMOD_OK;
  const int ok = cholmod_factorize_p(c_->a, beta, nullptr, 0, c_->l, &c);
  c_->fatorado = ok && c.status == CHOLMOD_OK && c_->l->minor == static_cast<size_t>(k);
  return c_->fatorado;
}

double Certificador::margem(const std::vector<double>& d, const std::vector<double>& somaAbs,
                            double t) const {
  const int k = md_.numNos();
  const double u = std::numeric_limits<double>::epsilon() / 2;
  const double nu = (k + 1) * u;
  const double g = nu / (1 - nu);
  double traco = 0, forma = 0;
  // Terms of a diagonal entry: mu, -1, its edges and its row terms.
  const double termos = 2.0 + md_.numArestas() + md_.numLinhas() + md_.numGerais() + 2.0 * k;
  const double gT = termos * u / (1 - termos * u);
  for (int v = 0; v < k; v++) {
    traco += std::fabs(d[v] - t);
    forma = std::max(forma, gT * (somaAbs[v] + std::fabs(t)) + u * std::fabs(d[v] - t));
  }
  // Off the diagonal, an entry summed from a few terms (the second block's
  // rows) is within 4u of their absolute sum; the error matrix's norm is at
  // most its largest row sum (Gershgorin).
  double fora = 0;
  if (md_.numGerais() > 0)
    for (const double l : somasForaDaDiagonal(absFora_.data())) fora = std::max(fora, 4 * u * l);
  // The trace itself summed with its own rounding, hence the 1.01.
  return 1.01 * g / (1 - g) * traco + forma + fora;
}

void Certificador::resolve(const double* x, double* out) {
  const int k = md_.numNos();
  double* bx = static_cast<double*>(c_->b->x);
  std::copy(x, x + k, bx);
  cholmod_dense* s = cholmod_solve(CHOLMOD_A, c_->l, c_->b, &c_->c);
  const double* sx = static_cast<const double*>(s->x);
  std::copy(sx, sx + k, out);
  cholmod_free_dense(&s, &c_->c);
}

double Certificador::gershgorin(const std::vector<double>& y, const std::vector<double>& d,
                                const std::vector<double>& somaAbs) {
  const int k = md_.numNos();
  if (k == 0) return 0;
  monta(y, d);
  const std::vector<double> raio = somasForaDaDiagonal(static_cast<const double*>(c_->a->x));
  double menor = std::numeric_limits<double>::infinity(), erro = 0;
  const double u = std::numeric_limits<double>::epsilon() / 2;
  const double termos = 2.0 + md_.numArestas() + md_.numLinhas() + md_.numGerais() + 2.0 * k;
  for (int v = 0; v < k; v++) {
    menor = std::min(menor, d[v] - raio[v]);
    erro = std::max(erro, 2 * termos * u * (somaAbs[v] + raio[v]));
  }
  return menor - erro;
}

Certificado Certificador::certifica(const std::vector<double>& y, bool reparo, uint64_t semente,
                                    const std::function<bool()>& basta) {
  auto pare = [&] { return basta && basta(); };
  const int k = md_.numNos();
  Certificado r;
  r.y = y;
  md_.diagonal(y, d_, &somaAbs_);
  if (k == 0) {
    r.limitante = md_.parteConstante(y);
    return r;
  }
  double escala = 1;
  for (int v = 0; v < k; v++) escala = std::max(escala, std::fabs(d_[v]));
  const double piso = gershgorin(y, d_, somaAbs_);
  bool diagonal = true;
  for (int e = 0; e < md_.numArestas() && diagonal; e++)
    diagonal = y[md_.k() + e] == 0 || md_.sinal(e) == 0;
  for (int g = 0; g < md_.numGerais() && diagonal; g++)
    diagonal = y[md_.primeiraGeral() + g] == 0 || md_.inicioFora()[g] == md_.inicioFora()[g + 1];
  if (diagonal) {
    // M(y) is diagonal (the LP's multipliers): its smallest entry is
    // lambda_min, and Gershgorin's bound is that entry less its rounding.
    r.lambdaMin = piso;
    r.limitante = limitanteDosTermos(md_, md_.parteConstante(y), piso);
    return r;
  }
  auto opM = [&](const double* x, double* out) { md_.aplica(y, d_, x, 1, out); };
  const std::vector<ParRitz> est = lanczos_.extremos(k, opM, std::min(k, 60), 1, false, semente);
  const double theta = est.empty() ? piso : est[0].valor;
  // From just below the estimate (less twice its residual: some eigenvalue
  // lies that close) down, four times further at each failure; Gershgorin's
  // bound ends the descent (it needs no factorization).
  const double t0 =
      std::min(0.0, theta - (est.empty() ? 0.0 : 2 * est[0].residuo)) - 1e-9 * escala;
  double t = t0, certo = piso;
  bool temFator = false;
  for (int vez = 0; vez < 12; vez++) {
    if (t <= piso || (vez > 0 && pare())) break;
    r.fatoracoes++;
    if (fatora(y, d_, t)) {
      certo = t;
      temFator = true;
      break;
    }
    t = t0 - (std::fabs(t0) + 1e-7 * escala) * (std::pow(4.0, vez + 1) - 1);
  }
  auto limitanteDe = [&](const std::vector<double>& yy, const std::vector<double>& dd,
                         const std::vector<double>& sa, double tt) {
    const double lm = tt - margem(dd, sa, tt);
    return std::pair{limitanteDosTermos(md_, md_.parteConstante(yy), lm), lm};
  };
  std::tie(r.limitante, r.lambdaMin) =
      temFator ? limitanteDe(y, d_, somaAbs_, certo)
               : std::pair{limitanteDosTermos(md_, md_.parteConstante(y), piso), piso};
  if (!temFator || certo >= 0 || pare()) return r;

  // The negative end of the spectrum, by Lanczos on (M - tI)^{-1}: its
  // largest Ritz values 1/(lambda - t) converge in a few steps.
  auto opInv = [&](const double* x, double* out) { resolve(x, out); };
  const std::vector<ParRitz> inv = lanczos_.extremos(k, opInv, std::min(k, 40), 8, true, semente + 1);
  const double tFator = certo;
  std::vector<std::pair<double, const std::vector<double>*>> negativos;
  for (const ParRitz& p : inv) {
    if (p.valor <= 0) continue;
    const double lambda = tFator + 1.0 / p.valor;
    if (lambda < 0) negativos.push_back({lambda, &p.vetor});
  }
  if (!inv.empty() && inv[0].valor > 0) {
    // Just below the lowest eigenvalue found, allowing for its residual.
    const double t2 = tFator + 1.0 / (inv[0].valor + 2 * inv[0].residuo) - 1e-9 * escala;
    if (t2 > certo && !pare()) {
      r.fatoracoes++;
      if (fatora(y, d_, t2)) {
        certo = t2;
        std::tie(r.limitante, r.lambdaMin) = limitanteDe(y, d_, somaAbs_, certo);
      }
    }
  }
  for (const auto& par : negativos) r.direcoes.push_back(*par.second);
  if (!reparo || negativos.empty()) return r;
  // Diag(delta) >= sum_i |lambda_i| q_i q_i^T when delta_v = sum_i
  // |lambda_i| |q_iv| |q_i|_1 (for each i, Diag(|q| |q|_1) - q q^T is
  // diagonally dominant); a localized q costs |q|_1^2 << n.  Whatever the
  // pairs miss is left to a last factorization just below zero.
  std::vector<double> y2 = y;
  for (const auto& [lambda, q] : negativos) {
    double n1 = 0;
    for (double x : *q) n1 += std::fabs(x);
    const double c = -lambda * 1.001;
    for (int v = 0; v < k; v++) y2[md_.restricaoDoNo(v)] += c * std::fabs((*q)[v]) * n1;
  }
  if (md_.parteConstante(y2) >= r.limitante) return r;
  std::vector<double> d2, sa2;
  md_.diagonal(y2, d2, &sa2);
  // The pairs found need not be all the negative ones: when every slot
  // came back negative, others may lie below the last.
  const double ultimo = negativos.back().first, menor = negativos.front().first;
  const bool todos = negativos.size() < inv.size();
  const double cinza = todos ? 0.0 : ultimo;
  for (const double t3 : {-1e-9 * escala, 1.05 * cinza - 1e-9 * escala, 4 * cinza - 1e-9 * escala,
                          menor}) {
    if (limitanteDosTermos(md_, md_.parteConstante(y2), t3) >= r.limitante || pare()) break;
    r.fatoracoes++;
    if (!fatora(y2, d2, t3)) continue;
    const auto [lim, lm] = limitanteDe(y2, d2, sa2, t3);
    if (lim < r.limitante) {
      r.limitante = lim;
      r.lambdaMin = lm;
      r.y = y2;
    }
    break;
  }
  return r;
}

}  // namespace semidefinida
