// The graph store as the graph reader builds it: list orders of gMat and gDup,
// counts, repeated edges and loops.
#include <gtest/gtest.h>

#include <random>

#include "graph/grafo.h"
#include "instancias.h"

using Lista = std::vector<std::pair<int, int>>;
using Arcos = std::vector<int>;

class Grafo : public ComArmazem {
 protected:
  void SetUp() override { ::testing::internal::CaptureStdout(); }
  void TearDown() override { saida = ::testing::internal::GetCapturedStdout(); }
  std::string saida;
};

TEST_F(Grafo, ListasDoExemploDeTresVertices) {
  carregaGrafo("3 2\n0 1 -1\n2 1 1\n");
  EXPECT_EQ(nlin, 3);
  EXPECT_EQ(narco, 2);
  EXPECT_EQ(nneg, 1);
  EXPECT_EQ(npos, 1);
  EXPECT_EQ(nduplo, 0);
  EXPECT_EQ(listaMat(0), (Lista{{1, -1}}));
  EXPECT_EQ(listaMat(1), (Lista{{0, -1}, {2, 1}}));
  EXPECT_EQ(listaMat(2), (Lista{{1, 1}}));
  EXPECT_EQ(listaDup(0), (Arcos{4, 1}));
  EXPECT_EQ(listaDup(1), (Arcos{5, 2, 3, 0}));
  EXPECT_EQ(listaDup(2), (Arcos{4, 1}));
  EXPECT_EQ(listaDup(3), (Arcos{1, 4}));
  EXPECT_EQ(listaDup(4), (Arcos{2, 5, 0, 3}));
  EXPECT_EQ(listaDup(5), (Arcos{1, 4}));
  for (int v = 0; v < 6; v++)
    for (nodo2* p = gDup[v]; p; p = p->prox) EXPECT_EQ(p->sinal, (v % 3 == 0 || p->vertice % 3 == 0) ? -1 : 1);
}

TEST_F(Grafo, ImprimeAsContagensDoCabecalho) {
  carregaGrafo("3 2 0 1 -1 2 1 1");
  ::testing::internal::GetCapturedStdout();
  ::testing::internal::CaptureStdout();
  carregaGrafo("3 2 0 1 -1 2 1 1");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Entrando diretamente com grafo.\nnumero de vertices: 3\nnumero de arcos: 2\n");
  ::testing::internal::CaptureStdout();
}

TEST_F(Grafo, OrdemDosRegistrosNaoMudaAsListas) {
  carregaGrafo("4 4\n3 0 1\n0 2 -1\n1 0 2\n2 3 1\n");
  const std::vector<Lista> mat{listaMat(0), listaMat(1), listaMat(2), listaMat(3)};
  std::vector<Arcos> dup;
  for (int v = 0; v < 8; v++) dup.push_back(listaDup(v));
  carregaGrafo("4 4\n2 3 1\n1 0 2\n3 0 1\n0 2 -1\n");
  for (int v = 0; v < 4; v++) EXPECT_EQ(listaMat(v), mat[v]) << v;
  for (int v = 0; v < 8; v++) EXPECT_EQ(listaDup(v), dup[v]) << v;
  EXPECT_EQ(mat[0], (Lista{{1, 2}, {2, -1}, {3, 1}}));
  // First copy: per neighbour in descending order, the arc to its copy and
  // then to the neighbour itself; second copy the other way round.
  EXPECT_EQ(dup[0], (Arcos{7, 3, 6, 2, 5, 1}));
  EXPECT_EQ(dup[4], (Arcos{3, 7, 2, 6, 1, 5}));
}

TEST_F(Grafo, ArestaRepetidaFicaDuasVezesNaOrdemDeEntrada) {
  carregaGrafo("3 3\n0 1 1\n1 2 -1\n1 0 -1\n");
  EXPECT_EQ(listaMat(0), (Lista{{1, 1}, {1, -1}}));
  EXPECT_EQ(listaMat(1), (Lista{{0, 1}, {0, -1}, {2, -1}}));
  EXPECT_EQ(npos, 1);
  EXPECT_EQ(nneg, 2);
  // Each copy of the edge gives its own eight arcs.
  EXPECT_EQ(listaDup(0), (Arcos{4, 1, 4, 1}));
  EXPECT_EQ(listaDup(3), (Arcos{1, 4, 1, 4}));
}

