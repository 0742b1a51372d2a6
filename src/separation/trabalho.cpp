// The sort order and the read-back of a search's walk as a cycle.
#include "separation/trabalho.h"

int ComparaRegAux(const void* a, const void* b) {
  double va = static_cast<const RegAux*>(a)->valor;
  double vb = static_cast<const RegAux*>(b)->valor;
  if (va > vb) return -1;
  if (va < vb) return 1;
  return 0;
}

int Trabalho::leCiclo(int n, int v) {
  ciclo[0] = v;
  pertence[v] = 1;
  int k = 1;
  for (int c = pred[n + v]; c != v; c = pred[c]) {
    if (c == -1 || pertence[c % n]) {
      limpaMarcasCiclo(k);
      return 0;
    }
    ciclo[k] = c % n;
    pertence[c % n] = 1;
    k++;
  }
  return k;
}

void Trabalho::limpaMarcasCiclo(int k) {
  for (int p = 0; p < k; p++) pertence[ciclo[p]] = 0;
}
