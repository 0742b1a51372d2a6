// The rules of a separation iteration: snapping, pool reuse, the stop rule
// and the early returns.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <memory>

#include "base/erro.h"
#include "search/busca.h"
#include "separation/cortes.h"

namespace {

TEST(Cortes, ArredondaSoForaDaTolerancia) {
  std::vector<double> x = {1e-6, 0.999999, 9.9e-7, 0.9999991, 0.5, -1e-9, 1.0000001};
  arredondaPonto(x.data(), static_cast<int>(x.size()));
  EXPECT_EQ(x[0], 1e-6);
  EXPECT_EQ(x[1], 0.999999);
  EXPECT_EQ(x[2], 0.0);
  EXPECT_EQ(x[3], 1.0);
  EXPECT_EQ(x[4], 0.5);
  EXPECT_EQ(x[5], 0.0);
  EXPECT_EQ(x[6], 1.0);
}

TEST(Cortes, PoolSoQuandoSuperaAMedia) {
  EXPECT_EQ(cortesDoPool(45, 450, 9), 0);
  EXPECT_EQ(cortesDoPool(46, 450, 9), 46);
  EXPECT_EQ(cortesDoPool(250, 450, 9), 200);
  EXPECT_EQ(cortesDoPool(0, 0, 0), 0);
  EXPECT_EQ(cortesDoPool(1, 0, 0), 1);
  EXPECT_EQ(cortesDoPool(4, 9, 1), 0);  // integer division: 9 / 2 = 4
  EXPECT_EQ(cortesDoPool(5, 9, 1), 5);
}

TEST(Cortes, RegraDeParadaDepoisDeDezIteracoes) {
  EXPECT_FALSE(paraSeparacao(9, 3, 0));
  EXPECT_TRUE(paraSeparacao(10, 3, 5));   // fractional point
  EXPECT_TRUE(paraSeparacao(10, 0, 0));   // integral, nothing found
  EXPECT_FALSE(paraSeparacao(10, 0, 1));  // integral and still violated
  EXPECT_TRUE(paraSeparacao(25, 1, 200));
  // The root of a reduced run: the same rule after more iterations.
  EXPECT_FALSE(paraSeparacao(10, 3, 5, RODADAS_RAIZ_REDUZIDA));
  EXPECT_FALSE(paraSeparacao(RODADAS_RAIZ_REDUZIDA - 1, 3, 5, RODADAS_RAIZ_REDUZIDA));
  EXPECT_TRUE(paraSeparacao(RODADAS_RAIZ_REDUZIDA, 3, 5, RODADAS_RAIZ_REDUZIDA));
  EXPECT_FALSE(paraSeparacao(RODADAS_RAIZ_REDUZIDA, 0, 1, RODADAS_RAIZ_REDUZIDA));
}

}  // namespace

// The early returns, on a live problem outside any search.
namespace {

class CortesSemBusca : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(XPRSinit(""), 0); }
  void TearDown() override { XPRSfree(); }
  // A solve of a triangle with these settings, over a problem of its own.
  std::unique_ptr<Resolucao> resolucao(const AjustesDaBusca& ajustes) {
    auto s = std::make_unique<Resolucao>(grafo_, Prazo(), ajustes, acompanhamento_, stdout);
    EXPECT_EQ(XPRScreateprob(&s->prob), 0);
    return s;
  }
  const GrafoSimples grafo_{3, {{0, 1, 1}, {1, 2, 1}, {0, 2, -1}}};
  const Acompanhamento acompanhamento_;
};

TEST_F(CortesSemBusca, SemHeuristicaNemCortesSaiLogo) {
  AjustesDaBusca ajustes;
  ajustes.COMPLETE_PRINT = 1;
  const auto s = resolucao(ajustes);
  testing::internal::CaptureStdout();
  EXPECT_EQ(Cortes(s->prob, s.get()), 0);
  std::fflush(stdout);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Rotina cortes.\n");
  EXPECT_EQ(s->separacao.cut_time, 0);
  EXPECT_EQ(s->separacao.itersep, 0);
}

TEST_F(CortesSemBusca, LPNaoOtimoSaiAntesDeLerOPonto) {
  // No LP has been solved: the status is not 1, and nothing is read or kept.
  AjustesDaBusca ajustes;
  ajustes.HEURISTICA_PRIMAL = 1;
  ajustes.BRANCH_AND_CUT = 1;
  const auto s = resolucao(ajustes);
  s->separacao.itersep = 4;
  EXPECT_EQ(Cortes(s->prob, s.get()), 0);
  EXPECT_EQ(s->separacao.itersep, 4);
  EXPECT_EQ(s->separacao.cut_time, 0);
}

}  // namespace
