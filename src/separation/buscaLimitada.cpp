// Shortest path for the separators: dijkstraS_T's search, with two savings
// that change nothing the separators read.
//
// Arcs: the search runs over a compact copy of the arcs it could ever relax,
// in list order, so it meets them in the order dijkstraS_T does and skips only
// arcs that would fail every relaxation test there (in the separators, the
// arcs weighted 2n, half or more of gDup).
//
// Stop: with arc weights of at least pesoMinimo, no label set later can fall
// below D - folga, D the least unsettled label and folga = count *
// max(0, -pesoMinimo); once that is not below the threshold, the target's
// final label cannot be either, and the search stops.  Most searches of a
// separation round end this way after settling a few vertices.
//
// The choice of the next vertex is dijkstraS_T's scan in index order over the
// labelled, unsettled vertices.
#include "separation/buscaLimitada.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const double TOLERANCIA = 1e-6;
enum : char { NAO_ALCANCADO, ABERTO, FECHADO };

// Kept between calls so that a warm search allocates nothing.
std::vector<double> rotulo;
std::vector<char> estado;
std::vector<int> abertos;  // labelled, unsettled vertices, ascending

}  // namespace

void compactaGrafo(nodo2** graph, int count, double bound, double pesoMinimo, GrafoCompacto& g) {
  g.count = count;
  g.bound = bound;
  g.pesoMinimo = pesoMinimo;
  const double cap = count * bound;
  // Every label is at least this, so an arc of weight w with
  // piso + w >= cap can never pass the test label(v) > label(u) + w + 1e-6
  // against a label that starts at the cap.
  const double piso = pesoMinimo < 0 ? count * pesoMinimo - (1e-9 + std::fabs(cap) * 1e-15) : 0.0;
  g.inicio.assign(static_cast<size_t>(count) + 1, 0);
  g.cabeca.clear();
  g.peso.clear();
  for (int u = 0; u < count; u++) {
    g.inicio[u] = static_cast<int>(g.cabeca.size());
    for (nodo2* arco = graph[u]; arco != nullptr; arco = arco->prox) {
      if (piso + arco->peso >= cap) continue;
      g.cabeca.push_back(arco->vertice);
      g.peso.push_back(arco->peso);
    }
  }
  g.inicio[count] = static_cast<int>(g.cabeca.size());
}

double dijkstraLimitado(int source, int target, const GrafoCompacto& g, int* pred,
                        double limiar) {
  const int count = g.count;
  const double cap = count * g.bound;
  const double folga =
      g.pesoMinimo < 0 ? count * -g.pesoMinimo + 1e-9 + std::fabs(cap) * 1e-15 : 0.0;
  rotulo.assign(count, cap);
  estado.assign(count, NAO_ALCANCADO);
  abertos.assign(1, source);
  std::fill(pred, pred + count, -1);
  rotulo[source] = 0.0;
  estado[source] = ABERTO;

  while (estado[target] != FECHADO) {
    double minimo = cap, menor = INFINITY;
    size_t escolhido = abertos.size();
    for (size_t k = 0; k < abertos.size(); k++) {
      const double d = rotulo[abertos[k]];
      if (d < menor) menor = d;
      if (minimo > d + TOLERANCIA) {
        minimo = d;
        escolhido = k;
      }
    }
    if (!abertos.empty() && menor - folga >= limiar) return menor - folga;
    if (escolhido == abertos.size()) {
      rotulo[target] = 2.0 * count + 2;
      estado[target] = FECHADO;
      break;
    }
    const int u = abertos[escolhido];
    abertos.erase(abertos.begin() + static_cast<long>(escolhido));
    estado[u] = FECHADO;
    const double du = rotulo[u];
    for (int a = g.inicio[u]; a < g.inicio[u + 1]; a++) {
      const int v = g.cabeca[a];
      if (estado[v] == FECHADO || !(rotulo[v] > du + g.peso[a] + TOLERANCIA)) continue;
      rotulo[v] = du + g.peso[a];
      pred[v] = u;
      if (estado[v] == NAO_ALCANCADO) {
        estado[v] = ABERTO;
        abertos.insert(std::lower_bound(abertos.begin(), abertos.end(), v), v);
      }
    }
  }
  return rotulo[target];
}
