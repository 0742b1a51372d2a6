// Primal heuristic: a greedy two-sided split of the vertices in decreasing
// order of their LP value, keeping every chosen set balanced.
#include <cstdio>
#include <cstdlib>

#include "base/erro.h"
#include "search/busca.h"

void heuristicaPrimal(Resolucao& s, double* x, int node) {
  const int n = s.grafo.nlin;
  nodo** const gMat = s.grafo.gMat;
  RegAux* const xh = s.trabalho.xh;
  const bool imprime = s.ajustes.COMPLETE_PRINT;
  if (imprime) std::fprintf(s.saida, ".Heuristica Primal.\n");
  int* lado = static_cast<int*>(std::calloc(n == 0 ? 1 : n, sizeof(int)));
  if (lado == nullptr) errormsg("Main: memory allocation error.\n", 34, -1);

  for (int v = 0; v < n; v++) {
    xh[v].valor = x[v];
    xh[v].indice = v;
  }
  std::qsort(xh, n, sizeof(RegAux), ComparaRegAux);

  int c1 = 0, c2 = 0;
  for (int i = 0; i < n; i++) {
    const int v = xh[i].indice;
    bool pode1 = true, pode2 = true;
    for (nodo* e = gMat[v]; e != nullptr && (pode1 || pode2); e = e->prox) {
      const int ladoU = lado[e->vertice];
      if (ladoU == 0) continue;
      switch (e->sinal) {
        case 1:
          if (ladoU == 1) pode2 = false; else pode1 = false;
          break;
        case -1:
          if (ladoU == 1) pode1 = false; else pode2 = false;
          break;
        case 2:
          pode1 = pode2 = false;
          break;
        default:
          break;
      }
    }
    if (pode1 && pode2) {
      if (c1 < c2) { lado[v] = 1; c1++; } else { lado[v] = 2; c2++; }
    } else if (pode1) {
      lado[v] = 1;
      c1++;
    } else if (pode2) {
      lado[v] = 2;
      c2++;
    }
  }

  const int z = c1 + c2;
  if (imprime) std::fprintf(s.saida, "..Custo da solucao heuristica: %d\n", z);
  if (z > s.zstar) {
    if (imprime) std::fprintf(s.saida, "..Heuristica Primal melhorou a solucao\n");
    for (int v = 0; v < n; v++) s.xstar[v] = lado[v] != 0 ? 1.0 : 0.0;
    novoIncumbente(s, s.prob, z, node, "Heuristica Primal: Erro \n", 133);
  } else if (imprime) {
    std::fprintf(s.saida, "..Heuristica Primal nao melhorou a solucao\n");
  }
  std::free(lado);
}
