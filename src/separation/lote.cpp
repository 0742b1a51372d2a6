// The cut batch arrays and the one way cuts are appended to them.
#include "separation/lote.h"

#include <cstdlib>

#include "base/erro.h"

int MAX_CORTES = 200;
char* qrtype = nullptr;
int* mtype = nullptr;
double* drhs = nullptr;
int* mstart = nullptr;
int* mcols = nullptr;
double* dmatval = nullptr;
int termosNoLote = 0;
XPRScut* mcutind = nullptr;

void abreCorte(int* ultimoCorte, int* ultimoCoef, int tipo) {
  *ultimoCorte += 1;
  mtype[*ultimoCorte] = tipo;
  qrtype[*ultimoCorte] = 'L';
  mstart[*ultimoCorte] = *ultimoCoef + 1;
}

void reservaTermos(int termos) {
  if (termos <= termosNoLote) return;
  // Doubling keeps the copies of a growing batch linear in its size.
  long long nova = 2LL * termosNoLote;
  if (nova < termos) nova = termos;
  if (nova < 64) nova = 64;
  if (nova > 0x7fffffff) nova = 0x7fffffff;
  int* c = static_cast<int*>(std::realloc(mcols, static_cast<size_t>(nova) * sizeof(int)));
  if (c == nullptr) errormsg("Main: memory allocation error.\n", 197, -1);
  mcols = c;
  double* d = static_cast<double*>(std::realloc(dmatval, static_cast<size_t>(nova) * sizeof(double)));
  if (d == nullptr) errormsg("Main: memory allocation error.\n", 199, -1);
  dmatval = d;
  termosNoLote = static_cast<int>(nova);
}

void poeTermo(int* ultimoCoef, int coluna, double coeficiente) {
  *ultimoCoef += 1;
  if (*ultimoCoef >= termosNoLote) reservaTermos(*ultimoCoef + 1);
  mcols[*ultimoCoef] = coluna;
  dmatval[*ultimoCoef] = coeficiente;
}

void fechaCorte(int ultimoCorte, double rhs) { drhs[ultimoCorte] = rhs; }

void fechaLote(int ultimoCorte, int ultimoCoef) { mstart[ultimoCorte + 1] = ultimoCoef + 1; }
