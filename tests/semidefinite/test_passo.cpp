// A step of the low-rank primal against the plain code it replaced, to the
// last bit: the fused two-loop recursion (through a full memory, its
// wrap-around, pairs of no curvature left out, a memory forgotten on the
// way) and the constraint values computed four edges at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "graph/forcaBruta.h"
#include "semidefinite/Lbfgs.h"
#include "semidefinite/MatrizDual.h"

namespace {

// The recursion as written before, pass by pass.
struct Plana {
  static constexpr int memoria = 8;
  std::vector<std::vector<double>> S{memoria}, Yv{memoria};
  std::vector<double> rho = std::vector<double>(memoria), alfaL = std::vector<double>(memoria);
  int usados = 0, proximo = 0;
  static double produto(const std::vector<double>& a, const std::vector<double>& b) {
    double s = 0;
    for (size_t i = 0; i < a.size(); i++) s += a[i] * b[i];
    return s;
  }
  double direcao(const std::vector<double>& grad, std::vector<double>& dir) {
    double gmax = 0;
    for (double x : grad) gmax = std::max(gmax, std::fabs(x));
    dir = grad;
    for (int i = 0; i < usados; i++) {
      const int q = (proximo - 1 - i + memoria) % memoria;
      alfaL[q] = rho[q] * produto(S[q], dir);
      for (size_t t = 0; t < dir.size(); t++) dir[t] -= alfaL[q] * Yv[q][t];
    }
    if (usados > 0) {
      const int q = (proximo - 1 + memoria) % memoria;
      const double h = produto(S[q], Yv[q]) / produto(Yv[q], Yv[q]);
      for (double& x : dir) x *= h;
    } else {
      for (double& x : dir) x *= 0.1 / gmax;
    }
    for (int i = usados - 1; i >= 0; i--) {
      const int q = (proximo - 1 - i + memoria) % memoria;
      const double b = rho[q] * produto(Yv[q], dir);
      for (size_t t = 0; t < dir.size(); t++) dir[t] += (alfaL[q] - b) * S[q][t];
    }
    for (double& x : dir) x = -x;
    double inclinacao = produto(grad, dir);
    if (inclinacao >= 0) {
      usados = 0;
      for (size_t t = 0; t < dir.size(); t++) dir[t] = -grad[t] * 0.1 / gmax;
      inclinacao = produto(grad, dir);
    }
    return inclinacao;
  }
  void guarda(const std::vector<double>& R, const std::vector<double>& R2, const std::vector<double>& grad,
              const std::vector<double>& grad2) {
    S[proximo].resize(R.size());
    Yv[proximo].resize(R.size());
    for (size_t t = 0; t < R.size(); t++) {
      S[proximo][t] = R2[t] - R[t];
      Yv[proximo][t] = grad2[t] - grad[t];
    }
    const double sy = produto(S[proximo], Yv[proximo]);
    if (sy > 1e-16) {
      rho[proximo] = 1 / sy;
      proximo = (proximo + 1) % memoria;
      usados = std::min(usados + 1, memoria);
    }
  }
};

bool iguais(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST(MemoriaLbfgs, MesmasDirecoesQueARecursaoPlana) {
  std::mt19937_64 rng(7);
  std::normal_distribution<double> N(0, 1);
  for (const int n : {1, 5, 333}) {
    // A convex quartic with couplings, whose gradient is cheap and
    // nonlinear, so that the pairs differ from step to step.
    std::vector<double> a(n), c(n);
    for (int i = 0; i < n; i++) a[i] = 0.5 + std::fabs(N(rng)), c[i] = N(rng);
    auto gradiente = [&](const std::vector<double>& x) {
      std::vector<double> g(n);
      for (int i = 0; i < n; i++)
        g[i] = a[i] * x[i] + x[i] * x[i] * x[i] - c[i] + 0.1 * (x[(i + 1) % n] - x[i]);
      return g;
    };
    std::vector<double> x(n);
    for (double& v : x) v = N(rng);
    std::vector<double> g = gradiente(x), d1, d2;
    Plana plana;
    semidefinida::MemoriaLbfgs memoria(8);
    for (int passo = 0; passo < 40; passo++) {
      if (passo == 23) {  // the memory forgotten, as when the rank grows
        plana.usados = 0;
        memoria.esquece();
      }
      double gmax = 0;
      for (double v : g) gmax = std::max(gmax, std::fabs(v));
      const double i1 = plana.direcao(g, d1);
      const double i2 = memoria.direcao(g, gmax, d2);
      ASSERT_TRUE(iguais(d1, d2)) << "n " << n << ", passo " << passo;
      ASSERT_EQ(std::memcmp(&i1, &i2, sizeof i1), 0);
      ASSERT_EQ(plana.usados, memoria.usados());
      // Every fifth step goes nowhere: a pair of no curvature, left out.
      const double t = passo % 5 == 4 ? 0.0 : 0.5;
      std::vector<double> x2(n);
      for (int i = 0; i < n; i++) x2[i] = x[i] + t * d2[i];
      const std::vector<double> g2 = gradiente(x2);
      plana.guarda(x, x2, g, g2);
      double gmax2 = 0;
      for (double v : g2) gmax2 = std::max(gmax2, std::fabs(v));
      EXPECT_EQ(memoria.guarda(x, x2, g, g2), gmax2);
      x = x2;
      g = g2;
    }
    EXPECT_GT(memoria.usados(), 0);
  }
}

TEST(MatrizDual, ValoresComoUmaArestaDeCadaVez) {
  std::mt19937 rng(11);
  std::mt19937_64 rng64(12);
  std::normal_distribution<double> N(0, 1);
  for (int caso = 0; caso < 12; caso++) {
    const int n = 3 + caso * 3;
    const GrafoSimples g(n, grafoSinalAleatorio(rng, n, 0.2 + 0.06 * caso, 0.5, 0.15, caso % 2 == 1));
    semidefinida::Parametros p;
    p.grafo = &g;
    const semidefinida::MatrizDual md(p);
    for (const int r : {1, 3, 8}) {
      std::vector<double> R(static_cast<size_t>(md.numNos()) * r), out;
      for (double& x : R) x = N(rng64);
      md.valores(R.data(), r, out);
      for (int e = 0; e < md.numArestas(); e++) {
        const int u = md.arestaU(e), w = md.arestaW(e);
        double c = out[u] + out[w];
        if (md.sinal(e) != 0) {
          double s = 0;
          for (int j = 0; j < r; j++) s += R[static_cast<size_t>(u) * r + j] * R[static_cast<size_t>(w) * r + j];
          c -= md.sinal(e) * s;
        }
        ASSERT_EQ(std::memcmp(&c, &out[md.k() + e], sizeof c), 0) << "caso " << caso << ", aresta " << e;
      }
    }
  }
}

}  // namespace
