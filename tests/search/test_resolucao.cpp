// Branch-and-cut solves at once in one process: each keeps its whole state
// to itself, so two solves run side by side on two threads print the very
// trees (every node, cut round and incumbent) and give the very results they
// give one at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "combinatorial/Combinatorio.h"
#include "graph/GrafoSimples.h"
#include "graph/forcaBruta.h"
#include "lagrangian/Lagrangiano.h"
#include "optimizer/xprs.h"
#include "search/Resolucao.h"

namespace {

struct Solucao {
  ResultadoBusca r;
  std::string saida;  // the detailed printing of the whole solve
};

// A solve with detailed printing into a buffer of its own.
Solucao resolve(const GrafoSimples& g, const AjustesDaBusca& ajustes) {
  char* texto = nullptr;
  size_t tamanho = 0;
  std::FILE* saida = open_memstream(&texto, &tamanho);
  Solucao s;
  s.r = resolveBranchAndCut(g, nullptr, Prazo(), ajustes, {}, saida);
  std::fclose(saida);
  s.saida.assign(texto, tamanho);
  std::free(texto);
  return s;
}

// Sparse random graphs with every sign, double edges among them.
GrafoSimples grafoAleatorio(int n, double dens, unsigned semente) {
  std::mt19937 rng(semente);
  std::vector<ArestaSinal> a;
  const int sinais[] = {1, -1, -1, 2};
  for (int u = 0; u < n; u++)
    for (int w = u + 1; w < n; w++)
      if (std::uniform_real_distribution<double>(0, 1)(rng) < dens) a.push_back({u, w, sinais[rng() % 4]});
  return GrafoSimples::deRegistros(n, a);
}

void confereIguais(const Solucao& a, const Solucao& b) {
  EXPECT_EQ(a.saida, b.saida);
  EXPECT_EQ(a.r.zstar, b.r.zstar);
  EXPECT_EQ(a.r.escolhido, b.r.escolhido);
  EXPECT_EQ(a.r.limitante, b.r.limitante);
  EXPECT_EQ(a.r.raiz, b.r.raiz);
  EXPECT_EQ(a.r.nos, b.r.nos);
  EXPECT_EQ(a.r.cortes, b.r.cortes);
  EXPECT_EQ(a.r.noMelhor, b.r.noMelhor);
}

TEST(Resolucao, DuasAoMesmoTempoComoUmaDeCadaVez) {
  ASSERT_EQ(XPRSinit(""), 0);
  AjustesDaBusca ajustes;
  ajustes.HEURISTICA_PRIMAL = ajustes.BRANCH_AND_CUT = ajustes.COMPLETE_PRINT = 1;
  // The second as a piece of a reduced run: its own search variants too.
  AjustesDaBusca reduzida = ajustes;
  reduzida.REDUZIR = 1;
  const GrafoSimples g1 = grafoAleatorio(50, 0.2, 1), g2 = grafoAleatorio(80, 0.12, 2);
  const Solucao sozinha1 = resolve(g1, ajustes), sozinha2 = resolve(g2, reduzida);
  ASSERT_GT(sozinha1.r.nos, 1);
  ASSERT_GT(sozinha2.r.cortes, 0);
  for (int vez = 0; vez < 2; vez++) {
    Solucao juntas1, juntas2;
    std::thread outra([&] { juntas2 = resolve(g2, reduzida); });
    juntas1 = resolve(g1, ajustes);
    outra.join();
    confereIguais(juntas1, sozinha1);
    confereIguais(juntas2, sozinha2);
  }
  XPRSfree();
}

// A bound proved beside the search (the automatic mode's semidefinite one)
// that meets the first set ends the search at its first look, that set
// proved; one above it changes nothing.
TEST(Resolucao, LimitanteDeForaQueAlcancaOValorEncerraABusca) {
  ASSERT_EQ(XPRSinit(""), 0);
  AjustesDaBusca ajustes;
  ajustes.HEURISTICA_PRIMAL = ajustes.BRANCH_AND_CUT = 1;
  const GrafoSimples g = grafoAleatorio(50, 0.2, 1);
  const Solucao sozinha = resolve(g, ajustes);
  ASSERT_GT(sozinha.r.nos, 1);
  std::atomic<double> deFora{sozinha.r.zstar + 1};
  Acompanhamento acomp;
  acomp.limitanteDeFora = &deFora;
  const ResultadoBusca acima = resolveBranchAndCut(g, &sozinha.r.escolhido, Prazo(), ajustes, acomp);
  EXPECT_EQ(acima.zstar, sozinha.r.zstar);
  EXPECT_GT(acima.nos, 0);
  deFora = sozinha.r.zstar;
  const ResultadoBusca igual = resolveBranchAndCut(g, &sozinha.r.escolhido, Prazo(), ajustes, acomp);
  EXPECT_EQ(igual.zstar, sozinha.r.zstar);
  EXPECT_EQ(igual.nos, 0);
  XPRSfree();
}

// Rows handed over from beside the search (the first-order bound's, once it
// is done) are loaded at the root's rounds that violate them: the optimum
// stays that of the search alone.
TEST(Resolucao, LinhasDeForaNaRaizGuardamOOtimo) {
  ASSERT_EQ(XPRSinit(""), 0);
  AjustesDaBusca ajustes;
  ajustes.HEURISTICA_PRIMAL = ajustes.BRANCH_AND_CUT = ajustes.REDUZIR = 1;
  ajustes.PERFIL = 1;
  long long carregadas = 0;
  for (int caso = 0; caso < 8; caso++) {
    SCOPED_TRACE("caso " + std::to_string(caso));
    const GrafoSimples g = grafoAleatorio(20 + 4 * caso, 0.08 + 0.06 * (caso % 4), 100 + caso);
    const Solucao sozinha = resolve(g, ajustes);
    lagrangiano::Parametros p;
    p.grafo = &g;
    p.maxIteracoes = 300;
    lagrangiano::Resultado lr;
    lagrangiano::limita(p, &lr);
    std::vector<LinhaValida> linhas;
    for (const lagrangiano::Linha& l : lr.linhas)
      if (l.y > 0) linhas.push_back({l.vertices, l.rhs});
    ASSERT_FALSE(linhas.empty());
    // Handed at the second round, as a bound started beside the search would.
    int chamadas = 0;
    Acompanhamento acomp;
    acomp.linhasDeFora = [&] { return ++chamadas == 2 ? std::move(linhas) : std::vector<LinhaValida>(); };
    std::FILE* nada = std::fopen("/dev/null", "w");
    const ResultadoBusca r = resolveBranchAndCut(g, nullptr, Prazo(), ajustes, acomp, nada);
    std::fclose(nada);
    EXPECT_EQ(r.zstar, sozinha.r.zstar);
    EXPECT_EQ(static_cast<int>(r.escolhido.size()), g.numVertices());
    carregadas += r.perfil.resultados[ETAPA_DE_FORA];
  }
  EXPECT_GT(carregadas, 0);
  XPRSfree();
}

// A reduced run's tree taken from the open node of the largest bound after
// each dive, from its first node on, or let off depth first by the clock:
// the optimum of the combinatorial engine (brute force on the smallest
// graphs), a balanced set of that size, a bound at it, on graphs whose
// depth-first trees have up to a thousand nodes; the branching tried on the
// LP near the root, and every other case solved as a large piece's (its
// searches contracted, its root priced by full steepest edge and re-solved
// through the smaller LP of the columns the new cuts touch).
TEST(Resolucao, MaiorLimitantePrimeiroAchaOOtimo) {
  ASSERT_EQ(XPRSinit(""), 0);
  AjustesDaBusca ajustes;
  ajustes.HEURISTICA_PRIMAL = ajustes.BRANCH_AND_CUT = ajustes.REDUZIR = 1;
  ajustes.RELATA_MODELO = 0;
  std::mt19937 rng(41);
  int ramificadas = 0;
  for (int caso = 0; caso < 24; caso++) {
    SCOPED_TRACE("caso " + std::to_string(caso));
    int otimo = 0;
    GrafoSimples g;
    if (caso % 3 == 0) {
      const int n = 4 + static_cast<int>(rng() % 11);
      const auto arestas = grafoSinalAleatorio(rng, n, 0.1 + (caso % 6) * 0.15, 0.6, 0.1, true);
      otimo = otimoForcaBruta(n, arestas);
      g = GrafoSimples::deRegistros(n, arestas);
    } else {
      const int n = 24 + static_cast<int>(rng() % 27);
      auto arestas = grafoSinalAleatorio(rng, n, 0.12 + (caso % 4) * 0.07, 0.6, caso % 2 ? 0.1 : 0, caso % 5 == 0);
      // A large piece's LP has most of its columns at 1 far from any cut:
      // a balanced part hung on the graph gives the smaller LP its room.
      const int m = caso % 2 ? 3 * n : 0;
      std::vector<int> lado(m);
      for (int i = 0; i < m; i++) {
        lado[i] = rng() % 2 ? 1 : -1;
        for (int t = 0; t < 2 && i > 0; t++) {
          const int j = static_cast<int>(rng() % i);
          arestas.push_back({n + i, n + j, lado[i] * lado[j]});
        }
        if (i % 10 == 0) arestas.push_back({n + i, static_cast<int>(rng() % n), rng() % 2 ? 1 : -1});
      }
      g = GrafoSimples(n + m, arestas);
      otimo = combinatorio::resolveGrafo(g, {}, Prazo()).valor;
    }
    ajustes.MINIMO_CONTRACAO = caso % 2 ? 0 : 400;
    ajustes.MINIMO_RESTRITA = caso % 2 ? 1 : 10000;
    // From the first node on, and once the tree has run its (no) seconds.
    for (const bool porTempo : {false, true}) {
      ajustes.NOS_EM_PROFUNDIDADE = porTempo ? 1000000 : 0;
      ajustes.SEGUNDOS_EM_PROFUNDIDADE = porTempo ? 0 : 1e9;
      std::FILE* nada = std::fopen("/dev/null", "w");
      const ResultadoBusca r = resolveBranchAndCut(g, nullptr, Prazo(), ajustes, {}, nada);
      std::fclose(nada);
      EXPECT_NEAR(r.zstar, otimo, 1e-6);
      EXPECT_NEAR(r.limitante, otimo, 1e-6);
      std::vector<bool> escolhido(r.escolhido.begin(), r.escolhido.end());
      EXPECT_EQ(std::count(escolhido.begin(), escolhido.end(), true), otimo);
      EXPECT_TRUE(equilibradoPorParidade(g.numVertices(), g.arestas(), escolhido));
      if (r.nos > 10) ramificadas++;
    }
  }
  EXPECT_GE(ramificadas, 10);
  XPRSfree();
}

}  // namespace
