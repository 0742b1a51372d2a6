// Lifting of odd negative cycle cuts: the worked cases, and coefficients
// against an exhaustive search written apart from the solver's.
#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "separation/ambiente.h"
#include "separation/separadores.h"

namespace {

struct Levantamento {
  int r;
  std::vector<int> vertices;
  std::vector<double> coefs;
};

Levantamento levanta(Ambiente& amb, std::vector<int> cic) {
  Levantamento l{liftingOddNegCycle(amb.s, cic.data(), static_cast<int>(cic.size()), amb.vecAlfa,
                                    amb.indAlfa),
                 {}, {}};
  for (int t = 0; t < l.r; t++) {
    l.vertices.push_back(amb.indAlfa[t]);
    l.coefs.push_back(amb.vecAlfa[t]);
  }
  return l;
}

// Triangle 0-1-2 with 0-1 and 1-2 positive, 2-0 negative; vertex 3 joined
// to 0, 1, 2 with the given signs.
std::vector<Aresta> trianguloCom(int s0, int s1, int s2) {
  return {{0, 1, 1}, {1, 2, 1}, {2, 0, -1}, {3, 0, s0}, {3, 1, s1}, {3, 2, s2}};
}

// The heaviest subset S of elements 0..m-2 such that the part of S joined
// to the candidate m-1 through recorded edges is balanced with it.
int melhorPorForcaBruta(const std::vector<int>& pesos, const std::vector<std::vector<int>>& M) {
  const int m = static_cast<int>(M.size()), c = m - 1;
  int melhor = 0;
  for (uint32_t S = 0; S < (1u << c); S++) {
    int soma = 0;
    bool ok = true;
    for (int e = 0; e < c; e++)
      if (S >> e & 1) {
        soma += pesos[e];
        if (M[e][c] == 2) ok = false;
      }
    if (!ok || soma <= melhor) continue;
    // 2-colouring from the candidate over the selected elements
    std::vector<int> lado(m, -1), fila{c};
    lado[c] = 0;
    while (!fila.empty() && ok) {
      const int u = fila.back();
      fila.pop_back();
      for (int j = 0; j < c && ok; j++) {
        if (!(S >> j & 1) || j == u) continue;
        const int t = M[u][j];
        if (t == 2) ok = false;
        if (t != 1 && t != -1) continue;
        const int quer = t == 1 ? lado[u] : 1 - lado[u];
        if (lado[j] == -1) {
          lado[j] = quer;
          fila.push_back(j);
        } else if (lado[j] != quer) {
          ok = false;
        }
      }
    }
    if (ok) melhor = soma;
  }
  return melhor;
}

}  // namespace

TEST(Lifting, SemVerticeComTresPontasNaoLevanta) {
  Ambiente amb(5, {{0, 1, 1}, {1, 2, 1}, {2, 0, -1}, {3, 0, 1}, {3, 1, 1}, {4, 2, -1}});
  EXPECT_EQ(levanta(amb, {0, 1, 2}).r, 0);
}

TEST(Lifting, VerticeQueSoCabeComUmDoTriangulo) {
  Ambiente amb(4, trianguloCom(-1, 1, -1));
  const Levantamento l = levanta(amb, {0, 1, 2});
  EXPECT_EQ(l.r, 1);
  EXPECT_EQ(l.vertices, (std::vector<int>{3}));
  EXPECT_EQ(l.coefs, (std::vector<double>{1.0}));
  EXPECT_EQ(amb.position[3], 3);
}

TEST(Lifting, VerticeQueCabeComDoisNaoLevanta) {
  Ambiente amb(4, trianguloCom(1, 1, 1));
  EXPECT_EQ(levanta(amb, {0, 1, 2}).r, 0);
  EXPECT_EQ(amb.position[3], -1);
}

TEST(Lifting, CincoCicloComCoeficienteDois) {
  // 5-cycle c0..c4 with only c0c1 negative; 5 positive to c0, c1, c3 and
  // negative to c2, c4
  Ambiente amb(6, {{0, 1, -1}, {1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 0, 1},
                 {5, 0, 1}, {5, 1, 1}, {5, 3, 1}, {5, 2, -1}, {5, 4, -1}});
  const Levantamento l = levanta(amb, {0, 1, 2, 3, 4});
  EXPECT_EQ(l.r, 1);
  EXPECT_EQ(l.coefs, (std::vector<double>{2.0}));
}

