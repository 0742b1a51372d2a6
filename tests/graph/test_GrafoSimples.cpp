// The simple signed graph: merging of repeated records, dropped loops, edge
// lookup, and its balance check against the brute-force one.
#include <gtest/gtest.h>

#include <random>

#include "graph/GrafoSimples.h"
#include "graph/forcaBruta.h"

TEST(GrafoSimples, RegistrosRepetidosViramUmaAresta) {
  // 0-1 twice positive; 1-2 positive and negative; 2-3 double and negative;
  // a loop at 3; vertex 4 alone.
  const GrafoSimples g(5, {{1, 0, 1}, {0, 1, 1}, {1, 2, 1}, {2, 1, -1}, {3, 2, 2}, {2, 3, -1},
                           {3, 3, 1}});
  EXPECT_EQ(g.numVertices(), 5);
  EXPECT_EQ(g.numArestas(), 3);
  EXPECT_EQ(g.sinal(0, 1), 1);
  EXPECT_EQ(g.sinal(1, 2), 2);
  EXPECT_EQ(g.sinal(3, 2), 2);
  EXPECT_EQ(g.sinal(3, 3), 0);
  EXPECT_EQ(g.sinal(0, 4), 0);
  EXPECT_EQ(g.grau(4), 0);
  ASSERT_EQ(g.grau(2), 2);
  EXPECT_EQ(g.vizinhos(2)[0], 1);
  EXPECT_EQ(g.vizinhos(2)[1], 3);
  const std::vector<ArestaSinal> a = g.arestas();
  ASSERT_EQ(a.size(), 3u);
  EXPECT_EQ(a[2].u, 2);
  EXPECT_EQ(a[2].w, 3);
  EXPECT_EQ(a[2].sinal, 2);
}

TEST(GrafoSimples, EquilibrioIgualAoDaForcaBruta) {
  std::mt19937 rng(5);
  for (int caso = 0; caso < 200; caso++) {
    const int n = 1 + static_cast<int>(rng() % 12);
    const auto arestas = grafoSinalAleatorio(rng, n, (caso % 10) / 10.0 + 0.05, 0.5,
                                             caso % 3 == 0 ? 0.2 : 0.0, caso % 2 == 1);
    const GrafoSimples g(n, arestas);
    for (int t = 0; t < 20; t++) {
      const unsigned long mask = rng() % (1ul << n);
      std::vector<char> escolhido(n);
      for (int v = 0; v < n; v++) escolhido[v] = (mask >> v) & 1;
      std::vector<signed char> lados;
      const bool ok = equilibrado(g, escolhido, &lados);
      ASSERT_EQ(ok, equilibradoBruto(n, arestas, mask)) << "caso " << caso;
      if (!ok) continue;
      // The sides given really split the set as its edges demand.
      for (const ArestaSinal& e : arestas) {
        if (e.u == e.w || !escolhido[e.u] || !escolhido[e.w]) continue;
        EXPECT_EQ(lados[e.u] == lados[e.w], e.sinal == 1);
      }
      for (int v = 0; v < n; v++) EXPECT_EQ(lados[v] == -1, !escolhido[v]);
    }
  }
}
