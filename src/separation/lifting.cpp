// Sequential lifting of a short odd negative cycle cut: each vertex off the
// cycle with more than two edge ends on it gets the coefficient k - 1 minus
// the heaviest subset of the structure it can be balanced with, found by an
// exhaustive search.
#include <cstdlib>

#include "base/erro.h"
#include "graph/grafo.h"
#include "separation/separadores.h"
#include "separation/trabalho.h"

namespace {

// The cycle (at most 19 vertices) and the vertices lifted onto it never grow
// beyond 20 elements, which bounds the exhaustive search at 2^19 leaves.
const int MAX_ESTRUTURA = 20;

int sinalDe(int u, int w) {
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

}  // namespace

int solveByForce(int* weights, int** matrix, int m, int cap) {
  const size_t tam = static_cast<size_t>(m) * sizeof(int);
  int* decisao = static_cast<int*>(std::malloc(tam));
  if (decisao == nullptr) errormsg("Main: memory allocation error.\n", 2007, -1);
  int* cor = static_cast<int*>(std::malloc(tam));
  if (cor == nullptr) errormsg("Main: memory allocation error.\n", 2009, -1);
  int* pilha = static_cast<int*>(std::malloc(tam));
  if (pilha == nullptr) errormsg("Main: memory allocation error.\n", 2011, -1);

  const int candidato = m - 1;
  for (int e = 0; e < candidato; e++) decisao[e] = -1;
  // Depth first, each element in before out: the first leaf is the largest
  // selection, and a double edge to the candidate rules an element out.
  int soma = 0, best = 0, i = 0;
  while (i >= 0 && best < cap) {
    if (i < candidato) {
      if (decisao[i] == -1) {
        if (matrix[i][candidato] == 2) {
          decisao[i] = 0;
        } else {
          decisao[i] = 1;
          soma += weights[i];
        }
        i++;
      } else if (decisao[i] == 1) {
        decisao[i] = 0;
        soma -= weights[i];
        i++;
      } else {
        decisao[i] = -1;
        i--;
      }
    } else {
      if (soma > best && passaTeste(matrix, m, decisao, cor, pilha)) best = soma;
      i = candidato - 1;
    }
  }
  std::free(pilha);
  std::free(cor);
  std::free(decisao);
  return best;
}

int liftingOddNegCycle(int* cycle, int k, double* coefficients, int* lifted) {
  const int n = nlin;
  // Cycles too long for the structure are never lifted.
  if (k > MAX_ESTRUTURA - 1 || k < 1) return 0;
  int* contagem = static_cast<int*>(std::calloc(static_cast<size_t>(n) + 1, sizeof(int)));
  if (contagem == nullptr) errormsg("Main: memory allocation error.\n", 2146, -1);
  int* pesos = static_cast<int*>(std::malloc(MAX_ESTRUTURA * sizeof(int)));
  if (pesos == nullptr) errormsg("Main: memory allocation error.\n", 2148, -1);
  int** matriz = static_cast<int**>(std::malloc(MAX_ESTRUTURA * sizeof(int*)));
  if (matriz == nullptr) errormsg("Main: memory allocation error.\n", 2150, -1);
  for (int p = 0; p < MAX_ESTRUTURA; p++) {
    matriz[p] = static_cast<int*>(std::calloc(MAX_ESTRUTURA, sizeof(int)));
    if (matriz[p] == nullptr) errormsg("Main: memory allocation error.\n", 2153, -1);
  }

  for (int i = 0; i < n; i++) position[i] = -1;
  for (int p = 0; p < k; p++) {
    position[cycle[p]] = p;
    pesos[p] = 1;
  }
  for (int p = 0; p < k; p++) {
    const int q = (p + 1) % k;
    const int s = sinalDe(cycle[p], cycle[q]);
    matriz[p][q] = s;
    matriz[q][p] = s;
  }
  for (int p = 0; p < k; p++)
    for (nodo* e = gMat[cycle[p]]; e != nullptr; e = e->prox) contagem[e->vertice]++;

  int candidatos = 0;
  for (int v = 0; v < n; v++)
    if (contagem[v] != 0 && position[v] == -1) xh[candidatos++] = RegAux{double(contagem[v]), v};
  std::qsort(xh, static_cast<size_t>(candidatos), sizeof(RegAux), ComparaRegAux);

  int r = 0;
  if (candidatos > 0 && xh[0].valor > 2.0) {
    int s = k;
    for (int c = 0; c < candidatos && xh[c].valor > 2.0 && s <= MAX_ESTRUTURA - 1; c++) {
      const int v = xh[c].indice;
      for (int q = 0; q < s; q++) matriz[s][q] = matriz[q][s] = 0;
      for (nodo* e = gMat[v]; e != nullptr; e = e->prox) {
        const int q = position[e->vertice];
        if (q != -1) matriz[s][q] = matriz[q][s] = e->sinal;
      }
      const int best = solveByForce(pesos, matriz, s + 1, k - 1);
      if (k - 1 > best + 1e-6) {
        lifted[r] = v;
        coefficients[r] = k - 1 - best;
        pesos[s] = k - 1 - best;
        position[v] = s;
        r++;
        s = k + r;
      }
    }
  }

  for (int p = 0; p < MAX_ESTRUTURA; p++) std::free(matriz[p]);
  std::free(matriz);
  std::free(pesos);
  std::free(contagem);
  return r;
}
