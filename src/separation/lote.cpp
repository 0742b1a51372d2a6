// The cut batch arrays and the one way cuts are appended to them.
#include "separation/lote.h"

char* qrtype = nullptr;
int* mtype = nullptr;
double* drhs = nullptr;
int* mstart = nullptr;
int* mcols = nullptr;
double* dmatval = nullptr;
XPRScut* mcutind = nullptr;

void abreCorte(int* ultimoCorte, int* ultimoCoef, int tipo) {
  *ultimoCorte += 1;
  mtype[*ultimoCorte] = tipo;
  qrtype[*ultimoCorte] = 'L';
  mstart[*ultimoCorte] = *ultimoCoef + 1;
}

void poeTermo(int* ultimoCoef, int coluna, double coeficiente) {
  *ultimoCoef += 1;
  mcols[*ultimoCoef] = coluna;
  dmatval[*ultimoCoef] = coeficiente;
}

void fechaCorte(int ultimoCorte, double rhs) { drhs[ultimoCorte] = rhs; }

void fechaLote(int ultimoCorte, int ultimoCoef) { mstart[ultimoCorte + 1] = ultimoCoef + 1; }
