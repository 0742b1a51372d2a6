// Cycle independent-set separation: odd cycles of double edges, the message
// of each hit, covering and the room rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "separation/ambiente.h"
#include "separation/separadores.h"

namespace {

const std::string MENSAGEM = "\nDesigualdade violada: ";

std::vector<Corte> separa(Ambiente& amb, const std::vector<double>& ponto, std::string* saida,
                          int ncortes = 0) {
  std::copy(ponto.begin(), ponto.end(), amb.x);
  int ultimoCorte = -1, ultimoCoef = -1;
  testing::internal::CaptureStdout();
  const int r = separacaoExataCicloIndSet(amb.s, amb.x, &ultimoCorte, &ultimoCoef, ncortes);
  std::fflush(stdout);
  *saida = testing::internal::GetCapturedStdout();
  std::vector<Corte> cortes = cortesDoLote(amb.lote, ultimoCorte, ultimoCoef);
  EXPECT_EQ(r, static_cast<int>(cortes.size()));
  for (int v = 0; v < amb.nlin; v++) EXPECT_EQ(amb.pertence[v], 0) << v;
  return cortes;
}

std::string vezes(int k) {
  std::string r;
  for (int i = 0; i < k; i++) r += MENSAGEM;
  return r;
}

}  // namespace

TEST(CicloIndSet, SemArestasDuplasNadaAcontece) {
  Ambiente amb(3, {{0, 1, 1}, {1, 2, -1}, {0, 2, 1}});
  std::string saida;
  EXPECT_TRUE(separa(amb, {0.5, 0.5, 0.5}, &saida).empty());
  EXPECT_EQ(saida, "");
}

TEST(CicloIndSet, TrianguloDeDuplas) {
  Ambiente amb(4, {{1, 2, 2}, {2, 3, 2}, {1, 3, 2}, {0, 1, 1}});
  std::string saida;
  const std::vector<Corte> c = separa(amb, {0.9, 0.5, 0.5, 0.5}, &saida);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(saida, vezes(1));
  EXPECT_EQ(c[0].colunas[0], 1);
  EXPECT_EQ(std::vector<int>(c[0].colunas.begin(), c[0].colunas.end()).size(), 3u);
  EXPECT_EQ(c[0].coefs, (std::vector<double>{1, 1, 1}));
  EXPECT_EQ(c[0].rhs, 1.0);
  EXPECT_EQ(c[0].tipo, CORTE_CICLO_IND_SET);
  EXPECT_EQ(c[0].sentido, 'L');
}

TEST(CicloIndSet, CincoCicloDeDuplasA045) {
  std::vector<Aresta> a;
  for (int p = 0; p < 5; p++) a.push_back({p, (p + 1) % 5, 2});
  Ambiente amb(5, a);
  std::string saida;
  const std::vector<Corte> c = separa(amb, std::vector<double>(5, 0.45), &saida);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].colunas.size(), 5u);
  EXPECT_EQ(c[0].rhs, 2.0);
  EXPECT_EQ(saida, vezes(1));
}

TEST(CicloIndSet, ComNcortes199EscreveNoMaximoUm) {
  std::vector<Aresta> a{{0, 1, 2}, {1, 2, 2}, {0, 2, 2}, {3, 4, 2}, {4, 5, 2}, {3, 5, 2}};
  Ambiente amb(6, a);
  std::string saida;
  const std::vector<double> ponto(6, 0.5);
  EXPECT_EQ(separa(amb, ponto, &saida, 0).size(), 2u);
  EXPECT_EQ(separa(amb, ponto, &saida, 198).size(), 2u);
  EXPECT_EQ(separa(amb, ponto, &saida, 199).size(), 1u);
  EXPECT_EQ(saida, vezes(1));
}

TEST(CicloIndSet, CaminhoNaoSimplesImprimeESemCorte) {
  // 0 hangs on the double triangle 1-2-3 by a double edge: from 0 the walk
  // goes through both copies of 1
  Ambiente amb(4, {{0, 1, 2}, {1, 2, 2}, {2, 3, 2}, {1, 3, 2}});
  std::string saida;
  const std::vector<Corte> c = separa(amb, {0.5, 0.5, 0.5, 0.5}, &saida);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].colunas[0], 1);
  EXPECT_EQ(saida, vezes(2));
}
