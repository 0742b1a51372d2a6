// Search control without a search: the balance test, incumbent replacement,
// the primal heuristic and the printing of the node events.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/erro.h"
#include "search/busca.h"
#include "search/equilibrio.h"
#include "search/grafoTeste.h"

namespace {

// A solve of a graph with the arrays the callbacks use and a live optimizer
// problem, outside any search.
class Busca : public ::testing::Test {
 protected:
  void prepara(int n, const std::vector<ArestaTeste>& arestas, int detalhada = 0) {
    s.reset();
    grafo = GrafoSimples::deRegistros(n, Ambiente::registros(arestas));
    AjustesDaBusca ajustes;
    ajustes.COMPLETE_PRINT = detalhada;
    s = std::make_unique<Resolucao>(grafo, Prazo(), ajustes, acompanhamento, stdout);
    ASSERT_EQ(XPRScreateprob(&s->prob), 0);
    prob = s->prob;
    const size_t m = static_cast<size_t>(n) + 1;
    s->trabalho.x.aloca(m, 0);
    s->xstar.aloca(m, 0);
    s->trabalho.position.aloca(m, 0);
    s->trabalho.xh.aloca(m, 0);
    for (size_t v = 0; v < m; v++) s->trabalho.x[v] = s->xstar[v] = 0.0;
    vx = s->trabalho.x;
    vxstar = s->xstar;
    vpos = s->trabalho.position;
  }
  void SetUp() override { ASSERT_EQ(XPRSinit(""), 0); }
  void TearDown() override {
    s.reset();
    XPRSfree();
  }
  int viavel(std::vector<double> p) { return ehviavel(s->grafo, s->trabalho.position, p.data()); }

