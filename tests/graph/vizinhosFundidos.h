// Test helper: the neighbours of a vertex with the signs of their records
// merged (a repeated record once; a double record, or records of both signs,
// a double edge), read straight from the list, for the plain versions of the
// counting rules that tests compare with.
#ifndef BCT_TESTS_GRAPH_VIZINHOSFUNDIDOS_H
#define BCT_TESTS_GRAPH_VIZINHOSFUNDIDOS_H

#include <map>
#include <utility>
#include <vector>

#include "graph/grafo.h"

inline std::vector<std::pair<int, int>> vizinhosFundidos(const Armazem& a, int v) {
  std::map<int, std::pair<bool, bool>> sinais;  // neighbour -> (positive, negative)
  for (nodo* e = a.gMat[v]; e != nullptr; e = e->prox) {
    auto& [pos, neg] = sinais[e->vertice];
    pos = pos || e->sinal == 1 || e->sinal == 2;
    neg = neg || e->sinal == -1 || e->sinal == 2;
  }
  std::vector<std::pair<int, int>> r;
  for (const auto& [w, pn] : sinais)
    r.push_back({w, pn.first && pn.second ? 2 : pn.first ? 1 : pn.second ? -1 : 0});
  return r;
}

#endif
