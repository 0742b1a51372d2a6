// The low-rank primal that steers the multipliers: Y = R R^T with R of a
// few columns, the constraints through an augmented Lagrangian minimised by
// L-BFGS.  Its gradient is 2 M(y^) R, with y^ the multipliers the penalty
// implies, so each step is one pass over the edges; every outer step sets
// y = y^, and now and then y is certified (Certificado.h).  The best
// certified bound is the result.
#include "semidefinite/Semidefinida.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "semidefinite/Certificado.h"
#include "semidefinite/Feixe.h"
#include "semidefinite/Lbfgs.h"
#include "semidefinite/MatrizDual.h"

extern "C" void dpotrf_(const char* uplo, const int* n, double* a, const int* lda, int* info);

namespace semidefinida {

namespace {

double segundosDesde(Relogio::time_point t) {
  return std::chrono::duration<double>(Relogio::now() - t).count();
}

// What the BLAS under the factorizations does here, in floating-point
// operations a second: the best of three dense Cholesky factorizations of
// 384 x 384, a few milliseconds, measured once.  A large piece's factor has
// larger fronts, which go faster, so the figure errs low.  A fixed guess
// was wrong by the BLAS: 1e9 held for the reference BLAS, while OpenBLAS on
// one thread does about 8e9, and the guess kept a run of 300 s on
// Slashdot's piece from starting at all.
double flopsDoBlas() {
  static const double medidos = [] {
    const int n = 384;
    std::vector<double> a(static_cast<size_t>(n) * n);
    double melhor = std::numeric_limits<double>::infinity();
    for (int vez = 0; vez < 3; vez++) {
      for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) a[static_cast<size_t>(i) * n + j] = i == j ? n : 1.0 / (1 + i + j);
      int info = 0;
      const Relogio::time_point t = Relogio::now();
      dpotrf_("L", &n, a.data(), &n, &info);
      melhor = std::min(melhor, segundosDesde(t));
    }
    return std::max(1e8, static_cast<double>(n) * n * n / 3 / std::max(melhor, 1e-6));
  }();
  return medidos;
}

// The augmented Lagrangian at R: value, y^ and the gradient.
class Lagrangiano {
 public:
  Lagrangiano(const MatrizDual& md, int r) : md_(md), r_(r) {}
  void posto(int r) { r_ = r; }
  double avalia(const std::vector<double>& R, const std::vector<double>& y, double sigma,
                std::vector<double>& yh, std::vector<double>* grad) {
    md_.valores(R.data(), r_, val_);
    const int nc = md_.numRestricoes();
    yh.resize(static_cast<size_t>(nc));
    double f = 0;
    for (int v = 0; v < md_.k(); v++) f -= val_[v];
    for (int c = 0; c < nc; c++) {
      const double g = val_[c] - md_.rhs(c);
      if (md_.igualdade(c)) {
        yh[c] = y[c] + sigma * g;
        f += y[c] * g + 0.5 * sigma * g * g;
      } else {
        const double z = std::max(0.0, y[c] + sigma * g);
        yh[c] = z;
        f += (z * z - y[c] * y[c]) / (2 * sigma);
      }
    }
    if (grad != nullptr) {
      md_.diagonal(yh, d_);
      grad->resize(R.size());
      md_.aplica(yh, d_, R.data(), r_, grad->data());
      for (double& x : *grad) x *= 2;
    }
    return f;
  }
  // Largest violation of the constraints at the last evaluation.
  double violacao() const {
    double m = 0;
    for (int c = 0; c < md_.numRestricoes(); c++) {
      const double g = val_[c] - md_.rhs(c);
      m = std::max(m, md_.igualdade(c) ? std::fabs(g) : g);
    }
    return m;
  }
  // A feasible value of the relaxation: R scaled down (or up) until every
  // constraint holds, when the constraints allow scaling (no fixed-in
  // vertex, rows of nonnegative terms and right-hand sides); -1 otherwise.
  double valorViavel(bool escalavel) const {
    if (!escalavel) return -1;
    double alfa2 = std::numeric_limits<double>::infinity(), traco = 0;
    for (int v = 0; v < md_.k(); v++) traco += val_[v];
    for (int c = 0; c < md_.numRestricoes(); c++)
      if (val_[c] > 1e-300) alfa2 = std::min(alfa2, md_.rhs(c) / val_[c]);
    if (!std::isfinite(alfa2)) return 0;
    return alfa2 * traco * (1 - 1e-12);
  }

