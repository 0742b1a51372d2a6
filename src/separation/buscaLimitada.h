// The doubled-graph shortest path of the separators: the same choices as
// dijkstraS_T, over a compact copy of the arcs that can be used, and a stop as
// soon as no path can end below the caller's threshold.
#ifndef BCT_SEPARATION_BUSCALIMITADA_H
#define BCT_SEPARATION_BUSCALIMITADA_H

#include <memory>
#include <vector>

#include "graph/grafo.h"

// The arcs of a doubled graph that a search under the current weights can
// ever relax, per tail in list order, in contiguous arrays.
struct GrafoCompacto {
  int count = 0;
  double bound = 0;       // the search's per-vertex bound (cap = count * bound)
  double pesoMinimo = 0;  // no arc weighs less
  std::vector<int> inicio;  // arcs of u: inicio[u] .. inicio[u+1]-1
  std::vector<int> cabeca;
  std::vector<double> peso;
  std::vector<double> saida;  // per tail: max(0, its lightest arc), INFINITY without arcs
  // The same arcs per head: their tails and weights.
  std::vector<int> inicioEntrada;
  std::vector<int> cauda;
  std::vector<double> pesoEntrada;
  std::vector<int> proximaEntrada;  // compactaGrafo's fill cursors, kept
};

// Copies from `graph` every arc that a search with this bound could relax:
// an arc so heavy that no label plus its weight gets below the cap is left
// out.  `pesoMinimo` must not exceed the weight of any arc.
void compactaGrafo(nodo2** graph, int count, double bound, double pesoMinimo, GrafoCompacto& g);

// The search, with a state of its own kept between searches so that a warm
// one allocates nothing: each separator and each thread that searches holds
// one.
class BuscadorLimitado {
 public:
  // `maxVarredura`: awake vertices a search scans in index order before it
  // moves them to a heap (tests give 0 to run the heap from the first
  // vertex); `maxContagemBits`: the vertex count up to which a search keeps
  // them as bits instead.
  explicit BuscadorLimitado(int maxVarredura = 128, int maxContagemBits = 1024);
  ~BuscadorLimitado();
  BuscadorLimitado(const BuscadorLimitado&) = delete;
  BuscadorLimitado& operator=(const BuscadorLimitado&) = delete;

  // When dijkstraS_T(source, target, graph, g.count, pred, g.bound) on the
  // graph `g` was made from would return a value below `limiar`, returns
  // that same value, with pred[source] = -1 and the same predecessor as
  // there at every vertex that search labels (so the same walk back from
  // the target); other entries of pred are left as they were.  Otherwise
  // returns a value not below `limiar` and not above that result; pred is
  // then unspecified.  A search costs in proportion to the vertices and arcs
  // it touches.
  double busca(int source, int target, const GrafoCompacto& g, int* pred, double limiar);

 private:
  struct Estado;
  std::unique_ptr<Estado> estado_;
};

#endif
