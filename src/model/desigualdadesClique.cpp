// K1K2 clique rows.  (stub)
#include "model/modelo.h"

int nCliqueSigIF = 0;

void gerarDesigualdadesClique() {}
