// Whole runs of the combinatorial engine where it cannot finish: a sparse
// random graph too hard for a one-second limit still ends on time's terms
// with a checked set, a bound above it, the files and the progress lines;
// a component too large for its memory is refused up front; the rule by
// which -a picks the engine, and its hand-over from the branch-and-cut.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "driver/escolhaDoMotor.h"
#include "graph/GrafoSimples.h"
#include "search/executa.h"

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
  // Each thread has working rows of its own: the message says how many.
  const Execucao j = executa(dir.caminho(), "-c -j 4 1110", dir / "caminho.txt");
  EXPECT_EQ(j.status, 255);
  EXPECT_NE(j.erro.find("300000 vertices, com 4 linhas de execucao"), std::string::npos) << j.erro;
}

// The rule of -a on its edges: the largest component decides, by size and
// density, which engine takes a piece or whether the branch-and-cut's root
// decides.
TEST(Combinatorio, RegraDoAutomatico) {
  auto caminho = [](int n, int copias) {  // `copias` disjoint paths of n vertices
    std::vector<ArestaSinal> a;
    for (int c = 0; c < copias; c++)
      for (int v = 0; v + 1 < n; v++) a.push_back({c * n + v, c * n + v + 1, 1});
    return GrafoSimples(n * copias, a);
  };
  // 400 vertices joined when their distance is odd (density just above one
  // half), or even plus one edge between the two parities (just below).
  auto metade = [](bool impar) {
    std::vector<ArestaSinal> a;
    for (int u = 0; u < 400; u++)
      for (int w = u + 1; w < 400; w++)
        if ((w - u) % 2 == (impar ? 1 : 0)) a.push_back({u, w, (u + w) % 3 ? 1 : -1});
    if (!impar) a.push_back({0, 1, 1});
    return GrafoSimples(400, a);
  };
  using M = MotorAutomatico;
  EXPECT_EQ(motorAutomatico(caminho(20, 1)), M::combinatorio);
  EXPECT_EQ(motorAutomatico(caminho(21, 1)), M::raizDecide);
  EXPECT_EQ(motorAutomatico(caminho(300, 1)), M::raizDecide);
  EXPECT_EQ(motorAutomatico(caminho(301, 1)), M::branchAndCut);
  EXPECT_EQ(motorAutomatico(caminho(20, 50)), M::combinatorio);  // many small components
  EXPECT_EQ(motorAutomatico(metade(true)), M::combinatorio);
  EXPECT_EQ(motorAutomatico(metade(false)), M::branchAndCut);
  EXPECT_EQ(motorAutomatico(GrafoSimples(0, {})), M::combinatorio);
  // The probe's length: as long as the root would take from 15% of the
  // pairs joined (40 vertices: 117 edges), the short one below.
  auto primeirosPares = [](int arestas) {
    std::vector<ArestaSinal> a;
    for (int u = 0; u < 40 && static_cast<int>(a.size()) < arestas; u++)
      for (int w = u + 1; w < 40 && static_cast<int>(a.size()) < arestas; w++) a.push_back({u, w, -1});
    return GrafoSimples(40, a);
  };
  EXPECT_EQ(segundosDaSonda(primeirosPares(117), 100), segundosDaRaizAutomatica(100));
  EXPECT_EQ(segundosDaSonda(primeirosPares(116), 100), SEGUNDOS_DA_SONDA);
}

