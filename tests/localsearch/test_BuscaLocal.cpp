// Local search: every set it gives is balanced with sides that fit its edges,
// it reaches the brute-force optimum on small graphs within a fixed number of
// perturbations, a seed fixes the run, and its counts on the conflict graph
// stay right through moves and undoing.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "localsearch/BuscaLocal.h"
#include "localsearch/solucaoDupla.h"
#include "graph/forcaBruta.h"

namespace {

using buscaLocal::BuscaLocal;
using buscaLocal::Conjunto;

const auto SEM_PRAZO = std::chrono::steady_clock::time_point::max();

// The set is balanced by the brute-force check, its size is its count, and
// the sides given satisfy every record among its members.
void confere(int n, const std::vector<ArestaSinal>& arestas, const Conjunto& c) {
  ASSERT_EQ(static_cast<int>(c.lado.size()), n);
  unsigned long mask = 0;
  int k = 0;
  for (int v = 0; v < n; v++) {
    ASSERT_GE(c.lado[v], -1);
    ASSERT_LE(c.lado[v], 1);
    if (c.lado[v] >= 0) {
      k++;
      if (n <= 64) mask |= 1ul << v;
    }
  }
  EXPECT_EQ(c.tamanho, k);
  if (n <= 64) {
    EXPECT_TRUE(equilibradoBruto(n, arestas, mask));
  }
  for (const ArestaSinal& a : arestas) {
    if (a.u == a.w || c.lado[a.u] < 0 || c.lado[a.w] < 0) continue;
    ASSERT_NE(a.sinal, 2) << a.u << "-" << a.w;
    EXPECT_EQ(c.lado[a.u] == c.lado[a.w], a.sinal == 1) << a.u << "-" << a.w;
  }
}

TEST(BuscaLocal, CasosExtremos) {
  struct Caso {
    int n;
    std::vector<ArestaSinal> arestas;
    int otimo;
  };
  std::vector<Caso> casos = {{0, {}, 0}, {1, {}, 1}, {1, {{0, 0, 1}}, 1}, {5, {}, 5}};
  Caso duplas{6, {}, 1};  // every pair double: one vertex at most
  for (int u = 0; u < 6; u++)
    for (int w = u + 1; w < 6; w++) duplas.arestas.push_back({u, w, 2});
  casos.push_back(duplas);
  Caso triangulo{3, {{0, 1, -1}, {1, 2, -1}, {0, 2, -1}}, 2};  // odd negative cycle
  casos.push_back(triangulo);
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.n);
    BuscaLocal b(GrafoSimples(caso.n, caso.arestas), 7);
    const Conjunto ini = b.guloso();
    confere(caso.n, caso.arestas, ini);
    const Conjunto c = b.melhora(ini, SEM_PRAZO, 50);
    confere(caso.n, caso.arestas, c);
    EXPECT_EQ(c.tamanho, caso.otimo);
    // From nothing, and from a start whose members clash (all on one side
    // across negative edges): the clashing ones are dropped.
    confere(caso.n, caso.arestas, b.melhora(Conjunto{}, SEM_PRAZO, 50));
    Conjunto todos{std::vector<signed char>(caso.n, 0), caso.n};
    const Conjunto d = b.melhora(todos, SEM_PRAZO, 50);
    confere(caso.n, caso.arestas, d);
    EXPECT_EQ(d.tamanho, caso.otimo);
  }
}

TEST(BuscaLocal, AlcancaOtimoDaForcaBruta) {
  std::mt19937 rng(11);
  int casos = 0, abaixo = 0;
  for (int caso = 0; caso < 240; caso++) {
    const int n = 2 + static_cast<int>(rng() % 13);
    const double dens = (caso % 8 + 1) / 8.0;
    const auto arestas = grafoSinalAleatorio(rng, n, dens, (caso % 5) / 4.0, caso % 3 == 0 ? 0.15 : 0.0,
                                             caso % 2 == 1);
    SCOPED_TRACE(caso);
    BuscaLocal b(GrafoSimples(n, arestas), static_cast<uint64_t>(caso));
    const Conjunto ini = b.guloso();
    confere(n, arestas, ini);
    const Conjunto c = b.melhora(ini, SEM_PRAZO, 300);
    confere(n, arestas, c);
    const int otimo = otimoForcaBruta(n, arestas);
    ASSERT_LE(c.tamanho, otimo);
    EXPECT_GE(c.tamanho, ini.tamanho);
    casos++;
    abaixo += c.tamanho < otimo;
  }
  EXPECT_LE(abaixo, casos / 100) << abaixo << " de " << casos << " abaixo do otimo";
}

