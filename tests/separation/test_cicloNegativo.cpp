// Odd negative cycle separation and chord splitting: the cases that decide
// which cycle becomes the cut, and when none does.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "separation/ambiente.h"
#include "separation/separadores.h"

namespace {

std::vector<Corte> separa(Ambiente& amb, const std::vector<double>& ponto) {
  std::copy(ponto.begin(), ponto.end(), amb.x);
  int ultimoCorte = -1, ultimoCoef = -1;
  const int r = separacaoExataCMenosOdd(amb.s, amb.x, &ultimoCorte, &ultimoCoef);
  std::vector<Corte> cortes = cortesDoLote(amb.lote, ultimoCorte, ultimoCoef);
  EXPECT_EQ(r, static_cast<int>(cortes.size()));
  for (int v = 0; v < amb.nlin; v++) EXPECT_EQ(amb.pertence[v], 0) << v;
  return cortes;
}

std::set<int> colunas(const Corte& c) { return {c.colunas.begin(), c.colunas.end()}; }

// A 5-cycle 0-1-2-3-4 with one of three negatives on 1-2, and chord 1-3.
std::vector<Aresta> cincoCiclo(int sinalCorda) {
  return {{0, 1, 1}, {1, 2, -1}, {2, 3, 1}, {3, 4, -1}, {4, 0, -1}, {1, 3, sinalCorda}};
}

}  // namespace

TEST(CicloNegativo, PontoNuloNaoDaCorte) {
  Ambiente amb(4, {{0, 1, -1}, {1, 2, 1}, {2, 0, 1}, {2, 3, -1}});
  EXPECT_TRUE(separa(amb, {0, 0, 0, 0}).empty());
}

TEST(CicloNegativo, TrianguloCobreSeusVertices) {
  Ambiente amb(3, {{0, 1, 1}, {1, 2, 1}, {0, 2, -1}});
  const std::vector<Corte> c = separa(amb, {1, 1, 0.5});
  ASSERT_EQ(c.size(), 1u);
  // reverse path order: 0, then the last vertex before 0', and so on
  EXPECT_EQ(c[0].colunas, (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(c[0].coefs, (std::vector<double>{1, 1, 1}));
  EXPECT_EQ(c[0].rhs, 2.0);
  EXPECT_EQ(c[0].tipo, CORTE_CICLO);
  EXPECT_EQ(c[0].sentido, 'L');
  // 1 and 2 are covered: the last search was the one from 0
  EXPECT_EQ(amb.pred[2], 1);
  EXPECT_EQ(amb.pred[3], 2);
}

TEST(CicloNegativo, CordaPositivaDeixaOTriangulo) {
  Ambiente amb(5, cincoCiclo(1));
  const std::vector<Corte> c = separa(amb, {0.9, 0.9, 0.9, 0.9, 0.9});
  ASSERT_FALSE(c.empty());
  EXPECT_EQ(colunas(c[0]), (std::set<int>{1, 2, 3}));
  EXPECT_EQ(c[0].rhs, 2.0);
}

TEST(CicloNegativo, CordaDuplaDescartaOCiclo) {
  Ambiente amb(5, cincoCiclo(2));
  EXPECT_TRUE(separa(amb, {0.9, 0.9, 0.9, 0.9, 0.9}).empty());
}

TEST(CicloNegativo, CaminhoPelasDuasCopiasNaoDaCorte) {
  // 0 hangs on the triangle 1-2-3: from 0 the shortest walk goes 1..1'
  Ambiente amb(4, {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}, {1, 3, -1}});
  const std::vector<Corte> c = separa(amb, {0.9, 0.9, 0.9, 0.9});
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(colunas(c[0]), (std::set<int>{1, 2, 3}));
}

TEST(CicloNegativo, ParComOsDoisSinaisDaCorteDeDois) {
  Ambiente amb(2, {{0, 1, 1}, {1, 0, -1}});
  const std::vector<Corte> c = separa(amb, {0.9, 0.9});
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(colunas(c[0]), (std::set<int>{0, 1}));
  EXPECT_EQ(c[0].rhs, 1.0);
}

TEST(CicloNegativo, ParaNoCorte200) {
  std::vector<Aresta> a;
  const int triangulos = 205;
  for (int t = 0; t < triangulos; t++) {
    a.push_back({3 * t, 3 * t + 1, 1});
    a.push_back({3 * t + 1, 3 * t + 2, 1});
    a.push_back({3 * t, 3 * t + 2, -1});
  }
  Ambiente amb(3 * triangulos, a);
  std::vector<double> ponto(3 * triangulos, 0.9);
  const std::vector<Corte> c = separa(amb, ponto);
  ASSERT_EQ(c.size(), 200u);
  EXPECT_EQ(colunas(c[199]), (std::set<int>{597, 598, 599}));
}

TEST(CicloNegativo, CicloLevantadoEhTipo3) {
  // triangle 0,1,2 (0-2 negative); 3 joined to all three so that only
  // single vertices of the triangle go with it: lifted with coefficient 1
  Ambiente amb(4, {{0, 1, 1}, {1, 2, 1}, {0, 2, -1}, {3, 0, -1}, {3, 2, -1}, {3, 1, 1}});
  const std::vector<Corte> c = separa(amb, {0.9, 0.9, 0.9, 0.2});
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].tipo, CORTE_CICLO_LIFTED);
  EXPECT_EQ(c[0].colunas.back(), 3);
  EXPECT_EQ(c[0].coefs.back(), 1.0);
  EXPECT_EQ(c[0].rhs, 2.0);
}

