// Odd negative cycle lifting.  (stub)
#include "separation/separadores.h"

int liftingOddNegCycle(int*, int, double*, int*) { return 0; }
int solveByForce(int*, int**, int, int) { return 0; }