TEST(BuscaLocal, MesmaSementeMesmoConjunto) {
  std::mt19937 rng(3);
  const int n = 300;
  const auto arestas = grafoSinalAleatorio(rng, n, 0.05, 0.4, 0.05, true);
  const GrafoSimples g(n, arestas);
  BuscaLocal a(g, 42), b(g, 42);
  const Conjunto ia = a.guloso(), ib = b.guloso();
  EXPECT_EQ(ia.lado, ib.lado);
  const Conjunto ca = a.melhora(ia, SEM_PRAZO, 3000), cb = b.melhora(ib, SEM_PRAZO, 3000);
  EXPECT_EQ(ca.lado, cb.lado);
  confere(n, arestas, ca);
  // A deadline already past still returns a balanced set, no smaller than
  // the start once its clashes are dropped.
  const Conjunto d = a.melhora(ia, std::chrono::steady_clock::now());
  confere(n, arestas, d);
  EXPECT_GE(d.tamanho, ia.tamanho);
}

// Counts and runs recomputed from scratch after random moves, a copy kept
// from the moves alone, and the set restored exactly by undoing a logged
// stretch.
TEST(SolucaoDupla, ContagensConferemAposMovimentosEDesfazer) {
  std::mt19937 rng(8);
  const int n = 40;
  const auto arestas = grafoSinalAleatorio(rng, n, 0.15, 0.5, 0.1, true);
  const GrafoSimples g(n, arestas);
  const buscaLocal::GrafoDuplo h(g);
  buscaLocal::SolucaoDupla s(h);
  auto confereContagens = [&] {
    int livres = 0;
    for (int x = 0; x < 2 * n; x++) {
      int aperto = 0, unico = -1;
      h.paraVizinhos(x, [&](int y) {
        if (s.membro(y)) {
          aperto++;
          unico = y;
        }
      });
      ASSERT_EQ(s.aperto(x), aperto) << x;
      if (s.membro(x)) {
        ASSERT_EQ(aperto, 0) << x;
      } else if (aperto == 1) {
        ASSERT_EQ(s.unicoMembro(x), unico) << x;
      }
      livres += !s.membro(x) && aperto == 0;
    }
    ASSERT_EQ(s.numLivres(), livres);
    for (int i = 0; i < s.numLivres(); i++) ASSERT_EQ(s.aperto(s.livre(i)), 0);
    for (int i = 0; i < s.tamanho(); i++) ASSERT_TRUE(s.membro(s.membroNa(i)));
    ASSERT_EQ(s.numVerticesFora(), n - s.tamanho());
    for (int i = 0; i < s.numVerticesFora(); i++) {
      const int v = s.verticeFora(i);
      ASSERT_FALSE(s.membro(2 * v) || s.membro(2 * v + 1)) << v;
    }
  };
  auto passoAleatorio = [&] {
    if (s.numLivres() > 0 && (s.tamanho() == 0 || rng() % 3 != 0))
      s.insere(s.livre(static_cast<int>(rng() % s.numLivres())));
    else if (s.tamanho() > 0)
      s.remove(s.membroNa(static_cast<int>(rng() % s.tamanho())));
  };
  std::vector<signed char> copia(n, -1);  // brought up to date now and then
  for (int t = 0; t < 200; t++) {
    passoAleatorio();
    confereContagens();
    if (t % 7 == 0) {
      s.passaMudancas(copia);
      ASSERT_EQ(copia, s.lados());
    }
  }
  for (int volta = 0; volta < 5; volta++) {
    const std::vector<signed char> antes = s.lados();
    s.registra();
    for (int t = 0; t < 30; t++) passoAleatorio();
    s.desfaz();
    EXPECT_EQ(s.lados(), antes);
    confereContagens();
  }
}

}  // namespace
