// Shortest path in the doubled graph.  (stub)
#include "separation/dijkstra.h"

double dijkstraS_T(int, int, nodo2**, int count, int*, double) { return 2.0 * count + 2; }
