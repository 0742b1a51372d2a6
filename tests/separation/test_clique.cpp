// Heuristic clique separation: both passes, the strict thresholds, the
// starting-vertex bar, the room rule and repeated edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "separation/ambiente.h"
#include "separation/separadores.h"

namespace {

std::vector<Corte> separa(Ambiente& amb, const std::vector<double>& ponto, int ncortes = 0) {
  std::copy(ponto.begin(), ponto.end(), amb.x);
  int ultimoCorte = -1, ultimoCoef = -1;
  const int r =
      separacaoHeuristicaDesigualdadesClique(amb.s, amb.x, &ultimoCorte, &ultimoCoef, ncortes);
  std::vector<Corte> cortes = cortesDoLote(amb.lote, ultimoCorte, ultimoCoef);
  EXPECT_EQ(r, static_cast<int>(cortes.size()));
  return cortes;
}

// a=0, b=1 negative; c=2, d=3 negative; positive across.
std::vector<Aresta> doisLados() {
  return {{0, 1, -1}, {2, 3, -1}, {0, 2, 1}, {0, 3, 1}, {1, 2, 1}, {1, 3, 1}};
}

}  // namespace

TEST(Clique, ParDuploDaUmCorteEBarraOsDois) {
  Ambiente amb(2, {{0, 1, 2}});
  const std::vector<Corte> c = separa(amb, {0.6, 0.5});
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].colunas, (std::vector<int>{0, 1}));
  EXPECT_EQ(c[0].coefs, (std::vector<double>{1, 1}));
  EXPECT_EQ(c[0].rhs, 1.0);
  EXPECT_EQ(c[0].tipo, CORTE_CLIQUE);
  EXPECT_EQ(c[0].sentido, 'L');
  EXPECT_EQ(amb.pertence[0], 1);
  EXPECT_EQ(amb.pertence[1], 1);
}

TEST(Clique, SomaDeExatamente1000001NaoDaCorte) {
  Ambiente amb(2, {{0, 1, 2}});
  const double a = 0.25, b = 1.000001 - 0.25;
  ASSERT_EQ(b + a, 1.000001);  // the order in which the set is summed
  EXPECT_TRUE(separa(amb, {a, b}).empty());
  EXPECT_EQ(separa(amb, {a, b + 1e-9}).size(), 1u);
}

TEST(Clique, DuasPassadasSemDuplas) {
  Ambiente amb(4, doisLados());
  const std::vector<Corte> c = separa(amb, {0.6, 0.6, 0.6, 0.6});
  ASSERT_EQ(c.size(), 1u);
  // start 0, its side mate 1, then the other side 2 and 3
  EXPECT_EQ(c[0].colunas, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(c[0].rhs, 2.0);
  for (int v = 0; v < 4; v++) EXPECT_EQ(amb.pertence[v], 1);
}

TEST(Clique, ConjuntoDeTresNuncaDaCorte) {
  Ambiente amb(3, {{0, 1, -1}, {0, 2, 1}, {1, 2, 1}});
  EXPECT_TRUE(separa(amb, {0.9, 0.9, 0.9}).empty());
}

TEST(Clique, VerticeDeValorZeroEntraNoConjunto) {
  Ambiente amb(4, doisLados());
  const std::vector<Corte> c = separa(amb, {0.8, 0.8, 0.8, 0.0});
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].colunas, (std::vector<int>{0, 1, 2, 3}));
}

TEST(Clique, OrdemDeEntradaSegueOsValores) {
  Ambiente amb(4, doisLados());
  const std::vector<Corte> c = separa(amb, {0.5, 0.6, 0.9, 0.7});
  ASSERT_EQ(c.size(), 1u);
  // start 2, then 3 (negative to 2), then the other side in value order
  EXPECT_EQ(c[0].colunas, (std::vector<int>{2, 3, 1, 0}));
}

TEST(Clique, SemEspacoNaPrimeiraPassadaASegundaNaoRoda) {
  std::vector<Aresta> a = doisLados();
  a.push_back({4, 5, 2});
  Ambiente amb(6, a);
  const std::vector<double> ponto{0.6, 0.6, 0.6, 0.6, 0.7, 0.7};
  EXPECT_EQ(separa(amb, ponto, 0).size(), 2u);
  const std::vector<Corte> c = separa(amb, ponto, 199);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].rhs, 1.0);
}

TEST(Clique, CliqueDeDuplasMaior) {
  std::vector<Aresta> a;
  for (int u = 0; u < 4; u++)
    for (int w = u + 1; w < 4; w++) a.push_back({u, w, 2});
  a.push_back({4, 0, 2});  // 4 is double to 0 only: it cannot join
  Ambiente amb(5, a);
  const std::vector<Corte> c = separa(amb, {0.3, 0.3, 0.3, 0.3, 0.9});
  ASSERT_FALSE(c.empty());
  EXPECT_EQ(c[0].colunas, (std::vector<int>{4, 0}));
}

// 0 has the double edge to 2 entered twice and one to 1, while 1 and 2 are
// not joined at all: 2 must not join {0, 1} on the strength of the repeated
// edge, since 1 and 2 can be chosen together.
TEST(Clique, ArestaRepetidaNaoContaDuasVezes) {
  const std::vector<Aresta> a{{0, 1, 2}, {0, 2, 2}, {0, 2, 2}};
  Ambiente amb(3, a);
  const std::vector<Corte> c = separa(amb, {0.6, 0.5, 0.4});
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].colunas, (std::vector<int>{0, 1}));
}

