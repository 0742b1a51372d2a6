// The semidefinite bound: never below the optimum (brute force on random
// small graphs of every density, double edges, repeated records, loops,
// valid rows, fixings, with and without the second block), equal to the LP's dual bound when the edge
// multipliers are zero, and a certificate never above lambda_min of the
// matrix built here apart from the code, by a dense eigensolver.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "graph/forcaBruta.h"
#include "semidefinite/Certificado.h"
#include "semidefinite/MatrizDual.h"
#include "semidefinite/Semidefinida.h"

extern "C" void dsyev_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda,
                       double* w, double* work, const int* lwork, int* info);

namespace {

using semidefinida::Fixo;
using semidefinida::Linha;

// Valid rows of a small graph: x_u + x_v <= 1 on a double edge, and
// x_a + x_b + x_c <= 2 on a triangle no balanced set holds whole.
std::vector<Linha> linhasValidas(const GrafoSimples& g, std::mt19937& rng) {
  std::vector<Linha> r;
  std::uniform_real_distribution<double> U(0, 1);
  const int n = g.numVertices();
  for (int a = 0; a < n; a++)
    for (int b = a + 1; b < n; b++) {
      const int sab = g.sinal(a, b);
      if (sab == 2) r.push_back({{a, b}, {1, 1}, 1, U(rng)});
      if (sab == 0) continue;
      for (int c = b + 1; c < n; c++) {
        const int sac = g.sinal(a, c), sbc = g.sinal(b, c);
        if (sac == 0 || sbc == 0) continue;
        if (sab == 2 || sac == 2 || sbc == 2 || sab * sac * sbc < 0)
          r.push_back({{a, b, c}, {1, 1, 1}, 2, U(rng)});
      }
    }
  return r;
}

// The largest balanced set with every fixed-in vertex and no fixed-out one
// (-1 when the fixed-in ones are not balanced).
int otimoFixado(int n, const std::vector<ArestaSinal>& arestas, const std::vector<Fixo>& fixos) {
  int melhor = -1;
  for (unsigned long mask = 0; mask < (1ul << n); mask++) {
    bool ok = true;
    for (int v = 0; v < n && ok; v++)
      ok = fixos[v] == Fixo::livre || ((mask >> v & 1) == (fixos[v] == Fixo::dentro));
    const int k = __builtin_popcountl(mask);
    if (ok && k > melhor && equilibradoBruto(n, arestas, mask)) melhor = k;
  }
  return melhor;
}

// lambda_min of a dense symmetric matrix (column-major, overwritten).
double menorAutovalor(int n, std::vector<double> a) {
  std::vector<double> w(static_cast<size_t>(n));
  int lwork = std::max(1, 3 * n), info = 0;
  std::vector<double> work(static_cast<size_t>(lwork));
  dsyev_("N", "L", &n, a.data(), &n, w.data(), work.data(), &lwork, &info);
  EXPECT_EQ(info, 0);
  return w[0];
}

}  // namespace

