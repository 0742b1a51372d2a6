// The reduction against brute force: the fixed value plus the pieces'
// optima is the input's optimum, and rebuilding from balanced sets of the
// pieces gives a balanced set of the input of the size promised; random
// graphs of all densities, glued small blocks, a case made for each rule,
// large sparse graphs and a deadline already past.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>
#include <string>

#include "graph/forcaBruta.h"
#include "reduction/Reducao.h"

namespace {

using Contagem = std::map<std::string, int64_t>;

Contagem contagem(const Reducao& r) {
  Contagem c;
  for (const auto& [regra, vezes] : r.contagens()) c[regra] = vezes;
  return c;
}

// A maximum balanced set of a small graph, as a mask.
unsigned long otimoBruto(int n, const std::vector<ArestaSinal>& arestas) {
  unsigned long melhor = 0;
  for (unsigned long mask = 0; mask < (1ul << n); mask++)
    if (__builtin_popcountl(mask) > __builtin_popcountl(melhor) &&
        equilibradoBruto(n, arestas, mask))
      melhor = mask;
  return melhor;
}

// A random maximal balanced set, far from optimal as a rule.
std::vector<char> equilibradoAoAcaso(const GrafoSimples& g, std::mt19937& rng) {
  const int n = g.numVertices();
  std::vector<int> ordem(n);
  for (int v = 0; v < n; v++) ordem[v] = v;
  std::shuffle(ordem.begin(), ordem.end(), rng);
  std::vector<char> escolhido(n, 0);
  for (const int v : ordem) {
    escolhido[v] = 1;
    if (!equilibrado(g, escolhido)) escolhido[v] = 0;
  }
  return escolhido;
}

bool conexo(const GrafoSimples& g) {
  std::vector<char> visto(g.numVertices(), 0);
  std::vector<int> fila{0};
  visto[0] = 1;
  for (size_t i = 0; i < fila.size(); i++)
    for (const int w : g.vizinhos(fila[i]))
      if (!visto[w]) {
        visto[w] = 1;
        fila.push_back(w);
      }
  return static_cast<int>(fila.size()) == g.numVertices();
}

// Pieces: connected, ascending, covering what the rules left.
void confereForma(int n, const Reducao& r) {
  int restantes = 0;
  for (const Peca& p : r.pecas()) {
    ASSERT_GT(p.grafo.numVertices(), 0);
    ASSERT_EQ(p.original.size(), static_cast<size_t>(p.grafo.numVertices()));
    EXPECT_TRUE(conexo(p.grafo));
    for (size_t j = 0; j < p.original.size(); j++) {
      EXPECT_TRUE(p.original[j] >= 0 && p.original[j] < n);
      if (j > 0) {
        EXPECT_LT(p.original[j - 1], p.original[j]);
      }
    }
    restantes += p.grafo.numVertices();
  }
  EXPECT_EQ(r.verticesFixados() + restantes, n);
}

// The whole check against brute force (n up to about 16).
void confere(int n, const std::vector<ArestaSinal>& arestas, const Reducao& r,
             std::mt19937& rng) {
  confereForma(n, r);
  const int otimo = otimoForcaBruta(n, arestas);
  std::vector<std::vector<char>> otimos, quaisquer;
  int somaOtimos = 0, somaQuaisquer = 0;
  for (const Peca& p : r.pecas()) {
    const int k = p.grafo.numVertices();
    const unsigned long m = otimoBruto(k, p.grafo.arestas());
    otimos.emplace_back(k);
    for (int v = 0; v < k; v++) otimos.back()[v] = (m >> v) & 1;
    somaOtimos += __builtin_popcountl(m);
    quaisquer.push_back(equilibradoAoAcaso(p.grafo, rng));
    somaQuaisquer += __builtin_popcountl(mascara(quaisquer.back()));
  }
  ASSERT_EQ(r.valorFixo() + somaOtimos, otimo);
  const unsigned long s = mascara(r.reconstroi(otimos));
  EXPECT_TRUE(equilibradoBruto(n, arestas, s));
  EXPECT_EQ(__builtin_popcountl(s), otimo);
  const unsigned long q = mascara(r.reconstroi(quaisquer));
  EXPECT_TRUE(equilibradoBruto(n, arestas, q));
  EXPECT_EQ(__builtin_popcountl(q), r.valorFixo() + somaQuaisquer);
}

Contagem confereCaso(int n, const std::vector<ArestaSinal>& arestas) {
  std::mt19937 rng(n);
  const Reducao r(GrafoSimples(n, arestas));
  confere(n, arestas, r, rng);
  return contagem(r);
}

// Small blocks (2 to 6 vertices, dense, any signs) glued one by one at a
// vertex already there: many leaf blocks and cut vertices.
std::vector<ArestaSinal> blocosColados(std::mt19937& rng, int n) {
  std::uniform_real_distribution<double> U(0, 1);
  std::vector<ArestaSinal> r;
  int feitos = 1;
  while (feitos < n) {
    const int corte = static_cast<int>(rng() % feitos);
    const int k = std::min(n - feitos, 1 + static_cast<int>(rng() % 5));
    std::vector<int> b{corte};
    for (int i = 0; i < k; i++) b.push_back(feitos++);
    for (size_t i = 0; i < b.size(); i++)
      for (size_t j = i + 1; j < b.size(); j++)
        if (j == i + 1 || U(rng) < 0.7)
          r.push_back({b[i], b[j], U(rng) < 0.15 ? 2 : U(rng) < 0.4 ? -1 : 1});
  }
  return r;
}

}  // namespace

