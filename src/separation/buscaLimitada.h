// The doubled-graph shortest path of the separators: the same choices as
// dijkstraS_T, found through an ordered set, and a stop as soon as no path can
// end below the caller's threshold.
#ifndef BCT_SEPARATION_BUSCALIMITADA_H
#define BCT_SEPARATION_BUSCALIMITADA_H

#include "graph/grafo.h"

// When dijkstraS_T(source, target, graph, count, pred, bound) would return a
// value below `limiar`, returns that same value and leaves pred exactly as it
// would.  Otherwise returns a value not below `limiar` and not above that
// result; pred is then unspecified.  `pesoMinimo` must not exceed the weight
// of any arc the search can meet (it decides how early the search may stop).
double dijkstraLimitado(int source, int target, nodo2** graph, int count, int* pred,
                        double bound, double limiar, double pesoMinimo);

#endif
