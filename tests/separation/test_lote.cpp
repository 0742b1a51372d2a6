// The cut batch: the append rule, the cursors, and the closing entry of lote.mstart.
#include <gtest/gtest.h>

#include <random>

#include "separation/separadores.h"
#include "separation/ambiente.h"

TEST(Lote, SemCortesOFechamentoPoeZeroEmMstart) {
  Ambiente amb(3, {});
  Lote& lote = amb.lote;
  int ultimoCorte = -1, ultimoCoef = -1;
  lote.fechaLote(ultimoCorte, ultimoCoef);
  EXPECT_EQ(lote.mstart[0], 0);
}

TEST(Lote, DoisCortesDeTresEQuatroTermos) {
  Ambiente amb(5, {});
  Lote& lote = amb.lote;
  int ultimoCorte = -1, ultimoCoef = -1;
  lote.abreCorte(&ultimoCorte, &ultimoCoef, CORTE_CICLO);
  for (int v : {0, 1, 2}) lote.poeTermo(&ultimoCoef, v, 1.0);
  lote.fechaCorte(ultimoCorte, 2.0);
  lote.abreCorte(&ultimoCorte, &ultimoCoef, CORTE_CLIQUE);
  for (int v : {4, 3, 2, 1}) lote.poeTermo(&ultimoCoef, v, 0.5 * v);
  lote.fechaCorte(ultimoCorte, 1.0);
  lote.fechaLote(ultimoCorte, ultimoCoef);
  EXPECT_EQ(ultimoCorte, 1);
  EXPECT_EQ(ultimoCoef, 6);
  EXPECT_EQ((std::vector<int>(lote.mstart.operator int*(), lote.mstart + 3)), (std::vector<int>{0, 3, 7}));
  EXPECT_EQ((std::vector<int>(lote.mcols.operator int*(), lote.mcols + 7)), (std::vector<int>{0, 1, 2, 4, 3, 2, 1}));
  EXPECT_EQ(lote.dmatval[3], 2.0);
  EXPECT_EQ(lote.mtype[0], 1);
  EXPECT_EQ(lote.mtype[1], 2);
  EXPECT_EQ(lote.qrtype[0], 'L');
  EXPECT_EQ(lote.qrtype[1], 'L');
  EXPECT_EQ(lote.drhs[0], 2.0);
  EXPECT_EQ(lote.drhs[1], 1.0);
}

// Every separator that takes the batch's fill appends nothing to a full one.
TEST(Lote, SeparadoresNaoEscrevemEmLoteCheio) {
  Ambiente amb(3, {{0, 1, 2}, {1, 2, 2}, {0, 2, 2}});
  for (int v = 0; v < 3; v++) amb.x[v] = 0.5;
  for (int ncortes : {200, 250}) {
    int ultimoCorte = -1, ultimoCoef = -1;
    testing::internal::CaptureStdout();
    EXPECT_EQ(separacaoHeuristicaDesigualdadesClique(amb.s, amb.x, &ultimoCorte, &ultimoCoef, ncortes), 0);
    EXPECT_EQ(separacaoExataCicloIndSet(amb.s, amb.x, &ultimoCorte, &ultimoCoef, ncortes), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(ultimoCorte, -1);
    EXPECT_EQ(ultimoCoef, -1);
  }
}

// The two balance checks of the test helpers agree.
TEST(AmbienteDeTeste, ChecagensDeEquilibrioConcordam) {
  std::mt19937 rng(3);
  for (int caso = 0; caso < 60; caso++) {
    const int n = 2 + static_cast<int>(rng() % 9);
    const std::vector<Aresta> a = grafoAleatorio(rng, n, 0.5, {1, -1, 2}, caso % 2 == 1);
    std::vector<uint32_t> esperado;
    for (uint32_t S = 0; S < (1u << n); S++)
      if (equilibrado(n, a, S)) esperado.push_back(S);
    ASSERT_EQ(conjuntosEquilibrados(n, a), esperado) << caso;
  }
}

// The term arrays start small and grow as terms come: a batch far past
// their first room keeps every term in place.
TEST(Lote, TermosCrescemSemPerderOsAnteriores) {
  Ambiente amb(4, {});
  Lote& lote = amb.lote;
  int ultimoCorte = -1, ultimoCoef = -1;
  for (int c = 0; c < lote.MAX_CORTES; c++) {
    lote.abreCorte(&ultimoCorte, &ultimoCoef, CORTE_CICLO);
    for (int t = 0; t < 50 + c; t++) lote.poeTermo(&ultimoCoef, (c + t) % 4, c + 0.5 * t);
    lote.fechaCorte(ultimoCorte, c);
  }
  const std::vector<Corte> cortes = cortesDoLote(lote, ultimoCorte, ultimoCoef);
  ASSERT_EQ(cortes.size(), static_cast<size_t>(lote.MAX_CORTES));
  EXPECT_GE(lote.termosNoLote, ultimoCoef + 1);
  for (int c = 0; c < lote.MAX_CORTES; c++) {
    ASSERT_EQ(cortes[c].colunas.size(), static_cast<size_t>(50 + c));
    for (int t = 0; t < 50 + c; t++) {
      ASSERT_EQ(cortes[c].colunas[t], (c + t) % 4);
      ASSERT_EQ(cortes[c].coefs[t], c + 0.5 * t);
    }
  }
}
