// Independent balance check for tests: union-find with parity over an edge
// list (no use of the graph store or of the solver's own test).
#ifndef BCT_TESTS_SEARCH_EQUILIBRIO_H
#define BCT_TESTS_SEARCH_EQUILIBRIO_H

#include <vector>

#include "graph/forcaBruta.h"
#include "search/grafoTeste.h"

// True when the chosen vertices induce no double edge and can be split in two
// sides with positive edges inside and negative edges across.
inline bool equilibradoUF(int n, const std::vector<ArestaTeste>& arestas,
                          const std::vector<bool>& escolhido) {
  std::vector<ArestaSinal> a;
  a.reserve(arestas.size());
  for (const ArestaTeste& e : arestas) a.push_back({e.u, e.w, e.s});
  return equilibradoPorParidade(n, a, escolhido);
}

#endif
