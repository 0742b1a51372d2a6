// The rules of a separation iteration: snapping, pool reuse and the stop rule.
#include <gtest/gtest.h>

#include <vector>

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
}

}  // namespace
