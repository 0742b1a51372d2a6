// Test helper: builds the graph store directly from an edge list (ordered
// insertion, as the reader does) so tests do not depend on input parsing.
#ifndef BCT_TESTS_SEARCH_GRAFOTESTE_H
#define BCT_TESTS_SEARCH_GRAFOTESTE_H

#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "graph/grafo.h"

struct ArestaTeste {
  int u, w, s;
};

// Replaces the graph store with n vertices and the given edges (gDup empty).
inline void montaGrafoTeste(int n, const std::vector<ArestaTeste>& arestas) {
  liberaGrafo();
  nlin = n;
  narco = static_cast<int>(arestas.size());
  nneg = npos = nduplo = 0;
  gMat = static_cast<nodo**>(std::calloc(n + 1, sizeof(nodo*)));
  for (const ArestaTeste& a : arestas) {
    if (a.s == 2) nduplo++;
    else if (a.s == -1) nneg++;
    else npos++;
    insereOrdenado(a.u, a.w, a.s);
    insereOrdenado(a.w, a.u, a.s);
  }
}

// All pairs of the listed vertices joined with sign s.
inline void juntaTodos(std::vector<ArestaTeste>& arestas, std::initializer_list<int> vs, int s) {
  std::vector<int> v(vs);
  for (size_t i = 0; i < v.size(); i++)
    for (size_t j = i + 1; j < v.size(); j++) arestas.push_back({v[i], v[j], s});
}

#endif
