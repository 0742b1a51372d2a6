// Independent balance check for tests: union-find with parity over an edge
// list (no use of the graph store or of the solver's own test).
#ifndef BCT_TESTS_SEARCH_EQUILIBRIO_H
#define BCT_TESTS_SEARCH_EQUILIBRIO_H

#include <vector>

#include "search/grafoTeste.h"

// True when the chosen vertices induce no double edge and can be split in two
// sides with positive edges inside and negative edges across.
inline bool equilibradoUF(int n, const std::vector<ArestaTeste>& arestas,
                          const std::vector<bool>& escolhido) {
  std::vector<int> pai(n), paridade(n, 0);
  for (int i = 0; i < n; i++) pai[i] = i;
  auto raiz = [&](int v, int& par) {
    par = 0;
    while (pai[v] != v) {
      par ^= paridade[v];
      v = pai[v];
    }
    return v;
  };
  for (const ArestaTeste& a : arestas) {
    if (!escolhido[a.u] || !escolhido[a.w]) continue;
    if (a.s == 2) return false;
    const int diferente = a.s == -1 ? 1 : 0;
    int pu, pw;
    const int ru = raiz(a.u, pu), rw = raiz(a.w, pw);
    if (ru == rw) {
      if ((pu ^ pw) != diferente) return false;
    } else {
      pai[ru] = rw;
      paridade[ru] = pu ^ pw ^ diferente;
    }
  }
  return true;
}

#endif
