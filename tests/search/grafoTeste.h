// Test helper: the store of an edge list built the one way tests build one
// (see separation/ambiente.h), so tests do not depend on input parsing; and
// edge-list builders.
#ifndef BCT_TESTS_SEARCH_GRAFOTESTE_H
#define BCT_TESTS_SEARCH_GRAFOTESTE_H

#include <initializer_list>
#include <memory>
#include <vector>

#include "graph/grafo.h"
#include "separation/ambiente.h"

using ArestaTeste = Aresta;

// The store of n vertices and the given records.
inline std::unique_ptr<Armazem> armazemDeTeste(int n, const std::vector<ArestaTeste>& arestas) {
  return std::make_unique<Armazem>(n, Ambiente::registros(arestas));
}

// All pairs of the listed vertices joined with sign s.
inline void juntaTodos(std::vector<ArestaTeste>& arestas, std::initializer_list<int> vs, int s) {
  std::vector<int> v(vs);
  for (size_t i = 0; i < v.size(); i++)
    for (size_t j = i + 1; j < v.size(); j++) arestas.push_back({v[i], v[j], s});
}

#endif
