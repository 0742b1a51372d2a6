// Local search for a large balanced set of a signed graph: a greedy start and
// an iterated local search of swaps on the doubled conflict graph, where a
// balanced set with its sides is an independent set.
#ifndef BCT_LOCALSEARCH_BUSCALOCAL_H
#define BCT_LOCALSEARCH_BUSCALOCAL_H

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/relogio.h"
#include "graph/GrafoSimples.h"

namespace buscaLocal {

class GrafoDuplo;

struct Conjunto {                 // a balanced set with its sides
  std::vector<signed char> lado;  // per vertex: -1 out, 0 or 1
  int tamanho = 0;
};

class BuscaLocal {
 public:
  // The search keeps its own form of the conflicts: g need not outlive it.
  BuscaLocal(const GrafoSimples& g, uint64_t semente);
  ~BuscaLocal();

  // Vertices by increasing degree, on sides that agree across the graph:
  // linear time, no randomness.
  Conjunto guloso();
  // Improves `inicial` (whose members that clash with earlier ones are
  // dropped) until the deadline or, when maxIteracoes >= 0, that many
  // perturbations; returns the best set seen.  The same seed and calls give
  // the same sets whenever the deadline does not cut the run.
  Conjunto melhora(const Conjunto& inicial, const Prazo& prazo, int64_t maxIteracoes = -1);

 private:
  std::unique_ptr<const GrafoDuplo> h_;
  uint64_t semente_;
};

// The greedy set improved within `segundos` (and before `prazo`): the search
// gives up once it has gone as long without improving as it took to reach
// its best (and at least half a millisecond per vertex), since a longer wait
// rarely pays.
Conjunto comPaciencia(const GrafoSimples& g, double segundos, const Prazo& prazo);

// What the first sets before an exact search may take of the `restante`
// seconds of a run: a quarter, at most a minute.
inline double tempoDoPrimeiroConjunto(double restante) {
  return restante <= 0 ? 0.0 : std::min(60.0, 0.25 * restante);
}

}  // namespace buscaLocal

#endif