 private:
  const MatrizDual& md_;
  int r_;
  std::vector<double> val_, d_;
};

bool escalavel(const Parametros& p, const MatrizDual& md) {
  for (int c = 0; c < md.numRestricoes(); c++)
    if (md.igualdade(c)) return false;
  for (const Linha& l : p.linhas) {
    if (l.rhs < 0) return false;
    for (double a : l.coefs)
      if (a < 0) return false;
  }
  return true;
}

}  // namespace

double limitanteCertificado(const Parametros& p, const Multiplicadores& m) {
  const MatrizDual md(p);
  Certificador cert(md);
  return cert.certifica(md.dosMultiplicadores(p, m), false, p.ajustes.semente).limitante;
}

namespace {

Resultado limitaUma(const Parametros& p) {
  const Relogio::time_point inicio = Relogio::now();
  const Ajustes& aj = p.ajustes;
  const GrafoSimples& g = *p.grafo;
  const MatrizDual md(p);
  const int k = md.k(), nos = md.numNos();
  Certificador cert(md);
  Resultado res;
  Estatisticas& est = res.estatisticas;
  std::vector<double> y = md.dosMultiplicadores(p, p.inicio);

  // The last certificate's time, and the last of one that factored.
  double ultimoCertificado = 0, duracaoCertificado = 0, duracaoFatorada = 0;
  std::vector<double> yCertificado;
  std::vector<std::vector<double>> direcoes;
  bool emDia = false;  // the current y is certified
  auto certifica = [&](const std::vector<double>& yy, double primal) {
    emDia = true;
    const Relogio::time_point t = Relogio::now();
    // Cut short by the deadline too, unless the last certificate is meant
    // to come after it (for measuring).
    Certificado c = cert.certifica(yy, aj.reparo, aj.semente + est.certificados, [&] {
      return aj.reservaCertificado ? p.prazo.passou() : p.prazo.cancelado() || paradaPedida();
    });
    direcoes = std::move(c.direcoes);
    duracaoCertificado = segundosDesde(t);
    est.segundosCertificado += duracaoCertificado;
    est.fatoracoes += c.fatoracoes;
    if (c.fatoracoes > 0) duracaoFatorada = duracaoCertificado;
    est.certificados++;
    ultimoCertificado = segundosDesde(inicio);
    if (est.certificados == 1) res.limitanteInicial = c.limitante;
    if (est.certificados == 1 || c.limitante < res.limitante) {
      res.limitante = c.limitante;
      yCertificado = std::move(c.y);
    }
    if (p.aoCertificar)
      p.aoCertificar({ultimoCertificado, res.limitante, primal, c.lambdaMin, est.iteracoes});
  };
  certifica(y, -1);

  const bool herdado = p.postoInicial > 0 &&
                      p.fatorInicial.size() == static_cast<size_t>(g.numVertices()) * p.postoInicial;
  int r = herdado ? p.postoInicial : std::max(1, std::min(aj.posto, nos));
  const int postoMax = std::max(r, std::min(aj.postoMax, nos));
  res.posto = r;
  std::vector<double> R(static_cast<size_t>(nos) * r);
  if (herdado) {
    for (int v = 0; v < k; v++) {
      const double* de = p.fatorInicial.data() + static_cast<size_t>(md.global()[v]) * r;
      double* para = R.data() + static_cast<size_t>(v) * r;
      std::copy(de, de + r, para);
      if (!md.igualdade(v)) continue;
      double q = 0;
      for (int j = 0; j < r; j++) q += para[j] * para[j];
      if (q == 0) para[0] = q = 1;
      for (int j = 0; j < r; j++) para[j] /= std::sqrt(q);
    }
  } else {
    std::mt19937_64 rng(aj.semente);
    std::normal_distribution<double> N(0, 1);
    const bool comLado = p.ladoInicial.size() == static_cast<size_t>(g.numVertices());
    for (int v = 0; v < k; v++)
      for (int j = 0; j < r; j++) {
        double x = N(rng) * (comLado ? 0.01 : 0.5 / std::sqrt(r));
        if (comLado && j == 0 && p.ladoInicial[md.global()[v]] >= 0)
          x += p.ladoInicial[md.global()[v]] == 0 ? 0.99 : -0.99;
        R[static_cast<size_t>(v) * r + j] = x;
      }
  }
  if (nos > k) {
    // W = (1, z)(1, z)^T with z_v = Y_vv: the constant's row along the first
    // column, each vertex's row that long along it.
    R[static_cast<size_t>(k) * r] = 1;
    for (int v = 0; v < k; v++) {
      double q = 0;
      for (int j = 0; j < r; j++) q += R[static_cast<size_t>(v) * r + j] * R[static_cast<size_t>(v) * r + j];
      R[static_cast<size_t>(k + 1 + v) * r] = std::min(1.0, q);
    }
  }
  const bool podeEscalar = escalavel(p, md);
  Lagrangiano lag(md, r);
  double sigma = aj.sigmaInicial, violAnterior = std::numeric_limits<double>::infinity();
  double tolerancia = 1e-2;  // of the inner minimisation's gradient, tightened as y settles
  std::vector<double> yh, grad, R2, grad2, dir;
  MemoriaLbfgs memoriaL(8);
  bool fim = k == 0;
  double ultimoCrescimento = 0;
  std::vector<double> dCresce;
  Lanczos lanczosCresce;
  while (!fim) {
    // Time left for a last certificate as long as the last one took.
    const double restante = p.prazo.restantes();
    const double reserva =
        !aj.reservaCertificado ? 0.0
        : est.fatoracoes > 0   ? 1.5 * duracaoFatorada
                               : 3 * cert.flopsDoFator() /
                                     (aj.flopsPorSegundo > 0 ? aj.flopsPorSegundo : flopsDoBlas());
    if (restante <= reserva) break;
    if (aj.maxIteracoes >= 0 && est.iteracoes >= aj.maxIteracoes) break;
    // The inner minimisation.
    double f = lag.avalia(R, y, sigma, yh, &grad);
    memoriaL.esquece();
    double gmax = 0;
    for (double x : grad) gmax = std::max(gmax, std::fabs(x));
    for (int passo = 0; passo < aj.passosPorIteracao; passo++) {
      if (gmax < tolerancia) break;
      const double inclinacao = memoriaL.direcao(grad, gmax, dir);
      double passoL = 1, f2 = f;
      bool aceito = false;
      R2.resize(R.size());
      for (int tenta = 0; tenta < 30; tenta++) {
        for (size_t t = 0; t < R2.size(); t++) R2[t] = R[t] + passoL * dir[t];
        f2 = lag.avalia(R2, y, sigma, yh, &grad2);
        if (f2 <= f + 1e-4 * passoL * inclinacao) {
          aceito = true;
          break;
        }
        passoL *= 0.5;
      }
      est.passosInternos++;
      if (!aceito) break;
      gmax = memoriaL.guarda(R, R2, grad, grad2);
      R.swap(R2);
      grad.swap(grad2);
      const double ganho = f - f2;
      f = f2;
      if (ganho < 1e-12 * (std::fabs(f) + 1)) break;
      // A step of a large piece takes a tenth of a second or more: the
      // deadline is looked at after each, and the time kept for the last
      // certificate left to it.
      if (p.prazo.passou() || p.prazo.restantes() <= reserva) break;
    }
    // Past the deadline, cancelled or stopped, nothing more is certified:
    // a certificate of a large piece takes tens of seconds.
    if (p.prazo.passou()) break;
    lag.avalia(R, y, sigma, yh, nullptr);
    y = yh;
    emDia = false;
    est.iteracoes++;
    const double viol = lag.violacao();
    // The penalty grows only when a solved subproblem left the violation
    // nearly where it was: grown every step, it stalls L-BFGS.
    if (viol > 0.25 * violAnterior) sigma = std::min(sigma * 2, 1e4 * aj.sigmaInicial);
    violAnterior = viol;
    tolerancia = std::max(1e-6, tolerancia * 0.7);
    const double primal = lag.valorViavel(podeEscalar);
    res.valorPrimal = std::max(res.valorPrimal, primal);
    const double agora = segundosDesde(inicio);
    const double espera =
        std::max(aj.intervaloCertificado, duracaoCertificado * (1 - aj.parteCertificado) /
                                              std::max(1e-3, aj.parteCertificado));
    const bool certificar = agora - ultimoCertificado >= espera;
    if (certificar) certifica(y, res.valorPrimal);
    // Where certificates are rare (a large piece), the directions come from
    // Lanczos on M(y) itself: estimates, but a Ritz vector of a negative
    // Ritz value is such a direction all the same.
    const bool estimar =
        !certificar && r < postoMax && agora - std::max(ultimoCrescimento, ultimoCertificado) >=
                                           aj.intervaloCrescimento;
    if (estimar) {
      ultimoCrescimento = agora;
      md.diagonal(y, dCresce);
      auto opM = [&](const double* x, double* out) { md.aplica(y, dCresce, x, 1, out); };
      direcoes.clear();
      for (ParRitz& q : lanczosCresce.extremos(nos, opM, std::min(nos, 80), 8, false,
                                               aj.semente + est.iteracoes))
        if (q.valor < 0) direcoes.push_back(std::move(q.vetor));
    }
    if (certificar || estimar) {
      // Each negative eigenvector q of M(y) is a direction in which Y =
      // R R^T gains (q^T M q < 0): a new column, small, along it.
      const int novas = std::min(postoMax - r, static_cast<int>(direcoes.size()));
      if (novas > 0) {
        std::vector<double> R3(static_cast<size_t>(nos) * (r + novas));
        for (int v = 0; v < nos; v++) {
          std::copy(R.begin() + static_cast<int64_t>(v) * r, R.begin() + static_cast<int64_t>(v + 1) * r,
                    R3.begin() + static_cast<int64_t>(v) * (r + novas));
          for (int j = 0; j < novas; j++) {
            double maior = 0;
            for (double x : direcoes[j]) maior = std::max(maior, std::fabs(x));
            R3[static_cast<size_t>(v) * (r + novas) + r + j] = 0.1 * direcoes[j][v] / maior;
          }
        }
        R.swap(R3);
        r += novas;
        lag.posto(r);
        memoriaL.esquece();
      }
    }
    if (res.valorPrimal >= 0 && res.limitante - res.valorPrimal < 1e-4 * (1 + res.valorPrimal))
      fim = true;  // the relaxation is solved
  }
  if (k > 0 && !emDia &&
      !p.prazo.cancelado() && !paradaPedida() &&
      (aj.maxIteracoes >= 0 || !aj.reservaCertificado || !p.prazo.tempoPassou()))
    certifica(y, res.valorPrimal);
  res.multiplicadores =
      md.paraMultiplicadores(yCertificado, g.numVertices(), g.numArestas());
  res.ultimos = md.paraMultiplicadores(y, g.numVertices(), g.numArestas());
  if (aj.guardaFator) {
    res.posto = r;
    res.fatorNos = R;
    res.fator.assign(static_cast<size_t>(g.numVertices()) * r, 0.0);
    for (int v = 0; v < k; v++)
      std::copy(R.begin() + static_cast<int64_t>(v) * r, R.begin() + static_cast<int64_t>(v + 1) * r,
                res.fator.begin() + static_cast<int64_t>(md.global()[v]) * r);
  }
  res.sigma = sigma;
  est.segundos = segundosDesde(inicio);
  return res;
}

// The primal alone: with the second block, after the relaxation without it.
Resultado limitaSemFeixe(const Parametros& p) {
  const bool doZero = p.postoInicial == 0 && p.inicio.produtos.empty();
  if (!p.ajustes.produtos || !doZero) return limitaUma(p);
  // The second block started cold converges slowly (real_wiki100: 98.4
  // after 60 s, where the relaxation without it is solved in one, 97.4):
  // the relaxation without it first, for a share of the time, and the
  // second block from its multipliers (its bound, W's part of M being 0)
  // and primal.
  const Relogio::time_point inicio = Relogio::now();
  Parametros q = p;
  q.ajustes.produtos = false;
  q.ajustes.guardaFator = true;
  const double restantes = p.prazo.restantes();
  if (std::isfinite(restantes)) q.prazo = p.prazo.daqui(p.ajustes.parteSemProdutos * restantes);
  const Resultado primeira = limitaUma(q);
  if (p.prazo.passou()) return primeira;
  Parametros w = p;
  w.inicio = primeira.multiplicadores;
  w.fatorInicial = primeira.fator;
  w.postoInicial = primeira.posto;
  const double jaPassou = segundosDesde(inicio);
  if (p.aoCertificar)
    w.aoCertificar = [&](const Ponto& ponto) {
      Ponto q2 = ponto;
      q2.segundos += jaPassou;
      q2.limitante = std::min(q2.limitante, primeira.limitante);
      p.aoCertificar(q2);
    };
  Resultado r = limitaUma(w);
  r.limitanteInicial = primeira.limitanteInicial;
  if (primeira.limitante < r.limitante) {
    r.limitante = primeira.limitante;
    r.multiplicadores = primeira.multiplicadores;
  }
  // (The first relaxation's feasible values say nothing of the second's,
  // which is tighter.)
  Estatisticas& e = r.estatisticas;
  const Estatisticas& e1 = primeira.estatisticas;
  e.iteracoes += e1.iteracoes;
  e.passosInternos += e1.passosInternos;
  e.certificados += e1.certificados;
  e.fatoracoes += e1.fatoracoes;
  e.segundosCertificado += e1.segundosCertificado;
  e.segundos = segundosDesde(inicio);
  return r;
}

}  // namespace

