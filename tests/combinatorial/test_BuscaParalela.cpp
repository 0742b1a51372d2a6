// The search shared among threads: the same optimum as one thread, and from
// the optimum the very same tree; a deadline leaves a valid set and bound,
// and progress comes from one thread only.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

#include "combinatorial/Combinatorio.h"
#include "graph/forcaBruta.h"

namespace {

using combinatorio::Ajustes;
using combinatorio::ResultadoExato;
using Relogio = combinatorio::BuscaExata::Relogio;

const Relogio::time_point kSemPrazo = Relogio::now() + std::chrono::hours(24);

int tamanho(const std::vector<signed char>& lado) {
  int t = 0;
  for (const signed char s : lado) t += s >= 0;
  return t;
}

Ajustes comLinhas(int linhas, Ajustes a = {}) {
  a.paralelo = linhas;
  return a;
}

}  // namespace

TEST(BuscaParalela, IgualASozinhaEDoOtimoAMesmaArvore) {
  std::mt19937 rng(44);
  for (int caso = 0; caso < 30; caso++) {
    const GrafoSimples g = grafoDeBuscaAleatorio(rng, caso);
    Ajustes semSimetria;
    semSimetria.simetria = false;
    for (const Ajustes& base : {Ajustes{}, semSimetria}) {
      const ResultadoExato so = combinatorio::resolveGrafo(g, {}, kSemPrazo, base);
      const ResultadoExato doOtimo = combinatorio::resolveGrafo(g, so.lado, kSemPrazo, base);
      for (const int linhas : {2, 3}) {
        const ResultadoExato r = combinatorio::resolveGrafo(g, {}, kSemPrazo, comLinhas(linhas, base));
        ASSERT_EQ(r.valor, so.valor) << "caso " << caso << ", " << linhas << " linhas";
        EXPECT_TRUE(r.completo);
        EXPECT_EQ(r.limitante, so.valor);
        EXPECT_EQ(r.limitanteRaiz, so.limitanteRaiz);
        EXPECT_EQ(tamanho(r.lado), r.valor);
        EXPECT_TRUE(ladosValidos(g, r.lado)) << "caso " << caso;
        // Nothing to find: the threads share out the one tree.
        const ResultadoExato d = combinatorio::resolveGrafo(g, so.lado, kSemPrazo, comLinhas(linhas, base));
        EXPECT_EQ(d.nos, doOtimo.nos) << "caso " << caso << ", " << linhas << " linhas";
        EXPECT_EQ(d.valor, so.valor);
      }
    }
  }
}

// Progress is reported by the calling thread only (what it prints is no
// other thread's business), with counts that only grow and bounds never
// below the value; stopped early, the threads leave a balanced set and a
// bound no lower than the optimum.
TEST(BuscaParalela, ProgressoEPrazo) {
  std::mt19937 rng(12);
  const int n = 100;
  const auto arestas = grafoSinalAleatorio(rng, n, 0.3, 0.5, 0.0, false);
  const GrafoSimples g(n, arestas);
  const ResultadoExato otimo = combinatorio::resolveGrafo(g, {}, kSemPrazo);
  ASSERT_TRUE(otimo.completo);

  std::atomic<int> chamadas{0};
  std::atomic<int64_t> ultimoNos{0};
  std::atomic<bool> decresceu{false}, limitanteAbaixo{false};
  const std::thread::id chamadora = std::this_thread::get_id();
  std::atomic<bool> outraLinha{false};
  const combinatorio::BuscaExata::Progresso progresso = [&](int64_t nos, int, int valor, int limitante) {
    chamadas++;
    if (std::this_thread::get_id() != chamadora) outraLinha = true;
    if (nos < ultimoNos) decresceu = true;
    ultimoNos = nos;
    if (limitante < valor) limitanteAbaixo = true;
  };
  // A whole search: the first look at the clock reports.
  const ResultadoExato todo = combinatorio::resolveGrafo(g, {}, kSemPrazo, comLinhas(2), progresso);
  EXPECT_EQ(todo.valor, otimo.valor);
  EXPECT_GE(chamadas, 1);
  EXPECT_FALSE(outraLinha);
  EXPECT_FALSE(decresceu);
  EXPECT_FALSE(limitanteAbaixo);

  // However far 30 ms get (a slow build may not reach the first node).
  ultimoNos = 0;
  const ResultadoExato r = combinatorio::resolveGrafo(
      g, {}, Relogio::now() + std::chrono::milliseconds(30), comLinhas(2), progresso);
  EXPECT_TRUE(ladosValidos(g, r.lado));
  EXPECT_EQ(tamanho(r.lado), r.valor);
  EXPECT_LE(r.valor, otimo.valor);
  EXPECT_GE(r.limitante, otimo.valor);
  if (!r.completo) {
    EXPECT_GT(r.limitante, r.valor);
  }
  EXPECT_FALSE(outraLinha);
  EXPECT_FALSE(decresceu);
  EXPECT_FALSE(limitanteAbaixo);
}
