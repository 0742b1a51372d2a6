// Every cut the three separators emit, run in the cut manager's order on
// small random signed graphs and LP points, holds for every balanced vertex
// set (checked by enumeration), is violated at the point, and is written over
// distinct vertices; in a plain run and in a reduced one (whose cycle
// searches run over the doubled graph with its regions at 1 merged).  With
// its searches on two or three threads (-j) the cycle separator writes the
// very batch it writes alone, here and on larger graphs, also when some of
// them are lent to a bound beside the search from one round to the next.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <random>
#include <set>

#include "base/opcoes.h"
#include "separation/ambiente.h"
#include "separation/separadores.h"

namespace {

struct Contagem {
  int cortes[5] = {0, 0, 0, 0, 0};
};

// Points of three kinds: anywhere in the cube; close to the incidence vector
// of a random set (balanced or not); and values from a few fractions.
std::vector<double> pontoAleatorio(std::mt19937& rng, int n, int tipo) {
  std::uniform_real_distribution<double> U(0, 1), perto(0, 0.35);
  std::vector<double> p(n);
  for (int v = 0; v < n; v++) {
    if (tipo == 0) {
      p[v] = U(rng);
    } else if (tipo == 1) {
      const bool dentro = rng() % 3 != 0;
      p[v] = dentro ? 1 - perto(rng) : perto(rng);
    } else {
      const double fr[] = {0, 1, 0.5, 1.0 / 3, 2.0 / 3, 0.45, 0.9};
      p[v] = fr[rng() % 7];
    }
    if (p[v] < 1e-6) p[v] = 0.0;
    if (p[v] > 0.999999) p[v] = 1.0;
  }
  return p;
}

// The cycle separator's batch at `ponto`, its searches on `linhas` threads
// of which `cedidas` are lent elsewhere for the round.
std::vector<Corte> loteDeCiclos(Ambiente& amb, const std::vector<double>& ponto, int linhas,
                                int cedidas = 0) {
  const std::atomic<int> emprestadas{cedidas};
  amb.ajustes.LINHAS = linhas;
  amb.ajustes.linhasCedidas = &emprestadas;
  std::copy(ponto.begin(), ponto.end(), amb.x);
  int ultimoCorte = -1, ultimoCoef = -1;
  const int cortes = separacaoExataCMenosOdd(amb.s, amb.x, &ultimoCorte, &ultimoCoef);
  amb.ajustes.LINHAS = 1;
  amb.ajustes.linhasCedidas = nullptr;
  EXPECT_EQ(ultimoCorte + 1, cortes);
  for (int v = 0; v < amb.nlin; v++) EXPECT_EQ(amb.pertence[v], 0);
  return cortesDoLote(amb.lote, ultimoCorte, ultimoCoef);
}

void confereLinhas(Ambiente& amb, const std::vector<double>& ponto) {
  const std::vector<Corte> sozinho = loteDeCiclos(amb, ponto, 1);
  // Threads lent to a bound beside the search from one round to the next
  // (3 of which 1, then 2 of which 1: alone) change nothing either.
  const int linhas[][2] = {{2, 0}, {3, 0}, {3, 1}, {2, 1}, {3, 0}};
  for (const auto& [total, cedidas] : linhas) {
    const std::vector<Corte> repartido = loteDeCiclos(amb, ponto, total, cedidas);
    ASSERT_EQ(repartido.size(), sozinho.size()) << total << " linhas, " << cedidas << " cedidas";
    for (size_t c = 0; c < sozinho.size(); c++)
      ASSERT_TRUE(repartido[c] == sozinho[c]) << total << " linhas, " << cedidas << " cedidas, corte " << c;
  }
}

void confere(Ambiente& amb, int n, const std::vector<Aresta>& arestas,
             const std::vector<double>& ponto, Contagem& cont) {
  confereLinhas(amb, ponto);
  if (testing::Test::HasFatalFailure()) return;
  double* const x = amb.x;
  std::copy(ponto.begin(), ponto.end(), x);
  int ultimoCorte = -1, ultimoCoef = -1;
  const int ciclos = separacaoExataCMenosOdd(amb.s, x, &ultimoCorte, &ultimoCoef);
  for (int v = 0; v < n; v++) ASSERT_EQ(amb.pertence[v], 0);
  const int cliques =
      separacaoHeuristicaDesigualdadesClique(amb.s, x, &ultimoCorte, &ultimoCoef, ciclos);
  testing::internal::CaptureStdout();
  const int indSets =
      separacaoExataCicloIndSet(amb.s, x, &ultimoCorte, &ultimoCoef, ciclos + cliques);
  std::fflush(stdout);
  testing::internal::GetCapturedStdout();
  for (int v = 0; v < n; v++) ASSERT_EQ(amb.pertence[v], 0);
  const std::vector<Corte> cortes = cortesDoLote(amb.lote, ultimoCorte, ultimoCoef);
  ASSERT_EQ(static_cast<int>(cortes.size()), ciclos + cliques + indSets);
  ASSERT_LE(cortes.size(), 200u);

  const std::vector<uint32_t> equilibrados = conjuntosEquilibrados(n, arestas);
  for (size_t c = 0; c < cortes.size(); c++) {
    const Corte& k = cortes[c];
    const int esperado = c < size_t(ciclos) ? 0 : c < size_t(ciclos + cliques) ? 2 : 4;
    if (esperado == 0) {
      ASSERT_TRUE(k.tipo == CORTE_CICLO || k.tipo == CORTE_CICLO_LIFTED);
    } else {
      ASSERT_EQ(k.tipo, esperado);
    }
    cont.cortes[k.tipo]++;
    ASSERT_EQ(k.sentido, 'L');
    const std::set<int> distintos(k.colunas.begin(), k.colunas.end());
    ASSERT_EQ(distintos.size(), k.colunas.size()) << "corte " << c;
    for (int col : k.colunas) ASSERT_TRUE(col >= 0 && col < n);
    for (double a : k.coefs) ASSERT_GE(a, 1.0);
    if (k.tipo == CORTE_CICLO || k.tipo == CORTE_CICLO_LIFTED) {
      // the cycle's k terms of 1, rhs k - 1, then the lifted terms if any
      const size_t tamCiclo = static_cast<size_t>(k.rhs) + 1;
      ASSERT_EQ(std::floor(k.rhs), k.rhs);
      ASSERT_EQ(k.colunas.size() > tamCiclo, k.tipo == CORTE_CICLO_LIFTED);
      for (size_t t = 0; t < tamCiclo; t++) ASSERT_EQ(k.coefs[t], 1.0);
    }
    if (k.tipo == CORTE_CICLO_IND_SET) {
      ASSERT_EQ(k.colunas.size() % 2, 1u);
      ASSERT_EQ(k.rhs, double(k.colunas.size() / 2));
    }
    EXPECT_GT(k.atividade(ponto), k.rhs + 1e-6 - 1e-9) << "corte " << c << " nao violado";
    EXPECT_LE(maiorAtividade(equilibrados, k), k.rhs + 1e-9)
        << "corte " << c << " de tipo " << k.tipo << " invalido";
  }
}

void rodada(const AjustesDaBusca& ajustes, uint32_t semente, int casos,
            const std::vector<int>& sinais, bool extras, Contagem& cont) {
  std::mt19937 rng(semente);
  for (int caso = 0; caso < casos; caso++) {
    const int n = 3 + static_cast<int>(rng() % 10);
    const double dens = 0.25 + 0.6 * (rng() % 100) / 100.0;
    const std::vector<Aresta> arestas = grafoAleatorio(rng, n, dens, sinais, extras);
    Ambiente amb(n, arestas, ajustes);
    for (int tipo = 0; tipo < 3; tipo++) {
      SCOPED_TRACE(testing::Message() << "semente " << semente << " caso " << caso << " ponto "
                                      << tipo);
      confere(amb, n, arestas, pontoAleatorio(rng, n, tipo), cont);
      if (testing::Test::HasFatalFailure()) return;
    }
  }
}

}  // namespace

