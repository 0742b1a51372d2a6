// The spectral bundle on the relaxation's dual (Feixe.h).
#include "semidefinite/Feixe.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "semidefinite/Lanczos.h"

extern "C" void dsyev_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda,
                       double* w, double* work, const int* lwork, int* info);

namespace semidefinida {

namespace {

double segundosDesde(Prazo::Relogio::time_point t) {
  return std::chrono::duration<double>(Prazo::Relogio::now() - t).count();
}

// Eigenpairs of a small symmetric p x p matrix (row-major): values
// ascending, eigenvector l as row l of `a` on return.
void autoValores(int p, std::vector<double>& a, std::vector<double>& w) {
  w.assign(static_cast<size_t>(p), 0.0);
  if (p == 0) return;
  int lwork = -1, info = 0;
  double tamanho = 0;
  dsyev_("V", "U", &p, a.data(), &p, w.data(), &tamanho, &lwork, &info);
  lwork = std::max(1, static_cast<int>(tamanho));
  std::vector<double> trabalho(static_cast<size_t>(lwork));
  // (LAPACK's columns, read row-major.)
  dsyev_("V", "U", &p, a.data(), &p, w.data(), trabalho.data(), &lwork, &info);
}

// x onto {x >= 0, sum x <= 1}.
void projetaSimplex(std::vector<double>& x) {
  double soma = 0;
  for (double& v : x) soma += (v = std::max(0.0, v));
  if (soma <= 1) return;
  std::vector<double> o(x);
  std::sort(o.begin(), o.end(), std::greater<>());
  double acum = 0, tau = 0;
  for (size_t i = 0; i < o.size(); i++) {
    acum += o[i];
    const double t = (acum - 1) / static_cast<double>(i + 1);
    if (i + 1 == o.size() || o[i + 1] <= t) {
      tau = t;
      break;
    }
  }
  for (double& v : x) v = std::max(0.0, v - tau);
}

class Feixe {
 public:
  Feixe(const MatrizDual& md, double T, const AjustesFeixe& aj)
      : md_(md), T_(T), aj_(aj), nos_(md.numNos()), nc_(md.numRestricoes()) {
    lb_.resize(static_cast<size_t>(nc_));
    b_.resize(static_cast<size_t>(nc_));
    for (int c = 0; c < nc_; c++) {
      lb_[c] = md.igualdade(c) ? -std::numeric_limits<double>::infinity() : 0.0;
      b_[c] = md.rhs(c);
    }
  }

  // f(y) by Lanczos, and the lowest Ritz pairs of M(y).
  double f(const std::vector<double>& y, std::vector<ParRitz>& pares, uint64_t semente) {
    md_.diagonal(y, d_);
    auto opM = [&](const double* x, double* out) { md_.aplica(y, d_, x, 1, out); };
    pares = lanczos_.extremos(nos_, opM, std::min(nos_, 80), aj_.novas, false, semente);
    double c = 0;
    for (int i = 0; i < nc_; i++) c += y[i] * b_[i];
    const double lm = pares.empty() ? 0.0 : pares[0].valor;
    return c + T_ * std::max(0.0, -lm);
  }

  // One master problem from the center: the new y, and the model's value
  // there.
  double mestre(const std::vector<double>& centro, double u, std::vector<double>& y) {
    const int p = colunas();
    double h = avalia(centro, u, alfa_, V_, y, &gAlfa_, &gV_);
    double eta = eta_;
    std::vector<double> V2, y2, g2V, w, tmp;
    for (int passo = 0; passo < aj_.passosMestre && p + temAgregado_ > 0; passo++) {
      // (alpha, V) + eta * gradient, onto the feasible set.
      V2 = V_;
      for (int i = 0; i < p * p; i++) V2[i] += eta * gV_[i];
      for (int i = 0; i < p; i++)
        for (int j = 0; j < i; j++) V2[i * p + j] = V2[j * p + i] = 0.5 * (V2[i * p + j] + V2[j * p + i]);
      autoValores(p, V2, w);
      std::vector<double> x(w);
      if (temAgregado_) x.push_back(alfa_ + eta * gAlfa_);
      projetaSimplex(x);
      const double alfa2 = temAgregado_ ? x.back() : 0.0;
      tmp.assign(static_cast<size_t>(p) * p, 0.0);
      for (int l = 0; l < p; l++) {
        if (x[l] == 0) continue;
        const double* q = V2.data() + static_cast<size_t>(l) * p;
        for (int i = 0; i < p; i++)
          for (int j = 0; j < p; j++) tmp[i * p + j] += x[l] * q[i] * q[j];
      }
      double g2A = 0;
      const double h2 = avalia(centro, u, alfa2, tmp, y2, &g2A, &g2V);
      if (h2 > h) {
        h = h2;
        alfa_ = alfa2;
        V_.swap(tmp);
        y.swap(y2);
        gAlfa_ = g2A;
        gV_.swap(g2V);
        eta *= 1.5;
      } else {
        eta *= 0.3;
        if (eta < 1e-14) break;
      }
    }
    eta_ = eta;
    // f^(y) = T tr(W) + y . (b - T A(W)) at the W found: h less the proximal term.
    double prox = 0;
    for (int c = 0; c < nc_; c++) prox += (y[c] - centro[c]) * (y[c] - centro[c]);
    return h - 0.5 * u * prox;
  }

