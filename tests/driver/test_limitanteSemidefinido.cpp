// The semidefinite bound beside a search, as the solver runs it: through the
// module loaded at its first use (beside this program, as beside BCTovsel),
// on a thread of its own, its certified bounds whole numbers never below the
// optimum of random small graphs; with the first-order bound before it and
// without.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include "driver/limitanteSemidefinido.h"
#include "graph/forcaBruta.h"

TEST(LimitanteSemidefinido, PeloModuloNuncaAbaixoDoOtimo) {
  std::mt19937 rng(24);
  for (int caso = 0; caso < 12; caso++) {
    const int n = 10 + caso / 2;
    const bool primeiraOrdem = caso % 2 == 1;
    const auto arestas = grafoSinalAleatorio(rng, n, 0.15 + caso / 20.0, 0.5, caso % 4 > 1 ? 0.2 : 0.0, false);
    const GrafoSimples g(n, arestas);
    const int otimo = otimoForcaBruta(n, arestas);
    LimitanteSemidefinido sdp(g, std::vector<char>(n, 0), Prazo().daqui(30), 0, false, primeiraOrdem);
    const auto fim = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (sdp.limitante().load() > 1e39 && std::chrono::steady_clock::now() < fim)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const double limitante = sdp.termina();
    ASSERT_LT(limitante, 1e39) << "caso " << caso << ": no bound certified";
    EXPECT_EQ(limitante, static_cast<int>(limitante));
    EXPECT_GE(limitante, otimo) << "caso " << caso;
    EXPECT_LE(limitante, n);
  }
}
