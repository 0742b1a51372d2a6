// Matrix-form reader and conversion.  (stub)
#include "graph/leitura.h"

#include <cstdlib>

#include "graph/grafo.h"

int ncol = 0;
int** a = nullptr;

void leMatriz() { leMatrizDe(stdin); }
void leMatrizDe(std::FILE*) {}
void converteMatriz() {}
void liberaMatriz() {
  if (a == nullptr) return;
  for (int i = 0; i < nlin; i++) std::free(a[i]);
  std::free(a);
  a = nullptr;
}