  // The bundle after a step: V's heaviest directions stay in P, the rest
  // go to the aggregate, and the new Ritz vectors join.
  void atualiza(const std::vector<ParRitz>& pares) {
    const int p = colunas();
    std::vector<double> U(V_), w;
    autoValores(p, U, w);  // ascending: the heaviest last
    const int fica = std::max(0, std::min(p, aj_.colunas - aj_.novas));
    std::vector<int> ficam, saem;
    for (int l = p - 1; l >= 0; l--) (static_cast<int>(ficam.size()) < fica && w[l] > 1e-12 ? ficam : saem).push_back(l);
    // The aggregate takes alpha Wbar plus the dropped part.
    double peso = temAgregado_ ? alfa_ : 0.0;
    std::vector<double> aNovo(static_cast<size_t>(nc_), 0.0);
    if (temAgregado_)
      for (int c = 0; c < nc_; c++) aNovo[c] = alfa_ * aW_[c];
    std::vector<int> positivos;
    for (int l : saem)
      if (w[l] > 0) positivos.push_back(l);
    if (!positivos.empty()) {
      const int s = static_cast<int>(positivos.size());
      Q_.assign(static_cast<size_t>(nos_) * s, 0.0);
      for (int v = 0; v < nos_; v++)
        for (int t = 0; t < s; t++) {
          const int l = positivos[t];
          const double* q = U.data() + static_cast<size_t>(l) * p;
          double x = 0;
          for (int i = 0; i < p; i++) x += P_[static_cast<size_t>(v) * p + i] * q[i];
          Q_[static_cast<size_t>(v) * s + t] = x * std::sqrt(w[l]);
        }
      md_.valores(Q_.data(), s, val_);
      for (int c = 0; c < nc_; c++) aNovo[c] += val_[c];
      for (int l : positivos) peso += w[l];
    }
    if (peso > 1e-12) {
      for (double& x : aNovo) x /= peso;
      aW_.swap(aNovo);
      temAgregado_ = true;
      alfa_ = peso;
    } else {
      temAgregado_ = false;
      alfa_ = 0;
    }
    // The new basis: the kept directions, then the Ritz vectors, orthonormal.
    std::vector<std::vector<double>> cols;
    std::vector<double> pesos;
    for (int l : ficam) {
      std::vector<double> c(static_cast<size_t>(nos_));
      const double* q = U.data() + static_cast<size_t>(l) * p;
      for (int v = 0; v < nos_; v++) {
        double x = 0;
        for (int i = 0; i < p; i++) x += P_[static_cast<size_t>(v) * p + i] * q[i];
        c[v] = x;
      }
      cols.push_back(std::move(c));
      pesos.push_back(w[l]);
    }
    const int antes = static_cast<int>(cols.size());
    for (const ParRitz& q : pares) {
      if (static_cast<int>(cols.size()) >= aj_.colunas) break;
      if (q.valor >= 0 && cols.size() > static_cast<size_t>(antes)) break;
      std::vector<double> c = q.vetor;
      if (!ortonormaliza(c, cols)) continue;
      cols.push_back(std::move(c));
      pesos.push_back(0.0);
    }
    const int p2 = defineP(cols);
    V_.assign(static_cast<size_t>(p2) * p2, 0.0);
    for (int t = 0; t < p2; t++) V_[static_cast<size_t>(t) * p2 + t] = pesos[t];
  }

  int colunas() const { return p_; }