TEST(Reducao, IgualAForcaBrutaEmGrafosAleatorios) {
  std::mt19937 rng(7);
  Contagem total;
  for (int caso = 0; caso < 500; caso++) {
    const int n = 1 + static_cast<int>(rng() % 14);
    const auto arestas =
        caso % 4 == 3 ? blocosColados(rng, n)
                      : grafoSinalAleatorio(rng, n, (caso % 10) / 10.0 + 0.05, 0.4,
                                            caso % 3 == 0 ? 0.2 : 0.05, caso % 2 == 1);
    const Reducao r(GrafoSimples(n, arestas));
    confere(n, arestas, r, rng);
    if (HasFatalFailure()) FAIL() << "caso " << caso;
    for (const auto& [regra, vezes] : contagem(r)) total[regra] += vezes;
  }
  // Every rule was met and checked along the way.
  for (const auto& [regra, vezes] : total) EXPECT_GT(vezes, 0) << regra;
}

TEST(Reducao, RegrasQueSeAlimentam) {
  // A tree: leaves taken one after another, nothing left.
  std::mt19937 rng(1);
  std::vector<ArestaSinal> arvore;
  for (int v = 1; v < 14; v++)
    arvore.push_back({static_cast<int>(rng() % v), v, v % 3 == 0 ? -1 : 1});
  Contagem c = confereCaso(14, arvore);
  EXPECT_EQ(c["isolado"] + c["grau1"] + c["grau2"], 14);

  // A cycle with one negative edge folds into smaller cycles, then into a
  // double edge: all vertices but one.
  std::vector<ArestaSinal> ciclo;
  for (int v = 0; v < 7; v++) ciclo.push_back({v, (v + 1) % 7, v == 3 ? -1 : 1});
  c = confereCaso(7, ciclo);
  EXPECT_GE(c["grau2"], 1);
  EXPECT_EQ(c["grau1Dupla"], 1);
  // With two negative edges it is balanced: all vertices, no double edge.
  ciclo[5].sinal = -1;
  c = confereCaso(7, ciclo);
  EXPECT_EQ(c["grau1Dupla"], 0);
}

TEST(Reducao, CasoDeCadaRegraLocal) {
  // A balanced K5: simplicial vertices.
  std::vector<ArestaSinal> k5;
  for (int u = 0; u < 5; u++)
    for (int w = u + 1; w < 5; w++) k5.push_back({u, w, (u < 2) == (w < 2) ? 1 : -1});
  EXPECT_GE(confereCaso(5, k5)["simplicial"], 1);

  // K4 of double edges beside a K4 with one negative edge: the first is a
  // double clique, the second holds no simplicial vertex.
  std::vector<ArestaSinal> duplo;
  for (int u = 0; u < 4; u++)
    for (int w = u + 1; w < 4; w++) {
      duplo.push_back({u, w, 2});
      duplo.push_back({u + 4, w + 4, u == 1 && w == 2 ? -1 : 1});
    }
  Contagem c = confereCaso(8, duplo);
  EXPECT_EQ(c["cliqueDupla"], 1);
  EXPECT_EQ(c["simplicial"], 0);

  // 0-1 double; 0 sees 2, 3, 4 as 1 does: 1 is dropped for 0.  Every other
  // vertex has degree 4 and no simplicial neighbourhood.
  const std::vector<ArestaSinal> dominado{{0, 1, 2},  {0, 2, 1}, {0, 3, 1}, {0, 4, -1},
                                          {1, 2, 1},  {1, 3, 1}, {1, 4, -1}, {2, 3, -1},
                                          {3, 4, 1},  {2, 4, 1}};
  c = confereCaso(5, dominado);
  EXPECT_EQ(c["dominacaoDupla"], 1);
}

