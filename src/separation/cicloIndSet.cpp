// Cycle independent-set separation.  (stub)
#include "separation/separadores.h"

int separacaoExataCicloIndSet(double*, int*, int*, int) { return 0; }
