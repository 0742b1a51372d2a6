// The doubled-graph shortest path: tolerance, tie-breaks, cap, early stop,
// and agreement with a plain full-scan search on random graphs.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "separation/dijkstra.h"

namespace {

// A graph of `count` lists whose arcs are pushed at the head, like gDup.
struct Grafo {
  explicit Grafo(int count) : listas(count, nullptr) {}
  void arco(int u, int v, double peso) {
    arcos.push_back(std::make_unique<nodo2>(nodo2{v, 1, peso, listas[u]}));
    listas[u] = arcos.back().get();
  }
  nodo2** g() { return listas.data(); }
  int n() const { return static_cast<int>(listas.size()); }
  std::vector<nodo2*> listas;
  std::vector<std::unique_ptr<nodo2>> arcos;
};

struct Resultado {
  bool operator==(const Resultado&) const = default;
  double valor;
  std::vector<int> pred;
};

Resultado busca(Grafo& g, int s, int t, double bound) {
  Resultado r{0.0, std::vector<int>(g.n(), 7)};
  r.valor = dijkstraS_T(s, t, g.g(), g.n(), r.pred.data(), bound);
  return r;
}

// The search as first written: a scan over every vertex at each step.
Resultado buscaSimples(Grafo& g, int s, int t, double bound) {
  const int n = g.n();
  const double C = n * bound, T = 1e-6;
  std::vector<int> fechado(n, 0), pred(n, -1);
  std::vector<double> d(n, C);
  d[s] = 0;
  while (!fechado[t]) {
    double m = C;
    int u = -1;
    for (int v = 0; v < n; v++)
      if (!fechado[v] && m > d[v] + T) m = d[v], u = v;
    if (u < 0) {
      d[t] = 2.0 * n + 2;
      break;
    }
    fechado[u] = 1;
    for (nodo2* a = g.listas[u]; a; a = a->prox)
      if (d[a->vertice] > d[u] + a->peso + T && !fechado[a->vertice])
        d[a->vertice] = d[u] + a->peso, pred[a->vertice] = u;
  }
  return {d[t], pred};
}

}  // namespace

TEST(Dijkstra, OrigemIgualAoDestinoDaZeroERelaxaSeusArcos) {
  Grafo g(3);
  g.arco(1, 2, 0.5);
  const Resultado r = busca(g, 1, 1, 1.0);
  EXPECT_EQ(r.valor, 0.0);
  EXPECT_EQ(r.pred, (std::vector<int>{-1, -1, 1}));
}

TEST(Dijkstra, LimiteNuloOuMinusculoNaoEscolheNemAOrigem) {
  Grafo g(4);
  g.arco(0, 1, 0.0);
  for (double bound : {0.0, -1.0, 2e-7}) {
    const Resultado r = busca(g, 0, 0, bound);
    EXPECT_EQ(r.valor, 10.0) << bound;
    EXPECT_EQ(r.pred, (std::vector<int>(4, -1))) << bound;
  }
}

TEST(Dijkstra, DestinoInalcancavelDevolve2CountMais2) {
  Grafo g(4);
  g.arco(0, 1, 0.25);
  g.arco(1, 2, 0.25);
  const Resultado r = busca(g, 0, 3, 1.0);
  EXPECT_EQ(r.valor, 10.0);
  EXPECT_EQ(r.pred, (std::vector<int>{-1, 0, 1, -1}));
}

TEST(Dijkstra, CaminhoMaisCurtoEPredecessores) {
  Grafo g(5);
  g.arco(0, 1, 1.0);
  g.arco(0, 2, 0.25);
  g.arco(2, 1, 0.25);
  g.arco(1, 4, 0.25);
  g.arco(2, 4, 1.5);
  const Resultado r = busca(g, 0, 4, 1.0);
  EXPECT_DOUBLE_EQ(r.valor, 0.75);
  EXPECT_EQ(r.pred[4], 1);
  EXPECT_EQ(r.pred[1], 2);
  EXPECT_EQ(r.pred[2], 0);
}

TEST(Dijkstra, EmpateDentroDaToleranciaFicaComOPrimeiroFechado) {
  // Two paths to 4, through 1 (0.5) and through 2 (0.5 - 5e-7): 1 is settled
  // first (index order among near-equal labels), so 4 keeps 1 as predecessor.
  Grafo g(5);
  g.arco(0, 1, 0.25);
  g.arco(0, 2, 0.25 - 5e-7);
  g.arco(1, 4, 0.25);
  g.arco(2, 4, 0.25);
  Resultado r = busca(g, 0, 4, 1.0);
  EXPECT_EQ(r.pred[4], 1);
  EXPECT_DOUBLE_EQ(r.valor, 0.5);
  // Beyond the tolerance the shorter one wins.
  g.listas[0]->peso = 0.25 - 2e-6;
  r = busca(g, 0, 4, 1.0);
  EXPECT_EQ(r.pred[4], 2);
}