TEST(Lifting, ArestaDuplaAoCandidatoExcluiOVertice) {
  // 3 double to 0, positive to 1, negative to 2: with 0 out, no pair of the
  // triangle fits 3, so it is lifted; had 0 been free, {0,1} would fit
  Ambiente amb(4, trianguloCom(2, 1, -1));
  const Levantamento l = levanta(amb, {0, 1, 2});
  EXPECT_EQ(l.r, 1);
  EXPECT_EQ(l.coefs, (std::vector<double>{1.0}));
}

TEST(Lifting, CicloDe19LevantaNoMaximoUm) {
  // 19-cycle with one negative edge; 19 fits everything (4 ends, rejected),
  // 20 and 21 each close an odd triangle on c0-c1 and on c1-c2 (accepted)
  std::vector<Aresta> a;
  for (int p = 0; p < 19; p++) a.push_back({p, (p + 1) % 19, p == 10 ? -1 : 1});
  for (int c : {0, 1, 2, 3}) a.push_back({19, c, 1});
  for (int v : {20, 21}) {
    a.push_back({v, 0, 1});
    a.push_back({v, 1, -1});
    a.push_back({v, 2, 1});
  }
  Ambiente amb(22, a);
  std::vector<int> cic;
  for (int p = 0; p < 19; p++) cic.push_back(p);
  const Levantamento l = levanta(amb, cic);
  ASSERT_EQ(l.r, 1);
  EXPECT_TRUE(l.vertices[0] == 20 || l.vertices[0] == 21);
  EXPECT_EQ(l.coefs[0], 1.0);
  EXPECT_EQ(amb.position[19], -1);
}

TEST(Lifting, CicloLongoDemaisNaoLevanta) {
  std::vector<Aresta> a;
  for (int p = 0; p < 20; p++) a.push_back({p, (p + 1) % 20, p == 0 ? -1 : 1});
  for (int c : {0, 1, 2}) a.push_back({20, c, c == 1 ? -1 : 1});
  Ambiente amb(21, a);
  std::vector<int> cic;
  for (int p = 0; p < 20; p++) cic.push_back(p);
  EXPECT_EQ(levanta(amb, cic).r, 0);
}

namespace {

// The search as first written: every leaf of the in/out tree is visited in
// order (each element in before out, an element double to the candidate
// always out), a leaf counts when its total beats the best and the selected
// part joined to the candidate is balanced, and the search ends once the best
// reaches the cap.  The reference for the pruned search, answer for answer
// and cap for cap.
int solveByForceExaustivo(const std::vector<int>& pesos, const std::vector<std::vector<int>>& M,
                          int cap) {
  const int m = static_cast<int>(M.size()), c = m - 1;
  std::vector<int> decisao(m, -1);
  auto passa = [&]() {
    std::vector<int> cor(m, -1), pilha;
    for (int e = 0; e < c; e++) {
      if (decisao[e] != 1) continue;
      if (M[e][c] == 1 || M[e][c] == -1) {
        cor[e] = M[e][c] == 1 ? 1 : 0;
        pilha.push_back(e);
      }
    }
    while (!pilha.empty()) {
      const int u = pilha.back();
      pilha.pop_back();
      for (int j = 0; j < c; j++) {
        if (decisao[j] != 1) continue;
        const int t = M[u][j];
        if (t == 2) return false;
        if (t != 1 && t != -1) continue;
        const int exigida = t == 1 ? cor[u] : 1 - cor[u];
        if (cor[j] == -1) {
          cor[j] = exigida;
          pilha.push_back(j);
        } else if (cor[j] != exigida) {
          return false;
        }
      }
    }
    return true;
  };
  int soma = 0, best = 0, i = 0;
  while (i >= 0 && best < cap) {
    if (i < c) {
      if (decisao[i] == -1) {
        decisao[i] = M[i][c] == 2 ? 0 : 1;
        if (decisao[i] == 1) soma += pesos[i];
        i++;
      } else if (decisao[i] == 1) {
        decisao[i] = 0;
        soma -= pesos[i];
        i++;
      } else {
        decisao[i] = -1;
        i--;
      }
    } else {
      if (soma > best && passa()) best = soma;
      i = c - 1;
    }
  }
  return best;
}

}  // namespace

