// Cost of one separation round on random signed graphs of 100 and 500
// vertices: the n searches of the odd negative cycle separator with
// dijkstraS_T and with the threshold search, and each separator whole.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <random>

#include "../tests/separation/ambiente.h"
#include "separation/buscaLimitada.h"
#include "separation/dijkstra.h"
#include "separation/separadores.h"

namespace {

// Graph and point kept for the whole run; rebuilt when the arguments change.
struct Cenario {
  int n = -1, tipo = -1;
  std::vector<double> ponto;
  Ambiente* amb = nullptr;
};
Cenario cenario;

// tipo 0: uniform point in [0,1]; tipo 1: 40% zeros, 20% ones, the rest
// uniform, a rough picture of an LP point; tipo 2: the same, lowered until
// x(u) + x(w) <= 1 on every double edge, as the model's clique rows ask.
void prepara(int n, int tipo) {
  if (cenario.n == n && cenario.tipo == tipo) return;
  delete cenario.amb;
  std::mt19937 rng(1000 + n);
  const double dens = n <= 100 ? 0.3 : 0.1;
  cenario.amb = new Ambiente(n, grafoAleatorio(rng, n, dens, {1, 1, -1, -1, 2}, false));
  nodo** const gMat = cenario.amb->grafo.gMat;
  cenario.n = n;
  cenario.tipo = tipo;
  cenario.ponto.assign(n, 0.0);
  std::uniform_real_distribution<double> U(0, 1);
  for (double& p : cenario.ponto) {
    const double r = U(rng);
    p = tipo == 0 ? U(rng) : r < 0.4 ? 0.0 : r < 0.6 ? 1.0 : U(rng);
  }
  if (tipo == 2)
    for (int u = 0; u < n; u++)
      for (nodo* e = gMat[u]; e != nullptr; e = e->prox)
        if (e->sinal == 2 && cenario.ponto[u] + cenario.ponto[e->vertice] > 1)
          cenario.ponto[e->vertice] = 1 - cenario.ponto[u];
}

void pesosCiclo() {
  const int n = cenario.amb->nlin;
  nodo2** const gDup = cenario.amb->grafo.gDup;
  for (int u = 0; u < 2 * n; u++)
    for (nodo2* a = gDup[u]; a != nullptr; a = a->prox) {
      const bool mesma = (u < n) == (a->vertice < n);
      a->peso = ((a->sinal == 1 && mesma) || (a->sinal == -1 && !mesma))
                    ? 1.0 - cenario.ponto[u % n]
                    : 2.0 * n;
    }
}

void BM_BuscasDijkstraST(benchmark::State& st) {
  prepara(static_cast<int>(st.range(0)), static_cast<int>(st.range(1)));
  pesosCiclo();
  const int n = cenario.amb->nlin;
  nodo2** const gDup = cenario.amb->grafo.gDup;
  int* const pred = cenario.amb->pred;
  int acertos = 0;
  for (auto _ : st)
    for (int v = 0; v < n; v++) acertos += dijkstraS_T(v, n + v, gDup, 2 * n, pred, 1.0) < 0.999999;
  st.counters["acertos"] = benchmark::Counter(acertos, benchmark::Counter::kAvgIterations);
}

void BM_BuscasLimitadas(benchmark::State& st) {
  prepara(static_cast<int>(st.range(0)), static_cast<int>(st.range(1)));
  pesosCiclo();
  const int n = cenario.amb->nlin;
  nodo2** const gDup = cenario.amb->grafo.gDup;
  int* const pred = cenario.amb->pred;
  int acertos = 0;
  GrafoCompacto g;
  BuscadorLimitado buscador;
  for (auto _ : st) {
    compactaGrafo(gDup, 2 * n, 1.0, 0.0, g);
    for (int v = 0; v < n; v++) acertos += buscador.busca(v, n + v, g, pred, 0.999999) < 0.999999;
  }
  st.counters["acertos"] = benchmark::Counter(acertos, benchmark::Counter::kAvgIterations);
}

void BM_CicloNegativo(benchmark::State& st) {
  prepara(static_cast<int>(st.range(0)), static_cast<int>(st.range(1)));
  int cortes = 0;
  for (auto _ : st) {
    std::copy(cenario.ponto.begin(), cenario.ponto.end(), cenario.amb->x);
    int uc = -1, ucoef = -1;
    cortes += separacaoExataCMenosOdd(cenario.amb->s, cenario.amb->x, &uc, &ucoef);
  }
  st.counters["cortes"] = benchmark::Counter(cortes, benchmark::Counter::kAvgIterations);
}

void BM_Clique(benchmark::State& st) {
  prepara(static_cast<int>(st.range(0)), static_cast<int>(st.range(1)));
  int cortes = 0;
  for (auto _ : st) {
    std::copy(cenario.ponto.begin(), cenario.ponto.end(), cenario.amb->x);
    int uc = -1, ucoef = -1;
    cortes += separacaoHeuristicaDesigualdadesClique(cenario.amb->s, cenario.amb->x, &uc, &ucoef, 0);
  }
  st.counters["cortes"] = benchmark::Counter(cortes, benchmark::Counter::kAvgIterations);
}

void BM_CicloIndSet(benchmark::State& st) {
  prepara(static_cast<int>(st.range(0)), static_cast<int>(st.range(1)));
  int cortes = 0;
  // its message per hit goes nowhere while it runs
  std::fflush(stdout);
  const int guardada = dup(1), nula = open("/dev/null", O_WRONLY);
  dup2(nula, 1);
  for (auto _ : st) {
    std::copy(cenario.ponto.begin(), cenario.ponto.end(), cenario.amb->x);
    int uc = -1, ucoef = -1;
    cortes += separacaoExataCicloIndSet(cenario.amb->s, cenario.amb->x, &uc, &ucoef, 0);
  }
  std::fflush(stdout);
  dup2(guardada, 1);
  close(nula);
  close(guardada);
  st.counters["cortes"] = benchmark::Counter(cortes, benchmark::Counter::kAvgIterations);
}

const std::vector<std::vector<int64_t>> ARGS = {{100, 500}, {0, 1, 2}};

}  // namespace

BENCHMARK(BM_BuscasDijkstraST)->ArgsProduct(ARGS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuscasLimitadas)->ArgsProduct(ARGS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CicloNegativo)->ArgsProduct(ARGS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Clique)->ArgsProduct(ARGS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CicloIndSet)->ArgsProduct(ARGS)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
