// Initial model arrays.  (stub)
#include "model/modelo.h"

int nCliqueIndSetIF = 0;
int nCycleIF = 0;

int cargaDosVetores(char*, double*, double*, double*, int*, char*, double*, int*, int*, double*) { return 0; }
