// Shortest path in the doubled graph, from a vertex to (usually) its copy.
#ifndef BCT_SEPARATION_DIJKSTRA_H
#define BCT_SEPARATION_DIJKSTRA_H

#include "graph/grafo.h"

// The choice of the next vertex to settle: a scan of the open vertices in
// index order with a running minimum that starts at the cap and moves only to
// a label more than 1e-6 below it.  Fed the vertices in index order, it gives
// the vertex the scan picks (-1 when none lies below the cap by more than
// 1e-6).  Every search of the separators makes its choice this way.
class EscolhaDaVarredura {
 public:
  explicit EscolhaDaVarredura(double cap) : minimo_(cap) {}
  void ve(int v, double rotulo) {
    if (minimo_ > rotulo + 1e-6) {
      minimo_ = rotulo;
      escolhido_ = v;
    }
  }
  int escolhido() const { return escolhido_; }

 private:
  double minimo_;
  int escolhido_ = -1;
};

// Length of a shortest source-target path under the arcs' peso, capped at
// count*bound; 2*count+2 when the target is not reached under the cap.
double dijkstraS_T(int source, int target, nodo2** graph, int count, int* pred,
                   double bound);

#endif
