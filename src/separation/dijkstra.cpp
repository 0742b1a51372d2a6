// Shortest path in the doubled graph: label setting with a selection scan in
// index order, a 1e-6 tolerance in every comparison, a cap of count*bound on
// path length, and an early stop once the target is settled.
//
// The scan only visits vertices that hold a label below the cap and are not
// settled yet, kept in index order: every other unsettled vertex holds the
// cap itself and could never be chosen, so the choice is the one a scan over
// all vertices would make.
#include "separation/dijkstra.h"

#include <algorithm>
#include <vector>

namespace {
const double TOLERANCIA = 1e-6;
enum : char { NAO_ALCANCADO, ABERTO, FECHADO };

// Kept between calls so that a search allocates nothing once warm.
std::vector<double> rotulo;
std::vector<char> estado;
std::vector<int> abertos;  // labelled, unsettled vertices, ascending
}  // namespace

double dijkstraS_T(int source, int target, nodo2** graph, int count, int* pred, double bound) {
  const double cap = count * bound;
  rotulo.assign(count, cap);
  estado.assign(count, NAO_ALCANCADO);
  abertos.clear();
  std::fill(pred, pred + count, -1);
  rotulo[source] = 0.0;
  estado[source] = ABERTO;
  abertos.push_back(source);

  while (estado[target] != FECHADO) {
    double minimo = cap;
    size_t escolhido = abertos.size();
    for (size_t k = 0; k < abertos.size(); k++) {
      const double d = rotulo[abertos[k]];
      if (minimo > d + TOLERANCIA) {
        minimo = d;
        escolhido = k;
      }
    }
    if (escolhido == abertos.size()) {
      rotulo[target] = 2.0 * count + 2;
      estado[target] = FECHADO;
      break;
    }
    const int u = abertos[escolhido];
    abertos.erase(abertos.begin() + static_cast<long>(escolhido));
    estado[u] = FECHADO;
    const double du = rotulo[u];
    for (nodo2* arco = graph[u]; arco != nullptr; arco = arco->prox) {
      const int v = arco->vertice;
      if (estado[v] == FECHADO || !(rotulo[v] > du + arco->peso + TOLERANCIA)) continue;
      rotulo[v] = du + arco->peso;
      pred[v] = u;
      if (estado[v] == NAO_ALCANCADO) {
        estado[v] = ABERTO;
        abertos.insert(std::lower_bound(abertos.begin(), abertos.end(), v), v);
      }
    }
  }
  return rotulo[target];
}