// Where a pair has edges of both signs the walk may use the second; the split
// must still keep an odd cycle (here the triangle 1-2-3, not the balanced
// 4-cycle 0-1-3-4 that the first list elements would suggest).
TEST(CicloNegativo, ArestasRepetidasDeSinaisOpostosMantemCicloImpar) {
  const std::vector<Aresta> a{{0, 1, 1}, {1, 2, 1}, {1, 2, -1}, {2, 3, 1},
                              {3, 4, 1}, {4, 0, 1}, {1, 3, 1}};
  Ambiente amb(5, a);
  const std::vector<Corte> c = separa(amb, {0.95, 0.8, 0.95, 0.95, 0.95});
  ASSERT_FALSE(c.empty());
  for (const Corte& k : c) {
    EXPECT_NE(colunas(k), (std::set<int>{0, 1, 3, 4}));
    EXPECT_LE(maiorAtividade(conjuntosEquilibrados(5, a), k), k.rhs);
  }
  EXPECT_EQ(colunas(c[0]), (std::set<int>{1, 2, 3}));
}

TEST(PartitionCycle, CordaPositivaDeixaOTrianguloNaFrente) {
  Ambiente amb(5, cincoCiclo(1));
  int cic[5] = {0, 1, 2, 3, 4};
  for (int v : cic) amb.pertence[v] = 1;
  ASSERT_EQ(partitionCycle(amb.s, cic, 5, amb.pertence), 3);
  EXPECT_EQ((std::vector<int>(cic, cic + 3)), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ((std::vector<int>(amb.pertence, amb.pertence + 5)), (std::vector<int>{0, 1, 1, 1, 0}));
  EXPECT_EQ((std::vector<int>(amb.position, amb.position + 5)), (std::vector<int>{-1, 0, 1, 2, -1}));
}

TEST(PartitionCycle, CordaFicaComOOutroLado) {
  // 0-1 negative and the chord 1-3 positive: the side 1-2-3 has no negative
  // edge, so 0,1 stay and 3,4 move up behind them
  Ambiente amb(5, {{0, 1, -1}, {1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 0, 1}, {1, 3, 1}});
  int cic[5] = {0, 1, 2, 3, 4};
  for (int v : cic) amb.pertence[v] = 1;
  ASSERT_EQ(partitionCycle(amb.s, cic, 5, amb.pertence), 4);
  EXPECT_EQ((std::vector<int>(cic, cic + 4)), (std::vector<int>{0, 1, 3, 4}));
  EXPECT_EQ((std::vector<int>(amb.pertence, amb.pertence + 5)), (std::vector<int>{1, 1, 0, 1, 1}));
  EXPECT_EQ(amb.position[2], -1);
  EXPECT_EQ(amb.position[4], 3);
}

TEST(PartitionCycle, CordaDuplaLimpaAsMarcasEDevolveZero) {
  Ambiente amb(5, cincoCiclo(2));
  int cic[5] = {0, 1, 2, 3, 4};
  for (int v : cic) amb.pertence[v] = 1;
  EXPECT_EQ(partitionCycle(amb.s, cic, 5, amb.pertence), 0);
  for (int v = 0; v < 5; v++) EXPECT_EQ(amb.pertence[v], 0);
}

TEST(PartitionCycle, PrimeiroEUltimoNaoFormamCorda) {
  // in a 4-cycle the pair at positions 0 and 3 is the closing edge, and a
  // repeated cycle edge is no chord either
  Ambiente amb(4, {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}, {3, 0, -1}, {1, 2, 1}});
  int cic[4] = {0, 1, 2, 3};
  EXPECT_EQ(partitionCycle(amb.s, cic, 4, amb.pertence), 4);
  EXPECT_EQ((std::vector<int>(cic, cic + 4)), (std::vector<int>{0, 1, 2, 3}));
}

