// K1K2 rows: member order, right-hand sides and which edges start attempts.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "graph/grafo.h"
#include "graph/vizinhosFundidos.h"
#include "model/desigualdadesClique.h"
#include "search/equilibrio.h"
#include "search/grafoTeste.h"

namespace {

struct Linhas {
  std::vector<std::vector<int>> membros;
  std::vector<double> rhs;
  std::vector<char> sentido;
};

Linhas monta(int n, const std::vector<ArestaTeste>& arestas) {
  const auto grafo = armazemDeTeste(n, arestas);
  LinhasK1K2 l;
  l.mstart.assign(3, -7);  // stale contents are replaced
  const int linhas = montaLinhasK1K2(*grafo, Prazo(), l);
  Linhas r;
  EXPECT_EQ(static_cast<int>(l.mstart.size()), linhas + 1);
  EXPECT_EQ(l.mstart[linhas], static_cast<int>(l.mcols.size()));
  EXPECT_EQ(l.mcols.size(), l.dmatval.size());
  for (int i = 0; i < linhas; i++) {
    r.membros.emplace_back(l.mcols.begin() + l.mstart[i], l.mcols.begin() + l.mstart[i + 1]);
    for (int e = l.mstart[i]; e < l.mstart[i + 1]; e++) EXPECT_EQ(l.dmatval[e], 1.0);
    r.rhs.push_back(l.drhs[i]);
    r.sentido.push_back(l.qrtype[i]);
  }
  return r;
}

using V = std::vector<int>;

TEST(DesigualdadesK1K2, QuatroVerticesNegativosFormamUmaLinhaSoComK1) {
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 1, 2, 3}, -1);
  Linhas r = monta(4, a);
  ASSERT_EQ(r.membros.size(), 1u);
  EXPECT_EQ(r.membros[0], (V{1, 0, 2, 3}));
  EXPECT_EQ(r.rhs[0], 2.0);
  EXPECT_EQ(r.sentido[0], 'L');
}

TEST(DesigualdadesK1K2, TrianguloNegativoNaoDaLinhaMasCobreAsArestas) {
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 1, 2}, -1);
  EXPECT_TRUE(monta(3, a).membros.empty());
  // A fourth vertex hanging negatively off the covered triangle only meets
  // covered pairs or pairs whose attempt stays at three members.
  a.push_back({3, 2, -1});
  EXPECT_TRUE(monta(4, a).membros.empty());
}

TEST(DesigualdadesK1K2, DoisLadosComArestasPositivasEntreEles) {
  Linhas r = monta(4, {{0, 1, -1}, {2, 3, -1}, {0, 2, 1}, {0, 3, 1}, {1, 2, 1}, {1, 3, 1}});
  ASSERT_EQ(r.membros.size(), 1u);
  EXPECT_EQ(r.membros[0], (V{1, 0, 2, 3}));

  r = monta(4, {{1, 2, -1}, {0, 3, -1}, {0, 1, 1}, {0, 2, 1}, {1, 3, 1}, {2, 3, 1}});
  ASSERT_EQ(r.membros.size(), 1u);
  EXPECT_EQ(r.membros[0], (V{2, 1, 0, 3}));
}

TEST(DesigualdadesK1K2, CincoNegativosNumaSoLinha) {
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 1, 2, 3, 4}, -1);
  Linhas r = monta(5, a);
  ASSERT_EQ(r.membros.size(), 1u);
  EXPECT_EQ(r.membros[0], (V{1, 0, 2, 3, 4}));
}

TEST(DesigualdadesK1K2, SemArestasNegativasNenhumaLinha) {
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 1, 2, 3}, 1);
  a.push_back({0, 4, 2});
  EXPECT_TRUE(monta(5, a).membros.empty());
  EXPECT_TRUE(monta(0, {}).membros.empty());
}