  // The bundle's W from a low-rank primal R (nos x r): at the optimum W is
  // the primal's X over T, so P spans R's heaviest columns and V = C C^T / T
  // for C = P^T R.
  void doPrimal(const double* R, int r) {
    std::vector<std::vector<double>> cols;
    for (int j = 0; j < r; j++) {
      std::vector<double> c(static_cast<size_t>(nos_));
      for (int v = 0; v < nos_; v++) c[v] = R[static_cast<size_t>(v) * r + j];
      cols.push_back(std::move(c));
    }
    // The heaviest first.
    std::sort(cols.begin(), cols.end(), [](const std::vector<double>& a, const std::vector<double>& b) {
      return std::inner_product(a.begin(), a.end(), a.begin(), 0.0) >
             std::inner_product(b.begin(), b.end(), b.begin(), 0.0);
    });
    std::vector<std::vector<double>> base;
    for (std::vector<double> c : cols) {
      if (static_cast<int>(base.size()) >= aj_.colunas - aj_.novas) break;
      if (!ortonormaliza(c, base)) continue;
      base.push_back(std::move(c));
    }
    const int p = defineP(base);
    std::vector<double> C(static_cast<size_t>(p) * r, 0.0);
    for (int v = 0; v < nos_; v++)
      for (int t = 0; t < p; t++)
        for (int j = 0; j < r; j++) C[static_cast<size_t>(t) * r + j] += base[t][v] * R[static_cast<size_t>(v) * r + j];
    V_.assign(static_cast<size_t>(p) * p, 0.0);
    double tr = 0;
    for (int a = 0; a < p; a++)
      for (int b = 0; b < p; b++) {
        double x = 0;
        for (int j = 0; j < r; j++) x += C[static_cast<size_t>(a) * r + j] * C[static_cast<size_t>(b) * r + j];
        V_[static_cast<size_t>(a) * p + b] = x / T_;
      }
    for (int a = 0; a < p; a++) tr += V_[static_cast<size_t>(a) * p + a];
    if (tr > 1)
      for (double& x : V_) x /= tr;
    temAgregado_ = false;
    alfa_ = 0;
  }

 private:
  // c made orthogonal to the unit vectors of `base` (twice over, for
  // rounding) and of unit length; false when nothing is left of it.
  bool ortonormaliza(std::vector<double>& c, const std::vector<std::vector<double>>& base) const {
    for (int vez = 0; vez < 2; vez++)
      for (const std::vector<double>& o : base) {
        const double pr = std::inner_product(c.begin(), c.end(), o.begin(), 0.0);
        for (int v = 0; v < nos_; v++) c[v] -= pr * o[v];
      }
    const double nr = std::sqrt(std::inner_product(c.begin(), c.end(), c.begin(), 0.0));
    if (nr < 1e-8) return false;
    for (double& x : c) x /= nr;
    return true;
  }

  // P's columns; their number.
  int defineP(const std::vector<std::vector<double>>& cols) {
    p_ = static_cast<int>(cols.size());
    P_.assign(static_cast<size_t>(nos_) * p_, 0.0);
    for (int t = 0; t < p_; t++)
      for (int v = 0; v < nos_; v++) P_[static_cast<size_t>(v) * p_ + t] = cols[t][v];
    return p_;
  }

  // h(alpha, V) = min over y in the box of T tr(W) + y . (b - T A(W)) +
  // u/2 |y - center|^2, its minimiser y and its gradient T (tr - A^T y) on W.
  double avalia(const std::vector<double>& centro, double u, double alfa, const std::vector<double>& V,
                std::vector<double>& y, double* gAlfa, std::vector<double>* gV) {
    const int p = colunas();
    // Q = P V^(1/2), so that A(P V P^T) = valores(Q).
    std::vector<double> U(V), w;
    autoValores(p, U, w);
    Q_.assign(static_cast<size_t>(nos_) * std::max(p, 1), 0.0);
    for (int v = 0; v < nos_; v++)
      for (int l = 0; l < p; l++) {
        if (w[l] <= 0) continue;
        const double* q = U.data() + static_cast<size_t>(l) * p;
        double x = 0;
        for (int i = 0; i < p; i++) x += P_[static_cast<size_t>(v) * p + i] * q[i];
        Q_[static_cast<size_t>(v) * p + l] = x * std::sqrt(w[l]);
      }
    md_.valores(Q_.data(), std::max(p, 1), val_);
    if (temAgregado_)
      for (int c = 0; c < nc_; c++) val_[c] += alfa * aW_[c];
    double tr = 0;
    for (int v = 0; v < md_.k(); v++) tr += val_[v];
    y.resize(static_cast<size_t>(nc_));
    double h = T_ * tr;
    for (int c = 0; c < nc_; c++) {
      const double s = b_[c] - T_ * val_[c];
      y[c] = std::max(lb_[c], centro[c] - s / u);
      h += y[c] * s + 0.5 * u * (y[c] - centro[c]) * (y[c] - centro[c]);
    }
    // The gradient: -T P^T M(y) P on V, T (tr(Wbar) - y . A(Wbar)) on alpha.
    md_.diagonal(y, d_);
    MP_.assign(static_cast<size_t>(nos_) * std::max(p, 1), 0.0);
    if (p > 0) md_.aplica(y, d_, P_.data(), p, MP_.data());
    gV->assign(static_cast<size_t>(p) * p, 0.0);
    for (int v = 0; v < nos_; v++) {
      const double* a = P_.data() + static_cast<size_t>(v) * p;
      const double* m = MP_.data() + static_cast<size_t>(v) * p;
      for (int i = 0; i < p; i++)
        for (int j = 0; j < p; j++) (*gV)[i * p + j] -= T_ * a[i] * m[j];
    }
    for (int i = 0; i < p; i++)
      for (int j = 0; j < i; j++) (*gV)[i * p + j] = (*gV)[j * p + i] = 0.5 * ((*gV)[i * p + j] + (*gV)[j * p + i]);
    *gAlfa = 0;
    if (temAgregado_) {
      double tW = 0, yA = 0;
      for (int v = 0; v < md_.k(); v++) tW += aW_[v];
      for (int c = 0; c < nc_; c++) yA += y[c] * aW_[c];
      *gAlfa = T_ * (tW - yA);
    }
    return h;
  }

