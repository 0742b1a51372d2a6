// Whole runs of the combinatorial engine where it cannot finish: a sparse
// random graph too hard for a one-second limit still ends on time's terms
// with a checked set, a bound above it, the files and the progress lines;
// a component too large for its memory is refused up front.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "search/executa.h"

namespace {

// 130 vertices, each pair joined with probability 0.1, signs at random:
// far beyond what one second proves.
std::string grafoEsparso(const std::string& caminho) {
  std::mt19937 rng(130);
  std::vector<std::string> arestas;
  for (int u = 0; u < 130; u++)
    for (int w = u + 1; w < 130; w++)
      if (rng() % 10 == 0)
        arestas.push_back(std::to_string(u) + " " + std::to_string(w) + (rng() % 2 ? " 1" : " -1"));
  std::ofstream f(caminho);
  f << 130 << " " << arestas.size() << "\n";
  for (const std::string& a : arestas) f << a << "\n";
  return caminho;
}

}  // namespace

TEST(Combinatorio, NoLimiteDeTempoUmConjuntoVerificadoEUmLimitanteValido) {
  DiretorioTemporario dir;
  const std::string grafo = grafoEsparso(dir / "esparso.txt");
  const Execucao e = executa(dir.caminho(), "-c -p -t 1 -s sol.txt 1110", grafo);
  ASSERT_EQ(e.status, 0) << e.erro;
  const std::vector<std::string> registro = linhas(leArquivo(dir / "BC_Improved_Vesku_Pre.out"));
  ASSERT_EQ(registro.size(), 1u);
  const std::vector<std::string> f = campos(registro[0]);
  const int valor = std::stoi(f[5]);
  const double limitante = std::stod(f[8]);
  EXPECT_GT(valor, 40);
  EXPECT_GT(limitante, valor) << "um segundo nao prova este grafo";
  EXPECT_LE(limitante, 130);
  const std::string sol = leArquivo(dir / "sol.txt");
  EXPECT_NE(sol.find("# otimo nao\n"), std::string::npos);
  const Execucao v = executaVerifica("'" + grafo + "' '" + (dir / "sol.txt") + "'");
  EXPECT_EQ(v.status, 0) << v.saida << v.erro;
  EXPECT_EQ(v.saida, "valida: " + std::to_string(valor) + " vertices\n");
  // Progress goes to standard error only, in the branch-and-cut's format.
  EXPECT_NE(e.erro.find(" nos "), std::string::npos) << e.erro;
  EXPECT_EQ(e.saida.find("BCTovsel: "), std::string::npos);
}

// A component whose bit rows cannot fit is refused before any file is
// written, like an instance too large for the branch-and-cut.
TEST(Combinatorio, ComponenteGrandeDemaisERecusada) {
  DiretorioTemporario dir;
  const int n = 300000;  // a path: rows of 600000 copies each, tens of gigabytes
  {
    std::ofstream f(dir / "caminho.txt");
    f << n << " " << n - 1 << "\n";
    for (int v = 0; v + 1 < n; v++) f << v << " " << v + 1 << " 1\n";
  }
  const Execucao e = executa(dir.caminho(), "-c 1110", dir / "caminho.txt");
  EXPECT_EQ(e.status, 255);
  EXPECT_NE(e.erro.find("memoria insuficiente: o motor combinatorio sobre uma componente de "
                        "300000 vertices"),
            std::string::npos)
      << e.erro;
  EXPECT_FALSE(std::filesystem::exists(dir / "tovsel.dir"));
}
