// The rounded best value and the reported dual bound.
#include <gtest/gtest.h>

#include "driver/relatorio.h"

namespace {

TEST(Relatorio, ValorSemSolucaoEhMenosUm) {
  EXPECT_EQ(valorInteiro(-1e20), -1);
  EXPECT_EQ(valorInteiro(0.0), 0);
  EXPECT_EQ(valorInteiro(6.9999996), 7);
  EXPECT_EQ(valorInteiro(7.0), 7);
}

TEST(Relatorio, LimitantePertoDoIncumbenteViraOIncumbente) {
  EXPECT_EQ(limitanteDual(10.0, 10.0000005), 10.0);
  EXPECT_EQ(limitanteDual(10.0, 10.5), 10.5);
  EXPECT_EQ(limitanteDual(10.0, 9.2), 10.0);
  EXPECT_EQ(limitanteDual(-1e20, 3.0), 3.0);
}

}  // namespace