TEST(Semidefinida, LimitanteNuncaAbaixoDoOtimo) {
  std::mt19937 rng(26);
  struct Caso {
    bool linhas, fixos, comLado;
    int posto;
    bool produtos = false;
    bool feixe = false;  // the spectral bundle after the primal
  };
  const Caso casos[] = {{false, false, false, 30}, {true, false, true, 30}, {false, true, false, 2},
                        {true, true, true, 1},       {false, false, true, 30, true},
                        {true, true, false, 3, true}, {false, false, false, 30, true, true},
                        {true, true, false, 30, false, true}};
  for (int rodada = 0; rodada < 30; rodada++)
    for (const Caso& caso : casos) {
      const int n = 1 + static_cast<int>(rng() % 12);
      const double dens = (rodada % 10) / 10.0 + 0.05;
      const auto arestas = grafoSinalAleatorio(rng, n, dens, rodada % 3 == 0 ? 0.8 : 0.4,
                                               rodada % 2 == 0 ? 0.2 : 0.0, rodada % 4 == 1);
      const GrafoSimples g(n, arestas);
      semidefinida::Parametros p;
      p.grafo = &g;
      p.ajustes.maxIteracoes = 25;
      // A certificate at every step, however long they take: the same steps
      // certified on every machine.
      p.ajustes.intervaloCertificado = 0;
      p.ajustes.parteCertificado = 1;
      p.ajustes.posto = caso.posto;
      p.ajustes.postoMax = caso.posto + 2;
      p.ajustes.produtos = caso.produtos;
      if (caso.feixe) p.ajustes.passosFeixe = 30;
      if (caso.linhas) p.linhas = linhasValidas(g, rng);
      std::vector<Fixo> fixos(static_cast<size_t>(n), Fixo::livre);
      if (caso.fixos) {
        // Fixed in: some vertices of a maximum balanced set; fixed out: others.
        for (int v = 0; v < n; v++)
          if (rng() % 4 == 0) fixos[v] = Fixo::fora;
        for (int v = 0; v < n; v++)
          if (fixos[v] == Fixo::livre && rng() % 3 == 0) {
            fixos[v] = Fixo::dentro;
            if (otimoFixado(n, arestas, fixos) < 0) fixos[v] = Fixo::livre;
          }
        p.fixos = fixos;
      }
      const int otimo = otimoFixado(n, arestas, fixos);
      ASSERT_GE(otimo, 0);
      if (caso.comLado) {
        p.ladoInicial.assign(static_cast<size_t>(n), -1);
        for (int v = 0; v < n; v++)
          if (fixos[v] != Fixo::fora && g.grau(v) == 0) p.ladoInicial[v] = 0;
      }
      const semidefinida::Resultado r = semidefinida::limita(p);
      int livres = 0;
      for (Fixo f : fixos) livres += f != Fixo::fora;
      const std::string onde = "rodada " + std::to_string(rodada) + " n " + std::to_string(n);
      EXPECT_GE(r.limitante, otimo - 1e-9) << onde;
      EXPECT_GE(r.limitanteInicial, r.limitante) << onde;
      // (No worse than every free vertex, but for the certificate's margin.)
      EXPECT_LE(r.limitante, livres + 1e-4 * (1 + livres)) << onde;
      if (r.valorPrimal >= 0) {
        EXPECT_LE(r.valorPrimal, r.limitante + 1e-6) << onde;
      }
      // The multipliers handed back are those of the bound (a child's start).
      // (Certified again they may do a little better: the shifts tried differ.)
      const double deNovo = semidefinida::limitanteCertificado(p, r.multiplicadores);
      EXPECT_LE(deNovo, r.limitante + 1e-3 * (1 + r.limitante)) << onde;
      EXPECT_GE(deNovo, otimo - 1e-9) << onde;
      // A child node's start: the same multipliers with a vertex fixed out
      // (a principal submatrix, lambda_min no lower by interlacing, and the
      // vertex's terms gone) or fixed in (the same M) bound no higher.
      // (The second block's multipliers carry over to the same fixings
      // only: there a child is fixed in.)
      if (!caso.fixos && n > 1) {
        semidefinida::Parametros filho = p;
        filho.fixos.assign(static_cast<size_t>(n), Fixo::livre);
        filho.fixos[rng() % n] = rodada % 2 == 0 && !caso.produtos ? Fixo::fora : Fixo::dentro;
        EXPECT_LE(semidefinida::limitanteCertificado(filho, r.multiplicadores),
                  r.limitante + 1e-3 * (1 + r.limitante))
            << onde;
      }
    }
}

