// A reduced run's second primal heuristic: the LP point rounded greedily
// (vertices by decreasing value, each on a side that keeps the set balanced,
// as the greedy heuristic does) and then improved by the local search of
// swaps on the doubled conflict graph, now and then (see busca.h).  The LP point says where the
// search should start; the local search alone starts from the same greedy
// set each time and stalls there.
#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include "base/relogio.h"
#include "search/busca.h"

namespace {

buscaLocal::Conjunto arredonda(const GrafoSimples& g, const double* x) {
  const int n = g.numVertices();
  std::vector<int> ordem(n);
  std::iota(ordem.begin(), ordem.end(), 0);
  std::stable_sort(ordem.begin(), ordem.end(), [x](int a, int b) { return x[a] > x[b]; });
  buscaLocal::Conjunto c;
  c.lado.assign(n, -1);
  for (int v : ordem) {
    bool pode[2] = {true, true};
    const auto viz = g.vizinhos(v);
    const auto sin = g.sinais(v);
    for (size_t i = 0; i < viz.size() && (pode[0] || pode[1]); i++) {
      const int l = c.lado[viz[i]];
      if (l < 0) continue;
      if (sin[i] == 2) pode[0] = pode[1] = false;
      else if (sin[i] == 1) pode[1 - l] = false;  // positive: same side
      else pode[l] = false;                       // negative: across
    }
    if (pode[0] || pode[1]) {
      c.lado[v] = pode[0] ? 0 : 1;
      c.tamanho++;
    }
  }
  return c;
}

}  // namespace

void heuristicaGuiadaPeloLP(Resolucao& s, XPRSprob prob, const double* x, int node) {
  const GrafoSimples& g = s.grafoSimples;
  if (s.buscaDoLP == nullptr) s.buscaDoLP = std::make_unique<buscaLocal::BuscaLocal>(g, 1);
  // Each call a fixed number of perturbations, so that a run is repeatable.
  const int64_t iteracoes = std::max<int64_t>(1000, 100 * static_cast<int64_t>(g.numVertices()));
  const buscaLocal::Conjunto c = s.buscaDoLP->melhora(arredonda(g, x), s.prazo, iteracoes);
  if (c.tamanho <= s.zstar) return;
  for (int v = 0; v < s.grafo.nlin; v++) s.xstar[v] = c.lado[v] >= 0 ? 1.0 : 0.0;
  novoIncumbente(s, prob, c.tamanho, node, "Heuristica guiada pelo LP: Erro \n", 0);
}
