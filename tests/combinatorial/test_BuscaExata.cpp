// The combinatorial engine against brute force: random small graphs of every
// density, with double edges, repeated records, loops and several
// components, with each part of the search switched off in turn, from no
// first set and from a good one; and what a deadline leaves.
#include <gtest/gtest.h>

#include <random>

#include "combinatorial/Combinatorio.h"
#include "graph/forcaBruta.h"

namespace {

using combinatorio::Ajustes;
using combinatorio::ResultadoExato;
using Relogio = combinatorio::BuscaExata::Relogio;

const Relogio::time_point kSemPrazo = Relogio::now() + std::chrono::hours(24);

std::vector<char> membros(const std::vector<signed char>& lado) {
  std::vector<char> r(lado.size());
  for (size_t v = 0; v < lado.size(); v++) r[v] = lado[v] >= 0;
  return r;
}

const Ajustes kVariantes[] = {
    {},
    {.simetria = false},
    {.recoloracao = false},
    {.maxsat = false},
    {.reducao = false},
    {.grupos = false},
    {.dinamica = false},
    {.simetria = false, .recoloracao = false, .maxsat = false, .reducao = false, .grupos = false, .dinamica = false}};

}  // namespace

TEST(BuscaExata, IgualAForcaBrutaEmTodasAsVariantes) {
  std::mt19937 rng(2026);
  for (int caso = 0; caso < 400; caso++) {
    const int n = 1 + static_cast<int>(rng() % 16);
    const double dens = (caso % 10) / 10.0 + 0.05;
    const auto arestas = grafoSinalAleatorio(rng, n, dens, caso % 4 == 0 ? 0.8 : 0.4,
                                             caso % 3 == 0 ? 0.2 : 0.0, caso % 2 == 1);
    const GrafoSimples g(n, arestas);
    const int otimo = otimoForcaBruta(n, arestas);
    for (Ajustes a : kVariantes) {
      // Conflicts found by rows and by lists, whatever the density.
      a.conflitos = caso % 2 == 0 ? Ajustes::Conflitos::bits : Ajustes::Conflitos::listas;
      const ResultadoExato r = combinatorio::resolveGrafo(g, {}, kSemPrazo, a);
      ASSERT_EQ(r.valor, otimo) << "caso " << caso;
      EXPECT_TRUE(r.completo);
      EXPECT_EQ(r.limitante, otimo);
      EXPECT_GE(r.limitanteRaiz, otimo);
      EXPECT_GE(r.limitanteInicial, r.limitanteRaiz);
      EXPECT_LE(r.limitanteInicial, n);
      EXPECT_EQ(__builtin_popcountl(mascara(membros(r.lado))), otimo);
      EXPECT_TRUE(equilibradoBruto(n, arestas, mascara(membros(r.lado))));
      EXPECT_TRUE(ladosValidos(g, r.lado)) << "caso " << caso;
    }
  }
}

// The refinements over lists of conflicts take the same steps as those over
// rows: the same tree, bounds and set in every variant, on graphs large
// enough to branch and to fill several words.
TEST(BuscaExata, ListasDeConflitosDaoAMesmaArvore) {
  std::mt19937 rng(31);
  for (int caso = 0; caso < 24; caso++) {
    const GrafoSimples g = grafoDeBuscaAleatorio(rng, caso);
    for (Ajustes a : kVariantes) {
      a.conflitos = Ajustes::Conflitos::bits;
      const ResultadoExato porBits = combinatorio::resolveGrafo(g, {}, kSemPrazo, a);
      a.conflitos = Ajustes::Conflitos::listas;
      const ResultadoExato porListas = combinatorio::resolveGrafo(g, {}, kSemPrazo, a);
      ASSERT_EQ(porListas.nos, porBits.nos) << "caso " << caso;
      EXPECT_EQ(porListas.valor, porBits.valor);
      EXPECT_EQ(porListas.limitanteRaiz, porBits.limitanteRaiz);
      EXPECT_EQ(porListas.lado, porBits.lado);
    }
  }
}

// A good first set is kept when nothing beats it, and improved otherwise;
// an optimal one leaves a search with nothing to find.
TEST(BuscaExata, PartindoDeUmConjunto) {
  std::mt19937 rng(7);
  for (int caso = 0; caso < 100; caso++) {
    const int n = 2 + static_cast<int>(rng() % 14);
    const auto arestas = grafoSinalAleatorio(rng, n, 0.1 + (caso % 8) / 10.0, 0.5, 0.1, false);
    const GrafoSimples g(n, arestas);
    const ResultadoExato otimo = combinatorio::resolveGrafo(g, {}, kSemPrazo);
    // Half of the optimal set, and the optimal set itself.
    std::vector<signed char> metade = otimo.lado;
    for (int v = 0, k = 0; v < n; v++)
      if (metade[v] >= 0 && k++ % 2 == 0) metade[v] = -1;
    for (const auto& inicial : {metade, otimo.lado}) {
      const ResultadoExato r = combinatorio::resolveGrafo(g, inicial, kSemPrazo);
      ASSERT_EQ(r.valor, otimo.valor) << "caso " << caso;
      EXPECT_TRUE(ladosValidos(g, r.lado));
      EXPECT_TRUE(equilibradoBruto(n, arestas, mascara(membros(r.lado))));
    }
  }
}

// Past the deadline the first set stands and the bound still holds: the
// components left count with their size.
TEST(BuscaExata, PrazoVencido) {
  std::mt19937 rng(5);
  const int n = 14;
  const auto arestas = grafoSinalAleatorio(rng, n, 0.3, 0.5, 0.0, false);
  const GrafoSimples g(n, arestas);
  const ResultadoExato r = combinatorio::resolveGrafo(g, {}, Relogio::now());
  EXPECT_FALSE(r.completo);
  EXPECT_GE(r.limitante, otimoForcaBruta(n, arestas));
  EXPECT_TRUE(ladosValidos(g, r.lado));
}

// Many components, isolated vertices among them: the sum of their optima.
TEST(BuscaExata, Componentes) {
  std::mt19937 rng(9);
  std::vector<ArestaSinal> todas;
  int n = 0, soma = 0;
  for (int parte = 0; parte < 6; parte++) {
    const int k = 1 + static_cast<int>(rng() % 9);
    const auto a = grafoSinalAleatorio(rng, k, 0.6, 0.5, 0.1, false);
    soma += otimoForcaBruta(k, a);
    for (const ArestaSinal& e : a) todas.push_back({e.u + n, e.w + n, e.sinal});
    n += k;
  }
  const GrafoSimples g(n, todas);
  const ResultadoExato r = combinatorio::resolveGrafo(g, {}, kSemPrazo);
  EXPECT_EQ(r.valor, soma);
  EXPECT_EQ(r.limitante, soma);
  EXPECT_TRUE(ladosValidos(g, r.lado));
}