TEST_F(Grafo, LacoPositivoSoEntraEmGMat) {
  carregaGrafo("2 2\n1 1 1\n0 1 -1\n");
  EXPECT_EQ(listaMat(1), (Lista{{0, -1}, {1, 1}, {1, 1}}));
  EXPECT_EQ(npos, 1);
  EXPECT_EQ(listaDup(1), (Arcos{2, 0}));
  EXPECT_EQ(listaDup(3), (Arcos{0, 2}));
}

TEST_F(Grafo, SemArestasOuSemVertices) {
  carregaGrafo("4 0\n");
  EXPECT_EQ(narco, 0);
  for (int v = 0; v < 8; v++) EXPECT_EQ(gDup[v], nullptr);
  carregaGrafo("0 0");
  EXPECT_EQ(nlin, 0);
  EXPECT_NE(gMat, nullptr);
  EXPECT_NE(gDup, nullptr);
}

TEST_F(Grafo, SinalForaDoPadraoAindaGeraOitoArcos) {
  // The store itself keeps any sign; only the reader refuses such input.
  usa(GrafoSimples::deRegistros(2, {{0, 1, 3}}));
  int arcos = 0;
  for (int v = 0; v < 4; v++)
    for (nodo2* p = gDup[v]; p; p = p->prox, arcos++) EXPECT_EQ(p->sinal, 3);
  EXPECT_EQ(arcos, 8);
}

TEST_F(Grafo, ListasMontadasDeUmaVezIguaisAInsercaoUmAUm) {
  // The store builds every list at once; inserting record after record,
  // each end after every element whose neighbour is not greater, is the
  // plain way, and both must give the same lists, repeats and loops
  // included.
  std::mt19937 rng(17);
  for (int caso = 0; caso < 60; caso++) {
    const int n = 1 + static_cast<int>(rng() % 15);
    const int m = static_cast<int>(rng() % 60);
    std::vector<ArestaSinal> registros;
    for (int k = 0; k < m; k++) {
      const int u = static_cast<int>(rng() % n), w = static_cast<int>(rng() % n);
      const int sinais[] = {1, -1, 2};
      registros.push_back({u, w, u == w ? 1 : sinais[rng() % 3]});
    }
    std::vector<Lista> umAUm(n);
    auto insere = [&](int v, int vizinho, int sinal) {
      Lista& l = umAUm[v];
      auto p = l.begin();
      while (p != l.end() && p->first <= vizinho) ++p;
      l.insert(p, {vizinho, sinal});
    };
    for (const ArestaSinal& a : registros) {
      insere(a.u, a.w, a.sinal);
      insere(a.w, a.u, a.sinal);
    }
    usa(GrafoSimples::deRegistros(n, registros));
    for (int v = 0; v < n; v++) ASSERT_EQ(listaMat(v), umAUm[v]) << "caso " << caso << " v " << v;
  }
}

TEST_F(Grafo, OLeitorGuardaOsRegistrosComoLidos) {
  // The store follows the records, not the simple graph they make.
  const GrafoSimples g = carregaGrafo("3 4\n2 1 1\n0 1 -1\n1 2 -1\n1 1 1\n");
  ASSERT_TRUE(g.temRegistros());
  ASSERT_EQ(g.registros().size(), 4u);
  EXPECT_EQ(g.registros()[0].u, 2);
  EXPECT_EQ(g.registros()[2].sinal, -1);
  EXPECT_EQ(g.numArestas(), 2);
  EXPECT_EQ(g.sinal(1, 2), 2);
  EXPECT_EQ(narco, 4);
  EXPECT_EQ(listaMat(1), (Lista{{0, -1}, {1, 1}, {1, 1}, {2, 1}, {2, -1}}));
}
