// The contracted search's walks: valid in the doubled graph, as long as the
// search says, and crossing each region by as few arcs as a breadth-first
// search from one end finds.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ambiente.h"
#include "separation/grafoContraido.h"

namespace {

bool permitido(int a, const nodo2* arco, int n) {
  const bool mesmaCopia = (a < n) == (arco->vertice < n);
  return (arco->sinal == 1 && mesmaCopia) || (arco->sinal == -1 && !mesmaCopia);
}

// Fewest arcs from a to b through doubled vertices at 1, one copy's rules.
int distanciaNaRegiao(nodo2** gDup, int n, const std::vector<double>& x, int a, int b) {
  std::vector<int> d(2 * n, -1);
  std::vector<int> fila{a};
  d[a] = 0;
  for (size_t i = 0; i < fila.size(); i++)
    for (const nodo2* arco = gDup[fila[i]]; arco != nullptr; arco = arco->prox) {
      const int c = arco->vertice;
      if (d[c] >= 0 || x[c % n] != 1.0 || !permitido(fila[i], arco, n)) continue;
      d[c] = d[fila[i]] + 1;
      fila.push_back(c);
    }
  return d[b];
}

}  // namespace

TEST(GrafoContraido, CaminhosValidosEMaisCurtosPorRegiao) {
  std::mt19937 rng(11);
  int cruzamentos = 0, longos = 0;
  for (int caso = 0; caso < 80; caso++) {
    int n = 0;
    std::vector<Aresta> arestas;
    std::vector<double> x;
    const double fr[] = {0.0, 0.5, 0.75, 0.9};
    if (caso % 2 == 0) {
      n = 20 + static_cast<int>(rng() % 180);
      const double dens = (2.0 + rng() % 10) / n;
      arestas = grafoAleatorio(rng, n, dens,
                               caso % 4 ? std::vector<int>{1, -1} : std::vector<int>{1, -1, 2},
                               caso % 3 == 0);
      for (int v = 0; v < n; v++) x.push_back(rng() % 5 != 0 ? 1.0 : fr[rng() % 4]);
    } else {
      // A grid at 1 of positive edges (a few negative), and fractional
      // vertices tied to two far points of it by a positive and a negative
      // edge: their cycles cross the grid by many fewest-arcs paths.
      const int lado = 4 + static_cast<int>(rng() % 9), fora = 1 + static_cast<int>(rng() % 4);
      n = lado * lado + fora;
      for (int i = 0; i < lado; i++)
        for (int j = 0; j < lado; j++) {
          const int v = i * lado + j;
          if (j + 1 < lado) arestas.push_back({v, v + 1, rng() % 12 ? 1 : -1});
          if (i + 1 < lado) arestas.push_back({v, v + lado, rng() % 12 ? 1 : -1});
        }
      x.assign(n, 1.0);
      for (int k = 0; k < fora; k++) {
        const int f = lado * lado + k;
        arestas.push_back({f, static_cast<int>(rng() % lado), 1});
        arestas.push_back({f, lado * lado - 1 - static_cast<int>(rng() % lado), -1});
        x[f] = fr[1 + rng() % 3];
      }
    }
    Ambiente amb(n, arestas);
    GrafoContraido g;
    g.monta(amb.grafo, x.data());
    BuscaContraida busca;
    std::vector<int> pred(2 * n, -7);
    for (int v = 0; v < n; v++) {
      SCOPED_TRACE(testing::Message() << "caso " << caso << " v " << v);
      const double limiar = 3.0;
      const double L = busca.busca(g, v, n + v, limiar);
      if (!(L < limiar)) continue;
      busca.escreveCaminho(g, v, n + v, pred.data());
      std::vector<int> caminho{n + v};  // backwards
      while (caminho.back() != v) {
        ASSERT_LE(caminho.size(), static_cast<size_t>(2 * n));
        caminho.push_back(pred[caminho.back()]);
      }
      double peso = 0.0;
      for (size_t i = caminho.size() - 1; i > 0; i--) {
        const int a = caminho[i], b = caminho[i - 1];
        bool arco = false;
        for (const nodo2* e = amb.grafo.gDup[a]; e != nullptr && !arco; e = e->prox)
          arco = e->vertice == b && permitido(a, e, n);
        ASSERT_TRUE(arco) << a << " -> " << b;
        peso += 1.0 - x[a % n];
      }
      EXPECT_NEAR(peso, L, 1e-9);
      // Each stretch inside one region: as few arcs as its ends allow.
      for (size_t i = 0; i < caminho.size();) {
        size_t j = i;
        while (j + 1 < caminho.size() && x[caminho[j + 1] % n] == 1.0 &&
               g.no(caminho[j + 1]) == g.no(caminho[i]) && x[caminho[i] % n] == 1.0)
          j++;
        if (j > i) {
          EXPECT_EQ(static_cast<int>(j - i),
                    distanciaNaRegiao(amb.grafo.gDup, n, x, caminho[j], caminho[i]));
          cruzamentos++;
          if (j - i >= 4) longos++;
        }
        i = j + 1;
      }
    }
  }
  EXPECT_GT(cruzamentos, 500);
  EXPECT_GT(longos, 50);
}
