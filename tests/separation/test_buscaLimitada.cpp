// The separators' search against dijkstraS_T: same result and the same
// predecessors at every vertex the reference labels (so the same walk back
// from the target) whenever the result is below the threshold, and a result
// not below it otherwise; on doubled graphs under the separators' weights and
// on weights full of exact and near ties.  The searches reuse their pred
// arrays, as the separators do, so stale entries of earlier searches stay.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <random>

#include "separation/ambiente.h"
#include "separation/buscaLimitada.h"
#include "separation/dijkstra.h"

namespace {

// Weights of four kinds over the arcs of gDup; returns the least one.
double pesosAleatorios(Armazem& grafo, std::mt19937& rng, int tipo, const std::vector<double>& ponto) {
  const int n = grafo.nlin;
  nodo2** const gDup = grafo.gDup;
  std::uniform_real_distribution<double> U(0, 1);
  const double quase[] = {0, 0.25e-6, 0.5e-6, 1e-6, 1.5e-6, 2e-6, 0.1, 0.1 + 0.7e-6, 0.3};
  double menor = std::numeric_limits<double>::infinity();
  for (int u = 0; u < 2 * n; u++) {
    for (nodo2* a = gDup[u]; a != nullptr; a = a->prox) {
      const bool mesma = (u < n) == (a->vertice < n);
      const double xu = ponto[u % n], xw = ponto[a->vertice % n];
      if (tipo == 0)  // odd negative cycles
        a->peso = ((a->sinal == 1 && mesma) || (a->sinal == -1 && !mesma)) ? 1 - xu : 2.0 * n;
      else if (tipo == 1)  // cycles of double edges (weights may be negative)
        a->peso = (a->sinal == 2 && !mesma) ? (1 - xu - xw) * 0.5 : 2.0 * n;
      else if (tipo == 2)  // near ties everywhere
        a->peso = quase[rng() % 9];
      else
        a->peso = U(rng) < 0.2 ? 2.0 * n : U(rng) * 0.4;
      menor = std::min(menor, a->peso);
    }
  }
  return menor;
}

// What a caller may read of pred after a hit: the entries of the vertices
// the reference labelled (pred not -1 there, or the source), and so the walk
// from the target back to the source.
testing::AssertionResult mesmosPredecessores(const std::vector<int>& ref, const std::vector<int>& p,
                                            int s, int t) {
  if (p[s] != -1) return testing::AssertionFailure() << "pred[source] = " << p[s];
  for (size_t v = 0; v < ref.size(); v++)
    if (ref[v] != -1 && p[v] != ref[v])
      return testing::AssertionFailure() << "pred[" << v << "] = " << p[v] << ", not " << ref[v];
  if (ref[t] == -1 && t != s) return testing::AssertionSuccess();
  size_t passos = 0;
  for (int c = t; c != s; c = p[c])
    if (c < 0 || ++passos > p.size()) return testing::AssertionFailure() << "walk from " << t;
  return testing::AssertionSuccess();
}

// Every case runs with the awake vertices in the heap from the start, with
// a scan of the first few in index order that moves to the heap in the
// middle of most searches (both as on big graphs), and with the bit set of
// small graphs (-1).
class BuscaLimitada : public testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    buscador_ = GetParam() < 0 ? std::make_unique<BuscadorLimitado>(128, 1 << 30)
                               : std::make_unique<BuscadorLimitado>(GetParam(), 0);
  }
  double busca(int source, int target, const GrafoCompacto& g, int* pred, double limiar) {
    return buscador_->busca(source, target, g, pred, limiar);
  }
  std::unique_ptr<BuscadorLimitado> buscador_;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Modos, BuscaLimitada, testing::Values(0, 6, -1));

