// The first-order bound against brute force on random small graphs: never
// below the optimum, every row it made a valid one, the bound it reports
// the B of the multipliers it hands back; and on a few graphs whose LP is
// known, close to it.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "graph/forcaBruta.h"
#include "lagrangian/Lagrangiano.h"
#include "lagrangian/ciclosDoConjunto.h"

namespace {

// A double edge, or a cycle of the graph in its order, simple, with an odd
// number of negative edges and none double, with rhs |C| - 1.
::testing::AssertionResult linhaValida(const GrafoSimples& g, const std::vector<int>& vs, double rhs) {
  const std::set<int> distintos(vs.begin(), vs.end());
  if (distintos.size() != vs.size()) return ::testing::AssertionFailure() << "vertice repetido";
  if (vs.size() == 2 && g.sinal(vs[0], vs[1]) == 2)
    return rhs == 1 ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "rhs";
  if (rhs != static_cast<double>(vs.size()) - 1) return ::testing::AssertionFailure() << "rhs";
  if (vs.size() < 3) return ::testing::AssertionFailure() << "curto";
  int negativas = 0;
  for (size_t i = 0; i < vs.size(); i++) {
    const int s = g.sinal(vs[i], vs[(i + 1) % vs.size()]);
    if (s == 0 || s == 2) return ::testing::AssertionFailure() << "aresta " << s;
    negativas += s < 0;
  }
  if (negativas % 2 == 0) return ::testing::AssertionFailure() << "par";
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST(Lagrangiano, LimitanteNuncaAbaixoDoOtimoELinhasValidas) {
  std::mt19937 rng(26);
  for (int rodada = 0; rodada < 120; rodada++) {
    const int n = 1 + static_cast<int>(rng() % 13);
    const double dens = (rodada % 10) / 10.0 + 0.05;
    const auto arestas = grafoSinalAleatorio(rng, n, dens, rodada % 3 == 0 ? 0.8 : 0.4,
                                             rodada % 2 == 0 ? 0.2 : 0.0, rodada % 4 == 1);
    const GrafoSimples g(n, arestas);
    const int otimo = otimoForcaBruta(n, arestas);
    lagrangiano::Parametros p;
    p.grafo = &g;
    p.maxIteracoes = 300;
    p.alvo = rodada % 2 == 0 ? otimo : 0;
    p.ajustes.iteracoesPorSeparacao = 1 + rodada % 3;
    double ultimo = n + 1;
    p.aoMelhorar = [&](const lagrangiano::Ponto& pt) {
      EXPECT_LT(pt.limitante, ultimo);
      ultimo = pt.limitante;
    };
    // Given up when asked: at the first look, before any step.
    const bool desiste = rodada % 7 == 3;
    if (desiste) p.desiste = [](double) { return true; };
    lagrangiano::Resultado r;
    lagrangiano::limita(p, &r);
    EXPECT_EQ(r.desistiu, desiste);
    if (desiste) {
      EXPECT_EQ(r.iteracoes, 0);
    }
    const std::string onde = "rodada " + std::to_string(rodada) + " n " + std::to_string(n);
    EXPECT_GE(r.limitante, otimo - 1e-9) << onde;
    EXPECT_LE(r.limitante, n + 1e-9) << onde;
    EXPECT_DOUBLE_EQ(r.limitante, ultimo) << onde;
    EXPECT_NEAR(lagrangiano::limitanteDe(n, r.linhas), r.limitante, 1e-9 * (1 + n)) << onde;
    ASSERT_EQ(r.media.size(), static_cast<size_t>(n));
    // A row sum_C x <= |C| - 1 holds for every balanced set exactly when C
    // itself is not balanced.
    for (const lagrangiano::Linha& l : r.linhas) {
      std::vector<char> emC(n, 0);
      for (const int v : l.vertices) emC[v] = 1;
      EXPECT_FALSE(equilibrado(g, emC)) << onde;
      EXPECT_EQ(l.rhs, static_cast<double>(l.vertices.size()) - 1) << onde;
      EXPECT_GE(l.y, 0) << onde;
    }
    // Started from the rows and multipliers it handed back, it starts there.
    lagrangiano::Parametros q = p;
    q.linhas = r.linhas;
    q.maxIteracoes = 0;
    q.aoMelhorar = nullptr;
    lagrangiano::Resultado s;
    lagrangiano::limita(q, &s);
    EXPECT_NEAR(s.limitante, r.limitante, 1e-9 * (1 + n)) << onde;
  }
}

// Every row found for a set is broken by it.
TEST(Lagrangiano, CiclosDoConjuntoQuebradosPeloConjunto) {
  std::mt19937 rng(7);
  for (int rodada = 0; rodada < 60; rodada++) {
    const int n = 2 + static_cast<int>(rng() % 30);
    const auto arestas = grafoSinalAleatorio(rng, n, 0.1 + (rodada % 5) * 0.2, 0.5, rodada % 2 ? 0.1 : 0, false);
    const GrafoSimples g(n, arestas);
    std::vector<char> escolhido(n);
    for (int v = 0; v < n; v++) escolhido[v] = rng() % 4 != 0;
    lagrangiano::CiclosDoConjunto busca(g);
    const auto ciclos = busca.violados(escolhido, 1000);
    // None found exactly when the set is balanced.
    EXPECT_EQ(ciclos.empty(), equilibrado(g, escolhido)) << rodada;
    for (const lagrangiano::Ciclo& c : ciclos) {
      EXPECT_TRUE(linhaValida(g, c.vertices, c.rhs)) << rodada;
      double soma = 0;
      for (const int v : c.vertices) soma += escolhido[v] ? 1 : 0;
      EXPECT_GT(soma, c.rhs) << rodada;
    }
    EXPECT_LE(busca.violados(escolhido, 3).size(), 3u);
  }
}

// Graphs whose odd-cycle LP is known: a balanced one (n), a negative
// triangle (2), a negative pentagon (4), two disjoint double edges (2).
TEST(Lagrangiano, PertoDoLPConhecido) {
  struct Caso {
    int n;
    std::vector<ArestaSinal> arestas;
    double lp;
  };
  const Caso casos[] = {
      {4, {{0, 1, 1}, {1, 2, -1}, {2, 3, 1}, {3, 0, -1}}, 4},
      {3, {{0, 1, -1}, {1, 2, -1}, {2, 0, -1}}, 2},
      {5, {{0, 1, -1}, {1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 0, 1}}, 4},
      {4, {{0, 1, 2}, {2, 3, 2}}, 2},
  };
  for (const Caso& c : casos) {
    const GrafoSimples g(c.n, c.arestas);
    lagrangiano::Parametros p;
    p.grafo = &g;
    p.maxIteracoes = 3000;
    lagrangiano::Resultado r;
    lagrangiano::limita(p, &r);
    EXPECT_GE(r.limitante, c.lp - 1e-9) << c.n;
    EXPECT_LE(r.limitante, c.lp + 0.1) << c.n;
  }
}
