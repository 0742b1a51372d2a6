// The benchmarks' reader of an instance in graph form ("n m", then m
// records "u w s", vertices from 0), straight into the one graph form.
#ifndef BCT_BENCH_LEINSTANCIA_H
#define BCT_BENCH_LEINSTANCIA_H

#include <cstdio>
#include <vector>

#include "graph/GrafoSimples.h"

inline bool leInstancia(const char* caminho, GrafoSimples& g) {
  std::FILE* f = std::fopen(caminho, "r");
  if (f == nullptr) return false;
  int n = 0, m = 0;
  bool ok = std::fscanf(f, "%d %d", &n, &m) == 2 && n >= 0 && m >= 0;
  std::vector<ArestaSinal> arestas;
  arestas.reserve(ok ? static_cast<size_t>(m) : 0);
  for (int k = 0; ok && k < m; k++) {
    ArestaSinal a{};
    ok = std::fscanf(f, "%d %d %d", &a.u, &a.w, &a.sinal) == 3 && a.u >= 0 && a.u < n &&
         a.w >= 0 && a.w < n;
    arestas.push_back(a);
  }
  std::fclose(f);
  if (ok) g = GrafoSimples(n, arestas);
  return ok;
}

#endif