// Against a search written apart (the heaviest balanced part, no cap), and
// against the exhaustive enumeration for every cap the lifting can pass and
// none, on structures of up to 20 elements: sparse ones where nearly all is
// balanced (little to cut but by weight), dense ones full of odd cycles and
// double edges, loops on the diagonal, and the weights the lifting gives.
TEST(SolveByForce, IgualABuscaExaustivaEmEstruturasAleatorias) {
  std::mt19937 rng(7);
  DadosLifting::BuscaForca busca;
  for (int caso = 0; caso < 700; caso++) {
    const int m = caso < 660 ? 1 + static_cast<int>(rng() % 14) : 15 + static_cast<int>(rng() % 6);
    std::vector<int> pesos(m);
    for (int& p : pesos) p = caso % 5 == 0 ? 1 : 1 + static_cast<int>(rng() % (caso % 2 ? 3 : 9));
    std::vector<std::vector<int>> M(m, std::vector<int>(m, 0));
    const int sinais[] = {0, 0, 1, -1, 2};
    const int densidade = static_cast<int>(caso % 4);  // 0: no edges among elements
    for (int i = 0; i < m; i++)
      for (int j = i + 1; j < m; j++) {
        const bool aoCandidato = j == m - 1;
        if (aoCandidato || static_cast<int>(rng() % 3) < densidade)
          M[i][j] = M[j][i] = sinais[rng() % 5];
      }
    if (caso % 9 == 0)
      for (int i = 0; i + 1 < m; i++) M[i][i] = sinais[rng() % 5];
    std::vector<int*> linhas;
    for (auto& l : M) linhas.push_back(l.data());
    if (m >= 2 && caso % 9 != 0) {
      EXPECT_EQ(solveByForce(busca, pesos.data(), linhas.data(), m, 1000), melhorPorForcaBruta(pesos, M))
          << caso;
    }
    const int total = std::accumulate(pesos.begin(), pesos.end(), 0);
    for (int cap : {1000, 0, 1, 2, 3, 5, 8, 13, total / 2, total}) {
      if (m > 16 && cap != 1000 && cap != 18 && cap != total / 2) continue;
      ASSERT_EQ(solveByForce(busca, pesos.data(), linhas.data(), m, cap),
                solveByForceExaustivo(pesos, M, cap))
          << caso << " cap " << cap;
    }
  }
}

// On chordless cycles in graphs without repeated edges the structure records
// every edge among its elements, so the first coefficient is exactly k - 1
// minus the largest part of the cycle that is balanced with the vertex, and
// the whole lifted cut holds for every balanced vertex set.
TEST(Lifting, CoeficientesExatosEmGrafosAleatorios) {
  std::mt19937 rng(11);
  int levantados = 0;
  for (int caso = 0; caso < 300; caso++) {
    const int k = 3 + static_cast<int>(rng() % 5);
    const int n = k + 2 + static_cast<int>(rng() % 4);
    std::vector<Aresta> a;
    int negativas = 0;
    for (int p = 0; p < k; p++) {
      const int s = (p == k - 1) ? (negativas % 2 == 0 ? -1 : 1) : (rng() % 2 ? 1 : -1);
      if (s == -1) negativas++;
      a.push_back({p, (p + 1) % k, s});
    }
    const int sinais[] = {1, -1, 2};
    for (int v = k; v < n; v++)
      for (int w = 0; w < v; w++)
        if (rng() % 100 < (w < k ? 60 : 30)) a.push_back({v, w, sinais[rng() % 3]});
    Ambiente amb(n, a);
    std::vector<int> cic;
    for (int p = 0; p < k; p++) cic.push_back(p);
    const Levantamento l = levanta(amb, cic);
    if (l.r == 0) continue;
    levantados++;
    const int v = l.vertices[0];
    int melhor = 0;
    for (uint32_t S = 0; S < (1u << k); S++)
      if (__builtin_popcount(S) > melhor && equilibrado(n, a, S | 1u << v))
        melhor = __builtin_popcount(S);
    EXPECT_EQ(l.coefs[0], k - 1 - melhor) << caso;
    Corte c{CORTE_CICLO_LIFTED, 'L', cic, std::vector<double>(k, 1.0), double(k - 1)};
    for (int t = 0; t < l.r; t++) {
      EXPECT_GE(l.coefs[t], 1.0);
      c.colunas.push_back(l.vertices[t]);
      c.coefs.push_back(l.coefs[t]);
    }
    EXPECT_LE(maiorAtividade(conjuntosEquilibrados(n, a), c), k - 1) << caso;
  }
  EXPECT_GT(levantados, 50);
}