TEST(Reducao, BlocosFolha) {
  // K4 on c, x, y, z with x-y negative: no local rule applies; x, y, z give
  // 2, and 3 with c, so c stays.  Two of them at c: one is solved leaving c,
  // then the other is all that is left of the component.
  auto k4 = [](int c, int x, std::vector<ArestaSinal>& r) {
    r.insert(r.end(), {{c, x, 1}, {c, x + 1, 1}, {c, x + 2, 1}, {x, x + 1, -1}, {x, x + 2, 1},
                       {x + 1, x + 2, 1}});
  };
  std::vector<ArestaSinal> fica;
  k4(0, 1, fica);
  k4(0, 4, fica);
  Contagem c = confereCaso(7, fica);
  EXPECT_EQ(c["blocoCorteFica"], 1);
  EXPECT_EQ(c["componentePequena"], 1);

  // A positive triangle x, y, z with c-x negative, c-y positive, c-z
  // double: 3 without c, only 2 with it, so c goes.  Two of them at c.
  auto triangulo = [](int c, int x, std::vector<ArestaSinal>& r) {
    r.insert(r.end(), {{x, x + 1, 1}, {x + 1, x + 2, 1}, {x, x + 2, 1}, {c, x, -1},
                       {c, x + 1, 1}, {c, x + 2, 2}});
  };
  std::vector<ArestaSinal> sai;
  triangulo(0, 1, sai);
  triangulo(0, 4, sai);
  c = confereCaso(7, sai);
  EXPECT_EQ(c["blocoCorteSai"], 1);

  // A chain of three of the first kind (each the next one's cut vertex is
  // its z), peeled from the ends inward in one pass.
  std::vector<ArestaSinal> cadeia;
  k4(0, 1, cadeia);
  k4(3, 4, cadeia);
  k4(6, 7, cadeia);
  c = confereCaso(10, cadeia);
  EXPECT_EQ(c["blocoCorteFica"], 2);
  EXPECT_EQ(c["componentePequena"], 1);
}

TEST(Reducao, PrazoVencidoDeixaAsComponentes) {
  std::mt19937 rng(2);
  for (int caso = 0; caso < 40; caso++) {
    const int n = 1 + static_cast<int>(rng() % 12);
    const auto arestas = grafoSinalAleatorio(rng, n, 0.15, 0.4, 0.1, caso % 2 == 1);
    const Reducao r(GrafoSimples(n, arestas), std::chrono::steady_clock::now());
    EXPECT_EQ(r.valorFixo(), 0);
    EXPECT_EQ(r.verticesFixados(), 0);
    for (const auto& [regra, vezes] : r.contagens()) EXPECT_EQ(vezes, 0) << regra;
    confere(n, arestas, r, rng);
  }
  const Reducao vazio{GrafoSimples(0, {})};
  EXPECT_TRUE(vazio.pecas().empty());
  EXPECT_TRUE(vazio.reconstroi({}).empty());
}

TEST(Reducao, GrafosEsparsosGrandes) {
  // Too big for brute force: the rebuild from arbitrary balanced sets of
  // the pieces is balanced and of the size promised, through long chains of
  // steps and many blocks.
  std::mt19937 rng(9);
  for (int caso = 0; caso < 6; caso++) {
    const int n = 2000;
    const auto arestas = caso % 2 == 0 ? blocosColados(rng, n)
                                       : grafoSinalAleatorio(rng, n, 2.5 / n, 0.3, 0.05, true);
    const GrafoSimples g(n, arestas);
    const Reducao r(g);
    confereForma(n, r);
    std::vector<std::vector<char>> conjuntos;
    int soma = 0;
    for (const Peca& p : r.pecas()) {
      conjuntos.push_back(equilibradoAoAcaso(p.grafo, rng));
      for (const char c : conjuntos.back()) soma += c != 0;
    }
    const std::vector<char> s = r.reconstroi(conjuntos);
    int tamanho = 0;
    for (const char c : s) tamanho += c != 0;
    EXPECT_TRUE(equilibrado(g, s));
    EXPECT_EQ(tamanho, r.valorFixo() + soma);
  }
}