// -a on sparse random graphs of 30 to 60 vertices, where the branch-and-cut's
// root leaves a gap of a quarter and more on some and a few percent on
// others, with the probe of the combinatorial engine off (so that some
// pieces are handed over: both engines in the profile), long (it proves
// every piece: no LP), and held at once (the branch-and-cut starts from
// whatever it found, and a piece it hands over goes on in the held search):
// the value is the combinatorial engine's optimum, the
// bound is not below it, and the set is balanced.
TEST(Combinatorio, AutomaticoEntregaAoMotorCombinatorioSemPerderOOtimo) {
  std::mt19937 rng(19);
  int entregues = 0, sondadas = 0;
  for (int caso = 0; caso < 8; caso++) {
    const int n = 30 + static_cast<int>(rng() % 31);
    const double densidade = 0.08 + 0.04 * (caso % 5);
    std::vector<ArestaSinal> a;
    for (int u = 0; u < n; u++)
      for (int w = u + 1; w < n; w++)
        if (std::uniform_real_distribution<double>(0, 1)(rng) < densidade)
          a.push_back({u, w, caso % 4 == 3 && rng() % 8 == 0 ? 2 : rng() % 2 ? 1 : -1});
    DiretorioTemporario dir;
    {
      std::ofstream f(dir / "g.txt");
      f << n << " " << a.size() << "\n";
      for (const ArestaSinal& e : a) f << e.u << " " << e.w << " " << e.sinal << "\n";
    }
    SCOPED_TRACE("caso " + std::to_string(caso));
    const Execucao c = executa(dir.caminho(), "-c 1110", dir / "g.txt");
    ASSERT_EQ(c.status, 0) << c.erro;
    const int otimo = std::stoi(campos(linhas(leArquivo(dir / "BC_Improved_Vesku_Pre.out"))[0])[5]);
    for (const char* sonda : {"0", "0.000001", "10"}) {
      SCOPED_TRACE(std::string("sonda ") + sonda);
      std::remove((dir / "BC_Improved_Vesku_Pre.out").c_str());
      const Execucao e = executa(dir.caminho(), "-a -v -s sol.txt 1110", dir / "g.txt",
                                 std::string("BCTOVSEL_SONDA=") + sonda);
      ASSERT_EQ(e.status, 0) << e.erro;
      const std::vector<std::string> f = campos(linhas(leArquivo(dir / "BC_Improved_Vesku_Pre.out"))[0]);
      EXPECT_EQ(std::stoi(f[5]), otimo);
      EXPECT_GE(std::stod(f[8]), otimo - 1e-6);
      EXPECT_EQ(executaVerifica("'" + (dir / "g.txt") + "' '" + (dir / "sol.txt") + "'").status, 0);
      const bool combinatorio = e.erro.find("motor combinatorio") != std::string::npos;
      const bool lps = e.erro.find("otimizador (LPs)") != std::string::npos;
      if (sonda[0] == '0' && sonda[1] == '\0' && combinatorio && lps) entregues++;
      if (sonda[0] == '1') {
        EXPECT_FALSE(lps);
        sondadas += combinatorio;
      }
    }
  }
  EXPECT_GE(entregues, 2);
  EXPECT_GE(sondadas, 4);
}

// Breadth-first samples of Wikipedia elections (bench/amostra_bfs.py) whose
// branch-and-cut runs minutes where the combinatorial engine needs a
// second: of 250 vertices (-s 2), whose piece's root leaves a gap under a
// tenth, so the branch-and-cut keeps it after the probe; and of 400 (-s 3),
// whose piece of 371 vertices goes to the branch-and-cut at once.  The
// combinatorial engine, beside the tree, proves each.
TEST(Combinatorio, AutomaticoPoeOMotorCombinatorioAoLadoDeUmaArvoreLonga) {
  for (const auto& [arquivo, otimo] : {std::pair{"grafo_we250.txt", 173}, {"grafo_we400.txt", 295}}) {
    SCOPED_TRACE(arquivo);
    const std::string grafo = std::string(BCT_SOURCE_DIR) + "/tests/data/" + arquivo;
    DiretorioTemporario dir;
    const Execucao e = executa(dir.caminho(), "-a -j 1 -t 60 -v -s sol.txt 1110", grafo);
    ASSERT_EQ(e.status, 0) << e.erro;
    const std::string estado = "Estado final: otimo, valor " + std::to_string(otimo) + ", limitante " +
                               std::to_string(otimo);
    EXPECT_NE(e.saida.find(estado), std::string::npos) << e.saida;
    EXPECT_NE(e.erro.find("motor combinatorio"), std::string::npos);
    EXPECT_NE(e.erro.find("otimizador (LPs)"), std::string::npos);
    EXPECT_EQ(executaVerifica("'" + grafo + "' '" + (dir / "sol.txt") + "'").status, 0);
  }
}