Resultado limita(const Parametros& p) {
  const double restantes = p.prazo.restantes();
  const bool comFeixe = p.ajustes.passosFeixe > 0 || (p.ajustes.parteFeixe > 0 && std::isfinite(restantes));
  if (!comFeixe) return limitaSemFeixe(p);
  // The augmented Lagrangian first, then the bundle from its last
  // multipliers and, for the bundle's W, its primal: with the second block
  // the multipliers are not certified (they drift), but with the primal
  // they are a pair, and they start the bundle far better than the best
  // certified ones, whose second-block part is 0 (the 150-vertex
  // Wikipedia-elections sample of seed 2, 80 s: 113.48 against 114.73 from
  // the certified ones with the primal, 113.76 from the last ones without
  // it, 114.40 from the certified ones without; the first block's 115.67).
  const Relogio::time_point inicio = Relogio::now();
  Parametros q = p;
  q.ajustes.guardaFator = true;
  if (std::isfinite(restantes) && p.ajustes.parteFeixe > 0)
    q.prazo = p.prazo.daqui((1 - p.ajustes.parteFeixe) * restantes);
  Resultado r = limitaSemFeixe(q);
  if (p.prazo.passou()) return r;
  const MatrizDual md(p);
  Certificador cert(md);
  // The trace the certificate's bound charges lambda_min with: the
  // optimum's own, about a trace(Y) + b, below the matrix's order.
  const double T = std::min<double>(md.numNos(), md.tracoPorValor() * r.limitante + md.tracoFixo());
  AjustesFeixe af;
  af.maxPassos = p.ajustes.passosFeixe;
  af.intervaloCertificado = p.ajustes.intervaloCertificado;
  af.parteCertificado = p.ajustes.parteCertificado;
  af.semente = p.ajustes.semente;
  const double jaPassou = segundosDesde(inicio);
  const bool comFator = r.fatorNos.size() == static_cast<size_t>(md.numNos()) * r.posto && r.posto > 0;
  const ResultadoFeixe f = refina(
      md, cert, md.dosMultiplicadores(p, r.ultimos), T, p.prazo, af,
      comFator ? r.fatorNos.data() : nullptr, r.posto,
      [&](double segundos, double limitante, double lambdaMin) {
        if (p.aoCertificar)
          p.aoCertificar({jaPassou + segundos, std::min(limitante, r.limitante), -1, lambdaMin,
                          r.estatisticas.iteracoes});
      });
  if (f.limitante < r.limitante) {
    r.limitante = f.limitante;
    r.multiplicadores = md.paraMultiplicadores(f.y, p.grafo->numVertices(), p.grafo->numArestas());
  }
  r.estatisticas.certificados += f.certificados;
  r.estatisticas.segundos = segundosDesde(inicio);
  return r;
}

}  // namespace semidefinida