TEST_P(BuscaLimitada, MesmasEscolhasQueDijkstraST) {
  std::mt19937 rng(23);
  int acertos = 0, buscas = 0;
  for (int caso = 0; caso < 120; caso++) {
    const int n = 4 + static_cast<int>(rng() % 36);
    const double dens = 0.05 + 0.5 * (rng() % 100) / 100.0;
    Ambiente amb(n, grafoAleatorio(rng, n, dens, {1, -1, 2}, caso % 2 == 1));
    nodo2** const gDup = amb.grafo.gDup;
    for (int tipo = 0; tipo < 4; tipo++) {
      std::vector<double> ponto(n);
      for (double& p : ponto) {
        const double fr[] = {0, 1, 0.5, 0.9, 0.45, 1.0 / 3};
        p = rng() % 2 ? fr[rng() % 6] : std::uniform_real_distribution<double>(0, 1)(rng);
      }
      const double menor = pesosAleatorios(amb.grafo, rng, tipo, ponto);
      const double bound = tipo == 1 ? 0.5 : tipo == 3 && caso % 3 == 0 ? 0.05 : 1.0;
      const double limiar = tipo == 1 ? 0.499999 : 0.999999;
      GrafoCompacto g;
      compactaGrafo(gDup, 2 * n, bound, menor, g);
      std::vector<int> p1(2 * n), p2(2 * n, 8), p3(2 * n, 9);
      for (int v = 0; v < n; v++) {
        SCOPED_TRACE(testing::Message() << "caso " << caso << " tipo " << tipo << " v " << v);
        const double L1 = dijkstraS_T(v, n + v, gDup, 2 * n, p1.data(), bound);
        const double L2 =
            busca(v, n + v, g, p2.data(), std::numeric_limits<double>::infinity());
        ASSERT_EQ(L1, L2);
        ASSERT_TRUE(mesmosPredecessores(p1, p2, v, n + v));
        const double L3 = busca(v, n + v, g, p3.data(), limiar);
        buscas++;
        if (L1 < limiar) {
          acertos++;
          ASSERT_EQ(L1, L3);
          ASSERT_TRUE(mesmosPredecessores(p1, p3, v, n + v));
        } else {
          ASSERT_GE(L3, limiar);
          ASSERT_LE(L3, L1);
        }
      }
    }
  }
  EXPECT_GT(acertos, buscas / 20);
}

// Other sources and targets than a vertex and its copy, and odd bounds.
TEST_P(BuscaLimitada, OrigensEDestinosQuaisquer) {
  std::mt19937 rng(29);
  for (int caso = 0; caso < 150; caso++) {
    const int n = 2 + static_cast<int>(rng() % 15);
    Ambiente amb(n, grafoAleatorio(rng, n, 0.4, {1, -1, 2}, false));
    nodo2** const gDup = amb.grafo.gDup;
    std::vector<double> ponto(n, 0.5);
    const double menor = pesosAleatorios(amb.grafo, rng, 2 + caso % 2, ponto);
    const double bounds[] = {0.0, -1.0, 2e-7, 0.01, 1.0, 2.0 * n};
    std::vector<int> p1(2 * n), p2(2 * n, 5);
    for (double bound : bounds) {
      const int s = static_cast<int>(rng() % (2 * n)), t = static_cast<int>(rng() % (2 * n));
      const double L1 = dijkstraS_T(s, t, gDup, 2 * n, p1.data(), bound);
      GrafoCompacto g;
      compactaGrafo(gDup, 2 * n, bound, menor, g);
      const double L2 =
          busca(s, t, g, p2.data(), std::numeric_limits<double>::infinity());
      ASSERT_EQ(L1, L2) << caso << " " << bound;
      ASSERT_TRUE(mesmosPredecessores(p1, p2, s, t)) << caso << " " << bound;
    }
  }
}

// Labels crowd around the threshold, a few 1e-6 apart, so that the choice
// near the threshold decides hits and walks.
TEST_P(BuscaLimitada, RotulosAglomeradosNoLimiar) {
  std::mt19937 rng(31);
  int acertos = 0, buscas = 0;
  for (int caso = 0; caso < 120; caso++) {
    const int n = 3 + static_cast<int>(rng() % 12);
    Ambiente amb(n, grafoAleatorio(rng, n, 0.6, {1, -1, 2}, false));
    nodo2** const gDup = amb.grafo.gDup;
    const double passo[] = {0, 0.5e-6, -0.5e-6, 1e-6, -1e-6, 1.5e-6, 2e-6, -2e-6};
    const double base = caso % 2 ? 0.25 : 1.0 / 3;
    for (int u = 0; u < 2 * n; u++)
      for (nodo2* a = gDup[u]; a != nullptr; a = a->prox)
        a->peso = rng() % 6 == 0 ? passo[rng() % 2] : base + passo[rng() % 8];
    GrafoCompacto g;
    compactaGrafo(gDup, 2 * n, 1.0, -2e-6, g);
    GrafoCompacto gPos;
    std::vector<int> p1(2 * n), p3(2 * n, 6);
    for (int k = -8; k <= 8; k++) {
      const double limiar = base * (caso % 2 ? 4 : 3) + k * 0.5e-6;
      for (int v = 0; v < n; v++) {
        const double L1 = dijkstraS_T(v, n + v, gDup, 2 * n, p1.data(), 1.0);
        const double L3 = busca(v, n + v, g, p3.data(), limiar);
        buscas++;
        if (L1 < limiar) {
          acertos++;
          ASSERT_EQ(L1, L3) << caso << " " << k << " " << v;
          ASSERT_TRUE(mesmosPredecessores(p1, p3, v, n + v)) << caso << " " << k << " " << v;
        } else {
          ASSERT_GE(L3, limiar) << caso << " " << k << " " << v;
        }
      }
    }
  }
  EXPECT_GT(acertos, buscas / 10);
}

