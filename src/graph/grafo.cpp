// The signed graph store.  (stub)
#include "graph/grafo.h"

nodo** gMat = nullptr;
nodo2** gDup = nullptr;
int nlin = 0, narco = 0, nneg = 0, npos = 0, nduplo = 0;

void geraGrafoDuplo() {}
void liberaGrafo() {}
