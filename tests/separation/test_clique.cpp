// Heuristic clique separation: both passes, the strict thresholds, the
// starting-vertex bar, the room rule and repeated edges.
#include <gtest/gtest.h>

#include <algorithm>

#include "separation/ambiente.h"
#include "separation/separadores.h"

namespace {

std::vector<Corte> separa(const std::vector<double>& ponto, int ncortes = 0) {
  std::copy(ponto.begin(), ponto.end(), x);
  int ultimoCorte = -1, ultimoCoef = -1;
  const int r = separacaoHeuristicaDesigualdadesClique(x, &ultimoCorte, &ultimoCoef, ncortes);
  std::vector<Corte> cortes = cortesDoLote(ultimoCorte, ultimoCoef);
  EXPECT_EQ(r, static_cast<int>(cortes.size()));
  return cortes;
}

// a=0, b=1 negative; c=2, d=3 negative; positive across.
std::vector<Aresta> doisLados() {
  return {{0, 1, -1}, {2, 3, -1}, {0, 2, 1}, {0, 3, 1}, {1, 2, 1}, {1, 3, 1}};
}

}  // namespace

TEST(Clique, ParDuploDaUmCorteEBarraOsDois) {
  montaGrafo(2, {{0, 1, 2}});
  Ambiente amb;
  const std::vector<Corte> c = separa({0.6, 0.5});
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].colunas, (std::vector<int>{0, 1}));
  EXPECT_EQ(c[0].coefs, (std::vector<double>{1, 1}));
  EXPECT_EQ(c[0].rhs, 1.0);
  EXPECT_EQ(c[0].tipo, CORTE_CLIQUE);
  EXPECT_EQ(c[0].sentido, 'L');
  EXPECT_EQ(pertence[0], 1);
  EXPECT_EQ(pertence[1], 1);
}

TEST(Clique, SomaDeExatamente1000001NaoDaCorte) {
  montaGrafo(2, {{0, 1, 2}});
  Ambiente amb;
  const double a = 0.25, b = 1.000001 - 0.25;
  ASSERT_EQ(b + a, 1.000001);  // the order in which the set is summed
  EXPECT_TRUE(separa({a, b}).empty());
  EXPECT_EQ(separa({a, b + 1e-9}).size(), 1u);
}

TEST(Clique, DuasPassadasSemDuplas) {
  montaGrafo(4, doisLados());
  Ambiente amb;
  const std::vector<Corte> c = separa({0.6, 0.6, 0.6, 0.6});
  ASSERT_EQ(c.size(), 1u);
  // start 0, its side mate 1, then the other side 2 and 3
  EXPECT_EQ(c[0].colunas, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(c[0].rhs, 2.0);
  for (int v = 0; v < 4; v++) EXPECT_EQ(pertence[v], 1);
}

TEST(Clique, ConjuntoDeTresNuncaDaCorte) {
  montaGrafo(3, {{0, 1, -1}, {0, 2, 1}, {1, 2, 1}});
  Ambiente amb;
  EXPECT_TRUE(separa({0.9, 0.9, 0.9}).empty());
}

TEST(Clique, VerticeDeValorZeroEntraNoConjunto) {
  montaGrafo(4, doisLados());
  Ambiente amb;
  const std::vector<Corte> c = separa({0.8, 0.8, 0.8, 0.0});
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].colunas, (std::vector<int>{0, 1, 2, 3}));
}

TEST(Clique, OrdemDeEntradaSegueOsValores) {
  montaGrafo(4, doisLados());
  Ambiente amb;
  const std::vector<Corte> c = separa({0.5, 0.6, 0.9, 0.7});
  ASSERT_EQ(c.size(), 1u);
  // start 2, then 3 (negative to 2), then the other side in value order
  EXPECT_EQ(c[0].colunas, (std::vector<int>{2, 3, 1, 0}));
}

TEST(Clique, SemEspacoNaPrimeiraPassadaASegundaNaoRoda) {
  std::vector<Aresta> a = doisLados();
  a.push_back({4, 5, 2});
  montaGrafo(6, a);
  Ambiente amb;
  const std::vector<double> ponto{0.6, 0.6, 0.6, 0.6, 0.7, 0.7};
  EXPECT_EQ(separa(ponto, 0).size(), 2u);
  const std::vector<Corte> c = separa(ponto, 199);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].rhs, 1.0);
}

TEST(Clique, CliqueDeDuplasMaior) {
  std::vector<Aresta> a;
  for (int u = 0; u < 4; u++)
    for (int w = u + 1; w < 4; w++) a.push_back({u, w, 2});
  a.push_back({4, 0, 2});  // 4 is double to 0 only: it cannot join
  montaGrafo(5, a);
  Ambiente amb;
  const std::vector<Corte> c = separa({0.3, 0.3, 0.3, 0.3, 0.9});
  ASSERT_FALSE(c.empty());
  EXPECT_EQ(c[0].colunas, (std::vector<int>{4, 0}));
}

// 0 has the double edge to 2 entered twice and one to 1, while 1 and 2 are
// not joined at all: 2 must not join {0, 1} on the strength of the repeated
// edge, since 1 and 2 can be chosen together.
TEST(Clique, ArestaRepetidaNaoContaDuasVezes) {
  const std::vector<Aresta> a{{0, 1, 2}, {0, 2, 2}, {0, 2, 2}};
  montaGrafo(3, a);
  Ambiente amb;
  const std::vector<Corte> c = separa({0.6, 0.5, 0.4});
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].colunas, (std::vector<int>{0, 1}));
}