// A label just past the low ones, met first in index order, blocks the next
// vertex (within 1e-6 of it) and lets the least one through: the scan must
// see it.  From 0: 1 at 1 + 1.75e-6, 2 at 1 + 0.85e-6, 3 at 1 - 0.1e-6; the
// scan keeps 1, skips 2 and ends on 3, so the target 4 is reached from 3
// below the threshold 1.
TEST_P(BuscaLimitada, RotuloLogoAcimaDosBaixosContaNaEscolha) {
  std::vector<nodo2> arcos{{1, 1, 1 + 1.75e-6, nullptr}, {2, 1, 1 + 0.85e-6, nullptr},
                           {3, 1, 1 - 0.1e-6, nullptr}, {4, 1, 0.0, nullptr},
                           {4, 1, 0.0, nullptr}};
  arcos[0].prox = &arcos[1];
  arcos[1].prox = &arcos[2];
  nodo2* listas[5] = {&arcos[0], nullptr, &arcos[3], &arcos[4], nullptr};
  std::vector<int> p1(5), p3(5);
  const double L1 = dijkstraS_T(0, 4, listas, 5, p1.data(), 1.0);
  ASSERT_EQ(p1[4], 3);
  GrafoCompacto g;
  compactaGrafo(listas, 5, 1.0, 0.0, g);
  EXPECT_EQ(busca(0, 4, g, p3.data(), 1.0), L1);
  EXPECT_TRUE(mesmosPredecessores(p1, p3, 0, 4));
}

// Near-integral points: long runs of zero-weight arcs make big groups of
// equal labels, and labels just under and over the threshold put vertices to
// sleep and wake them again; negative weights (double edges over 1) widen the
// sleepers' floor.
TEST_P(BuscaLimitada, PontosQuaseInteirosERotulosNoPiso) {
  std::mt19937 rng(37);
  int acertos = 0, buscas = 0;
  const double valores[] = {0, 1, 1, 1, 1 - 1e-7, 1e-7, 0.5, 0.5 + 0.4e-6, 0.5 - 0.6e-6,
                            0.25, 1e-6, 1 - 1e-6, 0.6};
  for (int caso = 0; caso < 150; caso++) {
    const int n = 4 + static_cast<int>(rng() % 30);
    Ambiente amb(n, grafoAleatorio(rng, n, 0.1 + 0.4 * (rng() % 100) / 100.0, {1, -1, 2},
                                 caso % 2 == 1));
    nodo2** const gDup = amb.grafo.gDup;
    for (int tipo = 0; tipo < 2; tipo++) {
      std::vector<double> ponto(n);
      for (double& p : ponto) p = valores[rng() % 13];
      const double menor = pesosAleatorios(amb.grafo, rng, tipo, ponto);
      const double bound = tipo == 1 ? 0.5 : 1.0;
      GrafoCompacto g;
      compactaGrafo(gDup, 2 * n, bound, menor, g);
      std::vector<int> p1(2 * n), p3(2 * n, 4);
      for (double limiar : {tipo == 1 ? 0.499999 : 0.999999, 0.5, 1.0, 0.25 + 0.5e-6}) {
        for (int v = 0; v < n; v++) {
          const double L1 = dijkstraS_T(v, n + v, gDup, 2 * n, p1.data(), bound);
          const double L3 = busca(v, n + v, g, p3.data(), limiar);
          buscas++;
          if (L1 < limiar) {
            acertos++;
            ASSERT_EQ(L1, L3) << caso << " " << tipo << " " << limiar << " " << v;
            ASSERT_TRUE(mesmosPredecessores(p1, p3, v, n + v))
                << caso << " " << tipo << " " << limiar << " " << v;
          } else {
            ASSERT_GE(L3, limiar) << caso << " " << tipo << " " << limiar << " " << v;
            ASSERT_LE(L3, L1) << caso << " " << tipo << " " << limiar << " " << v;
          }
        }
      }
    }
  }
  EXPECT_GT(acertos, buscas / 20);
}