TEST(DesigualdadesK1K2, ArestaDuplaJuntaMembrosDosDoisLadosMasNaoComecaTentativa) {
  // K1 = {1, 0, 2} with 0-2 double; vertex 3 joins K2 through positive edges
  // to 1 and 2 and a double edge to 0.
  Linhas r = monta(4, {{0, 1, -1}, {1, 2, -1}, {0, 2, 2}, {1, 3, 1}, {2, 3, 1}, {0, 3, 2}});
  ASSERT_EQ(r.membros.size(), 1u);
  EXPECT_EQ(r.membros[0], (V{1, 0, 2, 3}));
  // Only double edges: no attempt at all.
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 1, 2, 3}, 2);
  EXPECT_TRUE(monta(4, a).membros.empty());
}

TEST(DesigualdadesK1K2, ArestaCobertaNaoRecomecaMasOutraNegativaSim) {
  // Two disjoint negative 4-cliques: one row each, in the order of their
  // larger vertices.
  std::vector<ArestaTeste> a;
  juntaTodos(a, {0, 2, 4, 6}, -1);
  juntaTodos(a, {1, 3, 5, 7}, -1);
  Linhas r = monta(8, a);
  ASSERT_EQ(r.membros.size(), 2u);
  EXPECT_EQ(r.membros[0], (V{2, 0, 4, 6}));
  EXPECT_EQ(r.membros[1], (V{3, 1, 5, 7}));
}

}  // namespace

namespace {

// Every three members of a K1K2 row must be unbalanced, or the row would cut
// off a feasible set; checked over random small graphs.
TEST(DesigualdadesK1K2, TodaLinhaEhValidaEmGrafosAleatorios) {
  unsigned semente = 12345;
  auto proximo = [&]() { return (semente = semente * 1103515245u + 12345u) >> 16; };
  int linhasVistas = 0;
  for (int rodada = 0; rodada < 300; rodada++) {
    const int n = 4 + proximo() % 7;
    std::vector<ArestaTeste> a;
    for (int u = 0; u < n; u++)
      for (int w = u + 1; w < n; w++) {
        const unsigned r = proximo() % 10;
        if (r < 5) a.push_back({u, w, -1});
        else if (r < 8) a.push_back({u, w, 1});
        else if (r < 9) a.push_back({u, w, 2});
      }
    Linhas r = monta(n, a);
    for (const std::vector<int>& m : r.membros) {
      linhasVistas++;
      ASSERT_GE(m.size(), 4u);
      for (size_t i = 0; i < m.size(); i++)
        for (size_t j = i + 1; j < m.size(); j++) {
          ASSERT_NE(m[i], m[j]);
          for (size_t k = j + 1; k < m.size(); k++) {
            std::vector<bool> esc(n, false);
            esc[m[i]] = esc[m[j]] = esc[m[k]] = true;
            EXPECT_FALSE(equilibradoUF(n, a, esc)) << m[i] << " " << m[j] << " " << m[k];
          }
        }
    }
  }
  EXPECT_GT(linhasVistas, 50);
}

}  // namespace

