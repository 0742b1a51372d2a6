// Cost of the parts of one step of the semidefinite bound's low-rank
// primal on a sparse signed graph the size of a large real piece (20,000
// vertices, 200,000 edges, neighbours scattered over the numbering as in
// the real networks): the constraint values at R, M(y) R, and the L-BFGS
// direction with a full memory, at ranks 30 and 120.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "graph/GrafoSimples.h"
#include "semidefinite/Lbfgs.h"
#include "semidefinite/MatrizDual.h"

namespace {

struct Cenario {
  GrafoSimples grafo;
  semidefinida::Parametros p;
  std::unique_ptr<semidefinida::MatrizDual> md;
  std::vector<double> y, d;
  Cenario() {
    const int n = 20000;
    const int64_t m = 200000;
    std::mt19937_64 rng(5);
    std::uniform_int_distribution<int> V(0, n - 1);
    std::vector<ArestaSinal> arestas;
    arestas.reserve(m);
    for (int64_t i = 0; i < m; i++) {
      const int u = V(rng), w = V(rng);
      if (u != w) arestas.push_back({u, w, rng() % 5 == 0 ? -1 : 1});
    }
    grafo = GrafoSimples(n, arestas);
    p.grafo = &grafo;
    md = std::make_unique<semidefinida::MatrizDual>(p);
    std::uniform_real_distribution<double> U(0, 1);
    y.resize(static_cast<size_t>(md->numRestricoes()));
    for (double& x : y) x = U(rng) < 0.5 ? 0.0 : U(rng);
    md->diagonal(y, d);
  }
};

Cenario& cenario() {
  static Cenario c;
  return c;
}

std::vector<double> fator(int linhas, int r) {
  std::mt19937_64 rng(r);
  std::normal_distribution<double> N(0, 1);
  std::vector<double> R(static_cast<size_t>(linhas) * r);
  for (double& x : R) x = N(rng);
  return R;
}

void BM_Valores(benchmark::State& state) {
  Cenario& c = cenario();
  const int r = static_cast<int>(state.range(0));
  const std::vector<double> R = fator(c.md->numNos(), r);
  std::vector<double> out;
  for (auto _ : state) {
    c.md->valores(R.data(), r, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_Valores)->Arg(30)->Arg(120)->Unit(benchmark::kMillisecond);

void BM_Aplica(benchmark::State& state) {
  Cenario& c = cenario();
  const int r = static_cast<int>(state.range(0));
  const std::vector<double> R = fator(c.md->numNos(), r);
  std::vector<double> out(R.size());
  for (auto _ : state) {
    c.md->aplica(c.y, c.d, R.data(), r, out.data());
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_Aplica)->Arg(30)->Arg(120)->Unit(benchmark::kMillisecond);

void BM_DirecaoLbfgs(benchmark::State& state) {
  Cenario& c = cenario();
  const int r = static_cast<int>(state.range(0));
  const size_t tam = static_cast<size_t>(c.md->numNos()) * r;
  semidefinida::MemoriaLbfgs memoria(8);
  std::vector<double> x = fator(c.md->numNos(), r), g = fator(c.md->numNos(), r + 1);
  g.resize(tam);
  for (int par = 0; par < 8; par++) {
    std::vector<double> x2(x), g2(g);
    for (size_t t = 0; t < tam; t++) x2[t] += 0.01 * g[t], g2[t] += 0.02 * g[t] * (1 + par);
    memoria.guarda(x, x2, g, g2);
    x.swap(x2);
    g.swap(g2);
  }
  double gmax = 0;
  for (double v : g) gmax = std::max(gmax, std::fabs(v));
  std::vector<double> dir;
  for (auto _ : state) benchmark::DoNotOptimize(memoria.direcao(g, gmax, dir));
}
BENCHMARK(BM_DirecaoLbfgs)->Arg(30)->Arg(120)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