TEST(PartitionCycle, LacoNaoEhCorda) {
  Ambiente amb(4, {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}, {3, 0, -1}, {1, 1, 1}, {2, 2, 1}});
  int cic[8] = {0, 1, 2, 3, -1, -1, -1, -1};
  EXPECT_EQ(partitionCycle(amb.s, cic, 4, amb.pertence), 4);
  EXPECT_EQ((std::vector<int>(cic, cic + 5)), (std::vector<int>{0, 1, 2, 3, -1}));
}

TEST(PartitionCycle, CortaUmaCordaPorVezAteOTriangulo) {
  // a 6-cycle 0..5 whose only negative edge is 5-0, with chords 1-4 and 0-4:
  // 1-4 is met first and keeps 0,1,4,5; then 0-4 keeps 0,4,5
  Ambiente amb(6, {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 5, 1}, {5, 0, -1},
                 {1, 4, 1}, {0, 4, 1}});
  int cic[6] = {0, 1, 2, 3, 4, 5};
  for (int v : cic) amb.pertence[v] = 1;
  EXPECT_EQ(partitionCycle(amb.s, cic, 6, amb.pertence), 3);
  EXPECT_EQ((std::vector<int>(cic, cic + 3)), (std::vector<int>{0, 4, 5}));
  EXPECT_EQ((std::vector<int>(amb.pertence, amb.pertence + 6)), (std::vector<int>{1, 0, 0, 0, 1, 1}));
}

// The chord splits and the lifting clear only the cycle's own positions:
// the separator starts each call from a clean amb.position array whatever the
// incumbent's balance test left there (sides 0 and 1), puts it back to -1
// after every cycle, and finds the same cuts either way, on random graphs
// with chords, double edges, repeated edges and loops.
TEST(CicloNegativo, PosicoesLimpasEntreCiclos) {
  std::mt19937 rng(43);
  int cortes = 0;
  for (int caso = 0; caso < 120; caso++) {
    const int n = 5 + static_cast<int>(rng() % 40);
    Ambiente amb(n, grafoAleatorio(rng, n, 0.05 + 0.6 * (caso % 10) / 9.0, {1, -1, -1, 2},
                                 caso % 2 == 0));
    std::vector<double> ponto(n);
    for (double& p : ponto) {
      const double fr[] = {1, 1, 0.9, 0.5, 0.75, 2.0 / 3};
      p = fr[rng() % 6];
    }
    const std::vector<Corte> limpo = separa(amb, ponto);
    for (int v = 0; v < n; v++) ASSERT_EQ(amb.position[v], -1) << caso << " " << v;
    for (int v = 0; v < n; v++) amb.position[v] = static_cast<int>(rng() % 2);
    const std::vector<Corte> sujo = separa(amb, ponto);
    ASSERT_EQ(sujo.size(), limpo.size()) << caso;
    for (size_t t = 0; t < limpo.size(); t++) {
      ASSERT_EQ(sujo[t].colunas, limpo[t].colunas) << caso << " " << t;
      ASSERT_EQ(sujo[t].coefs, limpo[t].coefs) << caso << " " << t;
      ASSERT_EQ(sujo[t].rhs, limpo[t].rhs) << caso << " " << t;
    }
    for (int v = 0; v < n; v++) ASSERT_EQ(amb.position[v], -1) << caso << " " << v;
    cortes += static_cast<int>(limpo.size());
  }
  EXPECT_GT(cortes, 100);
}
