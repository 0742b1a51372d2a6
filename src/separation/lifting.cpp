// Sequential lifting of a short odd negative cycle cut: each vertex off the
// cycle with more than two edge ends on it gets the coefficient k - 1 minus
// the heaviest subset of the structure it can be balanced with, found by a
// depth-first search that gives the exhaustive enumeration's answer.
//
// position: on entry -1 at every vertex off the cycle (the caller's to
// keep); on return the cycle's vertices and the lifted ones hold their
// places in the structure.  Each call costs the edges at the cycle and the
// search, not the vertex count.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "separation/cortes.h"

namespace {

// The cycle (at most 19 vertices) and the vertices lifted onto it never grow
// beyond 20 elements, which bounds the exhaustive search at 2^19 leaves.
const int MAX_ESTRUTURA = DadosLifting::MAX_ESTRUTURA;

using BuscaForca = DadosLifting::BuscaForca;

int sinalDe(nodo** gMat, int u, int w) {
  for (nodo* e = gMat[u]; e != nullptr; e = e->prox)
    if (e->vertice == w) return e->sinal;
  return 0;
}

// Balance of the selected elements reachable from the candidate (element
// m-1, colour 1) through recorded edges.
bool passaTeste(int** matrix, int m, const int* decisao, int* cor, int* pilha) {
  const int candidato = m - 1;
  for (int e = 0; e < candidato; e++) cor[e] = -1;
  int topo = 0;
  for (int e = 0; e < candidato; e++) {
    if (decisao[e] != 1) continue;
    const int t = matrix[e][candidato];
    if (t == 1) {
      cor[e] = 1;
      pilha[topo++] = e;
    } else if (t == -1) {
      cor[e] = 0;
      pilha[topo++] = e;
    }
  }
  while (topo > 0) {
    const int u = pilha[--topo];
    for (int j = 0; j < candidato; j++) {
      if (decisao[j] != 1) continue;
      const int t = matrix[u][j];
      int exigida;
      if (t == 2) return false;
      if (t == 1)
        exigida = cor[u];
      else if (t == -1)
        exigida = 1 - cor[u];
      else
        continue;
      if (cor[j] == -1) {
        cor[j] = exigida;
        pilha[topo++] = j;
      } else if (cor[j] != exigida) {
        return false;
      }
    }
  }
  return true;
}

// Depth first, each element in before out, as the exhaustive enumeration
// of every leaf: the first leaf is the largest selection, and a double edge
// to the candidate rules an element out.  The best total changes only at a
// leaf whose total beats it and that passes the test, so the subtrees cut
// off below hold no such leaf and the totals found, in order, are the
// enumeration's: a subtree whose total cannot beat the best, and one whose
// chosen elements already leave the candidate's component unbalanced (more
// elements only grow that component, keeping every edge it had, so it stays
// unbalanced).  The search stops once the best reaches the cap.
void ramo(BuscaForca& busca, int i, int soma) {
  if (busca.melhor >= busca.cap) return;
  const int candidato = busca.m - 1;
  int* decisao = busca.decisao.data();
  if (i == candidato) {
    if (soma > busca.melhor &&
        passaTeste(busca.matriz, busca.m, decisao, busca.cor.data(), busca.pilha.data()))
      busca.melhor = soma;
    return;
  }
  if (soma + busca.resto[i] <= busca.melhor) return;
  if (busca.matriz[i][candidato] != 2) {
    decisao[i] = 1;
    if (passaTeste(busca.matriz, busca.m, decisao, busca.cor.data(), busca.pilha.data()))
      ramo(busca, i + 1, soma + busca.pesos[i]);
  }
  decisao[i] = 0;
  ramo(busca, i + 1, soma);
  decisao[i] = -1;
}

}  // namespace

int solveByForce(BuscaForca& busca, int* weights, int** matrix, int m, int cap) {
  if (m < 1) return 0;
  busca.pesos = weights;
  busca.matriz = matrix;
  busca.m = m;
  busca.cap = cap;
  busca.melhor = 0;
  const int candidato = m - 1;
  busca.decisao.assign(static_cast<size_t>(m), -1);
  busca.cor.resize(static_cast<size_t>(m));
  busca.pilha.resize(static_cast<size_t>(m));
  busca.resto.assign(static_cast<size_t>(m), 0);
  for (int e = candidato - 1; e >= 0; e--)
    busca.resto[e] = busca.resto[e + 1] +
                     (matrix[e][candidato] == 2 || weights[e] < 0 ? 0 : weights[e]);
  ramo(busca, 0, 0);
  return busca.melhor;
}

int liftingOddNegCycle(Separacao& s, int* cycle, int k, double* coefficients, int* lifted) {
  const int n = s.grafo.nlin;
  nodo** const gMat = s.grafo.gMat;
  int* const position = s.trabalho.position;
  RegAux* const xh = s.trabalho.xh;
  DadosLifting& d = s.lifting;
  std::vector<int>& contagem = d.contagem;
  std::vector<int>& contados = d.contados;
  // Cycles too long for the structure are never lifted.
  if (k > MAX_ESTRUTURA - 1 || k < 1) return 0;
  if (static_cast<int>(contagem.size()) != n) contagem.assign(n, 0);
  auto& linhas = d.linhas;
  int** const matriz = d.matriz;
  int pesos[MAX_ESTRUTURA];
  for (int p = 0; p < MAX_ESTRUTURA; p++) {
    matriz[p] = linhas[p];
    std::fill(linhas[p], linhas[p] + MAX_ESTRUTURA, 0);
  }

  for (int p = 0; p < k; p++) {
    position[cycle[p]] = p;
    pesos[p] = 1;
  }
  for (int p = 0; p < k; p++) {
    const int q = (p + 1) % k;
    const int sinal = sinalDe(gMat, cycle[p], cycle[q]);
    matriz[p][q] = sinal;
    matriz[q][p] = sinal;
  }
  for (int p = 0; p < k; p++)
    for (nodo* e = gMat[cycle[p]]; e != nullptr; e = e->prox)
      if (contagem[e->vertice]++ == 0) contados.push_back(e->vertice);

  // The candidates go to qsort in ascending vertex order, as a scan of all
  // vertices would list them, so that ties come out in the same order.
  std::sort(contados.begin(), contados.end());
  int candidatos = 0;
  for (int v : contados)
    if (position[v] == -1) xh[candidatos++] = RegAux{double(contagem[v]), v};
  for (int v : contados) contagem[v] = 0;
  contados.clear();
  std::qsort(xh, static_cast<size_t>(candidatos), sizeof(RegAux), ComparaRegAux);

  int r = 0;
  if (candidatos > 0 && xh[0].valor > 2.0) {
    int e = k;  // elements of the structure so far
    for (int c = 0; c < candidatos && xh[c].valor > 2.0 && e <= MAX_ESTRUTURA - 1; c++) {
      const int v = xh[c].indice;
      for (int q = 0; q < e; q++) matriz[e][q] = matriz[q][e] = 0;
      for (nodo* a = gMat[v]; a != nullptr; a = a->prox) {
        const int q = position[a->vertice];
        if (q != -1) matriz[e][q] = matriz[q][e] = a->sinal;
      }
      const int best = solveByForce(d.busca, pesos, matriz, e + 1, k - 1);
      if (k - 1 > best + 1e-6) {
        lifted[r] = v;
        coefficients[r] = k - 1 - best;
        pesos[e] = k - 1 - best;
        position[v] = e;
        r++;
        e = k + r;
      }
    }
  }
  return r;
}