TEST(Dijkstra, SelecaoEncadeadaComTolerancia) {
  // Labels 0.3, 0.3 - 6e-7, 0.3 - 1.2e-6 on 1, 2, 3: the running minimum only
  // moves by more than the tolerance, so 1 is passed over for 3 but 2 is not
  // taken over 1.  Each feeds the target with the same total, so the first
  // settled vertex shows up as the target's predecessor.
  Grafo g(5);
  g.arco(0, 1, 0.3);
  g.arco(0, 2, 0.3 - 6e-7);
  g.arco(0, 3, 0.3 - 1.2e-6);
  for (int v = 1; v <= 3; v++) g.arco(v, 4, 0.1);
  const Resultado r = busca(g, 0, 4, 1.0);
  EXPECT_EQ(r.pred[4], 3);
  EXPECT_EQ(r, buscaSimples(g, 0, 4, 1.0));
}

TEST(Dijkstra, ArcoDePeso2nNuncaEntraComLimite1) {
  // count 4 (n 2), bound 1: the cap 4 equals the weight 2n of the arc.
  Grafo g(4);
  g.arco(0, 3, 4.0);
  g.arco(0, 1, 0.5);
  Resultado r = busca(g, 0, 3, 1.0);
  EXPECT_EQ(r.valor, 10.0);
  EXPECT_EQ(r.pred[3], -1);
  // With bound 2n the cap 16 lets it in.
  r = busca(g, 0, 3, 4.0);
  EXPECT_EQ(r.valor, 4.0);
  EXPECT_EQ(r.pred[3], 0);
}

TEST(Dijkstra, CaminhoLogoAbaixoDoTetoEAceito) {
  Grafo g(2);
  g.arco(0, 1, 1.0 - 2e-6);  // cap 1.0: more than the tolerance below it
  EXPECT_DOUBLE_EQ(busca(g, 0, 1, 0.5).valor, 1.0 - 2e-6);
  g.listas[0]->peso = 1.0 - 5e-7;  // within the tolerance of the cap
  EXPECT_EQ(busca(g, 0, 1, 0.5).valor, 6.0);
}

TEST(Dijkstra, ParaAssimQueODestinoEFechado) {
  // 3 lies beyond the target; its predecessor is never set.
  Grafo g(4);
  g.arco(0, 1, 0.1);
  g.arco(0, 2, 0.5);
  g.arco(2, 3, 0.1);
  const Resultado r = busca(g, 0, 1, 1.0);
  EXPECT_DOUBLE_EQ(r.valor, 0.1);
  EXPECT_EQ(r.pred, (std::vector<int>{-1, 0, 0, -1}));
  // The target's own arcs are relaxed before the stop.
  g.arco(1, 3, 0.1);
  EXPECT_EQ(busca(g, 0, 1, 1.0).pred[3], 1);
}

TEST(Dijkstra, ConcordaComABuscaSimplesEmGrafosAleatorios) {
  // Coarse weights plus offsets in steps of 3e-7 to 9e-7 build runs of labels
  // that are near, equal or chained within the tolerance of each other.
  std::mt19937 gerador(12345);
  for (int caso = 0; caso < 1500; caso++) {
    const int n = 2 + static_cast<int>(gerador() % 40);
    Grafo g(n);
    const int m = static_cast<int>(gerador() % (4 * n));
    const double passo = (3 + static_cast<int>(gerador() % 7)) * 1e-7;
    for (int k = 0; k < m; k++) {
      const int u = static_cast<int>(gerador() % n), v = static_cast<int>(gerador() % n);
      double w = static_cast<double>(gerador() % 5) / 4.0;
      if (gerador() % 2 == 0) w += static_cast<double>(gerador() % 7) * passo;
      if (gerador() % 7 == 0) w = n;
      g.arco(u, v, w);
    }
    const int s = static_cast<int>(gerador() % n);
    const int t = gerador() % 2 ? static_cast<int>(gerador() % n) : s;
    for (double bound : {1.0, 0.5, static_cast<double>(n)}) {
      const Resultado esperado = buscaSimples(g, s, t, bound);
      const Resultado obtido = busca(g, s, t, bound);
      ASSERT_EQ(obtido.valor, esperado.valor) << caso << " " << bound;
      ASSERT_EQ(obtido.pred, esperado.pred) << caso << " " << bound;
    }
  }
}

TEST(Dijkstra, CadeiaDeRotulosProximosEmOrdemDeIndice) {
  // Labels 1.0000015 (1), 1.0000008 (2), 1.0 (3) and a far 3.0 (0): the scan
  // passes 0 and takes 1, then 3 (more than the tolerance below 1) but not 2.
  Grafo g(6);
  g.arco(5, 0, 3.0);
  g.arco(5, 1, 1.0000015);
  g.arco(5, 2, 1.0000008);
  g.arco(5, 3, 1.0);
  for (int v = 0; v < 4; v++) g.arco(v, 4, 1.0);
  const Resultado r = busca(g, 5, 4, 1.0);
  EXPECT_EQ(r.pred[4], 3);
  EXPECT_EQ(r, buscaSimples(g, 5, 4, 1.0));
  // Without 1 the chain starts at 2, and 3 is within the tolerance of it.
  g.listas[5]->prox->prox->peso = 2.5;
  EXPECT_EQ(busca(g, 5, 4, 1.0).pred[4], 2);
}
