// The small exact search: against brute force with a vertex forced in or
// left out, and at the largest size it takes.
#include <gtest/gtest.h>

#include <random>

#include "graph/forcaBruta.h"
#include "reduction/exatoPequeno.h"

namespace {

// Largest balanced set holding every vertex of `dentro` and none of `fora`.
int otimoRestrito(int n, const std::vector<ArestaSinal>& arestas, unsigned long dentro,
                  unsigned long fora) {
  int melhor = -1;
  for (unsigned long mask = 0; mask < (1ul << n); mask++)
    if ((mask & dentro) == dentro && !(mask & fora) && __builtin_popcountl(mask) > melhor &&
        equilibradoBruto(n, arestas, mask))
      melhor = __builtin_popcountl(mask);
  return melhor;
}

}  // namespace

TEST(ExatoPequeno, IgualAForcaBruta) {
  std::mt19937 rng(11);
  for (int caso = 0; caso < 300; caso++) {
    const int n = 1 + static_cast<int>(rng() % 12);
    const auto arestas = grafoSinalAleatorio(rng, n, (caso % 10) / 10.0 + 0.05, 0.4,
                                             caso % 3 == 0 ? 0.2 : 0.0, caso % 2 == 1);
    const GrafoSimples g(n, arestas);
    const int f = static_cast<int>(rng() % n);
    const int e = n > 1 ? (f + 1 + static_cast<int>(rng() % (n - 1))) % n : -1;
    for (const auto& [forcado, excluido] : {std::pair{-1, -1}, {f, -1}, {-1, e}, {f, e}}) {
      const unsigned long dentro = forcado < 0 ? 0 : 1ul << forcado;
      const unsigned long fora = excluido < 0 ? 0 : 1ul << excluido;
      std::vector<char> escolhido;
      const int valor = equilibradoMaximoPequeno(g, forcado, excluido, escolhido);
      ASSERT_EQ(valor, otimoRestrito(n, arestas, dentro, fora)) << "caso " << caso;
      const unsigned long m = mascara(escolhido);
      EXPECT_EQ(__builtin_popcountl(m), valor);
      EXPECT_TRUE(equilibradoBruto(n, arestas, m));
      EXPECT_EQ(m & dentro, dentro);
      EXPECT_EQ(m & fora, 0ul);
    }
  }
}

TEST(ExatoPequeno, TrintaEDoisVertices) {
  std::mt19937 rng(3);
  const int n = MAX_VERTICES_EXATO;
  // Random sides and edges that agree with them: the whole graph.
  std::vector<ArestaSinal> equilibrado;
  std::vector<int> lado(n);
  for (int& l : lado) l = static_cast<int>(rng() % 2);
  for (int u = 0; u < n; u++)
    for (int w = u + 1; w < n; w++)
      if (rng() % 3 == 0) equilibrado.push_back({u, w, lado[u] == lado[w] ? 1 : -1});
  // Pairwise double: one vertex.  A cycle with one negative edge: all but one.
  std::vector<ArestaSinal> duplo, ciclo;
  for (int u = 0; u < n; u++) {
    for (int w = u + 1; w < n; w++) duplo.push_back({u, w, 2});
    ciclo.push_back({u, (u + 1) % n, u == 0 ? -1 : 1});
  }
  std::vector<char> escolhido;
  EXPECT_EQ(equilibradoMaximoPequeno(GrafoSimples(n, equilibrado), -1, -1, escolhido), n);
  EXPECT_EQ(equilibradoMaximoPequeno(GrafoSimples(n, duplo), 5, -1, escolhido), 1);
  EXPECT_EQ(escolhido[5], 1);
  EXPECT_EQ(equilibradoMaximoPequeno(GrafoSimples(n, ciclo), -1, 7, escolhido), n - 1);
  EXPECT_EQ(equilibradoMaximoPequeno(GrafoSimples(n, ciclo), 7, -1, escolhido), n - 1);
}
