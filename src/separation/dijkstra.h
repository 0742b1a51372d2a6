// Shortest path in the doubled graph, from a vertex to (usually) its copy.
#ifndef BCT_SEPARATION_DIJKSTRA_H
#define BCT_SEPARATION_DIJKSTRA_H

#include "graph/grafo.h"

// Length of a shortest source-target path under the arcs' peso, capped at
// count*bound; 2*count+2 when the target is not reached under the cap.
double dijkstraS_T(int source, int target, nodo2** graph, int count, int* pred,
                   double bound);

#endif