// Every kind of search: a plain run's, a reduced run's on the doubled graph
// (small pieces), and on the graph with its regions at 1 merged (large ones,
// here from any size).
class Validade : public testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ajustes.REDUZIR = GetParam() > 0;
    if (GetParam() == 2) ajustes.MINIMO_CONTRACAO = 0;
  }
  AjustesDaBusca ajustes;
};
INSTANTIATE_TEST_SUITE_P(Execucoes, Validade, testing::Values(0, 1, 2));

TEST_P(Validade, GrafosSimples) {
  Contagem c;
  rodada(ajustes, 1, 250, {1, -1, 2}, false, c);
  rodada(ajustes, 2, 150, {1, -1, -1, 2, 2, 2}, false, c);
  rodada(ajustes, 3, 100, {1, -1}, false, c);
  std::printf("cortes por tipo: %d %d %d %d\n", c.cortes[1], c.cortes[2], c.cortes[3], c.cortes[4]);
  EXPECT_GT(c.cortes[1] + c.cortes[3], 200);
  EXPECT_GT(c.cortes[3], 20);
  EXPECT_GT(c.cortes[2], 100);
  EXPECT_GT(c.cortes[4], 50);
}

// Graphs of 40 to 300 vertices, where the helpers search well ahead of the
// calling thread and many searches are left for covered vertices.
TEST_P(Validade, LinhasDaoOMesmoLote) {
  std::mt19937 rng(6);
  int cortes = 0;
  for (int caso = 0; caso < 24; caso++) {
    const int n = 40 + static_cast<int>(rng() % 261);
    const double dens = (2.0 + rng() % 12) / n;
    const std::vector<int> sinais = caso % 3 == 0 ? std::vector<int>{1, -1} : std::vector<int>{1, -1, 2};
    Ambiente amb(n, grafoAleatorio(rng, n, dens, sinais, caso % 2 == 1), ajustes);
    for (int tipo = 0; tipo < 3; tipo++) {
      SCOPED_TRACE(testing::Message() << "caso " << caso << " n " << n << " ponto " << tipo);
      const std::vector<double> ponto = pontoAleatorio(rng, n, tipo);
      confereLinhas(amb, ponto);
      if (testing::Test::HasFatalFailure()) return;
      cortes += static_cast<int>(loteDeCiclos(amb, ponto, 1).size());
    }
  }
  std::printf("cortes de ciclo: %d\n", cortes);
  EXPECT_GT(cortes, 1000);
}

// Repeated edges (possibly of the other sign) and positive loops.
TEST_P(Validade, ArestasRepetidasELacos) {
  Contagem c;
  rodada(ajustes, 4, 300, {1, -1, 2}, true, c);
  rodada(ajustes, 5, 150, {1, -1}, true, c);
  std::printf("cortes por tipo: %d %d %d %d\n", c.cortes[1], c.cortes[2], c.cortes[3], c.cortes[4]);
  EXPECT_GT(c.cortes[1] + c.cortes[3], 200);
  EXPECT_GT(c.cortes[2], 100);
}