// A vertex that can only lead past the threshold (1 at 0.1, its one arc
// 0.9000008 long) gives 4 a label just over the sleepers' floor, which
// blocks 2's try, so that 3's later label 0.9999997 gets through and 4 hits
// the target 5 under the threshold 1.  A search that skipped 1's arcs would
// see 2's label on 4 block 3's: it must notice and search again in full.
TEST_P(BuscaLimitada, ArcosPuladosNaoMudamUmAcerto) {
  std::vector<nodo2> arcos{{1, 1, 0.1, nullptr},       {2, 1, 0.2, nullptr},
                           {4, 1, 0.9000008, nullptr}, {4, 1, 0.8000006, nullptr},
                           {3, 1, 0.1, nullptr},       {4, 1, 0.6999997, nullptr},
                           {5, 1, 0.0, nullptr}};
  arcos[0].prox = &arcos[1];
  arcos[3].prox = &arcos[4];
  nodo2* listas[6] = {&arcos[0], &arcos[2], &arcos[3], &arcos[5], &arcos[6], nullptr};
  std::vector<int> p1(6), p3(6);
  const double L1 = dijkstraS_T(0, 5, listas, 6, p1.data(), 1.0);
  ASSERT_LT(L1, 1.0);
  ASSERT_EQ(p1[4], 3);
  GrafoCompacto g;
  compactaGrafo(listas, 6, 1.0, 0.0, g);
  EXPECT_EQ(busca(0, 5, g, p3.data(), 1.0), L1);
  EXPECT_TRUE(mesmosPredecessores(p1, p3, 0, 5));
}

// Near groups that chain far past the least label: a star of arcs whose
// weights climb in steps under the tolerance (so the group reaches well
// beyond least + 1e-6), mixed with runs of exact ties and steps just over
// it, given to the vertices in shuffled order; then a second layer, so that
// choices inside the group decide the predecessors.
TEST_P(BuscaLimitada, GruposEncadeadosAlemDaTolerancia) {
  std::mt19937 rng(59);
  for (int caso = 0; caso < 200; caso++) {
    const int k = 3 + static_cast<int>(rng() % 40), n = k + 2;
    std::vector<double> pesos;
    double w = 0.2;
    for (int i = 0; i < k; i++) {
      pesos.push_back(w);
      const double passos[] = {0, 0, 0.3e-6, 0.9e-6, 1e-6, 1.1e-6, 0.5e-6};
      w += passos[rng() % 7];
    }
    std::shuffle(pesos.begin(), pesos.end(), rng);
    std::vector<nodo2> arcos;
    arcos.reserve(3 * k);
    std::vector<nodo2*> listas(n, nullptr);
    auto arco = [&](int u, int v, double p) {
      arcos.push_back({v, 1, p, listas[u]});
      listas[u] = &arcos.back();
    };
    for (int i = 0; i < k; i++) arco(0, 1 + i, pesos[i]);
    for (int i = 0; i < k; i++) {
      const double extra[] = {0.3, 0.3 + 0.5e-6, 0.3 - 0.7e-6, 0.3 + 2e-6};
      arco(1 + i, k + 1, extra[rng() % 4]);
      if (rng() % 3 == 0) arco(1 + i, 1 + static_cast<int>(rng() % k), 1e-7 * (rng() % 12));
    }
    std::vector<int> p1(n), p3(n, 3);
    const double L1 = dijkstraS_T(0, k + 1, listas.data(), n, p1.data(), 1.0);
    GrafoCompacto g;
    compactaGrafo(listas.data(), n, 1.0, 0.0, g);
    for (double limiar : {std::numeric_limits<double>::infinity(), 0.5 + 1e-6, 0.5}) {
      const double L3 = busca(0, k + 1, g, p3.data(), limiar);
      if (L1 < limiar) {
        ASSERT_EQ(L3, L1) << caso;
        ASSERT_TRUE(mesmosPredecessores(p1, p3, 0, k + 1)) << caso;
      } else {
        ASSERT_GE(L3, limiar) << caso;
      }
    }
  }
}