// With lambda = 0 the bound is the LP's: sum gamma b + sum_v max(0, 1 -
// sum_r gamma_r a_rv) when mu is left to the rows, sum mu + sum gamma b
// when a mu covering every vertex is given; fixed-out vertices drop.
TEST(Semidefinida, SemMultiplicadoresDeArestaEOLimitanteDoLP) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> U(0, 1);
  for (int caso = 0; caso < 40; caso++) {
    const int n = 2 + static_cast<int>(rng() % 30);
    const GrafoSimples g(n, grafoSinalAleatorio(rng, n, 0.3, 0.5, 0.1, caso % 2 == 1));
    semidefinida::Parametros p;
    p.grafo = &g;
    std::vector<Fixo> fixos(static_cast<size_t>(n), Fixo::livre);
    if (caso % 3 == 0)
      for (int v = 0; v < n; v++)
        if (rng() % 4 == 0) fixos[v] = Fixo::fora;
    p.fixos = fixos;
    for (int i = 0; i < 1 + caso % 7; i++) {
      Linha l;
      for (int v = 0; v < n; v++)
        if (rng() % 3 == 0) {
          l.vertices.push_back(v);
          l.coefs.push_back(1 + rng() % 2);
        }
      l.rhs = static_cast<double>(rng() % 4);
      l.dual = U(rng);
      p.linhas.push_back(l);
    }
    double esperado = 0, comMu = 0;
    std::vector<double> cobre(static_cast<size_t>(n), 0.0);
    for (const Linha& l : p.linhas) {
      esperado += l.dual * l.rhs;
      for (size_t t = 0; t < l.vertices.size(); t++) cobre[l.vertices[t]] += l.dual * l.coefs[t];
    }
    comMu = esperado;
    semidefinida::Multiplicadores m;
    m.vertice.assign(static_cast<size_t>(n), 0.0);
    for (int v = 0; v < n; v++) {
      if (fixos[v] == Fixo::fora) continue;
      esperado += std::max(0.0, 1 - cobre[v]);
      m.vertice[v] = std::max(0.0, 1 - cobre[v]) + U(rng);
      comMu += m.vertice[v];
    }
    EXPECT_NEAR(semidefinida::limitanteCertificado(p, {}), esperado, 1e-6) << "caso " << caso;
    EXPECT_NEAR(semidefinida::limitanteCertificado(p, m), comMu, 1e-6) << "caso " << caso;
  }
}