  const MatrizDual& md_;
  const double T_;
  const AjustesFeixe& aj_;
  const int nos_, nc_;
  std::vector<double> lb_, b_, d_, val_, Q_, MP_;
  Lanczos lanczos_;
  // The bundle: P (nos x p, row-major, orthonormal columns), the aggregate's
  // A(Wbar) (tr(Wbar) is the sum of its first k entries), the master's (alpha, V).
  std::vector<double> P_, aW_, V_, gV_;
  int p_ = 0;
  bool temAgregado_ = false;
  double alfa_ = 0, gAlfa_ = 0, eta_ = 1e-3;
};

}  // namespace

ResultadoFeixe refina(const MatrizDual& md, Certificador& cert, std::vector<double> y0, double T,
                      const Prazo& prazo, const AjustesFeixe& aj, const double* fator, int posto,
                      const std::function<void(double, double, double)>& aoCertificar) {
  const auto inicio = Prazo::Relogio::now();
  ResultadoFeixe res;
  res.y = y0;
  double duracao = 0, ultimo = 0;
  auto certifica = [&](const std::vector<double>& y) {
    const auto t = Prazo::Relogio::now();
    Certificado c = cert.certifica(y, true, aj.semente + res.certificados, [&] { return prazo.passou(); });
    duracao = segundosDesde(t);
    ultimo = segundosDesde(inicio);
    if (res.certificados++ == 0 || c.limitante < res.limitante) {
      res.limitante = c.limitante;
      res.y = std::move(c.y);
    }
    if (aoCertificar) aoCertificar(ultimo, res.limitante, c.lambdaMin);
  };
  certifica(y0);
  if (md.numNos() == 0) return res;
  Feixe fx(md, T, aj);
  std::vector<ParRitz> pares;
  std::vector<double> centro = std::move(y0), y;
  double fc = fx.f(centro, pares, aj.semente);
  if (fator != nullptr) fx.doPrimal(fator, posto);
  fx.atualiza(pares);
  double u = aj.peso;
  bool emDia = true;
  while (!prazo.passou() && prazo.restantes() > 1.5 * duracao &&
         (aj.maxPassos < 0 || res.passos < aj.maxPassos)) {
    const double modelo = fx.mestre(centro, u, y);
    const double fy = fx.f(y, pares, aj.semente + static_cast<uint64_t>(res.passos) + 1);
    res.passos++;
    const double previsto = fc - modelo;
    if (fc - fy >= aj.mL * previsto) {
      if (fc - fy >= 0.8 * previsto) u = std::max(u * 0.5, 1e-8);
      centro = y;
      fc = fy;
      emDia = false;
    }
    fx.atualiza(pares);
    if (previsto <= 1e-9 * (1 + std::fabs(fc))) break;
    const double agora = segundosDesde(inicio);
    const double espera =
        std::max(aj.intervaloCertificado, duracao * (1 - aj.parteCertificado) / std::max(1e-3, aj.parteCertificado));
    if (!emDia && agora - ultimo >= espera) {
      certifica(centro);
      emDia = true;
    }
  }
  if (!emDia && !prazo.cancelado() && !paradaPedida()) certifica(centro);
  return res;
}

}  // namespace semidefinida