namespace {

// The rows built the plain way: an n x n cover table, every count array
// copied whole for each attempt, and both passes over all vertices in
// ascending order, each neighbour counted once with its merged sign.  The
// reference for the sparse passes.
std::vector<std::vector<int>> linhasPorTabelasCompletas(const Armazem& g) {
  const int n = g.nlin;
  auto vizinhosFundidos = [&g](int v) { return ::vizinhosFundidos(g, v); };
  std::vector<std::vector<int>> r;
  std::vector<int> count(n), base(n);
  std::vector<std::vector<char>> coberto(n, std::vector<char>(n, 0));
  for (int k = 0; k < n && static_cast<int>(r.size()) < n; k++) {
    std::fill(base.begin(), base.end(), 0);
    for (const auto& [w, s] : vizinhosFundidos(k)) base[w] = s == 1 ? n + 1 : 1;
    for (const auto& [j, sj] : vizinhosFundidos(k)) {
      if (j >= k || static_cast<int>(r.size()) >= n) break;
      if (sj != -1 || coberto[j][k]) continue;
      count = base;
      for (const auto& [w, s] : vizinhosFundidos(j)) {
        if (s == -1) { if (count[w] < n) count[w]++; }
        else if (s == 1) { if (count[w] > n) count[w]++; }
        else if (s == 2) count[w]++;
      }
      count[k] = count[j] = -1;
      std::vector<int> membros{k, j};
      int t = 2;
      for (int l = 0; l < n; l++) {
        if (count[l] != t) continue;
        if (t == 2) coberto[j][k] = coberto[k][j] = 1;
        membros.push_back(l);
        t++;
        count[l] = -1;
        for (const auto& [w, s] : vizinhosFundidos(l)) {
          if ((s == -1 && count[w] < n) || (s == 1 && count[w] > n) || s == 2) {
            if (count[w] == -1) coberto[l][w] = coberto[w][l] = 1;
            else count[w]++;
          }
        }
      }
      int m = 0;
      for (int f = 0; f < n; f++) {
        if (count[f] != n + t + m) continue;
        if (t == 2) coberto[j][k] = coberto[k][j] = 1;
        membros.push_back(f);
        m++;
        count[f] = -2;
        for (const auto& [w, s] : vizinhosFundidos(f)) {
          if (s == 1) continue;
          if (count[w] == -2) coberto[f][w] = coberto[w][f] = 1;
          else count[w]++;
        }
      }
      if (t + m > 3) r.push_back(membros);
    }
  }
  return r;
}

}  // namespace

// The sparse passes give the rows of the full tables, member for member and
// in the same order, on random graphs of every density: negative-heavy ones
// (big K1 sides), two-sided ones, double edges, edges entered several times
// with the same or other signs (counted once per neighbour, with the signs
// merged), positive loops, and small graphs that reach the cap of n rows.
TEST(DesigualdadesK1K2, IgualATabelasCompletasEmGrafosAleatorios) {
  std::mt19937 rng(53);
  int linhas = 0;
  for (int caso = 0; caso < 400; caso++) {
    const int n = 1 + static_cast<int>(rng() % (caso % 5 == 0 ? 8 : 45));
    const double dens = (caso % 11) / 10.0;
    const int mistura = static_cast<int>(caso % 4);
    std::vector<ArestaTeste> a;
    auto sinal = [&]() {
      const unsigned r = rng() % 10;
      if (mistura == 0) return r < 8 ? -1 : 1;
      if (mistura == 1) return r < 5 ? -1 : r < 9 ? 1 : 2;
      if (mistura == 2) return r < 4 ? -1 : r < 6 ? 1 : 2;
      return r < 6 ? -1 : 1;
    };
    for (int u = 0; u < n; u++)
      for (int w = u + 1; w < n; w++)
        if (std::uniform_real_distribution<double>(0, 1)(rng) < dens) a.push_back({u, w, sinal()});
    if (caso % 3 != 0 && !a.empty()) {
      for (int t = 0; t < n / 2 + 1; t++) {
        const ArestaTeste e = a[rng() % a.size()];
        a.push_back({e.w, e.u, rng() % 2 ? e.s : sinal()});
      }
      for (int t = 0; t < n / 4; t++) {
        const int v = static_cast<int>(rng() % n);
        a.push_back({v, v, 1});
      }
      std::shuffle(a.begin(), a.end(), rng);
    }
    const std::vector<std::vector<int>> esperado = linhasPorTabelasCompletas(*armazemDeTeste(n, a));
    const Linhas r = monta(n, a);
    ASSERT_EQ(r.membros, esperado) << caso;
    for (size_t i = 0; i < r.rhs.size(); i++) {
      ASSERT_EQ(r.rhs[i], 2.0);
      ASSERT_EQ(r.sentido[i], 'L');
    }
    linhas += static_cast<int>(esperado.size());
  }
  EXPECT_GT(linhas, 400);
}