// The certificate against lambda_min of M(y) assembled densely here, for
// random multipliers (edges included): never above it, and close to it.
TEST(Semidefinida, CertificadoAbaixoDoMenorAutovalor) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> U(0, 1);
  for (int caso = 0; caso < 60; caso++) {
    const int n = 1 + static_cast<int>(rng() % 40);
    const auto arestas = grafoSinalAleatorio(rng, n, 0.05 + (caso % 10) / 10.0, 0.5,
                                             caso % 2 == 0 ? 0.15 : 0.0, caso % 3 == 0);
    const GrafoSimples g(n, arestas);
    semidefinida::Parametros p;
    p.grafo = &g;
    const semidefinida::MatrizDual md(p);
    semidefinida::Certificador cert(md);
    // Vertex multipliers around what makes M nearly singular, so that both
    // signs of lambda_min come up.
    std::vector<double> y(static_cast<size_t>(md.numRestricoes()));
    for (int e = 0; e < md.numArestas(); e++) y[n + e] = U(rng);
    for (int v = 0; v < n; v++) y[v] = U(rng) * (caso % 4 == 0 ? 0.1 : 1.0);
    const semidefinida::Certificado c = cert.certifica(y, caso % 2 == 0, caso);
    // With the second block, M(c.y) column by column through the operator
    // the primal uses (the certificate assembles its own copy).
    semidefinida::Parametros pw = p;
    pw.ajustes.produtos = true;
    const semidefinida::MatrizDual mw(pw);
    semidefinida::Certificador certW(mw);
    std::mt19937 rngW(static_cast<unsigned>(caso));
    std::vector<double> yw(static_cast<size_t>(mw.numRestricoes()));
    for (int i = 0; i < mw.numRestricoes(); i++)
      yw[i] = i < md.numRestricoes() ? y[i] : (mw.igualdade(i) ? U(rngW) - 0.5 : 0.3 * U(rngW));
    const semidefinida::Certificado cw = certW.certifica(yw, caso % 2 == 0, caso);
    const int nw = mw.numNos();
    std::vector<double> mDenso(static_cast<size_t>(nw) * nw), dw, unidade(static_cast<size_t>(nw));
    mw.diagonal(cw.y, dw);
    for (int j = 0; j < nw; j++) {
      std::fill(unidade.begin(), unidade.end(), 0.0);
      unidade[j] = 1;
      mw.aplica(cw.y, dw, unidade.data(), 1, mDenso.data() + static_cast<size_t>(j) * nw);
    }
    const double verdadeiroW = menorAutovalor(nw, mDenso);
    EXPECT_LE(cw.lambdaMin, verdadeiroW) << "caso " << caso << " com W";
    // (Not far below it: a failed factorization steps four times further.)
    EXPECT_GE(cw.lambdaMin, 5 * std::min(0.0, verdadeiroW) - 1e-3 * (1 + std::fabs(verdadeiroW)))
        << "caso " << caso << " com W";
    // M(c.y), from the edge list: diagonal mu_v - 1 + sum of lambda on v,
    // -s lambda / 2 off it (nothing for a double edge).
    const std::vector<ArestaSinal> lista = g.arestas();
    std::vector<double> a(static_cast<size_t>(n) * n, 0.0);
    double base = 0;
    for (int v = 0; v < n; v++) {
      a[static_cast<size_t>(v) * n + v] = c.y[v] - 1;
      base += c.y[v];
    }
    for (size_t e = 0; e < lista.size(); e++) {
      const double l = c.y[n + e];
      const int u = lista[e].u, w = lista[e].w;
      base += l;
      a[static_cast<size_t>(u) * n + u] += l;
      a[static_cast<size_t>(w) * n + w] += l;
      if (lista[e].sinal != 2) {
        a[static_cast<size_t>(u) * n + w] -= 0.5 * lista[e].sinal * l;
        a[static_cast<size_t>(w) * n + u] -= 0.5 * lista[e].sinal * l;
      }
    }
    for (int v = 0; v < n; v++) EXPECT_GE(c.y[v], y[v]);  // the repair only raises mu
    const double verdadeiro = menorAutovalor(n, a);
    EXPECT_LE(c.lambdaMin, verdadeiro) << "caso " << caso;
    // Close to it where it costs (a positive lambda_min costs nothing).
    EXPECT_GE(c.lambdaMin, std::min(0.0, verdadeiro) - 1e-3 * (1 + std::fabs(verdadeiro)))
        << "caso " << caso;
    // No lower than the bound the true lambda_min gives: trace(Y) bounded
    // by n, and by the optimum itself (C / (1 - e)).
    const double e = std::max(0.0, -verdadeiro);
    const double justo = e < 1 ? std::min(base + n * e, base / (1 - e)) : base + n * e;
    EXPECT_GE(c.limitante, justo - 1e-9 * (1 + justo)) << "caso " << caso;
    // Just above lambda_min the factorization must fail.
    std::vector<double> d;
    md.diagonal(c.y, d);
    EXPECT_FALSE(cert.fatora(c.y, d, verdadeiro + 1e-6 * (1 + std::fabs(verdadeiro)))) << "caso " << caso;
  }
}

// Started from the primal's last multipliers, which with the second block
// are not certified (they drift), the spectral bundle has to lower the
// bound the primal alone left: 26.32 to 26.09 here in 200 steps (the first
// block's is 27.02).
TEST(Semidefinida, FeixeBaixaOLimitanteComOSegundoBloco) {
  std::mt19937 rng(5);
  const int n = 40;
  const GrafoSimples g(n, grafoSinalAleatorio(rng, n, 0.2, 0.5, 0.0, false));
  semidefinida::Parametros p;
  p.grafo = &g;
  p.ajustes.maxIteracoes = 10;
  p.ajustes.intervaloCertificado = 0;
  p.ajustes.parteCertificado = 1;
  p.ajustes.produtos = true;
  const double semFeixe = semidefinida::limita(p).limitante;
  p.ajustes.passosFeixe = 200;
  const semidefinida::Resultado r = semidefinida::limita(p);
  EXPECT_LT(r.limitante, semFeixe - 0.1) << "sem o feixe " << semFeixe;
}
