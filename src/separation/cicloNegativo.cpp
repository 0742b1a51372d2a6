// Odd negative cycle separation.  (stub)
#include "separation/separadores.h"

int separacaoExataCMenosOdd(double*, int*, int*) { return 0; }
int partitionCycle(int*, int k, int*) { return k; }
