// K1K2 rows: member order, right-hand sides and which edges start attempts.
#include <gtest/gtest.h>

#include <vector>

#include "graph/grafo.h"
#include "model/desigualdadesClique.h"
#include "search/equilibrio.h"
#include "search/grafoTeste.h"

namespace {

struct Linhas {
  std::vector<std::vector<int>> membros;
  std::vector<double> rhs;
  std::vector<char> sentido;
};

Linhas monta(int n, const std::vector<ArestaTeste>& arestas) {
  montaGrafoTeste(n, arestas);
  std::vector<char> qr(n + 1);
  std::vector<double> rhs(n + 1);
  std::vector<int> ms(n + 2, -7);
  std::vector<int> mc(n * n + 1);
  std::vector<double> dv(n * n + 1);
  int elementos = -1;
  const int linhas = montaLinhasK1K2(qr.data(), rhs.data(), ms.data(), mc.data(), dv.data(),
                                     &elementos);
  Linhas r;
  EXPECT_EQ(ms[linhas], elementos);
  for (int i = 0; i < linhas; i++) {
    r.membros.emplace_back(mc.begin() + ms[i], mc.begin() + ms[i + 1]);
    for (int e = ms[i]; e < ms[i + 1]; e++) EXPECT_EQ(dv[e], 1.0);
    r.rhs.push_back(rhs[i]);
    r.sentido.push_back(qr[i]);
  }
  liberaGrafo();
  return r;
}

using V = std::vector<int>;

TEST(DesigualdadesK1K2, QuatroVerticesNegativosFormamUmaLinhaSoComK1) {
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 1, 2, 3}, -1);
  Linhas r = monta(4, a);
  ASSERT_EQ(r.membros.size(), 1u);
  EXPECT_EQ(r.membros[0], (V{1, 0, 2, 3}));
  EXPECT_EQ(r.rhs[0], 2.0);
  EXPECT_EQ(r.sentido[0], 'L');
}

TEST(DesigualdadesK1K2, TrianguloNegativoNaoDaLinhaMasCobreAsArestas) {
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 1, 2}, -1);
  EXPECT_TRUE(monta(3, a).membros.empty());
  // A fourth vertex hanging negatively off the covered triangle only meets
  // covered pairs or pairs whose attempt stays at three members.
  a.push_back({3, 2, -1});
  EXPECT_TRUE(monta(4, a).membros.empty());
}

TEST(DesigualdadesK1K2, DoisLadosComArestasPositivasEntreEles) {
  Linhas r = monta(4, {{0, 1, -1}, {2, 3, -1}, {0, 2, 1}, {0, 3, 1}, {1, 2, 1}, {1, 3, 1}});
  ASSERT_EQ(r.membros.size(), 1u);
  EXPECT_EQ(r.membros[0], (V{1, 0, 2, 3}));

  r = monta(4, {{1, 2, -1}, {0, 3, -1}, {0, 1, 1}, {0, 2, 1}, {1, 3, 1}, {2, 3, 1}});
  ASSERT_EQ(r.membros.size(), 1u);
  EXPECT_EQ(r.membros[0], (V{2, 1, 0, 3}));
}

TEST(DesigualdadesK1K2, CincoNegativosNumaSoLinha) {
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 1, 2, 3, 4}, -1);
  Linhas r = monta(5, a);
  ASSERT_EQ(r.membros.size(), 1u);
  EXPECT_EQ(r.membros[0], (V{1, 0, 2, 3, 4}));
}

TEST(DesigualdadesK1K2, SemArestasNegativasNenhumaLinha) {
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 1, 2, 3}, 1);
  a.push_back({0, 4, 2});
  EXPECT_TRUE(monta(5, a).membros.empty());
  EXPECT_TRUE(monta(0, {}).membros.empty());
}

TEST(DesigualdadesK1K2, ArestaDuplaJuntaMembrosDosDoisLadosMasNaoComecaTentativa) {
  // K1 = {1, 0, 2} with 0-2 double; vertex 3 joins K2 through positive edges
  // to 1 and 2 and a double edge to 0.
  Linhas r = monta(4, {{0, 1, -1}, {1, 2, -1}, {0, 2, 2}, {1, 3, 1}, {2, 3, 1}, {0, 3, 2}});
  ASSERT_EQ(r.membros.size(), 1u);
  EXPECT_EQ(r.membros[0], (V{1, 0, 2, 3}));
  // Only double edges: no attempt at all.
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 1, 2, 3}, 2);
  EXPECT_TRUE(monta(4, a).membros.empty());
}

TEST(DesigualdadesK1K2, ArestaCobertaNaoRecomecaMasOutraNegativaSim) {
  // Two disjoint negative 4-cliques: one row each, in the order of their
  // larger vertices.
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 2, 4, 6}, -1);
  juntaTodos(a, {1, 3, 5, 7}, -1);
  Linhas r = monta(8, a);
  ASSERT_EQ(r.membros.size(), 2u);
  EXPECT_EQ(r.membros[0], (V{2, 0, 4, 6}));
  EXPECT_EQ(r.membros[1], (V{3, 1, 5, 7}));
}

}  // namespace

namespace {

// Every three members of a K1K2 row must be unbalanced, or the row would cut
// off a feasible set; checked over random small graphs.
TEST(DesigualdadesK1K2, TodaLinhaEhValidaEmGrafosAleatorios) {
  unsigned semente = 12345;
  auto proximo = [&]() { return (semente = semente * 1103515245u + 12345u) >> 16; };
  int linhasVistas = 0;
  for (int rodada = 0; rodada < 300; rodada++) {
    const int n = 4 + proximo() % 7;
    std::vector<ArestaTeste> a;
    for (int u = 0; u < n; u++)
      for (int w = u + 1; w < n; w++) {
        const unsigned r = proximo() % 10;
        if (r < 5) a.push_back({u, w, -1});
        else if (r < 8) a.push_back({u, w, 1});
        else if (r < 9) a.push_back({u, w, 2});
      }
    Linhas r = monta(n, a);
    for (const std::vector<int>& m : r.membros) {
      linhasVistas++;
      ASSERT_GE(m.size(), 4u);
      for (size_t i = 0; i < m.size(); i++)
        for (size_t j = i + 1; j < m.size(); j++) {
          ASSERT_NE(m[i], m[j]);
          for (size_t k = j + 1; k < m.size(); k++) {
            std::vector<bool> esc(n, false);
            esc[m[i]] = esc[m[j]] = esc[m[k]] = true;
            EXPECT_FALSE(equilibradoUF(n, a, esc)) << m[i] << " " << m[j] << " " << m[k];
          }
        }
    }
  }
  EXPECT_GT(linhasVistas, 50);
}

}  // namespace
