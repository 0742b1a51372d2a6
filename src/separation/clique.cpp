// Heuristic clique separation.  (stub)
#include "separation/separadores.h"

int separacaoHeuristicaDesigualdadesClique(double*, int*, int*, int) { return 0; }
