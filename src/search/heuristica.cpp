// Primal heuristic.  (stub)
#include "search/busca.h"

void heuristicaPrimal(double*, int) {}
