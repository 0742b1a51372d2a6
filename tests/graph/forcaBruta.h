// Test helper: random small signed graphs (all densities, double edges,
// repeated records, positive loops) and their maximum balanced set by brute
// force, with a balance check of its own (union-find with parity) that shares
// nothing with the solver.
#ifndef BCT_TESTS_GRAPH_FORCABRUTA_H
#define BCT_TESTS_GRAPH_FORCABRUTA_H

#include <algorithm>
#include <random>
#include <vector>

#include "graph/GrafoSimples.h"

// Every pair joined with probability dens; the sign is double with
// probability pDupla, else negative with probability pNeg, else positive.
// With `sujo`, some records are repeated (with any sign) and some positive
// loops added, as real input may have them.
inline std::vector<ArestaSinal> grafoSinalAleatorio(std::mt19937& rng, int n, double dens,
                                                    double pNeg, double pDupla, bool sujo) {
  std::uniform_real_distribution<double> U(0, 1);
  auto sorteiaSinal = [&] { return U(rng) < pDupla ? 2 : U(rng) < pNeg ? -1 : 1; };
  std::vector<ArestaSinal> r;
  for (int u = 0; u < n; u++)
    for (int w = u + 1; w < n; w++)
      if (U(rng) < dens) r.push_back({u, w, sorteiaSinal()});
  if (sujo && n > 0) {
    const size_t base = r.size();
    for (size_t t = 0; base > 0 && t < base / 4 + 1; t++) {
      const ArestaSinal a = r[rng() % base];
      r.push_back({a.w, a.u, U(rng) < 0.5 ? a.sinal : sorteiaSinal()});
    }
    for (int t = 0; t < n / 4 + 1; t++) {
      const int v = static_cast<int>(rng() % n);
      r.push_back({v, v, 1});
    }
    std::shuffle(r.begin(), r.end(), rng);
  }
  return r;
}

// Whether the chosen vertices induce a balanced subgraph (loops are
// positive and constrain nothing): union-find with parity over the edges.
inline bool equilibradoPorParidade(int n, const std::vector<ArestaSinal>& arestas,
                                   const std::vector<bool>& escolhido) {
  std::vector<int> pai(n), par(n, 0);
  for (int i = 0; i < n; i++) pai[i] = i;
  auto raiz = [&](int v, int& p) {
    p = 0;
    while (pai[v] != v) {
      p ^= par[v];
      v = pai[v];
    }
    return v;
  };
  for (const ArestaSinal& a : arestas) {
    if (a.u == a.w || !escolhido[a.u] || !escolhido[a.w]) continue;
    if (a.sinal == 2) return false;
    const int diferente = a.sinal == -1;
    int pu, pw;
    const int ru = raiz(a.u, pu), rw = raiz(a.w, pw);
    if (ru == rw) {
      if ((pu ^ pw) != diferente) return false;
    } else {
      pai[ru] = rw;
      par[ru] = pu ^ pw ^ diferente;
    }
  }
  return true;
}

// The same for the vertices of a mask (n <= 64).
inline bool equilibradoBruto(int n, const std::vector<ArestaSinal>& arestas, unsigned long mask) {
  std::vector<bool> escolhido(n);
  for (int v = 0; v < n; v++) escolhido[v] = (mask >> v) & 1;
  return equilibradoPorParidade(n, arestas, escolhido);
}

// Size of a maximum balanced set (n <= 20).
inline int otimoForcaBruta(int n, const std::vector<ArestaSinal>& arestas) {
  int melhor = 0;
  for (unsigned long mask = 0; mask < (1ul << n); mask++) {
    const int k = __builtin_popcountl(mask);
    if (k > melhor && equilibradoBruto(n, arestas, mask)) melhor = k;
  }
  return melhor;
}

// The chosen vertices of a flag vector as a bit mask (graphs of up to 64 vertices).
inline unsigned long mascara(const std::vector<char>& escolhido) {
  unsigned long m = 0;
  for (size_t v = 0; v < escolhido.size(); v++)
    if (escolhido[v]) m |= 1ul << v;
  return m;
}

// A graph too large for brute force but quick to search exactly, for
// comparing searches: 20 to 69 vertices, density 0.05 to 0.55, signs mostly
// negative or mixed, some double edges, some repeated records and loops,
// varying with `caso`.
inline GrafoSimples grafoDeBuscaAleatorio(std::mt19937& rng, int caso) {
  const int n = 20 + static_cast<int>(rng() % 50);
  return GrafoSimples(n, grafoSinalAleatorio(rng, n, 0.05 + (caso % 6) / 10.0, caso % 3 == 0 ? 0.8 : 0.4,
                                             caso % 4 == 0 ? 0.1 : 0.0, caso % 5 == 0));
}

// Whether the sides given split the chosen set validly: every positive edge
// inside a side, every negative one across, no double edge (-1: not chosen).
inline bool ladosValidos(const GrafoSimples& g, const std::vector<signed char>& lado) {
  for (const ArestaSinal& a : g.arestas()) {
    if (lado[a.u] < 0 || lado[a.w] < 0) continue;
    if (a.sinal == 2 || (a.sinal == 1) != (lado[a.u] == lado[a.w])) return false;
  }
  return true;
}

#endif
