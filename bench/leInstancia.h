// The benchmarks' reader of an instance in graph form ("n m", then m
// records "u w s", vertices from 0), straight into the one graph form, and
// the largest piece its reduction leaves.
#ifndef BCT_BENCH_LEINSTANCIA_H
#define BCT_BENCH_LEINSTANCIA_H

#include <cstdio>
#include <vector>

#include "graph/GrafoSimples.h"
#include "reduction/Reducao.h"

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

// The largest piece of red (g itself when `inteiro` or when nothing is left),
// with the reduction's fixed value into fixo when that piece is the only one.
inline const GrafoSimples* maiorPeca(const GrafoSimples& g, const Reducao& red, bool inteiro, int& fixo) {
  fixo = 0;
  if (inteiro || red.pecas().empty()) return &g;
  size_t maior = 0;
  for (size_t p = 0; p < red.pecas().size(); p++)
    if (red.pecas()[p].grafo.numVertices() > red.pecas()[maior].grafo.numVertices()) maior = p;
  if (red.pecas().size() == 1) fixo = red.valorFixo();
  return &red.pecas()[maior].grafo;
}

#endif
