// The semidefinite bound beside a search, as the solver runs it: through the
// module loaded at its first use (beside this program, as beside BCTovsel),
// on a thread of its own, its certified bounds whole numbers never below the
// optimum of random small graphs; with the first-order bound before it and
// without.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>
#include <thread>

#include "driver/escolhaDoMotor.h"
#include "driver/limitanteSemidefinido.h"
#include "graph/forcaBruta.h"
#include "optimizer/xprs.h"

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

// Started before the piece's first set (a large piece's bound, beside its
// local search), the semidefinite bound waits for that set: nothing is
// certified before it; once given, the piece's search takes the bound as
// its own and ends at the optimum; one never given its set ends when stopped.
TEST(LimitanteSemidefinido, ComecadoAntesDoConjuntoEsperaPorEle) {
  ASSERT_EQ(XPRSinit(""), 0);
  AjustesDaBusca ajustes;
  ajustes.HEURISTICA_PRIMAL = ajustes.BRANCH_AND_CUT = ajustes.REDUZIR = 1;
  std::mt19937 rng(7);
  for (int caso = 0; caso < 3; caso++) {
    const int n = 12 + 2 * caso;
    const auto arestas = grafoSinalAleatorio(rng, n, 0.3, 0.5, caso == 1 ? 0.15 : 0.0, false);
    const GrafoSimples g(n, arestas);
    const int otimo = otimoForcaBruta(n, arestas);
    LimitanteSemidefinido sdp(g, std::vector<char>(n, 0), Prazo().daqui(30), 0, false, false, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_GT(sdp.limitante().load(), 1e39) << "caso " << caso;
    sdp.conjuntoInicial(std::vector<char>(n, 0));
    std::FILE* nada = std::fopen("/dev/null", "w");
    const ResultadoBusca r = resolvePeca(g, std::vector<char>(n, 0), MotorAutomatico::branchAndCut,
                                         Prazo().daqui(30), ajustes, Acompanhamento(), nada, &sdp);
    std::fclose(nada);
    EXPECT_EQ(std::lround(r.zstar), otimo) << "caso " << caso;
    EXPECT_GE(r.limitante, otimo) << "caso " << caso;
  }
  const GrafoSimples g(3, {{0, 1, 1}, {1, 2, -1}, {0, 2, 1}});
  LimitanteSemidefinido nunca(g, std::vector<char>(3, 0), Prazo().daqui(30), 0, false, false, true);
  EXPECT_GT(nunca.termina(), 1e39);
  XPRSfree();
}
