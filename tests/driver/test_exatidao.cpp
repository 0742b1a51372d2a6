// Whole runs against brute force on random small signed graphs of every
// density, with double edges, repeated records and positive loops: with and
// without the reduction and the optimizer's general-purpose cuts, the value
// is the optimum, the bound is not below it, the first relaxation and root
// values are not below it either, and the set recorded in the incumbent trail is balanced (checked here by
// code of its own) and as large as the value.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "graph/forcaBruta.h"
#include "search/executa.h"

namespace {

void escreveInstancia(const std::string& caminho, int n, const std::vector<ArestaSinal>& arestas) {
  std::ofstream out(caminho);
  out << n << " " << arestas.size() << "\n";
  for (const ArestaSinal& a : arestas) out << a.u << " " << a.w << " " << a.sinal << "\n";
}

TEST(Exatidao, IgualAForcaBrutaComESemReducao) {
  std::mt19937 rng(2026);
  for (int caso = 0; caso < 36; caso++) {
    const int n = 2 + static_cast<int>(rng() % 13);
    const double densidade = 0.1 + 0.85 * (caso % 6) / 5.0;
    const auto arestas = grafoSinalAleatorio(rng, n, densidade, caso % 3 == 0 ? 0.8 : 0.4,
                                             caso % 2 == 0 ? 0.15 : 0.0, caso % 4 < 2);
    const int otimo = otimoForcaBruta(n, arestas);
    DiretorioTemporario dir;
    escreveInstancia(dir / "g.txt", n, arestas);
    std::string primeiraSemG;
    for (const std::string args : {"1110", "-r 1110", "-r -t 30 0110", "-g 1110", "-r -g 0110"}) {
      SCOPED_TRACE("caso " + std::to_string(caso) + " " + args);
      std::remove((dir / "trilha.txt").c_str());
      std::remove((dir / "BC_Improved_Vesku_Pre.out").c_str());
      const Execucao e =
          executa(dir.caminho(), args, dir / "g.txt", "BCTOVSEL_INCUMBENTES='" + (dir / "trilha.txt") + "'");
      ASSERT_EQ(e.status, 0) << e.erro;
      const std::vector<std::string> f = campos(leArquivo(dir / "BC_Improved_Vesku_Pre.out"));
      ASSERT_EQ(f.size(), 19u);
      EXPECT_EQ(std::stoi(f[5]), otimo);
      EXPECT_GE(std::stod(f[8]), otimo - 1e-6);
      // First relaxation and root: LP values, even where the first
      // incumbent cut a piece's root off.
      EXPECT_GE(std::stod(f[9]), otimo - 1e-6);
      EXPECT_GE(std::stod(f[10]), otimo - 1e-6);
      // The first relaxation comes before any cut, the optimizer's own too.
      if (args == "1110") primeiraSemG = f[9];
      if (args == "-g 1110") {
        EXPECT_EQ(f[9], primeiraSemG);
      }
      const std::vector<std::string> trilha = linhas(leArquivo(dir / "trilha.txt"));
      ASSERT_FALSE(trilha.empty());
      const std::string& ultima = trilha.back();
      unsigned long mask = 0;
      int quantos = 0;
      for (const std::string& v : campos(ultima.substr(ultima.find(':') + 1))) {
        mask |= 1ul << std::stoi(v);
        quantos++;
      }
      EXPECT_EQ(quantos, otimo) << ultima;
      EXPECT_TRUE(equilibradoBruto(n, arestas, mask)) << ultima;
    }
  }
}

// Nearly balanced graphs too large for the exact leaf-block rule: the first
// incumbent often proves a piece at once by cutting its root off, and the
// root values reported must still be LP values, not the zero of a root that
// never reached the separation.
TEST(Exatidao, RaizCortadaPelaPrimeiraSolucaoContaComoLimitante) {
  std::mt19937 rng(7);
  for (int caso = 0; caso < 6; caso++) {
    const int n = 40;
    std::vector<int> lado(n);
    for (int& l : lado) l = static_cast<int>(rng() % 2);
    std::vector<ArestaSinal> arestas;
    for (int u = 0; u < n; u++)
      for (int w = u + 1; w < n; w++)
        if (rng() % 5 == 0) {
          const int sinal = (lado[u] == lado[w]) == (rng() % 30 != 0) ? 1 : -1;
          arestas.push_back({u, w, sinal});
        }
    DiretorioTemporario dir;
    escreveInstancia(dir / "g.txt", n, arestas);
    SCOPED_TRACE("caso " + std::to_string(caso));
    const Execucao e = executa(dir.caminho(), "-r 1110", dir / "g.txt", "");
    ASSERT_EQ(e.status, 0) << e.erro;
    const std::vector<std::string> f = campos(leArquivo(dir / "BC_Improved_Vesku_Pre.out"));
    ASSERT_EQ(f.size(), 19u);
    const double valor = std::stod(f[5]);
    EXPECT_GE(std::stod(f[8]), valor);
    EXPECT_GE(std::stod(f[9]), valor);
    EXPECT_GE(std::stod(f[10]), valor);
  }
}

}  // namespace
