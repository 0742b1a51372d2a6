// The doubled graph of one separation round with the vertices at 1 merged:
// a path from v to its copy nlin+v under the weights 1 - x of the tails costs
// nothing inside a region of vertices at 1, so each such region (one copy of
// it) becomes a single node of weight 0, the vertices at 0 (weight 1, on no
// violated cycle) leave, and a search crosses a region in one step instead of
// settling every vertex in it.  On the real networks three in four vertices
// sit at 1 once the root's first rounds are done, and the searches of the
// plain doubled graph spent most of their time flooding those regions.
//
// A search here is an ordinary Dijkstra with a stop at the threshold; a hit
// is expanded back into a walk of the doubled graph (a fewest-arcs path across
// each region, searched from both ends) and left in pred, as the plain search
// leaves it, for leCiclo.
#ifndef BCT_SEPARATION_GRAFOCONTRAIDO_H
#define BCT_SEPARATION_GRAFOCONTRAIDO_H

#include <vector>

#include "graph/grafo.h"

class GrafoContraido {
 public:
  // From the store's doubled graph and the LP point x (snapped: exactly 0
  // and 1 where they belong); the store must outlive the searches.
  void monta(const Armazem& grafo, const double* x);

  int numNos() const { return static_cast<int>(peso_.size()); }
  // The node of doubled vertex a, -1 for a vertex at 0.
  int no(int a) const { return no_[a]; }

 private:
  friend class BuscaContraida;
  int n_ = 0;
  nodo2** gDup_ = nullptr;        // the doubled graph it was made from
  std::vector<int> no_;           // per doubled vertex
  std::vector<double> peso_;      // per node: what leaving it costs
  std::vector<int> inicio_;       // arcs of node p: inicio_[p] .. inicio_[p+1]-1
  std::vector<int> cabeca_;       // head node
  std::vector<int> de_, para_;    // per arc: the doubled-graph arc it stands for
  std::vector<int> inicioMembros_, membros_;  // doubled vertices of each node
  // Work of monta, kept.
  std::vector<int> pai_, marca_;
};

// One search at a time over a GrafoContraido; each thread keeps its own.
class BuscaContraida {
 public:
  // The length of the shortest walk from doubled vertex `origem` to `alvo`
  // when it is below `limiar`; otherwise a value not below it.
  double busca(const GrafoContraido& g, int origem, int alvo, double limiar);
  // After a hit: the walk in the doubled graph, from origem to alvo, as
  // predecessors (pred[origem] = -1); entries off the walk are left alone.
  void escreveCaminho(const GrafoContraido& g, int origem, int alvo, int* pred);

 private:
  void atravessa(const GrafoContraido& g, int de, int para, int* pred);

  std::vector<double> rotulo_;
  std::vector<int> arcoPred_;   // per node: the arc that labelled it
  std::vector<char> fechado_;
  std::vector<int> tocados_;
  struct Entrada {
    double rotulo;
    int no;
    bool operator>(const Entrada& o) const { return rotulo > o.rotulo || (rotulo == o.rotulo && no > o.no); }
  };
  std::vector<Entrada> heap_;
  std::vector<int> caminho_;
  // Breadth-first search across a region, from both ends: marks and
  // parents per doubled vertex, then again for the second end; a queue each.
  std::vector<int> visto_, paiReal_;
  std::vector<int> filas_[2];
  int carimbo_ = 0;
};

#endif