  GrafoSimples grafo;
  const Acompanhamento acompanhamento;
  std::unique_ptr<Resolucao> s;
  XPRSprob prob = nullptr;
  // The solve's arrays.
  double* vx = nullptr;
  double* vxstar = nullptr;
  int* vpos = nullptr;
};

TEST_F(Busca, EquilibrioDosCasosSimples) {
  prepara(3, {{0, 1, 1}, {1, 2, 1}, {0, 2, -1}});
  EXPECT_EQ(viavel({0, 0, 0}), 1);            // nothing chosen
  EXPECT_EQ(viavel({1, 1, 1}), 0);            // +, +, - triangle
  EXPECT_EQ(viavel({1, 1, 0}), 1);
  EXPECT_EQ(viavel({1, 0.0000005, 1}), 1);    // 1 is not chosen at 5e-7

  prepara(3, {{0, 1, 1}, {1, 2, -1}, {0, 2, -1}});
  EXPECT_EQ(viavel({1, 1, 1}), 1);            // +, -, - : sides {0, 1} and {2}
  EXPECT_EQ(vpos[0], 0);
  EXPECT_EQ(vpos[1], 0);
  EXPECT_EQ(vpos[2], 1);

  prepara(4, {{0, 1, -1}, {1, 2, -1}, {2, 3, 2}, {0, 2, -1}});
  EXPECT_EQ(viavel({0, 0, 1, 1}), 0);         // a chosen double edge
  EXPECT_EQ(viavel({1, 1, 1, 0}), 0);         // three negative edges
  EXPECT_EQ(viavel({1, 1, 0, 1}), 1);         // 3 has no chosen neighbour
}

TEST_F(Busca, EquilibrioPorComponente) {
  // Two components, each balanced; each one's lowest vertex gets side 0.
  prepara(6, {{0, 1, -1}, {2, 3, 1}, {3, 4, -1}});
  EXPECT_EQ(viavel({1, 1, 1, 1, 1, 1}), 1);
  EXPECT_EQ(vpos[0], 0);
  EXPECT_EQ(vpos[1], 1);
  EXPECT_EQ(vpos[2], 0);
  EXPECT_EQ(vpos[3], 0);
  EXPECT_EQ(vpos[4], 1);
  EXPECT_EQ(vpos[5], 0);
  // The second component unbalanced: the whole point fails.
  prepara(6, {{0, 1, -1}, {2, 3, -1}, {3, 4, -1}, {2, 4, -1}});
  EXPECT_EQ(viavel({1, 1, 1, 1, 1, 0}), 0);
  EXPECT_EQ(viavel({1, 1, 0, 1, 1, 0}), 1);
}

TEST_F(Busca, EquilibrioConfereComVerificadorIndependente) {
  unsigned semente = 777;
  auto proximo = [&]() { return (semente = semente * 1103515245u + 12345u) >> 16; };
  int positivos = 0, negativos = 0;
  for (int rodada = 0; rodada < 400; rodada++) {
    const int n = 2 + proximo() % 9;
    std::vector<ArestaTeste> a;
    for (int u = 0; u < n; u++)
      for (int w = u + 1; w < n; w++) {
        const unsigned r = proximo() % 12;
        if (r < 3) a.push_back({u, w, -1});
        else if (r < 6) a.push_back({u, w, 1});
        else if (r < 7) a.push_back({u, w, 2});
      }
    prepara(n, a);
    std::vector<double> p(n);
    std::vector<bool> esc(n);
    for (int v = 0; v < n; v++) {
      esc[v] = proximo() % 3 != 0;
      p[v] = esc[v] ? 1.0 : 0.0;
    }
    const bool esperado = equilibradoUF(n, a, esc);
    ASSERT_EQ(viavel(p), esperado ? 1 : 0) << "rodada " << rodada;
    (esperado ? positivos : negativos)++;
  }
  EXPECT_GT(positivos, 50);
  EXPECT_GT(negativos, 50);
}

TEST_F(Busca, SolucaoDeValorIgualSubstituiEPiorEhIgnorada) {
  prepara(9, {});
  for (int v = 0; v < 7; v++) vx[v] = 1.0;
  aceitaSolucao(*s, prob, 7.0, 3, 9, 1);
  EXPECT_EQ(s->zstar, 7.0);
  EXPECT_EQ(s->NODE_BEST_INTEGER_SOL, 3);
  EXPECT_EQ(vxstar[6], 1.0);
  EXPECT_EQ(vxstar[7], 0.0);

  // Equal value (within 1e-6): replaces point and node.
  for (int v = 0; v < 9; v++) vx[v] = v >= 2 ? 1.0 : 0.0;
  aceitaSolucao(*s, prob, 7.0 - 5e-7, 8, 9, 1);
  EXPECT_EQ(s->NODE_BEST_INTEGER_SOL, 8);
  EXPECT_EQ(vxstar[0], 0.0);
  EXPECT_EQ(vxstar[8], 1.0);

  // Worse, or invalid: nothing changes.
  for (int v = 0; v < 10; v++) vx[v] = 1.0;
  aceitaSolucao(*s, prob, 6.0, 11, 9, 1);
  aceitaSolucao(*s, prob, 9.0, 12, 9, 0);
  EXPECT_EQ(s->NODE_BEST_INTEGER_SOL, 8);
  EXPECT_DOUBLE_EQ(s->zstar, 7.0 - 5e-7);
  EXPECT_EQ(vxstar[0], 0.0);
}

// The cut-off set on acceptance: with an incumbent of 3 the optimizer must
// drop a model whose best value is 3 and still solve one whose best is 4.
TEST_F(Busca, CorteAbsolutoFicaNoProximoInteiroMenosTolerancia) {
  prepara(4, {});
  auto resolve = [&](int colunas) {
    XPRSprob p = nullptr;
    EXPECT_EQ(XPRScreateprob(&p), 0);
    std::vector<char> tipo(colunas, 'B');
    std::vector<double> obj(colunas, 1.0), lb(colunas, 0.0), ub(colunas, 1.0);
    std::vector<int> ms(colunas + 1, 0), gc(colunas);
    for (int j = 0; j < colunas; j++) gc[j] = j;
    int linha = 0;
    double rhs = 0.0;
    char qr = 'L';
    double val = 0.0;
    EXPECT_EQ(XPRSloadglobal(p, "t", colunas, 0, &qr, &rhs, nullptr, obj.data(), ms.data(),
                             nullptr, &linha, &val, lb.data(), ub.data(), colunas, 0, tipo.data(),
                             gc.data(), nullptr, nullptr, nullptr, nullptr, nullptr),
              0);
    s->zstar = -1e20;
    for (int v = 0; v < 5; v++) vx[v] = 1.0;
    aceitaSolucao(*s, p, 3.0, 0, 4, 1);
    EXPECT_EQ(XPRSmaxim(p, "g"), 0);
    int status = 0;
    EXPECT_EQ(XPRSgetintattrib(p, XPRS_MIPSTATUS, &status), 0);
    XPRSdestroyprob(p);
    return status;
  };
  EXPECT_EQ(resolve(3), 5);  // complete, nothing found above the cut-off
  EXPECT_EQ(resolve(4), 6);  // the value 4 is still reached
}

TEST_F(Busca, HeuristicaGrafoSemArestasAlternaOsLados) {
  prepara(5, {});
  std::vector<double> p = {0.5, 0.2, 0.9, 0.1, 0.3};
  heuristicaPrimal(*s, p.data(), 4);
  EXPECT_EQ(s->zstar, 5.0);
  EXPECT_EQ(s->NODE_BEST_INTEGER_SOL, 4);
  for (int v = 0; v < 5; v++) EXPECT_EQ(vxstar[v], 1.0);
}

TEST_F(Busca, HeuristicaArestaDuplaETrianguloComUmNegativo) {
  prepara(2, {{0, 1, 2}});
  std::vector<double> p = {0.3, 0.7};
  heuristicaPrimal(*s, p.data(), 1);
  EXPECT_EQ(s->zstar, 1.0);
  EXPECT_EQ(vxstar[0], 0.0);
  EXPECT_EQ(vxstar[1], 1.0);

  s->zstar = -1e20;
  prepara(3, {{0, 1, 1}, {0, 2, 1}, {1, 2, -1}});
  p = {0.9, 0.8, 0.7};
  heuristicaPrimal(*s, p.data(), 2);
  EXPECT_EQ(s->zstar, 2.0);
  EXPECT_EQ(vxstar[0], 1.0);
  EXPECT_EQ(vxstar[1], 1.0);
  EXPECT_EQ(vxstar[2], 0.0);
}

TEST_F(Busca, HeuristicaNaoMelhoraComValorIgual) {
  prepara(3, {{0, 1, 1}, {0, 2, 1}, {1, 2, -1}}, 1);
  s->zstar = 2.0;
  s->NODE_BEST_INTEGER_SOL = 9;
  const double antes[] = {0.0, 1.0, 1.0, 0.0};
  std::copy(antes, antes + 4, vxstar);
  std::vector<double> p = {0.9, 0.8, 0.7};
  testing::internal::CaptureStdout();
  heuristicaPrimal(*s, p.data(), 5);
  std::fflush(stdout);
  const std::string saida = testing::internal::GetCapturedStdout();
  EXPECT_EQ(saida,
            ".Heuristica Primal.\n..Custo da solucao heuristica: 2\n"
            "..Heuristica Primal nao melhorou a solucao\n");
  EXPECT_EQ(s->NODE_BEST_INTEGER_SOL, 9);
  EXPECT_EQ(vxstar[0], 0.0);
}

TEST_F(Busca, EventosImprimemSoComImpressaoDetalhada) {
  prepara(1, {});
  int coluna = 12, direcao = 0, no = 7;
  double estimativa = 0.0;
  testing::internal::CaptureStdout();
  varSelection(prob, s.get(), &coluna, &direcao, &estimativa);
  nodeSelection(prob, s.get(), &no);
  nodeCutoff(prob, s.get(), 4);
  std::fflush(stdout);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

  prepara(1, {}, 1);
  testing::internal::CaptureStdout();
  varSelection(prob, s.get(), &coluna, &direcao, &estimativa);
  direcao = 1;
  varSelection(prob, s.get(), &coluna, &direcao, &estimativa);
  direcao = 5;
  varSelection(prob, s.get(), &coluna, &direcao, &estimativa);
  nodeSelection(prob, s.get(), &no);
  nodeCutoff(prob, s.get(), 4);
  std::fflush(stdout);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Branching (Variavel 12). Down\nBranching (Variavel 12). Up\n"
            "Branching (Variavel 12). Down\nBacktracking... (No 7)\nCutoff (No 4)\n");
  EXPECT_EQ(coluna, 12);
  EXPECT_EQ(no, 7);
}

}  // namespace
