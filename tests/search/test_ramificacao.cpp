// Three-way branching: which tight cut is chosen and how P grows along it.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "search/ramificacao.h"

namespace {

struct Particao {
  std::vector<int> colunas;
  int tamP;
};

Particao particiona(const std::vector<int>& termos, int inicio, const std::vector<double>& x) {
  Particao r;
  r.colunas.assign(termos.size(), -1);
  r.tamP = particionaCorte(termos.data(), static_cast<int>(termos.size()), inicio, x.data(),
                           r.colunas.data());
  return r;
}

TEST(Ramificacao, SeteTermosComDoisFracionariosDaAVoltaNoCorte) {
  // Columns 10..16 valued 1, 1, 1, 1, 1, 0.5, 0.5; start at the last one.
  std::vector<double> x(20, 0.0);
  for (int c = 10; c <= 14; c++) x[c] = 1.0;
  x[15] = x[16] = 0.5;
  std::vector<int> termos = {10, 11, 12, 13, 14, 15, 16};
  Particao p = particiona(termos, 6, x);
  EXPECT_EQ(p.tamP, 3);
  EXPECT_EQ(p.colunas, (std::vector<int>{10, 11, 16, 12, 13, 14, 15}));
}

TEST(Ramificacao, CincoTermosPulaOQueNaoMantemAFolga) {
  std::vector<double> x = {0.5, 1, 1, 1, 0.5};
  Particao p = particiona({0, 1, 2, 3, 4}, 4, x);
  EXPECT_EQ(p.tamP, 2);
  EXPECT_EQ(p.colunas, (std::vector<int>{1, 4, 0, 2, 3}));
}

TEST(Ramificacao, CortesCurtosFicamSoComOTermoInicial) {
  std::vector<double> x = {1, 0.5, 1};
  Particao p = particiona({0, 1, 2}, 1, x);
  EXPECT_EQ(p.tamP, 1);
  EXPECT_EQ(p.colunas, (std::vector<int>{1, 0, 2}));
  p = particiona({2, 1}, 1, x);
  EXPECT_EQ(p.tamP, 1);
  EXPECT_EQ(p.colunas, (std::vector<int>{1, 2}));
}

TEST(Ramificacao, EscolheOPrimeiroDosMaisCurtosComColunaFracionaria) {
  int nlin = 10;
  std::vector<double> x = {0.5, 1, 1, 1, 1, 0.3, 1, 0, 1, 1};
  // Cuts: 5 terms (fractional 0), 5 terms (fractional 5), 3 terms all
  // integral, 3 terms with fractional 5 and 0 (last fractional: 0).
  std::vector<int> ms = {0, 5, 10, 13, 16};
  std::vector<int> mc = {0, 1, 2, 3, 4, 5, 6, 1, 2, 3, 1, 2, 7, 5, 1, 0};
  int inicio = -1;
  EXPECT_EQ(escolheCorte(2, ms.data(), mc.data(), x.data(), nlin, &inicio), 0);
  EXPECT_EQ(inicio, 0);
  EXPECT_EQ(escolheCorte(3, ms.data(), mc.data(), x.data(), nlin, &inicio), 0);
  EXPECT_EQ(escolheCorte(4, ms.data(), mc.data(), x.data(), nlin, &inicio), 3);
  EXPECT_EQ(inicio, 15);

  // Bounds 1e-6 and 0.999999 count as fractional; a cut of nlin terms never
  // qualifies, nor does one with integral columns only.
  x = {1e-6, 0.999999, 1, 1};
  nlin = 4;
  ms = {0, 4, 7};
  mc = {0, 1, 2, 3, 2, 3, 1};
  EXPECT_EQ(escolheCorte(1, ms.data(), mc.data(), x.data(), nlin, &inicio), -1);
  EXPECT_EQ(escolheCorte(2, ms.data(), mc.data(), x.data(), nlin, &inicio), 1);
  EXPECT_EQ(inicio, 6);
  x[1] = 0.9999995;
  EXPECT_EQ(escolheCorte(2, ms.data(), mc.data(), x.data(), nlin, &inicio), -1);
}

// The candidates tried on the LP start with the plain rule's choice, go on
// shortest first, and are the cuts that rule would pick from.
TEST(Ramificacao, CandidatosComecamPelaEscolhaDoCorteEVaoDoMaisCurto) {
  std::mt19937 rng(5);
  for (int caso = 0; caso < 300; caso++) {
    const int nlin = 3 + static_cast<int>(rng() % 10);
    std::vector<double> x(nlin);
    for (double& v : x) v = rng() % 3 == 0 ? 0.5 : static_cast<double>(rng() % 2);
    const int m = static_cast<int>(rng() % 8);
    std::vector<int> ms = {0}, mc;
    for (int k = 0; k < m; k++) {
      const int len = 1 + static_cast<int>(rng() % nlin);
      for (int t = 0; t < len; t++) mc.push_back(static_cast<int>(rng() % nlin));
      ms.push_back(static_cast<int>(mc.size()));
    }
    int inicio = -1;
    const int escolhido = escolheCorte(m, ms.data(), mc.data(), x.data(), nlin, &inicio);
    const std::vector<CorteCandidato> um = candidatosDeCorte(m, ms.data(), mc.data(), x.data(), nlin, 1);
    const std::vector<CorteCandidato> todos =
        candidatosDeCorte(m, ms.data(), mc.data(), x.data(), nlin, m + 1);
    if (escolhido < 0) {
      EXPECT_TRUE(um.empty());
      EXPECT_TRUE(todos.empty());
      continue;
    }
    ASSERT_EQ(um.size(), 1u);
    EXPECT_EQ(um[0].corte, escolhido);
    EXPECT_EQ(um[0].termoInicial, inicio);
    for (size_t i = 0; i < todos.size(); i++) {
      const int k = todos[i].corte;
      const int len = ms[k + 1] - ms[k];
      EXPECT_LT(len, nlin);
      const double v = x[mc[todos[i].termoInicial]];
      EXPECT_TRUE(v > 0 && v < 1);
      if (i > 0) {
        const int antes = ms[todos[i - 1].corte + 1] - ms[todos[i - 1].corte];
        EXPECT_TRUE(antes < len || (antes == len && todos[i - 1].corte < k));
      }
    }
  }
}

TEST(Ramificacao, EscoreMultiplicaAsQuedasDosFilhosAteOCorte) {
  const struct {
    double z, corte;
    std::vector<double> filhos;
    double escore;
  } casos[] = {
      {10, 5, {8, 9, 7}, 2 * 1 * 3},
      {10, 5, {-1e40, 9, 9}, 5 * 1 * 1},  // nothing kept: down to the cut-off
      {10, 5, {4, 9, 10}, 5 * 1 * 1e-6},  // below it counts as at it; no fall counts as 1e-6
  };
  for (const auto& c : casos)
    EXPECT_NEAR(escoreDaRamificacao(c.z, c.corte, c.filhos.data(), 3), c.escore, 1e-12);
}

}  // namespace
