// The probe held while a root runs: let go, its search ends with exactly the
// nodes, value and bound of the same search never held, and makes no
// progress while held; ended, it gives a valid bound and a balanced set;
// the best set it hands the root is balanced and as large as said; held
// for a while only, it goes on by itself to the same end.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "driver/resolucaoCombinatoria.h"
#include "driver/sondaCombinatoria.h"
#include "graph/GrafoSimples.h"

namespace {

// A sparse random graph whose search takes the better part of a second.
GrafoSimples grafoDeUmSegundo() {
  std::mt19937 rng(5);
  const int n = 88;
  std::vector<ArestaSinal> a;
  for (int u = 0; u < n; u++)
    for (int w = u + 1; w < n; w++)
      if (rng() % 10 == 0) a.push_back({u, w, rng() % 2 ? 1 : -1});
  return GrafoSimples(n, a);
}

AjustesDaBusca ajustesDaSonda() {
  AjustesDaBusca a;
  a.REDUZIR = 1;
  a.RELATA_MODELO = 0;
  a.LINHAS = 1;
  return a;
}

}  // namespace

TEST(SondaCombinatoria, SeguraSemPerderNadaDaBusca) {
  const GrafoSimples g = grafoDeUmSegundo();
  const std::vector<char> inicial(g.numVertices(), 0);
  std::FILE* nada = std::fopen("/dev/null", "w");
  ASSERT_NE(nada, nullptr);
  const ResultadoBusca sozinha = resolveCombinatorio(g, &inicial, Prazo(), ajustesDaSonda(), {}, nada);
  ASSERT_EQ(sozinha.limitante, sozinha.zstar);
  {
    SondaCombinatoria s(g, inicial, Prazo(), ajustesDaSonda(), {}, nada);
    ASSERT_FALSE(s.terminaEm(0.01));
    s.segura();
    int tamanho = -1;
    const std::vector<char> melhor = s.melhor(&tamanho);
    if (!melhor.empty()) {
      EXPECT_TRUE(equilibrado(g, melhor, nullptr));
      EXPECT_EQ(static_cast<int>(std::count(melhor.begin(), melhor.end(), 1)), tamanho);
    }
    // Held for longer than the whole search takes: it must not end.
    EXPECT_FALSE(s.terminaEm(1.0));
    const ResultadoBusca r = s.resultado(false);
    EXPECT_EQ(r.nos, sozinha.nos);
    EXPECT_EQ(r.zstar, sozinha.zstar);
    EXPECT_EQ(r.limitante, sozinha.limitante);
    EXPECT_TRUE(equilibrado(g, r.escolhido, nullptr));
  }
  {
    SondaCombinatoria s(g, inicial, Prazo(), ajustesDaSonda(), {}, nada);
    s.terminaEm(0.01);
    s.segura();
    const ResultadoBusca r = s.resultado(true);
    EXPECT_LE(r.nos, sozinha.nos);
    EXPECT_LE(r.zstar, sozinha.zstar);
    EXPECT_GE(r.limitante, sozinha.zstar);
    EXPECT_TRUE(equilibrado(g, r.escolhido, nullptr));
  }
  {
    // Held for a while only: it goes on by itself, to the same end.
    SondaCombinatoria s(g, inicial, Prazo(), ajustesDaSonda(), {}, nada);
    ASSERT_FALSE(s.terminaEm(0.01));
    s.segura(0.2);
    EXPECT_FALSE(s.terminou()->load());
    EXPECT_TRUE(s.terminaEm(30.0));
    EXPECT_TRUE(s.terminou()->load());
    const ResultadoBusca r = s.resultado(false);
    EXPECT_EQ(r.nos, sozinha.nos);
    EXPECT_EQ(r.limitante, sozinha.limitante);
  }
  std::fclose(nada);
}
