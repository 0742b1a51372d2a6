// Branch-and-cut solves at once in one process: each keeps its whole state
// to itself, so two solves run side by side on two threads print the very
// trees (every node, cut round and incumbent) and give the very results they
// give one at a time.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "graph/GrafoSimples.h"
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

}  // namespace