namespace {

// The separator as first written: every start vertex clears its counters
// over all vertices and every sweep scans all of xh.  Kept as the reference
// for the sweep over touched vertices alone.
struct CorteSimples {
  std::vector<int> colunas;
  double rhs;
};

std::vector<CorteSimples> cliquesPorVarreduraCompleta(const Armazem& g,
                                                      const std::vector<double>& ponto,
                                                      int ncortes) {
  const int n = g.nlin, membro = -1000000000;
  const int MAX_CORTES = 200;
  nodo** const gMat = g.gMat;
  std::vector<RegAux> ordem(n);
  for (int v = 0; v < n; v++) ordem[v] = RegAux{ponto[v], v};
  std::qsort(ordem.data(), n, sizeof(RegAux), ComparaRegAux);
  std::vector<int> coberto(n, 0), cont(n), pos(n), conj;
  std::vector<CorteSimples> r;
  // each neighbour w of m once: by an entry that passes `conta`
  auto vizinhos = [&](int m, auto conta, std::vector<int>& c) {
    for (nodo* e = gMat[m]; e != nullptr;) {
      const int w = e->vertice;
      bool achou = false;
      for (; e != nullptr && e->vertice == w; e = e->prox) achou = achou || conta(e->sinal);
      if (achou) c[w]++;
    }
  };
  auto varre = [&](std::vector<int>& c, double& soma, auto junta) {
    for (int p = 0; p < n; p++) {
      const int v = ordem[p].indice;
      if (c[v] != static_cast<int>(conj.size())) continue;
      conj.push_back(v);
      soma += ordem[p].valor;
      junta(v);
    }
  };
  auto fecha = [&](double rhs) {
    r.push_back({conj, rhs});
    for (int v : conj) coberto[v] = 1;
  };
  if (n < 1 || ncortes > MAX_CORTES - 1) return r;
  for (int j = 0; j < n && ncortes + static_cast<int>(r.size()) <= MAX_CORTES - 1; j++) {
    const int s = ordem[j].indice;
    if (coberto[s]) continue;
    std::fill(cont.begin(), cont.end(), 0);
    conj = {s};
    double soma = ordem[j].valor;
    auto junta = [&](int v) {
      vizinhos(v, [](int t) { return t == 2; }, cont);
      cont[v] = membro;
    };
    junta(s);
    varre(cont, soma, junta);
    if (soma > 1.000001) fecha(1.0);
  }
  for (int k = 0; k < n && ncortes + static_cast<int>(r.size()) <= MAX_CORTES - 1; k++) {
    const int s = ordem[k].indice;
    if (coberto[s]) continue;
    std::fill(cont.begin(), cont.end(), 0);
    std::fill(pos.begin(), pos.end(), 0);
    conj = {s};
    double soma = ordem[k].valor;
    auto primeiro = [&](int v) {
      vizinhos(v, [](int t) { return t == -1 || t == 2; }, cont);
      vizinhos(v, [](int t) { return t == 1 || t == 2; }, pos);
      cont[v] = pos[v] = membro;
    };
    primeiro(s);
    varre(cont, soma, primeiro);
    varre(pos, soma, [&](int v) {
      vizinhos(v, [](int t) { return t != 1; }, pos);
      pos[v] = membro;
    });
    if (conj.size() > 3 && soma > 2.000001) fecha(2.0);
  }
  return r;
}

}  // namespace

// The sweeps over touched vertices give the cuts of full scans, in the same
// order, on random graphs of every density with repeated edges and loops,
// under points full of ties (equal values keep qsort's order), with and
// without room for every cut.
TEST(Clique, IgualAVarreduraCompletaEmGrafosAleatorios) {
  std::mt19937 rng(41);
  const std::vector<std::vector<int>> sinais{{1, -1, 2}, {2}, {-1, 1}, {2, 2, -1}, {1, -1, -1, 2}};
  int cortes = 0;
  for (int caso = 0; caso < 300; caso++) {
    const int n = 1 + static_cast<int>(rng() % 60);
    const double dens = (caso % 10) / 9.0;
    const std::vector<Aresta> a =
        grafoAleatorio(rng, n, dens, sinais[caso % sinais.size()], caso % 3 != 0);
    Ambiente amb(n, a);
    std::vector<double> ponto(n);
    for (double& p : ponto) {
      const double fr[] = {0, 1, 0.5, 0.5, 1.0 / 3, 0.6, 0.25};
      p = caso % 4 == 0 ? std::uniform_real_distribution<double>(0, 1)(rng) : fr[rng() % 7];
    }
    const int ncortes = caso % 7 == 0 ? 190 + static_cast<int>(rng() % 12) : 0;
    const std::vector<CorteSimples> esperado = cliquesPorVarreduraCompleta(amb.grafo, ponto, ncortes);
    const std::vector<Corte> c = separa(amb, ponto, ncortes);
    ASSERT_EQ(c.size(), esperado.size()) << caso;
    for (size_t t = 0; t < c.size(); t++) {
      ASSERT_EQ(c[t].colunas, esperado[t].colunas) << caso << " " << t;
      ASSERT_EQ(c[t].rhs, esperado[t].rhs) << caso << " " << t;
      ASSERT_EQ(c[t].coefs, std::vector<double>(c[t].colunas.size(), 1.0));
    }
    cortes += static_cast<int>(c.size());
  }
  EXPECT_GT(cortes, 300);
}
