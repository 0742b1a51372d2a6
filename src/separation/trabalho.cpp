// Work arrays shared by separators, heuristic and callbacks; the sort order.
#include "separation/trabalho.h"

double* x = nullptr;
RegAux* xh = nullptr;
int* pertence = nullptr;
int* pred = nullptr;
int* ciclo = nullptr;
int* position = nullptr;
double* vecAlfa = nullptr;
int* indAlfa = nullptr;
int* clique = nullptr;

int ComparaRegAux(const void* a, const void* b) {
  double va = static_cast<const RegAux*>(a)->valor;
  double vb = static_cast<const RegAux*>(b)->valor;
  if (va > vb) return -1;
  if (va < vb) return 1;
  return 0;
}
