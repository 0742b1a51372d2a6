// Three-way branching: which tight cut is chosen and how P grows along it.
#include <gtest/gtest.h>

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

}  // namespace
